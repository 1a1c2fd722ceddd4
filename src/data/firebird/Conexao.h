#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

class Cursor;

namespace Firebird {
class IMaster;
class IUtil;
class IProvider;
class IAttachment;
class ITransaction;
class IStatement;
} // namespace Firebird

// The program's one database connection. It is configured with the folder that holds zv.fdb
// (a local folder, opened by the embedded engine, or "host:/folder" on a server) and opened
// with the fixed settings every workstation uses: user SYSDBA, Latin-1 text, dialect 3.
class Conexao {
public:
    static const char* const usuario;
    static const char* const senha;
    static const char* const arquivo; // "zv.fdb"

    Conexao();
    ~Conexao();
    Conexao(const Conexao&) = delete;
    Conexao& operator=(const Conexao&) = delete;

    // The database path for a folder: the folder, a separator and zv.fdb. A folder written
    // with backslashes (a path typed on another system) is joined with a backslash; any other
    // with '/'. The folder text is otherwise used as it stands, so a trailing separator gives
    // two of them, which the engine accepts.
    static QString caminhoBanco(const QString& pasta);
    // Whether a path names a database on a server ("host:/folder/zv.fdb") rather than a file
    // opened by the embedded engine. A drive letter ("C:\\Dados") is not a host.
    static bool ehRemoto(const QString& caminho);

    // Closes the connection and sets it up for `pasta`. `commitRetain` is kept for the record
    // only: every save here runs in a transaction of its own that ends with a full commit.
    void configura(const QString& pasta, bool commitRetain = false);
    // Attaches to the configured database; throws ErroBanco with the server's message.
    void abre();
    void configuraEAbre(const QString& pasta, bool commitRetain = false);
    void fecha();

    bool aberta() const { return m_anexo != nullptr; }
    QString pasta() const { return m_pasta; }
    QString banco() const { return m_banco; }
    bool commitRetain() const { return m_commitRetain; }

    // Creates a new, empty database file (Latin-1, dialect 3, 8 KiB pages) and leaves this
    // connection attached to it. An existing file is never overwritten.
    void criaBanco(const QString& caminho, bool gravacaoForcada = true);
    // Runs a script of statements separated by ';', each in a transaction of its own, so a
    // table created by one statement can be filled by the next.
    void executaScript(const QString& script);
    // Splits a script into its statements, skipping comments and keeping quoted text whole.
    static QStringList divideScript(const QString& script);

    // For the layer's own classes.
    static Firebird::IMaster* master();
    static Firebird::IUtil* util();
    Firebird::IAttachment* anexo() const;
    // Prepares a statement once per connection and keeps it; a prepared statement survives
    // the commit of the transaction it was prepared in.
    Firebird::IStatement* prepara(Firebird::ITransaction* transacao, const QByteArray& sql);

    // The cursors left open on this connection (long lists still being read), closed before
    // the connection itself closes.
    void registraCursor(Cursor* cursor) { m_cursores.insert(cursor); }
    void esqueceCursor(Cursor* cursor) { m_cursores.remove(cursor); }

private:
    void liberaComandos();

    QString m_pasta;
    QString m_banco;
    bool m_commitRetain = false;
    Firebird::IAttachment* m_anexo = nullptr;
    QHash<QByteArray, Firebird::IStatement*> m_comandos;
    QList<QByteArray> m_ordemComandos;
    QSet<Cursor*> m_cursores;
};
