#include "data/DataModule_MovEstq.h"

#include "data/Leitura.h"

TdmMovEstq::TdmMovEstq(Conexao& c)
    : SQLQ_MovEstq(c), SQLQ_MovEstq2(c), SqlQ_CodMOV(c), m_movimentoDoProduto(c)
{
    cds_MovEstq.setFormato(QStringLiteral("MOV_QUANT"), DataSet::Formato::Quantidade);
    cds_MovEstq.setFormato(QStringLiteral("MOV_VALOR"), DataSet::Formato::Moeda);
    cds_MovEstq.setFormato(QStringLiteral("MOV_DATA"), DataSet::Formato::Data);
    m_movimentoDoProduto.setSql(
        QStringLiteral("Select MOV_CodPro From Mov_Estq Where MOV_CodPro=:CodigoC"));
}

bool TdmMovEstq::produtoTemMovimento(const QString& codigo)
{
    return Leitura::umaLinha(m_movimentoDoProduto, QStringLiteral("CodigoC"), codigo).has_value();
}
