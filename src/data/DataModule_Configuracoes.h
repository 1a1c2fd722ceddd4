#pragma once

#include "data/firebird/Consulta.h"

// The single row of access settings: login, permissions and audit log, each "S" or "N".
class TdmConfiguracoes {
public:
    explicit TdmConfiguracoes(Conexao& c) : SQLQ_Configuracoes(c) {}
    Consulta SQLQ_Configuracoes;
};
