#pragma once

// What every register's windows share: the list with its ordering radios and quick search,
// the permission per button, the save with its audit line and rollback, and the search
// window's contract with its callers. Each register keeps its own statements, texts and
// exceptions in its own windows and uses these pieces for what truly is the same.

#include "common/JanelaBusca.h"

#include <QDialog>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>
#include <functional>

class Aplicacao;
class Consulta;
class DataSet;
class ErroBanco;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTableView;
class Transacao;

namespace Familia {

// The permission of one list button: refused only when permissions and login are both on
// and the user's row does not say "S"; a refusal shows the warning and answers false.
bool permiteBotao(Aplicacao& app, const QString& codigoModulo);

// One save of a record window, in one transaction: `escreve` runs the statements, then the
// audit line `textoLog` is written when logging and login are both on, then the commit. On
// any database error everything, audit line included, is rolled back, and only then the
// warning `falha(erro)` is shown: the rows stay locked for no one while the user reads it.
// A rollback that fails as well changes nothing of what the user is told. Returns whether the
// save went through.
bool grava(Aplicacao& app, QWidget* janela, const std::function<void(Transacao&)>& escreve,
           const QString& textoLog, const std::function<QString(const ErroBanco&)>& falha);
// The failure text for registers whose message carries the database's own words:
// `texto`, a line break, "Erro:  " and the server's message.
QString comErro(const QString& texto, const ErroBanco& erro);

// The first-column text of the list's current row (empty for an empty list): the code a
// record window loads in "Altera", "Exclui" and "Consulta", and what "Seleciona" hands back.
QString codigoAtual(const DataSet& lista);

// One ordering choice of a list: its radio, its statement, the quick-search label it sets
// and the column the quick search then looks in. A code column pads the typed text first.
struct Ordem {
    QRadioButton* radio = nullptr;
    QString sql;
    QString rotulo;
    QString campo;
    bool codigo = false;
};

// The list part of a register's list or search window: the shared list (the data module's
// list query and its rows), the grid that shows it, the ordering radios and the quick search.
class Lista : public QObject {
    Q_OBJECT

public:
    // `largura` and `preenchimento` pad a code typed in the quick search.
    Lista(QWidget* janela, ::Consulta& consulta, DataSet& dados, QTableView* grade, QLabel* rotulo,
          QLineEdit* campoBusca, int largura, QChar preenchimento);

    // Adds an ordering choice; returns its index.
    int adicionaOrdem(const Ordem& ordem);
    // Makes the radios apply their ordering when clicked (and, with `tambemAoFocar`, when they
    // receive the focus).
    void ligaRadios(bool tambemAoFocar = false);

    // Applies an ordering: the list's statement is replaced, the list re-read, the radio
    // checked and the label set. The list keeps this order, in every window that shows it,
    // until an ordering is applied again.
    void ordena(int indice);
    int ordemAtual() const { return m_atual; }
    const Ordem& ordem(int indice) const { return m_ordens.at(indice); }

    // Re-reads the list with its current statement; the current row stays on the same code
    // when it is still there. A database error is shown and leaves the list as it was.
    void rele();
    // The quick search: on a code column the typed text is first padded to the code's width
    // and written back; then the first row, in list order, whose value in the column begins
    // with the text (case counts) becomes current. No match leaves the current row where it
    // was and says nothing. The list is re-read either way.
    void busca();

    DataSet& dados() { return m_dados; }
    QLineEdit* campoBusca() const { return m_campoBusca; }

protected:
    bool eventFilter(QObject* alvo, QEvent* evento) override;

private:
    QWidget* m_janela;
    ::Consulta& m_consulta;
    DataSet& m_dados;
    QTableView* m_grade;
    QLabel* m_rotulo;
    QLineEdit* m_campoBusca;
    int m_largura;
    QChar m_preenchimento;
    QList<Ordem> m_ordens;
    int m_atual = -1;
};

// The search windows' contract with their callers lives with the code field.
using JanelaBusca = ::JanelaBusca;

} // namespace Familia
