#pragma once

#include <QString>

#include <functional>

class QWidget;

enum class TipoMensagem { Aviso, Erro, Informacao, Confirmacao, Simples };

// Every message box of the program goes through here. Tests replace the function that shows
// the box with a recorder, so a flow that warns or asks runs without a blocking box.
namespace Mensagens {

using TipoMensagem = ::TipoMensagem;

// Shows one message. The result is the answer to a confirmation (true for "Sim"); the other
// kinds ignore it.
using FuncaoMensagem = std::function<bool(TipoMensagem tipo, const QString& texto, QWidget* pai)>;

// A message of the given kind, for code that chooses the kind at run time.
bool mostra(TipoMensagem tipo, const QString& texto, QWidget* pai = nullptr);
void aviso(const QString& texto, QWidget* pai = nullptr);
void erro(const QString& texto, QWidget* pai = nullptr);
void informacao(const QString& texto, QWidget* pai = nullptr);
bool confirma(const QString& texto, QWidget* pai = nullptr);
void simples(const QString& texto, QWidget* pai = nullptr);

// An empty function is the same as restauraPadrao().
void instala(FuncaoMensagem funcao);
void restauraPadrao();

} // namespace Mensagens
