#pragma once

// What a test does to a window, the way a person does it: find a named widget, click, type,
// erase, Tab, Enter, look at the focused widget, pick a row in a search window, open a menu
// item. Every test uses these; a widget that is not there fails the test at once, by name.

#include "support/DriverModal.h"

#include <QString>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include <initializer_list>

class Aplicacao;
class DataSet;
class GravadorMensagens;
class JanelaBusca;
class QDialog;
class QLineEdit;
class QPushButton;
class QTableView;
class TfPrincipal;

namespace Tela {

// Reports the missing widget as the running test's failure and stops the test program: going
// on would only crash on the missing widget somewhere less clear.
[[noreturn]] void ausente(const QObject* janela, const char* nome, const char* tipo);

// The widget of class T named `nome` inside `janela` (or `janela` itself when it is the one).
template <typename T = QWidget> T* acha(QObject* janela, const char* nome)
{
    if (janela && janela->objectName() == QLatin1String(nome))
        if (auto* proprio = qobject_cast<T*>(janela))
            return proprio;
    T* w = janela ? janela->findChild<T*>(QLatin1String(nome)) : nullptr;
    if (!w)
        ausente(janela, nome, T::staticMetaObject.className());
    return w;
}

QLineEdit* campo(QObject* janela, const char* nome);
QPushButton* botao(QObject* janela, const char* nome);
// The text of a line edit, plain-text field or label.
QString texto(QObject* janela, const char* nome);

// A left click on the named button (or any clickable widget).
void clica(QObject* janela, const char* nome);
// Checks the named radio (or check box) with a click on its indicator: a radio stretched by its
// layout answers clicks on its indicator and caption only.
void marca(QObject* janela, const char* nome);
// Goes into the field (line edit, multi-line text, editable combo) and types over what it
// shows, key by key; an empty text erases it.
void digita(QObject* janela, const char* nome, const QString& texto);
void apaga(QObject* janela, const char* nome);
// Types into the widget with the focus, key by key. QTest::keyClicks knows only ASCII; the
// stock room's texts carry accents ("Elétrica"), which go in as key events with their text.
void digitaTexto(QWidget* campo, const QString& texto);
// Tab or Enter pressed in the named widget.
void tab(QObject* janela, const char* nome);
void enter(QObject* janela, const char* nome);
// Tab or Enter pressed wherever the focus is.
void tab();
void enter();

QWidget* focado();
bool focado(QObject* janela, const char* nome);

// The values of `campo` in a shared list, in the order its grids show the rows.
QStringList colunaDaLista(const DataSet& lista, const char* campo);

// The numbers (MOV_CodInt) of the rows a ledger or loan list holds, in ascending order.
QList<int> listados(const DataSet& lista);

// The quick search of a list or search window: the radios that order the list by code or by
// description, the search field and the button that runs the search.
struct CamposDeBusca {
    const char* radioCodigo;
    const char* radioDescricao;
    const char* campo;
    const char* botao;
};

// A register's list window as its tests reach it: the main-menu item that opens it, its "new
// record" and close buttons, its grid, the shared list the grid shows with its code field, and
// its change and deletion buttons. The registers of a code and a description also name the
// window itself, the permission module of its three buttons (the buttons' own modules are this
// one followed by ".1", ".2" and ".3") and its quick search.
struct ListaDeCadastro {
    const char* menu;
    const char* novo;
    const char* fecha;
    const char* grade;
    DataSet& (*dados)(Aplicacao& app);
    const char* campoCodigo;
    const char* janela = nullptr;
    const char* altera = nullptr;
    const char* exclui = nullptr;
    const char* modulo = nullptr;
    CamposDeBusca rapida = {};
};

// The list windows of the registers, each as its own tests and the tests shared by the registers
// of a code and a description reach it.
extern const ListaDeCadastro listaDeGrupos;
extern const ListaDeCadastro listaDeRequisitantes;
extern const ListaDeCadastro listaDeGruposDeFornecedores;
extern const ListaDeCadastro listaDeFornecedores;
extern const ListaDeCadastro listaDeProdutos;
extern const ListaDeCadastro listaDeUsuarios;

// The record window of a register of a code and a description: the window, its title label, its
// two fields, and its save, clear and close buttons.
struct DadosDeCadastro {
    const char* janela;
    const char* titulo;
    const char* codigo;
    const char* descricao;
    const char* salva;
    const char* limpa;
    const char* fecha;
};

extern const DadosDeCadastro dadosDeGrupos;
extern const DadosDeCadastro dadosDeRequisitantes;
extern const DadosDeCadastro dadosDeGruposDeFornecedores;

// The search window of a register of a code and a description: the window the program keeps for
// it, its quick search and grid, its "Seleciona" and close buttons, and the name of a caller
// whose field it hands the chosen code back to.
struct BuscaDeCadastro {
    JanelaBusca& (*janela)(Aplicacao& app);
    CamposDeBusca rapida;
    const char* grade;
    const char* seleciona;
    const char* fecha;
    QString chamador;
};

extern const BuscaDeCadastro buscaDeGrupos;
extern const BuscaDeCadastro buscaDeRequisitantes;
extern const BuscaDeCadastro buscaDeGruposDeFornecedores;

// A quick search in a list or search window, as a row of a test's data: the radio that picks the
// column, the caption the search field then shows, what is typed, what the field shows once
// left, and the code of the row the search makes current.
struct BuscaRapida {
    QString radio;
    QString rotulo;
    QString texto;
    QString escrito;
    QString atual;
};
// The columns "radio", "rotulo", "texto", "escrito" and "atual" of such rows, and the running
// row's values.
void colunasDaBuscaRapida();
BuscaRapida buscaRapidaDaLinha();

// The codes of the register's shared list, in the order its grids show them, and the code of
// its current row.
QStringList codigosDaLista(Aplicacao& app, const ListaDeCadastro& cadastro);
QString codigoAtual(Aplicacao& app, const ListaDeCadastro& cadastro);
// Opens the list window from the main menu, as a person does.
void abreLista(Aplicacao& app, const ListaDeCadastro& cadastro);
// Opens the list window from the main menu, presses `botao` and closes the list again; the
// record window the button opens takes `passos`.
void abreDados(Aplicacao& app, DriverModal& driver, const ListaDeCadastro& cadastro,
               const char* botao, DriverModal::Passos passos);
// The same with the "new record" button.
void inclusao(Aplicacao& app, DriverModal& driver, const ListaDeCadastro& cadastro,
              DriverModal::Passos passos);
// Selects the grid row of a code in the open list window, as a click on it would, and checks
// that its row became the current one.
void selecionaCodigo(Aplicacao& app, const ListaDeCadastro& cadastro, QDialog* lista,
                     const QString& codigo);

// Makes the row whose `campoCodigo` is `codigo` current in a search window's shared list and
// presses its "Seleciona".
void escolheNaBusca(QDialog* busca, DataSet& lista, const char* campoCodigo, const QString& codigo);

// Runs a main-menu item, the window it opens taking `passos` from the driver.
void abreMenu(TfPrincipal& principal, DriverModal& driver, const char* item,
              DriverModal::Passos passos);

// The texts of the named fields, in the order given: one comparison for what a window shows.
QStringList textos(QObject* janela, std::initializer_list<const char*> nomes);

// Types into the named field and leaves it with Tab, which runs its leave work (a code's
// look-up, a number's format).
void informa(QObject* janela, const char* nome, const QString& texto);

// One row of a test's data table: the row's name, then a value for each column, in order.
template <typename... Valores> void caso(const char* nome, Valores... valores)
{
    (QTest::newRow(nome) << ... << valores);
}

// Queues the steps of a list window that presses `botao`, opening its record window, and then
// `fecha`; the record window takes `passos`.
void pelaLista(DriverModal& driver, const char* botao, const char* fecha,
               DriverModal::Passos passos);

// The two ways a code field opens its register's search window, as the rows of a _data
// function with the column "porF5": F5 in the field, or the window's "..." button.
void casosDaBusca();
// Goes into the named field and presses F5 there, which opens its register's search window;
// returns the field.
QLineEdit* f5(QObject* janela, const char* nome);
// Opens the search window of the code field `campo`: F5 in it, or a click on `botao`.
void abreBusca(QObject* janela, const char* campo, const char* botao, bool porF5);

// A button of a register's list window that opens its record window, and the module code the
// user's permission must allow for it.
struct BotaoDeModulo {
    const char* nome;
    const char* modulo;
};

// One row per button for a test's _data function, named by `rotulos` in order, with the
// columns "botao" and "modulo".
void linhasDosBotoes(const QStringList& rotulos, const QList<BotaoDeModulo>& botoes);

// Opens a list window from the main-menu item `menu` and presses the button `recusado`, whose
// module the user may not use: the warning "Usuário Sem Permissão para Entrar nesse Módulo"
// and nothing opens. Then every other button of `botoes`, each opening the record window,
// which `fechaDados` closes; then `fechaLista`. The messages stay in `msgs`.
void botaoRecusado(TfPrincipal& principal, DriverModal& driver, GravadorMensagens& msgs,
                   const char* menu, const QList<BotaoDeModulo>& botoes, const QString& recusado,
                   const char* fechaLista, const char* fechaDados);

// Chooses `item` in the named (non-editable) list with the keyboard, as a person does: into the
// list, Home, then Down to the entry. An entry the list does not have fails the test.
void escolhe(QObject* janela, const char* nome, const QString& item);

// Shows a window made by the test itself and waits until it is the active one, as a person
// would find it on the screen.
bool mostra(QWidget& janela);

// The code in the named grid's selected row: what the person sees highlighted.
QString codigoNaGrade(QObject* janela, const char* grade);
// The texts the grid shows in row `linha`, each without its surrounding blanks.
QStringList linhaDaGrade(QTableView* grade, int linha);

} // namespace Tela
