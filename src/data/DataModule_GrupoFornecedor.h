#pragma once

#include "data/DataSet.h"
#include "data/firebird/Consulta.h"

#include <optional>

// Supplier groups: the work query and the list shared by the list and search windows.
class TdmGrupoFornecedor {
public:
    explicit TdmGrupoFornecedor(Conexao& c);

    // The description of a supplier-group code (padded to 6 with zeros); none when there is
    // no such group.
    std::optional<QString> descricaoGrupo(const QString& codigo);

    Consulta SQLQGrupoFornecedor;
    Consulta SQLQGrupoFornecedor2;
    DataSet cdsGrupoFornecedor;

private:
    Consulta m_descricao;
};
