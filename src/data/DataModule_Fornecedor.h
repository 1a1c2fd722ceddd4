#pragma once

#include "data/DataSet.h"
#include "data/firebird/Consulta.h"

// Suppliers: the work query and the list shared by the list and search windows.
class TdmFornecedor {
public:
    explicit TdmFornecedor(Conexao& c) : SQLQFornecedor(c), SQLQFornecedor2(c)
    {
        SQLQFornecedor2.setSql(QStringLiteral("Select * From Fornecedor"));
    }
    Consulta SQLQFornecedor;
    Consulta SQLQFornecedor2;
    DataSet cdsFornecedor;
};
