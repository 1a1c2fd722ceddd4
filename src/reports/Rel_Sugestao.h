#pragma once

#include "common/Decimal.h"
#include "data/DataSet.h"
#include "reports/Rel_Estoque.h"
#include "reports/engine/Motor.h"

#include <QVector>

class Conexao;

// The purchase suggestion: the products at or below their minimum stock, grouped by the
// supplier they were last bought from (those bought from no one in a last group, "Sem
// Fornecedor"), each with the quantity to buy, the unit cost of its last purchase and the
// value that purchase would come to; a total per supplier and one for the whole suggestion.
// The group's heading gives the supplier's phone and contact, for the call that places the
// order.
class TfRel_SugestaoCompra {
public:
    TfRel_SugestaoCompra();

    // Up to the maximum stock; where the maximum is not above the minimum (none set, or set
    // below it), up to the minimum.
    static Decimal quantidadeAComprar(const Decimal& quantidade, const Decimal& minimo,
                                      const Decimal& maximo);

    // Reads the products and works each one's figures out, in the report's order. Database
    // errors reach the caller as ErroBanco, and the last rows read stay.
    void carrega(Conexao& conexao);
    // One row per product, as the report prints them and in its order, with the supplier's
    // columns: what a spreadsheet of the report holds.
    const DataSet& lista() const { return m_lista; }

    // Lays the rows read out into pages, each handed to `recebe` as soon as it is laid out;
    // false when `recebe` stopped it.
    bool prepara(const Cabecalho& cabecalho, const Motor::RecebePagina& recebe);
    Motor::Documento prepara(const Cabecalho& cabecalho);

    // The estimated value of the whole suggestion, exact: the sum of every product's quantity
    // to buy times its last unit cost, rounded to the cent only when printed.
    const Decimal& totalGeral() const { return m_total; }

private:
    struct Grupo {
        QString cabecalho;
        QVector<int> linhas; // rows of m_lista
        Decimal total;
    };
    // What the engine prints, in order: a group's heading, its products, its total.
    struct Entrada {
        Motor::TipoLinha tipo;
        int grupo;
        int linha; // row of m_lista; -1 for a heading or a total
    };

    QString celula(const Entrada& e, int coluna) const;

    DataSet m_lista;
    QVector<Grupo> m_grupos;
    QVector<Entrada> m_entradas;
    Decimal m_total;
};
