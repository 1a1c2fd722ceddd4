#pragma once

#include "contexto/Contexto.h"

#include <QString>

class TfPrincipal;
class TfAbertura;

// One run of the program: its start-up, its main window and the end it asks for, over the
// context every window works with (the connection, the data modules, the session and the
// windows, made from the program's list of windows in app/Janelas.h).
class Aplicacao : public Contexto {
public:
    Aplicacao();
    ~Aplicacao() override;

    // The start of the program up to the main loop: the splash, Config.ini (or the database
    // folder dialog), the connection, the data modules and the main window. Returns false when
    // the start failed (the failure message has been shown); the program must then end.
    bool inicia();
    // The creation steps of the start, with their progress texts; they need the database.
    // Throws ErroBanco when it cannot be reached.
    void criaTudo(TfAbertura* abertura = nullptr);

    // Shows the main window and, once it is on screen, runs its first-showing step.
    void mostraPrincipal();

    // The end the system asks for (logout, shutdown, kill): as solicitaFim, and the start-up
    // that is still running stops there, with nothing more to answer on the way out.
    void encerraSemPerguntas();

    // The main window: the one that shows the session's state and opens the other windows.
    TfPrincipal& principal();

private:
    bool m_semPerguntas = false;
};
