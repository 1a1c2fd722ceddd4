#include "movements/Saida_Estq.h"

#include "app/Aplicacao.h"
#include "app/Principal.h"
#include "common/Convencoes.h"
#include "common/Formatos.h"
#include "common/Funcoes.h"
#include "common/Mensagens.h"
#include "common/Modal.h"
#include "data/firebird/ErroBanco.h"
#include "movements/Lancamentos.h"
#include "registers/Busca_Produtos.h"
#include "registers/Busca_REQ.h"
#include "data/DataModule_Produtos.h"
#include "data/DataModule_Req.h"

#include <QDateEdit>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <QValidator>

#include <optional>

namespace {

const QString origemProduto = QStringLiteral("Saída Estoque");
const QString origemRequisitante = QStringLiteral("Saida");
const QString sim = QStringLiteral("Sim");
const QString nao = QStringLiteral("Não");

const QString produtoNaoEncontrado = QStringLiteral("Produto não Encontrado !");
const QString requisitanteNaoEncontrado = QStringLiteral("Requisitante não Encontrado !");
const QString estoqueInsuficiente =
    QStringLiteral("Quantidade tem que ser igual ou menor que a Quantidade Atual em Estoque");
const QString semRequisitante = QStringLiteral("O Campo de Requisitante precisa ser preenchido !");
const QString semProduto =
    QStringLiteral("Nenhum Produto foi Escolhido, digite o Código do Produto !");
const QString falhaGravacao = QStringLiteral("Não consegui Gravar, Tente novamente !");

// Stops typing at the code's width, as a maximum length would, without cutting what the window
// itself writes: a code cut short is some other product's or requisitioner's code.
class AteCaracteres : public QValidator {
public:
    AteCaracteres(int largura, QObject* pai) : QValidator(pai), m_largura(largura) {}
    State validate(QString& texto, int&) const override
    {
        return texto.size() <= m_largura ? Acceptable : Invalid;
    }

private:
    int m_largura;
};

QLineEdit* novoCampo(QWidget* pai, const char* nome, bool aDireita = false)
{
    auto* c = new QLineEdit(pai);
    c->setObjectName(QLatin1String(nome));
    if (aDireita)
        c->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return c;
}

QDateEdit* novaData(QWidget* pai, const char* nome)
{
    auto* d = new QDateEdit(pai);
    d->setObjectName(QLatin1String(nome));
    d->setCalendarPopup(true);
    d->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    return d;
}

QPushButton* novoBotao(QWidget* pai, const char* nome, const QString& texto)
{
    auto* b = new QPushButton(texto, pai);
    b->setObjectName(QLatin1String(nome));
    b->setAutoDefault(false);
    return b;
}

QLabel* rotulo(QWidget* pai, const QString& texto, QWidget* campo)
{
    auto* l = new QLabel(texto, pai);
    l->setBuddy(campo);
    return l;
}

Decimal decimalDe(const QVariant& v)
{
    if (v.isNull())
        return Decimal();
    if (v.metaType() == QMetaType::fromType<Decimal>())
        return v.value<Decimal>();
    return Decimal::deInteiro(v.toLongLong());
}

// The number a field holds, read as the save reads it: the bare number is written back into
// the field first. A text that is not a number says so and keeps the user in the field.
std::optional<Decimal> numeroDoCampo(QLineEdit* campo, const QString& nome, QWidget* janela)
{
    const QString limpo = Funcoes::LimpaNumero(campo->text());
    campo->setText(limpo);
    const std::optional<Decimal> numero = Formatos::converte(limpo);
    if (!numero) {
        Mensagens::erro(QStringLiteral("O campo %1 não contém um número válido !").arg(nome),
                        janela);
        campo->setFocus();
    }
    return numero;
}

} // namespace

TfSaida_Estq::TfSaida_Estq(Aplicacao& app, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_app(app)
{
    setObjectName(QStringLiteral("TfSaida_Estq"));
    setWindowTitle(QStringLiteral("Saída do Estoque"));

    auto* titulo = new QLabel(QStringLiteral("Saída do Estoque"), this);
    titulo->setObjectName(QStringLiteral("lbSaida_Titulo"));
    QFont f = titulo->font();
    f.setPointSize(f.pointSize() + 4);
    f.setBold(true);
    titulo->setFont(f);

    m_edCodPro = novoCampo(this, "edSaida_CodPro", true);
    m_edCodPro->setValidator(new AteCaracteres(10, m_edCodPro));
    m_edDescPro = novoCampo(this, "edSaida_DescPro");
    m_btnBuscaPro = novoBotao(this, "btnSaida_Estoque_BuscaPRO", QStringLiteral("..."));
    m_edCodBar = novoCampo(this, "edSaida_CodBar");
    // No stored bar code is longer, and a longer one would only be refused by the database.
    m_edCodBar->setMaxLength(14);
    m_edUnid = novoCampo(this, "edSaida_Unid");
    m_edQuantAtual = novoCampo(this, "edSaida_QuantAtual", true);
    m_dtpData = novaData(this, "dtpSaida_Data");
    m_edCodReq = novoCampo(this, "edSaida_CodREQ");
    m_edCodReq->setValidator(new AteCaracteres(6, m_edCodReq));
    m_edDescReq = novoCampo(this, "edSaida_DescREQ");
    m_btnBuscaReq = novoBotao(this, "btnSaida_Estoque_BuscaTipo", QStringLiteral("..."));
    m_edQuant = novoCampo(this, "EdSaida_Quant", true);
    m_edValor = novoCampo(this, "edSaida_Valor", true);
    // Until a product to be valued is looked up, there is nothing to price.
    m_edValor->setReadOnly(true);
    m_edDoc = novoCampo(this, "edSaida_Doc");
    // The ledger and the loan keep 20 characters of the document.
    m_edDoc->setMaxLength(20);
    m_edConsumivel = novoCampo(this, "edSaida_consumivel");
    m_edConsumivel->setReadOnly(true);
    m_dtpDataD = novaData(this, "dtpSaida_DataD");
    m_lbDataD = rotulo(this, QStringLiteral("Data Prevista para Devolução:"), m_dtpDataD);
    m_lbDataD->setObjectName(QStringLiteral("lbSaida_DataD"));
    m_btnGrava = novoBotao(this, "btnSaida_Estq_Grava", QStringLiteral("Grava"));
    auto* fecha = novoBotao(this, "btnSaida_Estq_Fecha", QStringLiteral("Fechar"));

    auto* grade = new QGridLayout;
    int linha = 0;
    grade->addWidget(rotulo(this, QStringLiteral("Código:"), m_edCodPro), linha, 0);
    grade->addWidget(m_edCodPro, linha, 1);
    grade->addWidget(rotulo(this, QStringLiteral("Descrição:"), m_edDescPro), linha, 2);
    auto* descricao = new QHBoxLayout;
    descricao->addWidget(m_edDescPro, 1);
    descricao->addWidget(m_btnBuscaPro);
    grade->addLayout(descricao, linha++, 3);
    grade->addWidget(rotulo(this, QStringLiteral("Código de Barras:"), m_edCodBar), linha, 0);
    grade->addWidget(m_edCodBar, linha, 1);
    grade->addWidget(rotulo(this, QStringLiteral("Unidade:"), m_edUnid), linha, 2);
    grade->addWidget(m_edUnid, linha++, 3);
    grade->addWidget(rotulo(this, QStringLiteral("Quantidade Atual no Estoque:"), m_edQuantAtual),
                     linha, 0);
    grade->addWidget(m_edQuantAtual, linha, 1);
    grade->addWidget(rotulo(this, QStringLiteral("Data:"), m_dtpData), linha, 2);
    grade->addWidget(m_dtpData, linha++, 3);
    grade->addWidget(rotulo(this, QStringLiteral("Requisitante:"), m_edCodReq), linha, 0);
    grade->addWidget(m_edCodReq, linha, 1);
    auto* requisitante = new QHBoxLayout;
    requisitante->addWidget(m_edDescReq, 1);
    requisitante->addWidget(m_btnBuscaReq);
    grade->addLayout(requisitante, linha++, 2, 1, 2);
    grade->addWidget(rotulo(this, QStringLiteral("Quantidade:"), m_edQuant), linha, 0);
    grade->addWidget(m_edQuant, linha, 1);
    grade->addWidget(rotulo(this, QStringLiteral("Valor:"), m_edValor), linha, 2);
    grade->addWidget(m_edValor, linha++, 3);
    grade->addWidget(rotulo(this, QStringLiteral("Documento:"), m_edDoc), linha, 0);
    grade->addWidget(m_edDoc, linha, 1);
    grade->addWidget(rotulo(this, QStringLiteral("Consumível:"), m_edConsumivel), linha, 2);
    grade->addWidget(m_edConsumivel, linha++, 3);
    grade->addWidget(m_lbDataD, linha, 0);
    grade->addWidget(m_dtpDataD, linha++, 1);
    grade->setColumnStretch(3, 1);

    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(m_btnGrava);
    botoes->addWidget(fecha);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titulo);
    layout->addLayout(grade);
    layout->addStretch();
    layout->addLayout(botoes);
    resize(760, 330);

    const QList<QWidget*> ordem{
        m_edCodPro, m_edDescPro,    m_btnBuscaPro, m_edCodBar,    m_edUnid,  m_edQuantAtual,
        m_dtpData,  m_edCodReq,     m_edDescReq,   m_btnBuscaReq, m_edQuant, m_edValor,
        m_edDoc,    m_edConsumivel, m_dtpDataD,    m_btnGrava,    fecha};
    for (int i = 1; i < ordem.size(); ++i)
        setTabOrder(ordem[i - 1], ordem[i]);

    for (QLineEdit* c : {m_edQuantAtual, m_edQuant, m_edValor})
        Convencoes::filtroDecimal(c);
    Convencoes::formatoQuantidade(m_edQuantAtual);
    Convencoes::formatoQuantidade(m_edQuant);
    Convencoes::formatoMoeda(m_edValor);

    Convencoes::aoSair(m_edCodPro, this, [this] { saiCodigo(); });
    Convencoes::aoSair(m_edCodBar, this, [this] { saiCodigoBarras(); });
    Convencoes::aoSair(m_edCodReq, this, [this] { saiRequisitante(); });

    connect(m_btnBuscaPro, &QPushButton::clicked, this, &TfSaida_Estq::abreBuscaProduto);
    connect(m_btnBuscaReq, &QPushButton::clicked, this, &TfSaida_Estq::abreBuscaRequisitante);
    Convencoes::teclaF5(m_edCodPro, [this] { abreBuscaProduto(); });
    Convencoes::teclaF5(m_edCodReq, [this] { abreBuscaRequisitante(); });
    m_app.janela<TfBusca_Produtos>().registraDestino(origemProduto, m_edCodPro);
    m_app.janela<TfBusca_REQ>().registraDestino(origemRequisitante, m_edCodReq);

    connect(m_btnGrava, &QPushButton::clicked, this, &TfSaida_Estq::grava);
    connect(fecha, &QPushButton::clicked, this, &QDialog::accept);
    Convencoes::coresDeFoco(this);
    Convencoes::enterComoTab(this);
}

void TfSaida_Estq::showEvent(QShowEvent* e)
{
    // The window system confirms the showing with a second, spontaneous event; the opening
    // runs once.
    if (!e->spontaneous())
        limpa();
    QDialog::showEvent(e);
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
    m_produto.clear();
    m_edCodPro->setFocus();
}

bool TfSaida_Estq::procuraProduto(const QString& sql, const QString& parametro,
                                  const QString& valor, QLineEdit* campo, Resultado& produto)
{
    Consulta& q = m_app.dmProdutos().SQLQ_Produtos;
    q.setSql(sql);
    q.setParametro(parametro, valor);
    try {
        produto = q.abre(nullptr, 1);
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
        return false;
    }
    if (!produto.vazio())
        return true;
    Mensagens::informacao(produtoNaoEncontrado, this);
    Convencoes::devolveFoco(campo);
    return false;
}

void TfSaida_Estq::mostraProduto(const Resultado& produto)
{
    const auto texto = [&](const char* campo) {
        return produto.valor(0, QLatin1String(campo)).toString();
    };
    m_produto = texto("PRO_Codigo");
    m_edCodPro->setText(m_produto);
    m_edDescPro->setText(texto("PRO_Descricao"));
    m_edCodBar->setText(texto("PRO_CodBar"));
    m_edUnid->setText(texto("PRO_Unid"));
    m_edQuantAtual->setText(
        Formatos::numero(decimalDe(produto.valor(0, QStringLiteral("PRO_Quant"))), 3));
    m_edValor->setText(
        Formatos::moeda(decimalDe(produto.valor(0, QStringLiteral("PRO_Valor"))), 2));
    // Only an item that is lent out and comes back has a date to be returned by.
    const bool consumivel = texto("PRO_Consumivel") == QLatin1String("S");
    m_edConsumivel->setText(consumivel ? sim : nao);
    m_lbDataD->setVisible(!consumivel);
    m_dtpDataD->setVisible(!consumivel);
}

void TfSaida_Estq::saiCodigo()
{
    if (m_edCodPro->text().trimmed().isEmpty())
        return;
    const QString codigo = Funcoes::codigoProduto(m_edCodPro->text());
    m_edCodPro->setText(codigo);
    Resultado produto;
    if (!procuraProduto(QStringLiteral("Select * FROM PRODUTOS Where PRO_Codigo=:CodigoC"),
                        QStringLiteral("CodigoC"), codigo, m_edCodPro, produto))
        return;
    mostraProduto(produto);
    // A lent item is issued without a value; a consumable at the value shown, its average cost
    // unless the user types another.
    const bool consumivel = m_edConsumivel->text() == sim;
    m_edValor->setReadOnly(!consumivel);
    if (!consumivel)
        m_edValor->setText(QStringLiteral("R$ 0,00"));
}

void TfSaida_Estq::saiCodigoBarras()
{
    if (m_edCodBar->text().trimmed().isEmpty())
        return;
    Resultado produto;
    if (procuraProduto(QStringLiteral("Select * FROM PRODUTOS Where PRO_CodBar=:CodBarC"),
                       QStringLiteral("CodBarC"), m_edCodBar->text(), m_edCodBar, produto))
        mostraProduto(produto);
}

void TfSaida_Estq::saiRequisitante()
{
    if (m_edCodReq->text().trimmed().isEmpty())
        return;
    const QString codigo = Funcoes::codigoSeis(m_edCodReq->text());
    Consulta& q = m_app.dmReq().SQLQ_Req;
    q.setSql(QStringLiteral("Select * FROM Requisitante Where REQ_Codigo=:CodigoC"));
    q.setParametro(QStringLiteral("CodigoC"), codigo);
    Resultado r;
    try {
        r = q.abre(nullptr, 1);
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
        return;
    }
    if (r.vazio()) {
        Mensagens::informacao(requisitanteNaoEncontrado, this);
        m_edCodReq->clear();
        Convencoes::devolveFoco(m_edCodReq);
        return;
    }
    m_edCodReq->setText(r.valor(0, QStringLiteral("REQ_Codigo")).toString());
    m_edDescReq->setText(r.valor(0, QStringLiteral("REQ_Descricao")).toString());
}

void TfSaida_Estq::abreBuscaProduto()
{
    TfBusca_Produtos& busca = m_app.janela<TfBusca_Produtos>();
    busca.Origem = origemProduto;
    Modal::exec(&busca);
}

void TfSaida_Estq::abreBuscaRequisitante()
{
    TfBusca_REQ& busca = m_app.janela<TfBusca_REQ>();
    busca.Origem = origemRequisitante;
    Modal::exec(&busca);
}

void TfSaida_Estq::grava()
{
    // The fields describe the product last found; a code typed since, and not found, or no
    // look-up at all, leaves nothing that may be issued.
    if (m_produto.isEmpty() || m_edCodPro->text() != m_produto) {
        Mensagens::erro(semProduto, this);
        m_edCodPro->setFocus();
        return;
    }
    const std::optional<Decimal> valor = numeroDoCampo(m_edValor, QStringLiteral("Valor"), this);
    if (!valor)
        return;
    const std::optional<Decimal> quantidade =
        numeroDoCampo(m_edQuant, QStringLiteral("Quantidade"), this);
    if (!quantidade)
        return;
    const bool consumivel = m_edConsumivel->text() == sim;
    // A lent item must be known to be with someone, or it can never be asked back.
    if (!consumivel && m_edCodReq->text().trimmed().isEmpty()) {
        Mensagens::erro(semRequisitante, this);
        m_edCodReq->setFocus();
        return;
    }
    const TfPrincipal& principal = m_app.principal();
    const std::optional<QString> usuarioLog =
        principal.registraLog() ? std::optional<QString>(principal.CodUsuario) : std::nullopt;
    try {
        // Quantities are kept to the gram and amounts to the cent, as the fields show them.
        const Lancamentos::Saida saida{m_produto,
                                       m_dtpData->date(),
                                       quantidade->arredondado(3),
                                       valor->arredondado(2),
                                       m_edDoc->text(),
                                       m_edCodReq->text(),
                                       consumivel,
                                       m_dtpDataD->date()};
        // The quantity asked for is checked against the quantity stored when the save runs,
        // not the one on screen: another workstation may have issued the same product since.
        Lancamentos::gravaSaida(m_app.conexao(), saida, usuarioLog);
    } catch (const Lancamentos::EstoqueInsuficiente&) {
        Mensagens::erro(estoqueInsuficiente, this);
        return;
    } catch (const Lancamentos::ProdutoInexistente&) {
        Mensagens::informacao(produtoNaoEncontrado, this);
        m_edCodPro->setFocus();
        return;
    } catch (const std::exception&) {
        Mensagens::aviso(falhaGravacao, this);
        return;
    }
    limpa();
}
