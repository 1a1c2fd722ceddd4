#include "common/Formatos.h"

#include "common/Inteiro128.h"

#include <algorithm>
#include <string>

namespace {

using Inteiro128::divideArredondando;
using Inteiro128::potencias;
using Inteiro128::UInt128;

constexpr int digitosDeNumero = 14;
constexpr int digitosDePorcentagem = 10;

std::string digitosDe(UInt128 v)
{
    std::string s;
    do {
        s.push_back(char('0' + int(v % 10)));
        v /= 10;
    } while (v != 0);
    std::reverse(s.begin(), s.end());
    return s;
}

void agrupaMilhares(std::string& inteira)
{
    for (auto i = qsizetype(inteira.size()) - 3; i > 0; i -= 3)
        inteira.insert(size_t(i), 1, '.');
}

struct Texto {
    bool negativo = false;
    QString absoluto;
};

// The value without its sign, cut to `significativos` significant digits and then rounded or
// filled to `casas` decimals. The work is done in 128 bits: rounding a value close to the qint64
// limit to 14 digits can carry past it.
Texto escreve(const Decimal& v, int casas, int significativos, bool milhar)
{
    casas = std::max(casas, 0);
    const qint64 u = v.unidades();
    UInt128 mag = u < 0 ? UInt128(0) - UInt128(u) : UInt128(u);
    int escala = v.escala();

    const int excesso = int(digitosDe(mag).size()) - significativos;
    if (mag != 0 && excesso > 0) {
        const UInt128 p = potencias[excesso];
        mag = divideArredondando(mag, p) * p;
    }
    if (casas < escala) {
        mag = divideArredondando(mag, potencias[escala - casas]);
        escala = casas;
    }

    std::string digitos = digitosDe(mag);
    if (digitos.size() <= size_t(escala))
        digitos.insert(0, size_t(escala) + 1 - digitos.size(), '0');
    std::string inteira = digitos.substr(0, digitos.size() - size_t(escala));
    if (milhar)
        agrupaMilhares(inteira);
    std::string texto = inteira;
    if (casas > 0) {
        texto += ',';
        texto += digitos.substr(digitos.size() - size_t(escala));
        texto.append(size_t(casas - escala), '0');
    }
    return {u < 0 && mag != 0, QString::fromLatin1(texto.data(), qsizetype(texto.size()))};
}

QString comSinal(const Texto& t)
{
    return t.negativo ? QLatin1Char('-') + t.absoluto : t.absoluto;
}

} // namespace

namespace Formatos {

QString numero(const Decimal& v, int casas, bool milhar)
{
    return comSinal(escreve(v, casas, digitosDeNumero, milhar));
}

QString numero(double v, int casas, bool milhar)
{
    return numero(Decimal::deDouble(v), casas, milhar);
}

QString moeda(const Decimal& v, int casas)
{
    // The minus goes before the symbol ("-R$ 1.234,56"), as in the Brazilian desktop settings for
    // negative currency.
    const Texto t = escreve(v, casas, digitosDeNumero, true);
    return (t.negativo ? QStringLiteral("-R$ ") : QStringLiteral("R$ ")) + t.absoluto;
}

QString moeda(double v, int casas)
{
    return moeda(Decimal::deDouble(v), casas);
}

QString porcentagem(const Decimal& v, int casas)
{
    return comSinal(escreve(v, casas, digitosDePorcentagem, true)) + QLatin1Char('%');
}

QString porcentagem(double v, int casas)
{
    return porcentagem(Decimal::deDouble(v), casas);
}

QString inteiro(qint64 v)
{
    return QString::number(v);
}

QString data(const QDate& d)
{
    return d.isValid() ? d.toString(u"dd/MM/yyyy") : QString();
}

QString hora(const QTime& t)
{
    return t.isValid() ? t.toString(u"HH:mm:ss") : QString();
}

QString dataHora(const QDateTime& dt)
{
    return dt.isValid() ? dt.toString(u"dd/MM/yyyy HH:mm:ss") : QString();
}

std::optional<Decimal> converte(const QString& texto)
{
    QString limpo = texto.trimmed();
    if (limpo.contains(u','))
        limpo.remove(u'.');
    return Decimal::deTexto(limpo);
}

} // namespace Formatos
