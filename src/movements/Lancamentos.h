#pragma once

// The writing of stock movements: each save is one transaction that appends its ledger row,
// its audit line, moves the product's quantity (and, for entries, its average cost and
// descriptive columns) and, for the exit of a lent-out item, opens its loan.
//
// The windows collect and check what the user typed and call these; the same code runs from
// several workstations at once, so:
// - the product row is read WITH LOCK before anything is written: a second workstation moving
//   the same product waits, then computes from the first one's committed figures (read, then
//   write, without the lock loses updates under read-committed isolation);
// - the exit's stock check uses that locked, stored quantity, not the one on screen;
// - saves take turns on the ledger (a lock on one reference row), so two workstations never
//   read the same highest ledger or loan number; should they still (the numbers are keys, so
//   the second insert fails), that save is retried once from the start.

#include "common/Decimal.h"
#include "data/DataModule_MovEstq.h"

#include <QDate>
#include <QString>
#include <functional>
#include <optional>
#include <stdexcept>

class Conexao;
class Transacao;

namespace Lancamentos {

// The product is not (or no longer) in the register.
struct ProdutoInexistente : std::runtime_error {
    ProdutoInexistente() : std::runtime_error("produto inexistente") {}
};
// The exit asks for more than the stock room holds: `disponivel` is what it holds, as read
// under the lock.
struct EstoqueInsuficiente : std::runtime_error {
    explicit EstoqueInsuficiente(Decimal disponivel = {})
        : std::runtime_error("estoque insuficiente"), disponivel(disponivel)
    {}
    Decimal disponivel;
};
// A lent-out item must be issued to a requisitioner, or it can never be asked back.
struct SemRequisitante : std::runtime_error {
    SemRequisitante() : std::runtime_error("sem requisitante") {}
};
// A lent-out item cannot be reversed.
struct ProdutoNaoConsumivel : std::runtime_error {
    ProdutoNaoConsumivel() : std::runtime_error("produto nao consumivel") {}
};
// Only lent-out items are written off; consumables leave through the ordinary exit.
struct ProdutoConsumivel : std::runtime_error {
    ProdutoConsumivel() : std::runtime_error("produto consumivel") {}
};
// The loan is no longer open: someone returned it since the list was read.
struct EmprestimoDevolvido : std::runtime_error {
    EmprestimoDevolvido() : std::runtime_error("emprestimo ja devolvido") {}
};
// The entry would leave the product with no quantity, for which there is no average cost.
struct QuantidadeZerada : std::runtime_error {
    QuantidadeZerada() : std::runtime_error("quantidade zerada") {}
};

// A stock entry: the goods, their unit value and supplier, and the product's descriptive
// columns as the window shows them (an entry rewrites them).
struct Entrada {
    QString produto; // padded to 10 with blanks
    QDate data;
    Decimal quantidade;
    Decimal unitario;
    QString documento;
    QString fornecedor; // padded to 10 with zeros, or empty
    QString descricao;
    QString unidade;
    QString local;
    QString observacoes;
    QString referencia;
    Decimal minimo;
    Decimal maximo;
};

struct Saida {
    QString produto;
    QDate data;
    Decimal quantidade;
    Decimal unitario;
    QString documento;
    QString requisitante; // padded to 6 with zeros, or empty
    bool consumivel = true;
    QDate devolucao; // due date of the loan of a lent-out item
};

struct Estorno {
    QString operacao; // "TE" reverses an entry, "TS" an exit
    QString produto;
    QDate data;
    Decimal quantidade;
    Decimal unitario;
    QString documento;
    QString contraparte; // the supplier ("TE") or the requisitioner ("TS")
};

// The return of one open loan, named by its number, on a date. What comes back (product,
// quantity, document, requisitioner) is read from the loan itself.
struct Devolucao {
    qint64 emprestimo = 0;
    QDate data;
};

// The write-off of a lent-out item that is lost or scrapped: it leaves at its average cost.
struct Extravio {
    QString produto;
    QDate data;
    Decimal quantidade;
    QString documento;
};

// What a save wrote.
struct Gravado {
    qint64 movimento = 0;  // the ledger number
    qint64 emprestimo = 0; // the loan number, for the exit of a lent-out item
    Decimal quantidade;    // the product's new quantity
    Decimal custo;         // the product's average cost after the save
};

// Each writes its audit line for `usuarioLog` when one is given (logging and login on).
// Database failures come as ErroBanco, after everything was rolled back; the checks above as
// their own exceptions, with nothing written. An exit checks the stock first, then that a
// lent-out item has its requisitioner.
Gravado gravaEntrada(Conexao& conexao, const Entrada& e,
                     const std::optional<QString>& usuarioLog = std::nullopt);
Gravado gravaSaida(Conexao& conexao, const Saida& s,
                   const std::optional<QString>& usuarioLog = std::nullopt);
Gravado gravaEstorno(Conexao& conexao, const Estorno& e,
                     const std::optional<QString>& usuarioLog = std::nullopt);

// A return closes the loan (only while it is still open: EmprestimoDevolvido otherwise, and
// nothing written), puts its quantity back into stock and appends an "EE" row of value 0 with
// the loan's document and requisitioner. A loan that is not there at all is
// EmprestimoDevolvido too: either way there is nothing left to return.
Gravado gravaDevolucao(Conexao& conexao, const Devolucao& d,
                       const std::optional<QString>& usuarioLog = std::nullopt);
// A write-off appends an "SS" row valued at the quantity times the average cost, with no
// requisitioner and no supplier, and lowers the stock. It checks, under the lock, that the
// product is still a lent-out item (ProdutoConsumivel) and that the stock holds the quantity
// (EstoqueInsuficiente with the stored figure).
Gravado gravaExtravio(Conexao& conexao, const Extravio& e,
                      const std::optional<QString>& usuarioLog = std::nullopt);

// The ledger row is no longer there as the list showed it: another workstation deleted it
// since the list was read, and its number may since have gone to another movement.
struct MovimentoInexistente : std::runtime_error {
    MovimentoInexistente() : std::runtime_error("movimento inexistente") {}
};

// A ledger row as the maintenance list showed it. Ledger numbers are the highest + 1, so when
// the last row is deleted its number goes to the next movement: a delete must address the row
// the person saw, by its number and by what it showed. An empty value is one the row did not
// have (NULL in the ledger). It is the row as the ledger's data module hands it to the list.
using MovimentoVisto = TdmMovEstq::Movimento;

// Deletes one ledger row and, with `reverte`, undoes its effect on the product's quantity on
// hand: an entry ("EE") or a reversal of an exit ("TS") is taken back out, an exit ("SS") or a
// reversal of an entry ("TE") put back. Only the row whose number, product, operation, date,
// quantity and value are those seen is deleted; when there is none (deleted meanwhile, or its
// number now another movement's) nothing is written and MovimentoInexistente is thrown, so a
// row is reverted at most once and no other row is touched. The quantity moves under the
// product's lock. No audit line; the average cost and the loans stay as they are. Returns the
// product's new quantity after a revert (zero without `reverte`).
Decimal excluiMovimento(Conexao& conexao, const MovimentoVisto& movimento, bool reverte);

// How every save above runs: the program's one save (Gravacao::emTransacao), with the ledger's
// turn taken first. `corpo` runs in one transaction of its own, then the commit. Whatever
// fails, the transaction is rolled back as it goes out of scope; a rollback that fails too is
// passed over, so the caller gets the save's own error. A duplicate key (a number another
// workstation took at the same instant) or a concurrent change runs the save once more from
// the start.
Gravado emTransacao(Conexao& conexao, const std::function<Gravado(Transacao&)>& corpo);

} // namespace Lancamentos
