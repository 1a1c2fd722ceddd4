#pragma once

#include "data/firebird/Conexao.h"

// Holds the program's one database connection; every data module works on it.
class TdmConexao {
public:
    Conexao SQLC_ZV;
};
