#include "data/DataModule_Req.h"

#include "common/Funcoes.h"
#include "data/Leitura.h"

TdmReq::TdmReq(Conexao& c)
    : CadastroSimples(
          c,
          {.registro = QStringLiteral(
               "Select * From Requisitante Where REQ_Codigo=:CodigoC order By REQ_Codigo"),
           .maiorCodigo =
               QStringLiteral("Select REQ_Codigo From Requisitante order By REQ_Codigo Descending"),
           .codigoTomado =
               QStringLiteral("Select REQ_Codigo From Requisitante Where REQ_Codigo=:CodigoC"),
           .descricaoTomada = QStringLiteral(
               "Select REQ_Descricao From REquisitante Where REQ_Descricao=:DescricaoC"),
           .inclui = {QStringLiteral("Insert into Requisitante (REQ_Codigo,REQ_Descricao)"),
                      QStringLiteral("Values (:CodigoC,:DescricaoC)")},
           .altera = {QStringLiteral("Update Requisitante SET REQ_Descricao=:DescricaoC"),
                      QStringLiteral("Where REQ_Codigo=:CodigoC")},
           .exclui = {QStringLiteral("Delete FROM REQUISITANTE"),
                      QStringLiteral("Where REQ_Codigo=:CodigoC")},
           .ordensDaManutencao =
               {QStringLiteral("Select * From Requisitante Order by REQ_Codigo"),
                QStringLiteral("Select * From Requisitante Order by REQ_Descricao"),
                QStringLiteral("Select * From REQUISITANTE order By REQ_Descricao")},
           .ordensDaBusca = {QStringLiteral("Select * From Requisitante Order by REQ_Codigo"),
                             QStringLiteral("Select * From REQUISITANTE Order by REQ_Descricao"),
                             QStringLiteral("Select * From REquisitante Order by REQ_Descricao")}}),
      SQLQ_Req2(c), m_porCodigo(c)
{
    SQLQ_Req2.setSql(QStringLiteral("select * from Requisitante"));
    cds_Req.setColunas({{QStringLiteral("REQ_CODIGO"), QStringLiteral("Código")},
                        {QStringLiteral("REQ_DESCRICAO"), QStringLiteral("Descrição")}});
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

std::optional<QString> TdmReq::codigoProposto()
{
    trabalho().setSql(textos().maiorCodigo);
    const QVariant maior = trabalho().primeiroValor();
    if (maior.isNull())
        return Funcoes::codigoSeis(QStringLiteral("1"));
    const QString texto = maior.toString().trimmed();
    bool ok = !texto.isEmpty();
    for (QChar c : texto)
        ok = ok && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    const qint64 numero = ok ? texto.toLongLong(&ok) : 0;
    if (!ok)
        return std::nullopt;
    return Funcoes::codigoSeis(QString::number(numero + 1));
}
