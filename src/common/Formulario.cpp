#include "common/Formulario.h"

#include "common/Convencoes.h"
#include "common/EditH.h"
#include "common/Mensagens.h"
#include "data/DataSet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QShowEvent>
#include <QTableView>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>
#include <QValidator>

#include <algorithm>

namespace {

// People move through a form with Tab and type dates as digits, which step through day, month
// and year by themselves. Tab therefore leaves the date for the next field, as it does every
// other field, instead of walking the date's parts.
class CampoData : public QDateEdit {
public:
    using QDateEdit::QDateEdit;

protected:
    bool focusNextPrevChild(bool next) override { return QWidget::focusNextPrevChild(next); }
};

const QString nomeLimite = QStringLiteral("Formulario::limita");
const char* const propriedadeLargura = "Formulario::largura";

// A validator runs on what the user types and pastes; setText leaves the field unmodified and is
// taken whole. What the user puts in is cut to what fits, as a maximum length would cut it: a
// pasted text longer than the room left goes in up to the width, the rest dropped, rather than
// not at all. The size the field had before the edit may also stay, so a text already past the
// width can be corrected a character at a time.
class Largura : public QValidator {
public:
    Largura(int largura, QLineEdit* campo) : QValidator(campo), m_largura(largura), m_campo(campo)
    {
        setObjectName(nomeLimite);
        connect(campo, &QLineEdit::textChanged, this,
                [this](const QString& texto) { m_atual = int(texto.size()); });
        m_atual = int(campo->text().size());
    }

    State validate(QString& texto, int& cursor) const override
    {
        if (!m_campo->isModified())
            return Acceptable;
        const int sobra = int(texto.size()) - qMax(m_largura, m_atual);
        if (sobra <= 0)
            return Acceptable;
        // What was just put in ends at the cursor: its tail is what does not fit.
        const int inicio = cursor - sobra;
        if (inicio >= 0) {
            texto.remove(inicio, sobra);
            cursor = inicio;
        } else {
            texto.truncate(int(texto.size()) - sobra);
            cursor = qMin(cursor, int(texto.size()));
        }
        return Acceptable;
    }

private:
    int m_largura;
    QLineEdit* m_campo;
    int m_atual = 0;
};

// A multi-line field has no maximum length of its own. What is typed or pasted beyond the width
// is dropped as it arrives. setPlainText writes with the document's undo switched off, which is
// how the window's own writing is told apart from the user's.
class LarguraDoMemo : public QObject {
public:
    LarguraDoMemo(int largura, QPlainTextEdit* campo)
        : QObject(campo), m_campo(campo), m_largura(largura)
    {
        setObjectName(nomeLimite);
        connect(campo->document(), &QTextDocument::contentsChange, this,
                [this](int posicao, int, int inseridos) {
                    m_posicao = posicao;
                    m_inseridos = m_campo->document()->isUndoRedoEnabled() ? inseridos : 0;
                });
        connect(campo, &QPlainTextEdit::textChanged, this, [this] { corta(); });
    }

private:
    void corta()
    {
        const int inseridos = m_inseridos;
        m_inseridos = 0;
        const int tamanho = int(m_campo->toPlainText().size());
        if (inseridos <= 0 || tamanho <= m_largura)
            return;
        // The document may count its closing paragraph in what was inserted.
        const int fim = qMin(m_posicao + inseridos, tamanho);
        const int inicio = qMax(m_posicao, fim - (tamanho - m_largura));
        if (inicio >= fim)
            return;
        QTextCursor cursor(m_campo->document());
        cursor.setPosition(inicio);
        cursor.setPosition(fim, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }

    QPlainTextEdit* m_campo;
    int m_largura;
    int m_posicao = 0;
    int m_inseridos = 0;
};

template <typename T> T* nomeado(T* w, const char* nome)
{
    w->setObjectName(QLatin1String(nome));
    return w;
}

} // namespace

namespace Formulario {

QLineEdit* campo(QWidget* pai, const char* nome, int largura)
{
    auto* c = nomeado(new QLineEdit(pai), nome);
    limita(c, largura);
    return c;
}

QLineEdit* numero(QWidget* pai, const char* nome, Numero tipo, int largura)
{
    QLineEdit* c = campo(pai, nome, largura);
    c->setAlignment(Qt::AlignRight);
    if (tipo == Numero::Inteiro)
        Convencoes::filtroInteiro(c);
    else
        Convencoes::filtroDecimal(c);
    if (tipo == Numero::Quantidade)
        Convencoes::formatoQuantidade(c);
    else if (tipo == Numero::Moeda)
        Convencoes::formatoMoeda(c);
    return c;
}

QLineEdit* campoLeitura(QWidget* pai, const char* nome)
{
    auto* c = nomeado(new QLineEdit(pai), nome);
    c->setReadOnly(true);
    return c;
}

TEditH* campoH(QWidget* pai, const char* nome, int largura)
{
    auto* c = nomeado(new TEditH(pai), nome);
    limita(c, largura);
    return c;
}

QPlainTextEdit* memo(QWidget* pai, const char* nome, int largura)
{
    auto* c = nomeado(new QPlainTextEdit(pai), nome);
    // Tab moves on, as in every other field.
    c->setTabChangesFocus(true);
    limita(c, largura);
    return c;
}

QDateEdit* data(QWidget* pai, const char* nome)
{
    auto* d = nomeado<QDateEdit>(new CampoData(pai), nome);
    d->setCalendarPopup(true);
    d->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    return d;
}

QComboBox* escolha(QWidget* pai, const char* nome, const QStringList& itens)
{
    auto* c = nomeado(new QComboBox(pai), nome);
    c->addItems(itens);
    return c;
}

QPushButton* botao(QWidget* pai, const char* nome, const QString& texto)
{
    auto* b = nomeado(new QPushButton(texto, pai), nome);
    b->setAutoDefault(false);
    return b;
}

QRadioButton* radio(QWidget* pai, const char* nome, const QString& texto)
{
    return nomeado(new QRadioButton(texto, pai), nome);
}

QCheckBox* marca(QWidget* pai, const char* nome, const QString& texto)
{
    return nomeado(new QCheckBox(texto, pai), nome);
}

QLabel* rotulo(QWidget* pai, const char* nome, const QString& texto)
{
    return nomeado(new QLabel(texto, pai), nome);
}

QLabel* titulo(QWidget* pai, const char* nome, const QString& texto, int aumento)
{
    QLabel* l = rotulo(pai, nome, texto);
    QFont f = l->font();
    f.setPointSize(f.pointSize() + aumento);
    f.setBold(true);
    l->setFont(f);
    return l;
}

QGroupBox* moldura(QWidget* pai, const char* nome, const QString& texto)
{
    return nomeado(new QGroupBox(texto, pai), nome);
}

QTableView* grade(QWidget* pai, const char* nome, bool listrada)
{
    auto* g = nomeado(new QTableView(pai), nome);
    Convencoes::preparaGrade(g, listrada);
    return g;
}

void avisaFalhaDeLeitura(DataSet& dados, QWidget* janela)
{
    QObject::connect(&dados, &DataSet::leituraFalhou, janela, [janela](const QString& mensagem) {
        if (janela->isVisible())
            Mensagens::erro(mensagem, janela);
    });
}

void limita(QLineEdit* campo, int largura)
{
    if (largura <= 0)
        return;
    if (auto* anterior = campo->findChild<QValidator*>(nomeLimite, Qt::FindDirectChildrenOnly))
        delete anterior;
    campo->setValidator(new Largura(largura, campo));
    campo->setProperty(propriedadeLargura, largura);
}

void limita(QPlainTextEdit* campo, int largura)
{
    if (largura <= 0)
        return;
    delete campo->findChild<QObject*>(nomeLimite, Qt::FindDirectChildrenOnly);
    new LarguraDoMemo(largura, campo);
    campo->setProperty(propriedadeLargura, largura);
}

int largura(const QWidget* campo)
{
    return campo->property(propriedadeLargura).toInt();
}

Botoes botoes(QWidget* pai, const QList<Acao>& inicio, const QList<Acao>& fim)
{
    Botoes feitos{new QHBoxLayout, {}};
    const auto poe = [&](const QList<Acao>& acoes) {
        for (const Acao& a : acoes) {
            QPushButton* b = botao(pai, a.nome, a.texto);
            QObject::connect(b, &QPushButton::clicked, pai, a.faz);
            feitos.fileira->addWidget(b);
            feitos.lista << b;
        }
    };
    poe(inicio);
    feitos.fileira->addStretch();
    poe(fim);
    return feitos;
}

QHBoxLayout* fileira(const QList<QWidget*>& inicio, const QList<QWidget*>& fim)
{
    auto* f = new QHBoxLayout;
    for (QWidget* w : inicio)
        f->addWidget(w);
    f->addStretch();
    for (QWidget* w : fim)
        f->addWidget(w);
    return f;
}

QHBoxLayout* lado(const QList<QWidget*>& widgets, int esticado)
{
    auto* l = new QHBoxLayout;
    for (qsizetype i = 0; i < widgets.size(); ++i)
        l->addWidget(widgets[i], i == esticado ? 1 : 0);
    return l;
}

QVBoxLayout* pilha(QWidget* caixa, const QList<QWidget*>& widgets)
{
    auto* l = new QVBoxLayout(caixa);
    for (QWidget* w : widgets)
        l->addWidget(w, 0, Qt::AlignLeft);
    return l;
}

QList<QRadioButton*> radios(QGroupBox* caixa, const QList<Opcao>& opcoes, int marcada,
                            Qt::Orientation sentido)
{
    QList<QRadioButton*> feitos;
    for (const Opcao& o : opcoes)
        feitos << radio(caixa, o.nome, o.texto);
    feitos.at(marcada)->setChecked(true);
    if (sentido == Qt::Vertical) {
        pilha(caixa, {feitos.begin(), feitos.end()});
    } else {
        auto* fileira = new QHBoxLayout(caixa);
        for (QRadioButton* r : std::as_const(feitos))
            fileira->addWidget(r);
    }
    return feitos;
}

Quadro::Quadro(QWidget* pai, Rotulos rotulos)
    : m_pai(pai), m_grade(new QGridLayout), m_rotulos(rotulos)
{}

Quadro& Quadro::linha(std::initializer_list<Celula> celulas)
{
    const int linha = m_linha;
    int coluna = 0;
    for (const Celula& c : celulas)
        coluna = poe(linha, coluna, c);
    m_linha = linha + 1;
    return *this;
}

int Quadro::poe(int linha, int coluna, const Celula& c)
{
    // The next row goes below every row filled so far.
    m_linha = qMax(m_linha, linha + 1);
    const auto poeParte = [&](QGridLayout* g, int l, int col, int colunas) {
        if (c.widget)
            g->addWidget(c.widget, l, col, 1, colunas);
        else
            g->addLayout(c.layout, l, col, 1, colunas);
    };
    if (!c.temRotulo) {
        poeParte(m_grade, linha, coluna, c.colunas);
        return coluna + c.colunas;
    }
    QLabel* r = c.rotuloFeito ? c.rotuloFeito : rotulo(m_pai, "", c.rotulo);
    r->setBuddy(c.widget);
    if (m_rotulos == Rotulos::Acima) {
        auto* v = new QVBoxLayout;
        v->setSpacing(2);
        v->addWidget(r);
        if (c.widget)
            v->addWidget(c.widget);
        else
            v->addLayout(c.layout);
        m_grade->addLayout(v, linha, coluna, 1, c.colunas);
        return coluna + c.colunas;
    }
    // A caption beside several lines names them from their first.
    const bool alto = qobject_cast<QPlainTextEdit*>(c.widget) != nullptr;
    m_grade->addWidget(r, linha, coluna, alto ? Qt::AlignTop : Qt::Alignment());
    poeParte(m_grade, linha, coluna + 1, c.colunas);
    return coluna + 1 + c.colunas;
}

void Quadro::instala()
{
    m_pai->setLayout(m_grade);
}

namespace {

// The widest value a person usually meets in a column of this format.
QString amostra(DataSet::Formato formato)
{
    switch (formato) {
    case DataSet::Formato::Quantidade:
        return QStringLiteral("00.000,000");
    case DataSet::Formato::QuantidadeSemMilhar:
        return QStringLiteral("00000,000");
    case DataSet::Formato::Moeda:
        return QStringLiteral("R$ 00.000,00");
    case DataSet::Formato::Inteiro:
        return QStringLiteral("000000");
    case DataSet::Formato::Data:
        return QStringLiteral("00/00/0000");
    case DataSet::Formato::Hora:
        return QStringLiteral("00:00:00");
    default:
        return {};
    }
}

// Room for the cell's margins and the header's sort mark.
const int margemDaColuna = 16;

// The column as wide as its caption, its format's usual widest value or its characters.
void dimensiona(QTableView* grade, DataSet& dados, int coluna, int caracteres)
{
    QHeaderView* cabecalho = grade->horizontalHeader();
    const QString titulo = grade->model()->headerData(coluna, Qt::Horizontal).toString();
    const QFontMetrics letras = grade->fontMetrics();
    const DataSet::Formato formato = dados.formato(DataSet::campoDaView(grade, coluna));
    const int largura = std::max({cabecalho->fontMetrics().horizontalAdvance(titulo),
                                  letras.horizontalAdvance(amostra(formato)),
                                  caracteres * letras.averageCharWidth()});
    // The header may draw its captions in bold: its own hint says what the caption needs drawn.
    cabecalho->resizeSection(
        coluna, std::max(largura + margemDaColuna, cabecalho->sectionSizeHint(coluna)));
}

} // namespace

void colunas(QTableView* grade, DataSet& dados, const QList<Coluna>& colunas)
{
    QList<QPair<QString, QString>> campos;
    for (const Coluna& c : colunas)
        campos << qMakePair(QLatin1String(c.campo), c.titulo);
    dados.acompanha(grade, campos);
    for (qsizetype i = 0; i < colunas.size(); ++i)
        dimensiona(grade, dados, int(i), colunas[i].caracteres);
}

void colunasDaLista(QTableView* grade, DataSet& dados, const QList<int>& caracteres)
{
    dados.acompanha(grade);
    for (int i = 0; i < grade->model()->columnCount(); ++i)
        dimensiona(grade, dados, i, caracteres.value(i));
}

void ordemTab(const QList<QWidget*>& ordem)
{
    for (qsizetype i = 1; i < ordem.size(); ++i)
        QWidget::setTabOrder(ordem[i - 1], ordem[i]);
}

} // namespace Formulario

Dialogo::Dialogo(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{}

Dialogo::Dialogo(QWidget* parent, const char* nome, const QString& legenda) : Dialogo(parent)
{
    setObjectName(QLatin1String(nome));
    setWindowTitle(legenda);
}

void Dialogo::showEvent(QShowEvent* e)
{
    if (!e->spontaneous())
        aoAbrir();
    QDialog::showEvent(e);
}

void Dialogo::hideEvent(QHideEvent* e)
{
    if (!e->spontaneous())
        aoFechar();
    QDialog::hideEvent(e);
}

void Dialogo::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape && !m_fechaComEsc && !(e->modifiers() & ~Qt::KeypadModifier)) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void Dialogo::setVisible(bool visivel)
{
    const QScopedValueRollback guarda(m_abrindo, true);
    QDialog::setVisible(visivel);
}
