#include "common/Gravacao.h"

#include "contexto/Contexto.h"
#include "contexto/Sessao.h"
#include "data/DataModule_Log.h"
#include "data/firebird/ErroBanco.h"
#include "data/firebird/Transacao.h"

namespace Gravacao {

void emTransacao(Conexao& conexao, const std::function<void(Transacao&)>& corpo)
{
    for (int tentativa = 1;; ++tentativa) {
        try {
            // Ends before the handler below runs: a failed save is rolled back, and its locks
            // released, before it is tried again or reported.
            Transacao t(conexao);
            corpo(t);
            t.commit();
            return;
        } catch (const ErroBanco& e) {
            // A number taken or a row changed by another workstation meanwhile: once more
            // from the start, reading everything again.
            if (tentativa == 1 && (e.chaveDuplicada() || e.conflitoDeAtualizacao()))
                continue;
            throw;
        }
    }
}

QString registroSumido()
{
    return QStringLiteral("Registro não encontrado, outra estação pode tê-lo excluído.");
}

void exigeRegistro(qint64 linhas)
{
    // Closing as if saved would send the user away believing a change nobody will ever see.
    if (linhas == 0)
        throw ErroBanco(registroSumido());
}

std::optional<QString> usuarioLog(Contexto& app)
{
    const Sessao& sessao = app.sessao();
    if (!sessao.registraLog())
        return std::nullopt;
    return sessao.CodUsuario;
}

bool grava(Contexto& app, QWidget* janela, const Salvamento& salvamento)
{
    const std::optional<QString> usuario =
        salvamento.textoLog.isEmpty() ? std::nullopt : usuarioLog(app);
    std::optional<ErroBanco> erro;
    try {
        emTransacao(app.conexao(), [&](Transacao& t) {
            salvamento.escreve(t);
            if (usuario)
                TdmLog::registra(t, *usuario, salvamento.textoLog);
        });
    } catch (const ErroBanco& e) {
        erro = e;
    }
    if (salvamento.depois)
        salvamento.depois();
    if (!erro)
        return true;
    Mensagens::mostra(salvamento.tipoFalha, salvamento.falha(*erro), janela);
    return false;
}

} // namespace Gravacao
