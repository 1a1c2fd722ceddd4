#include "data/DataModule_Produtos.h"

#include "data/Leitura.h"

namespace {

std::optional<Produto> primeiro(Consulta& q, const QString& parametro, const QString& valor)
{
    const std::optional<Resultado> r = Leitura::umaLinha(q, parametro, valor);
    if (!r)
        return std::nullopt;
    return Produto::deLinha(*r);
}

} // namespace

Produto Produto::deLinha(const Resultado& r, int linha)
{
    const auto texto = [&](const char* campo) {
        return r.valor(linha, QLatin1String(campo)).toString();
    };
    const auto numero = [&](const char* campo) {
        return Decimal::deVariant(r.valor(linha, QLatin1String(campo)));
    };
    Produto p;
    p.codigo = texto("PRO_Codigo");
    p.descricao = texto("PRO_Descricao");
    p.unidade = texto("PRO_Unid");
    p.grupo = texto("PRO_CodGru");
    p.local = texto("PRO_Local");
    p.quantidade = numero("PRO_Quant");
    p.minimo = numero("PRO_Min");
    p.maximo = numero("PRO_EMax");
    p.valor = numero("PRO_Valor");
    p.ultimaCompra = r.valor(linha, QStringLiteral("PRO_UComp")).toDate();
    p.fornecedor = texto("PRO_CodFor");
    p.cadastro = r.valor(linha, QStringLiteral("PRO_DCad")).toDate();
    p.observacoes = texto("PRO_OBS");
    p.referencia = texto("PRO_Refer");
    p.codigoBarras = texto("PRO_CodBar");
    p.consumivel = texto("PRO_Consumivel");
    return p;
}

TdmProdutos::TdmProdutos(Conexao& c)
    : SQLQ_Produtos(c), SQLQ_Produtos2(c), SQLQ_Produtos3(c), m_porCodigo(c), m_porCodigoBarras(c)
{
    SQLQ_Produtos2.setSql(QStringLiteral("SElect p.*,g.GRU_Descricao From Produtos p join "
                                         "Grupos g on(p.PRO_CodGRU =g.GRU_Codigo)"));
    cds_Produtos.setFormato(QStringLiteral("PRO_QUANT"), DataSet::Formato::Quantidade);
    cds_Produtos.setFormato(QStringLiteral("PRO_VALOR"), DataSet::Formato::Moeda);
    cds_Produtos.setFormato(QStringLiteral("PRO_MIN"), DataSet::Formato::Inteiro);
    cds_Produtos.setFormato(QStringLiteral("PRO_EMAX"), DataSet::Formato::Inteiro);
    m_porCodigo.setSql(QStringLiteral("Select * FROM PRODUTOS Where PRO_Codigo=:CodigoC"));
    m_porCodigoBarras.setSql(QStringLiteral("Select * FROM PRODUTOS Where PRO_CodBar=:CodBarC"));
}

std::optional<Produto> TdmProdutos::produtoPorCodigo(const QString& codigo)
{
    return primeiro(m_porCodigo, QStringLiteral("CodigoC"), codigo);
}

std::optional<Produto> TdmProdutos::produtoPorCodigoBarras(const QString& codigoBarras)
{
    return primeiro(m_porCodigoBarras, QStringLiteral("CodBarC"), codigoBarras);
}
