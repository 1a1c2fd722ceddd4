#pragma once

#include "data/DataSet.h"
#include "data/firebird/Consulta.h"

// Per-user module permissions.
class TdmPER {
public:
    explicit TdmPER(Conexao& c) : SQLQPer(c), SQLQPer2(c) {}
    Consulta SQLQPer;
    Consulta SQLQPer2;
    DataSet cdsPER;
};
