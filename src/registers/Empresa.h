#pragma once

#include <QDialog>

class Aplicacao;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The company that runs the stock room: its name, registration numbers, address and contacts,
// kept in the one row of Empresa. The window shows that row at every opening and writes the
// changes back; it never adds or removes the row. The tax number is shown but never written:
// it identifies the company and is set when the database is delivered.
class TfEmpresa : public QDialog {
    Q_OBJECT

public:
    explicit TfEmpresa(Aplicacao& app, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* e) override;

private:
    class LimiteDeTexto;

    // Fills the fields from the stored row; a missing row leaves them empty.
    void carrega();
    void grava();

    Aplicacao& m_app;
    QLineEdit* m_edNome;
    QLineEdit* m_edCNPJ;
    QLineEdit* m_edInsc;
    QLineEdit* m_edEnder;
    QLineEdit* m_edBairro;
    QLineEdit* m_edCidade;
    QLineEdit* m_edUF;
    QLineEdit* m_edFone;
    QLineEdit* m_edFax;
    QLineEdit* m_edHomeP;
    QLineEdit* m_edEmail;
    QPlainTextEdit* m_edObs;
    LimiteDeTexto* m_limiteObs;
    QPushButton* m_btnGrava;
};
