#pragma once

#include "common/Decimal.h"
#include "data/DataSet.h"
#include "data/ListaDoModulo.h"
#include "data/firebird/Consulta.h"

#include <QDate>
#include <optional>

// One product as the register stores it.
struct Produto {
    QString codigo; // padded to 10 with blanks
    QString descricao;
    QString unidade;
    QString grupo;
    QString local;
    Decimal quantidade; // 3 decimals
    Decimal minimo;
    Decimal maximo;
    Decimal valor; // the average cost, 2 decimals
    QDate ultimaCompra;
    QString fornecedor;
    QDate cadastro;
    QString observacoes;
    QString referencia;
    QString codigoBarras;
    QString consumivel; // "S" or "N"

    bool ehConsumivel() const { return consumivel == QLatin1String("S"); }
    static Produto deLinha(const Resultado& r, int linha = 0);
};

// Products: the work query, the list shared by the product windows and the stock reports,
// the list of a product's suppliers, and the statements of the product record.
class TdmProdutos {
public:
    explicit TdmProdutos(Conexao& c);

    // The orderings of the product list, in the order of the windows' radios.
    enum class Ordem { PorCodigo, PorDescricao, PorReferencia, PorGrupo };
    // The list statement in one ordering: products with their group's name. A product whose
    // group no longer exists drops out of the list.
    static QString sqlLista(Ordem ordem);
    // The list shared by the list and search windows, in the orders of Ordem.
    ListaDoModulo lista();

    // The product of a code (padded to 10) or of a bar code; none when the register has no such
    // code. Database errors reach the caller as ErroBanco.
    std::optional<Produto> produtoPorCodigo(const QString& codigo);
    std::optional<Produto> produtoPorCodigoBarras(const QString& codigoBarras);
    // The product the record window loads to change, delete or show.
    std::optional<Produto> produtoDoCadastro(const QString& codigo);
    // Whether a product already has this code (padded).
    bool codigoExiste(const QString& codigo);

    // The writes of the record window, inside the caller's transaction. Quantity on hand, last
    // purchase and last supplier belong to the stock movements: a new product starts with a
    // quantity of 0 and neither of the others, and a change leaves all three alone, as it does
    // the code: `codigo` names the product changed or deleted. Each answers the rows it touched.
    qint64 inclui(Transacao& t, const Produto& p);
    qint64 altera(Transacao& t, const QString& codigo, const Produto& p);
    qint64 exclui(Transacao& t, const QString& codigo);

    // The suppliers named on a product's movements, one row per supplier, into cds_Produtos3;
    // `fornecedoresVazios` loads the same statement for no product, so the grid starts empty.
    void carregaFornecedores(const QString& codigo);
    void fornecedoresVazios();
    // The stock lists load the product list with statements of their own.
    enum class ListaEstoque { PorCodigo, PorDescricao, DoGrupo, EmEstoque, AbaixoDoMinimo };
    static QString sqlListaEstoque(ListaEstoque lista);
    // Loads cds_Produtos for a stock list; `grupo` is the group code of DoGrupo, bound as
    // given. Database errors reach the caller as ErroBanco.
    void carregaListaEstoque(ListaEstoque lista, const QString& grupo = QString());

    Consulta SQLQ_Produtos2;
    DataSet cds_Produtos;
    Consulta SQLQ_Produtos3;
    DataSet cds_Produtos3;

private:
    Consulta m_porCodigo;
    Consulta m_porCodigoBarras;
    Consulta m_cadastro;
    Consulta m_existe;
    Consulta m_inclui;
    Consulta m_altera;
    Consulta m_exclui;

public:
    // The products to label, each once: those whose codes (padded) lie from `de` to `ate`, an
    // empty end leaving that side open, in code order; those of a group, by description; those
    // of one entry document, in the order they were entered. Database errors reach the caller
    // as ErroBanco.
    QList<Produto> produtosDaFaixa(const QString& de, const QString& ate);
    QList<Produto> produtosDoGrupo(const QString& grupo);
    QList<Produto> produtosDaEntrada(const QString& documento);
};

// Products at or below their minimum stock, by code, with their last supplier's company name
// (ULT_FORNECEDOR: the name, or the code when the supplier is no longer registered): what the
// day's alerts list first. A product whose group was deleted still runs out, so no group join.
void preparaAbaixoDoMinimo(Consulta& consulta);
// Shows a list of products (the register's, or the products below their minimum) as the stock
// room reads it: the stock with its grams, the cost as money, the limits as whole numbers.
void formataProdutos(DataSet& lista);
// The product code (padded) on row `linha` of that list.
QString codigoAbaixoDoMinimo(const DataSet& lista, int linha);

// The same products with what a purchase needs: the unit, the last supplier's phone and
// contact, and the value and quantity of the product's last purchase entry (ULT_VALOR,
// ULT_QUANT; none when it has none). A return of a lent item is an entry too, at no value and
// from no supplier: it says nothing of what the product costs, so it is not a purchase here.
void preparaSugestaoCompra(Consulta& consulta);

// Loads the product list with the one product of `codigo` (padded), as its current row: the
// record window shows the list's current product, so this is how another window shows one
// product's record. A product whose group was deleted is found too.
void carregaProdutoNaLista(TdmProdutos& dm, const QString& codigo);
