#include "registers/Busca_Produtos.h"

#include "common/Convencoes.h"
#include "common/PainelProdutos.h"
#include "contexto/Contexto.h"
#include "data/DataModule_Produtos.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

TfBusca_Produtos::TfBusca_Produtos(Contexto& app, QWidget* parent) : JanelaBusca(parent), m_app(app)
{
    using namespace Formulario;
    setObjectName(QStringLiteral("TfBusca_Produtos"));
    setWindowTitle(QStringLiteral("Busca de Produtos"));

    // Whoever picks a product also sees its unit value and whether it is lent out and returned.
    QList<QPair<QString, QString>> colunas = ListaProdutos::colunasDaLista();
    colunas.insert(8, {QStringLiteral("PRO_VALOR"), QStringLiteral("Valor")});
    colunas.append({QStringLiteral("PRO_CONSUMIVEL"), QStringLiteral("Consumível")});
    m_painel = new ListaProdutos::Painel(
        this, m_app.dmProdutos(),
        {{"rbCon_Pro_Codigo", "rbCon_PRO_Descricao", "rbCon_PRO_Refer", "rbManut_Con_Grupo"},
         "edBusca_ConPRO",
         "btnBusca_ConPro",
         "dbg_Con_PRO",
         "Descriçao:"},
        colunas);

    QHBoxLayout* fileira =
        botoes(this, {},
               {{"btnCon_PRO_Seleciona", QStringLiteral("Seleciona"),
                 [this] { seleciona(Familia::codigoAtual(m_app.dmProdutos().cds_Produtos)); }},
                {"btnCon_PRO_Fecha", QStringLiteral("Fecha"), [this] { reject(); }}});

    m_painel->monta(QStringLiteral("Consulta de Produtos"), fileira);
}

void TfBusca_Produtos::aoAbrir()
{
    // Every opening shows the products by description again; what was typed in the search
    // stays, ready to be searched once more.
    m_painel->abre(false);
}
