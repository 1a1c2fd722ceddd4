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
using Cadastro::furadeira;
using Cadastro::parafuso;
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

const QString reqNaoEncontrado = QStringLiteral("Requisitante não Encontrado !");
const QString estoqueInsuficiente =
    QStringLiteral("Quantidade tem que ser igual ou menor que a Quantidade Atual em Estoque");
const QString semRequisitante = QStringLiteral("O Campo de Requisitante precisa ser preenchido !");
const QString semProduto =
    QStringLiteral("Nenhum Produto foi Escolhido, digite o Código do Produto !");
const QString falhaGravacao = QStringLiteral("Não consegui Gravar, Tente novamente !");
const QString quantidadeInvalida =
    QStringLiteral("O campo Quantidade não contém um número válido !");

// The program on a fresh database holding a screw that is used up (20 on hand at 6,50) and a
// drill that is lent out (3 at 389,00), both in a group so the product search lists them, and
// one requisitioner; the exit window a menu item away.
class ComParafusoEFuradeira : public TelaTeste {
public:
    ComParafusoEFuradeira()
    {
        Cadastro::grupo(banco, "000001", "Geral");
        Cadastro::produto(banco, {.codigo = parafuso,
                                  .descricao = "Parafuso",
                                  .quantidade = "20",
                                  .valor = "6.5",
                                  .unidade = "UN",
                                  .codigoBarras = "7891000000012"});
        Cadastro::produto(banco, {.codigo = furadeira,
                                  .descricao = "Furadeira",
                                  .quantidade = "3",
                                  .valor = "389",
                                  .consumivel = "N",
                                  .unidade = "PC",
                                  .codigoBarras = "7891000000013"});
        Cadastro::requisitante(banco, "000003", QStringLiteral("Manutenção"));
    }

    // Opens the exit window from the main menu, as a person does; the steps run in it.
    void saida(DriverModal::Passos passos) { abre("SadanoEstoque1", std::move(passos)); }
};

// A save of the screw: what is typed over what its look-up shows, then what is said and what
// the ledger and the stock hold afterwards.
struct Gravacao {
    QString mostrada;     // typed over the shown stock; empty: left as shown
    QString requisitante; // empty: none
    QString valor;        // typed over the average cost; empty: left
    QString quant;
    QString mensagem;              // empty: saved
    const char* valorGravado = ""; // the ledger value of a save
    const char* resta = "";        // the stock afterwards
};

// A save of the drill refused: the quantity asked for, what is said and where the focus goes.
struct RecusaDaFuradeira {
    QString quant;
    QString mensagem;
    const char* foco = nullptr; // none: the focus stays where it was
};

// What the window shows of the product after a look-up.
struct ProdutoMostrado {
    QString codigo;
    QString descricao;
    QString quantAtual;
    QString valor;
    bool valorFixo; // the value field is read-only
    QString consumivel;
    bool devolucao; // the due date shows
};

// A product typed into one of the product fields, and what the window then says and shows.
struct BuscaDeProduto {
    QString antes; // a code looked up first; empty: none
    const char* campo = "";
    QString digitado;
    QString mensagem; // empty: found
    ProdutoMostrado mostra;
};

// A requisitioner code typed, and what the fields then hold.
struct BuscaDeRequisitante {
    QString digitado;
    QString codigo;
    QString nome;
    QString mensagem; // empty: found
};

// A save refused because no product stands looked up when "Grava" is pressed.
struct SemProduto {
    QString antes;        // a code looked up first; empty: none
    QString depois;       // a code typed and not found; empty: none
    bool apagado = false; // the product is deleted elsewhere before the save
    QStringList mensagens;
};

// A code typed and not found, just before "Grava" is pressed.
struct CodigoRecusado {
    const char* campo = "";
    QString digitado;
    QString mensagem;
    QString depois; // what the field shows after the refusal
};

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

Q_DECLARE_METATYPE(Gravacao)
Q_DECLARE_METATYPE(RecusaDaFuradeira)
Q_DECLARE_METATYPE(BuscaDeProduto)
Q_DECLARE_METATYPE(BuscaDeRequisitante)
Q_DECLARE_METATYPE(SemProduto)
Q_DECLARE_METATYPE(CodigoRecusado)

void TstSaida::openingStateAndEnterMovesOn()
{
    ComParafusoEFuradeira t;
    t.saida([&](QDialog* j) {
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
    t.saida([&](QDialog* j) {
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
    QTest::addColumn<Gravacao>("g");
    caso("worked example",
         Gravacao{.requisitante = "3", .quant = "4", .valorGravado = "26", .resta = "16"});
    caso("exactly the stock",
         Gravacao{.requisitante = "3", .quant = "20", .valorGravado = "130", .resta = "0"});
    caso("0,001 more", Gravacao{.requisitante = "3",
                                .quant = "20,001",
                                .mensagem = estoqueInsuficiente,
                                .resta = "20"});
    // The stock on screen can be typed over; the stored stock decides.
    caso("0,001 more, shown stock raised", Gravacao{.mostrada = "100",
                                                    .requisitante = "3",
                                                    .quant = "20,001",
                                                    .mensagem = estoqueInsuficiente,
                                                    .resta = "20"});
    caso("shown stock lowered", Gravacao{.mostrada = "1",
                                         .requisitante = "3",
                                         .quant = "4",
                                         .valorGravado = "26",
                                         .resta = "16"});
    caso("zero", Gravacao{.requisitante = "3", .quant = "0", .valorGravado = "0", .resta = "20"});
    caso("consumable, no requisitioner, other value",
         Gravacao{.valor = "7", .quant = "4", .valorGravado = "28", .resta = "16"});
    caso("quantity erased",
         Gravacao{.requisitante = "3", .mensagem = quantidadeInvalida, .resta = "20"});
}

void TstSaida::saves()
{
    QFETCH(Gravacao, g);
    ComParafusoEFuradeira t;
    t.saida([&](QDialog* j) {
        informa(j, "edSaida_CodPro", "12");
        QCOMPARE(texto(j, "edSaida_QuantAtual"), QString("20,000"));
        QCOMPARE(texto(j, "edSaida_Valor"), QString("R$ 6,50"));
        if (!g.mostrada.isEmpty())
            digita(j, "edSaida_QuantAtual", g.mostrada);
        acha<QDateEdit>(j, "dtpSaida_Data")->setDate(QDate(2004, 10, 10));
        if (!g.requisitante.isEmpty())
            informa(j, "edSaida_CodREQ", g.requisitante);
        digita(j, "EdSaida_Quant", g.quant);
        if (!g.valor.isEmpty())
            digita(j, "edSaida_Valor", g.valor);
        digita(j, "edSaida_Doc", "RM 15");
        clica(j, "btnSaida_Estq_Grava");
        QCOMPARE(t.msgs.textos(), g.mensagem.isEmpty() ? QStringList() : QStringList({g.mensagem}));
        if (g.mensagem.isEmpty()) {
            verificaVazia(j);
        } else {
            QCOMPARE(t.msgs.mensagens()[0].tipo, TipoMensagem::Erro);
            QCOMPARE(texto(j, "edSaida_CodPro"), parafuso);
            QCOMPARE(texto(j, "edSaida_Doc"), QString("RM 15"));
        }
        clica(j, "btnSaida_Estq_Fecha");
    });
    QCOMPARE(Cadastro::estoque(t.banco, parafuso), d(g.resta));
    QCOMPARE(
        t.banco.valor("Select PRO_Valor From Produtos Where PRO_Codigo = :C", {{"C", parafuso}})
            .value<Decimal>(),
        d("6.5"));
    QCOMPARE(t.banco.conta("Mov_Consu"), 0);
    const Resultado mov = t.banco.consulta("Select * From Mov_Estq");
    if (!g.mensagem.isEmpty()) {
        QCOMPARE(mov.tamanho(), 0);
        return;
    }
    QCOMPARE(mov.tamanho(), 1);
    QCOMPARE(mov.valor(0, "MOV_CodInt").toLongLong(), 1);
    QCOMPARE(mov.valor(0, "MOV_CodPro").toString(), parafuso);
    QCOMPARE(mov.valor(0, "MOV_Oper").toString(), QString("SS"));
    QCOMPARE(mov.valor(0, "MOV_Data").toDate(), QDate(2004, 10, 10));
    QCOMPARE(mov.valor(0, "MOV_Quant").value<Decimal>(), d(qPrintable(g.quant)));
    QCOMPARE(mov.valor(0, "MOV_Valor").value<Decimal>(), d(g.valorGravado));
    QCOMPARE(mov.valor(0, "MOV_Doc").toString().trimmed(), QString("RM 15"));
    QCOMPARE(mov.valor(0, "MOV_Tipo").toString().trimmed(),
             g.requisitante.isEmpty() ? QString() : QString("000003"));
    QVERIFY(mov.valor(0, "MOV_CodFor").isNull());
}

void TstSaida::lentItemOpensItsOwnLoan()
{
    ComParafusoEFuradeira t;
    // The ledger's numbers already run high; the loans are numbered on their own.
    Cadastro::movimento(t.banco, {.numero = 41, .operacao = "EE"});
    const QDate hoje = QDate::currentDate();
    t.saida([&](QDialog* j) {
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
    QTest::addColumn<RecusaDaFuradeira>("r");
    // Asked for beyond the stock, the quantity is what must be corrected first, whether or not
    // the requisitioner is there.
    caso("beyond the stock", RecusaDaFuradeira{.quant = "5", .mensagem = estoqueInsuficiente});
    caso("within the stock",
         RecusaDaFuradeira{.quant = "1", .mensagem = semRequisitante, .foco = "edSaida_CodREQ"});
}

void TstSaida::lentItemChecksStockBeforeRequisitioner()
{
    QFETCH(RecusaDaFuradeira, r);
    ComParafusoEFuradeira t;
    t.saida([&](QDialog* j) {
        informa(j, "edSaida_CodPro", "13");
        digita(j, "EdSaida_Quant", r.quant);
        clica(j, "btnSaida_Estq_Grava");
        QCOMPARE(t.msgs.textos(), QStringList({r.mensagem}));
        QCOMPARE(t.msgs.mensagens()[0].tipo, TipoMensagem::Erro);
        if (r.foco)
            QTRY_VERIFY(focado(j, r.foco));
        QCOMPARE(texto(j, "edSaida_CodPro"), furadeira);
        clica(j, "btnSaida_Estq_Fecha");
    });
    QCOMPARE(t.banco.conta("Mov_Estq"), 0);
    QCOMPARE(t.banco.conta("Mov_Consu"), 0);
    QCOMPARE(Cadastro::estoque(t.banco, furadeira), d("3"));
}

void TstSaida::productLookups_data()
{
    QTest::addColumn<BuscaDeProduto>("b");
    const QString nao = QStringLiteral("Não");
    caso(
        "code of a consumable, padded",
        BuscaDeProduto{.campo = "edSaida_CodPro",
                       .digitado = "12",
                       .mostra = {parafuso, "Parafuso", "20,000", "R$ 6,50", false, "Sim", false}});
    caso("code of a lent item",
         BuscaDeProduto{.campo = "edSaida_CodPro",
                        .digitado = "13",
                        .mostra = {furadeira, "Furadeira", "3,000", "R$ 0,00", true, nao, true}});
    caso("bar code of a lent item",
         BuscaDeProduto{.campo = "edSaida_CodBar",
                        .digitado = "7891000000013",
                        .mostra = {furadeira, "Furadeira", "3,000", "R$ 389,00", true, nao, true}});
    // Only the look-up by code decides whether the value can be typed.
    caso("bar code of a consumable after a lent item",
         BuscaDeProduto{.antes = "13",
                        .campo = "edSaida_CodBar",
                        .digitado = "7891000000012",
                        .mostra = {parafuso, "Parafuso", "20,000", "R$ 6,50", true, "Sim", false}});
    caso("unknown code",
         BuscaDeProduto{.campo = "edSaida_CodPro",
                        .digitado = "999",
                        .mensagem = produtoNaoEncontrado,
                        .mostra = {"       999", "", "0,000", "R$ 0,00", true, "", true}});
    caso("unknown code keeps the product shown",
         BuscaDeProduto{
             .antes = "12",
             .campo = "edSaida_CodPro",
             .digitado = "999",
             .mensagem = produtoNaoEncontrado,
             .mostra = {"       999", "Parafuso", "20,000", "R$ 6,50", false, "Sim", false}});
    caso("unknown bar code",
         BuscaDeProduto{.campo = "edSaida_CodBar",
                        .digitado = "000",
                        .mensagem = produtoNaoEncontrado,
                        .mostra = {"", "", "0,000", "R$ 0,00", true, "", true}});
}

void TstSaida::productLookups()
{
    QFETCH(BuscaDeProduto, b);
    ComParafusoEFuradeira t;
    t.saida([&](QDialog* j) {
        if (!b.antes.isEmpty())
            informa(j, "edSaida_CodPro", b.antes);
        informa(j, b.campo, b.digitado);
        QCOMPARE(t.msgs.textos(), b.mensagem.isEmpty() ? QStringList() : QStringList({b.mensagem}));
        if (!b.mensagem.isEmpty()) {
            QCOMPARE(t.msgs.mensagens()[0].tipo, TipoMensagem::Informacao);
            QTRY_COMPARE(focado(), campo(j, b.campo));
        }
        QCOMPARE(texto(j, "edSaida_CodPro"), b.mostra.codigo);
        QCOMPARE(texto(j, "edSaida_DescPro"), b.mostra.descricao);
        QCOMPARE(texto(j, "edSaida_QuantAtual"), b.mostra.quantAtual);
        QCOMPARE(texto(j, "edSaida_Valor"), b.mostra.valor);
        QCOMPARE(campo(j, "edSaida_Valor")->isReadOnly(), b.mostra.valorFixo);
        QCOMPARE(texto(j, "edSaida_consumivel"), b.mostra.consumivel);
        QCOMPARE(acha<QDateEdit>(j, "dtpSaida_DataD")->isVisible(), b.mostra.devolucao);
        QCOMPARE(acha<QLabel>(j, "lbSaida_DataD")->isVisible(), b.mostra.devolucao);
        if (b.mostra.descricao == QLatin1String("Parafuso") && b.mensagem.isEmpty()) {
            QCOMPARE(texto(j, "edSaida_CodBar"), QString("7891000000012"));
            QCOMPARE(texto(j, "edSaida_Unid"), QString("UN"));
        }
        clica(j, "btnSaida_Estq_Fecha");
    });
}

void TstSaida::requisitionerLookup_data()
{
    QTest::addColumn<BuscaDeRequisitante>("b");
    caso("3 padded", BuscaDeRequisitante{"3", "000003", QStringLiteral("Manutenção"), ""});
    caso("typed whole", BuscaDeRequisitante{"000003", "000003", QStringLiteral("Manutenção"), ""});
    caso("unknown", BuscaDeRequisitante{"77", "", "", reqNaoEncontrado});
}

void TstSaida::requisitionerLookup()
{
    QFETCH(BuscaDeRequisitante, b);
    ComParafusoEFuradeira t;
    t.saida([&](QDialog* j) {
        informa(j, "edSaida_CodREQ", b.digitado);
        QCOMPARE(t.msgs.textos(), b.mensagem.isEmpty() ? QStringList() : QStringList({b.mensagem}));
        QCOMPARE(texto(j, "edSaida_CodREQ"), b.codigo);
        QCOMPARE(texto(j, "edSaida_DescREQ"), b.nome);
        if (b.mensagem.isEmpty()) {
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
    QTest::addColumn<SemProduto>("s");
    caso("nothing looked up", SemProduto{.mensagens = {semProduto}});
    // The fields still describe the screw; neither it nor the unknown code may be issued.
    caso("unknown code after a product",
         SemProduto{
             .antes = "12", .depois = "999", .mensagens = {produtoNaoEncontrado, semProduto}});
    caso("product deleted after its look-up",
         SemProduto{.antes = "12", .apagado = true, .mensagens = {produtoNaoEncontrado}});
}

void TstSaida::refusedWithoutAProductLookedUp()
{
    QFETCH(SemProduto, s);
    ComParafusoEFuradeira t;
    t.saida([&](QDialog* j) {
        if (!s.antes.isEmpty())
            informa(j, "edSaida_CodPro", s.antes);
        if (!s.depois.isEmpty())
            informa(j, "edSaida_CodPro", s.depois);
        informa(j, "edSaida_CodREQ", "3");
        digita(j, "EdSaida_Quant", "1");
        if (s.apagado)
            t.banco.executa("Delete From Produtos Where PRO_Codigo = :C", {{"C", parafuso}});
        clica(j, "btnSaida_Estq_Grava");
        QCOMPARE(t.msgs.textos(), s.mensagens);
        QCOMPARE(t.msgs.mensagens().last().tipo,
                 s.apagado ? TipoMensagem::Informacao : TipoMensagem::Erro);
        QTRY_COMPARE(focado(), campo(j, "edSaida_CodPro"));
        clica(j, "btnSaida_Estq_Fecha");
    });
    QCOMPARE(t.banco.conta("Mov_Estq"), 0);
    if (!s.apagado)
        QCOMPARE(Cadastro::estoque(t.banco, parafuso), d("20"));
}

void TstSaida::refusedCodeStopsTheClickThatLeftIt_data()
{
    QTest::addColumn<CodigoRecusado>("r");
    caso("unknown requisitioner", CodigoRecusado{"edSaida_CodREQ", "77", reqNaoEncontrado, ""});
    caso("unknown bar code", CodigoRecusado{"edSaida_CodBar", "000", produtoNaoEncontrado, "000"});
}

// The screw is on screen; the person types a code that is not registered and presses "Grava"
// at once: the look-up says so, and the exit is not recorded without what they meant to give.
void TstSaida::refusedCodeStopsTheClickThatLeftIt()
{
    QFETCH(CodigoRecusado, r);
    ComParafusoEFuradeira t;
    t.saida([&](QDialog* j) {
        informa(j, "edSaida_CodPro", "12");
        digita(j, "EdSaida_Quant", "1");
        digita(j, r.campo, r.digitado);
        clica(j, "btnSaida_Estq_Grava");
        QCOMPARE(t.msgs.textos(), QStringList({r.mensagem}));
        QCOMPARE(t.msgs.mensagens()[0].tipo, TipoMensagem::Informacao);
        QCOMPARE(texto(j, r.campo), r.depois);
        QTRY_VERIFY(focado(j, r.campo));
        QCOMPARE(texto(j, "edSaida_CodPro"), parafuso);
        QCOMPARE(t.banco.conta("Mov_Estq"), 0);
        clica(j, "btnSaida_Estq_Fecha");
    });
    QCOMPARE(Cadastro::estoque(t.banco, parafuso), d("20"));
}

void TstSaida::failingLoanRollsBackEverything()
{
    ComParafusoEFuradeira t;
    t.comAuditoria("000001");
    t.banco.recusa("Mov_Consu", "INSERT", "sem empréstimos");
    t.saida([&](QDialog* j) {
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
    ComParafusoEFuradeira t;
    t.auditoriaDaLinha("000002");
    t.saida([&](QDialog* j) {
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
    ComParafusoEFuradeira t;
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
