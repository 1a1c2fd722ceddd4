#include "contexto/Sessao.h"

#include "common/Mensagens.h"
#include "data/DataModule_PER.h"

Sessao::Sessao(TdmPER& permissoes) : m_permissoes(permissoes) {}

QString Sessao::semPermissao()
{
    return QStringLiteral("Usuário Sem Permissão para Entrar nesse Módulo");
}

bool Sessao::registraLog() const
{
    return FlagLog == QLatin1String("S") && FlagLogin == QLatin1String("S");
}

bool Sessao::temAcesso(const QString& codigo)
{
    if (FlagPermissao != QLatin1String("S") || FlagLogin != QLatin1String("S"))
        return true;
    return m_permissoes.temPermissao(CodUsuario, codigo);
}

bool Sessao::permite(const QString& codigo, QWidget* pai)
{
    if (temAcesso(codigo))
        return true;
    Mensagens::aviso(semPermissao(), pai);
    return false;
}
