#include "data/DataModule_Grupos.h"

#include "data/Leitura.h"

TdmGrupos::TdmGrupos(Conexao& c) : SQLQ_Grupos(c), SQLQ_Grupos2(c), m_descricao(c)
{
    SQLQ_Grupos2.setSql(QStringLiteral("Select * From Grupos"));
    m_descricao.setSql(
        QStringLiteral("Select GRU_Descricao From Grupos Where GRU_Codigo=:CodigoC"));
}

std::optional<QString> TdmGrupos::descricaoGrupo(const QString& codigo)
{
    return Leitura::umTexto(m_descricao, QStringLiteral("CodigoC"), codigo);
}
