#pragma once

#include "common/Formulario.h"

#include <QList>
#include <QPair>
#include <QString>

class Contexto;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTableView;
class TdmProdutos;
namespace Familia {
class Lista;
}

namespace ListaProdutos {

// The fields the list window shows, under their captions; the first one is the code.
QList<QPair<QString, QString>> colunasDaLista();

// The names a window gives the pieces of the panel.
struct Nomes {
    const char* ordens[4]; // the ordering radios: code, description, reference, group
    const char* campoBusca;
    const char* botaoBusca;
    const char* grade;
    // The label of the search by description, as each opening sets it.
    const char* rotuloDescricao;
};

// What the product list and the product search share: the one product list, ordered four ways
// in the box "Ordenado por:", and its quick search in the box "Busca", where five radios (code,
// description, reference, bar code, notes) choose the column rather than the ordering.
//
// Each ordering radio applies its ordering when it is clicked or when the user moves onto it,
// but not while the window is being shown: showing hands the last focused radio a focus the
// user did not give. The ordering leaves the search label alone.
//
// "Busca" makes the first row whose value in the chosen column begins with the typed text
// (case counts) the current row. A code is typed as people say it ("12") and stored
// right-aligned in ten characters, so it is padded with blanks first and the padded text is
// written back.
class Painel : public QObject {
    Q_OBJECT

public:
    // The grid shows `colunas` of the shared list.
    Painel(Dialogo* janela, TdmProdutos& dm, const Nomes& nomes,
           const QList<QPair<QString, QString>>& colunas);

    // Lays the window out: its heading, the two boxes, the grid and the row of buttons.
    void monta(const QString& cabecalho, QHBoxLayout* botoes);

    Familia::Lista& lista() { return *m_lista; }

    // Every opening shows the products by description again and searches the description;
    // `limpaBusca` empties what was typed in the search.
    void abre(bool limpaBusca);
    void busca();

private:
    Dialogo* m_janela;
    QGroupBox* m_caixaOrdem;
    QGroupBox* m_caixaBusca;
    QTableView* m_grade;
    QLabel* m_rotulo;
    QLineEdit* m_campo;
    QList<QRadioButton*> m_radiosBusca;
    Familia::Lista* m_lista;
    QString m_rotuloDescricao;
    int m_coluna = 1;
};

} // namespace ListaProdutos
