#pragma once

#include "common/Formulario.h"

#include <QList>

class Contexto;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTableView;
namespace Familia {
class Lista;
}

// The list of suppliers: one box orders the list, another chooses the column the quick search
// looks in, and the buttons open the record window to add, change, delete or just look at one.
class TfManut_Fornec : public Dialogo {
    Q_OBJECT

public:
    explicit TfManut_Fornec(Contexto& app, QWidget* parent = nullptr);

    // The mode in which the record window opens; none once the list window has been left.
    ::Modo Modo = ::Modo::Nenhum;

    Familia::Lista& lista() { return *m_lista; }

protected:
    void aoAbrir() override;

private:
    // The list, its orders and the search, wired once the window is laid out: `ordens` are the
    // radios of the ordering box, in the list's order.
    void liga(const QList<QRadioButton*>& ordens, QTableView* grade);
    // One choice of the "Busca Por:" box: the column searched and the label it shows.
    struct ColunaBusca {
        QRadioButton* radio;
        QString campo;
        QString rotulo;
    };

    void abreDados(const QString& codigoModulo, ::Modo modo);
    void escolheBusca(const ColunaBusca& coluna);
    bool buscaPorCodigo() const;
    void saiDaBusca();
    void busca();

    Contexto& m_app;
    Familia::Lista* m_lista;
    QLabel* m_lbTitulo;
    QLineEdit* m_edBusca;
    QRadioButton* m_rbtnRazao;
    QList<ColunaBusca> m_colunas;
    int m_ordemAbertura = -1;
};
