#pragma once

#include "common/Formulario.h"

class Contexto;
class QDateEdit;
class QLineEdit;

// The return of the loan under the list's cursor: everything shown as the loan stands, only
// the return date to choose. The loan's number is kept from the moment the window opens; the
// return then closes that loan, whatever the list shows meanwhile.
class TfDevolve : public Dialogo {
    Q_OBJECT

public:
    explicit TfDevolve(Contexto& app, QWidget* parent = nullptr);

    // What the person is told when there is no loan to return, here or in the loan list that
    // opens this window.
    static const QString nenhumEmprestimo;

protected:
    void aoAbrir() override;

private:
    void devolve();

    Contexto& m_app;
    qint64 m_emprestimo = 0;
    QLineEdit* m_edCodPro;
    QLineEdit* m_edDescPro;
    QLineEdit* m_edCodReq;
    QLineEdit* m_edDescREq;
    QLineEdit* m_edQuant;
    QLineEdit* m_edDoc;
    QLineEdit* m_edData;
    QLineEdit* m_edDataD;
    QDateEdit* m_dtpDataE;
};
