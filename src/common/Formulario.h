#pragma once

// The pieces every window of the stock room is built from: the widgets, made one way and named
// as the documents name them, the typing limits that follow the columns' widths, the order Tab
// follows, the record window's mode, and the dialog whose opening work runs once per showing.

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLayout;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QShowEvent;
class QTableView;
class QVBoxLayout;
class TEditH;

// The mode in which a list window opens its record window; none before the first opening.
enum class Modo { Nenhum, Inclui, Altera, Exclui, Consulta };

class DataSet;

namespace Formulario {

// Every factory takes the parent first, then the objectName, then what is particular to the
// widget. `largura` is the column's width: typing stops there, but a text the window writes
// itself is never cut (see limita). Zero means no limit.
QLineEdit* campo(QWidget* pai, const char* nome, int largura = 0);
// A number typed in a field: to the right, only digits (and the decimal comma where it has
// one); a quantity or an amount shown formatted (1.234,500, R$ 1.234,56) except while typed.
enum class Numero { Inteiro, Decimal, Quantidade, Moeda };
QLineEdit* numero(QWidget* pai, const char* nome, Numero tipo, int largura = 0);
// Display-only: shows what the window found, takes no typing.
QLineEdit* campoLeitura(QWidget* pai, const char* nome);
TEditH* campoH(QWidget* pai, const char* nome, int largura = 0);
QPlainTextEdit* memo(QWidget* pai, const char* nome, int largura = 0);
// A date picker with its calendar, showing 10/10/2004.
QDateEdit* data(QWidget* pai, const char* nome);
QComboBox* escolha(QWidget* pai, const char* nome, const QStringList& itens = {});
// A button that Enter in a field never presses by itself.
QPushButton* botao(QWidget* pai, const char* nome, const QString& texto);
QRadioButton* radio(QWidget* pai, const char* nome, const QString& texto);
QCheckBox* marca(QWidget* pai, const char* nome, const QString& texto);
QLabel* rotulo(QWidget* pai, const char* nome, const QString& texto);
// The window's heading: bold, `aumento` points larger than the window's own text.
QLabel* titulo(QWidget* pai, const char* nome, const QString& texto, int aumento = 4);
QGroupBox* moldura(QWidget* pai, const char* nome, const QString& texto);
// A read-only grid of whole rows, striped unless told otherwise.
QTableView* grade(QWidget* pai, const char* nome, bool listrada = true);
// A list read while the user looks at it may fail half-way (the database went away): the
// window tells the user, when it is the one on screen.
void avisaFalhaDeLeitura(DataSet& dados, QWidget* janela);

// Typing stops at `largura` characters, as a maximum length would, but what the window writes
// itself (setText, setPlainText) goes in whole: a proposed code that outgrew its width must be
// seen and refused by the save, not cut into another record's code, and a value stored wider
// than the field must come back whole. A text already past the width may still be shortened.
void limita(QLineEdit* campo, int largura);
void limita(QPlainTextEdit* campo, int largura);
// The width `campo` was limited to; zero when it has none.
int largura(const QWidget* campo);

// One button of a row: its objectName, its caption and what a click on it does.
struct Acao {
    const char* nome;
    QString texto;
    std::function<void()> faz;
};
// A row of buttons as made: the row to lay out, and the buttons in the order they were given,
// for the window that needs to enable or press them later.
struct Botoes {
    QHBoxLayout* fileira;
    QList<QPushButton*> lista;
    operator QHBoxLayout*() const { return fileira; }
    QPushButton* operator[](qsizetype i) const { return lista.at(i); }
};
// The row of buttons along the bottom of a window, made in this order (the order Tab follows):
// `inicio` from the left, then, after a stretch, `fim` on the right.
Botoes botoes(QWidget* pai, const QList<Acao>& inicio, const QList<Acao>& fim = {});
// The same row for widgets already made: `inicio` from the left, `fim` on the right.
QHBoxLayout* fileira(const QList<QWidget*>& inicio, const QList<QWidget*>& fim = {});
// Widgets side by side; the one at `esticado` takes the room left over (none: each widget
// grows as its own kind does).
QHBoxLayout* lado(const QList<QWidget*>& widgets, int esticado = -1);
// Widgets one under the other inside `caixa` (a frame of radios or check boxes), to the left.
QVBoxLayout* pilha(QWidget* caixa, const QList<QWidget*>& widgets);

// One radio of a frame: its objectName and caption.
struct Opcao {
    const char* nome;
    QString texto;
};
// The radios of a frame, side by side or one under the other (to the left), the one at
// `marcada` chosen; handed back in order.
QList<QRadioButton*> radios(QGroupBox* caixa, const QList<Opcao>& opcoes, int marcada,
                            Qt::Orientation sentido = Qt::Horizontal);

// One place of a form's row: a caption and what it names (a field, or fields side by side),
// the named part spanning `colunas` columns of the grid. Without a caption the part takes the
// caption's place.
struct Celula {
    Celula(const QString& rotulo, QWidget* campo, int colunas = 1)
        : rotulo(rotulo), widget(campo), colunas(colunas), temRotulo(true)
    {}
    Celula(const QString& rotulo, QLayout* campos, int colunas = 1)
        : rotulo(rotulo), layout(campos), colunas(colunas), temRotulo(true)
    {}
    // A caption the window keeps, to rename or hide it later.
    Celula(QLabel* rotulo, QWidget* campo, int colunas = 1)
        : widget(campo), colunas(colunas), temRotulo(true), rotuloFeito(rotulo)
    {}
    Celula(QWidget* campo, int colunas = 1) : widget(campo), colunas(colunas) {}
    Celula(QLayout* campos, int colunas = 1) : layout(campos), colunas(colunas) {}

    QString rotulo;
    QWidget* widget = nullptr;
    QLayout* layout = nullptr;
    int colunas = 1;
    bool temRotulo = false;
    QLabel* rotuloFeito = nullptr;
};

// A form laid out as it reads: row after row of captions and fields, from the left. A caption
// stands beside its field (a multi-line field's caption at the field's top), or above it, and
// names the field it stands for.
class Quadro {
public:
    enum class Rotulos { AoLado, Acima };
    explicit Quadro(QWidget* pai, Rotulos rotulos = Rotulos::AoLado);

    // The next row, its places from the first column on.
    Quadro& linha(std::initializer_list<Celula> celulas);
    // One place at a given row and column, for forms filled from a table; returns the column
    // after it.
    int poe(int linha, int coluna, const Celula& celula);
    // The grid, to put in the window's layout, or set as the frame's own when `pai` is one.
    QGridLayout* grade() const { return m_grade; }
    void instala();

private:
    QWidget* m_pai;
    QGridLayout* m_grade;
    Rotulos m_rotulos;
    int m_linha = 0;
};

// One column of a grid: the list's field, its caption, and, for a text, how many characters
// it holds; numbers, amounts and dates take the room their list's format needs.
struct Coluna {
    const char* campo;
    QString titulo;
    int caracteres = 0;
};
// Shows `dados` in `grade` under these columns, each column as wide as its caption, its
// format's widest usual value or its characters need.
void colunas(QTableView* grade, DataSet& dados, const QList<Coluna>& colunas);
// Shows the list's own columns (as its data module describes them) in `grade`, sized the same
// way; `caracteres` holds the text columns' characters in the columns' order, zero or missing
// for a column its caption or format sizes.
void colunasDaLista(QTableView* grade, DataSet& dados, const QList<int>& caracteres = {});

// The order Tab and Enter follow, from the first widget to the last.
void ordemTab(const QList<QWidget*>& ordem);

} // namespace Formulario

// A dialog of the program: a caption bar without the close box (each window has its own
// closing button), and `aoAbrir`, which runs once each time the window is opened. The window
// system confirms each showing with a second, spontaneous event; that one does not count.
// Escape does not close it: a person leaves through the window's own button, and Escape pressed
// by habit would throw away what was typed, or leave a list window in a state its next opening
// would act on.
class Dialogo : public QDialog {
    Q_OBJECT

public:
    explicit Dialogo(QWidget* parent = nullptr);
    // A window named `nome` (the name tests and the window registry find it by) under the
    // caption `legenda`.
    Dialogo(QWidget* parent, const char* nome, const QString& legenda);

    // Whether the window is being shown (or hidden) just now. Showing a dialog hands its
    // focused control a focus-in of its own, which is no visit by the user: a radio that
    // orders a list on the focus, or a code field that offers a code, leaves it alone.
    bool abrindo() const { return m_abrindo; }
    void setVisible(bool visivel) override;

    // For a window whose closing is itself a decision with its own checks (the login), Escape
    // closes it as the window system's close key would.
    void setFechaComEsc(bool fecha) { m_fechaComEsc = fecha; }

protected:
    // The opening work: the fields as a fresh opening shows them, the list re-read, the focus.
    virtual void aoAbrir() {}
    // The closing work, when the program closes or hides the window (not when the window
    // system minimises it): what the window alone needed can be let go.
    virtual void aoFechar() {}
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    bool m_abrindo = false;
    bool m_fechaComEsc = false;
};
