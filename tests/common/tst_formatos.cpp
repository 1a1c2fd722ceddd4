#include "common/Decimal.h"
#include "common/Formatos.h"

#include <QRegularExpression>
#include <QTest>
#include <QVariant>

#include <cmath>
#include <limits>
#include <stdexcept>

namespace {

// Table values are written in the C form ("1234.56") and read with Decimal::deTexto, so every row
// shows the exact number and its scale.
Decimal lido(const QString& texto)
{
    const auto d = Decimal::deTexto(texto);
    if (!d)
        qFatal("not a number in the test table: %s", qPrintable(texto));
    return *d;
}

// Marks the deDouble rows that use the form without a scale.
constexpr int todasAsCasas = -1;

} // namespace

class TstFormatos : public QObject {
    Q_OBJECT

private slots:
    void deDouble_data();
    void deDouble();
    void deTexto_data();
    void deTexto();
    void arredondado_data();
    void arredondado();
    void aritmetica_data();
    void aritmetica();
    void comparacao_data();
    void comparacao();
    void erros();
    void conversoes();
    void decimalNoQVariant();

    void numero_data();
    void numero();
    void numeroNosLimites();
    void numeroDeDouble_data();
    void numeroDeDouble();
    void moeda_data();
    void moeda();
    void porcentagem_data();
    void porcentagem();
    void sobrecargasDouble();
    void inteiroEDatas();
    void converte_data();
    void converte();
};

void TstFormatos::deDouble_data()
{
    QTest::addColumn<double>("valor");
    QTest::addColumn<int>("escala");
    QTest::addColumn<QString>("esperado");

    // The binary doubles of these halves lie just below them; the typed value must win.
    QTest::newRow("2.135") << 2.135 << 2 << "2.14";
    QTest::newRow("1234.565") << 1234.565 << 2 << "1234.57";
    QTest::newRow("-0.125") << -0.125 << 2 << "-0.13";
    QTest::newRow("4.015") << 4.015 << 2 << "4.02";
    QTest::newRow("1.0005 to grams") << 1.0005 << 3 << "1.001";
    QTest::newRow("-0.5 to units") << -0.5 << 0 << "-1";
    QTest::newRow("2.134 stays down") << 2.134 << 2 << "2.13";
    QTest::newRow("sum noise") << 0.1 + 0.2 << 2 << "0.30";
    QTest::newRow("extends with zeros") << 2.5 << 3 << "2.500";
    QTest::newRow("too small for the scale") << 1e-20 << 2 << "0.00";
    QTest::newRow("negative zero") << -0.0 << 2 << "0.00";
    QTest::newRow("large with cents") << 123456789012.25 << 2 << "123456789012.25";
    QTest::newRow("all digits of 1234.565") << 1234.565 << todasAsCasas << "1234.565";
    QTest::newRow("all digits of 0.1") << 0.1 << todasAsCasas << "0.1";
    QTest::newRow("all digits of a large whole")
        << -2.5e17 << todasAsCasas << "-250000000000000000";
    QTest::newRow("all digits, cut at 18 decimals")
        << 1.5e-18 << todasAsCasas << "0.000000000000000002";
}

void TstFormatos::deDouble()
{
    QFETCH(double, valor);
    QFETCH(int, escala);
    QFETCH(QString, esperado);
    const Decimal d =
        escala == todasAsCasas ? Decimal::deDouble(valor) : Decimal::deDouble(valor, escala);
    QCOMPARE(d.toString(), esperado);
}

void TstFormatos::deTexto_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<bool>("aceito");
    QTest::addColumn<QString>("esperado");

    QTest::newRow("comma") << "1234,56" << true << "1234.56";
    QTest::newRow("negative") << "-0,5" << true << "-0.5";
    QTest::newRow("no integer part") << ",5" << true << "0.5";
    QTest::newRow("trailing comma") << "7," << true << "7";
    QTest::newRow("whole") << "12" << true << "12";
    QTest::newRow("dot without comma") << "1.5" << true << "1.5";
    QTest::newRow("typed decimals kept") << "1,50" << true << "1.50";
    QTest::newRow("leading zeros") << "007,250" << true << "7.250";
    QTest::newRow("negative zero") << "-0" << true << "0";
    QTest::newRow("18 significant digits") << "123456789012345678" << true << "123456789012345678";
    QTest::newRow("18 decimals") << "-0,000000000000000001" << true << "-0.000000000000000001";
    QTest::newRow("zeros beyond 18 digits")
        << "1,5000000000000000000000" << true << "1.50000000000000000";

    QTest::newRow("empty") << "" << false << "";
    QTest::newRow("lone sign") << "-" << false << "";
    QTest::newRow("lone comma") << "," << false << "";
    QTest::newRow("sign and comma") << "-," << false << "";
    QTest::newRow("two commas") << "1,2,3" << false << "";
    QTest::newRow("dot and comma") << "1.2,3" << false << "";
    QTest::newRow("two dots") << "1.2.3" << false << "";
    QTest::newRow("plus sign") << "+1" << false << "";
    QTest::newRow("double sign") << "--1" << false << "";
    QTest::newRow("letter") << "1a" << false << "";
    QTest::newRow("exponent") << "1e5" << false << "";
    QTest::newRow("blank") << " 1" << false << "";
    QTest::newRow("19 significant digits") << "1234567890123456789" << false << "";
    QTest::newRow("needs 19 decimals") << "0,0000000000000000001" << false << "";
}

void TstFormatos::deTexto()
{
    QFETCH(QString, texto);
    QFETCH(bool, aceito);
    QFETCH(QString, esperado);
    const auto d = Decimal::deTexto(texto);
    QCOMPARE(d.has_value(), aceito);
    if (aceito)
        QCOMPARE(d->toString(), esperado);
}

void TstFormatos::arredondado_data()
{
    QTest::addColumn<QString>("valor");
    QTest::addColumn<int>("escala");
    QTest::addColumn<QString>("esperado");

    QTest::newRow("half up") << "2.135" << 2 << "2.14";
    QTest::newRow("half away from zero") << "-2.135" << 2 << "-2.14";
    QTest::newRow("below half") << "2.1349" << 2 << "2.13";
    QTest::newRow("to units") << "0.5" << 0 << "1";
    QTest::newRow("carries") << "9.9995" << 3 << "10.000";
    QTest::newRow("more decimals") << "1.5" << 3 << "1.500";
}

void TstFormatos::arredondado()
{
    QFETCH(QString, valor);
    QFETCH(int, escala);
    QFETCH(QString, esperado);
    QCOMPARE(lido(valor).arredondado(escala).toString(), esperado);
}

void TstFormatos::aritmetica_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("operacao");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("escala"); // decimals of a quotient
    QTest::addColumn<QString>("esperado");

    QTest::newRow("0.1 + 0.2") << "0.1"
                               << "+"
                               << "0.2" << 0 << "0.3";
    QTest::newRow("sum keeps the larger scale") << "1.5"
                                                << "+"
                                                << "0.005" << 0 << "1.505";
    QTest::newRow("difference below zero") << "1.00"
                                           << "-"
                                           << "1.005" << 0 << "-0.005";
    QTest::newRow("quantity x price") << "2.500"
                                      << "*"
                                      << "3.99" << 0 << "9.97500";
    QTest::newRow("negative product") << "-9.99999"
                                      << "*"
                                      << "0.5" << 0 << "-4.999995";
    QTest::newRow("product past 18 decimals rounds") << "0.000000000000000001"
                                                     << "*"
                                                     << "0.5" << 0 << "0.000000000000000001";
    QTest::newRow("product too wide drops decimals")
        << "123456.789012"
        << "*"
        << "987654.321098" << 0 << "121932631136.5858862";
    QTest::newRow("10 / 3") << "10"
                            << "/"
                            << "3" << 2 << "3.33";
    QTest::newRow("2 / 3") << "2"
                           << "/"
                           << "3" << 2 << "0.67";
    QTest::newRow("-1 / 8 half away") << "-1"
                                      << "/"
                                      << "8" << 2 << "-0.13";
    QTest::newRow("unit price from total") << "9.98"
                                           << "/"
                                           << "2.500" << 4 << "3.9920";
    QTest::newRow("negative divisor") << "1"
                                      << "/"
                                      << "-0.003" << 3 << "-333.333";
    QTest::newRow("quotient with fewer decimals") << "1.23456"
                                                  << "/"
                                                  << "1" << 0 << "1";
}

void TstFormatos::aritmetica()
{
    QFETCH(QString, a);
    QFETCH(QString, operacao);
    QFETCH(QString, b);
    QFETCH(int, escala);
    QFETCH(QString, esperado);
    const Decimal x = lido(a);
    const Decimal y = lido(b);
    Decimal r;
    if (operacao == u"+")
        r = x + y;
    else if (operacao == u"-")
        r = x - y;
    else if (operacao == u"*")
        r = x * y;
    else
        r = x.dividido(y, escala);
    QCOMPARE(r.toString(), esperado);
}

void TstFormatos::comparacao_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("ordem");

    QTest::newRow("same value, other scale") << "1.50"
                                             << "1.5" << 0;
    QTest::newRow("zero and negative zero") << "0"
                                            << "-0.000" << 0;
    QTest::newRow("negative below positive") << "-0.5"
                                             << "0.1" << -1;
    QTest::newRow("one gram more") << "1.001"
                                   << "1" << 1;
    QTest::newRow("negatives") << "-2"
                               << "-1.999" << -1;
    QTest::newRow("18 digits at both ends of the scales") << "999999999999999999"
                                                          << "0.999999999999999999" << 1;
}

void TstFormatos::comparacao()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, ordem);
    const Decimal x = lido(a);
    const Decimal y = lido(b);
    const auto esperada = ordem <=> 0;
    QVERIFY((x <=> y) == esperada);
    QVERIFY((y <=> x) == (0 <=> ordem));
    QCOMPARE(x == y, ordem == 0);
    QCOMPARE(x != y, ordem != 0);
}

void TstFormatos::erros()
{
    constexpr qint64 maximo = std::numeric_limits<qint64>::max();
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, Decimal(1, 19));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, Decimal(1, 2).arredondado(-1));
    QVERIFY_THROWS_EXCEPTION(std::domain_error, Decimal::deDouble(std::nan(""), 2));
    QVERIFY_THROWS_EXCEPTION(std::domain_error, Decimal::deDouble(HUGE_VAL));
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, Decimal::deDouble(1e19, 0));
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, Decimal::deDouble(1e17, 2));
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, Decimal(maximo, 0) + Decimal(1, 0));
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, Decimal(-maximo, 0) - Decimal(1, 0));
    QVERIFY_THROWS_EXCEPTION(std::overflow_error,
                             Decimal::deInteiro(5000000000) * Decimal::deInteiro(5000000000));
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, Decimal(maximo, 0).arredondado(1));
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, -Decimal(std::numeric_limits<qint64>::min(), 0));
    QVERIFY_THROWS_EXCEPTION(std::domain_error, Decimal(5, 0).dividido(Decimal(0, 3), 2));
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, Decimal(1, 0).dividido(Decimal(1, 18), 18));
}

void TstFormatos::conversoes()
{
    QCOMPARE(lido("-1.99").toInteiro(), -1);
    QCOMPARE(lido("1.99").toInteiro(), 1);
    QCOMPARE(lido("1234.56").toDouble(), 1234.56);
    QCOMPARE(lido("-0.001").toDouble(), -0.001);
    QCOMPARE(Decimal(123456789012345678, 2).toDouble(), 1234567890123456.78);
    const qint64 minimo = std::numeric_limits<qint64>::min();
    QCOMPARE(Decimal(minimo, 2).toString(), "-92233720368547758.08");
    QCOMPARE(Decimal(-5, 3).toString(), "-0.005");
}

void TstFormatos::decimalNoQVariant()
{
    // Registering twice must stay silent: Qt warns about a converter registered again.
    QTest::failOnWarning(QRegularExpression(".*"));
    registraDecimalNoQVariant();
    registraDecimalNoQVariant();
    const QVariant v = QVariant::fromValue(Decimal(-123456, 2));
    QCOMPARE(v.toDouble(), -1234.56);
    QCOMPARE(v.toString(), "-1234.56");
    QCOMPARE(v.toLongLong(), -1234);
    QCOMPARE(v.value<Decimal>(), Decimal(-1234560, 3));
}

void TstFormatos::numero_data()
{
    QTest::addColumn<QString>("valor");
    QTest::addColumn<int>("casas");
    QTest::addColumn<bool>("milhar");
    QTest::addColumn<QString>("esperado");

    QTest::newRow("thousands") << "1234.5" << 3 << true << "1.234,500";
    QTest::newRow("no thousands") << "1234.5" << 3 << false << "1234,500";
    QTest::newRow("negative") << "-1234.5" << 3 << true << "-1.234,500";
    QTest::newRow("negative, no thousands") << "-1234567.891" << 2 << false << "-1234567,89";
    QTest::newRow("millions, no decimals") << "1234567" << 0 << true << "1.234.567";
    QTest::newRow("rounding reaches a thousand") << "999.5" << 0 << true << "1.000";
    QTest::newRow("below one") << "0.05" << 1 << true << "0,1";
    QTest::newRow("zero") << "0" << 2 << true << "0,00";
    QTest::newRow("rounds to zero, no minus") << "-0.004" << 2 << true << "0,00";
    QTest::newRow("half away from zero") << "2.135" << 2 << true << "2,14";
    QTest::newRow("negative half") << "-0.125" << 2 << true << "-0,13";
    QTest::newRow("14 digits, decimals filled")
        << "1234567890123.456" << 3 << true << "1.234.567.890.123,500";
    QTest::newRow("14 digits of a whole")
        << "123456789012345678" << 0 << true << "123.456.789.012.350.000";
    QTest::newRow("14 digits of decimals")
        << "0.123456789012345678" << 18 << true << "0,123456789012350000";
}

void TstFormatos::numero()
{
    QFETCH(QString, valor);
    QFETCH(int, casas);
    QFETCH(bool, milhar);
    QFETCH(QString, esperado);
    QCOMPARE(Formatos::numero(lido(valor), casas, milhar), esperado);
}

void TstFormatos::numeroNosLimites()
{
    // Cutting to 14 digits carries past the qint64 range.
    QCOMPARE(Formatos::numero(Decimal(std::numeric_limits<qint64>::max(), 0), 0),
             "9.223.372.036.854.800.000");
    QCOMPARE(Formatos::numero(Decimal(std::numeric_limits<qint64>::min(), 2), 2),
             "-92.233.720.368.548.000,00");
}

void TstFormatos::numeroDeDouble_data()
{
    QTest::addColumn<double>("valor");
    QTest::addColumn<int>("casas");
    QTest::addColumn<QString>("esperado");

    QTest::newRow("1234.565") << 1234.565 << 2 << "1.234,57";
    QTest::newRow("-4.015") << -4.015 << 2 << "-4,02";
    QTest::newRow("sum noise") << 0.1 + 0.2 << 2 << "0,30";
    QTest::newRow("sum noise beyond 14 digits") << 0.1 + 0.2 << 17 << "0,30000000000000000";
    QTest::newRow("tiny") << 1e-7 << 2 << "0,00";
    QTest::newRow("negative zero") << -0.0 << 2 << "0,00";
    QTest::newRow("grams") << 12345678.9 << 3 << "12.345.678,900";
}

void TstFormatos::numeroDeDouble()
{
    QFETCH(double, valor);
    QFETCH(int, casas);
    QFETCH(QString, esperado);
    QCOMPARE(Formatos::numero(valor, casas), esperado);
}

void TstFormatos::moeda_data()
{
    QTest::addColumn<QString>("valor");
    QTest::addColumn<int>("casas");
    QTest::addColumn<QString>("esperado");

    QTest::newRow("thousands") << "1234.56" << 2 << "R$ 1.234,56";
    QTest::newRow("negative") << "-1234.56" << 2 << "-R$ 1.234,56";
    QTest::newRow("zero") << "0" << 2 << "R$ 0,00";
    QTest::newRow("rounds to zero") << "-0.004" << 2 << "R$ 0,00";
    QTest::newRow("half cent") << "1234.565" << 2 << "R$ 1.234,57";
    QTest::newRow("three decimals") << "2.5" << 3 << "R$ 2,500";
    QTest::newRow("14 digits") << "1234567890123.456" << 2 << "R$ 1.234.567.890.123,50";
}

void TstFormatos::moeda()
{
    QFETCH(QString, valor);
    QFETCH(int, casas);
    QFETCH(QString, esperado);
    QCOMPARE(Formatos::moeda(lido(valor), casas), esperado);
}

void TstFormatos::porcentagem_data()
{
    QTest::addColumn<QString>("valor");
    QTest::addColumn<int>("casas");
    QTest::addColumn<QString>("esperado");

    QTest::newRow("two decimals") << "12.5" << 2 << "12,50%";
    QTest::newRow("negative") << "-3.35" << 1 << "-3,4%";
    QTest::newRow("thousands") << "12345.678" << 2 << "12.345,68%";
    QTest::newRow("10 digits") << "1234567.8915" << 4 << "1.234.567,8920%";
    QTest::newRow("zero") << "0" << 0 << "0%";
}

void TstFormatos::porcentagem()
{
    QFETCH(QString, valor);
    QFETCH(int, casas);
    QFETCH(QString, esperado);
    QCOMPARE(Formatos::porcentagem(lido(valor), casas), esperado);
}

void TstFormatos::sobrecargasDouble()
{
    QCOMPARE(Formatos::moeda(1234.565), "R$ 1.234,57");
    QCOMPARE(Formatos::moeda(-0.125), "-R$ 0,13");
    QCOMPARE(Formatos::porcentagem(2.135, 2), "2,14%");
}

void TstFormatos::inteiroEDatas()
{
    QCOMPARE(Formatos::inteiro(1234), "1234");
    QCOMPARE(Formatos::inteiro(-12), "-12");
    QCOMPARE(Formatos::data(QDate(2004, 1, 5)), "05/01/2004");
    QCOMPARE(Formatos::data(QDate()), "");
    QCOMPARE(Formatos::hora(QTime(14, 5, 9)), "14:05:09");
    QCOMPARE(Formatos::hora(QTime()), "");
    QCOMPARE(Formatos::dataHora(QDateTime(QDate(2004, 10, 10), QTime(9, 5, 0))),
             "10/10/2004 09:05:00");
    QCOMPARE(Formatos::dataHora(QDateTime()), "");
}

void TstFormatos::converte_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<bool>("aceito");
    QTest::addColumn<QString>("esperado");

    QTest::newRow("thousands and comma") << "1.234,56" << true << "1234.56";
    QTest::newRow("millions") << "1.234.567,89" << true << "1234567.89";
    QTest::newRow("negative") << "-1.234,5" << true << "-1234.5";
    QTest::newRow("dot without comma is decimal") << "1.234" << true << "1.234";
    QTest::newRow("blanks around") << "  12,5 \t" << true << "12.5";
    QTest::newRow("no integer part") << ",5" << true << "0.5";

    QTest::newRow("empty") << "" << false << "";
    QTest::newRow("only blanks") << "   " << false << "";
    QTest::newRow("letters") << "abc" << false << "";
    QTest::newRow("two commas") << "1,2,3" << false << "";
    QTest::newRow("two dots, no comma") << "1.2.3" << false << "";
    QTest::newRow("inner blank") << "1 234,5" << false << "";
    QTest::newRow("currency symbol") << "R$ 10,00" << false << "";
}

void TstFormatos::converte()
{
    QFETCH(QString, texto);
    QFETCH(bool, aceito);
    QFETCH(QString, esperado);
    const auto d = Formatos::converte(texto);
    QCOMPARE(d.has_value(), aceito);
    if (aceito)
        QCOMPARE(d->toString(), esperado);
}

QTEST_APPLESS_MAIN(TstFormatos)

#include "tst_formatos.moc"
