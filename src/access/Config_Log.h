#pragma once

#include "access/SimNao.h"

// Whether the register and movement windows write who did what to the audit log (only while
// login is on).
class TfConfig_Log : public JanelaSimNao {
    Q_OBJECT

public:
    explicit TfConfig_Log(Contexto& app, QWidget* parent = nullptr);

protected:
    QString valorGravado() override;
    void grava() override;
};
