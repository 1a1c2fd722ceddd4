// The Debian package made from this very build, unpacked into a throwaway root the way dpkg
// installs it, and its programs run from there.

#include "support/ImpressoraTeste.h"
#include "support/Processo.h"
#include "support/Tela.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

using namespace Tela;
using Processo::descreve;
using Processo::Execucao;
using Processo::roda;

namespace {

QString le(const QString& arquivo)
{
    QFile f(arquivo);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// The lines "Chave=valor" of a desktop entry or a systemd unit.
QString valor(const QString& texto, const QString& chave)
{
    const QRegularExpression linha(
        QStringLiteral("^%1=(.*)$").arg(QRegularExpression::escape(chave)),
        QRegularExpression::MultilineOption);
    return linha.match(texto).captured(1);
}

} // namespace

class TstPacote : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void everyFileIsWhereTheSystemLooks_data();
    void everyFileIsWhereTheSystemLooks();
    void dependenciesComeFromTheLinkedLibraries();
    void lintianFindsNoError();
    void installedToolMakesADatabaseAndAReport();
    void installedToolServesAnOrdinaryUser();
    void desktopEntryStartsTheInstalledProgram();
    void manualPageCoversEveryCommand();
    void nightlyBackupUnitRunsTheInstalledTool();

private:
    QTemporaryDir m_trabalho;
    QString m_pacote;
    QString m_raiz;
};

void TstPacote::initTestCase()
{
    // The package is made afresh by CMake's own packaging from the build this test belongs to.
    const QString saida = m_trabalho.filePath("pacote");
    const Execucao cpack = roda(
        QStringLiteral(ZV_CPACK),
        {"-G", "DEB", "--config", QStringLiteral(ZV_PASTA_BUILD "/CPackConfig.cmake"), "-B", saida},
        {"PATH=/usr/bin:/bin"});
    QVERIFY2(cpack.status == 0, descreve(cpack));
    const QStringList pacotes = QDir(saida).entryList({"zorvane-almoxarifado_*.deb"}, QDir::Files);
    QCOMPARE(pacotes.size(), 1);
    m_pacote = QDir(saida).filePath(pacotes.first());
    m_raiz = m_trabalho.filePath("raiz");
    const Execucao x = roda(QStringLiteral("/usr/bin/dpkg"), {"-x", m_pacote, m_raiz});
    QVERIFY2(x.status == 0, descreve(x));
}

void TstPacote::everyFileIsWhereTheSystemLooks_data()
{
    QTest::addColumn<QString>("arquivo");
    QTest::addColumn<bool>("executavel");
    caso("program", QString("usr/bin/zv"), true);
    caso("tool", QString("usr/bin/zvdb"), true);
    caso("menu entry", QString("usr/share/applications/zorvane-almoxarifado.desktop"), false);
    caso("scalable icon", QString("usr/share/icons/hicolor/scalable/apps/zorvane-almoxarifado.svg"),
         false);
    caso("menu-sized icon", QString("usr/share/icons/hicolor/48x48/apps/zorvane-almoxarifado.png"),
         false);
    caso("tool's manual", QString("usr/share/man/man1/zvdb.1.gz"), false);
    caso("program's manual", QString("usr/share/man/man1/zv.1.gz"), false);
    caso("schema", QString("usr/share/zorvane-almoxarifado/schema.sql"), false);
    caso("backup service", QString("lib/systemd/system/zorvane-almoxarifado-backup.service"),
         false);
    caso("backup timer", QString("lib/systemd/system/zorvane-almoxarifado-backup.timer"), false);
    caso("backup settings", QString("etc/default/zorvane-almoxarifado"), false);
    caso("copyright", QString("usr/share/doc/zorvane-almoxarifado/copyright"), false);
    caso("changelog", QString("usr/share/doc/zorvane-almoxarifado/changelog.gz"), false);
}

void TstPacote::everyFileIsWhereTheSystemLooks()
{
    QFETCH(QString, arquivo);
    QFETCH(bool, executavel);
    const QFileInfo f(QDir(m_raiz).filePath(arquivo));
    QVERIFY2(f.isFile() && f.size() > 0, qPrintable(arquivo));
    QCOMPARE(f.isExecutable(), executavel);
}

void TstPacote::dependenciesComeFromTheLinkedLibraries()
{
    const Execucao campos = roda(QStringLiteral("/usr/bin/dpkg-deb"),
                                 {"-f", m_pacote, "Package", "Depends", "Recommends"});
    QVERIFY2(campos.status == 0, descreve(campos));
    QString texto = campos.saida;
    QVERIFY2(texto.contains("Package: zorvane-almoxarifado"), qPrintable(texto));
    const QString depende = valor(texto.replace(": ", "="), "Depends");
    const QString recomenda = valor(texto, "Recommends");
    for (const char* biblioteca : {"libqt6widgets6", "libqt6printsupport6", "libfbclient2", "libc6",
                                   "firebird3.0-server-core", "fonts-liberation"})
        QVERIFY2(depende.contains(QLatin1String(biblioteca)), qPrintable(depende));
    // The server is for several workstations; one machine runs on the embedded engine.
    QVERIFY2(!depende.contains(QRegularExpression("firebird3\\.0-server(,|$| )")),
             qPrintable(depende));
    QVERIFY2(recomenda.contains("firebird3.0-server"), qPrintable(recomenda));
    const Execucao conffiles =
        roda(QStringLiteral("/usr/bin/dpkg-deb"), {"--info", m_pacote, "conffiles"});
    QVERIFY2(conffiles.saida.contains("/etc/default/zorvane-almoxarifado"), descreve(conffiles));
}

void TstPacote::lintianFindsNoError()
{
    const Execucao lintian = roda(QStringLiteral("/usr/bin/lintian"),
                                  {"--fail-on", "error", m_pacote}, {"PATH=/usr/bin:/bin"});
    QVERIFY2(lintian.status == 0 && !lintian.saida.contains(QRegularExpression(
                                        "^E: ", QRegularExpression::MultilineOption)),
             descreve(lintian));
}

void TstPacote::installedToolMakesADatabaseAndAReport()
{
    const QString zvdb = QDir(m_raiz).filePath("usr/bin/zvdb");
    QTemporaryDir almox;
    const Execucao criar = roda(zvdb, {"criar", almox.path()});
    QVERIFY2(criar.status == 0 && criar.saida.isEmpty() && criar.erros.isEmpty(), descreve(criar));
    QVERIFY(QFileInfo(almox.filePath("zv.fdb")).size() > 0);
    const QString pdf = almox.filePath("minimo.pdf");
    const Execucao relatorio = roda(zvdb, {"relatorio", almox.path(), "Estoque Minimo", pdf});
    QVERIFY2(relatorio.status == 0 && relatorio.saida.isEmpty() && relatorio.erros.isEmpty(),
             descreve(relatorio));
    QVERIFY(Pdf::texto(pdf).contains("Itens Abaixo do Estoque Mínimo"));
}

// The clerk who runs the program is an ordinary user, outside the group of the database server
// that the package recommends; that server, once running, keeps the engine's shared folder in
// /tmp to itself. The tool still makes a database in the clerk's folder and reports from it.
void TstPacote::installedToolServesAnOrdinaryUser()
{
    if (::getuid() != 0)
        QSKIP("acting as another user needs root");
    const uid_t ninguem = 65534;
    // The unpacked tool must be reachable by that user; the throwaway root is private.
    QVERIFY(QFile::setPermissions(m_trabalho.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                         QFile::ExeOwner | QFile::ReadOther |
                                                         QFile::ExeOther));
    QTemporaryDir almox;
    QVERIFY(::chown(QFile::encodeName(almox.path()).constData(), ninguem, ninguem) == 0);
    const QString zvdb = QDir(m_raiz).filePath("usr/bin/zvdb");
    const QStringList comoNinguem = {"--reuid=65534", "--regid=65534", "--clear-groups", zvdb};
    const QStringList ambiente = {"PATH=/usr/bin:/bin", "HOME=/nonexistent"};
    const Execucao criar =
        roda(QStringLiteral("/usr/bin/setpriv"), comoNinguem + QStringList{"criar", almox.path()},
             ambiente, almox.path());
    QVERIFY2(criar.status == 0 && criar.saida.isEmpty() && criar.erros.isEmpty(), descreve(criar));
    const QString pdf = almox.filePath("minimo.pdf");
    const Execucao relatorio = roda(
        QStringLiteral("/usr/bin/setpriv"),
        comoNinguem + QStringList{"relatorio", almox.path(), "Estoque Minimo", pdf}, ambiente,
        almox.path());
    QVERIFY2(relatorio.status == 0 && relatorio.erros.isEmpty(), descreve(relatorio));
    QVERIFY(Pdf::texto(pdf).contains("Itens Abaixo do Estoque Mínimo"));
}

void TstPacote::desktopEntryStartsTheInstalledProgram()
{
    const QString entrada =
        le(QDir(m_raiz).filePath("usr/share/applications/zorvane-almoxarifado.desktop"));
    QCOMPARE(valor(entrada, "Type"), QStringLiteral("Application"));
    QCOMPARE(valor(entrada, "Name"), QStringLiteral("Zorvane Almoxarifado"));
    QVERIFY(valor(entrada, "Comment").contains("almoxarifado"));
    QVERIFY(valor(entrada, "Categories").split(';').contains("Office"));
    const QString programa = valor(entrada, "Exec").section(' ', 0, 0);
    QVERIFY2(QFileInfo(QDir(m_raiz).filePath("usr/bin/" + programa)).isExecutable(),
             qPrintable(programa));
    const QString icone = valor(entrada, "Icon");
    QDirIterator icones(QDir(m_raiz).filePath("usr/share/icons/hicolor"), {icone + ".*"},
                        QDir::Files, QDirIterator::Subdirectories);
    QVERIFY2(icones.hasNext(), qPrintable(icone));
}

void TstPacote::manualPageCoversEveryCommand()
{
    const Execucao manual = roda(QStringLiteral("/bin/gzip"),
                                 {"-dc", QDir(m_raiz).filePath("usr/share/man/man1/zvdb.1.gz")});
    QVERIFY2(manual.status == 0, descreve(manual));
    const Execucao ajuda = roda(QDir(m_raiz).filePath("usr/bin/zvdb"), {"--help"});
    QVERIFY2(ajuda.status == 0, descreve(ajuda));
    const QRegularExpression linhaDeComando(QStringLiteral("^  zvdb (\\w+)"),
                                            QRegularExpression::MultilineOption);
    int comandos = 0;
    for (const QRegularExpressionMatch& m : linhaDeComando.globalMatch(ajuda.saida)) {
        ++comandos;
        QVERIFY2(manual.saida.contains(QStringLiteral(".BI \"%1 ").arg(m.captured(1))),
                 qPrintable(m.captured(1)));
    }
    QVERIFY(comandos > 0);
}

void TstPacote::nightlyBackupUnitRunsTheInstalledTool()
{
    const QString unidade =
        le(QDir(m_raiz).filePath("lib/systemd/system/zorvane-almoxarifado-backup.service"));
    const QString temporizador =
        le(QDir(m_raiz).filePath("lib/systemd/system/zorvane-almoxarifado-backup.timer"));
    QCOMPARE(valor(temporizador, "WantedBy"), QStringLiteral("timers.target"));
    QCOMPARE(valor(unidade, "EnvironmentFile"),
             QStringLiteral("/etc/default/zorvane-almoxarifado"));
    const QString ajustes = le(QDir(m_raiz).filePath("etc/default/zorvane-almoxarifado"));
    QVERIFY(!valor(ajustes, "ZV_PASTA").isEmpty() && !valor(ajustes, "ZV_BACKUPS").isEmpty());

    // The service's own command lines, as systemd would run them: its %% is one %, the
    // installed tool stands where /usr/bin is, and the settings point at a folder of the test.
    QTemporaryDir almox;
    const QString zvdb = QDir(m_raiz).filePath("usr/bin/zvdb");
    QVERIFY(roda(zvdb, {"criar", almox.path()}).status == 0);
    const QStringList ambiente{"PATH=/usr/bin:/bin", "ZV_PASTA=" + almox.path(),
                               "ZV_BACKUPS=" + almox.filePath("backups")};
    const QString pre =
        valor(unidade, "ExecStartPre").replace("${ZV_BACKUPS}", almox.filePath("backups"));
    const Execucao cria = roda(QStringLiteral("/bin/sh"), {"-c", pre}, ambiente);
    QVERIFY2(cria.status == 0, descreve(cria));
    QString comando = valor(unidade, "ExecStart");
    QVERIFY2(comando.startsWith("/bin/sh -c '") && comando.endsWith('\''), qPrintable(comando));
    comando =
        comando.mid(12, comando.size() - 13).replace("%%", "%").replace("/usr/bin/zvdb", zvdb);
    const Execucao backup = roda(QStringLiteral("/bin/sh"), {"-c", comando}, ambiente);
    QVERIFY2(backup.status == 0 && backup.saida.isEmpty() && backup.erros.isEmpty(),
             descreve(backup));
    const QString dia = QString::number(QDate::currentDate().dayOfWeek());
    QVERIFY2(QFileInfo(almox.filePath("backups/zv-" + dia + ".gbk")).size() > 0,
             qPrintable(QDir(almox.filePath("backups")).entryList().join(' ')));
}

QTEST_MAIN(TstPacote)
#include "tst_pacote.moc"
