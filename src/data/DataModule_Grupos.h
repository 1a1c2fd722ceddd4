#pragma once

#include "data/CadastroSimples.h"
#include "data/DataSet.h"
#include "data/firebird/Consulta.h"

#include <optional>

// Product groups: the record, code and description reads and writes of the register, its list's
// orders, and the list shared by the list and search windows.
class TdmGrupos : public CadastroSimples {
public:
    explicit TdmGrupos(Conexao& c);

    // The description of a group code (padded to 6 with zeros); none when there is no
    // such group.
    std::optional<QString> descricaoGrupo(const QString& codigo) { return descricao(codigo); }

    // The shared list, in the orders of the list window and of the search window.
    ListaDoModulo listaDaManutencao()
    {
        return CadastroSimples::listaDaManutencao(SQLQ_Grupos2, cds_Grupos);
    }
    ListaDoModulo listaDaBusca() { return CadastroSimples::listaDaBusca(SQLQ_Grupos2, cds_Grupos); }

    Consulta SQLQ_Grupos2;
    DataSet cds_Grupos;
};
