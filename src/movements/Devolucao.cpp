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

} // namespace

TfDevolucao::TfDevolucao(Contexto& app, QWidget* parent)
    : Dialogo(parent, "TfDevolucao", QStringLiteral("Devolução de Não Consumíveis")), m_app(app)
{
    using namespace Formulario;

    QGroupBox* caixa = moldura(this, "GroupBox1", QStringLiteral("Busca"));
    m_edCodPro = campo(caixa, "edCodPro", 10);
    m_edCodPro->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_edCodBar = campo(caixa, "edCodBar", 14);
    m_edDescPro = campoLeitura(caixa, "edDescPro");
    m_edCodReq = campo(caixa, "edCodReq", 6);
    m_edDescReq = campoLeitura(caixa, "edDescReq");
    QPushButton* btnBusca = botao(caixa, "btnBusca", QStringLiteral("Buscar"));
    m_btnBuscaPro = botao(caixa, "btnBuscaPro", QStringLiteral("..."));
    m_btnBuscareq = botao(caixa, "btnBuscareq", QStringLiteral("..."));
    m_edUnid = campoLeitura(caixa, "edUnid");
    for (QPushButton* b : {m_btnBuscaPro, m_btnBuscareq})
        b->setFixedWidth(28);
    m_edUnid->setMaximumWidth(70);

    Quadro quadro(caixa);
    quadro.linha({{QStringLiteral("Código Produto:"), m_edCodPro},
                  {m_btnBuscaPro},
                  {QStringLiteral("Código de Barras:"), m_edCodBar},
                  {QStringLiteral("Unidade:"), m_edUnid}});
    quadro.linha({{QStringLiteral("Descrição do Produto:"), m_edDescPro, 6}});
    quadro.linha(
        {{QStringLiteral("Requisitante:"), m_edCodReq}, {m_btnBuscareq}, {m_edDescReq, 4}});
    quadro.linha({{fileira({}, {btnBusca}), 7}});
    quadro.grade()->setColumnStretch(4, 1);
    quadro.instala();

    // The loans are listed on plain rows, not striped like the registers' lists.
    m_dbgDev = grade(this, "dbgDev", false);
    TdmMovConsu& dm = m_app.dmMovConsu();
    colunas(m_dbgDev, dm.cdsMovConsu,
            {{"MOV_CODPRO", QStringLiteral("Cód.Produto"), 10},
             {"PRO_DESCRICAO", QStringLiteral("Descrição do Produo"), 30},
             {"MOV_TIPO", QStringLiteral("Cód Req.")},
             {"REQ_DESCRICAO", QStringLiteral("Nome do Requisitante"), 25},
             {"MOV_DATA", QStringLiteral("Data da Saída")},
             {"MOV_DATAD", QStringLiteral("D. Prevista para Devolução")},
             {"MOV_DATAE", QStringLiteral("D. da Entrega")},
             {"MOV_QUANT", QStringLiteral("Quantidade")},
             {"MOV_DOC", QStringLiteral("Documento"), 15},
             {"MOV_DEVOLVIDO", QStringLiteral("Devolvido")}});
    dm.esvaziaEmprestimos();

    QPushButton* btnDev = botao(this, "btnDev", QStringLiteral("Devolver"));
    QPushButton* brnFechar = botao(this, "brnFechar", QStringLiteral("Fechar"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        titulo(this, "Label1", QStringLiteral("Devolução de Produtos não Consumíveis")));
    layout->addWidget(caixa);
    layout->addWidget(m_dbgDev, 1);
    layout->addLayout(fileira({}, {btnDev, brnFechar}));
    resize(1100, 560);

    ordemTab({m_dbgDev, btnDev, brnFechar, m_edCodPro, m_edCodBar, m_edDescPro, m_edCodReq,
              m_edDescReq, btnBusca, m_btnBuscaPro, m_btnBuscareq, m_edUnid});
    connect(btnBusca, &QPushButton::clicked, this, &TfDevolucao::busca);
    connect(btnDev, &QPushButton::clicked, this, &TfDevolucao::devolve);
    connect(brnFechar, &QPushButton::clicked, this, &QDialog::accept);
    liga();
}

void TfDevolucao::liga()
{
    CamposProduto::Regras produto = regrasDoProdutoEBarras({origem, m_btnBuscaPro});
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
        regrasDoRequisitante(m_app, m_edDescReq, {origem, m_btnBuscareq});
    requisitante.aparaAoSair = true;
    requisitante.naoEncontrado = QStringLiteral("Requisitante não Encontrado");
    requisitante.tipo = TipoMensagem::Erro;
    requisitante.limpaAoRecusar = {m_edDescReq};
    m_requisitante = new CampoCodigo(m_edCodReq, this, requisitante);
    connect(m_requisitante, &CampoCodigo::entrou, m_edDescReq, &QLineEdit::clear);

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
    if (m_filtro) {
        const auto [produto, requisitante] = *m_filtro;
        m_filtro.reset();
        aplicaFiltro(produto, requisitante);
    }
}

void TfDevolucao::filtraNaAbertura(const QString& produto, const QString& requisitante)
{
    m_filtro = std::pair{produto, requisitante};
}

void TfDevolucao::aplicaFiltro(const QString& produto, const QString& requisitante)
{
    // The product as its look-up shows it; the requisitioner's name only when it is still
    // registered: a loan to someone since removed is still listed by the code it was lent to.
    m_edCodPro->setText(produto);
    if (!m_produto->codigo().confere())
        return;
    m_edCodReq->setText(requisitante);
    try {
        if (m_requisitante->regras().procura(requisitante))
            m_requisitante->aceita(requisitante);
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
    }
    busca();
    m_dbgDev->setFocus();
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
        Mensagens::informacao(TfDevolve::nenhumEmprestimo, this);
        return;
    }
    Modal::exec(&m_app.janela<TfDevolve>());
}
