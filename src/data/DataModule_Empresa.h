#pragma once

#include "data/firebird/Consulta.h"

// The single row with the company's data, printed on every report header.
class TdmEmpresa {
public:
    explicit TdmEmpresa(Conexao& c) : SQLQ_Empresa(c) {}
    Consulta SQLQ_Empresa;
};
