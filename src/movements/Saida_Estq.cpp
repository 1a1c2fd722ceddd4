#include "movements/Saida_Estq.h"

#include "common/CampoCodigo.h"
#include "common/CamposCadastro.h"
#include "common/CamposProduto.h"
#include "common/Convencoes.h"
#include "common/Formatos.h"
#include "common/Funcoes.h"
#include "common/Mensagens.h"
#include "contexto/Contexto.h"
#include "data/DataModule_Produtos.h"
#include "movements/Lancamentos.h"
#include "movements/Movimento.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>

namespace {

const QString sim = QStringLiteral("Sim");
const QString nao = QStringLiteral("Não");

const QString produtoNaoEncontrado = QStringLiteral("Produto não Encontrado !");
const QString estoqueInsuficiente =
    QStringLiteral("Quantidade tem que ser igual ou menor que a Quantidade Atual em Estoque");
const QString semRequisitante = QStringLiteral("O Campo de Requisitante precisa ser preenchido !");
const QString semProduto =
    QStringLiteral("Nenhum Produto foi Escolhido, digite o Código do Produto !");
const QString falhaGravacao = QStringLiteral("Não consegui Gravar, Tente novamente !");

// The number a field holds, read as the save reads it: the bare number is written back into
// the field first. A text that is not a number says so and keeps the user in the field.
std::optional<Decimal> numeroDoCampo(QLineEdit* campo, const QString& nome, QWidget* janela)
{
    campo->setText(Funcoes::LimpaNumero(campo->text()));
    const std::optional<Decimal> numero = Movimento::numeroDe(campo);
    if (!numero) {
        Mensagens::erro(QStringLiteral("O campo %1 não contém um número válido !").arg(nome),
                        janela);
        campo->setFocus();
    }
    return numero;
}

} // namespace

TfSaida_Estq::TfSaida_Estq(Contexto& app, QWidget* parent)
    : Dialogo(parent, "TfSaida_Estq", QStringLiteral("Saída do Estoque")), m_app(app)
{
    using namespace Formulario;

    // The codes stop at their columns' widths; the ledger and the loan keep 20 characters of
    // the document.
    m_edCodPro = campo(this, "edSaida_CodPro", 10);
    m_edCodPro->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_edDescPro = campo(this, "edSaida_DescPro");
    m_btnBuscaPro = botao(this, "btnSaida_Estoque_BuscaPRO", QStringLiteral("..."));
    m_edCodReq = campo(this, "edSaida_CodREQ", 6);
    m_edDescReq = campo(this, "edSaida_DescREQ");
    m_btnBuscaReq = botao(this, "btnSaida_Estoque_BuscaTipo", QStringLiteral("..."));
    m_dtpDataD = Formulario::data(this, "dtpSaida_DataD");
    m_lbDataD = rotulo(this, "lbSaida_DataD", QStringLiteral("Data Prevista para Devolução:"));

    Quadro quadro(this);
    quadro.linha({{QStringLiteral("Código:"), m_edCodPro},
                  {QStringLiteral("Descrição:"), lado({m_edDescPro, m_btnBuscaPro}, 0)}});
    quadro.linha(
        {{QStringLiteral("Código de Barras:"), m_edCodBar = campo(this, "edSaida_CodBar", 14)},
         {QStringLiteral("Unidade:"), m_edUnid = campo(this, "edSaida_Unid")}});
    quadro.linha({{QStringLiteral("Quantidade Atual no Estoque:"),
                   m_edQuantAtual = numero(this, "edSaida_QuantAtual", Numero::Quantidade)},
                  {QStringLiteral("Data:"), m_dtpData = Formulario::data(this, "dtpSaida_Data")}});
    quadro.linha({{QStringLiteral("Requisitante:"), m_edCodReq},
                  {lado({m_edDescReq, m_btnBuscaReq}, 0), 2}});
    quadro.linha(
        {{QStringLiteral("Quantidade:"),
          m_edQuant = numero(this, "EdSaida_Quant", Numero::Quantidade)},
         {QStringLiteral("Valor:"), m_edValor = numero(this, "edSaida_Valor", Numero::Moeda)}});
    quadro.linha({{QStringLiteral("Documento:"), m_edDoc = campo(this, "edSaida_Doc", 20)},
                  {QStringLiteral("Consumível:"),
                   m_edConsumivel = campoLeitura(this, "edSaida_consumivel")}});
    quadro.linha({{m_lbDataD, m_dtpDataD}});
    quadro.grade()->setColumnStretch(3, 1);
    // Until a product to be valued is looked up, there is nothing to price.
    m_edValor->setReadOnly(true);

    m_btnGrava = botao(this, "btnSaida_Estq_Grava", QStringLiteral("Grava"));
    auto* fecha = botao(this, "btnSaida_Estq_Fecha", QStringLiteral("Fechar"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titulo(this, "lbSaida_Titulo", QStringLiteral("Saída do Estoque")));
    layout->addLayout(quadro.grade());
    layout->addStretch();
    layout->addLayout(fileira({}, {m_btnGrava, fecha}));
    resize(760, 330);

    ordemTab({m_edCodPro, m_edDescPro, m_btnBuscaPro, m_edCodBar, m_edUnid, m_edQuantAtual,
              m_dtpData, m_edCodReq, m_edDescReq, m_btnBuscaReq, m_edQuant, m_edValor, m_edDoc,
              m_edConsumivel, m_dtpDataD, m_btnGrava, fecha});
    connect(fecha, &QPushButton::clicked, this, &QDialog::accept);
    liga();
}

void TfSaida_Estq::liga()
{
    // An unknown code stays as padded, with the product shown before still on screen.
    CamposProduto::Regras produto;
    produto.origem = QStringLiteral("Saída Estoque");
    produto.botaoBusca = m_btnBuscaPro;
    produto.mostra = [this](const Produto& p, CamposProduto::Via via) {
        mostraProduto(p, via == CamposProduto::Via::Codigo);
    };
    m_produto = new CamposProduto(m_app, m_edCodPro, m_edCodBar, this, produto);

    CampoCodigo::Regras requisitante =
        regrasDoRequisitante(m_app, m_edDescReq, {QStringLiteral("Saida"), m_btnBuscaReq});
    m_requisitante = new CampoCodigo(m_edCodReq, this, requisitante);

    connect(m_btnGrava, &QPushButton::clicked, this, &TfSaida_Estq::grava);
    Convencoes::coresDeFoco(this);
    Convencoes::enterComoTab(this);
}

void TfSaida_Estq::limpa()
{
    for (QLineEdit* c : {m_edCodPro, m_edDescPro, m_edCodBar, m_edUnid, m_edCodReq, m_edDescReq,
                         m_edDoc, m_edConsumivel})
        c->clear();
    m_edQuantAtual->setText(QStringLiteral("0,000"));
    m_edQuant->setText(QStringLiteral("0,000"));
    m_edValor->setText(QStringLiteral("R$ 0,00"));
    m_dtpData->setDate(QDate::currentDate());
    m_dtpDataD->setDate(QDate::currentDate());
    m_produto->esquece();
    m_requisitante->esquece();
    m_edCodPro->setFocus();
}

void TfSaida_Estq::mostraProduto(const Produto& p, bool porCodigo)
{
    m_edDescPro->setText(p.descricao);
    m_edUnid->setText(p.unidade);
    m_edQuantAtual->setText(Formatos::numero(p.quantidade, 3));
    m_edValor->setText(Formatos::moeda(p.valor, 2));
    // Only an item that is lent out and comes back has a date to be returned by.
    const bool consumivel = p.ehConsumivel();
    m_edConsumivel->setText(consumivel ? sim : nao);
    m_lbDataD->setVisible(!consumivel);
    m_dtpDataD->setVisible(!consumivel);
    if (!porCodigo)
        return;
    // A lent item is issued without a value; a consumable at the value shown, its average cost
    // unless the user types another.
    m_edValor->setReadOnly(!consumivel);
    if (!consumivel)
        m_edValor->setText(QStringLiteral("R$ 0,00"));
}

void TfSaida_Estq::grava()
{
    // The fields describe the product last found; a code typed since, and not found, or no
    // look-up at all, leaves nothing that may be issued.
    CampoCodigo& produto = m_produto->codigo();
    if (!produto.confirmado()) {
        Mensagens::erro(semProduto, this);
        m_edCodPro->setFocus();
        return;
    }
    // The click on "Grava" took the focus from a field whose look-up has just said no.
    if (!m_produto->podeGravar() || !m_requisitante->podeGravar())
        return;
    const std::optional<Decimal> valor = numeroDoCampo(m_edValor, QStringLiteral("Valor"), this);
    if (!valor)
        return;
    const std::optional<Decimal> quantidade =
        numeroDoCampo(m_edQuant, QStringLiteral("Quantidade"), this);
    if (!quantidade)
        return;
    try {
        // Quantities are kept to the gram and amounts to the cent, as the fields show them.
        const Lancamentos::Saida saida{.produto = produto.encontrado(),
                                       .data = m_dtpData->date(),
                                       .quantidade = quantidade->arredondado(3),
                                       .unitario = valor->arredondado(2),
                                       .documento = m_edDoc->text(),
                                       .requisitante = m_edCodReq->text(),
                                       .consumivel = m_edConsumivel->text() == sim,
                                       .devolucao = m_dtpDataD->date()};
        // The quantity asked for is checked against the quantity stored when the save runs,
        // not the one on screen: another workstation may have issued the same product since.
        // Only then is a lent item checked for the requisitioner it goes to, who must be known
        // or the item can never be asked back.
        Lancamentos::gravaSaida(m_app.conexao(), saida, Movimento::usuarioLog(m_app));
    } catch (const Lancamentos::EstoqueInsuficiente&) {
        return Movimento::recusa(this, estoqueInsuficiente, nullptr);
    } catch (const Lancamentos::SemRequisitante&) {
        return Movimento::recusa(this, semRequisitante, m_edCodReq);
    } catch (const Lancamentos::ProdutoInexistente&) {
        return Movimento::recusa(this, produtoNaoEncontrado, m_edCodPro, TipoMensagem::Informacao);
    } catch (const std::exception&) {
        Mensagens::aviso(falhaGravacao, this);
        return;
    }
    limpa();
}
