// From a fresh stock room to a restricted user, through the real windows only: a user is
// created, login, permissions and the log are switched on, one module is taken from the user;
// after a restart the user logs in, is refused that module, works in another one, and the log
// says so.

#include "app/Aplicacao.h"
#include "app/Principal.h"
#include "data/DataModule_PER.h"
#include "support/BancoTeste.h"
#include "support/Cadastro.h"
#include "support/DriverModal.h"
#include "support/GravadorMensagens.h"
#include "support/Tela.h"

#include <QDialog>
#include <QtTest>

#include <memory>

using namespace Tela;

class TstPontaAPonta : public QObject {
    Q_OBJECT

private slots:
    void restrictedUserAfterRestart();
};

namespace {

using Cadastro::parafuso;
const QString senha = QStringLiteral("Cofre#42");

// One start of the program on the database, as far as the main window's first showing.
std::unique_ptr<Aplicacao> programaAberto(BancoTeste& banco)
{
    auto app = std::make_unique<Aplicacao>();
    app->conexao().configuraEAbre(banco.pasta());
    app->criaTudo();
    return app;
}

// Chooses "Sim" in a settings window and saves it.
DriverModal::Passos sim(const char* escolha, const char* grava, const char* fecha)
{
    return [=](QDialog* d) {
        escolhe(d, escolha, QStringLiteral("Sim"));
        clica(d, grava);
        clica(d, fecha);
    };
}

} // namespace

void TstPontaAPonta::restrictedUserAfterRestart()
{
    BancoTeste banco;
    banco.executa("Update Versao set Numero = '1.1.4-24112006'");
    Cadastro::grupo(banco, "000001", "Geral");
    Cadastro::produto(banco, {.codigo = parafuso, .descricao = "Parafuso", .quantidade = "20"});
    GravadorMensagens msgs;
    DriverModal driver;
    const QString reiniciar = QStringLiteral(
        "Para que as novas Configurações façam efeito é necessário reiniciar o Programa");

    {
        std::unique_ptr<Aplicacao> app = programaAberto(banco);
        TfPrincipal& p = app->principal();
        p.passoDeExibicao();
        QCOMPARE(driver.abertas(), QStringList());

        pelaLista(driver, "btnUSU_Inclui", "btnUSU_Fecha", [](QDialog* d) {
            digita(d, "edUSU_Nome", QStringLiteral("Júlia Prado"));
            digita(d, "edUSU_Login", "julia");
            digita(d, "edUSU_Senha", senha);
            digita(d, "edUSU_Senha2", senha);
            clica(d, "btnUSU_Grava");
            clica(d, "btnDados_USU_Fecha");
        });
        p.aciona("ManutenodeUsurios1");
        abreMenu(p, driver, "LogindeUsurios1",
                 sim("cbLoginSN", "btnGravarLogin", "btnFecharLogin"));
        abreMenu(p, driver, "PermissodeUsurios1", sim("cbPermissao", "btnPerSN", "btnFechar"));
        abreMenu(p, driver, "LogdeUsurios1", sim("cbLog", "btnGrava", "btnFechar"));
        abreMenu(p, driver, "DRetiraPermissodeUsurios1", [&](QDialog* d) {
            informa(d, "edCodigo", "1");
            clica(d, "btnMostrar");
            QVERIFY(app->dmPER().cdsPER.localiza("PER_CODMOD", "2.1 ") >= 0);
            clica(d, "btnAltera");
            clica(d, "btnFechar");
        });
        QCOMPARE(msgs.textos(), QStringList({reiniciar, reiniciar, reiniciar}));
        // Nothing of this run was logged: the log waits for the next start.
        QCOMPARE(banco.conta("Log"), 0);
    }

    msgs.limpa();
    std::unique_ptr<Aplicacao> app = programaAberto(banco);
    TfPrincipal& p = app->principal();
    driver.aoAbrir([](QDialog* login) {
        digita(login, "edLogin", "julia");
        digita(login, "edSenha", senha);
        clica(login, "fLoginEntrar");
    });
    p.passoDeExibicao();
    QCOMPARE(p.CodUsuario, QStringLiteral("000001"));
    QVERIFY(!app->fimSolicitado());

    p.aciona("EntradanoEstoque1");
    QCOMPARE(msgs.textos(), QStringList({"Usuário Sem Permissão para Entrar nesse Módulo"}));
    abreMenu(p, driver, "SadanoEstoque1", [](QDialog* j) {
        informa(j, "edSaida_CodPro", "12");
        digita(j, "EdSaida_Quant", "1");
        clica(j, "btnSaida_Estq_Grava");
        clica(j, "btnSaida_Estq_Fecha");
    });
    QCOMPARE(msgs.quantidade(), 1);
    QCOMPARE(driver.abertas().mid(driver.abertas().size() - 2),
             QStringList({"TfLogin", "TfSaida_Estq"}));
    QCOMPARE(Cadastro::linhasLog(banco),
             QStringList{QStringLiteral("000001|Saída do Estoque:") + parafuso});
    for (const QString& m : msgs.textos())
        QVERIFY(!m.contains(senha));
}

QTEST_MAIN(TstPontaAPonta)
#include "tst_ponta_a_ponta.moc"
