#pragma once

#include "common/Formulario.h"

class Contexto;
class CamposProduto;
class QLineEdit;
class QPushButton;
struct Produto;

// From whom a product has been bought: every supplier named on its movements, once each.
// It writes nothing.
class TfConsultaProdutos : public Dialogo {
    Q_OBJECT

public:
    explicit TfConsultaProdutos(Contexto& app, QWidget* parent = nullptr);

protected:
    void aoAbrir() override;

private:
    // The look-ups and the keys, wired once the form is laid out; `buscaProduto` opens the
    // product search.
    void liga(QPushButton* buscaProduto);
    void mostraProduto(const Produto& p);

    Contexto& m_app;
    QLineEdit* m_edCodigo;
    QLineEdit* m_edCodBar;
    QLineEdit* m_edDesc;
    QLineEdit* m_edRefer;
    QLineEdit* m_edLocal;
    CamposProduto* m_produto;
};
