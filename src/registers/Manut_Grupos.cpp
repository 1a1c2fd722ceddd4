#include "registers/Manut_Grupos.h"

#include "contexto/Contexto.h"
#include "data/DataModule_Grupos.h"
#include "registers/Dados_Grupos.h"

TfManut_Grupos::TfManut_Grupos(Contexto& app, QWidget* parent)
    : JanelaManutencao(
          app,
          {.nome = "TfManut_Grupos",
           .titulo = QStringLiteral("Manutenção de Grupos"),
           .radioCodigo = "rbManut_Grupos_Codigo",
           .radioDescricao = "rbManut_GRupos_Descricao",
           .marcaDescricao = false,
           .ordenaAoFocar = true,
           .rotulo = "lbManut_Grupos_Busca",
           .textoRotulo = QStringLiteral("Código:"),
           .campoBusca = "edManut_Grupos_Busca",
           .botaoBusca = "Button1",
           .grade = "dbg_ManutGrupos"},
          app.dmGrupos().listaDaManutencao(),
          {"btn_Manut_GRU_Novo", "btnManut_GRU_Altera", "btnManut_GRU_Exclui",
           "btnManut_GRU_Fechar", QStringLiteral("1.1")},
          [&app]() -> QDialog& { return app.janela<TfDados_Grupos>(); }, parent)
{
    // Made with "Código" chosen: the list starts in code order.
    lista().ordena(Familia::PorCodigo);
}

void TfManut_Grupos::aoAbrir()
{
    // Every opening shows the list as it is now, in the order last applied by either window.
    lista().rele();
}
