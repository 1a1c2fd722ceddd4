// The pieces windows are built from: the typing limit that never cuts what the window writes,
// the opening work that runs once per showing, and the code field (pad, look up, refuse, block
// the save, search on F5).

#include "common/CampoCodigo.h"
#include "common/Formulario.h"
#include "common/JanelaBusca.h"
#include "data/firebird/ErroBanco.h"
#include "support/DriverModal.h"
#include "support/GravadorMensagens.h"
#include "support/Tela.h"

#include <QClipboard>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

using namespace Tela;

class TstBlocos : public QObject {
    Q_OBJECT

private slots:
    void limiteDeDigitacao();
    void colagemCortada_data();
    void colagemCortada();
    void limiteDoMemo();
    void aberturaUmaVezPorExibicao();
    void tabSaiDaData();
    void campoCodigo_data();
    void campoCodigo();
    void campoCodigoBloqueiaAteVoltar();
    void campoCodigoErroDoBanco();
    void campoCodigoBusca();
};

namespace {

class Contador : public Dialogo {
public:
    int aberturas = 0;

protected:
    void aoAbrir() override { ++aberturas; }
};

// A window with a code field, the description it shows, a next field and a save button.
struct JanelaCodigo {
    QWidget janela;
    QLineEdit* codigo = Formulario::campo(&janela, "edCodigo");
    QLineEdit* descricao = Formulario::campoLeitura(&janela, "edDescricao");
    QLineEdit* proximo = Formulario::campo(&janela, "edProximo");
    QPushButton* grava = Formulario::botao(&janela, "btnGrava", QStringLiteral("Grava"));
    QStringList procurados;
    int gravacoes = 0;
    CampoCodigo* campo = nullptr;

    explicit JanelaCodigo(CampoCodigo::Regras regras)
    {
        janela.setObjectName(QStringLiteral("janela"));
        descricao->setFocusPolicy(Qt::NoFocus);
        auto* l = new QVBoxLayout(&janela);
        for (QWidget* w : {static_cast<QWidget*>(codigo), static_cast<QWidget*>(descricao),
                           static_cast<QWidget*>(proximo), static_cast<QWidget*>(grava)})
            l->addWidget(w);
        regras.procura = [this](const QString& c) {
            procurados << c;
            if (!c.endsWith(QLatin1Char('7')))
                return false;
            descricao->setText(QStringLiteral("Parafuso"));
            return true;
        };
        regras.limpaAoRecusar = {descricao};
        campo = new CampoCodigo(codigo, &janela, regras);
        QObject::connect(grava, &QPushButton::clicked, [this] {
            if (campo->podeGravar())
                ++gravacoes;
        });
    }
};

CampoCodigo::Regras regrasSeis()
{
    CampoCodigo::Regras r;
    r.largura = 6;
    r.preenchimento = QLatin1Char('0');
    r.naoEncontrado = QStringLiteral("Código não Cadastrado");
    return r;
}

} // namespace

void TstBlocos::limiteDeDigitacao()
{
    QWidget janela;
    QLineEdit* c = Formulario::campo(&janela, "edNome", 5);
    QVERIFY(mostra(janela));
    digita(&janela, "edNome", QStringLiteral("abcdefgh"));
    QCOMPARE(c->text(), QStringLiteral("abcde"));

    // What the window writes comes in whole, and may be shortened from there.
    c->setText(QStringLiteral("0000012345"));
    QCOMPARE(c->text(), QStringLiteral("0000012345"));
    c->setFocus();
    c->end(false);
    QTest::keyClick(c, Qt::Key_Backspace);
    QCOMPARE(c->text(), QStringLiteral("000001234"));
    QTest::keyClick(c, 'x');
    QCOMPARE(c->text(), QStringLiteral("000001234"));
}

// A paste longer than the room left goes in up to the width, where the cursor is; the rest of
// the pasted text is dropped, never the text the field had.
void TstBlocos::colagemCortada_data()
{
    QTest::addColumn<QString>("antes");
    QTest::addColumn<int>("inicio");
    QTest::addColumn<int>("fim"); // the selection the paste replaces
    QTest::addColumn<QString>("colado");
    QTest::addColumn<QString>("depois");

    caso("into an empty field", QString(), 0, 0, QStringLiteral("SPRJMG"), QStringLiteral("SPRJM"));
    caso("into the middle", QStringLiteral("ab"), 1, 1, QStringLiteral("XYZW"),
         QStringLiteral("aXYZb"));
    caso("over a selection", QStringLiteral("abcde"), 1, 4, QStringLiteral("123456"),
         QStringLiteral("a123e"));
    caso("into a full field", QStringLiteral("abcde"), 5, 5, QStringLiteral("x"),
         QStringLiteral("abcde"));
}

void TstBlocos::colagemCortada()
{
    QFETCH(QString, antes);
    QFETCH(int, inicio);
    QFETCH(int, fim);
    QFETCH(QString, colado);
    QFETCH(QString, depois);

    QWidget janela;
    QLineEdit* c = Formulario::campo(&janela, "edNome", 5);
    QVERIFY(mostra(janela));
    digita(&janela, "edNome", antes);
    c->setSelection(inicio, fim - inicio);
    QGuiApplication::clipboard()->setText(colado);
    QTest::keyClick(c, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(c->text(), depois);
}

void TstBlocos::limiteDoMemo()
{
    QWidget janela;
    QPlainTextEdit* m = Formulario::memo(&janela, "edObs", 10);
    QVERIFY(mostra(janela));
    digita(&janela, "edObs", QStringLiteral("caixa com 100 unidades"));
    QCOMPARE(m->toPlainText(), QStringLiteral("caixa com "));

    const QString guardado = QStringLiteral("observação gravada mais longa que o campo");
    m->setPlainText(guardado);
    QCOMPARE(m->toPlainText(), guardado);
}

void TstBlocos::aberturaUmaVezPorExibicao()
{
    Contador d;
    QVERIFY(mostra(d));
    QCoreApplication::processEvents();
    QCOMPARE(d.aberturas, 1);
    d.hide();
    QVERIFY(mostra(d));
    QCOMPARE(d.aberturas, 2);
}

// Tab and Shift+Tab leave a date field from whichever part of the date the cursor is in.
void TstBlocos::tabSaiDaData()
{
    QWidget janela;
    auto* l = new QVBoxLayout(&janela);
    l->addWidget(Formulario::campo(&janela, "edAntes", 10));
    l->addWidget(Formulario::data(&janela, "dtData"));
    l->addWidget(Formulario::campo(&janela, "edDepois", 10));
    janela.show();
    QVERIFY(QTest::qWaitForWindowActive(&janela));
    tab(&janela, "edAntes");
    QVERIFY(focado(&janela, "dtData"));
    tab(&janela, "dtData");
    QVERIFY(focado(&janela, "edDepois"));
    acha(&janela, "dtData")->setFocus();
    digitaTexto(acha(&janela, "dtData"), QStringLiteral("10"));
    QTest::keyClick(acha(&janela, "dtData"), Qt::Key_Backtab, Qt::ShiftModifier);
    QVERIFY(focado(&janela, "edAntes"));
}

void TstBlocos::campoCodigo_data()
{
    QTest::addColumn<QChar>("preenchimento");
    QTest::addColumn<bool>("esvazia");
    QTest::addColumn<QString>("digitado");
    QTest::addColumn<QString>("procurado"); // empty: the database is not asked
    QTest::addColumn<bool>("achou");
    QTest::addColumn<QString>("fica"); // what the field shows afterwards

    const QChar zero = QLatin1Char('0');
    QTest::newRow("found, padded with zeros") << zero << false << "7"
                                              << "000007" << true << "000007";
    QTest::newRow("found, padded with blanks") << QChar(QLatin1Char(' ')) << false << "7"
                                               << "     7" << true << "     7";
    QTest::newRow("unknown, kept") << zero << false << "8"
                                   << "000008" << false << "000008";
    QTest::newRow("unknown, erased") << zero << true << "8"
                                     << "000008" << false << "";
    QTest::newRow("wider than the column") << zero << true << "1234567"
                                           << "" << false << "";
    QTest::newRow("nothing typed") << zero << false << ""
                                   << "" << false << "";
}

void TstBlocos::campoCodigo()
{
    QFETCH(QChar, preenchimento);
    QFETCH(bool, esvazia);
    QFETCH(QString, digitado);
    QFETCH(QString, procurado);
    QFETCH(bool, achou);
    QFETCH(QString, fica);

    GravadorMensagens msgs;
    CampoCodigo::Regras regras = regrasSeis();
    regras.preenchimento = preenchimento;
    regras.esvaziaAoRecusar = esvazia;
    JanelaCodigo j(regras);
    j.descricao->setText(QStringLiteral("anterior"));
    QVERIFY(mostra(j.janela));

    digita(&j.janela, "edCodigo", digitado);
    tab(&j.janela, "edCodigo");
    QCoreApplication::processEvents();

    QCOMPARE(j.procurados, procurado.isEmpty() ? QStringList() : QStringList{procurado});
    QCOMPARE(j.codigo->text(), fica);
    QCOMPARE(j.campo->confirmado(), achou);
    const bool recusou = !achou && !digitado.isEmpty();
    QCOMPARE(msgs.textos(),
             recusou ? QStringList{QStringLiteral("Código não Cadastrado")} : QStringList());
    if (recusou) {
        QCOMPARE(msgs.mensagens().first().tipo, TipoMensagem::Informacao);
        QCOMPARE(j.descricao->text(), QString());
        QVERIFY(focado(&j.janela, "edCodigo"));
    } else {
        QCOMPARE(j.descricao->text(),
                 achou ? QStringLiteral("Parafuso") : QStringLiteral("anterior"));
        QVERIFY(focado(&j.janela, "edProximo"));
    }
}

void TstBlocos::campoCodigoBloqueiaAteVoltar()
{
    GravadorMensagens msgs;
    JanelaCodigo j(regrasSeis());
    QVERIFY(mostra(j.janela));

    // The click on the save button is what takes the focus from the refused code: no save.
    digita(&j.janela, "edCodigo", QStringLiteral("8"));
    clica(&j.janela, "btnGrava");
    QCOMPARE(j.gravacoes, 0);
    QCOMPARE(msgs.quantidade(), 1);
    QTRY_VERIFY(focado(&j.janela, "edCodigo"));
    QVERIFY(j.campo->podeGravar());
    QCOMPARE(j.codigo->selectedText(), QStringLiteral("000008"));

    digita(&j.janela, "edCodigo", QStringLiteral("7"));
    clica(&j.janela, "btnGrava");
    QCOMPARE(j.gravacoes, 1);
    QCOMPARE(msgs.quantidade(), 1);
    QVERIFY(j.campo->confirmado());
    QCOMPARE(j.campo->encontrado(), QStringLiteral("000007"));

    // A stored code comes back without its padding when the user goes into it.
    CampoCodigo::Regras aparando = regrasSeis();
    aparando.preenchimento = QLatin1Char(' ');
    aparando.aparaAoEntrar = true;
    JanelaCodigo k(aparando);
    k.codigo->setText(QStringLiteral("     7"));
    QVERIFY(mostra(k.janela));
    k.proximo->setFocus();
    QTest::keyClick(k.proximo, Qt::Key_Tab, Qt::ShiftModifier);
    QVERIFY(focado(&k.janela, "edCodigo"));
    QCOMPARE(k.codigo->text(), QStringLiteral("7"));
}

void TstBlocos::campoCodigoErroDoBanco()
{
    GravadorMensagens msgs;
    CampoCodigo::Regras regras = regrasSeis();
    JanelaCodigo j(regras);
    regras.procura = [](const QString&) -> bool {
        throw ErroBanco(QStringLiteral("connection lost"));
    };
    j.campo->setRegras(regras);
    QVERIFY(mostra(j.janela));

    digita(&j.janela, "edCodigo", QStringLiteral("7"));
    tab(&j.janela, "edCodigo");
    // The server's words, and no claim that the code does not exist.
    QCOMPARE(msgs.mensagens(),
             (QList<MensagemGravada>{{TipoMensagem::Erro, QStringLiteral("connection lost")}}));
    QVERIFY(!j.campo->confirmado());
}

void TstBlocos::campoCodigoBusca()
{
    GravadorMensagens msgs;
    DriverModal driver;
    JanelaBusca busca;
    busca.setObjectName(QStringLiteral("busca"));
    CampoCodigo::Regras regras = regrasSeis();
    regras.busca = &busca;
    regras.origem = QStringLiteral("Teste");
    QPushButton* tresPontos = nullptr;
    JanelaCodigo j(regras);
    tresPontos = Formulario::botao(&j.janela, "btnBusca", QStringLiteral("..."));
    j.janela.layout()->addWidget(tresPontos);
    regras.botaoBusca = tresPontos;
    j.campo->setRegras(regras);
    int fechadas = 0;
    connect(j.campo, &CampoCodigo::buscaFechada, [&] { ++fechadas; });
    QVERIFY(mostra(j.janela));
    QCOMPARE(busca.destino(QStringLiteral("Teste")), j.codigo);

    for (int vez = 0; vez < 2; ++vez) {
        driver.aoAbrir([](QDialog* janela) {
            auto* b = static_cast<JanelaBusca*>(janela);
            QCOMPARE(b->Origem, QStringLiteral("Teste"));
            b->reject();
        });
    }
    j.codigo->setFocus();
    QTest::keyClick(j.codigo, Qt::Key_F5);
    clica(&j.janela, "btnBusca");
    QCOMPARE(driver.abertas(), (QStringList{QStringLiteral("busca"), QStringLiteral("busca")}));
    QCOMPARE(fechadas, 2);
    QCOMPARE(msgs.quantidade(), 0);
}

QTEST_MAIN(TstBlocos)
#include "tst_blocos.moc"
