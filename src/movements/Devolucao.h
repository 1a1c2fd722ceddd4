#pragma once

#include "common/Formulario.h"

class Contexto;
class CampoCodigo;
class CamposProduto;
class QLineEdit;
class QTableView;

// The open loans of lent-out items, narrowed by product and by requisitioner, from which one
// loan is chosen and returned (in TfDevolve). The list opens empty until "Buscar" is pressed.
class TfDevolucao : public Dialogo {
    Q_OBJECT

public:
    explicit TfDevolucao(Contexto& app, QWidget* parent = nullptr);

protected:
    void aoAbrir() override;

private:
    void busca();
    void devolve();

    Contexto& m_app;
    QLineEdit* m_edCodPro;
    QLineEdit* m_edCodBar;
    QLineEdit* m_edDescPro;
    QLineEdit* m_edCodReq;
    QLineEdit* m_edDescReq;
    QLineEdit* m_edUnid;
    QTableView* m_dbgDev;
    CamposProduto* m_produto;
    CampoCodigo* m_requisitante;
};
