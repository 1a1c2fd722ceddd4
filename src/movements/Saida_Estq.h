#pragma once

#include "common/Formulario.h"

class Contexto;
class CampoCodigo;
class CamposProduto;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
struct Produto;

// Goods issued from the stock room to a requisitioner. A save appends the exit to the ledger
// and lowers the quantity on hand; for an item that is lent out and comes back (a
// non-consumable) it also opens the loan, with the date it is due back. The window stays open
// for the next exit.
class TfSaida_Estq : public Dialogo {
    Q_OBJECT

public:
    explicit TfSaida_Estq(Contexto& app, QWidget* parent = nullptr);

protected:
    void aoAbrir() override { limpa(); }

private:
    // The look-ups and the buttons, wired once the form is laid out.
    void liga();
    // Every field back to its empty value, the cursor on the product code. Whether the value
    // can be typed and whether the due date shows stay as the last product made them.
    void limpa();
    void mostraProduto(const Produto& p, bool porCodigo);
    void grava();

    Contexto& m_app;
    QLineEdit* m_edCodPro;
    QLineEdit* m_edDescPro;
    QPushButton* m_btnBuscaPro;
    QLineEdit* m_edCodBar;
    QLineEdit* m_edUnid;
    QLineEdit* m_edQuantAtual;
    QDateEdit* m_dtpData;
    QLineEdit* m_edCodReq;
    QLineEdit* m_edDescReq;
    QPushButton* m_btnBuscaReq;
    QLineEdit* m_edQuant;
    QLineEdit* m_edValor;
    QLineEdit* m_edDoc;
    QLineEdit* m_edConsumivel;
    QLabel* m_lbDataD;
    QDateEdit* m_dtpDataD;
    QPushButton* m_btnGrava;
    // The product code field knows the product the fields describe: only it can be issued.
    CamposProduto* m_produto;
    CampoCodigo* m_requisitante;
};
