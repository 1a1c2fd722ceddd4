// The administrator's command line as cron runs it: an empty environment, nobody reading the
// output unless something went wrong.

#include "support/BancoTeste.h"
#include "support/ImpressoraTeste.h"
#include "support/Processo.h"
#include "support/Tela.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace Tela;
using Processo::descreve;
using Processo::Execucao;

namespace {

// zvdb with no environment at all, as cron starts a job (cron gives a few variables; none of
// them is needed here).
Execucao zvdb(const QStringList& args, const QString& pastaDeTrabalho = QString())
{
    return Processo::roda(QStringLiteral(ZVDB_PROGRAMA), args, {},
                          pastaDeTrabalho.isEmpty() ? QDir::tempPath() : pastaDeTrabalho, 120000);
}

} // namespace

class TstZvdb : public QObject {
    Q_OBJECT

private slots:
    void aNightOfWorkPrintsNothing();
    void everyCommandHasItsHelp_data();
    void everyCommandHasItsHelp();
    void failuresSayWhyOnStandardErrorAndEndNonZero_data();
    void failuresSayWhyOnStandardErrorAndEndNonZero();
    void verboseSaysWhatWasDone();
};

void TstZvdb::aNightOfWorkPrintsNothing()
{
    QTemporaryDir raiz;
    QVERIFY(QDir(raiz.path()).mkdir("almox"));
    QVERIFY(QDir(raiz.path()).mkdir("restaurado"));
    const QString pasta = raiz.filePath("almox");
    const QString gbk = raiz.filePath("noite.gbk");
    const QString pdf = raiz.filePath("estoque.pdf");
    const QList<QStringList> passos = {
        {"criar", pasta},
        {"demo", pasta},
        {"relatorio", pasta, "Estoque Minimo", pdf},
        {"backup", pasta, gbk},
        {"restaura", gbk, raiz.filePath("restaurado")},
    };
    for (const QStringList& passo : passos) {
        const Execucao e = zvdb(passo);
        QVERIFY2(e.status == 0 && e.saida.isEmpty() && e.erros.isEmpty(),
                 qPrintable(passo.join(' ') + '\n' + descreve(e)));
    }
    QVERIFY(QFileInfo(gbk).size() > 0);
    QVERIFY(Pdf::texto(pdf).contains("Itens Abaixo do Estoque Mínimo"));
    Conexao c;
    c.configuraEAbre(raiz.filePath("restaurado"));
    QVERIFY(c.aberta());
}

void TstZvdb::everyCommandHasItsHelp_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("inicio");
    for (const char* comando : {"criar", "demo", "volume", "backup", "restaura", "relatorio"})
        caso(comando, QStringList{comando, "--help"},
             QStringLiteral("Uso: zvdb ") + QLatin1String(comando));
    caso("a command's help among its arguments", QStringList{"backup", "/x", "-h"},
         QStringLiteral("Uso: zvdb backup"));
    caso("the tool's own", QStringList{"--help"}, QStringLiteral("Uso: zvdb COMANDO"));
}

void TstZvdb::everyCommandHasItsHelp()
{
    QFETCH(QStringList, args);
    QFETCH(QString, inicio);
    const Execucao e = zvdb(args);
    QVERIFY2(e.status == 0 && e.erros.isEmpty() && e.saida.startsWith(inicio), descreve(e));
    QVERIFY2(e.saida.contains("--verbose"), descreve(e));
    if (args.first() == "--help")
        for (const char* comando : {"criar", "demo", "volume", "backup", "restaura", "relatorio"})
            QVERIFY2(e.saida.contains(QStringLiteral("zvdb ") + QLatin1String(comando)), comando);
}

void TstZvdb::failuresSayWhyOnStandardErrorAndEndNonZero_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("motivo");
    // "@" is the test's folder, "@db" a folder holding a delivered database.
    caso("create in a folder that does not exist", QStringList{"criar", "@/nada"}, 1,
         QStringLiteral("não existe"));
    caso("create over a database", QStringList{"criar", "@db"}, 1, QStringLiteral("já existe"));
    caso("demo data without a database", QStringList{"demo", "@"}, 1,
         QStringLiteral("Erro do banco de dados"));
    caso("backup of a missing database", QStringList{"backup", "@", "@/x.gbk"}, 1,
         QStringLiteral("Erro do banco de dados"));
    caso("backup into a missing folder", QStringList{"backup", "@db", "@/nada/x.gbk"}, 1,
         QStringLiteral("Erro do banco de dados"));
    caso("report of a missing database", QStringList{"relatorio", "@", "Estoque Minimo", "@/r.pdf"},
         1, QStringLiteral("não existe"));
    caso("unknown report", QStringList{"relatorio", "@db", "Nada", "@/r.pdf"}, 2,
         QStringLiteral("desconhecida"));
    caso("unknown command", QStringList{"apaga", "@db"}, 2, QStringLiteral("Comando desconhecido"));
    caso("missing folder", QStringList{"criar"}, 2, QStringLiteral("Uso: zvdb criar"));
    caso("nothing at all", QStringList{}, 2, QStringLiteral("Uso: zvdb"));
}

void TstZvdb::failuresSayWhyOnStandardErrorAndEndNonZero()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, motivo);
    QTemporaryDir pasta;
    BancoTeste banco;
    banco.conexao().fecha(); // the embedded engine lets one process at a time open it
    for (QString& a : args)
        a.replace(QLatin1String("@db"), banco.pasta()).replace(QLatin1Char('@'), pasta.path());
    const Execucao e = zvdb(args);
    QVERIFY2(e.status == status && e.saida.isEmpty() && e.erros.contains(motivo), descreve(e));
}

void TstZvdb::verboseSaysWhatWasDone()
{
    QTemporaryDir pasta;
    const Execucao e = zvdb({"criar", pasta.path(), "--verbose"});
    QVERIFY2(e.status == 0 && e.saida.contains("zv.fdb") && e.erros.isEmpty(), descreve(e));
}

QTEST_MAIN(TstZvdb)
#include "tst_zvdb.moc"
