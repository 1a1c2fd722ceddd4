#pragma once

// The records a test needs in the database before it drives a window, and what it reads back
// from the ledger and the audit log afterwards. Codes are given as stored (padded).

#include "common/Decimal.h"
#include "data/firebird/Consulta.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariantMap>

class BancoTeste;
class Conexao;

namespace Cadastro {

void grupo(BancoTeste& b, const QString& codigo, const QString& descricao);
void requisitante(BancoTeste& b, const QString& codigo, const QString& descricao);
void grupoFornecedor(BancoTeste& b, const QString& codigo, const QString& descricao);
void fornecedor(BancoTeste& b, const QString& codigo, const QString& razao);
// A row of `tabela` with the columns given (by name) and their values; the others stay empty.
void insere(BancoTeste& b, const QString& tabela, const QVariantMap& colunas);

// The codes, as stored, of the two products most movement tests keep in stock: a screw and a
// drill.
inline const QString parafuso = QStringLiteral("        12");
inline const QString furadeira = QStringLiteral("        13");

// A product with what the windows read of it; the rest of its columns stay empty.
struct Produto {
    QString codigo; // padded to 10 with blanks
    QString descricao;
    QString grupo = QStringLiteral("000001");
    QString quantidade = QStringLiteral("0"); // as SQL literals: "10", "2.5"
    QString valor = QStringLiteral("0");
    QString consumivel = QStringLiteral("S");
    QString unidade;
    QString codigoBarras;
    QString local;   // the shelf
    QVariant minimo; // the stock limits; none when unset
    QVariant maximo;
    QVariant fornecedor; // the usual supplier's code
};
void produto(BancoTeste& b, const Produto& p);

// The stock on hand of a product, as the register holds it now.
Decimal estoque(BancoTeste& b, const QString& produto);

// A ledger row. The columns left unset (and an empty product) stay NULL; one set to an empty
// text holds that text.
struct Movimento {
    int numero = 0;
    QString produto;     // padded to 10 with blanks
    QString operacao;    // "EE", "SS", "TE" or "TS"
    QVariant quantidade; // a number, or its C form as text ("1234.5")
    QVariant valor;
    QVariant data;
    QVariant requisitante; // MOV_Tipo
    QVariant fornecedor;
    QVariant documento;
};
void movimento(BancoTeste& b, const Movimento& m);

// The permission rows of `usuario`: every module of `modulos` allowed ("S") but `recusado`
// ("N").
void permissoes(BancoTeste& b, const QString& usuario, const QStringList& modulos,
                const QString& recusado);

// The rows of a _data function over the access flags: columns "login", "log" (each "S" or
// "N") and "registra", whether a save then writes its audit line (only with both on).
void casosDoLog();

// The ledger, every column, in the order of its numbers.
Resultado movimentos(BancoTeste& b);
// The audit lines as "user|text", in the order they were written.
QStringList linhasLog(BancoTeste& b);

// A user with a login and a password; `ativo` "A" (active) or "I" (inactive).
void usuario(BancoTeste& b, const QString& codigo, const QString& nome, const QString& login,
             const QString& senha, const QString& ativo = QStringLiteral("A"));
// The permission rows of `usuario` as "module|S" (module code without its padding), in the
// order they were written.
QStringList permissoesDe(BancoTeste& b, const QString& usuario);
// Every row of every table of the delivered database, one text per row ("TABLE|v1|v2|..."), each
// table in the order of all its columns: what a backup must carry over whole.
QStringList todasAsLinhas(Conexao& conexao);

} // namespace Cadastro
