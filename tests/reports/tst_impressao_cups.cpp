// Reports printed for real: through the machine's printing service to its default printer, a
// PDF printer whose pages are read back; and a machine with no printer at all.
//
// Needs the printing service with its PDF printer as the default (scripts/cups start).

#include "reports/Tela_Impressora.h"
#include "reports/Visualiza.h"
#include "reports/engine/Impressora.h"
#include "support/AplicacaoTeste.h"
#include "support/Cadastro.h"
#include "support/ImpressoraTeste.h"

#include <QDialog>
#include <QDir>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QtTest>

using namespace Tela;

class TstImpressaoCups : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void printedPdfComesBackWithItsPagesAndTotal_data();
    void printedPdfComesBackWithItsPagesAndTotal();
    void noPrinterAtAllSaysSo();
};

namespace {

// Where the PDF printer writes its pages, as the script that sets it up says.
QString pastaDaImpressora()
{
    QProcess p;
    p.start(QStringLiteral("bash"),
            {qEnvironmentVariable("ZV_SOURCE_DIR") + QStringLiteral("/scripts/cups"), "pasta"});
    p.waitForFinished();
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

QStringList pdfsEm(const QString& pasta)
{
    return QDir(pasta).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
}

bool filaVazia()
{
    QProcess p;
    p.start(QStringLiteral("lpstat"), {"-W", "not-completed", "-o"});
    p.waitForFinished();
    return p.exitCode() == 0 && p.readAllStandardOutput().trimmed().isEmpty();
}

// 70 products of R$ 2,00: the stock list II by description takes two pages, the total on the
// second.
void setenta(BancoTeste& b)
{
    Cadastro::grupo(b, "000001", "Ferramentas");
    for (int i = 1; i <= 70; ++i) {
        Cadastro::Produto p;
        p.codigo = QString::number(i).rightJustified(10, QLatin1Char(' '));
        p.descricao = QStringLiteral("Item %1").arg(i);
        p.quantidade = QStringLiteral("1");
        p.valor = QStringLiteral("2.00");
        Cadastro::produto(b, p);
    }
}

const char* const variavelSemImpressora = "ZV_TESTE_SEM_IMPRESSORA";

} // namespace

void TstImpressaoCups::initTestCase()
{
    if (qEnvironmentVariableIsSet(variavelSemImpressora))
        return;
    QVERIFY2(!QPrinter().printerName().isEmpty(),
             "no default printer: start the printing service with scripts/cups start");
}

void TstImpressaoCups::printedPdfComesBackWithItsPagesAndTotal_data()
{
    QTest::addColumn<bool>("pelaPrevia");
    caso("Impressora", false);
    // "Imprimir" of the preview after its printer set-up was confirmed.
    caso("preview", true);
}

void TstImpressaoCups::printedPdfComesBackWithItsPagesAndTotal()
{
    if (qEnvironmentVariableIsSet(variavelSemImpressora))
        QSKIP("run without a printer");
    QFETCH(bool, pelaPrevia);
    TelaTeste t;
    setenta(t.banco);
    const QString pasta = pastaDaImpressora();
    QVERIFY(!pasta.isEmpty());
    const QStringList antes = pdfsEm(pasta);

    t.driver.aoAbrir([pelaPrevia](QDialog* escolha) {
        QCOMPARE(escolha->objectName(), QString("TfTela_Impressora"));
        clica(escolha, pelaPrevia ? "BitBtn1" : "BitBtn2");
    });
    if (pelaPrevia) {
        t.driver.aoAbrir([&](QDialog* previa) {
            QCOMPARE(previa->objectName(), QString("TfVisualiza"));
            clica(previa, "btnSetup");
            clica(previa, "btnImprimir");
            clica(previa, "btnFechar");
        });
        t.driver.aoAbrir([](QDialog* dialogo) {
            QVERIFY(qobject_cast<QPrintDialog*>(dialogo));
            dialogo->accept();
        });
    }
    t.principal().aciona(QStringLiteral("ItensNoEstoqueIIOrdenadoporDescrio1"));
    QCOMPARE(t.driver.passosPendentes(), 0);
    QCOMPARE(t.msgs.textos(), QStringList());

    // The printing service works on its own; wait until it has written the job out.
    QTRY_VERIFY_WITH_TIMEOUT(filaVazia(), 60000);
    QStringList novos = pdfsEm(pasta);
    for (const QString& velho : antes)
        novos.removeAll(velho);
    QCOMPARE(novos.size(), 1);
    const QString pdf = QDir(pasta).filePath(novos.first());
    QCOMPARE(Pdf::paginas(pdf), 2);
    QVERIFY(Pdf::texto(pdf, 1).contains(QStringLiteral("Item 1 ")));
    QVERIFY(Pdf::texto(pdf, 2).contains(QStringLiteral("R$ 140,00")));
    QFile::remove(pdf);
}

void TstImpressaoCups::noPrinterAtAllSaysSo()
{
    if (!qEnvironmentVariableIsSet(variavelSemImpressora)) {
        // The printing service is asked once per run, so the machine without a printer is this
        // same test run again with the service out of reach.
        QProcess filho;
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(QString::fromLatin1(variavelSemImpressora), QStringLiteral("1"));
        ambiente.insert(QStringLiteral("CUPS_SERVER"), QDir::temp().filePath("zv-sem-cups.sock"));
        filho.setProcessEnvironment(ambiente);
        filho.setProcessChannelMode(QProcess::MergedChannels);
        filho.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("noPrinterAtAllSaysSo"), QStringLiteral("-maxwarnings"),
                     QStringLiteral("0")});
        QVERIFY(filho.waitForFinished(120000));
        const QString saida = QString::fromLocal8Bit(filho.readAll());
        QVERIFY2(filho.exitCode() == 0, qPrintable(saida));
        QVERIFY2(saida.contains(QLatin1String("PASS   : TstImpressaoCups::noPrinterAtAllSaysSo")),
                 qPrintable(saida));
        return;
    }
    TelaTeste t;
    setenta(t.banco);
    QVERIFY(!Impressora::disponivel());
    t.driver.aoAbrir([](QDialog* escolha) { clica(escolha, "BitBtn2"); });
    t.principal().aciona(QStringLiteral("ItensNoEstoqueIIOrdenadoporDescrio1"));
    QCOMPARE(t.msgs.quantidade(), 1);
    QCOMPARE(t.msgs.mensagens().first().tipo, TipoMensagem::Erro);
    QVERIFY(t.msgs.ultimoTexto().startsWith(
        QStringLiteral("Nenhuma impressora está instalada neste computador.")));
}

QTEST_MAIN(TstImpressaoCups)
#include "tst_impressao_cups.moc"
