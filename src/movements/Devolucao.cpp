#include "movements/Devolucao.h"

#include "common/CampoCodigo.h"
#include "common/CamposCadastro.h"
#include "common/CamposProduto.h"
#include "common/Convencoes.h"
#include "common/Mensagens.h"
#include "common/Modal.h"
#include "contexto/Contexto.h"
#include "data/DataModule_MovConsu.h"
#include "data/DataModule_Produtos.h"
#include "data/firebird/ErroBanco.h"
#include "movements/Devolve.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString origem = QStringLiteral("Devolução");
const QString consumivel = QStringLiteral("Este produto é um Produto Consumível não tem Devolução");
const QString nenhumEmprestimo = QStringLiteral("Nenhum Empréstimo para Devolver !");

} // namespace

TfDevolucao::TfDevolucao(Contexto& app, QWidget* parent) : Dialogo(parent), m_app(app)
{
    using namespace Formulario;
    setObjectName(QStringLiteral("TfDevolucao"));
    setWindowTitle(QStringLiteral("Devolução de Não Consumíveis"));

    QGroupBox* caixa = moldura(this, "GroupBox1", QStringLiteral("Busca"));
    m_edCodPro = campo(caixa, "edCodPro", 10);
    m_edCodPro->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_edCodBar = campo(caixa, "edCodBar", 14);
    m_edDescPro = campoLeitura(caixa, "edDescPro");
    m_edCodReq = campo(caixa, "edCodReq", 6);
    m_edDescReq = campoLeitura(caixa, "edDescReq");
    QPushButton* btnBusca = botao(caixa, "btnBusca", QStringLiteral("Buscar"));
    QPushButton* btnBuscaPro = botao(caixa, "btnBuscaPro", QStringLiteral("..."));
    QPushButton* btnBuscareq = botao(caixa, "btnBuscareq", QStringLiteral("..."));
    m_edUnid = campoLeitura(caixa, "edUnid");
    for (QPushButton* b : {btnBuscaPro, btnBuscareq})
        b->setFixedWidth(28);

    auto* g = new QGridLayout(caixa);
    g->addWidget(rotulo(caixa, "", QStringLiteral("Código Produto:")), 0, 0);
    g->addWidget(m_edCodPro, 0, 1);
    g->addWidget(btnBuscaPro, 0, 2);
    g->addWidget(rotulo(caixa, "", QStringLiteral("Código de Barras:")), 0, 3);
    g->addWidget(m_edCodBar, 0, 4);
    g->addWidget(rotulo(caixa, "", QStringLiteral("Unidade:")), 0, 5);
    g->addWidget(m_edUnid, 0, 6);
    g->addWidget(rotulo(caixa, "", QStringLiteral("Descrição do Produto:")), 1, 0);
    g->addWidget(m_edDescPro, 1, 1, 1, 6);
    g->addWidget(rotulo(caixa, "", QStringLiteral("Requisitante:")), 2, 0);
    g->addWidget(m_edCodReq, 2, 1);
    g->addWidget(btnBuscareq, 2, 2);
    g->addWidget(m_edDescReq, 2, 3, 1, 4);
    auto* linhaBusca = new QHBoxLayout;
    linhaBusca->addStretch();
    linhaBusca->addWidget(btnBusca);
    g->addLayout(linhaBusca, 3, 0, 1, 7);
    g->setColumnStretch(4, 1);
    m_edUnid->setMaximumWidth(70);

    // The loans are listed on plain rows, not striped like the registers' lists.
    m_dbgDev = grade(this, "dbgDev", false);
    TdmMovConsu& dm = m_app.dmMovConsu();
    dm.cdsMovConsu.acompanha(m_dbgDev, {{"MOV_CODPRO", QStringLiteral("Cód.Produto")},
                                        {"PRO_DESCRICAO", QStringLiteral("Descrição do Produo")},
                                        {"MOV_TIPO", QStringLiteral("Cód Req.")},
                                        {"REQ_DESCRICAO", QStringLiteral("Nome do Requisitante")},
                                        {"MOV_DATA", QStringLiteral("Data da Saída")},
                                        {"MOV_DATAD", QStringLiteral("D. Prevista para Devolução")},
                                        {"MOV_DATAE", QStringLiteral("D. da Entrega")},
                                        {"MOV_QUANT", QStringLiteral("Quantidade")},
                                        {"MOV_DOC", QStringLiteral("Documento")},
                                        {"MOV_DEVOLVIDO", QStringLiteral("Devolvido")}});
    dm.esvaziaEmprestimos();
    QHeaderView* cabecalho = m_dbgDev->horizontalHeader();
    for (const auto& [coluna, largura] : {std::pair{0, 95},
                                          {1, 220},
                                          {2, 70},
                                          {3, 180},
                                          {4, 100},
                                          {5, 185},
                                          {6, 100},
                                          {7, 85},
                                          {8, 110},
                                          {9, 75}})
        cabecalho->resizeSection(coluna, largura);

    QPushButton* btnDev = botao(this, "btnDev", QStringLiteral("Devolver"));
    QPushButton* brnFechar = botao(this, "brnFechar", QStringLiteral("Fechar"));
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(btnDev);
    botoes->addWidget(brnFechar);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        titulo(this, "Label1", QStringLiteral("Devolução de Produtos não Consumíveis")));
    layout->addWidget(caixa);
    layout->addWidget(m_dbgDev, 1);
    layout->addLayout(botoes);
    resize(1100, 560);

    ordemTab({m_dbgDev, btnDev, brnFechar, m_edCodPro, m_edCodBar, m_edDescPro, m_edCodReq,
              m_edDescReq, btnBusca, btnBuscaPro, btnBuscareq, m_edUnid});

    CamposProduto::Regras produto;
    produto.origem = origem;
    produto.botaoBusca = btnBuscaPro;
    produto.aparaAoEntrar = true;
    produto.esvaziaAoRecusar = true;
    produto.naoEncontrado = QStringLiteral("Produto não Encontrado");
    produto.tipoNaoEncontrado = TipoMensagem::Erro;
    produto.buscaNoCodigoBarras = true;
    // Only what is lent out comes back. A product turned down empties only the field it was
    // named in: a code already chosen stays with its description, and the list it filters.
    produto.recusa = [](const Produto& p) {
        return p.consumivel == QLatin1String("N") ? QString() : consumivel;
    };
    produto.recusaSoNoCampo = true;
    produto.mostra = [this](const Produto& p, CamposProduto::Via) {
        m_edDescPro->setText(p.descricao);
        m_edUnid->setText(p.unidade);
        m_edCodReq->setFocus();
    };
    m_produto = new CamposProduto(m_app, m_edCodPro, m_edCodBar, this, produto);
    // A new product is being named: what described the last one goes.
    connect(&m_produto->codigo(), &CampoCodigo::entrou, this, [this] {
        m_edDescPro->clear();
        m_edUnid->clear();
        m_edCodBar->clear();
    });

    CampoCodigo::Regras requisitante =
        regrasDoRequisitante(m_app, m_edDescReq, {origem, btnBuscareq});
    requisitante.aparaAoSair = true;
    requisitante.naoEncontrado = QStringLiteral("Requisitante não Encontrado");
    requisitante.tipo = TipoMensagem::Erro;
    requisitante.limpaAoRecusar = {m_edDescReq};
    m_requisitante = new CampoCodigo(m_edCodReq, this, requisitante);
    connect(m_requisitante, &CampoCodigo::entrou, m_edDescReq, &QLineEdit::clear);

    connect(btnBusca, &QPushButton::clicked, this, &TfDevolucao::busca);
    connect(btnDev, &QPushButton::clicked, this, &TfDevolucao::devolve);
    connect(brnFechar, &QPushButton::clicked, this, &QDialog::accept);
    Convencoes::coresDeFoco(this);
    Convencoes::enterComoTab(this);
}

void TfDevolucao::aoAbrir()
{
    for (QLineEdit* c : {m_edCodPro, m_edDescPro, m_edCodReq, m_edUnid, m_edDescReq})
        c->clear();
    m_produto->esquece();
    m_requisitante->esquece();
    try {
        m_app.dmMovConsu().esvaziaEmprestimos();
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
    }
    m_edCodPro->setFocus();
}

void TfDevolucao::busca()
{
    // The click took the focus from a code just refused: the list waits for a code it knows.
    if (!m_produto->podeGravar() || !m_requisitante->podeGravar())
        return;
    try {
        m_app.dmMovConsu().carregaEmprestimos(m_edCodPro->text(), m_edCodReq->text());
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
    }
}

void TfDevolucao::devolve()
{
    // Without a loan there is nothing to show, and nothing a return could close.
    if (m_app.dmMovConsu().cdsMovConsu.linhaAtual() < 0) {
        Mensagens::informacao(nenhumEmprestimo, this);
        return;
    }
    Modal::exec(&m_app.janela<TfDevolve>());
}
