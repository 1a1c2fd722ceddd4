#pragma once

#include "data/DataSet.h"
#include "data/firebird/Consulta.h"

// Products: the work query, the list shared by the product windows and the stock reports,
// and the list of a product's suppliers.
class TdmProdutos {
public:
    explicit TdmProdutos(Conexao& c) : SQLQ_Produtos(c), SQLQ_Produtos2(c), SQLQ_Produtos3(c)
    {
        SQLQ_Produtos2.setSql(QStringLiteral("SElect p.*,g.GRU_Descricao From Produtos p join "
                                             "Grupos g on(p.PRO_CodGRU =g.GRU_Codigo)"));
        cds_Produtos.setFormato(QStringLiteral("PRO_QUANT"), DataSet::Formato::Quantidade);
        cds_Produtos.setFormato(QStringLiteral("PRO_VALOR"), DataSet::Formato::Moeda);
        cds_Produtos.setFormato(QStringLiteral("PRO_MIN"), DataSet::Formato::Inteiro);
        cds_Produtos.setFormato(QStringLiteral("PRO_EMAX"), DataSet::Formato::Inteiro);
    }
    Consulta SQLQ_Produtos;
    Consulta SQLQ_Produtos2;
    DataSet cds_Produtos;
    Consulta SQLQ_Produtos3;
    DataSet cds_Produtos3;
};
