#include "utilities/Restaura_Backup.h"

#include "common/Mensagens.h"
#include "common/Modal.h"
#include "contexto/Contexto.h"
#include "data/firebird/Conexao.h"
#include "data/firebird/ErroBanco.h"
#include "data/firebird/Servicos.h"
#include "utilities/Progresso_Servico.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfRestaura_Backup::TfRestaura_Backup(Contexto& app, QWidget* parent)
    : Dialogo(parent, "TfRestaura_Backup", QStringLiteral("fRestaura_Backup")), m_app(app)
{
    using namespace Formulario;

    m_edBackup1 = campoLeitura(this, "edBackup1");
    m_edBackup1->setEnabled(false);
    m_edPasta = campoLeitura(this, "edPasta");
    m_edPasta->setEnabled(false);

    auto* grade = new QGridLayout;
    grade->addWidget(
        rotulo(this, "lbBackup1", QStringLiteral("Local onde o Backup dos Dados foi Feito:")), 0, 0,
        1, 2);
    grade->addWidget(m_edBackup1, 1, 0);
    QPushButton* procura = botao(this, "Button2", QStringLiteral("Procurar Backup"));
    grade->addWidget(procura, 1, 1);
    grade->addWidget(
        rotulo(this, "lbPasta", QStringLiteral("Local onde o Backup dos Dados Será Restaurado:")),
        2, 0, 1, 2);
    grade->addWidget(m_edPasta, 3, 0);
    grade->setColumnStretch(0, 1);
    connect(procura, &QPushButton::clicked, this, [this] { procuraBackup(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        titulo(this, "lbTitulo", QStringLiteral("Restaura Backup dos Dados Cadastrados")));
    layout->addSpacing(8);
    layout->addLayout(grade);
    layout->addStretch();
    layout->addLayout(
        botoes(this,
               {{"btnGeraBackup", QStringLiteral("Restaura Backup"), [this] { restaura(); }},
                {"btnEscolhePasta", QStringLiteral("Escolher Pasta"), [this] { escolhePasta(); }}},
               {{"btnFechar", QStringLiteral("Fechar"), [this] { close(); }}}));
    resize(560, 200);
}

void TfRestaura_Backup::aoAbrir()
{
    // The database may be the very file to be replaced.
    m_app.conexao().fecha();
}

void TfRestaura_Backup::procuraBackup()
{
    const QString inicial = m_backup.isEmpty() ? QStringLiteral("backup") : m_backup;
    const QString escolhido =
        Modal::escolheArquivo(this, QString(), inicial, QString(), false, QStringLiteral("gbk"));
    if (escolhido.isEmpty())
        return;
    m_backup = QFileInfo(escolhido).absoluteFilePath();
    m_edBackup1->setText(QDir::toNativeSeparators(m_backup));
}

void TfRestaura_Backup::escolhePasta()
{
    const QString inicial = m_banco.isEmpty() ? QStringLiteral("ZV") : m_banco;
    const QString escolhido = Modal::escolheArquivo(
        this, QStringLiteral("Escolha o Local onde o Backup será Restaurado"), inicial,
        QStringLiteral("ZV.FDB (ZV.FDB)"), true, QStringLiteral("FDB"));
    if (escolhido.isEmpty())
        return;
    QFileInfo f(escolhido);
    // The chooser offers "ZV.FDB", but the program opens "zv.fdb": on a file system that tells
    // case apart, the database restored under the offered name would never be opened.
    if (f.fileName().compare(QLatin1String(Conexao::arquivo), Qt::CaseInsensitive) == 0)
        f.setFile(f.dir(), QLatin1String(Conexao::arquivo));
    m_banco = f.absoluteFilePath();
    m_edPasta->setText(QDir::toNativeSeparators(m_banco));
}

void TfRestaura_Backup::restaura()
{
    m_app.conexao().fecha();
    const QString backup = m_backup;
    const QString banco = m_banco;
    // Through the server that holds the program's database, or in-process for a local one.
    const Servicos servicos(m_app.conexao().banco());
    bool restaurou = false;
    try {
        TfProgresso_Servico::executa(this, QStringLiteral("Restaura Backup dos Dados"),
                                     [&](const Servicos::Progresso& progresso) {
                                         servicos.restaura(backup, banco, progresso);
                                     });
        restaurou = true;
    } catch (const ErroBanco& e) {
        Mensagens::aviso(
            QStringLiteral("Não consegui Restaurar o Backup dos Dados\nMensagem de Erro:") +
                e.mensagem(),
            this);
    }
    if (restaurou)
        Mensagens::informacao(
            QStringLiteral("A restauração foi efetuada com Sucesso,\n O Sistema Será Finalizado "
                           "para Concluir a Restauração do Backup !"),
            this);
    reabreConexao();
    if (restaurou) {
        m_app.solicitaFim();
        close();
    }
}

void TfRestaura_Backup::reabreConexao()
{
    try {
        m_app.garanteConexao();
    } catch (const ErroBanco& e) {
        Mensagens::erro(Contexto::mensagemFalhaInicio(e.mensagem()), this);
    }
}

void TfRestaura_Backup::done(int resultado)
{
    reabreConexao();
    Dialogo::done(resultado);
}
