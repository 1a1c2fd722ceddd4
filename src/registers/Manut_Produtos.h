#pragma once

#include "common/Formulario.h"

#include <QDialog>
#include <QList>
#include <QPair>
#include <QString>

class Aplicacao;
class QLabel;
class QLineEdit;
class QRadioButton;
namespace Familia {
class Lista;
}

// What the product list and the product search share. Both show the one product list, ordered
// four ways, and search it on a column of its own choice rather than on the ordering column.
namespace ListaProdutos {

// The orderings of the list, in the order of their radios.
enum Ordem { PorCodigo, PorDescricao, PorReferencia, PorGrupo };
// The list statement in one ordering: products with their group's name. A product whose group
// no longer exists drops out of the list.
QString sqlOrdenado(Ordem ordem);

// The fields the list window shows, under their captions; the first one is the code.
QList<QPair<QString, QString>> colunasDaLista();

// Adds the four orderings to `lista` with their radios (in the order of Ordem) and makes each
// radio apply its ordering when it is clicked or when the user moves onto it, except while
// `abrindo` is true: a window being shown hands its last focused radio a focus of its own that
// the user did not give.
void ligaOrdens(Familia::Lista& lista, const QList<QRadioButton*>& radios, QWidget* janela,
                const bool& abrindo);

// The quick search: five radios (code, description, reference, bar code, notes) choose the
// column and name it in the label; "Busca" makes the first row whose value in that column
// begins with the typed text (case counts) the current row. A code is typed as people say it
// ("12") and stored right-aligned in ten characters, so it is padded with blanks first and the
// padded text is written back.
class BuscaRapida : public QObject {
    Q_OBJECT

public:
    BuscaRapida(Familia::Lista& lista, QLabel* rotulo, QLineEdit* campo,
                const QList<QRadioButton*>& radios, QObject* dono);

    void busca();
    // Chooses the description column again; the label then reads `rotulo`.
    void voltaParaDescricao(const QString& rotulo);
    QString campoAtual() const;

private:
    Familia::Lista& m_lista;
    QLabel* m_rotulo;
    QLineEdit* m_campo;
    QList<QRadioButton*> m_radios;
    int m_atual = 1;
};

} // namespace ListaProdutos

// The list of every item of the stock room: four orderings, a quick search on five columns, and
// the buttons that open the record window to add, change, delete or just look at a product.
class TfManut_Produtos : public QDialog {
    Q_OBJECT

public:
    explicit TfManut_Produtos(Aplicacao& app, QWidget* parent = nullptr);

    // The mode in which the record window opens: "Inclui", "Altera", "Exclui" or "Consulta".
    ::Modo Modo = ::Modo::Nenhum;

    Familia::Lista& lista() { return *m_lista; }

    void setVisible(bool visivel) override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void abreDados(const QString& codigoModulo, ::Modo modo);

    Aplicacao& m_app;
    Familia::Lista* m_lista;
    ListaProdutos::BuscaRapida* m_busca;
    QLineEdit* m_edBusca;
    bool m_abrindo = false;
};
