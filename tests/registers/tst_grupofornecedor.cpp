// Supplier groups: what their windows do apart from the other registers of a code and a
// description (tst_familia): the code proposed at every entry and typed over, the fields that
// follow the mode, the database's own words in a failure, the list that moves on with Enter,
// and the search window the supplier window picks a group from.

#include "app/Principal.h"
#include "common/JanelasCadastro.h"
#include "common/Modal.h"
#include "data/DataModule_GrupoFornecedor.h"
#include "data/DataSet.h"
#include "registers/BuscaGRU_For.h"
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

class TstGrupoFornecedor : public QObject {
    Q_OBJECT

private slots:
    void codeProposedTypedAndChecked_data();
    void codeProposedTypedAndChecked();
    void refusedCodeIsNotSaved();
    void noCodeOfferedPastTheColumn();
    void blankDescriptionAndLimpa();
    void descriptionStopsAtItsColumn_data();
    void descriptionStopsAtItsColumn();
    void windowFollowsItsMode_data();
    void windowFollowsItsMode();
    void listOpensByDescriptionAndEnterMovesOn();
    void searchFieldPaddedOnLeaving_data();
    void searchFieldPaddedOnLeaving();
    void searchWindowOpensAfreshAndSelects();
};

namespace {

const QString codigoTomado = QStringLiteral("Código já cadastrado, tente outro");
const QString semProximo =
    QStringLiteral("Não há Código Livre depois de 999999, Digite um Código Livre");

void tresGrupos(AplicacaoTeste& t)
{
    Cadastro::grupoFornecedor(t.banco, "000001", "Tintas");
    Cadastro::grupoFornecedor(t.banco, "000002", "Abrasivos");
    Cadastro::grupoFornecedor(t.banco, "000003", "Madeiras");
}

QString descricaoDoGrupo(AplicacaoTeste& t, const QString& codigo)
{
    return t.banco.valor("Select GRU_Desc From GRU_Fornec Where GRU_Codigo = :C", {{"C", codigo}})
        .toString();
}

} // namespace

void TstGrupoFornecedor::codeProposedTypedAndChecked_data()
{
    QTest::addColumn<QStringList>("existentes");
    QTest::addColumn<QString>("proposto");
    QTest::addColumn<QString>("digitado"); // null: the proposal is kept
    QTest::addColumn<QString>("codigo");   // the field once the user has moved on
    QTest::addColumn<QStringList>("mensagens");
    caso("empty table", QStringList(), "000001", QString(), "000001", QStringList());
    caso("after 000009", QStringList({"000002", "000009"}), "000010", QString(), "000010",
         QStringList());
    caso("3 typed over the proposal", QStringList({"000001"}), "000002", "3", "000003",
         QStringList());
    caso("3 already taken: fresh proposal", QStringList({"000003"}), "000004", "3", "000004",
         QStringList({codigoTomado}));
    caso("emptied code", QStringList(), "000001", "", "000000", QStringList());
    // Typing stops at the column's six digits; the code typed so far is free and kept.
    caso("seven digits typed: six kept", QStringList({"000001"}), "000002", "1234567", "123456",
         QStringList());
}

void TstGrupoFornecedor::codeProposedTypedAndChecked()
{
    QFETCH(QStringList, existentes);
    QFETCH(QString, proposto);
    QFETCH(QString, digitado);
    QFETCH(QString, codigo);
    QFETCH(QStringList, mensagens);
    TelaTeste t;
    CodigoEDescricao::existentes(t.banco, Cadastro::grupoFornecedor, existentes);
    inclusao(t.app, t.driver, listaDeGruposDeFornecedores, [&](QDialog* dados) {
        QLineEdit* edCodigo = campo(dados, "edCodigo");
        QCOMPARE(edCodigo->text(), proposto);
        QCOMPARE(focado(), edCodigo);
        if (!digitado.isNull())
            digita(dados, "edCodigo", digitado);
        // Enter moves on to the description, as Tab would.
        enter(dados, "edCodigo");
        QCOMPARE(t.msgs.textos(), mensagens);
        if (!mensagens.isEmpty()) {
            QCOMPARE(t.msgs.mensagens()[0].tipo, TipoMensagem::Informacao);
            QTRY_COMPARE(focado(), edCodigo);
        } else {
            QVERIFY(focado(dados, "edDescricao"));
        }
        QCOMPARE(edCodigo->text(), codigo);
        digita(dados, "edDescricao", "Ferragens");
        clica(dados, "btnGruFornec_Grava");
        clica(dados, "btnGruFornec_Fechar");
    });
    QCOMPARE(t.driver.abertas(),
             QStringList({"TfManut_GrupoFornecedor", "TfDados_GrupoFornecedor"}));
    QCOMPARE(t.msgs.textos(), mensagens);
    QCOMPARE(t.banco.conta("GRU_Fornec"), existentes.size() + 1);
    QCOMPARE(descricaoDoGrupo(t, codigo), QString("Ferragens"));
}

void TstGrupoFornecedor::refusedCodeIsNotSaved()
{
    TelaTeste t;
    Cadastro::grupoFornecedor(t.banco, "000003", "Tintas");
    inclusao(t.app, t.driver, listaDeGruposDeFornecedores, [&](QDialog* dados) {
        digita(dados, "edCodigo", "3");
        digita(dados, "edDescricao", "Ferragens");
        QCOMPARE(t.msgs.textos(), QStringList({codigoTomado}));
        // A click on "Grava" right after the refusal stores nothing: the user is sent back
        // to the code, which holds a fresh proposal.
        clica(dados, "btnGruFornec_Grava");
        QCOMPARE(t.msgs.textos(), QStringList({codigoTomado}));
        QTRY_VERIFY(focado(dados, "edCodigo"));
        QCOMPARE(texto(dados, "edCodigo"), QString("000004"));
        clica(dados, "btnGruFornec_Fechar");
    });
    QCOMPARE(t.banco.conta("GRU_Fornec"), 1);
}

void TstGrupoFornecedor::noCodeOfferedPastTheColumn()
{
    TelaTeste t;
    Cadastro::grupoFornecedor(t.banco, "000004", "Tintas");
    Cadastro::grupoFornecedor(t.banco, "999999", "Diversos");
    inclusao(t.app, t.driver, listaDeGruposDeFornecedores, [&](QDialog* dados) {
        QLineEdit* edCodigo = campo(dados, "edCodigo");
        // The next number would not fit the column: the field is left for the user to type a
        // free code, and says why.
        QCOMPARE(t.msgs.textos(), QStringList({semProximo}));
        QCOMPARE(t.msgs.mensagens()[0].tipo, TipoMensagem::Informacao);
        QCOMPARE(edCodigo->text(), QString());
        QCOMPARE(focado(), edCodigo);
        t.msgs.limpa();

        // A taken code is refused for what it is, and again no code is offered in its place.
        digita(dados, "edCodigo", "4");
        enter();
        QCOMPARE(t.msgs.textos(), QStringList({codigoTomado, semProximo}));
        QTRY_COMPARE(focado(), edCodigo);
        QCOMPARE(edCodigo->text(), QString());
        t.msgs.limpa();

        // A free code goes through, and is saved.
        digitaTexto(edCodigo, "5");
        enter();
        QVERIFY(focado(dados, "edDescricao"));
        QCOMPARE(edCodigo->text(), QString("000005"));
        QCOMPARE(t.msgs.quantidade(), 0);
        digita(dados, "edDescricao", "Ferragens");

        // Another workstation takes it before the save: the save has no code to renumber to
        // either, so it saves nothing and keeps the description for a free code.
        Cadastro::grupoFornecedor(t.banco, "000005", "Outra estação");
        clica(dados, "btnGruFornec_Grava");
        QCOMPARE(t.msgs.textos(), QStringList({semProximo}));
        QVERIFY(dados->isVisible());
        QCOMPARE(edCodigo->text(), QString());
        QCOMPARE(Tela::texto(dados, "edDescricao"), QString("Ferragens"));
        t.msgs.limpa();

        // Back in the code field nothing is offered still; a free code typed there is saved,
        // and the next inclusion has nothing to offer either.
        digita(dados, "edCodigo", "6");
        QCOMPARE(t.msgs.textos(), QStringList({semProximo}));
        t.msgs.limpa();
        clica(dados, "btnGruFornec_Grava");
        QCOMPARE(t.msgs.textos(), QStringList({semProximo}));
        QCOMPARE(edCodigo->text(), QString());
        clica(dados, "btnGruFornec_Fechar");
    });
    QCOMPARE(t.banco.conta("GRU_Fornec"), 4);
    QCOMPARE(descricaoDoGrupo(t, "000005"), QString("Outra estação"));
    QCOMPARE(descricaoDoGrupo(t, "000006"), QString("Ferragens"));
}

void TstGrupoFornecedor::blankDescriptionAndLimpa()
{
    TelaTeste t;
    inclusao(t.app, t.driver, listaDeGruposDeFornecedores, [&](QDialog* dados) {
        // Blanks are no description.
        digita(dados, "edDescricao", "   ");
        clica(dados, "btnGruFornec_Grava");
        QCOMPARE(t.msgs.textos(), QStringList({"O Campo da Descrição Precisa ser Preenchido"}));
        QCOMPARE(t.msgs.mensagens()[0].tipo, TipoMensagem::Informacao);
        QVERIFY(focado(dados, "edDescricao"));
        t.msgs.limpa();

        // "Limpa" empties both fields and proposes the code again.
        digita(dados, "edCodigo", "77");
        digita(dados, "edDescricao", "Rascunho");
        clica(dados, "btnGruFornec_Limpa");
        QCOMPARE(texto(dados, "edCodigo"), QString("000001"));
        QCOMPARE(texto(dados, "edDescricao"), QString());
        QVERIFY(focado(dados, "edCodigo"));
        clica(dados, "btnGruFornec_Fechar");
    });
    QCOMPARE(t.msgs.quantidade(), 0);
    QCOMPARE(t.banco.conta("GRU_Fornec"), 0);
}

void TstGrupoFornecedor::descriptionStopsAtItsColumn_data()
{
    QTest::addColumn<QString>("botao");
    QTest::addColumn<QString>("codigo"); // the group saved
    QTest::addColumn<QString>("log");
    caso("insert", "btnGruFornec_Novo", "000002", "000001|Inclusão de Grupo de Fornecedor:000002");
    caso("change", "btnGruFornec_Altera", "000001",
         "000001|Alteração de Grupo de Fornecedor:000001");
}

void TstGrupoFornecedor::descriptionStopsAtItsColumn()
{
    QFETCH(QString, botao);
    QFETCH(QString, codigo);
    QFETCH(QString, log);
    TelaTeste t;
    t.flags("S", "N", "S");
    t.principal().CodUsuario = "000001";
    Cadastro::grupoFornecedor(t.banco, "000001", "Tintas");
    t.driver.aoAbrir([&](QDialog* lista) {
        clica(lista, qPrintable(botao));
        clica(lista, "btnGruFornec_Fechar");
    });
    t.driver.aoAbrir([&](QDialog* dados) {
        // Thirty-three characters typed: the field keeps the thirty its column holds, so the save
        // goes through instead of coming back as the database's refusal.
        campo(dados, "edDescricao")->clear();
        digita(dados, "edDescricao", "Materiais Eletricos e Hidraulicos");
        QCOMPARE(Tela::texto(dados, "edDescricao"), QString("Materiais Eletricos e Hidrauli"));
        clica(dados, "btnGruFornec_Grava");
        QCOMPARE(t.msgs.quantidade(), 0);
        if (dados->isVisible())
            clica(dados, "btnGruFornec_Fechar");
    });
    abreLista(t.app, listaDeGruposDeFornecedores);
    QCOMPARE(descricaoDoGrupo(t, codigo), QString("Materiais Eletricos e Hidrauli"));
    QCOMPARE(Cadastro::linhasLog(t.banco), QStringList({log}));
}

void TstGrupoFornecedor::windowFollowsItsMode_data()
{
    QTest::addColumn<QString>("antes"); // the mode of the previous opening
    QTest::addColumn<QString>("botao");
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<QString>("grava");
    QTest::addColumn<bool>("limpa");
    QTest::addColumn<bool>("codigoAtivo");
    QTest::addColumn<bool>("descricaoAtiva");
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("descricao");
    QTest::addColumn<QString>("foco");
    caso("Inclui after Exclui", "btnGruFornec_Exclui", "btnGruFornec_Novo",
         "Inclusão de Grupo de Fornecedores", "Grava", true, true, true, "000008", "", "edCodigo");
    caso("Altera after Inclui", "btnGruFornec_Novo", "btnGruFornec_Altera",
         "Alteração de Grupo de Fornecedores", "Altera", false, false, true, "000007", "Tintas",
         "edDescricao");
    caso("Exclui after Altera", "btnGruFornec_Altera", "btnGruFornec_Exclui",
         "Exclusão de Grupo de Fornecedores", "Exclui", false, false, false, "000007", "Tintas",
         "btnGruFornec_Grava");
}

void TstGrupoFornecedor::windowFollowsItsMode()
{
    QFETCH(QString, antes);
    QFETCH(QString, botao);
    QFETCH(QString, titulo);
    QFETCH(QString, grava);
    QFETCH(bool, limpa);
    QFETCH(bool, codigoAtivo);
    QFETCH(bool, descricaoAtiva);
    QFETCH(QString, codigo);
    QFETCH(QString, descricao);
    QFETCH(QString, foco);
    AplicacaoTeste t;
    Cadastro::grupoFornecedor(t.banco, "000007", "Tintas");
    DriverModal driver;
    driver.aoAbrir([&](QDialog* lista) {
        clica(lista, qPrintable(antes));
        clica(lista, qPrintable(botao));
        clica(lista, "btnGruFornec_Fechar");
    });
    // The previous opening leaves something typed behind.
    driver.aoAbrir([&](QDialog* dados) {
        if (campo(dados, "edDescricao")->isEnabled())
            digita(dados, "edDescricao", "Sobra");
        clica(dados, "btnGruFornec_Fechar");
    });
    driver.aoAbrir([&](QDialog* dados) {
        QCOMPARE(dados->windowTitle(), titulo);
        QCOMPARE(texto(dados, "lbTitulo"), titulo);
        QCOMPARE(Tela::botao(dados, "btnGruFornec_Grava")->text(), grava);
        QCOMPARE(Tela::botao(dados, "btnGruFornec_Limpa")->isVisible(), limpa);
        QCOMPARE(campo(dados, "edCodigo")->isEnabled(), codigoAtivo);
        QCOMPARE(campo(dados, "edDescricao")->isEnabled(), descricaoAtiva);
        QCOMPARE(texto(dados, "edCodigo"), codigo);
        QCOMPARE(texto(dados, "edDescricao"), descricao);
        QVERIFY(focado(dados, qPrintable(foco)));
        clica(dados, "btnGruFornec_Fechar");
    });
    abreLista(t.app, listaDeGruposDeFornecedores);
    QCOMPARE(driver.abertas().size(), 3);
}

void TstGrupoFornecedor::listOpensByDescriptionAndEnterMovesOn()
{
    AplicacaoTeste t;
    tresGrupos(t);
    DriverModal driver;
    driver.aoAbrir([&](QDialog* lista) {
        QCOMPARE(lista->windowTitle(), QString("Manutenção de Grupo de Fornecedores"));
        auto* rotulo = acha<QLabel>(lista, "lbBusca_GruFornec");
        QLineEdit* busca = campo(lista, "edBusca_GruFornec");
        QVERIFY(acha<QRadioButton>(lista, "rbDescricao")->isChecked());
        QCOMPARE(rotulo->text(), QString("Descrição:"));
        QCOMPARE(codigosDaLista(t.app, listaDeGruposDeFornecedores),
                 QStringList({"000002", "000003", "000001"}));
        QCOMPARE(focado(), busca);

        // A new order empties the search and hands it the focus.
        digitaTexto(busca, "Tin");
        clica(lista, "rbCodigo");
        QCOMPARE(rotulo->text(), QString("Código:"));
        QCOMPARE(codigosDaLista(t.app, listaDeGruposDeFornecedores),
                 QStringList({"000001", "000002", "000003"}));
        QCOMPARE(busca->text(), QString());
        QCOMPARE(focado(), busca);

        // Enter moves on to "Busca" without searching, and past it without pressing it; a
        // click on "Busca" searches.
        digitaTexto(busca, "3");
        enter(lista, "edBusca_GruFornec");
        QVERIFY(focado(lista, "btnBusca_GruFornec"));
        QCOMPARE(busca->text(), QString("3"));
        QCOMPARE(codigoAtual(t.app, listaDeGruposDeFornecedores), QString("000001"));
        enter(lista, "btnBusca_GruFornec");
        QCOMPARE(busca->text(), QString("3"));
        QCOMPARE(codigoAtual(t.app, listaDeGruposDeFornecedores), QString("000001"));
        clica(lista, "btnBusca_GruFornec");
        QCOMPARE(busca->text(), QString("000003"));
        QCOMPARE(codigoAtual(t.app, listaDeGruposDeFornecedores), QString("000003"));
        auto* grade = acha<QTableView>(lista, "dbgManut_GrupoFornecedor");
        QCOMPARE(grade->model()->index(grade->currentIndex().row(), 0).data().toString(),
                 QString("000003"));
        clica(lista, "btnGruFornec_Fechar");
    });
    // The next opening starts over, by description with an empty search.
    driver.aoAbrir([&](QDialog* lista) {
        QVERIFY(acha<QRadioButton>(lista, "rbDescricao")->isChecked());
        QCOMPARE(texto(lista, "lbBusca_GruFornec"), QString("Descrição:"));
        QCOMPARE(texto(lista, "edBusca_GruFornec"), QString());
        QVERIFY(focado(lista, "edBusca_GruFornec"));
        QCOMPARE(codigosDaLista(t.app, listaDeGruposDeFornecedores),
                 QStringList({"000002", "000003", "000001"}));
        clica(lista, "btnGruFornec_Fechar");
    });
    abreLista(t.app, listaDeGruposDeFornecedores);
    abreLista(t.app, listaDeGruposDeFornecedores);
}

void TstGrupoFornecedor::searchFieldPaddedOnLeaving_data()
{
    QTest::addColumn<QString>("ordem");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("escrito");
    QTest::addColumn<QString>("atual"); // the row "Busca" then finds
    caso("code 3", "rbCodigo", "3", "000003", "000003");
    caso("code of blanks left alone", "rbCodigo", "  ", "  ", "000001");
    caso("seven digits left alone", "rbCodigo", "1234567", "1234567", "000001");
    caso("description not padded", "rbDescricao", "Ma", "Ma", "000003");
}

void TstGrupoFornecedor::searchFieldPaddedOnLeaving()
{
    QFETCH(QString, ordem);
    QFETCH(QString, texto);
    QFETCH(QString, escrito);
    QFETCH(QString, atual);
    AplicacaoTeste t;
    tresGrupos(t);
    DriverModal driver;
    driver.aoAbrir([&](QDialog* busca) {
        clica(busca, qPrintable(ordem));
        // The search starts from the first row of the code order.
        t.app.dmGrupoFornecedor().cdsGrupoFornecedor.localiza("GRU_CODIGO", "000001");
        digita(busca, "edBusca", texto);
        // Leaving the field for the "Busca" button pads it first.
        clica(busca, "btnBusca");
        QCOMPARE(Tela::texto(busca, "edBusca"), escrito);
        QCOMPARE(codigoAtual(t.app, listaDeGruposDeFornecedores), atual);
        clica(busca, "btnFechar");
    });
    Modal::exec(&t.app.janela<TfBuscaGRU_For>());
}

void TstGrupoFornecedor::searchWindowOpensAfreshAndSelects()
{
    AplicacaoTeste t;
    tresGrupos(t);
    QDialog chamador;
    QLineEdit edCodGrupo(&chamador);
    QLineEdit outro(&chamador);
    outro.setFocus();
    chamador.show();
    chamador.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&chamador));
    TfBuscaGRU_For& janela = t.app.janela<TfBuscaGRU_For>();
    janela.registraDestino("Cad_Fornecedor", &edCodGrupo);
    DriverModal driver;
    driver.aoAbrir([&](QDialog* busca) {
        QCOMPARE(busca->windowTitle(), QString("Busca de Grupo de Fornecedores"));
        clica(busca, "rbCodigo");
        QCOMPARE(texto(busca, "lbTitulo"), QString("Código:"));
        QCOMPARE(codigosDaLista(t.app, listaDeGruposDeFornecedores),
                 QStringList({"000001", "000002", "000003"}));
        digita(busca, "edBusca", "2");
        clica(busca, "btnBusca");
        QCOMPARE(codigoAtual(t.app, listaDeGruposDeFornecedores), QString("000002"));
        // "Fechar" writes nothing.
        clica(busca, "btnFechar");
    });
    driver.aoAbrir([&](QDialog* busca) {
        QLineEdit* edBusca = campo(busca, "edBusca");
        QVERIFY(acha<QRadioButton>(busca, "rbDescricao")->isChecked());
        QCOMPARE(texto(busca, "lbTitulo"), QString("Descrição:"));
        QCOMPARE(edBusca->text(), QString());
        QCOMPARE(focado(), edBusca);
        QCOMPARE(codigosDaLista(t.app, listaDeGruposDeFornecedores),
                 QStringList({"000002", "000003", "000001"}));

        // Clicked back into, the search field has its whole text selected, ready to be typed
        // over.
        digitaTexto(edBusca, "Mad");
        auto* grade = acha<QTableView>(busca, "dbgBusca_GRUFor");
        grade->setFocus();
        clica(busca, "edBusca");
        QCOMPARE(focado(), edBusca);
        QTRY_COMPARE(edBusca->selectedText(), QString("Mad"));
        clica(busca, "btnBusca");
        QCOMPARE(codigoAtual(t.app, listaDeGruposDeFornecedores), QString("000003"));
        // Double-clicking the grid chooses nothing.
        QTest::mouseDClick(grade->viewport(), Qt::LeftButton, {},
                           grade->visualRect(grade->model()->index(1, 1)).center());
        QVERIFY(busca->isVisible());
        QCOMPARE(edCodGrupo.text(), QString());
        clica(busca, "btnSeleciona");
        QVERIFY(!busca->isVisible());
    });
    janela.Origem = "Cad_Fornecedor";
    Modal::exec(&janela);
    QCOMPARE(edCodGrupo.text(), QString());
    Modal::exec(&janela);
    QCOMPARE(edCodGrupo.text(), QString("000003"));
    QTRY_COMPARE(focado(), &edCodGrupo);
}

QTEST_MAIN(TstGrupoFornecedor)
#include "tst_grupofornecedor.moc"
