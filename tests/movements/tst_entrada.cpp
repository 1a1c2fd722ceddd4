// The stock-entry window: finding the product and the supplier, what a save writes to the
// ledger and the product, what stops it, and the window emptying itself for the next delivery.

#include "app/Principal.h"
#include "common/Decimal.h"
#include "common/Funcoes.h"
#include "data/DataModule_Fornecedor.h"
#include "data/DataModule_Produtos.h"
#include "movements/Entrada_Estq.h"
#include "registers/Busca_Fornecedor.h"
#include "registers/Busca_Produtos.h"
#include "support/AplicacaoTeste.h"
#include "support/Cadastro.h"
#include "support/DriverModal.h"
#include "support/GravadorMensagens.h"
#include "support/Numeros.h"
#include "support/Tela.h"
#include "support/Textos.h"

#include <QDateEdit>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using namespace Tela;
using Textos::produtoNaoEncontrado;

class TstEntrada : public QObject {
    Q_OBJECT

private slots:
    void workedExampleThroughTheWindow();
    void productLookup_data();
    void productLookup();
    void supplierLookup_data();
    void supplierLookup();
    void saveStoppedWritesNothing_data();
    void saveStoppedWritesNothing();
    void auditLine_data();
    void auditLine();
    void searchWindowsHandTheCodeBack();
    void everyOpeningStartsAfresh();
};

namespace {

using Cadastro::parafuso;
const QString negativo = QStringLiteral("        30");
const QString fornecedorNaoCadastrado = QStringLiteral("Fornecedor não Cadastrado");
const QString quantidadeZero = QStringLiteral("Quantidade deve ser maior que 0");
const QString falhaGravacao = QStringLiteral("Não Consegui Gravar, tente novamente !");

// A screw with everything an entry rewrites, a washer whose stock is below zero, and a
// supplier.
void cadastra(AplicacaoTeste& t)
{
    Cadastro::grupo(t.banco, "000001", QStringLiteral("Fixação"));
    Cadastro::produto(t.banco, {.codigo = parafuso,
                                .descricao = "Parafuso",
                                .quantidade = "10",
                                .valor = "5",
                                .unidade = "UN",
                                .codigoBarras = "7891000100"});
    t.banco.executa("Update Produtos set PRO_Local = 'A-01', PRO_Min = 2, PRO_EMax = 1500, "
                    "PRO_CodFor = '0000000009', PRO_OBS = 'caixa com 100', PRO_Refer = 'REF-1' "
                    "Where PRO_Codigo = :C",
                    {{"C", parafuso}});
    Cadastro::produto(
        t.banco, {.codigo = negativo, .descricao = "Arruela", .quantidade = "-10", .valor = "4"});
    Cadastro::fornecedor(t.banco, "0000000015", "Ferragens Silva Ltda");
}

void abreEntrada(TelaTeste& t, DriverModal::Passos passos)
{
    t.abre("EntradanoEstoque1", std::move(passos));
}

// A product found by code, ready to be entered.
void achaParafuso(QWidget* janela)
{
    digita(janela, "edENT_CodPRO", "12");
    tab(janela, "edENT_CodPRO");
}

// The window as a fresh delivery finds it.
void confereVazia(QWidget* janela)
{
    for (const char* nome : {"edENT_CodPRO", "edEnt_DescPro", "edENT_CodBar", "edENT_Unid",
                             "edEnt_Documento", "edENT_Local", "edENT_CodFor", "edENT_RazaoFor"})
        QVERIFY2(texto(janela, nome).isEmpty(), nome);
    QCOMPARE(textos(janela, {"edEnt_QuantAtual", "edEnt_Quant", "edEnt_Valor", "edENT_Min",
                             "edENT_Max", "edEnt_Refer", "edENT_Obs"}),
             QStringList({"0,000", "0,000", "R$ 0,00", "0", "0", "0", ""}));
    QCOMPARE(acha<QDateEdit>(janela, "dtpEnt_Data")->date(), QDate::currentDate());
    QVERIFY(!botao(janela, "btnEntrada_Grava")->isEnabled());
    QVERIFY(focado(janela, "edENT_CodPRO"));
}

Resultado linhaDoProduto(AplicacaoTeste& t, const QString& codigo)
{
    return t.banco.consulta("Select * From Produtos Where PRO_Codigo = :C", {{"C", codigo}});
}

} // namespace

void TstEntrada::workedExampleThroughTheWindow()
{
    TelaTeste t;
    cadastra(t);
    abreEntrada(t, [&](QDialog* janela) {
        QCOMPARE(janela->windowTitle(), QString("Entrada de Estoque"));
        confereVazia(janela);
        digitaTexto(campo(janela, "edENT_CodPRO"), "12");
        // Enter moves on as Tab does, and leaving the code looks the product up.
        enter(janela, "edENT_CodPRO");
        QVERIFY(botao(janela, "btnEntrada_Grava")->isEnabled());
        QCOMPARE(texto(janela, "edEnt_Valor"), QString("R$ 5,00"));

        // Letters never reach a quantity; a dot typed in an amount is its decimal comma; a
        // whole number takes no dot.
        digita(janela, "edEnt_Quant", "1a0");
        enter(janela, "edEnt_Quant");
        QCOMPARE(texto(janela, "edEnt_Quant"), QString("10,000"));
        QCOMPARE(focado(), acha<QDateEdit>(janela, "dtpEnt_Data"));
        acha<QDateEdit>(janela, "dtpEnt_Data")->setDate(QDate(2004, 10, 10));
        digita(janela, "edEnt_Documento", "NF 1");
        digita(janela, "edEnt_Valor", "8.00");
        QCOMPARE(texto(janela, "edEnt_Valor"), QString("8,00"));
        digita(janela, "edENT_CodFor", "15");
        tab(janela, "edENT_CodFor");
        QCOMPARE(texto(janela, "edEnt_Valor"), QString("R$ 8,00"));
        digita(janela, "edENT_Local", "B-02");
        digita(janela, "edENT_Min", "3");
        digita(janela, "edENT_Max", "2.000");
        QCOMPARE(texto(janela, "edENT_Max"), QString("2000"));
        digita(janela, "edEnt_Refer", "REF-2");
        digita(janela, "edENT_Obs", "caixa com 50");
        clica(janela, "btnEntrada_Grava");
        QCOMPARE(t.msgs.textos(), QStringList());
        // Ready for the next delivery.
        confereVazia(janela);
        clica(janela, "btnEntrada_Fechar");
    });

    const Resultado mov = t.banco.consulta("Select * From Mov_Estq");
    QCOMPARE(mov.tamanho(), 1);
    QCOMPARE(mov.valor(0, "MOV_CodInt").toLongLong(), 1);
    QCOMPARE(mov.valor(0, "MOV_CodPro").toString(), parafuso);
    QCOMPARE(mov.valor(0, "MOV_Oper").toString(), QString("EE"));
    QCOMPARE(mov.valor(0, "MOV_Data").toDate(), QDate(2004, 10, 10));
    QCOMPARE(mov.valor(0, "MOV_Quant").value<Decimal>(), d("10"));
    QCOMPARE(mov.valor(0, "MOV_Valor").value<Decimal>(), d("80"));
    QCOMPARE(mov.valor(0, "MOV_Doc").toString(), QString("NF 1").leftJustified(20));
    QCOMPARE(mov.valor(0, "MOV_CodFor").toString(), QString("0000000015"));
    QVERIFY(mov.valor(0, "MOV_Tipo").isNull());

    const Resultado p = linhaDoProduto(t, parafuso);
    QCOMPARE(p.valor(0, "PRO_Quant").value<Decimal>(), d("20"));
    QCOMPARE(p.valor(0, "PRO_Valor").value<Decimal>(), d("6.5"));
    QCOMPARE(p.valor(0, "PRO_UComp").toDate(), QDate(2004, 10, 10));
    QCOMPARE(p.valor(0, "PRO_CodFor").toString(), QString("0000000015"));
    QCOMPARE(p.valor(0, "PRO_Local").toString(), QString("B-02"));
    QCOMPARE(p.valor(0, "PRO_Min").toLongLong(), 3);
    QCOMPARE(p.valor(0, "PRO_EMax").toLongLong(), 2000);
    QCOMPARE(p.valor(0, "PRO_Refer").toString(), QString("REF-2"));
    QCOMPARE(p.valor(0, "PRO_OBS").toString(), QString("caixa com 50"));
    QCOMPARE(p.valor(0, "PRO_Descricao").toString(), QString("Parafuso"));
    QCOMPARE(p.valor(0, "PRO_Unid").toString(), QString("UN"));
    QCOMPARE(p.valor(0, "PRO_CodBar").toString(), QString("7891000100"));
    QCOMPARE(t.banco.conta("Log"), 0);
}

void TstEntrada::productLookup_data()
{
    QTest::addColumn<bool>("achaAntes"); // the product was found by code first
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("digitado");
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<bool>("preenchido");
    QTest::addColumn<QString>("mensagem");
    QTest::addColumn<bool>("grava");
    QTest::addColumn<QString>("foco");
    caso("code 12 is eight blanks and 12", false, "edENT_CodPRO", "12", parafuso, true, "", true,
         "edEnt_DescPro");
    caso("unknown code, padded, Grava stays off", false, "edENT_CodPRO", "99", "        99", false,
         produtoNaoEncontrado, false, "edENT_CodPRO");
    caso("unknown code after a product was found", true, "edENT_CodPRO", "99", "        99", true,
         produtoNaoEncontrado, false, "edENT_CodPRO");
    caso("bar code", false, "edENT_CodBar", "7891000100", parafuso, true, "", true, "edENT_Unid");
    caso("unknown bar code, Grava stays off", false, "edENT_CodBar", "000", "", false,
         produtoNaoEncontrado, false, "edENT_CodBar");
    caso("unknown bar code, Grava stays on", true, "edENT_CodBar", "000", parafuso, true,
         produtoNaoEncontrado, true, "edENT_CodBar");
}

void TstEntrada::productLookup()
{
    QFETCH(bool, achaAntes);
    QFETCH(QString, nome);
    QFETCH(QString, digitado);
    QFETCH(QString, codigo);
    QFETCH(bool, preenchido);
    QFETCH(QString, mensagem);
    QFETCH(bool, grava);
    QFETCH(QString, foco);
    TelaTeste t;
    cadastra(t);
    abreEntrada(t, [&](QDialog* janela) {
        if (achaAntes)
            achaParafuso(janela);
        const QByteArray campoNome = nome.toLatin1();
        digita(janela, campoNome.constData(), digitado);
        tab(janela, campoNome.constData());
        QCOMPARE(t.msgs.textos(), mensagem.isEmpty() ? QStringList() : QStringList({mensagem}));
        if (!mensagem.isEmpty())
            QCOMPARE(t.msgs.mensagens()[0].tipo, TipoMensagem::Informacao);
        QTRY_COMPARE(focado(), campo(janela, foco.toLatin1()));
        QCOMPARE(texto(janela, "edENT_CodPRO"), codigo);
        QCOMPARE(botao(janela, "btnEntrada_Grava")->isEnabled(), grava);
        if (!preenchido) {
            QCOMPARE(texto(janela, "edEnt_DescPro"), QString());
            QCOMPARE(texto(janela, "edEnt_Valor"), QString("R$ 0,00"));
        } else {
            // Either look-up shows everything the entry will rewrite, and the current average
            // cost as the unit value proposed.
            // A bar code not found stays as typed.
            const QString barras = nome == "edENT_CodBar" && !mensagem.isEmpty()
                                       ? digitado
                                       : QStringLiteral("7891000100");
            QCOMPARE(textos(janela, {"edEnt_DescPro", "edENT_CodBar", "edENT_Unid",
                                     "edEnt_QuantAtual", "edEnt_Valor", "edENT_Local", "edENT_Min",
                                     "edENT_Max", "edEnt_Refer", "edENT_Obs"}),
                     QStringList({"Parafuso", barras, "UN", "10,000", "R$ 5,00", "A-01", "2",
                                  "1.500", "REF-1", "caixa com 100"}));
        }
        clica(janela, "btnEntrada_Fechar");
    });
}

void TstEntrada::supplierLookup_data()
{
    QTest::addColumn<QString>("digitado");
    QTest::addColumn<bool>("gravaLogo"); // leaves the supplier by clicking "Grava"
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("razao");
    QTest::addColumn<QString>("mensagem");
    QTest::addColumn<QString>("foco");
    QTest::addColumn<QString>("gravado"); // the supplier stored; null: nothing stored
    caso("15 is 0000000015", "15", false, "0000000015", "Ferragens Silva Ltda", "", "edENT_Local",
         QString());
    caso("unknown supplier", "99", false, "", "", fornecedorNaoCadastrado, "edENT_CodFor",
         QString());
    caso("15, then Grava at once", "15", true, "", "", "", "edENT_CodPRO", "0000000015");
    // The click that left the field must not save an entry the person was just told has a
    // wrong supplier.
    caso("unknown supplier, then Grava at once", "99", true, "", "", fornecedorNaoCadastrado,
         "edENT_CodFor", QString());
    // The product's last supplier is cleared.
    caso("no supplier", "", true, "", "", "", "edENT_CodPRO", QString(""));
}

void TstEntrada::supplierLookup()
{
    QFETCH(QString, digitado);
    QFETCH(bool, gravaLogo);
    QFETCH(QString, codigo);
    QFETCH(QString, razao);
    QFETCH(QString, mensagem);
    QFETCH(QString, foco);
    QFETCH(QString, gravado);
    TelaTeste t;
    cadastra(t);
    abreEntrada(t, [&](QDialog* janela) {
        achaParafuso(janela);
        digita(janela, "edEnt_Quant", "1");
        digita(janela, "edENT_CodFor", digitado);
        if (gravaLogo)
            clica(janela, "btnEntrada_Grava");
        else
            tab(janela, "edENT_CodFor");
        QCOMPARE(t.msgs.textos(), mensagem.isEmpty() ? QStringList() : QStringList({mensagem}));
        if (!mensagem.isEmpty())
            QCOMPARE(t.msgs.mensagens()[0].tipo, TipoMensagem::Erro);
        QTRY_COMPARE(focado(), campo(janela, foco.toLatin1()));
        QCOMPARE(texto(janela, "edENT_CodFor"), codigo);
        QCOMPARE(texto(janela, "edENT_RazaoFor"), razao);
        clica(janela, "btnEntrada_Fechar");
    });
    const Resultado mov = t.banco.consulta("Select * From Mov_Estq");
    QCOMPARE(mov.tamanho(), gravado.isNull() ? 0 : 1);
    const QString ultimo = linhaDoProduto(t, parafuso).valor(0, "PRO_CodFor").toString();
    if (gravado.isNull()) {
        QCOMPARE(ultimo, QString("0000000009"));
        return;
    }
    QCOMPARE(mov.valor(0, "MOV_CodFor").toString(), gravado);
    QVERIFY(!mov.valor(0, "MOV_CodFor").isNull());
    QCOMPARE(ultimo, gravado);
}

void TstEntrada::saveStoppedWritesNothing_data()
{
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("quantidade");
    QTest::addColumn<QString>("valor");
    QTest::addColumn<QString>("minimo");
    QTest::addColumn<QString>("maximo");
    QTest::addColumn<bool>("bancoRecusa");
    QTest::addColumn<QString>("mensagem");
    QTest::addColumn<bool>("aviso"); // a warning; otherwise an error box
    QTest::addColumn<QString>("foco");
    QTest::addColumn<QString>("valorNaTela"); // numbers cleaned once the checks have begun
    caso("quantity zero", "12", "0", "8", "2", "50", false, quantidadeZero, false, "edEnt_Quant",
         "R$ 8,00");
    caso("quantity not a number", "12", "1,2,3", "8", "2", "50", false,
         "'1,2,3' não é um número válido", false, "edEnt_Quant", "R$ 8,00");
    caso("unit value not a number", "12", "10", "1,2,3", "2", "50", false,
         "'1,2,3' não é um número válido", false, "edEnt_Valor", "1,2,3");
    caso("minimum not a number", "12", "10", "8", "1,,2", "50", false, falhaGravacao, true, "",
         "8,00");
    caso("maximum empty", "12", "10", "8", "2", "", false, falhaGravacao, true, "", "8,00");
    caso("negative stock brought to exactly zero", "30", "10", "8", "2", "50", false, falhaGravacao,
         true, "", "8,00");
    caso("database refuses", "12", "10", "8", "2", "50", true, falhaGravacao, true, "", "8,00");
    // Ten million billion units: more grams than the program can count.
    caso("quantity beyond counting in grams", "12", "10000000000000000", "8", "2", "50", false,
         falhaGravacao, true, "", "8,00");
}

void TstEntrada::saveStoppedWritesNothing()
{
    QFETCH(QString, codigo);
    QFETCH(QString, quantidade);
    QFETCH(QString, valor);
    QFETCH(QString, minimo);
    QFETCH(QString, maximo);
    QFETCH(bool, bancoRecusa);
    QFETCH(QString, mensagem);
    QFETCH(bool, aviso);
    QFETCH(QString, foco);
    QFETCH(QString, valorNaTela);
    TelaTeste t;
    t.comAuditoria("000003");
    cadastra(t);
    if (bancoRecusa) {
        // The ledger row goes in first; the product's update is refused after it.
        t.banco.recusa("Produtos", "UPDATE", "produto travado");
    }
    const Resultado antes = linhaDoProduto(t, Funcoes::codigoProduto(codigo));
    abreEntrada(t, [&](QDialog* janela) {
        digita(janela, "edENT_CodPRO", codigo);
        tab(janela, "edENT_CodPRO");
        digita(janela, "edENT_Local", "Z-99");
        digita(janela, "edENT_Min", minimo);
        digita(janela, "edENT_Max", maximo);
        digita(janela, "edEnt_Quant", quantidade);
        digita(janela, "edEnt_Valor", valor);
        clica(janela, "btnEntrada_Grava");
        QCOMPARE(t.msgs.textos(), QStringList({mensagem}));
        QCOMPARE(t.msgs.mensagens()[0].tipo, aviso ? TipoMensagem::Aviso : TipoMensagem::Erro);
        if (!foco.isEmpty())
            QTRY_COMPARE(focado(), campo(janela, foco.toLatin1()));
        // Everything stays on screen to be corrected and saved again.
        QVERIFY(janela->isVisible());
        QCOMPARE(texto(janela, "edENT_CodPRO"), Funcoes::codigoProduto(codigo));
        QCOMPARE(texto(janela, "edENT_Local"), QString("Z-99"));
        QCOMPARE(texto(janela, "edEnt_Valor"), valorNaTela);
        QVERIFY(botao(janela, "btnEntrada_Grava")->isEnabled());
        clica(janela, "btnEntrada_Fechar");
    });
    QCOMPARE(t.banco.conta("Mov_Estq"), 0);
    QCOMPARE(t.banco.conta("Log"), 0);
    const Resultado depois = linhaDoProduto(t, Funcoes::codigoProduto(codigo));
    QCOMPARE(depois.linhas, antes.linhas);
}

void TstEntrada::auditLine_data()
{
    AplicacaoTeste::tabelaDeAuditoria();
}

void TstEntrada::auditLine()
{
    QFETCH(bool, registra);
    TelaTeste t;
    t.auditoriaDaLinha("000003");
    cadastra(t);
    abreEntrada(t, [&](QDialog* janela) {
        achaParafuso(janela);
        digita(janela, "edEnt_Quant", "1");
        clica(janela, "btnEntrada_Grava");
        clica(janela, "btnEntrada_Fechar");
    });
    QCOMPARE(t.msgs.textos(), QStringList());
    QCOMPARE(t.banco.conta("Mov_Estq"), 1);
    QCOMPARE(Cadastro::linhasLog(t.banco),
             registra ? QStringList{"000003|Entrada no Estoque:" + parafuso} : QStringList());
}

void TstEntrada::searchWindowsHandTheCodeBack()
{
    TelaTeste t;
    cadastra(t);
    abreEntrada(t, [&](QDialog* janela) {
        QLineEdit* codigo = campo(janela, "edENT_CodPRO");
        QLineEdit* fornecedor = campo(janela, "edENT_CodFor");
        QPushButton* grava = botao(janela, "btnEntrada_Grava");

        // F5 in the code field: the pick lands there, and leaving the field looks it up.
        t.driver.aoAbrir([&](QDialog* busca) {
            QCOMPARE(busca->objectName(), QString("TfBusca_Produtos"));
            QCOMPARE(t.app.janela<TfBusca_Produtos>().Origem, QString("Entrada Estoque"));
            escolheNaBusca(busca, t.app.dmProdutos().cds_Produtos, "PRO_CODIGO", parafuso);
        });
        QTest::keyClick(codigo, Qt::Key_F5);
        QTRY_COMPARE(focado(), codigo);
        QCOMPARE(codigo->text(), parafuso);
        QVERIFY(!grava->isEnabled());
        tab(janela, "edENT_CodPRO");
        QCOMPARE(texto(janela, "edEnt_DescPro"), QString("Parafuso"));
        QVERIFY(grava->isEnabled());

        // "..." while a product is on screen: the new pick must be looked up before a save.
        t.driver.aoAbrir([&](QDialog* busca) {
            escolheNaBusca(busca, t.app.dmProdutos().cds_Produtos, "PRO_CODIGO", negativo);
        });
        clica(janela, "btnENT_Estoque_BuscaPRO");
        QTRY_COMPARE(focado(), codigo);
        QCOMPARE(codigo->text(), negativo);
        QVERIFY(!grava->isEnabled());
        tab(janela, "edENT_CodPRO");
        QCOMPARE(texto(janela, "edEnt_DescPro"), QString("Arruela"));
        QCOMPARE(texto(janela, "edEnt_QuantAtual"), QString("-10,000"));

        // The supplier search, from F5 and from its "..." button.
        for (int vez = 0; vez < 2; ++vez) {
            t.driver.aoAbrir([&](QDialog* busca) {
                QCOMPARE(busca->objectName(), QString("TfBusca_Fornecedor"));
                QCOMPARE(t.app.janela<TfBusca_Fornecedor>().Origem, QString("Entrada"));
                escolheNaBusca(busca, t.app.dmFornecedor().cdsFornecedor, "FOR_CODIGO",
                               "0000000015");
            });
            digita(janela, "edENT_CodFor", "");
            if (vez == 0)
                QTest::keyClick(fornecedor, Qt::Key_F5);
            else
                clica(janela, "btnBuscaFornecedor");
            QTRY_COMPARE(focado(), fornecedor);
            QCOMPARE(fornecedor->text(), QString("0000000015"));
            tab(janela, "edENT_CodFor");
            QCOMPARE(texto(janela, "edENT_RazaoFor"), QString("Ferragens Silva Ltda"));
        }
        clica(janela, "btnEntrada_Fechar");
    });
    QCOMPARE(t.msgs.textos(), QStringList());
    QCOMPARE(t.driver.abertas(),
             QStringList({"TfEntrada_Estq", "TfBusca_Produtos", "TfBusca_Produtos",
                          "TfBusca_Fornecedor", "TfBusca_Fornecedor"}));
}

void TstEntrada::everyOpeningStartsAfresh()
{
    TelaTeste t;
    cadastra(t);
    abreEntrada(t, [&](QDialog* janela) {
        achaParafuso(janela);
        digita(janela, "edEnt_Quant", "4");
        digita(janela, "edEnt_Documento", "NF 7");
        digita(janela, "edENT_CodFor", "15");
        tab(janela, "edENT_CodFor");
        acha<QDateEdit>(janela, "dtpEnt_Data")->setDate(QDate(2004, 10, 10));
        clica(janela, "btnEntrada_Fechar");
    });
    abreEntrada(t, [&](QDialog* janela) {
        confereVazia(janela);
        clica(janela, "btnEntrada_Fechar");
    });
    QCOMPARE(t.msgs.textos(), QStringList());
    QCOMPARE(t.banco.conta("Mov_Estq"), 0);
}

QTEST_MAIN(TstEntrada)
#include "tst_entrada.moc"
