#include "movements/Estorno_Estq.h"

#include "common/CamposCadastro.h"
#include "common/CamposProduto.h"
#include "common/Convencoes.h"
#include "common/EditH.h"
#include "common/Formatos.h"
#include "common/Funcoes.h"
#include "common/Mensagens.h"
#include "contexto/Contexto.h"
#include "contexto/Sessao.h"
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

using Movimento::numeroDe;

namespace {

const QString origemContraparte = QStringLiteral("Estorno");

const QString naoConsumivel = QStringLiteral("Produto não consumível não pode ser Estornado");
const QString nadaEscolhido =
    QStringLiteral("Nenhum Produto Foi Escolhido ou a Quantidade deve ser maior que 0");
const QString falhaGravacao = QStringLiteral("Não consegui Gravar, tente novamente !");
// The product was deleted (by another workstation) after it was looked up here: nothing may be
// recorded against a code that names no product.
const QString produtoSumiu = QStringLiteral(
    "Produto não Encontrado no Cadastro, o Estorno não foi Gravado. Escolha o Produto novamente.");

QString naoEhNumero(const QString& texto)
{
    return QStringLiteral("'%1' não é um valor numérico válido").arg(texto);
}

} // namespace

TfEstorno_Estq::TfEstorno_Estq(Contexto& app, QWidget* parent)
    : Dialogo(parent, "TfEstorno_Estq", QStringLiteral("Estorno de Entrada")), m_app(app)
{
    using namespace Formulario;

    m_lbTitulo = titulo(this, "lEstorno_Titulo", windowTitle());
    m_lbContraparte = rotulo(this, "lbRequisitante", QStringLiteral("Fornecedor:"));
    auto* btnBuscaPro = botao(this, "btnEST_BuscaPro", QStringLiteral("..."));
    Quadro quadro(this);
    quadro.linha({{QStringLiteral("Código:"), m_edCodPro = campo(this, "edEST_CodPro")}});
    quadro.linha({{QStringLiteral("Descrição:"), m_edDescPro = campo(this, "edEst_DescPro"), 2},
                  {btnBuscaPro}});
    quadro.linha({{QStringLiteral("Código de Barras:"), m_edCodBar = campo(this, "edEST_CodBar")}});
    quadro.linha({{QStringLiteral("Unidade:"), m_edUnid = campo(this, "edEst_Unid")}});
    quadro.linha({{QStringLiteral("Quantidade Atual no Estoque:"),
                   m_edQuantAtual = numero(this, "edEst_QuantAtual", Numero::Quantidade)}});
    quadro.linha({{QStringLiteral("Data:"), m_dtpData = Formulario::data(this, "dtpEst_Data")}});
    quadro.linha({{QStringLiteral("Quantidade:"),
                   m_edQuant = numero(this, "EdEst_Quant", Numero::Quantidade)}});
    quadro.linha({{rotulo(this, "lEst_Preco", QStringLiteral("Valor:")),
                   m_edValor = numero(this, "edEST_Valor", Numero::Moeda)}});
    quadro.linha({{QStringLiteral("Documento:"), m_edDoc = campo(this, "edEst_Doc", 20), 2}});
    quadro.linha({{m_lbContraparte, m_edCodReq = campoH(this, "edEST_CodReq")},
                  {m_edNomeReq = campoH(this, "edEST_NomeReq")},
                  {m_btnBuscaReq = botao(this, "btnBuscaReq", QStringLiteral("..."))}});
    quadro.grade()->setColumnStretch(2, 1);
    m_edCodPro->setAlignment(Qt::AlignRight);
    m_edNomeReq->setReadOnly(true);

    auto* btnGrava = botao(this, "btnEst_Grava", QStringLiteral("Grava"));
    auto* btnFecha = botao(this, "btnEst_Fecha", QStringLiteral("Fechar"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lbTitulo);
    layout->addLayout(quadro.grade());
    layout->addLayout(fileira({}, {btnGrava, btnFecha}));
    resize(640, 420);

    // Enter and Tab walk the fields in the order the stock room fills them in.
    ordemTab({m_edCodPro, m_edDescPro, btnBuscaPro, m_edCodBar, m_edUnid, m_edQuantAtual, m_dtpData,
              m_edQuant, m_edValor, m_edDoc, m_edCodReq, m_edNomeReq, m_btnBuscaReq, btnGrava,
              btnFecha});
    connect(btnGrava, &QPushButton::clicked, this, &TfEstorno_Estq::grava);
    connect(btnFecha, &QPushButton::clicked, this, &QDialog::accept);
    liga(btnBuscaPro);
}

void TfEstorno_Estq::liga(QPushButton* buscaProduto)
{
    // A code the register does not have is erased, and a lent-out item leaves neither code.
    CamposProduto::Regras produto =
        regrasDoProdutoEBarras({QStringLiteral("Estorno Estoque"), buscaProduto});
    // A lent-out item comes back through its return, never through a reversal.
    produto.recusa = [](const Produto& p) {
        return p.consumivel == QLatin1String("N") ? naoConsumivel : QString();
    };
    produto.mostra = [this](const Produto& p, CamposProduto::Via) { mostraProduto(p); };
    m_produto = new CamposProduto(m_app, m_edCodPro, m_edCodBar, this, produto);

    m_contraparte = new CampoCodigo(m_edCodReq, this, regrasContraparte());
    // No counterpart is allowed; no name may be left beside an empty code.
    Convencoes::aoSair(m_edCodReq, this, [this] {
        if (m_edCodReq->text().trimmed().isEmpty())
            m_edNomeReq->clear();
    });

    Convencoes::coresDeFoco(this);
    Convencoes::enterComoTab(this);
    limpa();
}

bool TfEstorno_Estq::deEntrada() const
{
    return m_app.sessao().TipoEstorno == QLatin1String("TE");
}

CampoCodigo::Regras TfEstorno_Estq::regrasContraparte()
{
    const BuscaDoCampo busca{origemContraparte, m_btnBuscaReq};
    if (deEntrada())
        return regrasDoFornecedor(m_app, m_edNomeReq, busca);
    return regrasDoRequisitante(m_app, m_edNomeReq, busca);
}

void TfEstorno_Estq::aoAbrir()
{
    const QString titulo =
        deEntrada() ? QStringLiteral("Estorno de Entrada") : QStringLiteral("Estorno de Saída");
    setWindowTitle(titulo);
    m_lbTitulo->setText(titulo);
    m_lbContraparte->setText(deEntrada() ? QStringLiteral("Fornecedor:")
                                         : QStringLiteral("Requisitante:"));
    m_contraparte->setRegras(regrasContraparte());
    limpa();
}

void TfEstorno_Estq::limpa()
{
    m_edCodPro->clear();
    m_edDescPro->clear();
    m_edCodBar->clear();
    m_edUnid->clear();
    m_edQuantAtual->setText(QStringLiteral("0,000"));
    m_dtpData->setDate(QDate::currentDate());
    m_edQuant->setText(QStringLiteral("0,000"));
    m_edValor->setText(QStringLiteral("R$ 0,00"));
    m_edDoc->clear();
    m_edCodReq->clear();
    m_edNomeReq->clear();
    m_produto->esquece();
    m_contraparte->esquece();
    m_edCodPro->setFocus();
}

void TfEstorno_Estq::mostraProduto(const Produto& p)
{
    m_edDescPro->setText(p.descricao);
    m_edQuantAtual->setText(Formatos::numero(p.quantidade, 3));
    // The average cost is what the reversed goods are worth unless the user says otherwise.
    m_edValor->setText(Formatos::moeda(p.valor, 2));
    m_edUnid->setText(p.unidade);
}

void TfEstorno_Estq::grava()
{
    // The click that left a field has just had that field's value refused (and been told
    // why): it must not record the reversal without what the user meant to give it.
    if (!m_produto->podeGravar() || !m_contraparte->podeGravar())
        return;

    const std::optional<Decimal> quantidade = numeroDe(m_edQuant);
    if (m_edCodPro->text().trimmed().isEmpty() || (quantidade && *quantidade <= Decimal())) {
        Mensagens::erro(nadaEscolhido, this);
        m_edCodPro->setFocus();
        return;
    }
    if (!quantidade) {
        Mensagens::erro(naoEhNumero(m_edQuant->text()), this);
        m_edQuant->setFocus();
        return;
    }
    m_edValor->setText(Funcoes::LimpaNumero(m_edValor->text()));
    m_edQuant->setText(Funcoes::LimpaNumero(m_edQuant->text()));
    const std::optional<Decimal> unitario = numeroDe(m_edValor);
    if (!unitario) {
        Mensagens::erro(naoEhNumero(m_edValor->text()), this);
        m_edValor->setFocus();
        return;
    }

    const Lancamentos::Estorno estorno{.operacao = deEntrada() ? QStringLiteral("TE")
                                                               : QStringLiteral("TS"),
                                       .produto = m_edCodPro->text(),
                                       .data = m_dtpData->date(),
                                       .quantidade = *quantidade,
                                       .unitario = *unitario,
                                       .documento = m_edDoc->text(),
                                       .contraparte = m_edCodReq->text()};
    try {
        Lancamentos::gravaEstorno(m_app.conexao(), estorno, Movimento::usuarioLog(m_app));
    } catch (const Lancamentos::ProdutoInexistente&) {
        return Movimento::recusa(this, produtoSumiu, m_edCodPro);
    } catch (const Lancamentos::ProdutoNaoConsumivel&) {
        return Movimento::recusa(this, naoConsumivel, m_edCodPro);
    } catch (const std::exception&) {
        // A database failure, or figures too large to be stored: everything was rolled back,
        // and the fields stay as they are for another try.
        Mensagens::aviso(falhaGravacao, this);
        return;
    }
    limpa();
}
