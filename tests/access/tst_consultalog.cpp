// The audit log query: the user chosen by code or by login, and the lines of a period, of one
// user or of all, in the order they were written.

#include "app/Principal.h"
#include "data/DataModule_Log.h"
#include "support/AplicacaoTeste.h"
#include "support/Cadastro.h"
#include "support/DriverModal.h"
#include "support/GravadorMensagens.h"
#include "support/Tela.h"

#include <QDateEdit>
#include <QDialog>
#include <QLabel>
#include <QTableView>
#include <QtTest>

using namespace Tela;

class TstConsultaLog : public QObject {
    Q_OBJECT

private slots:
    void filter_data();
    void filter();
    void userLookups_data();
    void userLookups();
    void refusedCodeStopsTheFilter();
};

namespace {

const char* const menu = "ConsultaLogdeUsurios1";
const QDate dia1(2006, 11, 20);
const QDate dia2(2006, 11, 21);
const QDate dia3(2006, 11, 22);

void escreveNoLog(AplicacaoTeste& t, const char* usuario, const char* texto, const QDate& data,
                  const char* hora)
{
    Cadastro::insere(t.banco, "Log",
                     {{"LOG_CodUser", QString::fromLatin1(usuario)},
                      {"LOG_Descricao", QString::fromUtf8(texto)},
                      {"LOG_Data", data},
                      {"LOG_Hora", QTime::fromString(QString::fromLatin1(hora), "HH:mm:ss")}});
}

// Three users' lines over three days, written out of order, and lines of a user who has been
// deleted since.
void linhasDeTresUsuarios(TelaTeste& t)
{
    Cadastro::usuario(t.banco, "000001", "Ana Lima", "ana", "x");
    Cadastro::usuario(t.banco, "000003", "Bruno Reis", "bruno", "y");
    Cadastro::usuario(t.banco, "000004", "Bruno Costa", "bruno", "z");
    escreveNoLog(t, "000003", "Saída do Estoque:        12", dia2, "10:00:00");
    escreveNoLog(t, "000001", "Inclusão de Produto:        12", dia1, "09:00:00");
    escreveNoLog(t, "000003", "Estorno:        12", dia2, "08:30:00");
    escreveNoLog(t, "000001", "Entrada no Estoque:        12", dia3, "17:45:00");
    escreveNoLog(t, "000009", "Inclusão de Usuário:000003", dia2, "07:00:00");
}

} // namespace

void TstConsultaLog::filter_data()
{
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QDate>("inicio");
    QTest::addColumn<QDate>("fim");
    QTest::addColumn<QStringList>("linhas"); // "user|text|date|time|name"
    const QString inclusao = "000001|Inclusão de Produto:        12|20/11/2006|09:00:00|Ana Lima";
    const QString estorno = "000003|Estorno:        12|21/11/2006|08:30:00|Bruno Reis";
    const QString saida = "000003|Saída do Estoque:        12|21/11/2006|10:00:00|Bruno Reis";
    const QString entrada = "000001|Entrada no Estoque:        12|22/11/2006|17:45:00|Ana Lima";
    caso("all users, by date and time; a deleted user's lines left out", QString(), dia1, dia3,
         QStringList({inclusao, estorno, saida, entrada}));
    caso("both ends included", QString(), dia2, dia2, QStringList({estorno, saida}));
    caso("one user", QStringLiteral("3"), dia1, dia3, QStringList({estorno, saida}));
    caso("start after end", QString(), dia3, dia1, QStringList());
}

void TstConsultaLog::filter()
{
    QFETCH(QString, codigo);
    QFETCH(QDate, inicio);
    QFETCH(QDate, fim);
    QFETCH(QStringList, linhas);
    TelaTeste t;
    linhasDeTresUsuarios(t);
    t.abre(menu, [&](QDialog* d) {
        QCOMPARE(d->windowTitle(), QStringLiteral("Consulta de Log de Usuários"));
        QCOMPARE(acha<QDateEdit>(d, "dtpDataInicial")->date(), QDate::currentDate());
        QCOMPARE(acha<QDateEdit>(d, "dtpDataFinal")->date(), QDate::currentDate());
        informa(d, "edCodigo", codigo);
        acha<QDateEdit>(d, "dtpDataInicial")->setDate(inicio);
        acha<QDateEdit>(d, "dtpDataFinal")->setDate(fim);
        clica(d, "btnFiltra");
        QAbstractItemModel* m = acha<QTableView>(d, "dbgLog")->model();
        QStringList vistas;
        for (int l = 0; l < m->rowCount(); ++l) {
            QStringList celulas;
            for (int c = 0; c < m->columnCount(); ++c)
                celulas << m->index(l, c).data().toString();
            vistas << celulas.join(QLatin1Char('|'));
        }
        QCOMPARE(vistas, linhas);
        QStringList titulos;
        for (int c = 0; c < m->columnCount(); ++c)
            titulos << m->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(titulos,
                 QStringList({"Cód.Usuário", "Evento", "Data", "Hora", "Nome do Usuário"}));
        clica(d, "Button2");
    });
    QCOMPARE(t.msgs.quantidade(), 0);
    // The next opening empties the fields but keeps the grid.
    t.abre(menu, [&](QDialog* d) {
        QCOMPARE(textos(d, {"edCodigo", "edLogin", "edNome"}), QStringList({"", "", ""}));
        QCOMPARE(acha<QTableView>(d, "dbgLog")->model()->rowCount(), linhas.size());
        clica(d, "Button2");
    });
}

void TstConsultaLog::userLookups_data()
{
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("digitado");
    QTest::addColumn<QStringList>("campos"); // code, login, name
    QTest::addColumn<QString>("mensagem");
    QTest::addColumn<QString>("foco");
    caso("code 3", QStringLiteral("edCodigo"), QStringLiteral("3"),
         QStringList({"000003", "bruno", "Bruno Reis"}), QString(),
         QStringLiteral("dtpDataInicial"));
    caso("unknown code", QStringLiteral("edCodigo"), QStringLiteral("9"), QStringList({"", "", ""}),
         QStringLiteral("Usuário não Cadastrado, tente outro código"), QStringLiteral("edCodigo"));
    // Two users share the login: the first is taken.
    caso("login", QStringLiteral("edLogin"), QStringLiteral("bruno"),
         QStringList({"000003", "bruno", "Bruno Reis"}), QString(),
         QStringLiteral("dtpDataInicial"));
    caso("unknown login", QStringLiteral("edLogin"), QStringLiteral("Ana"),
         QStringList({"", "", ""}), QStringLiteral("Usuário não Cadastrado, tente outro Login"),
         QStringLiteral("edLogin"));
    // Characters the database cannot hold are in nobody's code or login.
    caso("code the database cannot hold", QStringLiteral("edCodigo"), QStringLiteral("€"),
         QStringList({"", "", ""}), QStringLiteral("Usuário não Cadastrado, tente outro código"),
         QStringLiteral("edCodigo"));
    caso("login the database cannot hold", QStringLiteral("edLogin"), QStringLiteral("日本"),
         QStringList({"", "", ""}), QStringLiteral("Usuário não Cadastrado, tente outro Login"),
         QStringLiteral("edLogin"));
}

void TstConsultaLog::userLookups()
{
    QFETCH(QString, campo);
    QFETCH(QString, digitado);
    QFETCH(QStringList, campos);
    QFETCH(QString, mensagem);
    QFETCH(QString, foco);
    TelaTeste t;
    linhasDeTresUsuarios(t);
    t.abre(menu, [&](QDialog* d) {
        // Something shown first, which a refusal empties.
        informa(d, "edCodigo", "1");
        QCOMPARE(texto(d, "edNome"), QStringLiteral("Ana Lima"));
        if (campo == QLatin1String("edLogin"))
            informa(d, "edLogin", digitado);
        else
            informa(d, "edCodigo", digitado);
        QCOMPARE(textos(d, {"edCodigo", "edLogin", "edNome"}), campos);
        QTRY_COMPARE(focado()->objectName(), foco);
        clica(d, "Button2");
    });
    if (mensagem.isEmpty())
        QCOMPARE(t.msgs.quantidade(), 0);
    else
        QCOMPARE(t.msgs.mensagens(), QList<MensagemGravada>({{TipoMensagem::Erro, mensagem}}));
}

void TstConsultaLog::refusedCodeStopsTheFilter()
{
    TelaTeste t;
    linhasDeTresUsuarios(t);
    t.abre(menu, [&](QDialog* d) {
        acha<QDateEdit>(d, "dtpDataInicial")->setDate(dia1);
        acha<QDateEdit>(d, "dtpDataFinal")->setDate(dia3);
        digita(d, "edCodigo", "9");
        // The click leaves the code: it is refused, and the filter does not run for everyone.
        clica(d, "btnFiltra");
        QCOMPARE(acha<QTableView>(d, "dbgLog")->model()->rowCount(), 0);
        QTRY_VERIFY(focado(d, "edCodigo"));
        clica(d, "btnFiltra");
        QCOMPARE(acha<QTableView>(d, "dbgLog")->model()->rowCount(), 4);
        clica(d, "Button2");
    });
    QCOMPARE(t.msgs.textos(), QStringList({"Usuário não Cadastrado, tente outro código"}));
}

QTEST_MAIN(TstConsultaLog)
#include "tst_consultalog.moc"
