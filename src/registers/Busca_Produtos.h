#pragma once

#include "registers/Familia.h"

class Aplicacao;
class QLineEdit;
namespace ListaProdutos {
class BuscaRapida;
}

// Picks a product for another window (stock entry, exit, reversal, return, loss, the movement
// query and maintenance, the supplier query, the report dialogs): the chosen code, with its
// leading blanks, goes into the caller's field. Each caller adds its row when it is built.
class TfBusca_Produtos : public Familia::JanelaBusca {
    Q_OBJECT

public:
    explicit TfBusca_Produtos(Aplicacao& app, QWidget* parent = nullptr);

    Familia::Lista& lista() { return *m_lista; }

    void setVisible(bool visivel) override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    Aplicacao& m_app;
    Familia::Lista* m_lista;
    ListaProdutos::BuscaRapida* m_busca;
    bool m_abrindo = false;
};
