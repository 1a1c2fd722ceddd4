#include "registers/BuscaGRU_For.h"

#include "common/Convencoes.h"
#include "common/Funcoes.h"
#include "contexto/Contexto.h"
#include "data/DataModule_GrupoFornecedor.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

TfBuscaGRU_For::TfBuscaGRU_For(Contexto& app, QWidget* parent)
    : JanelaSelecao({.nome = "TfBuscaGRU_For",
                     .titulo = QStringLiteral("Busca de Grupo de Fornecedores"),
                     .cabecalho = QStringLiteral("Busca de Grupo de Fornecedor"),
                     .radioCodigo = "rbCodigo",
                     .radioDescricao = "rbDescricao",
                     // The search field is padded when the user leaves it (below), so "Busca"
                     // looks for the text exactly as the field then shows it.
                     .buscaCompletaCodigo = false,
                     .caixaBusca = QStringLiteral("Busca:"),
                     .rotulo = "lbTitulo",
                     .textoRotulo = QStringLiteral("Descrição:"),
                     .campoBusca = "edBusca",
                     .larguraBusca = 0,
                     .botaoBusca = "btnBusca",
                     .grade = "dbgBusca_GRUFor"},
                    app.dmGrupoFornecedor().listaDaBusca(), "btnSeleciona", "btnFechar", parent)
{
    QLineEdit* busca = m_quadro.busca;
    Convencoes::aoEntrar(busca, this, [busca] {
        // Typing replaces the old search at once. A mouse click places the cursor after the
        // focus arrives, so the selection is made again once the click is through.
        busca->selectAll();
        QTimer::singleShot(0, busca, [busca] { busca->selectAll(); });
    });
    Convencoes::aoSair(busca, this, [this] { saiDaBusca(); });
}

void TfBuscaGRU_For::aoAbrir()
{
    // Every opening starts over: an empty search, by description.
    m_quadro.busca->clear();
    lista().ordena(Familia::PorDescricao);
    m_quadro.busca->setFocus(Qt::OtherFocusReason);
}

void TfBuscaGRU_For::saiDaBusca()
{
    QLineEdit* busca = m_quadro.busca;
    if (m_quadro.porCodigo->isChecked() && !busca->text().trimmed().isEmpty())
        busca->setText(Funcoes::codigoSeis(busca->text()));
}
