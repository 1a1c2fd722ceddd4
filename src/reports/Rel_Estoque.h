#pragma once

#include "common/Decimal.h"
#include "reports/engine/Motor.h"

class DataSet;
class FonteDeLinhas;

// What every report prints in its page header, and when the request was made.
struct Cabecalho {
    QString empresa;
    QString telefone;
    QDateTime quando;
};

// The stock lists: products from the shared product list, one line each, in the list's order.
// The title, an optional group line and the column headings print on the first page only; the
// layouts with the stock value end with it in a summary band.
class RelEstoque {
public:
    // The columns a stock list may print, from left to right.
    enum class Colunas { Simples, ComLocalizacao, SemValor };

    struct Definicao {
        QString titulo;
        Colunas colunas = Colunas::Simples;
        double larguraDescricao = 93; // mm
        QString tituloMinimo = QStringLiteral("Est.Min");
        // The caption of the stock value in the summary; none: no total and no summary.
        QString rotuloTotal;
        bool linhaDoGrupo = false;
    };

    // A printed column and the list field it shows.
    struct Campo {
        QString campo;
        Motor::Coluna coluna;
    };

    explicit RelEstoque(Definicao definicao) : m_def(std::move(definicao)) {}
    virtual ~RelEstoque() = default;

    // The group line of the group layouts, copied in when the report starts.
    QString lbCodGrupo;
    QString lbDescGrupo;

    // Lays the rows of `lista` out into pages; the stock value starts at zero.
    Motor::Documento prepara(const DataSet& lista, const Cabecalho& cabecalho);
    // The same, each page handed to `recebe` as soon as it is laid out; false when `recebe`
    // stopped it.
    bool prepara(const DataSet& lista, const Cabecalho& cabecalho,
                 const Motor::RecebePagina& recebe);
    // The same from rows asked for in order (a list, or a statement read a batch at a time).
    bool prepara(FonteDeLinhas& fonte, const Cabecalho& cabecalho,
                 const Motor::RecebePagina& recebe);

    // The stock value of the last report prepared: value times quantity over its rows.
    const Decimal& totalEstoque() const { return m_total; }
    const Definicao& definicao() const { return m_def; }
    // The columns the layout prints, from left to right, with their headings.
    QVector<Campo> colunas() const;

private:
    Definicao m_def;
    Decimal m_total;
};

// The six layouts of the stock lists, as the menu knows them.
class TfRel_Itens_Estoque : public RelEstoque {
public:
    TfRel_Itens_Estoque();
};
class TfRel_Itens_Estoque2 : public RelEstoque {
public:
    TfRel_Itens_Estoque2();
};
class TfRel_Itens_Estoque_Grupo : public RelEstoque {
public:
    TfRel_Itens_Estoque_Grupo();
};
class TfRel_Itens_Estoque_Grupo2 : public RelEstoque {
public:
    TfRel_Itens_Estoque_Grupo2();
};
class TfRel_ProEstoque : public RelEstoque {
public:
    TfRel_ProEstoque();
};
class TfRel_Min : public RelEstoque {
public:
    TfRel_Min();
};
