// The purchase suggestion: which products it lists and under which supplier, how much of each
// to buy, at what cost, and its totals, from the menu through the output choice to the printer
// and a written PDF, and from the administrator's command line.

#include "app/Principal.h"
#include "reports/Relatorios.h"
#include "reports/Tela_Impressora.h"
#include "reports/engine/Motor.h"
#include "support/AplicacaoTeste.h"
#include "support/Cadastro.h"
#include "support/ImpressoraTeste.h"
#include "support/Processo.h"

#include <QDialog>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace Tela;

class TstSugestao : public QObject {
    Q_OBJECT

private slots:
    void quantityToBuy_data();
    void quantityToBuy();
    void groupsQuantitiesCostsAndTotals();
    void emptyRegisterPrintsZero();
    void groupHeadingNeverLeftAloneAtTheFootOfAPage();
    void menuPrintsAndPdfReadsBack();
    void commandLineWritesThePdf();
};

namespace {

void produto(BancoTeste& b, const QString& codigo, const QString& descricao,
             const QString& quantidade, const QVariant& minimo, const QVariant& maximo,
             const QVariant& fornecedor)
{
    Cadastro::Produto p;
    p.codigo = codigo.rightJustified(10, QLatin1Char(' '));
    p.descricao = descricao;
    p.quantidade = quantidade;
    p.unidade = QStringLiteral("UN");
    Cadastro::produto(b, p);
    b.executa(QStringLiteral("Update Produtos set PRO_Min = :M, PRO_EMax = :X, PRO_CodFor = :F "
                             "where PRO_Codigo = :C"),
              {{QStringLiteral("M"), minimo},
               {QStringLiteral("X"), maximo},
               {QStringLiteral("F"), fornecedor},
               {QStringLiteral("C"), p.codigo}});
}

void fornecedor(BancoTeste& b, const QString& codigo, const QString& razao, const QString& fone,
                const QString& contato)
{
    Cadastro::insere(b, "Fornecedor",
                     {{"FOR_Codigo", codigo},
                      {"FOR_Razao", razao},
                      {"FOR_Fone1", fone},
                      {"FOR_Contato", contato}});
}

int numero = 0;

// A ledger row of `codigo`: a purchase names its supplier (an empty text when none was typed);
// the return of a lent item names none (NULL) and is worth nothing.
void entrada(BancoTeste& b, const QString& codigo, const char* quantidade, const char* valor,
             const QVariant& fornecedorDaEntrada, const char* operacao = "EE")
{
    Cadastro::movimento(b, {.numero = ++numero,
                            .produto = codigo.rightJustified(10, QLatin1Char(' ')),
                            .operacao = QLatin1String(operacao),
                            .quantidade = QString::fromLatin1(quantidade),
                            .valor = QString::fromLatin1(valor),
                            .data = QDate(2024, 3, 1),
                            .fornecedor = fornecedorDaEntrada});
}

// Two suppliers (listed by name: "Aço Zeta" first), products bought from each, from no one
// and from a supplier no longer registered, with the edge cases of the quantity to buy and of
// the last purchase.
void casos(BancoTeste& b)
{
    numero = 0;
    const QString bravo = QStringLiteral("0000000002"), zeta = QStringLiteral("0000000001");
    fornecedor(b, bravo, "Ferragens Bravo", "(11) 5555-0202", "Ana");
    fornecedor(b, zeta, "Aço Zeta", "(11) 5555-0101", "Beto");
    // At its minimum; up to the maximum: 15. Its last purchase paid 7,50 a unit (30,00 for 4);
    // the return of a lent one after it, at no value, is no purchase.
    produto(b, "1", "Alicate", "5", 5, 20, bravo);
    entrada(b, "1", "10", "80.00", bravo);
    entrada(b, "1", "4", "30.00", bravo);
    entrada(b, "1", "1", "0", QVariant());
    entrada(b, "1", "2", "50.00", bravo, "SS");
    // A maximum of zero is not above the minimum: up to the minimum, 8. 10,00 for 3: 3,33.
    produto(b, "2", "Broca", "2", 10, 0, bravo);
    entrada(b, "2", "3", "10.00", bravo);
    // A negative quantity; 5,25 for 2 is 2,625, 2,63 to the cent; 11,5 x 2,63 = 30,245.
    produto(b, "3", "Cabo", "-1.5", 4, 10, zeta);
    // Last bought from no one: "Sem Fornecedor"; never bought, so no cost.
    produto(b, "4", "Disjuntor", "1", 2, 5, "");
    // A maximum equal to the minimum: up to the minimum, 3; bought without a supplier at 2,00.
    produto(b, "7", "Grampo", "0", 3, 3, QVariant());
    entrada(b, "7", "10", "20.00", "");
    entrada(b, "3", "2", "5.25", zeta);
    // A supplier since removed keeps its own group, under its code.
    produto(b, "8", "Lixa", "0", 1, 4, "0000000009");
    // Above the minimum, and without one: not listed.
    produto(b, "5", "Esquadro", "8", 6, 10, zeta);
    produto(b, "6", "Fita", "0", QVariant(), 10, zeta);
}

const Cabecalho cabecalho{QStringLiteral("Empresa Teste Ltda"), QStringLiteral("(11) 5555-0101"),
                          QDateTime(QDate(2024, 3, 5), QTime(14, 30, 0))};

Relatorios& relatorios(AplicacaoTeste& t)
{
    return t.app.janela<TfTela_Impressora>().relatorios();
}

// The lines of every page between the headings and the footer.
QStringList corpo(const Motor::Documento& d)
{
    QStringList saida;
    for (const Motor::Pagina& p : d.paginas) {
        const QStringList linhas = p.linhas();
        // Company, title, column headings ... footer.
        saida << linhas.mid(3, linhas.size() - 4);
    }
    return saida;
}

} // namespace

void TstSugestao::quantityToBuy_data()
{
    QTest::addColumn<QString>("quantidade");
    QTest::addColumn<int>("minimo");
    QTest::addColumn<int>("maximo");
    QTest::addColumn<QString>("comprar");
    caso("up to the maximum", QString("3.5"), 5, 12, QString("8.500"));
    caso("at the minimum", QString("5"), 5, 12, QString("7.000"));
    caso("maximum equal to the minimum", QString("1"), 5, 5, QString("4.000"));
    caso("maximum below the minimum", QString("1"), 5, 2, QString("4.000"));
    caso("no maximum", QString("0"), 5, 0, QString("5.000"));
    caso("negative stock", QString("-2.25"), 3, 10, QString("12.250"));
}

void TstSugestao::quantityToBuy()
{
    QFETCH(QString, quantidade);
    QFETCH(int, minimo);
    QFETCH(int, maximo);
    QFETCH(QString, comprar);
    QCOMPARE(TfRel_SugestaoCompra::quantidadeAComprar(*Decimal::deTexto(quantidade),
                                                      Decimal::deInteiro(minimo),
                                                      Decimal::deInteiro(maximo))
                 .toString(),
             comprar);
}

void TstSugestao::groupsQuantitiesCostsAndTotals()
{
    AplicacaoTeste t;
    casos(t.banco);
    Relatorios& r = relatorios(t);
    QVERIFY(Relatorios::chaves().contains("Sugestao de Compra"));
    QVERIFY(Relatorios::semDialogo("Sugestao de Compra"));
    QVERIFY(r.carregaSemDialogo("Sugestao de Compra"));
    const Motor::Documento d = *r.prepara("Sugestao de Compra", cabecalho);
    QCOMPARE(d.numeroDePaginas(), 1);
    const QStringList linhas = d.paginas[0].linhas();
    QCOMPARE(linhas.value(1), QString("Sugestão de Compra"));
    QCOMPARE(linhas.value(2),
             QString("Código Descrição Quantidade Mín. Máx. Comprar Últ.Custo Valor Est."));
    QCOMPARE(corpo(d),
             (QStringList{
                 "Fornecedor: 0000000009 - (não cadastrado)",
                 "8 Lixa 0,000 1 4 4,000",
                 "Total: R$ 0,00",
                 "Fornecedor: 0000000001 - Aço Zeta   Fone: (11) 5555-0101   Contato: Beto",
                 "3 Cabo -1,500 4 10 11,500 R$ 2,63 R$ 30,25",
                 "Total: R$ 30,25",
                 "Fornecedor: 0000000002 - Ferragens Bravo   Fone: (11) 5555-0202   Contato: Ana",
                 "1 Alicate 5,000 5 20 15,000 R$ 7,50 R$ 112,50",
                 "2 Broca 2,000 10 0 8,000 R$ 3,33 R$ 26,64",
                 "Total: R$ 139,14",
                 "Sem Fornecedor",
                 "4 Disjuntor 1,000 2 5 4,000",
                 "7 Grampo 0,000 3 3 3,000 R$ 2,00 R$ 6,00",
                 "Total: R$ 6,00",
                 "Produtos: 6 Total Geral: R$ 175,39",
             }));
    // 112,50 + 26,64 + 30,245 + 6,00, kept exact and rounded only when printed.
    QCOMPARE(r.relSugestao.totalGeral(), Decimal(175385, 3));

    // The rows a spreadsheet of the report holds: one per product, in the report's order.
    const DataSet* lista = r.carregaLista("Sugestao de Compra");
    QVERIFY(lista);
    QCOMPARE(colunaDaLista(*lista, "PRO_DESCRICAO"),
             (QStringList{"Lixa", "Cabo", "Alicate", "Broca", "Disjuntor", "Grampo"}));
    QCOMPARE(lista->texto(2, "VALOR_ESTIMADO"), QString("R$ 112,50"));
}

void TstSugestao::emptyRegisterPrintsZero()
{
    AplicacaoTeste t;
    Relatorios& r = relatorios(t);
    QVERIFY(r.carregaSemDialogo("Sugestao de Compra"));
    const Motor::Documento d = *r.prepara("Sugestao de Compra", cabecalho);
    QCOMPARE(corpo(d), QStringList{"Produtos: 0 Total Geral: R$ 0,00"});
}

void TstSugestao::groupHeadingNeverLeftAloneAtTheFootOfAPage()
{
    Motor::Layout layout;
    layout.titulo = QStringLiteral("Grupos");
    layout.colunas = {Motor::Coluna{QStringLiteral("Item"), 40}};
    // A first group of `antes` rows, then a second heading and its one row: wherever the page
    // ends, the second heading is printed on the page of its row.
    bool quebrou = false;
    for (int antes = 40; antes <= 70; ++antes) {
        Motor::Linhas linhas;
        linhas.quantas = antes + 3;
        linhas.tipo = [antes](int l) {
            return l == 0 || l == antes + 1 ? Motor::TipoLinha::Grupo : Motor::TipoLinha::Dados;
        };
        linhas.celula = [antes](int l, int) {
            return l == 0           ? QStringLiteral("Grupo A")
                   : l == antes + 1 ? QStringLiteral("Grupo B")
                                    : QStringLiteral("Item %1").arg(l);
        };
        const Motor::Documento d = Motor::monta(layout, linhas);
        for (const Motor::Pagina& p : d.paginas) {
            const QStringList l = p.linhas();
            const qsizetype b = l.indexOf("Grupo B");
            if (b < 0)
                continue;
            QCOMPARE(l.value(b + 1), QStringLiteral("Item %1").arg(antes + 2));
            quebrou = quebrou || b == 1;
        }
    }
    // Some of those ends put the heading at the top of the next page.
    QVERIFY(quebrou);
}

void TstSugestao::menuPrintsAndPdfReadsBack()
{
    TelaTeste t;
    casos(t.banco);
    ImpressoraTeste impressora;
    t.driver.aoAbrir([](QDialog* escolha) {
        QCOMPARE(escolha->objectName(), QString("TfTela_Impressora"));
        clica(escolha, "BitBtn2");
    });
    t.principal().aciona("SugestaodeCompra1");
    QCOMPARE(impressora.impressos.size(), 1);
    const Motor::Documento& d = impressora.impressos[0];
    QVERIFY(corpo(d).contains("Total: R$ 139,14"));

    QTemporaryDir pasta;
    const QString pdf = pasta.filePath("sugestao.pdf");
    QCOMPARE(relatorios(t).gravaPdf("Sugestao de Compra", cabecalho, pdf), std::optional<int>(1));
    const QString texto = Pdf::texto(pdf);
    for (const char* esperado : {"Sugestão de Compra", "Aço Zeta", "(11) 5555-0202", "Contato: Ana",
                                 "Sem Fornecedor", "R$ 30,25", "R$ 139,14", "R$ 175,39", "11,500"})
        QVERIFY2(texto.contains(QString::fromUtf8(esperado)), esperado);
}

void TstSugestao::commandLineWritesThePdf()
{
#ifndef ZVDB_PROGRAMA
    QSKIP("the build has no zvdb");
#else
    BancoTeste banco;
    casos(banco);
    // The embedded engine lets one process at a time open the file.
    banco.conexao().fecha();
    QTemporaryDir pasta;
    const QString pdf = pasta.filePath("sugestao.pdf");
    const Processo::Execucao e = Processo::roda(
        QStringLiteral(ZVDB_PROGRAMA), {"relatorio", banco.pasta(), "Sugestao de Compra", pdf});
    QVERIFY2(e.status == 0 && e.saida.isEmpty() && e.erros.isEmpty(), Processo::descreve(e));
    const QString texto = Pdf::texto(pdf);
    QVERIFY(texto.contains(QString::fromUtf8("Sugestão de Compra")));
    // The page keeps its columns: a label and its amount may stand apart.
    for (const char* esperado : {"Contato: Beto", "Total:\\s+R\\$ 139,14", "Produtos:\\s+6",
                                 "Total Geral:\\s+R\\$ 175,39"})
        QVERIFY2(texto.contains(QRegularExpression(QLatin1String(esperado))), esperado);
#endif
}

QTEST_MAIN(TstSugestao)
#include "tst_sugestao.moc"
