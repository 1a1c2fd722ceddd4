#include "data/DataModule_Usuarios.h"

#include "data/firebird/ErroBanco.h"

TdmUsuarios::TdmUsuarios(Conexao& c) : SQLQ_Usuarios(c), SQLQ_Usuarios2(c) {}

std::optional<Usuario> TdmUsuarios::usuarioAtivo(const QString& login, const QString& senha)
{
    Consulta& q = SQLQ_Usuarios;
    q.setSql(
        QStringLiteral("Select * From Usuarios Where USU_Login=:LoginC and USU_Senha =:SenhaC"));
    q.setParametro(QStringLiteral("LoginC"), login);
    q.setParametro(QStringLiteral("SenhaC"), senha);
    Resultado r;
    try {
        r = q.abre();
    } catch (const ErroBanco& e) {
        // The server refuses to compare a text longer than the column; no stored login or
        // password can be that long.
        if (e.truncamento())
            return std::nullopt;
        throw;
    }
    for (int i = 0; i < r.tamanho(); ++i) {
        // A deactivated account must not open the program, whatever its password.
        if (r.valor(i, QStringLiteral("USU_Ativo")).toString() == QLatin1String("I"))
            continue;
        return Usuario{r.valor(i, QStringLiteral("USU_Codigo")).toString(),
                       r.valor(i, QStringLiteral("USU_Login")).toString()};
    }
    return std::nullopt;
}
