#include "app/Login.h"

#include "app/Aplicacao.h"
#include "app/Principal.h"
#include "common/Convencoes.h"
#include "common/Mensagens.h"
#include "data/firebird/ErroBanco.h"
#include "data/DataModule_Usuarios.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfLogin::TfLogin(Aplicacao& app, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_app(app)
{
    setObjectName(QStringLiteral("TfLogin"));
    setWindowTitle(QStringLiteral("Login"));

    auto* layout = new QVBoxLayout(this);
    auto* titulo = new QLabel(QStringLiteral("Por Favor, identifique-se"), this);
    QFont f = titulo->font();
    f.setPointSize(f.pointSize() + 3);
    f.setBold(true);
    titulo->setFont(f);
    layout->addWidget(titulo);
    auto* form = new QFormLayout;
    m_edLogin = new QLineEdit(this);
    m_edLogin->setObjectName(QStringLiteral("edLogin"));
    m_edSenha = new QLineEdit(this);
    m_edSenha->setObjectName(QStringLiteral("edSenha"));
    m_edSenha->setEchoMode(QLineEdit::Password);
    form->addRow(QStringLiteral("Login"), m_edLogin);
    form->addRow(QStringLiteral("Senha"), m_edSenha);
    layout->addLayout(form);

    auto* botoes = new QHBoxLayout;
    auto* entrar = new QPushButton(QStringLiteral("Entrar"), this);
    entrar->setObjectName(QStringLiteral("fLoginEntrar"));
    entrar->setDefault(true);
    auto* cancela = new QPushButton(QStringLiteral("Cancelar"), this);
    cancela->setObjectName(QStringLiteral("fLoginCancela"));
    cancela->setAutoDefault(false);
    botoes->addStretch();
    botoes->addWidget(entrar);
    botoes->addWidget(cancela);
    layout->addLayout(botoes);

    connect(entrar, &QPushButton::clicked, this, &TfLogin::entrar);
    connect(cancela, &QPushButton::clicked, this, &TfLogin::cancelar);
    Convencoes::coresDeFoco(this);
}

bool TfLogin::procura(Usuario* usuario)
{
    Consulta& q = m_app.dmUsuarios().SQLQ_Usuarios;
    q.setSql(
        QStringLiteral("Select * From Usuarios Where USU_Login=:LoginC and USU_Senha =:SenhaC"));
    q.setParametro(QStringLiteral("LoginC"), m_edLogin->text());
    q.setParametro(QStringLiteral("SenhaC"), m_edSenha->text());
    const Resultado r = q.abre();
    for (int i = 0; i < r.tamanho(); ++i) {
        // A deactivated account must not open the program, whatever its password.
        if (r.valor(i, QStringLiteral("USU_Ativo")).toString() == QLatin1String("I"))
            continue;
        usuario->codigo = r.valor(i, QStringLiteral("USU_Codigo")).toString();
        usuario->login = r.valor(i, QStringLiteral("USU_Login")).toString();
        return true;
    }
    return false;
}

void TfLogin::entrar()
{
    Usuario u;
    try {
        if (!procura(&u)) {
            Mensagens::aviso(QStringLiteral("Login ou Senha não Cadastrados, Tente Novamente"),
                             this);
            return;
        }
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
        return;
    }
    TfPrincipal& p = m_app.principal();
    p.CodUsuario = u.codigo;
    p.LoginUsuario = u.login;
    p.setUsuarioNaBarra(u.login);
    accept();
}

void TfLogin::cancelar()
{
    m_cancelado = true;
    m_app.solicitaFim();
    reject();
}

void TfLogin::done(int resultado)
{
    // However the dialog closes, except through "Cancelar", the fields must still name a
    // user, or the program ends.
    if (!m_cancelado) {
        Usuario u;
        bool achou = false;
        try {
            achou = procura(&u);
        } catch (const ErroBanco& e) {
            Mensagens::erro(e.mensagem(), this);
            return;
        }
        if (achou) {
            m_app.principal().CodUsuario = u.codigo;
        } else {
            Mensagens::aviso(
                QStringLiteral("Login ou Senha não Cadastrados, o Sistema será Fechado !"), this);
            m_app.solicitaFim();
        }
    }
    QDialog::done(resultado);
}
