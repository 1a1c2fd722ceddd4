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

// The windows and their kit work with the context under them; only the program's start-up and
// main window (src/app/) know the windows, never the other way round.
void TstContexto::nothingUnderTheMainWindowIncludesIt()
{
    const QString raiz = qEnvironmentVariable("ZV_SOURCE_DIR");
    QVERIFY2(!raiz.isEmpty(), "ZV_SOURCE_DIR names the source tree");
    const QString src = raiz + QStringLiteral("/src");
    const QRegularExpression inclusao(QStringLiteral(R"(^\s*#\s*include\s*["<]app/)"));
    QStringList achados;
    int lidos = 0;
    QDirIterator it(src, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString caminho = it.next();
        const QString relativo = QDir(src).relativeFilePath(caminho);
        if (relativo.startsWith(QLatin1String("app/")))
            continue;
        QFile f(caminho);
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(caminho));
        ++lidos;
        int numero = 0;
        while (!f.atEnd()) {
            ++numero;
            if (inclusao.match(QString::fromUtf8(f.readLine())).hasMatch())
                achados << relativo + QLatin1Char(':') + QString::number(numero);
        }
    }
    QVERIFY2(lidos > 50, qPrintable(src));
    QVERIFY2(achados.isEmpty(), qPrintable(achados.join(QLatin1Char(' '))));
}

QTEST_MAIN(TstContexto)
#include "tst_contexto.moc"
