#pragma once

#include <QColor>
#include <QString>
#include <Qt>

#include <functional>

class QCoreApplication;
class QKeyEvent;
class QLineEdit;
class QObject;
class QTableView;
class QWidget;

// The data-entry habits every window of the stock room shares. The people who use it type all
// day without the mouse: Tab or Enter to move on, F5 on a code field to search the register, the
// field being typed in painted yellow so the eye finds it at once. Each habit is written here
// once and attached per window.
namespace Convencoes {

// The light yellow of a field being typed in (and of read-only grids), and the white of the
// others.
QColor corFoco();
QColor corNormal();

// Paints the background of a field (its palette's Base, active and inactive window alike).
void pintaFundo(QWidget* campo, const QColor& cor);

// Whether a focus change is one the user made (Tab, Backtab, Enter, mouse, shortcut, setFocus).
// A window losing or regaining activation and a popup opening or closing are not: a message box
// shown from a leave handler takes activation away and would run the handler a second time.
bool mudancaDeFocoReal(Qt::FocusReason motivo);

// Focus colours: every editable field of the window (line edits, combo boxes, multi-line texts,
// date and spin boxes) turns corFoco() when it gains the focus and corNormal() when it loses it.
// Attaches to the fields that exist now; coresDeFocoNoCampo() adds one created later.
void coresDeFoco(QWidget* janela);
void coresDeFocoNoCampo(QWidget* campo);

// Runs `acao` when `campo` gains (aoEntrar) or loses (aoSair) the focus through a real change
// (see mudancaDeFocoReal). The hook lives as long as both `dono` and `campo`. aoSair does not run
// while another field is taking the focus back after a rejected value (see devolveFoco).
void aoEntrar(QWidget* campo, QObject* dono, std::function<void()> acao);
void aoSair(QWidget* campo, QObject* dono, std::function<void()> acao);

// Puts the focus back into `campo` once control returns to the event loop, for a field that
// refused the value it was left with. While it happens, devolvendoFoco() is true, so the field
// the user had moved to does not run its leave work (look-ups, formatting) for a visit the user
// never made.
void devolveFoco(QWidget* campo);
bool devolvendoFoco();

// Enter as Tab: Enter on any control of the window moves to the next one exactly as Tab does,
// and the key itself is dropped (no newline, no default button, no returnPressed). A focused
// button or radio is passed over too, not pressed (Space still presses it), so a person can walk
// round a whole record and back to its first field without saving, searching or leaving by
// accident. Open popups (combo lists, calendars) keep their own Enter. Fields created after the
// call are covered too.
void enterComoTab(QWidget* janela);
// The same as enterComoTab.
void enterPassaPelosBotoes(QWidget* janela);

// What a number field lets a person type.
enum class Digitacao {
    Livre,   // anything
    Decimal, // digits and the decimal comma; a dot is typed as the comma
    Inteiro, // digits and the comma, as typed
    Digitos, // digits only
};

// The characters of `texto` that `regra` keeps. For Decimal, the dots of a text that also has a
// comma are thousands separators and go ("1.234,56" gives "1234,56"); otherwise each dot becomes
// the comma ("1.5" gives "1,5"). The minus sign never passes.
QString filtraDigitacao(const QString& texto, Digitacao regra);

// Key filter on a plain line edit: text keys outside `regra` are dropped, pasted text is filtered
// the same way. Keys that insert no text (Backspace, Delete, arrows, Home, End, Tab, Ctrl+C, F5)
// keep working. With `descartaEnter` Enter is dropped as well (enterComoTab still moves on, it
// sees the key first). Calling it again on the same field changes the rule.
void filtroDeDigitacao(QLineEdit* campo, Digitacao regra, bool descartaEnter);
void filtroDecimal(QLineEdit* campo);
void filtroInteiro(QLineEdit* campo);

// Quantity (1.234,500) and money (R$ 1.234,56) fields: on entering, the text becomes the bare
// number, selected whole, ready to be typed over; on leaving, it is written back formatted. A
// text that is not a number keeps the focus in the field, as typed.
void formatoQuantidade(QLineEdit* campo);
void formatoMoeda(QLineEdit* campo);

// A search field whose whole text is selected when the user comes into it, so typing replaces
// the old search at once. A mouse click places the cursor after the focus arrives, so the
// selection is made again once the click is through.
void selecionaAoEntrar(QLineEdit* campo);

// F5 on a code field opens the register's search window: `abreBusca` runs and the key goes no
// further (not even to a window shortcut on F5).
void teclaF5(QWidget* campo, std::function<void()> abreBusca);

// Shows `trata` every key pressed in `alvo` (and each shortcut override, so a window shortcut
// can be kept from a key) before `alvo` handles it; `trata` answers whether it took the key.
// Kept as long as `alvo`, as the child object answered.
QObject* aoTeclar(QWidget* alvo, std::function<bool(QKeyEvent*)> trata);

// Read-only grid of whole rows, one selected at a time, yellow background. When striped, the
// rows of even record numbers (the second, the fourth...) are white, so a long list is easy to
// follow across; the selected row keeps the highlight. One line of text per row, long texts
// cut with an ellipsis, no row numbers. Its context menu and Ctrl+Shift+E export the list to a
// spreadsheet.
void preparaGrade(QTableView* grade, bool listrada = true);
// The height of a grid's rows: the font's line and a small margin.
int alturaDaLinha(const QTableView* grade);
// The background a striped grid gives row `linha` (counted from 0).
QColor corDaLinha(int linha);

// Brazilian Portuguese: dates as 10/10/2004 and Qt's own buttons and dialogs in Portuguese.
// Returns whether Qt's translation was found and installed.
bool instalaLocalizacao(QCoreApplication* app);

} // namespace Convencoes
