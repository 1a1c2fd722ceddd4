// The login at start-up: who may get in, and that nobody gets past it otherwise.

#include "app/Principal.h"
#include "support/AplicacaoTeste.h"
#include "support/DriverModal.h"
#include "support/GravadorMensagens.h"
#include "support/Tela.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QtTest>

using namespace Tela;

class TstLogin : public QObject {
    Q_OBJECT

private slots:
    void entrar_data();
    void entrar();
    void refusedPairKeepsTheDialog_data();
    void refusedPairKeepsTheDialog();
    void cancelEndsWithoutMessage();
    void closeKeyRunsTheClosingCheck_data();
    void closeKeyRunsTheClosingCheck();
    void passwordShowsAnAsteriskPerCharacter();
};

namespace {

const QString tenteNovamente = QStringLiteral("Login ou Senha não Cadastrados, Tente Novamente");
const QString seraFechado =
    QStringLiteral("Login ou Senha não Cadastrados, o Sistema será Fechado !");

// A program whose start asks for the login, with two users (Maria, active; José, deactivated),
// its messages recorded and its login dialog driven by the steps a test gives to abre().
struct Entrada : AplicacaoTeste {
    Entrada()
    {
        banco.executa("Update Versao set Numero = '1.1.4-24112006'");
        banco.executa("Update Configuracoes set LOGIN = 'S'");
        banco.executa(
            "Insert into Usuarios (USU_Codigo, USU_Nome, USU_Login, USU_Senha, USU_Ativo) "
            "values ('000001', 'Maria', 'maria', 'segredo', 'A')");
        banco.executa(
            "Insert into Usuarios (USU_Codigo, USU_Nome, USU_Login, USU_Senha, USU_Ativo) "
            "values ('000002', 'José', 'jose', 'antigo', 'I')");
    }

    // The main window's first showing, the login dialog taking `passos`.
    void abre(DriverModal::Passos passos)
    {
        driver.aoAbrir(std::move(passos));
        principal().passoDeExibicao();
    }

    GravadorMensagens msgs;
    DriverModal driver;
};

// Types the pair into the dialog's fields, over what they show.
void digitaLoginESenha(QDialog* d, const QString& login, const QString& senha)
{
    digita(d, "edLogin", login);
    digita(d, "edSenha", senha);
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
    QTest::newRow("trailing blanks past the column do not matter") << "maria        "
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
    Entrada t;
    t.abre([&](QDialog* d) {
        QCOMPARE(d->windowTitle(), QString("Login"));
        QCOMPARE(campo(d, "edSenha")->echoMode(), QLineEdit::Password);
        digitaLoginESenha(d, login, senha);
        clica(d, "fLoginEntrar");
        if (codigo.isEmpty()) {
            QVERIFY(d->isVisible());
            clica(d, "fLoginCancela");
        }
    });
    TfPrincipal& p = t.principal();
    QCOMPARE(t.driver.abertas(), QStringList({"TfLogin"}));
    if (codigo.isEmpty()) {
        QCOMPARE(t.msgs.textos(), QStringList({tenteNovamente}));
        QCOMPARE(t.msgs.mensagens()[0].tipo, TipoMensagem::Aviso);
        QVERIFY(t.app.fimSolicitado());
        QCOMPARE(p.CodUsuario, QString());
        QCOMPARE(p.painel(1), QString());
    } else {
        QCOMPARE(t.msgs.quantidade(), 0);
        QVERIFY(!t.app.fimSolicitado());
        QCOMPARE(p.CodUsuario, codigo);
        QCOMPARE(p.LoginUsuario, QString("maria"));
        QCOMPARE(p.painel(1), QString("Usuario:maria"));
    }
}

void TstLogin::cancelEndsWithoutMessage()
{
    Entrada t;
    t.abre([&](QDialog* d) {
        digitaLoginESenha(d, "maria", "segredo");
        clica(d, "fLoginCancela");
    });
    QCOMPARE(t.msgs.quantidade(), 0);
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
    QTest::newRow("login longer than its column") << "mariamariamaria"
                                                  << "segredo" << false;
    QTest::newRow("password the database cannot hold") << "maria"
                                                       << "segr€do" << false;
}

void TstLogin::closeKeyRunsTheClosingCheck()
{
    QFETCH(QString, login);
    QFETCH(QString, senha);
    QFETCH(bool, entra);
    Entrada t;
    t.abre([&](QDialog* d) {
        digitaLoginESenha(d, login, senha);
        QTest::keyClick(d, Qt::Key_Escape);
        QVERIFY(!d->isVisible());
    });
    QCOMPARE(t.app.fimSolicitado(), !entra);
    QCOMPARE(t.msgs.textos(), entra ? QStringList() : QStringList({seraFechado}));
    QCOMPARE(t.principal().CodUsuario, QString(entra ? "000001" : ""));
    // Only "Entrar" puts the login in the status bar.
    QCOMPARE(t.principal().painel(1), QString());
}

// A pair nobody has leaves the dialog open, the fields as typed. A login or password longer than
// its column cannot be anyone's either (the server refuses to compare it): the dialog treats it
// as a pair it does not know, and empties the over-long field so it can be typed again.
void TstLogin::refusedPairKeepsTheDialog_data()
{
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("senha");
    QTest::addColumn<QString>("loginDepois");
    QTest::addColumn<QString>("senhaDepois");
    QTest::addColumn<QString>("focado"); // empty: not checked
    QTest::newRow("wrong password") << "maria"
                                    << "errada"
                                    << "maria"
                                    << "errada"
                                    << "";
    QTest::newRow("login too long") << "mariamariamaria"
                                    << "segredo"
                                    << ""
                                    << "segredo"
                                    << "edLogin";
    QTest::newRow("password too long") << "maria"
                                       << "segredosegredo"
                                       << "maria"
                                       << ""
                                       << "edSenha";
    QTest::newRow("both too long") << "mariamariamaria"
                                   << "segredosegredo"
                                   << ""
                                   << ""
                                   << "edLogin";
    // Characters the database cannot hold: nobody's pair, refused in the same words, and the
    // password never shown.
    QTest::newRow("password the database cannot hold") << "maria"
                                                       << "segr€do"
                                                       << "maria"
                                                       << "segr€do"
                                                       << "";
    QTest::newRow("login the database cannot hold") << "日本"
                                                    << "segredo"
                                                    << "日本"
                                                    << "segredo"
                                                    << "";
}

void TstLogin::refusedPairKeepsTheDialog()
{
    Entrada t;
    QFETCH(QString, login);
    QFETCH(QString, senha);
    QFETCH(QString, loginDepois);
    QFETCH(QString, senhaDepois);
    QFETCH(QString, focado);
    t.abre([&](QDialog* d) {
        digitaLoginESenha(d, login, senha);
        clica(d, "fLoginEntrar");
        QVERIFY(d->isVisible());
        QCOMPARE(texto(d, "edLogin"), loginDepois);
        QCOMPARE(texto(d, "edSenha"), senhaDepois);
        if (!focado.isEmpty())
            QVERIFY(Tela::focado(d, qPrintable(focado)));
        // The right pair typed again gets in.
        digitaLoginESenha(d, "maria", "segredo");
        clica(d, "fLoginEntrar");
    });
    QCOMPARE(t.msgs.textos(), QStringList({tenteNovamente}));
    QCOMPARE(t.msgs.mensagens()[0].tipo, TipoMensagem::Aviso);
    QCOMPARE(t.principal().CodUsuario, QString("000001"));
    QVERIFY(!t.app.fimSolicitado());
}

void TstLogin::passwordShowsAnAsteriskPerCharacter()
{
    Entrada t;
    t.abre([&](QDialog* d) {
        digitaLoginESenha(d, "maria", "segredo");
        QLineEdit* senha = campo(d, "edSenha");
        QCOMPARE(senha->text(), QString("segredo"));
        QCOMPARE(senha->displayText(), QString("*******"));
        QCOMPARE(senha->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, senha),
                 int('*'));
        // What is painted, once the focus has moved on: the same as a plain field showing seven
        // asterisks.
        digita(d, "edLogin", "maria");
        QLineEdit referencia(QString("*******"), d);
        referencia.setGeometry(senha->geometry());
        referencia.setPalette(senha->palette());
        referencia.setStyle(senha->style());
        referencia.setCursorPosition(senha->cursorPosition());
        referencia.show();
        QCOMPARE(senha->grab().toImage(), referencia.grab().toImage());
        clica(d, "fLoginEntrar");
    });
    QCOMPARE(t.principal().CodUsuario, QString("000001"));
}

QTEST_MAIN(TstLogin)
#include "tst_login.moc"
