// Product groups: the list, the record window in its three modes, the search window, and the
// rules every register shares.

#include "data/DataModule_Grupos.h"
#include "app/Principal.h"
#include "data/DataSet.h"
#include "registers/Busca_Grupos.h"
#include "registers/Dados_Grupos.h"
#include "registers/Manut_Grupos.h"
#include "support/AplicacaoTeste.h"
#include "support/Digitacao.h"
#include "support/DriverModal.h"
#include "support/GravadorMensagens.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QtTest>

class TstGrupos : public QObject {
    Q_OBJECT

private slots:
    void proposedCode_data();
    void proposedCode();
    void twoInclusionsInARowAndTheirAuditLines_data();
    void twoInclusionsInARowAndTheirAuditLines();
    void emptyAndRepeatedDescriptions();
    void codeTakenMeanwhileGetsANewOne();
    void failedWriteRollsBackRowAndAuditLine();
    void changeAndDeleteTheCurrentRow();
    void buttonRefusedWithoutPermission_data();
    void buttonRefusedWithoutPermission();
    void quickSearch_data();
    void quickSearch();
    void searchWindowSharesTheListAndSelects();
};

namespace {

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

void insereGrupo(AplicacaoTeste& t, const QString& codigo, const QString& descricao)
{
    t.banco.executa("Insert into Grupos (GRU_Codigo, GRU_Descricao) values (:C, :D)",
                    {{"C", codigo}, {"D", descricao}});
}

QStringList codigosDaLista(AplicacaoTeste& t)
{
    QStringList r;
    const DataSet& d = t.app.dmGrupos().cds_Grupos;
    for (int i = 0; i < d.tamanho(); ++i)
        r << d.valor(i, "GRU_CODIGO").toString();
    return r;
}

} // namespace

void TstGrupos::proposedCode_data()
{
    QTest::addColumn<QStringList>("existentes");
    QTest::addColumn<QString>("proposto");
    QTest::addColumn<bool>("grava");
    QTest::newRow("empty table") << QStringList() << "000001" << true;
    QTest::newRow("after 000009") << QStringList({"000002", "000009"}) << "000010" << true;
    QTest::newRow("after 999999") << QStringList({"999999"}) << "1000000" << false;
}

void TstGrupos::proposedCode()
{
    QFETCH(QStringList, existentes);
    QFETCH(QString, proposto);
    QFETCH(bool, grava);
    AplicacaoTeste t;
    t.flags("S", "N", "S");
    for (const QString& c : existentes)
        insereGrupo(t, c, "Existente " + c);
    GravadorMensagens msgs;
    DriverModal driver;
    driver.aoAbrir([&](QDialog* lista) {
        clica(lista, "btn_Manut_GRU_Novo");
        QCOMPARE(lista->findChild<QTableView*>("dbg_ManutGrupos")->model()->rowCount(),
                 existentes.size() + (grava ? 1 : 0));
        clica(lista, "btnManut_GRU_Fechar");
    });
    driver.aoAbrir([&](QDialog* dados) {
        QCOMPARE(dados->windowTitle(), QString("Inclusão de Grupos"));
        QCOMPARE(campo(dados, "edGRU_Codigo")->text(), proposto);
        // The code takes no typing: the focus is already on the description.
        QCOMPARE(QApplication::focusWidget(), campo(dados, "edGRU_Descricao"));
        QTest::keyClicks(campo(dados, "edGRU_Descricao"), "Ferramentas");
        clica(dados, "btnGRU_Salva");
        if (!grava)
            QCOMPARE(campo(dados, "edGRU_Descricao")->text(), QString("Ferramentas"));
        clica(dados, "btnGRU_Fecha");
    });
    t.principal().aciona("GruposdeProdutos1");
    QCOMPARE(driver.abertas(), QStringList({"TfManut_Grupos", "TfDados_Grupos"}));
    QCOMPARE(t.banco.conta("Grupos"), existentes.size() + (grava ? 1 : 0));
    if (grava) {
        QCOMPARE(msgs.quantidade(), 0);
        QCOMPARE(
            t.banco
                .valor("Select GRU_Descricao From Grupos Where GRU_Codigo = :C", {{"C", proposto}})
                .toString(),
            QString("Ferramentas"));
    } else {
        QCOMPARE(msgs.textos(), QStringList({"Não Consegui Incluir, Tente Novamente !"}));
        QCOMPARE(msgs.mensagens()[0].tipo, TipoMensagem::Aviso);
    }
    // Logging and login are on: a saved group leaves its line, a failed one none.
    QCOMPARE(t.banco.conta("Log"), grava ? 1 : 0);
}

void TstGrupos::twoInclusionsInARowAndTheirAuditLines_data()
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

void TstGrupos::twoInclusionsInARowAndTheirAuditLines()
{
    QFETCH(QString, login);
    QFETCH(QString, log);
    QFETCH(bool, registra);
    AplicacaoTeste t;
    t.flags(qPrintable(login), "N", qPrintable(log));
    t.principal().CodUsuario = "000003";
    GravadorMensagens msgs;
    DriverModal driver;
    driver.aoAbrir([&](QDialog* lista) {
        clica(lista, "btn_Manut_GRU_Novo");
        clica(lista, "btnManut_GRU_Fechar");
    });
    driver.aoAbrir([&](QDialog* dados) {
        for (const char* nome : {"Ferramentas", "  Limpeza  "}) {
            QTest::keyClicks(campo(dados, "edGRU_Descricao"), nome);
            clica(dados, "btnGRU_Salva");
            // Stays open, emptied, with the next code proposed and the list up to date.
            QVERIFY(dados->isVisible());
            QCOMPARE(campo(dados, "edGRU_Descricao")->text(), QString());
            QCOMPARE(QApplication::focusWidget(), campo(dados, "edGRU_Descricao"));
        }
        QCOMPARE(campo(dados, "edGRU_Codigo")->text(), QString("000003"));
        QCOMPARE(codigosDaLista(t), QStringList({"000001", "000002"}));
        clica(dados, "btnGRU_Fecha");
    });
    t.principal().aciona("GruposdeProdutos1");
    QCOMPARE(msgs.quantidade(), 0);
    const Resultado r = t.banco.consulta("Select * From Grupos order by GRU_Codigo");
    QCOMPARE(r.tamanho(), 2);
    QCOMPARE(r.valor(1, "GRU_Descricao").toString(), QString("  Limpeza  "));
    const Resultado l = t.banco.consulta("Select * From Log order by LOG_Descricao");
    if (!registra) {
        QCOMPARE(l.tamanho(), 0);
        return;
    }
    QCOMPARE(l.tamanho(), 2);
    QCOMPARE(l.valor(0, "LOG_Descricao").toString(),
             QStringLiteral("Inclusão de Grupo de Produtos:000001"));
    QCOMPARE(l.valor(1, "LOG_Descricao").toString(),
             QStringLiteral("Inclusão de Grupo de Produtos:000002"));
    QCOMPARE(l.valor(0, "LOG_CodUser").toString(), QString("000003"));
}

void TstGrupos::emptyAndRepeatedDescriptions()
{
    AplicacaoTeste t;
    insereGrupo(t, "000001", "Elétrica");
    GravadorMensagens msgs;
    DriverModal driver;
    driver.aoAbrir([&](QDialog* lista) {
        clica(lista, "btn_Manut_GRU_Novo");
        clica(lista, "btnManut_GRU_Fechar");
    });
    driver.aoAbrir([&](QDialog* dados) {
        QTest::keyClicks(campo(dados, "edGRU_Descricao"), "   ");
        clica(dados, "btnGRU_Salva");
        QCOMPARE(msgs.textos(), QStringList({"O Campo da Descrição Precisa ser Preenchido"}));
        QCOMPARE(msgs.mensagens()[0].tipo, TipoMensagem::Informacao);

        // A repeated description asks; "Não" empties it and keeps the focus there.
        msgs.limpa();
        digita(dados, "edGRU_Descricao", "Elétrica");
        msgs.responde(false);
        QTest::keyClick(campo(dados, "edGRU_Descricao"), Qt::Key_Tab);
        QCOMPARE(msgs.textos(),
                 QStringList({"Grupo já Cadastrado, deseja Cadastrar outro Grupo com "
                              "a mesma Descrição ?"}));
        QCOMPARE(campo(dados, "edGRU_Descricao")->text(), QString());
        QTRY_COMPARE(QApplication::focusWidget(), campo(dados, "edGRU_Descricao"));

        // "Sim" keeps it, and the group is saved with it.
        digita(dados, "edGRU_Descricao", "Elétrica");
        msgs.responde(true);
        clica(dados, "btnGRU_Salva");
        clica(dados, "btnGRU_Fecha");
    });
    t.principal().aciona("GruposdeProdutos1");
    QCOMPARE(
        t.banco.valor("Select count(*) From Grupos Where GRU_Descricao = 'Elétrica'").toLongLong(),
        2);
}

void TstGrupos::codeTakenMeanwhileGetsANewOne()
{
    AplicacaoTeste t;
    GravadorMensagens msgs;
    DriverModal driver;
    driver.aoAbrir([&](QDialog* lista) {
        clica(lista, "btn_Manut_GRU_Novo");
        clica(lista, "btnManut_GRU_Fechar");
    });
    driver.aoAbrir([&](QDialog* dados) {
        QCOMPARE(campo(dados, "edGRU_Codigo")->text(), QString("000001"));
        // Another workstation takes the code while this one is typing.
        insereGrupo(t, "000001", "Outra estação");
        QTest::keyClicks(campo(dados, "edGRU_Descricao"), "Parafusos");
        clica(dados, "btnGRU_Salva");
        clica(dados, "btnGRU_Fecha");
    });
    t.principal().aciona("GruposdeProdutos1");
    QCOMPARE(msgs.textos(), QStringList({"Novo Código:000002"}));
    QCOMPARE(
        t.banco.valor("Select GRU_Descricao From Grupos Where GRU_Codigo = '000002'").toString(),
        QString("Parafusos"));
}

void TstGrupos::failedWriteRollsBackRowAndAuditLine()
{
    AplicacaoTeste t;
    t.flags("S", "N", "S");
    t.principal().CodUsuario = "000001";
    insereGrupo(t, "000001", "Ferramentas");
    // The database refuses every change to groups from here on.
    t.banco.executa("CREATE EXCEPTION grupo_travado 'grupo travado'");
    t.banco.executa("CREATE TRIGGER grupos_travados FOR Grupos BEFORE INSERT OR UPDATE OR DELETE "
                    "AS BEGIN EXCEPTION grupo_travado; END");
    GravadorMensagens msgs;
    DriverModal driver;
    driver.aoAbrir([&](QDialog* lista) {
        clica(lista, "btn_Manut_GRU_Novo");
        clica(lista, "btnManut_GRU_Altera");
        clica(lista, "btnManut_GRU_Fechar");
    });
    driver.aoAbrir([&](QDialog* dados) {
        QTest::keyClicks(campo(dados, "edGRU_Descricao"), "Limpeza");
        clica(dados, "btnGRU_Salva");
        QVERIFY(dados->isVisible());
        QCOMPARE(campo(dados, "edGRU_Codigo")->text(), QString("000002"));
        QCOMPARE(campo(dados, "edGRU_Descricao")->text(), QString("Limpeza"));
        clica(dados, "btnGRU_Fecha");
    });
    driver.aoAbrir([&](QDialog* dados) {
        digita(dados, "edGRU_Descricao", "Ferramentas Manuais");
        clica(dados, "btnGRU_Salva");
        QVERIFY(dados->isVisible());
        QCOMPARE(campo(dados, "edGRU_Descricao")->text(), QString("Ferramentas Manuais"));
        clica(dados, "btnGRU_Fecha");
    });
    t.principal().aciona("GruposdeProdutos1");
    QCOMPARE(msgs.textos(), QStringList({"Não Consegui Incluir, Tente Novamente !",
                                         "Não Consegui Alterar, Tente Novamente !"}));
    QCOMPARE(t.banco.conta("Grupos"), 1);
    QCOMPARE(t.banco.valor("Select GRU_Descricao From Grupos").toString(), QString("Ferramentas"));
    QCOMPARE(t.banco.conta("Log"), 0);
}

void TstGrupos::changeAndDeleteTheCurrentRow()
{
    AplicacaoTeste t;
    t.flags("S", "N", "S");
    t.principal().CodUsuario = "000001";
    insereGrupo(t, "000001", "Ferramentas");
    insereGrupo(t, "000002", "Elétrica");
    insereGrupo(t, "000003", "Limpeza");
    GravadorMensagens msgs;
    DriverModal driver;
    driver.aoAbrir([&](QDialog* lista) {
        auto* grade = lista->findChild<QTableView*>("dbg_ManutGrupos");
        grade->selectRow(1);
        clica(lista, "btnManut_GRU_Altera");
        grade->selectRow(2);
        clica(lista, "btnManut_GRU_Exclui");
        clica(lista, "btnManut_GRU_Fechar");
    });
    driver.aoAbrir([&](QDialog* dados) {
        QCOMPARE(dados->windowTitle(), QString("Alteração de Grupos"));
        QCOMPARE(dados->findChild<QLabel*>("lb_Titulo_DadosGRU")->text(),
                 QString("Alteração de Grupos"));
        QCOMPARE(dados->findChild<QPushButton*>("btnGRU_Salva")->text(), QString("Altera"));
        QVERIFY(!dados->findChild<QPushButton*>("btnGRU_Limpa")->isVisible());
        QCOMPARE(campo(dados, "edGRU_Codigo")->text(), QString("000002"));
        QCOMPARE(campo(dados, "edGRU_Descricao")->text(), QStringLiteral("Elétrica"));
        digita(dados, "edGRU_Descricao", "Material Elétrico");
        clica(dados, "btnGRU_Salva");
        QVERIFY(!dados->isVisible());
    });
    driver.aoAbrir([&](QDialog* dados) {
        QCOMPARE(dados->windowTitle(), QString("Exclusão de Grupos"));
        QCOMPARE(campo(dados, "edGRU_Codigo")->text(), QString("000003"));
        clica(dados, "btnGRU_Salva");
        QVERIFY(!dados->isVisible());
    });
    t.principal().aciona("GruposdeProdutos1");
    QCOMPARE(msgs.quantidade(), 0);
    QCOMPARE(t.app.janela<TfDados_Grupos>().CodSelecionado, QString("000003"));
    const Resultado r = t.banco.consulta("Select * From Grupos order by GRU_Codigo");
    QCOMPARE(r.tamanho(), 2);
    QCOMPARE(r.valor(1, "GRU_Descricao").toString(), QStringLiteral("Material Elétrico"));
    QCOMPARE(codigosDaLista(t), QStringList({"000001", "000002"}));
    const Resultado l = t.banco.consulta("Select LOG_Descricao From Log order by LOG_Descricao");
    QCOMPARE(l.tamanho(), 2);
    QCOMPARE(l.valor(0, 0).toString(), QStringLiteral("Alteração de Grupo de Produtos:000002"));
    QCOMPARE(l.valor(1, 0).toString(), QStringLiteral("Exclusão de Grupo de Produtos:000003"));
}

void TstGrupos::buttonRefusedWithoutPermission_data()
{
    QTest::addColumn<QString>("botao");
    QTest::addColumn<QString>("modulo");
    QTest::newRow("Novo") << "btn_Manut_GRU_Novo"
                          << "1.1.1";
    QTest::newRow("Altera") << "btnManut_GRU_Altera"
                            << "1.1.2";
    QTest::newRow("Exclui") << "btnManut_GRU_Exclui"
                            << "1.1.3";
}

void TstGrupos::buttonRefusedWithoutPermission()
{
    QFETCH(QString, botao);
    QFETCH(QString, modulo);
    AplicacaoTeste t;
    t.flags("S", "S", "N");
    t.principal().CodUsuario = "000001";
    for (const char* m : {"1", "1.1", "1.1.1", "1.1.2", "1.1.3"})
        t.banco.executa("Insert into Permissoes (PER_CodUser, PER_CodMod, PER_Ativo) values "
                        "('000001', :M, :A)",
                        {{"M", QString(m)}, {"A", modulo == m ? "N" : "S"}});
    GravadorMensagens msgs;
    DriverModal driver;
    driver.aoAbrir([&](QDialog* lista) {
        clica(lista, qPrintable(botao));
        QCOMPARE(msgs.textos(), QStringList({"Usuário Sem Permissão para Entrar nesse Módulo"}));
        clica(lista, "btnManut_GRU_Fechar");
    });
    t.principal().aciona("GruposdeProdutos1");
    QCOMPARE(driver.abertas(), QStringList({"TfManut_Grupos"}));
}

void TstGrupos::quickSearch_data()
{
    QTest::addColumn<QString>("ordem");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("escrito");
    QTest::addColumn<QString>("atual");
    QTest::newRow("code 12 padded") << "rbManut_Grupos_Codigo"
                                    << "12"
                                    << "000012"
                                    << "000012";
    QTest::newRow("seven digits as typed") << "rbManut_Grupos_Codigo"
                                           << "1234567"
                                           << "1234567"
                                           << "000001";
    QTest::newRow("ele finds nothing") << "rbManut_GRupos_Descricao"
                                       << "ele"
                                       << "ele"
                                       << "000001";
    QTest::newRow("Elé finds Elétrica") << "rbManut_GRupos_Descricao"
                                        << "Elé"
                                        << "Elé"
                                        << "000012";
}

void TstGrupos::quickSearch()
{
    QFETCH(QString, ordem);
    QFETCH(QString, texto);
    QFETCH(QString, escrito);
    QFETCH(QString, atual);
    AplicacaoTeste t;
    insereGrupo(t, "000001", "Ferramentas");
    insereGrupo(t, "000012", "Elétrica");
    insereGrupo(t, "000020", "Limpeza");
    DriverModal driver;
    driver.aoAbrir([&](QDialog* lista) {
        QTest::mouseClick(lista->findChild<QRadioButton*>(ordem), Qt::LeftButton);
        // Whatever the order, the search starts from the first row.
        t.app.dmGrupos().cds_Grupos.localiza("GRU_CODIGO", "000001");
        digita(lista, "edManut_Grupos_Busca", texto);
        clica(lista, "Button1");
        QCOMPARE(campo(lista, "edManut_Grupos_Busca")->text(), escrito);
        QCOMPARE(Familia::codigoAtual(t.app.dmGrupos().cds_Grupos), atual);
        auto* grade = lista->findChild<QTableView*>("dbg_ManutGrupos");
        QCOMPARE(grade->model()->index(grade->currentIndex().row(), 0).data().toString(), atual);
        clica(lista, "btnManut_GRU_Fechar");
    });
    t.principal().aciona("GruposdeProdutos1");
}

void TstGrupos::searchWindowSharesTheListAndSelects()
{
    AplicacaoTeste t;
    insereGrupo(t, "000001", "Tintas");
    insereGrupo(t, "000002", "Abrasivos");
    QDialog chamador;
    QLineEdit destinoCodigo(&chamador);
    t.app.janela<TfBusca_Grupos>().registraDestino("Dados_Produtos", &destinoCodigo);
    DriverModal driver;
    // First opening: ordered by description; choose "Abrasivos".
    driver.aoAbrir([&](QDialog* busca) {
        QVERIFY(busca->findChild<QRadioButton*>("rbBusca_GRupos_Descricao")->isChecked());
        QCOMPARE(busca->findChild<QLabel*>("lbBusca_Grupos_Busca")->text(), QString("Descrição:"));
        QCOMPARE(Familia::codigoAtual(t.app.dmGrupos().cds_Grupos), QString("000002"));
        clica(busca, "btnBusca_Seleciona");
    });
    t.app.janela<TfBusca_Grupos>().Origem = "Dados_Produtos";
    Modal::exec(&t.app.janela<TfBusca_Grupos>());
    QCOMPARE(destinoCodigo.text(), QString("000002"));

    // The order chosen in the search window is what the list window shows.
    driver.aoAbrir([&](QDialog* lista) {
        auto* grade = lista->findChild<QTableView*>("dbg_ManutGrupos");
        QCOMPARE(grade->model()->index(0, 1).data().toString(), QString("Abrasivos"));
        clica(lista, "btnManut_GRU_Fechar");
    });
    t.principal().aciona("GruposdeProdutos1");

    // An unknown caller gets nothing; "Fechar" writes nothing either.
    destinoCodigo.setText("x");
    driver.aoAbrir([&](QDialog* busca) { clica(busca, "btnBusca_Seleciona"); });
    t.app.janela<TfBusca_Grupos>().Origem = "Desconhecida";
    Modal::exec(&t.app.janela<TfBusca_Grupos>());
    driver.aoAbrir([&](QDialog* busca) { clica(busca, "btnBusca_GRU_Fechar"); });
    t.app.janela<TfBusca_Grupos>().Origem = "Dados_Produtos";
    Modal::exec(&t.app.janela<TfBusca_Grupos>());
    QCOMPARE(destinoCodigo.text(), QString("x"));

    // With an empty list "Seleciona" hands back an empty code.
    t.banco.executa("Delete From Grupos");
    driver.aoAbrir([&](QDialog* busca) { clica(busca, "btnBusca_Seleciona"); });
    Modal::exec(&t.app.janela<TfBusca_Grupos>());
    QCOMPARE(destinoCodigo.text(), QString());
}

QTEST_MAIN(TstGrupos)
#include "tst_grupos.moc"
