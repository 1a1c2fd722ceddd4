// Products: the list with its four orderings and five-column quick search, the record window in
// its four modes (typed codes, the group look-up and search, minimum, maximum and unit value,
// the deletion guard), and the search window that the movement windows pick a product from.

#include "app/Principal.h"
#include "common/Decimal.h"
#include "data/DadosDemo.h"
#include "data/DataModule_Produtos.h"
#include "data/DataSet.h"
#include "registers/Busca_Grupos.h"
#include "registers/Busca_Produtos.h"
#include "registers/Dados_Produtos.h"
#include "registers/Manut_Produtos.h"
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
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QtTest>

using namespace Tela;

class TstProdutos : public QObject {
    Q_OBJECT

private slots:
    void inclusion_data();
    void inclusion();
    void duplicateCodeRefusedWhenLeavingItAndLimpa();
    void groupLookUpAndGroupSearch_data();
    void groupLookUpAndGroupSearch();
    void saveRightAfterAnUnknownGroupWritesNothing();
    void minimumAndMaximum_data();
    void minimumAndMaximum();
    void changeLoadsTheProductAndWritesOnlyWhatItOwns();
    void consultaShowsAndNeverWrites();
    void deletion_data();
    void deletion();
    void failedWritesRollBackAndKeepTheFields();
    void buttonRefusedWithoutPermission_data();
    void buttonRefusedWithoutPermission();
    void quickSearch_data();
    void quickSearch();
    void quickSearchFindsTheLastOfALongList();
    void quickSearchFindsWhatAnotherWorkstationSaved_data();
    void quickSearchFindsWhatAnotherWorkstationSaved();
    void everyOpeningGoesBackToTheDescription();
    void productsOfADeletedGroupAreNotListed();
    void searchWindowHandsBackTheCodeWithItsBlanks();
};

namespace {

// The list window's buttons that open the record window, and their modules.
const QList<BotaoDeModulo> botoesDaLista = {{"btnManut_PRO_Novo", "1.2.1"},
                                            {"btnManut_PRO_Altera", "1.2.2"},
                                            {"btnManut_PRO_Exclui", "1.2.3"},
                                            {"btnManut_PRO_Consulta", "1.2.4"}};
const QString codigoRepetido = QStringLiteral("Código já Cadastrado, tente outro !");
const QString grupoNaoEncontrado = QStringLiteral("Grupo não Encontrado !");
const QString minimoMenor = QStringLiteral("Estoque Mínimo tem que ser menor que Estoque Máximo");
const QString maximoMaior =
    QStringLiteral("Estoque Máximo tem que ser Maior ou Igual ao Estoque Mínimo");
const QString minimoDeve =
    QStringLiteral("Estoque Mínimo DEVE ser menor ou igual ao Estoque Máximo");
const QString minimoNaoNumero =
    QStringLiteral("O Campo Estoque Mínimo deve ser Preenchido com um Número !");
const QString comMovimento =
    QStringLiteral("Produto não pode ser excluído, pois tem alguma movimentação");
const QString falha = QStringLiteral("Deu Erro, tente novamente !");
const QString listaPorDescricao =
    QStringLiteral("Select p.*,g.GRU_Descricao From Produtos p join Grupos g "
                   "on(p.PRO_CodGRU =g.GRU_Codigo) Order By p.PRO_Descricao");

// A product as a stock entry would have left it; `outros` sets further columns by name.
void insereProduto(AplicacaoTeste& t, const QString& codigo, const QString& descricao,
                   const QVariantMap& outros = {})
{
    QVariantMap v{{"PRO_Codigo", codigo},   {"PRO_Descricao", descricao},
                  {"PRO_CodGru", "000001"}, {"PRO_Quant", 0},
                  {"PRO_Min", 0},           {"PRO_EMax", 0},
                  {"PRO_Valor", 0},         {"PRO_Consumivel", "S"}};
    v.insert(outros);
    Cadastro::insere(t.banco, "Produtos", v);
}

QVariant decimal(qint64 unidades, int escala)
{
    return QVariant::fromValue(Decimal(unidades, escala));
}

QString comoTexto(const QVariant& v)
{
    return v.value<Decimal>().toString();
}

// Code, description and group of a new product, each left with Tab.
void preencheObrigatorios(QDialog* dados, const QString& codigo)
{
    digita(dados, "edPRO_Codigo", codigo);
    tab(dados, "edPRO_Codigo");
    digita(dados, "edPRO_Descricao", QStringLiteral("Chave de Fenda"));
    digita(dados, "edPRO_CodGru", "1");
    tab(dados, "edPRO_CodGru");
}

} // namespace

void TstProdutos::inclusion_data()
{
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("log");
    QTest::addColumn<QString>("digitado");
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("valor");
    QTest::addColumn<QString>("valorMostrado");
    QTest::addColumn<QString>("valorGravado");
    QTest::addColumn<bool>("naoConsumivel");
    QTest::addColumn<QString>("linhaLog"); // empty: no audit line

    caso("code 12, logged", "S", "S", "12", "        12", "1234.5", "R$ 1.234,50", "1234.50", false,
         QStringLiteral("Inclusão de Produto:        12"));
    // The unit value rounds the way it shows, half away from zero, never through a double.
    caso("ten characters, log without login", "N", "S", "ABCDEFGHIJ", "ABCDEFGHIJ", "2.135",
         "R$ 2,14", "2.14", true, QString());
    caso("login without log", "S", "N", "7", "         7", "0,5", "R$ 0,50", "0.50", false,
         QString());
}

void TstProdutos::inclusion()
{
    QFETCH(QString, digitado);
    QFETCH(QString, codigo);
    QFETCH(QString, valor);
    QFETCH(QString, valorMostrado);
    QFETCH(QString, valorGravado);
    QFETCH(bool, naoConsumivel);
    QFETCH(QString, linhaLog);
    AplicacaoTeste t;
    t.auditoriaDaLinha("000004");
    Cadastro::grupo(t.banco, "000001", "Ferramentas");
    GravadorMensagens msgs;
    DriverModal driver;
    abreDados(t.app, driver, listaDeProdutos, "btnManut_PRO_Novo", [&](QDialog* dados) {
        QCOMPARE(dados->windowTitle(), QStringLiteral("Inclusão de Produtos"));
        QCOMPARE(acha<QLabel>(dados, "lbDados_Pro_Titulo")->text(),
                 QStringLiteral("Inclusão de Produtos"));
        QCOMPARE(acha<QPushButton>(dados, "btnPRO_Salva")->text(), QString("Grava"));
        QVERIFY(acha<QPushButton>(dados, "btnPRO_Limpa")->isVisible());
        auto* consumivel = acha<QComboBox>(dados, "cbPRO_Consumivel");
        QVERIFY(consumivel->isEnabled());
        QCOMPARE(consumivel->currentText(), QString("Sim"));
        QCOMPARE(texto(dados, "edPRO_Quant"), QString("0,000"));
        QCOMPARE(texto(dados, "edPRO_Valor"), QString("R$   0,00"));
        QCOMPARE(texto(dados, "edPRO_Min"), QString("0"));
        QCOMPARE(texto(dados, "edPRO_EMax"), QString("0"));
        QCOMPARE(texto(dados, "edPRO_UComp"), QString("  /  /    "));
        QCOMPARE(acha<QDateEdit>(dados, "dtpPRO_DCad")->date(), QDate::currentDate());
        QCOMPARE(focado(), campo(dados, "edPRO_Codigo"));

        digitaTexto(campo(dados, "edPRO_Codigo"), digitado);
        // Enter moves on like Tab, and leaving the code pads it.
        QTest::keyClick(campo(dados, "edPRO_Codigo"), Qt::Key_Return);
        QCOMPARE(texto(dados, "edPRO_Codigo"), codigo);
        QCOMPARE(focado(), campo(dados, "edPRO_Descricao"));
        digitaTexto(campo(dados, "edPRO_Descricao"), QStringLiteral("Chave de Fenda"));
        digita(dados, "edPRO_CodGru", "1");
        tab(dados, "edPRO_CodGru");
        QCOMPARE(texto(dados, "edPRO_NomeGru"), QString("Ferramentas"));
        digita(dados, "edPRO_Unid", "UN");
        digita(dados, "edPRO_Valor", valor);
        QCOMPARE(texto(dados, "edPRO_Valor"), QString(valor).replace('.', ','));
        tab(dados, "edPRO_Valor");
        QCOMPARE(texto(dados, "edPRO_Valor"), valorMostrado);
        if (naoConsumivel) {
            consumivel->setFocus();
            QTest::keyClick(consumivel, Qt::Key_Down);
        }
        clica(dados, "btnPRO_Salva");
        QCOMPARE(msgs.textos(), QStringList());

        // Stays open for the next product, every field back to its opening value.
        QVERIFY(dados->isVisible());
        for (const char* vazio : {"edPRO_Codigo", "edPRO_Descricao", "edPRO_CodGru",
                                  "edPRO_NomeGru", "edPRO_Unid", "edPRO_UComp"})
            QCOMPARE(texto(dados, vazio), QString());
        QCOMPARE(texto(dados, "edPRO_Valor"), QString("R$ 0,00"));
        QCOMPARE(texto(dados, "edPRO_Quant"), QString("0,000"));
        QCOMPARE(consumivel->currentText(), QString("Sim"));
        QCOMPARE(focado(), campo(dados, "edPRO_Codigo"));
        QCOMPARE(codigosDaLista(t.app, listaDeProdutos), QStringList({codigo}));
        clica(dados, "btnPRO_Fecha");
    });

    const Resultado r = t.banco.consulta("Select * From Produtos");
    QCOMPARE(r.tamanho(), 1);
    QCOMPARE(r.valor(0, "PRO_Codigo").toString(), codigo);
    QCOMPARE(r.valor(0, "PRO_Descricao").toString(), QStringLiteral("Chave de Fenda"));
    QCOMPARE(r.valor(0, "PRO_CodGru").toString(), QString("000001"));
    QCOMPARE(r.valor(0, "PRO_Unid").toString(), QString("UN"));
    QCOMPARE(comoTexto(r.valor(0, "PRO_Valor")), valorGravado);
    QCOMPARE(comoTexto(r.valor(0, "PRO_Quant")), QString("0.000"));
    QCOMPARE(r.valor(0, "PRO_Consumivel").toString(), naoConsumivel ? "N" : "S");
    QCOMPARE(r.valor(0, "PRO_DCad").toDate(), QDate::currentDate());
    QVERIFY(r.valor(0, "PRO_UComp").isNull());
    QVERIFY(r.valor(0, "PRO_CodFor").isNull());
    const Resultado l = t.banco.consulta("Select LOG_CodUser, LOG_Descricao From Log");
    QCOMPARE(l.tamanho(), linhaLog.isEmpty() ? 0 : 1);
    if (!linhaLog.isEmpty()) {
        QCOMPARE(l.valor(0, 0).toString(), QString("000004"));
        QCOMPARE(l.valor(0, 1).toString(), linhaLog);
    }
}

void TstProdutos::duplicateCodeRefusedWhenLeavingItAndLimpa()
{
    AplicacaoTeste t;
    Cadastro::grupo(t.banco, "000001", "Ferramentas");
    insereProduto(t, "        12", "Alicate");
    GravadorMensagens msgs;
    DriverModal driver;
    abreDados(t.app, driver, listaDeProdutos, "btnManut_PRO_Novo", [&](QDialog* dados) {
        QLineEdit* codigo = campo(dados, "edPRO_Codigo");
        digita(dados, "edPRO_Codigo", "12");
        tab(dados, "edPRO_Codigo");
        QCOMPARE(msgs.textos(), QStringList({codigoRepetido}));
        QCOMPARE(msgs.mensagens()[0].tipo, TipoMensagem::Aviso);
        QCOMPARE(codigo->text(), QString());
        QTRY_COMPARE(focado(), codigo);

        msgs.limpa();
        digitaTexto(codigo, "13");
        tab(dados, "edPRO_Codigo");
        QCOMPARE(msgs.quantidade(), 0);
        QCOMPARE(codigo->text(), QString("        13"));

        // "Limpa" puts every field back to its opening value.
        digita(dados, "edPRO_Descricao", "Rascunho");
        digita(dados, "edPRO_Valor", "9");
        tab(dados, "edPRO_Valor");
        clica(dados, "btnPRO_Limpa");
        QCOMPARE(codigo->text(), QString());
        QCOMPARE(texto(dados, "edPRO_Descricao"), QString());
        QCOMPARE(texto(dados, "edPRO_Valor"), QString("R$   0,00"));
        QCOMPARE(texto(dados, "edPRO_UComp"), QString("  /  /    "));
        QCOMPARE(focado(), codigo);
        QCOMPARE(msgs.quantidade(), 0);
        clica(dados, "btnPRO_Fecha");
    });
    QCOMPARE(t.banco.conta("Produtos"), 1);
}

void TstProdutos::groupLookUpAndGroupSearch_data()
{
    casosDaBusca();
}

void TstProdutos::groupLookUpAndGroupSearch()
{
    QFETCH(bool, porF5);
    AplicacaoTeste t;
    Cadastro::grupo(t.banco, "000001", "Ferramentas");
    Cadastro::grupo(t.banco, "000002", QStringLiteral("Elétrica"));
    GravadorMensagens msgs;
    DriverModal driver;
    abreDados(t.app, driver, listaDeProdutos, "btnManut_PRO_Novo", [&](QDialog* dados) {
        QLineEdit* grupo = campo(dados, "edPRO_CodGru");
        digita(dados, "edPRO_CodGru", "9");
        tab(dados, "edPRO_CodGru");
        QCOMPARE(msgs.textos(), QStringList({grupoNaoEncontrado}));
        QCOMPARE(msgs.mensagens()[0].tipo, TipoMensagem::Informacao);
        QTRY_COMPARE(focado(), grupo);
        QCOMPARE(texto(dados, "edPRO_NomeGru"), QString());

        msgs.limpa();
        digita(dados, "edPRO_CodGru", "2");
        tab(dados, "edPRO_CodGru");
        QCOMPARE(grupo->text(), QString("000002"));
        QCOMPARE(texto(dados, "edPRO_NomeGru"), QStringLiteral("Elétrica"));

        driver.aoAbrir([&](QDialog* busca) {
            QCOMPARE(busca->objectName(), QString("TfBusca_Grupos"));
            QCOMPARE(t.app.janela<TfBusca_Grupos>().Origem, QString("Dados_Produtos"));
            // By description: Elétrica, then Ferramentas.
            acha<QTableView>(busca, "dbg_BuscaGrupos")->selectRow(1);
            clica(busca, "btnBusca_Seleciona");
        });
        abreBusca(dados, "edPRO_CodGru", "btnDados_Pro_Busca", porF5);
        QCOMPARE(grupo->text(), QString("000001"));
        QTRY_COMPARE(focado(), grupo);
        // The name follows when the user leaves the field.
        tab(dados, "edPRO_CodGru");
        QCOMPARE(texto(dados, "edPRO_NomeGru"), QString("Ferramentas"));
        QCOMPARE(msgs.quantidade(), 0);
        clica(dados, "btnPRO_Fecha");
    });
    QCOMPARE(driver.abertas(),
             QStringList({"TfManut_Produtos", "TfDados_Produtos", "TfBusca_Grupos"}));
}

void TstProdutos::saveRightAfterAnUnknownGroupWritesNothing()
{
    AplicacaoTeste t;
    Cadastro::grupo(t.banco, "000001", "Ferramentas");
    GravadorMensagens msgs;
    DriverModal driver;
    abreDados(t.app, driver, listaDeProdutos, "btnManut_PRO_Novo", [&](QDialog* dados) {
        digita(dados, "edPRO_Codigo", "2");
        tab(dados, "edPRO_Codigo");
        digita(dados, "edPRO_Descricao", QStringLiteral("Chave de Fenda"));
        // "Grava" pressed straight from a group code the register does not have: the group is
        // refused on the way out of the field, and the save does not go on with it (a product
        // of a missing group would drop out of every product list).
        digita(dados, "edPRO_CodGru", "9");
        clica(dados, "btnPRO_Salva");
        QCOMPARE(msgs.textos(), QStringList({grupoNaoEncontrado}));
        QTRY_VERIFY(focado(dados, "edPRO_CodGru"));
        QCOMPARE(t.banco.conta("Produtos"), 0);
        // Once a known group is typed, the same button saves.
        msgs.limpa();
        digita(dados, "edPRO_CodGru", "1");
        clica(dados, "btnPRO_Salva");
        QCOMPARE(msgs.quantidade(), 0);
        clica(dados, "btnPRO_Fecha");
    });
    QCOMPARE(
        t.banco.valor("Select PRO_CodGru From Produtos Where PRO_Codigo = '         2'").toString(),
        QString("000001"));
}

void TstProdutos::minimumAndMaximum_data()
{
    QTest::addColumn<QString>("maximo");
    QTest::addColumn<QString>("minimo");
    QTest::addColumn<int>("saidas"); // fields left with Tab before "Grava": 0, the minimum, both
    QTest::addColumn<QString>("minimoAntes");
    QTest::addColumn<QString>("maximoAntes");
    QTest::addColumn<QStringList>("mensagens");
    QTest::addColumn<int>("minimoGravado"); // -1: nothing stored
    QTest::addColumn<int>("maximoGravado");

    caso("5 over 3, leaving the minimum", "3", "5", 1, "0", "3", QStringList({minimoMenor}), 0, 3);
    // A maximum of 0 is not compared when the minimum is left, only when the maximum is.
    caso("5 over 0, leaving both", "0", "5", 2, "5", "5", QStringList({maximoMaior}), 5, 5);
    caso("5 over 0, saved at once", "0", "5", 0, "5", "0", QStringList({minimoDeve}), -1, -1);
    caso("equal", "5", "5", 1, "5", "5", QStringList(), 5, 5);
    // An emptied minimum is no number: the save stops before writing anything.
    caso("minimum emptied", "3", "", 0, "", "3", QStringList({minimoNaoNumero}), -1, -1);
}

void TstProdutos::minimumAndMaximum()
{
    QFETCH(QString, maximo);
    QFETCH(QString, minimo);
    QFETCH(int, saidas);
    QFETCH(QString, minimoAntes);
    QFETCH(QString, maximoAntes);
    QFETCH(QStringList, mensagens);
    QFETCH(int, minimoGravado);
    QFETCH(int, maximoGravado);
    AplicacaoTeste t;
    Cadastro::grupo(t.banco, "000001", "Ferramentas");
    GravadorMensagens msgs;
    DriverModal driver;
    abreDados(t.app, driver, listaDeProdutos, "btnManut_PRO_Novo", [&](QDialog* dados) {
        preencheObrigatorios(dados, "1");
        digita(dados, "edPRO_EMax", maximo);
        digita(dados, "edPRO_Min", minimo);
        QCOMPARE(msgs.quantidade(), 0);
        if (saidas >= 1)
            tab(dados, "edPRO_Min");
        if (saidas >= 2)
            tab(dados, "edPRO_EMax");
        QCOMPARE(texto(dados, "edPRO_Min"), minimoAntes);
        QCOMPARE(texto(dados, "edPRO_EMax"), maximoAntes);
        clica(dados, "btnPRO_Salva");
        QCOMPARE(msgs.textos(), mensagens);
        for (const MensagemGravada& m : msgs.mensagens())
            QCOMPARE(m.tipo, TipoMensagem::Aviso);
        if (minimoGravado < 0)
            QCOMPARE(focado(), campo(dados, "edPRO_Min"));
        clica(dados, "btnPRO_Fecha");
    });
    const Resultado r = t.banco.consulta("Select PRO_Min, PRO_EMax From Produtos");
    QCOMPARE(r.tamanho(), minimoGravado < 0 ? 0 : 1);
    if (minimoGravado >= 0) {
        QCOMPARE(r.valor(0, 0).toLongLong(), minimoGravado);
        QCOMPARE(r.valor(0, 1).toLongLong(), maximoGravado);
    }
}

void TstProdutos::changeLoadsTheProductAndWritesOnlyWhatItOwns()
{
    AplicacaoTeste t;
    t.flags("S", "N", "S");
    t.principal().CodUsuario = "000001";
    Cadastro::grupo(t.banco, "000002", QStringLiteral("Elétrica"));
    t.banco.executa("Insert into Fornecedor (FOR_Codigo, FOR_Razao) values ('0000000003', "
                    "'Ferragens Silva Ltda')");
    insereProduto(t, "        15", QStringLiteral("Fio Elétrico"),
                  {{"PRO_CodGru", "000002"},
                   {"PRO_Unid", "M"},
                   {"PRO_Local", "A-3"},
                   {"PRO_Min", 1000},
                   {"PRO_EMax", 2000},
                   {"PRO_Valor", decimal(123456, 2)},
                   {"PRO_Quant", decimal(1234500, 3)},
                   {"PRO_UComp", QDate(2004, 10, 10)},
                   {"PRO_DCad", QDate(2004, 1, 2)},
                   {"PRO_CodFor", "0000000003"},
                   {"PRO_Consumivel", "N"},
                   {"PRO_Refer", "FE-2,5"},
                   {"PRO_CodBar", "7891234567890"},
                   {"PRO_OBS", "Rolo de 100 m"}});
    GravadorMensagens msgs;
    DriverModal driver;
    abreDados(t.app, driver, listaDeProdutos, "btnManut_PRO_Altera", [&](QDialog* dados) {
        QCOMPARE(dados->windowTitle(), QStringLiteral("Inclusão de Produtos"));
        QCOMPARE(acha<QLabel>(dados, "lbDados_Pro_Titulo")->text(),
                 QStringLiteral("Alteração de Produtos"));
        QCOMPARE(acha<QPushButton>(dados, "btnPRO_Salva")->text(), QString("Grava"));
        QVERIFY(!acha<QPushButton>(dados, "btnPRO_Limpa")->isVisible());
        auto* consumivel = acha<QComboBox>(dados, "cbPRO_Consumivel");
        QVERIFY(!consumivel->isEnabled());
        QCOMPARE(consumivel->currentText(), QStringLiteral("Não"));
        QCOMPARE(focado(), campo(dados, "edPRO_Codigo"));
        const QList<std::pair<const char*, QString>> esperado{
            {"edPRO_Codigo", "        15"},
            {"edPRO_Descricao", QStringLiteral("Fio Elétrico")},
            {"edPRO_CodGru", "000002"},
            {"edPRO_NomeGru", QStringLiteral("Elétrica")},
            {"edPRO_Unid", "M"},
            {"edPRO_Local", "A-3"},
            {"edPRO_Quant", "1.234,500"},
            {"edPRO_Min", "1.000"},
            {"edPRO_EMax", "2.000"},
            {"edPRO_Valor", "R$ 1.234,56"},
            {"edPRO_UComp", "10/10/2004"},
            {"edPRO_CodFor", "0000000003"},
            {"edPRO_RazaoFor", "Ferragens Silva Ltda"},
            {"edPRO_Refer", "FE-2,5"},
            {"edPRO_CodBar", "7891234567890"},
            {"edPRO_Obs", "Rolo de 100 m"},
        };
        for (const auto& [nome, valor] : esperado)
            QCOMPARE(texto(dados, nome), valor);
        QCOMPARE(acha<QDateEdit>(dados, "dtpPRO_DCad")->date(), QDate(2004, 1, 2));

        // The maximum is compared with the minimum's number, 1000, not with its text.
        digita(dados, "edPRO_EMax", "500");
        tab(dados, "edPRO_EMax");
        QCOMPARE(msgs.textos(), QStringList({maximoMaior}));
        QCOMPARE(texto(dados, "edPRO_EMax"), QString("1.000"));
        digita(dados, "edPRO_Descricao", QStringLiteral("Fio Elétrico 2,5 mm"));
        clica(dados, "btnPRO_Salva");
        QCOMPARE(msgs.quantidade(), 1);
        QVERIFY(!dados->isVisible());
    });
    const Resultado r = t.banco.consulta("Select * From Produtos");
    QCOMPARE(r.tamanho(), 1);
    QCOMPARE(r.valor(0, "PRO_Descricao").toString(), QStringLiteral("Fio Elétrico 2,5 mm"));
    QCOMPARE(r.valor(0, "PRO_Min").toLongLong(), 1000);
    QCOMPARE(r.valor(0, "PRO_EMax").toLongLong(), 1000);
    QCOMPARE(comoTexto(r.valor(0, "PRO_Valor")), QString("1234.56"));
    // What the movements own stays as they left it.
    QCOMPARE(comoTexto(r.valor(0, "PRO_Quant")), QString("1234.500"));
    QCOMPARE(r.valor(0, "PRO_UComp").toDate(), QDate(2004, 10, 10));
    QCOMPARE(r.valor(0, "PRO_CodFor").toString(), QString("0000000003"));
    QCOMPARE(r.valor(0, "PRO_Consumivel").toString(), QString("N"));
    QCOMPARE(r.valor(0, "PRO_DCad").toDate(), QDate(2004, 1, 2));
    QCOMPARE(t.banco.valor("Select LOG_Descricao From Log").toString(),
             QStringLiteral("Alteração de Produto:        15"));
}

void TstProdutos::consultaShowsAndNeverWrites()
{
    AplicacaoTeste t;
    t.flags("S", "N", "S");
    Cadastro::grupo(t.banco, "000001", "Ferramentas");
    // Figures wider than what the fields let a person type are shown whole, never cut.
    insereProduto(t, "         8", "Martelo",
                  {{"PRO_Min", 1234567890},
                   {"PRO_EMax", qint64(9876543210)},
                   {"PRO_Valor", decimal(1234567890123, 2)}});
    GravadorMensagens msgs;
    DriverModal driver;
    abreDados(t.app, driver, listaDeProdutos, "btnManut_PRO_Consulta", [&](QDialog* dados) {
        QCOMPARE(dados->windowTitle(), QStringLiteral("Inclusão de Produtos"));
        QCOMPARE(acha<QLabel>(dados, "lbDados_Pro_Titulo")->text(),
                 QStringLiteral("Consulta de Produtos"));
        auto* salva = acha<QPushButton>(dados, "btnPRO_Salva");
        QVERIFY(!salva->isVisible());
        QVERIFY(!acha<QPushButton>(dados, "btnPRO_Limpa")->isVisible());
        QVERIFY(!acha<QComboBox>(dados, "cbPRO_Consumivel")->isEnabled());
        QCOMPARE(texto(dados, "edPRO_Codigo"), QString("         8"));
        // Never bought: no last purchase, no last supplier.
        QCOMPARE(texto(dados, "edPRO_UComp"), QString("  /  /    "));
        QCOMPARE(texto(dados, "edPRO_CodFor"), QString());
        QCOMPARE(texto(dados, "edPRO_RazaoFor"), QString());
        QCOMPARE(texto(dados, "edPRO_Quant"), QString("0,000"));
        QCOMPARE(texto(dados, "edPRO_Min"), QString("1.234.567.890"));
        QCOMPARE(texto(dados, "edPRO_EMax"), QString("9.876.543.210"));
        QCOMPARE(texto(dados, "edPRO_Valor"), QString("R$ 12.345.678.901,23"));
        digita(dados, "edPRO_Descricao", "Outro nome");
        digita(dados, "edPRO_Min", "0");
        salva->click();
        QVERIFY(dados->isVisible());
        clica(dados, "btnPRO_Fecha");
    });
    QCOMPARE(msgs.quantidade(), 0);
    QCOMPARE(t.banco.valor("Select PRO_Descricao From Produtos").toString(), QString("Martelo"));
    QCOMPARE(t.banco.conta("Log"), 0);
}

void TstProdutos::deletion_data()
{
    QTest::addColumn<bool>("movimentado");
    caso("with a movement", true);
    caso("without movements", false);
}

void TstProdutos::deletion()
{
    QFETCH(bool, movimentado);
    AplicacaoTeste t;
    t.flags("S", "N", "S");
    t.principal().CodUsuario = "000001";
    Cadastro::grupo(t.banco, "000001", "Ferramentas");
    insereProduto(t, "         5", "Alicate");
    insereProduto(t, "         6", "Broca");
    auto movimento = [&](int numero, const QString& produto) {
        Cadastro::movimento(
            t.banco,
            {.numero = numero, .produto = produto, .operacao = "EE", .data = QDate(2024, 3, 1)});
    };
    movimento(1, "         6");
    if (movimentado)
        movimento(2, "         5");
    GravadorMensagens msgs;
    DriverModal driver;
    abreDados(t.app, driver, listaDeProdutos, "btnManut_PRO_Exclui", [&](QDialog* dados) {
        QCOMPARE(acha<QLabel>(dados, "lbDados_Pro_Titulo")->text(),
                 QStringLiteral("Exclusão de Produtos"));
        QCOMPARE(acha<QPushButton>(dados, "btnPRO_Salva")->text(), QString("Exclui"));
        QCOMPARE(texto(dados, "edPRO_Codigo"), QString("         5"));
        // No question is asked either way.
        clica(dados, "btnPRO_Salva");
        QCOMPARE(dados->isVisible(), movimentado);
        if (movimentado) {
            QCOMPARE(msgs.textos(), QStringList({comMovimento}));
            QCOMPARE(msgs.mensagens()[0].tipo, TipoMensagem::Aviso);
            clica(dados, "btnPRO_Fecha");
        } else {
            QCOMPARE(msgs.quantidade(), 0);
        }
    });
    const QStringList restantes =
        movimentado ? QStringList({"         5", "         6"}) : QStringList({"         6"});
    QCOMPARE(codigosDaLista(t.app, listaDeProdutos), restantes);
    QCOMPARE(t.banco.conta("Produtos"), restantes.size());
    const Resultado l = t.banco.consulta("Select LOG_Descricao From Log");
    QCOMPARE(l.tamanho(), movimentado ? 0 : 1);
    if (!movimentado)
        QCOMPARE(l.valor(0, 0).toString(), QStringLiteral("Exclusão de Produto:         5"));
}

void TstProdutos::failedWritesRollBackAndKeepTheFields()
{
    AplicacaoTeste t;
    t.flags("S", "N", "S");
    t.principal().CodUsuario = "000001";
    Cadastro::grupo(t.banco, "000001", "Ferramentas");
    insereProduto(t, "         1", "Alicate");
    // The database refuses every write to products.
    t.banco.recusa("Produtos", "INSERT OR UPDATE OR DELETE", "produto travado");
    GravadorMensagens msgs;
    DriverModal driver;
    driver.aoAbrir([&](QDialog* lista) {
        for (const char* b : {"btnManut_PRO_Novo", "btnManut_PRO_Altera", "btnManut_PRO_Exclui"})
            clica(lista, b);
        clica(lista, "btnManut_PRO_Fecha");
    });
    driver.aoAbrir([&](QDialog* dados) {
        preencheObrigatorios(dados, "2");
        digita(dados, "edPRO_Valor", "10");
        tab(dados, "edPRO_Valor");
        clica(dados, "btnPRO_Salva");
        QCOMPARE(msgs.textos(), QStringList({falha}));
        QCOMPARE(msgs.mensagens()[0].tipo, TipoMensagem::Aviso);
        QVERIFY(dados->isVisible());
        QCOMPARE(texto(dados, "edPRO_Codigo"), QString("         2"));
        QCOMPARE(texto(dados, "edPRO_Descricao"), QStringLiteral("Chave de Fenda"));
        QCOMPARE(texto(dados, "edPRO_CodGru"), QString("000001"));
        QCOMPARE(texto(dados, "edPRO_NomeGru"), QString("Ferramentas"));
        clica(dados, "btnPRO_Fecha");
    });
    for (int i = 0; i < 2; ++i) {
        driver.aoAbrir([&](QDialog* dados) {
            msgs.limpa();
            digita(dados, "edPRO_Descricao", "Alicate de Bico");
            clica(dados, "btnPRO_Salva");
            QCOMPARE(msgs.textos(), QStringList({falha}));
            QVERIFY(dados->isVisible());
            QCOMPARE(texto(dados, "edPRO_Descricao"), QString("Alicate de Bico"));
            clica(dados, "btnPRO_Fecha");
        });
    }
    t.principal().aciona("Produtos1");
    QCOMPARE(driver.abertas().size(), 4);
    const Resultado r = t.banco.consulta("Select PRO_Codigo, PRO_Descricao From Produtos");
    QCOMPARE(r.tamanho(), 1);
    QCOMPARE(r.valor(0, 1).toString(), QString("Alicate"));
    QCOMPARE(t.banco.conta("Log"), 0);
}

void TstProdutos::buttonRefusedWithoutPermission_data()
{
    linhasDosBotoes({"Novo", "Altera", "Exclui", "Consulta"}, botoesDaLista);
}

void TstProdutos::buttonRefusedWithoutPermission()
{
    QFETCH(QString, botao);
    QFETCH(QString, modulo);
    AplicacaoTeste t;
    Cadastro::grupo(t.banco, "000001", "Ferramentas");
    insereProduto(t, "         1", "Alicate");
    t.comPermissoes("000001", {"1", "1.2", "1.2.1", "1.2.2", "1.2.3", "1.2.4"}, modulo);
    GravadorMensagens msgs;
    DriverModal driver;
    botaoRecusado(t.principal(), driver, msgs, "Produtos1", botoesDaLista, botao,
                  "btnManut_PRO_Fecha", "btnPRO_Fecha");
    // The refusal is the only message.
    QCOMPARE(msgs.quantidade(), 1);
    QCOMPARE(driver.abertas(), QStringList({"TfManut_Produtos", "TfDados_Produtos",
                                            "TfDados_Produtos", "TfDados_Produtos"}));
}

void TstProdutos::quickSearch_data()
{
    QTest::addColumn<bool>("naBusca"); // in the search window rather than the list window
    colunasDaBuscaRapida();

    caso("code 12 padded with blanks", false, "rbPRO_Busca_Codigo", QStringLiteral("Código:"), "12",
         "        12", "        12");
    caso("code 120", false, "rbPRO_Busca_Codigo", QStringLiteral("Código:"), "120", "       120",
         "       120");
    caso("description, case counts", false, "rbPRO_Busca_Descricao", QStringLiteral("Descrição:"),
         "cha", "cha", "       120");
    caso("reference", false, "rbPRO_Busca_Refer", QStringLiteral("Referência:"), "SR", "SR",
         "        12");
    caso("bar code", false, "rbPRO_Busca_CodBar", QStringLiteral("Código de Barras:"), "555", "555",
         "       120");
    caso("notes", false, "rbPRO_Busca_OBS", QStringLiteral("Observações:"), QStringLiteral("frá"),
         QStringLiteral("frá"), "        12");
    caso("no match stays put", false, "rbPRO_Busca_Codigo", QStringLiteral("Código:"), "99",
         "        99", "         7");
    caso("search window, code 12", true, "rbPRO_Busca_Codigo", QStringLiteral("Código:"), "12",
         "        12", "        12");
    caso("search window, bar code", true, "rbPRO_Busca_CodBar", QStringLiteral("Código de Barras:"),
         "555", "555", "       120");
}

void TstProdutos::quickSearch()
{
    QFETCH(bool, naBusca);
    const auto [radio, rotulo, texto, escrito, atual] = buscaRapidaDaLinha();
    AplicacaoTeste t;
    Cadastro::grupo(t.banco, "000001", "Ferramentas");
    // By description: Broca, Serrote, chave (capitals sort first).
    insereProduto(t, "         7", "Broca",
                  {{"PRO_Refer", "BR-7"}, {"PRO_CodBar", "123"}, {"PRO_OBS", "nova"}});
    insereProduto(t, "        12", "Serrote",
                  {{"PRO_Refer", "SR-1"}, {"PRO_CodBar", "789"}, {"PRO_OBS", "frágil"}});
    insereProduto(t, "       120", "chave",
                  {{"PRO_Refer", "CH-1"}, {"PRO_CodBar", "555"}, {"PRO_OBS", "usada"}});
    const char* busca = naBusca ? "edBusca_ConPRO" : "edBusca_ManutPRO";
    const char* grade = naBusca ? "dbg_Con_PRO" : "dbg_Manut_PRO";
    DriverModal driver;
    driver.aoAbrir([&](QDialog* janela) {
        QCOMPARE(codigoAtual(t.app, listaDeProdutos), QString("         7"));
        marca(janela, qPrintable(radio));
        QCOMPARE(acha<QLabel>(janela, "lbTitulo_Busca")->text(), rotulo);
        digita(janela, busca, texto);
        clica(janela, naBusca ? "btnBusca_ConPro" : "btnBusca_ManutPro");
        QCOMPARE(campo(janela, busca)->text(), escrito);
        QCOMPARE(codigoAtual(t.app, listaDeProdutos), atual);
        QCOMPARE(codigoNaGrade(janela, grade), atual);
        janela->reject();
    });
    if (naBusca)
        Modal::exec(&t.app.janela<TfBusca_Produtos>());
    else
        t.principal().aciona("Produtos1");
}

void TstProdutos::quickSearchFindsTheLastOfALongList()
{
    AplicacaoTeste t;
    // "Produto 1" to "Produto 3000": by description "Produto 999" comes last.
    DadosDemo::preencheVolume(t.banco.conexao(), 3000, 0);
    GravadorMensagens msgs;
    DriverModal driver;
    driver.aoAbrir([&](QDialog* janela) {
        digita(janela, "edBusca_ConPRO", "Produto 999");
        clica(janela, "btnBusca_ConPro");
        QCOMPARE(codigoAtual(t.app, listaDeProdutos), QString("       999"));
        QCOMPARE(t.app.dmProdutos().cds_Produtos.linhaAtual(), 2999);
        QCOMPARE(codigoNaGrade(janela, "dbg_Con_PRO"), QString("       999"));
        // No match: the list is read again and the same product stays current.
        digita(janela, "edBusca_ConPRO", "Parafuso");
        clica(janela, "btnBusca_ConPro");
        QCOMPARE(codigoAtual(t.app, listaDeProdutos), QString("       999"));
        QTRY_VERIFY(!t.app.dmProdutos().cds_Produtos.lendo());
        QCOMPARE(t.app.dmProdutos().cds_Produtos.tamanho(), 3000);
        janela->reject();
    });
    Modal::exec(&t.app.janela<TfBusca_Produtos>());
    QCOMPARE(msgs.textos(), QStringList());
}

void TstProdutos::quickSearchFindsWhatAnotherWorkstationSaved_data()
{
    QTest::addColumn<QString>("sql"); // run by another workstation while the list is open
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("atual");

    caso("a product added",
         "Insert into Produtos (PRO_Codigo, PRO_Descricao, "
         "PRO_CodGru, PRO_Quant, PRO_Consumivel) values "
         "('        30', 'Martelo', '000001', 0, 'S')",
         "Mar", "        30");
    caso("a product renamed",
         "Update Produtos set PRO_Descricao='Lixa' Where PRO_Codigo='        12'", "Lix",
         "        12");
}

void TstProdutos::quickSearchFindsWhatAnotherWorkstationSaved()
{
    QFETCH(QString, sql);
    QFETCH(QString, texto);
    QFETCH(QString, atual);
    AplicacaoTeste t;
    Cadastro::grupo(t.banco, "000001", "Ferramentas");
    insereProduto(t, "         7", "Broca");
    insereProduto(t, "        12", "Serrote");
    GravadorMensagens msgs;
    DriverModal driver;
    driver.aoAbrir([&](QDialog* janela) {
        // A search that finds its row among the rows read first.
        digita(janela, "edBusca_ConPRO", "Ser");
        clica(janela, "btnBusca_ConPro");
        QCOMPARE(codigoAtual(t.app, listaDeProdutos), QString("        12"));
        t.banco.executa(sql);
        digita(janela, "edBusca_ConPRO", texto);
        clica(janela, "btnBusca_ConPro");
        QCOMPARE(codigoAtual(t.app, listaDeProdutos), atual);
        QCOMPARE(codigoNaGrade(janela, "dbg_Con_PRO"), atual);
        janela->reject();
    });
    Modal::exec(&t.app.janela<TfBusca_Produtos>());
    QCOMPARE(msgs.textos(), QStringList());
}

void TstProdutos::everyOpeningGoesBackToTheDescription()
{
    AplicacaoTeste t;
    Cadastro::grupo(t.banco, "000001", "Pintura");
    Cadastro::grupo(t.banco, "000002", "Ferramentas");
    insereProduto(t, "         1", "Serrote", {{"PRO_CodGru", "000002"}, {"PRO_Refer", "B"}});
    insereProduto(t, "         2", "Alicate", {{"PRO_CodGru", "000002"}, {"PRO_Refer", "C"}});
    insereProduto(t, "         3", "Pincel", {{"PRO_Refer", "A"}});
    const Consulta& listaSql = t.app.dmProdutos().SQLQ_Produtos2;
    const QString base = QStringLiteral("Select p.*,g.GRU_Descricao From Produtos p join Grupos g "
                                        "on(p.PRO_CodGRU =g.GRU_Codigo) ");
    struct Janela {
        const char* codigo;
        const char* descricao;
        const char* referencia;
        const char* grupo;
        // The search field, with its caption, and the grid.
        QString rotulo;
        const char* busca;
        const char* grade;
        bool limpaBusca;
        int colunas;
    };
    const Janela manut{"rbManut_Pro_Codigo",
                       "rbManut_PRO_Descricao",
                       "rbManut_PRO_Refer",
                       "rbManut_PRO_Grupo",
                       QStringLiteral("Descrição:"),
                       "edBusca_ManutPRO",
                       "dbg_Manut_PRO",
                       true,
                       14};
    const Janela con{"rbCon_Pro_Codigo",
                     "rbCon_PRO_Descricao",
                     "rbCon_PRO_Refer",
                     "rbManut_Con_Grupo",
                     QStringLiteral("Descriçao:"),
                     "edBusca_ConPRO",
                     "dbg_Con_PRO",
                     false,
                     16};
    DriverModal driver;
    for (const Janela* j : {&manut, &con}) {
        for (int vez = 0; vez < 2; ++vez) {
            driver.aoAbrir([&, j, vez](QDialog* janela) {
                QVERIFY(acha<QRadioButton>(janela, j->descricao)->isChecked());
                QCOMPARE(listaSql.sql(), base + "Order By p.PRO_Descricao");
                QCOMPARE(codigosDaLista(t.app, listaDeProdutos),
                         QStringList({"         2", "         3", "         1"}));
                QVERIFY(acha<QRadioButton>(janela, "rbPRO_Busca_Descricao")->isChecked());
                QCOMPARE(acha<QLabel>(janela, "lbTitulo_Busca")->text(), j->rotulo);
                // The list window empties the search; the search window keeps it.
                QCOMPARE(campo(janela, j->busca)->text(),
                         vez == 1 && !j->limpaBusca ? QString("Pin") : QString());
                auto* grade = acha<QTableView>(janela, j->grade);
                QCOMPARE(grade->model()->columnCount(), j->colunas);
                QCOMPARE(grade->model()->headerData(0, Qt::Horizontal).toString(),
                         QStringLiteral("Código"));

                // Each ordering radio reorders the shared list, when clicked or when the user
                // tabs onto it, and leaves the quick-search label alone.
                marca(janela, j->grupo);
                QCOMPARE(listaSql.sql(), base + "Order By g.GRU_Descricao");
                QCOMPARE(codigosDaLista(t.app, listaDeProdutos).last(), QString("         3"));
                acha<QRadioButton>(janela, j->referencia)->setFocus(Qt::TabFocusReason);
                QCOMPARE(listaSql.sql(), base + "Order By p.PRO_Refer");
                QCOMPARE(codigosDaLista(t.app, listaDeProdutos),
                         QStringList({"         3", "         1", "         2"}));
                marca(janela, j->codigo);
                QCOMPARE(listaSql.sql(), base + "Order By p.PRO_Codigo");
                QCOMPARE(acha<QLabel>(janela, "lbTitulo_Busca")->text(), j->rotulo);
                marca(janela, "rbPRO_Busca_Refer");
                digitaTexto(campo(janela, j->busca), "Pin");
                // The code radio keeps the focus as the window closes; showing the window
                // again must not apply its order.
                acha<QRadioButton>(janela, j->codigo)->setFocus();
                janela->reject();
            });
            if (j == &manut)
                t.principal().aciona("Produtos1");
            else
                Modal::exec(&t.app.janela<TfBusca_Produtos>());
        }
    }
}

void TstProdutos::productsOfADeletedGroupAreNotListed()
{
    AplicacaoTeste t;
    Cadastro::grupo(t.banco, "000001", "Ferramentas");
    Cadastro::grupo(t.banco, "000002", "Pintura");
    insereProduto(t, "         1", "Alicate");
    insereProduto(t, "         2", "Pincel", {{"PRO_CodGru", "000002"}});
    t.banco.executa("Delete From Grupos Where GRU_Codigo = '000002'");
    DriverModal driver;
    for (int i = 0; i < 2; ++i)
        driver.aoAbrir([&, i](QDialog* janela) {
            QCOMPARE(codigosDaLista(t.app, listaDeProdutos), QStringList({"         1"}));
            auto* grade = acha<QTableView>(janela, i == 0 ? "dbg_Manut_PRO" : "dbg_Con_PRO");
            QCOMPARE(grade->model()->rowCount(), 1);
            janela->reject();
        });
    t.principal().aciona("Produtos1");
    Modal::exec(&t.app.janela<TfBusca_Produtos>());
}

void TstProdutos::searchWindowHandsBackTheCodeWithItsBlanks()
{
    AplicacaoTeste t;
    Cadastro::grupo(t.banco, "000001", "Ferramentas");
    insereProduto(t, "         7", "Broca");
    insereProduto(t, "        12", "Serrote");
    QDialog chamador;
    auto* outroCampo = new QLineEdit(&chamador);
    auto* destino = new QLineEdit(&chamador);
    TfBusca_Produtos& busca = t.app.janela<TfBusca_Produtos>();
    busca.registraDestino("Entrada Estoque", destino);
    DriverModal driver;
    driver.aoAbrir([&](QDialog*) {
        outroCampo->setFocus();
        busca.Origem = "Entrada Estoque";
        Modal::exec(&busca);
        QCOMPARE(destino->text(), QString("        12"));
        QTRY_COMPARE(focado(), destino);
    });
    driver.aoAbrir([&](QDialog* janela) {
        auto* grade = acha<QTableView>(janela, "dbg_Con_PRO");
        const QRect linha = grade->visualRect(grade->model()->index(1, 1));
        QTest::mouseClick(grade->viewport(), Qt::LeftButton, {}, linha.center());
        QCOMPARE(codigoAtual(t.app, listaDeProdutos), QString("        12"));
        clica(janela, "btnCon_PRO_Seleciona");
    });
    Modal::exec(&chamador);

    // "Fecha" hands nothing back.
    destino->setText("x");
    driver.aoAbrir([&](QDialog* janela) { clica(janela, "btnCon_PRO_Fecha"); });
    Modal::exec(&busca);
    QCOMPARE(destino->text(), QString("x"));
}

QTEST_MAIN(TstProdutos)
#include "tst_produtos.moc"
