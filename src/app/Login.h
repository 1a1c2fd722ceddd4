#pragma once

#include "common/Formulario.h"

#include <optional>

class Aplicacao;
class QLineEdit;
struct Usuario;

// Who is at the keyboard: a login and a password that match an active user make that user
// the current one for the rest of the run. There is no way past it without one; "Cancelar"
// ends the program.
class TfLogin : public Dialogo {
    Q_OBJECT

public:
    explicit TfLogin(Aplicacao& app, QWidget* parent = nullptr);

    void done(int resultado) override;

private:
    // The active user the fields name, looked up afresh; a database error is shown and
    // answers false.
    bool procura(std::optional<Usuario>& usuario);
    void entrar();
    void cancelar();
    // After a refused pair: a login or password longer than its column cannot be anyone's, so
    // it is emptied and the first of them takes the focus to be typed again.
    void limpaLongos();

    Aplicacao& m_app;
    QLineEdit* m_edLogin;
    QLineEdit* m_edSenha;
};
