#include "support/ImpressoraTeste.h"

#include "reports/engine/Impressora.h"

#include <QProcess>
#include <QtTest>

ImpressoraTeste::ImpressoraTeste()
{
    Impressora::instala(
        [this](const Motor::Documento& d) {
            impressos << d;
            return true;
        },
        [this](QWidget*) {
            ++configuracoes;
            return true;
        });
}

ImpressoraTeste::~ImpressoraTeste()
{
    Impressora::restauraPadrao();
}

namespace Pdf {

QString texto(const QString& arquivo, int pagina)
{
    QStringList args{QStringLiteral("-layout")};
    if (pagina > 0)
        args << QStringLiteral("-f") << QString::number(pagina) << QStringLiteral("-l")
             << QString::number(pagina);
    args << arquivo << QStringLiteral("-");
    QProcess p;
    p.start(QStringLiteral("pdftotext"), args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        QTest::qFail(qPrintable(QStringLiteral("pdftotext failed on ") + arquivo), __FILE__,
                     __LINE__);
        return QString();
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

int paginas(const QString& arquivo)
{
    const QString t = texto(arquivo);
    // pdftotext ends every page with a form feed.
    return int(t.count(QLatin1Char('\f')));
}

} // namespace Pdf
