#pragma once

#include "data/DataSet.h"
#include "data/ListaDoModulo.h"
#include "data/firebird/Consulta.h"

#include <QDate>

#include <optional>

class Transacao;

struct Usuario {
    QString codigo; // padded to 6 with zeros
    QString login;
};

// One user as the users' record window shows and writes it. The password is stored as typed.
struct DadosUsuario {
    QString codigo;
    QString nome;
    QString login;
    QString senha;
    QString ativo; // "A" active, "I" inactive
    QDate cadastro;
};

// Users: the work query and the list of the users' windows.
class TdmUsuarios {
public:
    // The widths of the login and the password columns.
    static constexpr int larguraLogin = 10;
    static constexpr int larguraSenha = 10;

    explicit TdmUsuarios(Conexao& c);

    // Whether the database can hold every character of the text (it stores ISO 8859-1). A
    // text it cannot hold is in no row: a look-up answers "nobody" without asking the server.
    static bool gravavel(const QString& texto);

    // The active user with exactly this login and password (letter case counts, trailing
    // blanks do not); none when there is no such user. A login or password longer than its
    // column, or with a character the database cannot hold, is nobody's. Other database errors
    // reach the caller.
    std::optional<Usuario> usuarioAtivo(const QString& login, const QString& senha);

    // The orders of the users' list window.
    enum class Ordem { PorCodigo, PorNome, PorLogin };
    static QString sqlLista(Ordem ordem);
    // The list in the orders of Ordem.
    ListaDoModulo lista();

    // The user of a code, or the first user of a login (several may share one); none when
    // there is no such user.
    std::optional<DadosUsuario> usuario(const QString& codigo);
    std::optional<DadosUsuario> usuarioPorLogin(const QString& login);
    // The highest code plus one, six digits ("000001" for the first user). Throws ErroBanco
    // when the highest code is not a number.
    QString proximoCodigo();
    bool codigoExiste(const QString& codigo);
    // Whether some user could pass the login: one not marked inactive, with a login and a
    // password; `exceto` leaves one user out of the count.
    bool existeUsuarioAtivo(const QString& exceto = QString());

    // The writes of a save, inside its transaction; each answers the rows it touched.
    qint64 inclui(Transacao& t, const DadosUsuario& u);
    qint64 altera(Transacao& t, const DadosUsuario& u);
    qint64 exclui(Transacao& t, const QString& codigo);

    Consulta SQLQ_Usuarios;
    Consulta SQLQ_Usuarios2;
    DataSet cds_Usuarios;

private:
    std::optional<DadosUsuario> primeiro(const QString& parametro, const QString& valor);
    void liga(const DadosUsuario& u);
};
