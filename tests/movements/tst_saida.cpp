// The stock exit: look-ups by code, bar code and requisitioner, the value of a consumable and
// the due date of a lent item, and saves that write the ledger, the stock, the loan and the
// audit line together or not at all.

#include "app/Principal.h"
#include "common/Decimal.h"
#include "data/DataModule_Produtos.h"
#include "data/DataModule_Req.h"
#include "movements/Saida_Estq.h"
#include "registers/Busca_Produtos.h"
#include "registers/Busca_REQ.h"
#include "support/AplicacaoTeste.h"
#include "support/Cadastro.h"
#include "support/DriverModal.h"
#include "support/GravadorMensagens.h"
#include "support/Numeros.h"
#include "support/Tela.h"
#include "support/Textos.h"

#include <QDateEdit>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace Tela;
using Textos::produtoNaoEncontrado;

class TstSaida : public QObject {
    Q_OBJECT

private slots:
    void openingStateAndEnterMovesOn();
    void saves_data();
    void saves();
    void lentItemOpensItsOwnLoan();
    void lentItemChecksStockBeforeRequisitioner_data();
    void lentItemChecksStockBeforeRequisitioner();
    void productLookups_data();
    void productLookups();
    void requisitionerLookup_data();
    void requisitionerLookup();
    void refusedWithoutAProductLookedUp_data();
    void refusedWithoutAProductLookedUp();
    void refusedCodeStopsTheClickThatLeftIt_data();
    void refusedCodeStopsTheClickThatLeftIt();
    void failingLoanRollsBackEverything();
    void auditLine_data();
    void auditLine();
    void searchWindowsFillTheFields();
};

namespace {

using Cadastro::furadeira;
using Cadastro::parafuso;
const QString reqNaoEncontrado = QStringLiteral("Requisitante não Encontrado !");
const QString estoqueInsuficiente =
    QStringLiteral("Quantidade tem que ser igual ou menor que a Quantidade Atual em Estoque");
const QString semRequisitante = QStringLiteral("O Campo de Requisitante precisa ser preenchido !");
const QString semProduto =
    QStringLiteral("Nenhum Produto foi Escolhido, digite o Código do Produto !");
const QString falhaGravacao = QStringLiteral("Não consegui Gravar, Tente novamente !");
const QString quantidadeInvalida =
    QStringLiteral("O campo Quantidade não contém um número válido !");

// A screw that is used up (20 on hand at 6,50) and a drill that is lent out (3 at 389,00),
// both in a group so the product search lists them, and one requisitioner.
void parafusoEFuradeira(AplicacaoTeste& t)
{
    Cadastro::grupo(t.banco, "000001", "Geral");
    Cadastro::produto(t.banco, {.codigo = parafuso,
                                .descricao = "Parafuso",
                                .quantidade = "20",
                                .valor = "6.5",
                                .unidade = "UN",
                                .codigoBarras = "7891000000012"});
    Cadastro::produto(t.banco, {.codigo = furadeira,
                                .descricao = "Furadeira",
                                .quantidade = "3",
                                .valor = "389",
                                .consumivel = "N",
                                .unidade = "PC",
                                .codigoBarras = "7891000000013"});
    Cadastro::requisitante(t.banco, "000003", QStringLiteral("Manutenção"));
}

// Opens the window from the main menu, as a person does; the steps run in it.
void saida(TelaTeste& t, DriverModal::Passos passos)
{
    t.abre("SadanoEstoque1", std::move(passos));
}

// What an emptied window shows.
void verificaVazia(QWidget* j)
{
    for (const char* nome :
         {"edSaida_CodPro", "edSaida_DescPro", "edSaida_CodBar", "edSaida_Unid", "edSaida_CodREQ",
          "edSaida_DescREQ", "edSaida_Doc", "edSaida_consumivel"})
        QVERIFY2(texto(j, nome).isEmpty(), nome);
    QCOMPARE(texto(j, "edSaida_QuantAtual"), QString("0,000"));
    QCOMPARE(texto(j, "EdSaida_Quant"), QString("0,000"));
    QCOMPARE(texto(j, "edSaida_Valor"), QString("R$ 0,00"));
    QCOMPARE(acha<QDateEdit>(j, "dtpSaida_Data")->date(), QDate::currentDate());
    QCOMPARE(acha<QDateEdit>(j, "dtpSaida_DataD")->date(), QDate::currentDate());
    QVERIFY(focado(j, "edSaida_CodPro"));
}

} // namespace

void TstSaida::openingStateAndEnterMovesOn()
{
    TelaTeste t;
    parafusoEFuradeira(t);
    saida(t, [&](QDialog* j) {
        QCOMPARE(j->windowTitle(), QStringLiteral("Saída do Estoque"));
        QCOMPARE(acha<QLabel>(j, "lbSaida_Titulo")->text(), QStringLiteral("Saída do Estoque"));
        verificaVazia(j);
        QVERIFY(botao(j, "btnSaida_Estq_Grava")->isEnabled());
        // Nothing looked up yet: the value cannot be typed, the due date shows.
        QVERIFY(campo(j, "edSaida_Valor")->isReadOnly());
        QVERIFY(acha<QDateEdit>(j, "dtpSaida_DataD")->isVisible());
        QCOMPARE(acha<QLabel>(j, "lbSaida_DataD")->text(),
                 QStringLiteral("Data Prevista para Devolução:"));

        // Enter walks the fields in their order, date pickers included; on a button Tab does.
        QStringList ordem;
        for (int i = 0; i < 17; ++i) {
            QWidget* w = focado();
            ordem << w->objectName();
            QTest::keyClick(w, qobject_cast<QPushButton*>(w) ? Qt::Key_Tab : Qt::Key_Return);
        }
        QCOMPARE(
            ordem,
            QStringList({"edSaida_CodPro", "edSaida_DescPro", "btnSaida_Estoque_BuscaPRO",
                         "edSaida_CodBar", "edSaida_Unid", "edSaida_QuantAtual", "dtpSaida_Data",
                         "edSaida_CodREQ", "edSaida_DescREQ", "btnSaida_Estoque_BuscaTipo",
                         "EdSaida_Quant", "edSaida_Valor", "edSaida_Doc", "edSaida_consumivel",
                         "dtpSaida_DataD", "btnSaida_Estq_Grava", "btnSaida_Estq_Fecha"}));

        // Enter leaving the code runs its look-up, like Tab.
        digita(j, "edSaida_CodPro", "12");
        enter(j, "edSaida_CodPro");
        QVERIFY(focado(j, "edSaida_DescPro"));
        QCOMPARE(texto(j, "edSaida_DescPro"), QString("Parafuso"));
        informa(j, "edSaida_CodREQ", "3");
        digita(j, "EdSaida_Quant", "2");
        digita(j, "edSaida_Doc", "RM 1");
        clica(j, "btnSaida_Estq_Fecha");
    });
    // Opened again: emptied, but the value stays typeable and the due date hidden, as the
    // consumable looked up last left them.
    saida(t, [&](QDialog* j) {
        verificaVazia(j);
        QVERIFY(!campo(j, "edSaida_Valor")->isReadOnly());
        QVERIFY(!acha<QDateEdit>(j, "dtpSaida_DataD")->isVisible());
        QVERIFY(!acha<QLabel>(j, "lbSaida_DataD")->isVisible());
        clica(j, "btnSaida_Estq_Fecha");
    });
    QCOMPARE(t.msgs.quantidade(), 0);
    QCOMPARE(t.banco.conta("Mov_Estq"), 0);
}

void TstSaida::saves_data()
{
    QTest::addColumn<QString>("mostrada"); // typed over the shown stock; empty: left as shown
    QTest::addColumn<QString>("requisitante");
    QTest::addColumn<QString>("valor"); // typed over the average cost; empty: left
    QTest::addColumn<QString>("quant");
    QTest::addColumn<QString>("mensagem"); // empty: saved
    QTest::addColumn<QString>("valorGravado");
    QTest::addColumn<QString>("resta");
    caso("worked example", "", "3", "", "4", "", "26", "16");
    caso("exactly the stock", "", "3", "", "20", "", "130", "0");
    caso("0,001 more", "", "3", "", "20,001", estoqueInsuficiente, "", "20");
    // The stock on screen can be typed over; the stored stock decides.
    caso("0,001 more, shown stock raised", "100", "3", "", "20,001", estoqueInsuficiente, "", "20");
    caso("shown stock lowered", "1", "3", "", "4", "", "26", "16");
    caso("zero", "", "3", "", "0", "", "0", "20");
    caso("consumable, no requisitioner, other value", "", "", "7", "4", "", "28", "16");
    caso("quantity erased", "", "3", "", "", quantidadeInvalida, "", "20");
}

void TstSaida::saves()
{
    QFETCH(QString, mostrada);
    QFETCH(QString, requisitante);
    QFETCH(QString, valor);
    QFETCH(QString, quant);
    QFETCH(QString, mensagem);
    QFETCH(QString, valorGravado);
    QFETCH(QString, resta);
    TelaTeste t;
    parafusoEFuradeira(t);
    saida(t, [&](QDialog* j) {
        informa(j, "edSaida_CodPro", "12");
        QCOMPARE(texto(j, "edSaida_QuantAtual"), QString("20,000"));
        QCOMPARE(texto(j, "edSaida_Valor"), QString("R$ 6,50"));
        if (!mostrada.isEmpty())
            digita(j, "edSaida_QuantAtual", mostrada);
        acha<QDateEdit>(j, "dtpSaida_Data")->setDate(QDate(2004, 10, 10));
        if (!requisitante.isEmpty())
            informa(j, "edSaida_CodREQ", requisitante);
        digita(j, "EdSaida_Quant", quant);
        if (!valor.isEmpty())
            digita(j, "edSaida_Valor", valor);
        digita(j, "edSaida_Doc", "RM 15");
        clica(j, "btnSaida_Estq_Grava");
        QCOMPARE(t.msgs.textos(), mensagem.isEmpty() ? QStringList() : QStringList({mensagem}));
        if (mensagem.isEmpty()) {
            verificaVazia(j);
        } else {
            QCOMPARE(t.msgs.mensagens()[0].tipo, TipoMensagem::Erro);
            QCOMPARE(texto(j, "edSaida_CodPro"), parafuso);
            QCOMPARE(texto(j, "edSaida_Doc"), QString("RM 15"));
        }
        clica(j, "btnSaida_Estq_Fecha");
    });
    QCOMPARE(Cadastro::estoque(t.banco, parafuso), d(qPrintable(resta)));
    QCOMPARE(
        t.banco.valor("Select PRO_Valor From Produtos Where PRO_Codigo = :C", {{"C", parafuso}})
            .value<Decimal>(),
        d("6.5"));
    QCOMPARE(t.banco.conta("Mov_Consu"), 0);
    const Resultado mov = t.banco.consulta("Select * From Mov_Estq");
    if (!mensagem.isEmpty()) {
        QCOMPARE(mov.tamanho(), 0);
        return;
    }
    QCOMPARE(mov.tamanho(), 1);
    QCOMPARE(mov.valor(0, "MOV_CodInt").toLongLong(), 1);
    QCOMPARE(mov.valor(0, "MOV_CodPro").toString(), parafuso);
    QCOMPARE(mov.valor(0, "MOV_Oper").toString(), QString("SS"));
    QCOMPARE(mov.valor(0, "MOV_Data").toDate(), QDate(2004, 10, 10));
    QCOMPARE(mov.valor(0, "MOV_Quant").value<Decimal>(), d(qPrintable(quant)));
    QCOMPARE(mov.valor(0, "MOV_Valor").value<Decimal>(), d(qPrintable(valorGravado)));
    QCOMPARE(mov.valor(0, "MOV_Doc").toString().trimmed(), QString("RM 15"));
    QCOMPARE(mov.valor(0, "MOV_Tipo").toString().trimmed(),
             requisitante.isEmpty() ? QString() : QString("000003"));
    QVERIFY(mov.valor(0, "MOV_CodFor").isNull());
}

void TstSaida::lentItemOpensItsOwnLoan()
{
    TelaTeste t;
    parafusoEFuradeira(t);
    // The ledger's numbers already run high; the loans are numbered on their own.
    Cadastro::movimento(t.banco, {.numero = 41, .operacao = "EE"});
    const QDate hoje = QDate::currentDate();
    saida(t, [&](QDialog* j) {
        // Found by its bar code, the drill shows its average cost; a lent item still carries
        // no value.
        informa(j, "edSaida_CodBar", "7891000000013");
        QCOMPARE(texto(j, "edSaida_CodPro"), furadeira);
        QCOMPARE(texto(j, "edSaida_consumivel"), QStringLiteral("Não"));
        QCOMPARE(texto(j, "edSaida_Valor"), QString("R$ 389,00"));
        digita(j, "EdSaida_Quant", "1");
        clica(j, "btnSaida_Estq_Grava");
        QCOMPARE(t.msgs.textos(), QStringList({semRequisitante}));
        QCOMPARE(t.msgs.mensagens()[0].tipo, TipoMensagem::Erro);
        QVERIFY(focado(j, "edSaida_CodREQ"));
        QCOMPARE(t.banco.conta("Mov_Estq"), 1);

        t.msgs.limpa();
        informa(j, "edSaida_CodREQ", "3");
        acha<QDateEdit>(j, "dtpSaida_DataD")->setDate(hoje.addDays(7));
        digita(j, "edSaida_Doc", "RM 7");
        clica(j, "btnSaida_Estq_Grava");
        QCOMPARE(t.msgs.quantidade(), 0);
        verificaVazia(j);
        clica(j, "btnSaida_Estq_Fecha");
    });
    const Resultado mov = t.banco.consulta("Select * From Mov_Estq Where MOV_CodInt = 42");
    QCOMPARE(mov.tamanho(), 1);
    QCOMPARE(mov.valor(0, "MOV_Oper").toString(), QString("SS"));
    QCOMPARE(mov.valor(0, "MOV_Valor").value<Decimal>(), d("0"));
    QCOMPARE(mov.valor(0, "MOV_Quant").value<Decimal>(), d("1"));
    QCOMPARE(mov.valor(0, "MOV_Tipo").toString(), QString("000003"));
    const Resultado loan = t.banco.consulta("Select * From Mov_Consu");
    QCOMPARE(loan.tamanho(), 1);
    QCOMPARE(loan.valor(0, "MOV_CodInt").toLongLong(), 1);
    QCOMPARE(loan.valor(0, "MOV_CodPro").toString(), furadeira);
    QCOMPARE(loan.valor(0, "MOV_Tipo").toString(), QString("000003"));
    QCOMPARE(loan.valor(0, "MOV_Data").toDate(), hoje);
    QCOMPARE(loan.valor(0, "MOV_DataD").toDate(), hoje.addDays(7));
    QCOMPARE(loan.valor(0, "MOV_Quant").value<Decimal>(), d("1"));
    QCOMPARE(loan.valor(0, "MOV_Doc").toString(), QString("RM 7"));
    QCOMPARE(loan.valor(0, "MOV_Devolvido").toString(), QString("N"));
    QVERIFY(loan.valor(0, "MOV_DataE").isNull());
    QCOMPARE(Cadastro::estoque(t.banco, furadeira), d("2"));
}

void TstSaida::lentItemChecksStockBeforeRequisitioner_data()
{
    QTest::addColumn<QString>("quant");
    QTest::addColumn<QString>("mensagem");
    QTest::addColumn<QString>("foco"); // empty: the focus stays where it was
    // Asked for beyond the stock, the quantity is what must be corrected first, whether or not
    // the requisitioner is there.
    caso("beyond the stock", "5", estoqueInsuficiente, "");
    caso("within the stock", "1", semRequisitante, "edSaida_CodREQ");
}

void TstSaida::lentItemChecksStockBeforeRequisitioner()
{
    QFETCH(QString, quant);
    QFETCH(QString, mensagem);
    QFETCH(QString, foco);
    TelaTeste t;
    parafusoEFuradeira(t);
    saida(t, [&](QDialog* j) {
        informa(j, "edSaida_CodPro", "13");
        digita(j, "EdSaida_Quant", quant);
        clica(j, "btnSaida_Estq_Grava");
        QCOMPARE(t.msgs.textos(), QStringList({mensagem}));
        QCOMPARE(t.msgs.mensagens()[0].tipo, TipoMensagem::Erro);
        if (!foco.isEmpty())
            QTRY_VERIFY(focado(j, qPrintable(foco)));
        QCOMPARE(texto(j, "edSaida_CodPro"), furadeira);
        clica(j, "btnSaida_Estq_Fecha");
    });
    QCOMPARE(t.banco.conta("Mov_Estq"), 0);
    QCOMPARE(t.banco.conta("Mov_Consu"), 0);
    QCOMPARE(Cadastro::estoque(t.banco, furadeira), d("3"));
}

void TstSaida::productLookups_data()
{
    QTest::addColumn<QString>("antes"); // a code looked up first; empty: none
    QTest::addColumn<QString>("nome");  // the field typed in
    QTest::addColumn<QString>("digitado");
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("descricao");
    QTest::addColumn<QString>("mostrada");
    QTest::addColumn<QString>("valor");
    QTest::addColumn<bool>("valorFixo"); // the value field is read-only
    QTest::addColumn<QString>("consumivel");
    QTest::addColumn<bool>("devolucao"); // the due date shows
    QTest::addColumn<QString>("mensagem");
    const QString nao = QStringLiteral("Não");
    caso("code of a consumable, padded", "", "edSaida_CodPro", "12", parafuso, "Parafuso", "20,000",
         "R$ 6,50", false, "Sim", false, "");
    caso("code of a lent item", "", "edSaida_CodPro", "13", furadeira, "Furadeira", "3,000",
         "R$ 0,00", true, nao, true, "");
    caso("bar code of a lent item", "", "edSaida_CodBar", "7891000000013", furadeira, "Furadeira",
         "3,000", "R$ 389,00", true, nao, true, "");
    // Only the look-up by code decides whether the value can be typed.
    caso("bar code of a consumable after a lent item", "13", "edSaida_CodBar", "7891000000012",
         parafuso, "Parafuso", "20,000", "R$ 6,50", true, "Sim", false, "");
    caso("unknown code", "", "edSaida_CodPro", "999", "       999", "", "0,000", "R$ 0,00", true,
         "", true, produtoNaoEncontrado);
    caso("unknown code keeps the product shown", "12", "edSaida_CodPro", "999", "       999",
         "Parafuso", "20,000", "R$ 6,50", false, "Sim", false, produtoNaoEncontrado);
    caso("unknown bar code", "", "edSaida_CodBar", "000", "", "", "0,000", "R$ 0,00", true, "",
         true, produtoNaoEncontrado);
}

void TstSaida::productLookups()
{
    QFETCH(QString, antes);
    QFETCH(QString, nome);
    QFETCH(QString, digitado);
    QFETCH(QString, codigo);
    QFETCH(QString, descricao);
    QFETCH(QString, mostrada);
    QFETCH(QString, valor);
    QFETCH(bool, valorFixo);
    QFETCH(QString, consumivel);
    QFETCH(bool, devolucao);
    QFETCH(QString, mensagem);
    TelaTeste t;
    parafusoEFuradeira(t);
    saida(t, [&](QDialog* j) {
        if (!antes.isEmpty())
            informa(j, "edSaida_CodPro", antes);
        informa(j, qPrintable(nome), digitado);
        QCOMPARE(t.msgs.textos(), mensagem.isEmpty() ? QStringList() : QStringList({mensagem}));
        if (!mensagem.isEmpty()) {
            QCOMPARE(t.msgs.mensagens()[0].tipo, TipoMensagem::Informacao);
            QTRY_COMPARE(focado(), campo(j, qPrintable(nome)));
        }
        QCOMPARE(texto(j, "edSaida_CodPro"), codigo);
        QCOMPARE(texto(j, "edSaida_DescPro"), descricao);
        QCOMPARE(texto(j, "edSaida_QuantAtual"), mostrada);
        QCOMPARE(texto(j, "edSaida_Valor"), valor);
        QCOMPARE(campo(j, "edSaida_Valor")->isReadOnly(), valorFixo);
        QCOMPARE(texto(j, "edSaida_consumivel"), consumivel);
        QCOMPARE(acha<QDateEdit>(j, "dtpSaida_DataD")->isVisible(), devolucao);
        QCOMPARE(acha<QLabel>(j, "lbSaida_DataD")->isVisible(), devolucao);
        if (descricao == QLatin1String("Parafuso") && mensagem.isEmpty()) {
            QCOMPARE(texto(j, "edSaida_CodBar"), QString("7891000000012"));
            QCOMPARE(texto(j, "edSaida_Unid"), QString("UN"));
        }
        clica(j, "btnSaida_Estq_Fecha");
    });
}

void TstSaida::requisitionerLookup_data()
{
    QTest::addColumn<QString>("digitado");
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("mensagem");
    caso("3 padded", "3", "000003", QStringLiteral("Manutenção"), "");
    caso("typed whole", "000003", "000003", QStringLiteral("Manutenção"), "");
    caso("unknown", "77", "", "", reqNaoEncontrado);
}

void TstSaida::requisitionerLookup()
{
    QFETCH(QString, digitado);
    QFETCH(QString, codigo);
    QFETCH(QString, nome);
    QFETCH(QString, mensagem);
    TelaTeste t;
    parafusoEFuradeira(t);
    saida(t, [&](QDialog* j) {
        informa(j, "edSaida_CodREQ", digitado);
        QCOMPARE(t.msgs.textos(), mensagem.isEmpty() ? QStringList() : QStringList({mensagem}));
        QCOMPARE(texto(j, "edSaida_CodREQ"), codigo);
        QCOMPARE(texto(j, "edSaida_DescREQ"), nome);
        if (mensagem.isEmpty()) {
            QVERIFY(focado(j, "edSaida_DescREQ"));
        } else {
            QCOMPARE(t.msgs.mensagens()[0].tipo, TipoMensagem::Informacao);
            QTRY_COMPARE(focado(), campo(j, "edSaida_CodREQ"));
        }
        clica(j, "btnSaida_Estq_Fecha");
    });
}

void TstSaida::refusedWithoutAProductLookedUp_data()
{
    QTest::addColumn<QString>("antes");  // a code looked up first; empty: none
    QTest::addColumn<QString>("depois"); // a code typed and not found; empty: none
    QTest::addColumn<bool>("apagado");   // the product is deleted elsewhere before the save
    QTest::addColumn<QStringList>("mensagens");
    caso("nothing looked up", "", "", false, QStringList({semProduto}));
    // The fields still describe the screw; neither it nor the unknown code may be issued.
    caso("unknown code after a product", "12", "999", false,
         QStringList({produtoNaoEncontrado, semProduto}));
    caso("product deleted after its look-up", "12", "", true, QStringList({produtoNaoEncontrado}));
}

void TstSaida::refusedWithoutAProductLookedUp()
{
    QFETCH(QString, antes);
    QFETCH(QString, depois);
    QFETCH(bool, apagado);
    QFETCH(QStringList, mensagens);
    TelaTeste t;
    parafusoEFuradeira(t);
    saida(t, [&](QDialog* j) {
        if (!antes.isEmpty())
            informa(j, "edSaida_CodPro", antes);
        if (!depois.isEmpty())
            informa(j, "edSaida_CodPro", depois);
        informa(j, "edSaida_CodREQ", "3");
        digita(j, "EdSaida_Quant", "1");
        if (apagado)
            t.banco.executa("Delete From Produtos Where PRO_Codigo = :C", {{"C", parafuso}});
        clica(j, "btnSaida_Estq_Grava");
        QCOMPARE(t.msgs.textos(), mensagens);
        QCOMPARE(t.msgs.mensagens().last().tipo,
                 apagado ? TipoMensagem::Informacao : TipoMensagem::Erro);
        QTRY_COMPARE(focado(), campo(j, "edSaida_CodPro"));
        clica(j, "btnSaida_Estq_Fecha");
    });
    QCOMPARE(t.banco.conta("Mov_Estq"), 0);
    if (!apagado)
        QCOMPARE(Cadastro::estoque(t.banco, parafuso), d("20"));
}

void TstSaida::refusedCodeStopsTheClickThatLeftIt_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("digitado");
    QTest::addColumn<QString>("mensagem");
    QTest::addColumn<QString>("depois"); // what the field shows after the refusal
    caso("unknown requisitioner", "edSaida_CodREQ", "77", reqNaoEncontrado, "");
    caso("unknown bar code", "edSaida_CodBar", "000", produtoNaoEncontrado, "000");
}

// The screw is on screen; the person types a code that is not registered and presses "Grava"
// at once: the look-up says so, and the exit is not recorded without what they meant to give.
void TstSaida::refusedCodeStopsTheClickThatLeftIt()
{
    QFETCH(QString, nome);
    QFETCH(QString, digitado);
    QFETCH(QString, mensagem);
    QFETCH(QString, depois);
    TelaTeste t;
    parafusoEFuradeira(t);
    saida(t, [&](QDialog* j) {
        informa(j, "edSaida_CodPro", "12");
        digita(j, "EdSaida_Quant", "1");
        digita(j, qPrintable(nome), digitado);
        clica(j, "btnSaida_Estq_Grava");
        QCOMPARE(t.msgs.textos(), QStringList({mensagem}));
        QCOMPARE(t.msgs.mensagens()[0].tipo, TipoMensagem::Informacao);
        QCOMPARE(texto(j, qPrintable(nome)), depois);
        QTRY_VERIFY(focado(j, qPrintable(nome)));
        QCOMPARE(texto(j, "edSaida_CodPro"), parafuso);
        QCOMPARE(t.banco.conta("Mov_Estq"), 0);
        clica(j, "btnSaida_Estq_Fecha");
    });
    QCOMPARE(Cadastro::estoque(t.banco, parafuso), d("20"));
}

void TstSaida::failingLoanRollsBackEverything()
{
    TelaTeste t;
    parafusoEFuradeira(t);
    t.comAuditoria("000001");
    t.banco.recusa("Mov_Consu", "INSERT", "sem empréstimos");
    saida(t, [&](QDialog* j) {
        informa(j, "edSaida_CodPro", "13");
        informa(j, "edSaida_CodREQ", "3");
        digita(j, "EdSaida_Quant", "1");
        clica(j, "btnSaida_Estq_Grava");
        QCOMPARE(t.msgs.textos(), QStringList({falhaGravacao}));
        QCOMPARE(t.msgs.mensagens()[0].tipo, TipoMensagem::Aviso);
        // The window keeps what was typed, to try again.
        QCOMPARE(texto(j, "edSaida_CodPro"), furadeira);
        QCOMPARE(texto(j, "edSaida_CodREQ"), QString("000003"));
        QCOMPARE(texto(j, "EdSaida_Quant"), QString("1,000"));
        clica(j, "btnSaida_Estq_Fecha");
    });
    QCOMPARE(t.banco.conta("Mov_Estq"), 0);
    QCOMPARE(t.banco.conta("Mov_Consu"), 0);
    QCOMPARE(t.banco.conta("Log"), 0);
    QCOMPARE(Cadastro::estoque(t.banco, furadeira), d("3"));
}

void TstSaida::auditLine_data()
{
    AplicacaoTeste::tabelaDeAuditoria();
}

void TstSaida::auditLine()
{
    QFETCH(bool, registra);
    TelaTeste t;
    parafusoEFuradeira(t);
    t.auditoriaDaLinha("000002");
    saida(t, [&](QDialog* j) {
        informa(j, "edSaida_CodPro", "12");
        digita(j, "EdSaida_Quant", "1");
        clica(j, "btnSaida_Estq_Grava");
        clica(j, "btnSaida_Estq_Fecha");
    });
    QCOMPARE(t.msgs.quantidade(), 0);
    QCOMPARE(t.banco.conta("Mov_Estq"), 1);
    QCOMPARE(Cadastro::linhasLog(t.banco),
             registra ? QStringList{QStringLiteral("000002|Saída do Estoque:") + parafuso}
                      : QStringList());
}

void TstSaida::searchWindowsFillTheFields()
{
    TelaTeste t;
    parafusoEFuradeira(t);
    // Windows take their steps in the order they open: the exit, then each search it opens.
    t.driver.aoAbrir([&](QDialog* j) {
        // F5 in the product code opens the product search for this window.
        QLineEdit* codigo = f5(j, "edSaida_CodPro");
        QCOMPARE(t.app.janela<TfBusca_Produtos>().Origem, QStringLiteral("Saída Estoque"));
        QCOMPARE(codigo->text(), furadeira);
        QTRY_COMPARE(focado(), codigo);
        tab(j, "edSaida_CodPro");
        QCOMPARE(texto(j, "edSaida_DescPro"), QString("Furadeira"));

        // The "..." beside the requisitioner opens the requisitioner search.
        clica(j, "btnSaida_Estoque_BuscaTipo");
        QCOMPARE(t.app.janela<TfBusca_REQ>().Origem, QString("Saida"));
        QCOMPARE(texto(j, "edSaida_CodREQ"), QString("000003"));
        QTRY_COMPARE(focado(), campo(j, "edSaida_CodREQ"));
        tab(j, "edSaida_CodREQ");
        QCOMPARE(texto(j, "edSaida_DescREQ"), QStringLiteral("Manutenção"));

        // F5 in the requisitioner code does the same.
        f5(j, "edSaida_CodREQ");
        QTRY_COMPARE(focado(), campo(j, "edSaida_CodREQ"));

        // And the "..." beside the product, for the screw this time.
        clica(j, "btnSaida_Estoque_BuscaPRO");
        QCOMPARE(codigo->text(), parafuso);
        QTRY_COMPARE(focado(), codigo);
        tab(j, "edSaida_CodPro");
        QCOMPARE(texto(j, "edSaida_DescPro"), QString("Parafuso"));
        clica(j, "btnSaida_Estq_Fecha");
    });
    const auto escolheProduto = [&](const QString& produto) {
        return [&, produto](QDialog* busca) {
            escolheNaBusca(busca, t.app.dmProdutos().cds_Produtos, "PRO_CODIGO", produto);
        };
    };
    const auto escolheRequisitante = [&](QDialog* busca) {
        QCOMPARE(t.app.dmReq().cds_Req.tamanho(), 1);
        escolheNaBusca(busca, t.app.dmReq().cds_Req, "REQ_CODIGO", "000003");
    };
    t.driver.aoAbrir(escolheProduto(furadeira));
    t.driver.aoAbrir(escolheRequisitante);
    t.driver.aoAbrir(escolheRequisitante);
    t.driver.aoAbrir(escolheProduto(parafuso));
    t.principal().aciona("SadanoEstoque1");
    QCOMPARE(t.driver.abertas(), QStringList({"TfSaida_Estq", "TfBusca_Produtos", "TfBusca_REQ",
                                              "TfBusca_REQ", "TfBusca_Produtos"}));
    QCOMPARE(t.msgs.quantidade(), 0);
}

QTEST_MAIN(TstSaida)
#include "tst_saida.moc"
