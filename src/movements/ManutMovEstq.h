#pragma once

#include "common/Formulario.h"

class Contexto;
class CampoCodigo;
class QDateEdit;
class QTableView;
class TEditH;

// Removes wrong movements from the ledger: the rows of a date range (and one product, when
// named), one of which is deleted alone or deleted with its effect on the stock undone. The
// list always shows every row its own statement returns, whatever the movement query last
// filtered.
class TfManutMovEstq : public Dialogo {
    Q_OBJECT

public:
    explicit TfManutMovEstq(Contexto& app, QWidget* parent = nullptr);

protected:
    void aoAbrir() override;
    void aoFechar() override;

private:
    void filtra();
    void exclui(bool reverte);

    Contexto& m_app;
    QDateEdit* m_dtpDataInicial;
    QDateEdit* m_dtpDataFinal;
    TEditH* m_edCodigo;
    TEditH* m_edDesc;
    QTableView* m_dbgMovEstq;
    CampoCodigo* m_produto;
};
