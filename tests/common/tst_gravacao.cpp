// The one save every window uses: what it does when another workstation's work meets it in the
// middle (a row changed or deleted, a number taken), and that a failure is undone, audit line
// included, before the user is told.

#include "data/firebird/Consulta.h"
#include "data/firebird/ErroBanco.h"
#include "data/firebird/Transacao.h"
#include "common/JanelasCadastro.h"
#include "support/AplicacaoTeste.h"

#include <QtTest>
#include <ibase.h>

class TstGravacao : public QObject {
    Q_OBJECT

private slots:
    void anotherWorkstationMeetsTheSave_data();
    void anotherWorkstationMeetsTheSave();
};

// A record window's change: the first attempt writes, then meets what another workstation did
// at that instant (`primeira`, none for a save that goes through at once); the attempt after
// it, when there is one, touches `linhas` rows of the record.
void TstGravacao::anotherWorkstationMeetsTheSave_data()
{
    QTest::addColumn<qint64>("primeira");
    QTest::addColumn<qint64>("linhas");
    QTest::addColumn<int>("tentativas");
    QTest::addColumn<QString>("mensagem"); // empty: stored

    QTest::newRow("nobody else") << qint64(0) << qint64(1) << 1 << QString();
    // The other workstation changed the row and committed while this one waited for it: the
    // save runs again on what is now stored.
    QTest::newRow("row changed meanwhile")
        << qint64(isc_update_conflict) << qint64(1) << 2 << QString();
    // The other workstation deleted it: the save runs again and finds it gone, and the user is
    // told so in words, not in the engine's.
    QTest::newRow("row deleted meanwhile")
        << qint64(isc_update_conflict) << qint64(0) << 2
        << QStringLiteral("Não Consegui Alterar !\nErro:  ") + Familia::registroSumido();
    QTest::newRow("code taken meanwhile")
        << qint64(isc_unique_key_violation) << qint64(1) << 2 << QString();
    // Anything else is told at once, after one attempt.
    QTest::newRow("other failure") << qint64(isc_random) << qint64(1) << 1
                                   << QStringLiteral("Não Consegui Alterar !\nErro:  falhou");
}

void TstGravacao::anotherWorkstationMeetsTheSave()
{
    QFETCH(qint64, primeira);
    QFETCH(qint64, linhas);
    QFETCH(int, tentativas);
    QFETCH(QString, mensagem);
    AplicacaoTeste t;
    t.comAuditoria("000001");
    GravadorMensagens msgs;
    int feitas = 0;
    int logAoMostrar = -1;
    msgs.aoMostrar([&](const MensagemGravada&) { logAoMostrar = int(t.banco.conta("Log")); });
    QWidget janela;
    const bool gravou = Familia::grava(
        t.app, &janela,
        [&](Transacao& tr) -> qint64 {
            ++feitas;
            Consulta q(tr.conexao());
            q.setSql(QStringLiteral("Insert into Grupos (GRU_Codigo, GRU_Descricao) "
                                    "values (:C, 'Tentativa')"));
            q.setParametro(QStringLiteral("C"),
                           QStringLiteral("%1").arg(feitas, 6, 10, QChar('0')));
            q.executa(tr);
            if (feitas == 1 && primeira != 0)
                throw ErroBanco(QStringLiteral("falhou"), {primeira});
            return linhas;
        },
        QStringLiteral("Alteração de Grupo:000001"),
        [](const ErroBanco& e) {
            return Familia::comErro(QStringLiteral("Não Consegui Alterar !"), e);
        });

    QCOMPARE(feitas, tentativas);
    QCOMPARE(gravou, mensagem.isEmpty());
    QCOMPARE(msgs.textos(), mensagem.isEmpty() ? QStringList() : QStringList{mensagem});
    if (!mensagem.isEmpty())
        QCOMPARE(logAoMostrar, 0);
    // Only the attempt that went through is stored, with its one audit line.
    QCOMPARE(t.banco.conta("Grupos"), gravou ? 1 : 0);
    QCOMPARE(t.banco.conta("Log"), gravou ? 1 : 0);
    if (gravou)
        QCOMPARE(t.banco.valor("Select GRU_Codigo From Grupos").toString(),
                 QStringLiteral("%1").arg(tentativas, 6, 10, QChar('0')));
}

QTEST_MAIN(TstGravacao)
#include "tst_gravacao.moc"
