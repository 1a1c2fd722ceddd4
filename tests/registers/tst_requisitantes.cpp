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
#include "support/CodigoEDescricao.h"
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

// An inclusion over the codes already stored: the code the window proposes, what is typed over
// it (empty: the proposal is kept), the code stored (empty: nothing is), and the messages the
// save shows.
struct Proposta {
    QStringList existentes;
    QString proposto;
    QString digitado;
    QString gravado;
    QStringList mensagens;
};

} // namespace

Q_DECLARE_METATYPE(Proposta)

void TstRequisitantes::proposedCode_data()
{
    QTest::addColumn<Proposta>("p");
    caso("empty table", Proposta{.proposto = "000001", .gravado = "000001"});
    caso("after 000009",
         Proposta{.existentes = {"000002", "000009"}, .proposto = "000010", .gravado = "000010"});
    caso("proposal overtyped with 42", Proposta{.existentes = {"000002"},
                                                .proposto = "000003",
                                                .digitado = "42",
                                                .gravado = "000042"});
    // The seven-digit code is shown whole, never cut to six, and the save refuses it.
    caso("after 999999",
         Proposta{.existentes = {"999999"}, .proposto = "1000000", .mensagens = {falhaInclusao}});
    // Nothing can be proposed; the person types the code, and the next proposal fails again.
    caso("highest code not a number", Proposta{.existentes = {"000009", "ABC"},
                                               .digitado = "5",
                                               .gravado = "000005",
                                               .mensagens = {semProposta, semProposta}});
}

void TstRequisitantes::proposedCode()
{
    QFETCH(Proposta, p);
    TelaTeste t;
    t.flags("S", "N", "N");
    CodigoEDescricao::existentes(t.banco, Cadastro::requisitante, p.existentes);
    QStringList aposSalvar;
    inclusao(t.app, t.driver, listaDeRequisitantes, [&](QDialog* dados) {
        QCOMPARE(dados->windowTitle(), QStringLiteral("Inclusão de Requisitantes"));
        QCOMPARE(texto(dados, "lbREQ_Titulo"), QStringLiteral("Inclusão de Requisitantes"));
        QCOMPARE(botao(dados, "btnREQ_Salva")->text(), QString("Salva"));
        QVERIFY(botao(dados, "btnREQ_Limpa")->isVisible());
        QCOMPARE(texto(dados, "edREQ_Codigo"), p.proposto);
        QVERIFY(focado(dados, "edREQ_Codigo"));
        if (!p.digitado.isEmpty()) {
            // The proposal is selected: typing replaces it.
            digitaTexto(campo(dados, "edREQ_Codigo"), p.digitado);
        }
        tab(dados, "edREQ_Codigo");
        QVERIFY(focado(dados, "edREQ_Descricao"));
        digitaTexto(campo(dados, "edREQ_Descricao"), "Manutenção Predial");
        const QString codigoNoCampo = texto(dados, "edREQ_Codigo");
        clica(dados, "btnREQ_Salva");
        aposSalvar = t.msgs.textos();
        if (p.gravado.isEmpty()) {
            QCOMPARE(texto(dados, "edREQ_Codigo"), codigoNoCampo);
            QCOMPARE(texto(dados, "edREQ_Descricao"), QStringLiteral("Manutenção Predial"));
        }
        clica(dados, "btnREQ_Fechar");
    });
    QCOMPARE(t.driver.abertas(), QStringList({"TfManut_REQ", "TfDados_REQ"}));
    QCOMPARE(aposSalvar, p.mensagens);
    if (!p.mensagens.isEmpty())
        QCOMPARE(t.msgs.mensagens()[0].tipo,
                 p.gravado.isEmpty() ? TipoMensagem::Aviso : TipoMensagem::Informacao);
    QCOMPARE(t.banco.conta("Requisitante"), p.existentes.size() + (p.gravado.isEmpty() ? 0 : 1));
    if (!p.gravado.isEmpty())
        QCOMPARE(t.banco
                     .valor("Select REQ_Descricao From Requisitante Where REQ_Codigo = :C",
                            {{"C", p.gravado}})
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
    TelaTeste t;
    Cadastro::requisitante(t.banco, "000007", "Oficina");
    inclusao(t.app, t.driver, listaDeRequisitantes, [&](QDialog* dados) {
        QLineEdit* codigo = campo(dados, "edREQ_Codigo");
        QCOMPARE(codigo->text(), QString("000008"));
        digita(dados, "edREQ_Descricao", "Almoxarifado Central");
        digita(dados, "edREQ_Codigo", digitado);
        QCOMPARE(codigo->text(), digitado);
        if (salvaLogo)
            clica(dados, "btnREQ_Salva");
        else
            tab(dados, "edREQ_Codigo");
        QCOMPARE(t.msgs.textos(), QStringList({erro}));
        QCOMPARE(t.msgs.mensagens()[0].tipo, TipoMensagem::Erro);
        // The focus comes back to the code field, which offers the next free code again.
        QTRY_COMPARE(focado(), codigo);
        QCOMPARE(codigo->text(), QString("000008"));
        clica(dados, "btnREQ_Fechar");
    });
    QCOMPARE(t.banco.conta("Requisitante"), 1);
}

void TstRequisitantes::nameChecksAndLimpa()
{
    TelaTeste t;
    Cadastro::requisitante(t.banco, "000001", "Oficina");
    const CodigoEDescricao::Descricao nome{.campo = "edREQ_Descricao",
                                           .salva = "btnREQ_Salva",
                                           .vazia = nomeVazio,
                                           .tipoVazia = TipoMensagem::Aviso,
                                           .repetida = nomeRepetido};
    inclusao(t.app, t.driver, listaDeRequisitantes, [&](QDialog* dados) {
        // Blanks are refused; a repeated name asks, and "Não" empties it and keeps the focus
        // there.
        CodigoEDescricao::recusaVaziaERepetida(dados, t.msgs, nome, "Oficina");

        // "Limpa" empties the name only.
        digitaTexto(campo(dados, "edREQ_Descricao"), "Rascunho");
        clica(dados, "btnREQ_Limpa");
        QCOMPARE(texto(dados, "edREQ_Codigo"), QString("000002"));
        QCOMPARE(texto(dados, "edREQ_Descricao"), QString());
        QVERIFY(focado(dados, "edREQ_Descricao"));

        // "Sim" keeps the repeated name, and it is stored with it.
        t.msgs.limpa();
        digitaTexto(campo(dados, "edREQ_Descricao"), "Oficina");
        t.msgs.responde(true);
        clica(dados, "btnREQ_Salva");
        QCOMPARE(t.msgs.textos(), QStringList({nomeRepetido}));
        clica(dados, "btnREQ_Fechar");
    });
    QCOMPARE(t.banco.valor("Select REQ_Descricao From Requisitante Where REQ_Codigo = '000002'")
                 .toString(),
             QString("Oficina"));
}

void TstRequisitantes::changeIsKeyedByTheRowThatWasCurrent()
{
    TelaTeste t;
    t.flags("S", "N", "S");
    t.principal().CodUsuario = "000001";
    Cadastro::requisitante(t.banco, "000001", "Ana");
    Cadastro::requisitante(t.banco, "000002", "Bruno");
    Cadastro::requisitante(t.banco, "000003", "Carla");
    t.driver.aoAbrir([&](QDialog* lista) {
        acha<QTableView>(lista, "dbg_Manut_REQ")->selectRow(1);
        clica(lista, "btnREQ_Altera");
        clica(lista, "btnREQ_Fecha");
    });
    t.driver.aoAbrir([&](QDialog* dados) {
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
    QCOMPARE(t.msgs.quantidade(), 0);
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
