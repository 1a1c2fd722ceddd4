#pragma once

#include "common/JanelasCadastro.h"

class Contexto;
namespace ListaProdutos {
class Painel;
}

// Picks a product for another window (stock entry, exit, reversal, return, loss, the movement
// query and maintenance, the supplier query, the report dialogs): the chosen code, with its
// leading blanks, goes into the caller's field. Each caller adds its row when it is built.
class TfBusca_Produtos : public Familia::JanelaBusca {
    Q_OBJECT

public:
    explicit TfBusca_Produtos(Contexto& app, QWidget* parent = nullptr);

protected:
    void aoAbrir() override;

private:
    Contexto& m_app;
    ListaProdutos::Painel* m_painel;
};
