#pragma once

#include "common/JanelasCadastro.h"

class Contexto;

// The list of product groups: ordering, quick search, and the buttons that open the record
// window to add, change or delete a group.
class TfManut_Grupos : public Familia::JanelaManutencao {
    Q_OBJECT

public:
    explicit TfManut_Grupos(Contexto& app, QWidget* parent = nullptr);

protected:
    void aoAbrir() override;
};
