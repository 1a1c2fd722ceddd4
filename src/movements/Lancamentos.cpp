#include "movements/Lancamentos.h"

#include "common/Gravacao.h"
#include "data/DataModule_Log.h"
#include "data/firebird/Conexao.h"
#include "data/firebird/Consulta.h"
#include "data/firebird/ErroBanco.h"
#include "data/firebird/Transacao.h"

namespace Lancamentos {

namespace {

QVariant dec(const Decimal& d)
{
    return QVariant::fromValue(d);
}

struct Estoque {
    Decimal quantidade;
    Decimal custo;
    QString consumivel;
    // The ledger's and the loans' next numbers, read with the product: the save already holds
    // the ledger's turn, so no other workstation can take them before this one commits.
    qint64 proximoMovimento = 1;
    qint64 proximoEmprestimo = 1;
};

// The product's row, locked until this transaction ends: another workstation's save of the
// same product waits here and then reads what this one committed. The next ledger number (and,
// for the exit that opens a loan, the next loan number) comes in the same statement, read once
// the row is locked, to spare the save more trips to the engine. The other saves leave the
// loans alone.
Estoque travaProduto(Transacao& t, const QString& produto, bool abreEmprestimo = false)
{
    const QString proximoEmprestimo =
        abreEmprestimo
            ? QStringLiteral("(Select First 1 MOV_CodInt From Mov_Consu Order By MOV_CodInt "
                             "Descending)")
            : QStringLiteral("Null");
    Consulta q(t.conexao());
    q.setSql(QStringLiteral("Select PRO_Quant, PRO_Valor, PRO_Consumivel, "
                            "(Select First 1 MOV_CodInt From Mov_Estq Order By MOV_CodInt "
                            "Descending), %1 From PRODUTOS Where PRO_Codigo=:CodigoC WITH LOCK")
                 .arg(proximoEmprestimo));
    q.setParametro(QStringLiteral("CodigoC"), produto);
    const Resultado r = q.abre(t);
    if (r.vazio())
        throw ProdutoInexistente();
    const auto proximo = [&r](int coluna) {
        const QVariant maior = r.valor(0, coluna);
        return maior.isNull() ? qint64(1) : maior.toLongLong() + 1;
    };
    return {Decimal::deVariant(r.valor(0, 0)).arredondado(3),
            Decimal::deVariant(r.valor(0, 1)).arredondado(2), r.valor(0, 2).toString(), proximo(3),
            proximo(4)};
}

// Runs one statement of a save: its text line by line, as the documents give it, and its
// parameters by name.
void executa(Transacao& t, std::initializer_list<QString> linhas,
             std::initializer_list<std::pair<QString, QVariant>> parametros)
{
    Consulta q(t.conexao());
    for (const QString& linha : linhas)
        q.adiciona(linha);
    for (const auto& [nome, valor] : parametros)
        q.setParametro(nome, valor);
    q.executa(t);
}

qint64 insereMovimento(Transacao& t, qint64 numero, const QString& produto, const QString& operacao,
                       const QDate& data, const Decimal& valor, const Decimal& quantidade,
                       const QString& documento, const QVariant& tipo, const QVariant& fornecedor)
{
    executa(t,
            {QStringLiteral("Insert into MOV_ESTQ (MOV_CodPro,MOV_Oper, MOV_Data,MOV_Valor,"
                            "MOV_Quant,MOV_Doc,MOV_CodInt, MOV_Tipo, MOV_CodFor)"),
             QStringLiteral(
                 "Values (:CodigoC,:OperC,:DataC,:ValorC,:QuantC,:DocC,:CodIntC,:TipoC,:CodForC)")},
            {{"CodigoC", produto},
             {"OperC", operacao},
             {"DataC", data},
             {"ValorC", dec(valor)},
             {"QuantC", dec(quantidade)},
             {"DocC", documento},
             {"CodIntC", numero},
             {"TipoC", tipo},
             {"CodForC", fornecedor}});
    return numero;
}

void registra(Transacao& t, const std::optional<QString>& usuario, const QString& texto)
{
    if (usuario)
        TdmLog::registra(t, *usuario, texto);
}

void atualizaQuantidade(Transacao& t, const QString& produto, const Decimal& quantidade)
{
    executa(t,
            {QStringLiteral("Update Produtos SET PRO_Quant=:QuantidadeTotalC"),
             QStringLiteral("Where PRO_Codigo=:CodigoC")},
            {{"QuantidadeTotalC", dec(quantidade)}, {"CodigoC", produto}});
}

// Takes the ledger's turn: every movement save locks the same reference row first, so saves
// from several workstations queue up instead of reading the same highest number at the same
// instant. The row is the ledger's own operation code "EE", which nothing else writes.
void esperaAVez(Transacao& t)
{
    Consulta q(t.conexao());
    q.setSql(QStringLiteral("Select CODIGO From CodMOV Where CODIGO='EE' WITH LOCK"));
    q.abre(t);
}

} // namespace

Gravado emTransacao(Conexao& conexao, const std::function<Gravado(Transacao&)>& corpo)
{
    return Gravacao::emTransacao(conexao, [&](Transacao& t) {
        esperaAVez(t);
        return corpo(t);
    });
}

Gravado gravaEntrada(Conexao& conexao, const Entrada& e, const std::optional<QString>& usuarioLog)
{
    return emTransacao(conexao, [&](Transacao& t) {
        const Estoque atual = travaProduto(t, e.produto);
        const Decimal total = e.quantidade * e.unitario;
        const Decimal novaQuantidade = atual.quantidade + e.quantidade;
        if (novaQuantidade.isZero())
            throw QuantidadeZerada();
        Gravado g;
        g.movimento = insereMovimento(t, atual.proximoMovimento, e.produto, QStringLiteral("EE"),
                                      e.data, total.arredondado(2), e.quantidade, e.documento,
                                      QVariant(), e.fornecedor);
        registra(t, usuarioLog, QStringLiteral("Entrada no Estoque:") + e.produto);
        // The value already in stock at its average cost plus this entry's value, over the
        // new quantity.
        g.quantidade = novaQuantidade;
        g.custo = (atual.quantidade * atual.custo + total).dividido(novaQuantidade, 2);

        executa(t,
                {QStringLiteral("Update Produtos SET PRO_Descricao=:DescricaoC,PRO_Unid=:UnidC,"),
                 QStringLiteral("PRO_Local=:LocalC,"),
                 QStringLiteral("PRO_Min=:MinC,PRO_Valor=:ValorC,PRO_CodFor=:CodForC,"),
                 QStringLiteral("PRO_Obs=:ObsC,PRO_Refer=:ReferC,PRO_EMax=:EMaxC,"
                                "PRO_QUANT=:QuantidadeTotalC,PRO_UComp=:DataC"),
                 QStringLiteral("Where PRO_Codigo=:CodigoC")},
                {{"DescricaoC", e.descricao},
                 {"CodigoC", e.produto},
                 {"UnidC", e.unidade},
                 {"LocalC", e.local},
                 {"MinC", dec(e.minimo)},
                 {"ValorC", dec(g.custo)},
                 {"ObsC", e.observacoes},
                 {"ReferC", e.referencia},
                 {"EMaxC", dec(e.maximo)},
                 {"QuantidadeTotalC", dec(g.quantidade)},
                 {"DataC", e.data},
                 {"CodForC", e.fornecedor}});
        return g;
    });
}

Gravado gravaSaida(Conexao& conexao, const Saida& s, const std::optional<QString>& usuarioLog)
{
    return emTransacao(conexao, [&](Transacao& t) {
        const Estoque atual = travaProduto(t, s.produto, !s.consumivel);
        if (s.quantidade > atual.quantidade)
            throw EstoqueInsuficiente(atual.quantidade);
        if (!s.consumivel && s.requisitante.trimmed().isEmpty())
            throw SemRequisitante();
        Gravado g;
        const Decimal valor =
            s.consumivel ? (s.quantidade * s.unitario).arredondado(2) : Decimal(0, 2);
        g.movimento =
            insereMovimento(t, atual.proximoMovimento, s.produto, QStringLiteral("SS"), s.data,
                            valor, s.quantidade, s.documento, s.requisitante, QVariant());
        registra(t, usuarioLog, QStringLiteral("Saída do Estoque:") + s.produto);
        g.quantidade = atual.quantidade - s.quantidade;
        g.custo = atual.custo;
        atualizaQuantidade(t, s.produto, g.quantidade);
        if (!s.consumivel) {
            g.emprestimo = atual.proximoEmprestimo;
            executa(t,
                    {QStringLiteral("Insert into MOV_Consu (MOV_CodPro,MOV_Tipo,Mov_Data,"
                                    "Mov_DataD, Mov_Quant,Mov_Doc,MOV_Devolvido,MOV_CodInt)"),
                     QStringLiteral("Values  (:CodProC, :TipoC, :DataC, :DataDC, :QuantC, :DocC, "
                                    ":DevolvidoC, :CodIntC)")},
                    {{"CodProC", s.produto},
                     {"TipoC", s.requisitante},
                     {"DataC", s.data},
                     {"DataDC", s.devolucao},
                     {"QuantC", dec(s.quantidade)},
                     {"DocC", s.documento},
                     {"DevolvidoC", QStringLiteral("N")},
                     {"CodIntC", g.emprestimo}});
        }
        return g;
    });
}

Gravado gravaEstorno(Conexao& conexao, const Estorno& e, const std::optional<QString>& usuarioLog)
{
    const bool deEntrada = e.operacao == QLatin1String("TE");
    return emTransacao(conexao, [&](Transacao& t) {
        const Estoque atual = travaProduto(t, e.produto);
        if (atual.consumivel == QLatin1String("N"))
            throw ProdutoNaoConsumivel();
        Gravado g;
        const Decimal total = (e.quantidade * e.unitario).arredondado(2);
        g.movimento =
            insereMovimento(t, atual.proximoMovimento, e.produto,
                            deEntrada ? QStringLiteral("TE") : QStringLiteral("TS"), e.data, total,
                            e.quantidade, e.documento, deEntrada ? QString() : e.contraparte,
                            deEntrada ? e.contraparte : QString());
        registra(t, usuarioLog, QStringLiteral("Estorno:") + e.produto);
        // A reversal moves only the quantity on hand; the average cost stays as it is.
        g.quantidade =
            deEntrada ? atual.quantidade - e.quantidade : atual.quantidade + e.quantidade;
        g.custo = atual.custo;
        atualizaQuantidade(t, e.produto, g.quantidade);
        return g;
    });
}

Gravado gravaDevolucao(Conexao& conexao, const Devolucao& d,
                       const std::optional<QString>& usuarioLog)
{
    return emTransacao(conexao, [&](Transacao& t) {
        // The loan as it stands now, locked: a second workstation returning it waits here and
        // then finds it closed.
        Consulta q(t.conexao());
        q.setSql(QStringLiteral("Select MOV_CodPro, MOV_Tipo, MOV_Quant, MOV_Doc, MOV_Devolvido "
                                "From Mov_Consu Where MOV_CodInt=:CodIntC WITH LOCK"));
        q.setParametro(QStringLiteral("CodIntC"), d.emprestimo);
        const Resultado emprestimo = q.abre(t);
        if (emprestimo.vazio() || emprestimo.valor(0, 4).toString() != QLatin1String("N"))
            throw EmprestimoDevolvido();
        const QString produto = emprestimo.valor(0, 0).toString();
        const QVariant requisitante = emprestimo.valor(0, 1);
        const Decimal quantidade = Decimal::deVariant(emprestimo.valor(0, 2)).arredondado(3);
        const QString documento = emprestimo.valor(0, 3).toString();

        // Closed only while still open, so a loan is never returned twice.
        Consulta fecha(t.conexao());
        fecha.setSql(QStringLiteral("Update MOV_Consu SET MOV_Devolvido='S', MOV_DataE=:DataEC "
                                    "Where MOV_CodInt=:CodIntC and MOV_Devolvido='N'"));
        fecha.setParametro(QStringLiteral("DataEC"), d.data);
        fecha.setParametro(QStringLiteral("CodIntC"), d.emprestimo);
        if (fecha.executa(t) == 0)
            throw EmprestimoDevolvido();
        registra(t, usuarioLog, QStringLiteral("Devolução de Prod.não Consumível:") + produto);

        const Estoque atual = travaProduto(t, produto);
        Gravado g;
        g.quantidade = atual.quantidade + quantidade;
        g.custo = atual.custo;
        atualizaQuantidade(t, produto, g.quantidade);
        g.movimento =
            insereMovimento(t, atual.proximoMovimento, produto, QStringLiteral("EE"), d.data,
                            Decimal(0, 2), quantidade, documento, requisitante, QVariant());
        g.emprestimo = d.emprestimo;
        return g;
    });
}

Gravado gravaExtravio(Conexao& conexao, const Extravio& e, const std::optional<QString>& usuarioLog)
{
    return emTransacao(conexao, [&](Transacao& t) {
        const Estoque atual = travaProduto(t, e.produto);
        if (atual.consumivel == QLatin1String("S"))
            throw ProdutoConsumivel();
        if (e.quantidade > atual.quantidade)
            throw EstoqueInsuficiente(atual.quantidade);
        Gravado g;
        // Valued at the average cost stored now, which is the one the stock still carries.
        g.movimento = insereMovimento(t, atual.proximoMovimento, e.produto, QStringLiteral("SS"),
                                      e.data, (e.quantidade * atual.custo).arredondado(2),
                                      e.quantidade, e.documento, QVariant(), QVariant());
        registra(t, usuarioLog, QStringLiteral("Extravio/Saída Definitiva:") + e.produto);
        g.quantidade = atual.quantidade - e.quantidade;
        g.custo = atual.custo;
        atualizaQuantidade(t, e.produto, g.quantidade);
        return g;
    });
}

Decimal excluiMovimento(Conexao& conexao, const MovimentoVisto& movimento, bool reverte)
{
    auto valorOuNulo = [](const std::optional<Decimal>& d) { return d ? dec(*d) : QVariant(); };
    return emTransacao(
               conexao,
               [&](Transacao& t) {
                   // The product first, as every save takes it: its quantity then moves in the
                   // same order as theirs.
                   const std::optional<Estoque> atual =
                       reverte ? std::optional(travaProduto(t, movimento.produto)) : std::nullopt;
                   Consulta apaga(t.conexao());
                   apaga.adiciona(
                       QStringLiteral("Delete From Mov_Estq Where MOV_CodInt=:CodIntC and "
                                      "MOV_CodPro=:CodigoC and MOV_Oper=:OperC"));
                   apaga.adiciona(QStringLiteral(
                       "and MOV_Data is not distinct from :DataC and MOV_Quant is not distinct "
                       "from :QuantC and MOV_Valor is not distinct from :ValorC"));
                   apaga.setParametro(QStringLiteral("CodIntC"), movimento.numero);
                   apaga.setParametro(QStringLiteral("CodigoC"), movimento.produto);
                   apaga.setParametro(QStringLiteral("OperC"), movimento.operacao);
                   apaga.setParametro(QStringLiteral("DataC"), movimento.data.isValid()
                                                                   ? QVariant(movimento.data)
                                                                   : QVariant());
                   apaga.setParametro(QStringLiteral("QuantC"), valorOuNulo(movimento.quantidade));
                   apaga.setParametro(QStringLiteral("ValorC"), valorOuNulo(movimento.valor));
                   if (apaga.executa(t) == 0)
                       throw MovimentoInexistente();
                   Gravado g;
                   if (!reverte)
                       return g;
                   // The row deleted is the one seen, so what it moved is what the list showed.
                   const Decimal quantidade =
                       movimento.quantidade.value_or(Decimal(0, 3)).arredondado(3);
                   const bool entrou = movimento.operacao == QLatin1String("EE") ||
                                       movimento.operacao == QLatin1String("TS");
                   g.quantidade =
                       entrou ? atual->quantidade - quantidade : atual->quantidade + quantidade;
                   g.custo = atual->custo;
                   atualizaQuantidade(t, movimento.produto, g.quantidade);
                   return g;
               })
        .quantidade;
}

} // namespace Lancamentos
