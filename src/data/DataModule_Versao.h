#pragma once

#include "data/firebird/Consulta.h"

// The single row holding the version of the program that last opened the database.
class TdmVersao {
public:
    explicit TdmVersao(Conexao& c) : SQLQ_Versao(c) {}
    Consulta SQLQ_Versao;
};
