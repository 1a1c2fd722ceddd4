// The list of the return window as a person reads it: the loans on plain rows, and a product
// filter that keeps its code and description together when a bar code is turned down.

#include "common/Convencoes.h"
#include "data/DataModule_MovConsu.h"
#include "support/AplicacaoTeste.h"
#include "support/Cadastro.h"

#include <QAbstractItemView>
#include <QDialog>
#include <QLineEdit>
#include <QTableView>
#include <QtTest>

using namespace Tela;

class TstDevolucaoLista : public QObject {
    Q_OBJECT

private slots:
    void loansAreNotStriped();
    void refusedBarCodeKeepsTheProductChosen_data();
    void refusedBarCodeKeepsTheProductChosen();
};

namespace {

using Cadastro::furadeira;

// A consumable screw and two lent-out tools; the drill is out twice, the saw once.
void ferramentasEmprestadas(AplicacaoTeste& t)
{
    Cadastro::grupo(t.banco, "000001", "Geral");
    Cadastro::produto(t.banco, {.codigo = QStringLiteral("        12"),
                                .descricao = "Parafuso",
                                .codigoBarras = "7891000000012"});
    Cadastro::produto(t.banco, {.codigo = furadeira,
                                .descricao = "Furadeira",
                                .consumivel = "N",
                                .unidade = "PC",
                                .codigoBarras = "7891000000013"});
    Cadastro::produto(t.banco, {.codigo = QStringLiteral("        14"),
                                .descricao = "Serra",
                                .consumivel = "N",
                                .unidade = "UN",
                                .codigoBarras = "7891000000014"});
    Cadastro::requisitante(t.banco, "000003", QStringLiteral("Manutenção"));
    int n = 0;
    for (const char* produto : {"        13", "        14", "        13"})
        Cadastro::insere(t.banco, "Mov_Consu",
                         {{"MOV_CodInt", ++n},
                          {"MOV_CodPro", produto},
                          {"MOV_Tipo", "000003"},
                          {"MOV_Quant", 1},
                          {"MOV_Data", QDate(2004, 10, 1)},
                          {"MOV_DataD", QDate(2004, 10, 8)},
                          {"MOV_Devolvido", "N"}});
}

QStringList produtosListados(AplicacaoTeste& t)
{
    QStringList r = colunaDaLista(t.app.dmMovConsu().cdsMovConsu, "MOV_CODPRO");
    r.sort();
    return r;
}

} // namespace

void TstDevolucaoLista::loansAreNotStriped()
{
    TelaTeste t;
    ferramentasEmprestadas(t);
    t.abre("DevoluodenoConsumveis1", [&](QDialog* j) {
        clica(j, "btnBusca");
        auto* grade = acha<QTableView>(j, "dbgDev");
        QCOMPARE(grade->model()->rowCount(), 3);
        QCOMPARE(grade->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(grade->selectionBehavior(), QAbstractItemView::SelectRows);
        // Every row not selected has the same light yellow, the second as the first and third
        // (read in the return date, empty on an open loan).
        const QImage imagem = grade->viewport()->grab().toImage();
        for (int linha = 0; linha < 3; ++linha) {
            if (grade->selectionModel()->isRowSelected(linha))
                continue;
            const QRect celula = grade->visualRect(grade->model()->index(linha, 6));
            QCOMPARE(imagem.pixelColor(celula.center()), Convencoes::corFoco());
        }
        QVERIFY(!grade->selectionModel()->isRowSelected(1));
        clica(j, "brnFechar");
    });
}

void TstDevolucaoLista::refusedBarCodeKeepsTheProductChosen_data()
{
    QTest::addColumn<QString>("codigoBarras");
    QTest::addColumn<QString>("mensagem");
    caso("consumable", "7891000000012",
         QStringLiteral("Este produto é um Produto Consumível não tem Devolução"));
    caso("unknown", "000", QStringLiteral("Produto não Encontrado"));
}

void TstDevolucaoLista::refusedBarCodeKeepsTheProductChosen()
{
    QFETCH(QString, codigoBarras);
    QFETCH(QString, mensagem);
    TelaTeste t;
    ferramentasEmprestadas(t);
    t.abre("DevoluodenoConsumveis1", [&](QDialog* j) {
        informa(j, "edCodPro", "13");
        const QStringList escolhido = {furadeira, "Furadeira", "PC"};
        QCOMPARE(textos(j, {"edCodPro", "edDescPro", "edUnid"}), escolhido);
        informa(j, "edCodBar", codigoBarras);
        QCOMPARE(t.msgs.textos(), QStringList({mensagem}));
        QCOMPARE(t.msgs.mensagens()[0].tipo, TipoMensagem::Erro);
        // Only the bar code goes; the product chosen stays whole, and the list follows it.
        QVERIFY(texto(j, "edCodBar").isEmpty());
        QTRY_VERIFY(focado(j, "edCodBar"));
        QCOMPARE(textos(j, {"edCodPro", "edDescPro", "edUnid"}), escolhido);
        clica(j, "btnBusca");
        QCOMPARE(produtosListados(t), QStringList({furadeira, furadeira}));
        clica(j, "brnFechar");
    });
    QCOMPARE(t.msgs.quantidade(), 1);
}

QTEST_MAIN(TstDevolucaoLista)
#include "tst_devolucao_lista.moc"
