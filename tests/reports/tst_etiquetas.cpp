// Shelf labels are read back the way the stock room reads them: the PDF the labels window
// writes is turned into an image and every label's bar code is decoded by a bar-code reader,
// then compared with the products chosen, label by label, in the order they were asked for.

#include "support/AplicacaoTeste.h"
#include "support/Cadastro.h"
#include "support/PdfCaixas.h"
#include "support/Processo.h"

#include "data/DataModule_Grupos.h"
#include "reports/DesenhoEtiquetas.h"
#include "reports/engine/Impressora.h"

#include <QDialog>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

// The fields a row types, by name, with their texts.
using Campos = QList<QPair<QString, QString>>;

using namespace Tela;

class TstEtiquetas : public QObject {
    Q_OBJECT

private slots:
    void labelsScanBack_data();
    void labelsScanBack();
    void descriptionIsCutAtAWord();
    void previewShowsEveryPage();
    void groupComesFromItsSearch_data() { casosDaBusca(); }
    void groupComesFromItsSearch();
    void incompleteRequestsAreRefused_data();
    void incompleteRequestsAreRefused();
};

namespace {

const QString longa = QStringLiteral("Chave Elétrica de Fenda Isolada para Manutenção");

// Three products of one group: a bar code of digits, a long description with accents and a
// bar code of letters, no bar code at all; and one product of another group. Two entries of
// one document name the second and the first product.
void produtos(AplicacaoTeste& t)
{
    Cadastro::grupo(t.banco, "000001", "Ferramentas");
    Cadastro::grupo(t.banco, "000002", "Limpeza");
    Cadastro::produto(t.banco, {.codigo = QStringLiteral("        10"),
                                .descricao = QStringLiteral("Parafuso Sextavado"),
                                .codigoBarras = QStringLiteral("7891000000014")});
    Cadastro::produto(t.banco, {.codigo = QStringLiteral("        11"),
                                .descricao = longa,
                                .codigoBarras = QStringLiteral("CHV-ISO-1000")});
    Cadastro::produto(t.banco, {.codigo = QStringLiteral("        12"),
                                .descricao = QStringLiteral("Broca de Aço Rápido 8 mm")});
    Cadastro::produto(t.banco, {.codigo = QStringLiteral("        20"),
                                .descricao = QStringLiteral("Detergente"),
                                .grupo = QStringLiteral("000002"),
                                .codigoBarras = QStringLiteral("7891000000021")});
    Cadastro::movimento(t.banco, {.numero = 1,
                                  .produto = QStringLiteral("        11"),
                                  .operacao = QStringLiteral("EE"),
                                  .quantidade = 2,
                                  .data = QDate(2026, 3, 2),
                                  .documento = QStringLiteral("NF 4471")});
    Cadastro::movimento(t.banco, {.numero = 2,
                                  .produto = QStringLiteral("        10"),
                                  .operacao = QStringLiteral("EE"),
                                  .quantidade = 5,
                                  .data = QDate(2026, 3, 2),
                                  .documento = QStringLiteral("NF 4471")});
}

// What the reader decodes in the image: one text per bar code found.
QStringList decodifica(const QString& imagem)
{
    const Processo::Execucao e =
        Processo::roda(QStringLiteral("zbarimg"),
                       {QStringLiteral("-q"), QStringLiteral("--raw"), QStringLiteral("-Sdisable"),
                        QStringLiteral("-Scode128.enable"), imagem});
    // zbarimg answers 4 when the image has no bar code at all.
    if (e.status != 0 && e.status != 4)
        qWarning() << Processo::descreve(e);
    return e.saida.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The bar codes of every label position of every page, in order: empty where a position holds
// no label. Each label is cut out of the page image and read alone.
QStringList leEtiquetas(const QString& pdf, const DesenhoEtiquetas::Papel& papel, int paginas)
{
    const QString pasta = QFileInfo(pdf).absolutePath();
    const int dpi = 300;
    const Processo::Execucao e = Processo::roda(
        QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi),
                                     QStringLiteral("-png"), pdf, pasta + QStringLiteral("/pg")});
    if (e.status != 0)
        qWarning() << Processo::descreve(e);
    QStringList lidas;
    const double pxPorMm = dpi / 25.4;
    QStringList imagens =
        QDir(pasta).entryList({QStringLiteral("pg*.png")}, QDir::Files, QDir::Name);
    if (imagens.size() != paginas)
        return {QStringLiteral("%1 páginas").arg(imagens.size())};
    for (const QString& nome : std::as_const(imagens)) {
        const QImage pagina(pasta + QLatin1Char('/') + nome);
        // Each page is the paper itself, no larger.
        const QSize folha(qRound(papel.larguraMm * pxPorMm), qRound(papel.alturaMm * pxPorMm));
        if (qAbs(pagina.width() - folha.width()) > 2 || qAbs(pagina.height() - folha.height()) > 2)
            return {
                QStringLiteral("página de %1 x %2 px").arg(pagina.width()).arg(pagina.height())};
        for (int posicao = 0; posicao < papel.porPagina(); ++posicao) {
            const QRectF mm = papel.caixa(posicao);
            const QImage etiqueta = pagina.copy(QRectF(mm.x() * pxPorMm, mm.y() * pxPorMm,
                                                       mm.width() * pxPorMm, mm.height() * pxPorMm)
                                                    .toRect());
            const QString arquivo = pasta + QStringLiteral("/etiqueta.png");
            etiqueta.save(arquivo);
            lidas << decodifica(arquivo).join(QLatin1Char('|'));
        }
    }
    return lidas;
}

QStringList repete(const QStringList& cada, int vezes)
{
    QStringList r;
    for (const QString& c : cada)
        for (int i = 0; i < vezes; ++i)
            r << c;
    return r;
}

// Asks for the labels as a person does and saves them as PDF.
// With `pelaImpressora` "Imprime" sends them to the current printer, which writes to the file.
void salvaEtiquetas(TelaTeste& t, const QString& radio, const Campos& campos,
                    const QString& quantas, int papel, const QString& inicio, const QString& pdf,
                    bool pelaImpressora = false)
{
    QPrinter& impressora = Impressora::atual();
    if (pelaImpressora)
        impressora.setOutputFileName(pdf);
    else
        t.driver.respondeEscolha(pdf);
    t.abre("EtiquetasdeProdutos1", [&](QDialog* j) {
        marca(j, qPrintable(radio));
        for (const auto& [nome, valor] : campos)
            informa(j, qPrintable(nome), valor);
        digita(j, "edEtq_Quant", quantas);
        escolhe(j, "cbEtq_Papel",
                papel == 0 ? DesenhoEtiquetas::folhaA4().nome : DesenhoEtiquetas::rolo().nome);
        if (!inicio.isEmpty())
            digita(j, "edEtq_Inicio", inicio);
        clica(j, pelaImpressora ? "btnEtq_Imprime" : "btnEtq_Pdf");
        clica(j, "btnEtq_Fecha");
    });
    impressora.setOutputFileName(QString());
}

} // namespace

void TstEtiquetas::labelsScanBack_data()
{
    QTest::addColumn<QString>("radio");
    QTest::addColumn<Campos>("campos");
    QTest::addColumn<QString>("quantas");
    QTest::addColumn<int>("papel"); // 0: the A4 sheet, 1: the roll
    QTest::addColumn<QString>("inicio");
    QTest::addColumn<int>("paginas");
    QTest::addColumn<QStringList>("esperadas"); // the bar codes, position by position
    QTest::addColumn<bool>("pelaImpressora");   // "Imprime" rather than "Salva PDF"

    const QStringList tres = {"7891000000014", "CHV-ISO-1000", "12"};
    // 33 labels: a sheet and three of the next, whose other positions stay blank.
    caso("code range on A4, more than a sheet", QString("rbEtq_Faixa"),
         Campos{{"edEtq_CodIni", "10"}, {"edEtq_CodFim", "12"}}, QString("11"), 0, QString("1"), 2,
         repete(tres, 11) + repete({QString()}, 27), false);
    // By description; a sheet used up to its fifth label: the first four positions are left alone.
    caso("group on a used sheet", QString("rbEtq_Grupo"), Campos{{"edEtq_CodGru", "1"}},
         QString("2"), 0, QString("5"), 1,
         repete({QString()}, 4) + repete({"12", "CHV-ISO-1000", "7891000000014"}, 2) +
             repete({QString()}, 20),
         false);
    // Through the printer.
    caso("entry document on the roll", QString("rbEtq_Entrada"),
         Campos{{"edEtq_Documento", "NF 4471"}}, QString("1"), 1, QString(), 2,
         QStringList({"CHV-ISO-1000", "7891000000014"}), true);
}

void TstEtiquetas::labelsScanBack()
{
    QFETCH(QString, radio);
    QFETCH(Campos, campos);
    QFETCH(QString, quantas);
    QFETCH(int, papel);
    QFETCH(QString, inicio);
    QFETCH(int, paginas);
    QFETCH(QStringList, esperadas);
    QFETCH(bool, pelaImpressora);
    TelaTeste t;
    produtos(t);
    QTemporaryDir pasta;
    const QString pdf = pasta.filePath(QStringLiteral("etiquetas.pdf"));
    salvaEtiquetas(t, radio, campos, quantas, papel, inicio, pdf, pelaImpressora);
    QCOMPARE(t.driver.passosPendentes(), 0);
    QCOMPARE(t.driver.escolhasPendentes(), 0);
    QCOMPARE(t.msgs.textos(), QStringList());
    QVERIFY(QFileInfo::exists(pdf));
    const DesenhoEtiquetas::Papel folha =
        papel == 0 ? DesenhoEtiquetas::folhaA4() : DesenhoEtiquetas::rolo();
    QCOMPARE(leEtiquetas(pdf, folha, paginas), esperadas);
}

void TstEtiquetas::descriptionIsCutAtAWord()
{
    TelaTeste t;
    produtos(t);
    QTemporaryDir pasta;
    const QString pdf = pasta.filePath(QStringLiteral("etiquetas.pdf"));
    salvaEtiquetas(t, QStringLiteral("rbEtq_Faixa"),
                   {{"edEtq_CodIni", "11"}, {"edEtq_CodFim", "12"}}, QStringLiteral("1"), 1,
                   QString(), pdf);
    QCOMPARE(t.msgs.textos(), QStringList());
    // The roll: one label a page. The words of each label, top to bottom.
    QMap<int, QStringList> porPagina;
    for (const Pdf::Palavra& p : Pdf::palavras(pdf)) {
        QVERIFY2(QRectF(0, 0, 50, 25).contains(p.caixa), qPrintable(p.texto));
        porPagina[p.pagina] << p.texto;
    }
    QCOMPARE(porPagina.size(), 2);
    const QString primeira = porPagina[1].join(QLatin1Char(' '));
    // The long description loses whole words at its end, keeps its accents, and is followed
    // by the code and the bar code's text.
    QVERIFY2(primeira.endsWith(QStringLiteral(" Código: 11 CHV-ISO-1000")), qPrintable(primeira));
    const QString descricao =
        primeira.left(primeira.size() - QStringLiteral(" Código: 11 CHV-ISO-1000").size());
    QVERIFY2(longa.startsWith(descricao + QLatin1Char(' ')), qPrintable(descricao));
    QVERIFY(descricao.size() < longa.size());
    QVERIFY2(descricao.startsWith(QStringLiteral("Chave Elétrica de Fenda")),
             qPrintable(descricao));
    QCOMPARE(porPagina[2].join(QLatin1Char(' ')),
             QStringLiteral("Broca de Aço Rápido 8 mm Código: 12 12"));
}

// The preview shows the pages the printer would get: a sheet and the three labels past it.
void TstEtiquetas::previewShowsEveryPage()
{
    TelaTeste t;
    produtos(t);
    int paginas = -1;
    t.driver.aoAbrir([&](QDialog* j) {
        informa(j, "edEtq_CodIni", "10");
        informa(j, "edEtq_CodFim", "12");
        digita(j, "edEtq_Quant", "11");
        escolhe(j, "cbEtq_Papel", DesenhoEtiquetas::folhaA4().nome);
        clica(j, "btnEtq_Visualiza");
        clica(j, "btnEtq_Fecha");
    });
    t.driver.aoAbrir([&](QDialog* previa) {
        if (auto* folhas = previa->findChild<QPrintPreviewWidget*>())
            paginas = folhas->pageCount();
        previa->reject();
    });
    t.principal().aciona("EtiquetasdeProdutos1");
    QCOMPARE(t.driver.passosPendentes(), 0);
    QCOMPARE(t.msgs.textos(), QStringList());
    QCOMPARE(paginas, 2);
}

// F5 in the group, or its "...", opens the group search; the group chosen comes back, named.
void TstEtiquetas::groupComesFromItsSearch()
{
    QFETCH(bool, porF5);
    TelaTeste t;
    produtos(t);
    t.driver.aoAbrir([&](QDialog* j) {
        marca(j, "rbEtq_Grupo");
        abreBusca(j, "edEtq_CodGru", "btnEtq_BuscaGru", porF5);
        QCOMPARE(texto(j, "edEtq_CodGru"), QString("000002"));
        tab(j, "edEtq_CodGru");
        QCOMPARE(texto(j, "edEtq_DescGru"), QString("Limpeza"));
        clica(j, "btnEtq_Fecha");
    });
    t.driver.aoAbrir([&](QDialog* busca) {
        escolheNaBusca(busca, t.app.dmGrupos().cds_Grupos, "GRU_Codigo", "000002");
    });
    t.principal().aciona("EtiquetasdeProdutos1");
    QCOMPARE(t.driver.abertas(), QStringList({"TfEtiquetas", "TfBusca_Grupos"}));
    QCOMPARE(t.msgs.textos(), QStringList());
}

void TstEtiquetas::incompleteRequestsAreRefused_data()
{
    QTest::addColumn<QString>("radio");
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("valor");
    QTest::addColumn<QString>("quantas");
    QTest::addColumn<QString>("inicio");
    QTest::addColumn<QString>("mensagem");
    QTest::addColumn<QString>("foco");
    caso("no group", QString("rbEtq_Grupo"), QString("edEtq_CodGru"), QString(), QString("1"),
         QString("1"), QString("Informe o Grupo !"), QString("edEtq_CodGru"));
    caso("no document", QString("rbEtq_Entrada"), QString("edEtq_Documento"), QString(),
         QString("1"), QString("1"), QString("Informe o Documento de Entrada !"),
         QString("edEtq_Documento"));
    caso("a document with no entry", QString("rbEtq_Entrada"), QString("edEtq_Documento"),
         QString("NF 9"), QString("1"), QString("1"), QString("Nenhum Produto Encontrado !"),
         QString("btnEtq_Pdf"));
    caso("a range with no product", QString("rbEtq_Faixa"), QString("edEtq_CodIni"), QString("90"),
         QString("1"), QString("1"), QString("Nenhum Produto Encontrado !"), QString("btnEtq_Pdf"));
    caso("no labels of each", QString("rbEtq_Faixa"), QString("edEtq_CodIni"), QString("10"),
         QString("0"), QString("1"), QString("Informe a Quantidade de Etiquetas !"),
         QString("edEtq_Quant"));
    caso("a position off the sheet", QString("rbEtq_Faixa"), QString("edEtq_CodIni"), QString("10"),
         QString("1"), QString("31"), QString("A etiqueta inicial deve estar entre 1 e 30 !"),
         QString("edEtq_Inicio"));
}

void TstEtiquetas::incompleteRequestsAreRefused()
{
    QFETCH(QString, radio);
    QFETCH(QString, campo);
    QFETCH(QString, valor);
    QFETCH(QString, quantas);
    QFETCH(QString, inicio);
    QFETCH(QString, mensagem);
    QFETCH(QString, foco);
    TelaTeste t;
    produtos(t);
    t.abre("EtiquetasdeProdutos1", [&](QDialog* j) {
        marca(j, qPrintable(radio));
        digita(j, qPrintable(campo), valor);
        digita(j, "edEtq_Quant", quantas);
        digita(j, "edEtq_Inicio", inicio);
        clica(j, "btnEtq_Pdf");
        QCOMPARE(t.msgs.textos(), QStringList({mensagem}));
        QTRY_VERIFY(focado(j, qPrintable(foco)));
        clica(j, "btnEtq_Fecha");
    });
    // No file was asked for: nothing to write.
    QCOMPARE(t.driver.passosPendentes(), 0);
}

QTEST_MAIN(TstEtiquetas)
#include "tst_etiquetas.moc"
