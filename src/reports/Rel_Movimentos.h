#pragma once

#include "common/Decimal.h"
#include "reports/Rel_Estoque.h"

class FonteDeLinhas;

// The movement reports: rows of the shared movement list (or of the loan list, for the overdue
// loans), the title, period, the product, group or requisitioner line and the column headings
// repeated on every page, and a summary once at the end.
class RelMovimento {
public:
    enum class Resumo { Nenhum, Geral, Simples };
    using Campo = RelEstoque::Campo;
    struct Definicao {
        QString titulo;         // fixed; empty: the variant lbTitulo
        QString rotuloRegistro; // "Produto:", "Grupo:", "Requisitante:"; empty: no such line
        bool periodo = true;
        QVector<Campo> colunas; // a field "edReqFor" stands for the variant column
        Resumo resumo = Resumo::Simples;
        bool legenda = false;
    };

    explicit RelMovimento(Definicao definicao) : m_def(std::move(definicao)) {}

    // The texts a request sets on the layout; they stay until the next request sets them.
    QString lbTitulo;
    QString lbDataIni;
    QString lbDataFim;
    QString lbCodPro;
    QString lbDescPro;
    QString rotuloQuantidade; // the single-operation summary's captions
    QString rotuloValor;
    QString lbForReq; // the variant column's heading and field
    QString campoReqFor;

    // The columns the layout prints, from left to right, with their headings and fields as the
    // last request set them (the reversal report's third column).
    QVector<Campo> colunas() const;

    // Lays out the rows of `lista`; every total starts at zero.
    Motor::Documento prepara(const DataSet& lista, const Cabecalho& cabecalho);
    // The same, each page handed to `recebe` as soon as it is laid out; false when `recebe`
    // stopped it.
    bool prepara(const DataSet& lista, const Cabecalho& cabecalho,
                 const Motor::RecebePagina& recebe);
    // The same from rows asked for in order (a list, or a statement read a batch at a time).
    bool prepara(FonteDeLinhas& fonte, const Cabecalho& cabecalho,
                 const Motor::RecebePagina& recebe);

    // The sums of the last report: by operation ("EE", "SS", "TE", "TS") for the general
    // layouts, of all rows (key "") for the others; and the period's balance.
    struct Soma {
        Decimal quantidade;
        Decimal valor;
    };
    Soma soma(const QString& operacao = QString()) const { return m_somas.value(operacao); }
    const Decimal& balanco() const { return m_balanco; }

private:
    Definicao m_def;
    QHash<QString, Soma> m_somas;
    Decimal m_balanco;
};

class TfRel_Mov_Estq : public RelMovimento {
public:
    TfRel_Mov_Estq();
};
class TfRel_Mov_ESTQ_EST : public RelMovimento {
public:
    TfRel_Mov_ESTQ_EST();
};
class TfREL_TES : public RelMovimento {
public:
    TfREL_TES();
};
class TfRel_MovEstq_Produto_Geral : public RelMovimento {
public:
    TfRel_MovEstq_Produto_Geral();
};
class TfRel_Mov_Estq_Produto_ES : public RelMovimento {
public:
    TfRel_Mov_Estq_Produto_ES();
};
class TfRel_Mov_Estq_Grupo : public RelMovimento {
public:
    TfRel_Mov_Estq_Grupo();
};
class TfRel_Mov_Estq_Grupo_ES : public RelMovimento {
public:
    TfRel_Mov_Estq_Grupo_ES();
};
class TfRel_Mov_Estq_Tipo : public RelMovimento {
public:
    TfRel_Mov_Estq_Tipo();
};
class TfRel_DevAtrasada : public RelMovimento {
public:
    TfRel_DevAtrasada();
};
