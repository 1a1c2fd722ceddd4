#pragma once

#include "registers/Familia.h"

class Aplicacao;
class QLineEdit;
class QRadioButton;

// Picks a supplier group for another window (the supplier record window): the chosen code goes
// into the caller's field.
class TfBuscaGRU_For : public Familia::JanelaBusca {
    Q_OBJECT

public:
    explicit TfBuscaGRU_For(Aplicacao& app, QWidget* parent = nullptr);

    Familia::Lista& lista() { return *m_lista; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    void saiDaBusca();

    Aplicacao& m_app;
    Familia::Lista* m_lista;
    QRadioButton* m_rbCodigo;
    QLineEdit* m_edBusca;
    int m_porDescricao = -1;
};
