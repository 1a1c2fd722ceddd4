// The write-off of lent-out items: look-ups that turn consumables away, the stock check when
// the quantity is left and again, under the lock, when the save runs, and a save that lowers
// the stock at its average cost.

#include "data/DataModule_Produtos.h"
#include "registers/Busca_Produtos.h"
#include "support/AplicacaoTeste.h"
#include "support/Cadastro.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace Tela;

class TstExtravio : public QObject {
    Q_OBJECT

private slots:
    void openingState();
    void writesOffAtTheAverageCost();
    void lookups_data();
    void lookups();
    void stockCheckWhenTheQuantityIsLeft();
    void saveRefusals_data();
    void saveRefusals();
    void failedSaveKeepsTheWindow();
    void searchFromBothFields_data();
    void searchFromBothFields();
};

namespace {

using Cadastro::furadeira;
using Cadastro::parafuso;
const QString naoConsumiveis =
    QStringLiteral("Este módulo é Somente para Produtos Não Consumíveis");
const QString naoCadastrado = QStringLiteral("Produto não Cadastrado");
const char* const camposProduto[] = {"edCodPro", "edDescPro", "edCodBar",
                                     "edUnid",   "edValor",   "edQuantAtual"};

// A screw (consumable) and a drill (lent out, 3 on hand at 120,00), one of them on loan.
void furadeiraEmprestada(AplicacaoTeste& t)
{
    Cadastro::grupo(t.banco, "000001", "Geral");
    Cadastro::produto(t.banco, {.codigo = parafuso,
                                .descricao = "Parafuso",
                                .quantidade = "20",
                                .codigoBarras = "7891000000012"});
    Cadastro::produto(t.banco, {.codigo = furadeira,
                                .descricao = "Furadeira",
                                .quantidade = "3",
                                .valor = "120",
                                .consumivel = "N",
                                .unidade = "PC",
                                .codigoBarras = "7891000000013"});
    Cadastro::insere(t.banco, "Mov_Consu",
                     {{"MOV_CodInt", 1},
                      {"MOV_CodPro", furadeira},
                      {"MOV_Tipo", "000003"},
                      {"MOV_Quant", 1},
                      {"MOV_Devolvido", "N"}});
}

void extravio(TelaTeste& t, DriverModal::Passos passos)
{
    t.abre("ExtravioSadaDefinitivadenoConsumveis1", std::move(passos));
}

Decimal numero(AplicacaoTeste& t, const char* coluna, const QString& produto)
{
    return t.banco
        .valor(QStringLiteral("Select %1 From Produtos Where PRO_Codigo = :C").arg(coluna),
               {{"C", produto}})
        .value<Decimal>();
}

QString mensagemEstoque(const char* pedida, const char* existente)
{
    return QStringLiteral("Não é possível Retirar do Estoque:%1 pois existe em estoque apenas:%2")
        .arg(pedida, existente);
}

// A product typed into one of the product fields: what is then said, and where the focus goes.
struct Busca {
    const char* campo;
    QString digitado;
    QString mensagem; // empty: found
    const char* foco;
};

// A refused save: what was looked up and typed, what another workstation did meanwhile, and
// what the window then says and shows.
struct RecusaAoGravar {
    QString codigo; // empty: none looked up
    QString quant;
    QString antesDeGravar; // a statement on the drill; empty: nothing
    QString mensagem;
    const char* foco;
    QString quantDepois;
};

} // namespace

Q_DECLARE_METATYPE(Busca)
Q_DECLARE_METATYPE(RecusaAoGravar)

void TstExtravio::openingState()
{
    TelaTeste t;
    furadeiraEmprestada(t);
    extravio(t, [&](QDialog* j) {
        QCOMPARE(j->windowTitle(), QStringLiteral("Extravio/Saída Definitiva de não Consumíveis"));
        QCOMPARE(acha<QLabel>(j, "Label1")->text(),
                 QStringLiteral("Extravio/Saída Definitiva de Não Consumíveis"));
        QCOMPARE(textos(j, {"edCodPro", "edDescPro", "edCodBar", "edUnid", "edValor",
                            "edQuantAtual", "edQuant", "edDoc"}),
                 QStringList({"", "", "", "", "R$ 0,00", "0,000", "0,000", ""}));
        QCOMPARE(acha<QDateEdit>(j, "dtpData")->date(), QDate::currentDate());
        // Enter walks past what only shows the product.
        QStringList ordem;
        for (int i = 0; i < 8; ++i) {
            QWidget* w = focado();
            ordem << w->objectName();
            QTest::keyClick(w, qobject_cast<QPushButton*>(w) ? Qt::Key_Tab : Qt::Key_Return);
        }
        QCOMPARE(ordem, QStringList({"edCodPro", "btnBuscaProdutos", "edCodBar", "edQuant",
                                     "dtpData", "edDoc", "btnGrava", "btnSair"}));
        clica(j, "btnSair");
    });
    QCOMPARE(t.msgs.quantidade(), 0);
}

void TstExtravio::writesOffAtTheAverageCost()
{
    TelaTeste t;
    furadeiraEmprestada(t);
    t.comAuditoria("000002");
    extravio(t, [&](QDialog* j) {
        informa(j, "edCodPro", "13");
        QCOMPARE(
            textos(j, {"edCodPro", "edDescPro", "edCodBar", "edUnid", "edValor", "edQuantAtual"}),
            QStringList({furadeira, "Furadeira", "7891000000013", "PC", "R$ 120,00", "3,000"}));
        QVERIFY(focado(j, "edCodBar"));
        informa(j, "edQuant", "1");
        QCOMPARE(texto(j, "edQuant"), QString("1,000"));
        acha<QDateEdit>(j, "dtpData")->setDate(QDate(2004, 10, 10));
        digita(j, "edDoc", "BO 7");
        clica(j, "btnGrava");
        QVERIFY(!j->isVisible());
    });
    QCOMPARE(t.msgs.quantidade(), 0);
    const Resultado mov = Cadastro::movimentos(t.banco);
    QCOMPARE(mov.tamanho(), 1);
    QCOMPARE(mov.valor(0, "MOV_CodPro").toString(), furadeira);
    QCOMPARE(mov.valor(0, "MOV_Oper").toString(), QString("SS"));
    QCOMPARE(mov.valor(0, "MOV_Data").toDate(), QDate(2004, 10, 10));
    QCOMPARE(mov.valor(0, "MOV_Quant").value<Decimal>(), Decimal(1, 0));
    QCOMPARE(mov.valor(0, "MOV_Valor").value<Decimal>(), Decimal(120, 0));
    QCOMPARE(mov.valor(0, "MOV_Doc").toString().trimmed(), QString("BO 7"));
    QVERIFY(mov.valor(0, "MOV_Tipo").isNull());
    QVERIFY(mov.valor(0, "MOV_CodFor").isNull());
    QCOMPARE(numero(t, "PRO_Quant", furadeira), Decimal(2, 0));
    QCOMPARE(numero(t, "PRO_Valor", furadeira), Decimal(120, 0));
    QCOMPARE(t.banco.valor("Select MOV_Devolvido From Mov_Consu").toString(), QString("N"));
    QCOMPARE(t.banco.conta("Mov_Consu"), 1);
    QCOMPARE(Cadastro::linhasLog(t.banco),
             QStringList({QStringLiteral("000002|Extravio/Saída Definitiva:") + furadeira}));

    // The next opening starts afresh.
    extravio(t, [&](QDialog* j) {
        QCOMPARE(textos(j, {"edCodPro", "edQuant", "edDoc"}), QStringList({"", "0,000", ""}));
        clica(j, "btnSair");
    });
}

void TstExtravio::lookups_data()
{
    QTest::addColumn<Busca>("b");
    caso("by code", Busca{"edCodPro", "13", "", "edCodBar"});
    caso("by bar code", Busca{"edCodBar", "7891000000013", "", "edQuant"});
    caso("consumable by code", Busca{"edCodPro", "12", naoConsumiveis, "edCodPro"});
    caso("consumable by bar code", Busca{"edCodBar", "7891000000012", naoConsumiveis, "edCodBar"});
    caso("unknown code", Busca{"edCodPro", "99", naoCadastrado, "edCodPro"});
    caso("unknown bar code", Busca{"edCodBar", "1", naoCadastrado, "edCodBar"});
}

void TstExtravio::lookups()
{
    QFETCH(Busca, b);
    TelaTeste t;
    furadeiraEmprestada(t);
    extravio(t, [&](QDialog* j) {
        // The drill on screen first: a refused product takes it all away.
        if (!b.mensagem.isEmpty())
            informa(j, "edCodBar", "7891000000013");
        informa(j, b.campo, b.digitado);
        QCOMPARE(t.msgs.textos(), b.mensagem.isEmpty() ? QStringList() : QStringList({b.mensagem}));
        if (b.mensagem.isEmpty()) {
            QCOMPARE(texto(j, "edCodPro"), furadeira);
            QCOMPARE(texto(j, "edQuantAtual"), QString("3,000"));
        } else {
            QCOMPARE(t.msgs.mensagens()[0].tipo, TipoMensagem::Erro);
            QStringList vazios;
            for (const char* c : camposProduto)
                vazios << texto(j, c);
            QCOMPARE(vazios, QStringList({"", "", "", "", "R$ 0,00", "0,000"}));
        }
        QTRY_VERIFY(focado(j, b.foco));
        clica(j, "btnSair");
    });
}

void TstExtravio::stockCheckWhenTheQuantityIsLeft()
{
    TelaTeste t;
    furadeiraEmprestada(t);
    extravio(t, [&](QDialog* j) {
        informa(j, "edCodPro", "13");
        // The stored quantity decides, not the one shown.
        t.banco.executa("Update Produtos set PRO_Quant = 2 Where PRO_Codigo = :C",
                        {{"C", furadeira}});
        informa(j, "edQuant", "5");
        QCOMPARE(t.msgs.textos(), QStringList({mensagemEstoque("5,000", "2,000")}));
        QCOMPARE(t.msgs.mensagens()[0].tipo, TipoMensagem::Erro);
        QCOMPARE(texto(j, "edQuant"), QString("2,000"));
        QTRY_VERIFY(focado(j, "edQuant"));
        t.msgs.limpa();
        informa(j, "edQuant", "2");
        QCOMPARE(t.msgs.quantidade(), 0);
        clica(j, "btnSair");
    });
    QCOMPARE(t.banco.conta("Mov_Estq"), 0);
}

void TstExtravio::saveRefusals_data()
{
    QTest::addColumn<RecusaAoGravar>("r");
    caso("no product",
         RecusaAoGravar{"", "1", "", "O Campo do Código do Produto precisa ser preenchido",
                        "edCodPro", "1,000"});
    caso("no quantity", RecusaAoGravar{"13", "0", "", "O Campo Quantidade Precisa ser Preenchido",
                                       "edQuant", "0,000"});
    caso("stock issued elsewhere",
         RecusaAoGravar{"13", "3", "Update Produtos set PRO_Quant = 1.5",
                        mensagemEstoque("3,000", "1,500"), "edQuant", "1,500"});
    caso("made a consumable elsewhere",
         RecusaAoGravar{"13", "1", "Update Produtos set PRO_Consumivel = 'S'", naoConsumiveis,
                        "edCodPro", "1,000"});
    caso("deleted elsewhere",
         RecusaAoGravar{"13", "1", "Delete From Produtos", naoCadastrado, "edCodPro", "1,000"});
}

void TstExtravio::saveRefusals()
{
    QFETCH(RecusaAoGravar, r);
    TelaTeste t;
    furadeiraEmprestada(t);
    extravio(t, [&](QDialog* j) {
        if (!r.codigo.isEmpty())
            informa(j, "edCodPro", r.codigo);
        informa(j, "edQuant", r.quant);
        if (!r.antesDeGravar.isEmpty())
            t.banco.executa(r.antesDeGravar + " Where PRO_Codigo = :C", {{"C", furadeira}});
        clica(j, "btnGrava");
        QCOMPARE(t.msgs.textos(), QStringList({r.mensagem}));
        QCOMPARE(t.msgs.mensagens()[0].tipo, TipoMensagem::Erro);
        QVERIFY(j->isVisible());
        QCOMPARE(texto(j, "edQuant"), r.quantDepois);
        QTRY_VERIFY(focado(j, r.foco));
        clica(j, "btnSair");
    });
    QCOMPARE(t.banco.conta("Mov_Estq"), 0);
}

void TstExtravio::failedSaveKeepsTheWindow()
{
    TelaTeste t;
    furadeiraEmprestada(t);
    t.comAuditoria("000002");
    t.banco.recusa("Produtos", "UPDATE", "razao travada");
    extravio(t, [&](QDialog* j) {
        informa(j, "edCodPro", "13");
        informa(j, "edQuant", "1");
        digita(j, "edDoc", "BO 8");
        clica(j, "btnGrava");
        QCOMPARE(t.msgs.textos(),
                 QStringList({QStringLiteral("Não consegui Gravar, Tente novamente !")}));
        QCOMPARE(t.msgs.mensagens()[0].tipo, TipoMensagem::Aviso);
        QVERIFY(j->isVisible());
        QCOMPARE(textos(j, {"edCodPro", "edQuant", "edDoc"}),
                 QStringList({furadeira, "1,000", "BO 8"}));
        clica(j, "btnSair");
    });
    QCOMPARE(t.banco.conta("Mov_Estq"), 0);
    QCOMPARE(t.banco.conta("Log"), 0);
    QCOMPARE(numero(t, "PRO_Quant", furadeira), Decimal(3, 0));
}

void TstExtravio::searchFromBothFields_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<bool>("porF5");
    caso("F5 in the code", "edCodPro", true);
    caso("F5 in the bar code", "edCodBar", true);
    caso("the button", "edCodPro", false);
}

void TstExtravio::searchFromBothFields()
{
    QFETCH(QString, nome);
    QFETCH(bool, porF5);
    TelaTeste t;
    furadeiraEmprestada(t);
    t.driver.aoAbrir([&](QDialog* j) {
        abreBusca(j, qPrintable(nome), "btnBuscaProdutos", porF5);
        QCOMPARE(t.app.janela<TfBusca_Produtos>().Origem, QStringLiteral("Extravio"));
        QCOMPARE(texto(j, "edCodPro"), furadeira);
        QTRY_VERIFY(focado(j, "edCodPro"));
        tab(j, "edCodPro");
        QCOMPARE(texto(j, "edDescPro"), QString("Furadeira"));
        clica(j, "btnSair");
    });
    t.driver.aoAbrir([&](QDialog* busca) {
        escolheNaBusca(busca, t.app.dmProdutos().cds_Produtos, "PRO_CODIGO", furadeira);
    });
    t.principal().aciona("ExtravioSadaDefinitivadenoConsumveis1");
    QCOMPARE(t.driver.abertas(), QStringList({"TfExtravio", "TfBusca_Produtos"}));
    QCOMPARE(t.msgs.quantidade(), 0);
}

QTEST_MAIN(TstExtravio)
#include "tst_extravio.moc"
