// The start of the program: Config.ini, the database folder dialog and the failure message.

#include "app/Aplicacao.h"
#include "contexto/ConfigIni.h"
#include "support/BancoTeste.h"
#include "support/DriverModal.h"
#include "support/GravadorMensagens.h"
#include "support/Tela.h"

#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace Tela;

class TstInicio : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void withoutConfigIniSaveAsksAgainUntilTheFolderIsRight();
    void testFindsTheDatabaseAndWritesNothing();
    void quitWithoutDatabaseEndsWithTheMessage();
    void wrongFolderInConfigIniEndsTheProgram();
    void goodConfigIniOpensWithoutQuestions();
    void failureMessageHasFiveLines();

private:
    std::unique_ptr<QTemporaryDir> m_trabalho;
    QString m_anterior;
};

void TstInicio::init()
{
    m_anterior = QDir::currentPath();
    m_trabalho = std::make_unique<QTemporaryDir>();
    QDir::setCurrent(m_trabalho->path());
}

void TstInicio::cleanup()
{
    QDir::setCurrent(m_anterior);
    m_trabalho.reset();
}

void TstInicio::withoutConfigIniSaveAsksAgainUntilTheFolderIsRight()
{
    BancoTeste banco;
    GravadorMensagens msgs;
    DriverModal driver;
    Aplicacao app;
    bool passou = false;
    driver.aoAbrir([&](QDialog* d) {
        QCOMPARE(d->windowTitle(), QStringLiteral("Configurações do Banco de Dados"));
        QCOMPARE(campo(d, "edPathDados")->text(), QDir::toNativeSeparators(m_trabalho->path()));
        digita(d, "edPathDados", m_trabalho->path() + "/nada");
        clica(d, "btnSalvar_Dados");
        QCOMPARE(msgs.quantidade(), 1);
        QCOMPARE(msgs.mensagens()[0].tipo, TipoMensagem::Erro);
        QVERIFY(msgs.ultimoTexto().startsWith(Aplicacao::mensagemFalhaInicio(QString())));
        QVERIFY(msgs.ultimoTexto().contains("/nada/zv.fdb"));
        QVERIFY(!ConfigIni::existe());
        QVERIFY(d->isVisible());
        QCOMPARE(campo(d, "edPathDados")->text(), QString());
        QCOMPARE(QApplication::focusWidget(), campo(d, "edPathDados"));

        digita(d, "edPathDados", banco.pasta());
        clica(d, "btnSalvar_Dados");
        QVERIFY(!d->isVisible());
        passou = true;
    });
    QVERIFY(app.inicia());
    QVERIFY(passou);
    QCOMPARE(msgs.quantidade(), 1);
    QCOMPARE(ConfigIni::lePasta(), banco.pasta());
    QVERIFY(app.conexao().aberta());
    QCOMPARE(app.conexao().banco(), banco.arquivo());
}

void TstInicio::testFindsTheDatabaseAndWritesNothing()
{
    BancoTeste banco;
    GravadorMensagens msgs;
    DriverModal driver;
    Aplicacao app;
    driver.aoAbrir([&](QDialog* d) {
        digita(d, "edPathDados", banco.pasta());
        clica(d, "btnTestar_Dados");
        QCOMPARE(msgs.textos(), QStringList({"Banco de Dados Encontrado"}));
        QCOMPARE(msgs.mensagens()[0].tipo, TipoMensagem::Informacao);
        QVERIFY(d->isVisible());
        // Closed by its title bar: the start goes on with the tested connection.
        d->close();
    });
    QVERIFY(app.inicia());
    QVERIFY(app.conexao().aberta());
    QVERIFY(!ConfigIni::existe());
    QCOMPARE(QDir::current().entryList(QDir::Files), QStringList());
}

void TstInicio::quitWithoutDatabaseEndsWithTheMessage()
{
    GravadorMensagens msgs;
    DriverModal driver;
    Aplicacao app;
    driver.aoAbrir([&](QDialog* d) { clica(d, "btnSair_Programa"); });
    QVERIFY(!app.inicia());
    QVERIFY(app.fimSolicitado());
    QCOMPARE(msgs.quantidade(), 1);
    QCOMPARE(msgs.mensagens()[0].tipo, TipoMensagem::Erro);
    QVERIFY(!ConfigIni::existe());
}

void TstInicio::wrongFolderInConfigIniEndsTheProgram()
{
    const QByteArray conteudo = "[PASTA]\r\nPATH=/nao/existe\r\n";
    {
        QFile f("Config.ini");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(conteudo);
    }
    GravadorMensagens msgs;
    Aplicacao app;
    QVERIFY(!app.inicia());
    QVERIFY(app.fimSolicitado());
    // Once from the splash, once from the first use of the database.
    QCOMPARE(msgs.quantidade(), 2);
    for (const MensagemGravada& m : msgs.mensagens()) {
        QCOMPARE(m.tipo, TipoMensagem::Erro);
        QVERIFY(m.texto.contains("/nao/existe/zv.fdb"));
    }
    QFile f("Config.ini");
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), conteudo);
}

void TstInicio::goodConfigIniOpensWithoutQuestions()
{
    BancoTeste banco;
    QVERIFY(ConfigIni::gravaPasta(banco.pasta()));
    GravadorMensagens msgs;
    Aplicacao app;
    QVERIFY(app.inicia());
    QCOMPARE(msgs.quantidade(), 0);
    QVERIFY(!app.conexao().commitRetain());
}

void TstInicio::failureMessageHasFiveLines()
{
    const QStringList linhas =
        Aplicacao::mensagemFalhaInicio("I/O error during \"open\"").split('\n');
    QCOMPARE(linhas.size(), 5);
    QCOMPARE(
        linhas[0],
        QStringLiteral("Não Consegui encontrar o Banco de Dados as Possíveis causas podem ser:"));
    QCOMPARE(linhas[1], QStringLiteral(" 1 - verifique se o FireBird está Ativo"));
    QCOMPARE(linhas[2],
             QStringLiteral(" 2 - Verique no arquivo Config.ini se o Path dos Dados está correto"));
    QVERIFY(linhas[3].startsWith(
        QStringLiteral(" Caso não consiga resolver entre em Contato Através do Email ")));
    QVERIFY(linhas[3].contains(QStringLiteral(" ou pelo Telefone: ")));
    QCOMPARE(linhas[4], QStringLiteral(" E diga o Código de Erro:I/O error during \"open\""));
}

QTEST_MAIN(TstInicio)
#include "tst_inicio.moc"
