#include "app/Janelas.h"
#include "common/Convencoes.h"
#include "common/Formulario.h"
#include "support/AplicacaoTeste.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

#include <memory>

using namespace Tela;

// Every window of the program, walked through the window registry, keeps the same habits: which
// windows move on with Enter and how, that Escape throws nothing away, which grids are striped,
// and that a field takes what fits of a text longer than its width. A window added to the
// registry is checked here without a line of this file changing.

namespace {

// The windows where Enter moves on as Tab does.
const QStringList janelasDoEnter = {
    "TfDados_Grupos",
    "TfDados_REQ",
    "TfDados_Produtos",
    "TfDados_GrupoFornecedor",
    "TfManut_GrupoFornecedor",
    "TfDados_Usuarios",
    "TfDadosFornecedor",
    "TfEmpresa",
    "TfEntrada_Estq",
    "TfSaida_Estq",
    "TfEstorno_Estq",
    "TfDevolucao",
    "TfDevolve",
    "TfExtravio",
    "TfDatas_Grupo",
    "TfDatas_Produto",
    "TfDatas_REQ",
    "TfEtiquetas",
};

// The windows whose grid is striped.
const QStringList gradesListradas = {
    "TfManut_Grupos",   "TfBusca_Grupos",   "TfManut_REQ",        "TfBusca_REQ",
    "TfManut_Produtos", "TfBusca_Produtos", "TfConsultaProdutos", "TfManut_GrupoFornecedor",
    "TfBuscaGRU_For",   "TfManut_Fornec",   "TfBusca_Fornecedor", "TfConsulta_MovEstq",
    "TfManutMovEstq",   "TfManut_Usuarios", "TfConsulta_Log",     "TfDaRetiraPermissoes",
};

// The login's closing is a decision with its own check; how Escape leaves it is its own.
const QStringList fechamComEsc = {"TfLogin"};

QWidget& janelaDoRegistro(Aplicacao& app, const QString& classe)
{
    const auto todas = Janelas::todas();
    for (const Janelas::Janela& j : todas)
        if (j.classe == classe)
            return j.abre(app);
    qFatal("window %s is not in the registry", qPrintable(classe));
}

// One row per window of the registry that is a dialog (the main window is no modal window).
void linhasDasJanelas()
{
    QTest::addColumn<QString>("classe");
    AplicacaoTeste t;
    for (const Janelas::Janela& j : Janelas::todas())
        if (qobject_cast<QDialog*>(&j.abre(t.app)))
            QTest::newRow(qPrintable(j.classe)) << j.classe;
}

// How a test names the widget with the focus, the same in two runs of the program.
QString nomeDoFoco(const QWidget* janela)
{
    const QWidget* w = QApplication::focusWidget();
    if (!w)
        return QStringLiteral("(nothing)");
    if (!janela->isAncestorOf(w))
        return QStringLiteral("(another window)");
    QString nome = w->objectName();
    for (const QWidget* p = w; nome.isEmpty() && p != janela; p = p->parentWidget())
        nome = p->objectName() + QLatin1Char('/') + QLatin1String(w->metaObject()->className());
    return nome;
}

bool editavel(const QWidget* w)
{
    if (!w->isVisible() || !w->isEnabled())
        return false;
    if (auto* l = qobject_cast<const QLineEdit*>(w))
        return !l->isReadOnly();
    if (auto* m = qobject_cast<const QPlainTextEdit*>(w))
        return !m->isReadOnly();
    return false;
}

int controles(const QWidget* janela)
{
    int n = 0;
    for (const QWidget* w : janela->findChildren<QWidget*>())
        if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) &&
            !w->focusProxy())
            ++n;
    return n;
}

// Keeps the fields' enter and leave work (look-ups, formats, a refused value pulling the focus
// back) out of a check that only types into one field after another.
class SemTrabalhoDeFoco : public QObject {
public:
    SemTrabalhoDeFoco() { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        return e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut;
    }
};

// Opens the registry's window of `classe` on a fresh program and runs `passos` in it.
void naJanela(const QString& classe, const std::function<void(QDialog*, TelaTeste&)>& passos)
{
    TelaTeste t;
    auto* janela = qobject_cast<QDialog*>(&janelaDoRegistro(t.app, classe));
    QVERIFY(janela);
    t.driver.aoAbrir([&](QDialog* d) {
        QCoreApplication::processEvents();
        passos(d, t);
    });
    Modal::exec(janela);
}

struct Passeio {
    QStringList focos;
    QStringList mensagens;
    bool aberta = false;
};

// From the window as it opens, `tecla` pressed again and again wherever the focus is: once
// round all the window's controls and a little more.
Passeio passeia(const QString& classe, Qt::Key tecla)
{
    Passeio p;
    naJanela(classe, [&](QDialog* d, TelaTeste&) {
        const int passos = controles(d) + 2;
        for (int i = 0; i < passos && d->isVisible(); ++i) {
            p.focos << nomeDoFoco(d);
            QWidget* foco = QApplication::focusWidget();
            if (!foco || !d->isAncestorOf(foco))
                break;
            QTest::keyClick(foco, tecla);
            QCoreApplication::processEvents();
        }
        p.aberta = d->isVisible();
    });
    return p;
}

} // namespace

class TstJanelas : public QObject {
    Q_OBJECT

private slots:
    void registroCompleto();
    void enterComoTab_data() { linhasDasJanelas(); }
    void enterComoTab();
    void escape_data() { linhasDasJanelas(); }
    void escape();
    void escapeNaInclusao();
    void grades_data() { linhasDasJanelas(); }
    void grades();
    void larguras_data() { linhasDasJanelas(); }
    void larguras();
};

// The lists above name windows the registry has.
void TstJanelas::registroCompleto()
{
    QStringList classes;
    for (const Janelas::Janela& j : Janelas::todas())
        classes << j.classe;
    for (const QString& c : janelasDoEnter + gradesListradas + fechamComEsc)
        QVERIFY2(classes.contains(c), qPrintable(c));
}

// In the windows of Enter, a walk with Enter goes exactly where a walk with Tab goes, buttons and
// radios passed over, not pressed: the same controls, the same messages, the window still open.
// In every other window Enter in a text field does nothing: the focus stays, no button is
// pressed, no message comes (a scanner's bar-code field has its own rule).
void TstJanelas::enterComoTab()
{
    QFETCH(QString, classe);
    if (janelasDoEnter.contains(classe)) {
        const Passeio porTab = passeia(classe, Qt::Key_Tab);
        const Passeio porEnter = passeia(classe, Qt::Key_Return);
        QVERIFY(porTab.aberta);
        QVERIFY(porEnter.aberta);
        QCOMPARE(porEnter.focos, porTab.focos);
        QCOMPARE(porEnter.mensagens, porTab.mensagens);
        return;
    }
    naJanela(classe, [&](QDialog* d, TelaTeste& t) {
        int cliques = 0;
        for (QAbstractButton* b : d->findChildren<QAbstractButton*>())
            connect(b, &QAbstractButton::clicked, d, [&] { ++cliques; });
        SemTrabalhoDeFoco semTrabalho;
        for (QLineEdit* campo : d->findChildren<QLineEdit*>()) {
            if (!editavel(campo) || campo->objectName().contains(QLatin1String("CodBar")))
                continue;
            campo->setFocus();
            const int mensagens = t.msgs.quantidade();
            QTest::keyClick(campo, Qt::Key_Return);
            QCoreApplication::processEvents();
            QVERIFY2(campo->hasFocus(), qPrintable(campo->objectName()));
            QVERIFY2(d->isVisible(), qPrintable(campo->objectName()));
            QCOMPARE(cliques, 0);
            QCOMPARE(t.msgs.quantidade(), mensagens);
        }
    });
}

// Escape closes no window that has its own button to leave by, and what was typed stays.
void TstJanelas::escape()
{
    QFETCH(QString, classe);
    if (fechamComEsc.contains(classe))
        return;
    naJanela(classe, [&](QDialog* d, TelaTeste&) {
        QWidget* foco = QApplication::focusWidget();
        QVERIFY(foco && d->isAncestorOf(foco));
        auto* campo = qobject_cast<QLineEdit*>(foco);
        if (campo && editavel(campo))
            QTest::keyClick(campo, Qt::Key_7);
        const QString digitado = campo ? campo->text() : QString();
        QTest::keyClick(foco, Qt::Key_Escape);
        QCoreApplication::processEvents();
        QVERIFY(d->isVisible());
        QCOMPARE(QApplication::focusWidget(), foco);
        if (campo)
            QCOMPARE(campo->text(), digitado);
    });
}

// A new group half typed survives a stray Escape in its record window.
void TstJanelas::escapeNaInclusao()
{
    TelaTeste t;
    t.abre("GruposdeProdutos1", [&](QDialog* lista) {
        t.driver.aoAbrir([&](QDialog* dados) {
            digita(dados, "edGRU_Descricao", QStringLiteral("Ferramentas"));
            QTest::keyClick(focado(), Qt::Key_Escape);
            QVERIFY(dados->isVisible());
            QCOMPARE(texto(dados, "edGRU_Descricao"), QStringLiteral("Ferramentas"));
            QCOMPARE(texto(dados, "edGRU_Codigo"), QStringLiteral("000001"));
        });
        clica(lista, "btn_Manut_GRU_Novo");
    });
    QVERIFY(t.msgs.textos().isEmpty());
}

// Every grid is read-only and selects whole rows. Painted with three rows, the grids of the
// striped windows show yellow, white, yellow; the others yellow throughout; the selected row
// keeps the highlight in both.
void TstJanelas::grades()
{
    QFETCH(QString, classe);
    naJanela(classe, [&](QDialog* d, TelaTeste&) {
        for (QTableView* grade : d->findChildren<QTableView*>()) {
            const QByteArray nome = grade->objectName().toUtf8();
            QVERIFY2(grade->editTriggers() == QAbstractItemView::NoEditTriggers, nome);
            QCOMPARE(grade->selectionBehavior(), QAbstractItemView::SelectRows);
            if (!grade->isVisible())
                continue;
            QAbstractItemModel* modelo = grade->model();
            // The second column stays empty: its cells show the background alone.
            QStandardItemModel tres(3, 2);
            for (int i = 0; i < 3; ++i)
                tres.setItem(i, 0, new QStandardItem(QString::number(i + 1)));
            grade->setModel(&tres);
            const auto cor = [&](int linha) {
                const QRect celula = grade->visualRect(tres.index(linha, 1));
                return grade->viewport()->grab().toImage().pixelColor(celula.center());
            };
            const bool listrada = gradesListradas.contains(classe);
            QCOMPARE(cor(0), Convencoes::corFoco());
            QCOMPARE(cor(1), listrada ? Convencoes::corNormal() : Convencoes::corFoco());
            QCOMPARE(cor(2), Convencoes::corFoco());
            grade->selectRow(1);
            QCOMPARE(cor(1), grade->palette().color(QPalette::Highlight));
            grade->setModel(modelo);
        }
    });
}

// A text typed or pasted into a field longer than the field's width goes in cut to the width.
void TstJanelas::larguras()
{
    QFETCH(QString, classe);
    naJanela(classe, [&](QDialog* d, TelaTeste&) {
        SemTrabalhoDeFoco semTrabalho;
        for (QWidget* campo : d->findChildren<QWidget*>()) {
            const int largura = Formulario::largura(campo);
            if (largura <= 0 || !editavel(campo))
                continue;
            const QByteArray nome = campo->objectName().toUtf8();
            QString longo;
            while (longo.size() < largura + 3)
                longo += QStringLiteral("1234567890");
            longo.truncate(largura + 3);
            const auto texto = [campo] {
                auto* linha = qobject_cast<QLineEdit*>(campo);
                return linha ? linha->text() : static_cast<QPlainTextEdit*>(campo)->toPlainText();
            };
            const auto esvazia = [&] {
                campo->setFocus();
                QTest::keyClick(campo, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClick(campo, Qt::Key_Delete);
                QVERIFY2(texto().isEmpty(), nome);
            };

            esvazia();
            QTest::keyClicks(campo, longo);
            QVERIFY2(texto() == longo.left(largura), nome + " typed: " + texto().toUtf8());

            esvazia();
            QGuiApplication::clipboard()->setText(longo);
            QTest::keyClick(campo, Qt::Key_V, Qt::ControlModifier);
            QVERIFY2(texto() == longo.left(largura), nome + " pasted: " + texto().toUtf8());
        }
    });
}

QTEST_MAIN(TstJanelas)
#include "tst_janelas.moc"
