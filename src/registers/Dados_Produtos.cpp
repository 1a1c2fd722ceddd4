#include "registers/Dados_Produtos.h"

#include "app/Aplicacao.h"
#include "common/Convencoes.h"
#include "common/Decimal.h"
#include "common/Formatos.h"
#include "common/Funcoes.h"
#include "common/Mensagens.h"
#include "common/Modal.h"
#include "data/firebird/ErroBanco.h"
#include "registers/Busca_Grupos.h"
#include "registers/Familia.h"
#include "registers/Manut_Produtos.h"
#include "data/DataModule_Fornecedor.h"
#include "data/DataModule_Grupos.h"
#include "data/DataModule_MovEstq.h"
#include "data/DataModule_Produtos.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString falhaGravacao = QStringLiteral("Deu Erro, tente novamente !");
const QString dataVazia = QStringLiteral("  /  /    ");
const char* const limiteDigitacao = "limiteDigitacao";

// The highest unit value the field takes: above it the field keeps the user until it is
// corrected.
const Decimal valorMaximo(9999999999999, 2);

// A field that stops typing at `limite` characters.
void limita(QLineEdit* campo, int limite)
{
    campo->setProperty(limiteDigitacao, limite);
    campo->setMaxLength(limite);
}

// Writes a text the program made into a field whose typing is limited. QLineEdit cuts a text
// longer than its maximum length; a stored minimum of 1.234.567.890 shown cut to 1.234.567.
// would be saved back as 1234567. The limit grows to hold what the program writes and stays a
// limit on typing.
void escreve(QLineEdit* campo, const QString& texto)
{
    const int limite = campo->property(limiteDigitacao).toInt();
    if (limite > 0)
        campo->setMaxLength(std::max(limite, int(texto.size())));
    campo->setText(texto);
}

Decimal comoDecimal(const QVariant& v)
{
    if (v.isNull())
        return Decimal();
    if (v.metaType() == QMetaType::fromType<Decimal>())
        return v.value<Decimal>();
    return Decimal::deInteiro(v.toLongLong());
}

QLineEdit* campoTexto(QWidget* pai, const char* nome, int limite)
{
    auto* c = new QLineEdit(pai);
    c->setObjectName(QLatin1String(nome));
    if (limite > 0)
        limita(c, limite);
    return c;
}

QLineEdit* campoSoLeitura(QWidget* pai, const char* nome, Qt::FocusPolicy foco)
{
    auto* c = new QLineEdit(pai);
    c->setObjectName(QLatin1String(nome));
    c->setReadOnly(true);
    c->setFocusPolicy(foco);
    return c;
}

} // namespace

TfDados_Produtos::TfDados_Produtos(Aplicacao& app, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_app(app)
{
    setObjectName(QStringLiteral("TfDados_Produtos"));
    // The caption stays the same in every mode; the title label shows the mode.
    setWindowTitle(QStringLiteral("Inclusão de Produtos"));

    m_lbDados_Pro_Titulo = new QLabel(QStringLiteral("Inclusão de Produtos"), this);
    m_lbDados_Pro_Titulo->setObjectName(QStringLiteral("lbDados_Pro_Titulo"));
    QFont f = m_lbDados_Pro_Titulo->font();
    f.setPointSize(f.pointSize() + 4);
    f.setBold(true);
    m_lbDados_Pro_Titulo->setFont(f);

    m_edPRO_Codigo = campoTexto(this, "edPRO_Codigo", 10);
    m_edPRO_Codigo->setAlignment(Qt::AlignRight);
    m_edPRO_Descricao = campoTexto(this, "edPRO_Descricao", 50);
    m_edPRO_CodGru = campoTexto(this, "edPRO_CodGru", 6);
    m_btnDados_Pro_Busca = new QPushButton(QStringLiteral("..."), this);
    m_btnDados_Pro_Busca->setObjectName(QStringLiteral("btnDados_Pro_Busca"));
    m_btnDados_Pro_Busca->setToolTip(QStringLiteral("Faz a Busca de um Grupo pela Descrição."));
    m_btnDados_Pro_Busca->setFixedWidth(32);
    // Shown beside the group code; a click on it goes on to the search button.
    m_edPRO_NomeGru = campoSoLeitura(this, "edPRO_NomeGru", Qt::ClickFocus);
    m_edPRO_Quant = campoSoLeitura(this, "edPRO_Quant", Qt::NoFocus);
    m_edPRO_Quant->setAlignment(Qt::AlignRight);
    m_edPRO_Unid = campoTexto(this, "edPRO_Unid", 3);
    m_edPRO_Min = campoTexto(this, "edPRO_Min", 10);
    m_edPRO_Min->setAlignment(Qt::AlignRight);
    m_edPRO_EMax = campoTexto(this, "edPRO_EMax", 10);
    m_edPRO_EMax->setAlignment(Qt::AlignRight);
    m_edPRO_Valor = campoTexto(this, "edPRO_Valor", 14);
    m_edPRO_Valor->setAlignment(Qt::AlignRight);
    m_edPRO_Local = campoTexto(this, "edPRO_Local", 10);
    m_edPRO_CodBar = campoTexto(this, "edPRO_CodBar", 14);
    m_edPRO_Refer = campoTexto(this, "edPRO_Refer", 20);
    m_cbPRO_Consumivel = new QComboBox(this);
    m_cbPRO_Consumivel->setObjectName(QStringLiteral("cbPRO_Consumivel"));
    m_cbPRO_Consumivel->addItems({QStringLiteral("Sim"), QStringLiteral("Não")});
    m_dtpPRO_DCad = new QDateEdit(this);
    m_dtpPRO_DCad->setObjectName(QStringLiteral("dtpPRO_DCad"));
    m_dtpPRO_DCad->setCalendarPopup(true);
    m_dtpPRO_DCad->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    m_edPRO_UComp = campoSoLeitura(this, "edPRO_UComp", Qt::StrongFocus);
    m_edPRO_Obs = campoTexto(this, "edPRO_Obs", 100);
    m_edPRO_CodFor = campoSoLeitura(this, "edPRO_CodFor", Qt::StrongFocus);
    m_edPRO_RazaoFor = campoSoLeitura(this, "edPRO_RazaoFor", Qt::StrongFocus);

    m_btnPRO_Salva = new QPushButton(QStringLiteral("Grava"), this);
    m_btnPRO_Salva->setObjectName(QStringLiteral("btnPRO_Salva"));
    m_btnPRO_Limpa = new QPushButton(QStringLiteral("Limpa"), this);
    m_btnPRO_Limpa->setObjectName(QStringLiteral("btnPRO_Limpa"));
    auto* fecha = new QPushButton(QStringLiteral("Fechar"), this);
    fecha->setObjectName(QStringLiteral("btnPRO_Fecha"));
    for (QPushButton* b : {m_btnDados_Pro_Busca, m_btnPRO_Salva, m_btnPRO_Limpa, fecha})
        b->setAutoDefault(false);

    auto* grade = new QGridLayout;
    auto celula = [&](const QString& rotulo, QLayout* conteudo, int linha, int coluna,
                      int colunas = 1) {
        auto* v = new QVBoxLayout;
        v->setSpacing(2);
        v->addWidget(new QLabel(rotulo, this));
        v->addLayout(conteudo);
        grade->addLayout(v, linha, coluna, 1, colunas);
    };
    auto so = [](QWidget* w) {
        auto* h = new QHBoxLayout;
        h->addWidget(w);
        return h;
    };
    auto* grupo = new QHBoxLayout;
    grupo->addWidget(m_edPRO_CodGru);
    grupo->addWidget(m_btnDados_Pro_Busca);
    grupo->addWidget(m_edPRO_NomeGru, 1);
    auto* fornecedor = new QHBoxLayout;
    fornecedor->addWidget(m_edPRO_CodFor);
    fornecedor->addWidget(m_edPRO_RazaoFor, 1);
    celula(QStringLiteral("Código"), so(m_edPRO_Codigo), 0, 0);
    celula(QStringLiteral("Descrição"), so(m_edPRO_Descricao), 0, 1, 2);
    celula(QStringLiteral("Grupo"), grupo, 1, 0, 2);
    celula(QStringLiteral("Quantidade em Estoque"), so(m_edPRO_Quant), 1, 2);
    celula(QStringLiteral("Unidade"), so(m_edPRO_Unid), 2, 0);
    celula(QStringLiteral("Estoque Mínimo"), so(m_edPRO_Min), 2, 1);
    celula(QStringLiteral("Estoque Máximo"), so(m_edPRO_EMax), 2, 2);
    celula(QStringLiteral("Valor Unitário"), so(m_edPRO_Valor), 3, 0);
    celula(QStringLiteral("Localização"), so(m_edPRO_Local), 3, 1);
    celula(QStringLiteral("Código de Barras"), so(m_edPRO_CodBar), 3, 2);
    celula(QStringLiteral("Referência"), so(m_edPRO_Refer), 4, 0);
    celula(QStringLiteral("Consumível"), so(m_cbPRO_Consumivel), 4, 1);
    celula(QStringLiteral("Data do Cadastramento"), so(m_dtpPRO_DCad), 4, 2);
    celula(QStringLiteral("Data da Última Compra"), so(m_edPRO_UComp), 5, 0);
    celula(QStringLiteral("Observações"), so(m_edPRO_Obs), 5, 1, 2);
    celula(QStringLiteral("Último Fornecedor"), fornecedor, 6, 0, 3);

    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(m_btnPRO_Salva);
    botoes->addWidget(m_btnPRO_Limpa);
    botoes->addWidget(fecha);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lbDados_Pro_Titulo);
    layout->addLayout(grade);
    layout->addStretch();
    layout->addLayout(botoes);
    resize(720, 420);

    // Tab and Enter go through the fields in the order people fill them in.
    const QList<QWidget*> ordem{
        m_edPRO_Codigo, m_edPRO_Descricao,  m_edPRO_CodGru, m_btnDados_Pro_Busca, m_edPRO_Unid,
        m_edPRO_Min,    m_edPRO_EMax,       m_edPRO_Valor,  m_edPRO_Local,        m_edPRO_CodBar,
        m_edPRO_Refer,  m_cbPRO_Consumivel, m_dtpPRO_DCad,  m_edPRO_UComp,        m_edPRO_Obs,
        m_edPRO_CodFor, m_edPRO_RazaoFor,   m_btnPRO_Salva, m_btnPRO_Limpa,       fecha,
    };
    for (int i = 1; i < ordem.size(); ++i)
        setTabOrder(ordem[i - 1], ordem[i]);

    Convencoes::filtroInteiro(m_edPRO_Min);
    Convencoes::filtroInteiro(m_edPRO_EMax);
    Convencoes::filtroDecimal(m_edPRO_Valor);

    connect(m_btnPRO_Salva, &QPushButton::clicked, this, &TfDados_Produtos::salva);
    connect(m_btnPRO_Limpa, &QPushButton::clicked, this, [this] {
        valoresDeAbertura();
        m_edPRO_Codigo->setFocus();
    });
    connect(fecha, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_btnDados_Pro_Busca, &QPushButton::clicked, this, &TfDados_Produtos::abreBuscaGrupo);
    Convencoes::teclaF5(m_edPRO_CodGru, [this] { abreBuscaGrupo(); });
    m_app.janela<TfBusca_Grupos>().registraDestino(QStringLiteral("Dados_Produtos"), m_edPRO_CodGru);

    Convencoes::aoSair(m_edPRO_Codigo, this, [this] { saiCodigo(); });
    Convencoes::aoSair(m_edPRO_CodGru, this, [this] { saiGrupo(); });
    Convencoes::aoEntrar(m_edPRO_NomeGru, this, [this] { m_btnDados_Pro_Busca->setFocus(); });
    for (QLineEdit* c : {m_edPRO_Min, m_edPRO_EMax, m_edPRO_Valor})
        Convencoes::aoEntrar(c, this, [this, c] { entraNumero(c); });
    Convencoes::aoSair(m_edPRO_Min, this, [this] { saiMinimo(); });
    Convencoes::aoSair(m_edPRO_EMax, this, [this] { saiMaximo(); });
    Convencoes::aoSair(m_edPRO_Valor, this, [this] { saiValor(); });
    Convencoes::coresDeFoco(this);
    Convencoes::enterComoTab(this);
}

::Modo TfDados_Produtos::modo() const
{
    return m_app.janela<TfManut_Produtos>().Modo;
}

void TfDados_Produtos::valoresDeAbertura()
{
    for (QLineEdit* c : {m_edPRO_Codigo, m_edPRO_Descricao, m_edPRO_CodGru, m_edPRO_NomeGru,
                         m_edPRO_Unid, m_edPRO_Local, m_edPRO_Refer, m_edPRO_CodBar, m_edPRO_Obs,
                         m_edPRO_CodFor, m_edPRO_RazaoFor})
        escreve(c, QString());
    m_edPRO_Quant->setText(QStringLiteral("0,000"));
    escreve(m_edPRO_Valor, QStringLiteral("R$   0,00"));
    escreve(m_edPRO_Min, QStringLiteral("0"));
    escreve(m_edPRO_EMax, QStringLiteral("0"));
    m_dtpPRO_DCad->setDate(QDate::currentDate());
    m_edPRO_UComp->setText(dataVazia);
    m_cbPRO_Consumivel->setCurrentIndex(0);
}

void TfDados_Produtos::showEvent(QShowEvent* e)
{
    // The window system confirms the showing with a second, spontaneous event; the opening
    // runs once.
    if (e->spontaneous()) {
        QDialog::showEvent(e);
        return;
    }
    const ::Modo m = modo();
    valoresDeAbertura();
    if (m == ::Modo::Altera)
        m_lbDados_Pro_Titulo->setText(QStringLiteral("Alteração de Produtos"));
    else if (m == ::Modo::Exclui)
        m_lbDados_Pro_Titulo->setText(QStringLiteral("Exclusão de Produtos"));
    else if (m == ::Modo::Consulta)
        m_lbDados_Pro_Titulo->setText(QStringLiteral("Consulta de Produtos"));
    else
        m_lbDados_Pro_Titulo->setText(QStringLiteral("Inclusão de Produtos"));
    m_btnPRO_Salva->setText(m == ::Modo::Exclui ? QStringLiteral("Exclui")
                                                 : QStringLiteral("Grava"));
    m_btnPRO_Salva->setVisible(m != ::Modo::Consulta);
    m_btnPRO_Limpa->setVisible(m == ::Modo::Inclui);
    // A product is consumable or lent out for good: the choice is made when it is registered.
    m_cbPRO_Consumivel->setEnabled(m == ::Modo::Inclui);
    // Only a new product takes a typed code. Elsewhere the field shows the product loaded, the
    // one the change and the deletion address and their audit lines name.
    m_edPRO_Codigo->setReadOnly(m != ::Modo::Inclui);
    if (m != ::Modo::Inclui)
        carrega();
    m_edPRO_Codigo->setFocus();
    QDialog::showEvent(e);
}

void TfDados_Produtos::carrega()
{
    CodSelecionado = Familia::codigoAtual(m_app.dmProdutos().cds_Produtos);
    Consulta& q = m_app.dmProdutos().SQLQ_Produtos;
    q.setSql(
        QStringLiteral("Select * From Produtos Where PRO_Codigo=:CodigoC order By PRO_Codigo"));
    q.setParametro(QStringLiteral("CodigoC"), CodSelecionado);
    Resultado r;
    try {
        r = q.abre();
    } catch (const ErroBanco& erro) {
        Mensagens::erro(erro.mensagem(), this);
        return;
    }
    if (r.vazio())
        return;
    auto valor = [&](const char* campo) { return r.valor(0, QLatin1String(campo)); };
    escreve(m_edPRO_Codigo, valor("PRO_Codigo").toString());
    escreve(m_edPRO_Descricao, valor("PRO_Descricao").toString());
    escreve(m_edPRO_Unid, valor("PRO_Unid").toString());
    escreve(m_edPRO_CodGru, valor("PRO_CodGru").toString());
    escreve(m_edPRO_Local, valor("PRO_Local").toString());
    escreve(m_edPRO_Obs, valor("PRO_OBS").toString());
    escreve(m_edPRO_Refer, valor("PRO_Refer").toString());
    escreve(m_edPRO_CodBar, valor("PRO_CodBar").toString());
    escreve(m_edPRO_Min, Formatos::numero(comoDecimal(valor("PRO_Min")), 0));
    escreve(m_edPRO_EMax, Formatos::numero(comoDecimal(valor("PRO_EMax")), 0));
    escreve(m_edPRO_Valor, Formatos::moeda(comoDecimal(valor("PRO_Valor")), 2));
    const QDate cadastro = valor("PRO_DCad").toDate();
    if (cadastro.isValid())
        m_dtpPRO_DCad->setDate(cadastro);
    const QDate compra = valor("PRO_UComp").toDate();
    m_edPRO_UComp->setText(compra.isValid() ? Formatos::data(compra) : dataVazia);
    m_edPRO_Quant->setText(Formatos::numero(comoDecimal(valor("PRO_Quant")), 3));
    m_cbPRO_Consumivel->setCurrentIndex(
        valor("PRO_Consumivel").toString() == QLatin1String("S") ? 0 : 1);
    escreve(m_edPRO_CodFor, valor("PRO_CodFor").toString());

    try {
        Consulta& f = m_app.dmFornecedor().SQLQFornecedor;
        f.setSql(QStringLiteral("Select FOR_Razao From Fornecedor Where FOR_Codigo=:CodigoC"));
        f.setParametro(QStringLiteral("CodigoC"), m_edPRO_CodFor->text());
        escreve(m_edPRO_RazaoFor, f.primeiroValor().toString());
        Consulta& g = m_app.dmGrupos().SQLQ_Grupos;
        g.setSql(QStringLiteral("Select GRU_Descricao From Grupos Where GRU_Codigo=:CodigoC"));
        g.setParametro(QStringLiteral("CodigoC"), m_edPRO_CodGru->text());
        escreve(m_edPRO_NomeGru, g.primeiroValor().toString());
    } catch (const ErroBanco& erro) {
        Mensagens::erro(erro.mensagem(), this);
    }
}

void TfDados_Produtos::abreBuscaGrupo()
{
    TfBusca_Grupos& busca = m_app.janela<TfBusca_Grupos>();
    busca.Origem = QStringLiteral("Dados_Produtos");
    Modal::exec(&busca);
}

void TfDados_Produtos::saiCodigo()
{
    if (modo() != ::Modo::Inclui || m_edPRO_Codigo->text().trimmed().isEmpty())
        return;
    const QString codigo = Funcoes::codigoProduto(m_edPRO_Codigo->text());
    escreve(m_edPRO_Codigo, codigo);
    Consulta& q = m_app.dmProdutos().SQLQ_Produtos;
    q.setSql(QStringLiteral("Select PRO_Codigo From Produtos Where PRO_Codigo=:CodigoC"));
    q.setParametro(QStringLiteral("CodigoC"), codigo);
    try {
        if (q.abre(nullptr, 1).vazio())
            return;
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
        return;
    }
    Mensagens::aviso(QStringLiteral("Código já Cadastrado, tente outro !"), this);
    escreve(m_edPRO_Codigo, QString());
    Convencoes::devolveFoco(m_edPRO_Codigo);
}

void TfDados_Produtos::saiGrupo()
{
    if (m_edPRO_CodGru->text().isEmpty())
        return;
    Consulta& q = m_app.dmGrupos().SQLQ_Grupos;
    q.setSql(QStringLiteral("Select * FROM GRUPOS Where GRU_Codigo=:CodigoC"));
    q.setParametro(QStringLiteral("CodigoC"), Funcoes::codigoSeis(m_edPRO_CodGru->text()));
    Resultado r;
    try {
        r = q.abre(nullptr, 1);
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
        return;
    }
    if (r.vazio()) {
        Mensagens::informacao(QStringLiteral("Grupo não Encontrado !"), this);
        Convencoes::devolveFoco(m_edPRO_CodGru);
        return;
    }
    escreve(m_edPRO_CodGru, r.valor(0, QStringLiteral("GRU_Codigo")).toString());
    escreve(m_edPRO_NomeGru, r.valor(0, QStringLiteral("GRU_Descricao")).toString());
}

void TfDados_Produtos::entraNumero(QLineEdit* campo)
{
    // The bare number, selected whole: typing replaces it.
    escreve(campo, Funcoes::LimpaNumero(campo->text()));
    campo->selectAll();
}

std::optional<Decimal> TfDados_Produtos::numero(const QLineEdit* campo)
{
    return Formatos::converte(Funcoes::LimpaNumero(campo->text()));
}

void TfDados_Produtos::saiMinimo()
{
    // A maximum of 0 means none was set; a field that holds no number is refused by the save.
    const auto minimo = numero(m_edPRO_Min);
    const auto maximo = numero(m_edPRO_EMax);
    if (!minimo || !maximo || maximo->isZero() || !(*maximo < *minimo))
        return;
    Mensagens::aviso(QStringLiteral("Estoque Mínimo tem que ser menor que Estoque Máximo"), this);
    escreve(m_edPRO_Min, QStringLiteral("0"));
}

void TfDados_Produtos::saiMaximo()
{
    const auto minimo = numero(m_edPRO_Min);
    const auto maximo = numero(m_edPRO_EMax);
    if (!minimo || !maximo || !(*maximo < *minimo))
        return;
    Mensagens::aviso(QStringLiteral("Estoque Máximo tem que ser Maior ou Igual ao Estoque Mínimo"),
                     this);
    escreve(m_edPRO_EMax, m_edPRO_Min->text());
}

void TfDados_Produtos::saiValor()
{
    const auto valor = numero(m_edPRO_Valor);
    if (valor && *valor < valorMaximo)
        escreve(m_edPRO_Valor, Formatos::moeda(*valor, 2));
    else
        Convencoes::devolveFoco(m_edPRO_Valor);
}

bool TfDados_Produtos::recusaSeNaoNumero(QLineEdit* campo, const std::optional<Decimal>& valor,
                                         const QString& nome)
{
    if (valor)
        return false;
    Mensagens::aviso(QStringLiteral("O Campo ") + nome +
                         QStringLiteral(" deve ser Preenchido com um Número !"),
                     this);
    campo->setFocus();
    return true;
}

bool TfDados_Produtos::recusaSeVazio(QLineEdit* campo, const QString& texto)
{
    if (!campo->text().trimmed().isEmpty())
        return false;
    Mensagens::informacao(texto, this);
    campo->setFocus();
    return true;
}

void TfDados_Produtos::salva()
{
    const ::Modo m = modo();
    if (m == ::Modo::Exclui) {
        exclui();
        return;
    }
    // A product opened only to be looked at is never written, whatever was typed in it.
    if (m != ::Modo::Inclui && m != ::Modo::Altera)
        return;
    for (QLineEdit* c : {m_edPRO_Valor, m_edPRO_Min, m_edPRO_EMax})
        escreve(c, Funcoes::LimpaNumero(c->text()));
    // An emptied minimum or maximum (or a stray comma in it) is no number: nothing is written
    // until the user puts one there.
    const auto valor = numero(m_edPRO_Valor);
    const auto minimo = numero(m_edPRO_Min);
    const auto maximo = numero(m_edPRO_EMax);
    if (recusaSeNaoNumero(m_edPRO_Min, minimo, QStringLiteral("Estoque Mínimo")) ||
        recusaSeNaoNumero(m_edPRO_EMax, maximo, QStringLiteral("Estoque Máximo")) ||
        recusaSeNaoNumero(m_edPRO_Valor, valor, QStringLiteral("Valor Unitário")))
        return;
    if (*minimo > *maximo) {
        Mensagens::aviso(QStringLiteral("Estoque Mínimo DEVE ser menor ou igual ao Estoque Máximo"),
                         this);
        m_edPRO_Min->setFocus();
        return;
    }
    if (recusaSeVazio(m_edPRO_CodGru, QStringLiteral("O Campo do Código do Grupo deve ser "
                                                     "Preenchido !")) ||
        recusaSeVazio(m_edPRO_Descricao,
                      QStringLiteral("O Campo da Descrição do Produto ser Preenchido !")) ||
        recusaSeVazio(m_edPRO_Codigo, QStringLiteral("O Campo do Código do Produto ser "
                                                     "Preenchido !")))
        return;
    if (m == ::Modo::Inclui)
        inclui(*minimo, *maximo, *valor);
    else
        altera(*minimo, *maximo, *valor);
}

void TfDados_Produtos::inclui(const Decimal& minimo, const Decimal& maximo, const Decimal& valor)
{
    const QString codigo = Funcoes::codigoProduto(m_edPRO_Codigo->text());
    escreve(m_edPRO_Codigo, codigo);
    Consulta& q = m_app.dmProdutos().SQLQ_Produtos;
    const bool ok = Familia::grava(
        m_app, this,
        [&](Transacao& t) {
            q.limpa();
            q.adiciona(QStringLiteral(
                "Insert into PRODUTOS (PRO_Codigo,PRO_Descricao, "
                "PRO_Unid,PRO_CodGRU,PRO_Local,PRO_Min,PRO_Valor,PRO_DCad,PRO_OBS,PRO_Refer,"
                "PRO_CodBar,PRO_EMax,PRO_Quant,PRO_Consumivel)"));
            q.adiciona(QStringLiteral("Values (:CodigoC,:DescricaoC,:UnidC,:CodGRUC,:LocalC,:MinC,"
                                      ":ValorC,:DCadC,:ObsC,:ReferC,:CodBarC,:EMaxC,:QuantC,"
                                      ":ConsumivelC)"));
            q.setParametro(QStringLiteral("CodigoC"), codigo);
            q.setParametro(QStringLiteral("DescricaoC"), m_edPRO_Descricao->text());
            q.setParametro(QStringLiteral("UnidC"), m_edPRO_Unid->text());
            q.setParametro(QStringLiteral("CodGRUC"), m_edPRO_CodGru->text());
            q.setParametro(QStringLiteral("LocalC"), m_edPRO_Local->text());
            q.setParametro(QStringLiteral("MinC"), QVariant::fromValue(minimo));
            q.setParametro(QStringLiteral("ValorC"), QVariant::fromValue(valor));
            q.setParametro(QStringLiteral("DCadC"), m_dtpPRO_DCad->date());
            q.setParametro(QStringLiteral("ObsC"), m_edPRO_Obs->text());
            q.setParametro(QStringLiteral("ReferC"), m_edPRO_Refer->text());
            q.setParametro(QStringLiteral("CodBarC"), m_edPRO_CodBar->text());
            q.setParametro(QStringLiteral("EMaxC"), QVariant::fromValue(maximo));
            q.setParametro(QStringLiteral("QuantC"), QVariant::fromValue(Decimal(0, 3)));
            q.setParametro(QStringLiteral("ConsumivelC"), m_cbPRO_Consumivel->currentIndex() == 0
                                                              ? QStringLiteral("S")
                                                              : QStringLiteral("N"));
            q.executa(t);
        },
        QStringLiteral("Inclusão de Produto:") + codigo,
        [](const ErroBanco&) { return falhaGravacao; });
    if (!ok)
        return;
    m_app.janela<TfManut_Produtos>().lista().rele();
    // Ready for the next product.
    valoresDeAbertura();
    escreve(m_edPRO_Valor, QStringLiteral("R$ 0,00"));
    m_edPRO_UComp->clear();
    m_edPRO_Codigo->setFocus();
}

void TfDados_Produtos::altera(const Decimal& minimo, const Decimal& maximo, const Decimal& valor)
{
    Consulta& q = m_app.dmProdutos().SQLQ_Produtos;
    const bool ok = Familia::grava(
        m_app, this,
        [&](Transacao& t) {
            q.limpa();
            q.adiciona(
                QStringLiteral("Update Produtos SET PRO_Descricao=:DescricaoC,PRO_Unid=:UnidC,"));
            q.adiciona(QStringLiteral("PRO_CodGRU=:CodGRUC,PRO_Local=:LocalC,"));
            q.adiciona(QStringLiteral("PRO_Min=:MinC,PRO_Valor=:ValorC,"));
            q.adiciona(QStringLiteral("PRO_DCad=:DCadC,PRO_Obs=:ObsC,PRO_Refer=:ReferC,PRO_CodBar="
                                      ":CodBarC,PRO_EMax=:EMaxC,PRO_Consumivel=:ConsumivelC"));
            q.adiciona(QStringLiteral("Where PRO_Codigo=:CodigoC"));
            q.setParametro(QStringLiteral("DescricaoC"), m_edPRO_Descricao->text());
            q.setParametro(QStringLiteral("UnidC"), m_edPRO_Unid->text());
            q.setParametro(QStringLiteral("CodGRUC"), m_edPRO_CodGru->text());
            q.setParametro(QStringLiteral("LocalC"), m_edPRO_Local->text());
            q.setParametro(QStringLiteral("MinC"), QVariant::fromValue(minimo));
            q.setParametro(QStringLiteral("ValorC"), QVariant::fromValue(valor));
            q.setParametro(QStringLiteral("DCadC"), m_dtpPRO_DCad->date());
            q.setParametro(QStringLiteral("ObsC"), m_edPRO_Obs->text());
            q.setParametro(QStringLiteral("ReferC"), m_edPRO_Refer->text());
            q.setParametro(QStringLiteral("CodBarC"), m_edPRO_CodBar->text());
            q.setParametro(QStringLiteral("EMaxC"), QVariant::fromValue(maximo));
            q.setParametro(QStringLiteral("ConsumivelC"), m_cbPRO_Consumivel->currentIndex() == 0
                                                              ? QStringLiteral("S")
                                                              : QStringLiteral("N"));
            q.setParametro(QStringLiteral("CodigoC"), CodSelecionado);
            q.executa(t);
        },
        QStringLiteral("Alteração de Produto:") + m_edPRO_Codigo->text(),
        [](const ErroBanco&) { return falhaGravacao; });
    if (!ok)
        return;
    m_app.janela<TfManut_Produtos>().lista().rele();
    accept();
}

void TfDados_Produtos::exclui()
{
    // The ledger names the product: deleting it would leave movements nobody can read.
    Consulta& mov = m_app.dmMovEstq().SQLQ_MovEstq;
    mov.setSql(QStringLiteral("Select MOV_CodPro From Mov_Estq Where MOV_CodPro=:CodigoC"));
    mov.setParametro(QStringLiteral("CodigoC"), CodSelecionado);
    try {
        if (!mov.abre(nullptr, 1).vazio()) {
            Mensagens::aviso(
                QStringLiteral("Produto não pode ser excluído, pois tem alguma movimentação"),
                this);
            return;
        }
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
        return;
    }
    Consulta& q = m_app.dmProdutos().SQLQ_Produtos;
    const bool ok = Familia::grava(
        m_app, this,
        [&](Transacao& t) {
            q.limpa();
            q.adiciona(QStringLiteral("Delete FROM Produtos"));
            q.adiciona(QStringLiteral("Where PRO_Codigo=:CodigoC"));
            q.setParametro(QStringLiteral("CodigoC"), CodSelecionado);
            q.executa(t);
        },
        QStringLiteral("Exclusão de Produto:") + m_edPRO_Codigo->text(),
        [](const ErroBanco&) { return falhaGravacao; });
    if (!ok)
        return;
    m_app.janela<TfManut_Produtos>().lista().rele();
    accept();
}
