#pragma once

#include "data/DataSet.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <functional>
#include <optional>

class QTableView;
class QWidget;

// Takes a list out to a spreadsheet, where purchase orders and audit sheets are made: an .xlsx
// workbook (numbers as numbers, money in the currency format, dates as dates) or a .csv text
// (semicolons, UTF-8 with a byte-order mark so the office spreadsheet reads the accents right,
// decimal comma, dates as 10/10/2004).
namespace Exportacao {

enum class Tipo { Xlsx, Csv };

// .csv by the file's extension (without regard to case), .xlsx for anything else.
Tipo tipoDoArquivo(const QString& arquivo);

struct Coluna {
    QString titulo;
    // How the column is shown on screen; it decides the cell's kind and decimal places.
    DataSet::Formato formato = DataSet::Formato::Automatico;
};

// What is written: the columns, how many rows, and each cell's stored value (a Decimal, a whole
// number, a QDate, a text...).
struct Tabela {
    QList<Coluna> colunas;
    int linhas = 0;
    std::function<QVariant(int linha, int coluna)> valor;
};

// Called every few hundred rows with the rows written so far; answering false stops the export.
using Progresso = std::function<bool(int feitas, int total)>;

// Writes the table to `arquivo`, replacing it only once the whole file is written. Returns an
// empty text on success, otherwise what to tell the person (an interrupted export leaves no
// file behind and returns the text "cancelada").
QString grava(const Tabela& tabela, const QString& arquivo, Tipo tipo,
              const Progresso& progresso = {});

// The rows a grid lists (through the list's filter) under its visible column titles, in the
// order the columns stand on screen. The grid's list must have been read to its end.
Tabela tabelaDaGrade(const QTableView* grade);

// Every row of a list (through its filter) under the columns its grids show by default. The
// list must have been read to its end.
Tabela tabelaDaLista(const DataSet& dados);

// Every row of a list (through its filter) under the given columns: each a field of the list
// and the title it goes out under. A field the list lacks gives empty cells.
struct CampoTitulado {
    QString campo;
    QString titulo;
};
Tabela tabelaDaLista(const DataSet& dados, const QList<CampoTitulado>& colunas);

// What a request for a spreadsheet gives the export: the table, or none when its rows could not
// be read (the person has been told why).
using Preparo = std::function<std::optional<Tabela>()>;

// Asks for the file through the program's file chooser (`inicial` the suggested name, without
// extension), then prepares the table (a long read shows its own wait), writes it with a progress
// bar on long lists, and tells the person how it went.
void exporta(QWidget* janela, const QString& inicial, const Preparo& preparo);

// What "Exportar para planilha…" does: asks for the file through the program's file chooser,
// reads the rest of the list, writes it with a progress bar on long lists, and tells the person
// how it went.
void exportaGrade(QTableView* grade);

// Gives the grid the context-menu item and Ctrl+Shift+E; a second call adds nothing.
void anexaGrade(QTableView* grade);

} // namespace Exportacao
