#pragma once

#include "data/DataSet.h"
#include "data/firebird/Consulta.h"

#include <optional>

struct Usuario {
    QString codigo; // padded to 6 with zeros
    QString login;
};

// Users: the work query and the list of the users' windows.
class TdmUsuarios {
public:
    // The widths of the login and the password columns.
    static constexpr int larguraLogin = 10;
    static constexpr int larguraSenha = 10;

    explicit TdmUsuarios(Conexao& c);

    // The active user with exactly this login and password (letter case counts, trailing
    // blanks do not); none when there is no such user. A login or password longer than its
    // column is nobody's. Other database errors reach the caller.
    std::optional<Usuario> usuarioAtivo(const QString& login, const QString& senha);

    Consulta SQLQ_Usuarios;
    Consulta SQLQ_Usuarios2;
    DataSet cds_Usuarios;
};
