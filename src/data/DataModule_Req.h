#pragma once

#include "data/DataSet.h"
#include "data/firebird/Consulta.h"

#include <optional>

struct Requisitante {
    QString codigo; // padded to 6 with zeros
    QString descricao;
};

// Requisitioners: the work query and the list shared by the list and search windows.
class TdmReq {
public:
    explicit TdmReq(Conexao& c);

    // The requisitioner of a code (padded to 6 with zeros); none when there is no such one.
    std::optional<Requisitante> requisitante(const QString& codigo);

    Consulta SQLQ_Req;
    Consulta SQLQ_Req2;
    DataSet cds_Req;

private:
    Consulta m_porCodigo;
};
