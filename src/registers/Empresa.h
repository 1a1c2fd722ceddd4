#pragma once

#include "common/Formulario.h"

#include <QList>
#include <utility>

class Contexto;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
struct DadosEmpresa;

// The company that runs the stock room: its name, registration numbers, address and contacts,
// kept in the one row of Empresa. The window shows that row at every opening and writes the
// changes back; it never adds or removes the row. The tax number is shown but never written:
// it identifies the company and is set when the database is delivered.
class TfEmpresa : public Dialogo {
    Q_OBJECT

public:
    explicit TfEmpresa(Contexto& app, QWidget* parent = nullptr);

protected:
    void aoAbrir() override;

private:
    // Fills the fields from the stored row; a missing row leaves them empty.
    void carrega();
    void grava();

    Contexto& m_app;
    // Each line field and the company datum it shows.
    QList<std::pair<QLineEdit*, QString DadosEmpresa::*>> m_campos;
    QLineEdit* m_edNome;
    QPlainTextEdit* m_edObs;
    QPushButton* m_btnGrava;
};
