#pragma once

#include "access/SimNao.h"

// Whether the menu and the register lists ask for the user's permission per module (only
// while login is on).
class TfPermissao_Usuarios : public JanelaSimNao {
    Q_OBJECT

public:
    explicit TfPermissao_Usuarios(Contexto& app, QWidget* parent = nullptr);

protected:
    QString valorGravado() override;
    void grava() override;
};
