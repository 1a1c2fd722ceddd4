#include "app/Config_BancoDados.h"

#include "app/Aplicacao.h"
#include "common/Convencoes.h"
#include "common/Mensagens.h"
#include "contexto/ConfigIni.h"
#include "data/BancoEntregue.h"
#include "data/firebird/Conexao.h"
#include "data/firebird/ErroBanco.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Formulario;

TfConfig_BancoDados::TfConfig_BancoDados(Aplicacao& app, QWidget* parent)
    : Dialogo(parent), m_app(app)
{
    // Unlike the program's other windows this one keeps the usual title-bar buttons: closing it
    // goes on with the start as the connection stands.
    setWindowFlags(Qt::Dialog);
    setObjectName(QStringLiteral("TfConfig_BancoDados"));
    setWindowTitle(QStringLiteral("Configurações do Banco de Dados"));

    auto* layout = new QVBoxLayout(this);
    QLabel* cabecalho = titulo(this, "lbTitulo", QStringLiteral("Configuração do Banco de Dados"));
    QFont f = cabecalho->font();
    f.setPointSize(14);
    cabecalho->setFont(f);
    layout->addWidget(cabecalho);
    layout->addWidget(
        rotulo(this, "lbPathDados",
               QStringLiteral(
                   "Caminho do Banco de Dados no Servidor(Local onde está o arquivo ZV.FDB):")));
    m_edPathDados = campo(this, "edPathDados");
    layout->addWidget(m_edPathDados);
    const QStringList dicas = {
        QStringLiteral("Caso Seja o Servidor deixe como está e clique em Salvar."),
        QStringLiteral("Caso seja uma Estação, digite o IP do Servidor seguido de dois pontos"),
        QStringLiteral(
            "e da pasta do Servidor onde está o arquivo ZV.FDB (ex.: 192.168.0.1:/dados)"),
        QStringLiteral("Dúvidas: ") + QLatin1String(Aplicacao::emailSuporte),
    };
    for (const QString& dica : dicas)
        layout->addWidget(rotulo(this, "lbDica", dica));

    auto* botoes = new QHBoxLayout;
    QPushButton* salvar = botao(this, "btnSalvar_Dados", QStringLiteral("Salvar"));
    QPushButton* testar = botao(this, "btnTestar_Dados", QStringLiteral("Testar"));
    QPushButton* sair = botao(this, "btnSair_Programa", QStringLiteral("Sair do Programa"));
    for (QPushButton* b : {salvar, testar, sair})
        botoes->addWidget(b);
    layout->addLayout(botoes);

    connect(salvar, &QPushButton::clicked, this, &TfConfig_BancoDados::salvar);
    connect(testar, &QPushButton::clicked, this, &TfConfig_BancoDados::testar);
    connect(sair, &QPushButton::clicked, this, &TfConfig_BancoDados::sairDoPrograma);
    Convencoes::coresDeFoco(this);
}

void TfConfig_BancoDados::aoAbrir()
{
    m_edPathDados->setText(QDir::toNativeSeparators(QDir::currentPath()));
}

void TfConfig_BancoDados::falhou(const QString& erro)
{
    Mensagens::erro(Aplicacao::mensagemFalhaInicio(erro), this);
    ConfigIni::apaga();
    m_edPathDados->clear();
    m_edPathDados->setFocus();
}

bool TfConfig_BancoDados::criaSeFaltar(const QString& pasta)
{
    // Only a folder of this machine that exists and holds no database yet: a wrong folder is
    // the usual failure, and a server's folder is the server administrator's to fill.
    if (Conexao::ehRemoto(pasta) || pasta.trimmed().isEmpty() || !QFileInfo(pasta).isDir() ||
        QFileInfo::exists(Conexao::caminhoBanco(pasta)))
        return true;
    const QString nativa = QDir::toNativeSeparators(pasta);
    if (!Mensagens::confirma(QStringLiteral("A pasta %1 ainda não tem o banco de dados (ZV.FDB).\n"
                                            "Deseja criar nela um banco de dados vazio?")
                                 .arg(nativa),
                             this))
        return true;
    try {
        Conexao nova;
        BancoEntregue::cria(nova, pasta);
    } catch (const ErroBanco&) {
        // The engine's own words (an I/O error on "open O_CREAT") tell a person nothing; what
        // they can do about it is another folder or the folder's permissions.
        Mensagens::erro(QStringLiteral("Não foi possível criar o banco de dados na pasta %1.\n"
                                       "Verifique se a pasta aceita gravação, ou escolha outra.")
                            .arg(nativa),
                        this);
        m_edPathDados->setFocus();
        return false;
    }
    return true;
}

void TfConfig_BancoDados::salvar()
{
    if (!criaSeFaltar(m_edPathDados->text()))
        return;
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
