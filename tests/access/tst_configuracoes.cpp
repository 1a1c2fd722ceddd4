// The three access settings: what each window shows of the stored row, what its save writes,
// the login that cannot be switched on with nobody to pass it, and the failures that say what
// the database said.

#include "app/Principal.h"
#include "support/AplicacaoTeste.h"
#include "support/Cadastro.h"
#include "support/DriverModal.h"
#include "support/GravadorMensagens.h"
#include "support/Tela.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace Tela;

class TstConfiguracoes : public QObject {
    Q_OBJECT

private slots:
    void windowsShowTheStoredValue_data();
    void windowsShowTheStoredValue();
    void loginSave_data();
    void loginSave();
    void permissionAndLogSaves_data();
    void permissionAndLogSaves();
    void failuresSayWhatTheDatabaseSaid_data();
    void failuresSayWhatTheDatabaseSaid();
    void runningProgramKeepsItsFlagsButChecksReadAfresh();
};

namespace {

const QString reiniciar = QStringLiteral(
    "Para que as novas Configurações façam efeito é necessário reiniciar o Programa");
const QString falhaLogin = QStringLiteral("Não Consegui Alterar, Tente Novamente");
const QString falhaConfiguracao =
    QStringLiteral("Não Consegui Alterar a Configuração, Tente Novamente !");
const QString semAtivo = QStringLiteral("Cadastre um Usuário Ativo antes de Ligar o Login !");

// The stored row as "LOGIN Permissao Log".
QString flagsGravados(AplicacaoTeste& t)
{
    const Resultado r = t.banco.consulta("Select LOGIN, Permissao, Log From Configuracoes");
    QStringList v;
    for (int c = 0; c < 3; ++c)
        v << (r.valor(0, c).isNull() ? QStringLiteral("-") : r.valor(0, c).toString());
    return v.join(QLatin1Char(' '));
}

void gravaFlags(AplicacaoTeste& t, const char* login, const char* permissao, const char* log)
{
    t.banco.executa("Update Configuracoes set LOGIN = :L, Permissao = :P, Log = :G",
                    {{"L", QString::fromLatin1(login)},
                     {"P", QString::fromLatin1(permissao)},
                     {"G", QString::fromLatin1(log)}});
}

// Each window: its menu item, its list, its save button and the column it shows.
struct Janela {
    const char* menu;
    const char* nome;
    const char* escolha;
    const char* grava;
    const char* fecha;
};
const Janela janelaLogin{"LogindeUsurios1", "TfConfig_Login", "cbLoginSN", "btnGravarLogin",
                         "btnFecharLogin"};
const Janela janelaPermissao{"PermissodeUsurios1", "TfPermissao_Usuarios", "cbPermissao",
                             "btnPerSN", "btnFechar"};
const Janela janelaLog{"LogdeUsurios1", "TfConfig_Log", "cbLog", "btnGrava", "btnFechar"};

Janela janelaDe(int i)
{
    return i == 0 ? janelaLogin : (i == 1 ? janelaPermissao : janelaLog);
}

// What a window (by its number for janelaDe) shows of its setting as stored ("-" stores NULL):
// the item chosen in its list, and its own title, list items and save button caption.
struct Exibicao {
    int janela;
    QString valor;
    int escolhido;
    QString titulo;
    QStringList itens;
    QString textoBotao;
};

} // namespace

Q_DECLARE_METATYPE(Exibicao)

void TstConfiguracoes::windowsShowTheStoredValue_data()
{
    QTest::addColumn<Exibicao>("c");
    for (int j = 0; j < 3; ++j) {
        const QString titulo = j == 0   ? QStringLiteral("Configurações de Login de Usuário")
                               : j == 1 ? QStringLiteral("Deseja Ter Permissão de Usuários no "
                                                         "Programa ?")
                                        : QStringLiteral("Deseja Gravar o Log das Operações dos "
                                                         "Usuários ?");
        const QStringList itens = {j == 2 ? QStringLiteral("Não ") : QStringLiteral("Não"),
                                   QStringLiteral("Sim")};
        const QString textoBotao = j == 1 ? QStringLiteral("Gravar ") : QStringLiteral("Gravar");
        for (const char* v : {"S", "N", "", "-"})
            QTest::addRow("%s, stored '%s'", janelaDe(j).nome, v)
                << Exibicao{.janela = j,
                            .valor = QString::fromLatin1(v),
                            .escolhido = QLatin1String(v) == "S" ? 1 : 0,
                            .titulo = titulo,
                            .itens = itens,
                            .textoBotao = textoBotao};
    }
}

void TstConfiguracoes::windowsShowTheStoredValue()
{
    QFETCH(Exibicao, c);
    const Janela j = janelaDe(c.janela);
    TelaTeste t;
    // Login on, so the menu lets the permission and log windows open; the flags are off, so
    // the gates ask nothing.
    gravaFlags(t, "S", "S", "S");
    const char* coluna = c.janela == 0 ? "LOGIN" : (c.janela == 1 ? "Permissao" : "Log");
    t.banco.executa(QStringLiteral("Update Configuracoes set %1 = :V").arg(coluna),
                    {{"V", c.valor == QLatin1String("-") ? QVariant() : QVariant(c.valor)}});
    t.abre(j.menu, [&](QDialog* d) {
        QCOMPARE(d->objectName(), QString::fromLatin1(j.nome));
        QCOMPARE(d->windowTitle(), c.titulo);
        auto* lista = acha<QComboBox>(d, j.escolha);
        QStringList vistos;
        for (int i = 0; i < lista->count(); ++i)
            vistos << lista->itemText(i);
        QCOMPARE(vistos, c.itens);
        QVERIFY(!lista->isEditable());
        QCOMPARE(lista->currentIndex(), c.escolhido);
        QCOMPARE(botao(d, j.grava)->text(), c.textoBotao);
        clica(d, j.fecha);
    });
    QCOMPARE(t.msgs.quantidade(), 0);
}

void TstConfiguracoes::loginSave_data()
{
    QTest::addColumn<QString>("antes");
    QTest::addColumn<QString>("usuario"); // "A", "I" or "" (none)
    QTest::addColumn<QString>("escolha");
    QTest::addColumn<QString>("depois");
    QTest::addColumn<QString>("mensagem");
    caso("Não switches all three off", QStringLiteral("S S S"), QStringLiteral("A"),
         QStringLiteral("Não"), QStringLiteral("N N N"), reiniciar);
    caso("Sim keeps permission and log", QStringLiteral("N S N"), QStringLiteral("A"),
         QStringLiteral("Sim"), QStringLiteral("S S N"), reiniciar);
    caso("Sim with no user refused", QStringLiteral("N N S"), QString(), QStringLiteral("Sim"),
         QStringLiteral("N N S"), semAtivo);
    caso("Sim with only an inactive user refused", QStringLiteral("N N N"), QStringLiteral("I"),
         QStringLiteral("Sim"), QStringLiteral("N N N"), semAtivo);
}

void TstConfiguracoes::loginSave()
{
    QFETCH(QString, antes);
    QFETCH(QString, usuario);
    QFETCH(QString, escolha);
    QFETCH(QString, depois);
    QFETCH(QString, mensagem);
    TelaTeste t;
    const QStringList a = antes.split(QLatin1Char(' '));
    gravaFlags(t, qPrintable(a[0]), qPrintable(a[1]), qPrintable(a[2]));
    if (!usuario.isEmpty())
        Cadastro::usuario(t.banco, "000001", "Ana", "ana", "x", usuario);
    t.abre(janelaLogin.menu, [&](QDialog* d) {
        escolhe(d, "cbLoginSN", escolha);
        clica(d, "btnGravarLogin");
        QVERIFY(d->isVisible());
        clica(d, "btnFecharLogin");
    });
    QCOMPARE(
        t.msgs.mensagens(),
        QList<MensagemGravada>(
            {{mensagem == reiniciar ? TipoMensagem::Informacao : TipoMensagem::Aviso, mensagem}}));
    QCOMPARE(flagsGravados(t), depois);
    QCOMPARE(t.banco.conta("Log"), 0);
}

void TstConfiguracoes::permissionAndLogSaves_data()
{
    QTest::addColumn<int>("janela");
    QTest::addColumn<QString>("escolha");
    QTest::addColumn<QString>("depois");
    caso("permission Sim", 1, QStringLiteral("Sim"), QStringLiteral("S S N"));
    caso("permission Não", 1, QStringLiteral("Não"), QStringLiteral("S N N"));
    caso("log Sim", 2, QStringLiteral("Sim"), QStringLiteral("S N S"));
    caso("log Não", 2, QStringLiteral("Não "), QStringLiteral("S N N"));
}

void TstConfiguracoes::permissionAndLogSaves()
{
    QFETCH(int, janela);
    QFETCH(QString, escolha);
    QFETCH(QString, depois);
    const Janela j = janelaDe(janela);
    TelaTeste t;
    // The setting starts as the opposite of the choice; the other one stays "N".
    const bool sim = escolha == QLatin1String("Sim");
    gravaFlags(t, "S", janela == 1 && !sim ? "S" : "N", janela == 2 && !sim ? "S" : "N");
    t.abre(j.menu, [&](QDialog* d) {
        escolhe(d, j.escolha, escolha);
        clica(d, j.grava);
        clica(d, j.fecha);
    });
    QCOMPARE(t.msgs.mensagens(), QList<MensagemGravada>({{TipoMensagem::Informacao, reiniciar}}));
    QCOMPARE(flagsGravados(t), depois);
}

void TstConfiguracoes::failuresSayWhatTheDatabaseSaid_data()
{
    QTest::addColumn<int>("janela");
    QTest::addColumn<bool>("semLinha"); // the row is gone, instead of refused by the database
    QTest::addColumn<QString>("inicio");
    QTest::addColumn<QString>("erro"); // what the message says after "Erro:  "
    const QString recusada = QStringLiteral("configuração travada");
    const QString perdida =
        QStringLiteral("A tabela Configuracoes não tem a linha das configurações.");
    for (int j = 0; j < 3; ++j) {
        const QString inicio = j == 0 ? falhaLogin : falhaConfiguracao;
        QTest::addRow("%s refused", janelaDe(j).nome) << j << false << inicio << recusada;
        QTest::addRow("%s without its row", janelaDe(j).nome) << j << true << inicio << perdida;
    }
}

void TstConfiguracoes::failuresSayWhatTheDatabaseSaid()
{
    QFETCH(int, janela);
    QFETCH(bool, semLinha);
    QFETCH(QString, inicio);
    QFETCH(QString, erro);
    const Janela j = janelaDe(janela);
    TelaTeste t;
    gravaFlags(t, "S", "N", "N");
    Cadastro::usuario(t.banco, "000001", "Ana", "ana", "x");
    t.driver.aoAbrir([&](QDialog* d) {
        if (semLinha) {
            t.banco.executa("Delete From Configuracoes");
        } else {
            t.banco.recusa("Configuracoes", "UPDATE", "configuração travada");
        }
        escolhe(d, j.escolha, QStringLiteral("Sim"));
        clica(d, j.grava);
        // The window stays with the user's choice.
        QCOMPARE(acha<QComboBox>(d, j.escolha)->currentText(), QStringLiteral("Sim"));
        clica(d, j.fecha);
    });
    t.principal().aciona(j.menu);
    QCOMPARE(t.msgs.quantidade(), 1);
    const MensagemGravada m = t.msgs.mensagens().first();
    QCOMPARE(m.tipo, TipoMensagem::Aviso);
    // The login window's text is its own only; the other two add the database's words.
    if (janela == 0)
        QCOMPARE(m.texto, inicio);
    else
        QVERIFY2(m.texto.startsWith(inicio + QStringLiteral("\nErro:  ")) && m.texto.contains(erro),
                 qPrintable(m.texto));
    if (!semLinha)
        QCOMPARE(flagsGravados(t), QStringLiteral("S N N"));
}

void TstConfiguracoes::runningProgramKeepsItsFlagsButChecksReadAfresh()
{
    TelaTeste t;
    gravaFlags(t, "S", "N", "N");
    t.flags("S", "N", "N");
    t.principal().CodUsuario = "000001";
    Cadastro::usuario(t.banco, "000001", "Ana", "ana", "x");
    t.abre(janelaLog.menu, [&](QDialog* d) {
        escolhe(d, "cbLog", QStringLiteral("Sim"));
        clica(d, "btnGrava");
        clica(d, "btnFechar");
    });
    QCOMPARE(flagsGravados(t), QStringLiteral("S N S"));
    // The log waits for the next start.
    QCOMPARE(t.principal().FlagLog, QStringLiteral("N"));
    QVERIFY(!t.principal().registraLog());
    // Login switched off: the log and permission windows are refused at once.
    t.abre(janelaLogin.menu, [&](QDialog* d) {
        escolhe(d, "cbLoginSN", QStringLiteral("Não"));
        clica(d, "btnGravarLogin");
        clica(d, "btnFecharLogin");
    });
    QCOMPARE(flagsGravados(t), QStringLiteral("N N N"));
    QCOMPARE(t.principal().FlagLogin, QStringLiteral("S"));
    t.msgs.limpa();
    t.principal().aciona(janelaLog.menu);
    t.principal().aciona(janelaPermissao.menu);
    QCOMPARE(t.msgs.textos(),
             QStringList({"O Item Login de Usuários deve estar como Sim para Utilizar o Log de "
                          "Usuários",
                          "O Item Login de Usuários deve estar como Sim para Utilizar a Permissão "
                          "de Usuários"}));
    QCOMPARE(t.driver.abertas(), QStringList({"TfConfig_Log", "TfConfig_Login"}));
}

QTEST_MAIN(TstConfiguracoes)
#include "tst_configuracoes.moc"
