#pragma once

#include "data/firebird/Consulta.h"

#include <optional>

class Transacao;

// The access settings, each "S" or "N" as stored.
struct Configuracoes {
    QString login;     // users must log in
    QString permissao; // menu items are gated by the user's permissions
    QString log;       // operations are written to the audit log
};

// The single row of access settings.
class TdmConfiguracoes {
public:
    explicit TdmConfiguracoes(Conexao& c);

    // The row as it is now; none when the database has lost it. Database errors reach the
    // caller.
    std::optional<Configuracoes> configuracoes();
    // The login setting alone, as its window reads it; empty when the row is missing.
    QString login();

    // The saves of the settings windows, inside the caller's transaction. The table holds one
    // row, and each statement rewrites it: a database that has lost the row throws ErroBanco
    // instead of reporting a change nobody made.
    void gravaLogin(Transacao& t, const Configuracoes& c);
    void gravaPermissao(Transacao& t, const QString& permissao);
    void gravaLog(Transacao& t, const QString& log);

    Consulta SQLQ_Configuracoes;
};
