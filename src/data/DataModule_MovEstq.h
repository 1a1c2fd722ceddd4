#pragma once

#include "data/DataSet.h"
#include "data/firebird/Consulta.h"

#include <QDate>

// The stock ledger: the work query, the movement list shared by the maintenance and query
// windows and the movement reports, and the operation codes.
class TdmMovEstq {
public:
    explicit TdmMovEstq(Conexao& c);

    // Whether the ledger names this product (padded code) in any movement.
    bool produtoTemMovimento(const QString& codigo);

    // The ledger list shared by the maintenance and query windows: the movements of one day,
    // or of a date range (both days included), of every product or of one (padded code). No
    // order is imposed. The list's row filter is left as it is.
    void carregaDia(const QDate& dia);
    void carregaPeriodo(const QDate& inicio, const QDate& fim, const QString& produto = {});
    // The list's last statement run again, after a deletion.
    void recarrega();

    Consulta SQLQ_MovEstq;
    Consulta SQLQ_MovEstq2;
    DataSet cds_MovEstq;
    Consulta SqlQ_CodMOV;

private:
    Consulta m_movimentoDoProduto;
};
