#pragma once

#include "common/JanelasCadastro.h"

#include <QList>
#include <QPair>

class Contexto;
class QLineEdit;
class QRadioButton;

// Picks a supplier for another window (the stock entry, the reversal of an entry): the chosen
// code goes into the caller's field named for its `Origem`. Each caller adds its own row to
// the contract with registraDestino() when it is built.
class TfBusca_Fornecedor : public Familia::JanelaBusca {
    Q_OBJECT

public:
    explicit TfBusca_Fornecedor(Contexto& app, QWidget* parent = nullptr);

    Familia::Lista& lista() { return *m_lista; }

    // The columns, and their captions, of both supplier grids (this one and the list
    // window's): the fields of the shared list in the order the stock room reads them.
    static QList<QPair<QString, QString>> colunasDaGrade();

protected:
    void aoAbrir() override;

private:
    Contexto& m_app;
    Familia::Lista* m_lista;
    QLineEdit* m_edBusca;
    int m_porRazao = -1;
};
