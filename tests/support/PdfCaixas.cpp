#include "support/PdfCaixas.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTextDocumentFragment>
#include <QtTest>

namespace Pdf {

QList<Palavra> palavras(const QString& arquivo)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), arquivo, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        QTest::qFail(qPrintable(QStringLiteral("pdftotext -bbox failed on ") + arquivo), __FILE__,
                     __LINE__);
        return {};
    }
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression marca(
        QStringLiteral("<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    constexpr double mmPorPonto = 25.4 / 72;
    QList<Palavra> saida;
    int pagina = 0;
    for (auto it = marca.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(0).startsWith(QLatin1String("<page"))) {
            ++pagina;
            continue;
        }
        const double x0 = m.captured(1).toDouble() * mmPorPonto;
        const double y0 = m.captured(2).toDouble() * mmPorPonto;
        const double x1 = m.captured(3).toDouble() * mmPorPonto;
        const double y1 = m.captured(4).toDouble() * mmPorPonto;
        saida << Palavra{pagina, QTextDocumentFragment::fromHtml(m.captured(5)).toPlainText(),
                         QRectF(QPointF(x0, y0), QPointF(x1, y1))};
    }
    return saida;
}

} // namespace Pdf
