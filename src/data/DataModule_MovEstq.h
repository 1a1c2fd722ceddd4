#pragma once

#include "common/Decimal.h"
#include "data/DataSet.h"
#include "data/firebird/Consulta.h"

#include <QDate>
#include <QStringList>
#include <optional>

// The stock ledger: the work query, the movement list shared by the maintenance and query
// windows and the movement reports, and the operation codes.
//
// Every load of the list for a purpose (a report, a window's day or period) starts clean: no
// row filter left by the window that used the list last, the statement's own order, its first
// row current. A window that narrows the list (the movement query) sets its filter again after
// it loads.
class TdmMovEstq {
public:
    // One ledger row as the list shows it; an empty value is one the row does not have.
    struct Movimento {
        qint64 numero = 0;
        QString produto;
        QString operacao;
        QDate data;
        std::optional<Decimal> quantidade;
        std::optional<Decimal> valor;
    };

    explicit TdmMovEstq(Conexao& c);

    // Whether the ledger names this product (padded code) in any movement.
    bool produtoTemMovimento(const QString& codigo);

    // The movement reports load the movement list with a head (M, or G which adds the
    // product's group) and one of seven selections of a period.
    enum class Cabeca { M, G };
    enum class Selecao { W1, W2, W3, W4, W5, W6, W7 };
    struct Periodo {
        QDate inicio;
        QDate fim;
        QString oper;    // W2, W4, W6 (Oper) and W7 (OperC)
        QString produto; // W3, W4: CodPro, as given
        QString grupo;   // W5, W6: CodGRU, as given
        QString tipo;    // W7: CodTIP, the requisitioner's code as given
    };
    static QString sqlCabeca(Cabeca c);
    static QString sqlSelecao(Selecao s);
    // Gives a statement of those selections its period and the choices its selection asks for.
    static void ligaPeriodo(Consulta& consulta, const Periodo& p);
    // Loads cds_MovEstq; both ends of the period are included. Database errors reach the
    // caller as ErroBanco.
    void carregaRelatorio(Cabeca c, Selecao s, const Periodo& p);
    // The ledger list shared by the maintenance and query windows: the movements of one day,
    // or of a date range (both days included), of every product or of one (padded code). No
    // order is imposed.
    void carregaDia(const QDate& dia);
    void carregaPeriodo(const QDate& inicio, const QDate& fim, const QString& produto = {});
    // The list's last statement run again, after a deletion, for the same window: its row
    // filter stays.
    void recarrega();

    // The list's current row; none when the list is empty.
    std::optional<Movimento> movimentoAtual() const;

    // What the movement query shows of the rows read: the operations of the boxes ticked and
    // every product or one. Fixed-width codes compare as the database compares them, without
    // their trailing blanks.
    struct Filtro {
        QStringList operacoes{QStringLiteral("EE"), QStringLiteral("SS"), QStringLiteral("TE"),
                              QStringLiteral("TS")};
        // The product's padded code; none: every row that names a product.
        std::optional<QString> produto{};
    };
    // Narrows the list to `filtro`, until the list is next loaded.
    void filtra(const Filtro& filtro);

    Consulta SQLQ_MovEstq;
    Consulta SQLQ_MovEstq2;
    DataSet cds_MovEstq;
    Consulta SqlQ_CodMOV;

private:
    void comecaLimpa();

    Consulta m_movimentoDoProduto;
};

// The statement a movement report reads its rows from on a cursor of its own: the rows of
// TdmMovEstq::sqlCabeca + sqlSelecao, by date. Over a whole period, alone or for one operation,
// the engine walks the ledger's date index from the first day on, so the first page is ready
// after its own rows instead of after the whole period has been joined and sorted; the other
// selections narrow the ledger by product, group or requisitioner first and sort what is left.
QString sqlRelatorioMovimentos(TdmMovEstq::Cabeca c, TdmMovEstq::Selecao s);
