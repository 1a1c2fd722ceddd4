#pragma once

#include "common/Formulario.h"

#include <QDialog>

class Aplicacao;
class QLabel;
class QLineEdit;
class QPushButton;

// One requisitioner, added, changed or deleted in the mode the list window chose. A new one
// is offered the highest code plus one, which the user may type over.
class TfDados_REQ : public QDialog {
    Q_OBJECT

public:
    explicit TfDados_REQ(Aplicacao& app, QWidget* parent = nullptr);

    // The code of the requisitioner being changed or deleted: the list's current row at
    // opening.
    QString CodSelecionado;

    void setVisible(bool visivel) override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    ::Modo modo() const;
    // Offers the next code in an empty code field while adding.
    void propoeCodigo();
    // Empties the code field and puts the user there with a fresh code offered.
    void recomecaCodigo();
    void saiCodigo();
    void saiNome();
    void salva();
    void inclui();
    void altera();
    void exclui();
    bool nomeVazio();

    Aplicacao& m_app;
    QLabel* m_lbTitulo;
    QLineEdit* m_edCodigo;
    QLineEdit* m_edDescricao;
    QPushButton* m_btnSalva;
    QPushButton* m_btnLimpa;
    // Set while the window opens or itself moves the focus to the code field after offering a
    // code, so the field's own entry does not offer it a second time.
    bool m_levandoAoCodigo = false;
};
