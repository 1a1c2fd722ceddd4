#pragma once

#include "common/JanelasCadastro.h"

class Contexto;

// Picks a requisitioner for another window (a stock exit, a reversal, a return, a report):
// the chosen code goes into the caller's field.
class TfBusca_REQ : public Familia::JanelaSelecao {
    Q_OBJECT

public:
    explicit TfBusca_REQ(Contexto& app, QWidget* parent = nullptr);

protected:
    void aoAbrir() override;
};
