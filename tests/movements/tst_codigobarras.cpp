// Bar codes are not unique. Every window that names a product by its code or its bar code
// keeps the product typed by its code when the person walks through the bar code the look-up
// has just shown, and still looks up a bar code the person types.

#include "support/AplicacaoTeste.h"
#include "support/Cadastro.h"

#include <QDialog>
#include <QLineEdit>
#include <QtTest>

using namespace Tela;

class TstCodigoBarras : public QObject {
    Q_OBJECT

private slots:
    void sharedBarCodeKeepsTheProductTyped_data();
    void sharedBarCodeKeepsTheProductTyped();
};

namespace {

const QString compartilhado = QStringLiteral("7891000000099");
const QString proprio = QStringLiteral("7891000000014");

// Products 12 and 13 share one bar code (12 is the first the register finds by it); 14 has a
// bar code of its own. All of the kind the window moves.
void codigoDeBarrasRepetido(AplicacaoTeste& t, const QString& consumivel)
{
    Cadastro::grupo(t.banco, "000001", "Geral");
    const std::pair<const char*, const char*> produtos[] = {
        {"12", "Primeiro"}, {"13", "Segundo"}, {"14", "Terceiro"}};
    for (const auto& [codigo, descricao] : produtos)
        Cadastro::produto(
            t.banco, {.codigo = QString::fromLatin1(codigo).rightJustified(10, ' '),
                      .descricao = QString::fromLatin1(descricao),
                      .quantidade = "5",
                      .consumivel = consumivel,
                      .codigoBarras = codigo == QLatin1String("14") ? proprio : compartilhado});
}

} // namespace

void TstCodigoBarras::sharedBarCodeKeepsTheProductTyped_data()
{
    QTest::addColumn<QString>("item"); // the main-menu item that opens the window
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("barras");
    QTest::addColumn<QString>("descricao");
    QTest::addColumn<QString>("consumivel"); // the kind of product the window takes
    caso("entry", "EntradanoEstoque1", "edENT_CodPRO", "edENT_CodBar", "edEnt_DescPro", "S");
    caso("exit", "SadanoEstoque1", "edSaida_CodPro", "edSaida_CodBar", "edSaida_DescPro", "N");
    caso("reversal of an entry", "EstornodeEntrada1", "edEST_CodPro", "edEST_CodBar",
         "edEst_DescPro", "S");
    caso("reversal of an exit", "EstornodeSada1", "edEST_CodPro", "edEST_CodBar", "edEst_DescPro",
         "S");
    caso("write-off", "ExtravioSadaDefinitivadenoConsumveis1", "edCodPro", "edCodBar", "edDescPro",
         "N");
    caso("return", "DevoluodenoConsumveis1", "edCodPro", "edCodBar", "edDescPro", "N");
    caso("suppliers of a product", "ConsultadeFornecedoresdeumProduto1", "edCodigo", "edCodBar",
         "edDesc", "S");
    caso("movement query", "ConsultadeMovimentaodeEstoque1", "edCodPro", "edCodBar", "edDescricao",
         "S");
    caso("report of one product", "GeralporProduto1", "edCodPro", "edCodBar", "EdDescPro", "S");
}

void TstCodigoBarras::sharedBarCodeKeepsTheProductTyped()
{
    QFETCH(QString, item);
    QFETCH(QString, codigo);
    QFETCH(QString, barras);
    QFETCH(QString, descricao);
    QFETCH(QString, consumivel);
    TelaTeste t;
    codigoDeBarrasRepetido(t, consumivel);
    const QByteArray c = codigo.toLatin1(), b = barras.toLatin1(), d = descricao.toLatin1();
    t.abre(qPrintable(item), [&](QDialog* j) {
        const auto naTela = [&] { return textos(j, {c.constData(), d.constData()}); };
        informa(j, c.constData(), "13");
        QCOMPARE(naTela(), QStringList({"        13", "Segundo"}));
        QCOMPARE(texto(j, b.constData()), compartilhado);
        // Through the bar code the look-up showed, and out with Tab: the product typed stays.
        campo(j, b.constData())->setFocus();
        tab(j, b.constData());
        QCOMPARE(naTela(), QStringList({"        13", "Segundo"}));
        // A bar code typed is looked up, the shared one too: the first product that has it.
        digita(j, b.constData(), proprio);
        tab(j, b.constData());
        QCOMPARE(naTela(), QStringList({"        14", "Terceiro"}));
        digita(j, b.constData(), compartilhado);
        tab(j, b.constData());
        QCOMPARE(naTela(), QStringList({"        12", "Primeiro"}));
        j->reject();
    });
    QCOMPARE(t.driver.passosPendentes(), 0);
    QCOMPARE(t.msgs.textos(), QStringList());
}

QTEST_MAIN(TstCodigoBarras)
#include "tst_codigobarras.moc"
