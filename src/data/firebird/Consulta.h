#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <memory>

class Conexao;
class Cursor;
class Transacao;

// The rows a query returned, kept in memory in the statement's order.
//
// Values come back exactly: text decoded from Latin-1 (fixed-width text with its trailing
// blanks), NUMERIC with decimals as Decimal, whole numbers as qint64, DATE as QDate, TIME as
// QTime, NULL as a null QVariant.
class Resultado {
public:
    QStringList campos; // as the server names them: upper case unless quoted
    QList<QVector<QVariant>> linhas;

    int tamanho() const { return int(linhas.size()); }
    bool vazio() const { return linhas.isEmpty(); }
    // The column of a field, found without regard to case; -1 when there is none.
    int coluna(const QString& campo) const;
    QVariant valor(int linha, int coluna) const { return linhas.at(linha).at(coluna); }
    // Throws ErroBanco when the field is not in the result.
    QVariant valor(int linha, const QString& campo) const;
};

// A statement with named parameters (":CodigoC"), sent as written. Names are matched without
// regard to case; quoted text and comments are left alone when the names are looked for.
//
// Parameters are bound by what the value is and what the column expects: text as text of its
// own length (a text too long for its column is refused by the server, never cut); numbers
// into a NUMERIC column as a scaled whole number at the column's decimals, rounded half away
// from zero from the value given (a double is first read as the decimal a person would write,
// so 2.135 stores 2.14); QDate, QTime and QDateTime as such; a null QVariant as NULL.
class Consulta {
public:
    explicit Consulta(Conexao& conexao);

    // The text, kept as lines like the program builds it; lines are joined by line breaks.
    void limpa();
    void adiciona(const QString& linha);
    void setSql(const QString& texto);
    QString sql() const { return m_linhas.join(QLatin1Char('\n')); }

    void setParametro(const QString& nome, const QVariant& valor);
    void limpaParametros() { m_valores.clear(); }
    // The parameter names of the current text, in order of appearance, as written.
    QStringList parametros() const;

    // Runs a SELECT and returns its rows, at most `limite` when it is not negative. Without a
    // transaction it reads in a short read-only transaction of its own.
    Resultado abre(Transacao* transacao = nullptr, int limite = -1);
    Resultado abre(Transacao& transacao, int limite = -1) { return abre(&transacao, limite); }
    // Opens the SELECT and leaves its rows to be read as they are wanted (Cursor), in a
    // read-only snapshot transaction of its own that lasts as long as the cursor. Throws ErroBanco
    // when the statement cannot be run; no row is read yet.
    std::unique_ptr<Cursor> abreCursor();
    // The first column of the first row, or a null QVariant when there is no row.
    QVariant primeiroValor(Transacao* transacao = nullptr);
    // Runs an INSERT, UPDATE, DELETE or other statement inside the caller's transaction and
    // returns the number of rows it touched.
    qint64 executa(Transacao& transacao);
    // The engine's access plan for the current text, to check that an index is used.
    QString plano(Transacao* transacao = nullptr);

    // Replaces the ":Name" parameters by '?' and returns the statement as Latin-1 bytes, with
    // the names found in order. Throws ErroBanco for text that Latin-1 cannot hold.
    static QByteArray traduz(const QString& sql, QStringList* nomes);

    Conexao& conexao() const { return m_conexao; }

private:
    template <typename F> auto comTransacao(Transacao* transacao, F&& corpo);

    Conexao& m_conexao;
    QStringList m_linhas;
    QHash<QString, QVariant> m_valores; // by upper-case name
};

// An open SELECT whose rows are read a batch at a time, so a long list can be shown while the
// server is still producing the rest of it. It reads in a read-only snapshot transaction of its
// own: every batch sees the database as it stood when the cursor opened, as one read of the
// whole list would have, and no other workstation waits for it. It closes itself after the last
// row, and when its connection is closed.
class Cursor {
public:
    ~Cursor();
    Cursor(const Cursor&) = delete;
    Cursor& operator=(const Cursor&) = delete;

    const QStringList& campos() const { return m_campos; }
    // Appends up to `maximo` rows to `linhas` and returns how many came. A failure closes the
    // cursor and reaches the caller as ErroBanco; the rows read before it stay.
    int le(QList<QVector<QVariant>>& linhas, int maximo);
    bool aberto() const { return m_estado != nullptr; }
    void fecha();

private:
    friend class Consulta;
    struct Estado;
    explicit Cursor(Conexao& conexao);

    Conexao& m_conexao;
    QStringList m_campos;
    std::unique_ptr<Estado> m_estado;
};
