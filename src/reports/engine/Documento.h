#pragma once

#include <QFont>
#include <QLineF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>

class QIODevice;
class QPainter;
class QPagedPaintDevice;

// A prepared report: its pages, each a list of texts placed in millimetres on the paper and of
// rules. Preview, printer and PDF all paint this same model, so what is seen is what is
// printed; it is also what "Salvar Relatório" keeps and "Carregar Relatório" brings back.
namespace Motor {

// The two faces a report uses: data cells in Liberation Mono (the metric twin of Courier New),
// captions, headings and totals in Liberation Sans (the twin of Arial).
struct Fonte {
    bool mono = false;
    double pontos = 10;
    bool negrito = false;
    // The width of the glyphs in percent of their own: a number too long for its column at
    // the normal pitch is printed condensed to fit, never cut and never over its neighbour.
    int larguraPorCento = 100;

    friend bool operator==(const Fonte&, const Fonte&) = default;
};

enum class Alinhamento : quint8 { Esquerda, Direita, Centro };

struct Texto {
    QRectF caixa; // mm from the paper's top-left corner
    QString texto;
    quint8 fonte = 0; // index into Documento::fontes
    Alinhamento alinhamento = Alinhamento::Esquerda;

    friend bool operator==(const Texto&, const Texto&) = default;
};

struct Pagina {
    QVector<Texto> textos;
    QVector<QLineF> regras; // mm

    // The texts of the page as a reader sees them: one entry per printed line, top to bottom,
    // each the line's texts from left to right, without their surrounding blanks, joined by
    // a blank.
    QStringList linhas() const;
    // Every text of the page, in the order it was laid out.
    QStringList todos() const;

    friend bool operator==(const Pagina&, const Pagina&) = default;
};

struct Documento {
    QString titulo;
    double larguraMm = 210; // A4 portrait
    double alturaMm = 297;
    QVector<Fonte> fontes;
    QVector<Pagina> paginas;

    int numeroDePaginas() const { return int(paginas.size()); }
    // The index of a font in the table, added when new.
    quint8 fonte(const Fonte& f);

    // Paints one page on a painter whose device has `pxPorMm` pixels a millimetre. Fonts are
    // given in points and scaled to that size whatever the device's own resolution.
    void pinta(QPainter& p, int pagina, double pxPorMm) const;
    // Every page on a printer or PDF writer already set up (A4, no margins of its own).
    // Returns false when the device could not start or take a new page.
    bool pintaTudo(QPagedPaintDevice& dispositivo) const;
    // Writes the pages to a PDF file; false when the file cannot be written.
    bool gravaPdf(const QString& arquivo) const;

    // The engine's own file: the page model itself, read back exactly.
    bool grava(QIODevice& saida) const;
    bool grava(const QString& arquivo) const;
    // Returns false, leaving *this untouched, for a file that is not a saved report.
    bool carrega(QIODevice& entrada);
    bool carrega(const QString& arquivo);

    friend bool operator==(const Documento& a, const Documento& b);
};

// Pages painted one after the other on a printer or PDF writer already set up (A4, no margins
// of its own) as they come, so none has to wait in memory for the others. `molde` gives the
// fonts; a page may use fonts added to it after the first pages were painted.
class Folhas {
public:
    explicit Folhas(QPagedPaintDevice& dispositivo);
    ~Folhas();
    Folhas(const Folhas&) = delete;
    Folhas& operator=(const Folhas&) = delete;

    // False when the device could not start or take a new page; then nothing more is painted.
    bool pinta(const Documento& molde, const Pagina& pagina);
    // Ends the painting; true when every page went out.
    bool termina();
    int pintadas() const { return m_pintadas; }

private:
    struct Pintura;
    QPagedPaintDevice& m_dispositivo;
    std::unique_ptr<Pintura> m_pintura;
    int m_pintadas = 0;
    bool m_falhou = false;
};

class EscritorPdf;

// A PDF file written a page at a time; it appears only once complete.
class ArquivoPdf {
public:
    ArquivoPdf();
    ~ArquivoPdf();
    ArquivoPdf(const ArquivoPdf&) = delete;
    ArquivoPdf& operator=(const ArquivoPdf&) = delete;

    // False when the file cannot be written.
    bool abre(const QString& arquivo, const Documento& molde);
    bool pinta(const Documento& molde, const Pagina& pagina);
    bool termina();

private:
    std::unique_ptr<EscritorPdf> m_pdf;
};

// The pages of a long report kept on disk as they come, in a temporary file of their own, and
// read back one at a time: a preview of thousands of pages holds only the page it shows.
class PaginasGuardadas {
public:
    PaginasGuardadas();
    ~PaginasGuardadas();
    PaginasGuardadas(const PaginasGuardadas&) = delete;
    PaginasGuardadas& operator=(const PaginasGuardadas&) = delete;

    void limpa();
    // False when the page could not be written (a full disk); then it is not counted.
    bool guarda(const Pagina& pagina);
    int quantas() const { return int(m_inicios.size()); }
    // Page `n` (from 0) as it was kept; an empty page when it cannot be read back.
    Pagina pagina(int n) const;

private:
    struct Arquivo;
    std::unique_ptr<Arquivo> m_arquivo;
    QVector<qint64> m_inicios; // where each page starts in the file
};

// The QFont of a report font, for painting and measuring.
QFont qfont(const Fonte& f);
// The pitch of a fixed-pitch report font in millimetres, from the font's own design, so that
// the layout and every device it is painted on place the characters on the same grid.
double passoMono(const Fonte& f);

// Joins `texto`, placed at `x`, to a line's run of fixed-pitch text that starts at `inicio` with
// glyphs `passo` apart, when it falls on the run's grid past its end: the gap becomes blanks, and
// the line goes out as one text, as it is laid out on the printer. False when it does not fit.
bool juntaAoRun(QString& run, double inicio, double passo, double x, const QString& texto);

} // namespace Motor
