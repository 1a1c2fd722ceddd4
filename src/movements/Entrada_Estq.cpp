#include "movements/Entrada_Estq.h"

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
#include "data/DataModule_Fornecedor.h"
#include "data/DataModule_Produtos.h"

#include <QDateEdit>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <optional>

namespace {

const QString origemProduto = QStringLiteral("Entrada Estoque");
const QString origemFornecedor = QStringLiteral("Entrada");
const QString produtoNaoEncontrado = QStringLiteral("Produto não Encontrado !");
const QString fornecedorNaoCadastrado = QStringLiteral("Fornecedor não Cadastrado");
const QString quantidadeZero = QStringLiteral("Quantidade deve ser maior que 0");
const QString falhaGravacao = QStringLiteral("Não Consegui Gravar, tente novamente !");

const QString zeroQuantidade = QStringLiteral("0,000");
const QString zeroMoeda = QStringLiteral("R$ 0,00");

QLineEdit* campo(QWidget* pai, const char* nome, int limite = 0)
{
    auto* c = new QLineEdit(pai);
    c->setObjectName(QLatin1String(nome));
    // The limits are the columns' widths: what is typed past them could not be stored, and
    // every value the window writes itself comes from those same columns.
    if (limite > 0)
        c->setMaxLength(limite);
    return c;
}

QPushButton* botao(QWidget* pai, const QString& texto, const char* nome)
{
    auto* b = new QPushButton(texto, pai);
    b->setObjectName(QLatin1String(nome));
    b->setAutoDefault(false);
    return b;
}

Decimal comoDecimal(const QVariant& v)
{
    if (v.isNull())
        return Decimal();
    if (v.metaType() == QMetaType::fromType<Decimal>())
        return v.value<Decimal>();
    return Decimal::deInteiro(v.toLongLong());
}

// The number a field holds, formatted or bare ("R$ 1.234,56", "1.234,500", "12").
std::optional<Decimal> numeroDe(const QLineEdit* campo)
{
    return Formatos::converte(Funcoes::LimpaNumero(campo->text()));
}

void erroDeConversao(QLineEdit* campo, QWidget* janela)
{
    Mensagens::erro(
        QStringLiteral("'%1' não é um número válido").arg(Funcoes::LimpaNumero(campo->text())),
        janela);
    campo->setFocus();
}

} // namespace

TfEntrada_Estq::TfEntrada_Estq(Aplicacao& app, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_app(app)
{
    setObjectName(QStringLiteral("TfEntrada_Estq"));
    setWindowTitle(QStringLiteral("Entrada de Estoque"));

    auto* titulo = new QLabel(QStringLiteral("Entrada no Estoque"), this);
    titulo->setObjectName(QStringLiteral("lbEntrada_Titulo"));
    QFont f = titulo->font();
    f.setPointSize(f.pointSize() + 4);
    f.setBold(true);
    titulo->setFont(f);

    m_edENT_CodPRO = campo(this, "edENT_CodPRO", 10);
    m_edENT_CodPRO->setAlignment(Qt::AlignRight);
    m_edEnt_DescPro = campo(this, "edEnt_DescPro");
    m_edEnt_DescPro->setReadOnly(true);
    m_btnENT_Estoque_BuscaPRO = botao(this, QStringLiteral("..."), "btnENT_Estoque_BuscaPRO");
    m_edENT_CodBar = campo(this, "edENT_CodBar", 14);
    m_edENT_Unid = campo(this, "edENT_Unid", 3);
    m_edEnt_QuantAtual = campo(this, "edEnt_QuantAtual");
    m_edEnt_QuantAtual->setReadOnly(true);
    m_edEnt_Quant = campo(this, "edEnt_Quant");
    m_dtpEnt_Data = new QDateEdit(this);
    m_dtpEnt_Data->setObjectName(QStringLiteral("dtpEnt_Data"));
    m_dtpEnt_Data->setCalendarPopup(true);
    m_dtpEnt_Data->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    m_edEnt_Documento = campo(this, "edEnt_Documento", 20);
    m_edEnt_Valor = campo(this, "edEnt_Valor");
    for (QLineEdit* c : {m_edEnt_QuantAtual, m_edEnt_Quant, m_edEnt_Valor}) {
        c->setAlignment(Qt::AlignRight);
        Convencoes::filtroDecimal(c);
    }
    Convencoes::formatoQuantidade(m_edEnt_QuantAtual);
    Convencoes::formatoQuantidade(m_edEnt_Quant);
    Convencoes::formatoMoeda(m_edEnt_Valor);
    m_edENT_CodFor = new TEditH(this);
    m_edENT_CodFor->setObjectName(QStringLiteral("edENT_CodFor"));
    m_edENT_CodFor->setMaxLength(10);
    m_edENT_RazaoFor = new TEditH(this);
    m_edENT_RazaoFor->setObjectName(QStringLiteral("edENT_RazaoFor"));
    m_btnBuscaFornecedor = botao(this, QStringLiteral("..."), "btnBuscaFornecedor");
    m_edENT_Local = campo(this, "edENT_Local", 10);
    m_edENT_Min = campo(this, "edENT_Min");
    m_edENT_Max = campo(this, "edENT_Max");
    for (QLineEdit* c : {m_edENT_Min, m_edENT_Max}) {
        c->setAlignment(Qt::AlignRight);
        Convencoes::filtroInteiro(c);
    }
    m_edEnt_Refer = campo(this, "edEnt_Refer", 20);
    m_edENT_Obs = new QPlainTextEdit(this);
    m_edENT_Obs->setObjectName(QStringLiteral("edENT_Obs"));
    m_edENT_Obs->setTabChangesFocus(true);
    m_edENT_Obs->setMaximumHeight(70);
    m_btnEntrada_Grava = botao(this, QStringLiteral("Grava"), "btnEntrada_Grava");
    m_btnEntrada_Fechar = botao(this, QStringLiteral("Fechar"), "btnEntrada_Fechar");

    auto* grade = new QGridLayout;
    auto rotulo = [this](const QString& texto) { return new QLabel(texto, this); };
    grade->addWidget(rotulo(QStringLiteral("Código:")), 0, 0);
    grade->addWidget(m_edENT_CodPRO, 0, 1);
    grade->addWidget(rotulo(QStringLiteral("Descrição:")), 0, 2);
    auto* linhaDescricao = new QHBoxLayout;
    linhaDescricao->addWidget(m_edEnt_DescPro, 1);
    linhaDescricao->addWidget(m_btnENT_Estoque_BuscaPRO);
    grade->addLayout(linhaDescricao, 0, 3, 1, 3);
    grade->addWidget(rotulo(QStringLiteral("Código de Barras:")), 1, 0);
    grade->addWidget(m_edENT_CodBar, 1, 1);
    grade->addWidget(rotulo(QStringLiteral("Unidade:")), 1, 2);
    grade->addWidget(m_edENT_Unid, 1, 3);
    grade->addWidget(rotulo(QStringLiteral("Quantidade atual em Estoque:")), 2, 0);
    grade->addWidget(m_edEnt_QuantAtual, 2, 1);
    grade->addWidget(rotulo(QStringLiteral("Quantidade:")), 2, 2);
    grade->addWidget(m_edEnt_Quant, 2, 3);
    grade->addWidget(rotulo(QStringLiteral("Data:")), 3, 0);
    grade->addWidget(m_dtpEnt_Data, 3, 1);
    grade->addWidget(rotulo(QStringLiteral("Documento:")), 3, 2);
    grade->addWidget(m_edEnt_Documento, 3, 3);
    grade->addWidget(rotulo(QStringLiteral("Valor")), 3, 4);
    grade->addWidget(m_edEnt_Valor, 3, 5);
    grade->addWidget(rotulo(QStringLiteral("Fornecedor:")), 4, 0);
    grade->addWidget(m_edENT_CodFor, 4, 1);
    auto* linhaFornecedor = new QHBoxLayout;
    linhaFornecedor->addWidget(m_edENT_RazaoFor, 1);
    linhaFornecedor->addWidget(m_btnBuscaFornecedor);
    grade->addLayout(linhaFornecedor, 4, 2, 1, 4);
    grade->addWidget(rotulo(QStringLiteral("Localização no Estoque:")), 5, 0);
    grade->addWidget(m_edENT_Local, 5, 1);
    grade->addWidget(rotulo(QStringLiteral("Estoque Mínimo:")), 5, 2);
    grade->addWidget(m_edENT_Min, 5, 3);
    grade->addWidget(rotulo(QStringLiteral("Estoque Máximo:")), 5, 4);
    grade->addWidget(m_edENT_Max, 5, 5);
    grade->addWidget(rotulo(QStringLiteral("Referência:")), 6, 0);
    grade->addWidget(m_edEnt_Refer, 6, 1);
    grade->addWidget(rotulo(QStringLiteral("Observações do Produto:")), 7, 0, Qt::AlignTop);
    grade->addWidget(m_edENT_Obs, 7, 1, 1, 5);

    auto* botoes = new QHBoxLayout;
    botoes->addStretch(1);
    botoes->addWidget(m_btnEntrada_Grava);
    botoes->addWidget(m_btnEntrada_Fechar);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titulo);
    layout->addLayout(grade);
    layout->addLayout(botoes);
    resize(820, 380);

    // The order Tab and Enter follow. The code field comes last: the window opens there, and
    // once the product is found the person goes round the whole form from the top.
    const QList<QWidget*> ordem = {m_edEnt_DescPro,     m_btnENT_Estoque_BuscaPRO,
                                   m_edENT_CodBar,      m_edENT_Unid,
                                   m_edEnt_QuantAtual,  m_edEnt_Quant,
                                   m_dtpEnt_Data,       m_edEnt_Documento,
                                   m_edEnt_Valor,       m_edENT_CodFor,
                                   m_edENT_RazaoFor,    m_btnBuscaFornecedor,
                                   m_edENT_Local,       m_edENT_Min,
                                   m_edENT_Max,         m_edEnt_Refer,
                                   m_edENT_Obs,         m_btnEntrada_Grava,
                                   m_btnEntrada_Fechar, m_edENT_CodPRO};
    for (qsizetype i = 1; i < ordem.size(); ++i)
        setTabOrder(ordem[i - 1], ordem[i]);

    connect(m_btnENT_Estoque_BuscaPRO, &QPushButton::clicked, this, &TfEntrada_Estq::buscaProduto);
    connect(m_btnBuscaFornecedor, &QPushButton::clicked, this, &TfEntrada_Estq::buscaFornecedor);
    connect(m_btnEntrada_Grava, &QPushButton::clicked, this, &TfEntrada_Estq::grava);
    connect(m_btnEntrada_Fechar, &QPushButton::clicked, this, &QDialog::accept);
    Convencoes::teclaF5(m_edENT_CodPRO, [this] { buscaProduto(); });
    Convencoes::teclaF5(m_edENT_CodFor, [this] { buscaFornecedor(); });
    Convencoes::aoEntrar(m_edENT_CodPRO, this, [this] { entraCodigo(); });
    Convencoes::aoSair(m_edENT_CodPRO, this, [this] { saiCodigo(); });
    Convencoes::aoEntrar(m_edENT_CodBar, this, [this] {
        if (m_recusado == m_edENT_CodBar)
            m_recusado = nullptr;
    });
    Convencoes::aoSair(m_edENT_CodBar, this, [this] { saiCodBar(); });
    Convencoes::aoEntrar(m_edENT_CodFor, this, [this] {
        if (m_recusado == m_edENT_CodFor)
            m_recusado = nullptr;
    });
    Convencoes::aoSair(m_edENT_CodFor, this, [this] { saiFornecedor(); });
    Convencoes::coresDeFoco(this);
    Convencoes::enterComoTab(this);

    m_app.janela<TfBusca_Produtos>().registraDestino(origemProduto, m_edENT_CodPRO);
    m_app.janela<TfBusca_Fornecedor>().registraDestino(origemFornecedor, m_edENT_CodFor);
    limpa();
}

void TfEntrada_Estq::showEvent(QShowEvent* e)
{
    // The window system confirms the showing with a second, spontaneous event; the opening
    // runs once.
    if (!e->spontaneous())
        limpa();
    QDialog::showEvent(e);
}

void TfEntrada_Estq::limpa()
{
    m_recusado = nullptr;
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

void TfEntrada_Estq::entraCodigo()
{
    // Whatever is on screen belongs to the code about to be typed over: no save until it has
    // been looked up again.
    m_btnEntrada_Grava->setEnabled(false);
    if (Convencoes::devolvendoFoco()) {
        // Back after "not found": the refused code stays as it was padded, selected so the
        // next one replaces it.
        if (m_recusado == m_edENT_CodPRO)
            m_recusado = nullptr;
        m_edENT_CodPRO->selectAll();
        return;
    }
    // A stored code carries its padding blanks; without them the person can retype it.
    const QString texto = m_edENT_CodPRO->text();
    const QString aparado = texto.trimmed();
    if (aparado != texto)
        m_edENT_CodPRO->setText(aparado);
}

void TfEntrada_Estq::saiCodigo()
{
    const QString texto = m_edENT_CodPRO->text();
    if (texto.trimmed().isEmpty())
        return;
    const QString codigo = Funcoes::codigoProduto(texto);
    if (codigo != texto)
        m_edENT_CodPRO->setText(codigo);
    Consulta& q = m_app.dmProdutos().SQLQ_Produtos;
    q.setSql(QStringLiteral("Select * FROM PRODUTOS Where PRO_Codigo=:CodigoC"));
    q.setParametro(QStringLiteral("CodigoC"), codigo);
    Resultado r;
    try {
        r = q.abre(nullptr, 1);
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
        return;
    }
    if (r.vazio()) {
        Mensagens::informacao(produtoNaoEncontrado, this);
        recusa(m_edENT_CodPRO);
        return;
    }
    mostraProduto(r);
}

void TfEntrada_Estq::saiCodBar()
{
    const QString texto = m_edENT_CodBar->text();
    if (texto.trimmed().isEmpty())
        return;
    Consulta& q = m_app.dmProdutos().SQLQ_Produtos;
    q.setSql(QStringLiteral("Select * FROM PRODUTOS Where PRO_CodBar=:CodBarC"));
    q.setParametro(QStringLiteral("CodBarC"), texto);
    Resultado r;
    try {
        r = q.abre(nullptr, 1);
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
        return;
    }
    if (r.vazio()) {
        // The product found before, if any, is still the one "Grava" would save.
        Mensagens::informacao(produtoNaoEncontrado, this);
        recusa(m_edENT_CodBar);
        return;
    }
    mostraProduto(r);
}

void TfEntrada_Estq::mostraProduto(const Resultado& r)
{
    m_edENT_CodPRO->setText(r.valor(0, QStringLiteral("PRO_Codigo")).toString());
    m_edEnt_DescPro->setText(r.valor(0, QStringLiteral("PRO_Descricao")).toString());
    m_edEnt_QuantAtual->setText(
        Formatos::numero(comoDecimal(r.valor(0, QStringLiteral("PRO_QUANT"))), 3));
    // The current average cost is the unit value proposed for this delivery.
    m_edEnt_Valor->setText(Formatos::moeda(comoDecimal(r.valor(0, QStringLiteral("PRO_Valor")))));
    m_edENT_Min->setText(Formatos::numero(comoDecimal(r.valor(0, QStringLiteral("PRO_Min"))), 0));
    m_edENT_Max->setText(Formatos::numero(comoDecimal(r.valor(0, QStringLiteral("PRO_EMAX"))), 0));
    m_edEnt_Refer->setText(r.valor(0, QStringLiteral("PRO_Refer")).toString());
    m_edENT_Obs->setPlainText(r.valor(0, QStringLiteral("PRO_Obs")).toString());
    m_edENT_Local->setText(r.valor(0, QStringLiteral("PRO_Local")).toString());
    m_edENT_Unid->setText(r.valor(0, QStringLiteral("PRO_Unid")).toString());
    m_edENT_CodBar->setText(r.valor(0, QStringLiteral("PRO_CodBar")).toString());
    m_btnEntrada_Grava->setEnabled(true);
}

void TfEntrada_Estq::saiFornecedor()
{
    const QString texto = m_edENT_CodFor->text();
    // An entry may come without a supplier.
    if (texto.trimmed().isEmpty())
        return;
    const QString codigo = Funcoes::codigoFornecedor(texto);
    if (codigo != texto)
        m_edENT_CodFor->setText(codigo);
    Consulta& q = m_app.dmFornecedor().SQLQFornecedor;
    q.setSql(QStringLiteral("Select FOR_Razao From Fornecedor Where FOR_Codigo=:CodigoC"));
    q.setParametro(QStringLiteral("CodigoC"), codigo);
    Resultado r;
    try {
        r = q.abre(nullptr, 1);
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
        return;
    }
    if (r.vazio()) {
        Mensagens::erro(fornecedorNaoCadastrado, this);
        m_edENT_CodFor->clear();
        m_edENT_RazaoFor->clear();
        recusa(m_edENT_CodFor);
        return;
    }
    m_edENT_RazaoFor->setText(r.valor(0, 0).toString());
    m_edENT_Local->setFocus();
}

void TfEntrada_Estq::recusa(QWidget* campo)
{
    m_recusado = campo;
    Convencoes::devolveFoco(campo);
}

void TfEntrada_Estq::buscaProduto()
{
    TfBusca_Produtos& busca = m_app.janela<TfBusca_Produtos>();
    busca.Origem = origemProduto;
    Modal::exec(&busca);
    // A pick puts its code in the code field and the focus there while this window is not
    // the active one, so the field's own entry never ran: the code still has to be looked up.
    if (focusWidget() == m_edENT_CodPRO)
        m_btnEntrada_Grava->setEnabled(false);
}

void TfEntrada_Estq::buscaFornecedor()
{
    TfBusca_Fornecedor& busca = m_app.janela<TfBusca_Fornecedor>();
    busca.Origem = origemFornecedor;
    Modal::exec(&busca);
}

void TfEntrada_Estq::grava()
{
    // The click on "Grava" took the focus from a field whose look-up has just said no.
    if (m_recusado)
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
    Lancamentos::Entrada e;
    e.produto = m_edENT_CodPRO->text();
    e.data = m_dtpEnt_Data->date();
    // The ledger and the stock keep grams; both get the same quantity.
    e.quantidade = quantidade->arredondado(3);
    e.unitario = *unitario;
    e.documento = m_edEnt_Documento->text();
    e.fornecedor =
        fornecedor.trimmed().isEmpty() ? QString() : Funcoes::codigoFornecedor(fornecedor);
    e.descricao = m_edEnt_DescPro->text();
    e.unidade = m_edENT_Unid->text();
    e.local = m_edENT_Local->text();
    e.observacoes = m_edENT_Obs->toPlainText();
    e.referencia = m_edEnt_Refer->text();
    e.minimo = *minimo;
    e.maximo = *maximo;

    TfPrincipal& principal = m_app.principal();
    std::optional<QString> usuarioLog;
    if (principal.registraLog())
        usuarioLog = principal.CodUsuario;
    try {
        Lancamentos::gravaEntrada(m_app.conexao(), e, usuarioLog);
    } catch (const std::exception&) {
        // A database failure, the product gone meanwhile, a stock that the entry would leave
        // at zero (no average cost), a figure beyond what the columns hold: nothing was kept,
        // and the window keeps what the person typed so they can correct it and try again.
        Mensagens::aviso(falhaGravacao, this);
        return;
    }
    limpa();
}
