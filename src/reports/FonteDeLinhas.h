#pragma once

#include "data/DataSet.h"

#include <QList>
#include <QVector>
#include <memory>

class Cursor;

// The rows a report prints, asked for in order: either a list already in memory, or an open
// statement read a batch at a time, each batch let go once the next is wanted, so a year of
// movements never waits whole in memory. Cells read as the list shows them: the display
// formats come from the list the rows belong to.
class FonteDeLinhas {
public:
    explicit FonteDeLinhas(const DataSet& lista);
    FonteDeLinhas(std::unique_ptr<Cursor> cursor, const DataSet& formatos, int lote = 512);
    ~FonteDeLinhas();
    FonteDeLinhas(const FonteDeLinhas&) = delete;
    FonteDeLinhas& operator=(const FonteDeLinhas&) = delete;

    int campo(const QString& nome) const; // -1 when absent; without regard to case
    // Whether row `linha` exists. Rows are asked for in order: a row before the batch held is
    // gone. A failure to read the rest reaches the caller as ErroBanco.
    bool existe(int linha);
    QVariant valor(int linha, int campo) const;
    QString texto(int linha, int campo) const;
    // The rows held in memory right now.
    int emMemoria() const;

private:
    const DataSet& m_lista;
    std::unique_ptr<Cursor> m_cursor;
    int m_tamanhoDoLote = 512;
    QStringList m_campos;
    QVector<DataSet::Formato> m_formatos;
    QList<QVector<QVariant>> m_lote;
    int m_inicio = 0; // the number of the first row in m_lote
};
