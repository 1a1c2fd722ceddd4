#include "data/DataModule_Usuarios.h"

#include "common/Funcoes.h"
#include "data/firebird/ErroBanco.h"
#include "data/firebird/Transacao.h"

#include <algorithm>

TdmUsuarios::TdmUsuarios(Conexao& c) : SQLQ_Usuarios(c), SQLQ_Usuarios2(c)
{
    // The password is read with the list but never shown in it.
    cds_Usuarios.setColunas({{QStringLiteral("USU_CODIGO"), QStringLiteral("Código")},
                             {QStringLiteral("USU_NOME"), QStringLiteral("Nome")},
                             {QStringLiteral("USU_LOGIN"), QStringLiteral("Login")},
                             {QStringLiteral("USU_ATIVO"), QStringLiteral("Ativo")},
                             {QStringLiteral("USU_DCAD"), QStringLiteral("D.Cadastramento")}});
    cds_Usuarios.setFormato(QStringLiteral("USU_DCAD"), DataSet::Formato::Data);
    SQLQ_Usuarios2.setSql(sqlLista(Ordem::PorNome));
}

bool TdmUsuarios::gravavel(const QString& texto)
{
    return std::all_of(texto.cbegin(), texto.cend(), [](QChar c) { return c.unicode() <= 0xFF; });
}

QString TdmUsuarios::sqlLista(Ordem ordem)
{
    switch (ordem) {
    case Ordem::PorCodigo:
        return QStringLiteral("Select * From Usuarios order By USU_Codigo");
    case Ordem::PorLogin:
        return QStringLiteral("Select * From Usuarios order By USU_Login");
    case Ordem::PorNome:
        break;
    }
    return QStringLiteral("Select * From Usuarios order By USU_Nome");
}

ListaDoModulo TdmUsuarios::lista()
{
    return listaDoModulo(
        SQLQ_Usuarios2, cds_Usuarios,
        {sqlLista(Ordem::PorCodigo), sqlLista(Ordem::PorNome), sqlLista(Ordem::PorLogin)});
}

std::optional<DadosUsuario> TdmUsuarios::primeiro(const QString& parametro, const QString& valor)
{
    if (!gravavel(valor))
        return std::nullopt;
    SQLQ_Usuarios.setParametro(parametro, valor);
    Resultado r;
    try {
        r = SQLQ_Usuarios.abre(nullptr, 1);
    } catch (const ErroBanco& e) {
        // A text longer than the column is in no row; the server refuses even to compare it.
        if (e.truncamento())
            return std::nullopt;
        throw;
    }
    if (r.vazio())
        return std::nullopt;
    return DadosUsuario{r.valor(0, QStringLiteral("USU_Codigo")).toString(),
                        r.valor(0, QStringLiteral("USU_Nome")).toString(),
                        r.valor(0, QStringLiteral("USU_Login")).toString(),
                        r.valor(0, QStringLiteral("USU_Senha")).toString(),
                        r.valor(0, QStringLiteral("USU_Ativo")).toString(),
                        r.valor(0, QStringLiteral("USU_DCad")).toDate()};
}

std::optional<DadosUsuario> TdmUsuarios::usuario(const QString& codigo)
{
    SQLQ_Usuarios.setSql(QStringLiteral("Select * From Usuarios Where USU_Codigo=:CodigoC"));
    return primeiro(QStringLiteral("CodigoC"), codigo);
}

std::optional<DadosUsuario> TdmUsuarios::usuarioPorLogin(const QString& login)
{
    SQLQ_Usuarios.setSql(QStringLiteral("Select * From Usuarios Where USU_Login=:LoginC"));
    return primeiro(QStringLiteral("LoginC"), login);
}

QString TdmUsuarios::proximoCodigo()
{
    return Funcoes::proximoCodigo(
        SQLQ_Usuarios.conexao(),
        QStringLiteral("Select USU_Codigo From Usuarios Order By USU_CODIGO DESCENDING"), 6);
}

bool TdmUsuarios::codigoExiste(const QString& codigo)
{
    if (!gravavel(codigo))
        return false;
    SQLQ_Usuarios.setSql(
        QStringLiteral("Select USU_Codigo From Usuarios Where USU_Codigo=:CodigoC"));
    SQLQ_Usuarios.setParametro(QStringLiteral("CodigoC"), codigo);
    try {
        return !SQLQ_Usuarios.abre(nullptr, 1).vazio();
    } catch (const ErroBanco& e) {
        if (e.truncamento())
            return false;
        throw;
    }
}

bool TdmUsuarios::existeUsuarioAtivo(const QString& exceto)
{
    // The same test the login applies: a user not marked inactive gets in with a login and a
    // password that match.
    SQLQ_Usuarios.setSql(QStringLiteral(
        "Select USU_Codigo From Usuarios Where USU_Ativo is distinct from 'I' and "
        "trim(coalesce(USU_Login, '')) <> '' and trim(coalesce(USU_Senha, '')) <> '' and "
        "USU_Codigo <> :ExcetoC"));
    SQLQ_Usuarios.setParametro(QStringLiteral("ExcetoC"), exceto);
    return !SQLQ_Usuarios.abre(nullptr, 1).vazio();
}

void TdmUsuarios::liga(const DadosUsuario& u)
{
    SQLQ_Usuarios.setParametro(QStringLiteral("CodigoC"), u.codigo);
    SQLQ_Usuarios.setParametro(QStringLiteral("NomeC"), u.nome);
    SQLQ_Usuarios.setParametro(QStringLiteral("LoginC"), u.login);
    SQLQ_Usuarios.setParametro(QStringLiteral("SenhaC"), u.senha);
    SQLQ_Usuarios.setParametro(QStringLiteral("AtivoC"), u.ativo);
    SQLQ_Usuarios.setParametro(QStringLiteral("DCadC"), u.cadastro);
}

qint64 TdmUsuarios::inclui(Transacao& t, const DadosUsuario& u)
{
    SQLQ_Usuarios.limpa();
    SQLQ_Usuarios.adiciona(QStringLiteral(
        "Insert into Usuarios (USU_Codigo,USU_Nome, USU_Login, USU_Senha, USU_Ativo, USU_DCad)"));
    SQLQ_Usuarios.adiciona(
        QStringLiteral("Values (:CodigoC,:NomeC,:LoginC, :SenhaC,:AtivoC,:DCadC)"));
    liga(u);
    return SQLQ_Usuarios.executa(t);
}

qint64 TdmUsuarios::altera(Transacao& t, const DadosUsuario& u)
{
    SQLQ_Usuarios.limpa();
    SQLQ_Usuarios.adiciona(QStringLiteral("Update USUARIOS SET USU_Nome=:NomeC,USU_Login=:LoginC, "
                                          "USU_Senha=:SenhaC, USU_Ativo=:AtivoC, USU_DCad=:DCadC"));
    SQLQ_Usuarios.adiciona(QStringLiteral("Where USU_Codigo=:CodigoC"));
    liga(u);
    return SQLQ_Usuarios.executa(t);
}

qint64 TdmUsuarios::exclui(Transacao& t, const QString& codigo)
{
    SQLQ_Usuarios.limpa();
    SQLQ_Usuarios.adiciona(QStringLiteral("Delete From USUARIOS"));
    SQLQ_Usuarios.adiciona(QStringLiteral("Where USU_Codigo=:CodigoC"));
    SQLQ_Usuarios.setParametro(QStringLiteral("CodigoC"), codigo);
    return SQLQ_Usuarios.executa(t);
}

std::optional<Usuario> TdmUsuarios::usuarioAtivo(const QString& login, const QString& senha)
{
    // The database layer's refusal of such a text quotes it, and this one is a password.
    if (!gravavel(login) || !gravavel(senha))
        return std::nullopt;
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
