#include "data/DataModule_Produtos.h"

#include "data/Leitura.h"
#include "data/firebird/Transacao.h"

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
    : SQLQ_Produtos2(c), SQLQ_Produtos3(c), m_porCodigo(c), m_porCodigoBarras(c), m_cadastro(c),
      m_existe(c), m_inclui(c), m_altera(c), m_exclui(c)
{
    SQLQ_Produtos2.setSql(QStringLiteral("SElect p.*,g.GRU_Descricao From Produtos p join "
                                         "Grupos g on(p.PRO_CodGRU =g.GRU_Codigo)"));
    formataProdutos(cds_Produtos);
    m_porCodigo.setSql(QStringLiteral("Select * FROM PRODUTOS Where PRO_Codigo=:CodigoC"));
    m_porCodigoBarras.setSql(QStringLiteral("Select * FROM PRODUTOS Where PRO_CodBar=:CodBarC"));
    m_cadastro.setSql(
        QStringLiteral("Select * From Produtos Where PRO_Codigo=:CodigoC order By PRO_Codigo"));
    m_existe.setSql(QStringLiteral("Select PRO_Codigo From Produtos Where PRO_Codigo=:CodigoC"));
    m_inclui.adiciona(
        QStringLiteral("Insert into PRODUTOS (PRO_Codigo,PRO_Descricao, "
                       "PRO_Unid,PRO_CodGRU,PRO_Local,PRO_Min,PRO_Valor,PRO_DCad,PRO_OBS,PRO_Refer,"
                       "PRO_CodBar,PRO_EMax,PRO_Quant,PRO_Consumivel)"));
    m_inclui.adiciona(QStringLiteral("Values (:CodigoC,:DescricaoC,:UnidC,:CodGRUC,:LocalC,:MinC,"
                                     ":ValorC,:DCadC,:ObsC,:ReferC,:CodBarC,:EMaxC,:QuantC,"
                                     ":ConsumivelC)"));
    m_altera.adiciona(
        QStringLiteral("Update Produtos SET PRO_Descricao=:DescricaoC,PRO_Unid=:UnidC,"));
    m_altera.adiciona(QStringLiteral("PRO_CodGRU=:CodGRUC,PRO_Local=:LocalC,"));
    m_altera.adiciona(QStringLiteral("PRO_Min=:MinC,PRO_Valor=:ValorC,"));
    m_altera.adiciona(QStringLiteral("PRO_DCad=:DCadC,PRO_Obs=:ObsC,PRO_Refer=:ReferC,PRO_CodBar="
                                     ":CodBarC,PRO_EMax=:EMaxC,PRO_Consumivel=:ConsumivelC"));
    m_altera.adiciona(QStringLiteral("Where PRO_Codigo=:CodigoC"));
    m_exclui.adiciona(QStringLiteral("Delete FROM Produtos"));
    m_exclui.adiciona(QStringLiteral("Where PRO_Codigo=:CodigoC"));
}

QString TdmProdutos::sqlLista(Ordem ordem)
{
    static const char* const ordens[] = {"Order By p.PRO_Codigo", "Order By p.PRO_Descricao",
                                         "Order By p.PRO_Refer", "Order By g.GRU_Descricao"};
    return QStringLiteral("Select p.*,g.GRU_Descricao From Produtos p join Grupos g "
                          "on(p.PRO_CodGRU =g.GRU_Codigo) ") +
           QLatin1String(ordens[int(ordem)]);
}

ListaDoModulo TdmProdutos::lista()
{
    QStringList sqls;
    for (Ordem o : {Ordem::PorCodigo, Ordem::PorDescricao, Ordem::PorReferencia, Ordem::PorGrupo})
        sqls << sqlLista(o);
    return listaDoModulo(SQLQ_Produtos2, cds_Produtos, sqls);
}

namespace {

// The supplier list's statement, ending in the product condition given.
void montaFornecedores(Consulta& q, const QString& condicao)
{
    q.limpa();
    q.adiciona(QStringLiteral("Select m.MOV_CODPRO, m.MOV_CODFOR, f.FOR_CODIGO, f.FOR_RAZAO, "
                              "F.FOR_FONE1, F.FOR_CONTATO, F.FOR_FAX"));
    q.adiciona(
        QStringLiteral("From Mov_Estq m  join Fornecedor f on (m.MOV_CodFor = f.FOR_Codigo)"));
    q.adiciona(QStringLiteral("Group By m.MOV_CodPro,m.MOV_CodFor,FOR_CODIGO, f.FOR_RAZAO, "
                              "F.FOR_FONE1, F.FOR_CONTATO, F.FOR_FAX Having m.MOV_CodPro=") +
               condicao);
}

} // namespace

void TdmProdutos::carregaFornecedores(const QString& codigo)
{
    montaFornecedores(SQLQ_Produtos3, QStringLiteral(":CodigoC"));
    SQLQ_Produtos3.setParametro(QStringLiteral("CodigoC"), codigo);
    cds_Produtos3.carrega(SQLQ_Produtos3);
}

void TdmProdutos::fornecedoresVazios()
{
    montaFornecedores(SQLQ_Produtos3, QStringLiteral("' '"));
    cds_Produtos3.carrega(SQLQ_Produtos3);
}

std::optional<Produto> TdmProdutos::produtoPorCodigo(const QString& codigo)
{
    return primeiro(m_porCodigo, QStringLiteral("CodigoC"), codigo);
}

std::optional<Produto> TdmProdutos::produtoPorCodigoBarras(const QString& codigoBarras)
{
    return primeiro(m_porCodigoBarras, QStringLiteral("CodBarC"), codigoBarras);
}

std::optional<Produto> TdmProdutos::produtoDoCadastro(const QString& codigo)
{
    return primeiro(m_cadastro, QStringLiteral("CodigoC"), codigo);
}

bool TdmProdutos::codigoExiste(const QString& codigo)
{
    return Leitura::umaLinha(m_existe, QStringLiteral("CodigoC"), codigo).has_value();
}

namespace {

// What the record window writes of a product, in the parameters both writes share.
void ligaDados(Consulta& q, const Produto& p)
{
    q.setParametro(QStringLiteral("DescricaoC"), p.descricao);
    q.setParametro(QStringLiteral("UnidC"), p.unidade);
    q.setParametro(QStringLiteral("CodGRUC"), p.grupo);
    q.setParametro(QStringLiteral("LocalC"), p.local);
    q.setParametro(QStringLiteral("MinC"), QVariant::fromValue(p.minimo));
    q.setParametro(QStringLiteral("ValorC"), QVariant::fromValue(p.valor));
    q.setParametro(QStringLiteral("DCadC"), p.cadastro);
    q.setParametro(QStringLiteral("ObsC"), p.observacoes);
    q.setParametro(QStringLiteral("ReferC"), p.referencia);
    q.setParametro(QStringLiteral("CodBarC"), p.codigoBarras);
    q.setParametro(QStringLiteral("EMaxC"), QVariant::fromValue(p.maximo));
    q.setParametro(QStringLiteral("ConsumivelC"), p.consumivel);
}

} // namespace

qint64 TdmProdutos::inclui(Transacao& t, const Produto& p)
{
    ligaDados(m_inclui, p);
    m_inclui.setParametro(QStringLiteral("QuantC"), QVariant::fromValue(Decimal(0, 3)));
    return Leitura::executa(m_inclui, t, QStringLiteral("CodigoC"), p.codigo);
}

qint64 TdmProdutos::altera(Transacao& t, const QString& codigo, const Produto& p)
{
    ligaDados(m_altera, p);
    return Leitura::executa(m_altera, t, QStringLiteral("CodigoC"), codigo);
}

qint64 TdmProdutos::exclui(Transacao& t, const QString& codigo)
{
    return Leitura::executa(m_exclui, t, QStringLiteral("CodigoC"), codigo);
}

QString TdmProdutos::sqlListaEstoque(ListaEstoque lista)
{
    const QString base = QStringLiteral(
        "Select p.*,g.GRU_Descricao From Produtos p join Grupos g on(p.PRO_CodGRU =g.GRU_Codigo)");
    switch (lista) {
    case ListaEstoque::PorCodigo:
        return base + QStringLiteral(" Order By p.PRO_Codigo");
    case ListaEstoque::PorDescricao:
        return base + QStringLiteral(" Order By p.PRO_Descricao");
    case ListaEstoque::DoGrupo:
        return base + QStringLiteral(" Where p.PRO_CodGru=:CodGru Order By p.PRO_Descricao");
    case ListaEstoque::EmEstoque:
        return base + QStringLiteral(" Where p.PRO_Quant > 0 Order By p.PRO_Descricao");
    case ListaEstoque::AbaixoDoMinimo:
        break;
    }
    return base + QStringLiteral(" Where p.PRO_Quant <= p.PRO_Min Order By p.PRO_Descricao");
}

void TdmProdutos::carregaListaEstoque(ListaEstoque lista, const QString& grupo)
{
    SQLQ_Produtos2.limpa();
    SQLQ_Produtos2.limpaParametros();
    SQLQ_Produtos2.setSql(sqlListaEstoque(lista));
    if (lista == ListaEstoque::DoGrupo)
        SQLQ_Produtos2.setParametro(QStringLiteral("CodGru"), grupo);
    cds_Produtos.carrega(SQLQ_Produtos2);
}

void preparaAbaixoDoMinimo(Consulta& consulta)
{
    consulta.limpa();
    consulta.limpaParametros();
    consulta.adiciona(QStringLiteral(
        "Select p.PRO_Codigo, p.PRO_Descricao, p.PRO_Quant, p.PRO_Min, p.PRO_EMax, p.PRO_CodFor, "
        "coalesce(f.FOR_Razao, p.PRO_CodFor) as ULT_FORNECEDOR"));
    consulta.adiciona(QStringLiteral(
        "From Produtos p Left Outer join Fornecedor f on (f.FOR_Codigo = p.PRO_CodFor)"));
    // The few products found are sorted after one plain pass over the register: walking the
    // whole register in code order through its key to keep a hundredth of it costs more.
    consulta.adiciona(QStringLiteral("Where p.PRO_Quant <= p.PRO_Min Order By p.PRO_Codigo || ''"));
}

void formataProdutos(DataSet& lista)
{
    lista.setFormatos({{QStringLiteral("PRO_QUANT"), DataSet::Formato::Quantidade},
                       {QStringLiteral("PRO_VALOR"), DataSet::Formato::Moeda},
                       {QStringLiteral("PRO_MIN"), DataSet::Formato::Inteiro},
                       {QStringLiteral("PRO_EMAX"), DataSet::Formato::Inteiro}});
}

QString codigoAbaixoDoMinimo(const DataSet& lista, int linha)
{
    return lista.valor(linha, QStringLiteral("PRO_CODIGO")).toString();
}

void preparaSugestaoCompra(Consulta& consulta)
{
    consulta.limpa();
    consulta.limpaParametros();
    consulta.adiciona(QStringLiteral(
        "Select p.PRO_Codigo, p.PRO_Descricao, p.PRO_Unid, p.PRO_Quant, p.PRO_Min, p.PRO_EMax, "
        "p.PRO_CodFor, f.FOR_Razao, f.FOR_Fone1, f.FOR_Contato, e.MOV_Valor as ULT_VALOR, "
        "e.MOV_Quant as ULT_QUANT"));
    consulta.adiciona(QStringLiteral(
        "From Produtos p Left Outer join Fornecedor f on (f.FOR_Codigo = p.PRO_CodFor)"));
    // The product's own ledger rows through the product index, a few dozen: "+ 0" keeps the
    // engine from walking the whole ledger down its number index to find the highest, and the
    // operation joined to an empty text from also reading the operation index, which holds a
    // third of the ledger or more under "EE".
    consulta.adiciona(QStringLiteral(
        "Left Outer join Mov_Estq e on (e.MOV_CodInt = (Select Max(x.MOV_CodInt + 0) From Mov_Estq "
        "x "
        "Where x.MOV_CodPro = p.PRO_Codigo and x.MOV_Oper || '' = 'EE' and x.MOV_CodFor is not "
        "null and x.MOV_Quant > 0))"));
    consulta.adiciona(QStringLiteral("Where p.PRO_Quant <= p.PRO_Min Order By p.PRO_Codigo || ''"));
}

void carregaProdutoNaLista(TdmProdutos& dm, const QString& codigo)
{
    Consulta& q = dm.SQLQ_Produtos2;
    q.limpa();
    q.limpaParametros();
    q.setSql(QStringLiteral("Select p.*,g.GRU_Descricao From Produtos p Left Outer join Grupos g "
                            "on(p.PRO_CodGRU =g.GRU_Codigo) Where p.PRO_Codigo=:CodigoC"));
    q.setParametro(QStringLiteral("CodigoC"), codigo);
    dm.cds_Produtos.carrega(q);
}

namespace {

QList<Produto> produtosDe(Consulta& q)
{
    const Resultado r = q.abre();
    QList<Produto> produtos;
    QStringList vistos;
    for (int i = 0; i < r.tamanho(); ++i) {
        Produto p = Produto::deLinha(r, i);
        // A product entered twice in one document still gets its labels once.
        if (vistos.contains(p.codigo))
            continue;
        vistos << p.codigo;
        produtos << std::move(p);
    }
    return produtos;
}

} // namespace

QList<Produto> TdmProdutos::produtosDaFaixa(const QString& de, const QString& ate)
{
    Consulta q(SQLQ_Produtos2.conexao());
    q.adiciona(QStringLiteral("Select * From Produtos"));
    QStringList condicoes;
    if (!de.isEmpty())
        condicoes << QStringLiteral("PRO_Codigo >= :DeC");
    if (!ate.isEmpty())
        condicoes << QStringLiteral("PRO_Codigo <= :AteC");
    if (!condicoes.isEmpty())
        q.adiciona(QStringLiteral("Where ") + condicoes.join(QStringLiteral(" and ")));
    q.adiciona(QStringLiteral("Order By PRO_Codigo"));
    if (!de.isEmpty())
        q.setParametro(QStringLiteral("DeC"), de);
    if (!ate.isEmpty())
        q.setParametro(QStringLiteral("AteC"), ate);
    return produtosDe(q);
}

QList<Produto> TdmProdutos::produtosDoGrupo(const QString& grupo)
{
    Consulta q(SQLQ_Produtos2.conexao());
    q.adiciona(QStringLiteral("Select * From Produtos Where PRO_CodGru = :CodGruC"));
    q.adiciona(QStringLiteral("Order By PRO_Descricao, PRO_Codigo"));
    q.setParametro(QStringLiteral("CodGruC"), grupo);
    return produtosDe(q);
}

QList<Produto> TdmProdutos::produtosDaEntrada(const QString& documento)
{
    Consulta q(SQLQ_Produtos2.conexao());
    q.adiciona(QStringLiteral(
        "Select p.* From Mov_Estq m join Produtos p on (p.PRO_Codigo = m.MOV_CodPro)"));
    q.adiciona(QStringLiteral("Where m.MOV_Oper = 'EE' and m.MOV_Doc = :DocC"));
    q.adiciona(QStringLiteral("Order By m.MOV_CodInt"));
    q.setParametro(QStringLiteral("DocC"), documento);
    return produtosDe(q);
}
