// A hand scanner types the bar code, a key every few milliseconds, and then Enter. In every
// window with a bar-code field that Enter looks the product up and moves on as Tab does, in the
// windows that treat Enter as Tab and in those that give it no meaning alike, and no button of
// the window is pressed by it. A shelf label printed with the code of a product that has no bar
// code finds that product too.

#include "support/AplicacaoTeste.h"
#include "support/Cadastro.h"

#include <QDialog>
#include <QLineEdit>
#include <QtTest>

using namespace Tela;

class TstLeitor : public QObject {
    Q_OBJECT

private slots:
    void scannedBarCodeMovesOn_data();
    void scannedBarCodeMovesOn();
    void scannedBarCodeFindsTheRowOfTheProductList_data();
    void scannedBarCodeFindsTheRowOfTheProductList();
    void scannedCodeLabelFindsTheProduct_data();
    void scannedCodeLabelFindsTheProduct();
};

namespace {

const QString barras = QStringLiteral("7891000000014");

// The scanner: every key 5 ms apart, then Enter.
void leitor(QWidget* campo, const QString& codigo)
{
    QTest::keyClicks(campo, codigo, Qt::NoModifier, 5);
    QTest::keyClick(campo, Qt::Key_Return);
    // A refusal hands the focus back on the next turn of the loop; let it happen if it would.
    QCoreApplication::processEvents();
}

} // namespace

void TstLeitor::scannedBarCodeMovesOn_data()
{
    QTest::addColumn<QString>("item"); // the main-menu item that opens the window
    QTest::addColumn<QString>("campoBarras");
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("descricao");
    QTest::addColumn<QString>("proximo");    // the field the focus moves on to
    QTest::addColumn<QString>("consumivel"); // the kind of product the window takes
    caso("entry", QString("EntradanoEstoque1"), QString("edENT_CodBar"), QString("edENT_CodPRO"),
         QString("edEnt_DescPro"), QString("edENT_Unid"), QString("S"));
    caso("exit", QString("SadanoEstoque1"), QString("edSaida_CodBar"), QString("edSaida_CodPro"),
         QString("edSaida_DescPro"), QString("edSaida_Unid"), QString("N"));
    caso("reversal of an entry", QString("EstornodeEntrada1"), QString("edEST_CodBar"),
         QString("edEST_CodPro"), QString("edEst_DescPro"), QString("edEst_Unid"), QString("S"));
    caso("reversal of an exit", QString("EstornodeSada1"), QString("edEST_CodBar"),
         QString("edEST_CodPro"), QString("edEst_DescPro"), QString("edEst_Unid"), QString("S"));
    caso("write-off", QString("ExtravioSadaDefinitivadenoConsumveis1"), QString("edCodBar"),
         QString("edCodPro"), QString("edDescPro"), QString("edQuant"), QString("N"));
    caso("return", QString("DevoluodenoConsumveis1"), QString("edCodBar"), QString("edCodPro"),
         QString("edDescPro"), QString("edCodReq"), QString("N"));
    caso("suppliers of a product", QString("ConsultadeFornecedoresdeumProduto1"),
         QString("edCodBar"), QString("edCodigo"), QString("edDesc"), QString("DBGPRo"),
         QString("S"));
    caso("movement query", QString("ConsultadeMovimentaodeEstoque1"), QString("edCodBar"),
         QString("edCodPro"), QString("edDescricao"), QString("edDescricao"), QString("S"));
    caso("report of one product", QString("GeralporProduto1"), QString("edCodBar"),
         QString("edCodPro"), QString("EdDescPro"), QString("EdDescPro"), QString("S"));
}

void TstLeitor::scannedBarCodeMovesOn()
{
    QFETCH(QString, item);
    QFETCH(QString, campoBarras);
    QFETCH(QString, codigo);
    QFETCH(QString, descricao);
    QFETCH(QString, proximo);
    QFETCH(QString, consumivel);
    TelaTeste t;
    Cadastro::grupo(t.banco, "000001", "Geral");
    Cadastro::produto(t.banco, {.codigo = QStringLiteral("        12"),
                                .descricao = QStringLiteral("Furadeira"),
                                .quantidade = "5",
                                .consumivel = consumivel,
                                .codigoBarras = barras});
    const QByteArray b = campoBarras.toLatin1(), c = codigo.toLatin1(), d = descricao.toLatin1();
    t.abre(qPrintable(item), [&](QDialog* j) {
        QLineEdit* campoLeitor = campo(j, b.constData());
        campoLeitor->setFocus();
        leitor(campoLeitor, barras);
        QVERIFY(j->isVisible());
        QCOMPARE(textos(j, {c.constData(), d.constData()}),
                 QStringList({"        12", "Furadeira"}));
        QVERIFY(focado());
        QCOMPARE(focado()->objectName(), proximo);
        j->reject();
    });
    QCOMPARE(t.driver.passosPendentes(), 0);
    QCOMPARE(t.msgs.textos(), QStringList());
}

void TstLeitor::scannedBarCodeFindsTheRowOfTheProductList_data()
{
    QTest::addColumn<bool>("pelaBusca"); // the search window a code field opens, or the list
    QTest::addColumn<QString>("campoBusca");
    QTest::addColumn<QString>("grade");
    caso("product list", false, QString("edBusca_ManutPRO"), QString("dbg_Manut_PRO"));
    caso("product search", true, QString("edBusca_ConPRO"), QString("dbg_Con_PRO"));
}

void TstLeitor::scannedBarCodeFindsTheRowOfTheProductList()
{
    QFETCH(bool, pelaBusca);
    QFETCH(QString, campoBusca);
    QFETCH(QString, grade);
    TelaTeste t;
    Cadastro::grupo(t.banco, "000001", "Geral");
    // Listed by description, the product scanned is not the first row.
    Cadastro::produto(t.banco, {.codigo = QStringLiteral("        11"),
                                .descricao = QStringLiteral("Alicate"),
                                .codigoBarras = QStringLiteral("7891000000021")});
    Cadastro::produto(t.banco, {.codigo = QStringLiteral("        12"),
                                .descricao = QStringLiteral("Furadeira"),
                                .codigoBarras = barras});
    const QByteArray b = campoBusca.toLatin1(), g = grade.toLatin1();
    const DriverModal::Passos naLista = [&](QDialog* j) {
        marca(j, "rbPRO_Busca_CodBar");
        QLineEdit* campoLeitor = campo(j, b.constData());
        campoLeitor->setFocus();
        leitor(campoLeitor, barras);
        // Nothing was pressed: neither "Novo" nor "Seleciona" opened or closed a window.
        QVERIFY(j->isVisible());
        QCOMPARE(codigoNaGrade(j, g.constData()), QString("        12"));
        QVERIFY(focado(j, g.constData()));
        j->reject();
    };
    if (pelaBusca) {
        t.driver.aoAbrir([&](QDialog* j) {
            f5(j, "edCodigo");
            j->reject();
        });
        t.driver.aoAbrir(naLista);
        t.principal().aciona("ConsultadeFornecedoresdeumProduto1");
    } else {
        t.abre("Produtos1", naLista);
    }
    QCOMPARE(t.driver.passosPendentes(), 0);
    QCOMPARE(t.msgs.textos(), QStringList());
}

void TstLeitor::scannedCodeLabelFindsTheProduct_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("campoBarras");
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("descricao");
    QTest::addColumn<QString>("proximo");
    QTest::addColumn<QString>("consumivel");
    // Another product has the label's text as its bar code.
    QTest::addColumn<bool>("barrasDeOutro");
    caso("entry", QString("EntradanoEstoque1"), QString("edENT_CodBar"), QString("edENT_CodPRO"),
         QString("edEnt_DescPro"), QString("edENT_Unid"), QString("S"), false);
    caso("write-off", QString("ExtravioSadaDefinitivadenoConsumveis1"), QString("edCodBar"),
         QString("edCodPro"), QString("edDescPro"), QString("edQuant"), QString("N"), false);
    caso("movement query", QString("ConsultadeMovimentaodeEstoque1"), QString("edCodBar"),
         QString("edCodPro"), QString("edDescricao"), QString("edDescricao"), QString("S"), false);
    caso("entry, the bar code wins", QString("EntradanoEstoque1"), QString("edENT_CodBar"),
         QString("edENT_CodPRO"), QString("edEnt_DescPro"), QString("edENT_Unid"), QString("S"),
         true);
    caso("write-off, the bar code wins", QString("ExtravioSadaDefinitivadenoConsumveis1"),
         QString("edCodBar"), QString("edCodPro"), QString("edDescPro"), QString("edQuant"),
         QString("N"), true);
}

void TstLeitor::scannedCodeLabelFindsTheProduct()
{
    QFETCH(QString, item);
    QFETCH(QString, campoBarras);
    QFETCH(QString, codigo);
    QFETCH(QString, descricao);
    QFETCH(QString, proximo);
    QFETCH(QString, consumivel);
    QFETCH(bool, barrasDeOutro);
    TelaTeste t;
    Cadastro::grupo(t.banco, "000001", "Geral");
    // Without a bar code of its own, its label carries its code, as printed: "12".
    Cadastro::produto(t.banco, {.codigo = QStringLiteral("        12"),
                                .descricao = QStringLiteral("Furadeira"),
                                .quantidade = "5",
                                .consumivel = consumivel});
    // A product with a bar code is labelled with that: its code in the bar-code field is unknown.
    Cadastro::produto(t.banco, {.codigo = QStringLiteral("        56"),
                                .descricao = QStringLiteral("Trena"),
                                .consumivel = consumivel,
                                .codigoBarras = barras});
    if (barrasDeOutro)
        Cadastro::produto(t.banco, {.codigo = QStringLiteral("        34"),
                                    .descricao = QStringLiteral("Serrote"),
                                    .quantidade = "2",
                                    .consumivel = consumivel,
                                    .codigoBarras = QStringLiteral("12")});
    const QStringList esperado = barrasDeOutro ? QStringList{"        34", "Serrote", "12"}
                                               : QStringList{"        12", "Furadeira", ""};
    const QByteArray b = campoBarras.toLatin1(), c = codigo.toLatin1(), d = descricao.toLatin1();
    t.abre(qPrintable(item), [&](QDialog* j) {
        QLineEdit* campoLeitor = campo(j, b.constData());
        campoLeitor->setFocus();
        leitor(campoLeitor, QStringLiteral("12"));
        QVERIFY(j->isVisible());
        QCOMPARE(textos(j, {c.constData(), d.constData(), b.constData()}), esperado);
        QVERIFY(focado());
        QCOMPARE(focado()->objectName(), proximo);
        QCOMPARE(t.msgs.textos(), QStringList());

        // "56" is no label: the product coded 56 is labelled with its bar code.
        campoLeitor->setFocus();
        campoLeitor->clear();
        leitor(campoLeitor, QStringLiteral("56"));
        QCOMPARE(t.msgs.textos().size(), 1);
        QVERIFY(texto(j, d.constData()) != QString("Trena"));
        j->reject();
    });
    QCOMPARE(t.driver.passosPendentes(), 0);
}

QTEST_MAIN(TstLeitor)
#include "tst_leitor.moc"
