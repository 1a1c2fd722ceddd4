// The movement saves themselves: exact quantities and average costs, loans, reversals, and
// nothing stored when anything fails.

#include "data/firebird/Conexao.h"
#include "data/firebird/Consulta.h"
#include "data/firebird/ErroBanco.h"
#include "data/firebird/Transacao.h"
#include "movements/Lancamentos.h"
#include "support/BancoTeste.h"
#include "support/Cadastro.h"
#include "support/Numeros.h"
#include "support/Tela.h"

#include <QtTest>
#include <ibase.h>
#include <optional>
#include <thread>

using namespace Lancamentos;
using Tela::caso;

class TstLancamentos : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_banco.reset(); }
    void entryWorkedExample();
    void entryWithoutSupplierClearsLastSupplier();
    void entryBringingNegativeStockToZeroFails();
    void exitAgainstStoredStock_data();
    void exitAgainstStoredStock();
    void exitOfLentItemOpensLoan();
    void lentItemChecksStockBeforeRequisitioner_data();
    void lentItemChecksStockBeforeRequisitioner();
    void failingLoanRollsBackEverything();
    void reversals_data();
    void reversals();
    void reversalRefusesLentItem();
    void missingProductWritesNothing();
    void auditLineOnlyWhenAsked();
    void numberTakenMeanwhileIsRetriedOnce_data();
    void numberTakenMeanwhileIsRetriedOnce();
    void failedRollbackKeepsTheSavesOwnError();
    void rowGoneMeanwhileIsAConflict();

private:
    Decimal custo(const QString& produto);
    std::unique_ptr<BancoTeste> m_banco;
};

namespace {
using Cadastro::furadeira;
using Cadastro::parafuso;

// An exit of screws against the stored 10: the quantity asked for, whether it goes through, and
// the stock it leaves.
struct SaidaPedida {
    const char* pedida;
    bool aceita;
    const char* resta;
};

// What stops an exit of the drill, checked in this order.
enum class Impede { nada, estoque, requisitante };

// An exit of the drill: the quantity asked for, the requisitioner given, and what stops it.
struct SaidaEmprestada {
    const char* pedida;
    QString requisitante;
    Impede impede;
};

// A reversal over 20 screws at 6,50, and the stock it leaves.
struct CasoDeEstorno {
    QString operacao;
    const char* quant;
    const char* resta;
    QString tipo;
    QString fornecedor;
};
} // namespace

Q_DECLARE_METATYPE(SaidaPedida)
Q_DECLARE_METATYPE(SaidaEmprestada)
Q_DECLARE_METATYPE(CasoDeEstorno)

void TstLancamentos::init()
{
    m_banco = std::make_unique<BancoTeste>();
    m_banco->executa(
        "Insert into Produtos (PRO_Codigo, PRO_Descricao, PRO_Quant, PRO_Valor, "
        "PRO_Consumivel, PRO_CodFor) values (:C, 'Parafuso', 10, 5, 'S', '0000000009')",
        {{"C", parafuso}});
    m_banco->executa("Insert into Produtos (PRO_Codigo, PRO_Descricao, PRO_Quant, PRO_Valor, "
                     "PRO_Consumivel) values (:C, 'Furadeira', 3, 389, 'N')",
                     {{"C", furadeira}});
}

Decimal TstLancamentos::custo(const QString& produto)
{
    return m_banco->valor("Select PRO_Valor From Produtos Where PRO_Codigo = :C", {{"C", produto}})
        .value<Decimal>();
}

void TstLancamentos::entryWorkedExample()
{
    Entrada e{parafuso,
              QDate(2004, 10, 10),
              d("10"),
              d("8"),
              "NF 1",
              "0000000015",
              "Parafuso sextavado",
              "UN",
              "A-01",
              "obs",
              "REF",
              d("2"),
              d("50")};
    const Gravado g = gravaEntrada(m_banco->conexao(), e);
    QCOMPARE(g.movimento, 1);
    QCOMPARE(g.quantidade, d("20"));
    QCOMPARE(g.custo, d("6.5"));
    const Resultado mov = m_banco->consulta("Select * From Mov_Estq");
    QCOMPARE(mov.tamanho(), 1);
    QCOMPARE(mov.valor(0, "MOV_Oper").toString(), QString("EE"));
    QCOMPARE(mov.valor(0, "MOV_Quant").value<Decimal>(), d("10"));
    QCOMPARE(mov.valor(0, "MOV_Valor").value<Decimal>(), d("80"));
    QCOMPARE(mov.valor(0, "MOV_CodFor").toString(), QString("0000000015"));
    QVERIFY(mov.valor(0, "MOV_Tipo").isNull());
    const Resultado p =
        m_banco->consulta("Select * From Produtos Where PRO_Codigo = :C", {{"C", parafuso}});
    QCOMPARE(p.valor(0, "PRO_Quant").value<Decimal>(), d("20"));
    QCOMPARE(p.valor(0, "PRO_Valor").value<Decimal>(), d("6.5"));
    QCOMPARE(p.valor(0, "PRO_UComp").toDate(), QDate(2004, 10, 10));
    QCOMPARE(p.valor(0, "PRO_CodFor").toString(), QString("0000000015"));
    QCOMPARE(p.valor(0, "PRO_Descricao").toString(), QString("Parafuso sextavado"));
    QCOMPARE(p.valor(0, "PRO_EMax").toLongLong(), 50);

    // A second entry at another price: (20 x 6,50 + 3 x 7,333) / 23 = 6,608... -> 6,61; the
    // ledger value 21,999 -> 22,00.
    e.quantidade = d("3");
    e.unitario = d("7.333");
    const Gravado g2 = gravaEntrada(m_banco->conexao(), e);
    QCOMPARE(g2.movimento, 2);
    QCOMPARE(custo(parafuso), d("6.61"));
    QCOMPARE(m_banco->valor("Select MOV_Valor From Mov_Estq Where MOV_CodInt = 2").value<Decimal>(),
             d("22"));
}

void TstLancamentos::entryWithoutSupplierClearsLastSupplier()
{
    gravaEntrada(m_banco->conexao(), {parafuso, QDate::currentDate(), d("1"), d("5"), "", "",
                                      "Parafuso", "UN", "", "", "", d("0"), d("0")});
    QCOMPARE(
        m_banco->valor("Select PRO_CodFor From Produtos Where PRO_Codigo = :C", {{"C", parafuso}})
            .toString(),
        QString(""));
    QCOMPARE(m_banco->valor("Select MOV_CodFor From Mov_Estq").toString(), QString(""));
    QCOMPARE(m_banco->valor("Select count(*) From Mov_Estq Where MOV_CodFor = ''").toLongLong(), 1);
}

void TstLancamentos::entryBringingNegativeStockToZeroFails()
{
    m_banco->executa("Update Produtos set PRO_Quant = -4 Where PRO_Codigo = :C", {{"C", parafuso}});
    QVERIFY_THROWS_EXCEPTION(
        QuantidadeZerada,
        gravaEntrada(m_banco->conexao(), {parafuso, QDate::currentDate(), d("4"), d("5"), "", "",
                                          "Parafuso", "UN", "", "", "", d("0"), d("0")}));
    QCOMPARE(m_banco->conta("Mov_Estq"), 0);
    QCOMPARE(Cadastro::estoque(*m_banco, parafuso), d("-4"));
}

void TstLancamentos::exitAgainstStoredStock_data()
{
    QTest::addColumn<SaidaPedida>("p");
    caso("worked example", SaidaPedida{"4", true, "6"});
    caso("exactly the stock", SaidaPedida{"10", true, "0"});
    caso("one gram more", SaidaPedida{"10.001", false, "10"});
    caso("zero", SaidaPedida{"0", true, "10"});
}

void TstLancamentos::exitAgainstStoredStock()
{
    QFETCH(SaidaPedida, p);
    m_banco->executa("Update Produtos set PRO_Valor = 6.5 Where PRO_Codigo = :C",
                     {{"C", parafuso}});
    const Saida s{parafuso, QDate::currentDate(), d(p.pedida), d("6.5"), "REQ 1", "000003", true,
                  {}};
    if (!p.aceita) {
        QVERIFY_THROWS_EXCEPTION(EstoqueInsuficiente, gravaSaida(m_banco->conexao(), s));
        QCOMPARE(m_banco->conta("Mov_Estq"), 0);
    } else {
        const Gravado g = gravaSaida(m_banco->conexao(), s);
        QCOMPARE(g.emprestimo, 0);
        const Resultado mov = m_banco->consulta("Select * From Mov_Estq");
        QCOMPARE(mov.valor(0, "MOV_Oper").toString(), QString("SS"));
        QCOMPARE(mov.valor(0, "MOV_Valor").value<Decimal>(),
                 (d(p.pedida) * d("6.5")).arredondado(2));
        QCOMPARE(mov.valor(0, "MOV_Tipo").toString(), QString("000003"));
        QVERIFY(mov.valor(0, "MOV_CodFor").isNull());
    }
    QCOMPARE(Cadastro::estoque(*m_banco, parafuso), d(p.resta));
    QCOMPARE(custo(parafuso), d("6.5"));
    QCOMPARE(m_banco->conta("Mov_Consu"), 0);
}

void TstLancamentos::exitOfLentItemOpensLoan()
{
    // Ledger numbers already run high; the first loan is still number 1.
    Cadastro::movimento(*m_banco, {.numero = 41, .operacao = "EE"});
    const QDate hoje = QDate::currentDate();
    const Gravado g = gravaSaida(m_banco->conexao(), {furadeira, hoje, d("1"), d("389"), "REQ 7",
                                                      "000005", false, hoje.addDays(7)});
    QCOMPARE(g.movimento, 42);
    QCOMPARE(g.emprestimo, 1);
    QCOMPARE(
        m_banco->valor("Select MOV_Valor From Mov_Estq Where MOV_CodInt = 42").value<Decimal>(),
        d("0"));
    const Resultado loan = m_banco->consulta("Select * From Mov_Consu");
    QCOMPARE(loan.tamanho(), 1);
    QCOMPARE(loan.valor(0, "MOV_CodInt").toLongLong(), 1);
    QCOMPARE(loan.valor(0, "MOV_CodPro").toString(), furadeira);
    QCOMPARE(loan.valor(0, "MOV_Tipo").toString(), QString("000005"));
    QCOMPARE(loan.valor(0, "MOV_DataD").toDate(), hoje.addDays(7));
    QCOMPARE(loan.valor(0, "MOV_Devolvido").toString(), QString("N"));
    QVERIFY(loan.valor(0, "MOV_DataE").isNull());
    QCOMPARE(Cadastro::estoque(*m_banco, furadeira), d("2"));
    // The next lent exit takes the numbers after both.
    const Gravado outra = gravaSaida(
        m_banco->conexao(), {furadeira, hoje, d("1"), d("389"), "REQ 8", "000005", false, hoje});
    QCOMPARE(outra.movimento, 43);
    QCOMPARE(outra.emprestimo, 2);
}

void TstLancamentos::lentItemChecksStockBeforeRequisitioner_data()
{
    QTest::addColumn<SaidaEmprestada>("e");
    caso("beyond the stock, no requisitioner", SaidaEmprestada{"4", "", Impede::estoque});
    caso("beyond the stock, blank requisitioner", SaidaEmprestada{"4", "      ", Impede::estoque});
    caso("within the stock, no requisitioner", SaidaEmprestada{"3", "", Impede::requisitante});
    caso("within the stock, requisitioner", SaidaEmprestada{"3", "000005", Impede::nada});
}

void TstLancamentos::lentItemChecksStockBeforeRequisitioner()
{
    QFETCH(SaidaEmprestada, e);
    const QDate hoje = QDate::currentDate();
    const Saida s{furadeira, hoje, d(e.pedida), d("0"), "", e.requisitante, false, hoje};
    if (e.impede == Impede::estoque)
        QVERIFY_THROWS_EXCEPTION(EstoqueInsuficiente, gravaSaida(m_banco->conexao(), s));
    else if (e.impede == Impede::requisitante)
        QVERIFY_THROWS_EXCEPTION(SemRequisitante, gravaSaida(m_banco->conexao(), s));
    else
        gravaSaida(m_banco->conexao(), s);
    const bool gravou = e.impede == Impede::nada;
    QCOMPARE(m_banco->conta("Mov_Estq"), gravou ? 1 : 0);
    QCOMPARE(m_banco->conta("Mov_Consu"), gravou ? 1 : 0);
    QCOMPARE(Cadastro::estoque(*m_banco, furadeira), gravou ? d("0") : d("3"));
}

void TstLancamentos::failingLoanRollsBackEverything()
{
    m_banco->recusa("Mov_Consu", "INSERT", "sem empréstimos");
    QVERIFY_THROWS_EXCEPTION(ErroBanco, gravaSaida(m_banco->conexao(),
                                                   {furadeira, QDate::currentDate(), d("1"), d("0"),
                                                    "", "000005", false, QDate::currentDate()},
                                                   QString("000001")));
    QCOMPARE(m_banco->conta("Mov_Estq"), 0);
    QCOMPARE(m_banco->conta("Mov_Consu"), 0);
    QCOMPARE(m_banco->conta("Log"), 0);
    QCOMPARE(Cadastro::estoque(*m_banco, furadeira), d("3"));
}

void TstLancamentos::reversals_data()
{
    QTest::addColumn<CasoDeEstorno>("e");
    caso("reversal of entry of 5", CasoDeEstorno{"TE", "5", "15", "", "0000000015"});
    caso("reversal of exit of 4", CasoDeEstorno{"TS", "4", "24", "000003", ""});
    caso("entry reversal below zero", CasoDeEstorno{"TE", "30", "-10", "", "0000000015"});
}

void TstLancamentos::reversals()
{
    QFETCH(CasoDeEstorno, e);
    m_banco->executa("Update Produtos set PRO_Quant = 20, PRO_Valor = 6.5 Where PRO_Codigo = :C",
                     {{"C", parafuso}});
    const Gravado g = gravaEstorno(m_banco->conexao(),
                                   {e.operacao, parafuso, QDate::currentDate(), d(e.quant),
                                    d("6.5"), "DOC", e.tipo.isEmpty() ? e.fornecedor : e.tipo});
    QCOMPARE(g.quantidade, d(e.resta));
    const Resultado mov = m_banco->consulta("Select * From Mov_Estq");
    QCOMPARE(mov.valor(0, "MOV_Oper").toString(), e.operacao);
    QCOMPARE(mov.valor(0, "MOV_Valor").value<Decimal>(), d(e.quant) * d("6.5"));
    QCOMPARE(mov.valor(0, "MOV_Tipo").toString().trimmed(), e.tipo);
    QCOMPARE(mov.valor(0, "MOV_CodFor").toString(), e.fornecedor);
    QCOMPARE(Cadastro::estoque(*m_banco, parafuso), d(e.resta));
    QCOMPARE(custo(parafuso), d("6.5"));
}

void TstLancamentos::reversalRefusesLentItem()
{
    QVERIFY_THROWS_EXCEPTION(
        ProdutoNaoConsumivel,
        gravaEstorno(m_banco->conexao(),
                     {"TS", furadeira, QDate::currentDate(), d("1"), d("1"), "", "000001"}));
    QCOMPARE(m_banco->conta("Mov_Estq"), 0);
}

void TstLancamentos::missingProductWritesNothing()
{
    const QString nenhum = QStringLiteral("       999");
    QVERIFY_THROWS_EXCEPTION(
        ProdutoInexistente,
        gravaSaida(m_banco->conexao(),
                   {nenhum, QDate::currentDate(), d("0"), d("0"), "", "", true, {}}));
    QVERIFY_THROWS_EXCEPTION(
        ProdutoInexistente,
        gravaEntrada(m_banco->conexao(), {nenhum, QDate::currentDate(), d("1"), d("1"), "", "", "",
                                          "", "", "", "", d("0"), d("0")}));
    QCOMPARE(m_banco->conta("Mov_Estq"), 0);
}

void TstLancamentos::auditLineOnlyWhenAsked()
{
    const Saida s{parafuso, QDate::currentDate(), d("1"), d("5"), "", "", true, {}};
    gravaSaida(m_banco->conexao(), s);
    QCOMPARE(m_banco->conta("Log"), 0);
    gravaSaida(m_banco->conexao(), s, QString("000002"));
    gravaEstorno(m_banco->conexao(), {"TS", parafuso, QDate::currentDate(), d("1"), d("5"), "", ""},
                 QString("000002"));
    const Resultado l = m_banco->consulta("Select LOG_CodUser, LOG_Descricao From Log order by 2");
    QCOMPARE(l.tamanho(), 2);
    QCOMPARE(l.valor(0, 1).toString(), QStringLiteral("Estorno:") + parafuso);
    QCOMPARE(l.valor(1, 1).toString(), QStringLiteral("Saída do Estoque:") + parafuso);
    QCOMPARE(l.valor(0, 0).toString(), QString("000002"));
}

void TstLancamentos::numberTakenMeanwhileIsRetriedOnce_data()
{
    QTest::addColumn<int>("tomadas"); // attempts whose ledger number another save takes first
    QTest::addColumn<bool>("grava");
    caso("first attempt", 1, true);
    caso("both attempts", 2, false);
}

// Another workstation takes the ledger number between this save's read of the highest number
// and its insert: the insert finds the number in use, and the save runs once more from the
// start, with everything of the first attempt rolled back.
void TstLancamentos::numberTakenMeanwhileIsRetriedOnce()
{
    QFETCH(int, tomadas);
    QFETCH(bool, grava);
    Cadastro::movimento(*m_banco, {.numero = 1, .operacao = "EE"});
    m_banco->executa("CREATE SEQUENCE tentativas");
    m_banco->executa(QStringLiteral("CREATE TRIGGER numero_tomado FOR Mov_Estq BEFORE INSERT AS "
                                    "BEGIN IF (GEN_ID(tentativas, 1) <= %1) THEN "
                                    "NEW.MOV_CodInt = 1; END")
                         .arg(tomadas));
    const Saida s{parafuso, QDate::currentDate(), d("4"), d("5"), "", "", true, {}};
    if (!grava) {
        try {
            gravaSaida(m_banco->conexao(), s, QString("000002"));
            QFAIL("the save went through with its number taken twice");
        } catch (const ErroBanco& e) {
            QVERIFY(e.chaveDuplicada());
        }
    } else {
        QCOMPARE(gravaSaida(m_banco->conexao(), s, QString("000002")).movimento, 2);
    }
    QCOMPARE(m_banco->valor("Select GEN_ID(tentativas, 0) From RDB$DATABASE").toLongLong(), 2);
    QCOMPARE(m_banco->conta("Mov_Estq"), grava ? 2 : 1);
    QCOMPARE(m_banco->conta("Log"), grava ? 1 : 0);
    QCOMPARE(Cadastro::estoque(*m_banco, parafuso), grava ? d("6") : d("10"));
}

// A save whose rollback fails as well (the transaction already ended, a connection gone): the
// caller is told what went wrong with the save, not with the rollback, and a number taken
// meanwhile is still tried again.
void TstLancamentos::failedRollbackKeepsTheSavesOwnError()
{
    const ErroBanco tomado(QStringLiteral("número tomado"), {isc_unique_key_violation});
    QVERIFY(tomado.chaveDuplicada());
    int falhas = 1;
    int tentativas = 0;
    const auto corpo = [&](Transacao& t) -> Gravado {
        if (++tentativas <= falhas) {
            // Ending the transaction here leaves the rollback on the way out nothing to do but
            // fail.
            t.rollback();
            throw tomado;
        }
        Gravado g;
        g.movimento = tentativas;
        return g;
    };
    QCOMPARE(emTransacao(m_banco->conexao(), corpo).movimento, 2);
    QCOMPARE(tentativas, 2);

    falhas = 2;
    tentativas = 0;
    try {
        emTransacao(m_banco->conexao(), corpo);
        QFAIL("a save that failed twice went through");
    } catch (const ErroBanco& e) {
        QCOMPARE(e.mensagem(), tomado.mensagem());
        QCOMPARE(e.codigos(), tomado.codigos());
    }
    QCOMPARE(tentativas, 2);

    // Any other failure is reported at once, as it came.
    tentativas = 0;
    try {
        emTransacao(m_banco->conexao(), [&](Transacao& t) -> Gravado {
            ++tentativas;
            t.rollback();
            throw ErroBanco(QStringLiteral("produto travado"));
        });
        QFAIL("a failed save went through");
    } catch (const ErroBanco& e) {
        QCOMPARE(e.mensagem(), QString("produto travado"));
    }
    QCOMPARE(tentativas, 1);
}

// Two workstations deleting the same ledger row: the second waits for the first, and when
// the first commits, the engine tells the second the row was erased under it. That is another
// workstation's change met mid-save, like an update conflict, and a save meeting it is tried
// again from the start (where it then finds the row gone).
void TstLancamentos::rowGoneMeanwhileIsAConflict()
{
    Cadastro::movimento(*m_banco,
                        {.numero = 1, .produto = parafuso, .operacao = "EE", .quantidade = 2});
    Conexao outra;
    outra.configuraEAbre(m_banco->pasta());
    Transacao primeira(m_banco->conexao());
    Consulta apaga(m_banco->conexao());
    apaga.setSql("Delete From Mov_Estq Where MOV_CodInt=1");
    QCOMPARE(apaga.executa(primeira), 1);

    std::optional<ErroBanco> erro;
    std::thread segunda([&] {
        try {
            Transacao t(outra);
            Consulta q(outra);
            q.setSql("Delete From Mov_Estq Where MOV_CodInt=1");
            q.executa(t);
            t.commit();
        } catch (const ErroBanco& e) {
            erro = e;
        }
    });
    QThread::msleep(300);
    primeira.commit();
    segunda.join();
    QVERIFY(erro);
    QVERIFY2(erro->conflitoDeAtualizacao(), qPrintable(erro->mensagem()));

    int tentativas = 0;
    const Gravado g = emTransacao(m_banco->conexao(), [&](Transacao&) -> Gravado {
        if (++tentativas == 1)
            throw *erro;
        return Gravado{};
    });
    QCOMPARE(tentativas, 2);
    QCOMPARE(g.movimento, 0);
}

QTEST_GUILESS_MAIN(TstLancamentos)
#include "tst_lancamentos.moc"
