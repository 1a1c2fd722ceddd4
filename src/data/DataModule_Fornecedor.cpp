#include "data/DataModule_Fornecedor.h"

#include "data/Leitura.h"

TdmFornecedor::TdmFornecedor(Conexao& c) : SQLQFornecedor(c), SQLQFornecedor2(c), m_razao(c)
{
    SQLQFornecedor2.setSql(QStringLiteral("Select * From Fornecedor"));
    m_razao.setSql(QStringLiteral("Select FOR_Razao From Fornecedor Where FOR_Codigo=:CodigoC"));
}

std::optional<QString> TdmFornecedor::razaoFornecedor(const QString& codigo)
{
    return Leitura::umTexto(m_razao, QStringLiteral("CodigoC"), codigo);
}
