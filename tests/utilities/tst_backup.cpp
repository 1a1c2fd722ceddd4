// Backup and restore of the database: the two windows of the "Utilitários" menu, the services
// layer under them and the command line for scheduled backups, on the embedded engine. A bad
// backup file must never cost the database it was meant to replace, and a failed backup must
// never cost the backup that was there before.

#include "contexto/ConfigIni.h"
#include "data/DadosDemo.h"
#include "data/firebird/Conexao.h"
#include "data/firebird/ErroBanco.h"
#include "data/firebird/Servicos.h"
#include "data/firebird/Transacao.h"
#include "support/AplicacaoTeste.h"
#include "support/Arquivos.h"
#include "support/Cadastro.h"
#include "utilities/Backup.h"
#include "utilities/Progresso_Servico.h"
#include "utilities/Restaura_Backup.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <future>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Tela;

namespace {

const QString backupOk = QStringLiteral("Backup dos Dados Realizado com Sucesso !");
const QString backupFalhou =
    QStringLiteral("Não Consegui Gerar o Backup, Tente Novamente !\nErro:  ");
const QString restauraOk =
    QStringLiteral("A restauração foi efetuada com Sucesso,\n O Sistema Será Finalizado para "
                   "Concluir a Restauração do Backup !");
const QString restauraFalhou =
    QStringLiteral("Não consegui Restaurar o Backup dos Dados\nMensagem de Erro:");

void grava(const QString& arquivo, const QByteArray& conteudo)
{
    QFile f(arquivo);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(conteudo);
}

QStringList arquivosDe(const QString& pasta)
{
    return QDir(pasta).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// How long a test waits for a service that should end at once before it gives the service what
// it waits for, so a fault shows as a failure and not as a test that never ends.
constexpr int paciencia = 30000;
// The program works on the test's database, as chosen in Config.ini, and finds one group there.
bool umGrupoNoBancoDoPrograma(TelaTeste& t)
{
    if (!ConfigIni::gravaPasta(t.banco.pasta()))
        return false;
    Cadastro::grupo(t.banco, "000001", "Elétrica");
    return true;
}

// The restore window worked as the administrator works it: the backup file, then the database it
// replaces (the two choosers answer in that order), then "Restaurar". `depois` goes on in the
// window before it closes.
void restaura(TelaTeste& t, const QString& backup, const QString& banco,
              const std::function<void(QDialog*)>& depois = {})
{
    t.driver.respondeEscolha(backup);
    t.driver.respondeEscolha(banco);
    t.abre("RestauraBackup1", [&](QDialog* janela) {
        clica(janela, "Button2");
        clica(janela, "btnEscolhePasta");
        clica(janela, "btnGeraBackup");
        if (depois)
            depois(janela);
    });
}

// A backup of a database with rows, cut to half its size: the server reads it to its end, finds
// no more, and asks for the next volume.
void backupTruncado(const QString& origem, const QString& truncado)
{
    const QString bom = truncado + QStringLiteral(".inteiro");
    Servicos().backup(origem, bom);
    QFile f(bom);
    QVERIFY(f.open(QIODevice::ReadOnly));
    grava(truncado, f.read(f.size() / 2));
    f.remove();
}

// What the caller of a backup throws from its progress to cut the backup short.
struct Corte {};

} // namespace

class TstBackup : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void backupThenRestoreRoundTripsEveryTable();
    void backupWindowStartsAfreshAtEachOpening();
    void failedBackupKeepsTheEarlierBackup_data();
    void failedBackupKeepsTheEarlierBackup();
    void restoreWindowChoosersAndNothingChosen();
    void badBackupFileLeavesTheTargetUntouched_data();
    void badBackupFileLeavesTheTargetUntouched();
    void restoreOverADatabaseInUseIsRefused();
    void restoreReplacesTheProgramsOwnDatabase();
    void commandLineRoundTripAndRefusals();
    void truncatedBackupNeverWaitsOnTheTerminal_data();
    void truncatedBackupNeverWaitsOnTheTerminal();
    void stalledServiceEndsAsAFailure();
    void backupCutHalfWayKeepsTheEarlierBackup();

private:
    // The working folder of the program for one test, with its Config.ini.
    std::unique_ptr<QTemporaryDir> m_trabalho;
    QString m_anterior;
};

void TstBackup::init()
{
    m_anterior = QDir::currentPath();
    m_trabalho = std::make_unique<QTemporaryDir>();
    QDir::setCurrent(m_trabalho->path());
}

void TstBackup::cleanup()
{
    QDir::setCurrent(m_anterior);
    m_trabalho.reset();
    TfProgresso_Servico::aoMostrar({});
}

void TstBackup::backupThenRestoreRoundTripsEveryTable()
{
    TelaTeste t;
    DadosDemo::preenche(t.banco.conexao());
    QVERIFY(ConfigIni::gravaPasta(t.banco.pasta()));
    const QStringList original = Cadastro::todasAsLinhas(t.banco.conexao());
    QVERIFY(original.size() > 50);

    // The program keeps handling its events (painting among them) while the server works.
    int batidas = 0;
    int batidasDuranteTrabalho = -1;
    QTimer relogio;
    relogio.setInterval(5);
    QObject::connect(&relogio, &QTimer::timeout, [&] { ++batidas; });
    QStringList progresso;
    TfProgresso_Servico::aoMostrar([&](TfProgresso_Servico* janela) {
        QVERIFY(janela->isVisible());
        progresso << janela->linhas();
        batidasDuranteTrabalho = batidas;
    });

    QTemporaryDir destino;
    const QString arquivo = destino.filePath("copia.gbk");
    t.driver.respondeEscolha(arquivo);
    t.abre("Backup1", [&](QDialog* janela) {
        QCOMPARE(janela->windowTitle(), QStringLiteral("Backup dos Dados do Sistema"));
        clica(janela, "btnEscolhePasta");
        QCOMPARE(texto(janela, "edPasta"), arquivo);
        relogio.start();
        batidas = 0;
        clica(janela, "btnGeraBackup");
        relogio.stop();
        clica(janela, "btnFechar");
    });
    QCOMPARE(t.msgs.textos(), QStringList{backupOk});
    QVERIFY2(batidasDuranteTrabalho > 0, "no event handled while the backup ran");
    QVERIFY(QFileInfo(arquivo).size() > 0);
    // Only the finished backup is left: its temporary name is gone.
    QCOMPARE(arquivosDe(destino.path()), QStringList{"copia.gbk"});
    // The server's own lines were shown while it worked.
    QVERIFY2(progresso.contains(
                 QStringLiteral("gbak:closing file, committing, and finishing. %1 bytes written")
                     .arg(QFileInfo(arquivo).size())),
             qPrintable(progresso.join('\n')));
    t.msgs.limpa();

    QTemporaryDir outra;
    t.driver.respondeEscolha(arquivo);
    // The chooser offers "ZV.FDB"; the program opens "zv.fdb".
    t.driver.respondeEscolha(outra.filePath("ZV.FDB"));
    t.abre("RestauraBackup1", [&](QDialog* janela) {
        QCOMPARE(janela->windowTitle(), QStringLiteral("fRestaura_Backup"));
        // The program holds no connection while the window is open.
        QVERIFY(!t.app.conexao().aberta());
        clica(janela, "Button2");
        clica(janela, "btnEscolhePasta");
        QCOMPARE(texto(janela, "edBackup1"), arquivo);
        QCOMPARE(texto(janela, "edPasta"), outra.filePath("zv.fdb"));
        clica(janela, "btnGeraBackup");
        // The window closes itself: the program is ending.
        QVERIFY(!janela->isVisible());
    });
    QCOMPARE(t.msgs.textos(), QStringList{restauraOk});
    QVERIFY(t.app.fimSolicitado());
    QVERIFY(t.app.conexao().aberta());
    QCOMPARE(arquivosDe(outra.path()), QStringList{"zv.fdb"});

    Conexao restaurado;
    restaurado.configuraEAbre(outra.path());
    QCOMPARE(Cadastro::todasAsLinhas(restaurado), original);
    // The database the program opens was left alone.
    QCOMPARE(Cadastro::todasAsLinhas(t.banco.conexao()), original);
}

void TstBackup::backupWindowStartsAfreshAtEachOpening()
{
    TelaTeste t;
    QVERIFY(ConfigIni::gravaPasta(t.banco.pasta()));
    const QString trabalho = QDir::currentPath();
    const QString padrao = QDir(trabalho).filePath("backup.gbk");
    QTemporaryDir outra;

    t.driver.respondeEscolha(outra.filePath("semextensao"));
    t.driver.respondeEscolha(QString()); // cancelled
    t.abre("Backup1", [&](QDialog* janela) {
        QCOMPARE(texto(janela, "edPasta"), padrao);
        QVERIFY(!acha<QLineEdit>(janela, "edPasta")->isEnabled());
        QCOMPARE(static_cast<TfBackup*>(janela)->bancoOrigem(),
                 Conexao::caminhoBanco(t.banco.pasta()));
        clica(janela, "btnEscolhePasta");
        QCOMPARE(texto(janela, "edPasta"), outra.filePath("semextensao.gbk"));
        clica(janela, "btnEscolhePasta");
        QCOMPARE(texto(janela, "edPasta"), outra.filePath("semextensao.gbk"));
        QCOMPARE(static_cast<TfBackup*>(janela)->arquivoBackup(),
                 outra.filePath("semextensao.gbk"));
        // A chooser may move the working folder; closing sets it back.
        QDir::setCurrent(outra.path());
        clica(janela, "btnFechar");
    });
    QCOMPARE(QDir::currentPath(), trabalho);
    const Modal::PedidoEscolha& pedido = t.driver.escolhas().at(0);
    QCOMPARE(pedido.tipo, Modal::TipoEscolha::SalvarArquivo);
    QCOMPARE(pedido.inicial, padrao);
    QCOMPARE(pedido.sufixo, QStringLiteral("gbk"));
    QVERIFY(pedido.filtro.isEmpty());

    t.abre("Backup1", [&](QDialog* janela) {
        QCOMPARE(texto(janela, "edPasta"), padrao);
        clica(janela, "btnFechar");
    });
    QVERIFY(t.msgs.textos().isEmpty());
}

void TstBackup::failedBackupKeepsTheEarlierBackup_data()
{
    QTest::addColumn<QString>("caso");
    caso("folder that does not exist", QStringLiteral("pasta"));
    caso("read-only place", QStringLiteral("somenteLeitura"));
    caso("database that cannot be read", QStringLiteral("banco"));
}

void TstBackup::failedBackupKeepsTheEarlierBackup()
{
    QFETCH(QString, caso);
    TelaTeste t;
    QTemporaryDir destino;
    QTemporaryDir vazia;
    QString arquivo = destino.filePath("backup.gbk");
    grava(arquivo, "the backup of last night");
    const QByteArray anterior = Arquivos::impressao(arquivo);
    QVERIFY(ConfigIni::gravaPasta(caso == "banco" ? vazia.path() : t.banco.pasta()));
    if (caso == "pasta") {
        arquivo = destino.filePath("nao/existe/backup.gbk");
    } else if (caso == "somenteLeitura") {
        // Nobody may create a file in /proc, not even the administrator.
        if (geteuid() == 0)
            arquivo = QStringLiteral("/proc/backup.gbk");
        else
            QVERIFY(QFile::setPermissions(destino.path(), QFile::ReadOwner | QFile::ExeOwner));
    }

    t.driver.respondeEscolha(arquivo);
    t.abre("Backup1", [&](QDialog* janela) {
        clica(janela, "btnEscolhePasta");
        clica(janela, "btnGeraBackup");
        clica(janela, "btnFechar");
    });
    QFile::setPermissions(destino.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(t.msgs.quantidade(), 1);
    QCOMPARE(t.msgs.mensagens().at(0).tipo, TipoMensagem::Aviso);
    const QString texto = t.msgs.ultimoTexto();
    QVERIFY2(texto.startsWith(backupFalhou) && texto.size() > backupFalhou.size(),
             qPrintable(texto));
    QCOMPARE(Arquivos::impressao(destino.filePath("backup.gbk")), anterior);
    QCOMPARE(arquivosDe(destino.path()), QStringList{"backup.gbk"});
}

void TstBackup::restoreWindowChoosersAndNothingChosen()
{
    TelaTeste t;
    QVERIFY(ConfigIni::gravaPasta(t.banco.pasta()));
    t.driver.respondeEscolha(QString());
    t.driver.respondeEscolha(QString());
    t.abre("RestauraBackup1", [&](QDialog* janela) {
        QVERIFY(!t.app.conexao().aberta());
        clica(janela, "Button2");
        clica(janela, "btnEscolhePasta");
        QCOMPARE(textos(janela, {"edBackup1", "edPasta"}), (QStringList{QString(), QString()}));
        clica(janela, "btnGeraBackup");
        QVERIFY(janela->isVisible());
        clica(janela, "btnFechar");
    });
    QCOMPARE(t.msgs.quantidade(), 1);
    QCOMPARE(t.msgs.mensagens().at(0).tipo, TipoMensagem::Aviso);
    QVERIFY2(t.msgs.ultimoTexto().startsWith(restauraFalhou), qPrintable(t.msgs.ultimoTexto()));
    QVERIFY(!t.app.fimSolicitado());
    QVERIFY(t.app.conexao().aberta());

    const Modal::PedidoEscolha& abrir = t.driver.escolhas().at(0);
    QCOMPARE(abrir.tipo, Modal::TipoEscolha::AbrirArquivo);
    QCOMPARE(abrir.inicial, QStringLiteral("backup"));
    QCOMPARE(abrir.sufixo, QStringLiteral("gbk"));
    QVERIFY(abrir.filtro.isEmpty());
    const Modal::PedidoEscolha& salvar = t.driver.escolhas().at(1);
    QCOMPARE(salvar.tipo, Modal::TipoEscolha::SalvarArquivo);
    QCOMPARE(salvar.titulo, QStringLiteral("Escolha o Local onde o Backup será Restaurado"));
    QCOMPARE(salvar.inicial, QStringLiteral("ZV"));
    QCOMPARE(salvar.sufixo, QStringLiteral("FDB"));
    QCOMPARE(salvar.filtro, QStringLiteral("ZV.FDB (ZV.FDB)"));
}

void TstBackup::badBackupFileLeavesTheTargetUntouched_data()
{
    QTest::addColumn<QString>("caso");
    QTest::addColumn<QString>("motivo");
    caso("garbage", QStringLiteral("lixo"), QString());
    caso("truncated", QStringLiteral("truncado"), QString::fromLatin1(Servicos::backupIncompleto));
    caso("missing", QStringLiteral("ausente"), QStringLiteral("cannot open backup file"));
}

void TstBackup::badBackupFileLeavesTheTargetUntouched()
{
    QFETCH(QString, caso);
    QFETCH(QString, motivo);
    TelaTeste t;
    DadosDemo::preenche(t.banco.conexao());
    QVERIFY(ConfigIni::gravaPasta(t.banco.pasta()));
    QTemporaryDir arquivos;
    const QString bom = arquivos.filePath("bom.gbk");
    Servicos().backup(t.banco.arquivo(), bom);

    // The database to be replaced: another stock room's, with rows of its own.
    QTemporaryDir alvo;
    QVERIFY(QFile::copy(t.banco.arquivo(), alvo.filePath("zv.fdb")));
    QFile::setPermissions(alvo.filePath("zv.fdb"), QFile::ReadOwner | QFile::WriteOwner);
    {
        Conexao c;
        c.configuraEAbre(alvo.path());
        Consulta apaga(c);
        Transacao tr(c);
        apaga.setSql("delete from Grupos");
        apaga.executa(tr);
        tr.commit();
    }
    const QByteArray antes = Arquivos::impressao(alvo.filePath("zv.fdb"));

    const QString ruim = arquivos.filePath("ruim.gbk");
    if (caso == "lixo") {
        QByteArray lixo;
        for (int i = 0; i < 4096; ++i)
            lixo.append(char((i * 131 + 7) % 251));
        grava(ruim, lixo);
    } else if (caso == "truncado") {
        QFile f(bom);
        QVERIFY(f.open(QIODevice::ReadOnly));
        grava(ruim, f.read(f.size() / 2));
    }

    restaura(t, ruim, alvo.filePath("zv.fdb"), [&](QDialog* janela) {
        QVERIFY(janela->isVisible());
        QCOMPARE(t.msgs.quantidade(), 1);
        QCOMPARE(t.msgs.mensagens().at(0).tipo, TipoMensagem::Aviso);
        const QString texto = t.msgs.ultimoTexto();
        QVERIFY2(texto.startsWith(restauraFalhou) && texto.size() > restauraFalhou.size() &&
                     texto.contains(motivo),
                 qPrintable(texto));
        QCOMPARE(Arquivos::impressao(alvo.filePath("zv.fdb")), antes);
        QCOMPARE(arquivosDe(alvo.path()), QStringList{"zv.fdb"});
        // The program keeps running with its connection.
        QVERIFY(t.app.conexao().aberta());
        QVERIFY(!t.app.fimSolicitado());

        // A second attempt with a good file restores.
        t.msgs.limpa();
        t.driver.respondeEscolha(bom);
        clica(janela, "Button2");
        clica(janela, "btnGeraBackup");
    });
    QCOMPARE(t.msgs.textos(), QStringList{restauraOk});
    QVERIFY(t.app.fimSolicitado());
    Conexao restaurado;
    restaurado.configuraEAbre(alvo.path());
    QCOMPARE(Cadastro::todasAsLinhas(restaurado), Cadastro::todasAsLinhas(t.banco.conexao()));
    QCOMPARE(arquivosDe(alvo.path()), QStringList{"zv.fdb"});
}

void TstBackup::restoreOverADatabaseInUseIsRefused()
{
    TelaTeste t;
    QVERIFY(umGrupoNoBancoDoPrograma(t));
    QTemporaryDir arquivos;
    const QString vazio = arquivos.filePath("vazio.gbk");
    {
        BancoTeste outro;
        Servicos().backup(outro.arquivo(), vazio);
    }

    // The test's own connection stays on the program's database, as another workstation's.
    restaura(t, vazio, t.banco.arquivo(), [](QDialog* janela) { clica(janela, "btnFechar"); });
    QCOMPARE(t.msgs.quantidade(), 1);
    QVERIFY2(t.msgs.ultimoTexto().startsWith(restauraFalhou) &&
                 t.msgs.ultimoTexto().contains(t.banco.arquivo()) &&
                 t.msgs.ultimoTexto().contains("em uso"),
             qPrintable(t.msgs.ultimoTexto()));
    QVERIFY(!t.app.fimSolicitado());
    QCOMPARE(t.banco.conta("Grupos"), 1);
    QCOMPARE(arquivosDe(t.banco.pasta()), QStringList{"zv.fdb"});
    QVERIFY(t.app.conexao().aberta());
}

void TstBackup::restoreReplacesTheProgramsOwnDatabase()
{
    TelaTeste t;
    QVERIFY(umGrupoNoBancoDoPrograma(t));
    QTemporaryDir arquivos;
    const QString ontem = arquivos.filePath("ontem.gbk");
    Servicos().backup(t.banco.arquivo(), ontem);
    t.banco.executa("delete from Grupos");
    const QFile::Permissions permissoes = QFile::permissions(t.banco.arquivo());
    // Only the program works in its database now.
    t.banco.conexao().fecha();

    restaura(t, ontem, t.banco.arquivo());
    QCOMPARE(t.msgs.textos(), QStringList{restauraOk});
    QVERIFY(t.app.fimSolicitado());
    // The program's connection, open again, already reads yesterday's rows.
    Consulta c(t.app.conexao());
    c.setSql("select GRU_Descricao from Grupos");
    QCOMPARE(c.primeiroValor().toString().trimmed(), QStringLiteral("Elétrica"));
    QCOMPARE(arquivosDe(t.banco.pasta()), QStringList{"zv.fdb"});
    QCOMPARE(QFile::permissions(t.banco.arquivo()), permissoes);
}

void TstBackup::commandLineRoundTripAndRefusals()
{
    BancoTeste origem;
    DadosDemo::preenche(origem.conexao());
    const QStringList original = Cadastro::todasAsLinhas(origem.conexao());
    origem.conexao().fecha(); // another process opens it now
    QTemporaryDir pastas;
    const QString arquivo = pastas.filePath("noite.gbk");

    const auto zvdb = [](const QStringList& args, QString* saida = nullptr) {
        QProcess p;
        p.setStandardInputFile(QProcess::nullDevice());
        p.start(QStringLiteral(ZVDB_PROGRAMA), args);
        if (!p.waitForFinished(120000))
            return -1;
        if (saida)
            *saida = QString::fromLocal8Bit(p.readAllStandardOutput() + p.readAllStandardError());
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    };

    QString saida;
    QCOMPARE(zvdb({"backup", origem.pasta(), arquivo, "--verbose"}, &saida), 0);
    QVERIFY2(saida.contains("gbak:closing file, committing, and finishing"), qPrintable(saida));

    QVERIFY(QDir(pastas.path()).mkdir("novo"));
    const QString novo = pastas.filePath("novo");
    QCOMPARE(zvdb({"restaura", arquivo, novo}, &saida), 0);
    QVERIFY(!saida.contains("gbak:"));
    {
        Conexao c;
        c.configuraEAbre(novo);
        QCOMPARE(Cadastro::todasAsLinhas(c), original);
    }

    // A garbage file: refused, the server's message, the database as it was.
    const QString lixo = pastas.filePath("lixo.gbk");
    grava(lixo, QByteArray(3000, 'x'));
    const QByteArray antes = Arquivos::impressao(Conexao::caminhoBanco(novo));
    QVERIFY(zvdb({"restaura", lixo, novo}, &saida) != 0);
    QVERIFY2(!saida.trimmed().isEmpty(), "no reason given");
    QCOMPARE(Arquivos::impressao(Conexao::caminhoBanco(novo)), antes);
    QCOMPARE(arquivosDe(novo), QStringList{"zv.fdb"});

    // A database in use (here, by this process) is never replaced.
    origem.conexao().abre();
    QVERIFY(zvdb({"restaura", arquivo, origem.pasta()}, &saida) != 0);
    QVERIFY2(saida.contains("lock") || saida.contains("use"), qPrintable(saida));
    QCOMPARE(arquivosDe(origem.pasta()), QStringList{"zv.fdb"});
    QCOMPARE(Cadastro::todasAsLinhas(origem.conexao()), original);
}

void TstBackup::truncatedBackupNeverWaitsOnTheTerminal_data()
{
    QTest::addColumn<bool>("janela");
    caso("restore window", true);
    caso("command line", false);
}

void TstBackup::truncatedBackupNeverWaitsOnTheTerminal()
{
    QFETCH(bool, janela);
    TelaTeste t;
    DadosDemo::preenche(t.banco.conexao());
    QVERIFY(ConfigIni::gravaPasta(t.banco.pasta()));
    QTemporaryDir arquivos, alvo;
    const QString truncado = arquivos.filePath("truncado.gbk");
    backupTruncado(t.banco.arquivo(), truncado);
    if (QTest::currentTestFailed())
        return;
    QString mensagem;

    if (janela) {
        // The test's own standard input becomes a terminal nobody types into: a pipe that stays
        // open and never gets a line.
        int tubo[2];
        QCOMPARE(::pipe(tubo), 0);
        const int original = ::dup(STDIN_FILENO);
        ::dup2(tubo[0], STDIN_FILENO);
        ::close(tubo[0]);
        bool esperou = false;
        QTimer vigia;
        vigia.setSingleShot(true);
        QObject::connect(&vigia, &QTimer::timeout, [&] {
            esperou = true;
            ::close(tubo[1]);
            tubo[1] = -1;
        });
        vigia.start(paciencia);
        restaura(t, truncado, alvo.filePath("zv.fdb"), [](QDialog* j) { clica(j, "btnFechar"); });
        ::dup2(original, STDIN_FILENO);
        ::close(original);
        if (tubo[1] >= 0)
            ::close(tubo[1]);
        QVERIFY2(!esperou, "the restore waited for a line on standard input");
        QCOMPARE(t.msgs.quantidade(), 1);
        mensagem = t.msgs.ultimoTexto();
        QVERIFY2(mensagem.startsWith(restauraFalhou), qPrintable(mensagem));
        QVERIFY(!t.app.fimSolicitado());
        QVERIFY(t.app.conexao().aberta());
    } else {
        // QProcess gives the program a pipe as standard input and leaves it open.
        QProcess p;
        p.start(QStringLiteral(ZVDB_PROGRAMA), {"restaura", truncado, alvo.path()});
        const bool terminou = p.waitForFinished(paciencia);
        if (!terminou) {
            p.kill();
            p.waitForFinished();
        }
        QVERIFY2(terminou, "zvdb waited for a line on standard input");
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QVERIFY(p.exitCode() != 0);
        mensagem = QString::fromLocal8Bit(p.readAllStandardError());
    }
    QVERIFY2(mensagem.contains(QLatin1String(Servicos::backupIncompleto)), qPrintable(mensagem));
    QCOMPARE(arquivosDe(alvo.path()), QStringList{});
}

void TstBackup::stalledServiceEndsAsAFailure()
{
    // A backup file that never delivers a byte: a named pipe whose writer, this test, stays
    // silent. The server waits on it as on a stuck disk or network share.
    QTemporaryDir arquivos, alvo;
    const QString parado = arquivos.filePath("parado.gbk");
    QCOMPARE(::mkfifo(QFile::encodeName(parado).constData(), 0600), 0);
    int escritor = ::open(QFile::encodeName(parado).constData(), O_RDWR | O_CLOEXEC);
    QVERIFY(escritor >= 0);
    const auto solta = [&] {
        if (escritor >= 0)
            ::close(escritor);
        escritor = -1;
    };
    auto restauracao = std::async(std::launch::async, [&] {
        try {
            Servicos(QString(), std::chrono::seconds(2)).restaura(parado, alvo.filePath("zv.fdb"));
        } catch (const ErroBanco& e) {
            return e.mensagem();
        }
        return QString();
    });
    const bool esperou =
        restauracao.wait_for(std::chrono::milliseconds(paciencia)) == std::future_status::timeout;
    solta();
    const QString mensagem = restauracao.get();
    QVERIFY2(!esperou, "the restore waited for the silent file until the test gave up");
    QVERIFY2(mensagem.contains(QStringLiteral("sem nenhum progresso")), qPrintable(mensagem));
    QCOMPARE(arquivosDe(alvo.path()), QStringList{});
}

void TstBackup::backupCutHalfWayKeepsTheEarlierBackup()
{
    BancoTeste banco;
    DadosDemo::preencheVolume(banco.conexao(), 300, 20000);
    QTemporaryDir destino;
    const QString arquivo = destino.filePath("backup.gbk");
    grava(arquivo, "the backup of last night");
    const QByteArray anterior = Arquivos::impressao(arquivo);

    // The backup is cut as soon as the server has written part of it: to a file of its own,
    // or to the chosen one if it wrote there.
    bool cortou = false;
    QStringList vistas;
    const auto corta = [&](const QString& linha) {
        vistas << linha;
        bool escreveu = Arquivos::impressao(arquivo) != anterior;
        for (const QString& nome : arquivosDe(destino.path()))
            escreveu = escreveu || (nome != QLatin1String("backup.gbk") &&
                                    QFileInfo(destino.filePath(nome)).size() > 0);
        if (escreveu) {
            cortou = true;
            throw Corte{};
        }
    };
    QVERIFY_THROWS_EXCEPTION(Corte, Servicos().backup(banco.arquivo(), arquivo, corta));
    QVERIFY2(cortou, qPrintable(vistas.join('\n')));
    QVERIFY2(!vistas.last().startsWith(QLatin1String("gbak:closing file")),
             "the backup was cut only at its end");
    QCOMPARE(Arquivos::impressao(arquivo), anterior);
    QCOMPARE(arquivosDe(destino.path()), QStringList{"backup.gbk"});

    // The database is free again: the next backup completes.
    Servicos().backup(banco.arquivo(), arquivo);
    QVERIFY(Arquivos::impressao(arquivo) != anterior);
}

QTEST_MAIN(TstBackup)
#include "tst_backup.moc"
