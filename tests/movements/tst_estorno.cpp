// The reversal window: one window for the reversal of an entry ("TE") and of an exit ("TS"),
// opened from the menu in its mode, with its look-ups, its checks before saving, the ledger row
// and stock it writes, and the window ready for the next reversal afterwards.

#include "app/Principal.h"
#include "common/Formatos.h"
#include "common/JanelasCadastro.h"
#include "data/DataModule_Fornecedor.h"
#include "data/DataModule_Produtos.h"
#include "data/DataModule_Req.h"
#include "data/DataSet.h"
#include "support/AplicacaoTeste.h"
#include "support/Cadastro.h"
#include "support/DriverModal.h"
#include "support/GravadorMensagens.h"
#include "support/Numeros.h"
#include "support/Tela.h"
#include "support/Textos.h"

#include <QDateEdit>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace Tela;
using Textos::produtoNaoEncontrado;

class TstEstorno : public QObject {
    Q_OBJECT

private slots:
    void eachOpeningShowsItsModeAndStartsClean_data();
    void eachOpeningShowsItsModeAndStartsClean();
    void reversalsMoveTheStockNeverTheCost_data();
    void reversalsMoveTheStockNeverTheCost();
    void saveRefusedBeforeWriting_data();
    void saveRefusedBeforeWriting();
    void productLookupRefusals_data();
    void productLookupRefusals();
    void codeLongerThanItsColumnIsNotFound_data();
    void codeLongerThanItsColumnIsNotFound();
    void unknownCounterpartIsRefusedAndNotSaved_data();
    void unknownCounterpartIsRefusedAndNotSaved();
    void productGoneOrLentOutAtSaveWritesNothing_data();
    void productGoneOrLentOutAtSaveWritesNothing();
    void auditLine_data();
    void auditLine();
    void searchWindowsHandTheCodeBack_data();
    void searchWindowsHandTheCodeBack();
};

namespace {

const QString naoConsumivel = QStringLiteral("Produto não consumível não pode ser Estornado");
const QString nadaEscolhido =
    QStringLiteral("Nenhum Produto Foi Escolhido ou a Quantidade deve ser maior que 0");
const QString produtoSumiu = QStringLiteral(
    "Produto não Encontrado no Cadastro, o Estorno não foi Gravado. Escolha o Produto novamente.");
using Cadastro::parafuso;
const QString serra = QStringLiteral("        13");

// A consumable screw with 20 on hand at 6,50, a lent-out saw, supplier 15 and requisitioner 3.
void preparaCadastros(AplicacaoTeste& t)
{
    Cadastro::grupo(t.banco, "000001", "Ferragens");
    Cadastro::produto(t.banco, {.codigo = parafuso,
                                .descricao = "Parafuso sextavado",
                                .quantidade = "20",
                                .valor = "6.5",
                                .unidade = "UN",
                                .codigoBarras = "789100"});
    Cadastro::produto(t.banco, {.codigo = serra,
                                .descricao = "Serra circular",
                                .quantidade = "2",
                                .valor = "389",
                                .consumivel = "N",
                                .unidade = "UN",
                                .codigoBarras = "789200"});
    Cadastro::fornecedor(t.banco, "0000000015", "Ferragens Centrais Ltda");
    Cadastro::requisitante(t.banco, "000003", QStringLiteral("Manutenção"));
}

const char* itemDoMenu(const QString& modo)
{
    return modo == QLatin1String("TE") ? "EstornodeEntrada1" : "EstornodeSada1";
}

// Opens the window from the main menu in `modo`, as a person does; the steps run in it.
void abreEstorno(TelaTeste& t, const QString& modo, DriverModal::Passos passos)
{
    t.abre(itemDoMenu(modo), std::move(passos));
}

// Every field at its opening value and the focus in the product code.
void confereLimpa(QWidget* janela)
{
    for (const char* nome : {"edEST_CodPro", "edEst_DescPro", "edEST_CodBar", "edEst_Unid",
                             "edEst_Doc", "edEST_CodReq", "edEST_NomeReq"})
        QVERIFY2(texto(janela, nome).isEmpty(), nome);
    QCOMPARE(texto(janela, "edEst_QuantAtual"), QString("0,000"));
    QCOMPARE(texto(janela, "EdEst_Quant"), QString("0,000"));
    QCOMPARE(texto(janela, "edEST_Valor"), QString("R$ 0,00"));
    QCOMPARE(acha<QDateEdit>(janela, "dtpEst_Data")->date(), QDate::currentDate());
    QTRY_VERIFY(focado(janela, "edEST_CodPro"));
}

// Product 12 looked up by its code, a quantity typed.
void produtoEQuantidade(QWidget* janela, const QString& quantidade)
{
    digita(janela, "edEST_CodPro", "12");
    enter(janela, "edEST_CodPro");
    QCOMPARE(texto(janela, "edEST_CodPro"), parafuso);
    digita(janela, "EdEst_Quant", quantidade);
}

int movimentos(AplicacaoTeste& t)
{
    return t.banco.conta("Mov_Estq");
}

} // namespace

void TstEstorno::eachOpeningShowsItsModeAndStartsClean_data()
{
    QTest::addColumn<QString>("anterior");
    QTest::addColumn<QString>("modo");
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<QString>("rotulo");
    caso("entry after exit", "TS", "TE", "Estorno de Entrada", "Fornecedor:");
    caso("exit after entry", "TE", "TS", "Estorno de Saída", "Requisitante:");
}

void TstEstorno::eachOpeningShowsItsModeAndStartsClean()
{
    QFETCH(QString, anterior);
    QFETCH(QString, modo);
    QFETCH(QString, titulo);
    QFETCH(QString, rotulo);
    TelaTeste t;
    preparaCadastros(t);
    // The window is kept between openings: what the previous one left must not show.
    abreEstorno(t, anterior, [&](QDialog* janela) {
        produtoEQuantidade(janela, "5");
        digita(janela, "edEst_Doc", "NF 1");
        digita(janela, "edEST_CodReq", anterior == QLatin1String("TE") ? "15" : "3");
        enter(janela, "edEST_CodReq");
        QVERIFY(!texto(janela, "edEST_NomeReq").isEmpty());
        clica(janela, "btnEst_Fecha");
    });
    abreEstorno(t, modo, [&](QDialog* janela) {
        QCOMPARE(janela->windowTitle(), titulo);
        QCOMPARE(texto(janela, "lEstorno_Titulo"), titulo);
        QCOMPARE(texto(janela, "lbRequisitante"), rotulo);
        confereLimpa(janela);
        clica(janela, "btnEst_Fecha");
    });
    QCOMPARE(t.driver.abertas(), QStringList({"TfEstorno_Estq", "TfEstorno_Estq"}));
    QCOMPARE(t.principal().TipoEstorno, modo);
    QCOMPARE(t.msgs.textos(), QStringList());
    QCOMPARE(movimentos(t), 0);
}

void TstEstorno::reversalsMoveTheStockNeverTheCost_data()
{
    QTest::addColumn<QString>("modo");
    QTest::addColumn<QString>("contraparte"); // as typed
    QTest::addColumn<QString>("codigo");      // as the field shows it after leaving
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("quantidade");
    QTest::addColumn<QString>("valor"); // typed over the proposed average cost; empty: kept
    QTest::addColumn<Decimal>("total");
    QTest::addColumn<Decimal>("estoqueFinal");
    caso("entry of 5 reversed", "TE", "15", "0000000015", "Ferragens Centrais Ltda", "5", "",
         d("32,50"), d("15"));
    caso("exit of 4 reversed", "TS", "3", "000003", "Manutenção", "4", "", d("26,00"), d("24"));
    // Nothing checks an entry's reversal against the stock: it may go below zero. A value typed
    // over the proposal prices this movement only.
    caso("entry of 30 reversed with 20 on hand", "TE", "15", "0000000015",
         "Ferragens Centrais Ltda", "30", "7", d("210"), d("-10"));
    caso("exit reversed without requisitioner, fractional", "TS", "", "", "", "1.5", "", d("9,75"),
         d("21,5"));
}

void TstEstorno::reversalsMoveTheStockNeverTheCost()
{
    QFETCH(QString, modo);
    QFETCH(QString, contraparte);
    QFETCH(QString, codigo);
    QFETCH(QString, nome);
    QFETCH(QString, quantidade);
    QFETCH(QString, valor);
    QFETCH(Decimal, total);
    QFETCH(Decimal, estoqueFinal);
    TelaTeste t;
    preparaCadastros(t);
    abreEstorno(t, modo, [&](QDialog* janela) {
        // Enter moves on, and leaving the code looks the product up.
        digita(janela, "edEST_CodPro", "12");
        enter(janela, "edEST_CodPro");
        QVERIFY(focado(janela, "edEst_DescPro"));
        QCOMPARE(texto(janela, "edEST_CodPro"), parafuso);
        QCOMPARE(texto(janela, "edEst_DescPro"), QString("Parafuso sextavado"));
        QCOMPARE(texto(janela, "edEST_CodBar"), QString("789100"));
        QCOMPARE(texto(janela, "edEst_Unid"), QString("UN"));
        QCOMPARE(texto(janela, "edEst_QuantAtual"), QString("20,000"));
        QCOMPARE(texto(janela, "edEST_Valor"), QString("R$ 6,50"));
        digita(janela, "EdEst_Quant", quantidade);
        if (!valor.isEmpty())
            digita(janela, "edEST_Valor", valor);
        digita(janela, "edEst_Doc", "NF 77");
        digita(janela, "edEST_CodReq", contraparte);
        enter(janela, "edEST_CodReq");
        QCOMPARE(texto(janela, "edEST_CodReq"), codigo);
        QCOMPARE(texto(janela, "edEST_NomeReq"), nome);
        clica(janela, "btnEst_Grava");
        QCOMPARE(t.msgs.textos(), QStringList());
        // Ready for the next reversal.
        confereLimpa(janela);
        clica(janela, "btnEst_Fecha");
    });
    const Resultado mov = t.banco.consulta("Select * From Mov_Estq");
    QCOMPARE(mov.tamanho(), 1);
    QCOMPARE(mov.valor(0, "MOV_Oper").toString(), modo);
    QCOMPARE(mov.valor(0, "MOV_CodPro").toString(), parafuso);
    QCOMPARE(mov.valor(0, "MOV_Quant").value<Decimal>(), *Formatos::converte(quantidade));
    QCOMPARE(mov.valor(0, "MOV_Valor").value<Decimal>(), total);
    QCOMPARE(mov.valor(0, "MOV_Data").toDate(), QDate::currentDate());
    QCOMPARE(mov.valor(0, "MOV_Doc").toString().trimmed(), QString("NF 77"));
    QCOMPARE(mov.valor(0, "MOV_CodInt").toLongLong(), 1);
    // The counterpart goes to the supplier column of an entry's reversal and to the
    // requisitioner column of an exit's; the other one holds empty text.
    const bool entrada = modo == QLatin1String("TE");
    QVERIFY(!mov.valor(0, "MOV_Tipo").isNull());
    QVERIFY(!mov.valor(0, "MOV_CodFor").isNull());
    QCOMPARE(mov.valor(0, "MOV_Tipo").toString().trimmed(), entrada ? QString() : codigo);
    QCOMPARE(mov.valor(0, "MOV_CodFor").toString(), entrada ? codigo : QString());
    QCOMPARE(Cadastro::estoque(t.banco, parafuso), estoqueFinal);
    QCOMPARE(
        t.banco.valor("Select PRO_Valor From Produtos Where PRO_Codigo = :C", {{"C", parafuso}})
            .value<Decimal>(),
        d("6,50"));
    QCOMPARE(t.banco.conta("Log"), 0);
}

void TstEstorno::saveRefusedBeforeWriting_data()
{
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("quantidade"); // empty: left at its opening "0,000"
    QTest::addColumn<QString>("mensagem");
    QTest::addColumn<QString>("foco");
    caso("no product", "", "5", nadaEscolhido, "edEST_CodPro");
    caso("quantity 0,000", "12", "", nadaEscolhido, "edEST_CodPro");
    caso("quantity not a number", "12", "1,,5", QString("'1,,5' não é um valor numérico válido"),
         "EdEst_Quant");
}

void TstEstorno::saveRefusedBeforeWriting()
{
    QFETCH(QString, codigo);
    QFETCH(QString, quantidade);
    QFETCH(QString, mensagem);
    QFETCH(QString, foco);
    TelaTeste t;
    preparaCadastros(t);
    abreEstorno(t, "TS", [&](QDialog* janela) {
        if (!codigo.isEmpty()) {
            digita(janela, "edEST_CodPro", codigo);
            enter(janela, "edEST_CodPro");
        }
        if (!quantidade.isEmpty())
            digita(janela, "EdEst_Quant", quantidade);
        clica(janela, "btnEst_Grava");
        QCOMPARE(t.msgs.textos(), QStringList({mensagem}));
        QCOMPARE(t.msgs.mensagens()[0].tipo, TipoMensagem::Erro);
        QTRY_VERIFY(focado(janela, foco.toLatin1().constData()));
        clica(janela, "btnEst_Fecha");
    });
    QCOMPARE(movimentos(t), 0);
    QCOMPARE(Cadastro::estoque(t.banco, parafuso), d("20"));
}

void TstEstorno::productLookupRefusals_data()
{
    QTest::addColumn<QString>("campoDigitado");
    QTest::addColumn<QString>("digitado");
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QString>("mensagem");
    QTest::addColumn<QString>("codigoDepois");
    QTest::addColumn<QString>("barrasDepois");
    // A lent-out item comes back through its return: both look-ups refuse it and empty the
    // code and the bar code.
    caso("lent-out item by code", "edEST_CodPro", "13", int(TipoMensagem::Erro), naoConsumivel, "",
         "");
    caso("lent-out item by bar code", "edEST_CodBar", "789200", int(TipoMensagem::Erro),
         naoConsumivel, "", "");
    // An unknown code empties only the field it was typed in.
    caso("unknown code", "edEST_CodPro", "99", int(TipoMensagem::Informacao), produtoNaoEncontrado,
         "", "789100");
    caso("unknown bar code", "edEST_CodBar", "000", int(TipoMensagem::Informacao),
         produtoNaoEncontrado, parafuso, "");
}

void TstEstorno::productLookupRefusals()
{
    QFETCH(QString, campoDigitado);
    QFETCH(QString, digitado);
    QFETCH(int, tipo);
    QFETCH(QString, mensagem);
    QFETCH(QString, codigoDepois);
    QFETCH(QString, barrasDepois);
    TelaTeste t;
    preparaCadastros(t);
    abreEstorno(t, "TE", [&](QDialog* janela) {
        const QByteArray nome = campoDigitado.toLatin1();
        produtoEQuantidade(janela, "5");
        digita(janela, nome.constData(), digitado);
        tab(janela, nome.constData());
        QCOMPARE(t.msgs.textos(), QStringList({mensagem}));
        QCOMPARE(int(t.msgs.mensagens()[0].tipo), tipo);
        QCOMPARE(texto(janela, "edEST_CodPro"), codigoDepois);
        QCOMPARE(texto(janela, "edEST_CodBar"), barrasDepois);
        QTRY_VERIFY(focado(janela, nome.constData()));
        clica(janela, "btnEst_Fecha");
    });
    QCOMPARE(movimentos(t), 0);
}

void TstEstorno::codeLongerThanItsColumnIsNotFound_data()
{
    QTest::addColumn<QString>("modo");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("digitado"); // one character more than the column holds
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QString>("mensagem");
    caso("product code", "TE", "edEST_CodPro", "12345678901", int(TipoMensagem::Informacao),
         produtoNaoEncontrado);
    caso("bar code", "TS", "edEST_CodBar", "789100789100789", int(TipoMensagem::Informacao),
         produtoNaoEncontrado);
    caso("supplier", "TE", "edEST_CodReq", "00000000015", int(TipoMensagem::Erro),
         "Fornecedor não Cadastrado");
    caso("requisitioner", "TS", "edEST_CodReq", "0000003", int(TipoMensagem::Informacao),
         "Requisitante não Encontrado !");
}

// No code of the register is that long: the window says so in its own words, as for any code
// it does not know, instead of passing on the server's complaint about the length.
void TstEstorno::codeLongerThanItsColumnIsNotFound()
{
    QFETCH(QString, modo);
    QFETCH(QString, nome);
    QFETCH(QString, digitado);
    QFETCH(int, tipo);
    QFETCH(QString, mensagem);
    TelaTeste t;
    preparaCadastros(t);
    abreEstorno(t, modo, [&](QDialog* janela) {
        const QByteArray campoNome = nome.toLatin1();
        informa(janela, campoNome.constData(), digitado);
        QCOMPARE(t.msgs.textos(), QStringList({mensagem}));
        QCOMPARE(int(t.msgs.mensagens()[0].tipo), tipo);
        QCOMPARE(texto(janela, campoNome.constData()), QString());
        QTRY_VERIFY(focado(janela, campoNome.constData()));
        // Nothing may be saved from the click that left such a code either.
        digita(janela, campoNome.constData(), digitado);
        clica(janela, "btnEst_Grava");
        QCOMPARE(t.msgs.textos(), QStringList({mensagem, mensagem}));
        QTRY_VERIFY(focado(janela, campoNome.constData()));
        clica(janela, "btnEst_Fecha");
    });
    QCOMPARE(movimentos(t), 0);
}

void TstEstorno::unknownCounterpartIsRefusedAndNotSaved_data()
{
    QTest::addColumn<QString>("modo");
    QTest::addColumn<QString>("conhecido");
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QString>("mensagem");
    QTest::addColumn<QString>("nomeDepois");
    caso("supplier", "TE", "15", int(TipoMensagem::Erro), "Fornecedor não Cadastrado", "");
    caso("requisitioner", "TS", "3", int(TipoMensagem::Informacao), "Requisitante não Encontrado !",
         "Manutenção");
}

// The person fixes a counterpart, then types an unknown one and presses "Grava" at once: the
// look-up refuses it, and the reversal is not recorded without the counterpart they meant.
void TstEstorno::unknownCounterpartIsRefusedAndNotSaved()
{
    QFETCH(QString, modo);
    QFETCH(QString, conhecido);
    QFETCH(int, tipo);
    QFETCH(QString, mensagem);
    QFETCH(QString, nomeDepois);
    TelaTeste t;
    preparaCadastros(t);
    abreEstorno(t, modo, [&](QDialog* janela) {
        produtoEQuantidade(janela, "5");
        digita(janela, "edEST_CodReq", conhecido);
        enter(janela, "edEST_CodReq");
        QVERIFY(!texto(janela, "edEST_NomeReq").isEmpty());
        digita(janela, "edEST_CodReq", "77");
        clica(janela, "btnEst_Grava");
        QCOMPARE(t.msgs.textos(), QStringList({mensagem}));
        QCOMPARE(int(t.msgs.mensagens()[0].tipo), tipo);
        QCOMPARE(texto(janela, "edEST_CodReq"), QString());
        QCOMPARE(texto(janela, "edEST_NomeReq"), nomeDepois);
        QTRY_VERIFY(focado(janela, "edEST_CodReq"));
        QCOMPARE(movimentos(t), 0);
        // Pressed again, with the counterpart left empty on purpose, it saves.
        clica(janela, "btnEst_Grava");
        QCOMPARE(t.msgs.quantidade(), 1);
        clica(janela, "btnEst_Fecha");
    });
    QCOMPARE(movimentos(t), 1);
    QCOMPARE(t.banco.valor("Select MOV_Tipo || '|' || MOV_CodFor From Mov_Estq")
                 .toString()
                 .remove(QLatin1Char(' ')),
             QString("|"));
}

void TstEstorno::productGoneOrLentOutAtSaveWritesNothing_data()
{
    QTest::addColumn<QString>("mudanca");
    QTest::addColumn<QString>("mensagem");
    caso("deleted meanwhile", "Delete From Produtos Where PRO_Codigo = :C", produtoSumiu);
    caso("marked lent-out meanwhile",
         "Update Produtos set PRO_Consumivel = 'N' Where PRO_Codigo = :C", naoConsumivel);
}

// Another workstation changes the product between the look-up and "Grava".
void TstEstorno::productGoneOrLentOutAtSaveWritesNothing()
{
    QFETCH(QString, mudanca);
    QFETCH(QString, mensagem);
    TelaTeste t;
    preparaCadastros(t);
    t.comAuditoria("000001");
    abreEstorno(t, "TE", [&](QDialog* janela) {
        produtoEQuantidade(janela, "5");
        t.banco.executa(mudanca, {{"C", parafuso}});
        clica(janela, "btnEst_Grava");
        QCOMPARE(t.msgs.textos(), QStringList({mensagem}));
        QCOMPARE(t.msgs.mensagens()[0].tipo, TipoMensagem::Erro);
        // The fields stay for the person to see what was refused; the code, focused again,
        // sheds its blanks for retyping.
        QCOMPARE(texto(janela, "edEST_CodPro"), QString("12"));
        QCOMPARE(texto(janela, "EdEst_Quant"), QString("5,000"));
        QTRY_VERIFY(focado(janela, "edEST_CodPro"));
        clica(janela, "btnEst_Fecha");
    });
    QCOMPARE(movimentos(t), 0);
    QCOMPARE(t.banco.conta("Log"), 0);
}

void TstEstorno::auditLine_data()
{
    AplicacaoTeste::tabelaDeAuditoria();
}

// A reversal of each kind, one after the other: both write the same line.
void TstEstorno::auditLine()
{
    QFETCH(bool, registra);
    TelaTeste t;
    preparaCadastros(t);
    t.auditoriaDaLinha("000004");
    for (const QString modo : {"TE", "TS"})
        abreEstorno(t, modo, [&](QDialog* janela) {
            produtoEQuantidade(janela, "2");
            clica(janela, "btnEst_Grava");
            clica(janela, "btnEst_Fecha");
        });
    QCOMPARE(t.msgs.textos(), QStringList());
    QCOMPARE(movimentos(t), 2);
    const QString linha = "000004|Estorno:" + parafuso;
    QCOMPARE(Cadastro::linhasLog(t.banco), registra ? QStringList({linha, linha}) : QStringList());
}

void TstEstorno::searchWindowsHandTheCodeBack_data()
{
    QTest::addColumn<QString>("modo");
    QTest::addColumn<QString>("campoBusca"); // F5 in this field, or a click on this button
    QTest::addColumn<bool>("tecla");
    QTest::addColumn<QString>("janela");
    QTest::addColumn<QString>("origem");
    QTest::addColumn<QString>("colunaCodigo"); // of the search window's list
    QTest::addColumn<QString>("campoDestino");
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("mostrado"); // field filled in by the look-up on leaving
    QTest::addColumn<QString>("valorMostrado");
    caso("product, F5", "TE", "edEST_CodPro", true, "TfBusca_Produtos", "Estorno Estoque",
         "PRO_CODIGO", "edEST_CodPro", parafuso, "edEst_DescPro", "Parafuso sextavado");
    caso("product, button", "TS", "btnEST_BuscaPro", false, "TfBusca_Produtos", "Estorno Estoque",
         "PRO_CODIGO", "edEST_CodPro", parafuso, "edEst_DescPro", "Parafuso sextavado");
    caso("supplier, F5", "TE", "edEST_CodReq", true, "TfBusca_Fornecedor", "Estorno", "FOR_CODIGO",
         "edEST_CodReq", "0000000015", "edEST_NomeReq", "Ferragens Centrais Ltda");
    caso("requisitioner, button", "TS", "btnBuscaReq", false, "TfBusca_REQ", "Estorno",
         "REQ_CODIGO", "edEST_CodReq", "000003", "edEST_NomeReq", "Manutenção");
}

void TstEstorno::searchWindowsHandTheCodeBack()
{
    QFETCH(QString, modo);
    QFETCH(QString, campoBusca);
    QFETCH(bool, tecla);
    QFETCH(QString, janela);
    QFETCH(QString, origem);
    QFETCH(QString, colunaCodigo);
    QFETCH(QString, campoDestino);
    QFETCH(QString, codigo);
    QFETCH(QString, mostrado);
    QFETCH(QString, valorMostrado);
    TelaTeste t;
    preparaCadastros(t);
    // Only the item to pick is in the list.
    t.banco.executa("Delete From Produtos Where PRO_Codigo = :C", {{"C", serra}});
    const QByteArray destino = campoDestino.toLatin1();
    abreEstorno(t, modo, [&](QDialog* estorno) {
        t.driver.aoAbrir([&](QDialog* busca) {
            auto* b = qobject_cast<Familia::JanelaBusca*>(busca);
            QVERIFY(b);
            QCOMPARE(b->Origem, origem);
            DataSet& lista =
                janela == QLatin1String("TfBusca_Produtos")     ? t.app.dmProdutos().cds_Produtos
                : janela == QLatin1String("TfBusca_Fornecedor") ? t.app.dmFornecedor().cdsFornecedor
                                                                : t.app.dmReq().cds_Req;
            escolheNaBusca(busca, lista, qPrintable(colunaCodigo), codigo);
        });
        const QByteArray nome = campoBusca.toLatin1();
        abreBusca(estorno, nome.constData(), nome.constData(), tecla);
        QCOMPARE(texto(estorno, destino.constData()), codigo);
        QTRY_VERIFY(focado(estorno, destino.constData()));
        tab(estorno, destino.constData());
        QCOMPARE(texto(estorno, mostrado.toLatin1().constData()), valorMostrado);
        clica(estorno, "btnEst_Fecha");
    });
    QCOMPARE(t.driver.abertas(), QStringList({"TfEstorno_Estq", janela}));
    QCOMPARE(t.msgs.textos(), QStringList());
}

QTEST_MAIN(TstEstorno)
#include "tst_estorno.moc"
