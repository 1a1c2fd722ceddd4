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

QString TdmMovEstq::sqlCabeca(Cabeca c)
{
    if (c == Cabeca::G)
        return QStringLiteral(
            "SElect m.*,p.PRO_Descricao,p.PRO_CodGru, c.DESCRICAO,r.REQ_Descricao From Mov_Estq m "
            "join Produtos p on (m.MOV_CodPro = p.PRO_Codigo) join CodMOV c on "
            "(m.MOV_Oper=c.CODIGO)  Left Outer join Requisitante r on");
    return QStringLiteral(
        "SElect m.*,p.PRO_Descricao, c.DESCRICAO,r.REQ_Descricao From Mov_Estq m join Produtos p "
        "on (m.MOV_CodPro = p.PRO_Codigo) join CodMOV c on (m.MOV_Oper=c.CODIGO)  Left Outer "
        "join Requisitante r on");
}

QString TdmMovEstq::sqlSelecao(Selecao s)
{
    static const char* const textos[] = {
        "(m.MOV_Tipo=r.REQ_CODIGO) Where m.MOV_DAta Between :DataIniD and :DataFimD Order By "
        "m.MOV_Data",
        "(m.MOV_Tipo=r.REQ_CODIGO) Where m.MOV_DAta Between :DataIniD and :DataFimD and "
        "m.MOV_Oper=:Oper Order By m.MOV_Data",
        "(m.MOV_Tipo=r.REQ_CODIGO) Where m.MOV_DAta Between :DataIniD and :DataFimD and "
        "m.MOV_CodPro=:CodPro Order By m.MOV_Data",
        "(m.MOV_Tipo=r.REQ_CODIGO) Where m.MOV_DAta Between :DataIniD and :DataFimD and "
        "m.MOV_CodPro=:CodPro and m.MOV_Oper=:Oper Order By m.MOV_Data",
        "(m.MOV_Tipo=r.REQ_CODIGO) Where m.MOV_DAta Between :DataIniD and :DataFimD and "
        "p.PRO_CodGru=:CodGRU Order By m.MOV_Data",
        "(m.MOV_Tipo=r.REQ_CODIGO) Where m.MOV_DAta Between :DataIniD and :DataFimD and "
        "p.PRO_CodGRU=:CodGRU and m.MOV_Oper=:Oper Order By m.MOV_Data",
        "(m.MOV_Tipo=r.REQ_CODIGO) Where m.MOV_DAta Between :DataIniD and :DataFimD and "
        "m.MOV_Tipo=:CodTIP and m.MOV_Oper=:OperC Order By m.MOV_Data",
    };
    return QString::fromUtf8(textos[int(s)]);
}

void TdmMovEstq::comecaLimpa()
{
    // A filter chosen in the movement query must not narrow a report or another window: a
    // report would print fewer rows, with totals to match, and nothing would tell.
    cds_MovEstq.limpaFiltro();
}

void TdmMovEstq::carregaRelatorio(Cabeca c, Selecao s, const Periodo& p)
{
    SQLQ_MovEstq2.limpa();
    SQLQ_MovEstq2.adiciona(sqlCabeca(c));
    SQLQ_MovEstq2.adiciona(sqlSelecao(s));
    ligaPeriodo(SQLQ_MovEstq2, p);
    comecaLimpa();
    cds_MovEstq.carrega(SQLQ_MovEstq2);
}

void TdmMovEstq::ligaPeriodo(Consulta& consulta, const Periodo& p)
{
    consulta.setParametro(QStringLiteral("DataIniD"), p.inicio);
    consulta.setParametro(QStringLiteral("DataFimD"), p.fim);
    const QStringList nomes = consulta.parametros();
    const auto liga = [&](const char* nome, const QString& valor) {
        for (const QString& n : nomes)
            if (n.compare(QLatin1String(nome), Qt::CaseInsensitive) == 0)
                consulta.setParametro(QLatin1String(nome), valor);
    };
    liga("Oper", p.oper);
    liga("OperC", p.oper);
    liga("CodPro", p.produto);
    liga("CodGRU", p.grupo);
    liga("CodTip", p.tipo);
}

namespace {

const QString sqlBase = QStringLiteral(
    "SElect m.*,p.PRO_Descricao, c.DESCRICAO,t.REQ_Descricao From Mov_Estq m join Produtos p on "
    "(m.MOV_CodPro = p.PRO_Codigo) join CodMOV c on (m.MOV_Oper=c.CODIGO)  Left Outer join "
    "Requisitante t on (m.MOV_Tipo=t.REQ_CODIGO)");

} // namespace

void TdmMovEstq::carregaDia(const QDate& dia)
{
    SQLQ_MovEstq2.limpa();
    SQLQ_MovEstq2.limpaParametros();
    SQLQ_MovEstq2.adiciona(sqlBase + QStringLiteral(" Where m.MOV_Data=:HojeD"));
    SQLQ_MovEstq2.setParametro(QStringLiteral("HojeD"), dia);
    comecaLimpa();
    cds_MovEstq.abre(SQLQ_MovEstq2);
}

void TdmMovEstq::carregaPeriodo(const QDate& inicio, const QDate& fim, const QString& produto)
{
    SQLQ_MovEstq2.limpa();
    SQLQ_MovEstq2.limpaParametros();
    SQLQ_MovEstq2.adiciona(sqlBase + QStringLiteral(" Where"));
    if (produto.trimmed().isEmpty()) {
        SQLQ_MovEstq2.adiciona(QStringLiteral("m.MOV_Data Between :DataInicialD and :DataFinalD"));
    } else {
        SQLQ_MovEstq2.adiciona(QStringLiteral(
            "m.MOV_Data Between :DataInicialD and :DataFinalD and MOV_CodPro=:CodigoC"));
        SQLQ_MovEstq2.setParametro(QStringLiteral("CodigoC"), produto);
    }
    SQLQ_MovEstq2.setParametro(QStringLiteral("DataInicialD"), inicio);
    SQLQ_MovEstq2.setParametro(QStringLiteral("DataFinalD"), fim);
    comecaLimpa();
    cds_MovEstq.abre(SQLQ_MovEstq2);
}

namespace {

QString semBrancosAoFim(QString s)
{
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1) == QLatin1Char(' '))
        --n;
    s.truncate(n);
    return s;
}

} // namespace

std::optional<TdmMovEstq::Movimento> TdmMovEstq::movimentoAtual() const
{
    if (cds_MovEstq.linhaAtual() < 0)
        return std::nullopt;
    const auto valor = [this](const char* campo) {
        return cds_MovEstq.valor(QLatin1String(campo));
    };
    const auto quantia = [&](const char* campo) -> std::optional<Decimal> {
        const QVariant v = valor(campo);
        if (v.isNull())
            return std::nullopt;
        return Decimal::deVariant(v);
    };
    return Movimento{valor("MOV_CODINT").toLongLong(),
                     valor("MOV_CODPRO").toString(),
                     valor("MOV_OPER").toString(),
                     valor("MOV_DATA").toDate(),
                     quantia("MOV_QUANT"),
                     quantia("MOV_VALOR")};
}

void TdmMovEstq::filtra(const Filtro& filtro)
{
    const int produto = cds_MovEstq.campo(QStringLiteral("MOV_CodPro"));
    const int operacao = cds_MovEstq.campo(QStringLiteral("MOV_Oper"));
    const std::optional<QString> codigo =
        filtro.produto ? std::optional(semBrancosAoFim(*filtro.produto)) : std::nullopt;
    const QStringList operacoes = filtro.operacoes;
    cds_MovEstq.setFiltro([=](const DataSet::Linha& linha) {
        const QString p = semBrancosAoFim(linha.em(produto).toString());
        if (codigo ? p != *codigo : p.isEmpty())
            return false;
        return operacoes.contains(semBrancosAoFim(linha.em(operacao).toString()));
    });
}

void TdmMovEstq::recarrega()
{
    cds_MovEstq.abre(SQLQ_MovEstq2);
}

QString sqlRelatorioMovimentos(TdmMovEstq::Cabeca c, TdmMovEstq::Selecao s)
{
    using Selecao = TdmMovEstq::Selecao;
    const QString texto = TdmMovEstq::sqlCabeca(c) + TdmMovEstq::sqlSelecao(s);
    if (s != Selecao::W1 && s != Selecao::W2)
        return texto;
    // The order of the rows within a day was never set; walking the date index, they come in
    // the order the table holds them.
    const qsizetype ordem = texto.lastIndexOf(QLatin1String(" Order By "), -1, Qt::CaseInsensitive);
    return texto.left(ordem) +
           QStringLiteral(" PLAN JOIN (JOIN (M ORDER IDX_MOV_ESTQ_DATA, P INDEX (PK_PRODUTOS), "
                          "C INDEX (PK_CODMOV)), R INDEX (PK_REQUISITANTE))") +
           texto.mid(ordem);
}
