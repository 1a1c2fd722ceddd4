#include "access/Dados_Usuarios.h"

#include "access/Manut_Usuarios.h"
#include "common/Convencoes.h"
#include "common/Funcoes.h"
#include "common/JanelasCadastro.h"
#include "common/Mensagens.h"
#include "contexto/Contexto.h"
#include "data/DataModule_Configuracoes.h"
#include "data/DataModule_PER.h"
#include "data/DataModule_Usuarios.h"
#include "data/firebird/ErroBanco.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>

namespace {

const QString tituloInclusao = QStringLiteral("Inclusão de Usuários");

} // namespace

// The caption stays the same in every mode; the title label tells the mode.
TfDados_Usuarios::TfDados_Usuarios(Contexto& app, QWidget* parent)
    : Dialogo(parent, "TfDados_Usuarios", tituloInclusao), m_app(app)
{
    using namespace Formulario;

    m_lbTitulo = titulo(this, "lbTitulo_Dados_Usuarios", tituloInclusao);
    // Codes are given by the program, never typed: the field shows the code and passes the
    // user on.
    m_edCodigo = campo(this, "edUSU_Codigo", 6);
    m_edCodigo->setReadOnly(true);
    m_edCodigo->setMaximumWidth(90);
    m_edNome = campo(this, "edUSU_Nome", 50);
    m_edLogin = campo(this, "edUSU_Login", TdmUsuarios::larguraLogin);
    m_edLogin->setMaximumWidth(140);
    m_edSenha = campo(this, "edUSU_Senha", TdmUsuarios::larguraSenha);
    m_edSenha2 = campo(this, "edUSU_Senha2", TdmUsuarios::larguraSenha);
    for (QLineEdit* s : {m_edSenha, m_edSenha2}) {
        s->setEchoMode(QLineEdit::Password);
        s->setMaximumWidth(140);
    }
    m_cbAtivo = escolha(this, "cbUSU_Ativo", {QStringLiteral("Ativo"), QStringLiteral("Inativo")});
    m_dtpDCad = Formulario::data(this, "dtpUSU_DCad");
    m_cbAtivo->setMaximumWidth(140);
    m_dtpDCad->setMaximumWidth(140);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Código:"), m_edCodigo);
    form->addRow(QStringLiteral("Nome Completo do Usuário:"), m_edNome);
    form->addRow(QStringLiteral("Login:"), m_edLogin);
    form->addRow(QStringLiteral("Senha:"), m_edSenha);
    form->addRow(QStringLiteral("Redigite a Senha:"), m_edSenha2);
    form->addRow(QStringLiteral("Ativo:"), m_cbAtivo);
    form->addRow(QStringLiteral("D.Cadastramento"), m_dtpDCad);

    m_btnGrava = botao(this, "btnUSU_Grava", QStringLiteral("Grava"));
    // "Limpa" does nothing: the fields are emptied by every save and every opening.
    m_btnLimpa = botao(this, "btnUSU_Limpa", QStringLiteral("Limpa"));
    m_btnFecha = botao(this, "btnDados_USU_Fecha", QStringLiteral("Fechar"));
    auto* fileira = new QHBoxLayout;
    fileira->addWidget(m_btnGrava);
    fileira->addWidget(m_btnLimpa);
    fileira->addStretch();
    fileira->addWidget(m_btnFecha);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lbTitulo);
    layout->addLayout(form);
    layout->addLayout(fileira);
    resize(560, 320);

    ordemTab({m_edCodigo, m_edNome, m_edLogin, m_edSenha, m_edSenha2, m_cbAtivo, m_dtpDCad,
              m_btnGrava, m_btnLimpa, m_btnFecha});
    Convencoes::aoEntrar(m_edCodigo, this, [this] { passaPeloCodigo(); });
    connect(m_btnGrava, &QPushButton::clicked, this, &TfDados_Usuarios::salva);
    connect(m_btnFecha, &QPushButton::clicked, this, &QDialog::accept);
    Convencoes::coresDeFoco(this);
    Convencoes::enterComoTab(this);
}

::Modo TfDados_Usuarios::modo() const
{
    return m_app.janela<TfManut_Usuarios>().Modo;
}

void TfDados_Usuarios::limpaCampos()
{
    for (QLineEdit* e : {m_edCodigo, m_edNome, m_edLogin, m_edSenha, m_edSenha2})
        e->clear();
    m_cbAtivo->setCurrentIndex(0);
    m_dtpDCad->setDate(QDate::currentDate());
}

void TfDados_Usuarios::aoAbrir()
{
    const ::Modo m = modo();
    limpaCampos();
    QString titulo = tituloInclusao;
    QString grava = QStringLiteral("Grava");
    if (m == ::Modo::Altera) {
        titulo = QStringLiteral("Alteração de Usuários");
        grava = QStringLiteral("Alterar");
    } else if (m == ::Modo::Exclui) {
        titulo = QStringLiteral("Exclusão de Usuários");
        grava = QStringLiteral("Excluir");
    } else if (m == ::Modo::Consulta) {
        titulo = QStringLiteral("Consulta de Usuários");
    }
    m_lbTitulo->setText(titulo);
    m_btnGrava->setText(grava);
    m_btnGrava->setVisible(m != ::Modo::Consulta);
    m_btnLimpa->setVisible(m == ::Modo::Inclui);
    if (m != ::Modo::Inclui)
        carrega();
    passaPeloCodigo();
}

void TfDados_Usuarios::passaPeloCodigo()
{
    if (modo() == ::Modo::Inclui)
        propoeCodigo();
    m_edNome->setFocus();
}

bool TfDados_Usuarios::propoeCodigo()
{
    return Funcoes::propoeCodigo(m_edCodigo, this,
                                 [this] { return m_app.dmUsuarios().proximoCodigo(); });
}

void TfDados_Usuarios::carrega()
{
    CodSelecionado = Familia::codigoAtual(m_app.dmUsuarios().cds_Usuarios);
    try {
        const std::optional<DadosUsuario> u = m_app.dmUsuarios().usuario(CodSelecionado);
        if (!u)
            return;
        m_edCodigo->setText(u->codigo);
        m_edNome->setText(u->nome);
        m_edLogin->setText(u->login);
        m_edSenha->setText(u->senha);
        m_edSenha2->setText(u->senha);
        m_cbAtivo->setCurrentIndex(u->ativo == QLatin1String("A") ? 0 : 1);
        m_dtpDCad->setDate(u->cadastro.isValid() ? u->cadastro : QDate::currentDate());
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
    }
}

bool TfDados_Usuarios::camposValidos()
{
    const auto recusa = [this](const QString& texto, QLineEdit* campo) {
        Mensagens::aviso(texto, this);
        campo->setFocus();
        return false;
    };
    if (m_edNome->text().trimmed().isEmpty())
        return recusa(QStringLiteral("O Campo Nome Completo do Usuários Precisa ser Preenchido !"),
                      m_edNome);
    if (m_edLogin->text().trimmed().isEmpty())
        return recusa(QStringLiteral("O Campo Login Precisa ser Preenchido !"), m_edLogin);
    if (m_edSenha->text().trimmed().isEmpty())
        return recusa(QStringLiteral("O Campo Senha Precisa ser Preenchido !"), m_edSenha);
    if (m_edSenha->text() != m_edSenha2->text())
        return recusa(QStringLiteral("Redigite a Senha Novamente as Senhas estão diferentes !"),
                      m_edSenha);
    // A character the database cannot hold would only make the save fail without saying
    // where. The field is named, never its content: one of them is a password.
    for (const auto& [campo, nome] :
         {std::pair{m_edNome, QStringLiteral("Nome Completo do Usuário")},
          std::pair{m_edLogin, QStringLiteral("Login")},
          std::pair{m_edSenha, QStringLiteral("Senha")}}) {
        if (!TdmUsuarios::gravavel(campo->text()))
            return recusa(QStringLiteral("O Campo ") + nome +
                              QStringLiteral(" tem um Caractere que não pode ser Gravado !"),
                          campo);
    }
    return true;
}

bool TfDados_Usuarios::podeSairDoLogin(const QString& acao)
{
    try {
        // With login on and nobody else able to pass it, the next start could only be ended.
        TdmUsuarios& dm = m_app.dmUsuarios();
        if (m_app.dmConfiguracoes().login() != QLatin1String("S") ||
            dm.existeUsuarioAtivo(CodSelecionado) || !dm.existeUsuarioAtivo())
            return true;
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
        return false;
    }
    Mensagens::aviso(QStringLiteral("O Login está Ligado e este é o único Usuário Ativo, não é "
                                    "possível ") +
                         acao + QStringLiteral(" !"),
                     this);
    return false;
}

DadosUsuario TfDados_Usuarios::usuarioDosCampos() const
{
    // Stored as typed, blanks and all.
    return DadosUsuario{m_edCodigo->text(),
                        m_edNome->text(),
                        m_edLogin->text(),
                        m_edSenha->text(),
                        m_cbAtivo->currentIndex() == 0 ? QStringLiteral("A") : QStringLiteral("I"),
                        m_dtpDCad->date()};
}

void TfDados_Usuarios::salva()
{
    switch (modo()) {
    case ::Modo::Inclui:
        if (camposValidos())
            inclui();
        break;
    case ::Modo::Altera:
        if (camposValidos() &&
            (m_cbAtivo->currentIndex() == 0 || podeSairDoLogin(QStringLiteral("Inativá-lo"))))
            altera();
        break;
    case ::Modo::Exclui:
        if (podeSairDoLogin(QStringLiteral("Excluí-lo")))
            exclui();
        break;
    default:
        break;
    }
}

void TfDados_Usuarios::inclui()
{
    // Another workstation may have taken the code since it was proposed; a code that could not
    // be proposed at all is proposed again.
    try {
        const QString codigo = m_edCodigo->text();
        if (codigo.isEmpty() || m_app.dmUsuarios().codigoExiste(codigo)) {
            if (!propoeCodigo())
                return;
            Mensagens::informacao(QStringLiteral("Novo Código:") + m_edCodigo->text(), this);
        }
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
        return;
    }
    const DadosUsuario u = usuarioDosCampos();
    // The user and every permission row go in together, or neither does.
    const bool ok = Familia::grava(
        m_app, this,
        [&](Transacao& t) {
            const qint64 linhas = m_app.dmUsuarios().inclui(t, u);
            m_app.dmPER().incluiPermissoes(t, u.codigo);
            return linhas;
        },
        QStringLiteral("Inclusão de Usuário:") + u.codigo,
        [](const ErroBanco&) { return QStringLiteral("Não Consegui Grava, tente novamente !"); });
    if (!ok)
        return;
    m_app.janela<TfManut_Usuarios>().lista().rele();
    limpaCampos();
    passaPeloCodigo();
}

void TfDados_Usuarios::altera()
{
    const DadosUsuario u = usuarioDosCampos();
    gravaEFecha([&](Transacao& t) { return m_app.dmUsuarios().altera(t, u); },
                QStringLiteral("Alteração de Usuário:") + u.codigo);
}

void TfDados_Usuarios::exclui()
{
    const QString codigo = m_edCodigo->text();
    // The user's permission rows go with the user, or neither goes.
    gravaEFecha(
        [&](Transacao& t) {
            const qint64 linhas = m_app.dmUsuarios().exclui(t, codigo);
            m_app.dmPER().excluiPermissoes(t, codigo);
            return linhas;
        },
        QStringLiteral("Exclusão de Usuário:") + codigo);
}

void TfDados_Usuarios::gravaEFecha(const std::function<qint64(Transacao&)>& escreve,
                                   const QString& auditoria)
{
    const bool ok = Familia::grava(
        m_app, this, escreve, auditoria,
        [](const ErroBanco&) { return QStringLiteral("Deu Erro, tente novamente"); },
        TipoMensagem::Informacao);
    if (!ok)
        return;
    m_app.janela<TfManut_Usuarios>().lista().rele();
    accept();
}
