#include "access/Consulta_Log.h"

#include "common/CampoCodigo.h"
#include "common/CamposCadastro.h"
#include "common/Convencoes.h"
#include "common/EditH.h"
#include "common/Mensagens.h"
#include "contexto/Contexto.h"
#include "data/DataModule_Log.h"
#include "data/DataModule_Usuarios.h"
#include "data/firebird/ErroBanco.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <optional>

TfConsulta_Log::TfConsulta_Log(Contexto& app, QWidget* parent)
    : Dialogo(parent, "TfConsulta_Log", QStringLiteral("Consulta de Log de Usuários")), m_app(app)
{
    using namespace Formulario;

    m_edCodigo = campoH(this, "edCodigo", 6);
    m_edCodigo->setMaximumWidth(90);
    m_edLogin = campoH(this, "edLogin", TdmUsuarios::larguraLogin);
    m_edLogin->setMaximumWidth(130);
    m_edNome = campoH(this, "edNome");
    m_edNome->setReadOnly(true);
    m_edNome->setFocusPolicy(Qt::NoFocus);
    m_dtpInicial = Formulario::data(this, "dtpDataInicial");
    m_dtpFinal = Formulario::data(this, "dtpDataFinal");
    QPushButton* btnFiltra = botao(this, "btnFiltra", QStringLiteral("Filtrar"));

    Quadro campos(this);
    campos.linha({{QStringLiteral("Cód.Usuário:"), m_edCodigo},
                  {QStringLiteral("Login:"), m_edLogin},
                  {QStringLiteral("Nome:"), m_edNome}});
    campos.linha({{QStringLiteral("Data Inicial:"), m_dtpInicial},
                  {QStringLiteral("Data Final"), m_dtpFinal}});
    campos.poe(1, 5, fileira({btnFiltra}));
    campos.grade()->setColumnStretch(5, 1);

    QTableView* grade = Formulario::grade(this, "dbgLog");
    QHBoxLayout* fileira =
        botoes(this, {}, {{"Button2", QStringLiteral("Fechar"), [this] { accept(); }}});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titulo(this, "", QStringLiteral("Consulta de Log de Usuários")));
    layout->addLayout(campos.grade());
    layout->addWidget(grade, 1);
    layout->addLayout(fileira);
    resize(820, 520);

    colunasDaLista(grade, m_app.dmLog().cdsLOG, {0, 40});
    grade->horizontalHeader()->setStretchLastSection(true);

    ordemTab({m_edCodigo, m_edLogin, m_dtpInicial, m_dtpFinal, btnFiltra, grade});

    CampoCodigo::Regras regras = regrasDoUsuario(
        m_app, m_edLogin, m_edNome, QStringLiteral("Usuário não Cadastrado, tente outro código"));
    m_codigo = new CampoCodigo(m_edCodigo, this, regras);
    // No code: no user chosen, the filter takes everyone.
    connect(m_codigo, &CampoCodigo::saiuVazio, this, [this] {
        m_edLogin->clear();
        m_edNome->clear();
    });
    connect(m_codigo, &CampoCodigo::achou, this,
            [this] { m_dtpInicial->setFocus(Qt::TabFocusReason); });
    Convencoes::aoSair(m_edLogin, this, [this] { saiDoLogin(); });
    connect(btnFiltra, &QPushButton::clicked, this, &TfConsulta_Log::filtra);
    Convencoes::coresDeFoco(this);
}

void TfConsulta_Log::aoAbrir()
{
    // The grid keeps what it showed last time, for the user to compare.
    m_edCodigo->clear();
    m_edLogin->clear();
    m_edNome->clear();
    m_codigo->esquece();
    m_dtpInicial->setDate(QDate::currentDate());
    m_dtpFinal->setDate(QDate::currentDate());
    m_edCodigo->setFocus();
}

void TfConsulta_Log::saiDoLogin()
{
    const QString login = m_edLogin->text();
    if (login.trimmed().isEmpty())
        return;
    std::optional<DadosUsuario> u;
    try {
        u = m_app.dmUsuarios().usuarioPorLogin(login);
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
        return;
    }
    if (!u) {
        Mensagens::erro(QStringLiteral("Usuário não Cadastrado, tente outro Login"), this);
        m_edCodigo->clear();
        m_edLogin->clear();
        m_edNome->clear();
        Convencoes::devolveFoco(m_edLogin);
        return;
    }
    m_edCodigo->setText(u->codigo);
    m_edLogin->setText(u->login);
    m_edNome->setText(u->nome);
    m_dtpInicial->setFocus(Qt::TabFocusReason);
}

void TfConsulta_Log::filtra()
{
    // Pressed right after the code was refused: the lines of everyone are not what was asked
    // for; the user is back in the code.
    if (!m_codigo->podeGravar()) {
        m_edCodigo->setFocus();
        return;
    }
    const QString codigo = m_edCodigo->text().trimmed().isEmpty() ? QString() : m_edCodigo->text();
    try {
        m_app.dmLog().filtra(codigo, m_dtpInicial->date(), m_dtpFinal->date());
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
    }
}
