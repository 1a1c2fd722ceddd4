#pragma once

#include "data/DataSet.h"
#include "data/firebird/Consulta.h"

// The audit log.
class TdmLog {
public:
    explicit TdmLog(Conexao& c) : SQLQLog(c), SQLQLog2(c) {}
    Consulta SQLQLog;
    Consulta SQLQLog2;
    DataSet cdsLOG;
};
