// The return of lent-out items: the list of open loans and its four filters, the confirmation
// window, and a return that closes the loan, restocks and writes its ledger row together, once.

#include "data/DataModule_MovConsu.h"
#include "data/DataModule_Produtos.h"
#include "data/DataModule_Req.h"
#include "movements/Lancamentos.h"
#include "registers/Busca_Produtos.h"
#include "registers/Busca_REQ.h"
#include "support/AplicacaoTeste.h"
#include "support/Cadastro.h"

#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using namespace Tela;

class TstDevolucao : public QObject {
    Q_OBJECT

private slots:
    void opensEmptyWithItsColumns();
    void filters_data();
    void filters();
    void filterLookupsRefuse_data();
    void filterLookupsRefuse();
    void returnsTheLoan();
    void loanReturnedMeanwhileIsNotReturnedAgain();
    void failedReturnChangesNothingAndCloses();
    void nothingToReturn();
    void searchWindowsFillTheFilters();
};

namespace {

using Cadastro::furadeira;
using Cadastro::parafuso;
const QString serra = QStringLiteral("        14");
const QString semDevolucao =
    QStringLiteral("Este produto é um Produto Consumível não tem Devolução");

// A screw (consumable), a drill with 5 on hand and a saw with 1, both lent out; two
// requisitioners. Open loans: 1 (drill, 2 to 000003), 2 (saw, 1 to 000003), 3 (drill, 1 to
// 000007); loan 4 (drill) came back already.
void emprestimosAbertos(AplicacaoTeste& t)
{
    Cadastro::grupo(t.banco, "000001", "Geral");
    Cadastro::produto(t.banco, {.codigo = parafuso, .descricao = "Parafuso", .quantidade = "20"});
    Cadastro::produto(t.banco, {.codigo = furadeira,
                                .descricao = "Furadeira",
                                .quantidade = "5",
                                .valor = "389",
                                .consumivel = "N",
                                .unidade = "PC",
                                .codigoBarras = "7891000000013"});
    Cadastro::produto(t.banco, {.codigo = serra,
                                .descricao = "Serra",
                                .quantidade = "1",
                                .consumivel = "N",
                                .codigoBarras = "7891000000014"});
    Cadastro::requisitante(t.banco, "000003", QStringLiteral("Manutenção"));
    Cadastro::requisitante(t.banco, "000007", QStringLiteral("Obras"));
    const auto emprestimo = [&](int numero, const QString& produto, const char* req,
                                const char* quant, const char* devolvido) {
        Cadastro::insere(t.banco, "Mov_Consu",
                         {{"MOV_CodInt", numero},
                          {"MOV_CodPro", produto},
                          {"MOV_Tipo", req},
                          {"MOV_Quant", quant},
                          {"MOV_Data", QDate(2004, 10, 1)},
                          {"MOV_DataD", QDate(2004, 10, 8)},
                          {"MOV_Doc", QStringLiteral("RM %1").arg(numero)},
                          {"MOV_Devolvido", devolvido}});
    };
    emprestimo(1, furadeira, "000003", "2", "N");
    emprestimo(2, serra, "000003", "1", "N");
    emprestimo(3, furadeira, "000007", "1", "N");
    emprestimo(4, furadeira, "000003", "1", "S");
}

void devolucao(TelaTeste& t, DriverModal::Passos passos)
{
    t.abre("DevoluodenoConsumveis1", std::move(passos));
}

QString devolvido(AplicacaoTeste& t, int emprestimo)
{
    return t.banco
        .valor("Select MOV_Devolvido From Mov_Consu Where MOV_CodInt = :N", {{"N", emprestimo}})
        .toString();
}

// Makes the loan current in the list and presses "Devolver"; the confirmation takes `passos`.
void escolheEDevolve(TelaTeste& t, QDialog* lista, int emprestimo, DriverModal::Passos passos)
{
    DataSet& dados = t.app.dmMovConsu().cdsMovConsu;
    for (int i = 0; i < dados.tamanho(); ++i)
        if (dados.valor(i, "MOV_CODINT").toLongLong() == emprestimo)
            dados.setLinhaAtual(i);
    QCOMPARE(dados.valor("MOV_CODINT").toLongLong(), qint64(emprestimo));
    t.driver.aoAbrir(std::move(passos));
    clica(lista, "btnDev");
}

} // namespace

void TstDevolucao::opensEmptyWithItsColumns()
{
    TelaTeste t;
    emprestimosAbertos(t);
    devolucao(t, [&](QDialog* j) {
        QCOMPARE(j->windowTitle(), QStringLiteral("Devolução de Não Consumíveis"));
        QCOMPARE(acha<QLabel>(j, "Label1")->text(),
                 QStringLiteral("Devolução de Produtos não Consumíveis"));
        QVERIFY(focado(j, "edCodPro"));
        QVERIFY(listados(t.app.dmMovConsu().cdsMovConsu).isEmpty());
        auto* grade = acha<QTableView>(j, "dbgDev");
        QStringList titulos;
        for (int c = 0; c < grade->model()->columnCount(); ++c)
            titulos << grade->model()->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(titulos,
                 QStringList({"Cód.Produto", "Descrição do Produo", "Cód Req.",
                              "Nome do Requisitante", "Data da Saída", "D. Prevista para Devolução",
                              "D. da Entrega", "Quantidade", "Documento", "Devolvido"}));
        clica(j, "btnBusca");
        QCOMPARE(listados(t.app.dmMovConsu().cdsMovConsu), QList<int>({1, 2, 3}));
        const QModelIndex primeira = grade->model()->index(0, 0);
        QCOMPARE(grade->model()->data(primeira.siblingAtColumn(4)).toString(),
                 QString("01/10/2004"));
        QVERIFY(grade->model()->data(primeira.siblingAtColumn(6)).toString().isEmpty());
        QCOMPARE(grade->model()->data(primeira.siblingAtColumn(9)).toString(), QString("N"));
        // Opened again, the filters and the list start over.
        informa(j, "edCodPro", "13");
        clica(j, "brnFechar");
    });
    devolucao(t, [&](QDialog* j) {
        QVERIFY(texto(j, "edCodPro").isEmpty());
        QVERIFY(texto(j, "edDescPro").isEmpty());
        QVERIFY(listados(t.app.dmMovConsu().cdsMovConsu).isEmpty());
        clica(j, "brnFechar");
    });
    QCOMPARE(t.msgs.quantidade(), 0);
}

void TstDevolucao::filters_data()
{
    QTest::addColumn<QString>("campoProduto");
    QTest::addColumn<QString>("produto");
    QTest::addColumn<QString>("requisitante");
    QTest::addColumn<QList<int>>("esperados");
    caso("product by code", "edCodPro", "13", "", QList<int>({1, 3}));
    caso("product by bar code", "edCodBar", "7891000000014", "", QList<int>({2}));
    caso("requisitioner 3, padded", "", "", "3", QList<int>({1, 2}));
    caso("both", "edCodPro", "13", "7", QList<int>({3}));
    caso("both, no such loan", "edCodBar", "7891000000014", "7", QList<int>());
}

void TstDevolucao::filters()
{
    QFETCH(QString, campoProduto);
    QFETCH(QString, produto);
    QFETCH(QString, requisitante);
    QFETCH(QList<int>, esperados);
    TelaTeste t;
    emprestimosAbertos(t);
    devolucao(t, [&](QDialog* j) {
        if (!produto.isEmpty()) {
            informa(j, qPrintable(campoProduto), produto);
            QVERIFY(focado(j, "edCodReq"));
            QCOMPARE(texto(j, "edCodPro").trimmed(), campoProduto == "edCodPro" ? "13" : "14");
            QCOMPARE(texto(j, "edDescPro"),
                     campoProduto == "edCodPro" ? QString("Furadeira") : QString("Serra"));
        }
        if (!requisitante.isEmpty()) {
            informa(j, "edCodReq", requisitante);
            QCOMPARE(texto(j, "edCodReq"), QString("00000") + requisitante);
            QCOMPARE(texto(j, "edDescReq"),
                     requisitante == "3" ? QStringLiteral("Manutenção") : QStringLiteral("Obras"));
        }
        clica(j, "btnBusca");
        QCOMPARE(listados(t.app.dmMovConsu().cdsMovConsu), esperados);
        clica(j, "brnFechar");
    });
    QCOMPARE(t.msgs.quantidade(), 0);
}

void TstDevolucao::filterLookupsRefuse_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("digitado");
    QTest::addColumn<QString>("mensagem");
    caso("consumable by code", "edCodPro", "12", semDevolucao);
    caso("unknown code", "edCodPro", "99", QStringLiteral("Produto não Encontrado"));
    caso("unknown bar code", "edCodBar", "000", QStringLiteral("Produto não Encontrado"));
    caso("unknown requisitioner", "edCodReq", "9", QStringLiteral("Requisitante não Encontrado"));
}

void TstDevolucao::filterLookupsRefuse()
{
    QFETCH(QString, nome);
    QFETCH(QString, digitado);
    QFETCH(QString, mensagem);
    TelaTeste t;
    emprestimosAbertos(t);
    devolucao(t, [&](QDialog* j) {
        informa(j, qPrintable(nome), digitado);
        QCOMPARE(t.msgs.textos(), QStringList({mensagem}));
        QCOMPARE(t.msgs.mensagens()[0].tipo, TipoMensagem::Erro);
        QVERIFY(texto(j, qPrintable(nome)).isEmpty());
        QTRY_VERIFY(focado(j, qPrintable(nome)));
        // The filter left empty lists every open loan.
        clica(j, "btnBusca");
        QCOMPARE(listados(t.app.dmMovConsu().cdsMovConsu), QList<int>({1, 2, 3}));
        clica(j, "brnFechar");
    });
}

void TstDevolucao::returnsTheLoan()
{
    TelaTeste t;
    emprestimosAbertos(t);
    t.comAuditoria("000001");
    devolucao(t, [&](QDialog* j) {
        informa(j, "edCodPro", "13");
        clica(j, "btnBusca");
        escolheEDevolve(t, j, 1, [&](QDialog* c) {
            QCOMPARE(c->objectName(), QString("TfDevolve"));
            QCOMPARE(c->windowTitle(), QStringLiteral("Devolução de Produtos não Consumíveis"));
            QCOMPARE(textos(c, {"edCodPro", "edDescPro", "edCodReq", "edDescREq", "edQuant",
                                "edDoc", "edData", "edDataD"}),
                     QStringList({furadeira, "Furadeira", "000003", QStringLiteral("Manutenção"),
                                  "2,000", "RM 1", "01/10/2004", "08/10/2004"}));
            auto* data = acha<QDateEdit>(c, "dtpDataE");
            QCOMPARE(data->date(), QDate::currentDate());
            QVERIFY(focado(c, "dtpDataE"));
            data->setDate(QDate(2004, 10, 6));
            clica(c, "btnDevolver");
            QVERIFY(!c->isVisible());
        });
        // The list keeps its filter and no longer shows the loan.
        QCOMPARE(listados(t.app.dmMovConsu().cdsMovConsu), QList<int>({3}));
        clica(j, "brnFechar");
    });
    QCOMPARE(t.msgs.quantidade(), 0);
    const Resultado loan = t.banco.consulta("Select * From Mov_Consu Where MOV_CodInt = 1");
    QCOMPARE(loan.valor(0, "MOV_Devolvido").toString(), QString("S"));
    QCOMPARE(loan.valor(0, "MOV_DataE").toDate(), QDate(2004, 10, 6));
    QCOMPARE(Cadastro::estoque(t.banco, furadeira), Decimal(7, 0));
    const Resultado mov = Cadastro::movimentos(t.banco);
    QCOMPARE(mov.tamanho(), 1);
    QCOMPARE(mov.valor(0, "MOV_CodInt").toLongLong(), 1);
    QCOMPARE(mov.valor(0, "MOV_CodPro").toString(), furadeira);
    QCOMPARE(mov.valor(0, "MOV_Oper").toString(), QString("EE"));
    QCOMPARE(mov.valor(0, "MOV_Data").toDate(), QDate(2004, 10, 6));
    QCOMPARE(mov.valor(0, "MOV_Quant").value<Decimal>(), Decimal(2, 0));
    QCOMPARE(mov.valor(0, "MOV_Valor").value<Decimal>(), Decimal(0, 0));
    QCOMPARE(mov.valor(0, "MOV_Doc").toString().trimmed(), QString("RM 1"));
    QCOMPARE(mov.valor(0, "MOV_Tipo").toString(), QString("000003"));
    QVERIFY(mov.valor(0, "MOV_CodFor").isNull());
    QCOMPARE(Cadastro::linhasLog(t.banco),
             QStringList({QStringLiteral("000001|Devolução de Prod.não Consumível:") + furadeira}));
    // The other loans are as they were.
    QCOMPARE(devolvido(t, 3), QString("N"));
}

// Two workstations had the same loan on screen; the other one returned it while this
// confirmation stood open.
void TstDevolucao::loanReturnedMeanwhileIsNotReturnedAgain()
{
    TelaTeste t;
    emprestimosAbertos(t);
    t.comAuditoria("000001");
    devolucao(t, [&](QDialog* j) {
        clica(j, "btnBusca");
        escolheEDevolve(t, j, 1, [&](QDialog* c) {
            Lancamentos::gravaDevolucao(t.banco.conexao(), {1, QDate(2004, 10, 5)});
            clica(c, "btnDevolver");
            QVERIFY(!c->isVisible());
        });
        QCOMPARE(t.msgs.textos(),
                 QStringList({QStringLiteral("Este Empréstimo já foi Devolvido !")}));
        QCOMPARE(t.msgs.mensagens()[0].tipo, TipoMensagem::Informacao);
        QCOMPARE(listados(t.app.dmMovConsu().cdsMovConsu), QList<int>({2, 3}));
        clica(j, "brnFechar");
    });
    QCOMPARE(Cadastro::estoque(t.banco, furadeira), Decimal(7, 0));
    QCOMPARE(t.banco.conta("Mov_Estq"), 1);
    QCOMPARE(t.banco.valor("Select MOV_DataE From Mov_Consu Where MOV_CodInt = 1").toDate(),
             QDate(2004, 10, 5));
    QVERIFY(Cadastro::linhasLog(t.banco).isEmpty());
}

void TstDevolucao::failedReturnChangesNothingAndCloses()
{
    TelaTeste t;
    emprestimosAbertos(t);
    t.comAuditoria("000001");
    t.banco.recusa("Mov_Estq", "INSERT", "razao travada");
    devolucao(t, [&](QDialog* j) {
        clica(j, "btnBusca");
        escolheEDevolve(t, j, 2, [&](QDialog* c) {
            clica(c, "btnDevolver");
            QVERIFY(!c->isVisible());
        });
        QCOMPARE(t.msgs.textos(),
                 QStringList({QStringLiteral("Não Consegui Gravar, tente novamente !")}));
        QCOMPARE(t.msgs.mensagens()[0].tipo, TipoMensagem::Aviso);
        QCOMPARE(listados(t.app.dmMovConsu().cdsMovConsu), QList<int>({1, 2, 3}));
        clica(j, "brnFechar");
    });
    QCOMPARE(devolvido(t, 2), QString("N"));
    QVERIFY(t.banco.valor("Select MOV_DataE From Mov_Consu Where MOV_CodInt = 2").isNull());
    QCOMPARE(Cadastro::estoque(t.banco, serra), Decimal(1, 0));
    QCOMPARE(t.banco.conta("Mov_Estq"), 0);
    QCOMPARE(t.banco.conta("Log"), 0);
}

void TstDevolucao::nothingToReturn()
{
    TelaTeste t;
    emprestimosAbertos(t);
    devolucao(t, [&](QDialog* j) {
        clica(j, "btnDev");
        QCOMPARE(t.msgs.textos(),
                 QStringList({QStringLiteral("Nenhum Empréstimo para Devolver !")}));
        QCOMPARE(t.msgs.mensagens()[0].tipo, TipoMensagem::Informacao);
        clica(j, "brnFechar");
    });
    QCOMPARE(t.driver.abertas(), QStringList({"TfDevolucao"}));
    QCOMPARE(t.banco.conta("Mov_Estq"), 0);
}

void TstDevolucao::searchWindowsFillTheFilters()
{
    TelaTeste t;
    emprestimosAbertos(t);
    t.driver.aoAbrir([&](QDialog* j) {
        f5(j, "edCodBar");
        QCOMPARE(t.app.janela<TfBusca_Produtos>().Origem, QStringLiteral("Devolução"));
        QCOMPARE(texto(j, "edCodPro"), serra);
        QTRY_VERIFY(focado(j, "edCodPro"));
        tab(j, "edCodPro");
        QCOMPARE(texto(j, "edDescPro"), QString("Serra"));

        clica(j, "btnBuscareq");
        QCOMPARE(t.app.janela<TfBusca_REQ>().Origem, QStringLiteral("Devolução"));
        QCOMPARE(texto(j, "edCodReq"), QString("000007"));
        QTRY_VERIFY(focado(j, "edCodReq"));
        tab(j, "edCodReq");
        QCOMPARE(texto(j, "edDescReq"), QString("Obras"));
        clica(j, "brnFechar");
    });
    t.driver.aoAbrir([&](QDialog* busca) {
        escolheNaBusca(busca, t.app.dmProdutos().cds_Produtos, "PRO_CODIGO", serra);
    });
    t.driver.aoAbrir([&](QDialog* busca) {
        escolheNaBusca(busca, t.app.dmReq().cds_Req, "REQ_CODIGO", "000007");
    });
    t.principal().aciona("DevoluodenoConsumveis1");
    QCOMPARE(t.driver.abertas(), QStringList({"TfDevolucao", "TfBusca_Produtos", "TfBusca_REQ"}));
    QCOMPARE(t.msgs.quantidade(), 0);
}

QTEST_MAIN(TstDevolucao)
#include "tst_devolucao.moc"
