// Backup and restore through the Firebird server: the server's service manager reads and
// writes the files, and a workstation's windows drive it exactly as on the embedded engine.

#include "app/Aplicacao.h"
#include "app/Principal.h"
#include "contexto/ConfigIni.h"
#include "data/DadosDemo.h"
#include "data/firebird/Conexao.h"
#include "data/firebird/Servicos.h"
#include "support/Arquivos.h"
#include "support/BancoTeste.h"
#include "support/Cadastro.h"
#include "support/DriverModal.h"
#include "support/GravadorMensagens.h"
#include "support/Tela.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace Tela;

namespace {

// A folder the server's own user may write into.
void abreParaOServidor(const QTemporaryDir& pasta)
{
    QFile::setPermissions(pasta.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                            QFile::ReadOther | QFile::WriteOther | QFile::ExeOther);
}

// What the caller of a backup throws from its progress to cut the backup short.
struct Corte {};

} // namespace

class TstBackupServidor : public QObject {
    Q_OBJECT

private slots:
    void backupThenRestoreThroughTheServer();
    void backupCutHalfWayKeepsTheEarlierBackup();
};

void TstBackupServidor::backupThenRestoreThroughTheServer()
{
    BancoServidor servidor;
    DadosDemo::preenche(servidor.conexao());
    const QStringList original = Cadastro::todasAsLinhas(servidor.conexao());

    const QString anterior = QDir::currentPath();
    QTemporaryDir trabalho;
    QDir::setCurrent(trabalho.path());
    QVERIFY(ConfigIni::gravaPasta(servidor.pastaRemota()));

    QTemporaryDir backups, destino;
    abreParaOServidor(backups);
    abreParaOServidor(destino);
    const QString arquivo = backups.filePath("servidor.gbk");
    {
        Aplicacao app;
        app.conexao().configuraEAbre(servidor.pastaRemota());
        app.criaTudo();
        GravadorMensagens msgs;
        DriverModal driver;

        driver.respondeEscolha(arquivo);
        abreMenu(app.principal(), driver, "Backup1", [](QDialog* janela) {
            clica(janela, "btnEscolhePasta");
            clica(janela, "btnGeraBackup");
            clica(janela, "btnFechar");
        });
        QCOMPARE(msgs.textos(), QStringList{"Backup dos Dados Realizado com Sucesso !"});
        QVERIFY(QFileInfo(arquivo).size() > 0);
        msgs.limpa();

        driver.respondeEscolha(arquivo);
        driver.respondeEscolha(destino.filePath("ZV.FDB"));
        abreMenu(app.principal(), driver, "RestauraBackup1", [&](QDialog* janela) {
            QVERIFY(!app.conexao().aberta());
            clica(janela, "Button2");
            clica(janela, "btnEscolhePasta");
            clica(janela, "btnGeraBackup");
        });
        QCOMPARE(msgs.textos(),
                 QStringList{"A restauração foi efetuada com Sucesso,\n O Sistema Será Finalizado "
                             "para Concluir a Restauração do Backup !"});
        QVERIFY(app.fimSolicitado());
        QVERIFY(app.conexao().aberta());
        QCOMPARE(app.conexao().banco(), Conexao::caminhoBanco(servidor.pastaRemota()));
    }
    QDir::setCurrent(anterior);

    QCOMPARE(QDir(destino.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"zv.fdb"});
    Conexao restaurado;
    restaurado.configuraEAbre(QStringLiteral("localhost:") + destino.path());
    QCOMPARE(Cadastro::todasAsLinhas(restaurado), original);
}

void TstBackupServidor::backupCutHalfWayKeepsTheEarlierBackup()
{
    BancoServidor servidor;
    DadosDemo::preencheVolume(servidor.conexao(), 300, 8000);
    const QString banco = Conexao::caminhoBanco(servidor.pastaRemota());
    QTemporaryDir destino;
    abreParaOServidor(destino);
    const QString arquivo = destino.filePath("backup.gbk");
    {
        QFile f(arquivo);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("the backup of last night");
    }
    // Last night's backup was written by the server, which may overwrite it.
    QFile::setPermissions(arquivo, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther |
                                       QFile::WriteOther);
    const QByteArray anterior = Arquivos::impressao(arquivo);
    const auto arquivos = [&] {
        return QDir(destino.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    };

    // The server's backup is cut as soon as the server has written part of it: to a file of
    // its own, or to the chosen one if it wrote there.
    bool cortou = false;
    QString ultima;
    const auto corta = [&](const QString& linha) {
        ultima = linha;
        bool escreveu = Arquivos::impressao(arquivo) != anterior;
        for (const QString& nome : arquivos())
            escreveu = escreveu || (nome != QLatin1String("backup.gbk") &&
                                    QFileInfo(destino.filePath(nome)).size() > 0);
        if (escreveu) {
            cortou = true;
            throw Corte{};
        }
    };
    QVERIFY_THROWS_EXCEPTION(Corte, Servicos(banco).backup(banco, arquivo, corta));
    QVERIFY(cortou);
    QVERIFY2(!ultima.startsWith(QLatin1String("gbak:closing file")), qPrintable(ultima));
    QCOMPARE(Arquivos::impressao(arquivo), anterior);
    QCOMPARE(arquivos(), QStringList{"backup.gbk"});
}

QTEST_MAIN(TstBackupServidor)
#include "tst_backup_servidor.moc"
