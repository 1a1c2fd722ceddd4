// Movement maintenance: the ledger rows of a day or a range, deleted alone or with their effect
// on the stock undone, each row at most once.

#include "data/DataModule_MovEstq.h"
#include "movements/Lancamentos.h"
#include "support/AplicacaoTeste.h"
#include "support/Cadastro.h"

#include "common/Decimal.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using namespace Tela;

class TstManutMovEstq : public QObject {
    Q_OBJECT

private slots:
    void opensOnTodaysMovements();
    void deleteAndRevert_data();
    void deleteAndRevert();
    void rowAlreadyDeletedIsNotRevertedAgain();
    void staleListDeletesOnlyTheRowSeen_data();
    void staleListDeletesOnlyTheRowSeen();
    void filters_data();
    void filters();
    void queryWindowFilterDoesNotNarrowTheList();
};

namespace {

using Cadastro::parafuso;
const QString arruela = QStringLiteral("        13");
const QDate ontem = QDate::currentDate().addDays(-1);

void cadastraProduto(AplicacaoTeste& t, const QString& codigo, const char* quantidade)
{
    Cadastro::produto(
        t.banco,
        {.codigo = codigo, .descricao = "Produto", .quantidade = quantidade, .valor = "6.5"});
}

// A ledger row of these cases: every one is worth 10.
void lancamento(AplicacaoTeste& t, int numero, const QString& produto, const QString& oper,
                const char* quant, const QDate& data)
{
    Cadastro::movimento(t.banco, {.numero = numero,
                                  .produto = produto,
                                  .operacao = oper,
                                  .quantidade = quant,
                                  .valor = 10,
                                  .data = data});
}

// The screw, 25 in stock, with an entry (1) of `entrada` and an exit (2) of 1, both today.
void entradaESaidaDeHoje(AplicacaoTeste& t, const char* entrada)
{
    Cadastro::grupo(t.banco, "000001", "Geral");
    cadastraProduto(t, parafuso, "25");
    lancamento(t, 1, parafuso, "EE", entrada, QDate::currentDate());
    lancamento(t, 2, parafuso, "SS", "1", QDate::currentDate());
}

void manutencao(TelaTeste& t, DriverModal::Passos passos)
{
    t.abre("ManutenodeMovimentaodeEstoque1", std::move(passos));
}

void escolhe(AplicacaoTeste& t, int numero)
{
    DataSet& lista = t.app.dmMovEstq().cds_MovEstq;
    for (int i = 0; i < lista.tamanho(); ++i)
        if (lista.valor(i, "MOV_CODINT").toLongLong() == numero)
            lista.setLinhaAtual(i);
    QCOMPARE(lista.valor("MOV_CODINT").toLongLong(), qint64(numero));
}

} // namespace

void TstManutMovEstq::opensOnTodaysMovements()
{
    TelaTeste t;
    Cadastro::grupo(t.banco, "000001", "Geral");
    cadastraProduto(t, parafuso, "10");
    lancamento(t, 1, parafuso, "EE", "1", QDate::currentDate());
    lancamento(t, 2, parafuso, "SS", "1", ontem);
    lancamento(t, 3, parafuso, "TS", "1", QDate::currentDate());
    manutencao(t, [&](QDialog* j) {
        QCOMPARE(j->windowTitle(), QStringLiteral("Manutenção de Movimentação de Estoque"));
        QCOMPARE(listados(t.app.dmMovEstq().cds_MovEstq), QList<int>({1, 3}));
        QVERIFY(focado(j, "dtpDataInicial"));
        const QAbstractItemModel* m = acha<QTableView>(j, "dbgMovEstq")->model();
        QStringList titulos;
        for (int c = 0; c < m->columnCount(); ++c)
            titulos << m->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(titulos, QStringList({"Código ", QStringLiteral("Descrição"), "Cod.Requisitante",
                                       "Requisitante", QStringLiteral("Operação"), "Data", "Valor",
                                       "Quantidade", "Documento"}));
        clica(j, "btnFechar");
    });
}

void TstManutMovEstq::deleteAndRevert_data()
{
    QTest::addColumn<QString>("oper");
    QTest::addColumn<QString>("quant");
    QTest::addColumn<QString>("estoque");
    QTest::addColumn<QString>("botao");
    QTest::addColumn<bool>("sim");
    QTest::addColumn<QString>("resta");
    QTest::addColumn<bool>("apagado");
    caso("entry reverted", "EE", "10", "25", "btnReverter", true, "15", true);
    caso("exit reverted", "SS", "4", "15", "btnReverter", true, "19", true);
    caso("entry reversal reverted", "TE", "3", "10", "btnReverter", true, "13", true);
    caso("exit reversal reverted", "TS", "3", "10", "btnReverter", true, "7", true);
    caso("delete only", "EE", "10", "25", "btnExcluir", true, "25", true);
    caso("no to revert", "EE", "10", "25", "btnReverter", false, "25", false);
    caso("no to delete", "SS", "4", "15", "btnExcluir", false, "15", false);
}

void TstManutMovEstq::deleteAndRevert()
{
    QFETCH(QString, oper);
    QFETCH(QString, quant);
    QFETCH(QString, estoque);
    QFETCH(QString, botao);
    QFETCH(bool, sim);
    QFETCH(QString, resta);
    QFETCH(bool, apagado);
    TelaTeste t;
    t.comAuditoria("000001"); // both flags on: still no audit line
    Cadastro::grupo(t.banco, "000001", "Geral");
    cadastraProduto(t, parafuso, qPrintable(estoque));
    cadastraProduto(t, arruela, "5");
    lancamento(t, 1, arruela, "EE", "1", QDate::currentDate());
    lancamento(t, 2, parafuso, oper, qPrintable(quant), QDate::currentDate());
    manutencao(t, [&](QDialog* j) {
        escolhe(t, 2);
        t.msgs.responde(sim);
        clica(j, qPrintable(botao));
        QCOMPARE(t.msgs.quantidade(), 1);
        QCOMPARE(t.msgs.mensagens()[0].tipo, TipoMensagem::Confirmacao);
        QCOMPARE(
            t.msgs.textos()[0],
            botao == "btnReverter"
                ? QStringLiteral("Tem certeza que deseja Excluir e Reverter essa Movimentação ?")
                : QStringLiteral("Tem certeza que deseja Excluir essa Movimentação ?"));
        QCOMPARE(listados(t.app.dmMovEstq().cds_MovEstq),
                 apagado ? QList<int>({1}) : QList<int>({1, 2}));
        clica(j, "btnFechar");
    });
    QCOMPARE(Cadastro::estoque(t.banco, parafuso), *Decimal::deTexto(resta));
    QCOMPARE(Cadastro::estoque(t.banco, arruela), Decimal(5, 0));
    QCOMPARE(
        t.banco.valor("Select PRO_Valor From Produtos Where PRO_Codigo = :C", {{"C", parafuso}})
            .value<Decimal>(),
        Decimal(650, 2));
    QCOMPARE(t.banco.conta("Mov_Estq"), apagado ? 1 : 2);
    QCOMPARE(t.banco.conta("Log"), 0);
}

// The list was read before another workstation deleted (and reverted) the row.
void TstManutMovEstq::rowAlreadyDeletedIsNotRevertedAgain()
{
    TelaTeste t;
    entradaESaidaDeHoje(t, "10");
    manutencao(t, [&](QDialog* j) {
        escolhe(t, 1);
        t.banco.executa("Delete From Mov_Estq Where MOV_CodInt = 1");
        t.banco.executa("Update Produtos Set PRO_Quant = 15");
        t.msgs.responde(true);
        clica(j, "btnReverter");
        QCOMPARE(t.msgs.textos().last(),
                 QStringLiteral("Não Consegui Realizar a Operação, Tente Novamente"));
        QCOMPARE(t.msgs.mensagens().last().tipo, TipoMensagem::Erro);
        QCOMPARE(listados(t.app.dmMovEstq().cds_MovEstq), QList<int>({2}));
        clica(j, "btnFechar");
    });
    QCOMPARE(Cadastro::estoque(t.banco, parafuso), Decimal(15, 0));
    QCOMPARE(t.banco.conta("Mov_Estq"), 1);
}

void TstManutMovEstq::staleListDeletesOnlyTheRowSeen_data()
{
    QTest::addColumn<QString>("botao");
    QTest::addColumn<QString>("meanwhile");
    QTest::addColumn<bool>("apagado");
    caso("revert, number now another product's exit", "btnReverter", "other product", false);
    caso("delete only, number now another product's exit", "btnExcluir", "other product", false);
    caso("revert, number now the same product's smaller exit", "btnReverter", "smaller exit",
         false);
    caso("revert, number now the same exit dated tomorrow", "btnReverter", "other date", false);
    caso("revert, row seen without a value is still there", "btnReverter", "nothing", true);
}

// A second workstation deletes the highest row after this one read its list, and saves a new
// movement, which takes that number. The stale row must not delete the new movement.
void TstManutMovEstq::staleListDeletesOnlyTheRowSeen()
{
    QFETCH(QString, botao);
    QFETCH(QString, meanwhile);
    QFETCH(bool, apagado);
    TelaTeste t;
    Cadastro::grupo(t.banco, "000001", "Geral");
    cadastraProduto(t, parafuso, "25");
    cadastraProduto(t, arruela, "40");
    lancamento(t, 1, parafuso, "EE", "10", QDate::currentDate());
    // An exit written before values were kept: the row shows no value.
    Cadastro::movimento(t.banco, {.numero = 2,
                                  .produto = parafuso,
                                  .operacao = "SS",
                                  .quantidade = "4",
                                  .data = QDate::currentDate()});
    Conexao& outra = t.banco.conexao();
    const QString novoProduto = meanwhile == "other product" ? arruela : parafuso;
    const QString qtd = meanwhile == "smaller exit" ? "3" : "4";
    const QDate data = QDate::currentDate().addDays(meanwhile == "other date" ? 1 : 0);
    manutencao(t, [&](QDialog* j) {
        escolhe(t, 2);
        if (meanwhile != "nothing") {
            Lancamentos::excluiMovimento(
                outra, {2, parafuso, "SS", QDate::currentDate(), Decimal(4, 0), std::nullopt},
                true);
            QCOMPARE(
                Lancamentos::gravaSaida(
                    outra,
                    {novoProduto, data, *Decimal::deTexto(qtd), Decimal(0, 2), "", "", true, {}})
                    .movimento,
                qint64(2));
        }
        t.msgs.responde(true);
        clica(j, qPrintable(botao));
        if (apagado) {
            QCOMPARE(t.msgs.quantidade(), 1);
            QCOMPARE(listados(t.app.dmMovEstq().cds_MovEstq), QList<int>({1}));
        } else {
            QCOMPARE(t.msgs.textos().last(),
                     QStringLiteral("Não Consegui Realizar a Operação, Tente Novamente"));
            QCOMPARE(t.msgs.mensagens().last().tipo, TipoMensagem::Erro);
            // The list read again shows the new movement under the old number (when it is
            // in the day shown).
            QCOMPARE(listados(t.app.dmMovEstq().cds_MovEstq),
                     data == QDate::currentDate() ? QList<int>({1, 2}) : QList<int>({1}));
        }
        clica(j, "btnFechar");
    });
    if (apagado) {
        QCOMPARE(t.banco.conta("Mov_Estq"), 1);
        QCOMPARE(Cadastro::estoque(t.banco, parafuso), Decimal(29, 0));
        return;
    }
    // The new movement and both stocks are as the second workstation left them.
    QCOMPARE(t.banco.valor("Select MOV_CodPro From Mov_Estq Where MOV_CodInt = 2").toString(),
             novoProduto);
    QCOMPARE(t.banco.conta("Mov_Estq"), 2);
    const Decimal saiu = *Decimal::deTexto(qtd);
    QCOMPARE(Cadastro::estoque(t.banco, parafuso),
             novoProduto == parafuso ? Decimal(29, 0) - saiu : Decimal(29, 0));
    QCOMPARE(Cadastro::estoque(t.banco, arruela),
             novoProduto == arruela ? Decimal(40, 0) - saiu : Decimal(40, 0));
}

void TstManutMovEstq::filters_data()
{
    QTest::addColumn<int>("desde"); // days before today
    QTest::addColumn<int>("ate");
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QList<int>>("esperados");
    QTest::addColumn<QString>("mensagem");
    caso("yesterday to today, both included", 1, 0, "", QList<int>({1, 2, 3}), "");
    caso("one product", 1, 0, "13", QList<int>({3}), "");
    caso("start after the end", 0, 1, "", QList<int>(), "");
    caso("unknown product", 1, 0, "99", QList<int>({1, 2, 3}),
         QStringLiteral("Produto não Cadastrado"));
}

void TstManutMovEstq::filters()
{
    QFETCH(int, desde);
    QFETCH(int, ate);
    QFETCH(QString, codigo);
    QFETCH(QList<int>, esperados);
    QFETCH(QString, mensagem);
    TelaTeste t;
    Cadastro::grupo(t.banco, "000001", "Geral");
    cadastraProduto(t, parafuso, "25");
    cadastraProduto(t, arruela, "25");
    lancamento(t, 1, parafuso, "EE", "1", ontem);
    lancamento(t, 2, parafuso, "SS", "1", QDate::currentDate());
    lancamento(t, 3, arruela, "SS", "1", ontem);
    lancamento(t, 4, arruela, "SS", "1", ontem.addDays(-1));
    manutencao(t, [&](QDialog* j) {
        acha<QDateEdit>(j, "dtpDataInicial")->setDate(QDate::currentDate().addDays(-desde));
        acha<QDateEdit>(j, "dtpDataFinal")->setDate(QDate::currentDate().addDays(-ate));
        if (!codigo.isEmpty()) {
            informa(j, "edCodigo", codigo);
            QCOMPARE(t.msgs.textos(), mensagem.isEmpty() ? QStringList() : QStringList{mensagem});
            if (mensagem.isEmpty()) {
                QCOMPARE(texto(j, "edDesc"), QString("Produto"));
                QVERIFY(focado(j, "btnFiltra"));
            } else {
                QVERIFY(texto(j, "edCodigo").isEmpty());
                QTRY_VERIFY(focado(j, "edCodigo"));
            }
        }
        clica(j, "btnFiltra");
        QCOMPARE(listados(t.app.dmMovEstq().cds_MovEstq), esperados);
        clica(j, "btnFechar");
    });
}

void TstManutMovEstq::queryWindowFilterDoesNotNarrowTheList()
{
    TelaTeste t;
    entradaESaidaDeHoje(t, "1");
    t.abre("ConsultadeMovimentaodeEstoque1", [&](QDialog* j) {
        marca(j, "cbSaidas");
        QCOMPARE(listados(t.app.dmMovEstq().cds_MovEstq), QList<int>({1}));
        clica(j, "btnConsulta_MovEstq_Fechar");
    });
    manutencao(t, [&](QDialog* j) {
        QCOMPARE(listados(t.app.dmMovEstq().cds_MovEstq), QList<int>({1, 2}));
        clica(j, "btnFiltra");
        QCOMPARE(listados(t.app.dmMovEstq().cds_MovEstq), QList<int>({1, 2}));
        clica(j, "btnFechar");
    });
}

QTEST_MAIN(TstManutMovEstq)
#include "tst_manutmovestq.moc"
