// The day's alerts: which products and loans each tab lists and counts, what an empty tab says,
// when the window opens by itself at start, the workstation's choice kept in Config.ini, and
// where a double-click on a row leads.

#include "app/Principal.h"
#include "contexto/ConfigIni.h"
#include "data/DataModule_MovConsu.h"
#include "data/DataModule_Produtos.h"
#include "data/DataSet.h"
#include "support/AplicacaoTeste.h"
#include "support/Cadastro.h"
#include "utilities/Avisos_Dia.h"

#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using namespace Tela;

class TstAvisos : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void tabsListAndCountTheirRows();
    void emptyTabsSaySoInOneLine();
    void opensAtStartOnlyWithSomethingToShow_data();
    void opensAtStartOnlyWithSomethingToShow();
    void showAtStartKeptInConfigIni();
    void doubleClickOnLoanOpensItsReturn();
    void doubleClickOnProductOpensItsRecord();
    void doubleClickAsksForTheMenusPermissions_data();
    void doubleClickAsksForTheMenusPermissions();

private:
    // Config.ini lives in the working directory: each test gets its own.
    std::unique_ptr<QTemporaryDir> m_trabalho;
    QString m_anterior;
};

namespace {

const QDate hoje = QDate::currentDate();

// A product with its minimum, a maximum of 20 and, when given, its usual supplier.
void produtoComLimites(BancoTeste& b, const char* codigo, const char* descricao,
                       const char* quantidade, const QVariant& minimo,
                       const QVariant& fornecedor = {}, const char* consumivel = "S")
{
    Cadastro::produto(b,
                      {.codigo = QString::fromLatin1(codigo).rightJustified(10, QLatin1Char(' ')),
                       .descricao = QString::fromUtf8(descricao),
                       .quantidade = QLatin1String(quantidade),
                       .consumivel = QLatin1String(consumivel),
                       .minimo = minimo,
                       .maximo = 20,
                       .fornecedor = fornecedor});
}

void emprestimo(BancoTeste& b, int numero, const char* produto, const char* requisitante,
                int diasParaDevolver, const char* devolvido = "N")
{
    Cadastro::insere(b, "Mov_Consu",
                     {{"MOV_CodInt", numero},
                      {"MOV_CodPro", QString::fromLatin1(produto).rightJustified(10, ' ')},
                      {"MOV_Tipo", requisitante},
                      {"MOV_Quant", 1},
                      {"MOV_Doc", QStringLiteral("RM %1").arg(numero)},
                      {"MOV_Data", hoje.addDays(-20)},
                      {"MOV_DataD", hoje.addDays(diasParaDevolver)},
                      {"MOV_Devolvido", devolvido}});
}

void produtosAbaixo(BancoTeste& b)
{
    Cadastro::fornecedor(b, "0000000002", "Ferragens Bravo");
    produtoComLimites(b, "1", "Alicate", "5", 5, "0000000002");  // at its minimum
    produtoComLimites(b, "2", "Broca", "-1", 0);                 // below a minimum of zero
    produtoComLimites(b, "3", "Cabo", "6", 5);                   // above
    produtoComLimites(b, "4", "Disjuntor", "0", QVariant());     // no minimum
    produtoComLimites(b, "5", "Esquadro", "1", 3, "0000000007"); // its supplier since removed
}

// Loans due at every edge: overdue by a day and by five, due today, in three days and in
// four, and one overdue but returned.
void emprestimos(BancoTeste& b)
{
    Cadastro::requisitante(b, "000003", QStringLiteral("Manutenção"));
    Cadastro::requisitante(b, "000004", QStringLiteral("Elétrica"));
    produtoComLimites(b, "13", "Furadeira", "10", 1, {}, "N");
    produtoComLimites(b, "14", "Serra", "10", 1, {}, "N");
    emprestimo(b, 1, "13", "000003", -1);
    emprestimo(b, 2, "14", "000004", 0);
    emprestimo(b, 3, "13", "000004", 3);
    emprestimo(b, 4, "14", "000003", 4);
    emprestimo(b, 5, "14", "000003", -10, "S");
    emprestimo(b, 6, "13", "000003", -5);
}

QStringList abas(QDialog* janela)
{
    auto* tab = acha<QTabWidget>(janela, "tabAvisos");
    QStringList saida;
    for (int i = 0; i < tab->count(); ++i)
        saida << tab->tabText(i);
    return saida;
}

// A double-click on row `linha` of the named grid, as a person gives it.
void duploClique(QDialog* janela, const char* grade, int linha)
{
    auto* g = acha<QTableView>(janela, grade);
    acha<QTabWidget>(janela, "tabAvisos")->setCurrentWidget(g->parentWidget());
    QApplication::processEvents();
    const QRect r = g->visualRect(g->model()->index(linha, 1));
    QVERIFY(r.isValid());
    // The first click of the two chooses the row; the second, quick after it, opens it.
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, r.center());
}

} // namespace

void TstAvisos::init()
{
    m_anterior = QDir::currentPath();
    m_trabalho = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir::setCurrent(m_trabalho->path()));
}

void TstAvisos::cleanup()
{
    QDir::setCurrent(m_anterior);
    m_trabalho.reset();
}

void TstAvisos::tabsListAndCountTheirRows()
{
    TelaTeste t;
    produtosAbaixo(t.banco);
    emprestimos(t.banco);
    t.abre("AvisosdoDia1", [](QDialog* j) {
        QCOMPARE(abas(j), (QStringList{"Abaixo do Mínimo (3)", "Devoluções Atrasadas (2)",
                                       "Devoluções em 3 Dias (2)"}));
        auto& avisos = *qobject_cast<TfAvisos_Dia*>(j);
        QCOMPARE(colunaDaLista(avisos.abaixoDoMinimo(), "PRO_DESCRICAO"),
                 (QStringList{"Alicate", "Broca", "Esquadro"}));
        QCOMPARE(colunaDaLista(avisos.abaixoDoMinimo(), "ULT_FORNECEDOR"),
                 (QStringList{"Ferragens Bravo", "", "0000000007"}));
        QCOMPARE(avisos.abaixoDoMinimo().texto(1, "PRO_QUANT"), QString("-1,000"));
        // The longest overdue first; due today is not overdue, due in four days not yet due.
        QCOMPARE(colunaDaLista(avisos.atrasadas(), "MOV_CODINT"), (QStringList{"6", "1"}));
        QCOMPARE(colunaDaLista(avisos.aVencer(), "MOV_CODINT"), (QStringList{"2", "3"}));
        QCOMPARE(avisos.atrasadas().texto(1, "PRO_DESCRICAO"), QString("Furadeira"));
        QCOMPARE(avisos.atrasadas().texto(1, "REQ_DESCRICAO"), QString("Manutenção"));
        QCOMPARE(avisos.atrasadas().texto(1, "MOV_DATAD"), hoje.addDays(-1).toString("dd/MM/yyyy"));
        QCOMPARE(avisos.atrasadas().texto(1, "MOV_DOC"), QString("RM 1"));
        for (const char* vazio : {"lbMinimoVazio", "lbAtrasadasVazio", "lbAVencerVazio"})
            QVERIFY(acha<QLabel>(j, vazio)->isHidden());
        clica(j, "btnFechar");
    });
}

void TstAvisos::emptyTabsSaySoInOneLine()
{
    TelaTeste t;
    emprestimos(t.banco);
    t.banco.executa("Update Produtos set PRO_Quant = 50");
    t.abre("AvisosdoDia1", [](QDialog* j) {
        QCOMPARE(abas(j).first(), QString("Abaixo do Mínimo (0)"));
        auto* vazio = acha<QLabel>(j, "lbMinimoVazio");
        QVERIFY(!vazio->isHidden());
        QCOMPARE(vazio->text(), QString("Nenhum produto está no estoque mínimo ou abaixo dele."));
        QVERIFY(!vazio->text().contains('\n'));
        QVERIFY(acha<QTableView>(j, "dbgMinimo")->isHidden());
        QVERIFY(!acha<QTableView>(j, "dbgAtrasadas")->isHidden());
        QVERIFY(acha<QLabel>(j, "lbAtrasadasVazio")->isHidden());
        clica(j, "btnFechar");
    });
}

void TstAvisos::opensAtStartOnlyWithSomethingToShow_data()
{
    QTest::addColumn<bool>("produtos");
    QTest::addColumn<bool>("atrasada");
    QTest::addColumn<bool>("desligado");
    QTest::addColumn<bool>("abre");
    caso("a loan due in four days is nothing yet", false, false, false, false);
    caso("a product at its minimum", true, false, false, true);
    caso("an overdue loan", false, true, false, true);
    caso("turned off on this workstation", true, true, true, false);
}

void TstAvisos::opensAtStartOnlyWithSomethingToShow()
{
    QFETCH(bool, produtos);
    QFETCH(bool, atrasada);
    QFETCH(bool, desligado);
    QFETCH(bool, abre);
    TelaTeste t;
    Cadastro::requisitante(t.banco, "000003", QStringLiteral("Manutenção"));
    produtoComLimites(t.banco, "13", "Furadeira", "10", 1, {}, "N");
    emprestimo(t.banco, 1, "13", "000003", atrasada ? -1 : 4);
    if (produtos)
        produtoComLimites(t.banco, "1", "Alicate", "5", 5);
    if (desligado)
        QVERIFY(ConfigIni::gravaMostraAvisos(false));
    if (abre)
        t.driver.aoAbrir([](QDialog* j) {
            QCOMPARE(j->objectName(), QString("TfAvisos_Dia"));
            clica(j, "btnFechar");
        });
    t.principal().passoDeExibicao();
    QCOMPARE(t.driver.abertas().contains("TfAvisos_Dia"), abre);
    QCOMPARE(t.driver.passosPendentes(), 0);
}

void TstAvisos::showAtStartKeptInConfigIni()
{
    TelaTeste t;
    produtoComLimites(t.banco, "1", "Alicate", "5", 5);
    // The database folder of this workstation stays as it was.
    QVERIFY(ConfigIni::gravaPasta("/dados/almox"));
    t.abre("AvisosdoDia1", [](QDialog* j) {
        auto* cb = acha<QCheckBox>(j, "cbMostrar");
        QVERIFY(cb->isChecked());
        marca(j, "cbMostrar");
        QVERIFY(!cb->isChecked());
        clica(j, "btnFechar");
    });
    QFile ini(ConfigIni::arquivo());
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QCOMPARE(ini.readAll(),
             QByteArray("[PASTA]\r\nPATH=/dados/almox\r\n[AVISOS]\r\nMOSTRAR=N\r\n"));
    QVERIFY(!ConfigIni::mostraAvisos());
    // Nothing opens at the next start; the menu still opens it, showing the choice.
    QVERIFY(!t.app.janela<TfAvisos_Dia>().abreAoIniciar());
    t.abre("AvisosdoDia1", [](QDialog* j) {
        QVERIFY(!acha<QCheckBox>(j, "cbMostrar")->isChecked());
        marca(j, "cbMostrar");
        clica(j, "btnFechar");
    });
    QVERIFY(ConfigIni::mostraAvisos());
    QCOMPARE(ConfigIni::lePasta(), QString("/dados/almox"));
}

void TstAvisos::doubleClickOnLoanOpensItsReturn()
{
    TelaTeste t;
    emprestimos(t.banco);
    t.abre("AvisosdoDia1", [&t](QDialog* j) {
        t.driver.aoAbrir([&t](QDialog* d) {
            QCOMPARE(d->objectName(), QString("TfDevolucao"));
            QCOMPARE(textos(d, {"edCodPro", "edDescPro", "edCodReq", "edDescReq"}),
                     (QStringList{"        13", "Furadeira", "000003", "Manutenção"}));
            // Both open loans of the drill to maintenance, nothing else.
            QCOMPARE(listados(t.app.dmMovConsu().cdsMovConsu), (QList<int>{1, 6}));
            // Returned there, it leaves the alerts.
            t.banco.executa("Update Mov_Consu set MOV_Devolvido = 'S' where MOV_CodInt = 1");
            clica(d, "brnFechar");
        });
        // Row 1 of the overdue loans: loan 1, the drill lent to maintenance.
        duploClique(j, "dbgAtrasadas", 1);
        QCOMPARE(t.driver.abertas().last(), QString("TfDevolucao"));
        auto& avisos = *qobject_cast<TfAvisos_Dia*>(j);
        QCOMPARE(colunaDaLista(avisos.atrasadas(), "MOV_CODINT"), QStringList{"6"});
        QCOMPARE(abas(j).value(1), QString("Devoluções Atrasadas (1)"));
        clica(j, "btnFechar");
    });
    QVERIFY(t.msgs.textos().isEmpty());
}

void TstAvisos::doubleClickOnProductOpensItsRecord()
{
    TelaTeste t;
    produtosAbaixo(t.banco);
    t.abre("AvisosdoDia1", [&t](QDialog* j) {
        t.driver.aoAbrir([](QDialog* d) {
            QCOMPARE(d->objectName(), QString("TfDados_Produtos"));
            QCOMPARE(texto(d, "lbDados_Pro_Titulo"), QString("Consulta de Produtos"));
            QCOMPARE(texto(d, "edPRO_Descricao"), QString("Esquadro"));
            QVERIFY(!botao(d, "btnPRO_Salva")->isVisible());
            clica(d, "btnPRO_Fecha");
        });
        duploClique(j, "dbgMinimo", 2);
        QCOMPARE(t.driver.abertas().last(), QString("TfDados_Produtos"));
        clica(j, "btnFechar");
    });
    QVERIFY(t.msgs.textos().isEmpty());
}

void TstAvisos::doubleClickAsksForTheMenusPermissions_data()
{
    QTest::addColumn<QString>("grade");
    QTest::addColumn<QString>("recusado"); // the module the user may not use; none: all allowed
    QTest::addColumn<QString>("janela");   // the window the double-click opens; none: refused
    // A loan leads to the return: the movements' group, then its item.
    caso("loan, movements refused", QString("dbgAtrasadas"), QString("2"), QString());
    caso("loan, return refused", QString("dbgAVencer"), QString("2.6"), QString());
    caso("loan, allowed", QString("dbgAtrasadas"), QString(), QString("TfDevolucao"));
    // A product leads to the products' list and its "Consulta" button.
    caso("product, registers refused", QString("dbgMinimo"), QString("1"), QString());
    caso("product, products refused", QString("dbgMinimo"), QString("1.2"), QString());
    caso("product, its query refused", QString("dbgMinimo"), QString("1.2.4"), QString());
    caso("product, allowed", QString("dbgMinimo"), QString(), QString("TfDados_Produtos"));
}

void TstAvisos::doubleClickAsksForTheMenusPermissions()
{
    QFETCH(QString, grade);
    QFETCH(QString, recusado);
    QFETCH(QString, janela);
    TelaTeste t;
    produtosAbaixo(t.banco);
    emprestimos(t.banco);
    t.comPermissoes("000001", {"1", "1.2", "1.2.4", "2", "2.6"}, recusado);
    t.abre("AvisosdoDia1", [&](QDialog* j) {
        if (!janela.isEmpty())
            t.driver.aoAbrir([](QDialog* d) { d->reject(); });
        duploClique(j, qPrintable(grade), 0);
        QCOMPARE(t.driver.abertas().last(), janela.isEmpty() ? QString("TfAvisos_Dia") : janela);
        if (janela.isEmpty())
            QCOMPARE(t.msgs.mensagens(),
                     QList<MensagemGravada>(
                         {{TipoMensagem::Aviso,
                           QStringLiteral("Usuário Sem Permissão para Entrar nesse Módulo")}}));
        else
            QCOMPARE(t.msgs.textos(), QStringList());
        clica(j, "btnFechar");
    });
    QCOMPARE(t.driver.passosPendentes(), 0);
}

QTEST_MAIN(TstAvisos)
#include "tst_avisos.moc"
