#pragma once

#include "registers/Familia.h"

class Aplicacao;
class QLineEdit;
class QRadioButton;

// Picks a requisitioner for another window (a stock exit, a reversal, a return, a report):
// the chosen code goes into the caller's field.
class TfBusca_REQ : public Familia::JanelaBusca {
    Q_OBJECT

public:
    explicit TfBusca_REQ(Aplicacao& app, QWidget* parent = nullptr);

    Familia::Lista& lista() { return *m_lista; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    Aplicacao& m_app;
    Familia::Lista* m_lista;
    QRadioButton* m_rbDescricao;
    QLineEdit* m_edBusca;
    int m_ordemAbertura = -1;
};
