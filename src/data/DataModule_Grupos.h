#pragma once

#include "data/DataSet.h"
#include "data/firebird/Consulta.h"

#include <optional>

// Product groups: the work query and the list shared by the list and search windows.
class TdmGrupos {
public:
    explicit TdmGrupos(Conexao& c);

    // The description of a group code (padded to 6 with zeros); none when there is no such
    // group.
    std::optional<QString> descricaoGrupo(const QString& codigo);

    Consulta SQLQ_Grupos;
    Consulta SQLQ_Grupos2;
    DataSet cds_Grupos;

private:
    Consulta m_descricao;
};
