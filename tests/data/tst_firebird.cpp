// The database layer against the real engine: exact values both ways, the delivered schema's
// rules, and errors that carry the server's own words.

#include "common/Decimal.h"
#include "data/firebird/Conexao.h"
#include "data/firebird/Consulta.h"
#include "data/firebird/ErroBanco.h"
#include "data/firebird/Transacao.h"
#include "support/BancoTeste.h"

#include <QtTest>

class TstFirebird : public QObject {
    Q_OBJECT

private slots:
    void referenceRowsAreDelivered();
    void latin1TextRoundTripsExactly();
    void textOutsideLatin1IsRefused();
    void fixedTextKeepsItsTrailingBlanks();
    void amountsRoundHalfAwayFromZero_data();
    void amountsRoundHalfAwayFromZero();
    void datesTimesAndNullsRoundTrip();
    void textTooLongIsRefusedAndNothingStored_data();
    void textTooLongIsRefusedAndNothingStored();
    void paddedCodesAreFoundOnlyWithTheirPadding_data();
    void paddedCodesAreFoundOnlyWithTheirPadding();
    void ledgerJoinHidesMovementsWithoutOperationCode();
    void productListHidesProductsWithoutGroup();
    void namedParametersIgnoreCaseAndQuotedText();
    void transactionRollsBackUnlessCommitted();
    void writesWaitAndReportConflicts();
    void nextCodeStatementsUseDescendingIndexes_data();
    void nextCodeStatementsUseDescendingIndexes();
    void databasePathFromFolder_data();
    void databasePathFromFolder();
    void missingDatabaseGivesServerMessage();
    void limitStopsReadingEarly();
};

void TstFirebird::referenceRowsAreDelivered()
{
    BancoTeste b;
    const Resultado cfg = b.consulta("Select * From Configuracoes");
    QCOMPARE(cfg.tamanho(), 1);
    QCOMPARE(cfg.valor(0, "LOGIN").toString(), QString("N"));
    QCOMPARE(cfg.valor(0, "Permissao").toString(), QString("N"));
    QCOMPARE(cfg.valor(0, "log").toString(), QString("N"));
    QCOMPARE(b.conta("Versao"), 1);
    QVERIFY(b.valor("Select Numero From Versao").toString().size() >= 1);
    QCOMPARE(b.valor("Select EMP_Codigo From Empresa").toString(), QString("001"));
    QCOMPARE(b.conta("Empresa"), 1);

    const Resultado ops = b.consulta("Select CODIGO, DESCRICAO From CodMOV order by CODIGO");
    QStringList codigos;
    for (int i = 0; i < ops.tamanho(); ++i) {
        codigos << ops.valor(i, "CODIGO").toString();
        QVERIFY(ops.valor(i, "DESCRICAO").toString().size() <= 10);
    }
    QCOMPARE(codigos, QStringList({"EE", "SS", "TE", "TS"}));

    for (const char* vazia : {"Grupos", "Produtos", "Requisitante", "GRU_Fornec", "Fornecedor",
                              "Mov_Estq", "Mov_Consu", "Usuarios", "Permissoes", "Log"})
        QCOMPARE(b.conta(vazia), 0);
}

void TstFirebird::latin1TextRoundTripsExactly()
{
    BancoTeste b;
    const QString nome = QStringLiteral("Elétrica São João ç");
    b.executa("Insert into Grupos (GRU_Codigo, GRU_Descricao) values ('000001', :D)",
              {{"D", nome}});
    QCOMPARE(b.valor("Select GRU_Descricao From Grupos").toString(), nome);
    // Stored as its 19 ISO 8859-1 bytes, not as UTF-8 sequences.
    QCOMPARE(b.valor("Select octet_length(GRU_Descricao) From Grupos").toLongLong(), 19);
    QCOMPARE(b.valor("Select count(*) From Grupos Where GRU_Descricao = 'Elétrica São João ç'")
                 .toLongLong(),
             1);
}

void TstFirebird::textOutsideLatin1IsRefused()
{
    BancoTeste b;
    try {
        b.executa("Insert into Grupos (GRU_Codigo, GRU_Descricao) values ('000001', :D)",
                  {{"D", QStringLiteral("Preço € 10")}});
        QFAIL("a text the database cannot hold was accepted");
    } catch (const ErroBanco& e) {
        QVERIFY2(e.mensagem().contains(QStringLiteral("€")), qPrintable(e.mensagem()));
    }
    QCOMPARE(b.conta("Grupos"), 0);
}

void TstFirebird::fixedTextKeepsItsTrailingBlanks()
{
    BancoTeste b;
    b.executa("Insert into Mov_Estq (MOV_CodInt, MOV_CodPro, MOV_Oper, MOV_Doc, MOV_Tipo) "
              "values (1, :P, 'EE', 'NF 12', '')",
              {{"P", "        12"}});
    const Resultado r = b.consulta("Select MOV_CodPro, MOV_Doc, MOV_Tipo From Mov_Estq");
    QCOMPARE(r.valor(0, "MOV_CodPro").toString(), QString("        12"));
    QCOMPARE(r.valor(0, "MOV_Doc").toString(), QString("NF 12").leftJustified(20));
    QCOMPARE(r.valor(0, "MOV_Tipo").toString(), QString(6, QLatin1Char(' ')));
    // Comparison ignores trailing blanks.
    QCOMPARE(b.valor("Select count(*) From Mov_Estq Where MOV_Doc = 'NF 12'").toLongLong(), 1);
}

void TstFirebird::amountsRoundHalfAwayFromZero_data()
{
    QTest::addColumn<QVariant>("enviado");
    QTest::addColumn<QString>("coluna");
    QTest::addColumn<QString>("gravado");

    QTest::newRow("double 1234.565") << QVariant(1234.565) << "PRO_Valor"
                                     << "1234.57";
    QTest::newRow("double 2.135") << QVariant(2.135) << "PRO_Valor"
                                  << "2.14";
    QTest::newRow("double 4.015") << QVariant(4.015) << "PRO_Valor"
                                  << "4.02";
    QTest::newRow("double -0.125") << QVariant(-0.125) << "PRO_Valor"
                                   << "-0.13";
    QTest::newRow("decimal 2,135") << QVariant::fromValue(Decimal(2135, 3)) << "PRO_Valor"
                                   << "2.14";
    QTest::newRow("whole into amount") << QVariant(7) << "PRO_Valor"
                                       << "7.00";
    QTest::newRow("quantity 0.0005") << QVariant(0.0005) << "PRO_Quant"
                                     << "0.001";
    QTest::newRow("quantity 1234.5") << QVariant(1234.5) << "PRO_Quant"
                                     << "1234.500";
    QTest::newRow("minimum 2.5") << QVariant(2.5) << "PRO_Min"
                                 << "3";
    QTest::newRow("text 1234,56 is not a number")
        << QVariant(QStringLiteral("1234,56")) << "PRO_Valor"
        << "conversion error";
}

void TstFirebird::amountsRoundHalfAwayFromZero()
{
    QFETCH(QVariant, enviado);
    QFETCH(QString, coluna);
    QFETCH(QString, gravado);
    BancoTeste b;
    try {
        b.executa(
            QStringLiteral("Insert into Produtos (PRO_Codigo, %1) values ('1', :V)").arg(coluna),
            {{"V", enviado}});
    } catch (const ErroBanco& e) {
        QVERIFY2(e.mensagem().contains(gravado), qPrintable(e.mensagem()));
        QCOMPARE(b.conta("Produtos"), 0);
        return;
    }
    const QVariant lido = b.valor(QStringLiteral("Select %1 From Produtos").arg(coluna));
    if (coluna == "PRO_Min") {
        QCOMPARE(lido.typeId(), QMetaType::LongLong);
        QCOMPARE(lido.toString(), gravado);
    } else {
        QCOMPARE(lido.metaType(), QMetaType::fromType<Decimal>());
        QCOMPARE(lido.value<Decimal>().toString(), gravado);
    }
}

void TstFirebird::datesTimesAndNullsRoundTrip()
{
    BancoTeste b;
    const QDate data(2004, 10, 10);
    const QTime hora(23, 59, 58, 123);
    b.executa("Insert into Log (LOG_CodUser, LOG_Descricao, LOG_Data, LOG_Hora) "
              "values (:U, :D, :Data, :Hora)",
              {{"U", "000001"}, {"D", QVariant()}, {"Data", data}, {"Hora", hora}});
    const Resultado r = b.consulta("Select * From Log");
    QCOMPARE(r.valor(0, "LOG_Data").toDate(), data);
    QCOMPARE(r.valor(0, "LOG_Hora").toTime(), hora);
    QVERIFY(r.valor(0, "LOG_Descricao").isNull());
    QCOMPARE(b.valor("Select count(*) From Log Where LOG_Descricao is null").toLongLong(), 1);
}

void TstFirebird::textTooLongIsRefusedAndNothingStored_data()
{
    QTest::addColumn<QString>("tabela");
    QTest::addColumn<QString>("coluna");
    QTest::addColumn<int>("largura");
    QTest::newRow("group name 50") << "Grupos"
                                   << "GRU_Descricao" << 50;
    QTest::newRow("fixed document 20") << "Mov_Estq"
                                       << "MOV_Doc" << 20;
    QTest::newRow("company remarks 200") << "Empresa"
                                         << "EMP_Obs" << 200;
}

void TstFirebird::textTooLongIsRefusedAndNothingStored()
{
    QFETCH(QString, tabela);
    QFETCH(QString, coluna);
    QFETCH(int, largura);
    BancoTeste b;
    const int antes = b.conta(tabela);
    const QString chave = tabela == "Grupos"     ? "GRU_Codigo"
                          : tabela == "Mov_Estq" ? "MOV_CodInt"
                                                 : "EMP_Codigo";
    const QString sql =
        QStringLiteral("Insert into %1 (%2, %3) values (:K, :T)").arg(tabela, chave, coluna);

    // The full width fits.
    b.executa(sql, {{"K", "9"}, {"T", QString(largura, QLatin1Char('x'))}});
    QCOMPARE(b.conta(tabela), antes + 1);

    try {
        b.executa(sql, {{"K", "8"}, {"T", QString(largura + 1, QLatin1Char('x'))}});
        QFAIL("a text longer than its column was stored");
    } catch (const ErroBanco& e) {
        QVERIFY2(e.mensagem().contains("string right truncation"), qPrintable(e.mensagem()));
        QVERIFY(e.truncamento());
    }
    QCOMPARE(b.conta(tabela), antes + 1);
}

void TstFirebird::paddedCodesAreFoundOnlyWithTheirPadding_data()
{
    QTest::addColumn<QString>("sqlInsere");
    QTest::addColumn<QString>("sqlBusca");
    QTest::addColumn<QString>("gravado");
    QTest::addColumn<QString>("procurado");
    QTest::addColumn<bool>("acha");

    const QString pro = "Insert into Produtos (PRO_Codigo) values (:C)";
    const QString proBusca = "Select * From Produtos Where PRO_Codigo=:CodigoC";
    QTest::newRow("product padded") << pro << proBusca << "      1234"
                                    << "      1234" << true;
    QTest::newRow("product bare") << pro << proBusca << "      1234"
                                  << "1234" << false;
    const QString forn = "Insert into Fornecedor (FOR_Codigo) values (:C)";
    const QString fornBusca = "Select * From Fornecedor Where FOR_Codigo=:CodigoC";
    QTest::newRow("supplier padded") << forn << fornBusca << "0000000015"
                                     << "0000000015" << true;
    QTest::newRow("supplier bare") << forn << fornBusca << "0000000015"
                                   << "15" << false;
    QTest::newRow("supplier trailing blanks") << forn << fornBusca << "0000000015"
                                              << "0000000015   " << true;
}

void TstFirebird::paddedCodesAreFoundOnlyWithTheirPadding()
{
    QFETCH(QString, sqlInsere);
    QFETCH(QString, sqlBusca);
    QFETCH(QString, gravado);
    QFETCH(QString, procurado);
    QFETCH(bool, acha);
    BancoTeste b;
    b.executa(sqlInsere, {{"C", gravado}});
    QCOMPARE(b.consulta(sqlBusca, {{"CodigoC", procurado}}).tamanho(), acha ? 1 : 0);
}

void TstFirebird::ledgerJoinHidesMovementsWithoutOperationCode()
{
    BancoTeste b;
    b.executa("Insert into Produtos (PRO_Codigo, PRO_Descricao, PRO_CodGru) values "
              "('         1', 'Parafuso', '000001')");
    for (const char* oper : {"EE", "TS"})
        b.executa("Insert into Mov_Estq (MOV_CodInt, MOV_CodPro, MOV_Oper, MOV_Quant) values "
                  "((select coalesce(max(MOV_CodInt), 0) + 1 from Mov_Estq), '         1', :O, 1)",
                  {{"O", oper}});
    const QString ledger = "Select m.*, p.PRO_Descricao, c.DESCRICAO, r.REQ_Descricao\n"
                           "From Mov_Estq m join Produtos p on (m.MOV_CodPro = p.PRO_Codigo)\n"
                           "join CodMOV c on (m.MOV_Oper = c.CODIGO)\n"
                           "Left Outer join Requisitante r on (m.MOV_Tipo = r.REQ_Codigo)";
    QCOMPARE(b.consulta(ledger).tamanho(), 2);
    b.executa("Delete From CodMOV Where CODIGO = 'TS'");
    const Resultado r = b.consulta(ledger);
    QCOMPARE(r.tamanho(), 1);
    QCOMPARE(r.valor(0, "MOV_Oper").toString(), QString("EE"));
}

void TstFirebird::productListHidesProductsWithoutGroup()
{
    BancoTeste b;
    b.executa("Insert into Grupos (GRU_Codigo, GRU_Descricao) values ('000001', 'Ferramentas')");
    b.executa("Insert into Produtos (PRO_Codigo, PRO_CodGru) values ('         1', '000001')");
    b.executa("Insert into Produtos (PRO_Codigo, PRO_CodGru) values ('         2', '000002')");
    const Resultado r = b.consulta("Select * From Produtos p join Grupos g on(p.PRO_CodGRU "
                                   "=g.GRU_Codigo) order by PRO_Codigo");
    QCOMPARE(r.tamanho(), 1);
    QCOMPARE(r.valor(0, "PRO_CODIGO").toString(), QString("         1"));
    QCOMPARE(r.valor(0, "GRU_DESCRICAO").toString(), QString("Ferramentas"));
}

void TstFirebird::namedParametersIgnoreCaseAndQuotedText()
{
    QStringList nomes;
    const QByteArray texto =
        Consulta::traduz("Select ':NaoE' as a, \"x:y\" From T -- :Comentario\nWhere a=:CodigoC and "
                         "b=:codigoc /* :c */ "
                         "and d=:DataIniD",
                         &nomes);
    QCOMPARE(nomes, QStringList({"CodigoC", "codigoc", "DataIniD"}));
    QVERIFY(texto.contains("':NaoE'"));
    QVERIFY(texto.contains("a=? and b=?"));

    BancoTeste b;
    b.executa("Insert into Grupos (GRU_Codigo, GRU_Descricao) values ('000001', 'A:B')");
    Consulta c(b.conexao());
    c.adiciona("Select GRU_Descricao From Grupos");
    c.adiciona("Where GRU_Codigo = :CODIGOC or GRU_Descricao = :codigoC or GRU_Descricao = 'x:y'");
    QCOMPARE(c.sql(), QString("Select GRU_Descricao From Grupos\nWhere GRU_Codigo = :CODIGOC or "
                              "GRU_Descricao = :codigoC or GRU_Descricao = 'x:y'"));
    c.setParametro("CodigoC", "000001");
    QCOMPARE(c.primeiroValor().toString(), QString("A:B"));

    Consulta semValor(b.conexao());
    semValor.setSql("Select * From Grupos Where GRU_Codigo = :Falta");
    QVERIFY_THROWS_EXCEPTION(ErroBanco, semValor.abre());
}

void TstFirebird::transactionRollsBackUnlessCommitted()
{
    BancoTeste b;
    Consulta ins(b.conexao());
    ins.setSql("Insert into Requisitante (REQ_Codigo, REQ_Descricao) values (:C, 'Oficina')");
    {
        Transacao t(b.conexao());
        ins.setParametro("C", "000001");
        QCOMPARE(ins.executa(t), 1);
    }
    QCOMPARE(b.conta("Requisitante"), 0);
    {
        Transacao t(b.conexao());
        ins.setParametro("C", "000001");
        ins.executa(t);
        ins.setParametro("C", "000002");
        ins.executa(t);
        t.commit();
    }
    QCOMPARE(b.conta("Requisitante"), 2);
    Transacao t(b.conexao());
    Consulta upd(b.conexao());
    upd.setSql("Update Requisitante set REQ_Descricao = 'Pintura'");
    QCOMPARE(upd.executa(t), 2);
    t.rollback();
    QCOMPARE(
        b.valor("Select count(*) from Requisitante where REQ_Descricao = 'Oficina'").toLongLong(),
        2);
}

void TstFirebird::writesWaitAndReportConflicts()
{
    // Two transactions on one connection stand for two workstations here: the second writer
    // of a primary key fails with a duplicate-key error once the first commits.
    BancoTeste b;
    Transacao primeira(b.conexao());
    Consulta ins(b.conexao());
    ins.setSql("Insert into Mov_Estq (MOV_CodInt, MOV_Oper) values (1, 'EE')");
    ins.executa(primeira);
    primeira.commit();
    Transacao segunda(b.conexao());
    try {
        ins.executa(segunda);
        QFAIL("two ledger rows took the same number");
    } catch (const ErroBanco& e) {
        QVERIFY2(e.chaveDuplicada(), qPrintable(e.mensagem()));
        QVERIFY(e.mensagem().contains("PRIMARY or UNIQUE KEY"));
    }
}

void TstFirebird::nextCodeStatementsUseDescendingIndexes_data()
{
    QTest::addColumn<QString>("sql");
    QTest::newRow("groups") << "Select GRU_Codigo From Grupos order By GRU_Codigo Descending";
    QTest::newRow("supplier groups")
        << "Select GRU_Codigo From GRU_Fornec order By GRU_Codigo Descending";
    QTest::newRow("requisitioners")
        << "Select REQ_Codigo From Requisitante order By REQ_Codigo Descending";
    QTest::newRow("users") << "Select USU_Codigo From Usuarios order By USU_Codigo Descending";
    QTest::newRow("suppliers") << "Select MAX(FOR_Codigo) From Fornecedor";
    QTest::newRow("ledger") << "Select MOV_CodInt From Mov_Estq Order By MOV_CodInt Descending";
    QTest::newRow("loans") << "Select MOV_CodInt From Mov_Consu Order By MOV_CodInt Descending";
}

void TstFirebird::nextCodeStatementsUseDescendingIndexes()
{
    QFETCH(QString, sql);
    static BancoTeste b;
    Consulta c(b.conexao());
    c.setSql(sql);
    const QString plano = c.plano();
    // Without a descending index the engine sorts the whole table on every save.
    QVERIFY2(plano.contains("_DESC") && !plano.contains("SORT") && !plano.contains("NATURAL"),
             qPrintable(plano));
}

void TstFirebird::databasePathFromFolder_data()
{
    QTest::addColumn<QString>("pasta");
    QTest::addColumn<QString>("banco");
    QTest::addColumn<bool>("remoto");
    QTest::newRow("local") << "/dados/almox"
                           << "/dados/almox/zv.fdb" << false;
    QTest::newRow("trailing slash kept") << "/dados/"
                                         << "/dados//zv.fdb" << false;
    QTest::newRow("server") << "servidor:/dados"
                            << "servidor:/dados/zv.fdb" << true;
    QTest::newRow("backslashes") << "C:\\Dados"
                                 << "C:\\Dados\\zv.fdb" << false;
    QTest::newRow("trailing backslash kept") << "C:\\Dados\\"
                                             << "C:\\Dados\\\\zv.fdb" << false;
    QTest::newRow("server by address") << "192.168.0.10:C:\\Dados"
                                       << "192.168.0.10:C:\\Dados\\zv.fdb" << true;
}

void TstFirebird::databasePathFromFolder()
{
    QFETCH(QString, pasta);
    QFETCH(QString, banco);
    QFETCH(bool, remoto);
    QCOMPARE(Conexao::caminhoBanco(pasta), banco);
    QCOMPARE(Conexao::ehRemoto(banco), remoto);
}

void TstFirebird::missingDatabaseGivesServerMessage()
{
    QTemporaryDir vazia;
    Conexao c;
    c.configura(vazia.path() + "/nada");
    try {
        c.abre();
        QFAIL("a missing database opened");
    } catch (const ErroBanco& e) {
        QVERIFY2(e.mensagem().contains("I/O error during \"open\""), qPrintable(e.mensagem()));
        QVERIFY(e.mensagem().contains("zv.fdb"));
    }
    QVERIFY(!c.aberta());
    QVERIFY_THROWS_EXCEPTION(ErroBanco, [&] { Transacao t(c); }());

    // Creating over an existing database is refused and leaves it alone.
    BancoTeste b;
    const qint64 tamanho = QFileInfo(b.arquivo()).size();
    Conexao outra;
    QVERIFY_THROWS_EXCEPTION(ErroBanco, outra.criaBanco(b.arquivo()));
    QCOMPARE(QFileInfo(b.arquivo()).size(), tamanho);
    QCOMPARE(b.conta("CodMOV"), 4);
}

void TstFirebird::limitStopsReadingEarly()
{
    BancoTeste b;
    b.executa(
        "Insert into Mov_Estq (MOV_CodInt) select first 50 rdb$relation_id from rdb$relations");
    Consulta c(b.conexao());
    c.setSql("Select MOV_CodInt From Mov_Estq Order By MOV_CodInt Descending");
    const Resultado um = c.abre(nullptr, 1);
    QCOMPARE(um.tamanho(), 1);
    QCOMPARE(c.abre().tamanho(), 50);
    QCOMPARE(um.valor(0, 0).toLongLong(), c.abre().valor(0, 0).toLongLong());
}

QTEST_GUILESS_MAIN(TstFirebird)
#include "tst_firebird.moc"
