// Product groups: what their windows do apart from the other registers of a code and a
// description (tst_familia): the code proposed and never typed, the question on a repeated
// description, and the search window that opens by description and shares its order.

#include "app/Principal.h"
#include "common/JanelasCadastro.h"
#include "common/Modal.h"
#include "data/DataModule_Grupos.h"
#include "data/DataSet.h"
#include "registers/Busca_Grupos.h"
#include "support/AplicacaoTeste.h"
#include "support/Cadastro.h"
#include "support/CodigoEDescricao.h"
#include "support/DriverModal.h"
#include "support/GravadorMensagens.h"
#include "support/Tela.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>
#include <QtTest>

using namespace Tela;

class TstGrupos : public QObject {
    Q_OBJECT

private slots:
    void proposedCode_data();
    void proposedCode();
    void emptyAndRepeatedDescriptions();
    void searchWindowOpensByDescriptionAndSharesItsOrder();
};

void TstGrupos::proposedCode_data()
{
    QTest::addColumn<QStringList>("existentes");
    QTest::addColumn<QString>("proposto");
    QTest::addColumn<bool>("grava");
    caso("empty table", QStringList(), "000001", true);
    caso("after 000009", QStringList({"000002", "000009"}), "000010", true);
    caso("after 999999", QStringList({"999999"}), "1000000", false);
}

void TstGrupos::proposedCode()
{
    QFETCH(QStringList, existentes);
    QFETCH(QString, proposto);
    QFETCH(bool, grava);
    TelaTeste t;
    t.flags("S", "N", "S");
    CodigoEDescricao::existentes(t.banco, Cadastro::grupo, existentes);
    t.driver.aoAbrir([&](QDialog* lista) {
        clica(lista, "btn_Manut_GRU_Novo");
        QCOMPARE(acha<QTableView>(lista, "dbg_ManutGrupos")->model()->rowCount(),
                 existentes.size() + (grava ? 1 : 0));
        clica(lista, "btnManut_GRU_Fechar");
    });
    t.driver.aoAbrir([&](QDialog* dados) {
        QCOMPARE(dados->windowTitle(), QString("Inclusão de Grupos"));
        QCOMPARE(texto(dados, "edGRU_Codigo"), proposto);
        // The code takes no typing: the focus is already on the description.
        QVERIFY(focado(dados, "edGRU_Descricao"));
        digitaTexto(campo(dados, "edGRU_Descricao"), "Ferramentas");
        clica(dados, "btnGRU_Salva");
        if (!grava)
            QCOMPARE(texto(dados, "edGRU_Descricao"), QString("Ferramentas"));
        clica(dados, "btnGRU_Fecha");
    });
    t.principal().aciona("GruposdeProdutos1");
    QCOMPARE(t.driver.abertas(), QStringList({"TfManut_Grupos", "TfDados_Grupos"}));
    QCOMPARE(t.banco.conta("Grupos"), existentes.size() + (grava ? 1 : 0));
    if (grava) {
        QCOMPARE(t.msgs.quantidade(), 0);
        QCOMPARE(
            t.banco
                .valor("Select GRU_Descricao From Grupos Where GRU_Codigo = :C", {{"C", proposto}})
                .toString(),
            QString("Ferramentas"));
    } else {
        QCOMPARE(t.msgs.textos(), QStringList({"Não Consegui Incluir, Tente Novamente !"}));
        QCOMPARE(t.msgs.mensagens()[0].tipo, TipoMensagem::Aviso);
    }
    // Logging and login are on: a saved group leaves its line, a failed one none.
    QCOMPARE(t.banco.conta("Log"), grava ? 1 : 0);
}

void TstGrupos::emptyAndRepeatedDescriptions()
{
    TelaTeste t;
    Cadastro::grupo(t.banco, "000001", "Elétrica");
    const CodigoEDescricao::Descricao descricao{
        .campo = "edGRU_Descricao",
        .salva = "btnGRU_Salva",
        .vazia = "O Campo da Descrição Precisa ser Preenchido",
        .tipoVazia = TipoMensagem::Informacao,
        .repetida = "Grupo já Cadastrado, deseja Cadastrar outro Grupo com a mesma Descrição ?"};
    inclusao(t.app, t.driver, listaDeGrupos, [&](QDialog* dados) {
        // Blanks are refused; a repeated description asks, and "Não" empties it and keeps the
        // focus there.
        CodigoEDescricao::recusaVaziaERepetida(dados, t.msgs, descricao, "Elétrica");

        // "Sim" keeps it, and the group is saved with it.
        digita(dados, "edGRU_Descricao", "Elétrica");
        t.msgs.responde(true);
        clica(dados, "btnGRU_Salva");
        clica(dados, "btnGRU_Fecha");
    });
    QCOMPARE(
        t.banco.valor("Select count(*) From Grupos Where GRU_Descricao = 'Elétrica'").toLongLong(),
        2);
}

void TstGrupos::searchWindowOpensByDescriptionAndSharesItsOrder()
{
    AplicacaoTeste t;
    Cadastro::grupo(t.banco, "000001", "Tintas");
    Cadastro::grupo(t.banco, "000002", "Abrasivos");
    QDialog chamador;
    QLineEdit destinoCodigo(&chamador);
    TfBusca_Grupos& busca = t.app.janela<TfBusca_Grupos>();
    busca.registraDestino("Dados_Produtos", &destinoCodigo);
    DriverModal driver;
    // First opening: ordered by description, the radio with the focus; choose "Abrasivos".
    driver.aoAbrir([&](QDialog* janela) {
        QVERIFY(acha<QRadioButton>(janela, "rbBusca_GRupos_Descricao")->isChecked());
        QVERIFY(focado(janela, "rbBusca_GRupos_Descricao"));
        QCOMPARE(texto(janela, "lbBusca_Grupos_Busca"), QString("Descrição:"));
        QCOMPARE(Familia::codigoAtual(t.app.dmGrupos().cds_Grupos), QString("000002"));
        clica(janela, "btnBusca_Seleciona");
    });
    busca.Origem = "Dados_Produtos";
    Modal::exec(&busca);
    QCOMPARE(destinoCodigo.text(), QString("000002"));

    // The order chosen in the search window is what the list window shows.
    driver.aoAbrir([&](QDialog* lista) {
        auto* grade = acha<QTableView>(lista, "dbg_ManutGrupos");
        QCOMPARE(grade->model()->index(0, 1).data().toString(), QString("Abrasivos"));
        // Choosing "Código" there is what the search window shows next.
        clica(lista, "rbManut_Grupos_Codigo");
        clica(lista, "btnManut_GRU_Fechar");
    });
    t.principal().aciona("GruposdeProdutos1");
    driver.aoAbrir([&](QDialog* janela) {
        auto* grade = acha<QTableView>(janela, "dbg_BuscaGrupos");
        QCOMPARE(grade->model()->index(0, 1).data().toString(), QString("Tintas"));
        // The radio choice stays as it was.
        QVERIFY(acha<QRadioButton>(janela, "rbBusca_GRupos_Descricao")->isChecked());
        clica(janela, "btnBusca_GRU_Fechar");
    });
    Modal::exec(&busca);
}

QTEST_MAIN(TstGrupos)
#include "tst_grupos.moc"
