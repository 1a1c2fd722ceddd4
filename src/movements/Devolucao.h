#pragma once

#include "common/Formulario.h"

class Aplicacao;
class CampoCodigo;
class CamposProduto;
class QLineEdit;
class QPushButton;
class QTableView;

// The open loans of lent-out items, narrowed by product and by requisitioner, from which one
// loan is chosen and returned (in TfDevolve). The list opens empty until "Buscar" is pressed.
class TfDevolucao : public Dialogo {
    Q_OBJECT

public:
    explicit TfDevolucao(Aplicacao& app, QWidget* parent = nullptr);

protected:
    void aoAbrir() override;

private:
    // The look-ups and the keys, wired once the form is laid out.
    void liga();
    void busca();
    void devolve();

    Aplicacao& m_app;
    QLineEdit* m_edCodPro;
    QLineEdit* m_edCodBar;
    QLineEdit* m_edDescPro;
    QLineEdit* m_edCodReq;
    QLineEdit* m_edDescReq;
    QLineEdit* m_edUnid;
    QPushButton* m_btnBuscaPro;
    QPushButton* m_btnBuscareq;
    QTableView* m_dbgDev;
    CamposProduto* m_produto;
    CampoCodigo* m_requisitante;
};
