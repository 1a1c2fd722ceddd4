#pragma once

#include <QDialog>

class Aplicacao;
class QLineEdit;

// Who is at the keyboard: a login and a password that match an active user make that user
// the current one for the rest of the run. There is no way past it without one; "Cancelar"
// ends the program.
class TfLogin : public QDialog {
    Q_OBJECT

public:
    explicit TfLogin(Aplicacao& app, QWidget* parent = nullptr);

    void done(int resultado) override;

private:
    struct Usuario {
        QString codigo;
        QString login;
    };
    // The active user with exactly this login and password, if any.
    bool procura(Usuario* usuario);
    void entrar();
    void cancelar();

    Aplicacao& m_app;
    QLineEdit* m_edLogin;
    QLineEdit* m_edSenha;
    bool m_cancelado = false;
};
