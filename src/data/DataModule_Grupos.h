#pragma once

#include "data/DataSet.h"
#include "data/firebird/Consulta.h"

// Product groups: the work query and the list shared by the list and search windows.
class TdmGrupos {
public:
    explicit TdmGrupos(Conexao& c) : SQLQ_Grupos(c), SQLQ_Grupos2(c)
    {
        SQLQ_Grupos2.setSql(QStringLiteral("Select * From Grupos"));
    }
    Consulta SQLQ_Grupos;
    Consulta SQLQ_Grupos2;
    DataSet cds_Grupos;
};
