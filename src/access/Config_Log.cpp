#include "access/Config_Log.h"

#include "common/JanelasCadastro.h"
#include "contexto/Contexto.h"
#include "data/DataModule_Configuracoes.h"

TfConfig_Log::TfConfig_Log(Contexto& app, QWidget* parent)
    : JanelaSimNao(app,
                   {"TfConfig_Log",
                    QStringLiteral("Deseja Gravar o Log das Operações dos Usuários ?"),
                    QStringLiteral("Deseja Gravar o Log das Operações do Usuários:"), "cbLog",
                    QStringLiteral("Não "), "btnGrava", QStringLiteral("Gravar"), "btnFechar"},
                   parent)
{
    resize(460, 130);
}

QString TfConfig_Log::valorGravado()
{
    return m_app.dmConfiguracoes().configuracoes().value_or(Configuracoes{}).log;
}

void TfConfig_Log::grava()
{
    const QString valor = sim() ? QStringLiteral("S") : QStringLiteral("N");
    salva([&](Transacao& t) { m_app.dmConfiguracoes().gravaLog(t, valor); },
          [](const ErroBanco& e) {
              return Familia::comErro(
                  QStringLiteral("Não Consegui Alterar a Configuração, Tente Novamente !"), e);
          });
}
