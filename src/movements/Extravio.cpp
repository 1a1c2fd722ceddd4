#include "movements/Extravio.h"

#include "common/CampoCodigo.h"
#include "common/CamposCadastro.h"
#include "common/CamposProduto.h"
#include "common/Convencoes.h"
#include "common/EditH.h"
#include "common/Formatos.h"
#include "common/Funcoes.h"
#include "common/Mensagens.h"
#include "contexto/Contexto.h"
#include "data/DataModule_Produtos.h"
#include "data/firebird/ErroBanco.h"
#include "movements/Lancamentos.h"
#include "movements/Movimento.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString naoCadastrado = QStringLiteral("Produto não Cadastrado");
const QString soNaoConsumiveis =
    QStringLiteral("Este módulo é Somente para Produtos Não Consumíveis");
const QString semCodigo = QStringLiteral("O Campo do Código do Produto precisa ser preenchido");
const QString semQuantidade = QStringLiteral("O Campo Quantidade Precisa ser Preenchido");
const QString falhaGravacao = QStringLiteral("Não consegui Gravar, Tente novamente !");

TEditH* numerico(QWidget* pai, const char* nome, int casas, bool moeda)
{
    TEditH* c = Formulario::campoH(pai, nome);
    c->setNumero(true);
    c->setCasaDecimal(casas);
    c->setMoeda(moeda);
    c->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return c;
}

// A field that only shows what the look-up found: Tab and Enter pass it by.
void soLeitura(QLineEdit* c)
{
    c->setReadOnly(true);
    c->setFocusPolicy(Qt::NoFocus);
}

} // namespace

TfExtravio::TfExtravio(Contexto& app, QWidget* parent)
    : Dialogo(parent, "TfExtravio", QStringLiteral("Extravio/Saída Definitiva de não Consumíveis")),
      m_app(app)
{
    using namespace Formulario;

    m_edCodPro = campoH(this, "edCodPro", 10);
    m_edCodPro->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_edDescPro = campoH(this, "edDescPro");
    QPushButton* btnBusca = botao(this, "btnBuscaProdutos", QStringLiteral("..."));
    btnBusca->setFixedWidth(28);
    m_edCodBar = campoH(this, "edCodBar", 14);
    m_edUnid = campoH(this, "edUnid");
    m_edValor = numerico(this, "edValor", 2, true);
    m_edQuantAtual = numerico(this, "edQuantAtual", 3, false);
    m_edQuant = numerico(this, "edQuant", 3, false);
    m_dtpData = Formulario::data(this, "dtpData");
    m_edDoc = campoH(this, "edDoc", 20);
    QPushButton* btnGrava = botao(this, "btnGrava", QStringLiteral("Grava"));
    QPushButton* btnSair = botao(this, "btnSair", QStringLiteral("Sair"));
    for (QLineEdit* c :
         {static_cast<QLineEdit*>(m_edDescPro), static_cast<QLineEdit*>(m_edUnid),
          static_cast<QLineEdit*>(m_edValor), static_cast<QLineEdit*>(m_edQuantAtual)})
        soLeitura(c);

    Quadro quadro(this);
    quadro.linha({{QStringLiteral("Código:"), m_edCodPro}});
    quadro.linha({{QStringLiteral("Descrição:"), m_edDescPro, 3}, {btnBusca}});
    quadro.linha(
        {{QStringLiteral("Cód.Barras:"), m_edCodBar}, {QStringLiteral("Unidade:"), m_edUnid}});
    quadro.linha({{QStringLiteral("Valor:"), m_edValor},
                  {QStringLiteral("Quant.Atual em Estoque:"), m_edQuantAtual}});
    quadro.linha(
        {{QStringLiteral("Quantidade:"), m_edQuant}, {QStringLiteral("Data:"), m_dtpData}});
    quadro.linha({{QStringLiteral("Documento:"), m_edDoc, 3}});
    quadro.grade()->setColumnStretch(1, 1);
    quadro.grade()->setColumnStretch(3, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        titulo(this, "Label1", QStringLiteral("Extravio/Saída Definitiva de Não Consumíveis")));
    layout->addLayout(quadro.grade());
    layout->addStretch();
    layout->addLayout(fileira({}, {btnGrava, btnSair}));
    resize(640, 300);

    ordemTab({m_edCodPro, m_edDescPro, btnBusca, m_edCodBar, m_edUnid, m_edValor, m_edQuantAtual,
              m_edQuant, m_dtpData, m_edDoc, btnGrava, btnSair});
    connect(btnGrava, &QPushButton::clicked, this, &TfExtravio::grava);
    connect(btnSair, &QPushButton::clicked, this, &QDialog::reject);
    liga(btnBusca);
}

void TfExtravio::liga(QPushButton* buscaProduto)
{
    CamposProduto::Regras produto =
        regrasDoProdutoEBarras({QStringLiteral("Extravio"), buscaProduto});
    produto.naoEncontrado = naoCadastrado;
    produto.tipoNaoEncontrado = TipoMensagem::Erro;
    produto.buscaNoCodigoBarras = true;
    // Consumables leave through the ordinary exit.
    produto.recusa = [](const Produto& p) {
        return p.consumivel == QLatin1String("S") ? soNaoConsumiveis : QString();
    };
    produto.mostra = [this](const Produto& p, CamposProduto::Via via) {
        mostraProduto(p, via == CamposProduto::Via::Codigo);
    };
    m_produto = new CamposProduto(m_app, m_edCodPro, m_edCodBar, this, produto);
    for (CampoCodigo* c : {&m_produto->codigo(), &m_produto->codigoBarras()})
        connect(c, &CampoCodigo::recusou, this, &TfExtravio::limpaProduto);
    Convencoes::aoSair(m_edQuant, this, [this] { confereEstoque(); });
    Convencoes::aoEntrar(m_edQuant, this, [this] { m_quantidadeRecusada = false; });

    Convencoes::coresDeFoco(this);
    Convencoes::enterComoTab(this);
}

void TfExtravio::aoAbrir()
{
    limpaProduto();
    m_edQuant->setText(QStringLiteral("0,000"));
    m_dtpData->setDate(QDate::currentDate());
    m_edDoc->clear();
    m_quantidadeRecusada = false;
    m_produto->esquece();
    m_edCodPro->setFocus();
}

void TfExtravio::limpaProduto()
{
    for (QLineEdit* c : {static_cast<QLineEdit*>(m_edCodPro), static_cast<QLineEdit*>(m_edUnid),
                         static_cast<QLineEdit*>(m_edDescPro), static_cast<QLineEdit*>(m_edCodBar)})
        c->clear();
    m_edQuantAtual->setText(QStringLiteral("0,000"));
    m_edValor->setText(QStringLiteral("R$ 0,00"));
}

void TfExtravio::mostraProduto(const Produto& p, bool porCodigo)
{
    m_edDescPro->setText(p.descricao);
    m_edUnid->setText(p.unidade);
    m_edQuantAtual->setText(Formatos::numero(p.quantidade, 3));
    m_edValor->setText(Formatos::moeda(p.valor, 2));
    (porCodigo ? static_cast<QWidget*>(m_edCodBar) : static_cast<QWidget*>(m_edQuant))->setFocus();
}

void TfExtravio::recusaQuantidade(const Decimal& pedida, const Decimal& existente)
{
    Mensagens::erro(
        QStringLiteral("Não é possível Retirar do Estoque:") + Formatos::numero(pedida, 3) +
            QStringLiteral(" pois existe em estoque apenas:") + Formatos::numero(existente, 3),
        this);
    m_edQuant->setText(Formatos::numero(existente, 3));
    m_quantidadeRecusada = true;
    Convencoes::devolveFoco(m_edQuant);
}

void TfExtravio::confereEstoque()
{
    const QString codigo = m_edCodPro->text();
    if (codigo.trimmed().isEmpty())
        return;
    const std::optional<Decimal> pedida = Movimento::numeroDe(m_edQuant);
    if (!pedida)
        return;
    try {
        // The stored quantity, not the one on screen.
        const std::optional<Produto> p = m_app.dmProdutos().produtoPorCodigo(codigo);
        if (p && *pedida > p->quantidade)
            recusaQuantidade(*pedida, p->quantidade);
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
    }
}

void TfExtravio::grava()
{
    if (!m_produto->podeGravar() || m_quantidadeRecusada)
        return;
    if (m_edCodPro->text().trimmed().isEmpty()) {
        Movimento::recusa(this, semCodigo, m_edCodPro);
        return;
    }
    const Decimal quantidade = m_edQuant->valor().arredondado(3);
    if (quantidade.isZero()) {
        Movimento::recusa(this, semQuantidade, m_edQuant);
        return;
    }
    try {
        // The stock and the kind of product are checked again as the save holds the product's
        // row: another workstation may have issued it since the quantity was typed.
        Lancamentos::gravaExtravio(m_app.conexao(),
                                   {.produto = m_edCodPro->text(),
                                    .data = m_dtpData->date(),
                                    .quantidade = quantidade,
                                    .documento = m_edDoc->text()},
                                   Movimento::usuarioLog(m_app));
    } catch (const Lancamentos::EstoqueInsuficiente& e) {
        m_edQuantAtual->setText(Formatos::numero(e.disponivel, 3));
        recusaQuantidade(quantidade, e.disponivel);
        return;
    } catch (const Lancamentos::ProdutoConsumivel&) {
        return Movimento::recusa(this, soNaoConsumiveis, m_edCodPro);
    } catch (const Lancamentos::ProdutoInexistente&) {
        return Movimento::recusa(this, naoCadastrado, m_edCodPro);
    } catch (const std::exception&) {
        Mensagens::aviso(falhaGravacao, this);
        return;
    }
    accept();
}
