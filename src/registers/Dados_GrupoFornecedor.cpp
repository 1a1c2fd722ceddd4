#include "registers/Dados_GrupoFornecedor.h"

#include "app/Aplicacao.h"
#include "common/Convencoes.h"
#include "common/Funcoes.h"
#include "common/Mensagens.h"
#include "data/firebird/ErroBanco.h"
#include "registers/Familia.h"
#include "registers/Manut_GrupoFornecedor.h"
#include "data/DataModule_GrupoFornecedor.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {
const QString tituloInclusao = QStringLiteral("Inclusão de Grupo de Fornecedores");
const QString tituloAlteracao = QStringLiteral("Alteração de Grupo de Fornecedores");
const QString tituloExclusao = QStringLiteral("Exclusão de Grupo de Fornecedores");
} // namespace

TfDados_GrupoFornecedor::TfDados_GrupoFornecedor(Aplicacao& app, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_app(app)
{
    setObjectName(QStringLiteral("TfDados_GrupoFornecedor"));
    setWindowTitle(tituloInclusao);

    m_lbTitulo = new QLabel(tituloInclusao, this);
    m_lbTitulo->setObjectName(QStringLiteral("lbTitulo"));
    QFont f = m_lbTitulo->font();
    f.setPointSize(f.pointSize() + 4);
    f.setBold(true);
    m_lbTitulo->setFont(f);

    // No length limits on the fields: a code or description too long for the table is
    // refused by the database at the save, with its own words in the message.
    m_edCodigo = new QLineEdit(this);
    m_edCodigo->setObjectName(QStringLiteral("edCodigo"));
    m_edDescricao = new QLineEdit(this);
    m_edDescricao->setObjectName(QStringLiteral("edDescricao"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Código:"), m_edCodigo);
    form->addRow(QStringLiteral("Descrição:"), m_edDescricao);

    m_btnGrava = new QPushButton(QStringLiteral("Grava"), this);
    m_btnGrava->setObjectName(QStringLiteral("btnGruFornec_Grava"));
    m_btnLimpa = new QPushButton(QStringLiteral("Limpa"), this);
    m_btnLimpa->setObjectName(QStringLiteral("btnGruFornec_Limpa"));
    auto* fechar = new QPushButton(QStringLiteral("Fechar"), this);
    fechar->setObjectName(QStringLiteral("btnGruFornec_Fechar"));
    auto* botoes = new QHBoxLayout;
    for (QPushButton* b : {m_btnGrava, m_btnLimpa, fechar}) {
        b->setAutoDefault(false);
        botoes->addWidget(b);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lbTitulo);
    layout->addLayout(form);
    layout->addLayout(botoes);
    resize(520, 160);

    connect(m_btnGrava, &QPushButton::clicked, this, &TfDados_GrupoFornecedor::salva);
    connect(m_btnLimpa, &QPushButton::clicked, this, [this] {
        m_edCodigo->clear();
        m_edDescricao->clear();
        vaiParaCodigo();
    });
    connect(fechar, &QPushButton::clicked, this, &QDialog::reject);
    Convencoes::aoEntrar(m_edCodigo, this, [this] {
        if (modo() == ::Modo::Inclui)
            propoeCodigo();
    });
    Convencoes::aoSair(m_edCodigo, this, [this] { saiDoCodigo(); });
    Convencoes::coresDeFoco(this);
    Convencoes::enterComoTab(this);
}

::Modo TfDados_GrupoFornecedor::modo() const
{
    return m_app.janela<TfManut_GrupoFornecedor>().Modo;
}

void TfDados_GrupoFornecedor::showEvent(QShowEvent* e)
{
    if (e->spontaneous()) {
        QDialog::showEvent(e);
        return;
    }
    const ::Modo m = modo();
    m_edCodigo->clear();
    m_edDescricao->clear();
    m_edCodigo->setEnabled(m == ::Modo::Inclui);
    m_edDescricao->setEnabled(m == ::Modo::Inclui || m == ::Modo::Altera);
    m_btnLimpa->setVisible(m == ::Modo::Inclui);
    if (m == ::Modo::Inclui) {
        setWindowTitle(tituloInclusao);
        m_btnGrava->setText(QStringLiteral("Grava"));
    } else if (m == ::Modo::Altera) {
        setWindowTitle(tituloAlteracao);
        m_btnGrava->setText(QStringLiteral("Altera"));
    } else {
        setWindowTitle(tituloExclusao);
        m_btnGrava->setText(QStringLiteral("Exclui"));
    }
    m_lbTitulo->setText(windowTitle());

    if (m == ::Modo::Inclui) {
        vaiParaCodigo();
    } else {
        CodSelecionado = Familia::codigoAtual(m_app.dmGrupoFornecedor().cdsGrupoFornecedor);
        m_edCodigo->setText(CodSelecionado);
        Consulta& q = m_app.dmGrupoFornecedor().SQLQGrupoFornecedor;
        q.setSql(QStringLiteral("Select * from GRU_Fornec Where GRU_Codigo=:CodigoC"));
        q.setParametro(QStringLiteral("CodigoC"), CodSelecionado);
        try {
            const Resultado r = q.abre();
            if (!r.vazio()) {
                m_edCodigo->setText(r.valor(0, QStringLiteral("GRU_Codigo")).toString());
                m_edDescricao->setText(r.valor(0, QStringLiteral("GRU_Desc")).toString());
            }
        } catch (const ErroBanco& erro) {
            Mensagens::erro(erro.mensagem(), this);
        }
        if (m == ::Modo::Altera)
            m_edDescricao->setFocus();
        else
            m_btnGrava->setFocus();
    }
    QDialog::showEvent(e);
}

bool TfDados_GrupoFornecedor::propoeCodigo()
{
    m_proposto = true;
    try {
        m_edCodigo->setText(Funcoes::proximoCodigo(
            m_app.conexao(),
            QStringLiteral("Select GRU_Codigo from GRU_Fornec Order By GRU_Codigo Descending"), 6));
        return true;
    } catch (const ErroBanco& e) {
        // No proposal (the highest code is not a number, or the database is unreachable): the
        // field is left for the user to type a code.
        m_edCodigo->clear();
        Mensagens::erro(e.mensagem(), this);
        return false;
    }
}

void TfDados_GrupoFornecedor::vaiParaCodigo()
{
    // Gaining the focus proposes the code; a window not yet (or no longer) active gets no
    // focus event, so the proposal is then made here.
    m_proposto = false;
    m_edCodigo->setFocus(Qt::OtherFocusReason);
    if (!m_proposto)
        propoeCodigo();
}

std::optional<bool> TfDados_GrupoFornecedor::codigoExiste(const QString& codigo)
{
    Consulta& q = m_app.dmGrupoFornecedor().SQLQGrupoFornecedor;
    q.setSql(QStringLiteral("Select GRU_Codigo from GRU_Fornec Where GRU_Codigo=:CodigoC"));
    q.setParametro(QStringLiteral("CodigoC"), codigo);
    try {
        return !q.abre(nullptr, 1).vazio();
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
        return std::nullopt;
    }
}

void TfDados_GrupoFornecedor::saiDoCodigo()
{
    const QString codigo = Funcoes::codigoSeis(m_edCodigo->text());
    m_edCodigo->setText(codigo);
    if (modo() != ::Modo::Inclui)
        return;
    if (codigoExiste(codigo).value_or(false)) {
        Mensagens::informacao(QStringLiteral("Código já cadastrado, tente outro"), this);
        // Back in the field, a fresh proposal replaces the taken code.
        Convencoes::devolveFoco(m_edCodigo);
    }
}

void TfDados_GrupoFornecedor::salva()
{
    const ::Modo m = modo();
    if (m == ::Modo::Inclui)
        inclui();
    else if (m == ::Modo::Altera)
        altera();
    else if (m == ::Modo::Exclui)
        exclui();
}

void TfDados_GrupoFornecedor::inclui()
{
    if (m_edDescricao->text().trimmed().isEmpty()) {
        Mensagens::informacao(QStringLiteral("O Campo da Descrição Precisa ser Preenchido"), this);
        m_edDescricao->setFocus();
        return;
    }
    // Another workstation may have taken the code since it was proposed or typed.
    const std::optional<bool> tomado = codigoExiste(m_edCodigo->text());
    if (!tomado)
        return;
    if (*tomado) {
        if (!propoeCodigo())
            return;
        Mensagens::informacao(QStringLiteral("Novo Código:") + m_edCodigo->text(), this);
    }

    const QString codigo = m_edCodigo->text();
    Consulta& q = m_app.dmGrupoFornecedor().SQLQGrupoFornecedor;
    const bool ok = Familia::grava(
        m_app, this,
        [&](Transacao& t) {
            q.limpa();
            q.adiciona(QStringLiteral("Insert into GRU_Fornec (GRU_Codigo,GRU_Desc)"));
            q.adiciona(QStringLiteral("Values (:CodigoC,:DescricaoC)"));
            q.setParametro(QStringLiteral("CodigoC"), codigo);
            q.setParametro(QStringLiteral("DescricaoC"), m_edDescricao->text());
            q.executa(t);
        },
        QStringLiteral("Inclusão de Grupo de Fornecedor:") + codigo,
        [](const ErroBanco& e) {
            return Familia::comErro(QStringLiteral("Não Consegui Incluir, Tente Novamente !"), e);
        });
    if (!ok)
        return;
    m_app.janela<TfManut_GrupoFornecedor>().lista().rele();
    m_edCodigo->clear();
    m_edDescricao->clear();
    vaiParaCodigo();
}

void TfDados_GrupoFornecedor::altera()
{
    if (m_edDescricao->text().trimmed().isEmpty()) {
        Mensagens::informacao(QStringLiteral("O Campo da Descrição precisa ser Preenchido"), this);
        m_edDescricao->setFocus();
        return;
    }
    Consulta& q = m_app.dmGrupoFornecedor().SQLQGrupoFornecedor;
    const bool ok = Familia::grava(
        m_app, this,
        [&](Transacao& t) {
            q.setSql(QStringLiteral(
                "Update GRU_Fornec SET GRU_Desc=:DescricaoC Where GRU_Codigo=:CodigoC"));
            q.setParametro(QStringLiteral("DescricaoC"), m_edDescricao->text());
            q.setParametro(QStringLiteral("CodigoC"), CodSelecionado);
            q.executa(t);
        },
        QStringLiteral("Alteração de Grupo de Fornecedor:") + m_edCodigo->text(),
        [](const ErroBanco& e) {
            return Familia::comErro(QStringLiteral("Não Consegui Alterar, Tente Novamente !"), e);
        });
    if (!ok)
        return;
    m_app.janela<TfManut_GrupoFornecedor>().lista().rele();
    accept();
}

void TfDados_GrupoFornecedor::exclui()
{
    Consulta& q = m_app.dmGrupoFornecedor().SQLQGrupoFornecedor;
    const bool ok = Familia::grava(
        m_app, this,
        [&](Transacao& t) {
            q.setSql(QStringLiteral("Delete From GRU_Fornec Where GRU_Codigo=:CodigoC"));
            q.setParametro(QStringLiteral("CodigoC"), CodSelecionado);
            q.executa(t);
        },
        QStringLiteral("Exclusão de Grupo de Fornecedor:") + m_edCodigo->text(),
        [](const ErroBanco& e) {
            return Familia::comErro(QStringLiteral("Não Consegui Excluir, Tente Novamente !"), e);
        });
    if (!ok)
        return;
    m_app.janela<TfManut_GrupoFornecedor>().lista().rele();
    accept();
}
