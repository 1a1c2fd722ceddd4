// The report engine's page model and the PDF it writes: cells stay inside their columns (numbers
// condensed rather than cut or run into a neighbour, descriptions keeping every character that
// fits), and the preview opens fitted to its screen with the whole page in view.

#include "reports/Visualiza.h"
#include "reports/engine/Motor.h"
#include "support/ImpressoraTeste.h"
#include "support/PdfCaixas.h"

#include <QBuffer>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QtTest>

using namespace Motor;

class TstMotor : public QObject {
    Q_OBJECT

private slots:
    void numbersAreNeitherCutNorOverprinted_data();
    void numbersAreNeitherCutNorOverprinted();
    void descriptionKeepsWhatFits_data();
    void descriptionKeepsWhatFits();
    void previewOpensFittedWithTheWholePage();
    void streamedPagesAreTheWholeReport();
    void pagesAlreadyWrittenAreReleased();
    void pdfKeepsTheTextAsTyped_data();
    void pdfKeepsTheTextAsTyped();
    void unfinishedPdfLeavesNoFile();
};

namespace {

// One report row of the given columns, as the engine lays it out.
Documento umaLinha(const QVector<Coluna>& colunas, const QStringList& celulas)
{
    Layout layout;
    layout.empresa = QStringLiteral("Empresa");
    layout.titulo = QStringLiteral("Teste");
    layout.colunas = colunas;
    Linhas linhas;
    linhas.quantas = 1;
    linhas.celula = [&](int, int coluna) { return celulas.value(coluna); };
    return monta(layout, linhas);
}

// The texts of the detail line, in column order.
QVector<Texto> celulasDaLinha(const Documento& d, const QStringList& celulas)
{
    QVector<Texto> saida;
    for (const QString& c : celulas)
        for (const Texto& t : d.paginas.value(0).textos)
            if (t.texto == c && d.fontes.at(t.fonte).mono)
                saida << t;
    return saida;
}

// How wide a cell is painted, in millimetres.
double larguraPintada(const Documento& d, const Texto& t)
{
    const Fonte& f = d.fontes.at(t.fonte);
    return t.texto.size() * passoMono(f) * f.larguraPorCento / 100.0;
}

// The first word of a PDF equal to `texto`.
Pdf::Palavra palavra(const QList<Pdf::Palavra>& palavras, const QString& texto)
{
    for (const Pdf::Palavra& p : palavras)
        if (p.texto == texto)
            return p;
    return {};
}

// A movement list of `quantas` rows with a running total in its summary.
struct Livro {
    Layout layout;
    Linhas linhas;
    QStringList codigos;
    int lidas = 0;
    int soma = 0;

    explicit Livro(int quantas)
    {
        layout.empresa = QStringLiteral("Empresa");
        layout.titulo = QStringLiteral("Movimentos");
        layout.cabecalhoEmTodaPagina = true;
        layout.temResumo = true;
        layout.colunas = {{QStringLiteral("Código"), 22, true},
                          {QStringLiteral("Descrição"), 40, false, true},
                          {QStringLiteral("Quantidade"), 28, true}};
        for (int i = 0; i < quantas; ++i)
            codigos << QString::number(1000 + i);
        linhas.quantas = quantas;
        linhas.celula = [this](int linha, int coluna) {
            ++lidas;
            if (coluna == 0)
                return codigos.at(linha);
            if (coluna == 1)
                return QStringLiteral("Produto de número %1 com nome comprido").arg(linha);
            return QString::number(linha % 7);
        };
        linhas.antesDaLinha = [this](int linha) { soma += linha % 7; };
        linhas.resumo = [this] {
            return QVector<LinhaResumo>{{QStringLiteral("Total:"), QString::number(soma)}};
        };
    }
};

} // namespace

void TstMotor::numbersAreNeitherCutNorOverprinted_data()
{
    QTest::addColumn<QString>("quantidade");
    QTest::addColumn<QString>("valor");
    QTest::newRow("fits") << "1.234,500"
                          << "R$ 1.234,56";
    QTest::newRow("value one character too long") << "1.000.000,000"
                                                  << "R$ 9.999.999,99";
    QTest::newRow("both far too long") << "123.456.789.012,000"
                                       << "R$ 999.999.999.999,99";
}

void TstMotor::numbersAreNeitherCutNorOverprinted()
{
    QFETCH(QString, quantidade);
    QFETCH(QString, valor);
    // The general movement report's last two columns.
    const QVector<Coluna> colunas{{QStringLiteral("Data"), 22},
                                  {QStringLiteral("Quantidade"), 28, true},
                                  {QStringLiteral("Valor"), 30, true}};
    const QStringList celulas{QStringLiteral("10/03/2024"), quantidade, valor};
    const Documento d = umaLinha(colunas, celulas);
    const QVector<Texto> textos = celulasDaLinha(d, celulas);
    QCOMPARE(textos.size(), 3);
    for (const Texto& t : textos)
        QVERIFY2(larguraPintada(d, t) <= t.caixa.width() + 0.01, qPrintable(t.texto));

    // A saved report brings the condensed numbers back as they were.
    QBuffer salvo;
    QVERIFY(salvo.open(QIODevice::ReadWrite) && d.grava(salvo));
    salvo.seek(0);
    Documento lido;
    QVERIFY(lido.carrega(salvo));
    QVERIFY(lido == d);

    QTemporaryDir pasta;
    const QString arquivo = pasta.filePath(QStringLiteral("linha.pdf"));
    QVERIFY(d.gravaPdf(arquivo));
    const QList<Pdf::Palavra> palavras = Pdf::palavras(arquivo);
    const Pdf::Palavra data = palavra(palavras, celulas[0]);
    const Pdf::Palavra q = palavra(palavras, quantidade);
    const Pdf::Palavra moeda = palavra(palavras, QStringLiteral("R$"));
    const Pdf::Palavra v = palavra(palavras, valor.mid(3));
    QVERIFY2(q.pagina == 1 && moeda.pagina == 1 && v.pagina == 1,
             "every number is printed whole, as a word of its own");
    constexpr double folga = 0.3; // what pdftotext's glyph boxes add
    QVERIFY(data.caixa.right() < q.caixa.left());
    QVERIFY(q.caixa.right() < moeda.caixa.left());
    QVERIFY(q.caixa.right() <= textos[1].caixa.right() + folga);
    QVERIFY(moeda.caixa.left() >= textos[2].caixa.left() - folga);
    QVERIFY(v.caixa.right() <= textos[2].caixa.right() + folga);
}

void TstMotor::descriptionKeepsWhatFits_data()
{
    QTest::addColumn<QString>("descricao");
    QTest::addColumn<QString>("impressa");
    // 53 mm hold 25 characters of a 10-point fixed-pitch face.
    QTest::newRow("25 characters") << "Fio flexível 2,5 mm² azul"
                                   << "Fio flexível 2,5 mm² azul";
    QTest::newRow("26 characters, cut at a word") << "Fio flexível 2,5 mm² azuis"
                                                  << "Fio flexível 2,5 mm²";
}

void TstMotor::descriptionKeepsWhatFits()
{
    QFETCH(QString, descricao);
    QFETCH(QString, impressa);
    const QVector<Coluna> colunas{{QStringLiteral("Código"), 22, true},
                                  {QStringLiteral("Descrição"), 53, false, true},
                                  {QStringLiteral("Unid."), 10}};
    const QStringList celulas{QStringLiteral("123"), impressa, QStringLiteral("UN")};
    const Documento d = umaLinha(colunas, {celulas[0], descricao, celulas[2]});
    const QVector<Texto> textos = celulasDaLinha(d, celulas);
    QCOMPARE(textos.size(), 3);

    QTemporaryDir pasta;
    const QString arquivo = pasta.filePath(QStringLiteral("linha.pdf"));
    QVERIFY(d.gravaPdf(arquivo));
    const QList<Pdf::Palavra> palavras = Pdf::palavras(arquivo);
    const QString ultima = impressa.section(QLatin1Char(' '), -1);
    const Pdf::Palavra fim = palavra(palavras, ultima);
    QCOMPARE(fim.pagina, 1);
    QVERIFY(fim.caixa.right() <= textos[1].caixa.left() + 53 + 0.3);
    QVERIFY(fim.caixa.right() < palavra(palavras, QStringLiteral("UN")).caixa.left());
}

void TstMotor::previewOpensFittedWithTheWholePage()
{
    Layout layout;
    layout.empresa = QStringLiteral("Empresa");
    layout.titulo = QStringLiteral("Teste");
    TfVisualiza previa;
    previa.mostra(monta(layout, Linhas{}));
    previa.show();
    QVERIFY(QTest::qWaitForWindowExposed(&previa));
    QCoreApplication::processEvents();

    const QRect tela = previa.screen()->availableGeometry();
    QVERIFY2(tela.contains(previa.frameGeometry()), "the window fits its screen");
    const auto* fechar = previa.findChild<QPushButton*>(QStringLiteral("btnFechar"));
    QVERIFY(fechar);
    QVERIFY2(previa.rect().contains(QRect(fechar->mapTo(&previa, QPoint()), fechar->size())),
             "the last toolbar button is in view");

    QCOMPARE(previa.zoom(), TfVisualiza::Zoom::Pagina);
    const auto* area = previa.findChild<QScrollArea*>(QStringLiteral("saPaginas"));
    const auto* folha = previa.findChild<QWidget*>(QStringLiteral("qrpPagina"));
    QVERIFY(area && folha);
    const auto paginaInteira = [&] {
        const QSize vista = area->viewport()->size();
        QVERIFY2(folha->width() <= vista.width() && folha->height() <= vista.height(),
                 "the whole page is in view");
        // Fitted, not drawn small: the page fills the area's height or its width.
        const double cabe = qMin((vista.width() - 24) / 210.0, (vista.height() - 24) / 297.0);
        QVERIFY2(qAbs(previa.escala() - cabe) < 1e-6, qPrintable(QString::number(previa.escala())));
        QVERIFY(folha->height() >= vista.height() - 60 || folha->width() >= vista.width() - 60);
    };
    paginaInteira();
    // A window system may settle the size only after the window is shown.
    previa.resize(previa.size() - QSize(150, 250));
    QCoreApplication::processEvents();
    paginaInteira();
}

void TstMotor::streamedPagesAreTheWholeReport()
{
    Livro inteiro(150);
    const Documento d = monta(inteiro.layout, inteiro.linhas);
    QCOMPARE(d.numeroDePaginas(), 3);
    QVERIFY(d.paginas.last().linhas().contains(QStringLiteral("Total: 444")));

    Livro aos(150);
    QVector<Pagina> recebidas;
    QList<int> numeros;
    QVERIFY(monta(aos.layout, aos.linhas, [&](const Documento& molde, Pagina&& p, int n) {
        if (molde.fontes != d.fontes.mid(0, molde.fontes.size()))
            return false;
        recebidas << std::move(p);
        numeros << n;
        return true;
    }));
    QCOMPARE(numeros, QList<int>({1, 2, 3}));
    QVERIFY(recebidas == d.paginas);

    // The file written as the pages come reads as the one written from the whole report.
    QTemporaryDir pasta;
    const QString todo = pasta.filePath(QStringLiteral("inteiro.pdf"));
    const QString corrente = pasta.filePath(QStringLiteral("corrente.pdf"));
    QVERIFY(d.gravaPdf(todo));
    Livro escrito(150);
    QVERIFY(gravaPdf(escrito.layout, escrito.linhas, corrente));
    QCOMPARE(Pdf::paginas(corrente), 3);
    QCOMPARE(Pdf::texto(corrente), Pdf::texto(todo));

    // Stopped after the first page: the rows of later pages are never read.
    Livro parado(150);
    QVERIFY(!monta(parado.layout, parado.linhas,
                   [](const Documento&, Pagina&&, int) { return false; }));
    QVERIFY(parado.lidas <= 3 * 70);
    QVERIFY(!gravaPdf(escrito.layout, escrito.linhas, pasta.filePath("sem/pasta.pdf")));
}

void TstMotor::pagesAlreadyWrittenAreReleased()
{
    Livro livro(200);
    const auto celula = livro.linhas.celula;
    bool soltas = false;
    livro.linhas.celula = [&](int linha, int coluna) {
        // On the fourth page the first page's codes are held by this test alone.
        if (linha == 190 && coluna == 0)
            soltas = livro.codigos.at(0).isDetached() && livro.codigos.at(60).isDetached();
        return celula(linha, coluna);
    };
    QTemporaryDir pasta;
    QVERIFY(gravaPdf(livro.layout, livro.linhas, pasta.filePath(QStringLiteral("a.pdf"))));
    QVERIFY(soltas);
    // Kept whole, the same codes stay shared with the pages.
    const Documento d = monta(livro.layout, livro.linhas);
    QVERIFY(!livro.codigos.at(0).isDetached());
}

void TstMotor::pdfKeepsTheTextAsTyped_data()
{
    QTest::addColumn<QString>("descricao");
    QTest::newRow("accents and squared") << "Fio flexível 2,5 mm² AÇÃO";
    QTest::newRow("brackets and backslash") << "Papel (resma) A4 \\ 500";
    QTest::newRow("euro and dash") << "Custo € 5,00 – ok";
    QTest::newRow("quotes and degrees") << "Chave 1/4\" x 6\" 90º";
}

void TstMotor::pdfKeepsTheTextAsTyped()
{
    QFETCH(QString, descricao);
    const QVector<Coluna> colunas{{QStringLiteral("Código"), 22, true},
                                  {QStringLiteral("Descrição"), 80}};
    const Documento d = umaLinha(colunas, {QStringLiteral("7"), descricao});
    QTemporaryDir pasta;
    const QString arquivo = pasta.filePath(QStringLiteral("linha.pdf"));
    QVERIFY(d.gravaPdf(arquivo));
    const QString texto = Pdf::texto(arquivo);
    QVERIFY2(texto.contains(QStringLiteral("7 ") + descricao), qPrintable(texto));
    QVERIFY(texto.contains(QStringLiteral("Descrição")));
}

void TstMotor::unfinishedPdfLeavesNoFile()
{
    Livro livro(150);
    const Documento d = monta(livro.layout, livro.linhas);
    QTemporaryDir pasta;
    const QString arquivo = pasta.filePath(QStringLiteral("r.pdf"));
    {
        ArquivoPdf pdf;
        QVERIFY(pdf.abre(arquivo, d));
        QVERIFY(pdf.pinta(d, d.paginas.at(0)));
    }
    QVERIFY2(!QFile::exists(arquivo), "a report stopped half-way leaves no partial file");

    // Nor does it spoil the report saved there before.
    QVERIFY(d.gravaPdf(arquivo));
    const QByteArray antes = [&] {
        QFile f(arquivo);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    {
        ArquivoPdf pdf;
        QVERIFY(pdf.abre(arquivo, d));
        QVERIFY(pdf.pinta(d, d.paginas.at(1)));
    }
    QFile f(arquivo);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), antes);
    QCOMPARE(Pdf::paginas(arquivo), 3);
}

QTEST_MAIN(TstMotor)
#include "tst_motor.moc"
