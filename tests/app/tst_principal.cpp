// The main window: the version update, the flags, the company header, the permission gates
// and the settings checks.

#include "app/Principal.h"
#include "support/AplicacaoTeste.h"
#include "support/DriverModal.h"
#include "support/GravadorMensagens.h"
#include "support/Tela.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

#include <array>
#include <stdexcept>

using namespace Tela;

class TstPrincipal : public QObject {
    Q_OBJECT

private slots:
    void versionUpdate_data();
    void versionUpdate();
    void versionUpdateFailureKeepsStoredNumber();
    void versionRowMissingIsNotReportedAsUpdated();
    void showStepReadsFlagsAndCompany();
    void menuHasEveryItemInOrder();
    void gate_data();
    void gate();
    void groupGateClosesTheMenuWithAWarning();
    void settingsChecks_data();
    void settingsChecks();
    void aboutBoxShowsTheVersion();
    void misspeltItemNameIsRefused();
    void everyItemGatesOnItsCode_data();
    void everyItemGatesOnItsCode();
};

namespace {

// Runs the show step on a database whose version number cannot be stored: the question, then
// the warning that the update failed.
void exibeSemAtualizarAVersao(AplicacaoTeste& t)
{
    GravadorMensagens msgs;
    t.principal().passoDeExibicao();
    QCOMPARE(msgs.textos(),
             QStringList({"Clique em Ok para Atualizar a Versão....",
                          "Não Consegui Alterar o Número da Versão, tente Novamente"}));
    QCOMPARE(msgs.mensagens()[1].tipo, TipoMensagem::Aviso);
}

} // namespace

void TstPrincipal::versionUpdate_data()
{
    QTest::addColumn<QString>("guardada");
    QTest::addColumn<QStringList>("mensagens");
    QTest::newRow("same version") << "1.1.4-24112006" << QStringList();
    QTest::newRow("older version") << "1.0.0-01012005"
                                   << QStringList({"Clique em Ok para Atualizar a Versão....",
                                                   "Versão Atualizada com Sucesso...."});
}

void TstPrincipal::versionUpdate()
{
    QFETCH(QString, guardada);
    QFETCH(QStringList, mensagens);
    AplicacaoTeste t;
    t.banco.executa("Update Versao set Numero = :N", {{"N", guardada}});
    GravadorMensagens msgs;
    t.principal().passoDeExibicao();
    QCOMPARE(msgs.textos(), mensagens);
    for (const MensagemGravada& m : msgs.mensagens())
        QCOMPARE(m.tipo, TipoMensagem::Simples);
    QCOMPARE(t.banco.valor("Select Numero From Versao").toString(), QString("1.1.4-24112006"));
    QCOMPARE(t.banco.conta("Versao"), 1);
    QCOMPARE(t.principal().NumVersao, QString("1.1.4-24112006"));
    QCOMPARE(t.principal().painel(2), QString("Versão:1.1.4-24112006"));
}

void TstPrincipal::versionUpdateFailureKeepsStoredNumber()
{
    AplicacaoTeste t;
    t.banco.recusa("Versao", "UPDATE", "versão travada");
    exibeSemAtualizarAVersao(t);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(t.banco.valor("Select Numero From Versao").toString(), QString("0.0.0-00000000"));
    QCOMPARE(t.principal().painel(2), QString("Versão:0.0.0-00000000"));
}

// A database that has lost its version row stores no number: the update says it failed
// instead of reporting one nobody will read at the next start.
void TstPrincipal::versionRowMissingIsNotReportedAsUpdated()
{
    AplicacaoTeste t;
    t.banco.executa("Delete From Versao");
    exibeSemAtualizarAVersao(t);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(t.banco.conta("Versao"), 0);
    QVERIFY(t.principal().NumVersao.isEmpty());
}

void TstPrincipal::showStepReadsFlagsAndCompany()
{
    AplicacaoTeste t;
    t.banco.executa("Update Versao set Numero = '1.1.4-24112006'");
    t.banco.executa("Update Configuracoes set LOGIN = 'N', Permissao = 'S', Log = 'S'");
    t.banco.executa("Update Empresa set EMP_Nome = :N, EMP_Ender = 'Rua A, 1', EMP_Fone = "
                    "'(19) 3241-5500', EMP_Email = 'a@b.com', EMP_HomeP = 'www.b.com'",
                    {{"N", QStringLiteral("Metalúrgica São João")}});
    GravadorMensagens msgs;
    TfPrincipal& p = t.principal();
    p.passoDeExibicao();
    QCOMPARE(msgs.quantidade(), 0);
    QCOMPARE(p.FlagLogin, QString("N"));
    QCOMPARE(p.FlagPermissao, QString("S"));
    QCOMPARE(p.FlagLog, QString("S"));
    QVERIFY(!p.registraLog());
    QCOMPARE(p.CodUsuario, QString());
    QCOMPARE(p.EmpNome, QStringLiteral("Metalúrgica São João"));
    QCOMPARE(p.EmpFone, QString("(19) 3241-5500"));
    QCOMPARE(texto(&p, "lbNome"), QStringLiteral("Metalúrgica São João"));
    QCOMPARE(texto(&p, "lbEndereco"), QString("Rua A, 1"));
    QCOMPARE(texto(&p, "lbHomePage"), QString("www.b.com"));
    QCOMPARE(p.windowTitle(), QString("Zorvane Almoxarifado"));
    QVERIFY(!(p.windowFlags() & Qt::WindowCloseButtonHint));
}

void TstPrincipal::menuHasEveryItemInOrder()
{
    AplicacaoTeste t;
    TfPrincipal& p = t.principal();
    QStringList topo;
    for (QAction* a : p.menuBar()->actions())
        topo << a->text();
    QCOMPARE(topo, QStringList({"Cadastros", "Movimentação no Estoque", "Relatórios", "Utilitários",
                                "Ajuda", "Saída"}));

    auto textos = [&](const char* grupo) {
        QStringList r;
        for (QAction* a : p.grupo(grupo)->actions())
            r << a->text();
        return r;
    };
    QCOMPARE(textos("Cadastros1"), QStringList({"Grupos de Produtos", "Produtos", "Requisitantes",
                                                "Grupo de Fornecedores", "Fornecedores"}));
    QCOMPARE(textos("MovimentaonoEstoque1"),
             QStringList({"Entrada no Estoque", "Saída no Estoque", "Estorno de Entrada",
                          "Estorno de Saída", "Consultas", "Devolução de não Consumíveis",
                          "Extravio/Saída Definitiva de não Consumíveis"}));
    QCOMPARE(textos("Relatrios1"),
             QStringList({"Listas de Itens no Estoque", "Movimentação de Estoque",
                          "Itens Abaixo do Estoque Mínimo", "Devoluções Atrasadas",
                          "Sugestão de Compra", "Etiquetas de Produtos"}));
    QCOMPARE(textos("ListasdeItensnoEstoque1"),
             QStringList({"Itens no Estoque I (Ordenado por Código)",
                          "Itens No Estoque II (Ordenado por Código)",
                          "Itens no Estoque I (Ordenado por Descrição)",
                          "Itens No Estoque II (Ordenado por Descrição)",
                          "Itens no Estoque de um Grupo I", "Itens no Estoque  de um Grupo II",
                          "Produtos em Estoque"}));
    const QStringList relMov = textos("MovimentaodeEstoque1");
    QCOMPARE(relMov.size(), 13);
    QCOMPARE(relMov[11], QString("Saídas por Requitante "));
    QCOMPARE(textos("Utilitrios1"),
             QStringList({"Backup", "Restaura Backup", "Dados da Empresa", "Usuários",
                          "Manutenção de Movimentação de Estoque", "Avisos do Dia"}));
    QCOMPARE(textos("Usurios1"),
             QStringList({"Manutenção de Usuários", "Login de Usuários", "Permissão de Usuários",
                          "Dá/Retira Permissão de Usuários", "Log de Usuários",
                          "Consulta Log de Usuários"}));
    QVERIFY(p.item("Sobre1")->isEnabled());
    QVERIFY(p.item("Sada1")->isEnabled());
}

void TstPrincipal::gate_data()
{
    QTest::addColumn<QString>("flagPermissao");
    QTest::addColumn<QString>("flagLogin");
    QTest::addColumn<QString>("linha23"); // empty: no row for the module
    QTest::addColumn<bool>("entra");
    QTest::newRow("permissions off") << "N"
                                     << "S"
                                     << "N" << true;
    QTest::newRow("login off") << "S"
                               << "N"
                               << "N" << true;
    QTest::newRow("both on, granted") << "S"
                                      << "S"
                                      << "S" << true;
    QTest::newRow("both on, refused") << "S"
                                      << "S"
                                      << "N" << false;
    QTest::newRow("both on, no row") << "S"
                                     << "S"
                                     << "" << false;
}

void TstPrincipal::gate()
{
    QFETCH(QString, flagPermissao);
    QFETCH(QString, flagLogin);
    QFETCH(QString, linha23);
    QFETCH(bool, entra);
    AplicacaoTeste t;
    if (!linha23.isEmpty())
        t.banco.executa("Insert into Permissoes (PER_CodUser, PER_CodMod, PER_Ativo) values "
                        "('000001', '2.3          ', :A)",
                        {{"A", linha23}});
    t.banco.executa("Insert into Permissoes (PER_CodUser, PER_CodMod, PER_Ativo) values "
                    "('000001', '2.4', 'S')");
    TfPrincipal& p = t.principal();
    p.FlagPermissao = flagPermissao;
    p.FlagLogin = flagLogin;
    p.CodUsuario = "000001";
    p.TipoEstorno = "XX";

    GravadorMensagens msgs;
    DriverModal driver;
    QString modoAberto;
    auto fecha = [&](QDialog* janela) {
        modoAberto = p.TipoEstorno;
        janela->reject();
    };
    if (entra)
        driver.aoAbrir(fecha);
    p.aciona("EstornodeEntrada1");
    QCOMPARE(driver.abertas(), entra ? QStringList({"TfEstorno_Estq"}) : QStringList());
    QCOMPARE(modoAberto, QString(entra ? "TE" : ""));
    QCOMPARE(p.TipoEstorno, QString(entra ? "TE" : "XX"));
    QCOMPARE(msgs.textos(), entra
                                ? QStringList()
                                : QStringList({"Usuário Sem Permissão para Entrar nesse Módulo"}));
    if (!entra)
        QCOMPARE(msgs.mensagens()[0].tipo, TipoMensagem::Aviso);

    // The reversal of exits has its own row, granted.
    msgs.limpa();
    driver.aoAbrir(fecha);
    p.aciona("EstornodeSada1");
    QCOMPARE(modoAberto, QString("TS"));
    QCOMPARE(p.TipoEstorno, QString("TS"));
    QCOMPARE(msgs.quantidade(), 0);
}

void TstPrincipal::groupGateClosesTheMenuWithAWarning()
{
    AplicacaoTeste t;
    t.comPermissoes("000001", {"1"}, QString());
    GravadorMensagens msgs;
    QMenu* rel = t.principal().grupo("Relatrios1");
    emit rel->aboutToShow();
    QTRY_COMPARE(msgs.textos(), QStringList({"Usuário Sem Permissão para Entrar nesse Módulo"}));
    QVERIFY(!rel->isVisible());

    msgs.limpa();
    emit t.principal().grupo("Cadastros1")->aboutToShow();
    QTest::qWait(10);
    QCOMPARE(msgs.quantidade(), 0);
}

void TstPrincipal::settingsChecks_data()
{
    QTest::addColumn<char>("verificacao");
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("permissao");
    QTest::addColumn<QString>("erro"); // empty: allowed
    const QString a = "O Item Login de Usuários deve estar como Sim para Utilizar a Permissão de "
                      "Usuários";
    const QString b = "O Item Permissão de Usuários deve estar como \"Sim\"";
    const QString c =
        "O Item Login de Usuários deve estar como Sim para Utilizar o Log de Usuários";
    QTest::newRow("A refused") << 'A' << "N"
                               << "S" << a;
    QTest::newRow("A allowed") << 'A' << "S"
                               << "N"
                               << "";
    QTest::newRow("A other value allowed") << 'A' << ""
                                           << "N"
                                           << "";
    QTest::newRow("B refused") << 'B' << "S"
                               << "N" << b;
    QTest::newRow("B allowed") << 'B' << "N"
                               << "S"
                               << "";
    QTest::newRow("C refused") << 'C' << "N"
                               << "S" << c;
    QTest::newRow("C allowed") << 'C' << "S"
                               << "N"
                               << "";
}

void TstPrincipal::settingsChecks()
{
    QFETCH(char, verificacao);
    QFETCH(QString, login);
    QFETCH(QString, permissao);
    QFETCH(QString, erro);
    AplicacaoTeste t;
    // The flags loaded at start say nothing here: the row is read afresh.
    t.flags("S", "S", "S");
    t.banco.executa("Update Configuracoes set LOGIN = :L, Permissao = :P",
                    {{"L", login}, {"P", permissao}});
    GravadorMensagens msgs;
    QCOMPARE(t.principal().verificaConfiguracao(verificacao), erro.isEmpty());
    QCOMPARE(msgs.textos(), erro.isEmpty() ? QStringList() : QStringList({erro}));
    if (!erro.isEmpty())
        QCOMPARE(msgs.mensagens()[0].tipo, TipoMensagem::Erro);
}

void TstPrincipal::aboutBoxShowsTheVersion()
{
    AplicacaoTeste t;
    t.principal().NumVersao = "1.1.4-24112006";
    DriverModal driver;
    QString versao;
    driver.aoAbrir([&](QDialog* d) {
        QCOMPARE(d->windowTitle(), QString("Sobre"));
        versao = texto(d, "lbVersao");
        clica(d, "btnFechar");
    });
    t.principal().item("Sobre1")->trigger();
    QCOMPARE(driver.abertas(), QStringList({"TfSobre"}));
    QVERIFY(versao.contains("1.1.4-24112006"));
}

void TstPrincipal::misspeltItemNameIsRefused()
{
    AplicacaoTeste t;
    TfPrincipal& p = t.principal();
    // Whether or not the item has its window by now, a misspelt name must not enable it.
    p.item("Backup1")->setEnabled(false);
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, p.ligaItem("Backup", [] {}));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, p.ligaItem("MovimentaonoEstoque1", [] {}));
    QVERIFY(!p.item("Backup1")->isEnabled());

    // The right name gives the item its window and enables it.
    int aberturas = 0;
    p.ligaItem("Backup1", [&] { ++aberturas; });
    QVERIFY(p.item("Backup1")->isEnabled());
    p.aciona("Backup1");
    QCOMPARE(aberturas, 1);
}

// Each item's gate asks for its own module code: refused while the user has no row for it,
// opened once the row for exactly that code says "S".
void TstPrincipal::everyItemGatesOnItsCode_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("janela"); // empty: no window yet
    const QList<std::array<const char*, 3>> itens = {
        {"GruposdeProdutos1", "1.1", "TfManut_Grupos"},
        {"Produtos1", "1.2", "TfManut_Produtos"},
        {"ipodeSadas1", "1.3", "TfManut_REQ"},
        {"GrupodeFornecedores1", "1.4", "TfManut_GrupoFornecedor"},
        {"Fornecedores1", "1.5", "TfManut_Fornec"},
        {"EntradanoEstoque1", "2.1", "TfEntrada_Estq"},
        {"SadanoEstoque1", "2.2", "TfSaida_Estq"},
        {"EstornodeEntrada1", "2.3", "TfEstorno_Estq"},
        {"EstornodeSada1", "2.4", "TfEstorno_Estq"},
        {"ConsultadeMovimentaodeEstoque1", "2.5.1", "TfConsulta_MovEstq"},
        {"ConsultadeFornecedoresdeumProduto1", "2.5.2", "TfConsultaProdutos"},
        {"DevoluodenoConsumveis1", "2.6", "TfDevolucao"},
        {"ExtravioSadaDefinitivadenoConsumveis1", "2.7", "TfExtravio"},
        {"Backup1", "4.1", "TfBackup"},
        {"RestauraBackup1", "4.2", "TfRestaura_Backup"},
        {"DadosdaEmpresa1", "4.3", "TfEmpresa"},
        {"ManutenodeUsurios1", "4.4.1", "TfManut_Usuarios"},
        {"LogindeUsurios1", "4.4.2", "TfConfig_Login"},
        {"PermissodeUsurios1", "4.4.3", "TfPermissao_Usuarios"},
        {"DRetiraPermissodeUsurios1", "4.4.4", "TfDaRetiraPermissoes"},
        {"LogdeUsurios1", "4.4.5", "TfConfig_Log"},
        {"ConsultaLogdeUsurios1", "4.4.6", "TfConsulta_Log"},
        {"ManutenodeMovimentaodeEstoque1", "4.5", "TfManutMovEstq"},
    };
    for (const auto& [item, codigo, janela] : itens)
        QTest::newRow(item) << item << codigo << janela;
}

void TstPrincipal::everyItemGatesOnItsCode()
{
    QFETCH(QString, item);
    QFETCH(QString, codigo);
    QFETCH(QString, janela);
    AplicacaoTeste t;
    // Login and permissions on, so the settings checks of the users' items pass as well.
    t.banco.executa("Update Configuracoes set LOGIN = 'S', Permissao = 'S'");
    t.flags("S", "S", "N");
    TfPrincipal& p = t.principal();
    p.CodUsuario = "000001";
    QCOMPARE(p.item(item)->isEnabled(), !janela.isEmpty());

    GravadorMensagens msgs;
    DriverModal driver;
    p.aciona(item);
    QCOMPARE(msgs.textos(), QStringList({"Usuário Sem Permissão para Entrar nesse Módulo"}));
    QCOMPARE(driver.abertas(), QStringList());

    msgs.limpa();
    t.banco.executa("Insert into Permissoes (PER_CodUser, PER_CodMod, PER_Ativo) values "
                    "('000001', :M, 'S')",
                    {{"M", codigo}});
    if (!janela.isEmpty())
        driver.aoAbrir([](QDialog* d) { d->reject(); });
    p.aciona(item);
    QCOMPARE(msgs.textos(), QStringList());
    QCOMPARE(driver.abertas(), janela.isEmpty() ? QStringList() : QStringList({janela}));
}

QTEST_MAIN(TstPrincipal)
#include "tst_principal.moc"
