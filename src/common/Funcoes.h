#pragma once

#include <QString>

class Conexao;
class Transacao;

// The small routines every window shares.
namespace Funcoes {

// The characters of a typed number that matter for converting it: digits, the decimal comma
// and the minus sign, in their order. "R$ 1.234,56" gives "1234,56"; "12,5%" gives "12,5".
QString LimpaNumero(const QString& texto);

// Fills a code on the left with `preenchimento` up to `largura` characters; a code already
// that long or longer is left as it is. Codes are compared as text, so "7" must become
// "000007" (or "         7" for a product) before it is looked up or stored.
QString completaCodigo(const QString& codigo, int largura, QChar preenchimento);
QString codigoProduto(const QString& codigo);    // blanks, 10
QString codigoFornecedor(const QString& codigo); // zeros, 10
QString codigoSeis(const QString& codigo);       // zeros, 6: groups, requisitioners, users

// The next code of a register: the first value `sqlMaiorPrimeiro` returns (the highest code,
// read with a descending order or MAX) plus one, written as a whole number and filled with
// zeros to `largura`; "000001" (at that width) on an empty table. A code that no longer fits
// comes back longer than `largura`, so saving it fails instead of cutting it.
// Runs inside the caller's transaction when one is given, so the save sees the latest code.
QString proximoCodigo(Conexao& conexao, const QString& sqlMaiorPrimeiro, int largura,
                      Transacao* transacao = nullptr);
// The next internal number of a ledger: the first value plus one, or 1 on an empty table.
qint64 proximoNumero(Conexao& conexao, const QString& sqlMaiorPrimeiro,
                     Transacao* transacao = nullptr);

// Whether a user may use a module. The module code is padded with blanks to 15 characters;
// the answer is yes only when the user's row for it says "S" (no row, "N" or empty: no).
// Database errors reach the caller.
bool TemPermissao(Conexao& conexao, const QString& codUsuario, const QString& codModulo);

// Writes one audit line (user, event text, the date and time now) inside the caller's
// transaction, so the line goes away with the operation if the operation is rolled back. An
// event text longer than the column makes the caller's save fail.
void GravaLog(Transacao& transacao, const QString& codUsuario, const QString& descricao);

} // namespace Funcoes
