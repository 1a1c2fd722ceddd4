#pragma once

#include "data/DataSet.h"
#include "data/firebird/Consulta.h"

// The stock ledger: the work query, the movement list shared by the maintenance and query
// windows and the movement reports, and the operation codes.
class TdmMovEstq {
public:
    explicit TdmMovEstq(Conexao& c) : SQLQ_MovEstq(c), SQLQ_MovEstq2(c), SqlQ_CodMOV(c)
    {
        cds_MovEstq.setFormato(QStringLiteral("MOV_QUANT"), DataSet::Formato::Quantidade);
        cds_MovEstq.setFormato(QStringLiteral("MOV_VALOR"), DataSet::Formato::Moeda);
        cds_MovEstq.setFormato(QStringLiteral("MOV_DATA"), DataSet::Formato::Data);
    }
    Consulta SQLQ_MovEstq;
    Consulta SQLQ_MovEstq2;
    DataSet cds_MovEstq;
    Consulta SqlQ_CodMOV;
};
