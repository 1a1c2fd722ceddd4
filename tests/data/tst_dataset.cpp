// The in-memory list behind the grids: formats, the shared current row, the prefix search and
// the filter; a long list read while it is on screen ends as the whole statement read at once.

#include "common/Convencoes.h"
#include "common/Decimal.h"
#include "data/DataSet.h"
#include "data/firebird/ErroBanco.h"
#include "data/firebird/Transacao.h"
#include "support/BancoTeste.h"

#include <QTableView>
#include <QtTest>

class TstDataSet : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_banco.reset(); }
    void displayFormats_data();
    void displayFormats();
    void locateIsCaseSensitivePrefix_data();
    void locateIsCaseSensitivePrefix();
    void filterHidesRowsAndKeepsCurrent();
    void viewsShareTheCurrentRow();
    void listReadOnScreenEndsAsTheWholeStatement_data();
    void listReadOnScreenEndsAsTheWholeStatement();
    void searchesReadAsFarAsTheyNeed();
    void closingTheConnectionStopsTheReading();
    void ctrlEndGoesToTheLastRowOfTheWholeList();
    void aReadThatFailsHalfWayKeepsItsRowsAndSaysSo();
    void aRowMovedMeanwhileIsNeitherLostNorReadTwice();
    void cellsComeBackAsTheStatementGaveThem_data();
    void cellsComeBackAsTheStatementGaveThem();
    void quickSearchLandsWhereARowByRowSearchWould_data();
    void quickSearchLandsWhereARowByRowSearchWould();

private:
    std::unique_ptr<BancoTeste> m_banco;
    DataSet m_lista;
};

void TstDataSet::init()
{
    m_banco = std::make_unique<BancoTeste>();
    BancoTeste& b = *m_banco;
    b.executa("Insert into Grupos (GRU_Codigo, GRU_Descricao) values ('000001', 'Elétrica')");
    b.executa("Insert into Grupos (GRU_Codigo, GRU_Descricao) values ('000002', 'Ferramentas')");
    b.executa("Insert into Grupos (GRU_Codigo, GRU_Descricao) values ('000007', 'eletrônicos')");
    b.executa("Insert into Produtos (PRO_Codigo, PRO_Descricao, PRO_CodGru, PRO_Quant, PRO_Min, "
              "PRO_Valor, PRO_DCad) values ('         1', 'Fio', '000001', 1234.5, 5, 1234.56, "
              "'2004-10-10')");
    b.executa("Insert into Produtos (PRO_Codigo, PRO_Descricao, PRO_CodGru, PRO_Quant, PRO_Min, "
              "PRO_Valor, PRO_DCad) values ('         2', 'Luva', '000002', -2, 0, -0.5, null)");
    m_lista.setFiltro({});
    m_lista.setColunas({});
}

void TstDataSet::displayFormats_data()
{
    QTest::addColumn<QString>("campo");
    QTest::addColumn<int>("formato");
    QTest::addColumn<QString>("primeira");
    QTest::addColumn<QString>("segunda");
    QTest::newRow("quantity") << "PRO_QUANT" << int(DataSet::Formato::Quantidade) << "1.234,500"
                              << "-2,000";
    QTest::newRow("loan quantity")
        << "PRO_QUANT" << int(DataSet::Formato::QuantidadeSemMilhar) << "1234,500"
        << "-2,000";
    QTest::newRow("amount") << "PRO_VALOR" << int(DataSet::Formato::Moeda) << "R$ 1.234,56"
                            << "-R$ 0,50";
    QTest::newRow("minimum") << "PRO_MIN" << int(DataSet::Formato::Inteiro) << "5"
                             << "0";
    QTest::newRow("date") << "PRO_DCAD" << int(DataSet::Formato::Data) << "10/10/2004"
                          << "";
    QTest::newRow("code as stored")
        << "PRO_CODIGO" << int(DataSet::Formato::Automatico) << "         1"
        << "         2";
}

void TstDataSet::displayFormats()
{
    QFETCH(QString, campo);
    QFETCH(int, formato);
    QFETCH(QString, primeira);
    QFETCH(QString, segunda);
    Consulta c(m_banco->conexao());
    c.setSql("Select * From Produtos p join Grupos g on(p.PRO_CodGRU =g.GRU_Codigo) "
             "order by PRO_Codigo");
    m_lista.carrega(c);
    m_lista.setFormato(campo, DataSet::Formato(formato));
    m_lista.setColunas({{campo, "Coluna"}});
    QCOMPARE(m_lista.columnCount(), 1);
    QCOMPARE(m_lista.headerData(0, Qt::Horizontal).toString(), QString("Coluna"));
    QCOMPARE(m_lista.data(m_lista.index(0, 0)).toString(), primeira);
    QCOMPARE(m_lista.data(m_lista.index(1, 0)).toString(), segunda);
    // The values themselves stay exact.
    QCOMPARE(m_lista.valor(0, "PRO_VALOR").value<Decimal>(), Decimal(123456, 2));
}

void TstDataSet::locateIsCaseSensitivePrefix_data()
{
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("achada"); // -1: not found, current row stays
    QTest::newRow("Elé finds Elétrica") << "GRU_DESCRICAO"
                                        << "Elé" << 0;
    QTest::newRow("ele finds only eletrônicos") << "GRU_DESCRICAO"
                                                << "ele" << 2;
    QTest::newRow("Ele finds nothing") << "GRU_DESCRICAO"
                                       << "Ele" << -1;
    QTest::newRow("padded code") << "GRU_CODIGO"
                                 << "000007" << 2;
    QTest::newRow("code prefix") << "GRU_CODIGO"
                                 << "00000" << 0;
    QTest::newRow("unpadded code") << "GRU_CODIGO"
                                   << "7" << -1;
}

void TstDataSet::locateIsCaseSensitivePrefix()
{
    QFETCH(QString, campo);
    QFETCH(QString, texto);
    QFETCH(int, achada);
    Consulta c(m_banco->conexao());
    c.setSql("Select * From Grupos order by GRU_Codigo");
    m_lista.carrega(c);
    m_lista.setLinhaAtual(1);
    QCOMPARE(m_lista.localiza(campo, texto), achada);
    QCOMPARE(m_lista.linhaAtual(), achada < 0 ? 1 : achada);
}

void TstDataSet::filterHidesRowsAndKeepsCurrent()
{
    Consulta c(m_banco->conexao());
    c.setSql("Select * From Grupos order by GRU_Codigo");
    m_lista.carrega(c);
    m_lista.setLinhaAtual(2);
    m_lista.setFiltro(
        [](const DataSet::Linha& l) { return l["gru_codigo"].toString() != "000002"; });
    QCOMPARE(m_lista.tamanho(), 2);
    QCOMPARE(m_lista.valor("GRU_CODIGO").toString(), QString("000007"));
    m_lista.setFiltro([](const DataSet::Linha&) { return false; });
    QVERIFY(m_lista.vazio());
    QCOMPARE(m_lista.linhaAtual(), -1);
    QVERIFY(m_lista.valor("GRU_CODIGO").isNull());
    m_lista.limpaFiltro();
    QCOMPARE(m_lista.tamanho(), 3);
    QCOMPARE(m_lista.linhaAtual(), 0);
}

void TstDataSet::viewsShareTheCurrentRow()
{
    Consulta c(m_banco->conexao());
    c.setSql("Select * From Grupos order by GRU_Codigo");
    m_lista.carrega(c);
    QTableView lista, busca;
    m_lista.acompanha(&lista);
    // The search grid shows the same rows under its own columns.
    m_lista.acompanha(&busca, {{"GRU_DESCRICAO", "Nome"}, {"GRU_CODIGO", "Código"}});
    QCOMPARE(busca.currentIndex().row(), 0);
    QCOMPARE(busca.model()->headerData(0, Qt::Horizontal).toString(), QString("Nome"));
    QCOMPARE(busca.model()->index(2, 0).data().toString(), QStringLiteral("eletrônicos"));
    QCOMPARE(busca.model()->index(2, 1).data().toString(), QString("000007"));

    lista.selectRow(2);
    QCOMPARE(m_lista.linhaAtual(), 2);
    QCOMPARE(busca.currentIndex().row(), 2);
    QVERIFY(busca.selectionModel()->isRowSelected(2));

    m_lista.localiza("GRU_DESCRICAO", "Fer");
    QCOMPARE(lista.currentIndex().row(), 1);
    QCOMPARE(busca.currentIndex().row(), 1);

    busca.selectRow(2);
    QCOMPARE(m_lista.linhaAtual(), 2);
    QCOMPARE(lista.currentIndex().row(), 2);

    // Re-reading the list puts both views on its first row.
    m_lista.carrega(c);
    QCOMPARE(lista.currentIndex().row(), 0);
    QCOMPARE(busca.currentIndex().row(), 0);
    QCOMPARE(busca.model()->rowCount(), 3);
}

namespace {

// 10,000 numbered rows, far more than the screen's first batch, with a text that repeats
// (the pooled kind) and one that does not. The number's last digit is its "kind".
const char* const dezMil =
    "with recursive d (i) as (select 0 from rdb$database union all select i + 1 from d where "
    "i < 9) select a.i * 1000 + b.i * 100 + c.i * 10 + e.i as n, "
    "cast('tipo ' || e.i as varchar(10)) as tipo, "
    "cast('linha ' || (a.i * 1000 + b.i * 100 + c.i * 10 + e.i) as varchar(20)) as texto "
    "from d a, d b, d c, d e order by 1";

QList<QVariantList> linhas(const DataSet& lista)
{
    QList<QVariantList> r;
    for (int i = 0; i < lista.tamanho(); ++i)
        r << QVariantList{lista.valor(i, "N"), lista.valor(i, "TIPO"), lista.valor(i, "TEXTO")};
    return r;
}

DataSet::Filtro semTipo(int tipo)
{
    return [tipo](const DataSet::Linha& l) { return l["N"].toLongLong() % 10 != tipo; };
}

} // namespace

void TstDataSet::listReadOnScreenEndsAsTheWholeStatement_data()
{
    QTest::addColumn<QString>("filtro"); // when a filter is set: "", "before", "while reading"
    QTest::addColumn<QString>("fim");    // how the rest comes in: "idle", "completa", "grid"
    for (const char* filtro : {"", "before", "while reading", "hides the first rows"})
        for (const char* fim : {"idle", "completa", "grid"})
            QTest::addRow("filter %s, %s", *filtro ? filtro : "none", fim) << filtro << fim;
}

void TstDataSet::listReadOnScreenEndsAsTheWholeStatement()
{
    QFETCH(QString, filtro);
    QFETCH(QString, fim);
    // Rows 0 to 1,999 hidden: the first batch shows nothing, yet the first row shown
    // becomes current as soon as it is read, as a whole load would have made it.
    const DataSet::Filtro escolhido =
        filtro == "hides the first rows"
            ? DataSet::Filtro([](const DataSet::Linha& l) { return l["N"].toLongLong() >= 2000; })
            : semTipo(3);
    Consulta c(m_banco->conexao());
    c.setSql(dezMil);
    DataSet inteira;
    inteira.setFiltro(filtro.isEmpty() ? DataSet::Filtro() : escolhido);
    inteira.carrega(c);

    QTableView grade;
    m_lista.acompanha(&grade, {{"TEXTO", "Texto"}, {"N", "Número"}});
    grade.resize(400, 300);
    grade.show();
    if (filtro == "before" || filtro == "hides the first rows")
        m_lista.setFiltro(escolhido);
    m_lista.abre(c);
    QVERIFY(m_lista.lendo());
    QVERIFY(m_lista.tamanho() < inteira.tamanho());
    if (filtro == "while reading")
        m_lista.setFiltro(escolhido);
    if (fim == "completa") {
        m_lista.completa();
    } else if (fim == "grid") {
        // A person dragging the grid to its end, again and again until nothing more comes.
        while (m_lista.lendo()) {
            grade.scrollToBottom();
            QCoreApplication::processEvents();
        }
    } else {
        QTRY_VERIFY_WITH_TIMEOUT(!m_lista.lendo(), 20000);
    }
    QCOMPARE(m_lista.tamanho(), inteira.tamanho());
    QCOMPARE(linhas(m_lista), linhas(inteira));
    QCOMPARE(m_lista.linhaAtual(), 0);
    QCOMPARE(m_lista.valor("N"), inteira.valor("N"));
    // The grid's own columns follow every row read.
    QCOMPARE(grade.model()->rowCount(), inteira.tamanho());
    const int ultima = inteira.tamanho() - 1;
    QCOMPARE(grade.model()->index(ultima, 0).data().toString(),
             inteira.valor(ultima, "TEXTO").toString());
    QCOMPARE(grade.currentIndex().row(), 0);
}

void TstDataSet::searchesReadAsFarAsTheyNeed()
{
    Consulta c(m_banco->conexao());
    c.setSql(dezMil);
    m_lista.abre(c);
    QCOMPARE(m_lista.localiza("TEXTO", "linha 8765"), 8765);
    QCOMPARE(m_lista.valor("N").toLongLong(), 8765);
    // Nothing matches: every row is read, the current row stays.
    QCOMPARE(m_lista.localiza("TEXTO", "coluna"), -1);
    QVERIFY(!m_lista.lendo());
    QCOMPARE(m_lista.tamanho(), 10000);
    QCOMPARE(m_lista.linhaAtual(), 8765);
    // A new statement while the old one is still being read replaces it.
    m_lista.abre(c);
    c.setSql("Select * From Grupos order by GRU_Codigo");
    m_lista.abre(c);
    QVERIFY(!m_lista.lendo());
    QCOMPARE(m_lista.tamanho(), 3);
}

void TstDataSet::closingTheConnectionStopsTheReading()
{
    Consulta c(m_banco->conexao());
    c.setSql(dezMil);
    m_lista.abre(c);
    const int lidas = m_lista.tamanho();
    QVERIFY(m_lista.lendo());
    // A restore closes the connection under the lists still being read.
    m_banco->conexao().fecha();
    QVERIFY(!m_lista.lendo());
    QCoreApplication::processEvents();
    QCOMPARE(m_lista.tamanho(), lidas);
    m_banco->conexao().abre();
    m_lista.abre(c);
    m_lista.completa();
    QCOMPARE(m_lista.tamanho(), 10000);
}

void TstDataSet::ctrlEndGoesToTheLastRowOfTheWholeList()
{
    QTableView grade;
    Convencoes::preparaGrade(&grade);
    m_lista.acompanha(&grade);
    grade.show();
    grade.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&grade));
    Consulta c(m_banco->conexao());
    c.setSql(dezMil);
    m_lista.abre(c);
    QVERIFY(m_lista.lendo());
    QTest::keyClick(&grade, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(m_lista.linhaAtual(), 9999);
    QCOMPARE(grade.currentIndex().row(), 9999);
}

void TstDataSet::aReadThatFailsHalfWayKeepsItsRowsAndSaysSo()
{
    Consulta c(m_banco->conexao());
    // Row 5,000 divides by zero: the server fails only when that row is fetched.
    c.setSql(QStringLiteral("select n, 1 / (n - 5000) as x from (select row_number() over () as "
                            "n from (%1))")
                 .arg(QLatin1String(dezMil)));
    m_lista.abre(c);
    QVERIFY(m_lista.lendo());
    int linhasAoAvisar = -1;
    QString aviso;
    const QMetaObject::Connection ligacao =
        connect(&m_lista, &DataSet::leituraFalhou, this, [&](const QString& mensagem) {
            linhasAoAvisar = m_lista.tamanho();
            aviso = mensagem;
        });
    QVERIFY_THROWS_EXCEPTION(ErroBanco, m_lista.completa());
    disconnect(ligacao);
    // Whoever hears of the failure finds every row read before it already in the list.
    QCOMPARE(linhasAoAvisar, 4999);
    QVERIFY2(aviso.contains(QStringLiteral("divide")), qPrintable(aviso));
    QVERIFY(!m_lista.lendo());
    QCOMPARE(m_lista.tamanho(), 4999);
    // The list stays short of its end: a report asking for all of it is refused again.
    QVERIFY_THROWS_EXCEPTION(ErroBanco, m_lista.completa());
    c.setSql(dezMil);
    m_lista.abre(c);
    m_lista.completa();
    QCOMPARE(m_lista.tamanho(), 10000);
}

void TstDataSet::aRowMovedMeanwhileIsNeitherLostNorReadTwice()
{
    Conexao& conexao = m_banco->conexao();
    {
        Transacao t(conexao);
        Consulta grupo(conexao);
        grupo.setSql("Insert into Grupos (GRU_Codigo, GRU_Descricao) values (:c, 'Grupo')");
        for (int g = 10; g < 3010; ++g) {
            grupo.setParametro("c", QString::number(g).rightJustified(6, QLatin1Char('0')));
            grupo.executa(t);
        }
        t.commit();
    }
    Consulta c(conexao);
    c.setSql("Select * From Grupos order by GRU_Codigo");
    m_lista.abre(c);
    QVERIFY(m_lista.lendo());
    // Another workstation renumbers the last group to the front, behind the rows read so far,
    // and a late one to the back, ahead of them.
    m_banco->executa("Update Grupos set GRU_Codigo='000000' where GRU_Codigo='003009'");
    m_banco->executa("Update Grupos set GRU_Codigo='999999' where GRU_Codigo='000600'");
    m_lista.completa();
    // The list is the groups as they stood when it was opened.
    QCOMPARE(m_lista.tamanho(), 3003);
    QCOMPARE(m_lista.valor(m_lista.tamanho() - 1, "GRU_CODIGO").toString(), QString("003009"));
    QCOMPARE(m_lista.valor(593, "GRU_CODIGO").toString(), QString("000600"));
}

namespace {

// Values at the edges of what the columns hold: nulls, texts of blanks only, accents, the
// largest quantity and amount, negatives, 29 February, codes with leading blanks.
void insereValoresDificeis(BancoTeste& b)
{
    b.executa("Insert into Produtos (PRO_Codigo, PRO_Descricao, PRO_CodGru, PRO_Quant, PRO_Min, "
              "PRO_Valor, PRO_DCad, PRO_Refer) values ('       300', '   ', '000001', "
              "999999999999.999, 999999999999999, 9999999999999.99, '2024-02-29', '')");
    b.executa("Insert into Produtos (PRO_Codigo, PRO_Descricao, PRO_CodGru, PRO_Quant, PRO_Min, "
              "PRO_Valor, PRO_DCad, PRO_Refer) values ('       301', 'Ação é Ç', '000002', "
              "-999999999999.999, -5, -9999999999999.99, '2000-02-29', 'Ref  ')");
    b.executa("Insert into Produtos (PRO_Codigo, PRO_Descricao, PRO_CodGru, PRO_Quant, PRO_Valor, "
              "PRO_DCad) values ('       302', 'Último', '000001', 0, 0, '1900-03-01')");
    b.executa("Insert into Produtos (PRO_Codigo, PRO_CodGru) values ('303', '000007')");
    const char* const movimentos[] = {
        "(1, '         1', 'EE', '2024-02-29', 1.5, 2.25, 'NF 1', '000001')",
        "(2, '       301', 'SS', '2023-12-31', -3, -0.01, '   ', '000002')",
        "(3, '         1', 'EE', null, null, null, null, null)",
        "(4, '       300', 'TE', '2024-02-29', 999999999999.999, 9999999999999.99, 'Nota fiscal nº "
        "42', "
        "'000001')",
        "(5, '       302', 'SS', '2001-01-01', 0.001, 0.01, 'NF 1', '000001')",
    };
    for (const char* m : movimentos)
        b.executa(QStringLiteral("Insert into Mov_Estq (MOV_CodInt, MOV_CodPro, MOV_Oper, "
                                 "MOV_Data, MOV_Quant, MOV_Valor, MOV_Doc, MOV_Tipo) values %1")
                      .arg(QLatin1String(m)));
}

// Exactly the same value: type, nullness, decimals and every character.
bool mesmoValor(const QVariant& a, const QVariant& b)
{
    if (a.metaType() != b.metaType() || a.isNull() != b.isNull())
        return false;
    if (a.metaType() == QMetaType::fromType<Decimal>())
        return a.value<Decimal>().unidades() == b.value<Decimal>().unidades() &&
               a.value<Decimal>().escala() == b.value<Decimal>().escala();
    if (a.typeId() == QMetaType::QString)
        return a.toString() == b.toString() && a.toString().isNull() == b.toString().isNull();
    return a == b;
}

const char* const produtosPorDescricao =
    "Select p.*, g.GRU_Descricao From Produtos p left join Grupos g on (p.PRO_CodGru = "
    "g.GRU_Codigo) order by p.PRO_Descricao";

} // namespace

void TstDataSet::cellsComeBackAsTheStatementGaveThem_data()
{
    QTest::addColumn<QString>("sql");
    QTest::newRow("products by description") << produtosPorDescricao;
    QTest::newRow("products by quantity")
        << "Select * From Produtos order by PRO_Quant desc, PRO_Codigo";
    QTest::newRow("ledger by document, fixed-width texts")
        << "Select * From Mov_Estq order by MOV_Doc, MOV_CodInt";
    QTest::newRow("ledger by date, nulls first") << "Select * From Mov_Estq order by MOV_Data";
    QTest::newRow("texts that change kind and width")
        << "select cast(n as varchar(20)) as t, case when mod(n, 3) = 0 then null else n end as "
           "i, cast(lpad('', mod(n, 4), ' ') as varchar(5)) as brancos from (select mov_codint "
           "as n from mov_estq) order by n";
}

void TstDataSet::cellsComeBackAsTheStatementGaveThem()
{
    QFETCH(QString, sql);
    insereValoresDificeis(*m_banco);
    Consulta c(m_banco->conexao());
    c.setSql(sql);
    const Resultado esperado = c.abre();
    QVERIFY(esperado.tamanho() >= 5);
    DataSet inteira;
    inteira.carrega(c);
    m_lista.abre(c);
    m_lista.completa();
    for (const DataSet* lista : {&inteira, &m_lista}) {
        QCOMPARE(lista->tamanho(), esperado.tamanho());
        for (int i = 0; i < esperado.tamanho(); ++i)
            for (int k = 0; k < esperado.campos.size(); ++k) {
                const QVariant v = lista->valor(i, k);
                QVERIFY2(mesmoValor(v, esperado.valor(i, k)),
                         qPrintable(QStringLiteral("row %1, %2: %3 (%4) instead of %5 (%6)")
                                        .arg(i)
                                        .arg(esperado.campos[k], v.toString(), v.typeName(),
                                             esperado.valor(i, k).toString(),
                                             esperado.valor(i, k).typeName())));
                QCOMPARE(lista->texto(i, k), DataSet::formata(esperado.valor(i, k),
                                                              lista->formato(esperado.campos[k])));
            }
    }
    // The filter sees the same values: the rows it keeps are those the stored values select.
    const int coluna = esperado.coluna(esperado.campos.first());
    const QVariant primeiro = esperado.valor(esperado.tamanho() - 1, coluna);
    m_lista.setFiltro([&](const DataSet::Linha& l) { return mesmoValor(l.em(coluna), primeiro); });
    QVERIFY(m_lista.tamanho() >= 1);
    for (int i = 0; i < m_lista.tamanho(); ++i)
        QVERIFY(mesmoValor(m_lista.valor(i, coluna), primeiro));
}

void TstDataSet::quickSearchLandsWhereARowByRowSearchWould_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("prefixo");
    QTest::addColumn<bool>("filtrada"); // the rows of group 000002 hidden
    const QString porDescricao = QLatin1String(produtosPorDescricao);
    const QString porCodigo = QStringLiteral("Select * From Produtos order by PRO_Codigo");
    for (bool filtrada : {false, true}) {
        const char* f = filtrada ? ", filtered" : "";
        QTest::addRow("ordered column, first match%s", f) << porDescricao << "PRO_DESCRICAO"
                                                          << "Fi" << filtrada;
        QTest::addRow("ordered column, only the last row%s", f)
            << porDescricao << "PRO_DESCRICAO" << QStringLiteral("Últ") << filtrada;
        QTest::addRow("ordered column, accents%s", f)
            << porDescricao << "PRO_DESCRICAO" << QStringLiteral("Ação é") << filtrada;
        QTest::addRow("ordered column, no match%s", f) << porDescricao << "PRO_DESCRICAO"
                                                       << "Zz" << filtrada;
        QTest::addRow("ordered column, blanks only%s", f) << porDescricao << "PRO_DESCRICAO"
                                                          << "  " << filtrada;
        QTest::addRow("ordered column, empty%s", f) << porDescricao << "PRO_DESCRICAO"
                                                    << "" << filtrada;
        QTest::addRow("ordered column, null prefix%s", f)
            << porDescricao << "PRO_DESCRICAO" << QString() << filtrada;
        QTest::addRow("unordered column, description%s", f) << porCodigo << "PRO_DESCRICAO"
                                                            << "Luv" << filtrada;
        QTest::addRow("unordered column, only the last row%s", f) << porDescricao << "PRO_CODIGO"
                                                                  << "303" << filtrada;
        QTest::addRow("unordered column, leading blanks%s", f) << porDescricao << "PRO_CODIGO"
                                                               << "       30" << filtrada;
        QTest::addRow("unordered column, trailing blanks%s", f) << porDescricao << "PRO_REFER"
                                                                << "Ref  " << filtrada;
        QTest::addRow("unordered column, longer than any text%s", f) << porDescricao << "PRO_REFER"
                                                                     << "Ref   " << filtrada;
        QTest::addRow("unordered column, no match%s", f) << porDescricao << "PRO_CODIGO"
                                                         << "4" << filtrada;
        QTest::addRow("fixed-width column, trailing blanks%s", f)
            << "Select * From Mov_Estq order by MOV_CodInt"
            << "MOV_DOC"
            << "NF 1  " << filtrada;
        QTest::addRow("fixed-width column, beyond its width%s", f)
            << "Select * From Mov_Estq order by MOV_CodInt"
            << "MOV_DOC" << QStringLiteral("NF 1").leftJustified(21) << filtrada;
        QTest::addRow("number%s", f) << porDescricao << "PRO_QUANT"
                                     << "-9" << filtrada;
        QTest::addRow("date%s", f) << porDescricao << "PRO_DCAD"
                                   << "2024-02" << filtrada;
    }
    // A long list read on screen, in the reverse of its texts' order.
    QTest::newRow("long list, reverse order")
        << QStringLiteral("select n, 'linha ' || n as texto from (%1) order by n desc")
               .arg(QLatin1String(dezMil))
        << "TEXTO"
        << "linha 12" << false;
}

void TstDataSet::quickSearchLandsWhereARowByRowSearchWould()
{
    QFETCH(QString, sql);
    QFETCH(QString, campo);
    QFETCH(QString, prefixo);
    QFETCH(bool, filtrada);
    insereValoresDificeis(*m_banco);
    Consulta c(m_banco->conexao());
    c.setSql(sql);
    const Resultado r = c.abre();
    const int coluna = r.coluna(campo);
    const int grupo = r.coluna("PRO_CODGRU");
    const auto mostra = [&](int i) {
        return !filtrada || grupo < 0 || r.valor(i, grupo).toString() != "000002";
    };
    // The search as a row-by-row look at each row's text.
    int esperada = -1;
    for (int i = 0, mostradas = 0; i < r.tamanho() && esperada < 0; ++i) {
        if (!mostra(i))
            continue;
        const QVariant v = r.valor(i, coluna);
        const QString t = v.metaType() == QMetaType::fromType<Decimal>()
                              ? v.value<Decimal>().toString()
                              : v.toString();
        if (t.startsWith(prefixo))
            esperada = mostradas;
        ++mostradas;
    }
    if (filtrada)
        m_lista.setFiltro([](const DataSet::Linha& l) {
            return l["PRO_CODGRU"].isNull() || l["PRO_CODGRU"].toString() != "000002";
        });
    for (bool naTela : {true, false}) {
        if (naTela)
            m_lista.abre(c);
        else
            m_lista.carrega(c);
        m_lista.setLinhaAtual(1);
        QCOMPARE(m_lista.localiza(campo, prefixo), esperada);
        QCOMPARE(m_lista.linhaAtual(), esperada < 0 ? 1 : esperada);
        // Again on the whole list, through the index the first search left.
        m_lista.setLinhaAtual(1);
        QCOMPARE(m_lista.localiza(campo, prefixo), esperada);
    }
}

QTEST_MAIN(TstDataSet)
#include "tst_dataset.moc"
