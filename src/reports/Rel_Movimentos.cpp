#include "reports/Rel_Movimentos.h"

#include "common/Formatos.h"
#include "data/DataSet.h"
#include "reports/FonteDeLinhas.h"

namespace {

using Campo = RelMovimento::Campo;

Campo col(const char* campo, const QString& titulo, double largura, bool direita = false,
          bool corta = false)
{
    return Campo{QLatin1String(campo), Motor::Coluna{titulo, largura, direita, corta}};
}

// The requisitioner's code under a heading that stands over the code and the name.
Campo requisitante(bool direita)
{
    Campo c = col("MOV_TIPO", QStringLiteral("Requisitante"), 15, direita);
    c.coluna.tituloSobreDuas = true;
    return c;
}

const QString operacoes[] = {QStringLiteral("EE"), QStringLiteral("SS"), QStringLiteral("TE"),
                             QStringLiteral("TS")};

QVector<Campo> colunasGerais()
{
    return {col("MOV_CODPRO", QStringLiteral("Código"), 22, true),
            col("PRO_DESCRICAO", QStringLiteral("Descrição"), 66, false, true),
            col("MOV_DATA", QStringLiteral("Data"), 22),
            col("MOV_OPER", QStringLiteral("Oper."), 12),
            col("MOV_QUANT", QStringLiteral("Quantidade"), 28, true),
            col("MOV_VALOR", QStringLiteral("Valor"), 30, true)};
}

QVector<Campo> colunasDeUmaOperacao(double descricao)
{
    return {col("MOV_CODPRO", QStringLiteral("Código"), 22, true),
            col("PRO_DESCRICAO", QStringLiteral("Descrição"), descricao, false, true),
            col("MOV_DATA", QStringLiteral("Data"), 22),
            col("MOV_QUANT", QStringLiteral("Quantidade"), 28, true),
            col("MOV_VALOR", QStringLiteral("Valor"), 30, true)};
}

} // namespace

QVector<RelMovimento::Campo> RelMovimento::colunas() const
{
    QVector<Campo> saida = m_def.colunas;
    for (Campo& c : saida)
        if (c.campo == QLatin1String("edReqFor")) {
            c.coluna.titulo = lbForReq;
            c.campo = campoReqFor;
        }
    return saida;
}

Motor::Documento RelMovimento::prepara(const DataSet& lista, const Cabecalho& cabecalho)
{
    Motor::Documento d;
    prepara(lista, cabecalho, Motor::guardaEm(d));
    return d;
}

bool RelMovimento::prepara(const DataSet& lista, const Cabecalho& cabecalho,
                           const Motor::RecebePagina& recebe)
{
    FonteDeLinhas fonte(lista);
    return prepara(fonte, cabecalho, recebe);
}

bool RelMovimento::prepara(FonteDeLinhas& lista, const Cabecalho& cabecalho,
                           const Motor::RecebePagina& recebe)
{
    m_somas.clear();
    m_balanco = Decimal();

    Motor::Layout layout;
    layout.empresa = cabecalho.empresa;
    layout.telefone = cabecalho.telefone;
    layout.quando = cabecalho.quando;
    layout.titulo = m_def.titulo.isEmpty() ? lbTitulo : m_def.titulo;
    if (m_def.periodo)
        layout.subtitulos << QStringLiteral("Período: ") + lbDataIni + QStringLiteral(" à ") +
                                 lbDataFim;
    if (!m_def.rotuloRegistro.isEmpty())
        layout.subtitulos << m_def.rotuloRegistro + QLatin1Char(' ') + lbCodPro +
                                 QStringLiteral(" / ") + lbDescPro;
    layout.cabecalhoEmTodaPagina = true;
    layout.temResumo = m_def.resumo != Resumo::Nenhum;
    if (m_def.legenda)
        layout.legenda = QStringLiteral(
            "Legenda: EE=Entrada,  SS=Saída, TE=Estorno de Entrada, TS=Estorno de Saída");
    QVector<int> campos;
    for (const Campo& c : colunas()) {
        layout.colunas << c.coluna;
        campos << lista.campo(c.campo);
    }

    const int oper = lista.campo(QStringLiteral("MOV_OPER"));
    const int quant = lista.campo(QStringLiteral("MOV_QUANT"));
    const int valor = lista.campo(QStringLiteral("MOV_VALOR"));
    Motor::Linhas linhas;
    linhas.existe = [&](int linha) { return lista.existe(linha); };
    linhas.celula = [&](int linha, int coluna) { return lista.texto(linha, campos.at(coluna)); };
    if (m_def.resumo == Resumo::Geral) {
        linhas.antesDaLinha = [&](int linha) {
            const QString op = lista.valor(linha, oper).toString();
            const Decimal v = Decimal::deVariant(lista.valor(linha, valor));
            // What came into the stock room less what left it, at movement values.
            if (op == QLatin1String("EE") || op == QLatin1String("TS"))
                m_balanco = m_balanco + v;
            else
                m_balanco = m_balanco - v;
            Soma& s = m_somas[op];
            s.quantidade = s.quantidade + Decimal::deVariant(lista.valor(linha, quant));
            s.valor = s.valor + v;
        };
        linhas.resumo = [&] {
            const auto q = [&](const QString& op) {
                return Formatos::numero(m_somas.value(op).quantidade, 3);
            };
            const auto r = [&](const QString& op) {
                return Formatos::moeda(m_somas.value(op).valor, 2);
            };
            return QVector<Motor::LinhaResumo>{
                {QStringLiteral("Total de Entradas(Quantidade):"), q(operacoes[0]),
                 QStringLiteral("Total de Entradas(R$):"), r(operacoes[0])},
                {QStringLiteral("Total de Saídas(Quantidade):"), q(operacoes[1]),
                 QStringLiteral("Total de Saídas(R$):"), r(operacoes[1])},
                {QStringLiteral("Total de Est.de Entradas(Quantidade):"), q(operacoes[2]),
                 QStringLiteral("Total de Est.de Entradas(R$):"), r(operacoes[2])},
                {QStringLiteral("Total de Est.de Saídas(Quantidade):"), q(operacoes[3]),
                 QStringLiteral("Total de Est.de Saídas(R$):"), r(operacoes[3])},
                {QString(), QString(), QStringLiteral("Balanço do Período:"),
                 Formatos::moeda(m_balanco, 2)}};
        };
    } else if (m_def.resumo == Resumo::Simples) {
        // The statement chose the rows: every one counts, whatever its operation.
        linhas.antesDaLinha = [&](int linha) {
            Soma& s = m_somas[QString()];
            s.quantidade = s.quantidade + Decimal::deVariant(lista.valor(linha, quant));
            s.valor = s.valor + Decimal::deVariant(lista.valor(linha, valor));
        };
        linhas.resumo = [&] {
            const Soma s = m_somas.value(QString());
            return QVector<Motor::LinhaResumo>{{rotuloQuantidade, Formatos::numero(s.quantidade, 3),
                                                rotuloValor, Formatos::moeda(s.valor, 2)}};
        };
    }
    return Motor::monta(layout, linhas, recebe);
}

TfRel_Mov_Estq::TfRel_Mov_Estq()
    : RelMovimento({QStringLiteral("Lista de Movimentação de Estoque Geral por Data"), QString(),
                    true, colunasGerais(), Resumo::Geral, true})
{}

TfRel_Mov_ESTQ_EST::TfRel_Mov_ESTQ_EST()
    : RelMovimento({QString(), QString(), true, colunasDeUmaOperacao(74), Resumo::Simples, false})
{}

TfREL_TES::TfREL_TES()
    : RelMovimento({QString(),
                    QString(),
                    true,
                    {col("MOV_CODPRO", QStringLiteral("Código"), 22, true),
                     col("PRO_DESCRICAO", QStringLiteral("Descrição"), 57, false, true),
                     col("edReqFor", QString(), 23), col("MOV_DATA", QStringLiteral("Data"), 22),
                     col("MOV_QUANT", QStringLiteral("Quantidade"), 26, true),
                     col("MOV_VALOR", QStringLiteral("Valor"), 28, true)},
                    Resumo::Simples,
                    false})
{}

TfRel_MovEstq_Produto_Geral::TfRel_MovEstq_Produto_Geral()
    : RelMovimento({QStringLiteral("Lista de Movimentação de Estoque por Produto"),
                    QStringLiteral("Produto:"),
                    true,
                    {col("MOV_DATA", QStringLiteral("Data"), 22),
                     col("DESCRICAO", QStringLiteral("Oper."), 40),
                     col("MOV_QUANT", QStringLiteral("Quantidade"), 28, true),
                     col("MOV_VALOR", QStringLiteral("Valor"), 30, true)},
                    Resumo::Geral,
                    false})
{}

TfRel_Mov_Estq_Produto_ES::TfRel_Mov_Estq_Produto_ES()
    : RelMovimento({QString(),
                    QStringLiteral("Produto:"),
                    true,
                    {col("MOV_DATA", QStringLiteral("Data"), 22), requisitante(true),
                     col("REQ_DESCRICAO", QString(), 66, false, true),
                     col("MOV_QUANT", QStringLiteral("Quantidade"), 28, true),
                     col("MOV_VALOR", QStringLiteral("Valor"), 30, true)},
                    Resumo::Simples,
                    false})
{}

TfRel_Mov_Estq_Grupo::TfRel_Mov_Estq_Grupo()
    : RelMovimento({QStringLiteral("Lista de Movimentação de Estoque por Grupo"),
                    QStringLiteral("Grupo:"), true, colunasGerais(), Resumo::Geral, true})
{}

TfRel_Mov_Estq_Grupo_ES::TfRel_Mov_Estq_Grupo_ES()
    : RelMovimento({QString(), QStringLiteral("Grupo:"), true, colunasDeUmaOperacao(66),
                    Resumo::Simples, false})
{}

TfRel_Mov_Estq_Tipo::TfRel_Mov_Estq_Tipo()
    : RelMovimento({QString(), QStringLiteral("Requisitante:"), true, colunasDeUmaOperacao(66),
                    Resumo::Simples, false})
{}

TfRel_DevAtrasada::TfRel_DevAtrasada()
    : RelMovimento({QStringLiteral("Lista de Devoluções Atrasadas"),
                    QString(),
                    false,
                    {col("MOV_CODPRO", QStringLiteral("Código"), 22, true),
                     col("PRO_DESCRICAO", QStringLiteral("Descrição"), 45, false, true),
                     col("MOV_DATAD", QStringLiteral("D.Prevista"), 22), requisitante(false),
                     col("REQ_DESCRICAO", QString(), 43, false, true),
                     col("MOV_QUANT", QStringLiteral("Quantidade"), 26, true)},
                    Resumo::Nenhum,
                    false})
{}
