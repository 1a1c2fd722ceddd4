// Supplier groups: the list window, the record window in its three modes and the search window
// the supplier window picks a group from.

#include "data/DataModule_GrupoFornecedor.h"
#include "app/Principal.h"
#include "common/Modal.h"
#include "data/DataSet.h"
#include "registers/BuscaGRU_For.h"
#include "registers/Dados_GrupoFornecedor.h"
#include "registers/Manut_GrupoFornecedor.h"
#include "support/AplicacaoTeste.h"
#include "support/DriverModal.h"
#include "support/GravadorMensagens.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QtTest>

class TstGrupoFornecedor : public QObject {
    Q_OBJECT

private slots:
    void codeProposedTypedAndChecked_data();
    void codeProposedTypedAndChecked();
    void sameDescriptionTwiceAndAuditLines_data();
    void sameDescriptionTwiceAndAuditLines();
    void codeTakenMeanwhileGetsANewOne();
    void failedWriteShowsTheDatabaseMessage_data();
    void failedWriteShowsTheDatabaseMessage();
    void windowFollowsItsMode_data();
    void windowFollowsItsMode();
    void changeAndDeleteByTheLoadedCode();
    void buttonRefusedWithoutPermission_data();
    void buttonRefusedWithoutPermission();
    void listOpensByDescriptionAndEnterMovesOn();
    void searchFieldPaddedOnLeaving_data();
    void searchFieldPaddedOnLeaving();
    void searchWindowOpensAfreshAndSelects();
};

namespace {

const QString semPermissao = QStringLiteral("Usuário Sem Permissão para Entrar nesse Módulo");

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
    QTest::keyClicks(c, texto);
}

QWidget* focado()
{
    return QApplication::focusWidget();
}

void insereGrupo(AplicacaoTeste& t, const QString& codigo, const QString& descricao)
{
    t.banco.executa("Insert into GRU_Fornec (GRU_Codigo, GRU_Desc) values (:C, :D)",
                    {{"C", codigo}, {"D", descricao}});
}

void tresGrupos(AplicacaoTeste& t)
{
    insereGrupo(t, "000001", "Tintas");
    insereGrupo(t, "000002", "Abrasivos");
    insereGrupo(t, "000003", "Madeiras");
}

QString descricaoDe(AplicacaoTeste& t, const QString& codigo)
{
    return t.banco.valor("Select GRU_Desc From GRU_Fornec Where GRU_Codigo = :C", {{"C", codigo}})
        .toString();
}

// The codes of the shared list, in the order the grids show them.
QStringList codigosDaLista(AplicacaoTeste& t)
{
    QStringList r;
    const DataSet& d = t.app.dmGrupoFornecedor().cdsGrupoFornecedor;
    for (int i = 0; i < d.tamanho(); ++i)
        r << d.valor(i, "GRU_CODIGO").toString();
    return r;
}

QString codigoAtual(AplicacaoTeste& t)
{
    return Familia::codigoAtual(t.app.dmGrupoFornecedor().cdsGrupoFornecedor);
}

QStringList linhasDoLog(AplicacaoTeste& t)
{
    QStringList r;
    const Resultado l = t.banco.consulta("Select LOG_CodUser, LOG_Descricao From Log");
    for (int i = 0; i < l.tamanho(); ++i)
        r << l.valor(i, 0).toString() + " " + l.valor(i, 1).toString();
    r.sort();
    return r;
}

void abreLista(AplicacaoTeste& t)
{
    t.principal().aciona("GrupodeFornecedores1");
}

} // namespace

void TstGrupoFornecedor::codeProposedTypedAndChecked_data()
{
    QTest::addColumn<QStringList>("existentes");
    QTest::addColumn<QString>("proposto");
    QTest::addColumn<QString>("digitado"); // null: the proposal is kept
    QTest::addColumn<QString>("codigo");   // the field once the user has moved on
    QTest::addColumn<QStringList>("mensagens");
    QTest::newRow("empty table") << QStringList() << "000001" << QString() << "000001"
                                 << QStringList();
    QTest::newRow("after 000009") << QStringList({"000002", "000009"}) << "000010" << QString()
                                  << "000010" << QStringList();
    QTest::newRow("3 typed over the proposal") << QStringList({"000001"}) << "000002"
                                               << "3"
                                               << "000003" << QStringList();
    QTest::newRow("3 already taken: fresh proposal")
        << QStringList({"000003"}) << "000004"
        << "3"
        << "000004" << QStringList({"Código já cadastrado, tente outro"});
    QTest::newRow("emptied code") << QStringList() << "000001"
                                  << ""
                                  << "000000" << QStringList();
}

void TstGrupoFornecedor::codeProposedTypedAndChecked()
{
    QFETCH(QStringList, existentes);
    QFETCH(QString, proposto);
    QFETCH(QString, digitado);
    QFETCH(QString, codigo);
    QFETCH(QStringList, mensagens);
    AplicacaoTeste t;
    for (const QString& c : existentes)
        insereGrupo(t, c, "Existente " + c);
    GravadorMensagens msgs;
    DriverModal driver;
    driver.aoAbrir([&](QDialog* lista) {
        clica(lista, "btnGruFornec_Novo");
        clica(lista, "btnGruFornec_Fechar");
    });
    driver.aoAbrir([&](QDialog* dados) {
        QLineEdit* edCodigo = campo(dados, "edCodigo");
        QCOMPARE(edCodigo->text(), proposto);
        QCOMPARE(focado(), edCodigo);
        if (!digitado.isNull()) {
            edCodigo->selectAll();
            if (digitado.isEmpty())
                QTest::keyClick(edCodigo, Qt::Key_Backspace);
            else
                QTest::keyClicks(edCodigo, digitado);
        }
        // Enter moves on to the description, as Tab would.
        QTest::keyClick(edCodigo, Qt::Key_Return);
        QCOMPARE(msgs.textos(), mensagens);
        if (!mensagens.isEmpty()) {
            QCOMPARE(msgs.mensagens()[0].tipo, TipoMensagem::Informacao);
            QTRY_COMPARE(focado(), edCodigo);
        } else {
            QCOMPARE(focado(), campo(dados, "edDescricao"));
        }
        QCOMPARE(edCodigo->text(), codigo);
        digita(dados, "edDescricao", "Ferragens");
        clica(dados, "btnGruFornec_Grava");
        clica(dados, "btnGruFornec_Fechar");
    });
    abreLista(t);
    QCOMPARE(driver.abertas(), QStringList({"TfManut_GrupoFornecedor", "TfDados_GrupoFornecedor"}));
    QCOMPARE(msgs.textos(), mensagens);
    QCOMPARE(t.banco.conta("GRU_Fornec"), existentes.size() + 1);
    QCOMPARE(descricaoDe(t, codigo), QString("Ferragens"));
}

void TstGrupoFornecedor::sameDescriptionTwiceAndAuditLines_data()
{
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("log");
    QTest::addColumn<bool>("registra");
    QTest::newRow("login and log on") << "S"
                                      << "S" << true;
    QTest::newRow("log without login") << "N"
                                       << "S" << false;
    QTest::newRow("login without log") << "S"
                                       << "N" << false;
}

void TstGrupoFornecedor::sameDescriptionTwiceAndAuditLines()
{
    QFETCH(QString, login);
    QFETCH(QString, log);
    QFETCH(bool, registra);
    AplicacaoTeste t;
    t.flags(qPrintable(login), "N", qPrintable(log));
    t.principal().CodUsuario = "000004";
    GravadorMensagens msgs;
    DriverModal driver;
    driver.aoAbrir([&](QDialog* lista) {
        clica(lista, "btnGruFornec_Novo");
        clica(lista, "btnGruFornec_Fechar");
    });
    driver.aoAbrir([&](QDialog* dados) {
        // Blanks are no description.
        digita(dados, "edDescricao", "   ");
        clica(dados, "btnGruFornec_Grava");
        QCOMPARE(msgs.textos(), QStringList({"O Campo da Descrição Precisa ser Preenchido"}));
        QCOMPARE(msgs.mensagens()[0].tipo, TipoMensagem::Informacao);
        QCOMPARE(focado(), campo(dados, "edDescricao"));
        msgs.limpa();

        // The same description twice is allowed, without a question.
        for (const char* esperado : {"000002", "000003"}) {
            digita(dados, "edDescricao", " Metais ");
            clica(dados, "btnGruFornec_Grava");
            // Stays open, emptied, with the next code proposed and the list up to date.
            QVERIFY(dados->isVisible());
            QCOMPARE(campo(dados, "edDescricao")->text(), QString());
            QCOMPARE(campo(dados, "edCodigo")->text(), QString(esperado));
            QCOMPARE(focado(), campo(dados, "edCodigo"));
        }
        QStringList naLista = codigosDaLista(t);
        naLista.sort();
        QCOMPARE(naLista, QStringList({"000001", "000002"}));

        // "Limpa" empties both fields and proposes the code again.
        digita(dados, "edCodigo", "77");
        digita(dados, "edDescricao", "Rascunho");
        clica(dados, "btnGruFornec_Limpa");
        QCOMPARE(campo(dados, "edCodigo")->text(), QString("000003"));
        QCOMPARE(campo(dados, "edDescricao")->text(), QString());
        QCOMPARE(focado(), campo(dados, "edCodigo"));
        clica(dados, "btnGruFornec_Fechar");
    });
    abreLista(t);
    QCOMPARE(msgs.quantidade(), 0);
    const Resultado r = t.banco.consulta("Select * From GRU_Fornec order by GRU_Codigo");
    QCOMPARE(r.tamanho(), 2);
    QCOMPARE(r.valor(0, "GRU_Desc").toString(), QString(" Metais "));
    QCOMPARE(r.valor(1, "GRU_Desc").toString(), QString(" Metais "));
    QCOMPARE(linhasDoLog(t), registra
                                 ? QStringList({"000004 Inclusão de Grupo de Fornecedor:000001",
                                                "000004 Inclusão de Grupo de Fornecedor:000002"})
                                 : QStringList());
}

void TstGrupoFornecedor::codeTakenMeanwhileGetsANewOne()
{
    AplicacaoTeste t;
    t.flags("S", "N", "S");
    t.principal().CodUsuario = "000001";
    GravadorMensagens msgs;
    DriverModal driver;
    driver.aoAbrir([&](QDialog* lista) {
        clica(lista, "btnGruFornec_Novo");
        clica(lista, "btnGruFornec_Fechar");
    });
    driver.aoAbrir([&](QDialog* dados) {
        QCOMPARE(campo(dados, "edCodigo")->text(), QString("000001"));
        digita(dados, "edDescricao", "Parafusos");
        // Another workstation takes the code while this one is typing.
        insereGrupo(t, "000001", "Outra estação");
        clica(dados, "btnGruFornec_Grava");
        QCOMPARE(msgs.textos(), QStringList({"Novo Código:000002"}));
        QCOMPARE(msgs.mensagens()[0].tipo, TipoMensagem::Informacao);
        clica(dados, "btnGruFornec_Fechar");
    });
    abreLista(t);
    QCOMPARE(descricaoDe(t, "000001"), QString("Outra estação"));
    QCOMPARE(descricaoDe(t, "000002"), QString("Parafusos"));
    QCOMPARE(linhasDoLog(t), QStringList({"000001 Inclusão de Grupo de Fornecedor:000002"}));
}

void TstGrupoFornecedor::failedWriteShowsTheDatabaseMessage_data()
{
    QTest::addColumn<QString>("botao");
    QTest::addColumn<QString>("descricao"); // null: left as loaded
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("doBanco");                      // part of the database's own message
    const QString longa = "Materiais Eletricos e Hidraulicos"; // 33 characters
    QTest::newRow("insert, description over 30")
        << "btnGruFornec_Novo" << longa << "Não Consegui Incluir, Tente Novamente !"
        << "string right truncation";
    QTest::newRow("change, description over 30")
        << "btnGruFornec_Altera" << longa << "Não Consegui Alterar, Tente Novamente !"
        << "string right truncation";
    QTest::newRow("delete refused")
        << "btnGruFornec_Exclui" << QString() << "Não Consegui Excluir, Tente Novamente !"
        << "grupo em uso";
}

void TstGrupoFornecedor::failedWriteShowsTheDatabaseMessage()
{
    QFETCH(QString, botao);
    QFETCH(QString, descricao);
    QFETCH(QString, texto);
    QFETCH(QString, doBanco);
    AplicacaoTeste t;
    t.flags("S", "N", "S");
    t.principal().CodUsuario = "000001";
    insereGrupo(t, "000001", "Tintas");
    t.banco.executa("CREATE EXCEPTION grupo_em_uso 'grupo em uso'");
    t.banco.executa("CREATE TRIGGER grupo_fornec_em_uso FOR GRU_Fornec BEFORE DELETE "
                    "AS BEGIN EXCEPTION grupo_em_uso; END");
    GravadorMensagens msgs;
    DriverModal driver;
    driver.aoAbrir([&](QDialog* lista) {
        clica(lista, qPrintable(botao));
        clica(lista, "btnGruFornec_Fechar");
    });
    driver.aoAbrir([&](QDialog* dados) {
        if (!descricao.isNull())
            digita(dados, "edDescricao", descricao);
        const QString codigo = campo(dados, "edCodigo")->text();
        const QString desc = campo(dados, "edDescricao")->text();
        clica(dados, "btnGruFornec_Grava");
        QCOMPARE(msgs.quantidade(), 1);
        QCOMPARE(msgs.mensagens()[0].tipo, TipoMensagem::Aviso);
        const QString mostrado = msgs.ultimoTexto();
        QVERIFY2(mostrado.startsWith(texto + "\nErro:  "), qPrintable(mostrado));
        QVERIFY2(mostrado.contains(doBanco), qPrintable(mostrado));
        // The window stays, with what the user typed.
        QVERIFY(dados->isVisible());
        QCOMPARE(campo(dados, "edCodigo")->text(), codigo);
        QCOMPARE(campo(dados, "edDescricao")->text(), desc);
        clica(dados, "btnGruFornec_Fechar");
    });
    abreLista(t);
    QCOMPARE(t.banco.conta("GRU_Fornec"), 1);
    QCOMPARE(descricaoDe(t, "000001"), QString("Tintas"));
    QCOMPARE(t.banco.conta("Log"), 0);
}

void TstGrupoFornecedor::windowFollowsItsMode_data()
{
    QTest::addColumn<QString>("antes"); // the mode of the previous opening
    QTest::addColumn<QString>("botao");
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<QString>("grava");
    QTest::addColumn<bool>("limpa");
    QTest::addColumn<bool>("codigoAtivo");
    QTest::addColumn<bool>("descricaoAtiva");
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("descricao");
    QTest::addColumn<QString>("foco");
    QTest::newRow("Inclui after Exclui") << "btnGruFornec_Exclui"
                                         << "btnGruFornec_Novo"
                                         << "Inclusão de Grupo de Fornecedores"
                                         << "Grava" << true << true << true << "000008"
                                         << ""
                                         << "edCodigo";
    QTest::newRow("Altera after Inclui") << "btnGruFornec_Novo"
                                         << "btnGruFornec_Altera"
                                         << "Alteração de Grupo de Fornecedores"
                                         << "Altera" << false << false << true << "000007"
                                         << "Tintas"
                                         << "edDescricao";
    QTest::newRow("Exclui after Altera") << "btnGruFornec_Altera"
                                         << "btnGruFornec_Exclui"
                                         << "Exclusão de Grupo de Fornecedores"
                                         << "Exclui" << false << false << false << "000007"
                                         << "Tintas"
                                         << "btnGruFornec_Grava";
}

void TstGrupoFornecedor::windowFollowsItsMode()
{
    QFETCH(QString, antes);
    QFETCH(QString, botao);
    QFETCH(QString, titulo);
    QFETCH(QString, grava);
    QFETCH(bool, limpa);
    QFETCH(bool, codigoAtivo);
    QFETCH(bool, descricaoAtiva);
    QFETCH(QString, codigo);
    QFETCH(QString, descricao);
    QFETCH(QString, foco);
    AplicacaoTeste t;
    insereGrupo(t, "000007", "Tintas");
    DriverModal driver;
    driver.aoAbrir([&](QDialog* lista) {
        clica(lista, qPrintable(antes));
        clica(lista, qPrintable(botao));
        clica(lista, "btnGruFornec_Fechar");
    });
    // The previous opening leaves something typed behind.
    driver.aoAbrir([&](QDialog* dados) {
        QLineEdit* d = campo(dados, "edDescricao");
        if (d->isEnabled())
            digita(dados, "edDescricao", "Sobra");
        clica(dados, "btnGruFornec_Fechar");
    });
    driver.aoAbrir([&](QDialog* dados) {
        QCOMPARE(dados->windowTitle(), titulo);
        QCOMPARE(dados->findChild<QLabel*>("lbTitulo")->text(), titulo);
        QCOMPARE(dados->findChild<QPushButton*>("btnGruFornec_Grava")->text(), grava);
        QCOMPARE(dados->findChild<QPushButton*>("btnGruFornec_Limpa")->isVisible(), limpa);
        QCOMPARE(campo(dados, "edCodigo")->isEnabled(), codigoAtivo);
        QCOMPARE(campo(dados, "edDescricao")->isEnabled(), descricaoAtiva);
        QCOMPARE(campo(dados, "edCodigo")->text(), codigo);
        QCOMPARE(campo(dados, "edDescricao")->text(), descricao);
        QCOMPARE(focado(), dados->findChild<QWidget*>(foco));
        clica(dados, "btnGruFornec_Fechar");
    });
    abreLista(t);
    QCOMPARE(driver.abertas().size(), 3);
}

void TstGrupoFornecedor::changeAndDeleteByTheLoadedCode()
{
    AplicacaoTeste t;
    t.flags("S", "N", "S");
    t.principal().CodUsuario = "000002";
    tresGrupos(t);
    GravadorMensagens msgs;
    DriverModal driver;
    driver.aoAbrir([&](QDialog* lista) {
        auto* grade = lista->findChild<QTableView*>("dbgManut_GrupoFornecedor");
        // By description: Abrasivos (000002), Madeiras (000003), Tintas (000001).
        grade->selectRow(2);
        clica(lista, "btnGruFornec_Altera");
        grade->selectRow(0);
        clica(lista, "btnGruFornec_Exclui");
        clica(lista, "btnGruFornec_Fechar");
    });
    driver.aoAbrir([&](QDialog* dados) {
        QCOMPARE(campo(dados, "edCodigo")->text(), QString("000001"));
        digita(dados, "edDescricao", "  ");
        clica(dados, "btnGruFornec_Grava");
        QCOMPARE(msgs.textos(), QStringList({"O Campo da Descrição precisa ser Preenchido"}));
        QCOMPARE(msgs.mensagens()[0].tipo, TipoMensagem::Informacao);
        QCOMPARE(focado(), campo(dados, "edDescricao"));
        QVERIFY(dados->isVisible());
        msgs.limpa();
        digita(dados, "edDescricao", "Tintas e Vernizes");
        clica(dados, "btnGruFornec_Grava");
        QVERIFY(!dados->isVisible());
    });
    driver.aoAbrir([&](QDialog* dados) {
        QCOMPARE(campo(dados, "edCodigo")->text(), QString("000002"));
        clica(dados, "btnGruFornec_Grava");
        QVERIFY(!dados->isVisible());
    });
    abreLista(t);
    QCOMPARE(msgs.quantidade(), 0);
    QCOMPARE(t.app.janela<TfDados_GrupoFornecedor>().CodSelecionado, QString("000002"));
    QCOMPARE(t.banco.conta("GRU_Fornec"), 2);
    QCOMPARE(descricaoDe(t, "000001"), QString("Tintas e Vernizes"));
    QCOMPARE(descricaoDe(t, "000003"), QString("Madeiras"));
    QCOMPARE(codigosDaLista(t), QStringList({"000003", "000001"}));
    QCOMPARE(linhasDoLog(t), QStringList({"000002 Alteração de Grupo de Fornecedor:000001",
                                          "000002 Exclusão de Grupo de Fornecedor:000002"}));
}

void TstGrupoFornecedor::buttonRefusedWithoutPermission_data()
{
    QTest::addColumn<QString>("botao");
    QTest::addColumn<QString>("modulo");
    QTest::newRow("Novo") << "btnGruFornec_Novo"
                          << "1.4.1";
    QTest::newRow("Altera") << "btnGruFornec_Altera"
                            << "1.4.2";
    QTest::newRow("Exclui") << "btnGruFornec_Exclui"
                            << "1.4.3";
}

void TstGrupoFornecedor::buttonRefusedWithoutPermission()
{
    QFETCH(QString, botao);
    QFETCH(QString, modulo);
    AplicacaoTeste t;
    t.flags("S", "S", "N");
    t.principal().CodUsuario = "000001";
    tresGrupos(t);
    for (const char* m : {"1", "1.4", "1.4.1", "1.4.2", "1.4.3"})
        t.banco.executa("Insert into Permissoes (PER_CodUser, PER_CodMod, PER_Ativo) values "
                        "('000001', :M, :A)",
                        {{"M", QString(m)}, {"A", modulo == m ? "N" : "S"}});
    GravadorMensagens msgs;
    DriverModal driver;
    driver.aoAbrir([&](QDialog* lista) {
        clica(lista, qPrintable(botao));
        QCOMPARE(msgs.textos(), QStringList({semPermissao}));
        QCOMPARE(msgs.mensagens()[0].tipo, TipoMensagem::Aviso);
        // The other buttons still open the record window.
        for (const char* b : {"btnGruFornec_Novo", "btnGruFornec_Altera", "btnGruFornec_Exclui"})
            if (botao != b)
                clica(lista, b);
        clica(lista, "btnGruFornec_Fechar");
    });
    for (int i = 0; i < 2; ++i)
        driver.aoAbrir([&](QDialog* dados) { clica(dados, "btnGruFornec_Fechar"); });
    abreLista(t);
    QCOMPARE(driver.abertas(), QStringList({"TfManut_GrupoFornecedor", "TfDados_GrupoFornecedor",
                                            "TfDados_GrupoFornecedor"}));
    QCOMPARE(msgs.quantidade(), 1);
    QCOMPARE(t.banco.conta("GRU_Fornec"), 3);
}

void TstGrupoFornecedor::listOpensByDescriptionAndEnterMovesOn()
{
    AplicacaoTeste t;
    tresGrupos(t);
    DriverModal driver;
    driver.aoAbrir([&](QDialog* lista) {
        QCOMPARE(lista->windowTitle(), QString("Manutenção de Grupo de Fornecedores"));
        auto* rotulo = lista->findChild<QLabel*>("lbBusca_GruFornec");
        QLineEdit* busca = campo(lista, "edBusca_GruFornec");
        QVERIFY(lista->findChild<QRadioButton*>("rbDescricao")->isChecked());
        QCOMPARE(rotulo->text(), QString("Descrição:"));
        QCOMPARE(codigosDaLista(t), QStringList({"000002", "000003", "000001"}));
        QCOMPARE(focado(), busca);

        // A new order empties the search and hands it the focus.
        QTest::keyClicks(busca, "Tin");
        QTest::mouseClick(lista->findChild<QRadioButton*>("rbCodigo"), Qt::LeftButton);
        QCOMPARE(rotulo->text(), QString("Código:"));
        QCOMPARE(codigosDaLista(t), QStringList({"000001", "000002", "000003"}));
        QCOMPARE(busca->text(), QString());
        QCOMPARE(focado(), busca);

        // Enter moves on to "Busca" without searching; Enter on "Busca" searches.
        QTest::keyClicks(busca, "3");
        QTest::keyClick(busca, Qt::Key_Return);
        auto* btBusca = lista->findChild<QPushButton*>("btnBusca_GruFornec");
        QCOMPARE(focado(), btBusca);
        QCOMPARE(busca->text(), QString("3"));
        QCOMPARE(codigoAtual(t), QString("000001"));
        QTest::keyClick(btBusca, Qt::Key_Return);
        QCOMPARE(busca->text(), QString("000003"));
        QCOMPARE(codigoAtual(t), QString("000003"));
        auto* grade = lista->findChild<QTableView*>("dbgManut_GrupoFornecedor");
        QCOMPARE(grade->model()->index(grade->currentIndex().row(), 0).data().toString(),
                 QString("000003"));
        clica(lista, "btnGruFornec_Fechar");
    });
    // The next opening starts over, by description with an empty search.
    driver.aoAbrir([&](QDialog* lista) {
        QVERIFY(lista->findChild<QRadioButton*>("rbDescricao")->isChecked());
        QCOMPARE(lista->findChild<QLabel*>("lbBusca_GruFornec")->text(), QString("Descrição:"));
        QCOMPARE(campo(lista, "edBusca_GruFornec")->text(), QString());
        QCOMPARE(focado(), campo(lista, "edBusca_GruFornec"));
        QCOMPARE(codigosDaLista(t), QStringList({"000002", "000003", "000001"}));
        clica(lista, "btnGruFornec_Fechar");
    });
    abreLista(t);
    abreLista(t);
}

void TstGrupoFornecedor::searchFieldPaddedOnLeaving_data()
{
    QTest::addColumn<QString>("ordem");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("escrito");
    QTest::addColumn<QString>("atual"); // the row "Busca" then finds
    QTest::newRow("code 3") << "rbCodigo"
                            << "3"
                            << "000003"
                            << "000003";
    QTest::newRow("code of blanks left alone") << "rbCodigo"
                                               << "  "
                                               << "  "
                                               << "000001";
    QTest::newRow("seven digits left alone") << "rbCodigo"
                                             << "1234567"
                                             << "1234567"
                                             << "000001";
    QTest::newRow("description not padded") << "rbDescricao"
                                            << "Ma"
                                            << "Ma"
                                            << "000003";
}

void TstGrupoFornecedor::searchFieldPaddedOnLeaving()
{
    QFETCH(QString, ordem);
    QFETCH(QString, texto);
    QFETCH(QString, escrito);
    QFETCH(QString, atual);
    AplicacaoTeste t;
    tresGrupos(t);
    DriverModal driver;
    driver.aoAbrir([&](QDialog* busca) {
        QTest::mouseClick(busca->findChild<QRadioButton*>(ordem), Qt::LeftButton);
        // The search starts from the first row of the code order.
        t.app.dmGrupoFornecedor().cdsGrupoFornecedor.localiza("GRU_CODIGO", "000001");
        digita(busca, "edBusca", texto);
        // Leaving the field for the "Busca" button pads it first.
        clica(busca, "btnBusca");
        QCOMPARE(campo(busca, "edBusca")->text(), escrito);
        QCOMPARE(codigoAtual(t), atual);
        clica(busca, "btnFechar");
    });
    Modal::exec(&t.app.janela<TfBuscaGRU_For>());
}

void TstGrupoFornecedor::searchWindowOpensAfreshAndSelects()
{
    AplicacaoTeste t;
    tresGrupos(t);
    QDialog chamador;
    QLineEdit edCodGrupo(&chamador);
    QLineEdit outro(&chamador);
    outro.setFocus();
    chamador.show();
    chamador.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&chamador));
    TfBuscaGRU_For& janela = t.app.janela<TfBuscaGRU_For>();
    janela.registraDestino("Cad_Fornecedor", &edCodGrupo);
    DriverModal driver;
    driver.aoAbrir([&](QDialog* busca) {
        QCOMPARE(busca->windowTitle(), QString("Busca de Grupo de Fornecedores"));
        QTest::mouseClick(busca->findChild<QRadioButton*>("rbCodigo"), Qt::LeftButton);
        QCOMPARE(busca->findChild<QLabel*>("lbTitulo")->text(), QString("Código:"));
        QCOMPARE(codigosDaLista(t), QStringList({"000001", "000002", "000003"}));
        digita(busca, "edBusca", "2");
        clica(busca, "btnBusca");
        QCOMPARE(codigoAtual(t), QString("000002"));
        // "Fechar" writes nothing.
        clica(busca, "btnFechar");
    });
    driver.aoAbrir([&](QDialog* busca) {
        QLineEdit* edBusca = campo(busca, "edBusca");
        QVERIFY(busca->findChild<QRadioButton*>("rbDescricao")->isChecked());
        QCOMPARE(busca->findChild<QLabel*>("lbTitulo")->text(), QString("Descrição:"));
        QCOMPARE(edBusca->text(), QString());
        QCOMPARE(focado(), edBusca);
        QCOMPARE(codigosDaLista(t), QStringList({"000002", "000003", "000001"}));

        // Clicked back into, the search field has its whole text selected, ready to be typed
        // over.
        QTest::keyClicks(edBusca, "Mad");
        auto* grade = busca->findChild<QTableView*>("dbgBusca_GRUFor");
        grade->setFocus();
        QTest::mouseClick(edBusca, Qt::LeftButton);
        QCOMPARE(focado(), edBusca);
        QTRY_COMPARE(edBusca->selectedText(), QString("Mad"));
        clica(busca, "btnBusca");
        QCOMPARE(codigoAtual(t), QString("000003"));
        // Double-clicking the grid chooses nothing.
        QTest::mouseDClick(grade->viewport(), Qt::LeftButton, {},
                           grade->visualRect(grade->model()->index(1, 1)).center());
        QVERIFY(busca->isVisible());
        QCOMPARE(edCodGrupo.text(), QString());
        clica(busca, "btnSeleciona");
        QVERIFY(!busca->isVisible());
    });
    janela.Origem = "Cad_Fornecedor";
    Modal::exec(&janela);
    QCOMPARE(edCodGrupo.text(), QString());
    Modal::exec(&janela);
    QCOMPARE(edCodGrupo.text(), QString("000003"));
    QTRY_COMPARE(focado(), &edCodGrupo);
}

QTEST_MAIN(TstGrupoFornecedor)
#include "tst_grupofornecedor.moc"
