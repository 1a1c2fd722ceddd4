#pragma once

#include "common/Decimal.h"
#include "common/Formulario.h"

class Contexto;
class CamposProduto;
class QDateEdit;
class QPushButton;
class TEditH;
struct Produto;

// The write-off of a lent-out item that is lost, scrapped or otherwise gone for good: it leaves
// the stock at its average cost, with no requisitioner to give it back. One write-off per
// opening: a successful save closes the window.
class TfExtravio : public Dialogo {
    Q_OBJECT

public:
    explicit TfExtravio(Contexto& app, QWidget* parent = nullptr);

protected:
    void aoAbrir() override;

private:
    // The look-ups and the keys, wired once the form is laid out; `buscaProduto` opens the
    // product search.
    void liga(QPushButton* buscaProduto);
    void limpaProduto();
    void mostraProduto(const Produto& p, bool porCodigo);
    void confereEstoque();
    // The stock message, the quantity set back to what is there, the focus on it.
    void recusaQuantidade(const Decimal& pedida, const Decimal& existente);
    void grava();

    Contexto& m_app;
    TEditH* m_edCodPro;
    TEditH* m_edDescPro;
    TEditH* m_edCodBar;
    TEditH* m_edUnid;
    TEditH* m_edValor;
    TEditH* m_edQuantAtual;
    TEditH* m_edQuant;
    QDateEdit* m_dtpData;
    TEditH* m_edDoc;
    CamposProduto* m_produto;
    // The quantity was just set back to the stock: the click that left it must not save that.
    bool m_quantidadeRecusada = false;
};
