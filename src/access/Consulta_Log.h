#pragma once

#include "common/Formulario.h"

class Contexto;
class CampoCodigo;
class QDateEdit;
class QLineEdit;

// Who did what and when: the audit lines of a period, of one user (chosen by code or by login)
// or of everyone, in the order they were written.
class TfConsulta_Log : public Dialogo {
    Q_OBJECT

public:
    explicit TfConsulta_Log(Contexto& app, QWidget* parent = nullptr);

protected:
    void aoAbrir() override;

private:
    void saiDoLogin();
    void filtra();

    Contexto& m_app;
    QLineEdit* m_edCodigo;
    QLineEdit* m_edLogin;
    QLineEdit* m_edNome;
    QDateEdit* m_dtpInicial;
    QDateEdit* m_dtpFinal;
    CampoCodigo* m_codigo;
};
