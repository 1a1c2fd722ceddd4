#include "reports/Rel_Estoque.h"

#include "common/Formatos.h"
#include "data/DataSet.h"
#include "reports/FonteDeLinhas.h"

namespace {

const QString totalGeral = QStringLiteral("Total em Estoque em R$:");
const QString totalDoGrupo = QStringLiteral("Total em Estoque pelo em R$:");

} // namespace

QVector<RelEstoque::Campo> RelEstoque::colunas() const
{
    const auto col = [](const char* campo, const QString& titulo, double largura, bool direita,
                        bool corta = false) {
        return Campo{QLatin1String(campo), Motor::Coluna{titulo, largura, direita, corta}};
    };
    QVector<Campo> colunas;
    colunas << col("PRO_CODIGO", QStringLiteral("Código"), 22, true)
            << col("PRO_DESCRICAO", QStringLiteral("Descrição"), m_def.larguraDescricao, false,
                   true)
            << col("PRO_UNID", QStringLiteral("Unid."), 9, false);
    if (m_def.colunas == Colunas::ComLocalizacao)
        colunas << col("PRO_LOCAL", QStringLiteral("Localização"), 23, false)
                << col("PRO_MIN", m_def.tituloMinimo, 14, true);
    colunas << col("PRO_QUANT", QStringLiteral("Quantidade"), 26, true);
    if (m_def.colunas != Colunas::SemValor)
        colunas << col("PRO_VALOR", QStringLiteral("Valor"), 30, true);
    return colunas;
}

Motor::Documento RelEstoque::prepara(const DataSet& lista, const Cabecalho& cabecalho)
{
    Motor::Documento d;
    prepara(lista, cabecalho, Motor::guardaEm(d));
    return d;
}

bool RelEstoque::prepara(const DataSet& lista, const Cabecalho& cabecalho,
                         const Motor::RecebePagina& recebe)
{
    FonteDeLinhas fonte(lista);
    return prepara(fonte, cabecalho, recebe);
}

bool RelEstoque::prepara(FonteDeLinhas& lista, const Cabecalho& cabecalho,
                         const Motor::RecebePagina& recebe)
{
    m_total = Decimal();

    Motor::Layout layout;
    layout.empresa = cabecalho.empresa;
    layout.telefone = cabecalho.telefone;
    layout.quando = cabecalho.quando;
    layout.titulo = m_def.titulo;
    if (m_def.linhaDoGrupo)
        layout.subtitulos << QStringLiteral("Grupo: ") + lbCodGrupo + QStringLiteral(" / ") +
                                 lbDescGrupo;
    layout.cabecalhoEmTodaPagina = false;
    layout.temResumo = !m_def.rotuloTotal.isEmpty();
    QVector<int> campos;
    for (const Campo& c : colunas()) {
        layout.colunas << c.coluna;
        campos << lista.campo(c.campo);
    }

    const int valor = lista.campo(QStringLiteral("PRO_VALOR"));
    const int quantidade = lista.campo(QStringLiteral("PRO_QUANT"));
    Motor::Linhas linhas;
    linhas.existe = [&](int linha) { return lista.existe(linha); };
    linhas.celula = [&](int linha, int coluna) { return lista.texto(linha, campos.at(coluna)); };
    if (layout.temResumo) {
        // Exact: value (2 decimals) times quantity (3 decimals) summed to the fifth decimal,
        // rounded to the cent only when printed. A missing value counts as zero.
        linhas.antesDaLinha = [&](int linha) {
            m_total = m_total + Decimal::deVariant(lista.valor(linha, valor)) *
                                    Decimal::deVariant(lista.valor(linha, quantidade));
        };
        linhas.resumo = [&] {
            return QVector<Motor::LinhaResumo>{
                {QString(), QString(), m_def.rotuloTotal, Formatos::moeda(m_total, 2)}};
        };
    }
    return Motor::monta(layout, linhas, recebe);
}

TfRel_Itens_Estoque::TfRel_Itens_Estoque()
    : RelEstoque({.titulo = QStringLiteral("Lista de Itens no Estoque"),
                  .colunas = Colunas::Simples,
                  .larguraDescricao = 93,
                  .rotuloTotal = totalGeral,
                  .linhaDoGrupo = false})
{}

TfRel_Itens_Estoque2::TfRel_Itens_Estoque2()
    : RelEstoque({.titulo = QStringLiteral("Lista de Itens no Estoque"),
                  .colunas = Colunas::ComLocalizacao,
                  .larguraDescricao = 53,
                  .rotuloTotal = totalGeral,
                  .linhaDoGrupo = false})
{}

TfRel_Itens_Estoque_Grupo::TfRel_Itens_Estoque_Grupo()
    : RelEstoque({.titulo = QStringLiteral("Lista de Itens no Estoque de um Grupo"),
                  .colunas = Colunas::Simples,
                  .larguraDescricao = 91,
                  .rotuloTotal = totalDoGrupo,
                  .linhaDoGrupo = true})
{}

TfRel_Itens_Estoque_Grupo2::TfRel_Itens_Estoque_Grupo2()
    : RelEstoque({.titulo = QStringLiteral("Lista de Itens no Estoque de um Grupo"),
                  .colunas = Colunas::ComLocalizacao,
                  .larguraDescricao = 51,
                  .tituloMinimo = QStringLiteral("Est.Min."),
                  .rotuloTotal = totalDoGrupo,
                  .linhaDoGrupo = true})
{}

TfRel_ProEstoque::TfRel_ProEstoque()
    : RelEstoque({.titulo = QStringLiteral("Produtos em Estoque"),
                  .colunas = Colunas::SemValor,
                  .larguraDescricao = 125,
                  .rotuloTotal = QString(),
                  .linhaDoGrupo = false})
{}

TfRel_Min::TfRel_Min()
    : RelEstoque({.titulo = QStringLiteral("Itens Abaixo do Estoque Mínimo"),
                  .colunas = Colunas::ComLocalizacao,
                  .larguraDescricao = 53,
                  .rotuloTotal = QString(),
                  .linhaDoGrupo = false})
{}
