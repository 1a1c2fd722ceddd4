#include "registers/Manut_GrupoFornecedor.h"

#include "common/Convencoes.h"
#include "contexto/Contexto.h"
#include "data/DataModule_GrupoFornecedor.h"
#include "registers/Dados_GrupoFornecedor.h"

#include <QLineEdit>
#include <QRadioButton>

TfManut_GrupoFornecedor::TfManut_GrupoFornecedor(Contexto& app, QWidget* parent)
    : JanelaManutencao(
          app,
          {.nome = "TfManut_GrupoFornecedor",
           .titulo = QStringLiteral("Manutenção de Grupo de Fornecedores"),
           .radioCodigo = "rbCodigo",
           .radioDescricao = "rbDescricao",
           .rotulo = "lbBusca_GruFornec",
           .textoRotulo = QStringLiteral("Descrição:"),
           .campoBusca = "edBusca_GruFornec",
           .larguraBusca = 0,
           .botaoBusca = "btnBusca_GruFornec",
           .grade = "dbgManut_GrupoFornecedor"},
          app.dmGrupoFornecedor().listaDaManutencao(),
          {"btnGruFornec_Novo", "btnGruFornec_Altera", "btnGruFornec_Exclui", "btnGruFornec_Fechar",
           QStringLiteral("1.4")},
          [&app]() -> QDialog& { return app.janela<TfDados_GrupoFornecedor>(); }, parent)
{
    // Only a click (or the arrow keys, which click) reorders: Tab and Enter walk through the
    // window here, and a radio that reordered on focus would throw the focus back to the
    // search field each time it was passed.
    for (QRadioButton* r : {m_quadro.porCodigo, m_quadro.porDescricao})
        connect(r, &QRadioButton::clicked, this, &TfManut_GrupoFornecedor::recomecaBusca);
    Convencoes::enterComoTab(this);
}

void TfManut_GrupoFornecedor::aoAbrir()
{
    // Every opening starts over: by description, with an empty search ready for typing.
    lista().ordena(Familia::PorDescricao);
    recomecaBusca();
}

void TfManut_GrupoFornecedor::recomecaBusca()
{
    m_quadro.busca->clear();
    m_quadro.busca->setFocus(Qt::OtherFocusReason);
}
