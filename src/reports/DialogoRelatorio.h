#pragma once

#include "common/Formulario.h"
#include "reports/Relatorios.h"

class Contexto;
class CampoCodigo;
class QDateEdit;
class QLineEdit;
class QPushButton;

// The shape of the movement reports' parameter dialogs: a period, and for three of them the
// code and name of a product, group or requisitioner. The print button loads the report's
// rows and header texts for the key in `Relatorio`, opens the output choice, and closes once
// the output choice has closed, whatever was chosen there. Every showing starts afresh: fields
// empty, both dates today.
class DialogoRelatorio : public Dialogo {
    Q_OBJECT

public:
    QString Relatorio;

protected:
    enum class Registro { Nenhum, Grupo, Produto, Requisitante };
    // What sets one dialog apart; the values given here are those most of them share.
    struct Forma {
        const char* nome;
        QString titulo{};
        QString cabecalho{};
        Registro registro = Registro::Nenhum;
        const char* campoCodigo = nullptr;
        QString rotuloCodigo = QStringLiteral("Código:");
        const char* campoDescricao = nullptr;
        QString rotuloDescricao = QStringLiteral("Descrição:");
        const char* botaoBusca = nullptr;
        QString origem{};
        const char* dataInicial = "dtpData_Inicial";
        QString rotuloInicial = QStringLiteral("Data Inicial:");
        const char* dataFinal = "dtpData_Final";
        QString rotuloFinal = QStringLiteral("Data Final:");
        const char* botaoImprime = "btnImprimir";
        QString textoImprime = QStringLiteral("Imprimir");
        const char* botaoFecha = "btnCancelar";
        QString textoFecha = QStringLiteral("Cancelar");
        bool enterComoTab = true;
    };

    DialogoRelatorio(Contexto& app, const Forma& forma, QWidget* parent);
    void aoAbrir() override;
    void imprime();

    Contexto& m_app;
    Forma m_forma;
    QLineEdit* m_codigo = nullptr;
    QLineEdit* m_descricao = nullptr;
    QLineEdit* m_codBarras = nullptr;
    QPushButton* m_busca = nullptr;
    QDateEdit* m_inicio;
    QDateEdit* m_fim;
    QPushButton* m_imprime;
    QPushButton* m_fecha;
    CampoCodigo* m_campo = nullptr;
};

// "Escolha as Datas Inicial e Final": the period of the reports of the whole stock.
class TfDatas : public DialogoRelatorio {
    Q_OBJECT
public:
    explicit TfDatas(Contexto& app, QWidget* parent = nullptr);
};

// "Escolha um Produto e o Período".
class TfDatas_Produto : public DialogoRelatorio {
    Q_OBJECT
public:
    explicit TfDatas_Produto(Contexto& app, QWidget* parent = nullptr);
};

// "Escolha um Grupo e um Período".
class TfDatas_Grupo : public DialogoRelatorio {
    Q_OBJECT
public:
    explicit TfDatas_Grupo(Contexto& app, QWidget* parent = nullptr);
};

// "Escolha um Requisitante e uma Data Inicial e uma Data Final".
class TfDatas_REQ : public DialogoRelatorio {
    Q_OBJECT
public:
    explicit TfDatas_REQ(Contexto& app, QWidget* parent = nullptr);
};
