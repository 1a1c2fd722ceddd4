#include "registers/DadosFornecedor.h"

#include "common/CampoCodigo.h"
#include "common/CamposCadastro.h"
#include "common/Convencoes.h"
#include "common/Funcoes.h"
#include "common/JanelasCadastro.h"
#include "common/Mensagens.h"
#include "contexto/Contexto.h"
#include "data/DataModule_Fornecedor.h"
#include "data/DataModule_GrupoFornecedor.h"
#include "data/firebird/ErroBanco.h"
#include "registers/Manut_Fornec.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString tituloInclusao = QStringLiteral("Inclusão de Fornecedores");

// The plain text fields, in the order Enter walks through them. Widths are the field's; a few
// columns are wider (the names, the district, the city), and the second telephone has no
// width of its own, so a number too long for its column is refused by the database at the
// save, with its own words in the message.
struct Definicao {
    const char* nome;
    const char* rotulo;
    int largura;
    QString Fornecedor::*dado;
};

const Definicao definicoes[] = {
    {"edRazao", "Nome/Razão Social:", 50, &Fornecedor::razao},
    {"edFanta", "Apelido/Nome Fantasia:", 50, &Fornecedor::fantasia},
    {"edCNPJ", "CPF/CNPJ:", 18, &Fornecedor::cnpj},
    {"edInsc", "R.G/Inscrição Estadual:", 20, &Fornecedor::inscricao},
    {"edEnder", "Endereço:", 40, &Fornecedor::endereco},
    {"edNumero", "Numero:", 10, &Fornecedor::numero},
    {"edComplemento", "Complemento:", 30, &Fornecedor::complemento},
    {"edBairro", "Bairro:", 25, &Fornecedor::bairro},
    {"edCidade", "Cidade:", 25, &Fornecedor::cidade},
    {"edUF", "Estado:", 2, &Fornecedor::uf},
    {"edCep", "CEP:", 10, &Fornecedor::cep},
    {"edFone1", "Telefone:", 15, &Fornecedor::fone1},
    {"edFone2", "Telefone 2:", 15, &Fornecedor::fone2},
    {"edFax", "Fax:", 15, &Fornecedor::fax},
    {"edCelular", "Celular:", 15, &Fornecedor::celular},
    {"edContato", "Contato:", 20, &Fornecedor::contato},
    {"edEmail", "Email:", 60, &Fornecedor::email},
    {"edHomeP", "Home Page:", 60, &Fornecedor::homePage},
    {"edBanco", "Banco:", 15, &Fornecedor::banco},
    {"edAgencia", "Agência:", 10, &Fornecedor::agencia},
    {"edConta", "Conta:", 10, &Fornecedor::conta},
};

} // namespace

TfDadosFornecedor::TfDadosFornecedor(Contexto& app, QWidget* parent) : Dialogo(parent), m_app(app)
{
    using namespace Formulario;
    setObjectName(QStringLiteral("TfDadosFornecedor"));
    // The caption stays the same in every mode; the title label tells the mode.
    setWindowTitle(tituloInclusao);

    m_lTitulo = titulo(this, "lTitulo", tituloInclusao);
    m_edCodigo = campo(this, "edCodigo", 10);
    m_cbFJ = escolha(this, "cbFJ",
                     {QStringLiteral("Pessoa Jurídica (J)"), QStringLiteral("Pessoa Física (F)")});
    m_dtpDCad = Formulario::data(this, "dtpDCad");
    // A supplier stored without a date shows an empty picker (its lowest date) and keeps no
    // date when saved again, instead of taking some arbitrary one.
    m_dtpDCad->setSpecialValueText(QStringLiteral(" "));
    m_edCodGrupo = campo(this, "edCodGrupo", 6);
    m_btnBuscaGrupo = botao(this, "btnBuscaGrupo", QStringLiteral("..."));
    m_btnBuscaGrupo->setMaximumWidth(32);
    m_edDescGrupo = campoLeitura(this, "edDescGrupo");
    m_edDescGrupo->setFocusPolicy(Qt::NoFocus);

    Quadro quadro(this);
    quadro.linha({{QStringLiteral("Código:"), m_edCodigo}, {QStringLiteral("Tipo:"), m_cbFJ}});
    quadro.linha({{QStringLiteral("Data do Cadastramento:"), m_dtpDCad}});
    quadro.linha({{QStringLiteral("Código Grupo:"), lado({m_edCodGrupo, m_btnBuscaGrupo})},
                  {QStringLiteral("Descrição do Grupo de Fornecedores:"), m_edDescGrupo}});
    // Two columns of label and field, in the order Enter walks through them.
    int i = 0;
    for (const Definicao& d : definicoes) {
        QLineEdit* e = campo(this, d.nome, d.largura);
        m_campos << Campo{e, d.dado};
        quadro.poe(3 + i % 11, i < 11 ? 0 : 2, {QString::fromUtf8(d.rotulo), e});
        ++i;
    }
    m_edRazao = m_campos.first().edit;
    m_edObs = memo(this, "edObs", 200);
    m_edObs->setMaximumHeight(70);
    quadro.poe(14, 0, {QStringLiteral("Observações:"), m_edObs, 3});

    m_btnCadastra = botao(this, "btnCadastra", QStringLiteral("Inclui"));
    m_btnLimpa = botao(this, "btnLimpa", QStringLiteral("Limpa os Campos"));
    m_btnSaida = botao(this, "btnSaida", QStringLiteral("Saída"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lTitulo);
    layout->addLayout(quadro.grade());
    layout->addLayout(fileira({m_btnCadastra, m_btnLimpa}, {m_btnSaida}));
    resize(820, 560);

    // The order in which Tab and Enter walk through the window.
    QList<QWidget*> ordem = {m_edCodigo, m_cbFJ, m_dtpDCad, m_edCodGrupo, m_btnBuscaGrupo};
    for (const Campo& c : std::as_const(m_campos))
        ordem << c.edit;
    ordem << m_edObs << m_btnCadastra << m_btnLimpa << m_btnSaida;
    ordemTab(ordem);
    liga();
}

void TfDadosFornecedor::liga()
{
    // Only a new supplier's code can be typed, and it must be free. Coming into the field
    // offers the next free code; a taken one gives way to a fresh proposal. An emptied code is
    // padded like any other (0000000000) and looked up.
    CampoCodigo::Regras codigo;
    codigo.largura = 10;
    codigo.preenchimento = QLatin1Char('0');
    codigo.procura = [this](const QString& c) { return !m_app.dmFornecedor().codigoExiste(c); };
    codigo.naoEncontrado = QStringLiteral("Código já Cadastrado, tente outro Código");
    codigo.tipo = TipoMensagem::Aviso;
    codigo.aparaAoSair = true;
    codigo.completaVazio = true;
    codigo.ignoraSoLeitura = true;
    // No proposal when the highest code is not a number or the database is unreachable.
    codigo.proposta = [this] { return m_app.dmFornecedor().proximoCodigo(); };
    m_codigo = new CampoCodigo(m_edCodigo, this, codigo);

    // The group is stored as its code is stored, zeros and all. The save does not check it
    // again: a supplier may be saved with a group that has no row, or with none. The group
    // search opens in every mode; where the supplier is only shown (deleting, looking), the
    // group stored with it is not looked up again, but one picked in the search is, so the
    // description always goes with the code on screen.
    CampoCodigo::Regras grupo = regrasDoGrupoFornecedor(
        m_app, m_edDescGrupo, {QStringLiteral("Cad_Fornecedor"), m_btnBuscaGrupo});
    grupo.procura = [this, procura = grupo.procura](const QString& c) {
        return (m_edCodGrupo->isReadOnly() && c == m_grupoCarregado) || procura(c);
    };
    grupo.aparaAoSair = true;
    m_grupo = new CampoCodigo(m_edCodGrupo, this, grupo);
    connect(m_grupo, &CampoCodigo::saiuVazio, m_edDescGrupo, &QLineEdit::clear);
    // A known group needs no search: the user goes on to the name, wherever the focus was
    // heading.
    connect(m_grupo, &CampoCodigo::achou, this,
            [this] { m_edRazao->setFocus(Qt::TabFocusReason); });

    connect(m_btnCadastra, &QPushButton::clicked, this, &TfDadosFornecedor::salva);
    connect(m_btnLimpa, &QPushButton::clicked, this, &TfDadosFornecedor::limpaCampos);
    connect(m_btnSaida, &QPushButton::clicked, this, &QDialog::accept);
    Convencoes::coresDeFoco(this);
    // Here Enter walks on past the buttons too (Space presses them), so a person can go round
    // the whole supplier and back to the code without saving or leaving by accident.
    Convencoes::enterPassaPelosBotoes(this);
}

::Modo TfDadosFornecedor::modo() const
{
    return m_app.janela<TfManut_Fornec>().Modo;
}

void TfDadosFornecedor::aoAbrir()
{
    const ::Modo m = modo();
    const bool inclui = m == ::Modo::Inclui;
    const bool altera = m == ::Modo::Altera;
    const bool exclui = m == ::Modo::Exclui;
    // Deleting and looking show the supplier as stored: nothing there can be changed.
    const bool soLeitura = !inclui && !altera;
    limpaCampos();
    m_edCodigo->setReadOnly(!inclui);
    m_edCodGrupo->setReadOnly(soLeitura);
    for (const Campo& c : std::as_const(m_campos))
        c.edit->setReadOnly(soLeitura);
    m_edObs->setReadOnly(soLeitura);
    m_cbFJ->setEnabled(!soLeitura);
    m_dtpDCad->setEnabled(!soLeitura);

    if (inclui)
        m_lTitulo->setText(tituloInclusao);
    else if (altera)
        m_lTitulo->setText(QStringLiteral("Alteração de Fornecedores"));
    else if (exclui)
        m_lTitulo->setText(QStringLiteral("Exclusão de Fornecedores"));
    else
        m_lTitulo->setText(QStringLiteral("Consulta de Fornecedores"));
    m_btnCadastra->setText(inclui ? QStringLiteral("Inclui")
                                  : (altera ? QStringLiteral("Altera") : QStringLiteral("Exclui")));
    m_btnCadastra->setVisible(inclui || altera || exclui);
    m_btnLimpa->setVisible(inclui);

    if (inclui) {
        m_codigo->vaiParaOCampo();
    } else {
        carrega();
        if (altera)
            m_cbFJ->setFocus();
        else if (exclui)
            m_btnCadastra->setFocus();
        else
            m_btnSaida->setFocus();
    }
}

void TfDadosFornecedor::limpaCampos()
{
    m_edCodigo->clear();
    m_cbFJ->setCurrentIndex(0);
    m_dtpDCad->setDate(QDate::currentDate());
    m_edCodGrupo->clear();
    m_edDescGrupo->clear();
    m_grupoCarregado.clear();
    for (const Campo& c : std::as_const(m_campos))
        c.edit->clear();
    m_edObs->clear();
    m_codigo->esquece();
    m_grupo->esquece();
}

void TfDadosFornecedor::carrega()
{
    CodSelecionado = Familia::codigoAtual(m_app.dmFornecedor().cdsFornecedor);
    try {
        const std::optional<Fornecedor> f = m_app.dmFornecedor().fornecedor(CodSelecionado);
        if (!f)
            return;
        m_edCodigo->setText(f->codigo);
        m_cbFJ->setCurrentIndex(f->tipo == QLatin1String("J") ? 0 : 1);
        m_dtpDCad->setDate(f->cadastro.isValid() ? f->cadastro : m_dtpDCad->minimumDate());
        m_edCodGrupo->setText(f->grupo);
        m_grupoCarregado = Funcoes::codigoSeis(f->grupo.trimmed());
        for (const Campo& c : std::as_const(m_campos))
            c.edit->setText((*f).*c.dado);
        m_edObs->setPlainText(f->observacoes);
        if (!f->grupo.trimmed().isEmpty())
            m_edDescGrupo->setText(
                m_app.dmGrupoFornecedor().descricaoGrupo(f->grupo).value_or(QString()));
    } catch (const ErroBanco& erro) {
        Mensagens::erro(erro.mensagem(), this);
    }
}

std::optional<bool> TfDadosFornecedor::codigoExiste(const QString& codigo)
{
    try {
        return m_app.dmFornecedor().codigoExiste(codigo);
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
        return std::nullopt;
    }
}

bool TfDadosFornecedor::razaoVazia()
{
    if (!m_edRazao->text().trimmed().isEmpty())
        return false;
    Mensagens::aviso(QStringLiteral("Campo Razão Social/Nome Deve ser Preenchido"), this);
    m_edRazao->setFocus();
    return true;
}

Fornecedor TfDadosFornecedor::fornecedorDosCampos() const
{
    Fornecedor f;
    for (const Campo& c : m_campos)
        f.*c.dado = c.edit->text();
    f.observacoes = m_edObs->toPlainText();
    f.tipo = m_cbFJ->currentIndex() == 0 ? QStringLiteral("J") : QStringLiteral("F");
    const QDate data = m_dtpDCad->date();
    f.cadastro = data == m_dtpDCad->minimumDate() ? QDate() : data;
    f.grupo = m_edCodGrupo->text();
    return f;
}

void TfDadosFornecedor::salva()
{
    const ::Modo m = modo();
    if (m == ::Modo::Exclui) {
        exclui();
        return;
    }
    // A supplier opened only to be looked at is never written. A click on the button can
    // follow the code field's refusal (it has said why): the user goes back to the code.
    if (m != ::Modo::Inclui && m != ::Modo::Altera)
        return;
    if (m == ::Modo::Inclui && !m_codigo->podeGravar()) {
        m_edCodigo->setFocus();
        return;
    }
    if (razaoVazia())
        return;
    if (m == ::Modo::Inclui)
        inclui();
    else
        altera();
}

void TfDadosFornecedor::inclui()
{
    // "Limpa os Campos" leaves the code empty until the field is visited again; a supplier is
    // never stored without a code, so an empty one is treated like a code taken meanwhile.
    const QString digitado = m_edCodigo->text().trimmed();
    std::optional<bool> tomado = true;
    if (!digitado.isEmpty()) {
        m_edCodigo->setText(Funcoes::codigoFornecedor(digitado));
        // Another workstation may have taken the code since it was proposed or typed.
        tomado = codigoExiste(m_edCodigo->text());
    }
    if (!tomado)
        return;
    if (*tomado) {
        if (!m_codigo->propoe())
            return;
        Mensagens::informacao(QStringLiteral("Novo Código:") + m_edCodigo->text(), this);
    }

    Fornecedor f = fornecedorDosCampos();
    f.codigo = m_edCodigo->text();
    const bool ok = Familia::grava(
        m_app, this, [&](Transacao& t) { return m_app.dmFornecedor().inclui(t, f); },
        QStringLiteral("Inclusão de Fornecedor:") + f.codigo,
        [](const ErroBanco& e) {
            return Familia::comErro(QStringLiteral("Não Consegui Incluir, Tente Novamente !"), e);
        });
    if (!ok)
        return;
    gravado(false);
    limpaCampos();
    m_codigo->vaiParaOCampo();
}

void TfDadosFornecedor::altera()
{
    const Fornecedor f = fornecedorDosCampos();
    const bool ok = Familia::grava(
        m_app, this,
        [&](Transacao& t) { return m_app.dmFornecedor().altera(t, CodSelecionado, f); },
        QStringLiteral("Alteração de Fornecedor:") + m_edCodigo->text(),
        [](const ErroBanco& e) {
            return Familia::comErro(QStringLiteral("Não Consegui Alterar, Tente Novamente !"), e);
        });
    if (ok)
        gravado(true);
}

void TfDadosFornecedor::exclui()
{
    const bool ok = Familia::grava(
        m_app, this, [&](Transacao& t) { return m_app.dmFornecedor().exclui(t, CodSelecionado); },
        QStringLiteral("Exclusão de Fornecedor:") + m_edCodigo->text(),
        [](const ErroBanco& e) {
            return Familia::comErro(QStringLiteral("Não Consegui Excluir, Tente Novamente !"), e);
        });
    if (ok)
        gravado(true);
}

void TfDadosFornecedor::gravado(bool fecha)
{
    m_app.janela<TfManut_Fornec>().lista().rele();
    if (fecha)
        accept();
}
