#pragma once

// The printer as the tests see it: every report sent to paper is kept instead of printed, and
// a PDF is read back as text with pdftotext.

#include "reports/engine/Documento.h"

#include <QList>
#include <QString>

class ImpressoraTeste {
public:
    // Installed for its lifetime; the real printer comes back after.
    ImpressoraTeste();
    ~ImpressoraTeste();
    ImpressoraTeste(const ImpressoraTeste&) = delete;
    ImpressoraTeste& operator=(const ImpressoraTeste&) = delete;

    // The documents sent to the printer, in order.
    QList<Motor::Documento> impressos;
    // How many times the printer set-up was asked for.
    int configuracoes = 0;
};

namespace Pdf {
// The text of a PDF file as pdftotext -layout reads it; one page (from 1) or all of them.
QString texto(const QString& arquivo, int pagina = 0);
// The number of pages pdftotext sees (pages are separated by form feeds).
int paginas(const QString& arquivo);
} // namespace Pdf
