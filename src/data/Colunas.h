#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>
#include <vector>

// The rows of a list kept column by column, each column in the narrowest form that gives its
// values back exactly: texts as their Latin-1 bytes (the database's own character set), kept
// once per distinct value while the column repeats itself, with the trailing blanks of a
// fixed-width column cut once and put back when read; decimals as scaled whole numbers; dates
// as day numbers; times as milliseconds; nulls as such. A column whose values fit none of
// these (or change kind half-way) keeps them as they came.
//
// A cell's QVariant is made when it is asked for, and is the very value that was stored: same
// type, same value, a text with the same trailing blanks.
class Colunas {
public:
    Colunas();
    ~Colunas();
    Colunas(Colunas&&) noexcept;
    Colunas& operator=(Colunas&&) noexcept;

    // Drops every row and sets the number of columns.
    void limpa(int colunas);
    int colunas() const { return int(m_colunas.size()); }
    int tamanho() const { return m_tamanho; }

    // Appends one row; cells beyond the row's end are null.
    void acrescenta(const QVector<QVariant>& linha);
    QVariant valor(int linha, int coluna) const;
    // Gives back the room kept for rows still to come, once the last one is in.
    void compacta();

    // Whether the cell's text (a decimal in its C form "-1234.560", any other value as
    // QVariant::toString gives it) begins with `prefixo`, case counting.
    bool comecaCom(int linha, int coluna, const QString& prefixo) const;
    // The first row from `de` on, in row order, whose text in `coluna` begins with `prefixo`
    // (as comecaCom) and that `aceita` takes; -1 when none. Found through an index of the column
    // kept by the store: a binary search when the rows already stand in the column's order,
    // otherwise an index of the column's texts in order, made on the first search and kept until
    // rows are added.
    int primeiroComPrefixo(int coluna, const QString& prefixo, int de,
                           const std::function<bool(int)>& aceita) const;

private:
    struct Coluna;

    std::vector<std::unique_ptr<Coluna>> m_colunas;
    int m_tamanho = 0;
};
