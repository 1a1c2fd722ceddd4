#include "data/firebird/Consulta.h"

#include "common/Decimal.h"
#include "data/firebird/Conexao.h"
#include "data/firebird/Status.h"
#include "data/firebird/Transacao.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QTime>
#include <cstring>
#include <ibase.h>
#include <stdexcept>
#include <vector>

using namespace Firebird;

namespace {

constexpr unsigned charsetLatin1 = 21;
constexpr unsigned charsetOctets = 1;

bool ehIdentificador(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

// Text for the database, which stores ISO 8859-1. A character outside it would be stored as
// '?' without a word; refuse it instead, so nothing typed is silently changed. The message names
// the character but never the text around it: the text may be a password.
QByteArray latin1(const QString& texto)
{
    for (QChar c : texto) {
        if (c.unicode() > 0xFF)
            throw ErroBanco(QStringLiteral("O texto digitado tem um caractere que o banco de dados "
                                           "não aceita: \"%1\".")
                                .arg(QString(c)));
    }
    return texto.toLatin1();
}

bool ehNumero(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return v.metaType() == QMetaType::fromType<Decimal>();
    }
}

bool ehInteiroExato(unsigned tipo)
{
    return tipo == SQL_SHORT || tipo == SQL_LONG || tipo == SQL_INT64;
}

// A number at `casas` decimals, rounded half away from zero from the value the caller holds.
qint64 unidadesEm(const QVariant& v, int casas)
{
    try {
        if (v.metaType() == QMetaType::fromType<Decimal>())
            return v.value<Decimal>().arredondado(casas).unidades();
        if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float)
            return Decimal::deDouble(v.toDouble(), casas).unidades();
        if (v.typeId() == QMetaType::ULongLong && v.toULongLong() > quint64(LLONG_MAX))
            throw std::overflow_error("");
        return Decimal::deInteiro(v.toLongLong()).arredondado(casas).unidades();
    } catch (const std::exception&) {
        throw ErroBanco(
            QStringLiteral("O número %1 não cabe no banco de dados.").arg(v.toString()));
    }
}

QString textoDeNumero(const QVariant& v)
{
    if (v.metaType() == QMetaType::fromType<Decimal>())
        return v.value<Decimal>().toString();
    return v.toString();
}

struct Entrada {
    IMessageMetadata* meta = nullptr;
    QByteArray buffer;
    ~Entrada()
    {
        if (meta)
            meta->release();
    }
};

// Builds the input message: each parameter typed by the value sent, so the server converts
// and checks it against its column.
void montaEntrada(IStatement* comando, const QStringList& nomes,
                  const QHash<QString, QVariant>& valores, Entrada& entrada)
{
    StatusFb st;
    IMessageMetadata* original = comando->getInputMetadata(&st);
    const unsigned n = original->getCount(&st);
    if (n == 0) {
        original->release();
        return;
    }
    if (int(n) != nomes.size()) {
        original->release();
        throw ErroBanco(QStringLiteral("O comando tem %1 parâmetros, mas %2 nomes foram achados.")
                            .arg(n)
                            .arg(nomes.size()));
    }

    QVector<QVariant> vals(n);
    QVector<QByteArray> textos(n);
    IMetadataBuilder* b = original->getBuilder(&st);
    try {
        for (unsigned i = 0; i < n; ++i) {
            const QString nome = nomes[int(i)].toUpper();
            if (!valores.contains(nome))
                throw ErroBanco(
                    QStringLiteral("O parâmetro %1 não recebeu valor.").arg(nomes[int(i)]));
            const QVariant v = valores.value(nome);
            vals[i] = v;
            const unsigned tipoCol = original->getType(&st, i) & ~1u;
            const int escalaCol = original->getScale(&st, i);

            auto comoTexto = [&](const QString& texto) {
                textos[i] = latin1(texto);
                b->setType(&st, i, SQL_VARYING + 1);
                b->setLength(&st, i, unsigned(qMax<qsizetype>(1, textos[i].size())));
                b->setCharSet(&st, i, charsetLatin1);
            };

            if (v.isNull()) {
                b->setType(&st, i, tipoCol + 1);
            } else if (ehNumero(v)) {
                if (ehInteiroExato(tipoCol)) {
                    b->setType(&st, i, SQL_INT64 + 1);
                    b->setScale(&st, i, escalaCol);
                } else if (tipoCol == SQL_FLOAT || tipoCol == SQL_DOUBLE ||
                           tipoCol == SQL_D_FLOAT) {
                    b->setType(&st, i, SQL_DOUBLE + 1);
                } else {
                    comoTexto(textoDeNumero(v));
                }
            } else if (v.typeId() == QMetaType::QDate) {
                b->setType(&st, i, SQL_TYPE_DATE + 1);
            } else if (v.typeId() == QMetaType::QTime) {
                b->setType(&st, i, SQL_TYPE_TIME + 1);
            } else if (v.typeId() == QMetaType::QDateTime) {
                b->setType(&st, i, SQL_TIMESTAMP + 1);
            } else if (v.typeId() == QMetaType::Bool) {
                b->setType(&st, i, SQL_BOOLEAN + 1);
            } else {
                comoTexto(v.toString());
            }
        }
        entrada.meta = b->getMetadata(&st);
        b->release();
        original->release();
    } catch (...) {
        b->release();
        original->release();
        throw;
    }

    IMessageMetadata* m = entrada.meta;
    entrada.buffer = QByteArray(int(m->getMessageLength(&st)), '\0');
    unsigned char* buf = reinterpret_cast<unsigned char*>(entrada.buffer.data());
    IUtil* util = Conexao::util();
    for (unsigned i = 0; i < n; ++i) {
        const QVariant& v = vals[i];
        unsigned char* dado = buf + m->getOffset(&st, i);
        auto* nulo = reinterpret_cast<short*>(buf + m->getNullOffset(&st, i));
        if (v.isNull()) {
            *nulo = -1;
            continue;
        }
        *nulo = 0;
        switch (m->getType(&st, i) & ~1u) {
        case SQL_VARYING: {
            const QByteArray& t = textos[i];
            const auto len = static_cast<unsigned short>(t.size());
            std::memcpy(dado, &len, sizeof len);
            std::memcpy(dado + sizeof len, t.constData(), size_t(t.size()));
            break;
        }
        case SQL_INT64: {
            const qint64 u = unidadesEm(v, -m->getScale(&st, i));
            std::memcpy(dado, &u, sizeof u);
            break;
        }
        case SQL_DOUBLE: {
            const double d = v.metaType() == QMetaType::fromType<Decimal>()
                                 ? v.value<Decimal>().toDouble()
                                 : v.toDouble();
            std::memcpy(dado, &d, sizeof d);
            break;
        }
        case SQL_TYPE_DATE: {
            const QDate d = v.toDate();
            const ISC_DATE x =
                util->encodeDate(unsigned(d.year()), unsigned(d.month()), unsigned(d.day()));
            std::memcpy(dado, &x, sizeof x);
            break;
        }
        case SQL_TYPE_TIME: {
            const QTime t = v.toTime();
            const ISC_TIME x = util->encodeTime(unsigned(t.hour()), unsigned(t.minute()),
                                                unsigned(t.second()), unsigned(t.msec()) * 10);
            std::memcpy(dado, &x, sizeof x);
            break;
        }
        case SQL_TIMESTAMP: {
            const QDateTime dt = v.toDateTime();
            ISC_TIMESTAMP x;
            x.timestamp_date = util->encodeDate(
                unsigned(dt.date().year()), unsigned(dt.date().month()), unsigned(dt.date().day()));
            x.timestamp_time =
                util->encodeTime(unsigned(dt.time().hour()), unsigned(dt.time().minute()),
                                 unsigned(dt.time().second()), unsigned(dt.time().msec()) * 10);
            std::memcpy(dado, &x, sizeof x);
            break;
        }
        case SQL_BOOLEAN:
            *dado = v.toBool() ? 1 : 0;
            break;
        default:
            throw ErroBanco(
                QStringLiteral("Tipo de parâmetro não suportado: %1").arg(nomes[int(i)]));
        }
    }
}

struct Coluna {
    unsigned tipo;
    int escala;
    unsigned tamanho;
    unsigned charset;
    unsigned deslocamento;
    unsigned deslocamentoNulo;
};

// A value of the engine's row buffer, which keeps no alignment for it.
template <typename T> T le(const unsigned char* dado)
{
    T v;
    std::memcpy(&v, dado, sizeof v);
    return v;
}

QVariant leValor(const Coluna& c, const unsigned char* buf)
{
    if (*reinterpret_cast<const short*>(buf + c.deslocamentoNulo) == -1)
        return QVariant();
    const unsigned char* dado = buf + c.deslocamento;
    auto inteiro = [&](qint64 v) -> QVariant {
        if (c.escala < 0)
            return QVariant::fromValue(Decimal(v, -c.escala));
        return QVariant(v);
    };
    IUtil* util = Conexao::util();
    switch (c.tipo) {
    case SQL_TEXT:
        if (c.charset == charsetOctets)
            return QByteArray(reinterpret_cast<const char*>(dado), int(c.tamanho));
        return QString::fromLatin1(reinterpret_cast<const char*>(dado), int(c.tamanho));
    case SQL_VARYING: {
        const auto len = le<unsigned short>(dado);
        const char* p = reinterpret_cast<const char*>(dado + sizeof len);
        if (c.charset == charsetOctets)
            return QByteArray(p, len);
        return QString::fromLatin1(p, len);
    }
    case SQL_SHORT:
        return inteiro(le<qint16>(dado));
    case SQL_LONG:
        return inteiro(le<qint32>(dado));
    case SQL_INT64:
        return inteiro(le<qint64>(dado));
    case SQL_FLOAT:
        return double(le<float>(dado));
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return le<double>(dado);
    case SQL_TYPE_DATE: {
        const auto x = le<ISC_DATE>(dado);
        unsigned a, m, d;
        util->decodeDate(x, &a, &m, &d);
        return QDate(int(a), int(m), int(d));
    }
    case SQL_TYPE_TIME: {
        const auto x = le<ISC_TIME>(dado);
        unsigned h, mi, s, f;
        util->decodeTime(x, &h, &mi, &s, &f);
        return QTime(int(h), int(mi), int(s), int(f / 10));
    }
    case SQL_TIMESTAMP: {
        const auto x = le<ISC_TIMESTAMP>(dado);
        unsigned a, m, d, h, mi, s, f;
        util->decodeDate(x.timestamp_date, &a, &m, &d);
        util->decodeTime(x.timestamp_time, &h, &mi, &s, &f);
        return QDateTime(QDate(int(a), int(m), int(d)),
                         QTime(int(h), int(mi), int(s), int(f / 10)));
    }
    case SQL_BOOLEAN:
        return bool(*dado);
    default:
        throw ErroBanco(QStringLiteral("Tipo de coluna não suportado: %1").arg(c.tipo));
    }
}

bool ehSelect(IStatement* comando)
{
    StatusFb st;
    const unsigned tipo = comando->getType(&st);
    return tipo == isc_info_sql_stmt_select || tipo == isc_info_sql_stmt_select_for_upd;
}

// The rows of an open cursor, decoded one at a time.
//
// Long lists repeat the same texts row after row (a product's description, an operation's
// name, a requisitioner's): each distinct text is kept once and shared by the rows that carry
// it, which saves most of a large list's memory and decoding. A column whose texts keep
// changing (a document number) stops being pooled.
class Leitor {
public:
    Leitor(IStatement* comando, ITransaction* t, Entrada& entrada)
    {
        StatusFb st;
        m_saida = comando->getOutputMetadata(&st);
        try {
            const unsigned n = m_saida->getCount(&st);
            m_colunas.resize(n);
            m_pools.resize(n);
            m_pooled.resize(n);
            for (unsigned i = 0; i < n; ++i) {
                m_colunas[i] = {m_saida->getType(&st, i) & ~1u, m_saida->getScale(&st, i),
                                m_saida->getLength(&st, i),     m_saida->getCharSet(&st, i),
                                m_saida->getOffset(&st, i),     m_saida->getNullOffset(&st, i)};
                campos << QString::fromUtf8(m_saida->getAlias(&st, i));
                m_pooled[i] = (m_colunas[i].tipo == SQL_TEXT || m_colunas[i].tipo == SQL_VARYING) &&
                              m_colunas[i].charset != charsetOctets;
            }
            m_buffer = QByteArray(int(m_saida->getMessageLength(&st)), '\0');
            m_cursor = comando->openCursor(
                &st, t, entrada.meta, entrada.buffer.isEmpty() ? nullptr : entrada.buffer.data(),
                m_saida, 0);
        } catch (...) {
            m_saida->release();
            throw;
        }
    }
    ~Leitor()
    {
        try {
            fecha();
        } catch (...) {
            // A cursor that cannot be closed (its connection is gone) was released by fecha().
        }
        m_saida->release();
    }
    Leitor(const Leitor&) = delete;
    Leitor& operator=(const Leitor&) = delete;

    QStringList campos;

    // The next row; false after the last one, when the cursor is closed.
    bool proxima(QVector<QVariant>& linha)
    {
        if (!m_cursor)
            return false;
        StatusFb st;
        auto* buf = reinterpret_cast<unsigned char*>(m_buffer.data());
        if (m_cursor->fetchNext(&st, buf) != IStatus::RESULT_OK) {
            fecha();
            return false;
        }
        const int n = int(m_colunas.size());
        linha.resize(n);
        for (int i = 0; i < n; ++i) {
            const Coluna& c = m_colunas[i];
            if (!m_pooled[i] || *reinterpret_cast<const short*>(buf + c.deslocamentoNulo) == -1) {
                linha[i] = leValor(c, buf);
                continue;
            }
            const char* dado = reinterpret_cast<const char*>(buf + c.deslocamento);
            qsizetype tamanho = c.tamanho;
            if (c.tipo == SQL_VARYING) {
                unsigned short len;
                std::memcpy(&len, dado, sizeof len);
                dado += sizeof len;
                tamanho = len;
            }
            const QByteArray chave = QByteArray::fromRawData(dado, tamanho);
            auto& pool = m_pools[i];
            const auto achado = pool.constFind(chave);
            if (achado != pool.constEnd()) {
                linha[i] = achado.value();
                continue;
            }
            linha[i] = leValor(c, buf);
            if (pool.size() < limitePool)
                pool.insert(QByteArray(dado, tamanho), linha[i]);
            else
                m_pooled[i] = false;
        }
        return true;
    }

    void fecha()
    {
        if (!m_cursor)
            return;
        IResultSet* cursor = m_cursor;
        m_cursor = nullptr;
        try {
            StatusFb st;
            cursor->close(&st);
        } catch (...) {
            cursor->release();
            throw;
        }
    }

private:
    static constexpr int limitePool = 4096;

    IMessageMetadata* m_saida = nullptr;
    IResultSet* m_cursor = nullptr;
    QVector<Coluna> m_colunas;
    QByteArray m_buffer;
    std::vector<QHash<QByteArray, QVariant>> m_pools;
    std::vector<bool> m_pooled;
};

// Opens the cursor and reads the rows into memory.
Resultado leLinhas(IStatement* comando, ITransaction* t, Entrada& entrada, int limite)
{
    Leitor leitor(comando, t, entrada);
    Resultado r;
    r.campos = leitor.campos;
    while (limite < 0 || r.linhas.size() < limite) {
        QVector<QVariant> linha;
        if (!leitor.proxima(linha))
            break;
        r.linhas << std::move(linha);
    }
    leitor.fecha();
    return r;
}

} // namespace

int Resultado::coluna(const QString& campo) const
{
    for (int i = 0; i < campos.size(); ++i)
        if (campos[i].compare(campo, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant Resultado::valor(int linha, const QString& campo) const
{
    const int c = coluna(campo);
    if (c < 0)
        throw ErroBanco(QStringLiteral("O campo %1 não está no resultado.").arg(campo));
    return linhas.at(linha).at(c);
}

Consulta::Consulta(Conexao& conexao) : m_conexao(conexao) {}

void Consulta::limpa()
{
    m_linhas.clear();
    m_valores.clear();
}

void Consulta::adiciona(const QString& linha)
{
    m_linhas << linha;
}

void Consulta::setSql(const QString& texto)
{
    limpa();
    m_linhas = texto.split(QLatin1Char('\n'));
}

void Consulta::setParametro(const QString& nome, const QVariant& valor)
{
    m_valores.insert(nome.toUpper(), valor);
}

QStringList Consulta::parametros() const
{
    QStringList nomes;
    traduz(sql(), &nomes);
    return nomes;
}

QByteArray Consulta::traduz(const QString& sql, QStringList* nomes)
{
    QString saida;
    saida.reserve(sql.size());
    const int n = int(sql.size());
    for (int i = 0; i < n; ++i) {
        const QChar c = sql[i];
        const QChar prox = i + 1 < n ? sql[i + 1] : QChar();
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            saida += c;
            for (++i; i < n; ++i) {
                saida += sql[i];
                if (sql[i] == c) {
                    if (i + 1 < n && sql[i + 1] == c)
                        saida += sql[++i];
                    else
                        break;
                }
            }
        } else if (c == QLatin1Char('-') && prox == QLatin1Char('-')) {
            while (i < n && sql[i] != QLatin1Char('\n'))
                saida += sql[i++];
            if (i < n)
                saida += sql[i];
        } else if (c == QLatin1Char('/') && prox == QLatin1Char('*')) {
            const int fim = int(sql.indexOf(QLatin1String("*/"), i + 2));
            const int ate = fim < 0 ? n : fim + 2;
            saida += QStringView(sql).mid(i, ate - i);
            i = ate - 1;
        } else if (c == QLatin1Char(':') && i + 1 < n && ehIdentificador(prox) && !prox.isDigit()) {
            int j = i + 1;
            while (j < n && ehIdentificador(sql[j]))
                ++j;
            if (nomes)
                *nomes << sql.mid(i + 1, j - i - 1);
            saida += QLatin1Char('?');
            i = j - 1;
        } else {
            saida += c;
        }
    }
    return latin1(saida);
}

template <typename F> auto Consulta::comTransacao(Transacao* transacao, F&& corpo)
{
    if (transacao)
        return corpo(*transacao);
    Transacao leitura(m_conexao, Transacao::Tipo::Leitura);
    auto r = corpo(leitura);
    leitura.commit();
    return r;
}

Resultado Consulta::abre(Transacao* transacao, int limite)
{
    QStringList nomes;
    const QByteArray texto = traduz(sql(), &nomes);
    return comTransacao(transacao, [&](Transacao& t) {
        return chamaFb([&] {
            IStatement* comando = m_conexao.prepara(t.handle(), texto);
            Entrada entrada;
            montaEntrada(comando, nomes, m_valores, entrada);
            if (!ehSelect(comando)) {
                StatusFb st;
                comando->execute(&st, t.handle(), entrada.meta,
                                 entrada.buffer.isEmpty() ? nullptr : entrada.buffer.data(),
                                 nullptr, nullptr);
                return Resultado();
            }
            return leLinhas(comando, t.handle(), entrada, limite);
        });
    });
}

QVariant Consulta::primeiroValor(Transacao* transacao)
{
    const Resultado r = abre(transacao, 1);
    if (r.vazio() || r.campos.isEmpty())
        return QVariant();
    return r.valor(0, 0);
}

qint64 Consulta::executa(Transacao& transacao)
{
    QStringList nomes;
    const QByteArray texto = traduz(sql(), &nomes);
    return chamaFb([&]() -> qint64 {
        IStatement* comando = m_conexao.prepara(transacao.handle(), texto);
        Entrada entrada;
        montaEntrada(comando, nomes, m_valores, entrada);
        if (ehSelect(comando))
            return leLinhas(comando, transacao.handle(), entrada, -1).tamanho();
        StatusFb st;
        IMessageMetadata* saida = comando->getOutputMetadata(&st);
        QByteArray bufSaida(int(saida->getMessageLength(&st)), '\0');
        try {
            comando->execute(&st, transacao.handle(), entrada.meta,
                             entrada.buffer.isEmpty() ? nullptr : entrada.buffer.data(),
                             saida->getCount(&st) ? saida : nullptr,
                             saida->getCount(&st) ? bufSaida.data() : nullptr);
        } catch (...) {
            saida->release();
            throw;
        }
        saida->release();
        return qint64(comando->getAffectedRecords(&st));
    });
}

QString Consulta::plano(Transacao* transacao)
{
    const QByteArray texto = traduz(sql(), nullptr);
    return comTransacao(transacao, [&](Transacao& t) {
        return chamaFb([&] {
            IStatement* comando = m_conexao.prepara(t.handle(), texto);
            StatusFb st;
            return QString::fromUtf8(comando->getPlan(&st, false)).trimmed();
        });
    });
}

struct Cursor::Estado {
    std::unique_ptr<Transacao> transacao;
    IStatement* comando = nullptr;
    Entrada entrada;
    std::unique_ptr<Leitor> leitor;

    ~Estado()
    {
        // The rows first, then the statement; the transaction that read them ends last, with
        // the members, rolled back by its own destructor, which is all a read-only one needs.
        leitor.reset();
        if (comando) {
            try {
                StatusFb st;
                comando->free(&st);
            } catch (const FbException&) {
                comando->release();
            }
        }
    }
};

std::unique_ptr<Cursor> Consulta::abreCursor()
{
    QStringList nomes;
    const QByteArray texto = traduz(sql(), &nomes);
    std::unique_ptr<Cursor> cursor(new Cursor(m_conexao));
    auto estado = std::make_unique<Cursor::Estado>();
    estado->transacao = std::make_unique<Transacao>(m_conexao, Transacao::Tipo::Instantaneo);
    chamaFb([&] {
        // A statement of its own: the connection's shared ones may be run again while this
        // cursor is still open.
        StatusFb st;
        estado->comando =
            m_conexao.anexo()->prepare(&st, estado->transacao->handle(), 0, texto.constData(), 3,
                                       IStatement::PREPARE_PREFETCH_METADATA);
        montaEntrada(estado->comando, nomes, m_valores, estado->entrada);
        if (!ehSelect(estado->comando))
            throw ErroBanco(QStringLiteral("O comando não é uma consulta."));
        estado->leitor =
            std::make_unique<Leitor>(estado->comando, estado->transacao->handle(), estado->entrada);
    });
    cursor->m_campos = estado->leitor->campos;
    cursor->m_estado = std::move(estado);
    m_conexao.registraCursor(cursor.get());
    return cursor;
}

Cursor::Cursor(Conexao& conexao) : m_conexao(conexao) {}

Cursor::~Cursor()
{
    fecha();
}

void Cursor::fecha()
{
    if (!m_estado)
        return;
    m_conexao.esqueceCursor(this);
    m_estado.reset();
}

int Cursor::le(QList<QVector<QVariant>>& linhas, int maximo)
{
    if (!m_estado)
        return 0;
    int lidas = 0;
    try {
        chamaFb([&] {
            while (lidas < maximo) {
                QVector<QVariant> linha;
                if (!m_estado->leitor->proxima(linha)) {
                    fecha();
                    break;
                }
                linhas << std::move(linha);
                ++lidas;
            }
        });
    } catch (...) {
        fecha();
        throw;
    }
    return lidas;
}
