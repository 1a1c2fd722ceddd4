#pragma once

// The words of a written PDF with where pdftotext finds them on the paper, so a test can see
// that a text lies inside its column and clear of its neighbours.

#include <QList>
#include <QRectF>
#include <QString>

namespace Pdf {

struct Palavra {
    int pagina = 0; // from 1
    QString texto;
    QRectF caixa; // mm from the paper's top-left corner
};

// Every word of every page, in pdftotext's reading order.
QList<Palavra> palavras(const QString& arquivo);

} // namespace Pdf
