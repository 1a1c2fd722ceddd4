#include "data/DataModule_GrupoFornecedor.h"

TdmGrupoFornecedor::TdmGrupoFornecedor(Conexao& c)
    : CadastroSimples(
          c,
          // Two groups may share a description: nothing looks for one.
          {.registro = QStringLiteral("Select * from GRU_Fornec Where GRU_Codigo=:CodigoC"),
           .descricao = QStringLiteral("Select GRU_Desc From GRU_Fornec Where GRU_Codigo=:CodigoC"),
           .maiorCodigo =
               QStringLiteral("Select GRU_Codigo from GRU_Fornec Order By GRU_Codigo Descending"),
           .codigoTomado =
               QStringLiteral("Select GRU_Codigo from GRU_Fornec Where GRU_Codigo=:CodigoC"),
           .inclui = {QStringLiteral("Insert into GRU_Fornec (GRU_Codigo,GRU_Desc)"),
                      QStringLiteral("Values (:CodigoC,:DescricaoC)")},
           .altera = {QStringLiteral(
               "Update GRU_Fornec SET GRU_Desc=:DescricaoC Where GRU_Codigo=:CodigoC")},
           .exclui = {QStringLiteral("Delete From GRU_Fornec Where GRU_Codigo=:CodigoC")},
           .ordensDaManutencao = {QStringLiteral("Select * From GRU_Fornec Order By GRU_Codigo"),
                                  QStringLiteral("Select * From GRU_Fornec Order By GRU_Desc")},
           .ordensDaBusca = {QStringLiteral("Select * From GRU_Fornec order By GRU_Codigo"),
                             QStringLiteral("Select * From GRU_Fornec order By GRU_Desc")}}),
      SQLQGrupoFornecedor2(c)
{
    SQLQGrupoFornecedor2.setSql(QStringLiteral("Select * From GRU_Fornec"));
    cdsGrupoFornecedor.setColunas({{QStringLiteral("GRU_CODIGO"), QStringLiteral("Código")},
                                   {QStringLiteral("GRU_DESC"), QStringLiteral("Descrição")}});
}
