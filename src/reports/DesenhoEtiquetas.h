#pragma once

#include <QRectF>
#include <QString>
#include <QVector>

#include <optional>

class QFontMetricsF;
class QPagedPaintDevice;
class QPainter;
struct Produto;

// Shelf labels: each with the product's description, its code and a Code 128 bar code that a
// hand scanner reads back into any window of the stock room. The bars come from libzint as
// rectangles and are painted as such, so a printer or a PDF gets sharp edges at any
// resolution.
namespace DesenhoEtiquetas {

// A kind of label stock: the paper, and where its labels lie on it (mm).
struct Papel {
    QString nome;
    double larguraMm = 210;
    double alturaMm = 297;
    int colunas = 1;
    int linhas = 1;
    double etiquetaLarguraMm = 0;
    double etiquetaAlturaMm = 0;
    double margemEsquerdaMm = 0;
    double margemSuperiorMm = 0;
    double espacoHorizontalMm = 0; // between two labels of a row
    double espacoVerticalMm = 0;   // between two rows

    int porPagina() const { return colunas * linhas; }
    // The label at `posicao` (from 0, along the rows) of a page.
    QRectF caixa(int posicao) const;
};

// An A4 sheet of 3 x 10 labels of 66,7 x 25,4 mm.
Papel folhaA4();
// A roll of 50 x 25 mm labels, each printed as a page of its own.
Papel rolo();

struct Etiqueta {
    QString descricao;
    QString codigo; // as people say it, without the padding
    QString barras; // what the bar code holds
};

// The label of a product: its bar code in bars, or its code when it has none (a scanner then
// reads the code, which the code field takes as typed).
Etiqueta deProduto(const Produto& p);

// Code 128 of `dados`: the dark bars as (start, width) in modules, and the symbol's width in
// modules. None when the text cannot be encoded (empty, or not Latin-1).
struct Simbolo {
    int modulos = 0;
    QVector<QPair<double, double>> barras;
};
std::optional<Simbolo> code128(const QString& dados);

// The longest start of `texto` that fits in `largura`, cut between words; a first word wider
// than the whole line is cut where it stops fitting.
QString cortaNaPalavra(const QString& texto, const QFontMetricsF& medida, double largura);

// How many pages `quantas` labels take when the first page starts at label `inicio` (from 0).
int paginas(const Papel& papel, int quantas, int inicio);

// Paints page `pagina` (from 0) on a painter whose device has `pxPorMm` pixels a millimetre.
void pintaPagina(QPainter& p, double pxPorMm, const Papel& papel,
                 const QVector<Etiqueta>& etiquetas, int inicio, int pagina);
// Every page on a printer or PDF writer set to the paper, without margins of its own. False
// when the device could not start or take a new page.
bool pintaTudo(QPagedPaintDevice& dispositivo, const Papel& papel,
               const QVector<Etiqueta>& etiquetas, int inicio);
// Sets a printer or PDF writer to the paper: its size, no margins.
void preparaDispositivo(QPagedPaintDevice& dispositivo, const Papel& papel);
// Writes every page to a PDF file; false when the file cannot be written.
bool gravaPdf(const QString& arquivo, const Papel& papel, const QVector<Etiqueta>& etiquetas,
              int inicio);

} // namespace DesenhoEtiquetas
