#pragma once

#include "common/JanelasCadastro.h"

class Contexto;

// One requisitioner, added, changed or deleted in the mode the list window chose. A new one
// is offered the highest code plus one, which the user may type over.
class TfDados_REQ : public Familia::JanelaDados {
    Q_OBJECT

public:
    explicit TfDados_REQ(Contexto& app, QWidget* parent = nullptr);

    void setVisible(bool visivel) override;

protected:
    // Empties the code field and puts the user there with a fresh code offered.
    void abreInclusao() override;
    // "Limpa" empties the name only.
    void limpa() override;

private:
    // Offers the next code in an empty code field while adding.
    void propoeCodigo();

    // Set while the window opens or itself moves the focus to the code field after offering a
    // code, so the field's own entry does not offer it a second time.
    bool m_levandoAoCodigo = false;
};
