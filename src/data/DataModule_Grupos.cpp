#include "data/DataModule_Grupos.h"

TdmGrupos::TdmGrupos(Conexao& c)
    : CadastroSimples(
          c,
          {.registro =
               QStringLiteral("Select * From Grupos Where GRU_Codigo=:CodigoC order By GRU_Codigo"),
           .descricao =
               QStringLiteral("Select GRU_Descricao From Grupos Where GRU_Codigo=:CodigoC"),
           .maiorCodigo =
               QStringLiteral("Select GRU_Codigo From Grupos order By GRU_Codigo Descending"),
           .codigoTomado =
               QStringLiteral("Select GRU_Codigo From GRUPOS where GRU_Codigo=:CodigoC"),
           .descricaoTomada =
               QStringLiteral("Select GRU_Descricao From Grupos Where GRU_DESCRICAO=:DescricaoC"),
           .inclui = {QStringLiteral("Insert into GRUPOS (GRU_Codigo,GRU_Descricao)"),
                      QStringLiteral("Values (:CodigoC,:DescricaoC)")},
           .altera = {QStringLiteral("Update GRUPOS SET GRU_Descricao=:DescricaoC"),
                      QStringLiteral("Where GRU_Codigo=:CodigoC")},
           .exclui = {QStringLiteral("Delete FROM GRUPOS"),
                      QStringLiteral("Where GRU_Codigo=:CodigoC")},
           .ordensDaManutencao = {QStringLiteral("Select * From Grupos Order by GRU_Codigo"),
                                  QStringLiteral("Select * From Grupos Order by GRU_DESCRICAO")},
           .ordensDaBusca = {QStringLiteral("Select * From Grupos Order by GRU_Codigo"),
                             QStringLiteral("Select * From Grupos Order by GRU_Descricao")}}),
      SQLQ_Grupos2(c)
{
    SQLQ_Grupos2.setSql(QStringLiteral("Select * From Grupos"));
    cds_Grupos.setColunas({{QStringLiteral("GRU_CODIGO"), QStringLiteral("Código")},
                           {QStringLiteral("GRU_DESCRICAO"), QStringLiteral("Descrição")}});
}
