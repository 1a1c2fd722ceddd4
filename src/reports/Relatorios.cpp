#include "reports/Relatorios.h"

#include "common/Formatos.h"
#include "data/DataModule_MovConsu.h"
#include "data/DataModule_MovEstq.h"
#include "data/DataModule_Produtos.h"
#include "data/firebird/Consulta.h"
#include "data/firebird/ErroBanco.h"
#include "reports/FonteDeLinhas.h"

namespace {

using Lista = TdmProdutos::ListaEstoque;

struct ChaveEstoque {
    const char* chave;
    std::optional<Lista> lista; // none: the group dialog loads it
};

const ChaveEstoque chavesEstoque[] = {
    {"Itens Estoque Codigo", Lista::PorCodigo},
    {"Itens Estoque Codigo 2", Lista::PorCodigo},
    {"Itens Estoque Descricao", Lista::PorDescricao},
    {"Itens Estoque Descricao 2", Lista::PorDescricao},
    {"Itens Estoque Grupo", std::nullopt},
    {"Itens Estoque Grupo 2", std::nullopt},
    {"Produtos em Estoque", Lista::EmEstoque},
    {"Estoque Minimo", Lista::AbaixoDoMinimo},
};

using Cabeca = TdmMovEstq::Cabeca;
using Selecao = TdmMovEstq::Selecao;

// The movement keys: the dialog, the statement and its operation, and the texts the print
// button sets on the layout.
struct ChaveMovimento {
    const char* chave;
    Relatorios::Dialogo dialogo;
    Cabeca cabeca;
    Selecao selecao;
    const char* oper;
    const char* titulo;     // the variant title, where the dialog sets one
    const char* quantidade; // the summary's variant captions
    const char* valor;
};

using D = Relatorios::Dialogo;
const ChaveMovimento chavesMovimento[] = {
    {"Mov_Estq Geral Datas", D::Datas, Cabeca::M, Selecao::W1, "", nullptr, nullptr, nullptr},
    {"Rel MovEstq Entradas", D::Datas, Cabeca::M, Selecao::W2, "EE", nullptr, nullptr, nullptr},
    {"Rel MovEstq Saídas", D::Datas, Cabeca::M, Selecao::W2, "SS", nullptr, nullptr, nullptr},
    {"Rel MovEstq TE", D::Datas, Cabeca::M, Selecao::W2, "TE", nullptr, nullptr, nullptr},
    {"Rel MovEstq TS", D::Datas, Cabeca::M, Selecao::W2, "TS", nullptr, nullptr, nullptr},
    {"Rel MovEstq Produto Geral", D::Produto, Cabeca::M, Selecao::W3, "", nullptr, nullptr,
     nullptr},
    {"Mov Estq Produto Entrada", D::Produto, Cabeca::M, Selecao::W4, "EE",
     "Movimentação de Estoque por Produto(Somente Entradas)", "Total de Entradas(Quantidade)",
     "Total de Entradas(R$)"},
    {"Mov Estq Produto Saida", D::Produto, Cabeca::M, Selecao::W4, "SS",
     "Movimentação de Estoque por Produto(Somente Saídas)", "Total de Saídas(Quantidade)",
     "Total de Saídas(R$)"},
    {"Mov Estq Grupos", D::Grupo, Cabeca::G, Selecao::W5, "", nullptr, nullptr, nullptr},
    {"Mov Estq Grupo Entrada", D::Grupo, Cabeca::M, Selecao::W6, "EE",
     "Movimentação de Estoque por Grupo(Somente Entradas)", "Total de Entradas(Quantidade)",
     "Total de Entradas(R$)"},
    {"Mov Estq Grupo Saida", D::Grupo, Cabeca::M, Selecao::W6, "SS",
     "Movimentação de Estoque por Grupo(Somente Saídas)", "Total de Saídas(Quantidade)",
     "Total de Saídas(R$)"},
    {"Mov Estq Tipos", D::Requisitante, Cabeca::G, Selecao::W7, "SS",
     "Lista de Movimentação de Estoque de Saídas por Requisitante",
     "Total de Saídas(Quantidade):", "Total de Saídas(R$):"},
    {"Mov Estq Tipos TS", D::Requisitante, Cabeca::G, Selecao::W7, "TS",
     "Lista de Movimentação de Estoque de Estorno por Requisitante",
     "Total de Estorno(Quantidade):", "Total de Estorno(R$):"},
};

const ChaveMovimento* chaveMovimento(const QString& chave)
{
    for (const ChaveMovimento& c : chavesMovimento)
        if (chave == QString::fromUtf8(c.chave))
            return &c;
    return nullptr;
}

const QString devolucaoAtrasada = QStringLiteral("Devolução Atrasada");
const QString sugestaoCompra = QStringLiteral("Sugestao de Compra");

const ChaveEstoque* chaveEstoque(const QString& chave)
{
    for (const ChaveEstoque& c : chavesEstoque)
        if (chave == QString::fromUtf8(c.chave))
            return &c;
    return nullptr;
}

// A list the report asked for itself comes on a cursor of its own (`fonte`), read a batch at a
// time as the pages are laid out; the list a window shows is read to its end first.
template <typename Layout>
bool produzDe(Layout& layout, std::unique_ptr<FonteDeLinhas> fonte, DataSet& lista,
              const Cabecalho& cabecalho, const Motor::RecebePagina& recebe)
{
    if (fonte)
        return layout.prepara(*fonte, cabecalho, recebe);
    lista.completa();
    return layout.prepara(lista, cabecalho, recebe);
}

} // namespace

struct Relatorios::Pedido {
    TdmMovEstq::Cabeca cabeca;
    TdmMovEstq::Selecao selecao;
    TdmMovEstq::Periodo periodo;
};

struct Relatorios::PedidoEstoque {
    TdmProdutos::ListaEstoque lista;
    QString grupo;
};

Relatorios::Relatorios(TdmProdutos& produtos, TdmMovEstq& movimentos, TdmMovConsu& emprestimos)
    : m_produtos(produtos), m_movimentos(movimentos), m_emprestimos(emprestimos)
{}

Relatorios::~Relatorios() = default;

QStringList Relatorios::chaves()
{
    QStringList saida;
    for (const ChaveEstoque& c : chavesEstoque)
        saida << QString::fromUtf8(c.chave);
    for (const ChaveMovimento& c : chavesMovimento)
        saida << QString::fromUtf8(c.chave);
    saida << devolucaoAtrasada << sugestaoCompra;
    return saida;
}

bool Relatorios::semDialogo(const QString& chave)
{
    const ChaveEstoque* c = chaveEstoque(chave);
    return (c && c->lista) || chave == devolucaoAtrasada || chave == sugestaoCompra;
}

bool Relatorios::doGrupo(const QString& chave)
{
    const ChaveEstoque* c = chaveEstoque(chave);
    return c && !c->lista;
}

bool Relatorios::carregaSemDialogo(const QString& chave)
{
    if (chave == devolucaoAtrasada) {
        // Kept to be read as the pages are laid out; the loan list of the return window stays.
        m_atrasadas = std::make_unique<Consulta>(m_emprestimos.SQLQMovConsu2.conexao());
        preparaAtrasadas(*m_atrasadas, QDate::currentDate());
        return true;
    }
    if (chave == sugestaoCompra) {
        relSugestao.carrega(m_produtos.SQLQ_Produtos2.conexao());
        return true;
    }
    const ChaveEstoque* c = chaveEstoque(chave);
    if (!c || !c->lista)
        return false;
    m_estoque = std::make_unique<PedidoEstoque>(PedidoEstoque{*c->lista, QString()});
    return true;
}

void Relatorios::carregaGrupo(const QString& grupo)
{
    m_estoque = std::make_unique<PedidoEstoque>(PedidoEstoque{Lista::DoGrupo, grupo});
}

std::unique_ptr<FonteDeLinhas> Relatorios::abreEstoque()
{
    // The statement the stock list would load, on a cursor of its own; the cells read as the
    // product list shows them.
    Consulta consulta(m_produtos.SQLQ_Produtos2.conexao());
    consulta.setSql(TdmProdutos::sqlListaEstoque(m_estoque->lista));
    if (m_estoque->lista == Lista::DoGrupo)
        consulta.setParametro(QStringLiteral("CodGru"), m_estoque->grupo);
    return std::make_unique<FonteDeLinhas>(consulta.abreCursor(), m_produtos.cds_Produtos);
}

RelEstoque* Relatorios::layoutEstoque(const QString& chave)
{
    if (chave == QLatin1String("Itens Estoque Codigo") ||
        chave == QLatin1String("Itens Estoque Descricao"))
        return &relItensEstoque;
    if (chave == QLatin1String("Itens Estoque Codigo 2") ||
        chave == QLatin1String("Itens Estoque Descricao 2"))
        return &relItensEstoque2;
    if (chave == QLatin1String("Itens Estoque Grupo"))
        return &relItensEstoqueGrupo;
    if (chave == QLatin1String("Itens Estoque Grupo 2"))
        return &relItensEstoqueGrupo2;
    if (chave == QLatin1String("Produtos em Estoque"))
        return &relProEstoque;
    if (chave == QLatin1String("Estoque Minimo"))
        return &relMin;
    return nullptr;
}

std::optional<bool> Relatorios::produz(const QString& chave, const Cabecalho& cabecalho,
                                       const Motor::RecebePagina& recebe)
{
    // A report prints the whole list, never just the rows a grid has read so far; a list that
    // could not be read to its end stops the report with the database's words (ErroBanco).
    if (RelEstoque* r = layoutEstoque(chave))
        return produzDe(*r, m_estoque ? abreEstoque() : nullptr, m_produtos.cds_Produtos, cabecalho,
                        recebe);
    if (chave == devolucaoAtrasada)
        return produzDe(relDevAtrasada,
                        m_atrasadas ? std::make_unique<FonteDeLinhas>(m_atrasadas->abreCursor(),
                                                                      m_emprestimos.cdsMovConsu)
                                    : nullptr,
                        m_emprestimos.cdsMovConsu, cabecalho, recebe);
    if (chave == sugestaoCompra)
        return relSugestao.prepara(cabecalho, recebe);
    // A year of movements is read a batch at a time as its pages are laid out, each batch let
    // go once laid out, so the workstation's memory does not grow with the period.
    if (RelMovimento* r = layoutMovimento(chave))
        return produzDe(*r, m_pedido ? abreMovimentos() : nullptr, m_movimentos.cds_MovEstq,
                        cabecalho, recebe);
    return std::nullopt;
}

std::optional<Motor::Documento> Relatorios::prepara(const QString& chave,
                                                    const Cabecalho& cabecalho)
{
    Motor::Documento d;
    if (!produz(chave, cabecalho, Motor::guardaEm(d)))
        return std::nullopt;
    return d;
}

std::optional<int> Relatorios::gravaPdf(const QString& chave, const Cabecalho& cabecalho,
                                        const QString& arquivo,
                                        const std::function<void(int pagina)>& progresso)
{
    Motor::ArquivoPdf pdf;
    bool aberto = false;
    int paginas = 0;
    const std::optional<bool> inteiro =
        produz(chave, cabecalho, [&](const Motor::Documento& molde, Motor::Pagina&& pagina, int) {
            if (!aberto && !(aberto = pdf.abre(arquivo, molde)))
                return false;
            if (!pdf.pinta(molde, pagina))
                return false;
            ++paginas;
            if (progresso)
                progresso(paginas);
            return true;
        });
    if (!inteiro || !*inteiro || !pdf.termina())
        return std::nullopt;
    return paginas;
}

std::unique_ptr<FonteDeLinhas> Relatorios::abreMovimentos()
{
    // The rows the movement list would load, read on a cursor of its own: the shared list and
    // its statement stay as the windows left them.
    Consulta consulta(m_movimentos.SQLQ_MovEstq2.conexao());
    const TdmMovEstq::Periodo& p = m_pedido->periodo;
    const auto abre = [&](const QString& texto) {
        consulta.setSql(texto);
        TdmMovEstq::ligaPeriodo(consulta, p);
        return consulta.abreCursor();
    };
    std::unique_ptr<Cursor> cursor;
    try {
        cursor = abre(sqlRelatorioMovimentos(m_pedido->cabeca, m_pedido->selecao));
    } catch (const ErroBanco&) {
        // A database whose ledger lacks the date index the walk by date names still prints
        // the report, sorted by the engine as before; any other fault fails again here.
        cursor = abre(TdmMovEstq::sqlCabeca(m_pedido->cabeca) +
                      TdmMovEstq::sqlSelecao(m_pedido->selecao));
    }
    return std::make_unique<FonteDeLinhas>(std::move(cursor), m_movimentos.cds_MovEstq);
}

const DataSet* Relatorios::carregaLista(const QString& chave)
{
    if (layoutEstoque(chave)) {
        if (m_estoque)
            m_produtos.carregaListaEstoque(m_estoque->lista, m_estoque->grupo);
        m_produtos.cds_Produtos.completa();
        return &m_produtos.cds_Produtos;
    }
    if (chave == devolucaoAtrasada) {
        if (m_atrasadas)
            m_emprestimos.cdsMovConsu.carrega(*m_atrasadas);
        else
            m_emprestimos.cdsMovConsu.completa();
        return &m_emprestimos.cdsMovConsu;
    }
    if (chave == sugestaoCompra)
        return &relSugestao.lista();
    if (!layoutMovimento(chave))
        return nullptr;
    if (m_pedido)
        m_movimentos.carregaRelatorio(m_pedido->cabeca, m_pedido->selecao, m_pedido->periodo);
    else
        m_movimentos.cds_MovEstq.completa();
    return &m_movimentos.cds_MovEstq;
}

std::optional<Exportacao::Tabela> Relatorios::tabela(const QString& chave)
{
    QVector<RelEstoque::Campo> colunas;
    if (RelEstoque* r = layoutEstoque(chave))
        colunas = r->colunas();
    else if (chave == devolucaoAtrasada)
        colunas = relDevAtrasada.colunas();
    else if (RelMovimento* r = layoutMovimento(chave))
        colunas = r->colunas();
    const DataSet* lista = colunas.isEmpty() ? nullptr : carregaLista(chave);
    if (!lista)
        return std::nullopt;
    QList<Exportacao::CampoTitulado> campos;
    for (qsizetype i = 0; i < colunas.size(); ++i) {
        QString titulo = colunas.at(i).coluna.titulo;
        if (titulo.isEmpty() && i > 0 && colunas.at(i - 1).coluna.tituloSobreDuas)
            titulo = colunas.at(i - 1).coluna.titulo;
        campos.append({colunas.at(i).campo, titulo});
    }
    return Exportacao::tabelaDaLista(*lista, campos);
}

std::optional<Relatorios::Dialogo> Relatorios::dialogoDaChave(const QString& chave)
{
    if (const ChaveMovimento* c = chaveMovimento(chave))
        return c->dialogo;
    return std::nullopt;
}

RelMovimento* Relatorios::layoutMovimento(const QString& chave)
{
    const ChaveMovimento* c = chaveMovimento(chave);
    if (!c)
        return nullptr;
    switch (c->selecao) {
    case Selecao::W1:
        return &relMovEstq;
    case Selecao::W2:
        return c->oper[0] == 'T' ? static_cast<RelMovimento*>(&relTES) : &relMovEstqEST;
    case Selecao::W3:
        return &relProdutoGeral;
    case Selecao::W4:
        return &relProdutoES;
    case Selecao::W5:
        return &relGrupo;
    case Selecao::W6:
        return &relGrupoES;
    case Selecao::W7:
        return &relTipo;
    }
    return nullptr;
}

bool Relatorios::carregaMovimentos(const QString& chave, const Parametros& p)
{
    const ChaveMovimento* c = chaveMovimento(chave);
    if (!c)
        return false;
    TdmMovEstq::Periodo periodo;
    periodo.inicio = p.inicio;
    periodo.fim = p.fim;
    periodo.oper = QLatin1String(c->oper);
    switch (c->dialogo) {
    case Dialogo::Produto:
        periodo.produto = p.codigo;
        break;
    case Dialogo::Grupo:
        periodo.grupo = p.codigo;
        break;
    case Dialogo::Requisitante:
        periodo.tipo = p.codigo;
        break;
    case Dialogo::Datas:
        break;
    }
    m_pedido = std::make_unique<Pedido>(Pedido{c->cabeca, c->selecao, periodo});

    RelMovimento& r = *layoutMovimento(chave);
    r.lbDataIni = Formatos::data(p.inicio);
    r.lbDataFim = Formatos::data(p.fim);
    if (c->dialogo != Dialogo::Datas) {
        r.lbCodPro = p.codigo;
        r.lbDescPro = p.descricao;
    }
    if (c->titulo) {
        r.lbTitulo = QString::fromUtf8(c->titulo);
        r.rotuloQuantidade = QString::fromUtf8(c->quantidade);
        r.rotuloValor = QString::fromUtf8(c->valor);
    }
    // The reversal report's third column: the supplier of a reversed entry, the
    // requisitioner of a reversed exit.
    if (&r == &relTES) {
        const bool entrada = periodo.oper == QLatin1String("TE");
        r.lbForReq = entrada ? QStringLiteral("Fornec.") : QStringLiteral("Requis.");
        r.campoReqFor = entrada ? QStringLiteral("MOV_CodFor") : QStringLiteral("MOV_TIPO");
    }
    return true;
}

void Relatorios::aplicaVariantes(const QString& chave)
{
    struct Variante {
        const char* chave;
        RelMovimento* layout;
        const char* titulo;
        const char* quantidade;
        const char* valor;
    };
    const Variante variantes[] = {
        {"Rel MovEstq Entradas", &relMovEstqEST,
         "Lista de Movimentação de Estoque Geral (Somente Entradas)",
         "Total de Entradas(Quantidade):", "Total de Entradas(R$):"},
        {"Rel MovEstq Saídas", &relMovEstqEST,
         "Lista de Movimentação de Estoque Geral (Somente Saídas)",
         "Total de Saídas(Quantidade):", "Total de Saídas(R$):"},
        {"Rel MovEstq TE", &relTES, "Lista de Movimentação de Estoque Geral (Somente E.Entradas)",
         "Total de Estorno de Entradas(Quantidade):", "Total de Estrorno de Entradas(R$):"},
        {"Rel MovEstq TS", &relTES, "Lista de Movimentação de Estoque Geral (Somente E.Saídas)",
         "Total de Estorno de Saídas(Quantidade):", "Total de Estrorno de Saídas(R$):"},
    };
    for (const Variante& v : variantes)
        if (chave == QString::fromUtf8(v.chave)) {
            v.layout->lbTitulo = QString::fromUtf8(v.titulo);
            v.layout->rotuloQuantidade = QString::fromUtf8(v.quantidade);
            v.layout->rotuloValor = QString::fromUtf8(v.valor);
        }
}
