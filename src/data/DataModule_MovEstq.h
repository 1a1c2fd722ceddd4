#pragma once

#include "data/DataSet.h"
#include "data/firebird/Consulta.h"

// The stock ledger: the work query, the movement list shared by the maintenance and query
// windows and the movement reports, and the operation codes.
class TdmMovEstq {
public:
    explicit TdmMovEstq(Conexao& c);

    // Whether the ledger names this product (padded code) in any movement.
    bool produtoTemMovimento(const QString& codigo);

    Consulta SQLQ_MovEstq;
    Consulta SQLQ_MovEstq2;
    DataSet cds_MovEstq;
    Consulta SqlQ_CodMOV;

private:
    Consulta m_movimentoDoProduto;
};
