#include "data/DataModule_Configuracoes.h"

#include "data/firebird/ErroBanco.h"
#include "data/firebird/Transacao.h"

namespace {

const QString sqlTudo = QStringLiteral("Select * From Configuracoes");

void confereLinha(qint64 alteradas)
{
    if (alteradas == 0)
        throw ErroBanco(
            QStringLiteral("A tabela Configuracoes não tem a linha das configurações."));
}

} // namespace

TdmConfiguracoes::TdmConfiguracoes(Conexao& c) : SQLQ_Configuracoes(c)
{
    SQLQ_Configuracoes.setSql(sqlTudo);
}

std::optional<Configuracoes> TdmConfiguracoes::configuracoes()
{
    SQLQ_Configuracoes.setSql(sqlTudo);
    const Resultado r = SQLQ_Configuracoes.abre(nullptr, 1);
    if (r.vazio())
        return std::nullopt;
    return Configuracoes{r.valor(0, QStringLiteral("LOGIN")).toString(),
                         r.valor(0, QStringLiteral("Permissao")).toString(),
                         r.valor(0, QStringLiteral("Log")).toString()};
}

QString TdmConfiguracoes::login()
{
    SQLQ_Configuracoes.setSql(QStringLiteral("Select LOGIN From Configuracoes"));
    return SQLQ_Configuracoes.primeiroValor().toString();
}

void TdmConfiguracoes::gravaLogin(Transacao& t, const Configuracoes& c)
{
    SQLQ_Configuracoes.setSql(
        QStringLiteral("Update CONFIGURACOES SET LOGIN=:LoginC, Permissao=:PermissaoC, Log=:LogC"));
    SQLQ_Configuracoes.setParametro(QStringLiteral("LoginC"), c.login);
    SQLQ_Configuracoes.setParametro(QStringLiteral("PermissaoC"), c.permissao);
    SQLQ_Configuracoes.setParametro(QStringLiteral("LogC"), c.log);
    confereLinha(SQLQ_Configuracoes.executa(t));
}

void TdmConfiguracoes::gravaPermissao(Transacao& t, const QString& permissao)
{
    SQLQ_Configuracoes.setSql(QStringLiteral("Update Configuracoes SET Permissao=:PermissaoC"));
    SQLQ_Configuracoes.setParametro(QStringLiteral("PermissaoC"), permissao);
    confereLinha(SQLQ_Configuracoes.executa(t));
}

void TdmConfiguracoes::gravaLog(Transacao& t, const QString& log)
{
    SQLQ_Configuracoes.setSql(QStringLiteral("Update Configuracoes SET Log=:LogC"));
    SQLQ_Configuracoes.setParametro(QStringLiteral("LogC"), log);
    confereLinha(SQLQ_Configuracoes.executa(t));
}
