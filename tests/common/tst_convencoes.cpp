#include "common/Convencoes.h"
#include "common/EditH.h"
#include "common/Funcoes.h"
#include "support/Tela.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDateEdit>
#include <QDialog>
#include <QFontInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>

#include <algorithm>

using Tela::caso;
using Tela::mostra;

namespace {

// Records the focus events the watched widgets receive, with their reasons.
class Espiao : public QObject {
public:
    struct Registro {
        QObject* objeto;
        QEvent::Type tipo;
        Qt::FocusReason motivo;
    };

    void observa(QWidget* w) { w->installEventFilter(this); }

    bool recebeu(QObject* objeto, QEvent::Type tipo, Qt::FocusReason motivo) const
    {
        return std::any_of(m_registros.begin(), m_registros.end(), [&](const Registro& r) {
            return r.objeto == objeto && r.tipo == tipo && r.motivo == motivo;
        });
    }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override
    {
        if (evento->type() == QEvent::FocusIn || evento->type() == QEvent::FocusOut)
            m_registros.append(
                {objeto, evento->type(), static_cast<QFocusEvent*>(evento)->reason()});
        return false;
    }

private:
    QList<Registro> m_registros;
};

QColor fundo(const QWidget* campo)
{
    return campo->palette().color(QPalette::Base);
}

// The kinds of number field the key filters give.
QLineEdit* criaCampo(const QString& tipo, QWidget* pai)
{
    if (tipo == u"decimal" || tipo == u"inteiro") {
        auto* campo = new QLineEdit(pai);
        if (tipo == u"decimal")
            Convencoes::filtroDecimal(campo);
        else
            Convencoes::filtroInteiro(campo);
        return campo;
    }
    auto* campo = new TEditH(pai);
    campo->setNumero(tipo != u"editHLivre");
    campo->setCasaDecimal(tipo == u"editH2" ? 2 : 0);
    return campo;
}

// What is typed into a number field of a kind (see criaCampo), what the field then shows, and
// whether Enter goes on to the window's default button or is dropped.
struct Digitacao {
    QString tipo;
    QString digitado;
    QString esperado;
    bool enterPassa = false;
};

// What is pasted into a number field of a kind, what the field then shows, and whether the
// paste comes from the field's own context menu instead of Ctrl+V.
struct Colagem {
    QString tipo;
    QString colado;
    QString esperado;
    bool peloMenu = false;
};

// A refused value takes the focus back to its field through a queued event: waits for that,
// and then for anything else queued, before telling whether the field kept the focus.
bool focoFicou(QWidget* campo)
{
    if (!QTest::qWaitFor([campo] { return campo->hasFocus(); }))
        return false;
    QCoreApplication::processEvents();
    return campo->hasFocus();
}

// A plain window whose fields are laid out, and tabbed through, top to bottom.
struct Janela {
    QWidget janela;
    QVBoxLayout* layout = new QVBoxLayout(&janela);

    template <typename T> T* adiciona(T* campo)
    {
        layout->addWidget(campo);
        return campo;
    }
};

} // namespace

Q_DECLARE_METATYPE(Digitacao)
Q_DECLARE_METATYPE(Colagem)

class TstConvencoes : public QObject {
    Q_OBJECT

private slots:
    void editHNovo();
    void digitacao_data();
    void digitacao();
    void colagem_data();
    void colagem();
    void editHSaida_data();
    void editHSaida();
    void editHIgnoraAtivacao();
    void formatos_data();
    void formatos();
    void ganchos();
    void enterComoTab_data();
    void enterComoTab();
    void enterNoBotaoEPopup();
    void enterComFiltroDecimal();
    void coresDeFoco();
    void grade_data();
    void grade();
    void gradeUmaLinhaPorFila();
    void teclaF5();
    void localizacao();
};

void TstConvencoes::editHNovo()
{
    TEditH campo;
    QVERIFY(campo.text().isEmpty());
    QCOMPARE(campo.height(), 25);
    QCOMPARE(fundo(&campo), Convencoes::corNormal());
    QCOMPARE(campo.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    QCOMPARE(campo.font().family(), QStringLiteral("Courier New"));
    QCOMPARE(campo.font().pointSize(), 10);
    QVERIFY(QFontInfo(campo.font()).fixedPitch());

    // Forms set the properties by name.
    QVERIFY(campo.setProperty("Numero", true));
    QVERIFY(campo.setProperty("Moeda", true));
    QVERIFY(campo.setProperty("Porcentagem", true));
    QVERIFY(campo.setProperty("CasaDecimal", 2));
    QVERIFY(campo.setProperty("Alignment", QVariant::fromValue(Qt::Alignment(Qt::AlignRight))));
    QVERIFY(campo.numero() && campo.moeda() && campo.porcentagem());
    QCOMPARE(campo.casaDecimal(), 2);
    QCOMPARE(campo.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);

    campo.setValor(Decimal(123456, 2));
    QCOMPARE(campo.text(), QStringLiteral("R$ 1.234,56"));
    QCOMPARE(campo.valor(), Decimal(123456, 2));
    campo.setText(QStringLiteral("x"));
    QCOMPARE(campo.valor(), Decimal());
}

void TstConvencoes::digitacao_data()
{
    QTest::addColumn<Digitacao>("c");

    caso("decimal: dot as comma, no minus, no letters", Digitacao{"decimal", "-1a.5 x", "1,5"});
    caso("decimal: comma", Digitacao{"decimal", "12,34", "12,34"});
    caso("whole: comma kept, dot dropped", Digitacao{"inteiro", "-1.2,3a", "12,3"});
    caso("TEditH with decimals", Digitacao{"editH2", "-1a.5", "1,5", true});
    caso("TEditH without decimals", Digitacao{"editH0", "-1,2.3a", "123", true});
    caso("TEditH not a number", Digitacao{"editHLivre", "-1a.5", "-1a.5", true});
}

void TstConvencoes::digitacao()
{
    QFETCH(Digitacao, c);

    QDialog janela;
    auto* layout = new QVBoxLayout(&janela);
    QLineEdit* campo = criaCampo(c.tipo, &janela);
    layout->addWidget(campo);
    auto* ok = new QPushButton(QStringLiteral("OK"), &janela);
    ok->setDefault(true);
    layout->addWidget(ok);
    int enter = 0;
    int cliques = 0;
    connect(campo, &QLineEdit::returnPressed, [&] { ++enter; });
    connect(ok, &QPushButton::clicked, [&] { ++cliques; });
    QVERIFY(mostra(janela));
    campo->setFocus();

    QTest::keyClicks(campo, c.digitado);
    QCOMPARE(campo->text(), c.esperado);

    // Keys that insert no text keep working.
    QTest::keyClick(campo, Qt::Key_Home);
    QTest::keyClick(campo, Qt::Key_Delete);
    QTest::keyClick(campo, Qt::Key_End);
    QTest::keyClick(campo, Qt::Key_Backspace);
    QCOMPARE(campo->text(), c.esperado.mid(1).chopped(1));
    QTest::keyClick(campo, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(campo->selectedText(), campo->text());

    QTest::keyClick(campo, Qt::Key_Return);
    // A dropped Enter neither reports itself nor reaches the dialog's default button.
    QCOMPARE(enter, c.enterPassa ? 1 : 0);
    QCOMPARE(cliques, c.enterPassa ? 1 : 0);
}

void TstConvencoes::colagem_data()
{
    QTest::addColumn<Colagem>("c");

    caso("decimal: formatted amount", Colagem{"decimal", "R$ 1.234,56", "1234,56"});
    caso("decimal: dot decimal", Colagem{"decimal", "-1.5", "1,5"});
    caso("decimal: from the menu", Colagem{"decimal", "R$ 1.234,56", "1234,56", true});
    caso("whole", Colagem{"inteiro", "1.234,5", "1234,5"});
    caso("TEditH without decimals", Colagem{"editH0", "1.234", "1234"});
    caso("TEditH not a number", Colagem{"editHLivre", "a-1.5", "a-1.5"});
}

void TstConvencoes::colagem()
{
    QFETCH(Colagem, c);

    Janela j;
    QLineEdit* campo = j.adiciona(criaCampo(c.tipo, &j.janela));
    QVERIFY(mostra(j.janela));
    campo->setFocus();
    QGuiApplication::clipboard()->setText(c.colado);

    if (c.peloMenu) {
        QContextMenuEvent pedido(QContextMenuEvent::Mouse, QPoint(5, 5),
                                 campo->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(campo, &pedido);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        const auto acoes = menu->actions();
        const auto colar = std::find_if(acoes.begin(), acoes.end(), [](const QAction* a) {
            return a->text().startsWith(QStringLiteral("&Paste"));
        });
        QVERIFY(colar != acoes.end());
        (*colar)->trigger();
        menu->close();
    } else {
        QTest::keyClick(campo, Qt::Key_V, Qt::ControlModifier);
    }
    QCOMPARE(campo->text(), c.esperado);
}

void TstConvencoes::editHSaida_data()
{
    QTest::addColumn<bool>("moeda");
    QTest::addColumn<bool>("porcentagem");
    QTest::addColumn<int>("casas");
    QTest::addColumn<QString>("digitado");
    QTest::addColumn<QString>("digitando");
    QTest::addColumn<QString>("saindo");
    QTest::addColumn<bool>("ficaNoCampo");

    caso("money", true, false, 2, "1234,56", "1234,56", "R$ 1.234,56", false);
    caso("money, letters only", true, false, 2, "abc", "", "0,00", true);
    caso("quantity typed with a dot", false, false, 3, "1.5", "1,5", "1,500", false);
    caso("quantity, thousands", false, false, 3, "1234567,8", "1234567,8", "1.234.567,800", false);
    caso("quantity, two commas", false, false, 3, "1,2,3", "1,2,3", "0,000", true);
    caso("whole, empty", false, false, 0, "", "", "0", true);
    caso("percentage", false, true, 2, "12,5", "12,5", "12,50%", false);
    caso("percentage, empty", false, true, 0, "", "", "0%", true);
    caso("percentage, lone comma", false, true, 1, ",", ",", "0,0%", true);
}

void TstConvencoes::editHSaida()
{
    QFETCH(bool, moeda);
    QFETCH(bool, porcentagem);
    QFETCH(int, casas);
    QFETCH(QString, digitado);
    QFETCH(QString, digitando);
    QFETCH(QString, saindo);
    QFETCH(bool, ficaNoCampo);

    Janela j;
    auto* campo = j.adiciona(new TEditH);
    campo->setNumero(true);
    campo->setMoeda(moeda);
    campo->setPorcentagem(porcentagem);
    campo->setCasaDecimal(casas);
    // The next field is empty too: being passed through while the focus goes back must not
    // make it refuse its own empty text and take the focus.
    auto* proximo = j.adiciona(new TEditH);
    proximo->setNumero(true);
    proximo->setMoeda(true);
    proximo->setCasaDecimal(2);
    QVERIFY(mostra(j.janela));
    campo->setFocus();
    QCOMPARE(fundo(campo), Convencoes::corFoco());

    QTest::keyClicks(campo, digitado);
    QCOMPARE(campo->text(), digitando);
    QTest::keyClick(campo, Qt::Key_Tab);
    QCOMPARE(campo->text(), saindo);

    if (ficaNoCampo) {
        QVERIFY(focoFicou(campo));
        QCOMPARE(campo->text(), Funcoes::LimpaNumero(saindo));
        QCOMPARE(campo->selectedText(), campo->text());
        QCOMPARE(fundo(campo), Convencoes::corFoco());
        QCOMPARE(fundo(proximo), Convencoes::corNormal());
        QVERIFY(proximo->text().isEmpty());
        return;
    }
    QCoreApplication::processEvents();
    QVERIFY(proximo->hasFocus());
    QCOMPARE(fundo(campo), Convencoes::corNormal());

    // Clicking back shows the bare number, selected whole, ready to be typed over.
    QTest::mouseClick(campo, Qt::LeftButton, {}, QPoint(campo->width() - 5, campo->height() / 2));
    QVERIFY(campo->hasFocus());
    QCOMPARE(campo->text(), Funcoes::LimpaNumero(saindo));
    QCOMPARE(campo->selectedText(), campo->text());
}

void TstConvencoes::editHIgnoraAtivacao()
{
    Janela j;
    auto* campo = j.adiciona(new TEditH);
    campo->setNumero(true);
    campo->setMoeda(true);
    campo->setCasaDecimal(2);
    j.adiciona(new QLineEdit);
    Espiao espiao;
    espiao.observa(campo);
    QVERIFY(mostra(j.janela));
    campo->setFocus();
    QTest::keyClicks(campo, QStringLiteral("1"));

    // A message box taking activation away neither formats the half-typed value...
    QWidget outra;
    QVERIFY(mostra(outra));
    QVERIFY(espiao.recebeu(campo, QEvent::FocusOut, Qt::ActiveWindowFocusReason));
    QCOMPARE(campo->text(), QStringLiteral("1"));
    QCOMPARE(fundo(campo), Convencoes::corFoco());

    // ...nor, when the window comes back, selects it to be typed over.
    QVERIFY(mostra(j.janela));
    QVERIFY(espiao.recebeu(campo, QEvent::FocusIn, Qt::ActiveWindowFocusReason));
    QVERIFY(campo->hasFocus());
    QCOMPARE(campo->text(), QStringLiteral("1"));
    QVERIFY(!campo->hasSelectedText());

    QTest::keyClick(campo, Qt::Key_Tab);
    QCOMPARE(campo->text(), QStringLiteral("R$ 1,00"));
}

void TstConvencoes::formatos_data()
{
    QTest::addColumn<bool>("moeda");
    QTest::addColumn<QString>("digitado");
    QTest::addColumn<QString>("saindo");
    QTest::addColumn<bool>("ficaNoCampo");

    caso("quantity", false, "1234,5", "1.234,500", false);
    caso("money", true, "1234,56", "R$ 1.234,56", false);
    caso("quantity, letters", false, "abc", "abc", true);
    caso("money, two commas", true, "1,,2", "1,,2", true);
    caso("money, empty", true, "", "", true);
}

void TstConvencoes::formatos()
{
    QFETCH(bool, moeda);
    QFETCH(QString, digitado);
    QFETCH(QString, saindo);
    QFETCH(bool, ficaNoCampo);

    Janela j;
    auto* campo = j.adiciona(new QLineEdit);
    auto* proximo = j.adiciona(new QLineEdit);
    for (QLineEdit* c : {campo, proximo}) {
        if (moeda)
            Convencoes::formatoMoeda(c);
        else
            Convencoes::formatoQuantidade(c);
    }
    QVERIFY(mostra(j.janela));
    campo->setFocus();
    QTest::keyClicks(campo, digitado);
    QTest::keyClick(campo, Qt::Key_Tab);
    QCOMPARE(campo->text(), saindo);

    if (ficaNoCampo) {
        QVERIFY(focoFicou(campo));
        QCOMPARE(campo->text(), digitado);
        QVERIFY(proximo->text().isEmpty());
        return;
    }
    QCoreApplication::processEvents();
    QVERIFY(proximo->hasFocus());
    QTest::keyClick(proximo, Qt::Key_Backtab);
    QCOMPARE(campo->text(), Funcoes::LimpaNumero(saindo));
    QCOMPARE(campo->selectedText(), campo->text());
}

void TstConvencoes::ganchos()
{
    Janela j;
    auto* a = j.adiciona(new QLineEdit);
    auto* b = j.adiciona(new QLineEdit);
    int entradasB = 0;
    int saidasA = 0;
    int doDono = 0;
    Convencoes::aoEntrar(b, &j.janela, [&] { ++entradasB; });
    Convencoes::aoSair(a, &j.janela, [&] { ++saidasA; });
    auto* dono = new QObject;
    Convencoes::aoSair(a, dono, [&] { ++doDono; });
    QVERIFY(mostra(j.janela));
    a->setFocus();

    QTest::keyClick(a, Qt::Key_Tab);
    QCOMPARE(saidasA, 1);
    QCOMPARE(entradasB, 1);
    QCOMPARE(doDono, 1);

    QWidget outra;
    QVERIFY(mostra(outra));
    QVERIFY(mostra(j.janela));
    QCOMPARE(entradasB, 1);

    a->setFocus();
    QTest::mouseClick(b, Qt::LeftButton);
    QCOMPARE(saidasA, 2);
    QCOMPARE(entradasB, 2);

    // The hook ends with its owner.
    delete dono;
    a->setFocus();
    b->setFocus();
    QCOMPARE(saidasA, 3);
    QCOMPARE(doDono, 2);
}

void TstConvencoes::enterComoTab_data()
{
    QTest::addColumn<QString>("origem");
    QTest::addColumn<int>("tecla");

    caso("line edit", "linha", int(Qt::Key_Return));
    caso("line edit, keypad Enter", "linha", int(Qt::Key_Enter));
    caso("editable combo box", "combo", int(Qt::Key_Return));
    caso("multi-line text", "texto", int(Qt::Key_Return));
    caso("date", "data", int(Qt::Key_Return));
    caso("field created after the call", "tardio", int(Qt::Key_Return));
}

void TstConvencoes::enterComoTab()
{
    QFETCH(QString, origem);
    QFETCH(int, tecla);

    QDialog janela;
    auto* layout = new QVBoxLayout(&janela);
    if (origem == u"tardio")
        Convencoes::enterComoTab(&janela);
    QWidget* campo = nullptr;
    auto* combo = new QComboBox;
    auto* texto = new QPlainTextEdit;
    auto* linha = new QLineEdit;
    if (origem == u"combo") {
        combo->setEditable(true);
        campo = combo;
    } else if (origem == u"texto") {
        campo = texto;
    } else if (origem == u"data") {
        campo = new QDateEdit(QDate(2004, 10, 10));
    } else {
        campo = linha;
    }
    layout->addWidget(campo);
    auto* destino = new QLineEdit;
    layout->addWidget(destino);
    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setDefault(true);
    layout->addWidget(ok);
    if (origem != u"tardio")
        Convencoes::enterComoTab(&janela);
    int cliques = 0;
    int enter = 0;
    connect(ok, &QPushButton::clicked, [&] { ++cliques; });
    connect(linha, &QLineEdit::returnPressed, [&] { ++enter; });
    Espiao espiao;
    espiao.observa(campo);
    espiao.observa(destino);
    QVERIFY(mostra(janela));
    campo->setFocus();
    if (origem != u"data")
        QTest::keyClicks(campo, QStringLiteral("abc"));

    QTest::keyClick(campo, Qt::Key(tecla),
                    tecla == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);

    QVERIFY(destino->hasFocus());
    QVERIFY(espiao.recebeu(campo, QEvent::FocusOut, Qt::TabFocusReason));
    QVERIFY(espiao.recebeu(destino, QEvent::FocusIn, Qt::TabFocusReason));
    QCOMPARE(cliques, 0);
    QCOMPARE(enter, 0);
    QCOMPARE(combo->count(), 0);
    QCOMPARE(texto->toPlainText(), origem == u"texto" ? QStringLiteral("abc") : QString());
}

void TstConvencoes::enterNoBotaoEPopup()
{
    QDialog janela;
    auto* layout = new QVBoxLayout(&janela);
    auto* combo = new QComboBox;
    combo->addItems({QStringLiteral("um"), QStringLiteral("dois"), QStringLiteral("três")});
    layout->addWidget(combo);
    auto* botao = new QPushButton(QStringLiteral("Gravar"));
    layout->addWidget(botao);
    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setDefault(true);
    layout->addWidget(ok);
    Convencoes::enterComoTab(&janela);
    int gravar = 0;
    int cliquesOk = 0;
    connect(botao, &QPushButton::clicked, [&] { ++gravar; });
    connect(ok, &QPushButton::clicked, [&] { ++cliquesOk; });
    QVERIFY(mostra(janela));

    // Enter on a focused button moves on as Tab does; it does not press it.
    botao->setFocus();
    QTest::keyClick(botao, Qt::Key_Return);
    QCOMPARE(gravar, 0);
    QCOMPARE(cliquesOk, 0);
    QVERIFY(ok->hasFocus());

    // In an open list Enter picks the item, and the focus stays on the combo box.
    combo->setFocus();
    combo->showPopup();
    QTRY_VERIFY(QApplication::activePopupWidget());
    QTest::keyClick(combo->view(), Qt::Key_Down);
    QTest::keyClick(combo->view(), Qt::Key_Return);
    QTRY_VERIFY(!QApplication::activePopupWidget());
    QCOMPARE(combo->currentIndex(), 1);
    QVERIFY(combo->hasFocus());
}

void TstConvencoes::enterComFiltroDecimal()
{
    Janela j;
    auto* campo = j.adiciona(new QLineEdit);
    auto* proximo = j.adiciona(new QLineEdit);
    Convencoes::filtroDecimal(campo);
    Convencoes::enterComoTab(&j.janela);
    QVERIFY(mostra(j.janela));
    campo->setFocus();

    QTest::keyClicks(campo, QStringLiteral("1.5"));
    QTest::keyClick(campo, Qt::Key_Return);
    QCOMPARE(campo->text(), QStringLiteral("1,5"));
    QVERIFY(proximo->hasFocus());
}

void TstConvencoes::coresDeFoco()
{
    Janela j;
    auto* combo = new QComboBox;
    combo->setEditable(true);
    QList<QWidget*> campos = {j.adiciona(new QLineEdit), j.adiciona(combo),
                              j.adiciona(new QPlainTextEdit), j.adiciona(new QDateEdit),
                              j.adiciona(new QSpinBox)};
    Convencoes::coresDeFoco(&j.janela);
    campos.append(j.adiciona(new QLineEdit));
    Convencoes::coresDeFocoNoCampo(campos.last());
    QVERIFY(mostra(j.janela));

    for (QWidget* campo : std::as_const(campos)) {
        campo->setFocus();
        for (QWidget* c : std::as_const(campos))
            QCOMPARE(fundo(c), c == campo ? Convencoes::corFoco() : Convencoes::corNormal());
    }

    // The focus moved while a message box had the activation: once the window is back, only
    // the field that now has the focus is yellow.
    campos[0]->setFocus();
    QWidget outra;
    QVERIFY(mostra(outra));
    QCOMPARE(fundo(campos[0]), Convencoes::corFoco());
    campos[1]->setFocus();
    QVERIFY(mostra(j.janela));
    QVERIFY(campos[1]->hasFocus());
    QCOMPARE(fundo(campos[0]), Convencoes::corNormal());
    QCOMPARE(fundo(campos[1]), Convencoes::corFoco());
}

void TstConvencoes::grade_data()
{
    QTest::addColumn<bool>("listrada");
    QTest::addColumn<int>("linhas");
    QTest::addColumn<int>("selecionada");
    QTest::addColumn<int>("linha"); // -1: the empty area under the rows
    QTest::addColumn<QString>("cor");

    caso("one row", true, 1, -1, 0, "foco");
    caso("second row white", true, 2, -1, 1, "normal");
    caso("third row yellow", true, 3, -1, 2, "foco");
    caso("selected row highlighted", true, 2, 1, 1, "destaque");
    caso("empty area", true, 2, -1, -1, "foco");
    caso("not striped", false, 2, -1, 1, "foco");
}

void TstConvencoes::grade()
{
    QFETCH(bool, listrada);
    QFETCH(int, linhas);
    QFETCH(int, selecionada);
    QFETCH(int, linha);
    QFETCH(QString, cor);

    QStandardItemModel modelo(linhas, 2);
    for (int i = 0; i < linhas; ++i)
        modelo.setItem(i, 0, new QStandardItem(QString::number(i)));
    QTableView grade;
    grade.setModel(&modelo);
    Convencoes::preparaGrade(&grade, listrada);
    grade.resize(300, 200);
    QVERIFY(mostra(grade));
    if (selecionada >= 0)
        grade.selectRow(selecionada);

    const QRect ultima = grade.visualRect(modelo.index(linhas - 1, 1));
    const QRect celula = linha >= 0 ? grade.visualRect(modelo.index(linha, 1))
                                    : ultima.translated(0, ultima.height() + 5);
    QVERIFY(grade.viewport()->rect().contains(celula.center()));
    const QColor pintada = grade.viewport()->grab().toImage().pixelColor(celula.center());
    const QColor esperada = cor == u"foco"     ? Convencoes::corFoco()
                            : cor == u"normal" ? Convencoes::corNormal()
                                               : grade.palette().color(QPalette::Highlight);
    QCOMPARE(pintada, esperada);
    if (linha >= 0 && listrada && selecionada < 0)
        QCOMPARE(Convencoes::corDaLinha(linha), esperada);

    QTest::mouseDClick(grade.viewport(), Qt::LeftButton, {},
                       grade.visualRect(modelo.index(0, 0)).center());
    QVERIFY(!grade.viewport()->findChild<QLineEdit*>());
}

void TstConvencoes::gradeUmaLinhaPorFila()
{
    QStandardItemModel modelo(100, 2);
    for (int i = 0; i < 100; ++i) {
        modelo.setItem(i, 0, new QStandardItem(QString::number(i)));
        modelo.setItem(i, 1, new QStandardItem(QStringLiteral("Produto %1").arg(100000 + i)));
    }
    QTableView grade;
    grade.setModel(&modelo);
    Convencoes::preparaGrade(&grade);
    grade.setColumnWidth(1, 40);
    grade.resize(300, 300);
    QVERIFY(mostra(grade));

    // Rows as high as one line of the font, no row numbers, a long text cut instead of wrapped:
    // a grid 300 pixels high shows well over ten rows.
    const int linha = grade.fontMetrics().height();
    QVERIFY(grade.rowHeight(0) >= linha);
    QVERIFY2(grade.rowHeight(0) < linha * 3 / 2, qPrintable(QString::number(grade.rowHeight(0))));
    QCOMPARE(grade.rowHeight(99), grade.rowHeight(0));
    QVERIFY(!grade.verticalHeader()->isVisible());
    QVERIFY(!grade.wordWrap());
    QCOMPARE(grade.textElideMode(), Qt::ElideRight);
    QVERIFY(grade.rowAt(grade.viewport()->height() - 1) > 10);
}

void TstConvencoes::teclaF5()
{
    Janela j;
    auto* codigo = j.adiciona(new QLineEdit);
    auto* outro = j.adiciona(new QLineEdit);
    int buscas = 0;
    Convencoes::teclaF5(codigo, [&] { ++buscas; });
    // A window may have its own F5 (refresh); in the code field the search wins.
    auto* atualiza = new QAction(&j.janela);
    atualiza->setShortcut(Qt::Key_F5);
    j.janela.addAction(atualiza);
    int atualizacoes = 0;
    connect(atualiza, &QAction::triggered, [&] { ++atualizacoes; });
    QVERIFY(mostra(j.janela));

    codigo->setFocus();
    QTest::keyClicks(codigo, QStringLiteral("12"));
    QTest::keyClick(codigo, Qt::Key_F5);
    QCOMPARE(buscas, 1);
    QCOMPARE(atualizacoes, 0);
    QCOMPARE(codigo->text(), QStringLiteral("12"));

    outro->setFocus();
    QTest::keyClick(outro, Qt::Key_F5);
    QCOMPARE(buscas, 1);
    QCOMPARE(atualizacoes, 1);
}

// Last: it changes the default locale of the whole program.
void TstConvencoes::localizacao()
{
    QVERIFY(Convencoes::instalaLocalizacao(qApp));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancelar"));
    QCOMPARE(QLocale().toString(QDate(2004, 10, 10), QLocale::ShortFormat),
             QStringLiteral("10/10/2004"));
    QDateEdit data(QDate(2004, 10, 10));
    QCOMPARE(data.text(), QStringLiteral("10/10/2004"));
}

QTEST_MAIN(TstConvencoes)
#include "tst_convencoes.moc"
