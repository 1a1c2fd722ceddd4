#include "data/Colunas.h"

#include "common/Decimal.h"

#include <QDate>
#include <QHashFunctions>
#include <QTime>
#include <QtMath>
#include <algorithm>
#include <cstring>

namespace {

enum class Tipo { Vazia, Texto, Inteiro, Decimal, Data, Hora, Variante };

constexpr quint32 nulo = 0xFFFFFFFFu;
// While a text column has fewer distinct values than this, or fewer than half its rows, each
// distinct text is kept once; past that (descriptions, document numbers) sharing saves nothing
// and the look-up table is let go.
constexpr size_t limiteRepetidos = 4096;

// The text as Latin-1 bytes in `saida`; false when a character lies outside Latin-1.
bool paraLatin1(QStringView texto, QByteArray& saida)
{
    saida.resize(texto.size());
    char* p = saida.data();
    for (QChar c : texto) {
        if (c.unicode() > 0xFF)
            return false;
        *p++ = char(c.unicode());
    }
    return true;
}

qsizetype semBrancosAoFim(const char* p, qsizetype n)
{
    while (n > 0 && p[n - 1] == ' ')
        --n;
    return n;
}

} // namespace

struct Colunas::Coluna {
    Tipo tipo = Tipo::Vazia;
    int linhas = 0;
    std::vector<bool> nulos; // for the typed columns, made at the first null
    std::vector<qint64> inteiros;
    int escala = 0;
    std::vector<qint32> dias; // day numbers of dates, milliseconds of times
    std::vector<QVariant> variantes;

    // Texts: each entry's bytes one after the other; entry i spans inicios[i] to inicios[i + 1].
    QByteArray bytes;
    std::vector<quint32> inicios{0};
    std::vector<quint32> refs; // each row's entry, or nulo
    // -1 before the first text; from then on the length every text has had, the entries kept
    // without their trailing blanks; -2 once lengths differ, the entries kept whole.
    int largura = -1;
    bool repete = true;
    std::vector<quint32> tabela; // entries by their bytes' hash while repete
    size_t entradasRepetidas = 0;
    mutable std::vector<QString> prontos; // the QString of a shared entry, once asked for
    bool ordenada = true;                 // every text so far at or after the one before
    quint32 ultimaRef = nulo;
    mutable std::vector<quint32> indice; // rows with text, by text then row; made on demand

    int entradas() const { return int(inicios.size()) - 1; }
    const char* dados(quint32 e) const { return bytes.constData() + inicios[e]; }
    qsizetype tamanho(quint32 e) const { return qsizetype(inicios[e + 1] - inicios[e]); }
    qsizetype comprimento(quint32 e) const { return largura >= 0 ? largura : tamanho(e); }
    // The character at position i of the entry's whole text (blanks put back).
    char em(quint32 e, qsizetype i) const { return i < tamanho(e) ? dados(e)[i] : ' '; }

    bool nula(int linha) const
    {
        if (tipo == Tipo::Vazia)
            return true;
        if (tipo == Tipo::Texto)
            return refs[size_t(linha)] == nulo;
        if (tipo == Tipo::Variante)
            return false;
        return !nulos.empty() && nulos[size_t(linha)];
    }

    QString texto(quint32 e) const
    {
        const bool compartilhada = e < entradasRepetidas;
        if (compartilhada && e < prontos.size() && !prontos[e].isNull())
            return prontos[e];
        QString t;
        if (largura >= 0 && tamanho(e) < largura) {
            t = QString(largura, QLatin1Char(' '));
            QChar* p = t.data();
            const char* d = dados(e);
            for (qsizetype i = 0; i < tamanho(e); ++i)
                p[i] = QLatin1Char(d[i]);
        } else {
            // Never a null text: an empty one read from the database is empty, not null.
            t = QString::fromLatin1(dados(e), tamanho(e));
        }
        if (compartilhada) {
            if (prontos.size() <= e)
                prontos.resize(entradasRepetidas);
            prontos[e] = t;
        }
        return t;
    }

    QVariant valor(int linha) const
    {
        if (nula(linha))
            return tipo == Tipo::Variante ? variantes[size_t(linha)] : QVariant();
        const size_t i = size_t(linha);
        switch (tipo) {
        case Tipo::Texto:
            return texto(refs[i]);
        case Tipo::Inteiro:
            return QVariant(inteiros[i]);
        case Tipo::Decimal:
            return QVariant::fromValue(Decimal(inteiros[i], escala));
        case Tipo::Data:
            return QDate::fromJulianDay(dias[i]);
        case Tipo::Hora:
            return QTime::fromMSecsSinceStartOfDay(dias[i]);
        case Tipo::Variante:
            return variantes[i];
        case Tipo::Vazia:
            break;
        }
        return QVariant();
    }

    // Entries' whole texts compared byte by byte, blanks put back.
    int compara(quint32 a, quint32 b) const
    {
        const qsizetype na = comprimento(a), nb = comprimento(b);
        const qsizetype n = std::min(na, nb);
        for (qsizetype i = 0; i < n; ++i) {
            const auto ca = uchar(em(a, i)), cb = uchar(em(b, i));
            if (ca != cb)
                return ca < cb ? -1 : 1;
        }
        return na == nb ? 0 : (na < nb ? -1 : 1);
    }
    // The entry's whole text against a prefix: <0 before it, 0 when it begins with it, >0 after.
    int comparaPrefixo(quint32 e, const QByteArray& p) const
    {
        const qsizetype n = comprimento(e);
        for (qsizetype i = 0; i < p.size(); ++i) {
            if (i >= n)
                return -1;
            const auto c = uchar(em(e, i)), cp = uchar(p[i]);
            if (c != cp)
                return c < cp ? -1 : 1;
        }
        return 0;
    }

    size_t hash(const char* p, qsizetype n) const { return qHash(QByteArrayView(p, n)); }

    void refazTabela()
    {
        // A power of two, so that a hash is masked into it.
        tabela.assign(size_t(qNextPowerOfTwo(quint64(std::max(64, entradas() * 4)))), nulo);
        for (quint32 e = 0; e < quint32(entradas()); ++e)
            poeNaTabela(e);
    }
    void poeNaTabela(quint32 e)
    {
        const size_t mascara = tabela.size() - 1;
        for (size_t h = hash(dados(e), tamanho(e)) & mascara;; h = (h + 1) & mascara)
            if (tabela[h] == nulo) {
                tabela[h] = e;
                return;
            }
    }

    // The lengths stopped being all the same: every entry takes its blanks back.
    void desfazLargura()
    {
        if (largura >= 0) {
            QByteArray novos;
            std::vector<quint32> novosInicios{0};
            novosInicios.reserve(inicios.size());
            for (quint32 e = 0; e < quint32(entradas()); ++e) {
                novos.append(dados(e), tamanho(e));
                novos.append(QByteArray(largura - tamanho(e), ' '));
                novosInicios.push_back(quint32(novos.size()));
            }
            bytes = std::move(novos);
            inicios = std::move(novosInicios);
            if (repete)
                refazTabela();
        }
        largura = -2;
    }

    void acrescentaTexto(const QByteArray& latin1)
    {
        if (largura == -1)
            largura = int(latin1.size());
        else if (largura >= 0 && latin1.size() != largura)
            desfazLargura();
        const qsizetype n =
            largura >= 0 ? semBrancosAoFim(latin1.constData(), latin1.size()) : latin1.size();
        quint32 e = nulo;
        if (repete) {
            if (tabela.empty())
                refazTabela();
            const size_t mascara = tabela.size() - 1;
            size_t h = hash(latin1.constData(), n) & mascara;
            for (; tabela[h] != nulo; h = (h + 1) & mascara) {
                const quint32 x = tabela[h];
                if (tamanho(x) == n && std::memcmp(dados(x), latin1.constData(), size_t(n)) == 0) {
                    e = x;
                    break;
                }
            }
        }
        if (e == nulo) {
            bytes.append(latin1.constData(), n);
            inicios.push_back(quint32(bytes.size()));
            e = quint32(entradas() - 1);
            if (repete) {
                entradasRepetidas = size_t(entradas());
                if (size_t(entradas()) > limiteRepetidos && size_t(entradas()) * 2 > refs.size()) {
                    repete = false;
                    std::vector<quint32>().swap(tabela);
                } else {
                    if (size_t(entradas()) * 2 > tabela.size())
                        refazTabela();
                    else
                        poeNaTabela(e);
                }
            }
        }
        if (ordenada && ultimaRef != nulo && compara(ultimaRef, e) > 0)
            ordenada = false;
        ultimaRef = e;
        refs.push_back(e);
    }

    // A value that fits none of the column's forms: the column keeps its values as they came.
    void viraVariante()
    {
        std::vector<QVariant> todos;
        todos.reserve(size_t(linhas) + 1);
        for (int i = 0; i < linhas; ++i)
            todos.push_back(valor(i));
        const int n = linhas;
        *this = Coluna();
        tipo = Tipo::Variante;
        linhas = n;
        variantes = std::move(todos);
    }

    // After the row is counted and its value pushed: whether it is null.
    void marcaNulo(bool n)
    {
        if (n && nulos.empty()) {
            nulos.assign(size_t(linhas - 1), false);
            nulos.push_back(true);
        } else if (!nulos.empty()) {
            nulos.push_back(n);
        }
    }

    static Tipo tipoDe(const QVariant& v)
    {
        switch (v.typeId()) {
        case QMetaType::QString:
            return Tipo::Texto;
        case QMetaType::LongLong:
            return Tipo::Inteiro;
        case QMetaType::QDate:
            return v.toDate().isValid() ? Tipo::Data : Tipo::Variante;
        case QMetaType::QTime:
            return v.toTime().isValid() ? Tipo::Hora : Tipo::Variante;
        default:
            return v.metaType() == QMetaType::fromType<Decimal>() ? Tipo::Decimal : Tipo::Variante;
        }
    }

    void acrescenta(const QVariant& v, QByteArray& auxiliar)
    {
        if (!v.isValid()) {
            acrescentaNulo();
            return;
        }
        Tipo t = tipoDe(v);
        if (t == Tipo::Texto) {
            const QString& s = *static_cast<const QString*>(v.constData());
            if (s.isNull() || !paraLatin1(s, auxiliar))
                t = Tipo::Variante;
        }
        if (t == Tipo::Decimal && tipo == Tipo::Decimal && v.value<Decimal>().escala() != escala)
            t = Tipo::Variante;
        if (tipo == Tipo::Vazia && t != Tipo::Variante)
            comeca(t, v);
        if (t != tipo && tipo != Tipo::Variante)
            viraVariante();
        ++linhas;
        switch (tipo) {
        case Tipo::Texto:
            acrescentaTexto(auxiliar);
            return;
        case Tipo::Inteiro:
            inteiros.push_back(v.toLongLong());
            break;
        case Tipo::Decimal:
            inteiros.push_back(v.value<Decimal>().unidades());
            break;
        case Tipo::Data:
            dias.push_back(qint32(v.toDate().toJulianDay()));
            break;
        case Tipo::Hora:
            dias.push_back(v.toTime().msecsSinceStartOfDay());
            break;
        case Tipo::Variante:
            variantes.push_back(v);
            return;
        case Tipo::Vazia:
            break;
        }
        marcaNulo(false);
    }

    // A column that was all nulls takes the kind of its first value.
    void comeca(Tipo t, const QVariant& v)
    {
        const int nulas = linhas;
        *this = Coluna();
        tipo = t;
        if (t == Tipo::Decimal)
            escala = v.value<Decimal>().escala();
        for (int i = 0; i < nulas; ++i)
            acrescentaNulo();
    }

    void acrescentaNulo()
    {
        ++linhas;
        switch (tipo) {
        case Tipo::Vazia:
            return;
        case Tipo::Texto:
            if (ultimaRef != nulo)
                ordenada = false; // nulls come first in the column's order
            refs.push_back(nulo);
            return;
        case Tipo::Inteiro:
        case Tipo::Decimal:
            inteiros.push_back(0);
            break;
        case Tipo::Data:
        case Tipo::Hora:
            dias.push_back(0);
            break;
        case Tipo::Variante:
            variantes.emplace_back();
            return;
        }
        marcaNulo(true);
    }

    void fazIndice() const
    {
        if (!indice.empty())
            return;
        indice.reserve(refs.size());
        for (size_t i = 0; i < refs.size(); ++i)
            if (refs[i] != nulo)
                indice.push_back(quint32(i));
        std::stable_sort(indice.begin(), indice.end(),
                         [this](quint32 a, quint32 b) { return compara(refs[a], refs[b]) < 0; });
    }
};

Colunas::Colunas() = default;
Colunas::~Colunas() = default;
Colunas::Colunas(Colunas&&) noexcept = default;
Colunas& Colunas::operator=(Colunas&&) noexcept = default;

void Colunas::limpa(int colunas)
{
    m_colunas.clear();
    for (int i = 0; i < colunas; ++i)
        m_colunas.push_back(std::make_unique<Coluna>());
    m_tamanho = 0;
}

void Colunas::acrescenta(const QVector<QVariant>& linha)
{
    QByteArray auxiliar;
    for (int c = 0; c < colunas(); ++c) {
        Coluna& coluna = *m_colunas[size_t(c)];
        if (!coluna.indice.empty())
            std::vector<quint32>().swap(coluna.indice);
        if (c < linha.size())
            coluna.acrescenta(linha[c], auxiliar);
        else
            coluna.acrescentaNulo();
    }
    ++m_tamanho;
}

void Colunas::compacta()
{
    for (const auto& c : m_colunas) {
        c->nulos.shrink_to_fit();
        c->inteiros.shrink_to_fit();
        c->dias.shrink_to_fit();
        c->variantes.shrink_to_fit();
        c->bytes.squeeze();
        c->inicios.shrink_to_fit();
        c->refs.shrink_to_fit();
    }
}

QVariant Colunas::valor(int linha, int coluna) const
{
    if (linha < 0 || linha >= m_tamanho || coluna < 0 || coluna >= colunas())
        return QVariant();
    return m_colunas[size_t(coluna)]->valor(linha);
}

bool Colunas::comecaCom(int linha, int coluna, const QString& prefixo) const
{
    if (linha < 0 || linha >= m_tamanho || coluna < 0 || coluna >= colunas())
        return false;
    const Coluna& c = *m_colunas[size_t(coluna)];
    if (c.tipo != Tipo::Texto) {
        const QVariant v = c.valor(linha);
        const QString t = v.metaType() == QMetaType::fromType<Decimal>()
                              ? v.value<Decimal>().toString()
                              : v.toString();
        return t.startsWith(prefixo, Qt::CaseSensitive);
    }
    const quint32 e = c.refs[size_t(linha)];
    // A null text begins only with a null prefix, as QString::startsWith has it.
    if (e == nulo)
        return prefixo.isNull();
    if (prefixo.size() > c.comprimento(e))
        return false;
    for (qsizetype i = 0; i < prefixo.size(); ++i)
        if (prefixo[i].unicode() != uchar(c.em(e, i)))
            return false;
    return true;
}

int Colunas::primeiroComPrefixo(int coluna, const QString& prefixo, int de,
                                const std::function<bool(int)>& aceita) const
{
    de = std::max(de, 0);
    const Coluna* c = coluna >= 0 && coluna < colunas() ? m_colunas[size_t(coluna)].get() : nullptr;
    QByteArray p;
    // An empty prefix is met by the first row with a text; other kinds of value are searched
    // in short lists only; and rows just read (from `de` on) are each looked at once anyway, so
    // an index made for them would cost more than it saves, unless the rows are in order.
    const bool indexada =
        c && c->tipo == Tipo::Texto && !prefixo.isEmpty() && (de == 0 || c->ordenada);
    if (!indexada) {
        for (int i = de; i < m_tamanho; ++i)
            if (comecaCom(i, coluna, prefixo) && aceita(i))
                return i;
        return -1;
    }
    if (!paraLatin1(prefixo, p))
        return -1; // no stored text holds such a character
    const auto antes = [c, &p](quint32 linha) { return c->comparaPrefixo(c->refs[linha], p) < 0; };
    if (c->ordenada) {
        // The rows stand in the column's order (nulls first): the matches are one run of rows.
        int primeira = 0, fim = m_tamanho;
        while (primeira < fim) {
            const int meio = primeira + (fim - primeira) / 2;
            if (c->refs[size_t(meio)] == nulo || antes(quint32(meio)))
                primeira = meio + 1;
            else
                fim = meio;
        }
        for (int i = std::max(primeira, de);
             i < m_tamanho && c->comparaPrefixo(c->refs[size_t(i)], p) == 0; ++i)
            if (aceita(i))
                return i;
        return -1;
    }
    c->fazIndice();
    auto i = std::partition_point(c->indice.begin(), c->indice.end(), antes);
    int melhor = -1;
    for (; i != c->indice.end() && c->comparaPrefixo(c->refs[*i], p) == 0; ++i) {
        const int linha = int(*i);
        if (linha >= de && (melhor < 0 || linha < melhor) && aceita(linha))
            melhor = linha;
    }
    return melhor;
}
