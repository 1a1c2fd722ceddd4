// The context the windows work with: the one registry of windows and the room it lives in.

#include "registers/Manut_Grupos.h"
#include "support/AplicacaoTeste.h"

#include <QDialog>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

#include <stdexcept>

namespace {

// A window the program does not list among its windows.
class JanelaForaDaLista : public QDialog {
    Q_OBJECT

public:
    explicit JanelaForaDaLista(Contexto&) {}
};

} // namespace

class TstContexto : public QObject {
    Q_OBJECT

private slots:
    void registryMakesEachListedWindowOnceAndRefusesOthers();
    void nothingUnderTheMainWindowIncludesIt();
    void otherRoomsReachTheRegistersThroughTheKit();
};

// A window asked for twice is the same window, with what it kept; one the program does not
// list is refused instead of being made behind the checks that walk over the list.
void TstContexto::registryMakesEachListedWindowOnceAndRefusesOthers()
{
    AplicacaoTeste t;
    Contexto& contexto = t.app;
    TfManut_Grupos& grupos = contexto.janela<TfManut_Grupos>();
    QCOMPARE(&contexto.janela<TfManut_Grupos>(), &grupos);
    QVERIFY_THROWS_EXCEPTION(std::logic_error, contexto.janela<JanelaForaDaLista>());
    QVERIFY_THROWS_EXCEPTION(std::logic_error, contexto.janela<JanelaForaDaLista>());
    QCOMPARE(&contexto.janela<TfManut_Grupos>(), &grupos);
}

namespace {

// The lines of src/ that include a header of the room `incluida`, from files outside the
// rooms in `permitidas` ("file:line"); `lidos` counts the files read.
QStringList inclusoesDe(const QString& incluida, const QStringList& permitidas, int& lidos)
{
    const QString src = qEnvironmentVariable("ZV_SOURCE_DIR") + QStringLiteral("/src");
    const QRegularExpression inclusao(QStringLiteral(R"(^\s*#\s*include\s*["<]%1/)").arg(incluida));
    QStringList achados;
    lidos = 0;
    QDirIterator it(src, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString caminho = it.next();
        const QString relativo = QDir(src).relativeFilePath(caminho);
        if (permitidas.contains(relativo.section(QLatin1Char('/'), 0, 0)))
            continue;
        QFile f(caminho);
        if (!f.open(QIODevice::ReadOnly)) {
            achados << relativo + QStringLiteral(": unreadable");
            continue;
        }
        ++lidos;
        int numero = 0;
        while (!f.atEnd()) {
            ++numero;
            if (inclusao.match(QString::fromUtf8(f.readLine())).hasMatch())
                achados << relativo + QLatin1Char(':') + QString::number(numero);
        }
    }
    return achados;
}

} // namespace

// The windows and their kit work with the context under them; only the program's start-up and
// main window (src/app/) know the windows, never the other way round.
void TstContexto::nothingUnderTheMainWindowIncludesIt()
{
    QVERIFY2(!qEnvironmentVariableIsEmpty("ZV_SOURCE_DIR"), "ZV_SOURCE_DIR names the source tree");
    int lidos = 0;
    const QStringList achados = inclusoesDe(QStringLiteral("app"), {QStringLiteral("app")}, lidos);
    QVERIFY2(lidos > 50, qPrintable(qEnvironmentVariable("ZV_SOURCE_DIR")));
    QVERIFY2(achados.isEmpty(), qPrintable(achados.join(QLatin1Char(' '))));
}

// The windows of the other rooms (movements, reports, utilities, access) and the kit they share
// reach a register only through the kit: the register fields, their search windows and a
// product's record are asked for by what they are, never by the register's own window.
void TstContexto::otherRoomsReachTheRegistersThroughTheKit()
{
    QVERIFY2(!qEnvironmentVariableIsEmpty("ZV_SOURCE_DIR"), "ZV_SOURCE_DIR names the source tree");
    int lidos = 0;
    const QStringList achados = inclusoesDe(
        QStringLiteral("registers"), {QStringLiteral("app"), QStringLiteral("registers")}, lidos);
    QVERIFY2(lidos > 50, qPrintable(qEnvironmentVariable("ZV_SOURCE_DIR")));
    QVERIFY2(achados.isEmpty(), qPrintable(achados.join(QLatin1Char(' '))));
}

QTEST_MAIN(TstContexto)
#include "tst_contexto.moc"
