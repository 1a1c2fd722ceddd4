#include "common/Formulario.h"
#include "data/DataSet.h"

#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>

using namespace Formulario;

namespace {

// The caption the grid holds at a row and column; null when there is none.
QLabel* rotuloEm(QGridLayout* grade, int linha, int coluna)
{
    QLayoutItem* item = grade->itemAtPosition(linha, coluna);
    return item ? qobject_cast<QLabel*>(item->widget()) : nullptr;
}

struct Posicao {
    int linha, coluna, colunas;
};

Posicao posicaoDe(QGridLayout* grade, QLayoutItem* item)
{
    int linha = -1, coluna = -1, linhas = 0, colunas = 0;
    grade->getItemPosition(grade->indexOf(item), &linha, &coluna, &linhas, &colunas);
    return {linha, coluna, colunas};
}

} // namespace

class TstFormulario : public QObject {
    Q_OBJECT

private slots:
    void quadroAoLado();
    void quadroAcima();
    void botoesDevolvemOsBotoes();
    void colunas_data();
    void colunas();
};

// Each caption stands just before what it names, which takes the columns it asks for; a place
// without a caption takes the caption's column; a long text's caption stands at its top.
void TstFormulario::quadroAoLado()
{
    QDialog janela;
    QLineEdit* codigo = campo(&janela, "edCodigo");
    QLineEdit* descricao = campoLeitura(&janela, "edDescricao");
    QPushButton* busca = botao(&janela, "btnBusca", QStringLiteral("..."));
    QPlainTextEdit* obs = memo(&janela, "edObs");
    QLineEdit* nome = campo(&janela, "edNome");
    QHBoxLayout* juntos = lado({descricao, busca}, 0);

    Quadro quadro(&janela);
    quadro.linha({{QStringLiteral("Código:"), codigo}, {QStringLiteral("Descrição:"), juntos, 3}});
    quadro.linha({{QStringLiteral("Observações:"), obs, 4}});
    quadro.linha({{nome, 2}});
    QGridLayout* g = quadro.grade();

    QCOMPARE(rotuloEm(g, 0, 0)->text(), QStringLiteral("Código:"));
    QCOMPARE(rotuloEm(g, 0, 0)->buddy(), codigo);
    QCOMPARE(g->itemAtPosition(0, 1)->widget(), codigo);
    QCOMPARE(rotuloEm(g, 0, 2)->text(), QStringLiteral("Descrição:"));
    const Posicao p = posicaoDe(g, juntos);
    QCOMPARE(p.linha, 0);
    QCOMPARE(p.coluna, 3);
    QCOMPARE(p.colunas, 3);
    QCOMPARE(juntos->stretch(0), 1);
    QCOMPARE(juntos->stretch(1), 0);

    QLabel* rotuloObs = rotuloEm(g, 1, 0);
    QCOMPARE(rotuloObs->buddy(), obs);
    QCOMPARE(g->itemAt(g->indexOf(rotuloObs))->alignment(), Qt::AlignTop);
    QCOMPARE(posicaoDe(g, g->itemAtPosition(1, 1)).colunas, 4);

    QCOMPARE(g->itemAtPosition(2, 0)->widget(), nome);
    QCOMPARE(posicaoDe(g, g->itemAtPosition(2, 0)).colunas, 2);
    QCOMPARE(g->rowCount(), 3);

    // A form filled from a table puts each place where it is told and goes on after it.
    QLineEdit* extra = campo(&janela, "edExtra");
    QCOMPARE(quadro.poe(5, 2, {QStringLiteral("Extra:"), extra}), 4);
    QCOMPARE(g->itemAtPosition(5, 3)->widget(), extra);
    QCOMPARE(rotuloEm(g, 5, 2)->buddy(), extra);
    QLineEdit* depois = campo(&janela, "edDepois");
    quadro.linha({{depois}});
    QCOMPARE(g->itemAtPosition(6, 0)->widget(), depois);
}

// With captions above, each place is its caption over its field, in one cell of the grid.
void TstFormulario::quadroAcima()
{
    QDialog janela;
    QLineEdit* codigo = campo(&janela, "edCodigo");
    QLineEdit* descricao = campo(&janela, "edDescricao");
    Quadro quadro(&janela, Quadro::Rotulos::Acima);
    quadro.linha({{QStringLiteral("Código"), codigo}, {QStringLiteral("Descrição"), descricao, 2}});
    quadro.instala();
    QCOMPARE(janela.layout(), quadro.grade());

    QGridLayout* g = quadro.grade();
    auto* celula = qobject_cast<QVBoxLayout*>(g->itemAtPosition(0, 1)->layout());
    QVERIFY(celula);
    QCOMPARE(qobject_cast<QLabel*>(celula->itemAt(0)->widget())->text(),
             QStringLiteral("Descrição"));
    QCOMPARE(celula->itemAt(1)->widget(), descricao);
    QCOMPARE(posicaoDe(g, celula).colunas, 2);
}

// The row hands back the buttons it made, in order, each named, captioned and doing its work,
// with the room between the left-hand and the right-hand ones.
void TstFormulario::botoesDevolvemOsBotoes()
{
    QDialog janela;
    QStringList feitos;
    const Botoes b =
        botoes(&janela, {{"btnGrava", QStringLiteral("Grava"), [&] { feitos << "grava"; }}},
               {{"btnFecha", QStringLiteral("Fechar"), [&] { feitos << "fecha"; }}});
    auto* layout = new QVBoxLayout(&janela);
    layout->addLayout(b);

    QCOMPARE(b.lista.size(), 2);
    QCOMPARE(b[0]->objectName(), QStringLiteral("btnGrava"));
    QCOMPARE(b[1]->text(), QStringLiteral("Fechar"));
    QVERIFY(!b[0]->autoDefault());
    QCOMPARE(b.fileira->itemAt(0)->widget(), b[0]);
    QVERIFY(b.fileira->itemAt(1)->spacerItem());
    QCOMPARE(b.fileira->itemAt(2)->widget(), b[1]);
    QTest::mouseClick(b[1], Qt::LeftButton);
    QTest::mouseClick(b[0], Qt::LeftButton);
    QCOMPARE(feitos, QStringList({"fecha", "grava"}));
}

void TstFormulario::colunas_data()
{
    QTest::addColumn<bool>("daLista");
    QTest::newRow("colunas da janela") << false;
    QTest::newRow("colunas do módulo") << true;
}

// A column is wide enough for its caption, for a date or an amount as the list writes them,
// and for the characters a text column is said to hold: nothing a person needs is cut.
void TstFormulario::colunas()
{
    QFETCH(bool, daLista);
    DataSet dados;
    dados.setFormato(QStringLiteral("DATA"), DataSet::Formato::Data);
    dados.setFormato(QStringLiteral("VALOR"), DataSet::Formato::Moeda);
    const QString tituloLongo = QStringLiteral("Data Prevista para Devolução");
    QTableView grade;
    if (daLista) {
        dados.setColunas({{QStringLiteral("NOME"), QStringLiteral("Nome")},
                          {QStringLiteral("DATA"), tituloLongo},
                          {QStringLiteral("VALOR"), QStringLiteral("Valor")}});
        colunasDaLista(&grade, dados, {30});
    } else {
        Formulario::colunas(&grade, dados,
                            {{"NOME", QStringLiteral("Nome"), 30},
                             {"DATA", tituloLongo},
                             {"VALOR", QStringLiteral("Valor")}});
    }
    QCOMPARE(grade.model()->columnCount(), 3);
    QCOMPARE(grade.model()->headerData(1, Qt::Horizontal).toString(), tituloLongo);

    const QHeaderView* cabecalho = grade.horizontalHeader();
    const QFontMetrics letras = grade.fontMetrics();
    QVERIFY(cabecalho->sectionSize(0) >= 30 * letras.averageCharWidth());
    QVERIFY(cabecalho->sectionSize(1) > cabecalho->fontMetrics().horizontalAdvance(tituloLongo));
    // Drawn as the header draws its captions (in bold, on some styles), the caption still fits.
    QVERIFY(cabecalho->sectionSize(1) >= cabecalho->sectionSizeHint(1));
    QVERIFY(cabecalho->sectionSize(2) >
            letras.horizontalAdvance(DataSet::formata(12345.67, DataSet::Formato::Moeda)));
    QVERIFY(cabecalho->sectionSize(2) > letras.horizontalAdvance(DataSet::formata(
                                            QDate(2004, 10, 10), DataSet::Formato::Data)));
}

QTEST_MAIN(TstFormulario)
#include "tst_formulario.moc"
