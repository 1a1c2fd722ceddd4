#include "movements/Lancamentos.h"

#include "common/Funcoes.h"
#include "data/firebird/Conexao.h"
#include "data/firebird/Consulta.h"
#include "data/firebird/ErroBanco.h"
#include "data/firebird/Transacao.h"

namespace Lancamentos {

namespace {

const QString sqlProximoMovimento =
    QStringLiteral("Select MOV_CodInt From Mov_Estq Order By MOV_CodInt Descending");
const QString sqlProximoEmprestimo =
    QStringLiteral("Select MOV_CodInt From Mov_Consu Order By MOV_CodInt Descending");

QVariant dec(const Decimal& d)
{
    return QVariant::fromValue(d);
}

struct Estoque {
    Decimal quantidade;
    Decimal custo;
    QString consumivel;
};

// The product's row, locked until this transaction ends: another workstation's save of the
// same product waits here and then reads what this one committed.
Estoque travaProduto(Transacao& t, const QString& produto)
{
    Consulta q(t.conexao());
    q.setSql(QStringLiteral(
        "Select PRO_Quant, PRO_Valor, PRO_Consumivel From PRODUTOS Where PRO_Codigo=:CodigoC "
        "WITH LOCK"));
    q.setParametro(QStringLiteral("CodigoC"), produto);
    const Resultado r = q.abre(t);
    if (r.vazio())
        throw ProdutoInexistente();
    return {Decimal::deVariant(r.valor(0, 0)).arredondado(3),
            Decimal::deVariant(r.valor(0, 1)).arredondado(2), r.valor(0, 2).toString()};
}

qint64 insereMovimento(Transacao& t, const QString& produto, const QString& operacao,
                       const QDate& data, const Decimal& valor, const Decimal& quantidade,
                       const QString& documento, const QVariant& tipo, const QVariant& fornecedor)
{
    const qint64 numero = Funcoes::proximoNumero(t.conexao(), sqlProximoMovimento, &t);
    Consulta q(t.conexao());
    q.adiciona(QStringLiteral("Insert into MOV_ESTQ (MOV_CodPro,MOV_Oper, MOV_Data,MOV_Valor,"
                              "MOV_Quant,MOV_Doc,MOV_CodInt, MOV_Tipo, MOV_CodFor)"));
    q.adiciona(QStringLiteral(
        "Values (:CodigoC,:OperC,:DataC,:ValorC,:QuantC,:DocC,:CodIntC,:TipoC,:CodForC)"));
    q.setParametro(QStringLiteral("CodigoC"), produto);
    q.setParametro(QStringLiteral("OperC"), operacao);
    q.setParametro(QStringLiteral("DataC"), data);
    q.setParametro(QStringLiteral("ValorC"), dec(valor));
    q.setParametro(QStringLiteral("QuantC"), dec(quantidade));
    q.setParametro(QStringLiteral("DocC"), documento);
    q.setParametro(QStringLiteral("CodIntC"), numero);
    q.setParametro(QStringLiteral("TipoC"), tipo);
    q.setParametro(QStringLiteral("CodForC"), fornecedor);
    q.executa(t);
    return numero;
}

void registra(Transacao& t, const std::optional<QString>& usuario, const QString& texto)
{
    if (usuario)
        Funcoes::GravaLog(t, *usuario, texto);
}

void atualizaQuantidade(Transacao& t, const QString& produto, const Decimal& quantidade)
{
    Consulta q(t.conexao());
    q.adiciona(QStringLiteral("Update Produtos SET PRO_Quant=:QuantidadeTotalC"));
    q.adiciona(QStringLiteral("Where PRO_Codigo=:CodigoC"));
    q.setParametro(QStringLiteral("QuantidadeTotalC"), dec(quantidade));
    q.setParametro(QStringLiteral("CodigoC"), produto);
    q.executa(t);
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
    for (int tentativa = 1;; ++tentativa) {
        try {
            // Ends before the handler below runs: a failed save is rolled back, and its locks
            // released, before it is tried again or reported.
            Transacao t(conexao);
            esperaAVez(t);
            Gravado g = corpo(t);
            t.commit();
            return g;
        } catch (const ErroBanco& e) {
            if (tentativa == 1 && e.chaveDuplicada())
                continue;
            throw;
        }
    }
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
        g.movimento =
            insereMovimento(t, e.produto, QStringLiteral("EE"), e.data, total.arredondado(2),
                            e.quantidade, e.documento, QVariant(), e.fornecedor);
        registra(t, usuarioLog, QStringLiteral("Entrada no Estoque:") + e.produto);
        // The value already in stock at its average cost plus this entry's value, over the
        // new quantity.
        g.quantidade = novaQuantidade;
        g.custo = (atual.quantidade * atual.custo + total).dividido(novaQuantidade, 2);

        Consulta q(t.conexao());
        q.adiciona(
            QStringLiteral("Update Produtos SET PRO_Descricao=:DescricaoC,PRO_Unid=:UnidC,"));
        q.adiciona(QStringLiteral("PRO_Local=:LocalC,"));
        q.adiciona(QStringLiteral("PRO_Min=:MinC,PRO_Valor=:ValorC,PRO_CodFor=:CodForC,"));
        q.adiciona(QStringLiteral("PRO_Obs=:ObsC,PRO_Refer=:ReferC,PRO_EMax=:EMaxC,"
                                  "PRO_QUANT=:QuantidadeTotalC,PRO_UComp=:DataC"));
        q.adiciona(QStringLiteral("Where PRO_Codigo=:CodigoC"));
        q.setParametro(QStringLiteral("DescricaoC"), e.descricao);
        q.setParametro(QStringLiteral("CodigoC"), e.produto);
        q.setParametro(QStringLiteral("UnidC"), e.unidade);
        q.setParametro(QStringLiteral("LocalC"), e.local);
        q.setParametro(QStringLiteral("MinC"), dec(e.minimo));
        q.setParametro(QStringLiteral("ValorC"), dec(g.custo));
        q.setParametro(QStringLiteral("ObsC"), e.observacoes);
        q.setParametro(QStringLiteral("ReferC"), e.referencia);
        q.setParametro(QStringLiteral("EMaxC"), dec(e.maximo));
        q.setParametro(QStringLiteral("QuantidadeTotalC"), dec(g.quantidade));
        q.setParametro(QStringLiteral("DataC"), e.data);
        q.setParametro(QStringLiteral("CodForC"), e.fornecedor);
        q.executa(t);
        return g;
    });
}

Gravado gravaSaida(Conexao& conexao, const Saida& s, const std::optional<QString>& usuarioLog)
{
    return emTransacao(conexao, [&](Transacao& t) {
        const Estoque atual = travaProduto(t, s.produto);
        if (s.quantidade > atual.quantidade)
            throw EstoqueInsuficiente();
        if (!s.consumivel && s.requisitante.trimmed().isEmpty())
            throw SemRequisitante();
        Gravado g;
        const Decimal valor =
            s.consumivel ? (s.quantidade * s.unitario).arredondado(2) : Decimal(0, 2);
        g.movimento = insereMovimento(t, s.produto, QStringLiteral("SS"), s.data, valor,
                                      s.quantidade, s.documento, s.requisitante, QVariant());
        registra(t, usuarioLog, QStringLiteral("Saída do Estoque:") + s.produto);
        g.quantidade = atual.quantidade - s.quantidade;
        g.custo = atual.custo;
        atualizaQuantidade(t, s.produto, g.quantidade);
        if (!s.consumivel) {
            g.emprestimo = Funcoes::proximoNumero(t.conexao(), sqlProximoEmprestimo, &t);
            Consulta q(t.conexao());
            q.adiciona(
                QStringLiteral("Insert into MOV_Consu (MOV_CodPro,MOV_Tipo,Mov_Data,Mov_DataD, "
                               "Mov_Quant,Mov_Doc,MOV_Devolvido,MOV_CodInt)"));
            q.adiciona(QStringLiteral("Values  (:CodProC, :TipoC, :DataC, :DataDC, :QuantC, :DocC, "
                                      ":DevolvidoC, :CodIntC)"));
            q.setParametro(QStringLiteral("CodProC"), s.produto);
            q.setParametro(QStringLiteral("TipoC"), s.requisitante);
            q.setParametro(QStringLiteral("DataC"), s.data);
            q.setParametro(QStringLiteral("DataDC"), s.devolucao);
            q.setParametro(QStringLiteral("QuantC"), dec(s.quantidade));
            q.setParametro(QStringLiteral("DocC"), s.documento);
            q.setParametro(QStringLiteral("DevolvidoC"), QStringLiteral("N"));
            q.setParametro(QStringLiteral("CodIntC"), g.emprestimo);
            q.executa(t);
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
        g.movimento = insereMovimento(
            t, e.produto, deEntrada ? QStringLiteral("TE") : QStringLiteral("TS"), e.data, total,
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

} // namespace Lancamentos
