#pragma once

#include <QString>

#include <functional>
#include <memory>

class QPrinter;
class QWidget;

namespace Motor {
struct Documento;
struct Pagina;
class Folhas;
} // namespace Motor

// Every report that goes to paper goes through here, as message boxes go through Mensagens:
// the program sends it to the current printer (CUPS, through Qt); tests install a function
// that keeps the document or writes it to a PDF file.
namespace Impressora {

// What happens to a document sent to the printer. Answers whether it was handed over.
using FuncaoImpressao = std::function<bool(const Motor::Documento& documento)>;

// One copy of every page to the current printer, without a dialog.
bool imprime(const Motor::Documento& documento);

// The printer reports go to: the default one until the user picks another in the preview's
// "Setup da Impressora". Kept for the run.
QPrinter& atual();

// Whether there is a printer to print on. A machine with no printer at all has none: Qt then
// falls back to writing a PDF file nobody named, and nothing would reach paper.
bool disponivel();

// What to tell the person when a report could not be printed: that there is no printer, or
// that printing failed.
QString mensagemDeFalha();

// The printer dialog on the current printer; answers whether the user confirmed it.
using FuncaoConfiguracao = std::function<bool(QWidget* pai)>;
bool configura(QWidget* pai);

// A report sent to the current printer a page at a time as its pages are laid out, so a long
// report never waits whole in memory. A job cancelled, or destroyed before termina(), prints
// nothing. With a test's function installed, the pages are gathered and handed to it whole at
// termina().
class Trabalho {
public:
    Trabalho();
    ~Trabalho();
    Trabalho(const Trabalho&) = delete;
    Trabalho& operator=(const Trabalho&) = delete;

    // False when the printer could not take the page; then nothing more is sent.
    bool pinta(const Motor::Documento& molde, const Motor::Pagina& pagina);
    // Hands the job over; true when every page went out.
    bool termina();
    void cancela();
    int paginas() const { return m_paginas; }

private:
    std::unique_ptr<Motor::Documento> m_guardado;
    std::unique_ptr<Motor::Folhas> m_folhas;
    int m_paginas = 0;
    bool m_falhou = false;
    bool m_encerrado = false;
};

// Empty functions are the same as restauraPadrao().
void instala(FuncaoImpressao impressao, FuncaoConfiguracao configuracao = {});
void restauraPadrao();

} // namespace Impressora
