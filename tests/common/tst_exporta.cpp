// Any grid out to a spreadsheet: the rows it lists under its visible titles, in its column order,
// as an .xlsx workbook or a .csv text, from its context menu or Ctrl+Shift+E.

#include "data/DataModule_MovEstq.h"
#include "data/firebird/Transacao.h"
#include "support/AplicacaoTeste.h"
#include "support/Cadastro.h"
#include "support/DiaMovimentado.h"
#include "support/ImpressoraTeste.h"
#include "support/Outubro.h"

#include <QAction>
#include <QDateEdit>
#include <QDialog>
#include <QFile>
#include <QHeaderView>
#include <QProcess>
#include <QTableView>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

using namespace Tela;

class TstExporta : public QObject {
    Q_OBJECT

private slots:
    void filteredGridExportsItsListedRowsAndColumns_data();
    void filteredGridExportsItsListedRowsAndColumns();
    void listStillReadingExportsEveryRow();
    void unwritableFileSaysSoAndLeavesNothing_data();
    void unwritableFileSaysSoAndLeavesNothing();
    void commandLineReportAsSpreadsheet_data();
    void commandLineReportAsSpreadsheet();
};

namespace {

using Cadastro::furadeira;
using Cadastro::parafuso;
using namespace Outubro;

// October: an entry, an exit and a reversal of each of the washer on the 1st; the drill's entry
// on the 31st and its exit on the 2nd of November. The washer's description carries accents, a
// quote and a semicolon; the drill's begins like a spreadsheet formula.
void livroDeOutubro(AplicacaoTeste& t)
{
    Cadastro::grupo(t.banco, "000001", "Geral");
    Cadastro::produto(t.banco, {.codigo = parafuso,
                                .descricao = QStringLiteral("Arruela Pressão Ø 1/2\"; aço"),
                                .quantidade = "50"});
    Cadastro::produto(t.banco,
                      {.codigo = furadeira, .descricao = "=2+3 Furadeira", .quantidade = "5"});
    const auto mov = [&](int n, const QString& p, const char* oper, const QDate& data,
                         const char* quant, const char* valor) {
        Cadastro::movimento(t.banco, {.numero = n,
                                      .produto = p,
                                      .operacao = oper,
                                      .quantidade = quant,
                                      .valor = valor,
                                      .data = data});
    };
    mov(1, parafuso, "EE", dia1, "1234.5", "1234.56");
    mov(2, parafuso, "SS", dia1, "1", "1");
    mov(3, parafuso, "TE", dia1, "0.25", "2.5");
    mov(4, parafuso, "TS", dia1, "1", "1");
    mov(5, furadeira, "SS", dia31, "1", "1");
    mov(6, furadeira, "EE", dia31, "2", "300");
    mov(7, furadeira, "SS", novembro2, "1", "1");
}

// The cells of the first sheet, row by row: texts as they are, numbers (dates among them) as
// "#" and their value, so a number written as text shows at once.
QList<QStringList> celulasXlsx(const QString& arquivo, QString* estilos)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {"-p", arquivo, "xl/worksheets/sheet1.xml"});
    unzip.waitForFinished();
    QXmlStreamReader xml(unzip.readAllStandardOutput());
    QList<QStringList> linhas;
    QString tipo;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("row")) {
            linhas.append(QStringList());
        } else if (xml.name() == QLatin1String("c")) {
            tipo = xml.attributes().value("t").toString();
            const QString r = xml.attributes().value("r").toString();
            int coluna = 0;
            for (QChar ch : r) {
                if (!ch.isLetter())
                    break;
                coluna = coluna * 26 + (ch.unicode() - 'A' + 1);
            }
            while (linhas.last().size() < coluna)
                linhas.last().append(QString());
        } else if (xml.name() == QLatin1String("f")) {
            linhas.last().last() = QStringLiteral("formula!");
        } else if (xml.name() == QLatin1String("v")) {
            const QString v = xml.readElementText();
            linhas.last().last() = tipo.isEmpty() || tipo == QLatin1String("n")
                                       ? QLatin1Char('#') + v
                                       : QStringLiteral("?") + tipo + v;
        } else if (xml.name() == QLatin1String("t")) {
            linhas.last().last() = xml.readElementText();
        }
    }
    if (estilos) {
        unzip.start(QStringLiteral("unzip"), {"-p", arquivo, "xl/styles.xml"});
        unzip.waitForFinished();
        *estilos = QString::fromUtf8(unzip.readAllStandardOutput());
    }
    return linhas;
}

QList<QStringList> celulasCsv(const QString& arquivo, QByteArray* inicio)
{
    QFile f(arquivo);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = f.readAll();
    *inicio = bytes.left(3);
    QList<QStringList> linhas;
    for (const QString& l : QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"))) {
        if (!l.isEmpty())
            linhas.append(QStringList{l});
    }
    return linhas;
}

QTableView* gradeDaConsulta(QDialog* j)
{
    return acha<QTableView>(j, "dbgConsulta_MovEstq");
}

void exportaPeloTeclado(QTableView* grade)
{
    grade->setFocus();
    QTest::keyClick(grade, Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
}

} // namespace

void TstExporta::filteredGridExportsItsListedRowsAndColumns_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QList<QStringList>>("esperadas"); // title row first, then rows as sorted
    const QString serial1 = QString::number(QDate(1899, 12, 30).daysTo(dia1));
    const QString serial31 = QString::number(QDate(1899, 12, 30).daysTo(dia31));
    const QString arruela = QStringLiteral("Arruela Pressão Ø 1/2\"; aço");
    const QStringList titulos = {"Quantidade",
                                 QStringLiteral("Código"),
                                 QStringLiteral("Descrição"),
                                 QStringLiteral("Operacão"),
                                 "Data",
                                 "Valor"};
    caso("xlsx", QStringLiteral("lista.xlsx"),
         QList<QStringList>{titulos,
                            {"#0.25", "12", arruela, "TE", '#' + serial1, "#2.5"},
                            {"#1", "12", arruela, "TS", '#' + serial1, "#1"},
                            {"#1234.5", "12", arruela, "EE", '#' + serial1, "#1234.56"},
                            {"#2", "13", "=2+3 Furadeira", "EE", '#' + serial31, "#300"}});
    caso("csv", QStringLiteral("lista.CSV"),
         QList<QStringList>{
             {titulos.join(';')},
             {QStringLiteral("0,250;12;\"Arruela Pressão Ø 1/2\"\"; aço\";TE;01/10/2004;2,50")},
             {QStringLiteral("1,000;12;\"Arruela Pressão Ø 1/2\"\"; aço\";TS;01/10/2004;1,00")},
             {QStringLiteral(
                 "1234,500;12;\"Arruela Pressão Ø 1/2\"\"; aço\";EE;01/10/2004;1234,56")},
             {QStringLiteral("2,000;13;'=2+3 Furadeira;EE;31/10/2004;300,00")}});
}

void TstExporta::filteredGridExportsItsListedRowsAndColumns()
{
    QFETCH(QString, nome);
    QFETCH(QList<QStringList>, esperadas);
    TelaTeste t;
    livroDeOutubro(t);
    QTemporaryDir pasta;
    const QString arquivo = pasta.filePath(nome);
    t.abre("ConsultadeMovimentaodeEstoque1", [&](QDialog* j) {
        acha<QDateEdit>(j, "dtpData_Inicial")->setDate(dia1);
        acha<QDateEdit>(j, "dtpData_Final")->setDate(dia31);
        clica(j, "btnDatas_Filtrar");
        marca(j, "cbSaidas");
        QTableView* grade = gradeDaConsulta(j);
        QCOMPARE(grade->model()->rowCount(), 4);
        // The person hid four columns and dragged the quantity to the front.
        QHeaderView* cabecalho = grade->horizontalHeader();
        for (int c : {2, 7, 8, 9})
            cabecalho->setSectionHidden(c, true);
        cabecalho->moveSection(cabecalho->visualIndex(6), 0);

        const QList<QAction*> acoes = grade->actions();
        QCOMPARE(acoes.size(), 1);
        QCOMPARE(acoes.first()->text(), QStringLiteral("Exportar para planilha…"));
        QCOMPARE(grade->contextMenuPolicy(), Qt::ActionsContextMenu);
        t.driver.respondeEscolha(arquivo);
        exportaPeloTeclado(grade);
        QCOMPARE(t.driver.escolhasPendentes(), 0);
        QCOMPARE(t.driver.escolhas().last().sufixo, QStringLiteral("xlsx"));
        clica(j, "btnConsulta_MovEstq_Fechar");
    });
    QCOMPARE(t.msgs.quantidade(), 1);
    QCOMPARE(t.msgs.mensagens().first().tipo, TipoMensagem::Informacao);
    QVERIFY(t.msgs.ultimoTexto().contains(QStringLiteral("4 linha")));

    QList<QStringList> linhas;
    if (nome.endsWith(QLatin1String(".xlsx"))) {
        QString estilos;
        linhas = celulasXlsx(arquivo, &estilos);
        for (const char* formato : {"dd/mm/yyyy", "#,##0.000", "&quot;R$ &quot;#,##0.00"})
            QVERIFY2(estilos.contains(QLatin1String(formato)), formato);
    } else {
        QByteArray bom;
        linhas = celulasCsv(arquivo, &bom);
        QCOMPARE(bom, QByteArray("\xEF\xBB\xBF"));
    }
    QVERIFY(!linhas.isEmpty());
    std::sort(linhas.begin() + 1, linhas.end());
    QCOMPARE(linhas, esperadas);
}

void TstExporta::listStillReadingExportsEveryRow()
{
    TelaTeste t;
    livroDeOutubro(t);
    // 3,000 entries of the washer today (10 to 3,009).
    DiaMovimentado::escreve(t.banco, 10, 3009, [](int) {
        return DiaMovimentado::Linha{parafuso, "EE"};
    });
    QTemporaryDir pasta;
    const QString arquivo = pasta.filePath("hoje.csv");
    const DataSet& lista = t.app.dmMovEstq().cds_MovEstq;
    t.abre("ConsultadeMovimentaodeEstoque1", [&](QDialog* j) {
        // Asked again, today's list shows its first rows and reads the rest while idle: the
        // export comes before the rest has arrived.
        clica(j, "btnDatas_Filtrar");
        QVERIFY(lista.lendo());
        t.driver.respondeEscolha(arquivo);
        exportaPeloTeclado(gradeDaConsulta(j));
        QCOMPARE(lista.tamanho(), 3000);
        clica(j, "btnConsulta_MovEstq_Fechar");
    });
    QByteArray bom;
    QCOMPARE(celulasCsv(arquivo, &bom).size(), 3001);
    QVERIFY(t.msgs.ultimoTexto().contains(QStringLiteral("3000 linha")));
}

void TstExporta::unwritableFileSaysSoAndLeavesNothing_data()
{
    QTest::addColumn<QString>("nome");
    caso("xlsx", QStringLiteral("falta/lista.xlsx"));
    caso("csv", QStringLiteral("falta/lista.csv"));
}

void TstExporta::unwritableFileSaysSoAndLeavesNothing()
{
    QFETCH(QString, nome);
    TelaTeste t;
    livroDeOutubro(t);
    QTemporaryDir pasta;
    const QString arquivo = pasta.filePath(nome);
    t.abre("ConsultadeMovimentaodeEstoque1", [&](QDialog* j) {
        t.driver.respondeEscolha(arquivo);
        exportaPeloTeclado(gradeDaConsulta(j));
        // A cancelled chooser writes nothing and says nothing.
        t.driver.respondeEscolha(QString());
        exportaPeloTeclado(gradeDaConsulta(j));
        clica(j, "btnConsulta_MovEstq_Fechar");
    });
    QCOMPARE(t.msgs.quantidade(), 1);
    QCOMPARE(t.msgs.mensagens().first().tipo, TipoMensagem::Erro);
    QVERIFY(t.msgs.ultimoTexto().startsWith(QStringLiteral("Não foi possível gravar a planilha")));
    QVERIFY(!QFile::exists(arquivo));
    QCOMPARE(QDir(pasta.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

void TstExporta::commandLineReportAsSpreadsheet_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QStringList>("opcoes");
    // The title row and the start of the first product's row as read back (.xlsx cells joined
    // by "|"); empty for a PDF. The titles are the printed report's headings, not field names.
    QTest::addColumn<QString>("titulos");
    QTest::addColumn<QString>("primeira");
    QTest::addColumn<int>("status");
    const QString tituloXlsx = QStringLiteral("Código|Descrição|Quantidade");
    const QString xlsx = QStringLiteral("12|Arruela Pressão Ø 1/2\"; aço|#50");
    const QString tituloCsv = QStringLiteral("Código;Descrição;Unid.;Quantidade;Valor");
    const QString csv = QStringLiteral("12;\"Arruela Pressão Ø 1/2\"\"; aço\";;50,000;");
    caso("xlsx by extension", QStringLiteral("itens.xlsx"), QStringList(), tituloXlsx, xlsx, 0);
    caso("csv by extension", QStringLiteral("itens.csv"), QStringList(), tituloCsv, csv, 0);
    caso("pdf by extension", QStringLiteral("itens.pdf"), QStringList(), QString(), QString(), 0);
    caso("csv by option", QStringLiteral("itens.txt"), QStringList({"--formato", "csv"}), tituloCsv,
         csv, 0);
    caso("pdf by option", QStringLiteral("itens.xlsx"), QStringList({"--formato", "PDF"}),
         QString(), QString(), 0);
    caso("unknown format", QStringLiteral("itens.odt"), QStringList({"--formato", "odt"}),
         QString(), QString(), 2);
}

void TstExporta::commandLineReportAsSpreadsheet()
{
#ifndef ZVDB_PROGRAMA
    QSKIP("the build has no zvdb");
#else
    QFETCH(QString, nome);
    QFETCH(QStringList, opcoes);
    QFETCH(QString, titulos);
    QFETCH(QString, primeira);
    QFETCH(int, status);
    BancoTeste banco;
    Cadastro::grupo(banco, "000001", "Geral");
    Cadastro::produto(banco, {.codigo = parafuso,
                              .descricao = QStringLiteral("Arruela Pressão Ø 1/2\"; aço"),
                              .quantidade = "50"});
    Cadastro::produto(banco, {.codigo = furadeira, .descricao = "Furadeira", .quantidade = "5"});
    // The embedded engine lets one process at a time open the file.
    banco.conexao().fecha();
    QTemporaryDir pasta;
    const QString arquivo = pasta.filePath(nome);
    QProcess p;
    p.start(ZVDB_PROGRAMA,
            QStringList{"relatorio", banco.pasta(), "Itens Estoque Codigo", arquivo} + opcoes);
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), status);
    if (status != 0) {
        QVERIFY(!QFile::exists(arquivo));
        return;
    }
    if (primeira.isEmpty()) {
        QVERIFY(Pdf::texto(arquivo).contains(QStringLiteral("Arruela Pressão")));
        return;
    }
    QList<QStringList> linhas;
    if (primeira.contains(QLatin1Char('|'))) {
        linhas = celulasXlsx(arquivo, nullptr);
        for (QStringList& l : linhas)
            l = QStringList{l.value(0), l.value(1), l.value(3)};
    } else {
        QByteArray bom;
        linhas = celulasCsv(arquivo, &bom);
        QCOMPARE(bom, QByteArray("\xEF\xBB\xBF"));
        // The code, the description, the unit and the quantity.
        for (qsizetype i = 1; i < linhas.size(); ++i)
            linhas[i] = QStringList{linhas.at(i).first().left(primeira.size())};
    }
    QCOMPARE(linhas.size(), 3);
    QCOMPARE(linhas.at(0).join(QLatin1Char(titulos.contains(QLatin1Char('|')) ? '|' : ';')),
             titulos);
    QCOMPARE(linhas.at(1).join(QLatin1Char('|')), primeira);
#endif
}

QTEST_MAIN(TstExporta)
#include "tst_exporta.moc"
