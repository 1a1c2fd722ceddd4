#pragma once

// The one way anything is written: one write transaction per save, its work and its audit
// line together, the commit, and on any failure the rollback before anyone is told. A save
// that meets another workstation's work at the same instant (a number it took, a row it
// changed or deleted meanwhile) runs once more from the start, reading everything again.

#include "common/Mensagens.h"

#include <QString>
#include <functional>
#include <optional>
#include <type_traits>

class Contexto;
class Conexao;
class ErroBanco;
class QWidget;
class Transacao;

namespace Gravacao {

// Runs `corpo` in one write transaction of its own and commits. Whatever fails, the
// transaction is rolled back before the error leaves here, its locks released; a rollback that
// fails too is passed over, so the caller gets the save's own error. A duplicate key or a
// concurrent-change conflict runs `corpo` once more, in a new transaction; any other error, or
// the same one a second time, reaches the caller as it came.
void emTransacao(Conexao& conexao, const std::function<void(Transacao&)>& corpo);

// The same for a body that answers what it wrote.
template <typename Corpo>
requires(!std::is_void_v<std::invoke_result_t<Corpo&, Transacao&>>) auto emTransacao(
    Conexao& conexao, Corpo&& corpo) -> std::invoke_result_t<Corpo&, Transacao&>
{
    std::optional<std::invoke_result_t<Corpo&, Transacao&>> resultado;
    emTransacao(conexao, std::function<void(Transacao&)>(
                             [&](Transacao& t) { resultado.emplace(corpo(t)); }));
    return std::move(*resultado);
}

// The reason a save gives when the record it changes or deletes is no longer there.
QString registroSumido();
// The rows of the record itself a change or deletion touched: none means another workstation
// deleted it after this one read it, and the save fails like any database error.
void exigeRegistro(qint64 linhas);

// The audit user of this session: the user logged in, when logging and login are both on.
std::optional<QString> usuarioLog(Contexto& app);

// A save from a window.
struct Salvamento {
    // The statements, inside the save's transaction.
    std::function<void(Transacao&)> escreve;
    // The audit line, written in the same transaction when the session logs; none when empty.
    QString textoLog{};
    // What the user is told when the save fails, and how.
    std::function<QString(const ErroBanco&)> falha;
    TipoMensagem tipoFalha = TipoMensagem::Aviso;
    // Runs once the save has ended, stored or rolled back, before any message: a list read
    // again, so the user reads the message over what the database now holds.
    std::function<void()> depois{};
};

// Runs the save in the session's connection, with the session's audit user. On a failure
// everything, audit line included, is rolled back, and only then the message is shown: no row
// stays locked while the user reads it. Returns whether the save went through.
bool grava(Contexto& app, QWidget* janela, const Salvamento& salvamento);

} // namespace Gravacao
