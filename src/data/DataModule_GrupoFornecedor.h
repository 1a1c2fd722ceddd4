#pragma once

#include "data/CadastroSimples.h"
#include "data/DataSet.h"
#include "data/firebird/Consulta.h"

#include <optional>

// Supplier groups: the record, code and description reads and writes of the register, its list's
// orders, and the list shared by the list and search windows.
class TdmGrupoFornecedor : public CadastroSimples {
public:
    explicit TdmGrupoFornecedor(Conexao& c);

    // The description of a supplier-group code (padded to 6 with zeros); none when there is no
    // such group.
    std::optional<QString> descricaoGrupo(const QString& codigo) { return descricao(codigo); }

    // The shared list, in the orders of the list window and of the search window.
    ListaDoModulo listaDaManutencao()
    {
        return CadastroSimples::listaDaManutencao(SQLQGrupoFornecedor2, cdsGrupoFornecedor);
    }
    ListaDoModulo listaDaBusca()
    {
        return CadastroSimples::listaDaBusca(SQLQGrupoFornecedor2, cdsGrupoFornecedor);
    }

    Consulta SQLQGrupoFornecedor2;
    DataSet cdsGrupoFornecedor;
};
