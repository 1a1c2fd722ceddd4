#pragma once

#include "access/SimNao.h"

// Whether users must log in when the program starts. Switching login off switches the
// permissions and the audit log off with it; login cannot be switched on while no user could
// pass it.
class TfConfig_Login : public JanelaSimNao {
    Q_OBJECT

public:
    explicit TfConfig_Login(Contexto& app, QWidget* parent = nullptr);

protected:
    QString valorGravado() override;
    void grava() override;
};
