#include "common/JanelasCadastro.h"

#include "common/Convencoes.h"
#include "common/Funcoes.h"
#include "common/Gravacao.h"
#include "common/Mensagens.h"
#include "common/Modal.h"
#include "contexto/Contexto.h"
#include "contexto/Sessao.h"
#include "data/DataSet.h"
#include "data/firebird/Consulta.h"
#include "data/firebird/ErroBanco.h"
#include "data/firebird/Transacao.h"

#include <QFocusEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

#include <optional>

namespace Familia {

bool permiteBotao(Contexto& app, const QString& codigoModulo)
{
    try {
        return app.sessao().permite(codigoModulo);
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem());
        return false;
    }
}

QString registroSumido()
{
    return Gravacao::registroSumido();
}

bool grava(Contexto& app, QWidget* janela, const std::function<qint64(Transacao&)>& escreve,
           const QString& textoLog, const std::function<QString(const ErroBanco&)>& falha,
           TipoMensagem tipoFalha)
{
    // The record was read when the window opened; another workstation may have deleted it
    // since.
    return Gravacao::grava(app, janela,
                           {.escreve = [&](Transacao& t) { Gravacao::exigeRegistro(escreve(t)); },
                            .textoLog = textoLog,
                            .falha = falha,
                            .tipoFalha = tipoFalha});
}

QString comErro(const QString& texto, const ErroBanco& erro)
{
    return texto + QStringLiteral("\nErro:  ") + erro.mensagem();
}

void mostra(const Aviso& aviso, QWidget* janela)
{
    Mensagens::mostra(aviso.tipo, aviso.texto, janela);
}

QString codigoAtual(const DataSet& lista)
{
    if (lista.linhaAtual() < 0 || lista.campos().isEmpty())
        return QString();
    return lista.valor(lista.linhaAtual(), lista.campoDaColuna(0)).toString();
}

Lista::Lista(QWidget* janela, ListaDoModulo lista, QTableView* grade, QLabel* rotulo,
             QLineEdit* campoBusca, int largura, QChar preenchimento)
    : QObject(janela), m_janela(janela), m_lista(std::move(lista)), m_dados(*m_lista.dados),
      m_grade(grade), m_rotulo(rotulo), m_campoBusca(campoBusca), m_largura(largura),
      m_preenchimento(preenchimento)
{
    Formulario::avisaFalhaDeLeitura(m_dados, janela);
}

int Lista::adicionaOrdem(const Ordem& ordem)
{
    m_ordens << ordem;
    return int(m_ordens.size()) - 1;
}

void Lista::ligaRadios(bool tambemAoFocar)
{
    for (int i = 0; i < m_ordens.size(); ++i) {
        QRadioButton* r = m_ordens[i].radio;
        if (!r)
            continue;
        connect(r, &QRadioButton::clicked, this, [this, i] { ordena(i); });
        if (tambemAoFocar)
            r->installEventFilter(this);
    }
}

bool Lista::eventFilter(QObject* alvo, QEvent* evento)
{
    if (evento->type() == QEvent::FocusIn) {
        auto* f = static_cast<QFocusEvent*>(evento);
        if (f->reason() != Qt::ActiveWindowFocusReason && f->reason() != Qt::PopupFocusReason) {
            for (int i = 0; i < m_ordens.size(); ++i)
                if (m_ordens[i].radio == alvo)
                    ordena(i);
        }
    }
    return QObject::eventFilter(alvo, evento);
}

void Lista::ordena(int indice)
{
    const Ordem& o = m_ordens.at(indice);
    m_atual = indice;
    if (o.radio && !o.radio->isChecked())
        o.radio->setChecked(true);
    if (m_rotulo && !o.rotulo.isNull())
        m_rotulo->setText(o.rotulo);
    try {
        m_lista.abre(o.ordem);
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), m_janela);
    }
    if (m_grade)
        m_grade->viewport()->update();
}

void Lista::rele()
{
    releLocalizando(QString(), QString());
}

void Lista::releLocalizando(const QString& campo, const QString& prefixo)
{
    // The quick search is typed letter by letter all day: a row found among the rows already
    // read is where it lands, without reading the whole list again for each key. Only a miss
    // reads the list again, so a row another workstation added or renamed since is still
    // found.
    if (!campo.isEmpty() && m_dados.localiza(campo, prefixo) >= 0) {
        if (m_grade)
            m_grade->viewport()->update();
        return;
    }
    const QString campoChave = m_dados.campoDaColuna(0);
    const QString atual = codigoAtual(m_dados);
    try {
        m_lista.rele();
    } catch (const ErroBanco& e) {
        if (!campo.isEmpty())
            m_dados.localiza(campo, prefixo);
        Mensagens::erro(e.mensagem(), m_janela);
        return;
    }
    if ((campo.isEmpty() || m_dados.localiza(campo, prefixo) < 0) && !atual.isEmpty()) {
        const int chave = m_dados.campo(campoChave);
        const int i = m_dados.procura(
            [chave, &atual](const DataSet::Linha& l) { return l.em(chave).toString() == atual; });
        if (i >= 0)
            m_dados.setLinhaAtual(i);
    }
    if (m_grade)
        m_grade->viewport()->update();
}

void Lista::busca()
{
    if (m_atual < 0 || !m_campoBusca)
        return;
    const Ordem& o = m_ordens.at(m_atual);
    QString texto = m_campoBusca->text();
    if (o.codigo) {
        texto = Funcoes::completaCodigo(texto, m_largura, m_preenchimento);
        m_campoBusca->setText(texto);
    }
    releLocalizando(o.campo, texto);
}

Quadro::Quadro(QDialog* janela, const Desenho& d, const ListaDoModulo& fonte)
{
    DataSet& dados = *fonte.dados;
    using namespace Formulario;
    janela->setObjectName(QLatin1String(d.nome));
    janela->setWindowTitle(d.titulo);

    QGroupBox* caixaOrdem = moldura(janela, "", d.caixaOrdem);
    porCodigo = radio(caixaOrdem, d.radioCodigo, QStringLiteral("Código"));
    porDescricao = radio(caixaOrdem, d.radioDescricao, QStringLiteral("Descrição"));
    (d.marcaDescricao ? porDescricao : porCodigo)->setChecked(true);
    auto* lo = new QHBoxLayout(caixaOrdem);
    lo->addWidget(porCodigo);
    lo->addWidget(porDescricao);

    QGroupBox* caixaBusca = moldura(janela, "", d.caixaBusca);
    rotulo = Formulario::rotulo(caixaBusca, d.rotulo, d.textoRotulo);
    busca = campo(caixaBusca, d.campoBusca, d.larguraBusca);
    QPushButton* botaoBusca = botao(caixaBusca, d.botaoBusca, QStringLiteral("Busca"));
    auto* lb = new QHBoxLayout(caixaBusca);
    lb->addWidget(rotulo);
    lb->addWidget(busca, 1);
    lb->addWidget(botaoBusca);

    auto* topo = new QHBoxLayout;
    topo->addWidget(caixaOrdem);
    topo->addWidget(caixaBusca, 1);
    grade = Formulario::grade(janela, d.grade);
    botoes = new QHBoxLayout;

    auto* layout = new QVBoxLayout(janela);
    if (!d.cabecalho.isEmpty())
        layout->addWidget(titulo(janela, "", d.cabecalho));
    layout->addLayout(topo);
    layout->addWidget(grade, 1);
    layout->addLayout(botoes);
    janela->resize(640, 480);

    dados.acompanha(grade, d.colunas);
    grade->horizontalHeader()->setStretchLastSection(true);

    lista =
        new Lista(janela, fonte, grade, rotulo, busca, CadastroSimples::largura, QLatin1Char('0'));
    const QString campoCodigo = dados.campoDaColuna(0);
    const QString campoDescricao = dados.campoDaColuna(1);
    lista->adicionaOrdem(
        {porCodigo, PorCodigo, d.rotuloCodigo, campoCodigo, d.buscaCompletaCodigo});
    lista->adicionaOrdem({porDescricao, PorDescricao, d.rotuloDescricao, campoDescricao, false});
    lista->ligaRadios(d.ordenaAoFocar);
    // Added after the radios are tied: it has no radio of its own, so clicking "Descrição"
    // still applies that radio's statement and label.
    if (fonte.ordens > NaAbertura)
        lista->adicionaOrdem({nullptr, NaAbertura, d.rotuloAbertura, campoDescricao, false});
    QObject::connect(botaoBusca, &QPushButton::clicked, lista, &Lista::busca);
}

JanelaManutencao::JanelaManutencao(Contexto& app, const Desenho& desenho,
                                   const ListaDoModulo& lista, const Botoes& b,
                                   std::function<QDialog&()> janelaDados, QWidget* parent)
    : Dialogo(parent), m_app(app), m_quadro(this, desenho, lista),
      m_janelaDados(std::move(janelaDados))
{
    using Formulario::botao;
    QPushButton* novo = botao(this, b.novo, QStringLiteral("Novo"));
    QPushButton* altera = botao(this, b.altera, QStringLiteral("Altera"));
    QPushButton* exclui = botao(this, b.exclui, QStringLiteral("Exclui"));
    QPushButton* fechar = botao(this, b.fechar, QStringLiteral("Fechar"));
    m_quadro.botoes->addWidget(novo);
    m_quadro.botoes->addWidget(altera);
    m_quadro.botoes->addWidget(exclui);
    m_quadro.botoes->addStretch();
    m_quadro.botoes->addWidget(fechar);

    const QString modulo = b.modulo;
    connect(novo, &QPushButton::clicked, this,
            [this, modulo] { abreDados(modulo + QStringLiteral(".1"), ::Modo::Inclui); });
    connect(altera, &QPushButton::clicked, this,
            [this, modulo] { abreDados(modulo + QStringLiteral(".2"), ::Modo::Altera); });
    connect(exclui, &QPushButton::clicked, this,
            [this, modulo] { abreDados(modulo + QStringLiteral(".3"), ::Modo::Exclui); });
    connect(fechar, &QPushButton::clicked, this, &QDialog::accept);
    Convencoes::coresDeFoco(this);
}

void JanelaManutencao::abreDados(const QString& codigoModulo, ::Modo modo)
{
    if (!permiteBotao(m_app, codigoModulo))
        return;
    Modo = modo;
    Modal::exec(&m_janelaDados());
}

JanelaSelecao::JanelaSelecao(const Desenho& desenho, const ListaDoModulo& lista,
                             const char* nomeSeleciona, const char* nomeFechar, QWidget* parent)
    : ::JanelaBusca(parent), m_quadro(this, desenho, lista)
{
    QPushButton* btSeleciona = Formulario::botao(this, nomeSeleciona, QStringLiteral("Seleciona"));
    QPushButton* btFechar = Formulario::botao(this, nomeFechar, QStringLiteral("Fechar"));
    m_quadro.botoes->addStretch();
    m_quadro.botoes->addWidget(btSeleciona);
    m_quadro.botoes->addWidget(btFechar);
    connect(btSeleciona, &QPushButton::clicked, this,
            [this] { seleciona(codigoAtual(m_quadro.lista->dados())); });
    connect(btFechar, &QPushButton::clicked, this, &QDialog::reject);
    Convencoes::coresDeFoco(this);
}

JanelaDados::JanelaDados(Contexto& app, const DesenhoDados& d, CadastroSimples& cadastro,
                         std::function<JanelaManutencao&()> manutencao, QWidget* parent)
    : Dialogo(parent), m_app(app), m_cadastro(cadastro), m_manutencao(std::move(manutencao)),
      m_desenho(d)
{
    using namespace Formulario;
    setObjectName(QLatin1String(d.nome));
    setWindowTitle(titulo(::Modo::Inclui));

    m_lbTitulo = Formulario::titulo(this, d.titulo, windowTitle());
    m_edCodigo = campo(this, d.codigo, d.larguraCodigo);
    m_edDescricao = campo(this, d.descricao, d.larguraDescricao);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Código:"), m_edCodigo);
    form->addRow(d.rotuloDescricao, m_edDescricao);

    m_btnSalva = botao(this, d.salva, d.textoSalva);
    m_btnLimpa = botao(this, d.limpa, QStringLiteral("Limpa"));
    m_btnFechar = botao(this, d.fechar, d.textoFechar);
    auto* botoes = new QHBoxLayout;
    for (QPushButton* b : {m_btnSalva, m_btnLimpa, m_btnFechar})
        botoes->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lbTitulo);
    layout->addLayout(form);
    layout->addLayout(botoes);
    resize(520, 160);

    connect(m_btnSalva, &QPushButton::clicked, this, &JanelaDados::salva);
    connect(m_btnLimpa, &QPushButton::clicked, this, [this] { limpa(); });
    connect(m_btnFechar, &QPushButton::clicked, this,
            d.fecharCancela ? &QDialog::reject : &QDialog::accept);
    if (!d.descricaoRepetida.isEmpty())
        Convencoes::aoSair(m_edDescricao, this, [this] { confereDescricao(); });
    Convencoes::coresDeFoco(this);
    Convencoes::enterComoTab(this);
}

namespace {

// What a save of the mode does, as titles and audit lines name it.
QString acao(::Modo modo)
{
    return modo == ::Modo::Inclui   ? QStringLiteral("Inclusão de ")
           : modo == ::Modo::Altera ? QStringLiteral("Alteração de ")
                                    : QStringLiteral("Exclusão de ");
}

} // namespace

QString JanelaDados::titulo(::Modo modo) const
{
    return acao(modo) + m_desenho.registro;
}

void JanelaDados::aoAbrir()
{
    const ::Modo m = modo();
    m_edCodigo->clear();
    m_edDescricao->clear();
    setWindowTitle(titulo(m));
    m_lbTitulo->setText(windowTitle());
    m_btnSalva->setText(m == ::Modo::Inclui   ? m_desenho.textoSalva
                        : m == ::Modo::Altera ? QStringLiteral("Altera")
                                              : QStringLiteral("Exclui"));
    m_btnLimpa->setVisible(m == ::Modo::Inclui);
    if (m_campoCodigo)
        m_campoCodigo->esquece();
    if (m == ::Modo::Inclui) {
        abreInclusao();
        return;
    }
    CodSelecionado = codigoAtual(m_manutencao().lista().dados());
    try {
        if (const std::optional<ItemCadastro> r = m_cadastro.registro(CodSelecionado)) {
            m_edCodigo->setText(r->codigo);
            m_edDescricao->setText(r->descricao);
        }
    } catch (const ErroBanco& erro) {
        Mensagens::erro(erro.mensagem(), this);
    }
    abreRegistro();
}

void JanelaDados::abreRegistro()
{
    m_edDescricao->setFocus();
}

void JanelaDados::limpa()
{
    m_edCodigo->clear();
    m_edDescricao->clear();
    abreInclusao();
}

CampoCodigo* JanelaDados::codigoDigitado(CampoCodigo::Regras regras)
{
    regras.largura = CadastroSimples::largura;
    regras.preenchimento = QLatin1Char('0');
    regras.procura = [this](const QString& codigo) {
        return modo() != ::Modo::Inclui || !m_cadastro.codigoTomado(codigo);
    };
    regras.esvaziaAoRecusar = true;
    m_campoCodigo = new CampoCodigo(m_edCodigo, this, regras);
    return m_campoCodigo;
}

bool JanelaDados::propoeProximo()
{
    // Where the user types the code, a free one is typed instead of one too long for it.
    return Funcoes::propoeCodigo(
        m_edCodigo, this, [this] { return m_cadastro.proximoCodigo(); }, m_desenho.larguraCodigo);
}

void JanelaDados::confereDescricao()
{
    if (modo() != ::Modo::Inclui)
        return;
    try {
        if (!m_cadastro.descricaoTomada(m_edDescricao->text()))
            return;
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
        return;
    }
    if (!Mensagens::confirma(m_desenho.descricaoRepetida, this)) {
        m_edDescricao->clear();
        Convencoes::devolveFoco(m_edDescricao);
    }
}

bool JanelaDados::podeIncluir()
{
    // A click on the save button can follow the code field's refusal (it has said why): the
    // user goes back to the code.
    if (m_campoCodigo && (!m_campoCodigo->podeGravar() || m_edCodigo->text().trimmed().isEmpty())) {
        m_edCodigo->setFocus();
        return false;
    }
    if (!descricaoPreenchida())
        return false;
    if (!m_desenho.renumera)
        return true;
    // Another workstation may have taken the code since it was proposed or typed. A code
    // longer than the column is taken by no one; its insert fails with the save's message.
    try {
        if (m_cadastro.codigoTomado(m_edCodigo->text())) {
            if (!propoeProximo())
                return false;
            Mensagens::informacao(QStringLiteral("Novo Código:") + m_edCodigo->text(), this);
        }
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
        return false;
    }
    return true;
}

bool JanelaDados::descricaoPreenchida()
{
    if (!m_edDescricao->text().trimmed().isEmpty())
        return true;
    mostra(modo() == ::Modo::Inclui ? m_desenho.descricaoVazia : m_desenho.descricaoVaziaAltera,
           this);
    m_edDescricao->setFocus();
    return false;
}

void JanelaDados::salva()
{
    switch (modo()) {
    case ::Modo::Inclui:
        if (podeIncluir() && grava(::Modo::Inclui)) {
            // Ready for the next record.
            m_edCodigo->clear();
            m_edDescricao->clear();
            if (m_campoCodigo)
                m_campoCodigo->esquece();
            abreInclusao();
        }
        break;
    case ::Modo::Altera:
        if (descricaoPreenchida() && grava(::Modo::Altera))
            accept();
        break;
    case ::Modo::Exclui:
        if (grava(::Modo::Exclui))
            accept();
        break;
    default:
        break;
    }
}

bool JanelaDados::grava(::Modo modo)
{
    const QString codigo = m_edCodigo->text();
    const QString descricao = m_edDescricao->text();
    const QString& falha = modo == ::Modo::Inclui   ? m_desenho.falhaInclui
                           : modo == ::Modo::Altera ? m_desenho.falhaAltera
                                                    : m_desenho.falhaExclui;
    // The audit line names the code the field shows; a change or deletion is keyed by the
    // row that was current when the window opened.
    const bool ok = Familia::grava(
        m_app, this,
        [&](Transacao& t) {
            if (modo == ::Modo::Inclui)
                return m_cadastro.inclui(t, {codigo, descricao});
            if (modo == ::Modo::Altera)
                return m_cadastro.altera(t, CodSelecionado, descricao);
            return m_cadastro.exclui(t, CodSelecionado);
        },
        acao(modo) + m_desenho.log + codigo,
        [&](const ErroBanco& e) { return m_desenho.falhaComErro ? comErro(falha, e) : falha; });
    if (ok)
        m_manutencao().lista().rele();
    return ok;
}

} // namespace Familia
