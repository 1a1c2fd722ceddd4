#pragma once

#include "data/DataSet.h"
#include "data/firebird/Consulta.h"

// Requisitioners: the work query and the list shared by the list and search windows.
class TdmReq {
public:
    explicit TdmReq(Conexao& c) : SQLQ_Req(c), SQLQ_Req2(c)
    {
        SQLQ_Req2.setSql(QStringLiteral("select * from Requisitante"));
    }
    Consulta SQLQ_Req;
    Consulta SQLQ_Req2;
    DataSet cds_Req;
};
