#include "common/Decimal.h"

#include "common/Inteiro128.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace {

using Inteiro128::divideArredondando;
using Inteiro128::Int128;
using Inteiro128::potencias;
using Inteiro128::UInt128;

constexpr int escalaMaxima = 18;
constexpr qint64 maximo = std::numeric_limits<qint64>::max();

void validaEscala(int escala)
{
    if (escala < 0 || escala > escalaMaxima)
        throw std::invalid_argument("Decimal: scale must be between 0 and 18");
}

UInt128 magnitude(Int128 v)
{
    return v < 0 ? UInt128(0) - UInt128(v) : UInt128(v);
}

Decimal monta(bool negativo, UInt128 mag, int escala)
{
    if (mag > UInt128(maximo))
        throw std::overflow_error("Decimal: value out of range");
    const auto u = static_cast<qint64>(mag);
    return Decimal(negativo ? -u : u, escala);
}

// The exact value when it fits; otherwise rounded once, straight from the exact value, to the
// most decimals that fit, so no digit is rounded twice.
Decimal ajusta(bool negativo, UInt128 mag, int escala)
{
    for (int k = std::max(0, escala - escalaMaxima); k <= escala; ++k) {
        const UInt128 r = k == 0 ? mag : divideArredondando(mag, potencias[k]);
        if (r <= UInt128(maximo))
            return monta(negativo, r, escala - k);
    }
    throw std::overflow_error("Decimal: value out of range");
}

Int128 naEscala(const Decimal& d, int escala)
{
    return Int128(d.unidades()) * Int128(potencias[escala - d.escala()]);
}

// The shortest decimal text that reads back as v, as digits, a count and a power of ten:
// v = (negativo ? -1 : 1) * digitos * 10^(expoente - (quantidade - 1)).
struct TextoCurto {
    bool negativo = false;
    UInt128 digitos = 0;
    int quantidade = 0;
    int expoente = 0;
};

TextoCurto textoCurto(double v)
{
    char buf[64];
    const auto fim = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific).ptr;
    TextoCurto t;
    const char* p = buf;
    if (*p == '-') {
        t.negativo = true;
        ++p;
    }
    for (; p != fim && *p != 'e'; ++p) {
        if (*p == '.')
            continue;
        t.digitos = t.digitos * 10 + UInt128(*p - '0');
        ++t.quantidade;
    }
    ++p;
    const bool expoenteNegativo = *p == '-';
    ++p;
    std::from_chars(p, fim, t.expoente);
    if (expoenteNegativo)
        t.expoente = -t.expoente;
    return t;
}

void exigeFinito(double v)
{
    if (!std::isfinite(v))
        throw std::domain_error("Decimal: not a finite number");
}

} // namespace

Decimal::Decimal(qint64 unidades, int escala) : m_unidades(unidades), m_escala(escala)
{
    validaEscala(escala);
    registraDecimalNoQVariant();
}

Decimal Decimal::deInteiro(qint64 v)
{
    return Decimal(v, 0);
}

Decimal Decimal::deDouble(double v, int escala)
{
    exigeFinito(v);
    validaEscala(escala);
    if (v == 0)
        return Decimal(0, escala);
    const TextoCurto t = textoCurto(v);
    const int deslocamento = escala + t.expoente - (t.quantidade - 1);
    if (deslocamento >= 0) {
        if (deslocamento > 19)
            throw std::overflow_error("Decimal: value out of range");
        return monta(t.negativo, t.digitos * potencias[deslocamento], escala);
    }
    const int corte = -deslocamento;
    const UInt128 mag =
        corte >= int(potencias.size()) ? 0 : divideArredondando(t.digitos, potencias[corte]);
    return monta(t.negativo, mag, escala);
}

Decimal Decimal::deDouble(double v)
{
    exigeFinito(v);
    if (v == 0)
        return Decimal();
    const TextoCurto t = textoCurto(v);
    return deDouble(v, std::clamp(t.quantidade - 1 - t.expoente, 0, escalaMaxima));
}

std::optional<Decimal> Decimal::deTexto(QStringView texto)
{
    qsizetype i = 0;
    const bool negativo = texto.startsWith(u'-');
    if (negativo)
        ++i;
    const QChar separador = texto.contains(u',') ? u',' : u'.';
    std::string inteira;
    std::string fracao;
    bool viuSeparador = false;
    for (; i < texto.size(); ++i) {
        const QChar c = texto[i];
        if (c >= u'0' && c <= u'9')
            (viuSeparador ? fracao : inteira).push_back(char(c.unicode()));
        else if (c == separador && !viuSeparador)
            viuSeparador = true;
        else
            return std::nullopt;
    }
    if (inteira.empty() && fracao.empty())
        return std::nullopt;
    inteira.erase(0, std::min(inteira.find_first_not_of('0'), inteira.size()));
    auto significativos = [&] {
        if (!inteira.empty())
            return inteira.size() + fracao.size();
        return fracao.size() - std::min(fracao.find_first_not_of('0'), fracao.size());
    };
    // Zeros typed past what fits do not change the value, so they are dropped rather than
    // refusing the number.
    while (!fracao.empty() && fracao.back() == '0' &&
           (fracao.size() > size_t(escalaMaxima) || significativos() > size_t(escalaMaxima)))
        fracao.pop_back();
    if (fracao.size() > size_t(escalaMaxima) || significativos() > size_t(escalaMaxima))
        return std::nullopt;
    const std::string digitos = inteira + fracao;
    qint64 unidades = 0;
    for (char c : digitos)
        unidades = unidades * 10 + (c - '0');
    return Decimal(negativo ? -unidades : unidades, int(fracao.size()));
}

Decimal Decimal::arredondado(int escala) const
{
    validaEscala(escala);
    const UInt128 mag = magnitude(m_unidades);
    if (escala >= m_escala)
        return monta(isNegative(), mag * potencias[escala - m_escala], escala);
    return monta(isNegative(), divideArredondando(mag, potencias[m_escala - escala]), escala);
}

double Decimal::toDouble() const
{
    // Both operands are exact doubles up to 2^53, and IEEE division rounds the quotient once.
    constexpr qint64 exatoEmDouble = qint64(1) << 53;
    if (m_unidades >= -exatoEmDouble && m_unidades <= exatoEmDouble)
        return double(m_unidades) / double(potencias[m_escala]);
    const QByteArray texto = toString().toLatin1();
    double v = 0;
    std::from_chars(texto.constData(), texto.constData() + texto.size(), v);
    return v;
}

qint64 Decimal::toInteiro() const
{
    return m_unidades / qint64(potencias[m_escala]);
}

QString Decimal::toString() const
{
    std::string texto = std::to_string(quint64(magnitude(m_unidades)));
    if (texto.size() <= size_t(m_escala))
        texto.insert(0, size_t(m_escala) + 1 - texto.size(), '0');
    if (m_escala > 0)
        texto.insert(texto.size() - size_t(m_escala), 1, '.');
    if (isNegative())
        texto.insert(0, 1, '-');
    return QString::fromLatin1(texto.data(), qsizetype(texto.size()));
}

Decimal Decimal::operator-() const
{
    return monta(!isNegative(), magnitude(m_unidades), m_escala);
}

Decimal operator+(const Decimal& a, const Decimal& b)
{
    const int escala = std::max(a.escala(), b.escala());
    const Int128 soma = naEscala(a, escala) + naEscala(b, escala);
    return ajusta(soma < 0, magnitude(soma), escala);
}

Decimal operator-(const Decimal& a, const Decimal& b)
{
    const int escala = std::max(a.escala(), b.escala());
    const Int128 diferenca = naEscala(a, escala) - naEscala(b, escala);
    return ajusta(diferenca < 0, magnitude(diferenca), escala);
}

Decimal operator*(const Decimal& a, const Decimal& b)
{
    const UInt128 produto = magnitude(a.unidades()) * magnitude(b.unidades());
    return ajusta(a.isNegative() != b.isNegative(), produto, a.escala() + b.escala());
}

Decimal Decimal::dividido(const Decimal& divisor, int escala) const
{
    validaEscala(escala);
    if (divisor.isZero())
        throw std::domain_error("Decimal: division by zero");
    // quotient units = |this.unidades| * 10^casas / |divisor.unidades|, by long division so that
    // no intermediate value leaves 128 bits.
    const int casas = divisor.m_escala - m_escala + escala;
    UInt128 divisorMag = magnitude(divisor.m_unidades);
    if (casas < 0)
        divisorMag *= potencias[-casas];
    const UInt128 dividendo = magnitude(m_unidades);
    UInt128 quociente = dividendo / divisorMag;
    UInt128 resto = dividendo % divisorMag;
    for (int i = 0; i < casas; ++i) {
        if (quociente > UInt128(maximo))
            throw std::overflow_error("Decimal: value out of range");
        resto *= 10;
        quociente = quociente * 10 + resto / divisorMag;
        resto %= divisorMag;
    }
    if (resto >= divisorMag - resto)
        ++quociente;
    return monta(isNegative() != divisor.isNegative(), quociente, escala);
}

bool operator==(const Decimal& a, const Decimal& b)
{
    const int escala = std::max(a.escala(), b.escala());
    return naEscala(a, escala) == naEscala(b, escala);
}

std::strong_ordering operator<=>(const Decimal& a, const Decimal& b)
{
    const int escala = std::max(a.escala(), b.escala());
    const Int128 x = naEscala(a, escala);
    const Int128 y = naEscala(b, escala);
    return x < y ? std::strong_ordering::less
                 : (x > y ? std::strong_ordering::greater : std::strong_ordering::equal);
}

void registraDecimalNoQVariant()
{
    static const bool registrado = [] {
        QMetaType::registerConverter<Decimal, double>(&Decimal::toDouble);
        QMetaType::registerConverter<Decimal, QString>(&Decimal::toString);
        QMetaType::registerConverter<Decimal, qlonglong>(&Decimal::toInteiro);
        return true;
    }();
    Q_UNUSED(registrado);
}

namespace {
// Registers at start-up as well, for the Decimal() values that never pass the constructor above.
[[maybe_unused]] const bool registradoNoInicio = (registraDecimalNoQVariant(), true);
} // namespace

Decimal Decimal::deVariant(const QVariant& v)
{
    if (v.isNull())
        return Decimal();
    if (v.metaType() == QMetaType::fromType<Decimal>())
        return v.value<Decimal>();
    return Decimal::deInteiro(v.toLongLong());
}
