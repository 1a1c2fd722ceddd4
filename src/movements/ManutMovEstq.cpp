#include "movements/ManutMovEstq.h"

#include "common/CampoCodigo.h"
#include "common/CamposCadastro.h"
#include "common/Convencoes.h"
#include "common/EditH.h"
#include "common/Funcoes.h"
#include "common/Mensagens.h"
#include "contexto/Contexto.h"
#include "data/DataModule_MovEstq.h"
#include "data/DataModule_Produtos.h"
#include "data/firebird/ErroBanco.h"
#include "movements/Lancamentos.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

TfManutMovEstq::TfManutMovEstq(Contexto& app, QWidget* parent)
    : Dialogo(parent, "TfManutMovEstq", QStringLiteral("Manutenção de Movimentação de Estoque")),
      m_app(app)
{
    using namespace Formulario;

    QGroupBox* caixa = moldura(this, "GroupBox1", QStringLiteral("Busca"));
    m_dtpDataInicial = Formulario::data(caixa, "dtpDataInicial");
    m_dtpDataFinal = Formulario::data(caixa, "dtpDataFinal");
    m_edCodigo = campoH(caixa, "edCodigo", 10);
    m_edCodigo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_edDesc = campoH(caixa, "edDesc");
    QPushButton* btnBusca = botao(caixa, "btnBusca", QStringLiteral("..."));
    btnBusca->setFixedWidth(28);
    QPushButton* btnFiltra = botao(caixa, "btnFiltra", QStringLiteral("Filtrar"));
    Quadro quadro(caixa);
    quadro.linha({{QStringLiteral("Data Inicial:"), m_dtpDataInicial},
                  {QStringLiteral("Data Final:"), m_dtpDataFinal}});
    quadro.linha({{QStringLiteral("Código"), m_edCodigo},
                  {QStringLiteral("Descrição"), m_edDesc, 2},
                  {btnBusca},
                  {btnFiltra}});
    quadro.grade()->setColumnStretch(4, 1);
    quadro.instala();

    m_dbgMovEstq = grade(this, "dbgMovEstq");
    TdmMovEstq& dm = m_app.dmMovEstq();
    colunas(m_dbgMovEstq, dm.cds_MovEstq,
            {{"MOV_CODPRO", QStringLiteral("Código "), 10},
             {"PRO_DESCRICAO", QStringLiteral("Descrição"), 30},
             {"MOV_TIPO", QStringLiteral("Cod.Requisitante")},
             {"REQ_DESCRICAO", QStringLiteral("Requisitante"), 25},
             {"DESCRICAO", QStringLiteral("Operação"), 20},
             {"MOV_DATA", QStringLiteral("Data")},
             {"MOV_VALOR", QStringLiteral("Valor")},
             {"MOV_QUANT", QStringLiteral("Quantidade")},
             {"MOV_DOC", QStringLiteral("Documento"), 15}});
    avisaFalhaDeLeitura(dm.cds_MovEstq, this);

    QHBoxLayout* linhaDeBotoes =
        botoes(this,
               {{"btnExcluir", QStringLiteral("Somente Excluir"), [this] { exclui(false); }},
                {"btnReverter", QStringLiteral("Excluir e Reverter"), [this] { exclui(true); }}},
               {{"btnFechar", QStringLiteral("Fechar"), [this] { accept(); }}});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        titulo(this, "Label1", QStringLiteral("Manutenção de Movimentação de Estoque")));
    layout->addWidget(caixa);
    layout->addWidget(m_dbgMovEstq, 1);
    layout->addLayout(linhaDeBotoes);
    resize(1080, 560);

    CampoCodigo::Regras produto =
        regrasDoProduto(m_app, m_edDesc, {QStringLiteral("ManutMovEstq"), btnBusca});
    produto.naoEncontrado = QStringLiteral("Produto não Cadastrado");
    produto.tipo = TipoMensagem::Erro;
    produto.esvaziaAoRecusar = true;
    produto.limpaAoRecusar = {m_edDesc};
    m_produto = new CampoCodigo(m_edCodigo, this, produto);
    connect(m_produto, &CampoCodigo::entrou, m_edDesc, &QLineEdit::clear);
    connect(m_produto, &CampoCodigo::achou, btnFiltra, [btnFiltra] { btnFiltra->setFocus(); });

    connect(btnFiltra, &QPushButton::clicked, this, &TfManutMovEstq::filtra);
    Convencoes::coresDeFoco(this);
}

void TfManutMovEstq::aoAbrir()
{
    m_dtpDataInicial->setDate(QDate::currentDate());
    m_dtpDataFinal->setDate(QDate::currentDate());
    m_edCodigo->clear();
    m_edDesc->clear();
    m_produto->esquece();
    TdmMovEstq& dm = m_app.dmMovEstq();
    // What the movement query chose to see does not narrow what may be deleted here.
    dm.cds_MovEstq.limpaFiltro();
    try {
        dm.carregaDia(QDate::currentDate());
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
    }
    m_dtpDataInicial->setFocus();
}

void TfManutMovEstq::aoFechar()
{
    // A year of the ledger is a lot of memory to keep for a closed window; every window that
    // shows the list reads it again when it opens.
    m_app.dmMovEstq().cds_MovEstq.esvazia();
}

void TfManutMovEstq::filtra()
{
    if (!m_produto->podeGravar())
        return;
    const QString codigo = m_edCodigo->text().trimmed().isEmpty()
                               ? QString()
                               : Funcoes::codigoProduto(m_edCodigo->text());
    TdmMovEstq& dm = m_app.dmMovEstq();
    dm.cds_MovEstq.limpaFiltro();
    try {
        dm.carregaPeriodo(m_dtpDataInicial->date(), m_dtpDataFinal->date(), codigo);
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
    }
}

void TfManutMovEstq::exclui(bool reverte)
{
    const QString pergunta =
        reverte ? QStringLiteral("Tem certeza que deseja Excluir e Reverter essa Movimentação ?")
                : QStringLiteral("Tem certeza que deseja Excluir essa Movimentação ?");
    if (!Mensagens::confirma(pergunta, this))
        return;
    TdmMovEstq& dm = m_app.dmMovEstq();
    // An empty list has no row to delete: nothing changes.
    const std::optional<TdmMovEstq::Movimento> atual = dm.movimentoAtual();
    if (!atual)
        return;
    try {
        // Nothing is written unless that very row is still there, so a movement another
        // workstation deleted is not reverted twice, and one that took its number is left
        // alone; either way the list read again below shows what is there now.
        // The row as the person sees it: its number alone may by now be another movement's.
        Lancamentos::excluiMovimento(m_app.conexao(), *atual, reverte);
    } catch (const std::exception&) {
        Mensagens::erro(QStringLiteral("Não Consegui Realizar a Operação, Tente Novamente"), this);
    }
    try {
        dm.recarrega();
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
    }
}
