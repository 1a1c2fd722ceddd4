#pragma once

#include "common/CampoCodigo.h"
#include "common/Formulario.h"

class Contexto;
class CamposProduto;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class TEditH;
struct Produto;

// The reversal of a stock entry ("TE") or of a stock exit ("TS"): a movement of its own that
// moves the product's quantity on hand back the other way, against the supplier of the entry or
// the requisitioner of the exit. The average cost is left alone, and lent-out items cannot be
// reversed. One window serves both; the main menu sets TipoEstorno before opening it, and the
// window asks the main window for the mode each time it needs it.
class TfEstorno_Estq : public Dialogo {
    Q_OBJECT

public:
    explicit TfEstorno_Estq(Contexto& app, QWidget* parent = nullptr);

protected:
    // The mode's texts and counterpart, every field back at its opening value.
    void aoAbrir() override;

private:
    // The look-ups and the keys, wired once the form is laid out; `buscaProduto` opens the
    // product search.
    void liga(QPushButton* buscaProduto);
    // Whether this opening reverses an entry; otherwise it reverses an exit.
    bool deEntrada() const;
    // The counterpart field looks up a supplier for an entry, a requisitioner for an exit.
    CampoCodigo::Regras regrasContraparte();
    // Every field back at its opening value, the focus in the product code.
    void limpa();
    void mostraProduto(const Produto& p);
    void grava();

    Contexto& m_app;
    QLabel* m_lbTitulo;
    QLabel* m_lbContraparte;
    QLineEdit* m_edCodPro;
    QLineEdit* m_edDescPro;
    QLineEdit* m_edCodBar;
    QLineEdit* m_edUnid;
    QLineEdit* m_edQuantAtual;
    QDateEdit* m_dtpData;
    QLineEdit* m_edQuant;
    QLineEdit* m_edValor;
    QLineEdit* m_edDoc;
    TEditH* m_edCodReq;
    TEditH* m_edNomeReq;
    QPushButton* m_btnBuscaReq;
    CamposProduto* m_produto;
    CampoCodigo* m_contraparte;
};
