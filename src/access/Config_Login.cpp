#include "access/Config_Login.h"

#include "common/Mensagens.h"
#include "contexto/Contexto.h"
#include "data/DataModule_Configuracoes.h"
#include "data/DataModule_Usuarios.h"
#include "data/firebird/ErroBanco.h"

#include <QComboBox>

TfConfig_Login::TfConfig_Login(Contexto& app, QWidget* parent)
    : JanelaSimNao(app,
                   {"TfConfig_Login", QStringLiteral("Configurações de Login de Usuário"),
                    QStringLiteral("Deseja ter Login de Usuários no Programa ?"), "cbLoginSN",
                    QStringLiteral("Não"), "btnGravarLogin", QStringLiteral("Gravar"),
                    "btnFecharLogin"},
                   parent)
{
    resize(420, 130);
}

QString TfConfig_Login::valorGravado()
{
    return m_app.dmConfiguracoes().login();
}

void TfConfig_Login::grava()
{
    TdmConfiguracoes& dm = m_app.dmConfiguracoes();
    Configuracoes nova{QStringLiteral("N"), QStringLiteral("N"), QStringLiteral("N")};
    if (sim()) {
        try {
            // With login on and nobody able to pass it, the next start could only be ended:
            // the stock room would be locked out of its own program.
            if (!m_app.dmUsuarios().existeUsuarioAtivo()) {
                Mensagens::aviso(
                    QStringLiteral("Cadastre um Usuário Ativo antes de Ligar o Login !"), this);
                m_escolha->setFocus();
                return;
            }
            // Permissions and the log stay as they are; they only work with login on.
            const Configuracoes atual = dm.configuracoes().value_or(Configuracoes{});
            nova = {QStringLiteral("S"), atual.permissao, atual.log};
        } catch (const ErroBanco&) {
            Mensagens::aviso(QStringLiteral("Não Consegui Alterar, Tente Novamente"), this);
            return;
        }
    }
    salva([&](Transacao& t) { dm.gravaLogin(t, nova); },
          [](const ErroBanco&) { return QStringLiteral("Não Consegui Alterar, Tente Novamente"); });
}
