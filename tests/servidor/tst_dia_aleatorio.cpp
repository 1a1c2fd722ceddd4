// A random day of several workstations: each one, on its own connection through the server,
// runs a seeded random sequence of every operation that moves stock, deleting rows from a list
// it read some time before (so rows deleted or renumbered meanwhile), all at the same time.
// Afterwards the ledger, the loans and the products must be exactly what a model of the
// workstations' successful operations, replayed in the order the server took them, gives.
//
// The seed is printed with any failure; ZV_SEMENTE=<seed> runs the same sequences again (the
// interleaving of the workstations is the server's, so a fault may need a few runs to show).

#include "data/firebird/Conexao.h"
#include "data/firebird/Consulta.h"
#include "data/firebird/ErroBanco.h"
#include "data/firebird/Transacao.h"
#include "movements/Lancamentos.h"
#include "support/BancoTeste.h"

#include <QElapsedTimer>
#include <QtTest>

#include <map>
#include <random>
#include <set>
#include <thread>

using namespace Lancamentos;

// The size of the day. Both may be raised (8 workstations and several hundred movements each
// are run elsewhere); the checks do not depend on them.
constexpr int estacoes = 4;
constexpr int movimentosPorEstacao = 120;

class TstDiaAleatorio : public QObject {
    Q_OBJECT

private slots:
    void severalWorkstationsAgreeWithTheModel();
};

namespace {

struct ProdutoInicial {
    QString codigo;
    bool consumivel;
    Decimal quantidade;
    Decimal custo;
};

const std::vector<ProdutoInicial> produtosIniciais = {
    {"       101", true, Decimal(500000, 3), Decimal(500, 2)},
    {"       102", true, Decimal(250500, 3), Decimal(1234, 2)},
    {"       103", true, Decimal(30000, 3), Decimal(99, 2)},
    {"       201", false, Decimal(300000, 3), Decimal(12000, 2)},
    {"       202", false, Decimal(20000, 3), Decimal(38990, 2)},
};

enum class Tipo { Entrada, Saida, Emprestimo, Estorno, Devolucao, Extravio };

// One save a workstation saw succeed. Its ledger row carries a document of its own, so the
// server's journal names it: (document, operation) is unique to it.
struct Salvo {
    Tipo tipo;
    QString documento;
    QString operacao;
    QString produto;
    Decimal quantidade;
    Decimal unitario; // entries and exits: the unit value given
    qint64 emprestimoDevolvido = 0;
    Gravado gravado;
};

// One delete a workstation saw succeed, with the row as its (perhaps old) list showed it.
struct Excluido {
    MovimentoVisto visto;
    QString documento;
    bool reverte;
    Decimal quantidade; // the product's quantity it returned, after a revert
};

// What one workstation did, and what it was refused: the row or loan it named, to check the
// refusal was due.
struct Estacao {
    std::vector<Salvo> salvos;
    std::vector<Excluido> excluidos;
    std::vector<std::pair<QString, QString>> inexistentes; // rows refused as gone
    std::vector<qint64> jaDevolvidos;                      // loans refused as already returned
    QStringList falhas;                                    // anything else that went wrong
    int semEstoque = 0;
    int recusas = 0; // entries that would have left no quantity
};

struct LinhaVista {
    MovimentoVisto visto;
    QString documento;
};

Decimal aleatorio(std::mt19937_64& r, qint64 de, qint64 ate, int escala)
{
    return Decimal(std::uniform_int_distribution<qint64>(de, ate)(r), escala);
}

// The maintenance list of the last days, as a workstation reads it and then keeps on screen.
std::vector<LinhaVista> leLista(Conexao& c)
{
    Consulta q(c);
    q.setSql("Select m.MOV_CodInt, m.MOV_CodPro, m.MOV_Oper, m.MOV_Data, m.MOV_Quant, "
             "m.MOV_Valor, m.MOV_Doc From Mov_Estq m join Produtos p on (m.MOV_CodPro = "
             "p.PRO_Codigo) join CodMOV c on (m.MOV_Oper=c.CODIGO) Where m.MOV_Data Between "
             ":DataInicialD and :DataFinalD");
    q.setParametro("DataInicialD", QDate::currentDate().addDays(-3));
    q.setParametro("DataFinalD", QDate::currentDate());
    const Resultado r = q.abre();
    std::vector<LinhaVista> linhas;
    for (int i = 0; i < r.tamanho(); ++i) {
        MovimentoVisto v;
        v.numero = r.valor(i, 0).toLongLong();
        v.produto = r.valor(i, 1).toString();
        v.operacao = r.valor(i, 2).toString();
        v.data = r.valor(i, 3).toDate();
        v.quantidade = Decimal::deVariant(r.valor(i, 4));
        v.valor = Decimal::deVariant(r.valor(i, 5));
        linhas.push_back({v, r.valor(i, 6).toString().trimmed()});
    }
    return linhas;
}

// What a step of the day was, for a failure's message.
QString passo(int sorteio)
{
    if (sorteio < 24)
        return QStringLiteral("entry");
    if (sorteio < 42)
        return QStringLiteral("exit");
    if (sorteio < 50)
        return QStringLiteral("reversal");
    if (sorteio < 57)
        return QStringLiteral("return");
    if (sorteio < 61)
        return QStringLiteral("loss");
    return sorteio < 87 ? QStringLiteral("delete and revert") : QStringLiteral("delete only");
}

// The open loans, as the return window lists them.
std::vector<qint64> leEmprestimos(Conexao& c)
{
    Consulta q(c);
    q.setSql("Select MOV_CodInt From Mov_Consu Where MOV_Devolvido='N'");
    const Resultado r = q.abre();
    std::vector<qint64> e;
    for (int i = 0; i < r.tamanho(); ++i)
        e.push_back(r.valor(i, 0).toLongLong());
    return e;
}

Estacao diaDaEstacao(const QString& pasta, int numero, quint64 semente)
{
    Estacao e;
    std::mt19937_64 r(semente * 1000003 + quint64(numero));
    Conexao c;
    std::vector<LinhaVista> lista;
    std::vector<qint64> emprestimos;
    try {
        c.configuraEAbre(pasta);
        lista = leLista(c);
        emprestimos = leEmprestimos(c);
    } catch (const ErroBanco& erro) {
        e.falhas
            << QStringLiteral("workstation %1 cannot start: %2").arg(numero).arg(erro.mensagem());
        return e;
    }
    auto escolhe = [&](bool consumivel) {
        std::vector<QString> candidatos;
        for (const ProdutoInicial& p : produtosIniciais)
            if (p.consumivel == consumivel)
                candidatos.push_back(p.codigo);
        return candidatos[std::uniform_int_distribution<size_t>(0, candidatos.size() - 1)(r)];
    };
    auto dia = [&] {
        return QDate::currentDate().addDays(-std::uniform_int_distribution<int>(0, 2)(r));
    };

    for (int i = 0; i < movimentosPorEstacao; ++i) {
        const QString documento = QStringLiteral("W%1-%2").arg(numero).arg(i);
        const int sorteio = std::uniform_int_distribution<int>(0, 99)(r);
        const bool releLista = std::uniform_int_distribution<int>(0, 9)(r) == 0;
        try {
            if (releLista) {
                // The lists on screen are read again now and then; between readings they age.
                lista = leLista(c);
                emprestimos = leEmprestimos(c);
            }
            if (sorteio < 24) {
                const bool lentItem = std::uniform_int_distribution<int>(0, 3)(r) == 0;
                Entrada en{escolhe(!lentItem),
                           dia(),
                           aleatorio(r, 1, 20000, 3),
                           aleatorio(r, 1, 30000, 2),
                           documento,
                           "0000000001",
                           "Produto",
                           "UN",
                           "A1",
                           "",
                           "0",
                           Decimal(0, 0),
                           Decimal(0, 0)};
                e.salvos.push_back({Tipo::Entrada, documento, "EE", en.produto, en.quantidade,
                                    en.unitario, 0, gravaEntrada(c, en)});
            } else if (sorteio < 34) {
                Saida s{escolhe(true),
                        dia(),
                        aleatorio(r, 1, 40000, 3),
                        aleatorio(r, 1, 20000, 2),
                        documento,
                        "000001",
                        true,
                        {}};
                e.salvos.push_back({Tipo::Saida, documento, "SS", s.produto, s.quantidade,
                                    s.unitario, 0, gravaSaida(c, s)});
            } else if (sorteio < 42) {
                Saida s{
                    escolhe(false), dia(), aleatorio(r, 1, 8000, 3),       Decimal(0, 2), documento,
                    "000002",       false, QDate::currentDate().addDays(7)};
                e.salvos.push_back({Tipo::Emprestimo, documento, "SS", s.produto, s.quantidade,
                                    s.unitario, 0, gravaSaida(c, s)});
            } else if (sorteio < 50) {
                const bool deEntrada = std::uniform_int_distribution<int>(0, 1)(r) == 0;
                Estorno es{deEntrada ? "TE" : "TS",
                           escolhe(true),
                           dia(),
                           aleatorio(r, 1, 8000, 3),
                           aleatorio(r, 1, 20000, 2),
                           documento,
                           deEntrada ? "0000000001" : "000001"};
                e.salvos.push_back({Tipo::Estorno, documento, es.operacao, es.produto,
                                    es.quantidade, es.unitario, 0, gravaEstorno(c, es)});
            } else if (sorteio < 57) {
                if (emprestimos.empty())
                    continue;
                // Often a loan another workstation is returning too.
                const size_t k =
                    std::uniform_int_distribution<size_t>(0, emprestimos.size() - 1)(r);
                const qint64 emprestimo = emprestimos[k];
                emprestimos.erase(emprestimos.begin() + qsizetype(k));
                try {
                    Salvo s{Tipo::Devolucao,
                            {},
                            "EE",
                            {},
                            {},
                            {},
                            emprestimo,
                            gravaDevolucao(c, {emprestimo, QDate::currentDate()})};
                    e.salvos.push_back(s);
                } catch (const EmprestimoDevolvido&) {
                    e.jaDevolvidos.push_back(emprestimo);
                }
            } else if (sorteio < 61) {
                Extravio ex{escolhe(false), dia(), aleatorio(r, 1, 3000, 3), documento};
                e.salvos.push_back({Tipo::Extravio,
                                    documento,
                                    "SS",
                                    ex.produto,
                                    ex.quantidade,
                                    {},
                                    0,
                                    gravaExtravio(c, ex)});
            } else {
                // Now and then the movement just saved is seen to be wrong and deleted at once:
                // the ledger's last row, whose number the next movement takes again.
                if (std::uniform_int_distribution<int>(0, 9)(r) < 5)
                    lista = leLista(c);
                if (lista.empty())
                    continue;
                // More often than not the list's last row, which may by now be another
                // movement under the same number.
                size_t k = std::uniform_int_distribution<size_t>(0, lista.size() - 1)(r);
                if (std::uniform_int_distribution<int>(0, 9)(r) < 7)
                    k = size_t(std::max_element(lista.begin(), lista.end(),
                                                [](const LinhaVista& a, const LinhaVista& b) {
                                                    return a.visto.numero < b.visto.numero;
                                                }) -
                               lista.begin());
                const LinhaVista linha = lista[k];
                // The row stays on this workstation's screen: it may press again on it.
                const bool reverte = sorteio < 87;
                try {
                    const Decimal q = excluiMovimento(c, linha.visto, reverte);
                    e.excluidos.push_back({linha.visto, linha.documento, reverte, q});
                } catch (const MovimentoInexistente&) {
                    e.inexistentes.push_back({linha.documento, linha.visto.operacao});
                }
            }
        } catch (const EstoqueInsuficiente&) {
            ++e.semEstoque;
        } catch (const QuantidadeZerada&) {
            ++e.recusas;
        } catch (const ErroBanco& erro) {
            e.falhas << QStringLiteral("workstation %1, step %2 (%3): %4")
                            .arg(numero)
                            .arg(i)
                            .arg(passo(sorteio))
                            .arg(erro.mensagem());
        } catch (const std::exception& x) {
            e.falhas << QStringLiteral("workstation %1, step %2 (%3): %4")
                            .arg(numero)
                            .arg(i)
                            .arg(passo(sorteio))
                            .arg(QString::fromLocal8Bit(x.what()));
        }
    }
    return e;
}

// The server's own order of the ledger's rows coming and going: written by triggers inside
// each save's transaction (so a rolled-back save leaves nothing), numbered by a sequence that
// counts in the order the saves took their turn (and, for one product's rows, their turn on
// the product's lock). Threads cannot see that order themselves; the test's own triggers only
// write it down.
void instalaDiario(Conexao& c)
{
    const QStringList ddl = {
        "CREATE SEQUENCE DIA_SEQ",
        "CREATE TABLE DIA_DIARIO (SEQ BIGINT, ACAO CHAR(1), NUMERO NUMERIC(15,0), PRODUTO "
        "CHAR(10), OPER CHAR(2), QUANT NUMERIC(15,3), VALOR NUMERIC(15,2), DOC CHAR(20), "
        "TIPO CHAR(6))",
        "CREATE TRIGGER DIA_INSERE FOR Mov_Estq AFTER INSERT AS BEGIN INSERT INTO DIA_DIARIO "
        "VALUES (NEXT VALUE FOR DIA_SEQ, 'I', NEW.MOV_CodInt, NEW.MOV_CodPro, NEW.MOV_Oper, "
        "NEW.MOV_Quant, NEW.MOV_Valor, NEW.MOV_Doc, NEW.MOV_Tipo); END",
        "CREATE TRIGGER DIA_APAGA FOR Mov_Estq AFTER DELETE AS BEGIN INSERT INTO DIA_DIARIO "
        "VALUES (NEXT VALUE FOR DIA_SEQ, 'D', OLD.MOV_CodInt, OLD.MOV_CodPro, OLD.MOV_Oper, "
        "OLD.MOV_Quant, OLD.MOV_Valor, OLD.MOV_Doc, OLD.MOV_Tipo); END",
    };
    for (const QString& sql : ddl) {
        Transacao t(c);
        Consulta q(c);
        q.setSql(sql);
        q.executa(t);
        t.commit();
    }
}

struct Modelo {
    Decimal quantidade;
    Decimal custo;
    Decimal mantidoPorExclusao; // effects kept by "Somente Excluir"
};

// What a ledger row did to its product's quantity.
Decimal efeito(const QString& operacao, const Decimal& quantidade)
{
    return operacao == "EE" || operacao == "TS" ? quantidade : -quantidade;
}

} // namespace

void TstDiaAleatorio::severalWorkstationsAgreeWithTheModel()
{
    const QByteArray fixada = qgetenv("ZV_SEMENTE");
    const quint64 semente =
        fixada.isEmpty() ? quint64(QDateTime::currentMSecsSinceEpoch()) : fixada.toULongLong();
    qInfo("seed %llu (ZV_SEMENTE=%llu repeats it), %d workstations x %d movements", semente,
          semente, estacoes, movimentosPorEstacao);
    const QString cabeca = QStringLiteral("seed %1: ").arg(semente);

    BancoServidor servidor;
    Conexao& c = servidor.conexao();
    instalaDiario(c);
    std::map<QString, Modelo> modelo;
    {
        Transacao t(c);
        Consulta ins(c);
        ins.setSql("Insert into Produtos (PRO_Codigo, PRO_Descricao, PRO_Quant, PRO_Valor, "
                   "PRO_Consumivel) values (:C, 'Produto', :Q, :V, :K)");
        for (const ProdutoInicial& p : produtosIniciais) {
            ins.setParametro("C", p.codigo);
            ins.setParametro("Q", QVariant::fromValue(p.quantidade));
            ins.setParametro("V", QVariant::fromValue(p.custo));
            ins.setParametro("K", p.consumivel ? "S" : "N");
            ins.executa(t);
            modelo[p.codigo] = {p.quantidade, p.custo, Decimal(0, 3)};
        }
        t.commit();
    }

    QElapsedTimer relogio;
    relogio.start();
    std::vector<Estacao> dia(estacoes);
    {
        std::vector<std::thread> threads;
        for (int n = 0; n < estacoes; ++n)
            threads.emplace_back(
                [&, n] { dia[size_t(n)] = diaDaEstacao(servidor.pastaRemota(), n, semente); });
        for (std::thread& th : threads)
            th.join();
    }
    qInfo("the day took %.1f s", relogio.elapsed() / 1000.0);

    QStringList problemas;
    auto problema = [&](const QString& p) { problemas << p; };

    // Every success and refusal, by the key the journal gives its row.
    std::map<std::pair<QString, QString>, const Salvo*> salvos; // (document, operation)
    std::map<qint64, const Salvo*> devolucoes;                  // by loan
    std::map<qint64, const Salvo*> emprestimosAbertos;          // loans made, by number
    std::multimap<std::pair<QString, QString>, const Excluido*> excluidos;
    int nSalvos = 0, nExcluidos = 0, nInexistentes = 0, nJaDevolvidos = 0, nSemEstoque = 0;
    for (const Estacao& e : dia) {
        problemas << e.falhas;
        nInexistentes += int(e.inexistentes.size());
        nJaDevolvidos += int(e.jaDevolvidos.size());
        nSemEstoque += e.semEstoque;
        for (const Salvo& s : e.salvos) {
            ++nSalvos;
            if (s.tipo == Tipo::Devolucao) {
                if (!devolucoes.emplace(s.emprestimoDevolvido, &s).second)
                    problema(QStringLiteral("loan %1 returned twice").arg(s.emprestimoDevolvido));
                continue;
            }
            if (!salvos.emplace(std::pair{s.documento, s.operacao}, &s).second)
                problema(QStringLiteral("document %1 saved twice").arg(s.documento));
            if (s.tipo == Tipo::Emprestimo)
                emprestimosAbertos[s.gravado.emprestimo] = &s;
        }
        for (const Excluido& x : e.excluidos) {
            ++nExcluidos;
            excluidos.emplace(std::pair{x.documento, x.visto.operacao}, &x);
        }
    }
    // A return's row carries its loan's document: key it as the journal will show it.
    for (const auto& [emprestimo, s] : devolucoes) {
        const auto achado = emprestimosAbertos.find(emprestimo);
        if (achado == emprestimosAbertos.end()) {
            problema(QStringLiteral("loan %1 returned but never lent").arg(emprestimo));
            continue;
        }
        if (!salvos.emplace(std::pair{achado->second->documento, QStringLiteral("EE")}, s).second)
            problema(QStringLiteral("loan %1 has two return rows").arg(emprestimo));
    }

    // Replays the journal: each row that came, from the save that wrote it; each row that
    // went, by the delete that chose it. The model moves the stock as the stock room's rules
    // say and must meet, at every step, what the save itself reported.
    Consulta diario(c);
    diario.setSql("Select ACAO, NUMERO, PRODUTO, OPER, QUANT, VALOR, DOC, TIPO From DIA_DIARIO "
                  "Order By SEQ");
    const Resultado jornal = diario.abre();
    std::map<qint64, std::pair<QString, QString>> vivos; // ledger number -> (document, operation)
    std::set<std::pair<QString, QString>> vistosNoDiario;
    std::set<const Excluido*> excluidosVistos;
    std::map<QString, int> linhasDeDevolucao; // loan document -> return rows ever written
    for (int i = 0; i < jornal.tamanho(); ++i) {
        const QString acao = jornal.valor(i, 0).toString();
        const qint64 numero = jornal.valor(i, 1).toLongLong();
        const QString produto = jornal.valor(i, 2).toString();
        const QString oper = jornal.valor(i, 3).toString();
        const Decimal quant = Decimal::deVariant(jornal.valor(i, 4));
        const Decimal valor = Decimal::deVariant(jornal.valor(i, 5));
        const QString doc = jornal.valor(i, 6).toString().trimmed();
        const std::pair chave{doc, oper};
        Modelo& m = modelo[produto];
        if (acao == "I") {
            if (vivos.count(numero))
                problema(QStringLiteral("ledger number %1 stored twice").arg(numero));
            vivos[numero] = chave;
            const auto achado = salvos.find(chave);
            if (achado == salvos.end()) {
                problema(QStringLiteral("row %1 (%2 %3) written by no save that succeeded")
                             .arg(numero)
                             .arg(doc, oper));
                continue;
            }
            if (!vistosNoDiario.insert(chave).second)
                problema(QStringLiteral("row %1 %2 written twice").arg(doc, oper));
            const Salvo& s = *achado->second;
            if (s.gravado.movimento != numero)
                problema(QStringLiteral("%1 %2 reported number %3, stored %4")
                             .arg(doc, oper)
                             .arg(s.gravado.movimento)
                             .arg(numero));
            Decimal valorEsperado(0, 2);
            Decimal quantEsperada = s.quantidade;
            QString produtoEsperado = s.produto;
            switch (s.tipo) {
            case Tipo::Entrada: {
                const Decimal total = s.quantidade * s.unitario;
                const Decimal nova = m.quantidade + s.quantidade;
                m.custo = (m.quantidade * m.custo + total).dividido(nova, 2);
                m.quantidade = nova;
                valorEsperado = total.arredondado(2);
                break;
            }
            case Tipo::Saida:
                m.quantidade = m.quantidade - s.quantidade;
                valorEsperado = (s.quantidade * s.unitario).arredondado(2);
                break;
            case Tipo::Emprestimo:
                m.quantidade = m.quantidade - s.quantidade;
                break;
            case Tipo::Extravio:
                valorEsperado = (s.quantidade * m.custo).arredondado(2);
                m.quantidade = m.quantidade - s.quantidade;
                break;
            case Tipo::Estorno:
                m.quantidade = m.quantidade + efeito(s.operacao, s.quantidade);
                valorEsperado = (s.quantidade * s.unitario).arredondado(2);
                break;
            case Tipo::Devolucao: {
                const Salvo& emprestimo = *emprestimosAbertos.at(s.emprestimoDevolvido);
                quantEsperada = emprestimo.quantidade;
                produtoEsperado = emprestimo.produto;
                m.quantidade = m.quantidade + quantEsperada;
                ++linhasDeDevolucao[emprestimo.documento];
                if (jornal.valor(i, 7).toString() != QLatin1String("000002"))
                    problema(QStringLiteral("return of %1 lost its requisitioner").arg(doc));
                break;
            }
            }
            if (produto != produtoEsperado || quant != quantEsperada || valor != valorEsperado)
                problema(QStringLiteral("row %1 (%2 %3) stored %4 %5 %6, the model says %7 %8 %9")
                             .arg(numero)
                             .arg(doc, oper, produto, quant.toString(), valor.toString(),
                                  produtoEsperado, quantEsperada.toString(),
                                  valorEsperado.toString()));
            if (s.gravado.quantidade != m.quantidade || s.gravado.custo != m.custo)
                problema(QStringLiteral("%1 %2 left %3 at %4 / %5, the model says %6 / %7")
                             .arg(doc, oper, produto, s.gravado.quantidade.toString(),
                                  s.gravado.custo.toString(), m.quantidade.toString(),
                                  m.custo.toString()));
        } else {
            const auto vivo = vivos.find(numero);
            if (vivo == vivos.end() || vivo->second != chave)
                problema(QStringLiteral("row %1 deleted while not in the ledger").arg(numero));
            else
                vivos.erase(vivo);
            // The delete that chose this row, as its list showed it.
            const Excluido* quem = nullptr;
            for (auto [a, b] = excluidos.equal_range(chave); a != b; ++a)
                if (a->second->visto.numero == numero && !excluidosVistos.count(a->second)) {
                    quem = a->second;
                    break;
                }
            if (!quem) {
                problema(QStringLiteral("row %1 (%2 %3, %4 of %5) deleted though no workstation "
                                        "chose it")
                             .arg(numero)
                             .arg(doc, oper, quant.toString(), produto));
                continue;
            }
            excluidosVistos.insert(quem);
            if (quem->reverte) {
                m.quantidade = m.quantidade - efeito(oper, quant);
                if (quem->quantidade != m.quantidade)
                    problema(QStringLiteral("reverting %1 left %2 at %3, the model says %4")
                                 .arg(doc, produto, quem->quantidade.toString(),
                                      m.quantidade.toString()));
            } else {
                m.mantidoPorExclusao = m.mantidoPorExclusao + efeito(oper, quant);
            }
        }
    }
    for (const auto& [chave, s] : salvos)
        if (!vistosNoDiario.count(chave))
            problema(QStringLiteral("%1 %2 reported saved but never written")
                         .arg(chave.first, chave.second));
    for (const auto& [chave, x] : excluidos)
        if (!excluidosVistos.count(x))
            problema(QStringLiteral("row %1 (%2 %3) reported deleted, but what was deleted was "
                                    "another row or nothing")
                         .arg(x->visto.numero)
                         .arg(chave.first, chave.second));
    // A row refused as gone was deleted by someone.
    for (const Estacao& e : dia)
        for (const auto& linha : e.inexistentes)
            if (!excluidos.count(linha))
                problema(QStringLiteral("row %1 %2 refused as gone, but nobody deleted it")
                             .arg(linha.first, linha.second));

    // The ledger as stored is the model's, number for number.
    Consulta razao(c);
    razao.setSql("Select MOV_CodInt, MOV_Doc, MOV_Oper, MOV_CodPro, MOV_Quant From Mov_Estq");
    const Resultado linhas = razao.abre();
    std::map<QString, Decimal> efeitoDoRazao;
    std::set<qint64> numeros;
    for (int i = 0; i < linhas.tamanho(); ++i) {
        const qint64 numero = linhas.valor(i, 0).toLongLong();
        if (!numeros.insert(numero).second)
            problema(QStringLiteral("ledger number %1 twice").arg(numero));
        const std::pair chave{linhas.valor(i, 1).toString().trimmed(),
                              linhas.valor(i, 2).toString()};
        const auto vivo = vivos.find(numero);
        if (vivo == vivos.end() || vivo->second != chave)
            problema(QStringLiteral("ledger row %1 (%2 %3) is not the model's")
                         .arg(numero)
                         .arg(chave.first, chave.second));
        const QString produto = linhas.valor(i, 3).toString();
        efeitoDoRazao[produto] =
            efeitoDoRazao[produto] + efeito(chave.second, Decimal::deVariant(linhas.valor(i, 4)));
    }
    if (linhas.tamanho() != int(vivos.size()))
        problema(QStringLiteral("%1 ledger rows, the model has %2")
                     .arg(linhas.tamanho())
                     .arg(vivos.size()));

    // Each product: what the model says, and its opening stock moved by the rows still in the
    // ledger and by the effects "Somente Excluir" kept.
    for (const ProdutoInicial& p : produtosIniciais) {
        Consulta q(c);
        q.setSql("Select PRO_Quant, PRO_Valor From Produtos Where PRO_Codigo = :C");
        q.setParametro("C", p.codigo);
        const Resultado r = q.abre();
        const Decimal quant = Decimal::deVariant(r.valor(0, 0));
        const Decimal custo = Decimal::deVariant(r.valor(0, 1));
        const Modelo& m = modelo[p.codigo];
        const Decimal pelaRazao = p.quantidade + efeitoDoRazao[p.codigo] + m.mantidoPorExclusao;
        if (quant != m.quantidade || quant != pelaRazao || custo != m.custo)
            problema(QStringLiteral("product %1 holds %2 at %3; the model says %4 at %5, its "
                                    "ledger %6")
                         .arg(p.codigo, quant.toString(), custo.toString(), m.quantidade.toString(),
                              m.custo.toString(), pelaRazao.toString()));
    }

    // Loans: those made are stored, those returned are closed, once, each with exactly one
    // return row ever written; a refused return named a loan someone returned.
    Consulta consu(c);
    consu.setSql("Select MOV_CodInt, MOV_Devolvido, MOV_Doc, MOV_Quant From Mov_Consu");
    const Resultado emprestimos = consu.abre();
    if (emprestimos.tamanho() != int(emprestimosAbertos.size()))
        problema(QStringLiteral("%1 loans stored, %2 made")
                     .arg(emprestimos.tamanho())
                     .arg(emprestimosAbertos.size()));
    for (int i = 0; i < emprestimos.tamanho(); ++i) {
        const qint64 numero = emprestimos.valor(i, 0).toLongLong();
        const bool devolvido = emprestimos.valor(i, 1).toString() == QLatin1String("S");
        const auto feito = emprestimosAbertos.find(numero);
        if (feito == emprestimosAbertos.end() ||
            feito->second->documento != emprestimos.valor(i, 2).toString() ||
            feito->second->quantidade != Decimal::deVariant(emprestimos.valor(i, 3))) {
            problema(QStringLiteral("loan %1 is not one a workstation made").arg(numero));
            continue;
        }
        if (devolvido != bool(devolucoes.count(numero)))
            problema(QStringLiteral("loan %1 stands %2 but was %3")
                         .arg(numero)
                         .arg(devolvido ? QStringLiteral("returned") : QStringLiteral("open"),
                              devolucoes.count(numero) ? QStringLiteral("returned")
                                                       : QStringLiteral("not returned")));
        if (linhasDeDevolucao[feito->second->documento] != (devolvido ? 1 : 0))
            problema(QStringLiteral("loan %1 has %2 return rows")
                         .arg(numero)
                         .arg(linhasDeDevolucao[feito->second->documento]));
    }
    for (const Estacao& e : dia)
        for (qint64 emprestimo : e.jaDevolvidos)
            if (!devolucoes.count(emprestimo))
                problema(QStringLiteral("loan %1 refused as returned, but nobody returned it")
                             .arg(emprestimo));

    qInfo("%d saves, %d deletes, %d deletes of rows gone, %d returns of loans returned, %d exits "
          "short of stock",
          nSalvos, nExcluidos, nInexistentes, nJaDevolvidos, nSemEstoque);
    if (!problemas.isEmpty())
        QFAIL(qPrintable(cabeca + QString::number(problemas.size()) + " problems:\n" +
                         problemas.mid(0, 30).join('\n')));
    // The day really raced: saves and deletes of rows gone meanwhile both happened.
    QVERIFY2(nSalvos > estacoes * movimentosPorEstacao / 3, qPrintable(cabeca + "few saves"));
    QVERIFY2(nExcluidos > 0, qPrintable(cabeca + "no delete"));
}

QTEST_GUILESS_MAIN(TstDiaAleatorio)
#include "tst_dia_aleatorio.moc"
