// zvbench: timings of the stock room's database work at realistic and large sizes.
// Prints one line per figure, "name: value unit", each the median of many runs.
//
//   zvbench            full run (builds a million-row ledger; about a minute)
//   zvbench --quick    a run of a few seconds, with a smaller large ledger
//
// Benchmarks are never run as tests.

#include "common/Funcoes.h"
#include "data/BancoEntregue.h"
#include "data/DadosDemo.h"
#include "data/firebird/Conexao.h"
#include "data/firebird/Consulta.h"
#include "data/firebird/ErroBanco.h"
#include "data/firebird/Transacao.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const QString sqlProximoMovimento =
    QStringLiteral("Select MOV_CodInt From Mov_Estq Order By MOV_CodInt Descending");

void figura(const QString& nome, double valor, const char* unidade)
{
    std::printf("%s: %.3f %s\n", nome.toUtf8().constData(), valor, unidade);
    std::fflush(stdout);
}

double mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// The next ledger number as a save allocates it: the statement runs inside the save's own
// write transaction.
double tempoProximoMovimento(Conexao& c, int vezes)
{
    std::vector<double> tempos;
    Transacao t(c);
    Funcoes::proximoNumero(c, sqlProximoMovimento, &t); // prepares the statement once
    for (int i = 0; i < vezes; ++i) {
        QElapsedTimer r;
        r.start();
        Funcoes::proximoNumero(c, sqlProximoMovimento, &t);
        tempos.push_back(r.nsecsElapsed() / 1e6);
    }
    t.commit();
    return mediana(tempos);
}

void mede(qint64 movimentos)
{
    QTemporaryDir pasta;
    Conexao c;
    BancoEntregue::cria(c, pasta.path(), false);
    QElapsedTimer r;
    r.start();
    DadosDemo::preencheVolume(c, 1000, movimentos);
    figura(QStringLiteral("preenche_%1_movimentos").arg(movimentos), r.elapsed() / 1000.0, "s");
    figura(QStringLiteral("proximo_movimento_%1").arg(movimentos), tempoProximoMovimento(c, 500),
           "ms");
    Consulta plano(c);
    plano.setSql(sqlProximoMovimento);
    std::printf("# plano: %s\n", plano.plano().toUtf8().constData());
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const bool rapido = app.arguments().contains(QStringLiteral("--quick"));
    try {
        mede(1000);
        mede(rapido ? 100000 : 1000000);
    } catch (const ErroBanco& e) {
        std::fprintf(stderr, "%s\n", e.mensagem().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
