#pragma once

#include "common/Decimal.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <optional>

// The texts the program shows for numbers, money, dates and times, written in the Brazilian form
// ("1.234,56", "R$ 1.234,56", "10/10/2004") whatever the machine's locale is.
//
// Numbers show at most 14 significant digits (percentages 10): a value with more digits is first
// rounded to that many significant digits and then written with the requested decimals. All
// rounding is half away from zero. A value that rounds to zero is written without a minus sign.
// The double overloads read the double as Decimal::deDouble(v) does and so throw its exceptions
// (NaN, infinity, or beyond the qint64 range).
namespace Formatos {

// "1.234,500" with casas = 3; "1234,500" when milhar is false; "-1.234,500" when negative.
QString numero(const Decimal& v, int casas, bool milhar = true);
QString numero(double v, int casas, bool milhar = true);

// "R$ 1.234,56", with a plain space after the symbol. Negative amounts are written
// "-R$ 1.234,56", the form Brazilian desktop settings use for negative currency.
QString moeda(const Decimal& v, int casas = 2);
QString moeda(double v, int casas = 2);

// "12,50%", "1.234,50%".
QString porcentagem(const Decimal& v, int casas);
QString porcentagem(double v, int casas);

// Whole numbers such as minimum and maximum stock: plain digits, no thousands separator ("1234").
QString inteiro(qint64 v);

// "10/10/2004", "14:05:09" and "10/10/2004 14:05:09"; an invalid value gives an empty text.
QString data(const QDate& d);
QString hora(const QTime& t);
QString dataHora(const QDateTime& dt);

// Reads what a user typed in a number field: blanks around it are ignored, and the dots are taken
// as thousands separators when the text also has a comma ("1.234,56"); otherwise a dot is the
// decimal separator ("1.5"). Returns nullopt for anything Decimal::deTexto rejects.
std::optional<Decimal> converte(const QString& texto);

} // namespace Formatos
