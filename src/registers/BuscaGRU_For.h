#pragma once

#include "common/JanelasCadastro.h"

class Contexto;

// Picks a supplier group for another window (the supplier record window): the chosen code goes
// into the caller's field.
class TfBuscaGRU_For : public Familia::JanelaSelecao {
    Q_OBJECT

public:
    explicit TfBuscaGRU_For(Contexto& app, QWidget* parent = nullptr);

protected:
    void aoAbrir() override;

private:
    void saiDaBusca();
};
