// zvbench: timings of the stock room's database work at realistic and large sizes.
// Prints one line per figure, "name: value unit", each the median of many runs.
//
//   zvbench                  full run (builds a million-row ledger; about a minute)
//   zvbench --quick          a run of a few seconds, with smaller large sizes
//   zvbench --only a,b       only the named groups (see the table at the end)
//   zvbench --banco PASTA    the groups that need a large stock room (ledger, piso, inicio,
//                            avisos and the reports) work on a copy of PASTA's database, filled
//                            beforehand with
//                            `zvdb volume PASTA --produtos 100000 --movimentos 1000000`, instead
//                            of filling one of their own (minutes on a small machine)
//
// It runs as a widget application (offscreen unless a platform is chosen), so that windows,
// fonts and PDF output can be timed like the database work.
//
// Benchmarks are never run as tests.

#include "app/Aplicacao.h"
#include "common/Convencoes.h"
#include "common/Exportacao.h"
#include "common/Funcoes.h"
#include "common/Modal.h"
#include "contexto/ConfigIni.h"
#include "data/BancoEntregue.h"
#include "data/DadosDemo.h"
#include "data/DataModule_Log.h"
#include "data/DataModule_MovConsu.h"
#include "data/DataModule_MovEstq.h"
#include "data/DataModule_PER.h"
#include "data/DataModule_Produtos.h"
#include "data/DataModule_Usuarios.h"
#include "data/firebird/Conexao.h"
#include "data/firebird/Consulta.h"
#include "data/firebird/ErroBanco.h"
#include "data/firebird/Servicos.h"
#include "data/firebird/Transacao.h"
#include "movements/Consulta_MovEstq.h"
#include "movements/Lancamentos.h"
#include "registers/Busca_Produtos.h"
#include "reports/Rel_Estoque.h"
#include "reports/Relatorios.h"
#include "reports/Tela_Impressora.h"
#include "reports/Visualiza.h"
#include "utilities/Avisos_Dia.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <functional>
#include <map>
#include <unistd.h>
#include <vector>

namespace {

const QString sqlProximoMovimento =
    QStringLiteral("Select MOV_CodInt From Mov_Estq Order By MOV_CodInt Descending");

void figura(const QString& nome, double valor, const char* unidade)
{
    std::printf("%s: %.3f %s\n", nome.toUtf8().constData(), valor, unidade);
    std::fflush(stdout);
}

// The program's peak resident memory in MB since the last reset (Linux: VmHWM). Groups that
// report a peak call zeraPicoMemoria() before the work they measure.
[[maybe_unused]] double picoMemoriaMB()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& linha : f.readAll().split('\n'))
        if (linha.startsWith("VmHWM:"))
            return linha.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
}

[[maybe_unused]] void zeraPicoMemoria()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
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

// The purchase the save benchmarks write: one unit at R$ 12,34 from supplier 1, as the entry
// window sends it.
Lancamentos::Entrada compra(const QString& produto, const QString& descricao, const QDate& data)
{
    return {produto,
            data,
            Decimal(1000, 3),
            Decimal(1234, 2),
            QStringLiteral("NF"),
            QStringLiteral("0000000001"),
            descricao,
            QStringLiteral("UN"),
            QStringLiteral("A-01"),
            QString(),
            QString(),
            Decimal(1, 0),
            Decimal(100, 0)};
}

// A complete stock-entry save: lock, ledger number, ledger row, new quantity and average
// cost, committed.
double tempoEntrada(Conexao& c, int vezes)
{
    std::vector<double> tempos;
    const Lancamentos::Entrada e =
        compra(QStringLiteral("         1"), QStringLiteral("Produto 1"), QDate::currentDate());
    Lancamentos::gravaEntrada(c, e); // prepares the statements once
    for (int i = 0; i < vezes; ++i) {
        QElapsedTimer r;
        r.start();
        Lancamentos::gravaEntrada(c, e);
        tempos.push_back(r.nsecsElapsed() / 1e6);
    }
    return mediana(tempos);
}

// The exit of a lent-out item: ledger row, new quantity and its loan, committed.
double tempoSaidaEmprestimo(Conexao& c, int vezes)
{
    std::vector<double> tempos;
    const Lancamentos::Saida s{QStringLiteral("        10"),
                               QDate::currentDate(),
                               Decimal(1000, 3),
                               Decimal(0, 2),
                               QStringLiteral("REQ"),
                               QStringLiteral("000001"),
                               false,
                               QDate::currentDate().addDays(7)};
    Lancamentos::gravaSaida(c, s);
    for (int i = 0; i < vezes; ++i) {
        QElapsedTimer r;
        r.start();
        Lancamentos::gravaSaida(c, s);
        tempos.push_back(r.nsecsElapsed() / 1e6);
    }
    return mediana(tempos);
}

void medeMovimentos(qint64 movimentos)
{
    QTemporaryDir pasta;
    Conexao c;
    // Forced writes on, as on a real stock room's database: every commit reaches the disk.
    BancoEntregue::cria(c, pasta.path(), true);
    QElapsedTimer r;
    r.start();
    DadosDemo::preencheVolume(c, 1000, movimentos);
    figura(QStringLiteral("preenche_%1_movimentos").arg(movimentos), r.elapsed() / 1000.0, "s");
    figura(QStringLiteral("proximo_movimento_%1").arg(movimentos), tempoProximoMovimento(c, 500),
           "ms");
    figura(QStringLiteral("grava_entrada_%1").arg(movimentos), tempoEntrada(c, 200), "ms");
    figura(QStringLiteral("grava_saida_emprestimo_%1").arg(movimentos),
           tempoSaidaEmprestimo(c, 200), "ms");
    Consulta plano(c);
    plano.setSql(sqlProximoMovimento);
    std::printf("# plano: %s\n", plano.plano().toUtf8().constData());
}

// What one synchronous 8 KiB page write costs on this disk: a commit with forced writes on
// waits for several of them, so this bounds every save's time from below.
double tempoEscritaSincrona(const QString& pasta)
{
    const QByteArray arquivo = (pasta + QStringLiteral("/sync.tmp")).toLocal8Bit();
    const int fd = ::open(arquivo.constData(), O_WRONLY | O_CREAT | O_DSYNC, 0600);
    if (fd < 0)
        return -1;
    std::vector<double> tempos;
    const std::vector<char> pagina(8192, 'x');
    for (int i = 0; i < 50; ++i) {
        QElapsedTimer r;
        r.start();
        if (::pwrite(fd, pagina.data(), pagina.size(), 8192 * (i % 8)) < 0)
            break;
        tempos.push_back(r.nsecsElapsed() / 1e6);
    }
    ::close(fd);
    ::unlink(arquivo.constData());
    return mediana(tempos);
}

// The ledger's own saves, at a thousand rows and at a million (a tenth of it with --quick).
void medeLancamentos(bool rapido)
{
    QTemporaryDir pasta;
    figura(QStringLiteral("escrita_sincrona_8k"), tempoEscritaSincrona(pasta.path()), "ms");
    medeMovimentos(1000);
    medeMovimentos(rapido ? 100000 : 1000000);
}

// Returns of loans and write-offs of a lent-out item (product 10 is one), and the supplier
// list of one product, on a ledger of `movimentos` rows spread a hundred to a product.
void medeDevolucoes(qint64 movimentos)
{
    QTemporaryDir pasta;
    Conexao c;
    BancoEntregue::cria(c, pasta.path(), true);
    const qint64 produtos = std::max<qint64>(10, movimentos / 100);
    DadosDemo::preencheVolume(c, produtos, movimentos);
    const QString emprestado = Funcoes::codigoProduto(QStringLiteral("10"));
    const int vezes = 200;
    {
        // The suppliers the bulk entries name, and the open loans to return.
        Transacao t(c);
        Consulta f(c);
        f.setSql(QStringLiteral("Insert into Fornecedor (FOR_Codigo, FOR_Razao, FOR_Fone1) "
                                "values (:C, :R, '(11) 5555-0000')"));
        for (int i = 1; i <= 30; ++i) {
            f.setParametro(QStringLiteral("C"), Funcoes::codigoFornecedor(QString::number(i)));
            f.setParametro(QStringLiteral("R"), QStringLiteral("Fornecedor %1").arg(i));
            f.executa(t);
        }
        Consulta e(c);
        e.setSql(QStringLiteral("Insert into Mov_Consu (MOV_CodInt, MOV_CodPro, MOV_Tipo, "
                                "MOV_Data, MOV_DataD, MOV_Quant, MOV_Doc, MOV_Devolvido) values "
                                "(:N, :P, '000001', :D, :D, 1, 'RM', 'N')"));
        for (int i = 1; i <= vezes + 1; ++i) {
            e.setParametro(QStringLiteral("N"), i);
            e.setParametro(QStringLiteral("P"), emprestado);
            e.setParametro(QStringLiteral("D"), QDate::currentDate());
            e.executa(t);
        }
        t.commit();
    }
    const auto mede = [&](const std::function<void(int)>& grava) {
        grava(0); // prepares the statements once
        std::vector<double> tempos;
        for (int i = 1; i <= vezes; ++i) {
            QElapsedTimer r;
            r.start();
            grava(i);
            tempos.push_back(r.nsecsElapsed() / 1e6);
        }
        return mediana(tempos);
    };
    figura(QStringLiteral("grava_devolucao_%1").arg(movimentos), mede([&](int i) {
               Lancamentos::gravaDevolucao(c, {i + 1, QDate::currentDate()});
           }),
           "ms");
    figura(QStringLiteral("grava_extravio_%1").arg(movimentos), mede([&](int) {
               Lancamentos::gravaExtravio(
                   c, {emprestado, QDate::currentDate(), Decimal(1, 3), QStringLiteral("BO")});
           }),
           "ms");

    TdmProdutos dm(c);
    const QString produto = Funcoes::codigoProduto(QStringLiteral("1"));
    dm.carregaFornecedores(produto);
    std::vector<double> tempos;
    for (int i = 0; i < 20; ++i) {
        QElapsedTimer r;
        r.start();
        dm.carregaFornecedores(produto);
        tempos.push_back(r.nsecsElapsed() / 1e6);
    }
    figura(QStringLiteral("fornecedores_do_produto_%1").arg(movimentos), mediana(tempos), "ms");
    std::printf("# %d fornecedores; plano: %s\n", dm.cds_Produtos3.tamanho(),
                dm.SQLQ_Produtos3.plano().toUtf8().constData());
}

void medeDevolucao(bool rapido)
{
    medeDevolucoes(1000);
    medeDevolucoes(rapido ? 100000 : 1000000);
}

// A new user with its permission rows (one statement per module), committed; and the audit log
// query of one day, for one user and for everyone, over a log of `linhas` lines spread over
// two years and twenty users.
void medeAcesso(bool rapido)
{
    QTemporaryDir pasta;
    Conexao c;
    BancoEntregue::cria(c, pasta.path(), true);
    TdmUsuarios usuarios(c);
    TdmPER per(c);
    std::vector<double> tempos;
    for (int i = 0; i < 60; ++i) {
        QElapsedTimer r;
        r.start();
        Transacao t(c);
        const QString codigo = usuarios.proximoCodigo();
        usuarios.inclui(t,
                        {codigo, QStringLiteral("Usuário %1").arg(i), QStringLiteral("u%1").arg(i),
                         QStringLiteral("x"), QStringLiteral("A"), QDate::currentDate()});
        per.incluiPermissoes(t, codigo);
        t.commit();
        tempos.push_back(r.nsecsElapsed() / 1e6);
    }
    figura(QStringLiteral("grava_usuario_com_permissoes"), mediana(tempos), "ms");

    const int linhas = rapido ? 20000 : 200000;
    {
        Transacao t(c);
        Consulta q(c);
        q.setSql(QStringLiteral("Insert Into LOG (LOG_CodUser, LOG_Descricao, LOG_Data, LOG_Hora) "
                                "Values (:U, :D, :Data, :Hora)"));
        const QDate inicio = QDate::currentDate().addDays(-730);
        for (int i = 0; i < linhas; ++i) {
            q.setParametro(QStringLiteral("U"), Funcoes::codigoSeis(QString::number(1 + i % 20)));
            q.setParametro(QStringLiteral("D"), QStringLiteral("Saída do Estoque:        12"));
            q.setParametro(QStringLiteral("Data"), inicio.addDays(i % 731));
            q.setParametro(QStringLiteral("Hora"), QTime(8, 0).addSecs(i % 36000));
            q.executa(t);
        }
        t.commit();
    }
    TdmLog log(c);
    const QDate dia = QDate::currentDate().addDays(-100);
    for (const bool todos : {false, true}) {
        std::vector<double> consultas;
        for (int i = 0; i < 20; ++i) {
            QElapsedTimer r;
            r.start();
            log.filtra(todos ? QString() : QStringLiteral("000003"), dia, dia);
            consultas.push_back(r.nsecsElapsed() / 1e6);
        }
        figura(QStringLiteral("consulta_log_um_dia_%1_%2")
                   .arg(todos ? "todos" : "um_usuario")
                   .arg(linhas),
               mediana(consultas), "ms");
    }
}

// Seconds the `gbak` command takes for the same work, run as a person would run it; negative
// when it failed.
double tempoGbak(const QStringList& args)
{
    QProcess p;
    p.setStandardInputFile(QProcess::nullDevice());
    QElapsedTimer r;
    r.start();
    p.start(QStringLiteral("gbak"),
            args + QStringList{"-user", Conexao::usuario, "-password", Conexao::senha});
    if (!p.waitForFinished(-1) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        std::fprintf(stderr, "gbak %s: %s\n", args.join(' ').toLocal8Bit().constData(),
                     p.readAllStandardError().constData());
        return -1;
    }
    return r.elapsed() / 1000.0;
}

// Backup and restore of a stock room with a million ledger rows (a tenth with --quick), by the
// program's services (in-process, with their checks and renames) and by `gbak` on the same
// files; each the median of three runs.
void medeBackup(bool rapido)
{
    const qint64 movimentos = rapido ? 100000 : 1000000;
    QTemporaryDir pasta;
    const QString banco = Conexao::caminhoBanco(pasta.path());
    {
        Conexao c;
        BancoEntregue::cria(c, pasta.path(), true);
        DadosDemo::preencheVolume(c, 1000, movimentos);
    }
    const QString nosso = pasta.filePath(QStringLiteral("nosso.gbk"));
    const QString deles = pasta.filePath(QStringLiteral("gbak.gbk"));
    const QString restaurado = pasta.filePath(QStringLiteral("restaurado.fdb"));
    const Servicos servicos;
    std::vector<double> backup, backupGbak, restaura, restauraGbak;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer r;
        r.start();
        servicos.backup(banco, nosso);
        backup.push_back(r.elapsed() / 1000.0);
        QFile::remove(deles);
        backupGbak.push_back(tempoGbak({"-b", banco, deles}));

        QFile::remove(restaurado);
        r.start();
        servicos.restaura(nosso, restaurado);
        restaura.push_back(r.elapsed() / 1000.0);
        QFile::remove(restaurado);
        restauraGbak.push_back(tempoGbak({"-c", nosso, restaurado}));
    }
    std::printf("# backup file: %lld bytes\n", (long long)QFileInfo(nosso).size());
    const double b = mediana(backup), bg = mediana(backupGbak);
    const double rs = mediana(restaura), rg = mediana(restauraGbak);
    figura(QStringLiteral("backup_%1").arg(movimentos), b, "s");
    figura(QStringLiteral("restaura_%1").arg(movimentos), rs, "s");
    figura(QStringLiteral("backup_razao_gbak"), bg > 0 ? b / bg : -1, "x");
    figura(QStringLiteral("restaura_razao_gbak"), rg > 0 ? rs / rg : -1, "x");
}

// The report groups' stock room in `pasta`: a copy of the database given with --banco (filling
// a million ledger rows takes minutes), or a new one of `produtos` products and a million
// ledger rows (a tenth with --quick). Answers the ledger's rows.
qint64 comBancoPronto(bool rapido, const QString& pasta, qint64 produtos);

// The stock list II by description over 100,000 products (10,000 with --quick), from the
// request to a written PDF as the output choice and zvdb write it: the rows read a batch at a
// time, each page written as it is laid out; and the peak memory of the whole request.
void medeRelatorioItens(bool rapido)
{
    const qint64 produtos = rapido ? 10000 : 100000;
    QTemporaryDir pasta;
    Conexao c;
    BancoEntregue::cria(c, pasta.path(), false);
    DadosDemo::preencheVolume(c, produtos, 0);
    zeraPicoMemoria();
    TdmProdutos dm(c);
    TdmMovEstq livro(c);
    TdmMovConsu emprestimos(c);
    Relatorios relatorios(dm, livro, emprestimos);
    const QString chave = QStringLiteral("Itens Estoque Descricao 2");
    const Cabecalho cabecalho{QStringLiteral("Empresa"), QStringLiteral("(11) 5555-0101"),
                              QDateTime::currentDateTime()};
    const QString arquivo = pasta.filePath(QStringLiteral("itens.pdf"));
    QElapsedTimer r;
    r.start();
    // The processor time too: on a machine shared with other work the clock overstates it.
    const std::clock_t cpu = std::clock();
    relatorios.carregaSemDialogo(chave);
    figura(QStringLiteral("relatorio_itens_%1_carga").arg(produtos), r.elapsed() / 1000.0, "s");
    const std::optional<int> paginas = relatorios.gravaPdf(chave, cabecalho, arquivo);
    figura(QStringLiteral("relatorio_itens_%1_pdf").arg(produtos), r.elapsed() / 1000.0, "s");
    std::printf("# pdf: %.3f s de processador\n", double(std::clock() - cpu) / CLOCKS_PER_SEC);
    figura(QStringLiteral("relatorio_itens_memoria"), picoMemoriaMB(), "MB");
    std::printf("# %d paginas, PDF de %.1f MB%s\n", paginas.value_or(0),
                QFileInfo(arquivo).size() / 1e6, paginas ? "" : " (falhou)");
}

// "Geral por Data" over a period of about 100,000 movements of a 1,000,000-row ledger (10,000
// of 100,000 with --quick), from the print button (the list loaded, the header texts set) to a
// written PDF; and the peak memory of that request.
void medeRelatorioGeral(bool rapido)
{
    QTemporaryDir pasta;
    const qint64 movimentos = comBancoPronto(rapido, pasta.path(), 1000);
    Conexao c;
    c.configuraEAbre(pasta.path());
    // The ledger spreads its rows evenly over five years: a tenth of them is half a year.
    const QDate hoje = QDate::currentDate();
    const Relatorios::Parametros periodo{hoje.addDays(-182), hoje, QString(), QString()};
    zeraPicoMemoria();
    TdmProdutos produtos(c);
    TdmMovEstq livro(c);
    TdmMovConsu emprestimos(c);
    Relatorios relatorios(produtos, livro, emprestimos);
    const QString chave = QStringLiteral("Mov_Estq Geral Datas");
    QElapsedTimer r;
    r.start();
    const std::clock_t cpu = std::clock();
    relatorios.carregaMovimentos(chave, periodo);
    const double carga = r.elapsed() / 1000.0;
    // Streamed as the output choice and zvdb write it: rows read a batch at a time, each page
    // written as it is laid out.
    const std::optional<int> paginas =
        relatorios.gravaPdf(chave,
                            Cabecalho{QStringLiteral("Empresa"), QStringLiteral("(11) 5555-0101"),
                                      QDateTime::currentDateTime()},
                            pasta.filePath(QStringLiteral("geral.pdf")));
    figura(QStringLiteral("relatorio_geral_%1_pdf").arg(movimentos / 10), r.elapsed() / 1000.0,
           "s");
    std::printf("# pedido %.3f s; %.3f s de processador\n", carga,
                double(std::clock() - cpu) / CLOCKS_PER_SEC);
    figura(QStringLiteral("relatorio_geral_memoria"), picoMemoriaMB(), "MB");
    std::printf("# %d paginas, PDF de %.1f MB%s\n", paginas.value_or(0),
                QFileInfo(pasta.filePath(QStringLiteral("geral.pdf"))).size() / 1e6,
                paginas ? "" : " (falhou)");
}

// "Geral por Data" written to PDF a page at a time, as zvdb relatorio writes it, over a
// 1,000,000-row ledger of 100,000 products (100,000 of 10,000 with --quick): a year of it, and
// the peak memory of that request; then all five years, whose peak should be the year's.
void medeRelatorioAno(bool rapido)
{
    QTemporaryDir pasta;
    comBancoPronto(rapido, pasta.path(), rapido ? 10000 : 100000);
    Conexao c;
    c.configuraEAbre(pasta.path());
    TdmProdutos produtos(c);
    TdmMovEstq livro(c);
    TdmMovConsu emprestimos(c);
    Relatorios relatorios(produtos, livro, emprestimos);
    const QString chave = QStringLiteral("Mov_Estq Geral Datas");
    const Cabecalho cabecalho{QStringLiteral("Empresa"), QStringLiteral("(11) 5555-0101"),
                              QDateTime::currentDateTime()};
    const QDate hoje = QDate::currentDate();
    const auto mede = [&](const QDate& inicio, const QString& nome) {
        const QString arquivo = pasta.filePath(nome + QStringLiteral(".pdf"));
        // The ledger's fill leaves its own peak behind: the figure is the request's alone.
        livro.cds_MovEstq.esvazia();
        zeraPicoMemoria();
        QElapsedTimer r;
        r.start();
        const std::clock_t cpu = std::clock();
        relatorios.carregaMovimentos(chave, {inicio, hoje, QString(), QString()});
        const double carga = r.elapsed() / 1000.0;
        const std::optional<int> paginas = relatorios.gravaPdf(chave, cabecalho, arquivo);
        const double tempo = r.elapsed() / 1000.0;
        std::printf("# %s: %d paginas, pedido %.3f s, %.3f s de processador, PDF de %.1f MB%s\n",
                    nome.toUtf8().constData(), paginas.value_or(0), carga,
                    double(std::clock() - cpu) / CLOCKS_PER_SEC, QFileInfo(arquivo).size() / 1e6,
                    paginas ? "" : " (falhou)");
        return tempo;
    };
    figura(QStringLiteral("relatorio_ano_pdf"), mede(hoje.addYears(-1), QStringLiteral("ano")),
           "s");
    figura(QStringLiteral("relatorio_ano_memoria"), picoMemoriaMB(), "MB");
    mede(hoje.addYears(-6), QStringLiteral("cinco_anos"));
    figura(QStringLiteral("relatorio_cinco_anos_memoria"), picoMemoriaMB(), "MB");
}

// The database given with --banco; empty when each group fills its own.
QString bancoPronto;

struct Volume {
    qint64 produtos;
    qint64 movimentos;
};

// The sizes of the large stock room: those of the database given with --banco, or 100,000
// products and a million ledger rows (a tenth of each with --quick).
Volume volumePedido(bool rapido)
{
    if (bancoPronto.isEmpty())
        return rapido ? Volume{10000, 100000} : Volume{100000, 1000000};
    Conexao c;
    c.configuraEAbre(bancoPronto);
    Consulta q(c);
    q.setSql(QStringLiteral("Select (Select count(*) From Produtos), (Select count(*) From "
                            "Mov_Estq) From rdb$database"));
    const Resultado r = q.abre();
    return {r.valor(0, 0).toLongLong(), r.valor(0, 1).toLongLong()};
}

// Puts the large stock room in `pasta`: a copy of the database given with --banco, or a new one
// filled here (forced writes on, as on a real stock room's database).
void preparaVolume(const QString& pasta, qint64 produtos, qint64 movimentos)
{
    if (!bancoPronto.isEmpty()) {
        if (!QFile::copy(Conexao::caminhoBanco(bancoPronto), Conexao::caminhoBanco(pasta)))
            throw ErroBanco(QStringLiteral("O banco de %1 não foi copiado.").arg(bancoPronto));
        return;
    }
    Conexao c;
    BancoEntregue::cria(c, pasta, true);
    QElapsedTimer r;
    r.start();
    DadosDemo::preencheVolume(c, produtos, movimentos);
    figura(QStringLiteral("preenche_%1_movimentos_%2_produtos").arg(movimentos).arg(produtos),
           r.elapsed() / 1000.0, "s");
}

qint64 comBancoPronto(bool rapido, const QString& pasta, qint64 produtos)
{
    if (!bancoPronto.isEmpty()) {
        preparaVolume(pasta, 0, 0);
        return volumePedido(rapido).movimentos;
    }
    const qint64 movimentos = rapido ? 100000 : 1000000;
    Conexao c;
    BancoEntregue::cria(c, pasta, false);
    DadosDemo::preencheVolume(c, produtos, movimentos);
    return movimentos;
}

// "Tela" pressed on the output choice of the general report by date over all five years of a
// 1,000,000-row ledger (100,000 with --quick). `antes` runs just before the press; `olha` looks
// at the preview between two pages being laid out until it answers that it has seen enough,
// and the preview is closed then, which stops whatever is still being laid out.
void previaCincoAnos(bool rapido, const std::function<void()>& antes,
                     const std::function<bool(TfVisualiza&)>& olha)
{
    QTemporaryDir pasta;
    {
        Conexao c;
        BancoEntregue::cria(c, pasta.path(), false);
        DadosDemo::preencheVolume(c, rapido ? 10000 : 100000, rapido ? 100000 : 1000000);
    }
    Aplicacao app;
    app.conexao().configuraEAbre(pasta.path());
    app.criaTudo();
    TfTela_Impressora& escolha = app.janela<TfTela_Impressora>();
    const QString chave = QStringLiteral("Mov_Estq Geral Datas");
    const QDate hoje = QDate::currentDate();
    escolha.relatorios().carregaMovimentos(chave, {hoje.addYears(-6), hoje, QString(), QString()});
    escolha.Relatorio = chave;
    TfVisualiza& previa = escolha.previa();
    std::function<void()> passo = [&] {
        if (olha(previa))
            previa.accept();
        else
            QTimer::singleShot(0, &previa, passo);
    };
    Modal::instala([&](QDialog* janela) {
        janela->show();
        QTimer::singleShot(0, &previa, passo);
        while (janela->isVisible())
            QApplication::processEvents();
        return janela->result();
    });
    escolha.show();
    QApplication::processEvents();
    antes();
    escolha.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
    Modal::instala({});
}

// From "Tela" until the preview has painted page 1; the rest of the report is not waited for.
void medePrimeiraPagina(bool rapido)
{
    QElapsedTimer r;
    double primeira = -1;
    int paginas = 0;
    previaCincoAnos(
        rapido, [&] { r.start(); },
        [&](TfVisualiza& previa) {
            if (previa.documento().numeroDePaginas() == 0)
                return false;
            previa.repaint();
            primeira = r.elapsed() / 1000.0;
            paginas = previa.documento().numeroDePaginas();
            return true;
        });
    figura(QStringLiteral("relatorio_primeira_pagina"), primeira, "s");
    std::printf("# %d pagina(s) prontas quando a primeira foi pintada\n", paginas);
}

// Every page laid out in the preview and the last one painted: the process's peak memory,
// which the pages kept on disk hold to that of a year's PDF.
void medePreviaCincoAnos(bool rapido)
{
    QElapsedTimer r;
    std::clock_t cpu = 0;
    double tempo = -1;
    int paginas = 0;
    previaCincoAnos(
        rapido,
        [&] {
            zeraPicoMemoria();
            r.start();
            cpu = std::clock();
        },
        [&](TfVisualiza& previa) {
            if (previa.montando() || previa.numeroDePaginas() == 0)
                return false;
            previa.vaiParaUltima();
            previa.repaint();
            tempo = r.elapsed() / 1000.0;
            paginas = previa.numeroDePaginas();
            return true;
        });
    figura(QStringLiteral("relatorio_previa_cinco_anos_memoria"), picoMemoriaMB(), "MB");
    std::printf("# %d paginas na previa em %.3f s, %.3f s de processador\n", paginas, tempo,
                double(std::clock() - cpu) / CLOCKS_PER_SEC);
}

// The ledger on screen, on `movimentos` rows spread over five years: a year of them through
// the movement query's "Filtrar", one operation box clicked over them, one row deleted and
// reverted; then the product search window over `produtos` products.
void medeRazao(qint64 movimentos, qint64 produtos)
{
    QTemporaryDir pasta;
    preparaVolume(pasta.path(), produtos, movimentos);
    Aplicacao app;
    app.conexao().configuraEAbre(pasta.path());
    app.criaTudo();
    TfConsulta_MovEstq& consulta = app.janela<TfConsulta_MovEstq>();
    consulta.show();
    QApplication::processEvents();
    const QDate hoje = QDate::currentDate();
    consulta.findChild<QDateEdit*>(QStringLiteral("dtpData_Inicial"))->setDate(hoje.addYears(-1));
    consulta.findChild<QDateEdit*>(QStringLiteral("dtpData_Final"))->setDate(hoje);
    auto* filtrar = consulta.findChild<QPushButton*>(QStringLiteral("btnDatas_Filtrar"));
    zeraPicoMemoria();
    QElapsedTimer r;
    r.start();
    filtrar->click();
    QApplication::processEvents();
    const double ano = r.elapsed() / 1000.0;
    const DataSet& lista = app.dmMovEstq().cds_MovEstq;
    figura(QStringLiteral("consulta_ano_%1").arg(movimentos), ano, "s");
    std::printf("# %d linhas na primeira tela\n", lista.tamanho());
    // The rest of the year comes in while the window answers the user: the time until the
    // last row is in, and the longest the window was kept from answering meanwhile.
    double loteMaximo = 0;
    while (lista.lendo()) {
        QElapsedTimer lote;
        lote.start();
        QApplication::processEvents();
        loteMaximo = std::max(loteMaximo, lote.nsecsElapsed() / 1e6);
    }
    figura(QStringLiteral("consulta_ano_completa_%1").arg(movimentos), r.elapsed() / 1000.0, "s");
    figura(QStringLiteral("consulta_ano_lote_maximo"), loteMaximo, "ms");
    figura(QStringLiteral("consulta_ano_memoria"), picoMemoriaMB(), "MB");
    std::printf("# %d linhas no ano\n", lista.tamanho());

    auto* saidas = consulta.findChild<QCheckBox*>(QStringLiteral("cbSaidas"));
    std::vector<double> cliques;
    for (int i = 0; i < 6; ++i) {
        QElapsedTimer c;
        c.start();
        saidas->click();
        QApplication::processEvents();
        cliques.push_back(c.nsecsElapsed() / 1e6);
    }
    figura(QStringLiteral("filtro_operacao"), mediana(cliques), "ms");
    consulta.hide();

    std::vector<double> exclusoes;
    Consulta linha(app.conexao());
    linha.setSql(QStringLiteral("Select MOV_CodPro, MOV_Oper, MOV_Data, MOV_Quant, MOV_Valor "
                                "From Mov_Estq Where MOV_CodInt=:N"));
    for (qint64 n = movimentos; n > movimentos - 200; --n) {
        // The row as the maintenance list would show it.
        linha.setParametro(QStringLiteral("N"), n);
        const Resultado r = linha.abre();
        const Lancamentos::MovimentoVisto visto{n,
                                                r.valor(0, 0).toString(),
                                                r.valor(0, 1).toString(),
                                                r.valor(0, 2).toDate(),
                                                Decimal::deVariant(r.valor(0, 3)),
                                                Decimal::deVariant(r.valor(0, 4))};
        QElapsedTimer c;
        c.start();
        Lancamentos::excluiMovimento(app.conexao(), visto, true);
        exclusoes.push_back(c.nsecsElapsed() / 1e6);
    }
    figura(QStringLiteral("exclui_reverte"), mediana(exclusoes), "ms");

    // The product search as F5 opens it, and a quick search by description for the last one.
    TfBusca_Produtos& busca = app.janela<TfBusca_Produtos>();
    zeraPicoMemoria();
    r.restart();
    busca.show();
    QApplication::processEvents();
    figura(QStringLiteral("lista_produtos_%1").arg(produtos), r.elapsed() / 1000.0, "s");
    // The rest of the list comes in while the window answers the person, who is still typing
    // the first letters: the search is timed on the list as it then stands, all of it read.
    DataSet& produtosLidos = app.dmProdutos().cds_Produtos;
    while (produtosLidos.lendo())
        QApplication::processEvents();
    std::printf("# lista inteira lida em %.3f s\n", r.elapsed() / 1000.0);
    auto* campo = busca.findChild<QLineEdit*>(QStringLiteral("edBusca_ConPRO"));
    // The last description in the list's order: "Produto 99999" among a hundred thousand.
    campo->setText(QStringLiteral("Produto ") +
                   QString(QString::number(produtos).size() - 1, QLatin1Char('9')));
    r.restart();
    busca.findChild<QPushButton*>(QStringLiteral("btnBusca_ConPro"))->click();
    QApplication::processEvents();
    figura(QStringLiteral("busca_produtos_%1").arg(produtos), r.elapsed() / 1000.0, "s");
    figura(QStringLiteral("lista_produtos_memoria"), picoMemoriaMB(), "MB");
    // The quick search alone, on the list already read: by description, the list's order, and
    // by code, through an index of the codes.
    for (const char* coluna : {"PRO_DESCRICAO", "PRO_CODIGO"}) {
        const QString prefixo =
            produtosLidos.valor(produtosLidos.tamanho() - 1, QLatin1String(coluna)).toString();
        std::vector<double> buscas;
        for (int i = 0; i < 20; ++i) {
            QElapsedTimer b;
            b.start();
            produtosLidos.localiza(QLatin1String(coluna), prefixo);
            buscas.push_back(b.nsecsElapsed() / 1e6);
        }
        figura(QStringLiteral("localiza_%1_%2")
                   .arg(QString::fromLatin1(coluna).toLower())
                   .arg(produtos),
               mediana(buscas), "ms");
        std::printf("# a primeira: %.3f ms\n", buscas.front());
    }
    busca.hide();
}

// Every save of the ledger beside the engine's own floor, on the large stock room: a one-row
// insert into a table of the same database and its commit, with the same engine and settings
// (forced writes on), and each save's time over it. The saves and the raw commit take turns,
// so a busy machine weighs on all of them alike; each figure is the median of many.
void medePiso(bool rapido)
{
    const Volume v = volumePedido(rapido);
    QTemporaryDir pasta;
    preparaVolume(pasta.path(), v.produtos, v.movimentos);
    Conexao c;
    c.configuraEAbre(pasta.path());
    c.executaScript(QStringLiteral(
        "Create Table Piso_Cru (N Integer Not Null Primary Key, Texto VarChar(20));"));
    const QString emprestado = Funcoes::codigoProduto(QStringLiteral("10"));
    const QString consumivel = Funcoes::codigoProduto(QStringLiteral("1"));
    const QDate hoje = QDate::currentDate();
    const QString usuario = QStringLiteral("000001");
    const Lancamentos::Entrada entrada = compra(emprestado, QStringLiteral("Produto 10"), hoje);
    const Lancamentos::Saida saida{emprestado,
                                   hoje,
                                   Decimal(1000, 3),
                                   Decimal(0, 2),
                                   QStringLiteral("REQ"),
                                   QStringLiteral("000001"),
                                   false,
                                   hoje.addDays(7)};
    const Lancamentos::Extravio extravio{emprestado, hoje, Decimal(1000, 3), QStringLiteral("BO")};
    const Lancamentos::Estorno estorno{
        QStringLiteral("TS"),    consumivel,      hoje,
        Decimal(1000, 3),        Decimal(100, 2), QStringLiteral("RM"),
        QStringLiteral("000001")};
    Consulta cru(c);
    cru.setSql(QStringLiteral("Insert into Piso_Cru (N, Texto) values (:N, 'cru')"));
    int numero = 0;
    QList<qint64> emprestimos;
    // Beside each time, the processor time this thread spent on it: the engine runs the
    // statements and writes the pages in the caller's thread, so what is not processor time is
    // mostly waiting for the disk.
    std::map<const std::vector<double>*, std::vector<double>> processador;
    const auto mede = [&](std::vector<double>& tempos, const std::function<void()>& grava) {
        timespec antes{}, depois{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &antes);
        QElapsedTimer r;
        r.start();
        grava();
        tempos.push_back(r.nsecsElapsed() / 1e6);
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &depois);
        processador[&tempos].push_back((depois.tv_sec - antes.tv_sec) * 1e3 +
                                       (depois.tv_nsec - antes.tv_nsec) / 1e6);
    };
    std::vector<double> tCru, tEntrada, tSaida, tDevolucao, tExtravio, tEstorno;
    // The pages this connection has written so far: with forced writes on, each one is a
    // synchronous write that a commit waits for, which is where most of a save's time goes.
    Consulta paginas(c);
    paginas.setSql(QStringLiteral(
        "Select s.MON$PAGE_WRITES From MON$IO_STATS s join MON$ATTACHMENTS a on "
        "a.MON$STAT_ID = s.MON$STAT_ID Where a.MON$ATTACHMENT_ID = CURRENT_CONNECTION"));
    std::vector<qint64> escritas(7, 0);
    const auto conta = [&](int qual, const std::function<void()>& grava) {
        const qint64 antes = paginas.primeiroValor().toLongLong();
        grava();
        escritas[qual] += paginas.primeiroValor().toLongLong() - antes;
    };
    const int vezes = rapido ? 50 : 300;
    // The first turn prepares every statement; it is not counted.
    for (int i = 0; i <= vezes; ++i) {
        mede(tCru, [&] {
            Transacao t(c);
            cru.setParametro(QStringLiteral("N"), ++numero);
            cru.executa(t);
            t.commit();
        });
        mede(tEntrada, [&] { Lancamentos::gravaEntrada(c, entrada, usuario); });
        mede(tSaida, [&] { emprestimos << Lancamentos::gravaSaida(c, saida, usuario).emprestimo; });
        mede(tDevolucao, [&] {
            Lancamentos::gravaDevolucao(c, {emprestimos.takeFirst(), hoje}, usuario);
        });
        mede(tExtravio, [&] { Lancamentos::gravaExtravio(c, extravio, usuario); });
        mede(tEstorno, [&] { Lancamentos::gravaEstorno(c, estorno, usuario); });
    }
    for (auto* tempos : {&tCru, &tEntrada, &tSaida, &tDevolucao, &tExtravio, &tEstorno})
        tempos->erase(tempos->begin());
    // Ten more of each, outside the timings, for the pages each one writes; the reads of the
    // count themselves write nothing (a read-only transaction).
    const int contadas = 10;
    for (int i = 0; i < contadas; ++i) {
        conta(0, [&] {
            Transacao t(c);
            cru.setParametro(QStringLiteral("N"), ++numero);
            cru.executa(t);
            t.commit();
        });
        conta(1, [&] { Lancamentos::gravaEntrada(c, entrada, usuario); });
        conta(2, [&] { emprestimos << Lancamentos::gravaSaida(c, saida, usuario).emprestimo; });
        conta(3, [&] { Lancamentos::gravaDevolucao(c, {emprestimos.takeFirst(), hoje}, usuario); });
        conta(4, [&] { Lancamentos::gravaExtravio(c, extravio, usuario); });
        conta(5, [&] { Lancamentos::gravaEstorno(c, estorno, usuario); });
    }
    conta(6, [] {});
    std::printf("# paginas gravadas por vez: cru %.1f, entrada %.1f, saida_emprestimo %.1f, "
                "devolucao %.1f, extravio %.1f, estorno %.1f (leitura da contagem %.1f)\n",
                escritas[0] / double(contadas), escritas[1] / double(contadas),
                escritas[2] / double(contadas), escritas[3] / double(contadas),
                escritas[4] / double(contadas), escritas[5] / double(contadas),
                double(escritas[6]));
    const double piso = mediana(tCru);
    figura(QStringLiteral("commit_cru_%1").arg(v.movimentos), piso, "ms");
    std::printf("# cru: %.3f ms de processador\n", mediana(processador[&tCru]));
    const std::pair<const char*, std::vector<double>*> saves[] = {
        {"entrada", &tEntrada},   {"saida_emprestimo", &tSaida}, {"devolucao", &tDevolucao},
        {"extravio", &tExtravio}, {"estorno", &tEstorno},
    };
    for (const auto& [nome, tempos] : saves) {
        const double tempo = mediana(*tempos);
        std::printf("# %s: %.3f ms, %.3f ms de processador\n", nome, tempo,
                    mediana(processador[tempos]));
        figura(QStringLiteral("razao_%1").arg(QLatin1String(nome)), piso > 0 ? tempo / piso : -1,
               "x");
    }
}

void medeLedger(bool rapido)
{
    const Volume v = volumePedido(rapido);
    medeRazao(v.movimentos, v.produtos);
}

// The program's start as a person sees it: a new process, from its start to the main window on
// screen with its first-showing step done, on the large stock room (embedded), median of five.
// Each start runs this same program with --inicio-filho in a folder whose Config.ini names the
// database; the child says "pronto" when its main window is ready.
void medeInicio(bool rapido)
{
    const Volume v = volumePedido(rapido);
    QTemporaryDir pasta;
    preparaVolume(pasta.path(), v.produtos, v.movimentos);
    if (!ConfigIni::gravaPasta(pasta.path(), pasta.path()))
        throw ErroBanco(QStringLiteral("Config.ini não foi gravado."));
    std::vector<double> tempos;
    for (int i = 0; i < 5; ++i) {
        QProcess filho;
        filho.setWorkingDirectory(pasta.path());
        filho.setStandardInputFile(QProcess::nullDevice());
        filho.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer r;
        r.start();
        filho.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--inicio-filho")});
        QByteArray dito;
        while (!dito.contains("pronto") && filho.waitForReadyRead(60000))
            dito += filho.readAllStandardOutput();
        const double tempo = r.elapsed() / 1000.0;
        filho.waitForFinished(60000);
        if (!dito.contains("pronto"))
            throw ErroBanco(QStringLiteral("O programa não abriu a janela principal."));
        tempos.push_back(tempo);
    }
    figura(QStringLiteral("inicio_%1").arg(v.produtos), mediana(tempos), "s");
}

// The child of medeInicio: what main() of the program does, in the working directory the
// parent chose, then "pronto" once the main window has run its first-showing step.
int inicioFilho(QApplication& app)
{
    Convencoes::instalaLocalizacao(&app);
    Aplicacao aplicacao;
    if (!aplicacao.inicia())
        return 1;
    aplicacao.mostraPrincipal();
    // Queued behind the main window's first-showing step, so it runs once that step is done.
    QTimer::singleShot(0, &app, [&aplicacao] {
        std::printf("pronto\n");
        std::fflush(stdout);
        // As "Saída" ends it: the main window refuses any other close.
        aplicacao.solicitaFim();
    });
    return QApplication::exec();
}

// A list of 100,000 products (10,000 with --quick), every field, written from its grid to an
// .xlsx workbook.
void medeExporta(bool rapido)
{
    const qint64 produtos = rapido ? 10000 : 100000;
    QTemporaryDir pasta;
    Conexao c;
    BancoEntregue::cria(c, pasta.path(), false);
    DadosDemo::preencheVolume(c, produtos, 0);
    TdmProdutos dm(c);
    dm.carregaListaEstoque(TdmProdutos::ListaEstoque::PorDescricao);
    QTableView grade;
    Convencoes::preparaGrade(&grade);
    dm.cds_Produtos.acompanha(&grade);
    QElapsedTimer r;
    r.start();
    const QString falha =
        Exportacao::grava(Exportacao::tabelaDaGrade(&grade),
                          pasta.filePath(QStringLiteral("produtos.xlsx")), Exportacao::Tipo::Xlsx);
    figura(QStringLiteral("exporta_produtos_%1_xlsx").arg(produtos), r.elapsed() / 1000.0, "s");
    std::printf("# %d linhas x %d colunas, planilha de %.1f MB%s\n", dm.cds_Produtos.tamanho(),
                int(dm.cds_Produtos.columnCount()),
                QFileInfo(pasta.filePath(QStringLiteral("produtos.xlsx"))).size() / 1e6,
                falha.isEmpty() ? "" : " (falhou)");
}

// The day's alerts on the large stock room (embedded): from reading the three lists to the
// window on screen, as the start opens it; the first opening (statements prepared then) and
// the median of five more. A product in a hundred is put at or below its minimum, and the
// loans of a busy stock room are added: 2,000 open, due over the past and the next months, and
// 40,000 returned.
void medeAvisos(bool rapido)
{
    const Volume v = volumePedido(rapido);
    QTemporaryDir pasta;
    preparaVolume(pasta.path(), v.produtos, v.movimentos);
    const QDate hoje = QDate::currentDate();
    {
        Conexao c;
        c.configuraEAbre(pasta.path());
        Transacao t(c);
        Consulta minimo(c);
        minimo.setSql(QStringLiteral("Update Produtos set PRO_Min = PRO_Quant + 1 Where "
                                     "mod(cast(PRO_Codigo as integer), 100) = 0"));
        minimo.executa(t);
        Consulta e(c);
        e.setSql(QStringLiteral("Insert into Mov_Consu (MOV_CodInt, MOV_CodPro, MOV_Tipo, "
                                "MOV_Data, MOV_DataD, MOV_Quant, MOV_Doc, MOV_Devolvido) values "
                                "(:N, :P, :R, :D, :DD, 1, 'RM', :S)"));
        for (int i = 1; i <= 42000; ++i) {
            const bool aberto = i % 21 == 0;
            e.setParametro(QStringLiteral("N"), i);
            const qint64 produto = 10 * (1 + i % (v.produtos / 10));
            e.setParametro(QStringLiteral("P"), Funcoes::codigoProduto(QString::number(produto)));
            e.setParametro(QStringLiteral("R"), Funcoes::codigoSeis(QString::number(1 + i % 50)));
            const QDate devolucao = hoje.addDays(aberto ? (i / 21) % 120 - 90 : -(i % 700));
            e.setParametro(QStringLiteral("D"), devolucao.addDays(-14));
            e.setParametro(QStringLiteral("DD"), devolucao);
            e.setParametro(QStringLiteral("S"), QString::fromLatin1(aberto ? "N" : "S"));
            e.executa(t);
        }
        t.commit();
    }
    Aplicacao app;
    app.conexao().configuraEAbre(pasta.path());
    app.criaTudo();
    TfAvisos_Dia& avisos = app.janela<TfAvisos_Dia>();
    // As the start opens it: the lists read, then the window shown until it is on screen.
    QElapsedTimer r;
    double tempo = -1;
    Modal::instala([&](QDialog* janela) {
        janela->show();
        QApplication::processEvents();
        tempo = r.nsecsElapsed() / 1e9;
        janela->hide();
        return 0;
    });
    std::vector<double> tempos;
    double primeira = -1;
    for (int i = 0; i < 6; ++i) {
        r.start();
        avisos.abreAoIniciar();
        if (i == 0)
            primeira = tempo;
        else
            tempos.push_back(tempo);
    }
    Modal::instala({});
    figura(QStringLiteral("avisos_%1").arg(v.produtos), primeira, "s");
    std::printf("# mediana das seguintes: %.3f s; %d abaixo do minimo, %d atrasadas, %d a vencer\n",
                mediana(tempos), avisos.abaixoDoMinimo().tamanho(), avisos.atrasadas().tamanho(),
                avisos.aVencer().tamanho());
    Consulta plano(app.conexao());
    preparaAbaixoDoMinimo(plano);
    std::printf("# plano minimo: %s\n", plano.plano().toUtf8().constData());
    preparaEmprestimosVencendo(plano, QDate(), hoje.addDays(-1));
    std::printf("# plano atrasadas: %s\n", plano.plano().toUtf8().constData());
    preparaEmprestimosVencendo(plano, hoje, hoje.addDays(TfAvisos_Dia::diasAVencer));
    std::printf("# plano a vencer: %s\n", plano.plano().toUtf8().constData());
    // The purchase suggestion over the same products: each one's last purchase looked up.
    TfRel_SugestaoCompra sugestao;
    QElapsedTimer s;
    s.start();
    sugestao.carrega(app.conexao());
    std::printf("# sugestao de compra lida em %.3f s, %d produtos\n", s.nsecsElapsed() / 1e9,
                sugestao.lista().tamanho());
    preparaSugestaoCompra(plano);
    std::printf("# plano sugestao: %s\n", plano.plano().toUtf8().constData());
}

struct Grupo {
    const char* nome;
    std::function<void(bool rapido)> mede;
};

// One row per group of figures.
const Grupo grupos[] = {
    {"lancamentos", medeLancamentos},
    {"devolucao", medeDevolucao},
    {"acesso", medeAcesso},
    {"backup", medeBackup},
    {"relatorio_itens", medeRelatorioItens},
    {"relatorio_geral", medeRelatorioGeral},
    {"relatorio_ano", medeRelatorioAno},
    {"relatorio_primeira_pagina", medePrimeiraPagina},
    {"relatorio_previa", medePreviaCincoAnos},
    {"ledger", medeLedger},
    {"piso", medePiso},
    {"inicio", medeInicio},
    {"exporta", medeExporta},
    {"avisos", medeAvisos},
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.contains(QStringLiteral("--inicio-filho")))
        return inicioFilho(app);
    const bool rapido = args.contains(QStringLiteral("--quick"));
    const qsizetype banco = args.indexOf(QStringLiteral("--banco"));
    if (banco >= 0 && banco + 1 < args.size())
        bancoPronto = args.at(banco + 1);
    QStringList escolhidos;
    const qsizetype only = args.indexOf(QStringLiteral("--only"));
    if (only >= 0 && only + 1 < args.size())
        escolhidos = args.at(only + 1).split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString& nome : escolhidos) {
        const bool existe = std::any_of(std::begin(grupos), std::end(grupos), [&](const Grupo& g) {
            return nome == QLatin1String(g.nome);
        });
        if (!existe) {
            std::fprintf(stderr, "unknown group: %s\n", nome.toLocal8Bit().constData());
            return 2;
        }
    }
    try {
        for (const Grupo& g : grupos)
            if (escolhidos.isEmpty() || escolhidos.contains(QLatin1String(g.nome)))
                g.mede(rapido);
    } catch (const ErroBanco& e) {
        std::fprintf(stderr, "%s\n", e.mensagem().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
