#include "registers/Dados_Grupos.h"

#include "app/Aplicacao.h"
#include "common/Convencoes.h"
#include "common/Funcoes.h"
#include "common/Mensagens.h"
#include "data/firebird/ErroBanco.h"
#include "registers/Familia.h"
#include "registers/Manut_Grupos.h"
#include "data/DataModule_Grupos.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TfDados_Grupos::TfDados_Grupos(Aplicacao& app, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_app(app)
{
    setObjectName(QStringLiteral("TfDados_Grupos"));
    setWindowTitle(QStringLiteral("Inclusão de Grupos"));

    m_lbTitulo = new QLabel(QStringLiteral("Inclusão de Grupos"), this);
    m_lbTitulo->setObjectName(QStringLiteral("lb_Titulo_DadosGRU"));
    QFont f = m_lbTitulo->font();
    f.setPointSize(f.pointSize() + 4);
    f.setBold(true);
    m_lbTitulo->setFont(f);

    m_edCodigo = new QLineEdit(this);
    m_edCodigo->setObjectName(QStringLiteral("edGRU_Codigo"));
    // No length limit here: the code is never typed, and a proposal that outgrew six digits
    // must reach the database whole (and be refused there), not be cut to another code.
    m_edCodigo->setReadOnly(true);
    m_edDescricao = new QLineEdit(this);
    m_edDescricao->setObjectName(QStringLiteral("edGRU_Descricao"));
    m_edDescricao->setMaxLength(50);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Código:"), m_edCodigo);
    form->addRow(QStringLiteral("Descrição:"), m_edDescricao);

    m_btnSalva = new QPushButton(QStringLiteral("Salva"), this);
    m_btnSalva->setObjectName(QStringLiteral("btnGRU_Salva"));
    m_btnLimpa = new QPushButton(QStringLiteral("Limpa"), this);
    m_btnLimpa->setObjectName(QStringLiteral("btnGRU_Limpa"));
    auto* fecha = new QPushButton(QStringLiteral("Fecha"), this);
    fecha->setObjectName(QStringLiteral("btnGRU_Fecha"));
    auto* botoes = new QHBoxLayout;
    for (QPushButton* b : {m_btnSalva, m_btnLimpa, fecha}) {
        b->setAutoDefault(false);
        botoes->addWidget(b);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lbTitulo);
    layout->addLayout(form);
    layout->addLayout(botoes);
    resize(520, 160);

    connect(m_btnSalva, &QPushButton::clicked, this, &TfDados_Grupos::salva);
    connect(m_btnLimpa, &QPushButton::clicked, this, [this] {
        m_edCodigo->clear();
        m_edDescricao->clear();
        vaiParaCodigo();
    });
    connect(fecha, &QPushButton::clicked, this, &QDialog::accept);
    Convencoes::aoEntrar(m_edCodigo, this, [this] { vaiParaCodigo(); });
    Convencoes::aoSair(m_edDescricao, this, [this] { verificaDescricao(); });
    Convencoes::coresDeFoco(this);
    Convencoes::enterComoTab(this);
}

::Modo TfDados_Grupos::modo() const
{
    return m_app.janela<TfManut_Grupos>().Modo;
}

void TfDados_Grupos::showEvent(QShowEvent* e)
{
    // The window system confirms a showing with a second, spontaneous event; the opening work
    // runs once per opening.
    if (e->spontaneous()) {
        QDialog::showEvent(e);
        return;
    }
    const ::Modo m = modo();
    m_edDescricao->clear();
    if (m == ::Modo::Inclui) {
        setWindowTitle(QStringLiteral("Inclusão de Grupos"));
        m_btnSalva->setText(QStringLiteral("Salva"));
        m_btnLimpa->setVisible(true);
        m_edCodigo->clear();
        vaiParaCodigo();
    } else {
        setWindowTitle(m == ::Modo::Altera ? QStringLiteral("Alteração de Grupos")
                                            : QStringLiteral("Exclusão de Grupos"));
        m_btnSalva->setText(m == ::Modo::Altera ? QStringLiteral("Altera")
                                                 : QStringLiteral("Exclui"));
        m_btnLimpa->setVisible(false);
        CodSelecionado = Familia::codigoAtual(m_app.dmGrupos().cds_Grupos);
        m_edCodigo->clear();
        Consulta& q = m_app.dmGrupos().SQLQ_Grupos;
        q.setSql(
            QStringLiteral("Select * From Grupos Where GRU_Codigo=:CodigoC order By GRU_Codigo"));
        q.setParametro(QStringLiteral("CodigoC"), CodSelecionado);
        try {
            const Resultado r = q.abre();
            if (!r.vazio()) {
                m_edCodigo->setText(r.valor(0, 0).toString());
                m_edDescricao->setText(r.valor(0, 1).toString());
            }
        } catch (const ErroBanco& erro) {
            Mensagens::erro(erro.mensagem(), this);
        }
        m_edDescricao->setFocus();
    }
    m_lbTitulo->setText(windowTitle());
    QDialog::showEvent(e);
}

QString TfDados_Grupos::proximoCodigo()
{
    try {
        return Funcoes::proximoCodigo(
            m_app.conexao(),
            QStringLiteral("Select GRU_Codigo From Grupos order By GRU_Codigo Descending"), 6);
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
        return QString();
    }
}

void TfDados_Grupos::vaiParaCodigo()
{
    if (modo() == ::Modo::Inclui)
        m_edCodigo->setText(proximoCodigo());
    m_edDescricao->setFocus(Qt::TabFocusReason);
}

void TfDados_Grupos::verificaDescricao()
{
    if (modo() != ::Modo::Inclui)
        return;
    Consulta& q = m_app.dmGrupos().SQLQ_Grupos;
    q.setSql(QStringLiteral("Select GRU_Descricao From Grupos Where GRU_DESCRICAO=:DescricaoC"));
    q.setParametro(QStringLiteral("DescricaoC"), m_edDescricao->text());
    try {
        if (q.abre(nullptr, 1).vazio())
            return;
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
        return;
    }
    if (!Mensagens::confirma(QStringLiteral("Grupo já Cadastrado, deseja Cadastrar outro Grupo com "
                                            "a mesma Descrição ?"),
                             this)) {
        m_edDescricao->clear();
        Convencoes::devolveFoco(m_edDescricao);
    }
}

void TfDados_Grupos::salva()
{
    const ::Modo m = modo();
    if (m == ::Modo::Inclui)
        inclui();
    else if (m == ::Modo::Altera)
        altera();
    else if (m == ::Modo::Exclui)
        exclui();
}

void TfDados_Grupos::inclui()
{
    if (m_edDescricao->text().trimmed().isEmpty()) {
        Mensagens::informacao(QStringLiteral("O Campo da Descrição Precisa ser Preenchido"), this);
        m_edDescricao->setFocus();
        return;
    }
    // Another workstation may have taken the proposed code meanwhile. A code longer than the
    // column cannot be taken (the server would refuse even to compare it); its insert fails
    // below with the save's own message.
    Consulta& q = m_app.dmGrupos().SQLQ_Grupos;
    q.setSql(QStringLiteral("Select GRU_Codigo From GRUPOS where GRU_Codigo=:CodigoC"));
    q.setParametro(QStringLiteral("CodigoC"), m_edCodigo->text());
    try {
        if (m_edCodigo->text().size() <= 6 && !q.abre(nullptr, 1).vazio()) {
            m_edCodigo->setText(proximoCodigo());
            Mensagens::informacao(QStringLiteral("Novo Código:") + m_edCodigo->text(), this);
        }
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
        return;
    }

    const QString codigo = m_edCodigo->text();
    const bool ok = Familia::grava(
        m_app, this,
        [&](Transacao& t) {
            q.limpa();
            q.adiciona(QStringLiteral("Insert into GRUPOS (GRU_Codigo,GRU_Descricao)"));
            q.adiciona(QStringLiteral("Values (:CodigoC,:DescricaoC)"));
            q.setParametro(QStringLiteral("CodigoC"), codigo);
            q.setParametro(QStringLiteral("DescricaoC"), m_edDescricao->text());
            q.executa(t);
        },
        QStringLiteral("Inclusão de Grupo de Produtos:") + codigo,
        [](const ErroBanco&) { return QStringLiteral("Não Consegui Incluir, Tente Novamente !"); });
    if (!ok)
        return;
    m_app.janela<TfManut_Grupos>().lista().rele();
    m_edCodigo->clear();
    m_edDescricao->clear();
    vaiParaCodigo();
}

void TfDados_Grupos::altera()
{
    if (m_edDescricao->text().trimmed().isEmpty()) {
        Mensagens::aviso(QStringLiteral("O Campo da Descrição do Grupo deve ser Preenchido"), this);
        m_edDescricao->setFocus();
        return;
    }
    Consulta& q = m_app.dmGrupos().SQLQ_Grupos;
    const bool ok = Familia::grava(
        m_app, this,
        [&](Transacao& t) {
            q.limpa();
            q.adiciona(QStringLiteral("Update GRUPOS SET GRU_Descricao=:DescricaoC"));
            q.adiciona(QStringLiteral("Where GRU_Codigo=:CodigoC"));
            q.setParametro(QStringLiteral("DescricaoC"), m_edDescricao->text());
            q.setParametro(QStringLiteral("CodigoC"), CodSelecionado);
            q.executa(t);
        },
        QStringLiteral("Alteração de Grupo de Produtos:") + m_edCodigo->text(),
        [](const ErroBanco&) { return QStringLiteral("Não Consegui Alterar, Tente Novamente !"); });
    if (!ok)
        return;
    m_app.janela<TfManut_Grupos>().lista().rele();
    accept();
}

void TfDados_Grupos::exclui()
{
    Consulta& q = m_app.dmGrupos().SQLQ_Grupos;
    const bool ok = Familia::grava(
        m_app, this,
        [&](Transacao& t) {
            q.limpa();
            q.adiciona(QStringLiteral("Delete FROM GRUPOS"));
            q.adiciona(QStringLiteral("Where GRU_Codigo=:CodigoC"));
            q.setParametro(QStringLiteral("CodigoC"), CodSelecionado);
            q.executa(t);
        },
        QStringLiteral("Exclusão de Grupo de Produtos:") + m_edCodigo->text(),
        [](const ErroBanco&) { return QStringLiteral("Não Consegui Excluir, Tente Novamente !"); });
    if (!ok)
        return;
    m_app.janela<TfManut_Grupos>().lista().rele();
    accept();
}
