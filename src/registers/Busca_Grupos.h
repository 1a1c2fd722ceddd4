#pragma once

#include "common/JanelasCadastro.h"

class Contexto;

// Picks a product group for another window: the chosen code goes into the caller's field.
class TfBusca_Grupos : public Familia::JanelaSelecao {
    Q_OBJECT

public:
    explicit TfBusca_Grupos(Contexto& app, QWidget* parent = nullptr);

protected:
    void aoAbrir() override;

private:
    bool m_jaAberta = false;
};
