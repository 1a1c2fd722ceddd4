#pragma once

#include "data/CadastroSimples.h"
#include "data/DataSet.h"
#include "data/firebird/Consulta.h"

#include <optional>

struct Requisitante {
    QString codigo; // padded to 6 with zeros
    QString descricao;
};

// Requisitioners: the record, code and name reads and writes of the register, its list's
// orders (each window opens on the name order with a statement of its own), and the list
// shared by the list and search windows.
class TdmReq : public CadastroSimples {
public:
    explicit TdmReq(Conexao& c);

    // The requisitioner of a code (padded to 6 with zeros); none when there is no such one.
    std::optional<Requisitante> requisitante(const QString& codigo);

    // The code offered to a new requisitioner: the highest code plus one, six digits, or
    // "000001" on an empty register. Codes are typed freely, so the highest one may be no
    // number at all: then there is none to offer.
    std::optional<QString> codigoProposto();

    // The shared list, in the orders of the list window and of the search window.
    ListaDoModulo listaDaManutencao()
    {
        return CadastroSimples::listaDaManutencao(SQLQ_Req2, cds_Req);
    }
    ListaDoModulo listaDaBusca() { return CadastroSimples::listaDaBusca(SQLQ_Req2, cds_Req); }

    Consulta SQLQ_Req2;
    DataSet cds_Req;

private:
    Consulta m_porCodigo;
};
