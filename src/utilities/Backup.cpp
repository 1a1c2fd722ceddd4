#include "utilities/Backup.h"

#include "common/Mensagens.h"
#include "common/Modal.h"
#include "contexto/ConfigIni.h"
#include "contexto/Contexto.h"
#include "data/firebird/Conexao.h"
#include "data/firebird/ErroBanco.h"
#include "data/firebird/Servicos.h"
#include "utilities/Progresso_Servico.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString nomePadrao = QStringLiteral("backup.gbk");

} // namespace

TfBackup::TfBackup(Contexto& app, QWidget* parent)
    : Dialogo(parent, "TfBackup", QStringLiteral("Backup dos Dados do Sistema")), m_app(app)
{
    using namespace Formulario;

    m_edPasta = campoLeitura(this, "edPasta");
    m_edPasta->setEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titulo(this, "lbTitulo", QStringLiteral("Backup dos Dados Cadastrados")));
    layout->addSpacing(8);
    layout->addWidget(
        rotulo(this, "lbPasta", QStringLiteral("Local onde o Backup dos Dados Será Feito:")));
    layout->addWidget(m_edPasta);
    layout->addStretch();
    layout->addLayout(botoes(
        this,
        {{"btnGeraBackup", QStringLiteral("Gerar Backup"), [this] { geraBackup(); }},
         {"btnEscolhePasta", QStringLiteral("Escolher nova Pasta"), [this] { escolhePasta(); }}},
        {{"btnFechar", QStringLiteral("Fechar"), [this] { close(); }}}));
    resize(520, 150);
}

void TfBackup::aoAbrir()
{
    const QString pastaBanco = ConfigIni::lePasta();
    PastaInicial = QDir::currentPath();
    m_arquivo = QDir(PastaInicial).filePath(nomePadrao);
    m_edPasta->setText(QDir::toNativeSeparators(m_arquivo));
    m_banco = Conexao::caminhoBanco(pastaBanco);
}

void TfBackup::escolhePasta()
{
    const QString escolhido =
        Modal::escolheArquivo(this, QString(), m_arquivo, QString(), true, QStringLiteral("gbk"));
    if (escolhido.isEmpty())
        return;
    m_arquivo = QFileInfo(escolhido).absoluteFilePath();
    m_edPasta->setText(QDir::toNativeSeparators(m_arquivo));
}

void TfBackup::geraBackup()
{
    const QString banco = m_banco;
    const QString arquivo = m_arquivo;
    try {
        TfProgresso_Servico::executa(this, QStringLiteral("Backup dos Dados do Sistema"),
                                     [&](const Servicos::Progresso& progresso) {
                                         Servicos(banco).backup(banco, arquivo, progresso);
                                     });
        Mensagens::informacao(QStringLiteral("Backup dos Dados Realizado com Sucesso !"), this);
    } catch (const ErroBanco& e) {
        Mensagens::aviso(QStringLiteral("Não Consegui Gerar o Backup, Tente Novamente !\nErro:  ") +
                             e.mensagem(),
                         this);
    }
    QDir::setCurrent(PastaInicial);
}

void TfBackup::done(int resultado)
{
    if (!PastaInicial.isEmpty())
        QDir::setCurrent(PastaInicial);
    Dialogo::done(resultado);
}
