// The movement reports: every key of the menu from its parameter dialog to the printed pages
// (rows of its statement, header lines, totals and balance), the variant texts of the shared
// layouts, the overdue loans, and a report longer than a page.

#include "app/Principal.h"
#include "common/Formatos.h"
#include "common/JanelaBusca.h"
#include "data/DataModule_MovConsu.h"
#include "data/DataModule_MovEstq.h"
#include "reports/FonteDeLinhas.h"
#include "reports/Relatorios.h"
#include "reports/Tela_Impressora.h"
#include "reports/Visualiza.h"
#include "reports/engine/Impressora.h"
#include "support/AplicacaoTeste.h"
#include "support/Cadastro.h"
#include "support/ImpressoraTeste.h"

#include <QDateEdit>
#include <QDialog>
#include <QPrinter>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QtTest>

using namespace Tela;

class TstRelMovimentos : public QObject {
    Q_OBJECT

private slots:
    void everyKeyFromItsDialog_data();
    void everyKeyFromItsDialog();
    void variantTextsNeverLeak();
    void productLookUpsInTheDialog();
    void codeDialogs_data();
    void codeDialogs();
    void overLongCodesAreNotFound_data();
    void overLongCodesAreNotFound();
    void focusOrders_data();
    void focusOrders();
    void overdueLoans();
    void longReportRepeatsHeadingsAndSumsOnce();
    void pdfWrittenPageByPageIsThePreparedReport();
    void rowsReadInBatchesGiveTheReportOfTheWholeList_data();
    void rowsReadInBatchesGiveTheReportOfTheWholeList();
    void reportRowsAreTheListsRowsInItsOrder_data();
    void reportRowsAreTheListsRowsInItsOrder();
    void reportPrintsOnALedgerWithoutItsDateIndex();
    void printerGetsThePagesAsTheyAreLaidOut();
    void cancelledPrintingPrintsNothing();
    void previewShowsPageOneWhileTheRestIsLaidOut_data();
    void previewShowsPageOneWhileTheRestIsLaidOut();
    void previewHoldsOnlyThePageOnScreen();
    void requisitionerCodeKeepsToTheRight_data();
    void requisitionerCodeKeepsToTheRight();
    void previewExportsTheReportRows_data();
    void previewExportsTheReportRows();
};

namespace {

const QDate dia(2024, 3, 10);

void movimento(BancoTeste& b, int numero, const char* produto, const char* oper, int dias,
               const char* quant, const char* valor, const char* tipo = nullptr,
               const char* fornecedor = nullptr)
{
    Cadastro::movimento(b, {.numero = numero,
                            .produto = QString(produto).rightJustified(10, ' '),
                            .operacao = oper,
                            .quantidade = quant,
                            .valor = valor,
                            .data = dia.addDays(dias),
                            .requisitante = tipo ? QVariant(tipo) : QVariant(),
                            .fornecedor = fornecedor ? QVariant(fornecedor) : QVariant()});
}

void produtoDoGrupo(BancoTeste& b, const char* codigo, const char* descricao, const char* grupo)
{
    Cadastro::Produto p;
    p.codigo = QString(codigo).rightJustified(10, ' ');
    p.descricao = descricao;
    p.grupo = grupo;
    Cadastro::produto(b, p);
}

// The ledger every case reads: a purchase, exits, reversals and a return, over four days.
void livro(BancoTeste& b)
{
    Cadastro::grupo(b, "000001", "Ferramentas");
    Cadastro::grupo(b, "000002", "Elétrica");
    Cadastro::requisitante(b, "000001", "Manutenção");
    Cadastro::requisitante(b, "000002", "Almoxarifado");
    produtoDoGrupo(b, "1", "Alicate", "000001");
    produtoDoGrupo(b, "2", "Cabo", "000002");
    movimento(b, 1, "1", "EE", -1, "10", "80.00", nullptr, "0000000001"); // a purchase
    movimento(b, 2, "1", "SS", 0, "4", "26.00", "000001");
    movimento(b, 3, "2", "TE", 1, "1", "5.00", nullptr, "0000000002");
    movimento(b, 4, "1", "TS", 2, "2", "13.00", "000001");
    movimento(b, 5, "2", "EE", 3, "3", "30.00", "000002"); // a lent item returned
    movimento(b, 6, "2", "SS", 4, "1", "10.00", "000002");
    movimento(b, 7, "9", "SS", 0, "1", "1.00", "000001"); // its product is gone
}

// A total of one kind of movement as the reports print it: its quantity and its value.
QString total(const QString& nome, const char* quantidade, const char* valor)
{
    return QString("Total de %1(Quantidade): %2 Total de %1(R$): %3").arg(nome, quantidade, valor);
}

// The reports of one kind of movement for a product or a group print their totals without
// the colons.
QString totalSemDoisPontos(const QString& nome, const char* quantidade, const char* valor)
{
    return QString("Total de %1(Quantidade) %2 Total de %1(R$) %3").arg(nome, quantidade, valor);
}

// A quantity and a value summed, as printed.
struct Soma {
    const char* quantidade;
    const char* valor;
};
const Soma nada{"0,000", "R$ 0,00"};

// The totals that close a general report: entries, exits and their reversals, and the balance.
QStringList geral(Soma entradas, Soma saidas, Soma estornosDeEntrada, Soma estornosDeSaida,
                  const char* balanco)
{
    return {total("Entradas", entradas.quantidade, entradas.valor),
            total("Saídas", saidas.quantidade, saidas.valor),
            total("Est.de Entradas", estornosDeEntrada.quantidade, estornosDeEntrada.valor),
            total("Est.de Saídas", estornosDeSaida.quantidade, estornosDeSaida.valor),
            QString("Balanço do Período: %1").arg(balanco)};
}

bool linhaDeDetalhe(const QString& linha)
{
    static const QRegularExpression data(QStringLiteral("\\d\\d/\\d\\d/\\d\\d\\d\\d"));
    return linha.contains(data) && !linha.startsWith("Página:") && !linha.startsWith("Período:");
}

// Opens the menu item; its dialog gets the period and the code, prints, and the output choice
// sends the report to the printer.
Motor::Documento imprime(TelaTeste& t, ImpressoraTeste& impressora, const QString& item,
                         const QString& codigo, int de, int ate)
{
    t.driver.aoAbrir([&](QDialog* d) {
        const bool soDatas = d->objectName() == "TfDatas";
        acha<QDateEdit>(d, soDatas ? "dtpData_Ini" : "dtpData_Inicial")->setDate(dia.addDays(de));
        acha<QDateEdit>(d, soDatas ? "dtpData_Fim" : "dtpData_Final")->setDate(dia.addDays(ate));
        if (d->objectName() == "TfDatas_Produto")
            informa(d, "edCodPro", codigo);
        else if (d->objectName() == "TfDatas_Grupo")
            informa(d, "edCodGrupo", codigo);
        else if (d->objectName() == "TfDatas_REQ")
            informa(d, "edCodREQ", codigo);
        clica(d, soDatas                                ? "btnDIF_Imprimir"
                 : d->objectName() == "TfDatas_Produto" ? "btnImprime"
                                                        : "btnImprimir");
    });
    t.driver.aoAbrir([](QDialog* escolha) { clica(escolha, "BitBtn2"); });
    const qsizetype antes = impressora.impressos.size();
    t.principal().aciona(item);
    if (impressora.impressos.size() != antes + 1)
        return Motor::Documento{};
    return impressora.impressos.last();
}

} // namespace

namespace {

// A report printed from its menu item: the code its dialog is given, the days of its period
// (from the 10th; the whole ledger unless said), the lines of its heading after the company's,
// its rows and the totals it closes with.
struct Relatorio {
    const char* item;
    QString codigo;
    int de = -1;
    int ate = 4;
    QStringList cabecalho;
    QStringList detalhes;
    QStringList resumo;
};

const QString periodoInteiro = "Período: 09/03/2024 à 14/03/2024";
const QString colunasGerais = "Código Descrição Data Oper. Quantidade Valor";
const QString colunasSemOperacao = "Código Descrição Data Quantidade Valor";
const QString colunasDoProduto = "Data Requisitante Quantidade Valor";

// The heading of the general report by date over `periodo`.
QStringList geralPorData(const QString& periodo)
{
    return {"Lista de Movimentação de Estoque Geral por Data", periodo, colunasGerais};
}

// The heading of a report of one kind of movement by date over the whole ledger.
QStringList somentePorData(const char* quais, const QString& colunas)
{
    return {QString("Lista de Movimentação de Estoque Geral (Somente %1)").arg(quais),
            periodoInteiro, colunas};
}

// The heading of a report of the product, group or requisitioner chosen, over the whole ledger.
QStringList doEscolhido(const QString& titulo, const QString& escolhido, const QString& colunas)
{
    return {titulo, periodoInteiro, escolhido, colunas};
}

} // namespace

Q_DECLARE_METATYPE(Relatorio)

void TstRelMovimentos::everyKeyFromItsDialog_data()
{
    QTest::addColumn<Relatorio>("relatorio");
    const QString alicate = "Produto:          1 / Alicate";
    const QString cabo = "Produto:          2 / Cabo";
    const QString ferramentas = "Grupo: 000001 / Ferramentas";
    caso("general, whole period",
         Relatorio{.item = "MovimentaodeEstoqueGeralporData1",
                   .cabecalho = geralPorData(periodoInteiro),
                   .detalhes = {"1 Alicate 09/03/2024 EE 10,000 R$ 80,00",
                                "1 Alicate 10/03/2024 SS 4,000 R$ 26,00",
                                "2 Cabo 11/03/2024 TE 1,000 R$ 5,00",
                                "1 Alicate 12/03/2024 TS 2,000 R$ 13,00",
                                "2 Cabo 13/03/2024 EE 3,000 R$ 30,00",
                                "2 Cabo 14/03/2024 SS 1,000 R$ 10,00"},
                   .resumo = geral({"13,000", "R$ 110,00"}, {"5,000", "R$ 36,00"},
                                   {"1,000", "R$ 5,00"}, {"2,000", "R$ 13,00"}, "R$ 82,00")});
    // One entry of 10 worth 80 and one exit of 4 worth 26: a balance of 54.
    caso("general, entry and exit",
         Relatorio{.item = "MovimentaodeEstoqueGeralporData1",
                   .ate = 0,
                   .cabecalho = geralPorData("Período: 09/03/2024 à 10/03/2024"),
                   .detalhes = {"1 Alicate 09/03/2024 EE 10,000 R$ 80,00",
                                "1 Alicate 10/03/2024 SS 4,000 R$ 26,00"},
                   .resumo = geral({"10,000", "R$ 80,00"}, {"4,000", "R$ 26,00"}, nada, nada,
                                   "R$ 54,00")});
    caso("general, one day of exits only",
         Relatorio{.item = "MovimentaodeEstoqueGeralporData1",
                   .de = 0,
                   .ate = 0,
                   .cabecalho = geralPorData("Período: 10/03/2024 à 10/03/2024"),
                   .detalhes = {"1 Alicate 10/03/2024 SS 4,000 R$ 26,00"},
                   .resumo = geral(nada, {"4,000", "R$ 26,00"}, nada, nada, "-R$ 26,00")});
    caso("general, start after end",
         Relatorio{.item = "MovimentaodeEstoqueGeralporData1",
                   .de = 4,
                   .ate = -1,
                   .cabecalho = geralPorData("Período: 14/03/2024 à 09/03/2024"),
                   .resumo = geral(nada, nada, nada, nada, "R$ 0,00")});
    caso("entries", Relatorio{.item = "SomenteEntradasporData1",
                              .cabecalho = somentePorData("Entradas", colunasSemOperacao),
                              .detalhes = {"1 Alicate 09/03/2024 10,000 R$ 80,00",
                                           "2 Cabo 13/03/2024 3,000 R$ 30,00"},
                              .resumo = {total("Entradas", "13,000", "R$ 110,00")}});
    caso("exits", Relatorio{.item = "SomenteSadasporData1",
                            .cabecalho = somentePorData("Saídas", colunasSemOperacao),
                            .detalhes = {"1 Alicate 10/03/2024 4,000 R$ 26,00",
                                         "2 Cabo 14/03/2024 1,000 R$ 10,00"},
                            .resumo = {total("Saídas", "5,000", "R$ 36,00")}});
    // The totals of the reversals by date name them two ways ("Estorno", "Estrorno"), as printed.
    caso("reversed entries",
         Relatorio{.item = "SomenteEstornosdeEntradaporData1",
                   .cabecalho = somentePorData("E.Entradas",
                                               "Código Descrição Fornec. Data Quantidade Valor"),
                   .detalhes = {"2 Cabo 0000000002 11/03/2024 1,000 R$ 5,00"},
                   .resumo = {"Total de Estorno de Entradas(Quantidade): 1,000 "
                              "Total de Estrorno de Entradas(R$): R$ 5,00"}});
    caso("reversed exits",
         Relatorio{.item = "SomenteEstornosdeSadaporData1",
                   .cabecalho =
                       somentePorData("E.Saídas", "Código Descrição Requis. Data Quantidade Valor"),
                   .detalhes = {"1 Alicate 000001 12/03/2024 2,000 R$ 13,00"},
                   .resumo = {"Total de Estorno de Saídas(Quantidade): 2,000 "
                              "Total de Estrorno de Saídas(R$): R$ 13,00"}});
    caso("product",
         Relatorio{.item = "GeralporProduto1",
                   .codigo = "1",
                   .cabecalho = doEscolhido("Lista de Movimentação de Estoque por Produto", alicate,
                                            "Data Oper. Quantidade Valor"),
                   .detalhes = {"09/03/2024 Entrada 10,000 R$ 80,00",
                                "10/03/2024 Saída 4,000 R$ 26,00",
                                "12/03/2024 Est.Saída 2,000 R$ 13,00"},
                   .resumo = geral({"10,000", "R$ 80,00"}, {"4,000", "R$ 26,00"}, nada,
                                   {"2,000", "R$ 13,00"}, "R$ 67,00")});
    // A purchase has no requisitioner; a return shows who returned the item.
    const QString entradasDoProduto = "Movimentação de Estoque por Produto(Somente Entradas)";
    caso("product entries, a purchase",
         Relatorio{.item = "SomenteEntradasporProduto1",
                   .codigo = "1",
                   .cabecalho = doEscolhido(entradasDoProduto, alicate, colunasDoProduto),
                   .detalhes = {"09/03/2024 10,000 R$ 80,00"},
                   .resumo = {totalSemDoisPontos("Entradas", "10,000", "R$ 80,00")}});
    caso("product entries, a return",
         Relatorio{.item = "SomenteEntradasporProduto1",
                   .codigo = "2",
                   .cabecalho = doEscolhido(entradasDoProduto, cabo, colunasDoProduto),
                   .detalhes = {"13/03/2024 000002 Almoxarifado 3,000 R$ 30,00"},
                   .resumo = {totalSemDoisPontos("Entradas", "3,000", "R$ 30,00")}});
    caso("product exits",
         Relatorio{.item = "SomenteSadasporProduto1",
                   .codigo = "2",
                   .cabecalho = doEscolhido("Movimentação de Estoque por Produto(Somente Saídas)",
                                            cabo, colunasDoProduto),
                   .detalhes = {"14/03/2024 000002 Almoxarifado 1,000 R$ 10,00"},
                   .resumo = {totalSemDoisPontos("Saídas", "1,000", "R$ 10,00")}});
    const QString porGrupo = "Lista de Movimentação de Estoque por Grupo";
    caso("group",
         Relatorio{.item = "GeralporGrupo1",
                   .codigo = "2",
                   .cabecalho = doEscolhido(porGrupo, "Grupo: 000002 / Elétrica", colunasGerais),
                   .detalhes = {"2 Cabo 11/03/2024 TE 1,000 R$ 5,00",
                                "2 Cabo 13/03/2024 EE 3,000 R$ 30,00",
                                "2 Cabo 14/03/2024 SS 1,000 R$ 10,00"},
                   .resumo = geral({"3,000", "R$ 30,00"}, {"1,000", "R$ 10,00"},
                                   {"1,000", "R$ 5,00"}, nada, "R$ 15,00")});
    caso("group entries",
         Relatorio{.item = "SomenteEntradasporGrupo1",
                   .codigo = "1",
                   .cabecalho = doEscolhido("Movimentação de Estoque por Grupo(Somente Entradas)",
                                            ferramentas, colunasSemOperacao),
                   .detalhes = {"1 Alicate 09/03/2024 10,000 R$ 80,00"},
                   .resumo = {totalSemDoisPontos("Entradas", "10,000", "R$ 80,00")}});
    caso("group exits",
         Relatorio{.item = "SomenteSadasporGrupo1",
                   .codigo = "1",
                   .cabecalho = doEscolhido("Movimentação de Estoque por Grupo(Somente Saídas)",
                                            ferramentas, colunasSemOperacao),
                   .detalhes = {"1 Alicate 10/03/2024 4,000 R$ 26,00"},
                   .resumo = {totalSemDoisPontos("Saídas", "4,000", "R$ 26,00")}});
    caso("requisitioner exits",
         Relatorio{.item = "SadasporTipodeSadas1",
                   .codigo = "2",
                   .cabecalho =
                       doEscolhido("Lista de Movimentação de Estoque de Saídas por Requisitante",
                                   "Requisitante: 000002 / Almoxarifado", colunasSemOperacao),
                   .detalhes = {"2 Cabo 14/03/2024 1,000 R$ 10,00"},
                   .resumo = {total("Saídas", "1,000", "R$ 10,00")}});
    caso("requisitioner reversals",
         Relatorio{.item = "EstornodeSadasporRequisitante1",
                   .codigo = "1",
                   .cabecalho =
                       doEscolhido("Lista de Movimentação de Estoque de Estorno por Requisitante",
                                   "Requisitante: 000001 / Manutenção", colunasSemOperacao),
                   .detalhes = {"1 Alicate 12/03/2024 2,000 R$ 13,00"},
                   .resumo = {total("Estorno", "2,000", "R$ 13,00")}});
    // An empty code is accepted and finds nothing.
    caso("group left empty",
         Relatorio{.item = "GeralporGrupo1",
                   .cabecalho = doEscolhido(porGrupo, "Grupo:  /", colunasGerais),
                   .resumo = geral(nada, nada, nada, nada, "R$ 0,00")});
}

void TstRelMovimentos::everyKeyFromItsDialog()
{
    QFETCH(Relatorio, relatorio);
    TelaTeste t;
    livro(t.banco);
    t.principal().EmpNome = "Empresa Teste Ltda";
    t.principal().EmpFone = "(11) 5555-0101";
    ImpressoraTeste impressora;
    const Motor::Documento d =
        imprime(t, impressora, relatorio.item, relatorio.codigo, relatorio.de, relatorio.ate);
    QCOMPARE(d.numeroDePaginas(), 1);
    const QStringList linhas = d.paginas[0].linhas();
    QCOMPARE(linhas.first(), QString("Empresa Teste Ltda (11) 5555-0101"));
    const QStringList& cabecalho = relatorio.cabecalho;
    QCOMPARE(linhas.mid(1, cabecalho.size()), cabecalho);
    QStringList impressas;
    for (const QString& l : linhas)
        if (linhaDeDetalhe(l))
            impressas << l;
    QCOMPARE(impressas, relatorio.detalhes);
    const QStringList& resumo = relatorio.resumo;
    QCOMPARE(linhas.mid(linhas.size() - 1 - resumo.size(), resumo.size()), resumo);
    QVERIFY(linhas.last().startsWith("Página: 1"));
    QCOMPARE(t.driver.passosPendentes(), 0);
    QVERIFY(t.msgs.mensagens().isEmpty());
}

void TstRelMovimentos::variantTextsNeverLeak()
{
    TelaTeste t;
    livro(t.banco);
    ImpressoraTeste impressora;
    const auto cabecalho = [&](const char* item) {
        const Motor::Documento d = imprime(t, impressora, item, QString(), -1, 4);
        return d.paginas.value(0).linhas().mid(1, 3) + d.paginas.value(0).linhas().mid(5, 1);
    };
    const QStringList te = cabecalho("SomenteEstornosdeEntradaporData1");
    QCOMPARE(te.value(0), QString("Lista de Movimentação de Estoque Geral (Somente E.Entradas)"));
    QVERIFY(te.value(2).contains("Fornec."));
    const QStringList ts = cabecalho("SomenteEstornosdeSadaporData1");
    QCOMPARE(ts.value(0), QString("Lista de Movimentação de Estoque Geral (Somente E.Saídas)"));
    QVERIFY(ts.value(2).contains("Requis."));
    QCOMPARE(cabecalho("SomenteEstornosdeEntradaporData1"), te);
    // Entries then exits on their shared layout: the exits' captions replace the entries'.
    imprime(t, impressora, "SomenteEntradasporData1", QString(), -1, 4);
    const QStringList saidas =
        imprime(t, impressora, "SomenteSadasporData1", QString(), -1, 4).paginas[0].linhas();
    QVERIFY(!saidas.join('\n').contains("Entradas"));
    // The same report twice: the same totals.
    const Motor::Documento um = imprime(t, impressora, "GeralporProduto1", "1", -1, 4);
    const Motor::Documento dois = imprime(t, impressora, "GeralporProduto1", "1", -1, 4);
    QCOMPARE(um.paginas[0].linhas().mid(0, 12), dois.paginas[0].linhas().mid(0, 12));
}

void TstRelMovimentos::productLookUpsInTheDialog()
{
    TelaTeste t;
    livro(t.banco);
    t.banco.executa("Update Produtos set PRO_CodBar = '789001' where PRO_Codigo = '         2'");
    t.driver.aoAbrir([&](QDialog* d) {
        QCOMPARE(d->windowTitle(), QString("Escolha um Produto e o Período"));
        QVERIFY(focado(d, "edCodPro"));
        informa(d, "edCodPro", "1");
        QCOMPARE(textos(d, {"edCodPro", "EdDescPro"}), QStringList({"         1", "Alicate"}));
        // Back in the field, the bare code to edit.
        tab(d, "edCodBar");
        QVERIFY(focado(d, "EdDescPro"));
        digita(d, "edCodBar", "789001");
        tab(d, "edCodBar");
        QCOMPARE(textos(d, {"edCodPro", "EdDescPro", "edCodBar"}),
                 QStringList({"         2", "Cabo", "789001"}));
        digita(d, "edCodBar", "000");
        tab(d, "edCodBar");
        QCOMPARE(t.msgs.textos(), QStringList{"Produto não Encontrado !"});
        // An unknown bar code sends the user back to the product code.
        QTRY_VERIFY(focado(d, "edCodPro"));
        QCOMPARE(texto(d, "edCodPro"), QString("2"));
        clica(d, "btnFechar");
    });
    t.principal().aciona("GeralporProduto1");
    QCOMPARE(t.driver.passosPendentes(), 0);
}

void TstRelMovimentos::codeDialogs_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("descricao");
    QTest::addColumn<QString>("botao");
    QTest::addColumn<QString>("origem");
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("naoEncontrado");
    caso("group", "GeralporGrupo1", "edCodGrupo", "edDescGrupo", "btnBusca_Grupo", "Datas_Grupo",
         "000002", "Elétrica", "Grupo não Encontrado !");
    caso("requisitioner", "SadasporTipodeSadas1", "edCodREQ", "edDescREQ", "btnBusca_Tipo",
         "Datas_Tipo", "000002", "Almoxarifado", "Requisitante não Encontrado !");
    caso("product", "GeralporProduto1", "edCodPro", "EdDescPro", "btnBusca_Produto",
         "Datas_Produto", "         2", "Cabo", "Produto não Encontrado !");
}

void TstRelMovimentos::codeDialogs()
{
    QFETCH(QString, item);
    QFETCH(QString, campo);
    QFETCH(QString, descricao);
    QFETCH(QString, botao);
    QFETCH(QString, origem);
    QFETCH(QString, codigo);
    QFETCH(QString, nome);
    QFETCH(QString, naoEncontrado);
    TelaTeste t;
    livro(t.banco);
    t.driver.aoAbrir([&](QDialog* d) {
        const QByteArray c = campo.toLatin1();
        QVERIFY(focado(d, c));
        informa(d, c, "77");
        QCOMPARE(t.msgs.textos(), QStringList{naoEncontrado});
        QTRY_VERIFY(focado(d, c));
        informa(d, c, "2");
        QCOMPARE(textos(d, {c.constData(), descricao.toLatin1().constData()}),
                 QStringList({codigo, nome}));
        // The search opens with the dialog's tag.
        t.driver.aoAbrir([&](QDialog* busca) {
            auto* janela = qobject_cast<::JanelaBusca*>(busca);
            QVERIFY(janela);
            QCOMPARE(janela->Origem, origem);
            busca->reject();
        });
        clica(d, botao.toLatin1());
        d->reject();
    });
    t.principal().aciona(item);
    QCOMPARE(t.driver.passosPendentes(), 0);
}

void TstRelMovimentos::overLongCodesAreNotFound_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("botao");
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("naoEncontrado");
    caso("group and period", "GeralporGrupo1", "edCodGrupo", "btnImprimir", "1234567",
         "Grupo não Encontrado !");
    caso("group of a stock list", "ItensnoEstoquedeumGrupo1", "edCodGrupo", "btnImprimir",
         "1234567", "Grupo não Encontrado !");
    caso("requisitioner", "SadasporTipodeSadas1", "edCodREQ", "btnImprimir", "1234567",
         "Requisitante não Encontrado !");
    caso("product", "GeralporProduto1", "edCodPro", "btnImprime", "12345678901",
         "Produto não Encontrado !");
}

void TstRelMovimentos::overLongCodesAreNotFound()
{
    QFETCH(QString, item);
    QFETCH(QString, campo);
    QFETCH(QString, botao);
    QFETCH(QString, codigo);
    QFETCH(QString, naoEncontrado);
    TelaTeste t;
    livro(t.banco);
    ImpressoraTeste impressora;
    t.driver.aoAbrir([&](QDialog* d) {
        const QByteArray c = campo.toLatin1();
        // Straight from the field to the print button: one refusal, nothing printed.
        digita(d, c, codigo);
        clica(d, botao.toLatin1());
        QCOMPARE(t.msgs.textos(), QStringList{naoEncontrado});
        QTRY_VERIFY(focado(d, c));
        QVERIFY(d->isVisible());
        // The button pressed while the focus stays in the field, as a shortcut would.
        t.msgs.limpa();
        digita(d, c, codigo);
        Tela::botao(d, botao.toLatin1())->click();
        QCOMPARE(t.msgs.textos(), QStringList{naoEncontrado});
        QTRY_VERIFY(focado(d, c));
        QVERIFY(d->isVisible());
        QCOMPARE(t.msgs.mensagens().at(0).tipo, TipoMensagem::Informacao);
        d->reject();
    });
    t.principal().aciona(item);
    QVERIFY(impressora.impressos.isEmpty());
    QCOMPARE(t.driver.passosPendentes(), 0);
}

void TstRelMovimentos::focusOrders_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QStringList>("ordem");
    caso("dates", "MovimentaodeEstoqueGeralporData1",
         QStringList{"dtpData_Ini", "dtpData_Fim", "btnDIF_Imprimir", "btnDIF_Sair"});
    caso("product", "GeralporProduto1",
         QStringList{"edCodPro", "edCodBar", "EdDescPro", "btnBusca_Produto", "dtpData_Inicial",
                     "dtpData_Final", "btnImprime", "btnFechar"});
    caso("group", "GeralporGrupo1",
         QStringList{"edCodGrupo", "edDescGrupo", "btnBusca_Grupo", "dtpData_Inicial",
                     "dtpData_Final", "btnImprimir", "btnCancelar"});
    // It opens on the code, though its order starts at the buttons.
    caso("requisitioner", "SadasporTipodeSadas1",
         QStringList{"edCodREQ", "edDescREQ", "dtpData_Inicial", "dtpData_Final", "btnImprimir",
                     "btnCancelar", "btnBusca_Tipo", "edCodREQ"});
}

void TstRelMovimentos::focusOrders()
{
    QFETCH(QString, item);
    QFETCH(QStringList, ordem);
    TelaTeste t;
    t.driver.aoAbrir([&](QDialog* d) {
        // The order Tab follows between the controls (inside a date picker Tab walks its
        // day, month and year first).
        QStringList visitados;
        QWidget* w = focado();
        while (w && visitados.size() < ordem.size()) {
            if (!w->objectName().isEmpty() && !w->objectName().startsWith("qt_") &&
                w->focusPolicy() & Qt::TabFocus &&
                (visitados.isEmpty() || visitados.last() != w->objectName()))
                visitados << w->objectName();
            w = w->nextInFocusChain();
        }
        QCOMPARE(visitados, ordem);
        d->reject();
    });
    t.principal().aciona(item);
}

void TstRelMovimentos::overdueLoans()
{
    TelaTeste t;
    Cadastro::requisitante(t.banco, "000001", "Manutenção");
    produtoDoGrupo(t.banco, "1", "Furadeira", "000001");
    const QDate hoje = QDate::currentDate();
    const auto emprestimo = [&](int n, const char* prod, const char* req, int dias,
                                const char* devolvido) {
        t.banco.executa("Insert into Mov_Consu (MOV_CodInt, MOV_CodPro, MOV_Tipo, MOV_DataD, "
                        "MOV_Quant, MOV_Devolvido) values (:N, :P, :T, :D, 1234.5, :V)",
                        {{"N", n},
                         {"P", QString(prod).rightJustified(10, ' ')},
                         {"T", req},
                         {"D", hoje.addDays(dias)},
                         {"V", devolvido}});
    };
    emprestimo(1, "1", "000001", 0, "N");  // due today: not late
    emprestimo(2, "1", "000001", -1, "N"); // due yesterday, open: late
    emprestimo(3, "1", "000001", -5, "S"); // returned
    emprestimo(4, "9", "000001", -5, "N"); // its product is gone
    emprestimo(5, "1", "000077", -2, "N"); // its requisitioner is gone
    ImpressoraTeste impressora;
    t.driver.aoAbrir([](QDialog* escolha) { clica(escolha, "BitBtn2"); });
    t.principal().aciona("DevoluesAtrasadas1");
    QCOMPARE(impressora.impressos.size(), 1);
    const QStringList linhas = impressora.impressos[0].paginas[0].linhas();
    QCOMPARE(linhas.value(1), QString("Lista de Devoluções Atrasadas"));
    QCOMPARE(linhas.value(2), QString("Código Descrição D.Prevista Requisitante Quantidade"));
    QStringList impressas;
    for (const QString& l : linhas)
        if (linhaDeDetalhe(l))
            impressas << l;
    impressas.sort();
    QStringList esperadas{
        QString("1 Furadeira %1 000001 Manutenção 1234,500").arg(Formatos::data(hoje.addDays(-1))),
        QString("1 Furadeira %1 000077 1234,500").arg(Formatos::data(hoje.addDays(-2)))};
    esperadas.sort();
    QCOMPARE(impressas, esperadas);
    QVERIFY(!linhas.join('\n').contains("Total"));
    // Read from the database as the pages were laid out: the return window's list was not
    // filled with them.
    QCOMPARE(t.app.dmMovConsu().cdsMovConsu.tamanho(), 0);
}

void TstRelMovimentos::longReportRepeatsHeadingsAndSumsOnce()
{
    TelaTeste t;
    livro(t.banco);
    for (int i = 0; i < 120; ++i)
        movimento(t.banco, 100 + i, "1", "EE", 0, "1", "0.10");
    ImpressoraTeste impressora;
    const Motor::Documento d =
        imprime(t, impressora, "MovimentaodeEstoqueGeralporData1", QString(), -1, 4);
    QCOMPARE(d.numeroDePaginas(), 3);
    int detalhes = 0;
    for (int p = 0; p < 3; ++p) {
        const QStringList linhas = d.paginas[p].linhas();
        QCOMPARE(linhas.value(1), QString("Lista de Movimentação de Estoque Geral por Data"));
        QCOMPARE(linhas.value(3), QString("Código Descrição Data Oper. Quantidade Valor"));
        QVERIFY(linhas.last().startsWith(QString("Página: %1 Legenda: EE=Entrada,  SS=Saída, "
                                                 "TE=Estorno de Entrada, TS=Estorno de Saída "
                                                 "Data/Hora:")
                                             .arg(p + 1)));
        QCOMPARE(linhas.join('\n').contains("Balanço do Período:"), p == 2);
        for (const QString& l : linhas)
            detalhes += linhaDeDetalhe(l);
    }
    QCOMPARE(detalhes, 126);
    // 120 entries of 0,10 added exactly: 110,00 + 12,00.
    QVERIFY(d.paginas[2].linhas().contains(
        "Total de Entradas(Quantidade): 133,000 Total de Entradas(R$): R$ 122,00"));
    QVERIFY(d.paginas[2].linhas().contains("Balanço do Período: R$ 94,00"));
}

void TstRelMovimentos::requisitionerCodeKeepsToTheRight_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("produto");
    QTest::addColumn<QString>("requisitante");
    QTest::newRow("exits of a product") << "SomenteSadasporProduto1"
                                        << "1"
                                        << "000001";
    QTest::newRow("entries of a product") << "SomenteEntradasporProduto1"
                                          << "2"
                                          << "000002";
}

void TstRelMovimentos::requisitionerCodeKeepsToTheRight()
{
    QFETCH(QString, item);
    QFETCH(QString, produto);
    QFETCH(QString, requisitante);
    TelaTeste t;
    livro(t.banco);
    ImpressoraTeste impressora;
    const Motor::Documento d = imprime(t, impressora, item, produto, -1, 4);
    QCOMPARE(d.numeroDePaginas(), 1);
    const Motor::Texto* codigo = nullptr;
    const Motor::Texto* titulo = nullptr;
    for (const Motor::Texto& x : d.paginas[0].textos) {
        if (x.texto == requisitante && d.fontes.at(x.fonte).mono)
            codigo = &x;
        if (x.texto == "Requisitante")
            titulo = &x;
    }
    QVERIFY(codigo && titulo);
    QCOMPARE(codigo->alinhamento, Motor::Alinhamento::Direita);
    // The heading over the code and the name still starts where the code's column does.
    QCOMPARE(titulo->alinhamento, Motor::Alinhamento::Esquerda);
    QCOMPARE(titulo->caixa.left(), codigo->caixa.left());
}

void TstRelMovimentos::pdfWrittenPageByPageIsThePreparedReport()
{
    AplicacaoTeste t;
    livro(t.banco);
    for (int i = 0; i < 150; ++i)
        movimento(t.banco, 100 + i, i % 2 ? "1" : "2", i % 3 ? "EE" : "SS", 0, "1", "0.10",
                  "000001");
    Relatorios r(t.app.dmProdutos(), t.app.dmMovEstq(), t.app.dmMovConsu());
    const QString chave = "Mov_Estq Geral Datas";
    QVERIFY(r.carregaMovimentos(chave, {dia.addDays(-1), dia.addDays(4), {}, {}}));
    const Cabecalho cabecalho{"Empresa", "(11) 5555-0101", QDateTime(dia, QTime(9, 0))};
    const std::optional<Motor::Documento> inteiro = r.prepara(chave, cabecalho);
    QVERIFY(inteiro);
    QCOMPARE(inteiro->numeroDePaginas(), 3);

    QTemporaryDir pasta;
    const QString deUmaVez = pasta.filePath("inteiro.pdf");
    const QString aosPoucos = pasta.filePath("paginas.pdf");
    QVERIFY(inteiro->gravaPdf(deUmaVez));
    QList<int> escritas;
    QCOMPARE(r.gravaPdf(chave, cabecalho, aosPoucos, [&](int n) { escritas << n; }),
             std::optional<int>(3));
    QCOMPARE(escritas, QList<int>({1, 2, 3}));
    // The same pages, the same totals and balance: the sums start again with each report.
    QCOMPARE(Pdf::texto(aosPoucos), Pdf::texto(deUmaVez));
    QVERIFY(Pdf::texto(aosPoucos, 3).contains("Balanço do Período:"));
    QCOMPARE(r.gravaPdf(chave, cabecalho, pasta.filePath("nada/aqui.pdf")), std::nullopt);
    QCOMPARE(r.gravaPdf("Chave Nenhuma", cabecalho, pasta.filePath("x.pdf")), std::nullopt);
}

void TstRelMovimentos::rowsReadInBatchesGiveTheReportOfTheWholeList_data()
{
    QTest::addColumn<int>("lote");
    QTest::newRow("a row at a time") << 1;
    QTest::newRow("batches ending inside a page") << 7;
    QTest::newRow("one batch") << 1000;
}

void TstRelMovimentos::rowsReadInBatchesGiveTheReportOfTheWholeList()
{
    QFETCH(int, lote);
    AplicacaoTeste t;
    livro(t.banco);
    for (int i = 0; i < 150; ++i)
        movimento(t.banco, 100 + i, i % 2 ? "1" : "2", i % 3 ? "EE" : (i % 5 ? "SS" : "TS"), i % 4,
                  "1.5", "1000000.10", "000001");
    TdmMovEstq& dm = t.app.dmMovEstq();
    dm.carregaRelatorio(TdmMovEstq::Cabeca::M, TdmMovEstq::Selecao::W1,
                        {dia.addDays(-1), dia.addDays(4), {}, {}, {}, {}});
    QCOMPARE(dm.cds_MovEstq.tamanho(), 156);
    const Cabecalho cabecalho{"Empresa", "(11) 5555-0101", QDateTime(dia, QTime(9, 0))};
    TfRel_Mov_Estq layout;
    const Motor::Documento inteiro = layout.prepara(dm.cds_MovEstq, cabecalho);
    const RelMovimento::Soma entradas = layout.soma("EE");
    const RelMovimento::Soma estornos = layout.soma("TS");
    const Decimal balanco = layout.balanco();
    QCOMPARE(inteiro.numeroDePaginas(), 3);

    // The same statement on a cursor of its own, read a batch at a time.
    Consulta consulta(t.app.conexao());
    consulta.setSql(dm.SQLQ_MovEstq2.sql());
    consulta.setParametro("DataIniD", dia.addDays(-1));
    consulta.setParametro("DataFimD", dia.addDays(4));
    FonteDeLinhas fonte(consulta.abreCursor(), dm.cds_MovEstq, lote);
    Motor::Documento aosLotes;
    const Motor::RecebePagina guarda = Motor::guardaEm(aosLotes);
    int maisEmMemoria = 0;
    QVERIFY(layout.prepara(fonte, cabecalho,
                           [&](const Motor::Documento& molde, Motor::Pagina&& pagina, int n) {
                               maisEmMemoria = qMax(maisEmMemoria, fonte.emMemoria());
                               return guarda(molde, std::move(pagina), n);
                           }));
    // Never more than a batch of rows held, and the very pages, totals and balance.
    QVERIFY(maisEmMemoria <= lote);
    QCOMPARE(aosLotes, inteiro);
    QCOMPARE(layout.soma("EE").valor, entradas.valor);
    QCOMPARE(layout.soma("EE").quantidade, entradas.quantidade);
    QCOMPARE(layout.soma("TS").valor, estornos.valor);
    QCOMPARE(layout.balanco(), balanco);
    QVERIFY(inteiro.paginas.last().linhas().join('\n').contains("Balanço do Período:"));
}

void TstRelMovimentos::reportRowsAreTheListsRowsInItsOrder_data()
{
    using S = TdmMovEstq::Selecao;
    using C = TdmMovEstq::Cabeca;
    QTest::addColumn<int>("cabeca");
    QTest::addColumn<int>("selecao");
    QTest::addColumn<bool>("peloIndiceDeDatas");
    QTest::newRow("general") << int(C::M) << int(S::W1) << true;
    QTest::newRow("general with the group") << int(C::G) << int(S::W1) << true;
    QTest::newRow("one operation") << int(C::M) << int(S::W2) << true;
    QTest::newRow("one product") << int(C::M) << int(S::W3) << false;
    QTest::newRow("one product, one operation") << int(C::M) << int(S::W4) << false;
    QTest::newRow("one group") << int(C::G) << int(S::W5) << false;
    QTest::newRow("one group, one operation") << int(C::G) << int(S::W6) << false;
    QTest::newRow("one requisitioner") << int(C::M) << int(S::W7) << false;
}

// The statement a report reads on its own cursor gives the rows of the movement list, day by
// day; over a whole period the first row comes from the date index without the period being
// joined and sorted first.
void TstRelMovimentos::reportRowsAreTheListsRowsInItsOrder()
{
    QFETCH(int, cabeca);
    QFETCH(int, selecao);
    QFETCH(bool, peloIndiceDeDatas);
    AplicacaoTeste t;
    livro(t.banco);
    // Same-day rows entered out of product and operation order.
    for (int i = 0; i < 60; ++i)
        movimento(t.banco, 200 - i, i % 2 ? "1" : "2", i % 3 ? "EE" : (i % 5 ? "SS" : "TS"), i % 4,
                  "1", "2.00", i % 2 ? "000001" : "000002");
    // Index figures as a filled ledger has them, so the engine plans as it would there.
    for (const char* indice : {"IDX_MOV_ESTQ_DATA", "IDX_MOV_ESTQ_OPER", "IDX_MOV_ESTQ_CODPRO",
                               "PK_MOV_ESTQ", "PK_PRODUTOS", "PK_CODMOV", "PK_REQUISITANTE"})
        t.banco.executa(QStringLiteral("SET STATISTICS INDEX %1").arg(indice));
    const TdmMovEstq::Periodo periodo{
        dia.addDays(-1), dia.addDays(3), "SS", QString("1").rightJustified(10), "000001", "000001"};
    TdmMovEstq& dm = t.app.dmMovEstq();
    dm.carregaRelatorio(TdmMovEstq::Cabeca(cabeca), TdmMovEstq::Selecao(selecao), periodo);
    // Each row as its day and number: the days in order, the rows of one day in no set order.
    const auto chave = [](const QVariant& data, const QVariant& numero) {
        return data.toDate().toString(Qt::ISODate) + ' ' + numero.toString().rightJustified(6);
    };
    const int data = dm.cds_MovEstq.campo("MOV_DATA");
    const int numero = dm.cds_MovEstq.campo("MOV_CODINT");
    QStringList daLista;
    for (int i = 0; i < dm.cds_MovEstq.tamanho(); ++i)
        daLista << chave(dm.cds_MovEstq.valor(i, data), dm.cds_MovEstq.valor(i, numero));
    QVERIFY(daLista.size() > 1);

    Consulta consulta(t.app.conexao());
    consulta.setSql(
        sqlRelatorioMovimentos(TdmMovEstq::Cabeca(cabeca), TdmMovEstq::Selecao(selecao)));
    const QString plano = consulta.plano().toUpper();
    if (peloIndiceDeDatas) {
        QVERIFY2(plano.contains("M ORDER IDX_MOV_ESTQ_DATA"), qPrintable(plano));
        QVERIFY2(!plano.contains("SORT"), qPrintable(plano));
    }
    // Each parameter the statement names takes the period's value; those it does not name are
    // passed over.
    const std::pair<const char*, QVariant> valores[] = {
        {"DataIniD", periodo.inicio}, {"DataFimD", periodo.fim},   {"Oper", periodo.oper},
        {"OperC", periodo.oper},      {"CodPro", periodo.produto}, {"CodGRU", periodo.grupo},
        {"CodTip", periodo.tipo}};
    for (const auto& [nome, valor] : valores)
        for (const QString& n : consulta.parametros())
            if (n.compare(QLatin1String(nome), Qt::CaseInsensitive) == 0)
                consulta.setParametro(QLatin1String(nome), valor);
    FonteDeLinhas fonte(consulta.abreCursor(), dm.cds_MovEstq, 16);
    QStringList doCursor;
    for (int i = 0; fonte.existe(i); ++i)
        doCursor << chave(fonte.valor(i, fonte.campo("MOV_DATA")),
                          fonte.valor(i, fonte.campo("MOV_CODINT")));
    const auto dias = [](QStringList linhas) {
        for (QString& l : linhas)
            l.truncate(10);
        return linhas;
    };
    QCOMPARE(dias(doCursor), dias(daLista));
    doCursor.sort();
    daLista.sort();
    QCOMPARE(doCursor, daLista);
}

// A ledger without the date index the walk by date names still gets its report, whole and
// in date order, without a word from the database.
void TstRelMovimentos::reportPrintsOnALedgerWithoutItsDateIndex()
{
    TelaTeste t;
    livro(t.banco);
    t.banco.executa("DROP INDEX IDX_MOV_ESTQ_DATA");
    ImpressoraTeste impressora;
    const Motor::Documento d =
        imprime(t, impressora, "MovimentaodeEstoqueGeralporData1", QString(), -1, 4);
    QCOMPARE(d.numeroDePaginas(), 1);
    QStringList datas;
    for (const QString& l : d.paginas[0].linhas())
        if (linhaDeDetalhe(l))
            datas << l;
    QCOMPARE(datas.size(), 6);
    QVERIFY(datas.first().contains(Formatos::data(dia.addDays(-1))));
    QVERIFY(datas.last().contains(Formatos::data(dia.addDays(4))));
    QVERIFY(t.msgs.mensagens().isEmpty());
}

namespace {

// The general report by date over the ledger and 150 more movements: three pages.
void tresPaginas(TelaTeste& t)
{
    livro(t.banco);
    for (int i = 0; i < 150; ++i)
        movimento(t.banco, 100 + i, i % 2 ? "1" : "2", i % 3 ? "EE" : "SS", 0, "1", "0.10",
                  "000001");
}

// The general report's dialog prints; the output choice runs `escolhe` on itself.
void pedeGeral(TelaTeste& t, const std::function<void(QDialog*)>& escolhe)
{
    t.driver.aoAbrir([](QDialog* d) {
        acha<QDateEdit>(d, "dtpData_Ini")->setDate(dia.addDays(-1));
        acha<QDateEdit>(d, "dtpData_Fim")->setDate(dia.addDays(4));
        clica(d, "btnDIF_Imprimir");
    });
    t.driver.aoAbrir(escolhe);
    t.principal().aciona("MovimentaodeEstoqueGeralporData1");
}

} // namespace

void TstRelMovimentos::printerGetsThePagesAsTheyAreLaidOut()
{
    TelaTeste t;
    tresPaginas(t);
    Motor::Documento previa;
    pedeGeral(t, [&](QDialog* escolha) {
        previa = *t.app.janela<TfTela_Impressora>().produz();
        clica(escolha, "BitBtn3");
    });
    QCOMPARE(previa.numeroDePaginas(), 3);

    // The printer itself, writing to a file, without the tests' own printing function.
    QTemporaryDir pasta;
    const QString arquivo = pasta.filePath("impresso.pdf");
    const QString esperado = pasta.filePath("previa.pdf");
    QVERIFY(previa.gravaPdf(esperado));
    QPrinter& impressora = Impressora::atual();
    impressora.setOutputFileName(arquivo);
    pedeGeral(t, [](QDialog* escolha) { clica(escolha, "BitBtn2"); });
    impressora.setOutputFileName(QString());
    QVERIFY(t.msgs.mensagens().isEmpty());
    QCOMPARE(Pdf::paginas(arquivo), 3);
    // The same words on the same pages; only the footer's moment may differ between the two
    // requests, and the spacing pdftotext guesses at the printer's resolution.
    const QRegularExpression hora(QStringLiteral("Data/Hora: \\S+ \\S+"));
    for (int p = 1; p <= 3; ++p)
        QCOMPARE(Pdf::texto(arquivo, p).replace(hora, "Data/Hora:").simplified(),
                 Pdf::texto(esperado, p).replace(hora, "Data/Hora:").simplified());
    QVERIFY(Pdf::texto(arquivo, 3).contains("Balanço do Período:"));
}

void TstRelMovimentos::cancelledPrintingPrintsNothing()
{
    TelaTeste t;
    tresPaginas(t);
    ImpressoraTeste impressora;
    bool cancelou = false;
    pedeGeral(t, [&](QDialog* escolha) {
        // Runs while the pages are being sent, at the first page.
        QTimer::singleShot(0, escolha, [&, escolha] {
            if (auto* progresso = escolha->findChild<QProgressDialog*>("pdProgresso")) {
                progresso->cancel();
                cancelou = true;
            }
        });
        clica(escolha, "BitBtn2");
    });
    QVERIFY(cancelou);
    QVERIFY(impressora.impressos.isEmpty());
    QVERIFY(t.msgs.mensagens().isEmpty());
    QVERIFY(!t.app.janela<TfTela_Impressora>().isVisible());
}

void TstRelMovimentos::previewShowsPageOneWhileTheRestIsLaidOut_data()
{
    QTest::addColumn<QString>("botao");
    QTest::addColumn<bool>("cancela");
    QTest::addColumn<int>("paginaNoFim");
    QTest::addColumn<int>("impressos");
    QTest::newRow("last page") << "btnUltima" << false << 2 << 0;
    QTest::newRow("next page") << "btnProxima" << false << 1 << 0;
    QTest::newRow("printing") << "btnImprimir" << false << 0 << 1;
    QTest::newRow("printing cancelled") << "btnImprimir" << true << 0 << 0;
    QTest::newRow("last page cancelled") << "btnUltima" << true << 0 << 0;
}

void TstRelMovimentos::previewShowsPageOneWhileTheRestIsLaidOut()
{
    QFETCH(QString, botao);
    QFETCH(bool, cancela);
    QFETCH(int, paginaNoFim);
    QFETCH(int, impressos);
    TelaTeste t;
    tresPaginas(t);
    ImpressoraTeste impressora;
    TfVisualiza& previa = t.app.janela<TfTela_Impressora>().previa();
    // Looks at the preview between two pages being laid out, once page 1 is there.
    QString rotulo;
    int prontas = -1;
    bool esperou = false;
    std::function<void()> olha = [&] {
        if (!previa.montando() || previa.documento().numeroDePaginas() == 0) {
            QTimer::singleShot(0, &previa, olha);
            return;
        }
        prontas = previa.documento().numeroDePaginas();
        rotulo = texto(&previa, "lbPagina");
        clica(&previa, botao.toLatin1().constData());
        auto* espera = previa.findChild<QProgressDialog*>("pdEspera");
        esperou = espera && espera->isVisible() && previa.paginaAtual() == 0;
        if (espera && cancela)
            clica(espera, "btnCancelaEspera");
    };
    Motor::Documento visto;
    int pagina = -1;
    pedeGeral(t, [&](QDialog* escolha) {
        QTimer::singleShot(0, &previa, olha);
        t.driver.aoAbrir([&](QDialog*) {
            visto = previa.documento();
            pagina = previa.paginaAtual();
            QCOMPARE(texto(&previa, "lbPagina"), QString("Página %1 de 3").arg(pagina + 1));
            clica(&previa, "btnFechar");
        });
        clica(escolha, "BitBtn1");
    });
    QCOMPARE(prontas, 1);
    QCOMPARE(rotulo, QString("Página 1 de ..."));
    QVERIFY(esperou);
    QCOMPARE(visto.numeroDePaginas(), 3);
    QVERIFY(visto.paginas[2].linhas().join('\n').contains("Balanço do Período:"));
    QCOMPARE(pagina, paginaNoFim);
    QCOMPARE(impressora.impressos.size(), impressos);
    if (impressos)
        QCOMPARE(impressora.impressos[0], visto);
    QVERIFY(t.msgs.mensagens().isEmpty());
}

// The pages laid out go to disk: paging through the preview, only the page on screen is held,
// and it is the very page the whole report has there.
void TstRelMovimentos::previewHoldsOnlyThePageOnScreen()
{
    TelaTeste t;
    tresPaginas(t);
    ImpressoraTeste impressora;
    TfVisualiza& previa = t.app.janela<TfTela_Impressora>().previa();
    QList<int> emMemoria;
    QList<Motor::Pagina> vistas;
    Motor::Documento inteiro;
    pedeGeral(t, [&](QDialog* escolha) {
        t.driver.aoAbrir([&](QDialog*) {
            while (previa.montando() || previa.numeroDePaginas() < 3)
                QCoreApplication::processEvents();
            for (const char* botao : {"btnPrimeira", "btnProxima", "btnProxima", "btnPrimeira"}) {
                clica(&previa, botao);
                previa.repaint();
                emMemoria << previa.paginasEmMemoria();
                vistas << previa.vista().paginas.value(0);
            }
            inteiro = previa.documento();
            clica(&previa, "btnImprimir");
            clica(&previa, "btnFechar");
        });
        clica(escolha, "BitBtn1");
    });
    QCOMPARE(emMemoria, QList<int>({1, 1, 1, 1}));
    QCOMPARE(inteiro.numeroDePaginas(), 3);
    QCOMPARE(vistas, QList<Motor::Pagina>({inteiro.paginas[0], inteiro.paginas[1],
                                           inteiro.paginas[2], inteiro.paginas[0]}));
    QVERIFY(inteiro.paginas[2].linhas().join('\n').contains("Balanço do Período:"));
    // Printed from disk a page at a time: the same report.
    QCOMPARE(impressora.impressos.size(), 1);
    QCOMPARE(impressora.impressos[0], inteiro);
    QVERIFY(t.msgs.mensagens().isEmpty());
}

void TstRelMovimentos::previewExportsTheReportRows_data()
{
    QTest::addColumn<QString>("nome");
    // The file as read back: the .csv's lines, or the .xlsx sheet's cells as "ref=value".
    QTest::addColumn<QStringList>("esperado");
    QTest::newRow("csv") << "geral.csv"
                         << QStringList{
                                QStringLiteral("Código;Descrição;Data;Oper.;Quantidade;Valor"),
                                QStringLiteral("1;Alicate;09/03/2024;EE;10,000;80,00"),
                                QStringLiteral("1;Alicate;10/03/2024;SS;4,000;26,00")};
    QTest::newRow("xlsx") << "geral.xlsx"
                          << QStringList{"A1=Código",     "B1=Descrição", "C1=Data",    "D1=Oper.",
                                         "E1=Quantidade", "F1=Valor",     "B2=Alicate", "D2=EE",
                                         "E2=#10",        "F2=#80"};
}

// "Exportar para planilha…" in the preview writes the report's rows under the headings it
// prints, numbers as numbers, accents intact.
void TstRelMovimentos::previewExportsTheReportRows()
{
    QFETCH(QString, nome);
    QFETCH(QStringList, esperado);
    TelaTeste t;
    livro(t.banco);
    QTemporaryDir pasta;
    const QString arquivo = pasta.filePath(nome);
    TfVisualiza& previa = t.app.janela<TfTela_Impressora>().previa();
    pedeGeral(t, [&](QDialog* escolha) {
        t.driver.aoAbrir([&](QDialog*) {
            while (previa.montando() || previa.numeroDePaginas() < 1)
                QCoreApplication::processEvents();
            auto* acao = previa.findChild<QAction*>("acExportarPlanilha");
            QVERIFY(acao && acao->isEnabled());
            QCOMPARE(acao->text(), QStringLiteral("Exportar para planilha…"));
            QVERIFY(acha<QScrollArea>(&previa, "saPaginas")->actions().contains(acao));
            t.driver.respondeEscolha(arquivo);
            QTest::keyClick(&previa, Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
            QCOMPARE(t.driver.escolhasPendentes(), 0);
            clica(&previa, "btnFechar");
        });
        clica(escolha, "BitBtn1");
    });
    QCOMPARE(t.msgs.quantidade(), 1);
    QVERIFY2(t.msgs.ultimoTexto().contains(QStringLiteral("6 linha")),
             qPrintable(t.msgs.ultimoTexto()));

    QStringList lido;
    if (nome.endsWith(QLatin1String(".csv"))) {
        QFile f(arquivo);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        // The byte-order mark lets the office spreadsheet read the accents as UTF-8.
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        lido = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"));
        for (qsizetype i = 1; i < lido.size(); ++i)
            lido[i] = lido.at(i).trimmed();
        lido = lido.mid(0, esperado.size());
    } else {
        QProcess unzip;
        unzip.start(QStringLiteral("unzip"), {"-p", arquivo, "xl/worksheets/sheet1.xml"});
        QVERIFY(unzip.waitForFinished());
        const QString xml = QString::fromUtf8(unzip.readAllStandardOutput());
        // A text cell holds its text in <t>; a number cell its value in <v>, with no type.
        static const QRegularExpression celula(
            QStringLiteral("<c r=\"([A-Z]+[0-9]+)\"([^>]*)>(?:<v>([^<]*)</v>|<is><t[^>]*>([^<]*)"
                           "</t></is>)"));
        QHash<QString, QString> porRef;
        for (auto it = celula.globalMatch(xml); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            const bool numero = !m.captured(2).contains(QLatin1String("t=\"")) ||
                                m.captured(2).contains(QLatin1String("t=\"n\""));
            porRef.insert(m.captured(1), m.captured(4).isNull() && numero
                                             ? QLatin1Char('#') + m.captured(3)
                                             : m.captured(4));
        }
        for (const QString& e : esperado)
            lido << e.section(QLatin1Char('='), 0, 0) + QLatin1Char('=') +
                        porRef.value(e.section(QLatin1Char('='), 0, 0));
    }
    QCOMPARE(lido, esperado);
}

QTEST_MAIN(TstRelMovimentos)
#include "tst_relmovimentos.moc"
