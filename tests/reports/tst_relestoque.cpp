// The stock lists: which products each one prints and in what order, the page frame (company
// header and footer on every page, headings on the first page only, the summary once at the
// end), the stock value kept exact, and the way from the menu through the output choice to
// the preview, the printer and the saved files.

#include "app/Principal.h"
#include "data/DataModule_Grupos.h"
#include "data/DataModule_Produtos.h"
#include "registers/Busca_Grupos.h"
#include "reports/Busca_Rel_Grupo.h"
#include "reports/Relatorios.h"
#include "reports/Tela_Impressora.h"
#include "reports/Visualiza.h"
#include "reports/engine/Motor.h"
#include "support/AplicacaoTeste.h"
#include "support/Cadastro.h"
#include "support/ImpressoraTeste.h"

#include <QDialog>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace Tela;

class TstRelEstoque : public QObject {
    Q_OBJECT

private slots:
    void rowsOfEachList_data();
    void rowsOfEachList();
    void layoutOfEachKey_data();
    void layoutOfEachKey();
    void stockValueIsTheExactSumOfThePrintedRows();
    void emptyRegisterPrintsZero();
    void longReportRepeatsFrameButNotHeadings();
    void longDescriptionCutAtAWord();
    void previewThenPrintGivesTheSamePages();
    void savedReportLoadsBackAndPdfReadsBack();
    void cancelProducesNothing();
    void groupDialogLooksUpAndPads();
    void groupDialogSearch_data();
    void groupDialogSearch();
    void groupDialogPrintsEmptyCodeAsZeros();
    void commandLineWritesThePdf();
    void commandLineRefusesOverLongCodes_data();
    void commandLineRefusesOverLongCodes();
};

namespace {

// A product on shelf A-01, counted in units, with its minimum when given.
void produtoNaPrateleira(BancoTeste& b, const QString& codigo, const QString& descricao,
                         const QString& quantidade, const QString& valor,
                         const QString& grupo = QStringLiteral("000001"),
                         const QVariant& minimo = {})
{
    Cadastro::produto(b, {.codigo = codigo.rightJustified(10, QLatin1Char(' ')),
                          .descricao = descricao,
                          .grupo = grupo,
                          .quantidade = quantidade,
                          .valor = valor,
                          .unidade = QStringLiteral("UN"),
                          .local = QStringLiteral("A-01"),
                          .minimo = minimo});
}

// The register of the edge cases: codes of different lengths, a product whose group is gone,
// quantities at, above and below the minimum, none, zero and negative.
void registroDeCasos(BancoTeste& b)
{
    Cadastro::grupo(b, "000001", "Ferramentas");
    Cadastro::grupo(b, "000002", "Elétrica");
    produtoNaPrateleira(b, "123", "Alicate", "5", "10.00", "000001", 5); // at its minimum
    produtoNaPrateleira(b, "99", "Broca", "0", "3.50", "000001", 2);     // zero, below minimum
    produtoNaPrateleira(b, "7", "Cabo", "-2", "4.00", "000002", 1);      // negative
    produtoNaPrateleira(b, "1000", "Disjuntor", "3", "25.00", "000002"); // no minimum
    produtoNaPrateleira(b, "55", "Esquadro", "8", "12.00", "000001", 6); // above its minimum
    produtoNaPrateleira(b, "8", "Fita órfã", "4", "1.00", "000099", 10); // group is gone
}

// The detail lines of a report: the lines between its headings and its footer, the summary
// left out.
QStringList codigosImpressos(const Motor::Documento& d, const QStringList& descricoes)
{
    QStringList saida;
    for (const Motor::Pagina& p : d.paginas)
        for (const QString& linha : p.linhas())
            for (const QString& desc : descricoes)
                if (linha.contains(QLatin1Char(' ') + desc + QLatin1Char(' ')))
                    saida << desc;
    return saida;
}

Motor::Documento prepara(AplicacaoTeste& t, const QString& chave)
{
    Relatorios& r = t.app.janela<TfTela_Impressora>().relatorios();
    if (!r.carregaSemDialogo(chave))
        r.carregaGrupo(QStringLiteral("000001"));
    return *r.prepara(chave, Cabecalho{QStringLiteral("Empresa Teste Ltda"),
                                       QStringLiteral("(11) 5555-0101"),
                                       QDateTime(QDate(2024, 3, 5), QTime(14, 30, 0))});
}

const QStringList todas{"Alicate", "Broca", "Cabo", "Disjuntor", "Esquadro", "Fita órfã"};

// Opens a menu item; the output choice presses `botao`; with "Tela" the preview takes
// `previa`.
void pedeRelatorio(TelaTeste& t, const char* item, const char* botao,
                   DriverModal::Passos previa = {})
{
    t.driver.aoAbrir([botao](QDialog* escolha) {
        QCOMPARE(escolha->objectName(), QString("TfTela_Impressora"));
        clica(escolha, botao);
    });
    if (previa)
        t.driver.aoAbrir(std::move(previa));
    t.principal().aciona(QLatin1String(item));
}

} // namespace

void TstRelEstoque::rowsOfEachList_data()
{
    QTest::addColumn<QString>("chave");
    QTest::addColumn<QStringList>("linhas");
    // Codes are stored right-aligned, so the order by code is numeric: 7, 55, 99, 123, 1000.
    caso("by code", QString("Itens Estoque Codigo"),
         QStringList{"Cabo", "Esquadro", "Broca", "Alicate", "Disjuntor"});
    caso("by code II", QString("Itens Estoque Codigo 2"),
         QStringList{"Cabo", "Esquadro", "Broca", "Alicate", "Disjuntor"});
    caso("by description", QString("Itens Estoque Descricao"),
         QStringList{"Alicate", "Broca", "Cabo", "Disjuntor", "Esquadro"});
    caso("by description II", QString("Itens Estoque Descricao 2"),
         QStringList{"Alicate", "Broca", "Cabo", "Disjuntor", "Esquadro"});
    caso("group", QString("Itens Estoque Grupo"), QStringList{"Alicate", "Broca", "Esquadro"});
    caso("group II", QString("Itens Estoque Grupo 2"), QStringList{"Alicate", "Broca", "Esquadro"});
    // Zero and negative quantities are not in stock.
    caso("in stock", QString("Produtos em Estoque"),
         QStringList{"Alicate", "Disjuntor", "Esquadro"});
    // At the minimum is included; no minimum is not below it.
    caso("below minimum", QString("Estoque Minimo"), QStringList{"Alicate", "Broca", "Cabo"});
}

void TstRelEstoque::rowsOfEachList()
{
    QFETCH(QString, chave);
    QFETCH(QStringList, linhas);
    AplicacaoTeste t;
    registroDeCasos(t.banco);
    const Motor::Documento d = prepara(t, chave);
    QCOMPARE(codigosImpressos(d, todas), linhas);

    // Read from the database a batch at a time as the pages are laid out: the shared product
    // list is left unfilled, and the pages are those of the list read whole.
    DataSet& lista = t.app.dmProdutos().cds_Produtos;
    QCOMPARE(lista.tamanho(), 0);
    Relatorios& r = t.app.janela<TfTela_Impressora>().relatorios();
    QCOMPARE(r.carregaLista(chave), &lista);
    QCOMPARE(lista.tamanho(), linhas.size());
    QVERIFY(
        r.layoutEstoque(chave)->prepara(
            lista, Cabecalho{QStringLiteral("Empresa Teste Ltda"), QStringLiteral("(11) 5555-0101"),
                             QDateTime(QDate(2024, 3, 5), QTime(14, 30, 0))}) == d);
}

void TstRelEstoque::layoutOfEachKey_data()
{
    QTest::addColumn<QString>("chave");
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<QString>("titulos");
    QTest::addColumn<QString>("linhaAlicate");
    QTest::addColumn<QString>("resumo");
    const QString simples = "Código Descrição Unid. Quantidade Valor";
    const QString comLocal = "Código Descrição Unid. Localização Est.Min Quantidade Valor";
    const QString alicate = "123 Alicate UN 5,000 R$ 10,00";
    const QString alicateLocal = "123 Alicate UN A-01 5 5,000 R$ 10,00";
    caso("I", QString("Itens Estoque Codigo"), QString("Lista de Itens no Estoque"), simples,
         alicate, QString("Total em Estoque em R$: R$ 213,00"));
    caso("II", QString("Itens Estoque Descricao 2"), QString("Lista de Itens no Estoque"), comLocal,
         alicateLocal, QString("Total em Estoque em R$: R$ 213,00"));
    caso("group I", QString("Itens Estoque Grupo"),
         QString("Lista de Itens no Estoque de um Grupo"), simples, alicate,
         QString("Total em Estoque pelo em R$: R$ 146,00"));
    caso("group II", QString("Itens Estoque Grupo 2"),
         QString("Lista de Itens no Estoque de um Grupo"),
         "Código Descrição Unid. Localização Est.Min. Quantidade Valor", alicateLocal,
         QString("Total em Estoque pelo em R$: R$ 146,00"));
    caso("in stock", QString("Produtos em Estoque"), QString("Produtos em Estoque"),
         QString("Código Descrição Unid. Quantidade"), QString("123 Alicate UN 5,000"), QString());
    caso("minimum", QString("Estoque Minimo"), QString("Itens Abaixo do Estoque Mínimo"), comLocal,
         alicateLocal, QString());
}

void TstRelEstoque::layoutOfEachKey()
{
    QFETCH(QString, chave);
    QFETCH(QString, titulo);
    QFETCH(QString, titulos);
    QFETCH(QString, linhaAlicate);
    QFETCH(QString, resumo);
    AplicacaoTeste t;
    registroDeCasos(t.banco);
    const Motor::Documento d = prepara(t, chave);
    QCOMPARE(d.numeroDePaginas(), 1);
    const QStringList linhas = d.paginas[0].linhas();
    QCOMPARE(linhas.value(0), QString("Empresa Teste Ltda (11) 5555-0101"));
    QCOMPARE(linhas.value(1), titulo);
    int i = 2;
    if (Relatorios::doGrupo(chave))
        QCOMPARE(linhas.value(i++), QString("Grupo:  /")); // nothing chosen in the dialog
    QCOMPARE(linhas.value(i), titulos);
    QVERIFY2(linhas.contains(linhaAlicate), qPrintable(linhas.join('\n')));
    QCOMPARE(linhas.last(), QString("Página: 1 Data/Hora: 05/03/2024 14:30:00"));
    if (resumo.isEmpty())
        QVERIFY(!linhas.join('\n').contains("Total"));
    else
        QCOMPARE(linhas.value(linhas.size() - 2), resumo);
}

void TstRelEstoque::stockValueIsTheExactSumOfThePrintedRows()
{
    AplicacaoTeste t;
    Cadastro::grupo(t.banco, "000001", "Ferramentas");
    // Cents a binary double cannot hold, many times over, and a negative quantity.
    for (int i = 1; i <= 30; ++i)
        produtoNaPrateleira(t.banco, QString::number(i), QString("Item %1").arg(i), "0.333",
                            "0.10");
    produtoNaPrateleira(t.banco, "31", "Devolvido", "-1.5", "1234567.89");
    produtoNaPrateleira(t.banco, "32", "Parafuso", "1000", "0.01");
    // 30 x 0,0333 = 0,999; -1.851.851,835; 10,00: 0,999 - 1.851.851,835 + 10 = -1.851.840,836
    const Motor::Documento d = prepara(t, "Itens Estoque Codigo");
    const RelEstoque& r = t.app.janela<TfTela_Impressora>().relatorios().relItensEstoque;
    QCOMPARE(r.totalEstoque(), Decimal(-1851840836, 3));
    const QStringList linhas = d.paginas.last().linhas();
    QCOMPARE(linhas.value(linhas.size() - 2), QString("Total em Estoque em R$: -R$ 1.851.840,84"));
    // A second request starts again from zero.
    const Motor::Documento outra = prepara(t, "Itens Estoque Codigo");
    QCOMPARE(r.totalEstoque(), Decimal(-1851840836, 3));
    QCOMPARE(outra, d);

    QTemporaryDir pasta;
    const QString pdf = pasta.filePath("estoque.pdf");
    QVERIFY(d.gravaPdf(pdf));
    const QString texto = Pdf::texto(pdf);
    QVERIFY2(texto.contains("-R$ 1.851.840,84"), qPrintable(texto));
    QVERIFY(texto.contains("Lista de Itens no Estoque"));
    QVERIFY(texto.contains("-1,500"));
}

void TstRelEstoque::emptyRegisterPrintsZero()
{
    AplicacaoTeste t;
    const Motor::Documento d = prepara(t, "Itens Estoque Descricao");
    QCOMPARE(d.numeroDePaginas(), 1);
    const QStringList linhas = d.paginas[0].linhas();
    QCOMPARE(linhas, QStringList({"Empresa Teste Ltda (11) 5555-0101", "Lista de Itens no Estoque",
                                  "Código Descrição Unid. Quantidade Valor",
                                  "Total em Estoque em R$: R$ 0,00",
                                  "Página: 1 Data/Hora: 05/03/2024 14:30:00"}));
}

void TstRelEstoque::longReportRepeatsFrameButNotHeadings()
{
    AplicacaoTeste t;
    Cadastro::grupo(t.banco, "000001", "Ferramentas");
    for (int i = 1; i <= 150; ++i)
        produtoNaPrateleira(t.banco, QString::number(i),
                            QString("Item %1").arg(i, 3, 10, QChar('0')), "2", "1.50");
    const Motor::Documento d = prepara(t, "Itens Estoque Codigo 2");
    QCOMPARE(d.numeroDePaginas(), 3);
    int detalhes = 0;
    for (int p = 0; p < d.numeroDePaginas(); ++p) {
        const QStringList linhas = d.paginas[p].linhas();
        QCOMPARE(linhas.first(), QString("Empresa Teste Ltda (11) 5555-0101"));
        QCOMPARE(linhas.last(), QString("Página: %1 Data/Hora: 05/03/2024 14:30:00").arg(p + 1));
        QCOMPARE(linhas.contains("Lista de Itens no Estoque"), p == 0);
        QCOMPARE(linhas.join('\n').contains("Localização"), p == 0);
        QCOMPARE(linhas.join('\n').contains("Total em Estoque"), p == 2);
        for (const QString& l : linhas)
            detalhes += l.contains(" Item ");
        // Each rule of the page: one under the headings (first page), one over the summary
        // (last page), one over the footer.
        QCOMPARE(d.paginas[p].regras.size(), 1 + (p == 0) + (p == 2));
    }
    QCOMPARE(detalhes, 150);
    // Rows follow each other across the page break with nothing lost or repeated.
    QVERIFY(d.paginas[1].linhas().value(1).contains("Item 0"));

    QTemporaryDir pasta;
    const QString pdf = pasta.filePath("longo.pdf");
    QVERIFY(d.gravaPdf(pdf));
    QCOMPARE(Pdf::paginas(pdf), 3);
    for (int p = 1; p <= 3; ++p) {
        const QString texto = Pdf::texto(pdf, p);
        QVERIFY(texto.contains("Empresa Teste Ltda"));
        QVERIFY(texto.contains(QString("Página: %1").arg(p)));
        QCOMPARE(texto.contains("Quantidade"), p == 1);
        QCOMPARE(texto.contains("R$ 450,00"), p == 3);
    }
}

void TstRelEstoque::longDescriptionCutAtAWord()
{
    AplicacaoTeste t;
    Cadastro::grupo(t.banco, "000001", "Ferramentas");
    produtoNaPrateleira(t.banco, "1", "Parafuso sextavado zincado com porca e arruela", "1", "1");
    produtoNaPrateleira(t.banco, "2", "ParafusoSextavadoZincadoComPorca", "1", "1");
    // Layout II: 53 mm of Liberation Mono 10 pt hold 25 characters.
    const QStringList linhas = prepara(t, "Itens Estoque Codigo 2").paginas[0].linhas();
    QVERIFY2(linhas.contains("1 Parafuso sextavado UN A-01 1,000 R$ 1,00"),
             qPrintable(linhas.join('\n')));
    QVERIFY(linhas.contains("2 ParafusoSextavadoZincadoC UN A-01 1,000 R$ 1,00"));
    // Layout I: 93 mm hold 43.
    const QStringList largas = prepara(t, "Itens Estoque Codigo").paginas[0].linhas();
    QVERIFY(largas.contains("1 Parafuso sextavado zincado com porca e UN 1,000 R$ 1,00"));
}

void TstRelEstoque::previewThenPrintGivesTheSamePages()
{
    TelaTeste t;
    registroDeCasos(t.banco);
    t.principal().EmpNome = "Empresa Teste Ltda";
    t.principal().EmpFone = "(11) 5555-0101";
    ImpressoraTeste impressora;
    Motor::Documento visto;
    pedeRelatorio(t, "ItensnoEstoqueOrdenadoporCdigo1", "BitBtn1", [&](QDialog* janela) {
        QCOMPARE(janela->windowTitle(), QString("Impressão na Tela"));
        auto* previa = qobject_cast<TfVisualiza*>(janela);
        QVERIFY(previa);
        visto = previa->documento();
        QCOMPARE(texto(previa, "lbPagina"), QString("Página 1 de 1"));
        clica(previa, "btnSetup");
        clica(previa, "btnImprimir");
        clica(previa, "btnFechar");
    });
    QCOMPARE(impressora.configuracoes, 1);
    QCOMPARE(impressora.impressos.size(), 1);
    QCOMPARE(impressora.impressos[0], visto);
    QVERIFY(visto.paginas[0].linhas().contains("Total em Estoque em R$: R$ 213,00"));
    QCOMPARE(visto.paginas[0].linhas().first(), QString("Empresa Teste Ltda (11) 5555-0101"));

    // Straight to the printer: the same report, the same total.
    pedeRelatorio(t, "ItensnoEstoqueOrdenadoporCdigo1", "BitBtn2");
    QCOMPARE(impressora.impressos.size(), 2);
    QCOMPARE(impressora.impressos[1].paginas[0].linhas().mid(0, 9),
             visto.paginas[0].linhas().mid(0, 9));
    QCOMPARE(t.driver.passosPendentes(), 0);
    QVERIFY(t.msgs.mensagens().isEmpty());
}

void TstRelEstoque::savedReportLoadsBackAndPdfReadsBack()
{
    TelaTeste t;
    Cadastro::grupo(t.banco, "000001", "Ferramentas");
    for (int i = 1; i <= 70; ++i)
        produtoNaPrateleira(t.banco, QString::number(i), QString("Item %1").arg(i), "1", "2.00");
    QTemporaryDir pasta;
    const QString zvr = pasta.filePath("estoque.zvr");
    const QString pdf = pasta.filePath("estoque.pdf");
    t.driver.respondeEscolha(pasta.filePath("estoque")); // no extension: the engine's own file
    t.driver.respondeEscolha(pdf);
    t.driver.respondeEscolha(zvr);
    pedeRelatorio(t, "ItensNoEstoqueIIOrdenadoporDescrio1", "BitBtn1", [&](QDialog* janela) {
        auto* previa = qobject_cast<TfVisualiza*>(janela);
        const Motor::Documento original = previa->documento();
        QCOMPARE(original.numeroDePaginas(), 2);
        clica(previa, "btnUltima");
        QCOMPARE(previa->paginaAtual(), 1);
        QCOMPARE(texto(previa, "lbPagina"), QString("Página 2 de 2"));
        clica(previa, "btnProxima");
        QCOMPARE(previa->paginaAtual(), 1);
        clica(previa, "btnPrimeira");
        QCOMPARE(previa->paginaAtual(), 0);
        clica(previa, "btnZoom100");
        QCOMPARE(previa->zoom(), TfVisualiza::Zoom::Cem);
        clica(previa, "btnZoomLargura");
        QCOMPARE(previa->zoom(), TfVisualiza::Zoom::Largura);
        clica(previa, "btnSalvar");
        clica(previa, "btnSalvar");
        // Another report is shown, then the saved one comes back exactly.
        previa->mostra(Motor::Documento{});
        clica(previa, "btnCarregar");
        QCOMPARE(previa->documento(), original);
        clica(previa, "btnFechar");
    });
    QCOMPARE(t.driver.escolhas().size(), 3);
    QVERIFY(t.driver.escolhas()[0].filtro.contains("*.pdf"));
    QVERIFY(t.driver.escolhas()[0].filtro.contains("*.zvr"));
    QVERIFY(QFile::exists(zvr));
    QCOMPARE(Pdf::paginas(pdf), 2);
    QVERIFY(Pdf::texto(pdf, 2).contains("R$ 140,00"));
    QVERIFY(t.msgs.mensagens().isEmpty());

    // A file that is no saved report changes nothing.
    Motor::Documento d;
    QVERIFY(!d.carrega(pdf));
    QCOMPARE(d.numeroDePaginas(), 0);
}

void TstRelEstoque::cancelProducesNothing()
{
    TelaTeste t;
    registroDeCasos(t.banco);
    ImpressoraTeste impressora;
    pedeRelatorio(t, "InvetriodoEstoque1", "BitBtn3");
    QVERIFY(impressora.impressos.isEmpty());
    QCOMPARE(t.driver.abertas(), QStringList{"TfTela_Impressora"});
    // The rows are read only as pages are laid out: none were.
    QCOMPARE(t.app.dmProdutos().cds_Produtos.tamanho(), 0);

    // From the group dialog, "Cancela" also closes the dialog.
    t.driver.aoAbrir([](QDialog* dialogo) {
        informa(dialogo, "edCodGrupo", "1");
        clica(dialogo, "btnImprimir");
        QVERIFY(!dialogo->isVisible());
    });
    t.driver.aoAbrir([](QDialog* escolha) { clica(escolha, "BitBtn3"); });
    t.principal().aciona("ItensnoEstoquedeumGrupo1");
    QVERIFY(impressora.impressos.isEmpty());
    QCOMPARE(t.driver.passosPendentes(), 0);
}

void TstRelEstoque::groupDialogLooksUpAndPads()
{
    TelaTeste t;
    registroDeCasos(t.banco);
    ImpressoraTeste impressora;
    t.driver.aoAbrir([&](QDialog* d) {
        QCOMPARE(d->windowTitle(), QString("Escolha um Grupo"));
        QVERIFY(focado(d, "edCodGrupo"));
        informa(d, "edCodGrupo", "9");
        QCOMPARE(t.msgs.textos(), QStringList{"Grupo não Encontrado !"});
        QTRY_VERIFY(focado(d, "edCodGrupo"));
        digita(d, "edCodGrupo", "2");
        tab(d, "edCodGrupo");
        QCOMPARE(textos(d, {"edCodGrupo", "edDescGrupo"}), QStringList({"000002", "Elétrica"}));
        // The description is not typed into: the focus passes on to the search button.
        QVERIFY(focado(d, "btnBusca_Grupo"));
        clica(d, "btnImprimir");
    });
    t.driver.aoAbrir([](QDialog* escolha) { clica(escolha, "BitBtn2"); });
    t.principal().aciona("ItensnoEstoquedeumGrupoII1");
    QCOMPARE(impressora.impressos.size(), 1);
    const QStringList linhas = impressora.impressos[0].paginas[0].linhas();
    QCOMPARE(linhas.value(2), QString("Grupo: 000002 / Elétrica"));
    QVERIFY(linhas.contains("Total em Estoque pelo em R$: R$ 67,00"));

    // The next opening starts empty.
    t.driver.aoAbrir([](QDialog* d) {
        QCOMPARE(textos(d, {"edCodGrupo", "edDescGrupo"}), QStringList({"", ""}));
        clica(d, "btnCancelar");
    });
    t.principal().aciona("ItensnoEstoquedeumGrupo1");
    QCOMPARE(t.driver.passosPendentes(), 0);
}

void TstRelEstoque::groupDialogSearch_data()
{
    casosDaBusca();
}

void TstRelEstoque::groupDialogSearch()
{
    QFETCH(bool, porF5);
    TelaTeste t;
    registroDeCasos(t.banco);
    t.driver.aoAbrir([&](QDialog* d) {
        t.driver.aoAbrir([&](QDialog* busca) {
            QCOMPARE(qobject_cast<TfBusca_Grupos*>(busca)->Origem, QString("Rel_Grupo"));
            escolheNaBusca(busca, t.app.dmGrupos().cds_Grupos, "GRU_CODIGO", "000002");
        });
        abreBusca(d, "edCodGrupo", "btnBusca_Grupo", porF5);
        QVERIFY(focado(d, "edCodGrupo"));
        tab(d, "edCodGrupo");
        QCOMPARE(textos(d, {"edCodGrupo", "edDescGrupo"}), QStringList({"000002", "Elétrica"}));
        clica(d, "btnCancelar");
    });
    t.principal().aciona("ItensnoEstoquedeumGrupo1");
    QCOMPARE(t.driver.passosPendentes(), 0);
}

void TstRelEstoque::groupDialogPrintsEmptyCodeAsZeros()
{
    TelaTeste t;
    registroDeCasos(t.banco);
    ImpressoraTeste impressora;
    t.driver.aoAbrir([](QDialog* d) {
        clica(d, "btnImprimir");
        QCOMPARE(texto(d, "edCodGrupo"), QString("000000"));
    });
    t.driver.aoAbrir([](QDialog* escolha) { clica(escolha, "BitBtn2"); });
    t.principal().aciona("ItensnoEstoquedeumGrupo1");
    QCOMPARE(impressora.impressos.size(), 1);
    const QStringList linhas = impressora.impressos[0].paginas[0].linhas();
    QCOMPARE(linhas.value(2), QString("Grupo: 000000 /"));
    QVERIFY(linhas.contains("Total em Estoque pelo em R$: R$ 0,00"));
}

void TstRelEstoque::commandLineWritesThePdf()
{
#ifndef ZVDB_PROGRAMA
    QSKIP("the build has no zvdb");
#else
    BancoTeste banco;
    registroDeCasos(banco);
    banco.executa("Update Empresa set EMP_Nome = 'Zeta Comércio', EMP_Fone = '3333-4444'");
    // The embedded engine lets one process at a time open the file.
    banco.conexao().fecha();
    QTemporaryDir pasta;
    const auto zvdb = [&](const QStringList& args, QString* erro = nullptr,
                          QString* saida = nullptr) {
        QProcess p;
        p.start(ZVDB_PROGRAMA, QStringList{"relatorio"} + args);
        p.waitForFinished(60000);
        if (erro)
            *erro = QString::fromLocal8Bit(p.readAllStandardError());
        if (saida)
            *saida = QString::fromLocal8Bit(p.readAllStandardOutput());
        return p.exitCode();
    };
    const QString pdf = pasta.filePath("grupo.pdf");
    QCOMPARE(zvdb({banco.pasta(), "Itens Estoque Grupo 2", pdf, "--grupo", "1"}), 0);
    const QString texto = Pdf::texto(pdf);
    QVERIFY(texto.contains("Zeta Comércio"));
    QVERIFY(texto.contains("Grupo: 000001 / Ferramentas"));
    QVERIFY(texto.contains("R$ 146,00"));
    QString saida;
    QCOMPARE(zvdb({banco.pasta(), "Estoque Minimo", pasta.filePath("min.pdf")}, nullptr, &saida),
             0);
    QVERIFY(Pdf::texto(pasta.filePath("min.pdf")).contains("Itens Abaixo do Estoque Mínimo"));
    QVERIFY2(!saida.contains("Página 1 gravada"), qPrintable(saida));
    // With --verbose the pages are told as they are written.
    QCOMPARE(zvdb({banco.pasta(), "Estoque Minimo", pasta.filePath("min.pdf"), "--verbose"},
                  nullptr, &saida),
             0);
    QVERIFY2(saida.startsWith("Página 1 gravada\n"), qPrintable(saida));

    // A movement key, with its period and code, as its dialog would print it.
    banco.conexao().abre();
    banco.executa("Insert into Mov_Estq (MOV_CodInt, MOV_CodPro, MOV_Oper, MOV_Data, MOV_Quant, "
                  "MOV_Valor, MOV_Tipo) values (1, '       123', 'SS', '2024-03-10', 4, 26, "
                  "'000001')");
    Cadastro::requisitante(banco, "000001", "Manutenção");
    banco.conexao().fecha();
    const QString mov = pasta.filePath("mov.pdf");
    QCOMPARE(zvdb({banco.pasta(), "Mov Estq Tipos", mov, "--de", "10/03/2024", "--ate",
                   "10/03/2024", "--requisitante", "1"}),
             0);
    const QString textoMov = Pdf::texto(mov);
    QVERIFY(textoMov.contains("Lista de Movimentação de Estoque de Saídas por Requisitante"));
    QVERIFY(textoMov.contains("Requisitante: 000001 / Manutenção"));
    QVERIFY(textoMov.contains("R$ 26,00"));

    QString erro;
    QVERIFY(zvdb({banco.pasta(), "Mov Estq Tipos", mov, "--requisitante", "1"}, &erro) != 0);
    QVERIFY2(erro.contains("--de"), qPrintable(erro));
    QVERIFY(zvdb({banco.pasta(), "Itens Estoque", pdf}, &erro) != 0);
    QVERIFY2(erro.contains("desconhecida"), qPrintable(erro));
    QVERIFY(zvdb({pasta.filePath("nada"), "Estoque Minimo", pdf}, &erro) != 0);
    QVERIFY2(erro.contains("não existe"), qPrintable(erro));
    QVERIFY(zvdb({banco.pasta(), "Estoque Minimo", pasta.filePath("nada/x.pdf")}, &erro) != 0);
    QVERIFY2(erro.contains("Não foi possível gravar"), qPrintable(erro));
#endif
}

void TstRelEstoque::commandLineRefusesOverLongCodes_data()
{
    QTest::addColumn<QString>("chave");
    QTest::addColumn<QString>("opcao");
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<int>("status");
    caso("group of a stock list", QString("Itens Estoque Grupo"), QString("--grupo"),
         QString("1234567"), 2);
    caso("group and period", QString("Mov Estq Grupos"), QString("--grupo"), QString("1234567"), 2);
    caso("product", QString("Rel MovEstq Produto Geral"), QString("--produto"),
         QString("12345678901"), 2);
    caso("requisitioner", QString("Mov Estq Tipos"), QString("--requisitante"), QString("1234567"),
         2);
    // The widest codes there are, the product's with the blanks a copied code brings along.
    caso("widest product", QString("Rel MovEstq Produto Geral"), QString("--produto"),
         QString(" 1234567890 "), 0);
    caso("widest group", QString("Mov Estq Grupos"), QString("--grupo"), QString("123456"), 0);
}

void TstRelEstoque::commandLineRefusesOverLongCodes()
{
#ifndef ZVDB_PROGRAMA
    QSKIP("the build has no zvdb");
#else
    QFETCH(QString, chave);
    QFETCH(QString, opcao);
    QFETCH(QString, codigo);
    QFETCH(int, status);
    BancoTeste banco;
    registroDeCasos(banco);
    banco.conexao().fecha();
    QTemporaryDir pasta;
    const QString pdf = pasta.filePath("relatorio.pdf");
    QProcess p;
    p.start(ZVDB_PROGRAMA, {"relatorio", banco.pasta(), chave, pdf, opcao, codigo, "--de",
                            "01/01/2024", "--ate", "31/12/2024"});
    QVERIFY(p.waitForFinished(60000));
    const QString erro = QString::fromLocal8Bit(p.readAllStandardError());
    QCOMPARE(p.exitCode(), status);
    if (status == 0) {
        QVERIFY(QFileInfo::exists(pdf));
        return;
    }
    QVERIFY2(erro.contains(opcao) && !erro.contains("truncation") && !erro.contains("SQL"),
             qPrintable(erro));
    QVERIFY(!QFileInfo::exists(pdf));
#endif
}

QTEST_MAIN(TstRelEstoque)
#include "tst_relestoque.moc"
