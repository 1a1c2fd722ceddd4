#pragma once

// What the tests of the registers of a code and a description (product groups, requisitioners,
// supplier groups) do alike to them, each register with its own field names and messages.

#include "common/Mensagens.h"

#include <QString>
#include <QStringList>

class BancoTeste;
class GravadorMensagens;
class QDialog;

namespace CodigoEDescricao {

// How a test stores one row of such a register (Cadastro::grupo, Cadastro::requisitante, ...).
using Grava = void (*)(BancoTeste& b, const QString& codigo, const QString& descricao);

// Stores a row under each code of `codigos`, described "Existente <code>": what the register
// holds before its record window proposes the next code.
void existentes(BancoTeste& b, Grava grava, const QStringList& codigos);

// A record window's description as its checks reach it: the field and the save button, the
// refusal of a blank description and its kind, and the question a repeated one asks.
struct Descricao {
    const char* campo;
    const char* salva;
    QString vazia;
    TipoMensagem tipoVazia;
    QString repetida;
};

// In a record window open for inclusion: blanks saved are refused and the focus stays on the
// description; then `existente`, a description the register already holds, typed and left
// asks whether to take it again, and "Não" empties the field and keeps the focus there. The
// messages are forgotten after each step.
void recusaVaziaERepetida(QDialog* dados, GravadorMensagens& msgs, const Descricao& descricao,
                          const QString& existente);

} // namespace CodigoEDescricao
