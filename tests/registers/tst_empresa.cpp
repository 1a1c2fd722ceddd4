// The company data window: the one Empresa row shown at every opening and written back, the
// main window's header refreshed after a save, and what happens when the row is missing or the
// database refuses the save.

#include "app/Principal.h"
#include "registers/Empresa.h"
#include "support/AplicacaoTeste.h"
#include "support/DriverModal.h"
#include "support/GravadorMensagens.h"
#include "support/Tela.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using namespace Tela;

class TstEmpresa : public QObject {
    Q_OBJECT

private slots:
    void openingShowsTheStoredRowEveryTime();
    void saveWritesEveryFieldAndRefreshesOnlyTheHeader();
    void enterAndTabWalkTheFields();
    void typedTextNeverOutgrowsItsColumn();
    void missingCompanyRowIsNotReportedAsSaved();
    void refusedSaveRollsBackAndKeepsTheFields();
    void failedReadDoesNotLetEmptyFieldsBeSaved();
};

namespace {

const QString sucesso = QStringLiteral("Dados Gravados com Sucesso !");
const QString falha = QStringLiteral("Ocorreu um Erro, tente novamente !");

// Every field that is saved, with the column it goes to and its input limit.
struct Campo {
    const char* nome;
    const char* coluna;
    int limite;
};
const QList<Campo> camposGravados = {
    {"edEMP_Nome", "EMP_Nome", 80},     {"edEMP_Insc", "EMP_Insc", 18},
    {"edEMP_Ender", "EMP_Ender", 50},   {"edEMP_Bairro", "EMP_Bairro", 30},
    {"edEMP_Cidade", "EMP_Cidade", 29}, {"edEMP_UF", "EMP_UF", 4},
    {"edEMP_Fone", "EMP_Fone", 15},     {"edEMP_FAX", "EMP_Fax", 15},
    {"edEMP_HomeP", "EMP_HomeP", 80},   {"edEMP_Email", "EMP_Email", 80},
    {"edEMP_Obs", "EMP_Obs", 200},
};

// The stored row the tests start from.
const QVariantMap guardado = {
    {"EMP_Nome", QStringLiteral("Metalúrgica São João")},
    {"EMP_CNPJ", QStringLiteral("12.345.678/0001-90")},
    {"EMP_Insc", QStringLiteral("110.042.490.114")},
    {"EMP_Ender", QStringLiteral("Rua das Acácias, 120")},
    {"EMP_Bairro", QStringLiteral("Jardim América")},
    {"EMP_Cidade", QStringLiteral("Ribeirão Preto")},
    {"EMP_UF", QStringLiteral("SP")},
    {"EMP_Fone", QStringLiteral("(16) 3610-2200")},
    {"EMP_Fax", QStringLiteral("(16) 3610-2201")},
    {"EMP_HomeP", QStringLiteral("www.saojoao.ind.br")},
    {"EMP_Email", QStringLiteral("compras@saojoao.ind.br")},
    {"EMP_Obs", QStringLiteral("Almoxarifado central, galpão 2")},
};

void gravaLinha(AplicacaoTeste& t, const QVariantMap& valores)
{
    QStringList sets;
    QVariantMap parametros;
    for (auto it = valores.begin(); it != valores.end(); ++it) {
        sets << it.key() + " = :" + it.key();
        parametros[it.key()] = it.value();
    }
    t.banco.executa("Update Empresa set " + sets.join(", ") + " Where EMP_Codigo = '001'",
                    parametros);
}

QString guardadoEm(AplicacaoTeste& t, const QString& coluna)
{
    return t.banco.valor("Select " + coluna + " From Empresa Where EMP_Codigo = '001'").toString();
}

QString rotulo(AplicacaoTeste& t, const char* nome)
{
    return texto(&t.principal(), nome);
}

// Opens the window from the main menu, as a person does; the steps run in it.
void abreEmpresa(AplicacaoTeste& t, DriverModal& driver, DriverModal::Passos passos)
{
    abreMenu(t.principal(), driver, "DadosdaEmpresa1", std::move(passos));
}

// The main window as it is after a start on this database: header and report state read.
void inicia(AplicacaoTeste& t)
{
    t.banco.executa("Update Versao set Numero = '1.1.4-24112006'");
    t.principal().passoDeExibicao();
}

} // namespace

void TstEmpresa::openingShowsTheStoredRowEveryTime()
{
    AplicacaoTeste t;
    gravaLinha(t, guardado);
    GravadorMensagens msgs;
    DriverModal driver;
    abreEmpresa(t, driver, [&](QDialog* janela) {
        QCOMPARE(janela->windowTitle(), QStringLiteral("Dados da Empresa"));
        QCOMPARE(focado(), acha(janela, "edEMP_Nome"));
        QCOMPARE(texto(janela, "edEMP_CNPJ"), QStringLiteral("12.345.678/0001-90"));
        for (const Campo& c : camposGravados)
            QCOMPARE(texto(janela, c.nome), guardado.value(c.coluna).toString());
        // Typed-over fields left unsaved do not survive a closing.
        digita(janela, "edEMP_Nome", "Rascunho");
        clica(janela, "Fechar");
        QVERIFY(!janela->isVisible());
    });
    // Another workstation changes the row; the next opening shows it.
    gravaLinha(t, {{"EMP_Nome", QStringLiteral("Fundição Três Irmãos")}, {"EMP_Obs", QString()}});
    abreEmpresa(t, driver, [&](QDialog* janela) {
        QCOMPARE(texto(janela, "edEMP_Nome"), QStringLiteral("Fundição Três Irmãos"));
        QCOMPARE(texto(janela, "edEMP_Obs"), QString());
        QCOMPARE(texto(janela, "edEMP_Cidade"), QStringLiteral("Ribeirão Preto"));
        QCOMPARE(focado(), acha(janela, "edEMP_Nome"));
        clica(janela, "Fechar");
    });
    QCOMPARE(driver.abertas(), QStringList({"TfEmpresa", "TfEmpresa"}));
    QCOMPARE(msgs.quantidade(), 0);
    QCOMPARE(guardadoEm(t, "EMP_Nome"), QStringLiteral("Fundição Três Irmãos"));
}

void TstEmpresa::saveWritesEveryFieldAndRefreshesOnlyTheHeader()
{
    AplicacaoTeste t;
    gravaLinha(t, guardado);
    inicia(t);
    // Logging and login on: the company data still write no audit line.
    t.flags("S", "N", "S");
    t.principal().CodUsuario = "000001";
    const QVariantMap novo = {
        {"EMP_Nome", QStringLiteral("Cerâmica Ônix Ltda")},
        {"EMP_Insc", QStringLiteral("RG 12.345.678-9")},
        {"EMP_Ender", QStringLiteral("Av. Guaíba, 3000")},
        {"EMP_Bairro", QStringLiteral("Vila Açores")},
        {"EMP_Cidade", QStringLiteral("Criciúma")},
        {"EMP_UF", QStringLiteral("SC")},
        {"EMP_Fone", QStringLiteral("(48) 3433-0000")},
        {"EMP_Fax", QStringLiteral("(48) 3433-0001")},
        {"EMP_HomeP", QStringLiteral("www.onix.com.br")},
        {"EMP_Email", QStringLiteral("almox@onix.com.br")},
        {"EMP_Obs", QStringLiteral("Entregas só às terças; portão nº 3")},
    };
    GravadorMensagens msgs;
    DriverModal driver;
    abreEmpresa(t, driver, [&](QDialog* janela) {
        for (const Campo& c : camposGravados)
            digita(janela, c.nome, novo.value(c.coluna).toString());
        // The tax number takes no typing.
        auto* cnpj = acha<QLineEdit>(janela, "edEMP_CNPJ");
        QVERIFY(cnpj->isReadOnly());
        cnpj->setFocus(Qt::MouseFocusReason);
        cnpj->selectAll();
        QTest::keyClicks(cnpj, "99");
        QTest::keyClick(cnpj, Qt::Key_Backspace);
        QCOMPARE(cnpj->text(), QStringLiteral("12.345.678/0001-90"));
        clica(janela, "Grava");
        // The window stays open with what was saved.
        QVERIFY(janela->isVisible());
        QCOMPARE(texto(janela, "edEMP_Nome"), QStringLiteral("Cerâmica Ônix Ltda"));
        clica(janela, "Fechar");
    });
    QCOMPARE(msgs.mensagens(), QList<MensagemGravada>({{TipoMensagem::Informacao, sucesso}}));
    for (auto it = novo.begin(); it != novo.end(); ++it)
        QCOMPARE(guardadoEm(t, it.key()), it.value().toString());
    QCOMPARE(guardadoEm(t, "EMP_CNPJ"), QStringLiteral("12.345.678/0001-90"));
    QCOMPARE(t.banco.conta("Empresa"), 1);
    QCOMPARE(t.banco.conta("Log"), 0);
    // The header shows the new name and contacts; the address and the report headers keep
    // what was read at start.
    QCOMPARE(rotulo(t, "lbNome"), QStringLiteral("Cerâmica Ônix Ltda"));
    QCOMPARE(rotulo(t, "lbTelefone"), QStringLiteral("(48) 3433-0000"));
    QCOMPARE(rotulo(t, "lbEmail"), QStringLiteral("almox@onix.com.br"));
    QCOMPARE(rotulo(t, "lbHomePage"), QStringLiteral("www.onix.com.br"));
    QCOMPARE(rotulo(t, "lbEndereco"), QStringLiteral("Rua das Acácias, 120"));
    QCOMPARE(t.principal().EmpNome, QStringLiteral("Metalúrgica São João"));
    QCOMPARE(t.principal().EmpFone, QStringLiteral("(16) 3610-2200"));
}

void TstEmpresa::enterAndTabWalkTheFields()
{
    AplicacaoTeste t;
    gravaLinha(t, guardado);
    GravadorMensagens msgs;
    DriverModal driver;
    abreEmpresa(t, driver, [&](QDialog* janela) {
        auto* obs = acha<QPlainTextEdit>(janela, "edEMP_Obs");
        QStringList porEnter;
        for (int i = 0; i < 12; ++i) {
            QWidget* atual = focado();
            if (atual == obs) {
                QTest::keyClick(obs, Qt::Key_End, Qt::ControlModifier);
                QTest::keyClicks(obs, " fim");
            }
            QTest::keyClick(atual, Qt::Key_Return);
            porEnter << focado()->objectName();
        }
        QCOMPARE(porEnter, QStringList({"edEMP_CNPJ", "edEMP_Insc", "edEMP_Ender", "edEMP_Bairro",
                                        "edEMP_Cidade", "edEMP_UF", "edEMP_Fone", "edEMP_FAX",
                                        "edEMP_HomeP", "edEMP_Email", "edEMP_Obs", "Grava"}));
        QCOMPARE(obs->toPlainText(), QStringLiteral("Almoxarifado central, galpão 2 fim"));
        // Tab goes round the buttons and the fields, past the name.
        QStringList porTab;
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(focado(), Qt::Key_Tab);
            porTab << focado()->objectName();
        }
        QCOMPARE(porTab, QStringList({"Fechar", "edEMP_CNPJ", "edEMP_Insc"}));
        // Tab in the remarks moves on as well, instead of typing a tab.
        obs->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(obs, Qt::Key_Tab);
        QCOMPARE(focado()->objectName(), QString("Grava"));
        QCOMPARE(obs->toPlainText(), QStringLiteral("Almoxarifado central, galpão 2 fim"));
        clica(janela, "Fechar");
    });
    // Enter reached "Grava" but never pressed it.
    QCOMPARE(msgs.quantidade(), 0);
    QCOMPARE(guardadoEm(t, "EMP_Obs"), QStringLiteral("Almoxarifado central, galpão 2"));
}

void TstEmpresa::typedTextNeverOutgrowsItsColumn()
{
    AplicacaoTeste t;
    GravadorMensagens msgs;
    DriverModal driver;
    abreEmpresa(t, driver, [&](QDialog* janela) {
        for (const Campo& c : camposGravados) {
            const QString longo = QString(c.limite, QLatin1Char('a')) + "bcdef";
            digita(janela, c.nome, longo);
            QCOMPARE(texto(janela, c.nome), longo.left(c.limite));
        }
        // Text pasted into the middle of full remarks goes no further either.
        auto* obs = acha<QPlainTextEdit>(janela, "edEMP_Obs");
        QTextCursor cursor = obs->textCursor();
        cursor.setPosition(10);
        obs->setTextCursor(cursor);
        obs->insertPlainText("colado");
        QCOMPARE(obs->toPlainText(), QString(200, QLatin1Char('a')));
        clica(janela, "Grava");
        clica(janela, "Fechar");
    });
    QCOMPARE(msgs.textos(), QStringList({sucesso}));
    for (const Campo& c : camposGravados)
        QCOMPARE(guardadoEm(t, c.coluna), QString(c.limite, QLatin1Char('a')));
}

void TstEmpresa::missingCompanyRowIsNotReportedAsSaved()
{
    AplicacaoTeste t;
    gravaLinha(t, guardado);
    inicia(t);
    t.banco.executa("Delete From Empresa");
    GravadorMensagens msgs;
    DriverModal driver;
    abreEmpresa(t, driver, [&](QDialog* janela) {
        QCOMPARE(texto(janela, "edEMP_CNPJ"), QString());
        for (const Campo& c : camposGravados)
            QCOMPARE(texto(janela, c.nome), QString());
        digita(janela, "edEMP_Nome", "Nova Empresa");
        clica(janela, "Grava");
        QVERIFY(janela->isVisible());
        QCOMPARE(texto(janela, "edEMP_Nome"), QString("Nova Empresa"));
        clica(janela, "Fechar");
    });
    QCOMPARE(msgs.mensagens(), QList<MensagemGravada>({{TipoMensagem::Informacao, falha}}));
    QCOMPARE(t.banco.conta("Empresa"), 0);
    QCOMPARE(rotulo(t, "lbNome"), QStringLiteral("Metalúrgica São João"));
}

void TstEmpresa::refusedSaveRollsBackAndKeepsTheFields()
{
    AplicacaoTeste t;
    gravaLinha(t, guardado);
    inicia(t);
    // The database refuses one state code, so the same window can then save another.
    t.banco.executa("CREATE EXCEPTION uf_recusada 'UF recusada'");
    t.banco.executa("CREATE TRIGGER empresa_uf FOR Empresa BEFORE UPDATE AS BEGIN "
                    "IF (new.EMP_UF = 'XX') THEN EXCEPTION uf_recusada; END");
    GravadorMensagens msgs;
    DriverModal driver;
    abreEmpresa(t, driver, [&](QDialog* janela) {
        digita(janela, "edEMP_Nome", "Outro Nome");
        digita(janela, "edEMP_UF", "XX");
        clica(janela, "Grava");
        QCOMPARE(msgs.mensagens(), QList<MensagemGravada>({{TipoMensagem::Informacao, falha}}));
        QVERIFY(janela->isVisible());
        QCOMPARE(texto(janela, "edEMP_Nome"), QString("Outro Nome"));
        QCOMPARE(texto(janela, "edEMP_UF"), QString("XX"));
        // Nothing of the refused save is stored, and nothing holds the row.
        QCOMPARE(guardadoEm(t, "EMP_Nome"), QStringLiteral("Metalúrgica São João"));
        QCOMPARE(rotulo(t, "lbNome"), QStringLiteral("Metalúrgica São João"));
        digita(janela, "edEMP_UF", "RS");
        clica(janela, "Grava");
        clica(janela, "Fechar");
    });
    QCOMPARE(msgs.textos(), QStringList({falha, sucesso}));
    QCOMPARE(guardadoEm(t, "EMP_Nome"), QString("Outro Nome"));
    QCOMPARE(guardadoEm(t, "EMP_UF"), QString("RS"));
    QCOMPARE(rotulo(t, "lbNome"), QString("Outro Nome"));
}

void TstEmpresa::failedReadDoesNotLetEmptyFieldsBeSaved()
{
    AplicacaoTeste t;
    gravaLinha(t, guardado);
    // A column the database cannot work out while the state code reads ZZ makes the opening's
    // read fail; the stored row itself is intact.
    t.banco.executa("ALTER TABLE Empresa ADD EMP_Quebra COMPUTED BY "
                    "(CASE WHEN EMP_UF = 'ZZ' THEN 1 / 0 ELSE 0 END)");
    gravaLinha(t, {{"EMP_UF", "ZZ"}});
    GravadorMensagens msgs;
    DriverModal driver;
    abreEmpresa(t, driver, [&](QDialog* janela) {
        QCOMPARE(msgs.quantidade(), 1);
        QCOMPARE(msgs.mensagens()[0].tipo, TipoMensagem::Erro);
        QVERIFY(!acha<QPushButton>(janela, "Grava")->isEnabled());
        QCOMPARE(texto(janela, "edEMP_Nome"), QString());
        clica(janela, "Fechar");
    });
    QCOMPARE(guardadoEm(t, "EMP_Nome"), QStringLiteral("Metalúrgica São João"));
    // Once the row reads again, the next opening can save.
    gravaLinha(t, {{"EMP_UF", "SP"}});
    abreEmpresa(t, driver, [&](QDialog* janela) {
        QVERIFY(acha<QPushButton>(janela, "Grava")->isEnabled());
        QCOMPARE(texto(janela, "edEMP_Nome"), QStringLiteral("Metalúrgica São João"));
        digita(janela, "edEMP_Bairro", "Centro");
        clica(janela, "Grava");
        clica(janela, "Fechar");
    });
    QCOMPARE(msgs.textos().last(), sucesso);
    QCOMPARE(guardadoEm(t, "EMP_Bairro"), QString("Centro"));
    QCOMPARE(guardadoEm(t, "EMP_Nome"), QStringLiteral("Metalúrgica São João"));
}

QTEST_MAIN(TstEmpresa)
#include "tst_empresa.moc"
