// Backup and restore through the Firebird server: the server's service manager reads and
// writes the files, and a workstation's windows drive it exactly as on the embedded engine.

#include "app/Aplicacao.h"
#include "app/ConfigIni.h"
#include "app/Principal.h"
#include "data/DadosDemo.h"
#include "data/firebird/Conexao.h"
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

} // namespace

class TstBackupServidor : public QObject {
    Q_OBJECT

private slots:
    void backupThenRestoreThroughTheServer();
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

QTEST_MAIN(TstBackupServidor)
#include "tst_backup_servidor.moc"
