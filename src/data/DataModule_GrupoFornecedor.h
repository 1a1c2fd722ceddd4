#pragma once

#include "data/DataSet.h"
#include "data/firebird/Consulta.h"

// Supplier groups: the work query and the list shared by the list and search windows.
class TdmGrupoFornecedor {
public:
    explicit TdmGrupoFornecedor(Conexao& c) : SQLQGrupoFornecedor(c), SQLQGrupoFornecedor2(c)
    {
        SQLQGrupoFornecedor2.setSql(QStringLiteral("Select * From GRU_Fornec"));
    }
    Consulta SQLQGrupoFornecedor;
    Consulta SQLQGrupoFornecedor2;
    DataSet cdsGrupoFornecedor;
};
