#pragma once

#include "reports/engine/Documento.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

// The report engine: a layout (bands, columns, summary) and the rows of a list go in, the
// prepared pages come out, built once per request.
//
// The page frame every report of the stock room shares: A4 portrait, 10 mm margins; on every
// page the company's name and telephone in bold, and a footer under a rule with "Página:" and
// the page number at the left and "Data/Hora:" at the right; the summary once, after the last
// row, under a rule; a report without rows still prints its headers, footer and summary.
namespace Motor {

struct Coluna {
    QString titulo;
    double largura = 20; // mm
    bool direita = false;
    // Whether the cell is cut, at a word boundary, to what fits on one line.
    bool corta = false;
    // A heading over this cell and the next (a code and its name), from this cell's left
    // whatever side the cell's own text keeps to.
    bool tituloSobreDuas = false;
};

// One line of the summary band: a caption and a value in the left half, another pair in the
// right half; an empty caption leaves its half blank.
struct LinhaResumo {
    QString rotulo;
    QString valor;
    QString rotuloDireita;
    QString valorDireita;
};

struct Layout {
    QString empresa;  // the company's name, bold at the left of every page
    QString telefone; // the company's telephone, bold at the right
    QDateTime quando; // printed in every footer; the moment the request was made
    QString titulo;   // bold, larger, centred on the page width
    // Lines under the title (a period, the product or group named), bold.
    QStringList subtitulos;
    // The title, lines and headings on every page (movement reports) or on the first page
    // only (stock lists).
    bool cabecalhoEmTodaPagina = false;
    QVector<Coluna> colunas;
    bool temResumo = false;
    // Printed in the footer between the page number and the date.
    QString legenda;
};

// What a row of a grouped report is: a line of data cells; the heading of a group (the text of
// its first cell, bold, across the page, never left alone at the foot of a page); or a group's
// total (its cells in bold, on the data cells' grid).
enum class TipoLinha { Dados, Grupo, Total };

// The rows of a report as the engine reads them: how many, and the text of a cell. Rows are
// asked for in order, each once, so a source may read them a batch at a time and let each
// batch go once its rows are laid out.
struct Linhas {
    int quantas = 0;
    // When given, asked before each row instead of `quantas`: whether row `linha` exists. The
    // count of a report read straight from the database is known only at its end.
    std::function<bool(int linha)> existe;
    std::function<QString(int linha, int coluna)> celula;
    // Runs just before a row is laid out: where running totals are added.
    std::function<void(int linha)> antesDaLinha;
    // When given, the kind of each row; without it every row is a data row.
    std::function<TipoLinha(int linha)> tipo;
    // The summary band's lines, asked for once, after the last row.
    std::function<QVector<LinhaResumo>()> resumo;
};

// Takes each page as soon as it is laid out, with the document it belongs to (title, paper and
// the fonts so far, without pages) and its number from 1; answers false to stop the work.
using RecebePagina = std::function<bool(const Documento& molde, Pagina&& pagina, int numero)>;

// Lays the rows out a page at a time, handing each page over as soon as it is complete, so
// a report's memory does not grow with its length. False when `recebe` stopped it.
bool monta(const Layout& layout, const Linhas& linhas, const RecebePagina& recebe);
// A page receiver that keeps every page in `documento`, with the document's title, paper and
// fonts.
RecebePagina guardaEm(Documento& documento);
// Lays the rows out into pages, all kept.
Documento monta(const Layout& layout, const Linhas& linhas);
// Writes the report to a PDF file page by page as the pages are laid out; false when the file
// cannot be written.
bool gravaPdf(const Layout& layout, const Linhas& linhas, const QString& arquivo);

// The cell text cut to `larguraMm` in `fonte`, at the last blank that lets it fit (a single word
// too long is cut where the width ends). Exposed for the tests.
QString cortaNaPalavra(const QString& texto, const Fonte& fonte, double larguraMm);
// The width of a text in a report font, in millimetres.
double larguraTexto(const QString& texto, const Fonte& fonte);

} // namespace Motor
