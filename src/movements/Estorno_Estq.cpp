#include "movements/Estorno_Estq.h"

#include "app/Aplicacao.h"
#include "app/Principal.h"
#include "common/Convencoes.h"
#include "common/EditH.h"
#include "common/Formatos.h"
#include "common/Funcoes.h"
#include "common/Mensagens.h"
#include "common/Modal.h"
#include "data/firebird/ErroBanco.h"
#include "movements/Lancamentos.h"
#include "registers/Busca_Fornecedor.h"
#include "registers/Busca_Produtos.h"
#include "registers/Busca_REQ.h"
#include "data/DataModule_Fornecedor.h"
#include "data/DataModule_Produtos.h"
#include "data/DataModule_Req.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <optional>
#include <utility>

namespace {

const QString origemProduto = QStringLiteral("Estorno Estoque");
const QString origemContraparte = QStringLiteral("Estorno");

const QString produtoNaoEncontrado = QStringLiteral("Produto não Encontrado !");
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

Decimal decimalDe(const QVariant& v)
{
    if (v.isNull())
        return Decimal();
    if (v.metaType() == QMetaType::fromType<Decimal>())
        return v.value<Decimal>();
    return Decimal::deInteiro(v.toLongLong());
}

// What a person typed in a quantity or money field, read exactly.
std::optional<Decimal> numeroDe(const QLineEdit* campo)
{
    return Formatos::converte(Funcoes::LimpaNumero(campo->text()));
}

QLineEdit* novoCampo(QWidget* pai, const char* nome)
{
    auto* campo = new QLineEdit(pai);
    campo->setObjectName(QLatin1String(nome));
    return campo;
}

QPushButton* novoBotao(QWidget* pai, const QString& texto, const char* nome)
{
    auto* botao = new QPushButton(texto, pai);
    botao->setObjectName(QLatin1String(nome));
    botao->setAutoDefault(false);
    return botao;
}

} // namespace

TfEstorno_Estq::TfEstorno_Estq(Aplicacao& app, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_app(app)
{
    setObjectName(QStringLiteral("TfEstorno_Estq"));
    setWindowTitle(QStringLiteral("Estorno de Entrada"));

    m_lbTitulo = new QLabel(windowTitle(), this);
    m_lbTitulo->setObjectName(QStringLiteral("lEstorno_Titulo"));
    QFont fonte = m_lbTitulo->font();
    fonte.setPointSize(fonte.pointSize() + 4);
    fonte.setBold(true);
    m_lbTitulo->setFont(fonte);

    m_edCodPro = novoCampo(this, "edEST_CodPro");
    m_edCodPro->setAlignment(Qt::AlignRight);
    m_edDescPro = novoCampo(this, "edEst_DescPro");
    auto* btnBuscaPro = novoBotao(this, QStringLiteral("..."), "btnEST_BuscaPro");
    m_edCodBar = novoCampo(this, "edEST_CodBar");
    m_edUnid = novoCampo(this, "edEst_Unid");
    m_edQuantAtual = novoCampo(this, "edEst_QuantAtual");
    m_dtpData = new QDateEdit(this);
    m_dtpData->setObjectName(QStringLiteral("dtpEst_Data"));
    m_dtpData->setCalendarPopup(true);
    m_dtpData->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    m_edQuant = novoCampo(this, "EdEst_Quant");
    m_edValor = novoCampo(this, "edEST_Valor");
    m_edDoc = novoCampo(this, "edEst_Doc");
    m_edCodReq = new TEditH(this);
    m_edCodReq->setObjectName(QStringLiteral("edEST_CodReq"));
    m_edNomeReq = new TEditH(this);
    m_edNomeReq->setObjectName(QStringLiteral("edEST_NomeReq"));
    m_edNomeReq->setReadOnly(true);
    auto* btnBuscaReq = novoBotao(this, QStringLiteral("..."), "btnBuscaReq");
    auto* btnGrava = novoBotao(this, QStringLiteral("Grava"), "btnEst_Grava");
    auto* btnFecha = novoBotao(this, QStringLiteral("Fechar"), "btnEst_Fecha");

    for (QLineEdit* numero : {m_edQuantAtual, m_edQuant, m_edValor}) {
        numero->setAlignment(Qt::AlignRight);
        Convencoes::filtroDecimal(numero);
    }
    Convencoes::formatoQuantidade(m_edQuantAtual);
    Convencoes::formatoQuantidade(m_edQuant);
    Convencoes::formatoMoeda(m_edValor);

    auto* lbPreco = new QLabel(QStringLiteral("Valor:"), this);
    lbPreco->setObjectName(QStringLiteral("lEst_Preco"));
    m_lbContraparte = new QLabel(QStringLiteral("Fornecedor:"), this);
    m_lbContraparte->setObjectName(QStringLiteral("lbRequisitante"));

    auto* grade = new QGridLayout;
    int linha = 0;
    auto rotulo = [&](const QString& texto) { return new QLabel(texto, this); };
    grade->addWidget(rotulo(QStringLiteral("Código:")), linha, 0);
    grade->addWidget(m_edCodPro, linha, 1);
    ++linha;
    grade->addWidget(rotulo(QStringLiteral("Descrição:")), linha, 0);
    grade->addWidget(m_edDescPro, linha, 1, 1, 2);
    grade->addWidget(btnBuscaPro, linha, 3);
    ++linha;
    grade->addWidget(rotulo(QStringLiteral("Código de Barras:")), linha, 0);
    grade->addWidget(m_edCodBar, linha, 1);
    ++linha;
    grade->addWidget(rotulo(QStringLiteral("Unidade:")), linha, 0);
    grade->addWidget(m_edUnid, linha, 1);
    ++linha;
    grade->addWidget(rotulo(QStringLiteral("Quantidade Atual no Estoque:")), linha, 0);
    grade->addWidget(m_edQuantAtual, linha, 1);
    ++linha;
    grade->addWidget(rotulo(QStringLiteral("Data:")), linha, 0);
    grade->addWidget(m_dtpData, linha, 1);
    ++linha;
    grade->addWidget(rotulo(QStringLiteral("Quantidade:")), linha, 0);
    grade->addWidget(m_edQuant, linha, 1);
    ++linha;
    grade->addWidget(lbPreco, linha, 0);
    grade->addWidget(m_edValor, linha, 1);
    ++linha;
    grade->addWidget(rotulo(QStringLiteral("Documento:")), linha, 0);
    grade->addWidget(m_edDoc, linha, 1, 1, 2);
    ++linha;
    grade->addWidget(m_lbContraparte, linha, 0);
    grade->addWidget(m_edCodReq, linha, 1);
    grade->addWidget(m_edNomeReq, linha, 2);
    grade->addWidget(btnBuscaReq, linha, 3);
    grade->setColumnStretch(2, 1);

    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(btnGrava);
    botoes->addWidget(btnFecha);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lbTitulo);
    layout->addLayout(grade);
    layout->addLayout(botoes);
    resize(640, 420);

    // Enter and Tab walk the fields in the order the stock room fills them in.
    const QList<QWidget*> ordem{m_edCodPro,     m_edDescPro, btnBuscaPro, m_edCodBar, m_edUnid,
                                m_edQuantAtual, m_dtpData,   m_edQuant,   m_edValor,  m_edDoc,
                                m_edCodReq,     m_edNomeReq, btnBuscaReq, btnGrava,   btnFecha};
    for (int i = 1; i < ordem.size(); ++i)
        setTabOrder(ordem[i - 1], ordem[i]);

    // A padded code ("        12") is typed over more easily without its blanks.
    Convencoes::aoEntrar(m_edCodPro, this, [this] {
        const QString aparado = m_edCodPro->text().trimmed();
        if (aparado != m_edCodPro->text())
            m_edCodPro->setText(aparado);
    });
    Convencoes::aoSair(m_edCodPro, this, [this] { saiCodigo(); });
    Convencoes::aoSair(m_edCodBar, this, [this] { saiCodigoBarras(); });
    Convencoes::aoSair(m_edCodReq, this, [this] { saiContraparte(); });
    Convencoes::teclaF5(m_edCodPro, [this] { buscaProduto(); });
    Convencoes::teclaF5(m_edCodReq, [this] { buscaContraparte(); });
    connect(btnBuscaPro, &QPushButton::clicked, this, &TfEstorno_Estq::buscaProduto);
    connect(btnBuscaReq, &QPushButton::clicked, this, &TfEstorno_Estq::buscaContraparte);
    connect(btnGrava, &QPushButton::clicked, this, &TfEstorno_Estq::grava);
    connect(btnFecha, &QPushButton::clicked, this, &QDialog::accept);

    // The search windows hand their pick back into these fields.
    m_app.janela<TfBusca_Produtos>().registraDestino(origemProduto, m_edCodPro);
    m_app.janela<TfBusca_REQ>().registraDestino(origemContraparte, m_edCodReq);
    m_app.janela<TfBusca_Fornecedor>().registraDestino(origemContraparte, m_edCodReq);

    Convencoes::coresDeFoco(this);
    Convencoes::enterComoTab(this);
    limpa();
}

bool TfEstorno_Estq::deEntrada() const
{
    return m_app.principal().TipoEstorno == QLatin1String("TE");
}

void TfEstorno_Estq::showEvent(QShowEvent* e)
{
    // The window system confirms the showing with a second, spontaneous event; the opening
    // runs once.
    if (!e->spontaneous()) {
        const QString titulo =
            deEntrada() ? QStringLiteral("Estorno de Entrada") : QStringLiteral("Estorno de Saída");
        setWindowTitle(titulo);
        m_lbTitulo->setText(titulo);
        m_lbContraparte->setText(deEntrada() ? QStringLiteral("Fornecedor:")
                                             : QStringLiteral("Requisitante:"));
        limpa();
    }
    QDialog::showEvent(e);
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
    m_recusou = false;
    m_edCodPro->setFocus();
}

void TfEstorno_Estq::saiCodigo()
{
    m_recusou = false;
    const QString texto = m_edCodPro->text();
    if (texto.trimmed().isEmpty())
        return;
    mostraProduto(QStringLiteral("Select * FROM PRODUTOS Where PRO_Codigo=:CodigoC"),
                  QStringLiteral("CodigoC"), Funcoes::codigoProduto(texto), m_edCodPro);
}

void TfEstorno_Estq::saiCodigoBarras()
{
    m_recusou = false;
    const QString texto = m_edCodBar->text();
    if (texto.trimmed().isEmpty())
        return;
    mostraProduto(QStringLiteral("Select * FROM PRODUTOS Where PRO_CodBar=:CodBarC"),
                  QStringLiteral("CodBarC"), texto, m_edCodBar);
}

void TfEstorno_Estq::mostraProduto(const QString& sql, const QString& parametro,
                                   const QString& valor, QLineEdit* campoRecusado)
{
    Consulta& q = m_app.dmProdutos().SQLQ_Produtos;
    q.setSql(sql);
    q.setParametro(parametro, valor);
    Resultado r;
    try {
        r = q.abre(nullptr, 1);
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
        return;
    }
    if (r.vazio()) {
        Mensagens::informacao(produtoNaoEncontrado, this);
        campoRecusado->clear();
        m_recusou = true;
        Convencoes::devolveFoco(campoRecusado);
        return;
    }
    // A lent-out item comes back through its return, never through a reversal.
    if (r.valor(0, QStringLiteral("PRO_Consumivel")).toString() == QLatin1String("N")) {
        Mensagens::erro(naoConsumivel, this);
        m_edCodPro->clear();
        m_edCodBar->clear();
        m_recusou = true;
        Convencoes::devolveFoco(campoRecusado);
        return;
    }
    m_edCodPro->setText(r.valor(0, QStringLiteral("PRO_Codigo")).toString());
    m_edDescPro->setText(r.valor(0, QStringLiteral("PRO_Descricao")).toString());
    m_edQuantAtual->setText(
        Formatos::numero(decimalDe(r.valor(0, QStringLiteral("PRO_Quant"))), 3));
    m_edCodBar->setText(r.valor(0, QStringLiteral("PRO_CodBar")).toString());
    // The average cost is what the reversed goods are worth unless the user says otherwise.
    m_edValor->setText(Formatos::moeda(decimalDe(r.valor(0, QStringLiteral("PRO_Valor"))), 2));
    m_edUnid->setText(r.valor(0, QStringLiteral("PRO_Unid")).toString());
}

void TfEstorno_Estq::saiContraparte()
{
    m_recusou = false;
    const QString texto = m_edCodReq->text();
    if (texto.trimmed().isEmpty()) {
        // No counterpart is allowed; no name may be left beside an empty code.
        m_edNomeReq->clear();
        return;
    }
    const bool entrada = deEntrada();
    const QString codigo = entrada ? Funcoes::codigoFornecedor(texto) : Funcoes::codigoSeis(texto);
    if (codigo != texto)
        m_edCodReq->setText(codigo);
    Consulta& q = entrada ? m_app.dmFornecedor().SQLQFornecedor : m_app.dmReq().SQLQ_Req;
    q.setSql(entrada ? QStringLiteral("Select FOR_Razao From Fornecedor Where FOR_Codigo=:CodigoC")
                     : QStringLiteral("Select * FROM Requisitante Where REQ_Codigo=:CodigoC"));
    q.setParametro(QStringLiteral("CodigoC"), codigo);
    Resultado r;
    try {
        r = q.abre(nullptr, 1);
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
        return;
    }
    if (r.vazio()) {
        if (entrada) {
            Mensagens::erro(QStringLiteral("Fornecedor não Cadastrado"), this);
            m_edNomeReq->clear();
        } else {
            Mensagens::informacao(QStringLiteral("Requisitante não Encontrado !"), this);
        }
        m_edCodReq->clear();
        m_recusou = true;
        Convencoes::devolveFoco(m_edCodReq);
        return;
    }
    if (entrada) {
        m_edNomeReq->setText(r.valor(0, QStringLiteral("FOR_Razao")).toString());
    } else {
        m_edCodReq->setText(r.valor(0, QStringLiteral("REQ_Codigo")).toString());
        m_edNomeReq->setText(r.valor(0, QStringLiteral("REQ_Descricao")).toString());
    }
}

void TfEstorno_Estq::buscaProduto()
{
    TfBusca_Produtos& busca = m_app.janela<TfBusca_Produtos>();
    busca.Origem = origemProduto;
    Modal::exec(&busca);
}

void TfEstorno_Estq::buscaContraparte()
{
    // An entry came from a supplier, an exit went to a requisitioner.
    Familia::JanelaBusca* busca = deEntrada()
                                      ? static_cast<Familia::JanelaBusca*>(&m_app.janela<TfBusca_Fornecedor>())
                                      : static_cast<Familia::JanelaBusca*>(&m_app.janela<TfBusca_REQ>());
    busca->Origem = origemContraparte;
    Modal::exec(busca);
}

void TfEstorno_Estq::grava()
{
    // The click that left a field has just had that field's value refused (and been told
    // why): it must not record the reversal without what the user meant to give it.
    if (std::exchange(m_recusou, false))
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

    Lancamentos::Estorno estorno;
    estorno.operacao = deEntrada() ? QStringLiteral("TE") : QStringLiteral("TS");
    estorno.produto = m_edCodPro->text();
    estorno.data = m_dtpData->date();
    estorno.quantidade = *quantidade;
    estorno.unitario = *unitario;
    estorno.documento = m_edDoc->text();
    estorno.contraparte = m_edCodReq->text();
    TfPrincipal& principal = m_app.principal();
    const std::optional<QString> usuarioLog =
        principal.registraLog() ? std::optional<QString>(principal.CodUsuario) : std::nullopt;

    try {
        Lancamentos::gravaEstorno(m_app.conexao(), estorno, usuarioLog);
    } catch (const Lancamentos::ProdutoInexistente&) {
        Mensagens::erro(produtoSumiu, this);
        m_edCodPro->setFocus();
        return;
    } catch (const Lancamentos::ProdutoNaoConsumivel&) {
        Mensagens::erro(naoConsumivel, this);
        m_edCodPro->setFocus();
        return;
    } catch (const std::exception&) {
        // A database failure, or figures too large to be stored: everything was rolled back,
        // and the fields stay as they are for another try.
        Mensagens::aviso(falhaGravacao, this);
        return;
    }
    limpa();
}
