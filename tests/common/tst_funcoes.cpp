// The shared routines: cleaning typed numbers, padding codes, next codes, the permission
// look-up and the audit line.

#include "common/Funcoes.h"
#include "data/DataModule_Log.h"
#include "data/DataModule_PER.h"
#include "data/firebird/Consulta.h"
#include "data/firebird/ErroBanco.h"
#include "data/firebird/Transacao.h"
#include "support/BancoTeste.h"
#include "support/Cadastro.h"

#include <QtTest>

using namespace Funcoes;

class TstFuncoes : public QObject {
    Q_OBJECT

private slots:
    void limpaNumero_data();
    void limpaNumero();
    void codePadding_data();
    void codePadding();
    void nextCode_data();
    void nextCode();
    void nextLedgerNumber();
    void temPermissao_data();
    void temPermissao();
    void gravaLogGoesWithTheCallersTransaction();
    void gravaLogTooLongFailsTheCallersSave();
};

void TstFuncoes::limpaNumero_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("limpo");
    QTest::newRow("currency") << "R$ 1.234,56"
                              << "1234,56";
    QTest::newRow("percentage") << "12,5%"
                                << "12,5";
    QTest::newRow("negative with blanks and percent") << "-1.000,50 %"
                                                      << "-1000,50";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("letters only") << "abc"
                                  << "";
    QTest::newRow("quantity") << "1.234,500"
                              << "1234,500";
}

void TstFuncoes::limpaNumero()
{
    QFETCH(QString, texto);
    QFETCH(QString, limpo);
    QCOMPARE(LimpaNumero(texto), limpo);
}

void TstFuncoes::codePadding_data()
{
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<QString>("digitado");
    QTest::addColumn<QString>("completo");
    QTest::newRow("product 12") << "produto"
                                << "12"
                                << "        12";
    QTest::newRow("product full width") << "produto"
                                        << "1234567890"
                                        << "1234567890";
    QTest::newRow("product too long kept") << "produto"
                                           << "12345678901"
                                           << "12345678901";
    QTest::newRow("supplier 15") << "fornecedor"
                                 << "15"
                                 << "0000000015";
    QTest::newRow("group 7") << "seis"
                             << "7"
                             << "000007";
    QTest::newRow("empty group") << "seis"
                                 << ""
                                 << "000000";
    QTest::newRow("user already padded") << "seis"
                                         << "000123"
                                         << "000123";
}

void TstFuncoes::codePadding()
{
    QFETCH(QString, tipo);
    QFETCH(QString, digitado);
    QFETCH(QString, completo);
    const QString r = tipo == "produto"      ? codigoProduto(digitado)
                      : tipo == "fornecedor" ? codigoFornecedor(digitado)
                                             : codigoSeis(digitado);
    QCOMPARE(r, completo);
}

void TstFuncoes::nextCode_data()
{
    QTest::addColumn<QStringList>("gravados");
    QTest::addColumn<QString>("proximo");
    QTest::newRow("empty table") << QStringList() << "000001";
    QTest::newRow("after 000009") << QStringList({"000003", "000009", "000004"}) << "000010";
    QTest::newRow("after 999999") << QStringList({"999999"}) << "1000000";
}

void TstFuncoes::nextCode()
{
    QFETCH(QStringList, gravados);
    QFETCH(QString, proximo);
    BancoTeste b;
    for (const QString& c : gravados)
        b.executa("Insert into Grupos (GRU_Codigo, GRU_Descricao) values (:C, 'x')", {{"C", c}});
    const QString sql = "Select GRU_Codigo From Grupos order By GRU_Codigo Descending";
    QCOMPARE(proximoCodigo(b.conexao(), sql, 6), proximo);

    // Inside a save's transaction the next code is read there too, and a code that no longer
    // fits its column is refused instead of being cut to a code that exists.
    Transacao t(b.conexao());
    const QString codigo = proximoCodigo(b.conexao(), sql, 6, &t);
    Consulta ins(b.conexao());
    ins.setSql("Insert into Grupos (GRU_Codigo, GRU_Descricao) values (:C, 'novo')");
    ins.setParametro("C", codigo);
    if (codigo.size() > 6) {
        QVERIFY_THROWS_EXCEPTION(ErroBanco, ins.executa(t));
        return;
    }
    ins.executa(t);
    t.commit();
    QCOMPARE(b.conta("Grupos"), gravados.size() + 1);

    // Suppliers read the highest code with MAX and pad to ten.
    QCOMPARE(proximoCodigo(b.conexao(), "Select MAX(FOR_Codigo) From Fornecedor", 10),
             QString("0000000001"));
}

void TstFuncoes::nextLedgerNumber()
{
    BancoTeste b;
    const QString sql = "Select MOV_CodInt From Mov_Estq Order By MOV_CodInt Descending";
    QCOMPARE(proximoNumero(b.conexao(), sql), 1);
    Cadastro::movimento(b, {.numero = 41, .operacao = "SS"});
    Cadastro::movimento(b, {.numero = 7, .operacao = "EE"});
    QCOMPARE(proximoNumero(b.conexao(), sql), 42);
}

void TstFuncoes::temPermissao_data()
{
    QTest::addColumn<QVariant>("ativo"); // null: no row at all
    QTest::addColumn<QString>("moduloGravado");
    QTest::addColumn<QString>("moduloPedido");
    QTest::addColumn<bool>("permite");
    QTest::newRow("no row") << QVariant() << "1"
                            << "1" << false;
    QTest::newRow("N") << QVariant("N") << "1"
                       << "1" << false;
    QTest::newRow("S") << QVariant("S") << "1"
                       << "1" << true;
    QTest::newRow("empty") << QVariant("") << "1"
                           << "1" << false;
    QTest::newRow("stored with 12 trailing blanks, asked with none")
        << QVariant("S") << "1" + QString(12, ' ') << "1" << true;
    QTest::newRow("2.5.1") << QVariant("S") << "2.5.1"
                           << "2.5.1" << true;
    QTest::newRow("other module") << QVariant("S") << "2.5"
                                  << "2.5.1" << false;
}

void TstFuncoes::temPermissao()
{
    QFETCH(QVariant, ativo);
    QFETCH(QString, moduloGravado);
    QFETCH(QString, moduloPedido);
    QFETCH(bool, permite);
    BancoTeste b;
    if (!ativo.isNull())
        b.executa("Insert into Permissoes (PER_CodUser, PER_CodMod, PER_Descricao, PER_Ativo) "
                  "values ('000001', :M, 'Cadastros', :A)",
                  {{"M", moduloGravado}, {"A", ativo}});
    QCOMPARE(TdmPER(b.conexao()).temPermissao("000001", moduloPedido), permite);
    // Another user's row never counts.
    QCOMPARE(TdmPER(b.conexao()).temPermissao("000002", moduloPedido), false);
}

void TstFuncoes::gravaLogGoesWithTheCallersTransaction()
{
    BancoTeste b;
    {
        Transacao t(b.conexao());
        TdmLog::registra(t, "000001", "Inclusão de Grupo:000001");
        // Not committed: the operation failed, and its audit line goes with it.
    }
    QCOMPARE(b.conta("Log"), 0);

    const QDateTime antes = QDateTime::currentDateTime().addSecs(-1);
    Transacao t(b.conexao());
    TdmLog::registra(t, "000001", "Inclusão de Grupo:000001");
    t.commit();
    const QDateTime depois = QDateTime::currentDateTime().addSecs(1);

    const Resultado r = b.consulta("Select * From Log");
    QCOMPARE(r.tamanho(), 1);
    QCOMPARE(r.valor(0, "LOG_CodUser").toString(), QString("000001"));
    QCOMPARE(r.valor(0, "LOG_Descricao").toString(), QString("Inclusão de Grupo:000001"));
    const QDateTime quando(r.valor(0, "LOG_Data").toDate(), r.valor(0, "LOG_Hora").toTime());
    QVERIFY2(quando >= antes && quando <= depois, qPrintable(quando.toString()));
}

void TstFuncoes::gravaLogTooLongFailsTheCallersSave()
{
    const QString longa = "Exclusão de Produto:" + QString(31, 'x'); // 51 characters
    BancoTeste b;
    Transacao t(b.conexao());
    Consulta ins(b.conexao());
    ins.setSql("Insert into Grupos (GRU_Codigo, GRU_Descricao) values ('000001', 'Ferramentas')");
    ins.executa(t);
    try {
        TdmLog::registra(t, "000001", longa);
        QFAIL("an audit line longer than its column was written");
    } catch (const ErroBanco& e) {
        QVERIFY(e.truncamento());
        t.rollback();
    }
    QCOMPARE(b.conta("Grupos"), 0);
    QCOMPARE(b.conta("Log"), 0);
}

QTEST_GUILESS_MAIN(TstFuncoes)
#include "tst_funcoes.moc"
