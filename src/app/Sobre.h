#pragma once

#include "common/Formulario.h"

class Aplicacao;
class QLabel;

// The about box: the product, the version the database carries, and how to reach support.
class TfSobre : public Dialogo {
    Q_OBJECT

public:
    explicit TfSobre(Aplicacao& app, QWidget* parent = nullptr);

protected:
    void aoAbrir() override;

private:
    Aplicacao& m_app;
    QLabel* m_lbVersao;
};
