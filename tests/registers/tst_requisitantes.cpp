// Requisitioners: what their windows do apart from the other registers of a code and a
// description (tst_familia): the code offered and typed over, the code field that checks
// itself when left, the name checks, the list that opens by name every time, and the search
// window that follows the shared current row.

#include "app/Principal.h"
#include "common/JanelasCadastro.h"
#include "common/Modal.h"
#include "data/DataModule_Req.h"
#include "data/DataSet.h"
#include "registers/Busca_REQ.h"
#include "support/AplicacaoTeste.h"
#include "support/Cadastro.h"
#include "support/DriverModal.h"
#include "support/GravadorMensagens.h"
#include "support/Tela.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QtTest>

using namespace Tela;

class TstRequisitantes : public QObject {
    Q_OBJECT

private slots:
    void proposedCode_data();
    void proposedCode();
    void codeFieldChecksItselfWhenLeft_data();
    void codeFieldChecksItselfWhenLeft();
    void nameChecksAndLimpa();
    void changeIsKeyedByTheRowThatWasCurrent();
    void everyOpeningGoesBackToTheNameOrder();
    void searchWindowFollowsTheSharedRow();
};

namespace {

const QString codigoVazio = QStringLiteral("O Campo do Código Precisa ser Preenchido");
const QString codigoRepetido = QStringLiteral("Requisitante já Cadastrado, tente outro");
const QString nomeRepetido =
    QStringLiteral("Requisitante já Cadastrado, Deseja Cadastrar outro com a mesmo Nome ?");
const QString nomeVazio = QStringLiteral("O Campo Descrição Precisa ser Preenchido");
const QString falhaInclusao = QStringLiteral("Não Consegui Incluir, tente Novamente");
const QString semProposta =
    QStringLiteral("Não foi possível propor um código: o maior código gravado não é um número. "
                   "Digite o código.");

} // namespace

void TstRequisitantes::proposedCode_data()
{
    QTest::addColumn<QStringList>("existentes");
    QTest::addColumn<QString>("proposto");
    QTest::addColumn<QString>("digitado"); // empty: the proposal is kept
    QTest::addColumn<QString>("gravado");  // empty: nothing is stored
    QTest::addColumn<QStringList>("mensagens");
    caso("empty table", QStringList(), "000001", "", "000001", QStringList());
    caso("after 000009", QStringList({"000002", "000009"}), "000010", "", "000010", QStringList());
    caso("proposal overtyped with 42", QStringList({"000002"}), "000003", "42", "000042",
         QStringList());
    // The seven-digit code is shown whole, never cut to six, and the save refuses it.
    caso("after 999999", QStringList({"999999"}), "1000000", "", "", QStringList({falhaInclusao}));
    // Nothing can be proposed; the person types the code, and the next proposal fails again.
    caso("highest code not a number", QStringList({"000009", "ABC"}), "", "5", "000005",
         QStringList({semProposta, semProposta}));
}

void TstRequisitantes::proposedCode()
{
    QFETCH(QStringList, existentes);
    QFETCH(QString, proposto);
    QFETCH(QString, digitado);
    QFETCH(QString, gravado);
    QFETCH(QStringList, mensagens);
    AplicacaoTeste t;
    t.flags("S", "N", "N");
    for (const QString& c : existentes)
        Cadastro::requisitante(t.banco, c, "Existente " + c);
    GravadorMensagens msgs;
    QStringList aposSalvar;
    DriverModal driver;
    inclusao(t.app, driver, listaDeRequisitantes, [&](QDialog* dados) {
        QCOMPARE(dados->windowTitle(), QStringLiteral("Inclusão de Requisitantes"));
        QCOMPARE(texto(dados, "lbREQ_Titulo"), QStringLiteral("Inclusão de Requisitantes"));
        QCOMPARE(botao(dados, "btnREQ_Salva")->text(), QString("Salva"));
        QVERIFY(botao(dados, "btnREQ_Limpa")->isVisible());
        QCOMPARE(texto(dados, "edREQ_Codigo"), proposto);
        QVERIFY(focado(dados, "edREQ_Codigo"));
        if (!digitado.isEmpty()) {
            // The proposal is selected: typing replaces it.
            digitaTexto(campo(dados, "edREQ_Codigo"), digitado);
        }
        tab(dados, "edREQ_Codigo");
        QVERIFY(focado(dados, "edREQ_Descricao"));
        digitaTexto(campo(dados, "edREQ_Descricao"), "Manutenção Predial");
        const QString codigoNoCampo = texto(dados, "edREQ_Codigo");
        clica(dados, "btnREQ_Salva");
        aposSalvar = msgs.textos();
        if (gravado.isEmpty()) {
            QCOMPARE(texto(dados, "edREQ_Codigo"), codigoNoCampo);
            QCOMPARE(texto(dados, "edREQ_Descricao"), QStringLiteral("Manutenção Predial"));
        }
        clica(dados, "btnREQ_Fechar");
    });
    QCOMPARE(driver.abertas(), QStringList({"TfManut_REQ", "TfDados_REQ"}));
    QCOMPARE(aposSalvar, mensagens);
    if (!mensagens.isEmpty())
        QCOMPARE(msgs.mensagens()[0].tipo,
                 gravado.isEmpty() ? TipoMensagem::Aviso : TipoMensagem::Informacao);
    QCOMPARE(t.banco.conta("Requisitante"), existentes.size() + (gravado.isEmpty() ? 0 : 1));
    if (!gravado.isEmpty())
        QCOMPARE(t.banco
                     .valor("Select REQ_Descricao From Requisitante Where REQ_Codigo = :C",
                            {{"C", gravado}})
                     .toString(),
                 QStringLiteral("Manutenção Predial"));
}

void TstRequisitantes::codeFieldChecksItselfWhenLeft_data()
{
    QTest::addColumn<QString>("digitado");
    QTest::addColumn<bool>("salvaLogo"); // leave the code by clicking "Salva" instead of Tab
    QTest::addColumn<QString>("erro");
    caso("taken code", "7", false, codigoRepetido);
    caso("empty code", "", false, codigoVazio);
    // The click that follows the refusal must not store a requisitioner without a code.
    caso("empty code, then Salva", "", true, codigoVazio);
    // Nor one with a code already taken.
    caso("taken code, then Salva", "7", true, codigoRepetido);
}

void TstRequisitantes::codeFieldChecksItselfWhenLeft()
{
    QFETCH(QString, digitado);
    QFETCH(bool, salvaLogo);
    QFETCH(QString, erro);
    AplicacaoTeste t;
    Cadastro::requisitante(t.banco, "000007", "Oficina");
    GravadorMensagens msgs;
    DriverModal driver;
    inclusao(t.app, driver, listaDeRequisitantes, [&](QDialog* dados) {
        QLineEdit* codigo = campo(dados, "edREQ_Codigo");
        QCOMPARE(codigo->text(), QString("000008"));
        digita(dados, "edREQ_Descricao", "Almoxarifado Central");
        digita(dados, "edREQ_Codigo", digitado);
        QCOMPARE(codigo->text(), digitado);
        if (salvaLogo)
            clica(dados, "btnREQ_Salva");
        else
            tab(dados, "edREQ_Codigo");
        QCOMPARE(msgs.textos(), QStringList({erro}));
        QCOMPARE(msgs.mensagens()[0].tipo, TipoMensagem::Erro);
        // The focus comes back to the code field, which offers the next free code again.
        QTRY_COMPARE(focado(), codigo);
        QCOMPARE(codigo->text(), QString("000008"));
        clica(dados, "btnREQ_Fechar");
    });
    QCOMPARE(t.banco.conta("Requisitante"), 1);
}

void TstRequisitantes::nameChecksAndLimpa()
{
    AplicacaoTeste t;
    Cadastro::requisitante(t.banco, "000001", "Oficina");
    GravadorMensagens msgs;
    DriverModal driver;
    inclusao(t.app, driver, listaDeRequisitantes, [&](QDialog* dados) {
        digita(dados, "edREQ_Descricao", "   ");
        clica(dados, "btnREQ_Salva");
        QCOMPARE(msgs.textos(), QStringList({nomeVazio}));
        QCOMPARE(msgs.mensagens()[0].tipo, TipoMensagem::Aviso);
        QVERIFY(focado(dados, "edREQ_Descricao"));

        // A repeated name asks; "Não" empties it and keeps the focus there.
        msgs.limpa();
        digita(dados, "edREQ_Descricao", "Oficina");
        msgs.responde(false);
        tab(dados, "edREQ_Descricao");
        QCOMPARE(msgs.textos(), QStringList({nomeRepetido}));
        QCOMPARE(texto(dados, "edREQ_Descricao"), QString());
        QTRY_VERIFY(focado(dados, "edREQ_Descricao"));

        // "Limpa" empties the name only.
        digitaTexto(campo(dados, "edREQ_Descricao"), "Rascunho");
        clica(dados, "btnREQ_Limpa");
        QCOMPARE(texto(dados, "edREQ_Codigo"), QString("000002"));
        QCOMPARE(texto(dados, "edREQ_Descricao"), QString());
        QVERIFY(focado(dados, "edREQ_Descricao"));

        // "Sim" keeps the repeated name, and it is stored with it.
        msgs.limpa();
        digitaTexto(campo(dados, "edREQ_Descricao"), "Oficina");
        msgs.responde(true);
        clica(dados, "btnREQ_Salva");
        QCOMPARE(msgs.textos(), QStringList({nomeRepetido}));
        clica(dados, "btnREQ_Fechar");
    });
    QCOMPARE(t.banco.valor("Select REQ_Descricao From Requisitante Where REQ_Codigo = '000002'")
                 .toString(),
             QString("Oficina"));
}

void TstRequisitantes::changeIsKeyedByTheRowThatWasCurrent()
{
    AplicacaoTeste t;
    t.flags("S", "N", "S");
    t.principal().CodUsuario = "000001";
    Cadastro::requisitante(t.banco, "000001", "Ana");
    Cadastro::requisitante(t.banco, "000002", "Bruno");
    Cadastro::requisitante(t.banco, "000003", "Carla");
    GravadorMensagens msgs;
    DriverModal driver;
    driver.aoAbrir([&](QDialog* lista) {
        acha<QTableView>(lista, "dbg_Manut_REQ")->selectRow(1);
        clica(lista, "btnREQ_Altera");
        clica(lista, "btnREQ_Fecha");
    });
    driver.aoAbrir([&](QDialog* dados) {
        QCOMPARE(texto(dados, "edREQ_Codigo"), QString("000002"));
        QCOMPARE(texto(dados, "edREQ_Descricao"), QString("Bruno"));
        // The code typed over is padded but changes nothing: the row that was current is
        // the one changed, and the audit line carries what the field shows.
        digita(dados, "edREQ_Codigo", "9");
        tab(dados, "edREQ_Codigo");
        QCOMPARE(texto(dados, "edREQ_Codigo"), QString("000009"));
        digita(dados, "edREQ_Descricao", "Bruno Souza");
        clica(dados, "btnREQ_Salva");
        QVERIFY(!dados->isVisible());
    });
    t.principal().aciona("ipodeSadas1");
    QCOMPARE(msgs.quantidade(), 0);
    const Resultado r = t.banco.consulta("Select * From Requisitante order by REQ_Codigo");
    QCOMPARE(r.tamanho(), 3);
    QCOMPARE(r.valor(1, "REQ_Codigo").toString(), QString("000002"));
    QCOMPARE(r.valor(1, "REQ_Descricao").toString(), QString("Bruno Souza"));
    QCOMPARE(Cadastro::linhasLog(t.banco),
             QStringList({QStringLiteral("000001|Alteração de Requisitante::000009")}));
}

void TstRequisitantes::everyOpeningGoesBackToTheNameOrder()
{
    AplicacaoTeste t;
    Cadastro::requisitante(t.banco, "000001", "Zélia");
    Cadastro::requisitante(t.banco, "000002", "Ana");
    const Consulta& listaSql = t.app.dmReq().SQLQ_Req2;
    DriverModal driver;
    // The list window reads the list by name again at every opening. Its quick-search label
    // keeps the text the last radio clicked gave it, from one opening to the next.
    const QString rotuloAoAbrir[] = {QStringLiteral("Descrição:"), QStringLiteral("Código:"),
                                     QStringLiteral("Nome:")};
    for (int vez = 0; vez < 3; ++vez) {
        driver.aoAbrir([&](QDialog* lista) {
            auto* rotulo = acha<QLabel>(lista, "lbREQ_Busca");
            auto* grade = acha<QTableView>(lista, "dbg_Manut_REQ");
            QVERIFY(acha<QRadioButton>(lista, "rbREQ_Descricao")->isChecked());
            QCOMPARE(rotulo->text(), rotuloAoAbrir[vez]);
            QCOMPARE(listaSql.sql(), QString("Select * From REQUISITANTE order By REQ_Descricao"));
            QCOMPARE(codigosDaLista(t.app, listaDeRequisitantes),
                     QStringList({"000002", "000001"}));
            QCOMPARE(grade->model()->headerData(1, Qt::Horizontal).toString(),
                     QStringLiteral("Descrição"));
            // Whatever the label says, the quick search looks in the names.
            digita(lista, "edManut_REQ_Busca", "Zé");
            clica(lista, "btnREQ_Busca");
            QCOMPARE(texto(lista, "edManut_REQ_Busca"), QStringLiteral("Zé"));
            QCOMPARE(codigoAtual(t.app, listaDeRequisitantes), QString("000001"));
            if (vez < 2) {
                clica(lista, "rbREQ_Codigo");
                QCOMPARE(rotulo->text(), QStringLiteral("Código:"));
                QCOMPARE(listaSql.sql(), QString("Select * From Requisitante Order by REQ_Codigo"));
                QCOMPARE(codigosDaLista(t.app, listaDeRequisitantes),
                         QStringList({"000001", "000002"}));
            }
            if (vez == 1) {
                clica(lista, "rbREQ_Descricao");
                QCOMPARE(rotulo->text(), QString("Nome:"));
                QCOMPARE(listaSql.sql(),
                         QString("Select * From Requisitante Order by REQ_Descricao"));
            }
            clica(lista, "btnREQ_Fecha");
        });
        t.principal().aciona("ipodeSadas1");
    }
    // The search window starts over completely, its label included.
    for (int vez = 0; vez < 2; ++vez) {
        driver.aoAbrir([&](QDialog* busca) {
            auto* rotulo = acha<QLabel>(busca, "lbBusca_REQ_Busca");
            auto* grade = acha<QTableView>(busca, "dbg_BuscaREQ");
            QVERIFY(acha<QRadioButton>(busca, "rbBusca_REQ_Descricao")->isChecked());
            QCOMPARE(rotulo->text(), QString("Nome:"));
            QCOMPARE(texto(busca, "edBusca_REQ_Busca"), QString());
            QCOMPARE(listaSql.sql(), QString("Select * From REquisitante Order by REQ_Descricao"));
            QCOMPARE(codigosDaLista(t.app, listaDeRequisitantes),
                     QStringList({"000002", "000001"}));
            QCOMPARE(grade->model()->headerData(0, Qt::Horizontal).toString(),
                     QStringLiteral("Código"));
            QCOMPARE(grade->model()->headerData(1, Qt::Horizontal).toString(), QString("Nome"));
            clica(busca, "rbBusca_REQ_Codigo");
            QCOMPARE(rotulo->text(), QStringLiteral("Código:"));
            QCOMPARE(listaSql.sql(), QString("Select * From Requisitante Order by REQ_Codigo"));
            clica(busca, "rbBusca_REQ_Descricao");
            QCOMPARE(rotulo->text(), QString("Nome:"));
            QCOMPARE(listaSql.sql(), QString("Select * From REQUISITANTE Order by REQ_Descricao"));
            clica(busca, "rbBusca_REQ_Codigo");
            digitaTexto(campo(busca, "edBusca_REQ_Busca"), "2");
            clica(busca, "btnBusca_TIP_Fechar");
        });
        Modal::exec(&t.app.janela<TfBusca_REQ>());
    }
}

void TstRequisitantes::searchWindowFollowsTheSharedRow()
{
    AplicacaoTeste t;
    Cadastro::requisitante(t.banco, "000001", "Ana");
    Cadastro::requisitante(t.banco, "000002", "Bruno");
    Cadastro::requisitante(t.banco, "000003", "Carla");
    QDialog chamador;
    auto* destino = new QLineEdit(&chamador);
    TfBusca_REQ& busca = t.app.janela<TfBusca_REQ>();
    busca.registraDestino("Saida", destino);
    busca.Origem = "Saida";
    DriverModal driver;
    driver.aoAbrir([&](QDialog* janela) {
        auto* grade = acha<QTableView>(janela, "dbg_BuscaREQ");
        // The shared current row moved from elsewhere shows in this grid...
        t.app.dmReq().cds_Req.setLinhaAtual(1);
        QCOMPARE(codigoNaGrade(janela, "dbg_BuscaREQ"), QString("000002"));
        // ...and a row clicked in this grid becomes the shared current row.
        const QRect linha = grade->visualRect(grade->model()->index(2, 1));
        QTest::mouseClick(grade->viewport(), Qt::LeftButton, {}, linha.center());
        QCOMPARE(codigoAtual(t.app, listaDeRequisitantes), QString("000003"));
        clica(janela, "btnBusca_Seleciona");
    });
    Modal::exec(&busca);
    QCOMPARE(destino->text(), QString("000003"));
}

QTEST_MAIN(TstRequisitantes)
#include "tst_requisitantes.moc"
