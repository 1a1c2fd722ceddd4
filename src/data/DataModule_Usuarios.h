#pragma once

#include "data/DataSet.h"
#include "data/firebird/Consulta.h"

// Users: the work query and the list of the users' windows.
class TdmUsuarios {
public:
    explicit TdmUsuarios(Conexao& c) : SQLQ_Usuarios(c), SQLQ_Usuarios2(c) {}
    Consulta SQLQ_Usuarios;
    Consulta SQLQ_Usuarios2;
    DataSet cds_Usuarios;
};
