#pragma once

#include "data/DataSet.h"
#include "data/firebird/Consulta.h"

#include "common/Decimal.h"

#include <QDate>
#include <optional>

// One open loan as the return window shows it.
struct Emprestimo {
    qint64 numero = 0;
    QString produto;
    QString requisitante;
    std::optional<Decimal> quantidade;
    QString documento;
    QDate data;
    QDate devolucao; // the day it is due back
};

// Loans of non-consumable items: the work query and the loan list of the return window and
// the overdue-returns report.
class TdmMovConsu {
public:
    explicit TdmMovConsu(Conexao& c);

    // The open loans, narrowed by product (padded code) and requisitioner (padded code) when
    // given: the four statements of the return window's "Buscar". No order is imposed.
    void carregaEmprestimos(const QString& produto, const QString& requisitante);
    // The list as the return window opens it: no loan.
    void esvaziaEmprestimos();
    // The list's last statement run again, after a return.
    void recarrega();
    // The list's current loan; none when the list is empty.
    std::optional<Emprestimo> emprestimoAtual() const;
    // Loads cdsMovConsu with the open loans whose return date is before `hoje`.
    void carregaAtrasadas(const QDate& hoje);

    Consulta SQLQMOVConsu;
    Consulta SQLQMovConsu2;
    DataSet cdsMovConsu;

private:
    void montaLista(const QString& filtro);
};

// The open loans whose return date is before `hoje`, as TdmMovConsu::carregaAtrasadas loads
// them, set into `consulta` for a report to read on a cursor of its own.
void preparaAtrasadas(Consulta& consulta, const QDate& hoje);

// The open loans due from `de` to `ate` (both included; a null `de`: every day before `ate`),
// the soonest due first, with the product's description and the requisitioner's name: the
// loans the day's alerts show as overdue and as due in the next days.
void preparaEmprestimosVencendo(Consulta& consulta, const QDate& de, const QDate& ate);
// Shows a list of loans (the return window's, or the due loans') as the stock room reads it:
// quantities without thousands, dates as dates.
void formataEmprestimos(DataSet& lista);

// The loan on row `linha` of a list of open loans (the return window's, or the due loans').
Emprestimo emprestimoDaLinha(const DataSet& lista, int linha);
