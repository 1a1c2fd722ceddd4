#include "data/DataModule_Req.h"

#include "data/Leitura.h"

TdmReq::TdmReq(Conexao& c) : SQLQ_Req(c), SQLQ_Req2(c), m_porCodigo(c)
{
    SQLQ_Req2.setSql(QStringLiteral("select * from Requisitante"));
    m_porCodigo.setSql(QStringLiteral("Select * FROM Requisitante Where REQ_Codigo=:CodigoC"));
}

std::optional<Requisitante> TdmReq::requisitante(const QString& codigo)
{
    const std::optional<Resultado> r =
        Leitura::umaLinha(m_porCodigo, QStringLiteral("CodigoC"), codigo);
    if (!r)
        return std::nullopt;
    return Requisitante{r->valor(0, QStringLiteral("REQ_Codigo")).toString(),
                        r->valor(0, QStringLiteral("REQ_Descricao")).toString()};
}
