#pragma once

#include <QString>
#include <functional>

class Conexao;
class QLineEdit;
class QWidget;
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

// The one way a window proposes a code: writes the code `proximo` answers into `campo`. A code
// longer than `largura` (when one is given) fits no record, and offering it would only have the
// save refused: the field is emptied and the user asked to type a free code. A database error
// (the highest code is not a number, the database is unreachable) empties the field and shows
// the server's message, for the user to type a code. Answers whether a code was written.
bool propoeCodigo(QLineEdit* campo, QWidget* janela, const std::function<QString()>& proximo,
                  int largura = 0);

} // namespace Funcoes
