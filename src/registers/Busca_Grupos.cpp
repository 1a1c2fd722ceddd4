#include "registers/Busca_Grupos.h"

#include "contexto/Contexto.h"
#include "data/DataModule_Grupos.h"

#include <QRadioButton>

TfBusca_Grupos::TfBusca_Grupos(Contexto& app, QWidget* parent)
    : JanelaSelecao({.nome = "TfBusca_Grupos",
                     .titulo = QStringLiteral("Consulta de Grupos de Produtos"),
                     .radioCodigo = "rbBusca_Grupos_Codigo",
                     .radioDescricao = "rbBusca_GRupos_Descricao",
                     .ordenaAoFocar = true,
                     .rotulo = "lbBusca_Grupos_Busca",
                     .textoRotulo = QStringLiteral("Descrição:"),
                     .campoBusca = "edBusca_Grupos_Busca",
                     .botaoBusca = "btnBusca_Grupos",
                     .grade = "dbg_BuscaGrupos"},
                    app.dmGrupos().listaDaBusca(), "btnBusca_Seleciona", "btnBusca_GRU_Fechar",
                    parent)
{}

void TfBusca_Grupos::aoAbrir()
{
    if (m_jaAberta) {
        // The list shows in the order last applied by either window.
        lista().rele();
        return;
    }
    // The first time, the chosen radio takes the focus and applies its order; the choice
    // stays for the next openings.
    m_jaAberta = true;
    lista().ordena(m_quadro.porDescricao->isChecked() ? Familia::PorDescricao : Familia::PorCodigo);
    m_quadro.porDescricao->setFocus();
}
