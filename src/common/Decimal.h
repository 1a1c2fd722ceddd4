#pragma once

#include <QMetaType>
#include <QString>
#include <QStringView>
#include <QVariant>

#include <compare>
#include <optional>

// An exact fixed-point number: money is kept to the cent (2 decimals) and quantities to the gram
// (3 decimals), so sums and balances in the stock ledger never pick up binary rounding noise.
// The value is unidades / 10^escala, with escala in 0..18.
//
// Every rounding here is half away from zero (2,135 -> 2,14 and -2,135 -> -2,14), the way a
// cashier rounds. Operations whose result cannot be held throw std::overflow_error; the range is
// symmetric, so a result never lands on the lowest qint64.
class Decimal {
public:
    Decimal() = default;
    // Throws std::invalid_argument when escala is outside 0..18.
    Decimal(qint64 unidades, int escala);
    static Decimal deInteiro(qint64 v);

    // Reads the double as its shortest decimal text that converts back to the same double (what
    // the user typed, for every value typed with up to 15 significant digits), then rounds that
    // text to `escala` decimals. So deDouble(2.135, 2) == 2,14 although the binary double is
    // slightly below 2,135. Throws std::domain_error for NaN or infinity and
    // std::overflow_error when the value does not fit.
    static Decimal deDouble(double v, int escala);
    // Same, keeping every digit of that shortest text (up to 18 decimals): deDouble(2.5) == 2,5.
    static Decimal deDouble(double v);

    // Parses what a user typed, after the thousands dots were removed: an optional leading '-',
    // digits, and an optional ',' followed by digits ("1234,56", "-0,5", ",5", "7,", "12").
    // Without a ',' the '.' is taken as the decimal separator ("1.5"). The number keeps the
    // decimals that were typed ("1,50" has escala 2), except trailing zeros that would not fit.
    // Returns nullopt for an empty text, a lone sign or separator, two separators, any other
    // character, more than 18 significant digits, or a value that needs more than 18 decimals.
    static std::optional<Decimal> deTexto(QStringView texto);

    // A value as the database layer hands it over: a Decimal for NUMERIC with decimals, a whole
    // number for NUMERIC(15,0), zero for NULL.
    static Decimal deVariant(const QVariant& v);

    qint64 unidades() const { return m_unidades; }
    int escala() const { return m_escala; }

    // Rounds half away from zero to fewer decimals, or appends zeros for more. Throws
    // std::overflow_error when more decimals do not fit.
    Decimal arredondado(int escala) const;

    double toDouble() const;  // the double nearest to the value
    qint64 toInteiro() const; // truncated toward zero
    QString toString() const; // C form with '.' and all decimals: "-1234.560"

    bool isZero() const { return m_unidades == 0; }
    bool isNegative() const { return m_unidades < 0; }

    Decimal operator-() const;
    // Exact, with the larger of the two scales. Should the exact result not fit in qint64, it is
    // rounded to as many decimals as fit; std::overflow_error when even the integer part does not.
    friend Decimal operator+(const Decimal& a, const Decimal& b);
    friend Decimal operator-(const Decimal& a, const Decimal& b);
    // Exact, with the sum of the two scales (quantity x price = 3 + 2 decimals); rounded to fewer
    // decimals, as for the sum, when that does not fit.
    friend Decimal operator*(const Decimal& a, const Decimal& b);
    // Rounded half away from zero to `escala` decimals. Throws std::domain_error for a zero
    // divisor and std::overflow_error when the quotient does not fit.
    Decimal dividido(const Decimal& divisor, int escala) const;

    // By value across scales: 1,50 == 1,5.
    friend bool operator==(const Decimal& a, const Decimal& b);
    friend std::strong_ordering operator<=>(const Decimal& a, const Decimal& b);

private:
    qint64 m_unidades = 0;
    int m_escala = 0;
};

Q_DECLARE_METATYPE(Decimal)

// Lets a QVariant holding a Decimal answer toDouble(), toString() and toLongLong(). Decimal.cpp
// already runs it at start-up and whenever a Decimal is built from units and a scale, so callers
// need not; calling it again is harmless.
void registraDecimalNoQVariant();
