#pragma once

#include "common/Exportacao.h"
#include "reports/Rel_Estoque.h"
#include "reports/Rel_Movimentos.h"
#include "reports/Rel_Sugestao.h"

#include <QDate>

#include <functional>
#include <memory>
#include <optional>

class TdmProdutos;
class TdmMovEstq;
class TdmMovConsu;
class FonteDeLinhas;
class Consulta;

// The report keys and what each one prints: which layout, over which of the shared lists.
// Held once by the output-choice window (and by the command-line tool), so every layout keeps
// the texts a request set on it until the next request sets them again.
class Relatorios {
public:
    Relatorios(TdmProdutos& produtos, TdmMovEstq& movimentos, TdmMovConsu& emprestimos);
    ~Relatorios();

    TfRel_Itens_Estoque relItensEstoque;
    TfRel_Itens_Estoque2 relItensEstoque2;
    TfRel_Itens_Estoque_Grupo relItensEstoqueGrupo;
    TfRel_Itens_Estoque_Grupo2 relItensEstoqueGrupo2;
    TfRel_ProEstoque relProEstoque;
    TfRel_Min relMin;

    TfRel_Mov_Estq relMovEstq;
    TfRel_Mov_ESTQ_EST relMovEstqEST;
    TfREL_TES relTES;
    TfRel_MovEstq_Produto_Geral relProdutoGeral;
    TfRel_Mov_Estq_Produto_ES relProdutoES;
    TfRel_Mov_Estq_Grupo relGrupo;
    TfRel_Mov_Estq_Grupo_ES relGrupoES;
    TfRel_Mov_Estq_Tipo relTipo;
    TfRel_DevAtrasada relDevAtrasada;
    TfRel_SugestaoCompra relSugestao;

    // What a parameter dialog hands over: the period and the code and name it shows.
    struct Parametros {
        QDate inicio;
        QDate fim;
        QString codigo;
        QString descricao;
    };
    // Which dialog a movement key belongs to; none for the other keys.
    enum class Dialogo { Datas, Produto, Grupo, Requisitante };
    static std::optional<Dialogo> dialogoDaChave(const QString& chave);
    // The print button of a parameter dialog: keeps the movement request for the key (its rows
    // are read from the database as the report is laid out, a batch at a time) and sets the
    // texts of its layout (period, code and name, variant title, captions and column). False
    // for a key that is not a movement key.
    bool carregaMovimentos(const QString& chave, const Parametros& p);
    // The whole list a report of `chave` prints, read to its end into the shared list (for
    // writing its rows to a spreadsheet); none for an unknown key. Database errors reach the
    // caller as ErroBanco.
    const DataSet* carregaLista(const QString& chave);
    // The rows a report of `chave` prints, for a spreadsheet: its list read to its end (as
    // carregaLista), under the column headings the layout prints, in their order; a column
    // without a heading of its own takes the one printed over it. None for an unknown key.
    // Database errors reach the caller as ErroBanco.
    std::optional<Exportacao::Tabela> tabela(const QString& chave);
    // The texts the output choice sets before producing the four keys that have them.
    void aplicaVariantes(const QString& chave);
    // The movement layout of a key; none for other keys.
    RelMovimento* layoutMovimento(const QString& chave);

    // Every key a request may carry.
    static QStringList chaves();
    // The keys whose menu item loads the rows itself, without a dialog.
    static bool semDialogo(const QString& chave);
    // The two keys of the group dialog.
    static bool doGrupo(const QString& chave);

    // Keeps the request of a key that needs no dialog: a stock list or the overdue loans. Its
    // rows are read from the database a batch at a time as the report is laid out, so a
    // register of a hundred thousand products never waits whole in memory, and the shared
    // product list stays as the windows left it. False for any other key.
    bool carregaSemDialogo(const QString& chave);
    // Keeps the request of a group key, with the group code as given.
    void carregaGrupo(const QString& grupo);

    // The stock-list layout of a key; none for a key of another kind.
    RelEstoque* layoutEstoque(const QString& chave);

    // The report of `chave` laid out from the rows of its list, all of them read first; none
    // for an unknown key. A list that cannot be read to its end throws ErroBanco.
    std::optional<Motor::Documento> prepara(const QString& chave, const Cabecalho& cabecalho);
    // The same report written to a PDF file a page at a time, each page let go once written:
    // the number of pages, or none for an unknown key or a file that could not be written.
    // `progresso`, when given, hears the number of each page once it is written.
    std::optional<int> gravaPdf(const QString& chave, const Cabecalho& cabecalho,
                                const QString& arquivo,
                                const std::function<void(int pagina)>& progresso = {});

    // Lays the report of `chave` out, page by page into `recebe`: whether it went to its end,
    // none for an unknown key. A list that cannot be read to its end throws ErroBanco.
    std::optional<bool> produz(const QString& chave, const Cabecalho& cabecalho,
                               const Motor::RecebePagina& recebe);

private:
    struct Pedido;
    struct PedidoEstoque;
    // The rows of the last stock request, read from the database a batch at a time.
    std::unique_ptr<FonteDeLinhas> abreEstoque();
    // The rows of the last movement request, read from the database a batch at a time.
    std::unique_ptr<FonteDeLinhas> abreMovimentos();

    TdmProdutos& m_produtos;
    TdmMovEstq& m_movimentos;
    TdmMovConsu& m_emprestimos;
    std::unique_ptr<Pedido> m_pedido;         // none until a dialog asks for movements
    std::unique_ptr<PedidoEstoque> m_estoque; // none until a stock list is asked for
    std::unique_ptr<Consulta> m_atrasadas;    // the overdue loans, once asked for
};
