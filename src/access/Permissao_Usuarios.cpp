#include "access/Permissao_Usuarios.h"

#include "common/JanelasCadastro.h"
#include "contexto/Contexto.h"
#include "data/DataModule_Configuracoes.h"

TfPermissao_Usuarios::TfPermissao_Usuarios(Contexto& app, QWidget* parent)
    : JanelaSimNao(app,
                   {"TfPermissao_Usuarios",
                    QStringLiteral("Deseja Ter Permissão de Usuários no Programa ?"),
                    QStringLiteral("Deseja ter Permissão de Usuários ?"), "cbPermissao",
                    QStringLiteral("Não"), "btnPerSN", QStringLiteral("Gravar "), "btnFechar"},
                   parent)
{
    resize(420, 130);
}

QString TfPermissao_Usuarios::valorGravado()
{
    return m_app.dmConfiguracoes().configuracoes().value_or(Configuracoes{}).permissao;
}

void TfPermissao_Usuarios::grava()
{
    const QString valor = sim() ? QStringLiteral("S") : QStringLiteral("N");
    salva([&](Transacao& t) { m_app.dmConfiguracoes().gravaPermissao(t, valor); },
          [](const ErroBanco& e) {
              return Familia::comErro(
                  QStringLiteral("Não Consegui Alterar a Configuração, Tente Novamente !"), e);
          });
}
