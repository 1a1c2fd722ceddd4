#include "registers/Manut_REQ.h"

#include "contexto/Contexto.h"
#include "data/DataModule_Req.h"
#include "registers/Dados_REQ.h"

#include <QRadioButton>

TfManut_REQ::TfManut_REQ(Contexto& app, QWidget* parent)
    : JanelaManutencao(
          app,
          {.nome = "TfManut_REQ",
           .titulo = QStringLiteral("Manutenção de Requisitantes"),
           .caixaOrdem = QStringLiteral("Ordenado por"),
           .radioCodigo = "rbREQ_Codigo",
           .radioDescricao = "rbREQ_Descricao",
           .rotuloDescricao = QStringLiteral("Nome:"),
           .rotulo = "lbREQ_Busca",
           .textoRotulo = QStringLiteral("Descrição:"),
           .campoBusca = "edManut_REQ_Busca",
           .botaoBusca = "btnREQ_Busca",
           .grade = "dbg_Manut_REQ"},
          app.dmReq().listaDaManutencao(),
          {"btnREQ_Inclui", "btnREQ_Altera", "btnREQ_Exclui", "btnREQ_Fecha",
           QStringLiteral("1.3")},
          [&app]() -> QDialog& { return app.janela<TfDados_REQ>(); }, parent)
{}

void TfManut_REQ::aoAbrir()
{
    // People look requisitioners up by name: each opening shows the list by name again. The
    // quick-search label keeps what the last radio clicked wrote in it.
    m_quadro.porDescricao->setChecked(true);
    lista().ordena(Familia::NaAbertura);
}
