#include "common/Mensagens.h"
#include "common/Modal.h"
#include "support/DriverModal.h"
#include "support/GravadorMensagens.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace {

class Campo : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
    int entradas = 0;

protected:
    void focusInEvent(QFocusEvent* evento) override
    {
        ++entradas;
        QLineEdit::focusInEvent(evento);
    }
};

// A window with two fields, standing for the window a modal or a message box opens from.
class Janela : public QDialog {
public:
    explicit Janela(const QString& nome, QWidget* pai = nullptr) : QDialog(pai)
    {
        setObjectName(nome);
        setWindowTitle(nome);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(m_primeiro);
        layout->addWidget(m_segundo);
    }

    bool mostra()
    {
        show();
        activateWindow();
        return QTest::qWaitForWindowActive(this);
    }

    // A window that lost activation and was not given it back records setFocus silently, and
    // its field handlers stop running; an active one delivers FocusIn at once.
    bool recebeFoco()
    {
        Campo* alvo = focusWidget() == m_primeiro ? m_segundo : m_primeiro;
        const int antes = alvo->entradas;
        alvo->setFocus();
        return alvo->entradas == antes + 1;
    }

private:
    Campo* m_primeiro = new Campo(this);
    Campo* m_segundo = new Campo(this);
};

// Acts on a modal window of type T from inside the blocking exec() that shows it. A watchdog
// closes the window if the action did not, so a test can never hang.
template <typename T> class QuandoAparecer {
public:
    explicit QuandoAparecer(std::function<void(T*)> acao) : m_acao(std::move(acao))
    {
        m_procura.setInterval(10);
        QObject::connect(&m_procura, &QTimer::timeout, [this] {
            if (T* janela = procura()) {
                m_procura.stop();
                m_acao(janela);
            }
        });
        m_vigia.setSingleShot(true);
        m_vigia.setInterval(5000);
        QObject::connect(&m_vigia, &QTimer::timeout, [this] {
            m_procura.stop();
            m_vigiaAgiu = true;
            if (T* janela = procura())
                janela->done(QDialog::Rejected);
        });
        m_procura.start();
        m_vigia.start();
    }

    bool vigiaAgiu() const { return m_vigiaAgiu; }

private:
    static T* procura()
    {
        const QWidgetList janelas = QApplication::topLevelWidgets();
        for (QWidget* janela : janelas) {
            if (auto* encontrada = qobject_cast<T*>(janela);
                encontrada && encontrada->isVisible() && encontrada->isModal())
                return encontrada;
        }
        return nullptr;
    }

    std::function<void(T*)> m_acao;
    QTimer m_procura;
    QTimer m_vigia;
    bool m_vigiaAgiu = false;
};

bool mostraMensagem(TipoMensagem tipo, const QString& texto)
{
    switch (tipo) {
    case TipoMensagem::Aviso:
        Mensagens::aviso(texto);
        break;
    case TipoMensagem::Erro:
        Mensagens::erro(texto);
        break;
    case TipoMensagem::Informacao:
        Mensagens::informacao(texto);
        break;
    case TipoMensagem::Confirmacao:
        return Mensagens::confirma(texto);
    case TipoMensagem::Simples:
        Mensagens::simples(texto);
        break;
    }
    return false;
}

const QString nomeDoPrograma = QStringLiteral("Estoque de teste");

} // namespace

class TestSeams : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void gravadorGuardaMensagensEResponde();
    void faltaNoRoteiroFalhaOTeste();
    void sobraNoRoteiroFalhaOTeste();
    void driverConduzJanela_data();
    void driverConduzJanela();
    void driverConduzJanelasAninhadas();
    void driverRespondeEscolhas();
    void caixaPadrao_data();
    void caixaPadrao();
    void execPadraoReativaJanelaDeBaixo();
};

void TestSeams::initTestCase()
{
    QGuiApplication::setApplicationDisplayName(nomeDoPrograma);
}

void TestSeams::gravadorGuardaMensagensEResponde()
{
    GravadorMensagens gravador;
    QList<MensagemGravada> vistasAoMostrar;
    gravador.aoMostrar([&](const MensagemGravada& mensagem) { vistasAoMostrar.append(mensagem); });
    gravador.responde(true);
    gravador.responde(false);

    const QString comQuebras = QStringLiteral("Produto sem saldo!\n\n  Código:  001 <b>x</b>");
    Mensagens::aviso(QStringLiteral("Informe o grupo."));
    const bool primeira = Mensagens::confirma(QStringLiteral("Excluir o grupo?"));
    Mensagens::erro(comQuebras);
    const bool segunda = Mensagens::confirma(QStringLiteral("Sair do sistema?"));
    Mensagens::informacao(QStringLiteral("Cópia concluída."));
    Mensagens::simples(QStringLiteral("Olá"));

    QVERIFY(primeira);
    QVERIFY(!segunda);
    const QList<MensagemGravada> esperadas{
        {TipoMensagem::Aviso, QStringLiteral("Informe o grupo.")},
        {TipoMensagem::Confirmacao, QStringLiteral("Excluir o grupo?")},
        {TipoMensagem::Erro, comQuebras},
        {TipoMensagem::Confirmacao, QStringLiteral("Sair do sistema?")},
        {TipoMensagem::Informacao, QStringLiteral("Cópia concluída.")},
        {TipoMensagem::Simples, QStringLiteral("Olá")},
    };
    QCOMPARE(gravador.mensagens(), esperadas);
    QCOMPARE(vistasAoMostrar, esperadas);
    QVERIFY(gravador.contem(TipoMensagem::Erro, comQuebras));
    QVERIFY(!gravador.contem(TipoMensagem::Aviso, comQuebras));
    QCOMPARE(gravador.ultimoTexto(), QStringLiteral("Olá"));
    QCOMPARE(gravador.respostasPendentes(), 0);
    QVERIFY(gravador.falhas().isEmpty());
}

// Each of these reports a failure on purpose; QEXPECT_FAIL turns it into an expected one.
void TestSeams::faltaNoRoteiroFalhaOTeste()
{
    Janela base(QStringLiteral("base"));
    QVERIFY(base.mostra());

    {
        GravadorMensagens gravador;
        QEXPECT_FAIL("", "an unscripted confirmation fails the test", Continue);
        const bool resposta = Mensagens::confirma(QStringLiteral("Excluir o produto 0001?"));
        QVERIFY(!resposta);
        QCOMPARE(gravador.quantidade(), 1);
        QCOMPARE(gravador.falhas().size(), 1);
        QVERIFY(gravador.falhas().first().contains(QStringLiteral("Excluir o produto 0001?")));
    }
    {
        DriverModal driver;
        QDialog janela(&base);
        janela.setObjectName(QStringLiteral("fManut_Grupos"));
        janela.setWindowTitle(QStringLiteral("Grupos"));
        janela.setResult(QDialog::Accepted);
        QEXPECT_FAIL("", "a window opened with no steps fails the test", Continue);
        QCOMPARE(Modal::exec(&janela), int(QDialog::Rejected));
        QVERIFY(!janela.isVisible());
        QCOMPARE(driver.falhas().size(), 1);
        QVERIFY(driver.falhas().first().contains(QStringLiteral("fManut_Grupos")));
        QVERIFY(driver.falhas().first().contains(QStringLiteral("Grupos")));
        QVERIFY(QTest::qWaitForWindowActive(&base, 1000));
    }
    {
        DriverModal driver;
        QEXPECT_FAIL("", "an unscripted file chooser fails the test", Continue);
        QCOMPARE(Modal::escolhePasta(&base, QStringLiteral("Pasta da cópia"), QString()),
                 QString());
        QCOMPARE(driver.falhas().size(), 1);
        QVERIFY(driver.falhas().first().contains(QStringLiteral("Pasta da cópia")));
    }
}

// A scripted answer or window that never came means the flow did not go where the test
// expected. The report comes from a destructor, so each block checks it indirectly: the
// QVERIFY(true) after the block would be an unexpected pass if the destructor had not failed.
void TestSeams::sobraNoRoteiroFalhaOTeste()
{
    {
        GravadorMensagens gravador;
        gravador.responde(true);
        QEXPECT_FAIL("", "a confirmation answer left over fails the test", Continue);
    }
    QVERIFY(true);
    {
        DriverModal driver;
        driver.aoAbrir([](QDialog*) {});
        QEXPECT_FAIL("", "window steps left over fail the test", Continue);
    }
    QVERIFY(true);
    {
        DriverModal driver;
        driver.respondeEscolha(QStringLiteral("/tmp/x"));
        QEXPECT_FAIL("", "a file chooser answer left over fails the test", Continue);
    }
    QVERIFY(true);
}

void TestSeams::driverConduzJanela_data()
{
    QTest::addColumn<QString>("acao");
    QTest::addColumn<bool>("apagaAoFechar");
    QTest::addColumn<int>("esperado");

    QTest::newRow("accept") << "accept" << false << int(QDialog::Accepted);
    QTest::newRow("reject") << "reject" << false << int(QDialog::Rejected);
    QTest::newRow("done with own code") << "done" << false << 7;
    QTest::newRow("close") << "close" << false << int(QDialog::Rejected);
    QTest::newRow("hidden without a result") << "hide" << false << int(QDialog::Rejected);
    QTest::newRow("left open is rejected") << "" << false << int(QDialog::Rejected);
    QTest::newRow("accept, deleted on close") << "accept" << true << int(QDialog::Accepted);
}

void TestSeams::driverConduzJanela()
{
    QFETCH(QString, acao);
    QFETCH(bool, apagaAoFechar);
    QFETCH(int, esperado);

    Janela base(QStringLiteral("base"));
    QVERIFY(base.mostra());
    DriverModal driver;
    const QPointer<QDialog> janela = new QDialog(&base);
    janela->setObjectName(QStringLiteral("fTeste"));
    janela->setAttribute(Qt::WA_DeleteOnClose, apagaAoFechar);
    // A kept window shown again must not return what it returned last time.
    janela->setResult(QDialog::Accepted);

    bool ativaEModal = false;
    driver.aoAbrir([&](QDialog* aberta) {
        ativaEModal = aberta == janela && aberta->isVisible() &&
                      QApplication::activeWindow() == aberta &&
                      QApplication::activeModalWidget() == aberta;
        if (acao == "accept")
            aberta->accept();
        else if (acao == "reject")
            aberta->reject();
        else if (acao == "done")
            aberta->done(7);
        else if (acao == "close")
            aberta->close();
        else if (acao == "hide")
            aberta->hide();
    });

    QCOMPARE(Modal::exec(janela), esperado);
    QVERIFY(ativaEModal);
    QCOMPARE(driver.abertas(), QStringList{QStringLiteral("fTeste")});
    if (apagaAoFechar)
        QVERIFY(janela.isNull());
    else
        QVERIFY(!janela->isVisible());
    QCOMPARE(QApplication::activeWindow(), &base);
    QVERIFY(base.recebeFoco());
    QVERIFY(driver.falhas().isEmpty());
}

void TestSeams::driverConduzJanelasAninhadas()
{
    Janela base(QStringLiteral("base"));
    QVERIFY(base.mostra());
    DriverModal driver;

    Janela fora(QStringLiteral("fFora"), &base);
    auto* abreDentro = new QPushButton(QStringLiteral("Abrir"), &fora);
    fora.layout()->addWidget(abreDentro);
    QDialog dentro(&fora);
    dentro.setObjectName(QStringLiteral("fDentro"));
    int resultadoDentro = -1;
    QObject::connect(abreDentro, &QPushButton::clicked,
                     [&] { resultadoDentro = Modal::exec(&dentro); });

    bool dentroAtiva = false;
    bool foraAtivaDepois = false;
    bool foraRecebeFoco = false;
    driver.aoAbrir([&](QDialog* janela) {
        QTest::mouseClick(abreDentro, Qt::LeftButton);
        foraAtivaDepois = QApplication::activeWindow() == janela;
        foraRecebeFoco = fora.recebeFoco();
        janela->accept();
    });
    driver.aoAbrir([&](QDialog* janela) {
        dentroAtiva = janela == &dentro && QApplication::activeWindow() == janela &&
                      QApplication::activeModalWidget() == janela;
        janela->done(3);
    });

    QCOMPARE(Modal::exec(&fora), int(QDialog::Accepted));
    QCOMPARE(resultadoDentro, 3);
    QVERIFY(dentroAtiva);
    QVERIFY(foraAtivaDepois);
    QVERIFY(foraRecebeFoco);
    QCOMPARE(driver.abertas(), (QStringList{QStringLiteral("fFora"), QStringLiteral("fDentro")}));
    QCOMPARE(QApplication::activeWindow(), &base);
    QVERIFY(base.recebeFoco());
}

void TestSeams::driverRespondeEscolhas()
{
    DriverModal driver;
    driver.respondeEscolha(QStringLiteral("/tmp/estoque.pdf"));
    driver.respondeEscolha(QString());

    QCOMPARE(Modal::escolheArquivo(nullptr, QStringLiteral("Salvar relatório"),
                                   QStringLiteral("/tmp"), QStringLiteral("PDF (*.pdf)"), true),
             QStringLiteral("/tmp/estoque.pdf"));
    QCOMPARE(Modal::escolhePasta(nullptr, QStringLiteral("Pasta da cópia"), QStringLiteral("/")),
             QString());

    QCOMPARE(driver.escolhas().size(), 2);
    const Modal::PedidoEscolha& salvar = driver.escolhas().at(0);
    QCOMPARE(salvar.tipo, Modal::TipoEscolha::SalvarArquivo);
    QCOMPARE(salvar.titulo, QStringLiteral("Salvar relatório"));
    QCOMPARE(salvar.inicial, QStringLiteral("/tmp"));
    QCOMPARE(salvar.filtro, QStringLiteral("PDF (*.pdf)"));
    QCOMPARE(driver.escolhas().at(1).tipo, Modal::TipoEscolha::Pasta);
    QVERIFY(driver.falhas().isEmpty());
}

void TestSeams::caixaPadrao_data()
{
    QTest::addColumn<TipoMensagem>("tipo");
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<QMessageBox::Icon>("icone");
    QTest::addColumn<QStringList>("botoes");
    QTest::addColumn<QString>("clica");
    QTest::addColumn<bool>("esperado");

    const QStringList ok{QStringLiteral("OK")};
    const QStringList simNao{QStringLiteral("Sim"), QStringLiteral("Não")};
    QTest::newRow("aviso") << TipoMensagem::Aviso << "Aviso" << QMessageBox::Warning << ok << "OK"
                           << false;
    QTest::newRow("erro") << TipoMensagem::Erro << "Erro" << QMessageBox::Critical << ok << "OK"
                          << false;
    QTest::newRow("informacao") << TipoMensagem::Informacao << "Informação"
                                << QMessageBox::Information << ok << "OK" << false;
    QTest::newRow("simples") << TipoMensagem::Simples << nomeDoPrograma << QMessageBox::NoIcon << ok
                             << "OK" << false;
    QTest::newRow("confirma sim") << TipoMensagem::Confirmacao << "Confirmação"
                                  << QMessageBox::Question << simNao << "Sim" << true;
    QTest::newRow("confirma nao") << TipoMensagem::Confirmacao << "Confirmação"
                                  << QMessageBox::Question << simNao << "Não" << false;
    // Escape (or closing the box) must never count as a yes.
    QTest::newRow("confirma escape") << TipoMensagem::Confirmacao << "Confirmação"
                                     << QMessageBox::Question << simNao << "<Esc>" << false;
}

void TestSeams::caixaPadrao()
{
    QFETCH(TipoMensagem, tipo);
    QFETCH(QString, titulo);
    QFETCH(QMessageBox::Icon, icone);
    QFETCH(QStringList, botoes);
    QFETCH(QString, clica);
    QFETCH(bool, esperado);

    Janela base(QStringLiteral("base"));
    QVERIFY(base.mostra());
    const QString texto = QStringLiteral("Linha um\n  linha  dois <b>não</b> & mais");

    QMessageBox* vista = nullptr;
    QString tituloVisto;
    QString textoVisto;
    Qt::TextFormat formatoVisto = Qt::AutoText;
    QMessageBox::Icon iconeVisto = QMessageBox::NoIcon;
    QStringList botoesVistos;
    QuandoAparecer<QMessageBox> responde([&](QMessageBox* caixa) {
        vista = caixa;
        tituloVisto = caixa->windowTitle();
        textoVisto = caixa->text();
        formatoVisto = caixa->textFormat();
        iconeVisto = caixa->icon();
        const QList<QAbstractButton*> lista = caixa->buttons();
        for (QAbstractButton* botao : lista)
            botoesVistos.append(botao->text());
        if (clica == "<Esc>") {
            QTest::keyClick(caixa, Qt::Key_Escape);
            return;
        }
        for (QAbstractButton* botao : lista) {
            if (botao->text() == clica) {
                botao->click();
                return;
            }
        }
    });

    const bool resposta = mostraMensagem(tipo, texto);

    QVERIFY(!responde.vigiaAgiu());
    QVERIFY(vista);
    QCOMPARE(tituloVisto, titulo);
    QCOMPARE(textoVisto, texto);
    QCOMPARE(formatoVisto, Qt::PlainText);
    QCOMPARE(iconeVisto, icone);
    std::sort(botoesVistos.begin(), botoesVistos.end());
    std::sort(botoes.begin(), botoes.end());
    QCOMPARE(botoesVistos, botoes);
    QCOMPARE(resposta, esperado);
    QVERIFY(QTest::qWaitForWindowActive(&base, 1000));
    QVERIFY(base.recebeFoco());
}

void TestSeams::execPadraoReativaJanelaDeBaixo()
{
    Janela base(QStringLiteral("base"));
    QVERIFY(base.mostra());
    QDialog janela(&base);
    janela.setObjectName(QStringLiteral("fTeste"));

    bool estavaAtiva = false;
    QuandoAparecer<QDialog> aceita([&](QDialog* aberta) {
        estavaAtiva = QTest::qWaitFor([&] { return QApplication::activeWindow() == aberta; }, 1000);
        aberta->done(5);
    });

    QCOMPARE(Modal::exec(&janela), 5);
    QVERIFY(!aceita.vigiaAgiu());
    QVERIFY(estavaAtiva);
    QVERIFY(QTest::qWaitForWindowActive(&base, 1000));
    QVERIFY(base.recebeFoco());
}

QTEST_MAIN(TestSeams)
#include "tst_seams.moc"
