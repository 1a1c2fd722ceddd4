#include "movements/Entrada_Estq.h"

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
#include "movements/Lancamentos.h"
#include "movements/Movimento.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>

using Movimento::numeroDe;

namespace {

const QString quantidadeZero = QStringLiteral("Quantidade deve ser maior que 0");
const QString falhaGravacao = QStringLiteral("Não Consegui Gravar, tente novamente !");

const QString zeroQuantidade = QStringLiteral("0,000");
const QString zeroMoeda = QStringLiteral("R$ 0,00");

void erroDeConversao(QLineEdit* campo, QWidget* janela)
{
    Mensagens::erro(
        QStringLiteral("'%1' não é um número válido").arg(Funcoes::LimpaNumero(campo->text())),
        janela);
    campo->setFocus();
}

} // namespace

TfEntrada_Estq::TfEntrada_Estq(Contexto& app, QWidget* parent)
    : Dialogo(parent, "TfEntrada_Estq", QStringLiteral("Entrada de Estoque")), m_app(app)
{
    using namespace Formulario;

    // The form, a line at a time: each field after its label, from the left. The limits are
    // the columns' widths: what is typed past them could not be stored.
    const QString procura = QStringLiteral("...");
    Quadro quadro(this);
    quadro.linha(
        {{QStringLiteral("Código:"), m_edENT_CodPRO = campo(this, "edENT_CodPRO", 10)},
         {QStringLiteral("Descrição:"),
          lado({m_edEnt_DescPro = campoLeitura(this, "edEnt_DescPro"),
                m_btnENT_Estoque_BuscaPRO = botao(this, "btnENT_Estoque_BuscaPRO", procura)},
               0),
          3}});
    quadro.linha(
        {{QStringLiteral("Código de Barras:"), m_edENT_CodBar = campo(this, "edENT_CodBar", 14)},
         {QStringLiteral("Unidade:"), m_edENT_Unid = campo(this, "edENT_Unid", 3)}});
    quadro.linha({{QStringLiteral("Quantidade atual em Estoque:"),
                   m_edEnt_QuantAtual = numero(this, "edEnt_QuantAtual", Numero::Quantidade)},
                  {QStringLiteral("Quantidade:"),
                   m_edEnt_Quant = numero(this, "edEnt_Quant", Numero::Quantidade)}});
    quadro.linha(
        {{QStringLiteral("Data:"), m_dtpEnt_Data = Formulario::data(this, "dtpEnt_Data")},
         {QStringLiteral("Documento:"), m_edEnt_Documento = campo(this, "edEnt_Documento", 20)},
         {QStringLiteral("Valor"), m_edEnt_Valor = numero(this, "edEnt_Valor", Numero::Moeda)}});
    quadro.linha(
        {{QStringLiteral("Fornecedor:"), m_edENT_CodFor = campoH(this, "edENT_CodFor", 10)},
         {lado({m_edENT_RazaoFor = campoH(this, "edENT_RazaoFor"),
                m_btnBuscaFornecedor = botao(this, "btnBuscaFornecedor", procura)},
               0),
          4}});
    quadro.linha({{QStringLiteral("Localização no Estoque:"),
                   m_edENT_Local = campo(this, "edENT_Local", 10)},
                  {QStringLiteral("Estoque Mínimo:"),
                   m_edENT_Min = numero(this, "edENT_Min", Numero::Inteiro)},
                  {QStringLiteral("Estoque Máximo:"),
                   m_edENT_Max = numero(this, "edENT_Max", Numero::Inteiro)}});
    quadro.linha({{QStringLiteral("Referência:"), m_edEnt_Refer = campo(this, "edEnt_Refer", 20)}});
    quadro.linha(
        {{QStringLiteral("Observações do Produto:"), m_edENT_Obs = memo(this, "edENT_Obs"), 5}});
    m_edENT_Obs->setMaximumHeight(70);
    m_btnEntrada_Grava = botao(this, "btnEntrada_Grava", QStringLiteral("Grava"));
    m_btnEntrada_Fechar = botao(this, "btnEntrada_Fechar", QStringLiteral("Fechar"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titulo(this, "lbEntrada_Titulo", QStringLiteral("Entrada no Estoque")));
    layout->addLayout(quadro.grade());
    layout->addLayout(fileira({}, {m_btnEntrada_Grava, m_btnEntrada_Fechar}));
    resize(820, 380);

    m_edENT_CodPRO->setAlignment(Qt::AlignRight);
    m_edEnt_QuantAtual->setReadOnly(true);

    // The order Tab and Enter follow. The code field comes last: the window opens there, and
    // once the product is found the person goes round the whole form from the top.
    ordemTab({m_edEnt_DescPro,     m_btnENT_Estoque_BuscaPRO,
              m_edENT_CodBar,      m_edENT_Unid,
              m_edEnt_QuantAtual,  m_edEnt_Quant,
              m_dtpEnt_Data,       m_edEnt_Documento,
              m_edEnt_Valor,       m_edENT_CodFor,
              m_edENT_RazaoFor,    m_btnBuscaFornecedor,
              m_edENT_Local,       m_edENT_Min,
              m_edENT_Max,         m_edEnt_Refer,
              m_edENT_Obs,         m_btnEntrada_Grava,
              m_btnEntrada_Fechar, m_edENT_CodPRO});
    liga();
}

void TfEntrada_Estq::liga()
{
    CamposProduto::Regras produto;
    produto.origem = QStringLiteral("Entrada Estoque");
    produto.botaoBusca = m_btnENT_Estoque_BuscaPRO;
    produto.aparaAoEntrar = true;
    // An unknown code stays as padded, the product shown before stays on screen; "Grava" stays
    // off after an unknown code and as it was after an unknown bar code.
    produto.mostra = [this](const Produto& p, CamposProduto::Via) { mostraProduto(p); };
    m_produto = new CamposProduto(m_app, m_edENT_CodPRO, m_edENT_CodBar, this, produto);
    // Whatever is on screen belongs to the code about to be typed over: no save until it has
    // been looked up again.
    connect(&m_produto->codigo(), &CampoCodigo::entrou, this,
            [this] { m_btnEntrada_Grava->setEnabled(false); });
    // A pick puts its code in the code field and the focus there while this window is not the
    // active one, so the field's own entry never ran: the code still has to be looked up.
    connect(&m_produto->codigo(), &CampoCodigo::buscaFechada, this, [this] {
        if (focusWidget() == m_edENT_CodPRO)
            m_btnEntrada_Grava->setEnabled(false);
    });

    // An entry may come without a supplier; one given must be in the register.
    CampoCodigo::Regras fornecedor = regrasDoFornecedor(
        m_app, m_edENT_RazaoFor, {QStringLiteral("Entrada"), m_btnBuscaFornecedor});
    m_fornecedor = new CampoCodigo(m_edENT_CodFor, this, fornecedor);
    connect(m_fornecedor, &CampoCodigo::achou, this, [this] { m_edENT_Local->setFocus(); });

    connect(m_btnEntrada_Grava, &QPushButton::clicked, this, &TfEntrada_Estq::grava);
    connect(m_btnEntrada_Fechar, &QPushButton::clicked, this, &QDialog::accept);
    Convencoes::coresDeFoco(this);
    Convencoes::enterComoTab(this);
    limpa();
}

void TfEntrada_Estq::limpa()
{
    m_produto->esquece();
    m_fornecedor->esquece();
    m_btnEntrada_Grava->setEnabled(false);
    m_edENT_CodPRO->clear();
    m_edEnt_DescPro->clear();
    m_edENT_CodBar->clear();
    m_edENT_Unid->clear();
    m_edEnt_QuantAtual->setText(zeroQuantidade);
    m_edEnt_Quant->setText(zeroQuantidade);
    m_dtpEnt_Data->setDate(QDate::currentDate());
    m_edEnt_Documento->clear();
    m_edEnt_Valor->setText(zeroMoeda);
    m_edENT_Local->clear();
    m_edENT_Min->setText(QStringLiteral("0"));
    m_edENT_Max->setText(QStringLiteral("0"));
    m_edEnt_Refer->setText(QStringLiteral("0"));
    m_edENT_Obs->clear();
    m_edENT_CodFor->clear();
    m_edENT_RazaoFor->clear();
    m_edENT_CodPRO->setFocus();
}

void TfEntrada_Estq::mostraProduto(const Produto& p)
{
    m_edEnt_DescPro->setText(p.descricao);
    m_edEnt_QuantAtual->setText(Formatos::numero(p.quantidade, 3));
    // The current average cost is the unit value proposed for this delivery.
    m_edEnt_Valor->setText(Formatos::moeda(p.valor));
    m_edENT_Min->setText(Formatos::numero(p.minimo, 0));
    m_edENT_Max->setText(Formatos::numero(p.maximo, 0));
    m_edEnt_Refer->setText(p.referencia);
    m_edENT_Obs->setPlainText(p.observacoes);
    m_edENT_Local->setText(p.local);
    m_edENT_Unid->setText(p.unidade);
    m_btnEntrada_Grava->setEnabled(true);
}

bool TfEntrada_Estq::podeGravar() const
{
    return m_produto->podeGravar() && m_fornecedor->podeGravar();
}

void TfEntrada_Estq::grava()
{
    if (!podeGravar())
        return;

    const std::optional<Decimal> quantidade = numeroDe(m_edEnt_Quant);
    if (!quantidade) {
        erroDeConversao(m_edEnt_Quant, this);
        return;
    }
    if (!(*quantidade > Decimal())) {
        Mensagens::erro(quantidadeZero, this);
        m_edEnt_Quant->setFocus();
        return;
    }
    for (QLineEdit* c : {m_edEnt_Valor, m_edEnt_Quant, m_edENT_Min, m_edENT_Max})
        c->setText(Funcoes::LimpaNumero(c->text()));
    const std::optional<Decimal> unitario = numeroDe(m_edEnt_Valor);
    if (!unitario) {
        erroDeConversao(m_edEnt_Valor, this);
        return;
    }
    const std::optional<Decimal> minimo = numeroDe(m_edENT_Min);
    const std::optional<Decimal> maximo = numeroDe(m_edENT_Max);
    if (!minimo || !maximo) {
        Mensagens::aviso(falhaGravacao, this);
        return;
    }

    const QString fornecedor = m_edENT_CodFor->text();
    try {
        // The ledger and the stock keep grams; both get the same quantity.
        const Lancamentos::Entrada e{.produto = m_edENT_CodPRO->text(),
                                     .data = m_dtpEnt_Data->date(),
                                     .quantidade = quantidade->arredondado(3),
                                     .unitario = *unitario,
                                     .documento = m_edEnt_Documento->text(),
                                     .fornecedor = fornecedor.trimmed().isEmpty()
                                                       ? QString()
                                                       : Funcoes::codigoFornecedor(fornecedor),
                                     .descricao = m_edEnt_DescPro->text(),
                                     .unidade = m_edENT_Unid->text(),
                                     .local = m_edENT_Local->text(),
                                     .observacoes = m_edENT_Obs->toPlainText(),
                                     .referencia = m_edEnt_Refer->text(),
                                     .minimo = *minimo,
                                     .maximo = *maximo};
        Lancamentos::gravaEntrada(m_app.conexao(), e, Movimento::usuarioLog(m_app));
    } catch (const std::exception&) {
        // A database failure, the product gone meanwhile, a stock that the entry would leave
        // at zero (no average cost), a figure beyond what the columns hold (or than the
        // program can count in grams): nothing was kept, and the window keeps what the person
        // typed so they can correct it and try again.
        Mensagens::aviso(falhaGravacao, this);
        return;
    }
    limpa();
}
