#pragma once

#include "common/JanelasCadastro.h"

class Contexto;

// The list of supplier groups: ordering by code or description, quick search, and the buttons
// that open the record window to add, change or delete a group.
class TfManut_GrupoFornecedor : public Familia::JanelaManutencao {
    Q_OBJECT

public:
    explicit TfManut_GrupoFornecedor(Contexto& app, QWidget* parent = nullptr);

protected:
    void aoAbrir() override;

private:
    // A new order starts a new search: the field is emptied and ready for typing.
    void recomecaBusca();
};
