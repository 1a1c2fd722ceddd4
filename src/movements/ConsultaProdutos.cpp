#include "movements/ConsultaProdutos.h"

#include "common/CampoCodigo.h"
#include "common/CamposProduto.h"
#include "common/Convencoes.h"
#include "common/Mensagens.h"
#include "contexto/Contexto.h"
#include "data/DataModule_Produtos.h"
#include "data/firebird/ErroBanco.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

TfConsultaProdutos::TfConsultaProdutos(Contexto& app, QWidget* parent) : Dialogo(parent), m_app(app)
{
    using namespace Formulario;
    const QString titulo = QStringLiteral("Consulta de Fornecedores de um Produto");
    setObjectName(QStringLiteral("TfConsultaProdutos"));
    setWindowTitle(titulo);

    m_edCodigo = campo(this, "edCodigo", 10);
    m_edCodigo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QPushButton* btnBusca = botao(this, "btnBusca", QStringLiteral("..."));
    btnBusca->setFixedWidth(28);
    m_edCodBar = campo(this, "edCodBar", 14);
    m_edDesc = campoLeitura(this, "edDesc");
    m_edRefer = campoLeitura(this, "edRefer");
    m_edLocal = campoLeitura(this, "edLocal");
    for (QLineEdit* c : {m_edDesc, m_edRefer, m_edLocal})
        c->setFocusPolicy(Qt::NoFocus);
    QTableView* DBGPRo = grade(this, "DBGPRo");
    QPushButton* btnFechar = botao(this, "btnFechar", QStringLiteral("Fechar"));

    auto* g = new QGridLayout;
    g->addWidget(rotulo(this, "", QStringLiteral("Código:")), 0, 0);
    auto* codigo = new QHBoxLayout;
    codigo->addWidget(m_edCodigo);
    codigo->addWidget(btnBusca);
    g->addLayout(codigo, 0, 1);
    g->addWidget(rotulo(this, "", QStringLiteral("Código de Barras:")), 0, 2);
    g->addWidget(m_edCodBar, 0, 3);
    g->addWidget(rotulo(this, "", QStringLiteral("Descrição")), 1, 0);
    g->addWidget(m_edDesc, 1, 1, 1, 3);
    g->addWidget(rotulo(this, "", QStringLiteral("Referência:")), 2, 0);
    g->addWidget(m_edRefer, 2, 1);
    g->addWidget(rotulo(this, "", QStringLiteral("Localização:")), 2, 2);
    g->addWidget(m_edLocal, 2, 3);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);

    TdmProdutos& dm = m_app.dmProdutos();
    dm.cds_Produtos3.acompanha(DBGPRo, {{"FOR_CODIGO", QStringLiteral("Cód.Fornecedor")},
                                        {"FOR_RAZAO", QStringLiteral("Razão Social")},
                                        {"FOR_FONE1", QStringLiteral("Telefone")},
                                        {"FOR_CONTATO", QStringLiteral("Contato")},
                                        {"FOR_FAX", QStringLiteral("FAX")}});
    dm.fornecedoresVazios();
    QHeaderView* cabecalho = DBGPRo->horizontalHeader();
    for (const auto& [coluna, largura] :
         {std::pair{0, 125}, {1, 300}, {2, 120}, {3, 160}, {4, 120}})
        cabecalho->resizeSection(coluna, largura);

    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(btnFechar);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Formulario::titulo(this, "Label1", titulo));
    layout->addLayout(g);
    QLabel* rotuloGrade = rotulo(this, "lbFornecedores", QStringLiteral("Fornecedores"));
    rotuloGrade->setBuddy(DBGPRo);
    layout->addWidget(rotuloGrade);
    layout->addWidget(DBGPRo, 1);
    layout->addLayout(botoes);
    resize(860, 480);

    ordemTab({m_edCodigo, btnBusca, m_edCodBar, DBGPRo, btnFechar});

    CamposProduto::Regras produto;
    produto.origem = QStringLiteral("Consulta Produtos");
    produto.botaoBusca = btnBusca;
    produto.aparaAoEntrar = true;
    produto.esvaziaAoRecusar = true;
    produto.naoEncontrado = QStringLiteral("Produto Não Encontrado");
    produto.tipoNaoEncontrado = TipoMensagem::Erro;
    produto.buscaNoCodigoBarras = true;
    produto.mostra = [this](const Produto& p, CamposProduto::Via) { mostraProduto(p); };
    m_produto = new CamposProduto(m_app, m_edCodigo, m_edCodBar, this, produto);
    // A stray blank typed around the code is no part of it: "13 " is product 13.
    CampoCodigo::Regras porCodigo = m_produto->codigo().regras();
    porCodigo.aparaAoSair = true;
    m_produto->codigo().setRegras(porCodigo);
    // Coming back to a code, the person types the next one over it.
    connect(&m_produto->codigo(), &CampoCodigo::entrou, m_edCodigo, &QLineEdit::selectAll);
    Convencoes::selecionaAoEntrar(m_edCodBar);

    connect(btnFechar, &QPushButton::clicked, this, &QDialog::accept);
    // A query window: Enter keeps no meaning of its own here, only Tab moves on.
    Convencoes::coresDeFoco(this);
}

void TfConsultaProdutos::aoAbrir()
{
    for (QLineEdit* c : {m_edCodigo, m_edCodBar, m_edDesc, m_edRefer, m_edLocal})
        c->clear();
    m_produto->esquece();
    try {
        m_app.dmProdutos().fornecedoresVazios();
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
    }
    m_edCodigo->setFocus();
}

void TfConsultaProdutos::mostraProduto(const Produto& p)
{
    m_edDesc->setText(p.descricao);
    m_edRefer->setText(p.referencia);
    m_edLocal->setText(p.local);
    // ErroBanco goes to the code field, which shows the server's message.
    m_app.dmProdutos().carregaFornecedores(p.codigo);
}
