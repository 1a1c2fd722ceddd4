#include "registers/Busca_REQ.h"

#include "contexto/Contexto.h"
#include "data/DataModule_Req.h"

#include <QLineEdit>
#include <QRadioButton>

TfBusca_REQ::TfBusca_REQ(Contexto& app, QWidget* parent)
    : JanelaSelecao({.nome = "TfBusca_REQ",
                     .titulo = QStringLiteral("Busca de Requisitantes"),
                     .caixaOrdem = QStringLiteral("Ordenado por"),
                     .radioCodigo = "rbBusca_REQ_Codigo",
                     .radioDescricao = "rbBusca_REQ_Descricao",
                     .rotuloDescricao = QStringLiteral("Nome:"),
                     .rotuloAbertura = QStringLiteral("Nome:"),
                     .rotulo = "lbBusca_REQ_Busca",
                     .textoRotulo = QStringLiteral("Nome:"),
                     .campoBusca = "edBusca_REQ_Busca",
                     .botaoBusca = "btnBusca_REQ",
                     .grade = "dbg_BuscaREQ",
                     // Outside the register itself a requisitioner's name is headed "Nome".
                     .colunas = {{QStringLiteral("REQ_CODIGO"), QStringLiteral("Código")},
                                 {QStringLiteral("REQ_DESCRICAO"), QStringLiteral("Nome")}}},
                    app.dmReq().listaDaBusca(), "btnBusca_Seleciona", "btnBusca_TIP_Fechar", parent)
{}

void TfBusca_REQ::aoAbrir()
{
    // Whoever opens it starts from a clean search over the list by name.
    m_quadro.busca->clear();
    m_quadro.porDescricao->setChecked(true);
    lista().ordena(Familia::NaAbertura);
}
