// Requisitioners: the list, the record window in its three modes with its self-checking code
// field, and the search window that other windows pick a requisitioner from.

#include "data/DataModule_Req.h"
#include "app/Principal.h"
#include "data/DataSet.h"
#include "registers/Busca_REQ.h"
#include "registers/Dados_REQ.h"
#include "registers/Manut_REQ.h"
#include "support/AplicacaoTeste.h"
#include "support/Digitacao.h"
#include "support/DriverModal.h"
#include "support/GravadorMensagens.h"

#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QtTest>

class TstRequisitantes : public QObject {
    Q_OBJECT

private slots:
    void proposedCode_data();
    void proposedCode();
    void codeFieldChecksItselfWhenLeft_data();
    void codeFieldChecksItselfWhenLeft();
    void nameChecksAndLimpa();
    void twoInclusionsInARowAndTheirAuditLines_data();
    void twoInclusionsInARowAndTheirAuditLines();
    void changeAndDeleteAreKeyedByTheRowThatWasCurrent();
    void failedWritesStoreNothingAndKeepTheFields();
    void buttonRefusedWithoutPermission_data();
    void buttonRefusedWithoutPermission();
    void quickSearch_data();
    void quickSearch();
    void everyOpeningGoesBackToTheNameOrder();
    void searchWindowFollowsTheSharedRowAndSelects();
};

namespace {

const QString semPermissao = QStringLiteral("Usuário Sem Permissão para Entrar nesse Módulo");
const QString codigoVazio = QStringLiteral("O Campo do Código Precisa ser Preenchido");
const QString codigoRepetido = QStringLiteral("Requisitante já Cadastrado, tente outro");
const QString nomeRepetido =
    QStringLiteral("Requisitante já Cadastrado, Deseja Cadastrar outro com a mesmo Nome ?");
const QString nomeVazio = QStringLiteral("O Campo Descrição Precisa ser Preenchido");
const QString falhaInclusao = QStringLiteral("Não Consegui Incluir, tente Novamente");
const QString falhaAlteracao = QStringLiteral("Não Consegui Alterar, Tente Novamente");
const QString falhaExclusao = QStringLiteral("Não consegui Excluir, tente novamente");
const QString semProposta =
    QStringLiteral("Não foi possível propor um código: o maior código gravado não é um número. "
                   "Digite o código.");

void clica(QWidget* janela, const char* botao)
{
    auto* b = janela->findChild<QPushButton*>(botao);
    QVERIFY2(b, botao);
    QTest::mouseClick(b, Qt::LeftButton);
}

QLineEdit* campo(QWidget* janela, const char* nome)
{
    return janela->findChild<QLineEdit*>(nome);
}

void digita(QWidget* janela, const char* nome, const QString& texto)
{
    QLineEdit* c = campo(janela, nome);
    c->setFocus();
    c->selectAll();
    digitaTexto(c, texto);
}

void tab(QWidget* janela, const char* nome)
{
    QTest::keyClick(campo(janela, nome), Qt::Key_Tab);
}

void insereReq(AplicacaoTeste& t, const QString& codigo, const QString& nome)
{
    t.banco.executa("Insert into Requisitante (REQ_Codigo, REQ_Descricao) values (:C, :D)",
                    {{"C", codigo}, {"D", nome}});
}

QStringList codigosDaLista(AplicacaoTeste& t)
{
    QStringList r;
    const DataSet& d = t.app.dmReq().cds_Req;
    for (int i = 0; i < d.tamanho(); ++i)
        r << d.valor(i, "REQ_CODIGO").toString();
    return r;
}

QString codigoAtual(AplicacaoTeste& t)
{
    return Familia::codigoAtual(t.app.dmReq().cds_Req);
}

// The code in the grid's selected row: what the person sees highlighted.
QString codigoNaGrade(QWidget* janela, const char* grade)
{
    auto* g = janela->findChild<QTableView*>(grade);
    return g->model()->index(g->currentIndex().row(), 0).data().toString();
}

// Opens the list from the main menu, as a person does, and opens "Novo" from it; the steps run
// in the record window.
void inclusao(AplicacaoTeste& t, DriverModal& driver, DriverModal::Passos passos)
{
    driver.aoAbrir([&](QDialog* lista) {
        clica(lista, "btnREQ_Inclui");
        clica(lista, "btnREQ_Fecha");
    });
    driver.aoAbrir(std::move(passos));
    t.principal().aciona("ipodeSadas1");
}

} // namespace

void TstRequisitantes::proposedCode_data()
{
    QTest::addColumn<QStringList>("existentes");
    QTest::addColumn<QString>("proposto");
    QTest::addColumn<QString>("digitado"); // empty: the proposal is kept
    QTest::addColumn<QString>("gravado");  // empty: nothing is stored
    QTest::addColumn<QStringList>("mensagens");
    QTest::newRow("empty table") << QStringList() << "000001"
                                 << ""
                                 << "000001" << QStringList();
    QTest::newRow("after 000009") << QStringList({"000002", "000009"}) << "000010"
                                  << ""
                                  << "000010" << QStringList();
    QTest::newRow("proposal overtyped with 42") << QStringList({"000002"}) << "000003"
                                                << "42"
                                                << "000042" << QStringList();
    // The seven-digit code is shown whole, never cut to six, and the save refuses it.
    QTest::newRow("after 999999") << QStringList({"999999"}) << "1000000"
                                  << ""
                                  << "" << QStringList({falhaInclusao});
    // Nothing can be proposed; the person types the code, and the next proposal fails again.
    QTest::newRow("highest code not a number")
        << QStringList({"000009", "ABC"}) << ""
        << "5"
        << "000005" << QStringList({semProposta, semProposta});
}

void TstRequisitantes::proposedCode()
{
    QFETCH(QStringList, existentes);
    QFETCH(QString, proposto);
    QFETCH(QString, digitado);
    QFETCH(QString, gravado);
    QFETCH(QStringList, mensagens);
    AplicacaoTeste t;
    t.flags("S", "N", "N");
    for (const QString& c : existentes)
        insereReq(t, c, "Existente " + c);
    GravadorMensagens msgs;
    QStringList aposSalvar;
    DriverModal driver;
    inclusao(t, driver, [&](QDialog* dados) {
        QCOMPARE(dados->windowTitle(), QStringLiteral("Inclusão de Requisitantes"));
        QCOMPARE(dados->findChild<QLabel*>("lbREQ_Titulo")->text(),
                 QStringLiteral("Inclusão de Requisitantes"));
        QCOMPARE(dados->findChild<QPushButton*>("btnREQ_Salva")->text(), QString("Salva"));
        QVERIFY(dados->findChild<QPushButton*>("btnREQ_Limpa")->isVisible());
        QCOMPARE(campo(dados, "edREQ_Codigo")->text(), proposto);
        QCOMPARE(QApplication::focusWidget(), campo(dados, "edREQ_Codigo"));
        if (!digitado.isEmpty()) {
            // The proposal is selected: typing replaces it.
            digitaTexto(campo(dados, "edREQ_Codigo"), digitado);
        }
        tab(dados, "edREQ_Codigo");
        QCOMPARE(QApplication::focusWidget(), campo(dados, "edREQ_Descricao"));
        digitaTexto(campo(dados, "edREQ_Descricao"), "Manutenção Predial");
        const QString codigoNoCampo = campo(dados, "edREQ_Codigo")->text();
        clica(dados, "btnREQ_Salva");
        aposSalvar = msgs.textos();
        if (gravado.isEmpty()) {
            QCOMPARE(campo(dados, "edREQ_Codigo")->text(), codigoNoCampo);
            QCOMPARE(campo(dados, "edREQ_Descricao")->text(), QStringLiteral("Manutenção Predial"));
        }
        clica(dados, "btnREQ_Fechar");
    });
    QCOMPARE(driver.abertas(), QStringList({"TfManut_REQ", "TfDados_REQ"}));
    QCOMPARE(aposSalvar, mensagens);
    if (!mensagens.isEmpty())
        QCOMPARE(msgs.mensagens()[0].tipo,
                 gravado.isEmpty() ? TipoMensagem::Aviso : TipoMensagem::Informacao);
    QCOMPARE(t.banco.conta("Requisitante"), existentes.size() + (gravado.isEmpty() ? 0 : 1));
    if (!gravado.isEmpty())
        QCOMPARE(t.banco
                     .valor("Select REQ_Descricao From Requisitante Where REQ_Codigo = :C",
                            {{"C", gravado}})
                     .toString(),
                 QStringLiteral("Manutenção Predial"));
}

void TstRequisitantes::codeFieldChecksItselfWhenLeft_data()
{
    QTest::addColumn<QString>("digitado");
    QTest::addColumn<bool>("salvaLogo"); // leave the code by clicking "Salva" instead of Tab
    QTest::addColumn<QString>("erro");
    QTest::newRow("taken code") << "7" << false << codigoRepetido;
    QTest::newRow("empty code") << "" << false << codigoVazio;
    // The click that follows the refusal must not store a requisitioner without a code.
    QTest::newRow("empty code, then Salva") << "" << true << codigoVazio;
}

void TstRequisitantes::codeFieldChecksItselfWhenLeft()
{
    QFETCH(QString, digitado);
    QFETCH(bool, salvaLogo);
    QFETCH(QString, erro);
    AplicacaoTeste t;
    insereReq(t, "000007", "Oficina");
    GravadorMensagens msgs;
    DriverModal driver;
    inclusao(t, driver, [&](QDialog* dados) {
        QLineEdit* codigo = campo(dados, "edREQ_Codigo");
        QCOMPARE(codigo->text(), QString("000008"));
        digita(dados, "edREQ_Descricao", "Almoxarifado Central");
        digita(dados, "edREQ_Codigo", digitado);
        if (digitado.isEmpty())
            QTest::keyClick(codigo, Qt::Key_Backspace);
        QCOMPARE(codigo->text(), digitado);
        if (salvaLogo)
            clica(dados, "btnREQ_Salva");
        else
            tab(dados, "edREQ_Codigo");
        QCOMPARE(msgs.textos(), QStringList({erro}));
        QCOMPARE(msgs.mensagens()[0].tipo, TipoMensagem::Erro);
        // The focus comes back to the code field, which offers the next free code again.
        QTRY_COMPARE(QApplication::focusWidget(), codigo);
        QCOMPARE(codigo->text(), QString("000008"));
        clica(dados, "btnREQ_Fechar");
    });
    QCOMPARE(t.banco.conta("Requisitante"), 1);
}

void TstRequisitantes::nameChecksAndLimpa()
{
    AplicacaoTeste t;
    insereReq(t, "000001", "Oficina");
    GravadorMensagens msgs;
    DriverModal driver;
    inclusao(t, driver, [&](QDialog* dados) {
        QLineEdit* nome = campo(dados, "edREQ_Descricao");
        digita(dados, "edREQ_Descricao", "   ");
        clica(dados, "btnREQ_Salva");
        QCOMPARE(msgs.textos(), QStringList({nomeVazio}));
        QCOMPARE(msgs.mensagens()[0].tipo, TipoMensagem::Aviso);
        QCOMPARE(QApplication::focusWidget(), nome);

        // A repeated name asks; "Não" empties it and keeps the focus there.
        msgs.limpa();
        digita(dados, "edREQ_Descricao", "Oficina");
        msgs.responde(false);
        tab(dados, "edREQ_Descricao");
        QCOMPARE(msgs.textos(), QStringList({nomeRepetido}));
        QCOMPARE(nome->text(), QString());
        QTRY_COMPARE(QApplication::focusWidget(), nome);

        // "Limpa" empties the name only.
        digitaTexto(nome, "Rascunho");
        clica(dados, "btnREQ_Limpa");
        QCOMPARE(campo(dados, "edREQ_Codigo")->text(), QString("000002"));
        QCOMPARE(nome->text(), QString());
        QCOMPARE(QApplication::focusWidget(), nome);

        // "Sim" keeps the repeated name, and it is stored with it.
        msgs.limpa();
        digitaTexto(nome, "Oficina");
        msgs.responde(true);
        clica(dados, "btnREQ_Salva");
        QCOMPARE(msgs.textos(), QStringList({nomeRepetido}));
        clica(dados, "btnREQ_Fechar");
    });
    QCOMPARE(t.banco.valor("Select REQ_Descricao From Requisitante Where REQ_Codigo = '000002'")
                 .toString(),
             QString("Oficina"));
}

void TstRequisitantes::twoInclusionsInARowAndTheirAuditLines_data()
{
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("log");
    QTest::addColumn<bool>("registra");
    QTest::newRow("both on") << "S"
                             << "S" << true;
    QTest::newRow("log without login") << "N"
                                       << "S" << false;
    QTest::newRow("login without log") << "S"
                                       << "N" << false;
}

void TstRequisitantes::twoInclusionsInARowAndTheirAuditLines()
{
    QFETCH(QString, login);
    QFETCH(QString, log);
    QFETCH(bool, registra);
    AplicacaoTeste t;
    t.flags(qPrintable(login), "N", qPrintable(log));
    t.principal().CodUsuario = "000003";
    GravadorMensagens msgs;
    DriverModal driver;
    inclusao(t, driver, [&](QDialog* dados) {
        for (const char* nome : {"Zélia", "  Almoxarifado  "}) {
            // Enter moves on, as Tab does.
            QTest::keyClick(campo(dados, "edREQ_Codigo"), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), campo(dados, "edREQ_Descricao"));
            digitaTexto(campo(dados, "edREQ_Descricao"), nome);
            clica(dados, "btnREQ_Salva");
            // Stays open, emptied, on the code field with the next code offered.
            QVERIFY(dados->isVisible());
            QCOMPARE(campo(dados, "edREQ_Descricao")->text(), QString());
            QCOMPARE(QApplication::focusWidget(), campo(dados, "edREQ_Codigo"));
        }
        QCOMPARE(campo(dados, "edREQ_Codigo")->text(), QString("000003"));
        // The list, by name, shows both.
        QCOMPARE(codigosDaLista(t), QStringList({"000002", "000001"}));
        clica(dados, "btnREQ_Fechar");
    });
    QCOMPARE(msgs.quantidade(), 0);
    const Resultado r = t.banco.consulta("Select * From Requisitante order by REQ_Codigo");
    QCOMPARE(r.tamanho(), 2);
    QCOMPARE(r.valor(0, "REQ_Descricao").toString(), QStringLiteral("Zélia"));
    QCOMPARE(r.valor(1, "REQ_Descricao").toString(), QString("  Almoxarifado  "));
    const Resultado l = t.banco.consulta("Select * From Log order by LOG_Descricao");
    if (!registra) {
        QCOMPARE(l.tamanho(), 0);
        return;
    }
    QCOMPARE(l.tamanho(), 2);
    QCOMPARE(l.valor(0, "LOG_Descricao").toString(),
             QStringLiteral("Inclusão de Requisitante::000001"));
    QCOMPARE(l.valor(1, "LOG_Descricao").toString(),
             QStringLiteral("Inclusão de Requisitante::000002"));
    QCOMPARE(l.valor(0, "LOG_CodUser").toString(), QString("000003"));
}

void TstRequisitantes::changeAndDeleteAreKeyedByTheRowThatWasCurrent()
{
    AplicacaoTeste t;
    t.flags("S", "N", "S");
    t.principal().CodUsuario = "000001";
    insereReq(t, "000001", "Ana");
    insereReq(t, "000002", "Bruno");
    insereReq(t, "000003", "Carla");
    GravadorMensagens msgs;
    DriverModal driver;
    driver.aoAbrir([&](QDialog* lista) {
        auto* grade = lista->findChild<QTableView*>("dbg_Manut_REQ");
        grade->selectRow(1);
        clica(lista, "btnREQ_Altera");
        grade->selectRow(2);
        clica(lista, "btnREQ_Exclui");
        clica(lista, "btnREQ_Fecha");
    });
    driver.aoAbrir([&](QDialog* dados) {
        QCOMPARE(dados->windowTitle(), QStringLiteral("Alteração de Requisitantes"));
        QCOMPARE(dados->findChild<QLabel*>("lbREQ_Titulo")->text(),
                 QStringLiteral("Alteração de Requisitantes"));
        QCOMPARE(dados->findChild<QPushButton*>("btnREQ_Salva")->text(), QString("Altera"));
        QVERIFY(!dados->findChild<QPushButton*>("btnREQ_Limpa")->isVisible());
        QCOMPARE(campo(dados, "edREQ_Codigo")->text(), QString("000002"));
        QCOMPARE(campo(dados, "edREQ_Descricao")->text(), QString("Bruno"));
        QCOMPARE(QApplication::focusWidget(), campo(dados, "edREQ_Descricao"));
        // The code typed over is padded but changes nothing: the row that was current is
        // the one changed, and the audit line carries what the field shows.
        digita(dados, "edREQ_Codigo", "9");
        tab(dados, "edREQ_Codigo");
        QCOMPARE(campo(dados, "edREQ_Codigo")->text(), QString("000009"));
        digita(dados, "edREQ_Descricao", "Bruno Souza");
        clica(dados, "btnREQ_Salva");
        QVERIFY(!dados->isVisible());
    });
    driver.aoAbrir([&](QDialog* dados) {
        QCOMPARE(dados->windowTitle(), QStringLiteral("Exclusão de Requisitantes"));
        QCOMPARE(dados->findChild<QPushButton*>("btnREQ_Salva")->text(), QString("Exclui"));
        QCOMPARE(campo(dados, "edREQ_Codigo")->text(), QString("000003"));
        clica(dados, "btnREQ_Salva");
        QVERIFY(!dados->isVisible());
    });
    t.principal().aciona("ipodeSadas1");
    QCOMPARE(msgs.quantidade(), 0);
    QCOMPARE(t.app.janela<TfDados_REQ>().CodSelecionado, QString("000003"));
    const Resultado r = t.banco.consulta("Select * From Requisitante order by REQ_Codigo");
    QCOMPARE(r.tamanho(), 2);
    QCOMPARE(r.valor(1, "REQ_Codigo").toString(), QString("000002"));
    QCOMPARE(r.valor(1, "REQ_Descricao").toString(), QString("Bruno Souza"));
    QCOMPARE(codigosDaLista(t), QStringList({"000001", "000002"}));
    const Resultado l = t.banco.consulta("Select LOG_Descricao From Log order by LOG_Descricao");
    QCOMPARE(l.tamanho(), 2);
    QCOMPARE(l.valor(0, 0).toString(), QStringLiteral("Alteração de Requisitante::000009"));
    QCOMPARE(l.valor(1, 0).toString(), QStringLiteral("Exclusão de Requisitante::000003"));
}

void TstRequisitantes::failedWritesStoreNothingAndKeepTheFields()
{
    AplicacaoTeste t;
    t.flags("S", "N", "S");
    t.principal().CodUsuario = "000001";
    insereReq(t, "000001", "Ana");
    // The database refuses every change and deletion of requisitioners.
    t.banco.executa("CREATE EXCEPTION req_travado 'requisitante travado'");
    t.banco.executa("CREATE TRIGGER req_travados FOR Requisitante BEFORE UPDATE OR DELETE "
                    "AS BEGIN EXCEPTION req_travado; END");
    GravadorMensagens msgs;
    DriverModal driver;
    driver.aoAbrir([&](QDialog* lista) {
        clica(lista, "btnREQ_Inclui");
        clica(lista, "btnREQ_Altera");
        clica(lista, "btnREQ_Exclui");
        clica(lista, "btnREQ_Fecha");
    });
    driver.aoAbrir([&](QDialog* dados) {
        QCOMPARE(campo(dados, "edREQ_Codigo")->text(), QString("000002"));
        tab(dados, "edREQ_Codigo");
        // Another workstation takes the code after it was checked; the save does not look
        // again, and the insertion fails.
        insereReq(t, "000002", "Outra estação");
        digitaTexto(campo(dados, "edREQ_Descricao"), "Pintura");
        clica(dados, "btnREQ_Salva");
        QCOMPARE(msgs.textos(), QStringList({falhaInclusao}));
        QVERIFY(dados->isVisible());
        QCOMPARE(campo(dados, "edREQ_Codigo")->text(), QString("000002"));
        QCOMPARE(campo(dados, "edREQ_Descricao")->text(), QString("Pintura"));
        clica(dados, "btnREQ_Fechar");
    });
    for (const QString& falha : {falhaAlteracao, falhaExclusao}) {
        driver.aoAbrir([&, falha](QDialog* dados) {
            msgs.limpa();
            QCOMPARE(campo(dados, "edREQ_Codigo")->text(), QString("000001"));
            digita(dados, "edREQ_Descricao", "Ana Paula");
            clica(dados, "btnREQ_Salva");
            QCOMPARE(msgs.textos(), QStringList({falha}));
            QCOMPARE(msgs.mensagens()[0].tipo, TipoMensagem::Aviso);
            QVERIFY(dados->isVisible());
            QCOMPARE(campo(dados, "edREQ_Descricao")->text(), QString("Ana Paula"));
            clica(dados, "btnREQ_Fechar");
        });
    }
    t.principal().aciona("ipodeSadas1");
    const Resultado r = t.banco.consulta("Select * From Requisitante order by REQ_Codigo");
    QCOMPARE(r.tamanho(), 2);
    QCOMPARE(r.valor(0, "REQ_Descricao").toString(), QString("Ana"));
    QCOMPARE(r.valor(1, "REQ_Descricao").toString(), QStringLiteral("Outra estação"));
    QCOMPARE(t.banco.conta("Log"), 0);
}

void TstRequisitantes::buttonRefusedWithoutPermission_data()
{
    QTest::addColumn<QString>("botao");
    QTest::addColumn<QString>("modulo");
    QTest::newRow("Novo") << "btnREQ_Inclui"
                          << "1.3.1";
    QTest::newRow("Altera") << "btnREQ_Altera"
                            << "1.3.2";
    QTest::newRow("Exclui") << "btnREQ_Exclui"
                            << "1.3.3";
}

void TstRequisitantes::buttonRefusedWithoutPermission()
{
    QFETCH(QString, botao);
    QFETCH(QString, modulo);
    AplicacaoTeste t;
    t.flags("S", "S", "N");
    t.principal().CodUsuario = "000001";
    insereReq(t, "000001", "Ana");
    for (const char* m : {"1", "1.3", "1.3.1", "1.3.2", "1.3.3"})
        t.banco.executa("Insert into Permissoes (PER_CodUser, PER_CodMod, PER_Ativo) values "
                        "('000001', :M, :A)",
                        {{"M", QString(m)}, {"A", modulo == m ? "N" : "S"}});
    GravadorMensagens msgs;
    DriverModal driver;
    driver.aoAbrir([&](QDialog* lista) {
        clica(lista, qPrintable(botao));
        QCOMPARE(msgs.textos(), QStringList({semPermissao}));
        QCOMPARE(msgs.mensagens()[0].tipo, TipoMensagem::Aviso);
        // The other two buttons are allowed and open the record window.
        msgs.limpa();
        for (const char* outro : {"btnREQ_Inclui", "btnREQ_Altera", "btnREQ_Exclui"})
            if (botao != outro)
                clica(lista, outro);
        QCOMPARE(msgs.quantidade(), 0);
        clica(lista, "btnREQ_Fecha");
    });
    for (int i = 0; i < 2; ++i)
        driver.aoAbrir([&](QDialog* dados) { clica(dados, "btnREQ_Fechar"); });
    t.principal().aciona("ipodeSadas1");
    QCOMPARE(driver.abertas(), QStringList({"TfManut_REQ", "TfDados_REQ", "TfDados_REQ"}));
}

void TstRequisitantes::quickSearch_data()
{
    QTest::addColumn<bool>("naBusca"); // in the search window rather than the list window
    QTest::addColumn<bool>("porCodigo");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("escrito");
    QTest::addColumn<QString>("atual");
    QTest::newRow("code 7 padded") << false << true << "7"
                                   << "000007"
                                   << "000007";
    QTest::newRow("name prefix") << false << false << "Bru"
                                 << "Bru"
                                 << "000007";
    QTest::newRow("name prefix, case counts") << false << false << "bru"
                                              << "bru"
                                              << "000001";
    QTest::newRow("no match stays put") << false << true << "99"
                                        << "000099"
                                        << "000001";
    QTest::newRow("search window, code 12") << true << true << "12"
                                            << "000012"
                                            << "000012";
    QTest::newRow("search window, name") << true << false << "Car"
                                         << "Car"
                                         << "000012";
}

void TstRequisitantes::quickSearch()
{
    QFETCH(bool, naBusca);
    QFETCH(bool, porCodigo);
    QFETCH(QString, texto);
    QFETCH(QString, escrito);
    QFETCH(QString, atual);
    AplicacaoTeste t;
    insereReq(t, "000001", "Ana");
    insereReq(t, "000007", "Bruno");
    insereReq(t, "000012", "Carla");
    const char* radio = naBusca ? (porCodigo ? "rbBusca_REQ_Codigo" : "rbBusca_REQ_Descricao")
                                : (porCodigo ? "rbREQ_Codigo" : "rbREQ_Descricao");
    const char* busca = naBusca ? "edBusca_REQ_Busca" : "edManut_REQ_Busca";
    const char* grade = naBusca ? "dbg_BuscaREQ" : "dbg_Manut_REQ";
    DriverModal driver;
    driver.aoAbrir([&](QDialog* janela) {
        QTest::mouseClick(janela->findChild<QRadioButton*>(radio), Qt::LeftButton);
        QCOMPARE(codigoAtual(t), QString("000001"));
        digita(janela, busca, texto);
        clica(janela, naBusca ? "btnBusca_REQ" : "btnREQ_Busca");
        QCOMPARE(campo(janela, busca)->text(), escrito);
        QCOMPARE(codigoAtual(t), atual);
        QCOMPARE(codigoNaGrade(janela, grade), atual);
        janela->reject();
    });
    if (naBusca)
        Modal::exec(&t.app.janela<TfBusca_REQ>());
    else
        t.principal().aciona("ipodeSadas1");
}

void TstRequisitantes::everyOpeningGoesBackToTheNameOrder()
{
    AplicacaoTeste t;
    insereReq(t, "000001", "Zélia");
    insereReq(t, "000002", "Ana");
    const Consulta& listaSql = t.app.dmReq().SQLQ_Req2;
    DriverModal driver;
    for (int vez = 0; vez < 2; ++vez) {
        driver.aoAbrir([&](QDialog* lista) {
            auto* rotulo = lista->findChild<QLabel*>("lbREQ_Busca");
            auto* grade = lista->findChild<QTableView*>("dbg_Manut_REQ");
            QVERIFY(lista->findChild<QRadioButton*>("rbREQ_Descricao")->isChecked());
            QCOMPARE(rotulo->text(), QString("Descrição:"));
            QCOMPARE(listaSql.sql(), QString("Select * From REQUISITANTE order By REQ_Descricao"));
            QCOMPARE(codigosDaLista(t), QStringList({"000002", "000001"}));
            QCOMPARE(grade->model()->headerData(1, Qt::Horizontal).toString(),
                     QStringLiteral("Descrição"));
            QTest::mouseClick(lista->findChild<QRadioButton*>("rbREQ_Codigo"), Qt::LeftButton);
            QCOMPARE(rotulo->text(), QStringLiteral("Código:"));
            QCOMPARE(listaSql.sql(), QString("Select * From Requisitante Order by REQ_Codigo"));
            QCOMPARE(codigosDaLista(t), QStringList({"000001", "000002"}));
            if (vez == 1) {
                QTest::mouseClick(lista->findChild<QRadioButton*>("rbREQ_Descricao"),
                                  Qt::LeftButton);
                QCOMPARE(rotulo->text(), QString("Nome:"));
                QCOMPARE(listaSql.sql(),
                         QString("Select * From Requisitante Order by REQ_Descricao"));
            }
            clica(lista, "btnREQ_Fecha");
        });
        t.principal().aciona("ipodeSadas1");
    }
    for (int vez = 0; vez < 2; ++vez) {
        driver.aoAbrir([&](QDialog* busca) {
            auto* rotulo = busca->findChild<QLabel*>("lbBusca_REQ_Busca");
            auto* grade = busca->findChild<QTableView*>("dbg_BuscaREQ");
            QVERIFY(busca->findChild<QRadioButton*>("rbBusca_REQ_Descricao")->isChecked());
            QCOMPARE(rotulo->text(), QString("Nome:"));
            QCOMPARE(campo(busca, "edBusca_REQ_Busca")->text(), QString());
            QCOMPARE(listaSql.sql(), QString("Select * From REquisitante Order by REQ_Descricao"));
            QCOMPARE(codigosDaLista(t), QStringList({"000002", "000001"}));
            QCOMPARE(grade->model()->headerData(0, Qt::Horizontal).toString(),
                     QStringLiteral("Código"));
            QCOMPARE(grade->model()->headerData(1, Qt::Horizontal).toString(), QString("Nome"));
            QTest::mouseClick(busca->findChild<QRadioButton*>("rbBusca_REQ_Codigo"),
                              Qt::LeftButton);
            QCOMPARE(rotulo->text(), QStringLiteral("Código:"));
            QCOMPARE(listaSql.sql(), QString("Select * From Requisitante Order by REQ_Codigo"));
            QTest::mouseClick(busca->findChild<QRadioButton*>("rbBusca_REQ_Descricao"),
                              Qt::LeftButton);
            QCOMPARE(rotulo->text(), QString("Nome:"));
            QCOMPARE(listaSql.sql(), QString("Select * From REQUISITANTE Order by REQ_Descricao"));
            QTest::mouseClick(busca->findChild<QRadioButton*>("rbBusca_REQ_Codigo"),
                              Qt::LeftButton);
            digitaTexto(campo(busca, "edBusca_REQ_Busca"), "2");
            clica(busca, "btnBusca_TIP_Fechar");
        });
        Modal::exec(&t.app.janela<TfBusca_REQ>());
    }
}

void TstRequisitantes::searchWindowFollowsTheSharedRowAndSelects()
{
    AplicacaoTeste t;
    insereReq(t, "000001", "Ana");
    insereReq(t, "000002", "Bruno");
    insereReq(t, "000003", "Carla");
    QDialog chamador;
    auto* outroCampo = new QLineEdit(&chamador);
    auto* destino = new QLineEdit(&chamador);
    t.app.janela<TfBusca_REQ>().registraDestino("Saida", destino);
    TfBusca_REQ& busca = t.app.janela<TfBusca_REQ>();
    DriverModal driver;

    // The caller opens the search from its own window; a click on a row and "Seleciona"
    // hand that row's code back into the caller's field, which takes the focus.
    driver.aoAbrir([&](QDialog*) {
        outroCampo->setFocus();
        busca.Origem = "Saida";
        Modal::exec(&busca);
        QCOMPARE(destino->text(), QString("000003"));
        QTRY_COMPARE(QApplication::focusWidget(), destino);
    });
    driver.aoAbrir([&](QDialog* janela) {
        auto* grade = janela->findChild<QTableView*>("dbg_BuscaREQ");
        // The shared current row moved from elsewhere shows in this grid...
        t.app.dmReq().cds_Req.setLinhaAtual(1);
        QCOMPARE(codigoNaGrade(janela, "dbg_BuscaREQ"), QString("000002"));
        // ...and a row clicked in this grid becomes the shared current row.
        const QRect linha = grade->visualRect(grade->model()->index(2, 1));
        QTest::mouseClick(grade->viewport(), Qt::LeftButton, {}, linha.center());
        QCOMPARE(codigoAtual(t), QString("000003"));
        clica(janela, "btnBusca_Seleciona");
    });
    Modal::exec(&chamador);

    // An unknown caller gets nothing, nor does "Fechar".
    destino->setText("x");
    driver.aoAbrir([&](QDialog* janela) { clica(janela, "btnBusca_Seleciona"); });
    busca.Origem = "Desconhecida";
    Modal::exec(&busca);
    driver.aoAbrir([&](QDialog* janela) { clica(janela, "btnBusca_TIP_Fechar"); });
    busca.Origem = "Saida";
    Modal::exec(&busca);
    QCOMPARE(destino->text(), QString("x"));

    // With an empty list "Seleciona" hands back an empty code.
    t.banco.executa("Delete From Requisitante");
    driver.aoAbrir([&](QDialog* janela) { clica(janela, "btnBusca_Seleciona"); });
    Modal::exec(&busca);
    QCOMPARE(destino->text(), QString());
}

QTEST_MAIN(TstRequisitantes)
#include "tst_requisitantes.moc"
