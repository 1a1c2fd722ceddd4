// The movement query: a date range read from the ledger, narrowed on screen by the kinds of
// operation and the product, without going back to the database.

#include "common/Decimal.h"
#include "data/DataModule_MovEstq.h"
#include "data/firebird/Transacao.h"
#include "movements/Consulta_MovEstq.h"
#include "movements/Lancamentos.h"
#include "support/AplicacaoTeste.h"
#include "support/Cadastro.h"
#include "support/DiaMovimentado.h"
#include "support/ImpressoraTeste.h"
#include "support/Outubro.h"

#include <QDateEdit>
#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableView>
#include <QtTest>

using namespace Tela;

class TstConsultaMovEstq : public QObject {
    Q_OBJECT

private slots:
    void opensOnTodayWithEveryKind();
    void operationBoxes_data();
    void operationBoxes();
    void productChoice_data();
    void productChoice();
    void dateQueriesKeepTheChoices();
    void unknownBarCodeEmptiesTheCode();
    void longDayFilteredAsItComesIn();
    void determinedProductFiltersAtOnce_data();
    void determinedProductFiltersAtOnce();
    void choicesNeverNarrowTheNextReport_data();
    void choicesNeverNarrowTheNextReport();
};

namespace {

using Cadastro::furadeira;
using Cadastro::parafuso;
using namespace Outubro;

// On the 1st: an entry (1), an exit (2), a reversal of each (3, 4) of the screw; a loan of the
// drill (5) and its write-off (6, an "SS" with no requisitioner). On the 31st an entry (7) of
// the drill; on the 2nd of November an exit (8). Today an entry (9).
void movimentosDeOutubro(AplicacaoTeste& t)
{
    Cadastro::grupo(t.banco, "000001", "Geral");
    Cadastro::produto(t.banco, {.codigo = parafuso, .descricao = "Parafuso", .quantidade = "50"});
    Cadastro::produto(t.banco, {.codigo = furadeira,
                                .descricao = "Furadeira",
                                .quantidade = "5",
                                .consumivel = "N",
                                .codigoBarras = "7891000000013"});
    const auto mov = [&](int n, const QString& p, const char* oper, const QDate& data,
                         const QVariant& req = {}) {
        Cadastro::movimento(t.banco, {.numero = n,
                                      .produto = p,
                                      .operacao = oper,
                                      .quantidade = 1,
                                      .valor = 1,
                                      .data = data,
                                      .requisitante = req});
    };
    mov(1, parafuso, "EE", dia1);
    mov(2, parafuso, "SS", dia1, "000001");
    mov(3, parafuso, "TE", dia1);
    mov(4, parafuso, "TS", dia1, "000001");
    mov(5, furadeira, "SS", dia1, "000001");
    mov(6, furadeira, "SS", dia1);
    mov(7, furadeira, "EE", dia31);
    mov(8, furadeira, "SS", novembro2);
    mov(9, parafuso, "EE", QDate::currentDate());
}

void consulta(TelaTeste& t, DriverModal::Passos passos)
{
    t.abre("ConsultadeMovimentaodeEstoque1", std::move(passos));
}

void datas(QDialog* j, const QDate& inicio, const QDate& fim)
{
    acha<QDateEdit>(j, "dtpData_Inicial")->setDate(inicio);
    acha<QDateEdit>(j, "dtpData_Final")->setDate(fim);
    clica(j, "btnDatas_Filtrar");
}

// "Movimentação de Estoque Geral por Data" of October 2004 from the menu, sent to the printer:
// every printed line but the page footers, which carry today's date.
QStringList relatorioDeOutubro(TelaTeste& t, ImpressoraTeste& impressora)
{
    t.driver.aoAbrir([](QDialog* d) {
        acha<QDateEdit>(d, "dtpData_Ini")->setDate(dia1);
        acha<QDateEdit>(d, "dtpData_Fim")->setDate(dia31);
        clica(d, "btnDIF_Imprimir");
    });
    t.driver.aoAbrir([](QDialog* escolha) { clica(escolha, "BitBtn2"); });
    const qsizetype antes = impressora.impressos.size();
    t.principal().aciona("MovimentaodeEstoqueGeralporData1");
    QStringList linhas;
    if (impressora.impressos.size() != antes + 1)
        return linhas;
    for (const Motor::Pagina& pagina : impressora.impressos.last().paginas)
        for (const QString& l : pagina.linhas())
            if (!l.startsWith(QStringLiteral("Página:")))
                linhas << l;
    return linhas;
}

} // namespace

void TstConsultaMovEstq::opensOnTodayWithEveryKind()
{
    TelaTeste t;
    movimentosDeOutubro(t);
    consulta(t, [&](QDialog* j) {
        QCOMPARE(j->windowTitle(), QStringLiteral("Consulta de Movimentação de Estoque"));
        QCOMPARE(listados(t.app.dmMovEstq().cds_MovEstq), QList<int>({9}));
        QCOMPARE(static_cast<TfConsulta_MovEstq*>(j)->filtro(),
                 QStringLiteral("MOV_CodPRo<>'      ' and (MOV_Oper='EE' or MOV_OPER='SS' or "
                                "MOV_OPER='TE' or MOV_OPER='TS')"));
        const QAbstractItemModel* m = acha<QTableView>(j, "dbgConsulta_MovEstq")->model();
        QStringList titulos;
        for (int c = 0; c < m->columnCount(); ++c)
            titulos << m->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(titulos, QStringList({"Código ", QStringLiteral("Descrição"), "Cod.Requisitante",
                                       QStringLiteral("Operacão"), "Data", "Valor", "Quantidade",
                                       "Documento", QStringLiteral("Operação"), "Requisitante"}));
        QCOMPARE(m->data(m->index(0, 3)).toString(), QString("EE"));
        QCOMPARE(m->data(m->index(0, 8)).toString().trimmed(), QString("Entrada"));
        clica(j, "btnConsulta_MovEstq_Fechar");
    });
}

void TstConsultaMovEstq::operationBoxes_data()
{
    QTest::addColumn<QStringList>("desmarcadas");
    QTest::addColumn<QList<int>>("esperados");
    caso("every kind", QStringList(), QList<int>({1, 2, 3, 4, 5, 6, 7}));
    // Write-offs are exits too.
    caso("no exits", QStringList({"cbSaidas"}), QList<int>({1, 3, 4, 7}));
    caso("no entries", QStringList({"cbEntradas"}), QList<int>({2, 3, 4, 5, 6}));
    caso("only reversals", QStringList({"cbEntradas", "cbSaidas"}), QList<int>({3, 4}));
    caso("none", QStringList({"cbEntradas", "cbSaidas", "cbEst_Entrada", "cbEst_Saida"}),
         QList<int>());
}

void TstConsultaMovEstq::operationBoxes()
{
    QFETCH(QStringList, desmarcadas);
    QFETCH(QList<int>, esperados);
    TelaTeste t;
    movimentosDeOutubro(t);
    consulta(t, [&](QDialog* j) {
        datas(j, dia1, dia31);
        for (const QString& c : desmarcadas)
            marca(j, qPrintable(c));
        QCOMPARE(listados(t.app.dmMovEstq().cds_MovEstq), esperados);
        if (desmarcadas == QStringList({"cbSaidas"})) {
            QCOMPARE(static_cast<TfConsulta_MovEstq*>(j)->filtro(),
                     QStringLiteral("MOV_CodPRo<>'      ' and (MOV_Oper='EE' or MOV_OPER='  ' "
                                    "or MOV_OPER='TE' or MOV_OPER='TS')"));
            marca(j, "cbSaidas");
            QCOMPARE(listados(t.app.dmMovEstq().cds_MovEstq), QList<int>({1, 2, 3, 4, 5, 6, 7}));
        }
        clica(j, "btnConsulta_MovEstq_Fechar");
    });
}

void TstConsultaMovEstq::productChoice_data()
{
    QTest::addColumn<QString>("codigo"); // typed before "Determinado Produto"; empty: none
    QTest::addColumn<QList<int>>("esperados");
    caso("one product", "13", QList<int>({5, 6, 7}));
    caso("no code: nothing", "", QList<int>());
}

void TstConsultaMovEstq::productChoice()
{
    QFETCH(QString, codigo);
    QFETCH(QList<int>, esperados);
    TelaTeste t;
    movimentosDeOutubro(t);
    consulta(t, [&](QDialog* j) {
        datas(j, dia1, dia31);
        if (!codigo.isEmpty()) {
            informa(j, "edCodPro", codigo);
            QCOMPARE(texto(j, "edDescricao"), QString("Furadeira"));
            QCOMPARE(texto(j, "edCodBar"), QString("7891000000013"));
            // A look-up alone does not narrow the list.
            QCOMPARE(listados(t.app.dmMovEstq().cds_MovEstq).size(), 7);
        }
        marca(j, "cbDeterminado_Produto");
        clica(j, "btnProduto_Filtrar");
        QCOMPARE(texto(j, "edCodPro").size(), 10);
        QCOMPARE(listados(t.app.dmMovEstq().cds_MovEstq), esperados);
        // Back to every product.
        marca(j, "cbTodosProdutos");
        QCOMPARE(listados(t.app.dmMovEstq().cds_MovEstq).size(), 7);
        clica(j, "btnConsulta_MovEstq_Fechar");
    });
    QCOMPARE(t.msgs.quantidade(), 0);
}

void TstConsultaMovEstq::dateQueriesKeepTheChoices()
{
    TelaTeste t;
    movimentosDeOutubro(t);
    consulta(t, [&](QDialog* j) {
        datas(j, dia1, dia31);
        marca(j, "cbEntradas");
        informa(j, "edCodPro", "13");
        marca(j, "cbDeterminado_Produto");
        clica(j, "btnProduto_Filtrar");
        QCOMPARE(listados(t.app.dmMovEstq().cds_MovEstq), QList<int>({5, 6}));
        // Both days included, the choices kept.
        datas(j, dia31, novembro2);
        QCOMPARE(listados(t.app.dmMovEstq().cds_MovEstq), QList<int>({8}));
        datas(j, dia1, dia1);
        QCOMPARE(listados(t.app.dmMovEstq().cds_MovEstq), QList<int>({5, 6}));
        // A start after the end reads nothing.
        datas(j, dia31, dia1);
        QCOMPARE(listados(t.app.dmMovEstq().cds_MovEstq), QList<int>());
        clica(j, "btnConsulta_MovEstq_Fechar");
    });
    // Opened again, every kind of every product of today.
    consulta(t, [&](QDialog* j) {
        QCOMPARE(listados(t.app.dmMovEstq().cds_MovEstq), QList<int>({9}));
        datas(j, dia1, dia31);
        QCOMPARE(listados(t.app.dmMovEstq().cds_MovEstq).size(), 7);
        clica(j, "btnConsulta_MovEstq_Fechar");
    });
}

void TstConsultaMovEstq::unknownBarCodeEmptiesTheCode()
{
    TelaTeste t;
    movimentosDeOutubro(t);
    consulta(t, [&](QDialog* j) {
        informa(j, "edCodPro", "13");
        informa(j, "edCodBar", "000");
        QCOMPARE(t.msgs.textos(),
                 QStringList({QStringLiteral("Produto não Cadastrado !, tente outro código")}));
        QCOMPARE(t.msgs.mensagens()[0].tipo, TipoMensagem::Aviso);
        QVERIFY(texto(j, "edCodPro").isEmpty());
        QTRY_VERIFY(focado(j, "edCodPro"));
        t.msgs.limpa();
        informa(j, "edCodPro", "99");
        QCOMPARE(t.msgs.textos(),
                 QStringList({QStringLiteral("Produto não Cadastrado !, tente outro código")}));
        QVERIFY(texto(j, "edCodPro").isEmpty());
        clica(j, "btnConsulta_MovEstq_Fechar");
    });
}

void TstConsultaMovEstq::longDayFilteredAsItComesIn()
{
    TelaTeste t;
    movimentosDeOutubro(t);
    // A busy day: 1,600 more movements today, the four kinds in turn, the screw's and the
    // drill's alternately (10 to 1,609).
    DiaMovimentado::escreve(t.banco, 10, 1609, [](int n) {
        const char* const operacoes[] = {"EE", "SS", "TE", "TS"};
        return DiaMovimentado::Linha{n % 2 ? furadeira : parafuso, operacoes[(n / 2) % 4]};
    });
    const DataSet& lista = t.app.dmMovEstq().cds_MovEstq;
    consulta(t, [&](QDialog* j) {
        // The choices, made whether or not the whole day has come in yet, hold for every row.
        marca(j, "cbSaidas");
        informa(j, "edCodPro", "13");
        marca(j, "cbDeterminado_Produto");
        clica(j, "btnProduto_Filtrar");
        QTRY_VERIFY(!lista.lendo());
        QList<int> esperados;
        for (int n = 11; n < 1610; n += 2)
            if ((n / 2) % 4 != 1)
                esperados << n;
        QCOMPARE(listados(t.app.dmMovEstq().cds_MovEstq), esperados);
        QCOMPARE(acha<QTableView>(j, "dbgConsulta_MovEstq")->model()->rowCount(),
                 int(esperados.size()));
        clica(j, "btnConsulta_MovEstq_Fechar");
    });
    // A closed window keeps no rows; the next opening reads today again.
    QCOMPARE(lista.tamanho(), 0);
    consulta(t, [&](QDialog* j) {
        QTRY_VERIFY(!lista.lendo());
        QCOMPARE(lista.tamanho(), 1601);
        clica(j, "btnConsulta_MovEstq_Fechar");
    });
}

void TstConsultaMovEstq::determinedProductFiltersAtOnce_data()
{
    QTest::addColumn<QString>("codigo"); // typed first; empty: none
    QTest::addColumn<bool>("mouse");     // the radio clicked; otherwise reached with an arrow key
    QTest::addColumn<QList<int>>("esperados");
    caso("mouse, one product", "13", true, QList<int>({5, 6, 7}));
    caso("mouse, no code: nothing", "", true, QList<int>());
    caso("arrow key, one product", "13", false, QList<int>({5, 6, 7}));
}

void TstConsultaMovEstq::determinedProductFiltersAtOnce()
{
    QFETCH(QString, codigo);
    QFETCH(bool, mouse);
    QFETCH(QList<int>, esperados);
    TelaTeste t;
    movimentosDeOutubro(t);
    consulta(t, [&](QDialog* j) {
        datas(j, dia1, dia31);
        if (!codigo.isEmpty())
            informa(j, "edCodPro", codigo);
        if (mouse) {
            marca(j, "cbDeterminado_Produto"); // QTest::mouseClick on the radio
        } else {
            marca(j, "cbTodosProdutos");
            QTest::keyClick(acha<QWidget>(j, "cbTodosProdutos"), Qt::Key_Right);
        }
        QVERIFY(acha<QRadioButton>(j, "cbDeterminado_Produto")->isChecked());
        // No "Filtrar" pressed.
        QCOMPARE(listados(t.app.dmMovEstq().cds_MovEstq), esperados);
        marca(j, "cbTodosProdutos");
        QCOMPARE(listados(t.app.dmMovEstq().cds_MovEstq).size(), 7);
        clica(j, "btnConsulta_MovEstq_Fechar");
    });
    QCOMPARE(t.msgs.quantidade(), 0);
}

void TstConsultaMovEstq::choicesNeverNarrowTheNextReport_data()
{
    QTest::addColumn<QStringList>("desmarcadas");
    QTest::addColumn<QString>("produto"); // chosen with "Determinado Produto"; empty: all
    caso("exits unchecked", QStringList({"cbSaidas"}), QString());
    caso("every box unchecked",
         QStringList({"cbEntradas", "cbSaidas", "cbEst_Entrada", "cbEst_Saida"}), QString());
    caso("one product", QStringList(), QString("13"));
}

void TstConsultaMovEstq::choicesNeverNarrowTheNextReport()
{
    QFETCH(QStringList, desmarcadas);
    QFETCH(QString, produto);
    TelaTeste t;
    movimentosDeOutubro(t);
    ImpressoraTeste impressora;
    const QStringList antes = relatorioDeOutubro(t, impressora);
    static const QRegularExpression detalhe(QStringLiteral("^\\d+ \\S+ \\d\\d/10/2004 "));
    QCOMPARE(antes.filter(detalhe).size(), 7);
    consulta(t, [&](QDialog* j) {
        datas(j, dia1, dia31);
        for (const QString& c : desmarcadas)
            marca(j, qPrintable(c));
        if (!produto.isEmpty()) {
            informa(j, "edCodPro", produto);
            marca(j, "cbDeterminado_Produto");
            clica(j, "btnProduto_Filtrar");
        }
        QVERIFY(listados(t.app.dmMovEstq().cds_MovEstq).size() < 7);
        clica(j, "btnConsulta_MovEstq_Fechar");
    });
    // The same seven lines, the same totals and balance.
    QCOMPARE(relatorioDeOutubro(t, impressora), antes);
    QCOMPARE(t.driver.passosPendentes(), 0);
    QCOMPARE(t.msgs.quantidade(), 0);
}

QTEST_MAIN(TstConsultaMovEstq)
#include "tst_consulta_movestq.moc"
