#pragma once

#include "common/JanelasCadastro.h"

class Contexto;

// One product group, added, changed or deleted in the mode the list window chose. The code is
// never typed: a new group gets the highest code plus one.
class TfDados_Grupos : public Familia::JanelaDados {
    Q_OBJECT

public:
    explicit TfDados_Grupos(Contexto& app, QWidget* parent = nullptr);

protected:
    // The code field takes no typing: in "Inclui" it gets the next code, and the focus goes on
    // to the description.
    void abreInclusao() override;
};
