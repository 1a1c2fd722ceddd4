#pragma once

#include "registers/Familia.h"

class Aplicacao;
class QRadioButton;

// Picks a product group for another window: the chosen code goes into the caller's field.
class TfBusca_Grupos : public Familia::JanelaBusca {
    Q_OBJECT

public:
    explicit TfBusca_Grupos(Aplicacao& app, QWidget* parent = nullptr);

    Familia::Lista& lista() { return *m_lista; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    Aplicacao& m_app;
    Familia::Lista* m_lista;
    QRadioButton* m_rbDescricao;
    bool m_jaAberta = false;
};
