#pragma once

#include "data/firebird/Consulta.h"

#include <optional>

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

    Consulta SQLQ_Configuracoes;
};
