// Granting and revoking modules: the user look-up, the switch of one row and its colour, the
// failure that leaves the row as it was, and a revoke that counts at once.

#include "app/Principal.h"
#include "data/DataModule_PER.h"
#include "support/AplicacaoTeste.h"
#include "support/Cadastro.h"
#include "support/DriverModal.h"
#include "support/GravadorMensagens.h"
#include "support/Tela.h"

#include <QColor>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using namespace Tela;

class TstPermissoes : public QObject {
    Q_OBJECT

private slots:
    void userLookup_data();
    void userLookup();
    void alteraSwitchesTheCurrentRowAndItsColour();
    void failedSwitchLeavesTheRow();
    void switchOfARowDeletedElsewhereIsRefused();
    void revokingTheWindowFromOneselfCountsAtOnce();
};

namespace {

const char* const menu = "DRetiraPermissodeUsurios1";

// Login and permissions on, stored and loaded, with Ana (000007) logged in, allowed
// everything the way into this window asks for.
void anaComPermissoes(TelaTeste& t)
{
    t.banco.executa("Update Configuracoes set LOGIN = 'S', Permissao = 'S'");
    Cadastro::usuario(t.banco, "000007", "Ana Lima", "ana", "x");
    t.comPermissoes("000007", {"2.1", "2.2", "4", "4.4", "4.4.4"}, "2.2");
}

bool vermelha(QTableView* g, int linha)
{
    const QVariant cor = g->model()->index(linha, 1).data(Qt::ForegroundRole);
    return cor.isValid() && cor.value<QColor>() == QColor(Qt::red);
}

} // namespace

void TstPermissoes::userLookup_data()
{
    QTest::addColumn<QString>("digitado");
    QTest::addColumn<QStringList>("campos"); // code, login, name after leaving
    QTest::addColumn<QString>("mensagem");
    QTest::addColumn<QString>("foco");
    caso("7 is padded", QStringLiteral("7"), QStringList({"000007", "ana", "Ana Lima"}), QString(),
         QStringLiteral("btnMostrar"));
    caso("unknown code", QStringLiteral("8"), QStringList({"", "", ""}),
         QStringLiteral("Usuário não Cadastrado, tente outro"), QStringLiteral("edCodigo"));
    caso("a code the database cannot hold", QStringLiteral("€"), QStringList({"", "", ""}),
         QStringLiteral("Usuário não Cadastrado, tente outro"), QStringLiteral("edCodigo"));
    caso("nothing typed", QStringLiteral(""), QStringList({"", "", ""}), QString(),
         QStringLiteral("btnMostrar"));
}

void TstPermissoes::userLookup()
{
    QFETCH(QString, digitado);
    QFETCH(QStringList, campos);
    QFETCH(QString, mensagem);
    QFETCH(QString, foco);
    TelaTeste t;
    anaComPermissoes(t);
    t.abre(menu, [&](QDialog* d) {
        QCOMPARE(d->windowTitle(), QStringLiteral("Dá/Retira Permissão de Usuários"));
        QVERIFY(focado(d, "edCodigo"));
        QCOMPARE(t.app.dmPER().cdsPER.tamanho(), 0);
        informa(d, "edCodigo", digitado);
        QCOMPARE(textos(d, {"edCodigo", "edLogin", "edNome"}), campos);
        QTRY_COMPARE(focado()->objectName(), foco);
        if (digitado.isEmpty()) {
            clica(d, "btnMostrar");
            QCOMPARE(t.msgs.mensagens(),
                     QList<MensagemGravada>(
                         {{TipoMensagem::Erro, QStringLiteral("É preciso Escolher um Usuário")}}));
            QVERIFY(focado(d, "edCodigo"));
        } else if (mensagem.isEmpty()) {
            QCOMPARE(t.msgs.quantidade(), 0);
        } else {
            QCOMPARE(t.msgs.mensagens(), QList<MensagemGravada>({{TipoMensagem::Erro, mensagem}}));
        }
        clica(d, "btnFechar");
    });
}

void TstPermissoes::alteraSwitchesTheCurrentRowAndItsColour()
{
    TelaTeste t;
    anaComPermissoes(t);
    t.abre(menu, [&](QDialog* d) {
        auto* g = acha<QTableView>(d, "dbgPer");
        // "Altera" on the empty grid does nothing and says nothing.
        clica(d, "btnAltera");
        informa(d, "edCodigo", "7");
        clica(d, "btnMostrar");
        QCOMPARE(g->model()->rowCount(), 5);
        QCOMPARE(linhaDaGrade(g, 1), QStringList({"2.2", "", "N"}));
        QVERIFY(!vermelha(g, 0));
        QVERIFY(vermelha(g, 1));
        // The first row, "2.1", refused: it turns red.
        g->selectRow(0);
        clica(d, "btnAltera");
        QCOMPARE(linhaDaGrade(g, 0)[2], QStringLiteral("N"));
        QVERIFY(vermelha(g, 0));
        QCOMPARE(g->currentIndex().row(), 0);
        // Pressed again, it is back as it was.
        clica(d, "btnAltera");
        QCOMPARE(linhaDaGrade(g, 0)[2], QStringLiteral("S"));
        QVERIFY(!vermelha(g, 0));
        // The grid keeps showing this user until "Mostrar" is pressed again.
        informa(d, "edCodigo", "8");
        QCOMPARE(g->model()->rowCount(), 5);
        clica(d, "btnFechar");
    });
    QCOMPARE(Cadastro::permissoesDe(t.banco, "000007"),
             QStringList({"2.1|S", "2.2|N", "4|S", "4.4|S", "4.4.4|S"}));
    QCOMPARE(t.msgs.textos(), QStringList({"Usuário não Cadastrado, tente outro"}));
    QCOMPARE(t.banco.conta("Log"), 0);
}

void TstPermissoes::failedSwitchLeavesTheRow()
{
    TelaTeste t;
    anaComPermissoes(t);
    t.banco.recusa("Permissoes", "UPDATE", "permissão travada");
    t.abre(menu, [&](QDialog* d) {
        informa(d, "edCodigo", "7");
        clica(d, "btnMostrar");
        acha<QTableView>(d, "dbgPer")->selectRow(1);
        clica(d, "btnAltera");
        QCOMPARE(t.app.dmPER().cdsPER.tamanho(), 5);
        QCOMPARE(t.app.dmPER().cdsPER.valor("PER_ATIVO").toString(), QStringLiteral("N"));
        clica(d, "btnFechar");
    });
    QCOMPARE(t.msgs.quantidade(), 1);
    QCOMPARE(t.msgs.mensagens()[0].tipo, TipoMensagem::Aviso);
    QVERIFY2(t.msgs.ultimoTexto().startsWith(
                 QStringLiteral("Não Consegui Alterar a Permissão, Tente Novamente !\nErro:  ")),
             qPrintable(t.msgs.ultimoTexto()));
    QVERIFY(t.msgs.ultimoTexto().contains(QStringLiteral("permissão travada")));
    QCOMPARE(Cadastro::permissoesDe(t.banco, "000007")[1], QStringLiteral("2.2|N"));
}

// The rows shown were read when "Mostrar" was pressed; another workstation deletes one since.
void TstPermissoes::switchOfARowDeletedElsewhereIsRefused()
{
    TelaTeste t;
    anaComPermissoes(t);
    QStringList antes;
    t.abre(menu, [&](QDialog* d) {
        informa(d, "edCodigo", "7");
        clica(d, "btnMostrar");
        acha<QTableView>(d, "dbgPer")->selectRow(0);
        const QString modulo = t.app.dmPER().cdsPER.valor("PER_CODMOD").toString();
        t.banco.executa("Delete From Permissoes Where PER_CodUser = '000007' and PER_CodMod = :M",
                        {{"M", modulo}});
        antes = Cadastro::permissoesDe(t.banco, "000007");
        clica(d, "btnAltera");
        // The list shows what is stored now.
        QCOMPARE(t.app.dmPER().cdsPER.tamanho(), 4);
        clica(d, "btnFechar");
    });
    QCOMPARE(
        t.msgs.mensagens(),
        QList<MensagemGravada>(
            {{TipoMensagem::Aviso,
              QStringLiteral("Não Consegui Alterar a Permissão, Tente Novamente !\nErro:  "
                             "Registro não encontrado, outra estação pode tê-lo excluído.")}}));
    QCOMPARE(Cadastro::permissoesDe(t.banco, "000007"), antes);
}

void TstPermissoes::revokingTheWindowFromOneselfCountsAtOnce()
{
    TelaTeste t;
    anaComPermissoes(t);
    t.abre(menu, [&](QDialog* d) {
        informa(d, "edCodigo", "7");
        clica(d, "btnMostrar");
        QCOMPARE(t.app.dmPER().cdsPER.localiza("PER_CODMOD", "4.4.4"), 4);
        clica(d, "btnAltera");
        clica(d, "btnFechar");
    });
    QCOMPARE(t.msgs.quantidade(), 0);
    t.principal().aciona(menu);
    QCOMPARE(t.msgs.textos(), QStringList({"Usuário Sem Permissão para Entrar nesse Módulo"}));
    QCOMPARE(t.driver.abertas(), QStringList({"TfDaRetiraPermissoes"}));
}

QTEST_MAIN(TstPermissoes)
#include "tst_permissoes.moc"
