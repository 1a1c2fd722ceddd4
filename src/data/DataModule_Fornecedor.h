#pragma once

#include "data/DataSet.h"
#include "data/firebird/Consulta.h"

#include <optional>

// Suppliers: the work query and the list shared by the list and search windows.
class TdmFornecedor {
public:
    explicit TdmFornecedor(Conexao& c);

    // The company name of a supplier code (padded to 10 with zeros); none when there is no
    // such supplier.
    std::optional<QString> razaoFornecedor(const QString& codigo);

    Consulta SQLQFornecedor;
    Consulta SQLQFornecedor2;
    DataSet cdsFornecedor;

private:
    Consulta m_razao;
};
