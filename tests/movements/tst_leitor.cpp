// A hand scanner types the bar code, a key every few milliseconds, and then Enter. In every
// window with a bar-code field that Enter looks the product up and moves on as Tab does, in the
// windows that treat Enter as Tab and in those that give it no meaning alike, and no button of
// the window is pressed by it. A shelf label printed with the code of a product that has no bar
// code finds that product too.

#include "support/AplicacaoTeste.h"
#include "support/Cadastro.h"
#include "support/JanelasDeProduto.h"

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

// Scans `codigo` into the window's field `nome`, the field first taking the focus as a click
// would give it; returns the field.
QLineEdit* leNoCampo(QDialog* janela, const char* nome, const QString& codigo)
{
    QLineEdit* campoLeitor = campo(janela, nome);
    campoLeitor->setFocus();
    leitor(campoLeitor, codigo);
    return campoLeitor;
}

// The drill coded 12 in the one group, with 5 in stock, of the kind the window takes; with a bar
// code when `codigoBarras` gives one.
void furadeira(AplicacaoTeste& t, const char* consumivel, const QString& codigoBarras = {})
{
    Cadastro::grupo(t.banco, "000001", "Geral");
    Cadastro::produto(t.banco, {.codigo = QStringLiteral("        12"),
                                .descricao = QStringLiteral("Furadeira"),
                                .quantidade = "5",
                                .consumivel = consumivel,
                                .codigoBarras = codigoBarras});
}

} // namespace

void TstLeitor::scannedBarCodeMovesOn_data()
{
    JanelasDeProduto::umaLinhaPorJanela();
}

void TstLeitor::scannedBarCodeMovesOn()
{
    QFETCH(JanelaDeProduto, janela);
    TelaTeste t;
    furadeira(t, janela.consumivel, barras);
    t.abre(janela.menu, [&](QDialog* j) {
        leNoCampo(j, janela.barras, barras);
        QVERIFY(j->isVisible());
        QCOMPARE(textos(j, {janela.codigo, janela.descricao}),
                 QStringList({"        12", "Furadeira"}));
        QVERIFY(focado());
        QCOMPARE(focado()->objectName(), QLatin1String(janela.proximo));
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
        leNoCampo(j, b.constData(), barras);
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
    QTest::addColumn<JanelaDeProduto>("janela");
    // Another product has the label's text as its bar code.
    QTest::addColumn<bool>("barrasDeOutro");
    using namespace JanelasDeProduto;
    caso("entry", entrada, false);
    caso("write-off", extravio, false);
    caso("movement query", consultaDeMovimentos, false);
    caso("entry, the bar code wins", entrada, true);
    caso("write-off, the bar code wins", extravio, true);
}

void TstLeitor::scannedCodeLabelFindsTheProduct()
{
    QFETCH(JanelaDeProduto, janela);
    QFETCH(bool, barrasDeOutro);
    TelaTeste t;
    // Without a bar code of its own, its label carries its code, as printed: "12".
    furadeira(t, janela.consumivel);
    // A product with a bar code is labelled with that: its code in the bar-code field is unknown.
    Cadastro::produto(t.banco, {.codigo = QStringLiteral("        56"),
                                .descricao = QStringLiteral("Trena"),
                                .consumivel = janela.consumivel,
                                .codigoBarras = barras});
    if (barrasDeOutro)
        Cadastro::produto(t.banco, {.codigo = QStringLiteral("        34"),
                                    .descricao = QStringLiteral("Serrote"),
                                    .quantidade = "2",
                                    .consumivel = janela.consumivel,
                                    .codigoBarras = QStringLiteral("12")});
    const QStringList esperado = barrasDeOutro ? QStringList{"        34", "Serrote", "12"}
                                               : QStringList{"        12", "Furadeira", ""};
    t.abre(janela.menu, [&](QDialog* j) {
        QLineEdit* campoLeitor = leNoCampo(j, janela.barras, QStringLiteral("12"));
        QVERIFY(j->isVisible());
        QCOMPARE(textos(j, {janela.codigo, janela.descricao, janela.barras}), esperado);
        QVERIFY(focado());
        QCOMPARE(focado()->objectName(), QLatin1String(janela.proximo));
        QCOMPARE(t.msgs.textos(), QStringList());

        // "56" is no label: the product coded 56 is labelled with its bar code.
        campoLeitor->setFocus();
        campoLeitor->clear();
        leitor(campoLeitor, QStringLiteral("56"));
        QCOMPARE(t.msgs.textos().size(), 1);
        QVERIFY(texto(j, janela.descricao) != QString("Trena"));
        j->reject();
    });
    QCOMPARE(t.driver.passosPendentes(), 0);
}

QTEST_MAIN(TstLeitor)
#include "tst_leitor.moc"
