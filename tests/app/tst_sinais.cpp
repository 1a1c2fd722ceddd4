// The end the system asks for: SIGTERM (logout, shutdown, `kill`) and SIGINT (Ctrl+C) end the
// program as "Saída" does, closing the windows open at that moment without saving.

#include "app/Login.h"
#include "app/Principal.h"
#include "app/Sinais.h"
#include "support/AplicacaoTeste.h"
#include "support/GravadorMensagens.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <csignal>
#include <functional>

class TstSinais : public QObject {
    Q_OBJECT

private slots:
    void signalEndsTheRun_data();
    void signalEndsTheRun();
    void openModalWindowsAreRejected();
    void loginOpenAtTheSignalAsksNothing();
    void versionMessageOpenAtTheSignalWritesNothing();
    void folderDialogOpenAtTheSignalEndsTheStart();
    void theProgramEndsOnTheSignal_data();
    void theProgramEndsOnTheSignal();
};

namespace {

const QString versaoAntiga = QStringLiteral("0.0.0-00000000");

// Runs the main loop as the program does, until something quits it. A watchdog ends a loop
// nothing quit, so a failing test cannot hang; `vigiaAgiu` says whether it had to.
int rodaLaco(bool* vigiaAgiu)
{
    QTimer vigia;
    vigia.setSingleShot(true);
    *vigiaAgiu = false;
    QObject::connect(&vigia, &QTimer::timeout, [vigiaAgiu] {
        *vigiaAgiu = true;
        QCoreApplication::exit(99);
    });
    vigia.start(10000);
    return QCoreApplication::exec();
}

// Runs `acao` in the event loop once `pronto` holds, checking every few milliseconds.
class Quando : public QObject {
public:
    Quando(std::function<bool()> pronto, std::function<void()> acao)
        : m_pronto(std::move(pronto)), m_acao(std::move(acao))
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (!m_pronto())
                return;
            m_timer.stop();
            m_acao();
        });
        m_timer.start(10);
    }

private:
    std::function<bool()> m_pronto;
    std::function<void()> m_acao;
    QTimer m_timer;
};

bool modalAberta(const char* nome)
{
    QWidget* w = QApplication::activeModalWidget();
    return w && w->objectName() == QLatin1String(nome);
}

} // namespace

void TstSinais::signalEndsTheRun_data()
{
    QTest::addColumn<int>("sinal");
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGINT") << SIGINT;
}

void TstSinais::signalEndsTheRun()
{
    QFETCH(int, sinal);
    AplicacaoTeste t;
    // After the connection opened, as the program installs them.
    Sinais sinais(Sinais::encerra(t.app));
    QCOMPARE(sinais.recebido(), 0);
    QTimer::singleShot(0, [sinal] { std::raise(sinal); });
    bool vigia = false;
    QCOMPARE(rodaLaco(&vigia), 0);
    QVERIFY(!vigia);
    QCOMPARE(sinais.recebido(), sinal);
    QVERIFY(t.app.fimSolicitado());
}

void TstSinais::openModalWindowsAreRejected()
{
    AplicacaoTeste t;
    Sinais sinais(Sinais::encerra(t.app));
    QDialog fora;
    fora.setObjectName("fora");
    QDialog dentro(&fora);
    dentro.setObjectName("dentro");
    // Windows are kept between openings: the last result must not come back.
    fora.setResult(QDialog::Accepted);
    dentro.setResult(QDialog::Accepted);

    QStringList ordem;
    int resultadoFora = -1;
    int resultadoDentro = -1;
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(0, [&] {
            QTimer::singleShot(0, [] { std::raise(SIGTERM); });
            resultadoDentro = dentro.exec();
            ordem << "dentro";
        });
        resultadoFora = fora.exec();
        ordem << "fora";
    });
    bool vigia = false;
    QCOMPARE(rodaLaco(&vigia), 0);
    QVERIFY(!vigia);
    QCOMPARE(ordem, QStringList({"dentro", "fora"}));
    QCOMPARE(resultadoDentro, int(QDialog::Rejected));
    QCOMPARE(resultadoFora, int(QDialog::Rejected));
    QVERIFY(!dentro.isVisible());
    QVERIFY(!fora.isVisible());
    QVERIFY(t.app.fimSolicitado());
}

// The login's closing check would say the program is being closed and wait for an OK nobody
// will give: a program told to end asks nothing.
void TstSinais::loginOpenAtTheSignalAsksNothing()
{
    AplicacaoTeste t;
    t.banco.executa("Update Versao set Numero = '1.1.4-24112006'");
    t.banco.executa("Update Configuracoes set LOGIN = 'S'");
    GravadorMensagens msgs;
    Sinais sinais(Sinais::encerra(t.app));
    TfPrincipal& p = t.principal();
    QTimer::singleShot(0, &p, [&p] { p.passoDeExibicao(); });
    Quando aoAbrir([] { return modalAberta("TfLogin"); }, [] { std::raise(SIGTERM); });
    bool vigia = false;
    QCOMPARE(rodaLaco(&vigia), 0);
    QVERIFY(!vigia);
    QVERIFY(!t.app.janela<TfLogin>().isVisible());
    QCOMPARE(t.app.janela<TfLogin>().result(), int(QDialog::Rejected));
    QCOMPARE(msgs.textos(), QStringList());
    QCOMPARE(p.CodUsuario, QString());
    QVERIFY(t.app.fimSolicitado());
}

// The version message waits for an OK before the stored number is brought up to date; closed
// by the signal instead, it leaves the database as it was.
void TstSinais::versionMessageOpenAtTheSignalWritesNothing()
{
    AplicacaoTeste t;
    Sinais sinais(Sinais::encerra(t.app));
    TfPrincipal& p = t.principal();
    QTimer::singleShot(0, &p, [&p] { p.passoDeExibicao(); });
    QString textoDaCaixa;
    Quando aoAbrir([] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); },
                   [&] {
                       textoDaCaixa =
                           qobject_cast<QMessageBox*>(QApplication::activeModalWidget())->text();
                       std::raise(SIGTERM);
                   });
    bool vigia = false;
    QCOMPARE(rodaLaco(&vigia), 0);
    QVERIFY(!vigia);
    QCOMPARE(textoDaCaixa, QString("Clique em Ok para Atualizar a Versão...."));
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QCOMPARE(t.banco.valor("Select Numero From Versao").toString(), versaoAntiga);
    QCOMPARE(p.NumVersao, versaoAntiga);
    QVERIFY(t.app.fimSolicitado());
}

// Without Config.ini the start asks for the database folder. The signal closes that dialog and
// ends the start there: no failure box is left waiting for someone who has logged out.
void TstSinais::folderDialogOpenAtTheSignalEndsTheStart()
{
    QTemporaryDir trabalho;
    const QString anterior = QDir::currentPath();
    QVERIFY(QDir::setCurrent(trabalho.path()));
    GravadorMensagens msgs;
    Aplicacao app;
    Sinais sinais(Sinais::encerra(app));
    Quando aoAbrir([] { return modalAberta("TfConfig_BancoDados"); }, [] { std::raise(SIGTERM); });
    const bool iniciou = app.inicia();
    QDir::setCurrent(anterior);
    QVERIFY(!iniciou);
    QVERIFY(app.fimSolicitado());
    QVERIFY(sinais.recebido());
    QCOMPARE(msgs.textos(), QStringList());
    QVERIFY(!QFileInfo::exists(trabalho.filePath("Config.ini")));
}

namespace {

// The main thread's state letter and the CPU time of the whole process, from /proc.
bool estadoDoProcesso(qint64 pid, char* estado, qint64* cpu)
{
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray linha = f.readAll();
    const QList<QByteArray> campos = linha.mid(linha.lastIndexOf(')') + 2).split(' ');
    if (campos.size() < 13)
        return false;
    *estado = campos[0].at(0);
    *cpu = campos[11].toLongLong() + campos[12].toLongLong();
    return true;
}

bool abriuArquivo(qint64 pid, const QString& arquivo)
{
    const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
    const QStringList entradas = fds.entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& fd : entradas)
        if (QFileInfo(fds.filePath(fd)).symLinkTarget() == arquivo)
            return true;
    return false;
}

// Waits until the program has opened the database and then sits idle in its event loop, as it
// does once a window waits for the person at the keyboard: its main thread asleep and no CPU
// time spent for half a second.
bool esperaOcioso(QProcess& programa, const QString& banco)
{
    const qint64 pid = programa.processId();
    QElapsedTimer relogio;
    relogio.start();
    int quietas = 0;
    qint64 cpuAntes = -1;
    while (relogio.elapsed() < 60000 && programa.state() == QProcess::Running) {
        QTest::qWait(100);
        char estado = '?';
        qint64 cpu = 0;
        if (!abriuArquivo(pid, banco) || !estadoDoProcesso(pid, &estado, &cpu)) {
            quietas = 0;
            continue;
        }
        quietas = estado == 'S' && cpu == cpuAntes ? quietas + 1 : 0;
        cpuAntes = cpu;
        if (quietas >= 5)
            return true;
    }
    return false;
}

} // namespace

void TstSinais::theProgramEndsOnTheSignal_data()
{
    QTest::addColumn<int>("sinal");
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGINT") << SIGINT;
}

// The real program on a fresh database: it starts, shows the version message over the main
// window and waits. The signal ends it at once, cleanly, and the message's update is not made.
void TstSinais::theProgramEndsOnTheSignal()
{
#ifndef ZV_PROGRAMA
    QSKIP("the program is not part of this build");
#else
    QFETCH(int, sinal);
    BancoTeste banco;
    // The embedded engine lets one process at a time open a database.
    banco.conexao().fecha();
    const QString arquivo = QFileInfo(banco.arquivo()).canonicalFilePath();
    QTemporaryDir trabalho;
    QFile config(trabalho.filePath("Config.ini"));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write("[PASTA]\r\nPATH=" + banco.pasta().toLocal8Bit() + "\r\n");
    config.close();

    QProcess programa;
    programa.setWorkingDirectory(trabalho.path());
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert("QT_QPA_PLATFORM", "offscreen");
    programa.setProcessEnvironment(ambiente);
    programa.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    programa.start(QStringLiteral(ZV_PROGRAMA), {});
    QVERIFY2(programa.waitForStarted(), qPrintable(programa.errorString()));
    QVERIFY2(esperaOcioso(programa, arquivo), "the program did not settle with the database open");

    QElapsedTimer relogio;
    relogio.start();
    QCOMPARE(::kill(pid_t(programa.processId()), sinal), 0);
    const bool terminou = programa.waitForFinished(10000);
    if (!terminou)
        programa.kill();
    QVERIFY2(terminou, "the program kept running after the signal");
    QVERIFY(relogio.elapsed() < 5000);
    QCOMPARE(programa.exitStatus(), QProcess::NormalExit);
    QCOMPARE(programa.exitCode(), 0);

    // The database was let go and left as it was.
    banco.conexao().abre();
    QCOMPARE(banco.valor("Select Numero From Versao").toString(), versaoAntiga);
#endif
}

QTEST_MAIN(TstSinais)
#include "tst_sinais.moc"
