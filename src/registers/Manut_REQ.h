#pragma once

#include "common/JanelasCadastro.h"

class Contexto;

// The list of requisitioners, the people and departments goods are issued to: ordering, quick
// search, and the buttons that open the record window to add, change or delete one.
class TfManut_REQ : public Familia::JanelaManutencao {
    Q_OBJECT

public:
    explicit TfManut_REQ(Contexto& app, QWidget* parent = nullptr);

protected:
    void aoAbrir() override;
};
