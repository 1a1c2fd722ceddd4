#pragma once

// What every register's windows share: the list with its ordering radios and quick search,
// the permission per button, the save with its audit line and rollback, and the search
// window's contract with its callers. Each register keeps its own statements, texts and
// exceptions and uses these pieces for what truly is the same.
//
// The registers of a code and a description (product groups, requisitioners, supplier groups)
// are built whole from here: a list window (JanelaManutencao), a record window (JanelaDados)
// and a search window (JanelaSelecao), each told its register's names and texts.

#include "common/CampoCodigo.h"
#include "common/Formulario.h"
#include "common/JanelaBusca.h"
#include "common/Mensagens.h"
#include "data/CadastroSimples.h"
#include "data/ListaDoModulo.h"

#include <QDialog>
#include <QHash>
#include <QList>
#include <QPair>
#include <QPointer>
#include <QString>
#include <functional>

class Contexto;
class Consulta;
class DataSet;
class ErroBanco;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;
class Transacao;

namespace Familia {

// The permission of one list button: refused only when permissions and login are both on
// and the user's row does not say "S"; a refusal shows the warning and answers false.
bool permiteBotao(Contexto& app, const QString& codigoModulo);

// One save of a record window, in one transaction: `escreve` runs the statements and answers
// how many rows of the record itself they touched, then the audit line `textoLog` is written
// when logging and login are both on, then the commit. A record no row of which was touched
// (another workstation deleted it after this one read it) is a failed save like any database
// error, its reason saying so. On a failure everything, audit line included, is rolled back,
// and only then the warning `falha(erro)` is shown: the rows stay locked for no one while the
// user reads it. A rollback that fails as well changes nothing of what the user is told.
// Returns whether the save went through. The failure is a warning unless `tipoFalha` says
// otherwise.
bool grava(Contexto& app, QWidget* janela, const std::function<qint64(Transacao&)>& escreve,
           const QString& textoLog, const std::function<QString(const ErroBanco&)>& falha,
           TipoMensagem tipoFalha = TipoMensagem::Aviso);
// The reason a save gives when the record it changes or deletes is no longer there.
QString registroSumido();
// The failure text for registers whose message carries the database's own words:
// `texto`, a line break, "Erro:  " and the server's message.
QString comErro(const QString& texto, const ErroBanco& erro);

// The first-column text of the list's current row (empty for an empty list): the code a
// record window loads in "Altera", "Exclui" and "Consulta", and what "Seleciona" hands back.
QString codigoAtual(const DataSet& lista);

// A message of a given kind.
struct Aviso {
    TipoMensagem tipo = TipoMensagem::Informacao;
    QString texto{};
};
void mostra(const Aviso& aviso, QWidget* janela);

// One ordering choice of a list: its radio, the data module's order it opens (by its place
// among the module's orders), the quick-search label it sets (a null text leaves the label as
// it is) and the column the quick search then looks in. A code column pads the typed text
// first.
struct Ordem {
    QRadioButton* radio = nullptr;
    int ordem = 0;
    QString rotulo;
    QString campo;
    bool codigo = false;
};

// The list part of a register's list or search window: the shared list (as its data module
// opens it), the grid that shows it, the ordering radios and the quick search.
class Lista : public QObject {
    Q_OBJECT

public:
    // `largura` and `preenchimento` pad a code typed in the quick search.
    Lista(QWidget* janela, ListaDoModulo lista, QTableView* grade, QLabel* rotulo,
          QLineEdit* campoBusca, int largura, QChar preenchimento);

    // Adds an ordering choice; returns its index.
    int adicionaOrdem(const Ordem& ordem);
    // Makes the radios apply their ordering when clicked (and, with `tambemAoFocar`, when they
    // receive the focus).
    void ligaRadios(bool tambemAoFocar = false);

    // Applies an ordering: the data module opens the list in its order, the radio is checked
    // and the label set. The list keeps this order, in every window that shows it,
    // until an ordering is applied again.
    void ordena(int indice);
    int ordemAtual() const { return m_atual; }
    const Ordem& ordem(int indice) const { return m_ordens.at(indice); }

    // Re-reads the list in its current order; the current row stays on the same code
    // when it is still there. A database error is shown and leaves the list as it was.
    void rele();
    // The quick search's locate: the first row whose `campo` begins with `prefixo` (case
    // counts) among the rows already read becomes current. Only when none does is the list
    // read again, and its first such row becomes current; with none still, the current row
    // stays on the same code. When the list cannot be read again, the error is shown and the
    // list stays as it was.
    void releLocalizando(const QString& campo, const QString& prefixo);
    // The quick search: on a code column the typed text is first padded to the code's width
    // and written back; then the first row, in list order, whose value in the column begins
    // with the text (case counts) becomes current. No match leaves the current row where it
    // was and says nothing; the list is then read again, so rows added since are found.
    void busca();

    DataSet& dados() { return m_dados; }
    QLineEdit* campoBusca() const { return m_campoBusca; }

protected:
    bool eventFilter(QObject* alvo, QEvent* evento) override;

private:
    QWidget* m_janela;
    ListaDoModulo m_lista;
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

// The orders of a list window built by Quadro, by index.
enum IndiceOrdem { PorCodigo, PorDescricao, NaAbertura };

// How a register's list or search window looks, named as the documents name its widgets:
// the box "Ordenado por" with a radio for the code and one for the description, the quick
// search, and the grid over the register's shared list.
struct Desenho {
    const char* nome = "";
    QString titulo{};
    // A heading above the whole window; none when empty.
    QString cabecalho{};
    QString caixaOrdem = QStringLiteral("Ordenado por:");
    const char* radioCodigo = "";
    const char* radioDescricao = "";
    // The radio the window is made with: description, or code.
    bool marcaDescricao = true;
    // The radios order the list when they receive the focus too, not only when clicked.
    bool ordenaAoFocar = false;
    // The order on opening, when the data module offers one, is the third ordering
    // (NaAbertura). The quick search looks in the list's first two columns.
    // The quick-search labels the orders set; a null `rotuloAbertura` leaves the label as the
    // last radio clicked left it.
    QString rotuloCodigo = QStringLiteral("Código:");
    QString rotuloDescricao = QStringLiteral("Descrição:");
    QString rotuloAbertura{};
    // "Busca" pads a code to six zeros before it looks.
    bool buscaCompletaCodigo = true;
    QString caixaBusca = QStringLiteral("Busca Rápida");
    const char* rotulo = "";
    QString textoRotulo{};
    const char* campoBusca = "";
    int larguraBusca = 50; // 0: no limit
    const char* botaoBusca = "";
    const char* grade = "";
    // The captions of this grid, when they differ from the list's own.
    QList<QPair<QString, QString>> colunas{};
};

// The widgets and list of a window built from a Desenho. Its buttons go in `botoes`.
struct Quadro {
    Quadro(QDialog* janela, const Desenho& desenho, const ListaDoModulo& lista);

    QRadioButton* porCodigo;
    QRadioButton* porDescricao;
    QLabel* rotulo;
    QLineEdit* busca;
    QTableView* grade;
    QHBoxLayout* botoes;
    Lista* lista;
};

// A register's list window: the list, and "Novo", "Altera" and "Exclui", which open the
// record window in their mode once the user's permission for the button allows it.
class JanelaManutencao : public Dialogo {
    Q_OBJECT

public:
    // The buttons' names, and the menu's module code: each button asks for its own below it
    // (".1", ".2", ".3").
    struct Botoes {
        const char *novo, *altera, *exclui, *fechar;
        QString modulo;
    };

    // The mode in which the record window opens: "Inclui", "Altera" or "Exclui".
    ::Modo Modo = ::Modo::Nenhum;

    Lista& lista() { return *m_quadro.lista; }

protected:
    // `janelaDados` gives the register's record window.
    JanelaManutencao(Contexto& app, const Desenho& desenho, const ListaDoModulo& lista,
                     const Botoes& botoes, std::function<QDialog&()> janelaDados, QWidget* parent);

    Contexto& m_app;
    Quadro m_quadro;

private:
    void abreDados(const QString& codigoModulo, ::Modo modo);

    std::function<QDialog&()> m_janelaDados;
};

// A register's search window: "Seleciona" hands the code of the current row to the caller's
// field, "Fechar" closes without a choice.
class JanelaSelecao : public ::JanelaBusca {
    Q_OBJECT

public:
    Lista& lista() { return *m_quadro.lista; }

protected:
    JanelaSelecao(const Desenho& desenho, const ListaDoModulo& lista, const char* nomeSeleciona,
                  const char* nomeFechar, QWidget* parent);

    Quadro m_quadro;
};

// How a register's record window looks and speaks: its widgets' names, its titles ("Inclusão
// de " + `registro`...), its audit texts ("Inclusão de " + `log` + code...) and its messages.
struct DesenhoDados {
    const char* nome = "";
    QString registro{};
    const char* titulo = "";
    const char* codigo = "";
    const char* descricao = "";
    QString rotuloDescricao = QStringLiteral("Descrição:");
    int larguraCodigo = 0;
    int larguraDescricao = 50;
    const char* salva = "";
    const char* limpa = "";
    const char* fechar = "";
    QString textoSalva = QStringLiteral("Salva");
    QString textoFechar = QStringLiteral("Fechar");
    // "Fechar" answers the opener as a cancel rather than a close.
    bool fecharCancela = false;
    QString log{};
    // The failures of the insert, the change and the deletion, with the database's own
    // message after them when `falhaComErro`.
    QString falhaInclui{};
    QString falhaAltera{};
    QString falhaExclui{};
    bool falhaComErro = false;
    Aviso descricaoVazia{};
    Aviso descricaoVaziaAltera{};
    // The question asked when the description of a new record is already in use; none when
    // the register allows it without asking.
    QString descricaoRepetida{};
    // The save of an inclusion looks again whether the code is still free and, when another
    // workstation took it meanwhile, takes the next one.
    bool renumera = false;
};

// A register's record window, opened by its list window in the list's mode. In "Inclui" it
// stays open for the next record after each save; in "Altera" and "Exclui" it shows the list's
// current row and closes after the save.
class JanelaDados : public Dialogo {
    Q_OBJECT

public:
    // The code of the record being changed or deleted: the list's current row at opening.
    QString CodSelecionado;

protected:
    // `manutencao` gives the register's list window, whose mode and list this window follows.
    JanelaDados(Contexto& app, const DesenhoDados& desenho, CadastroSimples& cadastro,
                std::function<JanelaManutencao&()> manutencao, QWidget* parent);

    ::Modo modo() { return m_manutencao().Modo; }

    // Empties the fields and shows the mode; then "Inclui" goes on in abreInclusao(), the
    // others load the record and go on in abreRegistro().
    void aoAbrir() override;
    // Also what follows a stored inclusion, the fields emptied: the next code.
    virtual void abreInclusao() = 0;
    // Puts the focus on the description.
    virtual void abreRegistro();
    // "Limpa": empties both fields and starts the inclusion over.
    virtual void limpa();

    // A code field the user types in: padded with zeros to six when left and, in "Inclui",
    // refused when a record already has the code (`regras` say with what message), emptied.
    // A save waits until the user is back in the field after a refusal.
    CampoCodigo* codigoDigitado(CampoCodigo::Regras regras);
    // The next code in the code field. With none a typed code field can hold (999999 taken),
    // or on a database error, the field is left empty, the user told, and the answer is false.
    bool propoeProximo();
    // Whether the description holds more than blanks; if not, says so (with the message of
    // the mode) and puts the user there.
    bool descricaoPreenchida();

    Contexto& m_app;
    CadastroSimples& m_cadastro;
    QLabel* m_lbTitulo;
    QLineEdit* m_edCodigo;
    QLineEdit* m_edDescricao;
    QPushButton* m_btnSalva;
    QPushButton* m_btnLimpa;
    QPushButton* m_btnFechar;

private:
    QString titulo(::Modo modo) const;
    void confereDescricao();
    void salva();
    bool podeIncluir();
    bool grava(::Modo modo);

    std::function<JanelaManutencao&()> m_manutencao;
    CampoCodigo* m_campoCodigo = nullptr;
    DesenhoDados m_desenho;
};

} // namespace Familia
