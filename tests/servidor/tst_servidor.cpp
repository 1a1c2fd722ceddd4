// Several workstations share one database through the Firebird server on localhost.

#include "data/firebird/Conexao.h"
#include "data/firebird/Consulta.h"
#include "data/firebird/ErroBanco.h"
#include "data/firebird/Transacao.h"
#include "support/BancoTeste.h"

#include <QtTest>

class TstServidor : public QObject {
    Q_OBJECT

private slots:
    void workstationsShareTheServersDatabase();
    void wrongFolderOnServerGivesServerMessage();
};

void TstServidor::workstationsShareTheServersDatabase()
{
    BancoServidor servidor;
    Conexao estacao1, estacao2;
    estacao1.configuraEAbre(servidor.pastaRemota());
    estacao2.configuraEAbre(servidor.pastaRemota());

    Consulta cfg(estacao1);
    cfg.setSql("Select * From Configuracoes");
    const Resultado r = cfg.abre();
    QCOMPARE(r.tamanho(), 1);
    QCOMPARE(r.valor(0, "LOGIN").toString(), QString("N"));

    // What one workstation commits, the other reads, accents and all.
    Transacao t(estacao1);
    Consulta ins(estacao1);
    ins.setSql("Insert into Grupos (GRU_Codigo, GRU_Descricao) values ('000001', :D)");
    ins.setParametro("D", QStringLiteral("Elétrica São João ç"));
    ins.executa(t);
    Consulta le(estacao2);
    le.setSql("Select GRU_Descricao From Grupos");
    QVERIFY(le.primeiroValor().isNull());
    t.commit();
    QCOMPARE(le.primeiroValor().toString(), QStringLiteral("Elétrica São João ç"));
}

void TstServidor::wrongFolderOnServerGivesServerMessage()
{
    Conexao c;
    c.configura("localhost:/nao/existe");
    try {
        c.abre();
        QFAIL("a missing database on the server opened");
    } catch (const ErroBanco& e) {
        QVERIFY2(e.mensagem().contains("/nao/existe/zv.fdb"), qPrintable(e.mensagem()));
    }
}

QTEST_GUILESS_MAIN(TstServidor)
#include "tst_servidor.moc"
