#include "registers/Dados_Produtos.h"

#include "common/CampoCodigo.h"
#include "common/CamposCadastro.h"
#include "common/Convencoes.h"
#include "common/Decimal.h"
#include "common/Formatos.h"
#include "common/Funcoes.h"
#include "common/JanelasCadastro.h"
#include "common/Mensagens.h"
#include "contexto/Contexto.h"
#include "data/DataModule_Fornecedor.h"
#include "data/DataModule_Grupos.h"
#include "data/DataModule_MovEstq.h"
#include "data/DataModule_Produtos.h"
#include "data/firebird/ErroBanco.h"
#include "registers/Manut_Produtos.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString falhaGravacao = QStringLiteral("Deu Erro, tente novamente !");
const QString dataVazia = QStringLiteral("  /  /    ");

// The highest unit value the field takes: above it the field keeps the user until it is
// corrected.
const Decimal valorMaximo(9999999999999, 2);

} // namespace

TfDados_Produtos::TfDados_Produtos(Contexto& app, QWidget* parent) : Dialogo(parent), m_app(app)
{
    using namespace Formulario;
    setObjectName(QStringLiteral("TfDados_Produtos"));
    // The caption stays the same in every mode; the title label shows the mode.
    setWindowTitle(QStringLiteral("Inclusão de Produtos"));

    m_lbDados_Pro_Titulo =
        titulo(this, "lbDados_Pro_Titulo", QStringLiteral("Inclusão de Produtos"));
    m_edPRO_Codigo = campo(this, "edPRO_Codigo", 10);
    m_edPRO_Descricao = campo(this, "edPRO_Descricao", 50);
    m_edPRO_CodGru = campo(this, "edPRO_CodGru", 6);
    m_btnDados_Pro_Busca = botao(this, "btnDados_Pro_Busca", QStringLiteral("..."));
    m_btnDados_Pro_Busca->setToolTip(QStringLiteral("Faz a Busca de um Grupo pela Descrição."));
    m_btnDados_Pro_Busca->setFixedWidth(32);
    // Shown beside the group code; a click on it goes on to the search button.
    m_edPRO_NomeGru = campoLeitura(this, "edPRO_NomeGru");
    m_edPRO_NomeGru->setFocusPolicy(Qt::ClickFocus);
    m_edPRO_Quant = campoLeitura(this, "edPRO_Quant");
    m_edPRO_Quant->setFocusPolicy(Qt::NoFocus);
    m_edPRO_Unid = campo(this, "edPRO_Unid", 3);
    m_edPRO_Min = Formulario::numero(this, "edPRO_Min", Numero::Inteiro, 10);
    m_edPRO_EMax = Formulario::numero(this, "edPRO_EMax", Numero::Inteiro, 10);
    m_edPRO_Valor = Formulario::numero(this, "edPRO_Valor", Numero::Decimal, 14);
    for (QLineEdit* c : {m_edPRO_Codigo, m_edPRO_Quant})
        c->setAlignment(Qt::AlignRight);
    m_edPRO_Local = campo(this, "edPRO_Local", 10);
    m_edPRO_CodBar = campo(this, "edPRO_CodBar", 14);
    m_edPRO_Refer = campo(this, "edPRO_Refer", 20);
    m_cbPRO_Consumivel =
        escolha(this, "cbPRO_Consumivel", {QStringLiteral("Sim"), QStringLiteral("Não")});
    m_dtpPRO_DCad = Formulario::data(this, "dtpPRO_DCad");
    m_edPRO_UComp = campoLeitura(this, "edPRO_UComp");
    m_edPRO_Obs = campo(this, "edPRO_Obs", 100);
    m_edPRO_CodFor = campoLeitura(this, "edPRO_CodFor");
    m_edPRO_RazaoFor = campoLeitura(this, "edPRO_RazaoFor");

    m_btnPRO_Salva = botao(this, "btnPRO_Salva", QStringLiteral("Grava"));
    m_btnPRO_Limpa = botao(this, "btnPRO_Limpa", QStringLiteral("Limpa"));
    QPushButton* fecha = botao(this, "btnPRO_Fecha", QStringLiteral("Fechar"));

    Quadro quadro(this, Quadro::Rotulos::Acima);
    quadro.linha({{QStringLiteral("Código"), m_edPRO_Codigo},
                  {QStringLiteral("Descrição"), m_edPRO_Descricao, 2}});
    quadro.linha({{QStringLiteral("Grupo"),
                   lado({m_edPRO_CodGru, m_btnDados_Pro_Busca, m_edPRO_NomeGru}, 2), 2},
                  {QStringLiteral("Quantidade em Estoque"), m_edPRO_Quant}});
    quadro.linha({{QStringLiteral("Unidade"), m_edPRO_Unid},
                  {QStringLiteral("Estoque Mínimo"), m_edPRO_Min},
                  {QStringLiteral("Estoque Máximo"), m_edPRO_EMax}});
    quadro.linha({{QStringLiteral("Valor Unitário"), m_edPRO_Valor},
                  {QStringLiteral("Localização"), m_edPRO_Local},
                  {QStringLiteral("Código de Barras"), m_edPRO_CodBar}});
    quadro.linha({{QStringLiteral("Referência"), m_edPRO_Refer},
                  {QStringLiteral("Consumível"), m_cbPRO_Consumivel},
                  {QStringLiteral("Data do Cadastramento"), m_dtpPRO_DCad}});
    quadro.linha({{QStringLiteral("Data da Última Compra"), m_edPRO_UComp},
                  {QStringLiteral("Observações"), m_edPRO_Obs, 2}});
    quadro.linha(
        {{QStringLiteral("Último Fornecedor"), lado({m_edPRO_CodFor, m_edPRO_RazaoFor}, 1), 3}});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lbDados_Pro_Titulo);
    layout->addLayout(quadro.grade());
    layout->addStretch();
    layout->addLayout(fileira({}, {m_btnPRO_Salva, m_btnPRO_Limpa, fecha}));
    resize(720, 420);

    // Tab and Enter go through the fields in the order people fill them in.
    ordemTab({
        m_edPRO_Codigo, m_edPRO_Descricao,  m_edPRO_CodGru, m_btnDados_Pro_Busca, m_edPRO_Unid,
        m_edPRO_Min,    m_edPRO_EMax,       m_edPRO_Valor,  m_edPRO_Local,        m_edPRO_CodBar,
        m_edPRO_Refer,  m_cbPRO_Consumivel, m_dtpPRO_DCad,  m_edPRO_UComp,        m_edPRO_Obs,
        m_edPRO_CodFor, m_edPRO_RazaoFor,   m_btnPRO_Salva, m_btnPRO_Limpa,       fecha,
    });
    connect(fecha, &QPushButton::clicked, this, &QDialog::accept);
    liga();
}

void TfDados_Produtos::liga()
{
    // Only a new product takes a typed code, and it must be free; elsewhere the field is
    // read-only and shows the product loaded.
    CampoCodigo::Regras codigo;
    codigo.largura = 10;
    codigo.preenchimento = QLatin1Char(' ');
    codigo.procura = [this](const QString& c) { return !m_app.dmProdutos().codigoExiste(c); };
    codigo.naoEncontrado = QStringLiteral("Código já Cadastrado, tente outro !");
    codigo.tipo = TipoMensagem::Aviso;
    codigo.esvaziaAoRecusar = true;
    codigo.ignoraSoLeitura = true;
    m_codigo = new CampoCodigo(m_edPRO_Codigo, this, codigo);
    // A group that is not there leaves its name as it was.
    CampoCodigo::Regras grupo = regrasDoGrupo(
        m_app, m_edPRO_NomeGru, {QStringLiteral("Dados_Produtos"), m_btnDados_Pro_Busca});
    m_grupo = new CampoCodigo(m_edPRO_CodGru, this, grupo);

    connect(m_btnPRO_Salva, &QPushButton::clicked, this, &TfDados_Produtos::salva);
    connect(m_btnPRO_Limpa, &QPushButton::clicked, this, [this] {
        valoresDeAbertura();
        m_edPRO_Codigo->setFocus();
    });

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
        c->clear();
    m_edPRO_Quant->setText(QStringLiteral("0,000"));
    m_edPRO_Valor->setText(QStringLiteral("R$   0,00"));
    m_edPRO_Min->setText(QStringLiteral("0"));
    m_edPRO_EMax->setText(QStringLiteral("0"));
    m_dtpPRO_DCad->setDate(QDate::currentDate());
    m_edPRO_UComp->setText(dataVazia);
    m_cbPRO_Consumivel->setCurrentIndex(0);
    m_codigo->esquece();
    m_grupo->esquece();
}

void TfDados_Produtos::aoAbrir()
{
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
}

void TfDados_Produtos::carrega()
{
    CodSelecionado = Familia::codigoAtual(m_app.dmProdutos().cds_Produtos);
    std::optional<Produto> p;
    try {
        p = m_app.dmProdutos().produtoDoCadastro(CodSelecionado);
    } catch (const ErroBanco& erro) {
        Mensagens::erro(erro.mensagem(), this);
        return;
    }
    if (!p)
        return;
    m_edPRO_Codigo->setText(p->codigo);
    m_edPRO_Descricao->setText(p->descricao);
    m_edPRO_Unid->setText(p->unidade);
    m_edPRO_CodGru->setText(p->grupo);
    m_edPRO_Local->setText(p->local);
    m_edPRO_Obs->setText(p->observacoes);
    m_edPRO_Refer->setText(p->referencia);
    m_edPRO_CodBar->setText(p->codigoBarras);
    m_edPRO_Min->setText(Formatos::numero(p->minimo, 0));
    m_edPRO_EMax->setText(Formatos::numero(p->maximo, 0));
    m_edPRO_Valor->setText(Formatos::moeda(p->valor, 2));
    if (p->cadastro.isValid())
        m_dtpPRO_DCad->setDate(p->cadastro);
    m_edPRO_UComp->setText(p->ultimaCompra.isValid() ? Formatos::data(p->ultimaCompra) : dataVazia);
    m_edPRO_Quant->setText(Formatos::numero(p->quantidade, 3));
    m_cbPRO_Consumivel->setCurrentIndex(p->ehConsumivel() ? 0 : 1);
    m_edPRO_CodFor->setText(p->fornecedor);

    try {
        m_edPRO_RazaoFor->setText(
            m_app.dmFornecedor().razaoFornecedor(p->fornecedor).value_or(QString()));
        m_edPRO_NomeGru->setText(m_app.dmGrupos().descricaoGrupo(p->grupo).value_or(QString()));
    } catch (const ErroBanco& erro) {
        Mensagens::erro(erro.mensagem(), this);
    }
}

void TfDados_Produtos::entraNumero(QLineEdit* campo)
{
    // The bare number, selected whole: typing replaces it.
    campo->setText(Funcoes::LimpaNumero(campo->text()));
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
    m_edPRO_Min->setText(QStringLiteral("0"));
}

void TfDados_Produtos::saiMaximo()
{
    const auto minimo = numero(m_edPRO_Min);
    const auto maximo = numero(m_edPRO_EMax);
    if (!minimo || !maximo || !(*maximo < *minimo))
        return;
    Mensagens::aviso(QStringLiteral("Estoque Máximo tem que ser Maior ou Igual ao Estoque Mínimo"),
                     this);
    m_edPRO_EMax->setText(m_edPRO_Min->text());
}

void TfDados_Produtos::saiValor()
{
    const auto valor = numero(m_edPRO_Valor);
    if (valor && *valor < valorMaximo)
        m_edPRO_Valor->setText(Formatos::moeda(*valor, 2));
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
    // A code or group just refused (the button was pressed on the way out of the field) is not
    // saved: the field is getting the focus back to be corrected.
    if (!m_codigo->podeGravar() || !m_grupo->podeGravar())
        return;
    if (m == ::Modo::Exclui) {
        exclui();
        return;
    }
    // A product opened only to be looked at is never written, whatever was typed in it.
    if (m != ::Modo::Inclui && m != ::Modo::Altera)
        return;
    for (QLineEdit* c : {m_edPRO_Valor, m_edPRO_Min, m_edPRO_EMax})
        c->setText(Funcoes::LimpaNumero(c->text()));
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
    const Produto p = produtoDosCampos(*minimo, *maximo, *valor);
    if (m == ::Modo::Inclui)
        inclui(p);
    else
        altera(p);
}

Produto TfDados_Produtos::produtoDosCampos(const Decimal& minimo, const Decimal& maximo,
                                           const Decimal& valor) const
{
    Produto p;
    p.codigo = m_edPRO_Codigo->text();
    p.descricao = m_edPRO_Descricao->text();
    p.unidade = m_edPRO_Unid->text();
    p.grupo = m_edPRO_CodGru->text();
    p.local = m_edPRO_Local->text();
    p.minimo = minimo;
    p.maximo = maximo;
    p.valor = valor;
    p.cadastro = m_dtpPRO_DCad->date();
    p.observacoes = m_edPRO_Obs->text();
    p.referencia = m_edPRO_Refer->text();
    p.codigoBarras = m_edPRO_CodBar->text();
    p.consumivel =
        m_cbPRO_Consumivel->currentIndex() == 0 ? QStringLiteral("S") : QStringLiteral("N");
    return p;
}

void TfDados_Produtos::inclui(Produto p)
{
    p.codigo = Funcoes::codigoProduto(p.codigo);
    m_edPRO_Codigo->setText(p.codigo);
    const bool ok = Familia::grava(
        m_app, this, [&](Transacao& t) { return m_app.dmProdutos().inclui(t, p); },
        QStringLiteral("Inclusão de Produto:") + p.codigo,
        [](const ErroBanco&) { return falhaGravacao; });
    if (!ok)
        return;
    gravado(false);
    // Ready for the next product.
    valoresDeAbertura();
    m_edPRO_Valor->setText(QStringLiteral("R$ 0,00"));
    m_edPRO_UComp->clear();
    m_edPRO_Codigo->setFocus();
}

void TfDados_Produtos::altera(const Produto& p)
{
    const bool ok = Familia::grava(
        m_app, this, [&](Transacao& t) { return m_app.dmProdutos().altera(t, CodSelecionado, p); },
        QStringLiteral("Alteração de Produto:") + m_edPRO_Codigo->text(),
        [](const ErroBanco&) { return falhaGravacao; });
    if (ok)
        gravado(true);
}

void TfDados_Produtos::exclui()
{
    // The ledger names the product: deleting it would leave movements nobody can read.
    try {
        if (m_app.dmMovEstq().produtoTemMovimento(CodSelecionado)) {
            Mensagens::aviso(
                QStringLiteral("Produto não pode ser excluído, pois tem alguma movimentação"),
                this);
            return;
        }
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
        return;
    }
    const bool ok = Familia::grava(
        m_app, this, [&](Transacao& t) { return m_app.dmProdutos().exclui(t, CodSelecionado); },
        QStringLiteral("Exclusão de Produto:") + m_edPRO_Codigo->text(),
        [](const ErroBanco&) { return falhaGravacao; });
    if (ok)
        gravado(true);
}

void TfDados_Produtos::gravado(bool fecha)
{
    m_app.janela<TfManut_Produtos>().lista().rele();
    if (fecha)
        accept();
}
