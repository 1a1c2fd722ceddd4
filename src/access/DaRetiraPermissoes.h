#pragma once

#include "common/Formulario.h"

class Contexto;
class CampoCodigo;
class QLineEdit;
class QTableView;

// One user's permission rows, one per module, switched one at a time between allowed ("S")
// and refused ("N"). A switch counts at once: the menu asks the table at every choice.
class TfDaRetiraPermissoes : public Dialogo {
    Q_OBJECT

public:
    explicit TfDaRetiraPermissoes(Contexto& app, QWidget* parent = nullptr);

protected:
    void aoAbrir() override;

private:
    void mostra();
    void altera();
    // Re-reads the rows of the user the grid shows, keeping the same row current.
    void releLista();

    Contexto& m_app;
    QLineEdit* m_edCodigo;
    QLineEdit* m_edLogin;
    QLineEdit* m_edNome;
    QTableView* m_grade;
    CampoCodigo* m_codigo;
};
