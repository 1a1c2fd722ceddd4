#pragma once

// The pieces the three stock-movement windows (entry, exit, reversal) share.

#include "common/Decimal.h"
#include "common/Mensagens.h"

#include <QString>

#include <optional>

class Contexto;
class QLineEdit;
class QWidget;

namespace Movimento {

// The number a quantity or money field holds, formatted or bare ("R$ 1.234,56", "1.234,500",
// "12"); none when it holds no number.
std::optional<Decimal> numeroDe(const QLineEdit* campo);

// The user the save's audit line is written for: the one logged in, when both the login and the
// audit log are switched on; none otherwise.
std::optional<QString> usuarioLog(Contexto& app);

// A save stopped by one of the checks it makes as it runs: the window says why and puts the
// user where the correction belongs.
void recusa(QWidget* janela, const QString& mensagem, QWidget* campo,
            TipoMensagem tipo = TipoMensagem::Erro);

} // namespace Movimento
