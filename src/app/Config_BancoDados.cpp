#include "app/Config_BancoDados.h"

#include "app/Aplicacao.h"
#include "app/ConfigIni.h"
#include "common/Convencoes.h"
#include "common/Mensagens.h"
#include "data/firebird/ErroBanco.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TfConfig_BancoDados::TfConfig_BancoDados(Aplicacao& app, QWidget* parent)
    : QDialog(parent), m_app(app)
{
    setObjectName(QStringLiteral("TfConfig_BancoDados"));
    setWindowTitle(QStringLiteral("Configurações do Banco de Dados"));

    auto* layout = new QVBoxLayout(this);
    auto* titulo = new QLabel(QStringLiteral("Configuração do Banco de Dados"), this);
    QFont f = titulo->font();
    f.setPointSize(14);
    f.setBold(true);
    titulo->setFont(f);
    layout->addWidget(titulo);
    layout->addWidget(new QLabel(
        QStringLiteral("Caminho do Banco de Dados no Servidor(Local onde está o arquivo ZV.FDB):"),
        this));
    m_edPathDados = new QLineEdit(this);
    m_edPathDados->setObjectName(QStringLiteral("edPathDados"));
    layout->addWidget(m_edPathDados);
    layout->addWidget(new QLabel(
        QStringLiteral("Caso Seja o Servidor deixe como está e clique em Salvar."), this));
    layout->addWidget(new QLabel(
        QStringLiteral("Caso seja uma Estação, digite o IP do Servidor seguido de dois pontos"),
        this));
    layout->addWidget(new QLabel(
        QStringLiteral(
            "e da pasta do Servidor onde está o arquivo ZV.FDB (ex.: 192.168.0.1:/dados)"),
        this));
    layout->addWidget(
        new QLabel(QStringLiteral("Dúvidas: ") + QLatin1String(Aplicacao::emailSuporte), this));

    auto* botoes = new QHBoxLayout;
    auto* salvar = new QPushButton(QStringLiteral("Salvar"), this);
    salvar->setObjectName(QStringLiteral("btnSalvar_Dados"));
    auto* testar = new QPushButton(QStringLiteral("Testar"), this);
    testar->setObjectName(QStringLiteral("btnTestar_Dados"));
    auto* sair = new QPushButton(QStringLiteral("Sair do Programa"), this);
    sair->setObjectName(QStringLiteral("btnSair_Programa"));
    for (QPushButton* b : {salvar, testar, sair}) {
        b->setAutoDefault(false);
        botoes->addWidget(b);
    }
    layout->addLayout(botoes);

    connect(salvar, &QPushButton::clicked, this, &TfConfig_BancoDados::salvar);
    connect(testar, &QPushButton::clicked, this, &TfConfig_BancoDados::testar);
    connect(sair, &QPushButton::clicked, this, &TfConfig_BancoDados::sairDoPrograma);
    Convencoes::coresDeFoco(this);
}

void TfConfig_BancoDados::showEvent(QShowEvent* e)
{
    // The window system confirms a showing with a second, spontaneous event; the opening work
    // runs once per opening.
    if (e->spontaneous()) {
        QDialog::showEvent(e);
        return;
    }
    m_edPathDados->setText(QDir::toNativeSeparators(QDir::currentPath()));
    QDialog::showEvent(e);
}

void TfConfig_BancoDados::falhou(const QString& erro)
{
    Mensagens::erro(Aplicacao::mensagemFalhaInicio(erro), this);
    ConfigIni::apaga();
    m_edPathDados->clear();
    m_edPathDados->setFocus();
}

void TfConfig_BancoDados::salvar()
{
    if (!ConfigIni::gravaPasta(m_edPathDados->text())) {
        falhou(QStringLiteral("Não foi possível gravar o arquivo Config.ini na pasta ") +
               QDir::currentPath());
        return;
    }
    try {
        m_app.conexao().configuraEAbre(ConfigIni::lePasta(), true);
    } catch (const ErroBanco& e) {
        falhou(e.mensagem());
        return;
    }
    accept();
}

void TfConfig_BancoDados::testar()
{
    try {
        m_app.conexao().configuraEAbre(m_edPathDados->text(), true);
    } catch (const ErroBanco& e) {
        falhou(e.mensagem());
        return;
    }
    Mensagens::informacao(QStringLiteral("Banco de Dados Encontrado"), this);
}

void TfConfig_BancoDados::sairDoPrograma()
{
    m_app.solicitaFim();
    reject();
}
