// The login at start-up: who may get in, and that nobody gets past it otherwise.

#include "app/Principal.h"
#include "support/AplicacaoTeste.h"
#include "support/DriverModal.h"
#include "support/GravadorMensagens.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TstLogin : public QObject {
    Q_OBJECT

private slots:
    void entrar_data();
    void entrar();
    void wrongPairKeepsTheDialogAndItsFields();
    void cancelEndsWithoutMessage();
    void closeKeyRunsTheClosingCheck_data();
    void closeKeyRunsTheClosingCheck();
};

namespace {

const QString tenteNovamente = QStringLiteral("Login ou Senha não Cadastrados, Tente Novamente");
const QString seraFechado =
    QStringLiteral("Login ou Senha não Cadastrados, o Sistema será Fechado !");

void preparaLogin(AplicacaoTeste& t)
{
    t.banco.executa("Update Versao set Numero = '1.1.4-24112006'");
    t.banco.executa("Update Configuracoes set LOGIN = 'S'");
    t.banco.executa("Insert into Usuarios (USU_Codigo, USU_Nome, USU_Login, USU_Senha, USU_Ativo) "
                    "values ('000001', 'Maria', 'maria', 'segredo', 'A')");
    t.banco.executa("Insert into Usuarios (USU_Codigo, USU_Nome, USU_Login, USU_Senha, USU_Ativo) "
                    "values ('000002', 'José', 'jose', 'antigo', 'I')");
}

void digita(QDialog* d, const QString& login, const QString& senha)
{
    auto* edLogin = d->findChild<QLineEdit*>("edLogin");
    auto* edSenha = d->findChild<QLineEdit*>("edSenha");
    edLogin->setFocus();
    edLogin->selectAll();
    QTest::keyClicks(edLogin, login);
    edSenha->setFocus();
    edSenha->selectAll();
    QTest::keyClicks(edSenha, senha);
}

void clica(QDialog* d, const char* botao)
{
    QTest::mouseClick(d->findChild<QPushButton*>(botao), Qt::LeftButton);
}

} // namespace

void TstLogin::entrar_data()
{
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("senha");
    QTest::addColumn<QString>("codigo"); // empty: refused
    QTest::newRow("right pair") << "maria"
                                << "segredo"
                                << "000001";
    QTest::newRow("trailing blanks do not matter") << "maria   "
                                                   << "segredo"
                                                   << "000001";
    QTest::newRow("letter case matters") << "Maria"
                                         << "segredo"
                                         << "";
    QTest::newRow("wrong password") << "maria"
                                    << "Segredo"
                                    << "";
    QTest::newRow("inactive user") << "jose"
                                   << "antigo"
                                   << "";
}

void TstLogin::entrar()
{
    QFETCH(QString, login);
    QFETCH(QString, senha);
    QFETCH(QString, codigo);
    AplicacaoTeste t;
    preparaLogin(t);
    GravadorMensagens msgs;
    DriverModal driver;
    driver.aoAbrir([&](QDialog* d) {
        QCOMPARE(d->windowTitle(), QString("Login"));
        QCOMPARE(d->findChild<QLineEdit*>("edSenha")->echoMode(), QLineEdit::Password);
        digita(d, login, senha);
        clica(d, "fLoginEntrar");
        if (codigo.isEmpty()) {
            QVERIFY(d->isVisible());
            clica(d, "fLoginCancela");
        }
    });
    TfPrincipal& p = t.principal();
    p.passoDeExibicao();
    QCOMPARE(driver.abertas(), QStringList({"TfLogin"}));
    if (codigo.isEmpty()) {
        QCOMPARE(msgs.textos(), QStringList({tenteNovamente}));
        QCOMPARE(msgs.mensagens()[0].tipo, TipoMensagem::Aviso);
        QVERIFY(t.app.fimSolicitado());
        QCOMPARE(p.CodUsuario, QString());
        QCOMPARE(p.painel(1), QString());
    } else {
        QCOMPARE(msgs.quantidade(), 0);
        QVERIFY(!t.app.fimSolicitado());
        QCOMPARE(p.CodUsuario, codigo);
        QCOMPARE(p.LoginUsuario, QString("maria"));
        QCOMPARE(p.painel(1), QString("Usuario:maria"));
    }
}

void TstLogin::wrongPairKeepsTheDialogAndItsFields()
{
    AplicacaoTeste t;
    preparaLogin(t);
    GravadorMensagens msgs;
    DriverModal driver;
    driver.aoAbrir([&](QDialog* d) {
        digita(d, "maria", "errada");
        clica(d, "fLoginEntrar");
        QCOMPARE(d->findChild<QLineEdit*>("edLogin")->text(), QString("maria"));
        QCOMPARE(d->findChild<QLineEdit*>("edSenha")->text(), QString("errada"));
        // A second try with the right password gets in.
        digita(d, "maria", "segredo");
        clica(d, "fLoginEntrar");
    });
    t.principal().passoDeExibicao();
    QCOMPARE(msgs.textos(), QStringList({tenteNovamente}));
    QCOMPARE(t.principal().CodUsuario, QString("000001"));
    QVERIFY(!t.app.fimSolicitado());
}

void TstLogin::cancelEndsWithoutMessage()
{
    AplicacaoTeste t;
    preparaLogin(t);
    GravadorMensagens msgs;
    DriverModal driver;
    driver.aoAbrir([&](QDialog* d) {
        digita(d, "maria", "segredo");
        clica(d, "fLoginCancela");
    });
    t.principal().passoDeExibicao();
    QCOMPARE(msgs.quantidade(), 0);
    QVERIFY(t.app.fimSolicitado());
    QCOMPARE(t.principal().CodUsuario, QString());
}

void TstLogin::closeKeyRunsTheClosingCheck_data()
{
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("senha");
    QTest::addColumn<bool>("entra");
    QTest::newRow("valid pair typed") << "maria"
                                      << "segredo" << true;
    QTest::newRow("nothing typed") << ""
                                   << "" << false;
    QTest::newRow("inactive user") << "jose"
                                   << "antigo" << false;
}

void TstLogin::closeKeyRunsTheClosingCheck()
{
    QFETCH(QString, login);
    QFETCH(QString, senha);
    QFETCH(bool, entra);
    AplicacaoTeste t;
    preparaLogin(t);
    GravadorMensagens msgs;
    DriverModal driver;
    driver.aoAbrir([&](QDialog* d) {
        digita(d, login, senha);
        QTest::keyClick(d, Qt::Key_Escape);
        QVERIFY(!d->isVisible());
    });
    t.principal().passoDeExibicao();
    QCOMPARE(t.app.fimSolicitado(), !entra);
    QCOMPARE(msgs.textos(), entra ? QStringList() : QStringList({seraFechado}));
    QCOMPARE(t.principal().CodUsuario, QString(entra ? "000001" : ""));
    // Only "Entrar" puts the login in the status bar.
    QCOMPARE(t.principal().painel(1), QString());
}

QTEST_MAIN(TstLogin)
#include "tst_login.moc"
