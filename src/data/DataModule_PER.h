#pragma once

#include "data/DataSet.h"
#include "data/firebird/Consulta.h"

#include <optional>

class Transacao;

// One permission row as the permissions window shows it.
struct Permissao {
    QString usuario;
    QString modulo;
    QString ativo; // "S" or "N"
};

// Per-user module permissions: the rows a new user gets and loses with the user, the list the
// permissions window shows, and the switch of one row.
class TdmPER {
public:
    explicit TdmPER(Conexao& c);

    // One row per module of the catalogue (CatalogoModulos), in its order, all allowed, for a
    // new user, inside the caller's transaction.
    void incluiPermissoes(Transacao& t, const QString& codUsuario);
    qint64 excluiPermissoes(Transacao& t, const QString& codUsuario);

    // The list of no user at all (what the window shows before a user is chosen), or of one
    // user in module order. Database errors reach the caller.
    void listaVazia();
    void listaDoUsuario(const QString& codUsuario);
    // The user whose rows the list holds now (empty for the empty list).
    const QString& usuarioDaLista() const { return m_usuarioDaLista; }

    // The list's current row; none when the list is empty.
    std::optional<Permissao> permissaoAtual() const;

    // Sets one row to `ativo` ("S" or "N"); answers the rows touched.
    qint64 alteraPermissao(Transacao& t, const QString& codUsuario, const QString& codModulo,
                           const QString& ativo);

    // Whether a user may use a module. The module code is padded with blanks to 15
    // characters; the answer is yes only when the user's row for it says "S" (no row, "N" or
    // empty: no). Database errors reach the caller.
    bool temPermissao(const QString& codUsuario, const QString& codModulo);

    Consulta SQLQPer;
    Consulta SQLQPer2;
    DataSet cdsPER;

private:
    QString m_usuarioDaLista;
};
