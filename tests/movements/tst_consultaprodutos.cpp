// The suppliers of a product: one row per supplier named on its movements, found by the
// product's code or bar code.

#include "data/DataModule_Produtos.h"
#include "registers/Busca_Produtos.h"
#include "support/AplicacaoTeste.h"
#include "support/Cadastro.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using namespace Tela;

class TstConsultaProdutos : public QObject {
    Q_OBJECT

private slots:
    void suppliersOfAProduct_data();
    void suppliersOfAProduct();
    void unknownProductKeepsWhatWasShown_data();
    void unknownProductKeepsWhatWasShown();
    void searchPutsTheCodeInTheField();
    void enterIsNotTab();
};

namespace {

const QString comprado = QStringLiteral("        15");
const QString soSaidas = QStringLiteral("        16");

// A product bought three times from each of two suppliers (and issued once), and one only
// ever issued.
void comprasDeDoisFornecedores(AplicacaoTeste& t)
{
    Cadastro::grupo(t.banco, "000001", "Geral");
    Cadastro::insere(t.banco, "Produtos",
                     {{"PRO_Codigo", comprado},
                      {"PRO_Descricao", "Parafuso"},
                      {"PRO_CodGRU", "000001"},
                      {"PRO_Refer", "M6x20"},
                      {"PRO_Local", "A-01"},
                      {"PRO_CodBar", "7891000000015"}});
    Cadastro::produto(
        t.banco, {.codigo = soSaidas, .descricao = "Arruela", .codigoBarras = "7891000000016"});
    for (const char* f : {"0000000001", "0000000002"})
        Cadastro::insere(t.banco, "Fornecedor",
                         {{"FOR_Codigo", f},
                          {"FOR_Razao", QStringLiteral("Fornecedor %1").arg(f[9])},
                          {"FOR_Fone1", "(11) 5555-000" + QString(f[9])},
                          {"FOR_Contato", "Ana"},
                          {"FOR_Fax", "(11) 5555-0100"}});
    int n = 0;
    const auto mov = [&](const QString& produto, const char* oper, const QVariant& fornecedor) {
        Cadastro::movimento(t.banco, {.numero = ++n,
                                      .produto = produto,
                                      .operacao = oper,
                                      .quantidade = 1,
                                      .fornecedor = fornecedor});
    };
    for (int i = 0; i < 3; ++i) {
        mov(comprado, "EE", "0000000001");
        mov(comprado, "EE", "0000000002");
    }
    mov(comprado, "SS", QVariant());
    mov(soSaidas, "SS", QVariant());
    mov(soSaidas, "SS", QVariant());
}

void consultaFornecedores(TelaTeste& t, DriverModal::Passos passos)
{
    t.abre("ConsultadeFornecedoresdeumProduto1", std::move(passos));
}

QStringList linhasDaGrade(AplicacaoTeste& t, QDialog* j)
{
    const QAbstractItemModel* m = acha<QTableView>(j, "DBGPRo")->model();
    QStringList r;
    for (int i = 0; i < m->rowCount(); ++i) {
        QStringList celulas;
        for (int c = 0; c < m->columnCount(); ++c)
            celulas << m->data(m->index(i, c)).toString();
        r << celulas.join('|');
    }
    r.sort();
    Q_UNUSED(t);
    return r;
}

} // namespace

void TstConsultaProdutos::suppliersOfAProduct_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("digitado");
    QTest::addColumn<QStringList>("esperado");
    const QStringList dois = {"0000000001|Fornecedor 1|(11) 5555-0001|Ana|(11) 5555-0100",
                              "0000000002|Fornecedor 2|(11) 5555-0002|Ana|(11) 5555-0100"};
    caso("two suppliers three times each", "edCodigo", "15", dois);
    caso("a stray blank after the code", "edCodigo", "15 ", dois);
    caso("blanks around the code", "edCodigo", " 15  ", dois);
    caso("by bar code", "edCodBar", "7891000000015", dois);
    caso("only exits", "edCodigo", "16", QStringList());
}

void TstConsultaProdutos::suppliersOfAProduct()
{
    QFETCH(QString, nome);
    QFETCH(QString, digitado);
    QFETCH(QStringList, esperado);
    TelaTeste t;
    comprasDeDoisFornecedores(t);
    consultaFornecedores(t, [&](QDialog* j) {
        QCOMPARE(j->windowTitle(), QStringLiteral("Consulta de Fornecedores de um Produto"));
        QVERIFY(focado(j, "edCodigo"));
        QVERIFY(linhasDaGrade(t, j).isEmpty());
        const QAbstractItemModel* m = acha<QTableView>(j, "DBGPRo")->model();
        QStringList titulos;
        for (int c = 0; c < m->columnCount(); ++c)
            titulos << m->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(titulos,
                 QStringList({QStringLiteral("Cód.Fornecedor"), QStringLiteral("Razão Social"),
                              "Telefone", "Contato", "FAX"}));
        informa(j, qPrintable(nome), digitado);
        QCOMPARE(linhasDaGrade(t, j), esperado);
        if (digitado.trimmed() == "15" || nome == "edCodBar") {
            QCOMPARE(textos(j, {"edCodigo", "edCodBar", "edDesc", "edRefer", "edLocal"}),
                     QStringList({comprado, "7891000000015", "Parafuso", "M6x20", "A-01"}));
            // Coming back to the code shows it without its blanks.
            campo(j, "edCodigo")->setFocus();
            QCOMPARE(texto(j, "edCodigo"), QString("15"));
        }
        clica(j, "btnFechar");
    });
    QCOMPARE(t.msgs.quantidade(), 0);
    QCOMPARE(t.banco.conta("Mov_Estq"), 9);
}

void TstConsultaProdutos::unknownProductKeepsWhatWasShown_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("digitado");
    caso("code", "edCodigo", "99");
    caso("bar code", "edCodBar", "000");
}

void TstConsultaProdutos::unknownProductKeepsWhatWasShown()
{
    QFETCH(QString, nome);
    QFETCH(QString, digitado);
    TelaTeste t;
    comprasDeDoisFornecedores(t);
    consultaFornecedores(t, [&](QDialog* j) {
        informa(j, "edCodigo", "15");
        informa(j, qPrintable(nome), digitado);
        QCOMPARE(t.msgs.textos(), QStringList({QStringLiteral("Produto Não Encontrado")}));
        QCOMPARE(t.msgs.mensagens()[0].tipo, TipoMensagem::Erro);
        QVERIFY(texto(j, qPrintable(nome)).isEmpty());
        QTRY_VERIFY(focado(j, qPrintable(nome)));
        QCOMPARE(texto(j, "edDesc"), QString("Parafuso"));
        QCOMPARE(linhasDaGrade(t, j).size(), 2);
        clica(j, "btnFechar");
    });
}

void TstConsultaProdutos::searchPutsTheCodeInTheField()
{
    TelaTeste t;
    comprasDeDoisFornecedores(t);
    t.driver.aoAbrir([&](QDialog* j) {
        f5(j, "edCodBar");
        QCOMPARE(t.app.janela<TfBusca_Produtos>().Origem, QStringLiteral("Consulta Produtos"));
        QCOMPARE(texto(j, "edCodigo"), comprado);
        QTRY_VERIFY(focado(j, "edCodigo"));
        // Filled in when the code is left.
        QVERIFY(texto(j, "edDesc").isEmpty());
        tab(j, "edCodigo");
        QCOMPARE(texto(j, "edDesc"), QString("Parafuso"));
        QCOMPARE(linhasDaGrade(t, j).size(), 2);
        clica(j, "btnFechar");
    });
    t.driver.aoAbrir([&](QDialog* busca) {
        escolheNaBusca(busca, t.app.dmProdutos().cds_Produtos, "PRO_CODIGO", comprado);
    });
    t.principal().aciona("ConsultadeFornecedoresdeumProduto1");
    QCOMPARE(t.driver.abertas(), QStringList({"TfConsultaProdutos", "TfBusca_Produtos"}));
}

void TstConsultaProdutos::enterIsNotTab()
{
    TelaTeste t;
    comprasDeDoisFornecedores(t);
    consultaFornecedores(t, [&](QDialog* j) {
        digita(j, "edCodigo", "15");
        // Enter here neither moves on nor presses a button: the code stays as typed, in the
        // field, with nothing looked up yet.
        enter(j, "edCodigo");
        QVERIFY(focado(j, "edCodigo"));
        QCOMPARE(texto(j, "edCodigo"), QString("15"));
        QVERIFY(texto(j, "edDesc").isEmpty());
        QVERIFY(j->isVisible());
        tab(j, "edCodigo");
        QCOMPARE(texto(j, "edDesc"), QString("Parafuso"));
        clica(j, "btnFechar");
    });
    QCOMPARE(t.msgs.quantidade(), 0);
    QCOMPARE(t.driver.abertas(), QStringList({"TfConsultaProdutos"}));
}

QTEST_MAIN(TstConsultaProdutos)
#include "tst_consultaprodutos.moc"
