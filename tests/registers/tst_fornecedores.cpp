// Suppliers: the list window with its ordering and search boxes, the record window in its four
// modes (with the supplier group it looks up or picks) and the search window other windows pick
// a supplier from.

#include "app/Principal.h"
#include "common/Modal.h"
#include "data/DataModule_Fornecedor.h"
#include "data/DataSet.h"
#include "registers/BuscaGRU_For.h"
#include "registers/Busca_Fornecedor.h"
#include "registers/DadosFornecedor.h"
#include "registers/Manut_Fornec.h"
#include "support/AplicacaoTeste.h"
#include "support/Cadastro.h"
#include "support/DriverModal.h"
#include "support/GravadorMensagens.h"
#include "support/Tela.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QtTest>

using namespace Tela;

class TstFornecedores : public QObject {
    Q_OBJECT

private slots:
    void codeProposedTypedAndChecked_data();
    void codeProposedTypedAndChecked();
    void codeTakenMeanwhileOrClearedGetsANewOne();
    void clickRightAfterARefusedCodeSavesNothing();
    void enterWalksRoundAChangeAndKeepsItsCode();
    void failedWriteShowsTheDatabaseMessage_data();
    void failedWriteShowsTheDatabaseMessage();
    void typingStopsAtTheWidthButStoredTextIsNotCut();
    void windowFollowsItsMode_data();
    void windowFollowsItsMode();
    void auditLinesOnlyWithLoginAndLog_data();
    void auditLinesOnlyWithLoginAndLog();
    void groupLookedUpOnLeaving_data();
    void groupLookedUpOnLeaving();
    void groupSearchWritesTheGroupCode_data();
    void groupSearchWritesTheGroupCode();
    void buttonRefusedWithoutPermission_data();
    void buttonRefusedWithoutPermission();
    void listOpensByNameAndOrders();
    void quickSearchByColumn_data();
    void quickSearchByColumn();
    void searchWindowOpensAfreshAndSelects();
};

namespace {

// The list window's buttons that open the record window, and their modules.
const QList<BotaoDeModulo> botoesDaLista = {{"btnInclui", "1.5.1"},
                                            {"btnAltera", "1.5.2"},
                                            {"btnExclui", "1.5.3"},
                                            {"btnConsulta", "1.5.4"}};

void insereFornecedor(AplicacaoTeste& t, const QString& codigo, const QString& razao,
                      const QVariantMap& outros = {})
{
    QVariantMap colunas = outros;
    colunas.insert("FOR_Codigo", codigo);
    colunas.insert("FOR_Razao", razao);
    Cadastro::insere(t.banco, "Fornecedor", colunas);
}

// Three suppliers in a different order by code, by name and by trade name.
void tresFornecedores(AplicacaoTeste& t)
{
    insereFornecedor(t, "0000000007", "Tintas Cor Ltda",
                     {{"FOR_Fanta", "Aquarela"},
                      {"FOR_CNPJ", "11.222.333/0001-44"},
                      {"FOR_Fone1", "(19) 3232-1000"},
                      {"FOR_OBS", "Entrega às sextas"}});
    insereFornecedor(t, "0000000012", "Abrasivos Norte",
                     {{"FOR_Fanta", "Lixa Forte"},
                      {"FOR_CNPJ", "123.456.789-09"},
                      {"FOR_Fone1", "(11) 5555-0101"},
                      {"FOR_OBS", "Pagamento antecipado"}});
    insereFornecedor(t, "0000000003", "Madeireira Sul",
                     {{"FOR_Fanta", "Pinho Bom"},
                      {"FOR_CNPJ", "99.888.777/0001-66"},
                      {"FOR_Fone1", "(51) 3030-2020"},
                      {"FOR_OBS", "Frete por conta"}});
}

QString colunaDe(AplicacaoTeste& t, const QString& codigo, const QString& coluna)
{
    return t.banco
        .valor("Select " + coluna + " From Fornecedor Where FOR_Codigo = :C", {{"C", codigo}})
        .toString();
}

// The audit lines as "user|text", in the order of their texts.
QStringList linhasDoLog(AplicacaoTeste& t)
{
    QStringList r = Cadastro::linhasLog(t.banco);
    r.sort();
    return r;
}

} // namespace

void TstFornecedores::codeProposedTypedAndChecked_data()
{
    QTest::addColumn<QStringList>("existentes");
    QTest::addColumn<QString>("proposto");
    QTest::addColumn<QString>("digitado"); // null: the proposal is kept
    QTest::addColumn<QString>("codigo");   // the field once the user has moved on
    QTest::addColumn<bool>("tomado");
    caso("empty table", QStringList(), "0000000001", QString(), "0000000001", false);
    caso("highest is 41", QStringList({"0000000007", "0000000041"}), "0000000042", QString(),
         "0000000042", false);
    caso("7 typed", QStringList(), "0000000001", "7", "0000000007", false);
    caso("7 typed between blanks", QStringList(), "0000000001", " 7 ", "0000000007", false);
    caso("7 already taken: fresh proposal", QStringList({"0000000007"}), "0000000008", "7",
         "0000000008", true);
    caso("emptied code: all zeros", QStringList({"0000000003"}), "0000000004", "", "0000000000",
         false);
}

void TstFornecedores::codeProposedTypedAndChecked()
{
    QFETCH(QStringList, existentes);
    QFETCH(QString, proposto);
    QFETCH(QString, digitado);
    QFETCH(QString, codigo);
    QFETCH(bool, tomado);
    AplicacaoTeste t;
    for (const QString& c : existentes)
        insereFornecedor(t, c, "Existente " + c);
    GravadorMensagens msgs;
    DriverModal driver;
    pelaLista(driver, "btnInclui", "Button5", [&](QDialog* dados) {
        QLineEdit* edCodigo = campo(dados, "edCodigo");
        QCOMPARE(edCodigo->text(), proposto);
        QCOMPARE(focado(), edCodigo);
        if (digitado.isEmpty() && !digitado.isNull())
            QTest::keyClick(edCodigo, Qt::Key_Backspace);
        else if (!digitado.isNull())
            QTest::keyClicks(edCodigo, digitado);
        enter();
        if (tomado) {
            QCOMPARE(msgs.textos(), QStringList({"Código já Cadastrado, tente outro Código"}));
            QCOMPARE(msgs.mensagens()[0].tipo, TipoMensagem::Aviso);
            QTRY_COMPARE(focado(), edCodigo);
            msgs.limpa();
        } else {
            QCOMPARE(focado(), acha<QComboBox>(dados, "cbFJ"));
        }
        QCOMPARE(edCodigo->text(), codigo);

        digita(dados, "edRazao", "Ferragens São Jorge");
        clica(dados, "btnCadastra");
        QCOMPARE(msgs.quantidade(), 0);
        // Stays open, emptied, with the following code proposed and the list up to date.
        QVERIFY(dados->isVisible());
        QCOMPARE(campo(dados, "edRazao")->text(), QString());
        QCOMPARE(focado(), edCodigo);
        int maior = codigo.toInt();
        for (const QString& c : existentes)
            maior = std::max(maior, c.toInt());
        QCOMPARE(edCodigo->text(), QString::number(maior + 1).rightJustified(10, '0'));
        QVERIFY(codigosDaLista(t.app, listaDeFornecedores).contains(codigo));
        clica(dados, "btnSaida");
    });
    abreLista(t.app, listaDeFornecedores);
    QCOMPARE(driver.abertas(), QStringList({"TfManut_Fornec", "TfDadosFornecedor"}));
    QCOMPARE(t.banco.conta("Fornecedor"), existentes.size() + 1);
    QCOMPARE(colunaDe(t, codigo, "FOR_Razao"), QString("Ferragens São Jorge"));
    // A new supplier is a legal person registered today unless the user says otherwise.
    QCOMPARE(colunaDe(t, codigo, "FOR_Tipo"), QString("J"));
    QCOMPARE(t.banco.valor("Select FOR_DCad From Fornecedor Where FOR_Codigo = :C", {{"C", codigo}})
                 .toDate(),
             QDate::currentDate());
}

void TstFornecedores::codeTakenMeanwhileOrClearedGetsANewOne()
{
    AplicacaoTeste t;
    t.flags("S", "N", "S");
    t.principal().CodUsuario = "000001";
    GravadorMensagens msgs;
    DriverModal driver;
    pelaLista(driver, "btnInclui", "Button5", [&](QDialog* dados) {
        QCOMPARE(campo(dados, "edCodigo")->text(), QString("0000000001"));
        digita(dados, "edRazao", "Parafusos Brasil");
        // Another workstation takes the code while this one is typing.
        insereFornecedor(t, "0000000001", "Outra estação");
        clica(dados, "btnCadastra");
        QCOMPARE(msgs.textos(), QStringList({"Novo Código:0000000002"}));
        QCOMPARE(msgs.mensagens()[0].tipo, TipoMensagem::Informacao);
        msgs.limpa();

        // "Limpa os Campos" empties the code too; a supplier is never stored without one.
        digita(dados, "edRazao", "Rascunho");
        digita(dados, "edCidade", "Recife");
        clica(dados, "btnLimpa");
        QCOMPARE(campo(dados, "edCodigo")->text(), QString());
        QCOMPARE(campo(dados, "edRazao")->text(), QString());
        QCOMPARE(campo(dados, "edCidade")->text(), QString());
        digita(dados, "edRazao", "Porcas Unidas");
        clica(dados, "btnCadastra");
        QCOMPARE(msgs.textos(), QStringList({"Novo Código:0000000003"}));
        clica(dados, "btnSaida");
    });
    abreLista(t.app, listaDeFornecedores);
    QCOMPARE(colunaDe(t, "0000000001", "FOR_Razao"), QString("Outra estação"));
    QCOMPARE(colunaDe(t, "0000000002", "FOR_Razao"), QString("Parafusos Brasil"));
    QCOMPARE(colunaDe(t, "0000000003", "FOR_Razao"), QString("Porcas Unidas"));
    QCOMPARE(t.banco.conta("Fornecedor"), 3);
    QCOMPARE(linhasDoLog(t), QStringList({"000001|Inclusão de Fornecedor:0000000002",
                                          "000001|Inclusão de Fornecedor:0000000003"}));
}

void TstFornecedores::clickRightAfterARefusedCodeSavesNothing()
{
    AplicacaoTeste t;
    insereFornecedor(t, "0000000007", "Tintas Cor Ltda");
    GravadorMensagens msgs;
    DriverModal driver;
    pelaLista(driver, "btnInclui", "Button5", [&](QDialog* dados) {
        QLineEdit* edCodigo = campo(dados, "edCodigo");
        digita(dados, "edRazao", "Ferragens São Jorge");
        digita(dados, "edCodigo", "7");
        // The click leaves the code, which refuses it: the save stops there, without a new
        // number of its own, and the user is back in the code with a fresh proposal.
        clica(dados, "btnCadastra");
        QCOMPARE(msgs.textos(), QStringList({"Código já Cadastrado, tente outro Código"}));
        QCOMPARE(t.banco.conta("Fornecedor"), 1);
        QTRY_COMPARE(focado(), edCodigo);
        QCOMPARE(edCodigo->text(), QString("0000000008"));
        QCOMPARE(campo(dados, "edRazao")->text(), QString("Ferragens São Jorge"));
        // The next click saves under the code shown.
        clica(dados, "btnCadastra");
        QCOMPARE(msgs.quantidade(), 1);
        clica(dados, "btnSaida");
    });
    abreLista(t.app, listaDeFornecedores);
    QCOMPARE(t.banco.conta("Fornecedor"), 2);
    QCOMPARE(colunaDe(t, "0000000008", "FOR_Razao"), QString("Ferragens São Jorge"));
}

void TstFornecedores::enterWalksRoundAChangeAndKeepsItsCode()
{
    AplicacaoTeste t;
    t.flags("S", "N", "S");
    t.principal().CodUsuario = "000002";
    insereFornecedor(t, "0000000042", "Ferro Velho Ltda",
                     {{"FOR_Cidade", "Santos"}, {"FOR_Tipo", "J"}});
    insereFornecedor(t, "0000000043", "Gesso Fino", {{"FOR_Cidade", "Santos"}});
    GravadorMensagens msgs;
    DriverModal driver;
    driver.aoAbrir([&](QDialog* lista) {
        selecionaCodigo(t.app, listaDeFornecedores, lista, "0000000042");
        clica(lista, "btnAltera");
        clica(lista, "Button5");
    });
    driver.aoAbrir([&](QDialog* dados) {
        QCOMPARE(focado(), acha(dados, "cbFJ"));
        // Enter walks on through every control, the buttons included (pressing none of them),
        // and round to the code.
        const QStringList esperado = {
            "dtpDCad",   "edCodGrupo",  "btnBuscaGrupo", "edRazao",       "edFanta",   "edCNPJ",
            "edInsc",    "edEnder",     "edNumero",      "edComplemento", "edBairro",  "edCidade",
            "edUF",      "edCep",       "edFone1",       "edFone2",       "edFax",     "edCelular",
            "edContato", "edEmail",     "edHomeP",       "edBanco",       "edAgencia", "edConta",
            "edObs",     "btnCadastra", "btnSaida",      "edCodigo",      "cbFJ"};
        QStringList visitados;
        for (int i = 0; i < esperado.size(); ++i) {
            if (focado()->objectName() == "edCidade")
                digita(dados, "edCidade", "Campinas");
            enter();
            visitados << focado()->objectName();
        }
        QCOMPARE(visitados, esperado);
        QVERIFY(dados->isVisible());
        QCOMPARE(campo(dados, "edCodigo")->text(), QString("0000000042"));
        clica(dados, "btnCadastra");
        QVERIFY(!dados->isVisible());
    });
    abreLista(t.app, listaDeFornecedores);
    QCOMPARE(msgs.quantidade(), 0);
    QCOMPARE(t.app.janela<TfDadosFornecedor>().CodSelecionado, QString("0000000042"));
    QCOMPARE(colunaDe(t, "0000000042", "FOR_Cidade"), QString("Campinas"));
    QCOMPARE(colunaDe(t, "0000000042", "FOR_Razao"), QString("Ferro Velho Ltda"));
    QCOMPARE(colunaDe(t, "0000000043", "FOR_Cidade"), QString("Santos"));
    // Stored without a registration date, it is saved again without one.
    QVERIFY(
        t.banco.valor("Select FOR_DCad From Fornecedor Where FOR_Codigo = '0000000042'").isNull());
    QCOMPARE(t.banco.conta("Fornecedor"), 2);
    QCOMPARE(linhasDoLog(t), QStringList({"000002|Alteração de Fornecedor:0000000042"}));
}

void TstFornecedores::failedWriteShowsTheDatabaseMessage_data()
{
    QTest::addColumn<QString>("botao");
    QTest::addColumn<QString>("fone2"); // null: left as loaded
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("doBanco"); // part of the database's own message
    // The database refuses every write of this table (a rule of its own, as a full disk or a
    // lost server would): the window says which write failed, with the database's words.
    caso("insert refused", "btnInclui", "3232-2000", "Não Consegui Incluir, Tente Novamente !",
         "fornecedor recusado");
    caso("change refused", "btnAltera", "3232-2000", "Não Consegui Alterar, Tente Novamente !",
         "fornecedor recusado");
    caso("delete refused", "btnExclui", QString(), "Não Consegui Excluir, Tente Novamente !",
         "fornecedor recusado");
}

void TstFornecedores::failedWriteShowsTheDatabaseMessage()
{
    QFETCH(QString, botao);
    QFETCH(QString, fone2);
    QFETCH(QString, texto);
    QFETCH(QString, doBanco);
    AplicacaoTeste t;
    t.flags("S", "N", "S");
    t.principal().CodUsuario = "000001";
    insereFornecedor(t, "0000000001", "Tintas Cor Ltda", {{"FOR_Fone2", "3232-1000"}});
    t.banco.recusa("Fornecedor", "INSERT OR UPDATE OR DELETE", "fornecedor recusado");
    GravadorMensagens msgs;
    DriverModal driver;
    driver.aoAbrir([&](QDialog* lista) {
        clica(lista, qPrintable(botao));
        clica(lista, "Button5");
    });
    driver.aoAbrir([&](QDialog* dados) {
        if (botao == "btnInclui")
            digita(dados, "edRazao", "Tintas Cor Ltda");
        if (!fone2.isNull())
            digita(dados, "edFone2", fone2);
        const QString codigo = campo(dados, "edCodigo")->text();
        clica(dados, "btnCadastra");
        QCOMPARE(msgs.quantidade(), 1);
        QCOMPARE(msgs.mensagens()[0].tipo, TipoMensagem::Aviso);
        const QString mostrado = msgs.ultimoTexto();
        QVERIFY2(mostrado.startsWith(texto + "\nErro:  "), qPrintable(mostrado));
        QVERIFY2(mostrado.contains(doBanco), qPrintable(mostrado));
        // The window stays, with what the user typed.
        QVERIFY(dados->isVisible());
        QCOMPARE(campo(dados, "edCodigo")->text(), codigo);
        QCOMPARE(campo(dados, "edRazao")->text(), QString("Tintas Cor Ltda"));
        if (!fone2.isNull())
            QCOMPARE(campo(dados, "edFone2")->text(), fone2);
        clica(dados, "btnSaida");
    });
    abreLista(t.app, listaDeFornecedores);
    // Nothing stored, the audit line included.
    QCOMPARE(t.banco.conta("Fornecedor"), 1);
    QCOMPARE(colunaDe(t, "0000000001", "FOR_Fone2"), QString("3232-1000"));
    QCOMPARE(t.banco.conta("Log"), 0);
}

void TstFornecedores::typingStopsAtTheWidthButStoredTextIsNotCut()
{
    AplicacaoTeste t;
    // Sixty characters: the name column is wider than the field.
    const QString nomeLargo = "Comercio de Ferragens e Materiais Eletricos Irmaos Souza SA";
    QCOMPARE(nomeLargo.size(), 59);
    insereFornecedor(t, "0000000001", nomeLargo + "!");
    DriverModal driver;
    driver.aoAbrir([&](QDialog* lista) {
        clica(lista, "btnAltera");
        clica(lista, "btnInclui");
        clica(lista, "Button5");
    });
    driver.aoAbrir([&](QDialog* dados) {
        QLineEdit* razao = campo(dados, "edRazao");
        QCOMPARE(razao->text(), nomeLargo + "!");
        // Typing cannot make it longer, but it can be shortened.
        razao->setFocus();
        razao->end(false);
        QTest::keyClicks(razao, "X");
        QCOMPARE(razao->text(), nomeLargo + "!");
        QTest::keyClick(razao, Qt::Key_Backspace);
        QCOMPARE(razao->text(), nomeLargo);
        clica(dados, "btnCadastra");
        QVERIFY(!dados->isVisible());
    });
    driver.aoAbrir([&](QDialog* dados) {
        digita(dados, "edRazao", nomeLargo);
        QCOMPARE(campo(dados, "edRazao")->text(), nomeLargo.left(50));
        digita(dados, "edUF", "SPX");
        QCOMPARE(campo(dados, "edUF")->text(), QString("SP"));
        digita(dados, "edCodigo", "123456789012");
        QCOMPARE(campo(dados, "edCodigo")->text(), QString("1234567890"));
        auto* obs = acha<QPlainTextEdit>(dados, "edObs");
        obs->setFocus();
        QTest::keyClicks(obs, QString(205, 'o'));
        QCOMPARE(obs->toPlainText(), QString(200, 'o'));
        clica(dados, "btnSaida");
    });
    abreLista(t.app, listaDeFornecedores);
    QCOMPARE(colunaDe(t, "0000000001", "FOR_Razao"), nomeLargo);
    QCOMPARE(t.banco.conta("Fornecedor"), 1);
}

void TstFornecedores::windowFollowsItsMode_data()
{
    QTest::addColumn<QString>("antes"); // the button of the previous opening
    QTest::addColumn<QString>("botao");
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<QString>("cadastra"); // empty: hidden
    QTest::addColumn<bool>("limpa");
    QTest::addColumn<bool>("codigoLivre");
    QTest::addColumn<bool>("dadosLivres");
    QTest::addColumn<QString>("foco");
    caso("Inclui after Altera", "btnAltera", "btnInclui", "Inclusão de Fornecedores", "Inclui",
         true, true, true, "edCodigo");
    caso("Altera after Inclui", "btnInclui", "btnAltera", "Alteração de Fornecedores", "Altera",
         false, false, true, "cbFJ");
    caso("Exclui after Altera", "btnAltera", "btnExclui", "Exclusão de Fornecedores", "Exclui",
         false, false, false, "btnCadastra");
    caso("Consulta after Altera", "btnAltera", "btnConsulta", "Consulta de Fornecedores", QString(),
         false, false, false, "btnSaida");
}

void TstFornecedores::windowFollowsItsMode()
{
    QFETCH(QString, antes);
    QFETCH(QString, botao);
    QFETCH(QString, titulo);
    QFETCH(QString, cadastra);
    QFETCH(bool, limpa);
    QFETCH(bool, codigoLivre);
    QFETCH(bool, dadosLivres);
    QFETCH(QString, foco);
    AplicacaoTeste t;
    t.flags("S", "N", "S");
    Cadastro::grupoFornecedor(t.banco, "000003", "Metais");
    insereFornecedor(t, "0000000005", "Ferragens Silva",
                     {{"FOR_Tipo", "F"},
                      {"FOR_DCad", QDate(2004, 10, 10)},
                      {"FOR_Grupo", "000003"},
                      {"FOR_CNPJ", "123.456.789-09"},
                      {"FOR_OBS", "Só à vista"}});
    const bool inclui = botao == "btnInclui";
    GravadorMensagens msgs;
    DriverModal driver;
    driver.aoAbrir([&](QDialog* lista) {
        clica(lista, qPrintable(antes));
        clica(lista, qPrintable(botao));
        clica(lista, "Button5");
    });
    // The previous opening leaves something typed behind.
    driver.aoAbrir([&](QDialog* dados) {
        digita(dados, "edFanta", "Sobra");
        clica(dados, "btnSaida");
    });
    driver.aoAbrir([&](QDialog* dados) {
        QCOMPARE(dados->windowTitle(), QString("Inclusão de Fornecedores"));
        QCOMPARE(acha<QLabel>(dados, "lTitulo")->text(), titulo);
        auto* btnCadastra = acha<QPushButton>(dados, "btnCadastra");
        QCOMPARE(btnCadastra->isVisible(), !cadastra.isEmpty());
        if (!cadastra.isEmpty())
            QCOMPARE(btnCadastra->text(), cadastra);
        QCOMPARE(acha<QPushButton>(dados, "btnLimpa")->isVisible(), limpa);
        QCOMPARE(focado(), acha(dados, qPrintable(foco)));

        QLineEdit* edCodigo = campo(dados, "edCodigo");
        auto* cbFJ = acha<QComboBox>(dados, "cbFJ");
        auto* dtp = acha<QDateEdit>(dados, "dtpDCad");
        auto* obs = acha<QPlainTextEdit>(dados, "edObs");
        QCOMPARE(edCodigo->isReadOnly(), !codigoLivre);
        for (const char* nome :
             {"edCodGrupo", "edRazao", "edFanta", "edCNPJ", "edFone2", "edConta"})
            QCOMPARE(campo(dados, nome)->isReadOnly(), !dadosLivres);
        QCOMPARE(obs->isReadOnly(), !dadosLivres);
        QCOMPARE(cbFJ->isEnabled(), dadosLivres);
        QCOMPARE(dtp->isEnabled(), dadosLivres);
        // The group search is open in every mode.
        QVERIFY(acha<QPushButton>(dados, "btnBuscaGrupo")->isEnabled());
        QVERIFY(campo(dados, "edDescGrupo")->isReadOnly());

        if (inclui) {
            QCOMPARE(edCodigo->text(), QString("0000000006"));
            QCOMPARE(campo(dados, "edFanta")->text(), QString());
            QCOMPARE(cbFJ->currentText(), QString("Pessoa Jurídica (J)"));
            QCOMPARE(dtp->date(), QDate::currentDate());
            QCOMPARE(campo(dados, "edDescGrupo")->text(), QString());
        } else {
            QCOMPARE(edCodigo->text(), QString("0000000005"));
            QCOMPARE(campo(dados, "edRazao")->text(), QString("Ferragens Silva"));
            QCOMPARE(campo(dados, "edFanta")->text(), QString());
            QCOMPARE(campo(dados, "edCNPJ")->text(), QString("123.456.789-09"));
            QCOMPARE(obs->toPlainText(), QString("Só à vista"));
            QCOMPARE(cbFJ->currentText(), QString("Pessoa Física (F)"));
            QCOMPARE(dtp->date(), QDate(2004, 10, 10));
            QCOMPARE(campo(dados, "edCodGrupo")->text(), QString("000003"));
            QCOMPARE(campo(dados, "edDescGrupo")->text(), QString("Metais"));
        }
        if (!dadosLivres) {
            // Nothing can be typed.
            digita(dados, "edRazao", "Outro Nome");
            QCOMPARE(campo(dados, "edRazao")->text(), QString("Ferragens Silva"));
            QTest::keyClicks(obs, "x");
            QCOMPARE(obs->toPlainText(), QString("Só à vista"));
        }
        // Walking round the whole window saves nothing in any mode.
        for (int i = 0; i < 32; ++i)
            enter();
        QVERIFY(dados->isVisible());
        clica(dados, "btnSaida");
    });
    abreLista(t.app, listaDeFornecedores);
    QCOMPARE(driver.abertas().size(), 3);
    QCOMPARE(msgs.quantidade(), 0);
    QCOMPARE(t.banco.conta("Fornecedor"), 1);
    QCOMPARE(colunaDe(t, "0000000005", "FOR_Razao"), QString("Ferragens Silva"));
    QCOMPARE(colunaDe(t, "0000000005", "FOR_Fanta"), QString());
    QCOMPARE(t.banco.conta("Log"), 0);
}

void TstFornecedores::auditLinesOnlyWithLoginAndLog_data()
{
    Cadastro::casosDoLog();
}

void TstFornecedores::auditLinesOnlyWithLoginAndLog()
{
    QFETCH(bool, registra);
    AplicacaoTeste t;
    t.auditoriaDaLinha("000004");
    insereFornecedor(t, "0000000001", "Alfa Metais");
    insereFornecedor(t, "0000000002", "Beta Tintas");
    GravadorMensagens msgs;
    DriverModal driver;
    driver.aoAbrir([&](QDialog* lista) {
        clica(lista, "btnInclui");
        selecionaCodigo(t.app, listaDeFornecedores, lista, "0000000001");
        clica(lista, "btnAltera");
        selecionaCodigo(t.app, listaDeFornecedores, lista, "0000000002");
        clica(lista, "btnExclui");
        clica(lista, "Button5");
    });
    driver.aoAbrir([&](QDialog* dados) {
        digita(dados, "edRazao", "Gama Ferragens");
        auto* cbFJ = acha<QComboBox>(dados, "cbFJ");
        cbFJ->setFocus();
        QTest::keyClick(cbFJ, Qt::Key_Down);
        QCOMPARE(cbFJ->currentText(), QString("Pessoa Física (F)"));
        digita(dados, "edFone2", "3232-0000");
        acha<QPlainTextEdit>(dados, "edObs")->setFocus();
        QTest::keyClicks(acha<QPlainTextEdit>(dados, "edObs"), "Fecha cedo");
        clica(dados, "btnCadastra");
        clica(dados, "btnSaida");
    });
    driver.aoAbrir([&](QDialog* dados) {
        // A name of blanks is refused.
        digita(dados, "edRazao", "   ");
        clica(dados, "btnCadastra");
        QCOMPARE(msgs.textos(), QStringList({"Campo Razão Social/Nome Deve ser Preenchido"}));
        QCOMPARE(msgs.mensagens()[0].tipo, TipoMensagem::Aviso);
        QCOMPARE(focado(), campo(dados, "edRazao"));
        msgs.limpa();
        digita(dados, "edRazao", "Alfa Metais e Cia");
        clica(dados, "btnCadastra");
        QVERIFY(!dados->isVisible());
    });
    driver.aoAbrir([&](QDialog* dados) {
        QCOMPARE(campo(dados, "edCodigo")->text(), QString("0000000002"));
        clica(dados, "btnCadastra");
        QVERIFY(!dados->isVisible());
    });
    abreLista(t.app, listaDeFornecedores);
    QCOMPARE(msgs.quantidade(), 0);
    QCOMPARE(colunaDe(t, "0000000001", "FOR_Razao"), QString("Alfa Metais e Cia"));
    QCOMPARE(colunaDe(t, "0000000003", "FOR_Razao"), QString("Gama Ferragens"));
    QCOMPARE(colunaDe(t, "0000000003", "FOR_Tipo"), QString("F"));
    QCOMPARE(colunaDe(t, "0000000003", "FOR_Fone2"), QString("3232-0000"));
    QCOMPARE(colunaDe(t, "0000000003", "FOR_OBS"), QString("Fecha cedo"));
    QCOMPARE(t.banco.conta("Fornecedor"), 2);
    // The list shows what is stored, by name.
    QCOMPARE(codigosDaLista(t.app, listaDeFornecedores), QStringList({"0000000001", "0000000003"}));
    QCOMPARE(linhasDoLog(t), registra ? QStringList({"000004|Alteração de Fornecedor:0000000001",
                                                     "000004|Exclusão de Fornecedor:0000000002",
                                                     "000004|Inclusão de Fornecedor:0000000003"})
                                      : QStringList());
}

void TstFornecedores::groupLookedUpOnLeaving_data()
{
    QTest::addColumn<QString>("digitado");
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("descricao");
    QTest::addColumn<QStringList>("mensagens");
    QTest::addColumn<QString>("foco");
    // How the user leaves the field: Enter (towards "..."), Shift+Tab (back to the date), or
    // a click into another field.
    QTest::addColumn<QString>("saida");
    caso("3 is group 000003", "3", "000003", "Metais", QStringList(), "edRazao", "Enter");
    // A group found always leads on to the name, wherever the user was heading.
    caso("3, leaving with Shift+Tab", "3", "000003", "Metais", QStringList(), "edRazao",
         "Shift+Tab");
    caso("3, clicking into the city", "3", "000003", "Metais", QStringList(), "edRazao",
         "edCidade");
    caso("missing group", " 9", "000009", "", QStringList({"Grupo de Fornecedor não Encontrado"}),
         "edCodGrupo", "Enter");
    caso("no group", "  ", "", "", QStringList(), "btnBuscaGrupo", "Enter");
}

void TstFornecedores::groupLookedUpOnLeaving()
{
    QFETCH(QString, digitado);
    QFETCH(QString, codigo);
    QFETCH(QString, descricao);
    QFETCH(QStringList, mensagens);
    QFETCH(QString, foco);
    QFETCH(QString, saida);
    AplicacaoTeste t;
    Cadastro::grupoFornecedor(t.banco, "000003", "Metais");
    GravadorMensagens msgs;
    DriverModal driver;
    pelaLista(driver, "btnInclui", "Button5", [&](QDialog* dados) {
        digita(dados, "edRazao", "Metalúrgica Paulista");
        QLineEdit* grupo = campo(dados, "edCodGrupo");
        // An earlier look-up leaves its description behind.
        digita(dados, "edCodGrupo", "3");
        enter();
        QCOMPARE(campo(dados, "edDescGrupo")->text(), QString("Metais"));
        digita(dados, "edCodGrupo", digitado);
        if (saida == "Enter")
            enter();
        else if (saida == "Shift+Tab")
            QTest::keyClick(focado(), Qt::Key_Backtab, Qt::ShiftModifier);
        else
            clica(dados, qPrintable(saida));
        QCOMPARE(msgs.textos(), mensagens);
        QCOMPARE(grupo->text(), codigo);
        QCOMPARE(campo(dados, "edDescGrupo")->text(), descricao);
        QTRY_COMPARE(focado()->objectName(), foco);
        if (!mensagens.isEmpty()) {
            QCOMPARE(msgs.mensagens()[0].tipo, TipoMensagem::Aviso);
            QCOMPARE(grupo->selectedText(), codigo);
            clica(dados, "btnSaida");
            return;
        }
        clica(dados, "btnCadastra");
        clica(dados, "btnSaida");
    });
    abreLista(t.app, listaDeFornecedores);
    if (mensagens.isEmpty())
        QCOMPARE(colunaDe(t, "0000000001", "FOR_Grupo"), codigo);
}

void TstFornecedores::groupSearchWritesTheGroupCode_data()
{
    QTest::addColumn<QString>("botao");
    QTest::addColumn<bool>("porF5");
    for (const char* botao : {"btnInclui", "btnExclui", "btnConsulta"})
        for (bool porF5 : {true, false})
            QTest::addRow("%s, %s", botao, porF5 ? "F5" : "...") << QString(botao) << porF5;
}

void TstFornecedores::groupSearchWritesTheGroupCode()
{
    QFETCH(QString, botao);
    QFETCH(bool, porF5);
    AplicacaoTeste t;
    Cadastro::grupoFornecedor(t.banco, "000001", "Tintas");
    Cadastro::grupoFornecedor(t.banco, "000002", "Abrasivos");
    // Stored with a group that has no row.
    insereFornecedor(t, "0000000005", "Ferragens Silva", {{"FOR_Grupo", "000009"}});
    GravadorMensagens msgs;
    DriverModal driver;
    const QByteArray abre = botao.toLatin1();
    pelaLista(driver, abre.constData(), "Button5", [&](QDialog* dados) {
        QLineEdit* grupo = campo(dados, "edCodGrupo");
        if (botao != "btnInclui") {
            // Shown as stored: passing through the group looks it up no more, so a supplier
            // only looked at does not hold the user in its group.
            QCOMPARE(grupo->text(), QString("000009"));
            grupo->setFocus();
            enter();
            QVERIFY(!grupo->hasFocus());
            QCOMPARE(msgs.quantidade(), 0);
        }
        abreBusca(dados, "edCodGrupo", "btnBuscaGrupo", porF5);
        QCOMPARE(grupo->text(), QString("000002"));
        QTRY_COMPARE(focado(), grupo);
        // Leaving the field looks the group up.
        enter();
        QCOMPARE(campo(dados, "edDescGrupo")->text(), QString("Abrasivos"));
        QCOMPARE(focado(), campo(dados, "edRazao"));
        clica(dados, "btnSaida");
    });
    driver.aoAbrir([&](QDialog* busca) {
        QCOMPARE(busca->objectName(), QString("TfBuscaGRU_For"));
        QCOMPARE(t.app.janela<TfBuscaGRU_For>().Origem, QString("Cad_Fornecedor"));
        // By description, Abrasivos comes first.
        acha<QTableView>(busca, "dbgBusca_GRUFor")->selectRow(0);
        clica(busca, "btnSeleciona");
    });
    abreLista(t.app, listaDeFornecedores);
    QCOMPARE(msgs.quantidade(), 0);
    QCOMPARE(driver.abertas(),
             QStringList({"TfManut_Fornec", "TfDadosFornecedor", "TfBuscaGRU_For"}));
    // Nothing was saved or deleted.
    QCOMPARE(t.banco.conta("Fornecedor"), 1);
    QCOMPARE(colunaDe(t, "0000000005", "FOR_Grupo"), QString("000009"));
}

void TstFornecedores::buttonRefusedWithoutPermission_data()
{
    linhasDosBotoes({"Novo", "Altera", "Exclui", "Consulta"}, botoesDaLista);
}

void TstFornecedores::buttonRefusedWithoutPermission()
{
    QFETCH(QString, botao);
    QFETCH(QString, modulo);
    AplicacaoTeste t;
    tresFornecedores(t);
    t.comPermissoes("000001", {"1", "1.5", "1.5.1", "1.5.2", "1.5.3", "1.5.4"}, modulo);
    GravadorMensagens msgs;
    DriverModal driver;
    botaoRecusado(t.principal(), driver, msgs, "Fornecedores1", botoesDaLista, botao, "Button5",
                  "btnSaida");
    QCOMPARE(driver.abertas().size(), 4);
    QCOMPARE(msgs.quantidade(), 1);
    QCOMPARE(t.banco.conta("Fornecedor"), 3);
}

void TstFornecedores::listOpensByNameAndOrders()
{
    AplicacaoTeste t;
    tresFornecedores(t);
    DriverModal driver;
    driver.aoAbrir([&](QDialog* lista) {
        QCOMPARE(lista->windowTitle(), QString("Manutenção de Fornecedores"));
        QVERIFY(acha<QRadioButton>(lista, "rbtnRazao")->isChecked());
        QVERIFY(acha<QRadioButton>(lista, "rbRazao")->isChecked());
        QCOMPARE(acha<QLabel>(lista, "lbTitulo")->text(), QString("R.Social/Nome:"));
        QCOMPARE(codigosDaLista(t.app, listaDeFornecedores),
                 QStringList({"0000000012", "0000000003", "0000000007"}));
        auto* grade = acha<QTableView>(lista, "dbManut_For");
        QCOMPARE(grade->model()->columnCount(), 26);
        QCOMPARE(grade->model()->headerData(0, Qt::Horizontal).toString(), QString("Código"));
        QCOMPARE(grade->model()->headerData(10, Qt::Horizontal).toString(),
                 QString("I.Estadual/R.G.:"));
        QCOMPARE(grade->model()->headerData(25, Qt::Horizontal).toString(), QString("Cód.Grupo"));
        QCOMPARE(grade->model()->index(0, 1).data().toString(), QString("Lixa Forte"));

        clica(lista, "rbtnCodigo");
        QCOMPARE(codigosDaLista(t.app, listaDeFornecedores),
                 QStringList({"0000000003", "0000000007", "0000000012"}));
        clica(lista, "rbtnFatasia");
        QCOMPARE(codigosDaLista(t.app, listaDeFornecedores),
                 QStringList({"0000000007", "0000000012", "0000000003"}));
        // Ordering leaves the search choice alone.
        QCOMPARE(acha<QLabel>(lista, "lbTitulo")->text(), QString("R.Social/Nome:"));
        clica(lista, "rbTelefone");
        QCOMPARE(acha<QLabel>(lista, "lbTitulo")->text(), QString("Telefone:"));

        clica(lista, "btnConsulta");
        QCOMPARE(t.app.janela<TfManut_Fornec>().Modo, ::Modo::Consulta);
        clica(lista, "Button5");
        QCOMPARE(t.app.janela<TfManut_Fornec>().Modo, ::Modo::Nenhum);
    });
    driver.aoAbrir([&](QDialog* dados) { clica(dados, "btnSaida"); });
    // The next opening starts over by name.
    driver.aoAbrir([&](QDialog* lista) {
        QVERIFY(acha<QRadioButton>(lista, "rbtnRazao")->isChecked());
        QVERIFY(acha<QRadioButton>(lista, "rbRazao")->isChecked());
        QCOMPARE(acha<QLabel>(lista, "lbTitulo")->text(), QString("R.Social/Nome:"));
        QCOMPARE(codigosDaLista(t.app, listaDeFornecedores),
                 QStringList({"0000000012", "0000000003", "0000000007"}));
        clica(lista, "Button5");
    });
    abreLista(t.app, listaDeFornecedores);
    abreLista(t.app, listaDeFornecedores);
}

void TstFornecedores::quickSearchByColumn_data()
{
    colunasDaBuscaRapida();
    caso("code 7", "rbCodigo", "Código:", "7", "0000000007", "0000000007");
    caso("code of eleven digits left alone", "rbCodigo", "Código:", "12345678901", "12345678901",
         "0000000012");
    caso("name, case counts", "rbRazao", "R.Social/Nome:", "madeireira", "madeireira",
         "0000000012");
    caso("name", "rbRazao", "R.Social/Nome:", "Madeireira", "Madeireira", "0000000003");
    caso("trade name", "rbFantasia", "N.Fantasia/Apelido:", "Aqua", "Aqua", "0000000007");
    caso("CPF", "rbCNPJ", "CNPJ/CPF:", "123.456", "123.456", "0000000012");
    caso("telephone", "rbTelefone", "Telefone:", "(51)", "(51)", "0000000003");
    caso("remarks", "rbObs", "Observações:", "Entrega às", "Entrega às", "0000000007");
}

void TstFornecedores::quickSearchByColumn()
{
    const auto [radio, rotulo, texto, escrito, atual] = buscaRapidaDaLinha();
    AplicacaoTeste t;
    tresFornecedores(t);
    DriverModal driver;
    driver.aoAbrir([&](QDialog* lista) {
        // The list, by name, starts on Abrasivos Norte (0000000012).
        clica(lista, qPrintable(radio));
        QCOMPARE(acha<QLabel>(lista, "lbTitulo")->text(), rotulo);
        QLineEdit* busca = campo(lista, "edBuscaFornec");
        digita(lista, "edBuscaFornec", texto);
        // Leaving the field for the "Busca" button pads a code first.
        clica(lista, "btnBusca_Fornec");
        QCOMPARE(busca->text(), escrito);
        QCOMPARE(codigoAtual(t.app, listaDeFornecedores), atual);
        auto* grade = acha<QTableView>(lista, "dbManut_For");
        QCOMPARE(grade->model()->index(grade->currentIndex().row(), 0).data().toString(), atual);
        // Back in the field, the old search is selected, ready to be typed over.
        busca->setFocus();
        QCOMPARE(busca->selectedText(), escrito);
        clica(lista, "Button5");
    });
    abreLista(t.app, listaDeFornecedores);
}

void TstFornecedores::searchWindowOpensAfreshAndSelects()
{
    AplicacaoTeste t;
    tresFornecedores(t);
    QDialog chamador;
    QLineEdit edENT_CodFor(&chamador);
    QLineEdit outro(&chamador);
    outro.setFocus();
    chamador.show();
    chamador.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&chamador));
    TfBusca_Fornecedor& janela = t.app.janela<TfBusca_Fornecedor>();
    janela.registraDestino("Entrada", &edENT_CodFor);
    DriverModal driver;
    driver.aoAbrir([&](QDialog* busca) {
        QCOMPARE(busca->windowTitle(), QString("Busca de Fornecedores"));
        QVERIFY(acha<QRadioButton>(busca, "rbRazao")->isChecked());
        QCOMPARE(acha<QLabel>(busca, "lbBusca")->text(), QString("R.Social/Nome:"));
        QCOMPARE(codigosDaLista(t.app, listaDeFornecedores),
                 QStringList({"0000000012", "0000000003", "0000000007"}));
        clica(busca, "rbFanta");
        QCOMPARE(acha<QLabel>(busca, "lbBusca")->text(), QString("N.Fantasia/Apelido:"));
        QCOMPARE(codigosDaLista(t.app, listaDeFornecedores),
                 QStringList({"0000000007", "0000000012", "0000000003"}));
        clica(busca, "rbCodigo");
        QCOMPARE(acha<QLabel>(busca, "lbBusca")->text(), QString("Código:"));
        QCOMPARE(codigosDaLista(t.app, listaDeFornecedores),
                 QStringList({"0000000003", "0000000007", "0000000012"}));
        digita(busca, "edBusca", "12");
        clica(busca, "btnBusca_Grupos");
        QCOMPARE(campo(busca, "edBusca")->text(), QString("0000000012"));
        QCOMPARE(codigoAtual(t.app, listaDeFornecedores), QString("0000000012"));
        // "Fechar" writes nothing.
        clica(busca, "btnFechar");
    });
    driver.aoAbrir([&](QDialog* busca) {
        QVERIFY(acha<QRadioButton>(busca, "rbRazao")->isChecked());
        QCOMPARE(acha<QLabel>(busca, "lbBusca")->text(), QString("R.Social/Nome:"));
        QCOMPARE(campo(busca, "edBusca")->text(), QString());
        QCOMPARE(codigosDaLista(t.app, listaDeFornecedores),
                 QStringList({"0000000012", "0000000003", "0000000007"}));
        digita(busca, "edBusca", "Tin");
        clica(busca, "btnBusca_Grupos");
        QCOMPARE(codigoAtual(t.app, listaDeFornecedores), QString("0000000007"));
        clica(busca, "btnSeleciona");
        QVERIFY(!busca->isVisible());
    });
    // A caller the contract does not name gets nothing.
    driver.aoAbrir([&](QDialog* busca) { clica(busca, "btnSeleciona"); });
    janela.Origem = "Entrada";
    Modal::exec(&janela);
    QCOMPARE(edENT_CodFor.text(), QString());
    Modal::exec(&janela);
    QCOMPARE(edENT_CodFor.text(), QString("0000000007"));
    QTRY_COMPARE(focado(), &edENT_CodFor);
    edENT_CodFor.clear();
    janela.Origem = "Desconhecida";
    Modal::exec(&janela);
    QCOMPARE(edENT_CodFor.text(), QString());
    QCOMPARE(outro.text(), QString());
}

QTEST_MAIN(TstFornecedores)
#include "tst_fornecedores.moc"
