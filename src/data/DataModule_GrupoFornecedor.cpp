#include "data/DataModule_GrupoFornecedor.h"

#include "data/Leitura.h"

TdmGrupoFornecedor::TdmGrupoFornecedor(Conexao& c)
    : SQLQGrupoFornecedor(c), SQLQGrupoFornecedor2(c), m_descricao(c)
{
    SQLQGrupoFornecedor2.setSql(QStringLiteral("Select * From GRU_Fornec"));
    m_descricao.setSql(QStringLiteral("Select GRU_Desc From GRU_Fornec Where GRU_Codigo=:CodigoC"));
}

std::optional<QString> TdmGrupoFornecedor::descricaoGrupo(const QString& codigo)
{
    return Leitura::umTexto(m_descricao, QStringLiteral("CodigoC"), codigo);
}
