#pragma once

#include "common/Formulario.h"

#include <functional>

class Contexto;
class ErroBanco;
class QComboBox;
class Transacao;

// The small windows that switch one access setting between "Não" and "Sim": the question, the
// two-entry list showing what is stored, "Gravar" and "Fechar". The stored value is read
// afresh at every opening; a saved value is used from the next start of the program on.
class JanelaSimNao : public Dialogo {
    Q_OBJECT

public:
    // Whether "Sim" is the entry chosen.
    bool sim() const;

protected:
    struct Desenho {
        const char* nome;
        QString titulo;
        QString pergunta;
        const char* escolha;
        QString nao; // the "Não" entry as this window writes it
        const char* grava;
        QString textoGrava;
        const char* fechar;
    };

    JanelaSimNao(Contexto& app, const Desenho& desenho, QWidget* parent);

    // The stored value of the window's setting. Database errors reach the caller.
    virtual QString valorGravado() = 0;
    // What "Gravar" does.
    virtual void grava() = 0;

    // Runs `escreve` in one transaction and commits; then tells that the change waits for the
    // next start. On a database error everything is rolled back and `falha(erro)` is shown as a
    // warning. Returns whether the change went through.
    bool salva(const std::function<void(Transacao&)>& escreve,
               const std::function<QString(const ErroBanco&)>& falha);

    void aoAbrir() override;

    Contexto& m_app;
    QComboBox* m_escolha;
};
