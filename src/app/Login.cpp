#include "app/Login.h"

#include "app/Aplicacao.h"
#include "app/Principal.h"
#include "common/Convencoes.h"
#include "common/Mensagens.h"
#include "data/DataModule_Usuarios.h"
#include "data/firebird/ErroBanco.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString tenteNovamente = QStringLiteral("Login ou Senha não Cadastrados, Tente Novamente");

// The password shows one "*" per character typed, whatever mark the desktop's style would use.
class EstiloSenha : public QProxyStyle {
public:
    explicit EstiloSenha(QObject* dono) { setParent(dono); }

    int styleHint(StyleHint dica, const QStyleOption* opcao, const QWidget* widget,
                  QStyleHintReturn* retorno) const override
    {
        if (dica == SH_LineEdit_PasswordCharacter)
            return '*';
        return QProxyStyle::styleHint(dica, opcao, widget, retorno);
    }
};

} // namespace

TfLogin::TfLogin(Aplicacao& app, QWidget* parent)
    : Dialogo(parent, "TfLogin", QStringLiteral("Login")), m_app(app)
{
    // Escape leaves the login as the system's close key does, through the closing check.
    setFechaComEsc(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        Formulario::titulo(this, "lbIdentifique", QStringLiteral("Por Favor, identifique-se"), 3));
    auto* form = new QFormLayout;
    m_edLogin = Formulario::campo(this, "edLogin");
    m_edSenha = Formulario::campo(this, "edSenha");
    m_edSenha->setEchoMode(QLineEdit::Password);
    m_edSenha->setStyle(new EstiloSenha(m_edSenha));
    form->addRow(QStringLiteral("Login"), m_edLogin);
    form->addRow(QStringLiteral("Senha"), m_edSenha);
    layout->addLayout(form);

    auto* botoes = new QHBoxLayout;
    QPushButton* entrar = Formulario::botao(this, "fLoginEntrar", QStringLiteral("Entrar"));
    QPushButton* cancela = Formulario::botao(this, "fLoginCancela", QStringLiteral("Cancelar"));
    botoes->addStretch();
    botoes->addWidget(entrar);
    botoes->addWidget(cancela);
    layout->addLayout(botoes);

    connect(entrar, &QPushButton::clicked, this, &TfLogin::entrar);
    connect(cancela, &QPushButton::clicked, this, &TfLogin::cancelar);
    Convencoes::coresDeFoco(this);
}

void TfLogin::limpaLongos()
{
    QLineEdit* foco = nullptr;
    for (auto [campo, largura] : {std::pair{m_edLogin, TdmUsuarios::larguraLogin},
                                  std::pair{m_edSenha, TdmUsuarios::larguraSenha}}) {
        // Trailing blanks past the width are not compared, as the server ignores them.
        QString texto = campo->text();
        while (texto.endsWith(QLatin1Char(' ')))
            texto.chop(1);
        if (texto.size() <= largura)
            continue;
        campo->clear();
        if (!foco)
            foco = campo;
    }
    if (foco)
        foco->setFocus();
}

bool TfLogin::procura(std::optional<Usuario>& usuario)
{
    try {
        usuario = m_app.dmUsuarios().usuarioAtivo(m_edLogin->text(), m_edSenha->text());
        return true;
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
        return false;
    }
}

void TfLogin::entrar()
{
    std::optional<Usuario> u;
    if (!procura(u))
        return;
    if (!u) {
        Mensagens::aviso(tenteNovamente, this);
        limpaLongos();
        return;
    }
    TfPrincipal& p = m_app.principal();
    p.CodUsuario = u->codigo;
    p.LoginUsuario = u->login;
    p.setUsuarioNaBarra(u->login);
    accept();
}

void TfLogin::cancelar()
{
    m_app.solicitaFim();
    reject();
}

void TfLogin::done(int resultado)
{
    // However the dialog closes, the fields must still name a user, or the program ends. A
    // program already on its way out ("Cancelar", or the system asking it to end) needs no
    // user.
    if (!m_app.fimSolicitado()) {
        std::optional<Usuario> u;
        if (!procura(u))
            return;
        if (u) {
            m_app.principal().CodUsuario = u->codigo;
        } else {
            Mensagens::aviso(
                QStringLiteral("Login ou Senha não Cadastrados, o Sistema será Fechado !"), this);
            m_app.solicitaFim();
        }
    }
    Dialogo::done(resultado);
}
