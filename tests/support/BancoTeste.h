#pragma once

#include "data/firebird/Conexao.h"
#include "data/firebird/Consulta.h"

#include <QTemporaryDir>
#include <QVariantMap>
#include <memory>

// A fresh delivered database in a temporary folder, with the connection open on it; the
// folder goes away with the object.
//
// The first database of a test program is built from db/schema.sql; later ones are copies of
// that file, which is what building it again would give, in a fraction of the time. Forced
// writes are off: a test that loses power loses nothing of value.
class BancoTeste {
public:
    BancoTeste();
    ~BancoTeste();

    Conexao& conexao() { return m_conexao; }
    QString pasta() const { return m_pasta.path(); }
    QString arquivo() const;

    // Runs one statement in a transaction of its own and commits; returns rows touched.
    qint64 executa(const QString& sql, const QVariantMap& parametros = {});
    Resultado consulta(const QString& sql, const QVariantMap& parametros = {});
    QVariant valor(const QString& sql, const QVariantMap& parametros = {});
    int conta(const QString& tabela);
    // Makes the database turn down `operacoes` on `tabela` ("UPDATE", "INSERT OR UPDATE OR
    // DELETE") with `motivo` as its reason: a save the engine refuses, to see what is rolled back
    // and what the window says.
    void recusa(const QString& tabela, const QString& operacoes, const QString& motivo);

private:
    QTemporaryDir m_pasta;
    Conexao m_conexao;
};

// A database on the Firebird server at localhost, in a folder the server's own user may write.
// For the tests that play several workstations: an embedded file opens in one process only.
class BancoServidor {
public:
    BancoServidor();
    ~BancoServidor();

    // The folder as a workstation names it: "localhost:/tmp/...".
    QString pastaRemota() const;
    QString pastaLocal() const { return m_pasta.path(); }
    Conexao& conexao() { return m_conexao; }

private:
    QTemporaryDir m_pasta;
    Conexao m_conexao;
};
