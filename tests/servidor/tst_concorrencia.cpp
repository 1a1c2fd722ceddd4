// Several workstations moving the same products at the same moment, through the server: no
// update is lost, no number is used twice, no movement is stored by halves.

#include "data/firebird/Conexao.h"
#include "data/firebird/ErroBanco.h"
#include "data/firebird/Transacao.h"
#include "movements/Lancamentos.h"
#include "support/BancoTeste.h"

#include <QtTest>
#include <atomic>
#include <thread>

using namespace Lancamentos;

class TstConcorrencia : public QObject {
    Q_OBJECT

private slots:
    void mixedMovementsFromSeveralWorkstations_data();
    void mixedMovementsFromSeveralWorkstations();
    void sameLoanReturnedAtTheSameMoment();
};

namespace {

const QStringList produtos = {"         1", "         2", "         3"};
const QString lentItem = QStringLiteral("         4");

Decimal d(qint64 unidades, int escala)
{
    return Decimal(unidades, escala);
}

struct Totais {
    int gravados = 0;
    int falhas = 0;
    int outrasFalhas = 0; // failures other than a number taken twice
    int emprestimos = 0;
    int devolucoes = 0;
    int jaDevolvidos = 0;  // returns of a loan another workstation had just returned
    int nadaADevolver = 0; // no loan was open when a return was due
};

// The oldest open loan, as a workstation's list would show it.
qint64 emprestimoAberto(Conexao& c)
{
    Consulta q(c);
    q.setSql("Select MOV_CodInt From Mov_Consu Where MOV_Devolvido = 'N' Order By MOV_CodInt");
    return q.primeiroValor().toLongLong();
}

// One workstation: its own connection, a fixed sequence of entries, exits and reversals over
// the shared products.
Totais estacao(const QString& pasta, int numero, int movimentos)
{
    Totais t;
    Conexao c;
    c.configuraEAbre(pasta);
    for (int i = 0; i < movimentos; ++i) {
        const QString produto = produtos[(i + numero) % produtos.size()];
        const QDate hoje = QDate::currentDate();
        try {
            switch ((i + numero) % 7) {
            case 0:
            case 1:
                gravaEntrada(c, {produto, hoje, d((1 + i % 7) * 1000, 3), d(500 + i % 13 * 37, 2),
                                 QStringLiteral("NF %1-%2").arg(numero).arg(i), "0000000001",
                                 "Produto", "UN", "A", "", "", d(0, 0), d(0, 0)});
                break;
            case 2:
                gravaSaida(c, {produto, hoje, d(750, 3), d(600, 2), "", "000001", true, {}});
                break;
            case 3:
                gravaEstorno(c, {i % 2 ? "TE" : "TS", produto, hoje, d(125, 3), d(600, 2), "", ""});
                break;
            case 4:
                gravaSaida(c, {lentItem, hoje, d(1000, 3), d(0, 2),
                               QStringLiteral("EMP %1-%2").arg(numero).arg(i), "000002", false,
                               hoje.addDays(3)});
                ++t.emprestimos;
                break;
            case 5:
                // Several workstations often pick the same oldest loan.
                if (const qint64 emprestimo = emprestimoAberto(c)) {
                    gravaDevolucao(c, {emprestimo, hoje});
                    ++t.devolucoes;
                    break;
                }
                ++t.nadaADevolver;
                continue;
            default:
                gravaExtravio(c, {lentItem, hoje, d(250, 3), ""});
                break;
            }
            ++t.gravados;
        } catch (const EmprestimoDevolvido&) {
            ++t.jaDevolvidos;
        } catch (const ErroBanco& e) {
            ++t.falhas;
            if (!e.chaveDuplicada())
                ++t.outrasFalhas;
        }
    }
    return t;
}

} // namespace

void TstConcorrencia::mixedMovementsFromSeveralWorkstations_data()
{
    QTest::addColumn<bool>("emFila");
    QTest::newRow("saves take turns") << true;
    // Without the reference row nothing queues the saves: two of them read the same highest
    // number, the second insert finds it taken, and that save runs again from the start.
    QTest::newRow("numbers taken meanwhile are retried") << false;
}

void TstConcorrencia::mixedMovementsFromSeveralWorkstations()
{
    QFETCH(bool, emFila);
    BancoServidor servidor;
    Conexao& c = servidor.conexao();
    {
        Transacao t(c);
        Consulta ins(c);
        ins.setSql("Insert into Produtos (PRO_Codigo, PRO_Descricao, PRO_Quant, PRO_Valor, "
                   "PRO_Consumivel) values (:C, 'Produto', 1000, 5, :K)");
        for (const QString& p : produtos + QStringList{lentItem}) {
            ins.setParametro("C", p);
            ins.setParametro("K", p == lentItem ? "N" : "S");
            ins.executa(t);
        }
        if (!emFila) {
            Consulta apaga(c);
            apaga.setSql("Delete From CodMOV Where CODIGO = 'EE'");
            apaga.executa(t);
        }
        t.commit();
    }

    const int estacoes = 4;
    const int movimentos = 150;
    std::vector<Totais> totais(estacoes);
    std::vector<std::thread> threads;
    for (int n = 0; n < estacoes; ++n)
        threads.emplace_back(
            [&, n] { totais[n] = estacao(servidor.pastaRemota(), n, movimentos); });
    for (std::thread& th : threads)
        th.join();

    int gravados = 0, falhas = 0, outrasFalhas = 0, emprestimos = 0, devolucoes = 0,
        jaDevolvidos = 0, semEmprestimo = 0;
    for (const Totais& t : totais) {
        semEmprestimo += t.nadaADevolver;
        gravados += t.gravados;
        falhas += t.falhas;
        outrasFalhas += t.outrasFalhas;
        emprestimos += t.emprestimos;
        devolucoes += t.devolucoes;
        jaDevolvidos += t.jaDevolvidos;
    }
    qInfo("%d movements saved (%d returns), %d refused after a retry, %d returns found the loan "
          "already returned",
          gravados, devolucoes, falhas, jaDevolvidos);
    // A save refused is one whose number was taken again on its second attempt, nothing else:
    // each failed attempt was rolled back whole, and nothing was left to fail the next one.
    QCOMPARE(outrasFalhas, 0);
    if (emFila)
        QVERIFY(gravados + jaDevolvidos + semEmprestimo > estacoes * movimentos * 9 / 10);
    else
        QVERIFY(gravados > 0);

    // Every saved movement is in the ledger once, with a number of its own.
    auto valor = [&](const QString& sql) {
        Consulta q(c);
        q.setSql(sql);
        return q.primeiroValor();
    };
    QCOMPARE(valor("select count(*) from Mov_Estq").toLongLong(), gravados);
    QCOMPARE(valor("select count(distinct MOV_CodInt) from Mov_Estq").toLongLong(), gravados);
    // Each loan comes from one exit; each returned loan has exactly one return row, carrying
    // its document, and no open loan has one.
    QCOMPARE(valor("select count(*) from Mov_Consu").toLongLong(),
             valor("select count(*) from Mov_Estq where MOV_CodPro = '         4' and "
                   "MOV_Oper = 'SS' and MOV_Tipo is not null")
                 .toLongLong());
    QCOMPARE(valor("select count(*) from Mov_Consu where MOV_Devolvido = 'S'").toLongLong(),
             devolucoes);
    QCOMPARE(valor("select count(*) from Mov_Consu c where (select count(*) from Mov_Estq m "
                   "where m.MOV_Oper = 'EE' and m.MOV_Doc = c.MOV_Doc) <> "
                   "iif(c.MOV_Devolvido = 'S', 1, 0)")
                 .toLongLong(),
             0);

    // Each product's quantity is exactly its opening stock moved by its own ledger rows, and
    // its average cost is what replaying its entries in ledger order gives: no update lost.
    for (const QString& p : produtos + QStringList{lentItem}) {
        Consulta q(c);
        q.setSql("Select MOV_Oper, MOV_Quant, MOV_Valor, MOV_CodFor From Mov_Estq Where "
                 "MOV_CodPro = :C order by MOV_CodInt");
        q.setParametro("C", p);
        const Resultado r = q.abre();
        Decimal quant(1000000, 3);
        Decimal custo(500, 2);
        for (int i = 0; i < r.tamanho(); ++i) {
            const QString op = r.valor(i, 0).toString();
            const Decimal mq = r.valor(i, 1).value<Decimal>();
            if (op == "EE" && r.valor(i, 3).isNull()) {
                // A return: the lent quantity back, the average cost untouched.
                quant = quant + mq;
            } else if (op == "EE") {
                // Whole quantities at whole cents: the stored value is the exact one.
                const Decimal nova = quant + mq;
                custo = (quant * custo + r.valor(i, 2).value<Decimal>()).dividido(nova, 2);
                quant = nova;
            } else if (op == "SS" || op == "TE") {
                quant = quant - mq;
            } else {
                quant = quant + mq;
            }
        }
        Consulta prod(c);
        prod.setSql("Select PRO_Quant, PRO_Valor From Produtos Where PRO_Codigo = :C");
        prod.setParametro("C", p);
        const Resultado pr = prod.abre();
        QCOMPARE(pr.valor(0, 0).value<Decimal>(), quant);
        QCOMPARE(pr.valor(0, 1).value<Decimal>(), custo);
    }
    QCOMPARE(valor("select count(*) from Mov_Consu").toLongLong(), emprestimos);
}

// Two (and more) workstations show the same open loan and press "Devolver" at the same moment:
// the loan is returned once, the stock raised once, and the others are told it already was.
void TstConcorrencia::sameLoanReturnedAtTheSameMoment()
{
    BancoServidor servidor;
    Conexao& c = servidor.conexao();
    const int emprestimos = 20;
    {
        Transacao t(c);
        Consulta ins(c);
        ins.setSql("Insert into Produtos (PRO_Codigo, PRO_Descricao, PRO_Quant, PRO_Valor, "
                   "PRO_Consumivel) values (:C, 'Furadeira', 100, 5, 'N')");
        ins.setParametro("C", lentItem);
        ins.executa(t);
        t.commit();
    }
    for (int i = 0; i < emprestimos; ++i)
        gravaSaida(c, {lentItem, QDate::currentDate(), d(1000, 3), d(0, 2),
                       QStringLiteral("EMP %1").arg(i), "000002", false, QDate::currentDate()});

    const int estacoes = 4;
    std::atomic<int> prontas = 0;
    std::vector<int> devolvidas(estacoes), recusadas(estacoes), falhas(estacoes);
    std::vector<std::thread> threads;
    for (int n = 0; n < estacoes; ++n)
        threads.emplace_back([&, n] {
            Conexao minha;
            minha.configuraEAbre(servidor.pastaRemota());
            for (int e = 1; e <= emprestimos; ++e) {
                // Every workstation at the same loan at the same instant.
                ++prontas;
                while (prontas.load() < estacoes * e)
                    std::this_thread::yield();
                try {
                    gravaDevolucao(minha, {e, QDate::currentDate()});
                    ++devolvidas[n];
                } catch (const EmprestimoDevolvido&) {
                    ++recusadas[n];
                } catch (const ErroBanco&) {
                    ++falhas[n];
                }
            }
        });
    for (std::thread& th : threads)
        th.join();

    int totalDevolvidas = 0, totalRecusadas = 0, totalFalhas = 0;
    for (int n = 0; n < estacoes; ++n) {
        totalDevolvidas += devolvidas[n];
        totalRecusadas += recusadas[n];
        totalFalhas += falhas[n];
    }
    QCOMPARE(totalFalhas, 0);
    QCOMPARE(totalDevolvidas, emprestimos);
    QCOMPARE(totalRecusadas, emprestimos * (estacoes - 1));
    Consulta q(c);
    q.setSql("select count(*) from Mov_Estq where MOV_Oper = 'EE'");
    QCOMPARE(q.primeiroValor().toLongLong(), emprestimos);
    q.setSql("select count(*) from Mov_Consu where MOV_Devolvido = 'S'");
    QCOMPARE(q.primeiroValor().toLongLong(), emprestimos);
    q.setSql("select PRO_Quant from Produtos");
    QCOMPARE(q.primeiroValor().value<Decimal>(), Decimal(100, 0));
}

QTEST_GUILESS_MAIN(TstConcorrencia)
#include "tst_concorrencia.moc"
