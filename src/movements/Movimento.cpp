#include "movements/Movimento.h"

#include "common/Formatos.h"
#include "common/Funcoes.h"
#include "common/Gravacao.h"
#include "contexto/Contexto.h"
#include "contexto/Sessao.h"

#include <QLineEdit>
#include <QWidget>

namespace Movimento {

std::optional<Decimal> numeroDe(const QLineEdit* campo)
{
    return Formatos::converte(Funcoes::LimpaNumero(campo->text()));
}

std::optional<QString> usuarioLog(Contexto& app)
{
    return Gravacao::usuarioLog(app);
}

void recusa(QWidget* janela, const QString& mensagem, QWidget* campo, TipoMensagem tipo)
{
    if (tipo == TipoMensagem::Informacao)
        Mensagens::informacao(mensagem, janela);
    else
        Mensagens::erro(mensagem, janela);
    if (campo)
        campo->setFocus();
}

} // namespace Movimento
