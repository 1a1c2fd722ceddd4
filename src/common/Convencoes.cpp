#include "common/Convencoes.h"

#include "common/Exportacao.h"
#include "common/Formatos.h"
#include "common/Funcoes.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTextEdit>
#include <QTimer>
#include <QTranslator>

namespace {

using namespace Convencoes;

const QString nomeCores = QStringLiteral("Convencoes::coresDeFoco");
const QString nomeEnter = QStringLiteral("Convencoes::enterComoTab");
const QString nomeDigitacao = QStringLiteral("Convencoes::filtroDeDigitacao");
const QString nomeTraducao = QStringLiteral("Convencoes::traducaoDoQt");
const char* const marcaEnter = "Convencoes::enterComoTab";

// The field that is taking the focus back after refusing its value, while it does.
QPointer<QWidget> g_devolvendo;

bool ehDigito(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Line edits inside combo and spin boxes hand the focus to their box, which is the field.
bool ehCampoEditavel(const QWidget* w)
{
    if (w->focusProxy())
        return false;
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QTextEdit*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w);
}

// One per window. It remembers which field it painted yellow: should the focus move while the
// window is inactive, the new field is told only when the window comes back, and the old one
// must be painted white then.
class CoresDeFoco : public QObject {
public:
    explicit CoresDeFoco(QObject* pai) : QObject(pai) { setObjectName(nomeCores); }

    void acompanha(QWidget* campo)
    {
        campo->installEventFilter(this);
        if (campo->hasFocus()) {
            pintaFundo(campo, corFoco());
            m_pintado = campo;
        } else {
            pintaFundo(campo, corNormal());
        }
    }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override
    {
        if (evento->type() != QEvent::FocusIn && evento->type() != QEvent::FocusOut)
            return false;
        auto* campo = static_cast<QWidget*>(objeto);
        const Qt::FocusReason motivo = static_cast<QFocusEvent*>(evento)->reason();
        if (evento->type() == QEvent::FocusIn) {
            // A combo's list or a date's calendar closing hands the focus back to a field that
            // never stopped being the one typed in.
            if (motivo == Qt::PopupFocusReason)
                return false;
            if (m_pintado && m_pintado != campo)
                pintaFundo(m_pintado, corNormal());
            pintaFundo(campo, corFoco());
            m_pintado = campo;
        } else if (mudancaDeFocoReal(motivo)) {
            pintaFundo(campo, corNormal());
            if (m_pintado == campo)
                m_pintado = nullptr;
        }
        return false;
    }

private:
    QPointer<QWidget> m_pintado;
};

CoresDeFoco* coresDaJanela(QWidget* janela)
{
    QObject* existente = janela->findChild<QObject*>(nomeCores, Qt::FindDirectChildrenOnly);
    if (auto* cores = dynamic_cast<CoresDeFoco*>(existente))
        return cores;
    return new CoresDeFoco(janela);
}

class Gancho : public QObject {
public:
    Gancho(QWidget* campo, QObject* dono, QEvent::Type tipo, std::function<void()> acao)
        : QObject(dono ? dono : campo), m_tipo(tipo), m_acao(std::move(acao))
    {
        campo->installEventFilter(this);
        if (parent() != campo)
            connect(campo, &QObject::destroyed, this, &QObject::deleteLater);
    }

protected:
    bool eventFilter(QObject*, QEvent* evento) override
    {
        if (evento->type() != m_tipo)
            return false;
        if (!mudancaDeFocoReal(static_cast<QFocusEvent*>(evento)->reason()))
            return false;
        if (m_tipo == QEvent::FocusOut && devolvendoFoco())
            return false;
        // A copy: the action may close the window and with it this hook.
        const std::function<void()> acao = m_acao;
        acao();
        return false;
    }

private:
    QEvent::Type m_tipo;
    std::function<void()> m_acao;
};

// Tab runs QWidget::focusNextPrevChild on the window. It is protected; a pointer to it formed
// in a derived class reaches it on any widget, so Enter moves exactly as Tab does, the
// window's own tab order and overrides included.
class Tabulacao : public QWidget {
public:
    static bool avanca(QWidget* janela)
    {
        return (janela->*(&Tabulacao::focusNextPrevChild))(true);
    }
};

// One filter on the application for every window that asked for Enter as Tab: it sees Enter
// before any field does (an editable combo or a multi-line text would otherwise take it),
// including fields created later. The window is found from the key's target.
class EnterComoTab : public QObject {
public:
    static void instala()
    {
        static QPointer<EnterComoTab> instalado;
        if (!instalado)
            instalado = new EnterComoTab(QCoreApplication::instance());
    }

protected:
    explicit EnterComoTab(QObject* pai) : QObject(pai)
    {
        setObjectName(nomeEnter);
        pai->installEventFilter(this);
    }

    bool eventFilter(QObject* objeto, QEvent* evento) override
    {
        if (evento->type() != QEvent::KeyPress || !objeto->isWidgetType())
            return false;
        auto* tecla = static_cast<QKeyEvent*>(evento);
        if (tecla->key() != Qt::Key_Return && tecla->key() != Qt::Key_Enter)
            return false;
        if (tecla->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        auto* alvo = static_cast<QWidget*>(objeto);
        QWidget* janela = janelaDe(alvo);
        if (!janela)
            return false;
        if (QApplication::activePopupWidget())
            return false;
        Tabulacao::avanca(janela);
        return true;
    }

private:
    // The widget that asked for Enter as Tab and holds `alvo`, without crossing into another
    // window (a combo's list or a calendar is a window of its own).
    static QWidget* janelaDe(QWidget* alvo)
    {
        for (QWidget* w = alvo; w; w = w->parentWidget()) {
            if (w->property(marcaEnter).toBool())
                return w;
            if (w->isWindow())
                return nullptr;
        }
        return nullptr;
    }
};

bool temTextoImprimivel(const QString& texto)
{
    for (QChar c : texto)
        if (c.isPrint())
            return true;
    return false;
}

class FiltroDeDigitacao : public QObject {
public:
    explicit FiltroDeDigitacao(QLineEdit* campo) : QObject(campo), m_campo(campo)
    {
        setObjectName(nomeDigitacao);
        campo->installEventFilter(this);
    }

    void regra(Digitacao regra, bool descartaEnter)
    {
        m_regra = regra;
        m_descartaEnter = descartaEnter;
        // Dropped text would go in unfiltered; nobody drags text into a quantity.
        m_campo->setAcceptDrops(regra == Digitacao::Livre);
    }

protected:
    bool eventFilter(QObject*, QEvent* evento) override
    {
        if (m_regra == Digitacao::Livre)
            return false;
        switch (evento->type()) {
        case QEvent::KeyPress:
            return tecla(static_cast<QKeyEvent*>(evento));
        case QEvent::ContextMenu:
            // A window that gives the field a menu of its own keeps it.
            if (m_campo->contextMenuPolicy() != Qt::DefaultContextMenu)
                return false;
            menu(static_cast<QContextMenuEvent*>(evento));
            return true;
        case QEvent::MouseButtonRelease:
            return cliqueDoMeio(static_cast<QMouseEvent*>(evento));
        case QEvent::InputMethod:
            return composicao(static_cast<QInputMethodEvent*>(evento));
        default:
            return false;
        }
    }

private:
    bool tecla(QKeyEvent* tecla)
    {
        if (tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter)
            return m_descartaEnter;
        if (tecla->matches(QKeySequence::Paste)) {
            cola(QClipboard::Clipboard);
            return true;
        }
        if (tecla->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        const QString texto = tecla->text();
        if (!temTextoImprimivel(texto))
            return false;
        const QString aceito = filtraDigitacao(texto, m_regra);
        if (aceito == texto)
            return false;
        insere(aceito);
        return true;
    }

    // The line edit's own menu, with Paste going through the filter.
    void menu(QContextMenuEvent* evento)
    {
        QMenu* menu = m_campo->createStandardContextMenu();
        if (!menu)
            return;
        menu->setAttribute(Qt::WA_DeleteOnClose);
        // Qt 6.4 connects Paste by the slot's name; the pointer form covers a later Qt.
        const auto acoes = menu->actions();
        for (QAction* acao : acoes) {
            const bool eraColar =
                QObject::disconnect(acao, SIGNAL(triggered()), m_campo, SLOT(paste())) ||
                QObject::disconnect(acao, &QAction::triggered, m_campo, &QLineEdit::paste);
            if (eraColar)
                connect(acao, &QAction::triggered, this, [this] { cola(QClipboard::Clipboard); });
        }
        menu->popup(evento->globalPos());
    }

    // On X11 the middle button pastes the selection.
    bool cliqueDoMeio(QMouseEvent* evento)
    {
        if (evento->button() != Qt::MiddleButton ||
            !QGuiApplication::clipboard()->supportsSelection())
            return false;
        if (m_campo->rect().contains(evento->position().toPoint())) {
            m_campo->deselect();
            cola(QClipboard::Selection);
        }
        return true;
    }

    bool composicao(QInputMethodEvent* evento)
    {
        const QString aceito = filtraDigitacao(evento->commitString(), m_regra);
        if (aceito == evento->commitString())
            return false;
        QInputMethodEvent filtrado(evento->preeditString(), evento->attributes());
        filtrado.setCommitString(aceito, evento->replacementStart(), evento->replacementLength());
        QCoreApplication::sendEvent(m_campo, &filtrado);
        return true;
    }

    void cola(QClipboard::Mode modo)
    {
        insere(filtraDigitacao(QGuiApplication::clipboard()->text(modo), m_regra));
    }

    void insere(const QString& texto)
    {
        if (!texto.isEmpty() && !m_campo->isReadOnly())
            m_campo->insert(texto);
    }

    QLineEdit* m_campo;
    Digitacao m_regra = Digitacao::Livre;
    bool m_descartaEnter = false;
};

// Entering shows the bare number selected whole, so typing replaces it; leaving writes it back
// formatted, or keeps the user in the field when it is not a number.
class FormatoNumerico : public QObject {
public:
    FormatoNumerico(QLineEdit* campo, bool moeda) : QObject(campo), m_campo(campo), m_moeda(moeda)
    {
        campo->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* evento) override
    {
        switch (evento->type()) {
        case QEvent::FocusIn:
            entra(static_cast<QFocusEvent*>(evento)->reason());
            break;
        case QEvent::FocusOut:
            sai(static_cast<QFocusEvent*>(evento)->reason());
            break;
        case QEvent::MouseButtonRelease:
            // The click that gave the focus placed the cursor and cleared the selection; a
            // drag that selected part of the text is the user's choice and stays.
            if (m_selecionaNoClique && !m_campo->hasSelectedText())
                m_campo->selectAll();
            m_selecionaNoClique = false;
            break;
        default:
            break;
        }
        return false;
    }

private:
    void entra(Qt::FocusReason motivo)
    {
        if (!mudancaDeFocoReal(motivo))
            return;
        // After a refused value the user gets back exactly what they typed.
        if (!m_devolvido) {
            const QString limpo = Funcoes::LimpaNumero(m_campo->text());
            if (limpo != m_campo->text())
                m_campo->setText(limpo);
        }
        m_devolvido = false;
        m_campo->selectAll();
        m_selecionaNoClique = motivo == Qt::MouseFocusReason;
    }

    void sai(Qt::FocusReason motivo)
    {
        m_selecionaNoClique = false;
        if (!mudancaDeFocoReal(motivo) || devolvendoFoco())
            return;
        if (const auto valor = Formatos::converte(m_campo->text())) {
            m_campo->setText(m_moeda ? Formatos::moeda(*valor, 2) : Formatos::numero(*valor, 3));
        } else {
            m_devolvido = true;
            devolveFoco(m_campo);
        }
    }

    QLineEdit* m_campo;
    bool m_moeda;
    bool m_devolvido = false;
    bool m_selecionaNoClique = false;
};

// Every key of one widget, shown to a handler before the widget sees it.
class Teclado : public QObject {
public:
    Teclado(QWidget* alvo, std::function<bool(QKeyEvent*)> trata)
        : QObject(alvo), m_trata(std::move(trata))
    {
        alvo->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* evento) override
    {
        if (evento->type() != QEvent::KeyPress && evento->type() != QEvent::ShortcutOverride)
            return false;
        // A copy: the handler may close the window and with it this filter.
        const std::function<bool(QKeyEvent*)> trata = m_trata;
        return trata(static_cast<QKeyEvent*>(evento));
    }

private:
    std::function<bool(QKeyEvent*)> m_trata;
};

// Names the key handler that sends Ctrl+End to the last row of a grid, installed once a grid.
const char* const nomeFimDaGrade = "fimDaGrade";

class DelegadoDaGrade : public QStyledItemDelegate {
public:
    DelegadoDaGrade(bool listrada, QObject* pai) : QStyledItemDelegate(pai), m_listrada(listrada) {}

protected:
    void initStyleOption(QStyleOptionViewItem* opcao, const QModelIndex& indice) const override
    {
        QStyledItemDelegate::initStyleOption(opcao, indice);
        // Fixed-width texts come with the blanks that fill their width: drawn, they only push
        // a text that fits into an ellipsis ("NF 799453 …"). The value itself keeps them.
        qsizetype fim = opcao->text.size();
        while (fim > 0 && opcao->text.at(fim - 1) == QLatin1Char(' '))
            --fim;
        opcao->text.truncate(fim);
        // The selected row keeps the highlight; a cell the model colours itself keeps its colour.
        if ((opcao->state & QStyle::State_Selected) ||
            opcao->backgroundBrush.style() != Qt::NoBrush)
            return;
        opcao->backgroundBrush = m_listrada ? corDaLinha(indice.row()) : corFoco();
    }

private:
    bool m_listrada;
};

} // namespace

namespace Convencoes {

QColor corFoco()
{
    return QColor(255, 255, 225);
}

QColor corNormal()
{
    return QColor(255, 255, 255);
}

void pintaFundo(QWidget* campo, const QColor& cor)
{
    QPalette paleta = campo->palette();
    if (paleta.color(QPalette::Active, QPalette::Base) == cor &&
        paleta.color(QPalette::Inactive, QPalette::Base) == cor)
        return;
    paleta.setColor(QPalette::Active, QPalette::Base, cor);
    paleta.setColor(QPalette::Inactive, QPalette::Base, cor);
    campo->setPalette(paleta);
}

bool mudancaDeFocoReal(Qt::FocusReason motivo)
{
    return motivo != Qt::ActiveWindowFocusReason && motivo != Qt::PopupFocusReason;
}

void coresDeFoco(QWidget* janela)
{
    CoresDeFoco* cores = coresDaJanela(janela);
    const auto filhos = janela->findChildren<QWidget*>();
    for (QWidget* filho : filhos)
        if (ehCampoEditavel(filho))
            cores->acompanha(filho);
}

void coresDeFocoNoCampo(QWidget* campo)
{
    coresDaJanela(campo->window())->acompanha(campo);
}

void aoEntrar(QWidget* campo, QObject* dono, std::function<void()> acao)
{
    new Gancho(campo, dono, QEvent::FocusIn, std::move(acao));
}

void aoSair(QWidget* campo, QObject* dono, std::function<void()> acao)
{
    new Gancho(campo, dono, QEvent::FocusOut, std::move(acao));
}

void devolveFoco(QWidget* campo)
{
    QTimer::singleShot(0, campo, [campo] {
        g_devolvendo = campo;
        campo->setFocus(Qt::OtherFocusReason);
        g_devolvendo = nullptr;
    });
}

bool devolvendoFoco()
{
    return !g_devolvendo.isNull();
}

void enterComoTab(QWidget* janela)
{
    janela->setProperty(marcaEnter, true);
    EnterComoTab::instala();
}

void selecionaAoEntrar(QLineEdit* campo)
{
    aoEntrar(campo, campo, [campo] {
        campo->selectAll();
        QTimer::singleShot(0, campo, [campo] { campo->selectAll(); });
    });
}

void enterPassaPelosBotoes(QWidget* janela)
{
    enterComoTab(janela);
}

QString filtraDigitacao(const QString& texto, Digitacao regra)
{
    if (regra == Digitacao::Livre)
        return texto;
    const bool pontoEhMilhar = texto.contains(QLatin1Char(','));
    QString aceito;
    for (QChar c : texto) {
        if (ehDigito(c))
            aceito += c;
        else if (c == QLatin1Char(',') && regra != Digitacao::Digitos)
            aceito += c;
        else if (c == QLatin1Char('.') && regra == Digitacao::Decimal && !pontoEhMilhar)
            aceito += QLatin1Char(',');
    }
    return aceito;
}

void filtroDeDigitacao(QLineEdit* campo, Digitacao regra, bool descartaEnter)
{
    QObject* existente = campo->findChild<QObject*>(nomeDigitacao, Qt::FindDirectChildrenOnly);
    auto* filtro = dynamic_cast<FiltroDeDigitacao*>(existente);
    if (!filtro)
        filtro = new FiltroDeDigitacao(campo);
    filtro->regra(regra, descartaEnter);
}

void filtroDecimal(QLineEdit* campo)
{
    filtroDeDigitacao(campo, Digitacao::Decimal, true);
}

void filtroInteiro(QLineEdit* campo)
{
    filtroDeDigitacao(campo, Digitacao::Inteiro, true);
}

void formatoQuantidade(QLineEdit* campo)
{
    new FormatoNumerico(campo, false);
}

void formatoMoeda(QLineEdit* campo)
{
    new FormatoNumerico(campo, true);
}

void teclaF5(QWidget* campo, std::function<void()> abreBusca)
{
    aoTeclar(campo, [abreBusca = std::move(abreBusca)](QKeyEvent* tecla) {
        if (tecla->key() != Qt::Key_F5 || (tecla->modifiers() & ~Qt::KeypadModifier))
            return false;
        // Claiming the override keeps a window shortcut on F5 from taking the key.
        if (tecla->type() == QEvent::ShortcutOverride) {
            tecla->accept();
            return true;
        }
        // Holding F5 down must not stack one search window on another.
        if (!tecla->isAutoRepeat())
            abreBusca();
        return true;
    });
}

QObject* aoTeclar(QWidget* alvo, std::function<bool(QKeyEvent*)> trata)
{
    return new Teclado(alvo, std::move(trata));
}

void preparaGrade(QTableView* grade, bool listrada)
{
    grade->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grade->setSelectionBehavior(QAbstractItemView::SelectRows);
    grade->setSelectionMode(QAbstractItemView::SingleSelection);
    grade->setAlternatingRowColors(false);
    // The row is what is chosen, never a cell: Tab leaves the grid for the next control, as it
    // leaves every other one, instead of walking unseen from cell to cell.
    grade->setTabKeyNavigation(false);
    // One line per row, as a spreadsheet shows it: rows as high as the font needs, a text too
    // long for its column cut with an ellipsis instead of wrapped onto a second line, and no
    // row numbers down the side.
    grade->setWordWrap(false);
    grade->setTextElideMode(Qt::ElideRight);
    QHeaderView* linhas = grade->verticalHeader();
    linhas->setVisible(false);
    linhas->setMinimumSectionSize(1);
    linhas->setSectionResizeMode(QHeaderView::Fixed);
    linhas->setDefaultSectionSize(alturaDaLinha(grade));
    pintaFundo(grade, corFoco());
    pintaFundo(grade->viewport(), corFoco());
    // Ctrl+End goes to the last row of the list, not to the last row read so far of a list that
    // is still coming in: the rest is read first.
    if (!grade->findChild<QObject*>(QLatin1String(nomeFimDaGrade), Qt::FindDirectChildrenOnly)) {
        QObject* fim = aoTeclar(grade, [grade](QKeyEvent* tecla) {
            if (tecla->type() != QEvent::KeyPress || tecla->key() != Qt::Key_End ||
                !(tecla->modifiers() & Qt::ControlModifier))
                return false;
            QAbstractItemModel* modelo = grade->model();
            const QModelIndex raiz = grade->rootIndex();
            while (modelo && modelo->canFetchMore(raiz))
                modelo->fetchMore(raiz);
            return false;
        });
        fim->setObjectName(QLatin1String(nomeFimDaGrade));
    }
    QAbstractItemDelegate* anterior = grade->itemDelegate();
    grade->setItemDelegate(new DelegadoDaGrade(listrada, grade));
    if (dynamic_cast<DelegadoDaGrade*>(anterior))
        delete anterior;
    // Any list may be wanted in a spreadsheet (a purchase order, an audit sheet).
    Exportacao::anexaGrade(grade);
}

int alturaDaLinha(const QTableView* grade)
{
    return grade->fontMetrics().height() + 6;
}

QColor corDaLinha(int linha)
{
    return linha % 2 == 0 ? corFoco() : corNormal();
}

bool instalaLocalizacao(QCoreApplication* app)
{
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    if (app->findChild<QTranslator*>(nomeTraducao, Qt::FindDirectChildrenOnly))
        return true;
    auto* traducao = new QTranslator(app);
    traducao->setObjectName(nomeTraducao);
    if (!traducao->load(QStringLiteral("qtbase_pt_BR"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !app->installTranslator(traducao)) {
        delete traducao;
        return false;
    }
    return true;
}

} // namespace Convencoes
