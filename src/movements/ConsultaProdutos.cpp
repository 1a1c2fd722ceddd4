#include "movements/ConsultaProdutos.h"

#include "common/CampoCodigo.h"
#include "common/CamposCadastro.h"
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

    Quadro quadro(this);
    quadro.linha({{QStringLiteral("Código:"), lado({m_edCodigo, btnBusca})},
                  {QStringLiteral("Código de Barras:"), m_edCodBar}});
    quadro.linha({{QStringLiteral("Descrição"), m_edDesc, 3}});
    quadro.linha(
        {{QStringLiteral("Referência:"), m_edRefer}, {QStringLiteral("Localização:"), m_edLocal}});
    quadro.grade()->setColumnStretch(1, 1);
    quadro.grade()->setColumnStretch(3, 1);

    TdmProdutos& dm = m_app.dmProdutos();
    colunas(DBGPRo, dm.cds_Produtos3,
            {{"FOR_CODIGO", QStringLiteral("Cód.Fornecedor"), 10},
             {"FOR_RAZAO", QStringLiteral("Razão Social"), 40},
             {"FOR_FONE1", QStringLiteral("Telefone"), 14},
             {"FOR_CONTATO", QStringLiteral("Contato"), 20},
             {"FOR_FAX", QStringLiteral("FAX"), 14}});
    dm.fornecedoresVazios();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Formulario::titulo(this, "Label1", titulo));
    layout->addLayout(quadro.grade());
    QLabel* rotuloGrade = rotulo(this, "lbFornecedores", QStringLiteral("Fornecedores"));
    rotuloGrade->setBuddy(DBGPRo);
    layout->addWidget(rotuloGrade);
    layout->addWidget(DBGPRo, 1);
    layout->addLayout(fileira({}, {btnFechar}));
    resize(860, 480);

    ordemTab({m_edCodigo, btnBusca, m_edCodBar, DBGPRo, btnFechar});
    connect(btnFechar, &QPushButton::clicked, this, &QDialog::accept);
    liga(btnBusca);
}

void TfConsultaProdutos::liga(QPushButton* buscaProduto)
{
    CamposProduto::Regras produto =
        regrasDoProdutoEBarras({QStringLiteral("Consulta Produtos"), buscaProduto});
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
