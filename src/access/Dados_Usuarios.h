#pragma once

#include "common/Formulario.h"

class Contexto;
class Transacao;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
struct DadosUsuario;

// One user, added, changed, deleted or looked at, in the mode the list window chose. A new
// user gets the next free code, which cannot be typed, and one permission row per module, all
// allowed; a deleted user loses them.
class TfDados_Usuarios : public Dialogo {
    Q_OBJECT

public:
    explicit TfDados_Usuarios(Contexto& app, QWidget* parent = nullptr);

    // The code of the user being changed, deleted or looked at: the list's current row at
    // opening.
    QString CodSelecionado;

protected:
    void aoAbrir() override;

private:
    ::Modo modo() const;
    void limpaCampos();
    // What the code field does whenever it is reached: in "Inclui" it takes the next code;
    // in every mode the user goes on to the name.
    void passaPeloCodigo();
    bool propoeCodigo();
    void carrega();
    // The four checks of a save, in order; a failure says why and puts the user there.
    bool camposValidos();
    // Whether the user may stop being able to log in (deleted or made inactive): not while
    // login is on and nobody else could pass it. A refusal says why.
    bool podeSairDoLogin(const QString& acao);
    DadosUsuario usuarioDosCampos() const;
    void salva();
    void inclui();
    void altera();
    void exclui();
    // A change or a delete: written with its audit line, the list re-read, the window closed;
    // on failure the window stays as it was.
    void gravaEFecha(const std::function<qint64(Transacao&)>& escreve, const QString& auditoria);

    Contexto& m_app;
    QLabel* m_lbTitulo;
    QLineEdit* m_edCodigo;
    QLineEdit* m_edNome;
    QLineEdit* m_edLogin;
    QLineEdit* m_edSenha;
    QLineEdit* m_edSenha2;
    QComboBox* m_cbAtivo;
    QDateEdit* m_dtpDCad;
    QPushButton* m_btnGrava;
    QPushButton* m_btnLimpa;
    QPushButton* m_btnFecha;
};
