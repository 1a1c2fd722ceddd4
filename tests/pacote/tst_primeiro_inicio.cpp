// The first start on a machine just installed: no Config.ini, and no database yet in the folder
// the person chooses.

#include "app/Aplicacao.h"
#include "contexto/ConfigIni.h"
#include "data/DataModule_Configuracoes.h"
#include "support/BancoTeste.h"
#include "support/DriverModal.h"
#include "support/GravadorMensagens.h"
#include "support/Tela.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QtTest>

using namespace Tela;

class TstPrimeiroInicio : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void anEmptyFolderIsOfferedADatabase_data();
    void anEmptyFolderIsOfferedADatabase();
    void aFolderWithADatabaseIsNotAsked();
    void aDatabaseThatCannotBeMadeSaysSoPlainly();

private:
    std::unique_ptr<QTemporaryDir> m_trabalho;
    QString m_anterior;
};

void TstPrimeiroInicio::init()
{
    m_anterior = QDir::currentPath();
    m_trabalho = std::make_unique<QTemporaryDir>();
    QDir::setCurrent(m_trabalho->path());
}

void TstPrimeiroInicio::cleanup()
{
    QDir::setCurrent(m_anterior);
    m_trabalho.reset();
}

void TstPrimeiroInicio::anEmptyFolderIsOfferedADatabase_data()
{
    QTest::addColumn<bool>("aceita");
    caso("accepted: the empty database is made and the program starts on it", true);
    caso("refused: the folder is wrong as before", false);
}

void TstPrimeiroInicio::anEmptyFolderIsOfferedADatabase()
{
    QFETCH(bool, aceita);
    QTemporaryDir almox;
    const QString banco = almox.filePath("zv.fdb");
    GravadorMensagens msgs;
    DriverModal driver;
    Aplicacao app;
    msgs.responde(aceita);
    driver.aoAbrir([&](QDialog* d) {
        digita(d, "edPathDados", almox.path());
        clica(d, "btnSalvar_Dados");
        QCOMPARE(msgs.mensagens().first().tipo, TipoMensagem::Confirmacao);
        QVERIFY2(msgs.mensagens().first().texto.contains(almox.path()),
                 qPrintable(msgs.mensagens().first().texto));
        QCOMPARE(QFileInfo::exists(banco), aceita);
        if (aceita) {
            QCOMPARE(msgs.quantidade(), 1);
            QVERIFY(!d->isVisible());
            return;
        }
        // As a wrong folder always was: the failure, no Config.ini, the field empty.
        QCOMPARE(msgs.quantidade(), 2);
        QCOMPARE(msgs.mensagens()[1].tipo, TipoMensagem::Erro);
        QVERIFY(msgs.ultimoTexto().startsWith(Aplicacao::mensagemFalhaInicio(QString())));
        QVERIFY(!ConfigIni::existe());
        QCOMPARE(campo(d, "edPathDados")->text(), QString());
        clica(d, "btnSair_Programa");
    });
    QCOMPARE(app.inicia(), aceita);
    QCOMPARE(QDir(almox.path()).entryList(QDir::Files | QDir::Hidden),
             aceita ? QStringList{"zv.fdb"} : QStringList{});
    if (!aceita)
        return;
    QCOMPARE(ConfigIni::lePasta(), almox.path());
    QVERIFY(app.conexao().aberta());
    QCOMPARE(app.conexao().banco(), banco);
    // The delivered database with its reference rows: the access switches start off.
    TdmConfiguracoes configuracoes(app.conexao());
    const std::optional<Configuracoes> flags = configuracoes.configuracoes();
    QVERIFY(flags);
    QCOMPARE(QStringList({flags->login, flags->permissao, flags->log}),
             QStringList({"N", "N", "N"}));
}

void TstPrimeiroInicio::aFolderWithADatabaseIsNotAsked()
{
    BancoTeste banco;
    banco.conexao().fecha();
    GravadorMensagens msgs;
    DriverModal driver;
    Aplicacao app;
    driver.aoAbrir([&](QDialog* d) {
        digita(d, "edPathDados", banco.pasta());
        clica(d, "btnSalvar_Dados");
    });
    QVERIFY(app.inicia());
    QCOMPARE(msgs.quantidade(), 0);
    QCOMPARE(ConfigIni::lePasta(), banco.pasta());
}

void TstPrimeiroInicio::aDatabaseThatCannotBeMadeSaysSoPlainly()
{
    // A folder nobody may create a file in, not even root: the kernel's own.
    const QString pasta = QStringLiteral("/proc");
    GravadorMensagens msgs;
    DriverModal driver;
    Aplicacao app;
    msgs.responde(true);
    driver.aoAbrir([&](QDialog* d) {
        digita(d, "edPathDados", pasta);
        clica(d, "btnSalvar_Dados");
        QCOMPARE(msgs.quantidade(), 2);
        const MensagemGravada erro = msgs.mensagens()[1];
        QCOMPARE(erro.tipo, TipoMensagem::Erro);
        QVERIFY2(erro.texto.contains("Não foi possível criar o banco de dados na pasta /proc"),
                 qPrintable(erro.texto));
        QVERIFY2(!erro.texto.contains("I/O error") && !erro.texto.contains("O_CREAT"),
                 qPrintable(erro.texto));
        // Nothing lost: the dialog stays with the folder typed, ready for another try.
        QVERIFY(d->isVisible());
        QCOMPARE(campo(d, "edPathDados")->text(), pasta);
        QVERIFY(focado(d, "edPathDados"));
        QVERIFY(!ConfigIni::existe());
        clica(d, "btnSair_Programa");
    });
    QVERIFY(!app.inicia());
}

QTEST_MAIN(TstPrimeiroInicio)
#include "tst_primeiro_inicio.moc"
