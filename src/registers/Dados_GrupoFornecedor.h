#pragma once

#include "common/JanelasCadastro.h"

class Contexto;

// One supplier group, added, changed or deleted in the mode the list window chose. A new group
// is offered the highest code plus one, which the user may type over with a free code.
class TfDados_GrupoFornecedor : public Familia::JanelaDados {
    Q_OBJECT

public:
    explicit TfDados_GrupoFornecedor(Contexto& app, QWidget* parent = nullptr);

protected:
    // The fields take typing only where the mode uses them.
    void aoAbrir() override;
    // Puts the focus on the code field, which then holds a fresh proposal.
    void abreInclusao() override;
    // The description in "Altera", the save button in "Exclui".
    void abreRegistro() override;

private:
    bool m_proposto = false;
};
