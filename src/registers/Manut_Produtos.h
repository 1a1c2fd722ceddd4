#pragma once

#include "common/Formulario.h"

class Contexto;
namespace Familia {
class Lista;
}
namespace ListaProdutos {
class Painel;
}

// The list of every item of the stock room: four orderings, a quick search on five columns, and
// the buttons that open the record window to add, change, delete or just look at a product.
class TfManut_Produtos : public Dialogo {
    Q_OBJECT

public:
    explicit TfManut_Produtos(Contexto& app, QWidget* parent = nullptr);

    // The mode in which the record window opens.
    ::Modo Modo = ::Modo::Nenhum;

    Familia::Lista& lista();

protected:
    void aoAbrir() override;

private:
    void abreDados(const QString& codigoModulo, ::Modo modo);

    Contexto& m_app;
    ListaProdutos::Painel* m_painel;
};
