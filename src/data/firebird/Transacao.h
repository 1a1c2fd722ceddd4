#pragma once

namespace Firebird {
class ITransaction;
}
class Conexao;

// One database transaction, rolled back when it goes out of scope without commit(): a save
// that fails anywhere leaves nothing behind, its audit line included.
//
// Writes run read-committed (they see what other workstations committed), record-version, and
// wait on a row another workstation holds instead of failing at once. Reads outside a save run
// in a short read-only transaction of their own. A long list read a batch at a time reads in a
// read-only snapshot: every batch sees the database as it stood when the list was opened, so a
// row another workstation moves meanwhile is neither missed nor read twice.
class Transacao {
public:
    enum class Tipo { Escrita, Leitura, Instantaneo };

    explicit Transacao(Conexao& conexao, Tipo tipo = Tipo::Escrita);
    ~Transacao();
    Transacao(const Transacao&) = delete;
    Transacao& operator=(const Transacao&) = delete;

    void commit();
    void rollback();
    bool ativa() const { return m_handle != nullptr; }

    Conexao& conexao() const { return m_conexao; }
    Firebird::ITransaction* handle() const;

private:
    Conexao& m_conexao;
    Firebird::ITransaction* m_handle = nullptr;
};
