// Users: the list with its orders and refusals, the record window's checks, and the saves that
// write the user together with its permission rows and audit line, or nothing at all.

#include "app/Principal.h"
#include "data/CatalogoModulos.h"
#include "data/DataModule_Usuarios.h"
#include "support/AplicacaoTeste.h"
#include "support/Cadastro.h"
#include "support/DriverModal.h"
#include "support/GravadorMensagens.h"
#include "support/Tela.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QtTest>

using namespace Tela;

class TstUsuarios : public QObject {
    Q_OBJECT

private slots:
    void catalogueIsTheDocumentedOne();
    void firstUserGetsCodeAndEveryPermission();
    void checksInOrder_data();
    void checksInOrder();
    void storedAsTypedAndLoginsMayRepeat();
    void changeAndConsultShowTheStoredUser();
    void savesWriteOneAuditLine_data();
    void savesWriteOneAuditLine();
    void failureLeavesNeitherHalf_data();
    void failureLeavesNeitherHalf();
    void codeTakenMeanwhileIsRenumbered();
    void loginStaysPassable_data();
    void loginStaysPassable();
    void emptyListRefusals_data();
    void emptyListRefusals();
    void ordersAndQuickSearch();
};

namespace {

const char* const menu = "ManutenodeUsurios1";
const QString senha = QStringLiteral("Segr3do#");

// What is typed in the record window, and the warning that refuses it and where it leaves the
// focus.
struct CadastroRecusado {
    QString nome;
    QString login;
    QString senha1;
    QString senha2;
    QString mensagem;
    QString foco;
};

// A save through the list's button, the audit line it writes and the users left after it.
struct GravacaoAuditada {
    QString botao;
    QString linha;
    int usuarios;
};

// A save through the list's button that the database refuses part of, and what is then said.
struct Falha {
    QString botao;
    QString gatilho; // the refused statement
    QString mensagem;
    TipoMensagem tipo;
};

// The login setting, another user's state and the save that would leave nobody to log in.
struct UltimoAtivo {
    QString botao;
    QString login;  // stored setting
    QString outro;  // another user's USU_Ativo, or none
    QString recusa; // empty: the save goes through
};

// Fills the record window as a person does.
void preenche(QDialog* d, const QString& nome, const QString& login, const QString& s1,
              const QString& s2)
{
    digita(d, "edUSU_Nome", nome);
    digita(d, "edUSU_Login", login);
    digita(d, "edUSU_Senha", s1);
    digita(d, "edUSU_Senha2", s2);
}

// Opens the list from the menu, presses `botao` and gives the record window `passos`.
void pelaManutencao(TelaTeste& t, const char* botao, DriverModal::Passos passos)
{
    pelaLista(t.driver, botao, "btnUSU_Fecha", std::move(passos));
    t.principal().aciona(menu);
}

QVariant coluna(TelaTeste& t, const char* coluna, const QString& codigo)
{
    return t.banco.valor(
        QStringLiteral("Select %1 From Usuarios Where USU_Codigo = :C").arg(QLatin1String(coluna)),
        {{"C", codigo}});
}

// No message may carry a password.
void semSenha(const GravadorMensagens& msgs)
{
    for (const QString& m : msgs.textos())
        QVERIFY2(!m.contains(senha), qPrintable(m));
}

} // namespace

Q_DECLARE_METATYPE(CadastroRecusado)
Q_DECLARE_METATYPE(GravacaoAuditada)
Q_DECLARE_METATYPE(Falha)
Q_DECLARE_METATYPE(UltimoAtivo)

void TstUsuarios::catalogueIsTheDocumentedOne()
{
    const QList<ModuloPermissao>& m = CatalogoModulos::modulos();
    QCOMPARE(m.size(), 46);
    QSet<QString> codigos;
    for (const ModuloPermissao& p : m) {
        codigos << QString::fromUtf8(p.codigo);
        // The stored descriptions are already cut to their literals' widths.
        QVERIFY2(QString::fromUtf8(p.descricao).size() <= p.larguraDescricao, p.codigo);
        QCOMPARE(p.codigoGravado().size(), 13);
    }
    QCOMPARE(codigos.size(), 46);
    QCOMPARE(QString::fromUtf8(m.first().codigo), QStringLiteral("1"));
    QCOMPARE(QString::fromUtf8(m.last().codigo), QStringLiteral("4.5"));
    QCOMPARE(m.at(18).larguraDescricao, 50); // "1.5"
    QCOMPARE(m.at(19).larguraDescricao, 49); // "1.5.1"
}

void TstUsuarios::firstUserGetsCodeAndEveryPermission()
{
    TelaTeste t;
    pelaManutencao(t, "btnUSU_Inclui", [&](QDialog* d) {
        QCOMPARE(d->windowTitle(), QStringLiteral("Inclusão de Usuários"));
        QCOMPARE(texto(d, "lbTitulo_Dados_Usuarios"), QStringLiteral("Inclusão de Usuários"));
        QCOMPARE(botao(d, "btnUSU_Grava")->text(), QStringLiteral("Grava"));
        QVERIFY(botao(d, "btnUSU_Limpa")->isVisible());
        QCOMPARE(texto(d, "edUSU_Codigo"), QStringLiteral("000001"));
        QVERIFY(focado(d, "edUSU_Nome"));
        QCOMPARE(acha<QComboBox>(d, "cbUSU_Ativo")->currentText(), QStringLiteral("Ativo"));
        QCOMPARE(acha<QDateEdit>(d, "dtpUSU_DCad")->date(), QDate::currentDate());
        QCOMPARE(campo(d, "edUSU_Senha")->echoMode(), QLineEdit::Password);
        preenche(d, QStringLiteral("Maria José"), "maria", senha, senha);
        clica(d, "btnUSU_Grava");
        // Ready for the next user: emptied, the next code proposed.
        QCOMPARE(textos(d, {"edUSU_Codigo", "edUSU_Nome", "edUSU_Login", "edUSU_Senha"}),
                 QStringList({"000002", "", "", ""}));
        QVERIFY(focado(d, "edUSU_Nome"));
        clica(d, "btnDados_USU_Fecha");
    });
    QCOMPARE(t.msgs.textos(), QStringList());
    QCOMPARE(coluna(t, "USU_Nome", "000001").toString(), QStringLiteral("Maria José"));
    QCOMPARE(coluna(t, "USU_Senha", "000001").toString(), senha);
    QCOMPARE(coluna(t, "USU_Ativo", "000001").toString(), QStringLiteral("A"));
    QStringList esperadas;
    for (const ModuloPermissao& m : CatalogoModulos::modulos())
        esperadas << QString::fromUtf8(m.codigo) + QStringLiteral("|S");
    QCOMPARE(Cadastro::permissoesDe(t.banco, "000001"), esperadas);
    QCOMPARE(t.banco
                 .valor("Select PER_Descricao From Permissoes Where PER_CodUser = '000001' "
                        "and PER_CodMod = '4.4.4'")
                 .toString(),
             QStringLiteral("Utilitários->Usuários->Dá/Retira Permissão de Usu"));
    // The list shows the new user.
    QCOMPARE(colunaDaLista(t.app.dmUsuarios().cds_Usuarios, "USU_CODIGO"), QStringList{"000001"});
}

void TstUsuarios::checksInOrder_data()
{
    QTest::addColumn<CadastroRecusado>("r");
    caso("blank name",
         CadastroRecusado{"   ", "", "", "x",
                          "O Campo Nome Completo do Usuários Precisa ser Preenchido !",
                          "edUSU_Nome"});
    caso("blank login", CadastroRecusado{"Ana", "  ", "", "",
                                         "O Campo Login Precisa ser Preenchido !", "edUSU_Login"});
    caso("blank password",
         CadastroRecusado{"Ana", "ana", "  ", "  ", "O Campo Senha Precisa ser Preenchido !",
                          "edUSU_Senha"});
    caso("passwords differ in case",
         CadastroRecusado{"Ana", "ana", "Segredo", "segredo",
                          "Redigite a Senha Novamente as Senhas estão diferentes !",
                          "edUSU_Senha"});
    // The database holds ISO 8859-1 ("José" goes in): the field is named, never its content.
    caso("name the database cannot hold",
         CadastroRecusado{
             "José 日本", "ana", "x", "x",
             "O Campo Nome Completo do Usuário tem um Caractere que não pode ser Gravado !",
             "edUSU_Nome"});
    caso("login the database cannot hold",
         CadastroRecusado{"Ana", "ana€", "x", "x",
                          "O Campo Login tem um Caractere que não pode ser Gravado !",
                          "edUSU_Login"});
    caso("password the database cannot hold",
         CadastroRecusado{"Ana", "ana", "segr€do", "segr€do",
                          "O Campo Senha tem um Caractere que não pode ser Gravado !",
                          "edUSU_Senha"});
}

void TstUsuarios::checksInOrder()
{
    QFETCH(CadastroRecusado, r);
    TelaTeste t;
    pelaManutencao(t, "btnUSU_Inclui", [&](QDialog* d) {
        preenche(d, r.nome, r.login, r.senha1, r.senha2);
        campo(d, "edUSU_Nome")->setFocus();
        clica(d, "btnUSU_Grava");
        QCOMPARE(t.msgs.mensagens(), QList<MensagemGravada>({{TipoMensagem::Aviso, r.mensagem}}));
        QCOMPARE(focado()->objectName(), r.foco);
        clica(d, "btnDados_USU_Fecha");
    });
    QCOMPARE(t.banco.conta("Usuarios"), 0);
    QCOMPARE(t.banco.conta("Permissoes"), 0);
}

void TstUsuarios::storedAsTypedAndLoginsMayRepeat()
{
    TelaTeste t;
    Cadastro::usuario(t.banco, "000001", "Ana", "ana", "x");
    pelaManutencao(t, "btnUSU_Inclui", [&](QDialog* d) {
        preenche(d, QStringLiteral("  Ana Souza"), "ana", "y", "y");
        escolhe(d, "cbUSU_Ativo", QStringLiteral("Inativo"));
        acha<QDateEdit>(d, "dtpUSU_DCad")->setDate(QDate(2006, 11, 24));
        clica(d, "btnUSU_Grava");
        clica(d, "btnDados_USU_Fecha");
    });
    QCOMPARE(t.msgs.textos(), QStringList());
    QCOMPARE(coluna(t, "USU_Nome", "000002").toString(), QStringLiteral("  Ana Souza"));
    QCOMPARE(coluna(t, "USU_Login", "000002").toString(), QStringLiteral("ana"));
    QCOMPARE(coluna(t, "USU_Ativo", "000002").toString(), QStringLiteral("I"));
    QCOMPARE(coluna(t, "USU_DCad", "000002").toDate(), QDate(2006, 11, 24));
}

void TstUsuarios::changeAndConsultShowTheStoredUser()
{
    TelaTeste t;
    Cadastro::usuario(t.banco, "000001", "Ana", "ana", senha, "I");
    pelaManutencao(t, "btnUSU_Consulta", [&](QDialog* d) {
        QCOMPARE(texto(d, "lbTitulo_Dados_Usuarios"), QStringLiteral("Consulta de Usuários"));
        QCOMPARE(d->windowTitle(), QStringLiteral("Inclusão de Usuários"));
        QVERIFY(!botao(d, "btnUSU_Grava")->isVisible());
        QVERIFY(!botao(d, "btnUSU_Limpa")->isVisible());
        QCOMPARE(
            textos(d, {"edUSU_Codigo", "edUSU_Nome", "edUSU_Login", "edUSU_Senha", "edUSU_Senha2"}),
            QStringList({"000001", "Ana", "ana", senha, senha}));
        QCOMPARE(acha<QComboBox>(d, "cbUSU_Ativo")->currentText(), QStringLiteral("Inativo"));
        QVERIFY(focado(d, "edUSU_Nome"));
        clica(d, "btnDados_USU_Fecha");
    });
    pelaManutencao(t, "btnUSU_Altera", [&](QDialog* d) {
        QCOMPARE(texto(d, "lbTitulo_Dados_Usuarios"), QStringLiteral("Alteração de Usuários"));
        QCOMPARE(botao(d, "btnUSU_Grava")->text(), QStringLiteral("Alterar"));
        QVERIFY(!botao(d, "btnUSU_Limpa")->isVisible());
        digita(d, "edUSU_Nome", QStringLiteral("Ana Lúcia"));
        escolhe(d, "cbUSU_Ativo", QStringLiteral("Ativo"));
        clica(d, "btnUSU_Grava");
        QVERIFY(!d->isVisible());
    });
    QCOMPARE(t.msgs.textos(), QStringList());
    QCOMPARE(coluna(t, "USU_Nome", "000001").toString(), QStringLiteral("Ana Lúcia"));
    QCOMPARE(coluna(t, "USU_Ativo", "000001").toString(), QStringLiteral("A"));
    QCOMPARE(coluna(t, "USU_Senha", "000001").toString(), senha);
}

void TstUsuarios::savesWriteOneAuditLine_data()
{
    QTest::addColumn<GravacaoAuditada>("g");
    caso("insert", GravacaoAuditada{"btnUSU_Inclui", "Inclusão de Usuário:000007", 7});
    caso("change", GravacaoAuditada{"btnUSU_Altera", "Alteração de Usuário:000007", 6});
    caso("delete", GravacaoAuditada{"btnUSU_Exclui", "Exclusão de Usuário:000007", 5});
}

void TstUsuarios::savesWriteOneAuditLine()
{
    QFETCH(GravacaoAuditada, g);
    const bool inclui = g.botao == QLatin1String("btnUSU_Inclui");
    TelaTeste t;
    for (int i = 1; i <= 5; ++i)
        Cadastro::usuario(t.banco, QStringLiteral("00000%1").arg(i), QStringLiteral("U%1").arg(i),
                          QStringLiteral("u%1").arg(i), senha);
    // The sixth user, or the seventh, which is first by name: the one changed or deleted.
    if (inclui) {
        Cadastro::usuario(t.banco, "000006", "U6", "u6", senha);
    } else {
        Cadastro::usuario(t.banco, "000007", "Aaron", "aaron", senha);
        Cadastro::permissoes(t.banco, "000007", {"1", "2.1"}, "");
    }
    Cadastro::permissoes(t.banco, "000002", {"1", "2.1"}, "");
    t.comAuditoria("000002");
    pelaManutencao(t, qPrintable(g.botao), [&](QDialog* d) {
        QCOMPARE(texto(d, "edUSU_Codigo"), QStringLiteral("000007"));
        if (inclui)
            preenche(d, "Sete", "sete", senha, senha);
        else if (g.botao == QLatin1String("btnUSU_Altera"))
            digita(d, "edUSU_Nome", QStringLiteral("Aarão"));
        clica(d, "btnUSU_Grava");
        if (inclui)
            clica(d, "btnDados_USU_Fecha");
    });
    QCOMPARE(t.msgs.textos(), QStringList());
    QCOMPARE(t.banco.conta("Usuarios"), g.usuarios);
    QCOMPARE(Cadastro::linhasLog(t.banco), QStringList{QStringLiteral("000002|") + g.linha});
    // A deleted user's rows go with it; nobody else's do.
    QCOMPARE(Cadastro::permissoesDe(t.banco, "000007").size(),
             g.botao == QLatin1String("btnUSU_Exclui") ? 0 : (inclui ? 46 : 2));
    QCOMPARE(Cadastro::permissoesDe(t.banco, "000002").size(), 2);
}

void TstUsuarios::failureLeavesNeitherHalf_data()
{
    QTest::addColumn<Falha>("f");
    const QString falhaInclui = QStringLiteral("Não Consegui Grava, tente novamente !");
    const QString deuErro = QStringLiteral("Deu Erro, tente novamente");
    // The insert of the user goes through; the 30th permission row is refused.
    caso("insert, permission row refused",
         Falha{"btnUSU_Inclui",
               QStringLiteral("FOR Permissoes BEFORE INSERT AS BEGIN IF (NEW.PER_CodMod STARTING "
                              "WITH '2.5.1') THEN EXCEPTION travado; END"),
               falhaInclui, TipoMensagem::Aviso});
    caso("insert, audit line refused",
         Falha{"btnUSU_Inclui", "FOR Log BEFORE INSERT AS BEGIN EXCEPTION travado; END",
               falhaInclui, TipoMensagem::Aviso});
    caso("change refused",
         Falha{"btnUSU_Altera", "FOR Usuarios BEFORE UPDATE AS BEGIN EXCEPTION travado; END",
               deuErro, TipoMensagem::Informacao});
    // The user is deleted; its permission rows are refused.
    caso("delete, permission rows refused",
         Falha{"btnUSU_Exclui", "FOR Permissoes BEFORE DELETE AS BEGIN EXCEPTION travado; END",
               deuErro, TipoMensagem::Informacao});
}

void TstUsuarios::failureLeavesNeitherHalf()
{
    QFETCH(Falha, f);
    TelaTeste t;
    Cadastro::usuario(t.banco, "000001", "Ana", "ana", senha);
    Cadastro::permissoes(t.banco, "000001", {"1", "2.1", "4.4.1"}, "2.1");
    t.comAuditoria("000001");
    t.banco.executa("CREATE EXCEPTION travado 'gravação recusada'");
    t.banco.executa(QStringLiteral("CREATE TRIGGER travado ") + f.gatilho);
    const QStringList permissoesAntes = Cadastro::permissoesDe(t.banco, "000001");
    bool aberta = false;
    pelaManutencao(t, qPrintable(f.botao), [&](QDialog* d) {
        if (f.botao == QLatin1String("btnUSU_Inclui"))
            preenche(d, "Bruno", "bruno", senha, senha);
        else
            digita(d, "edUSU_Nome", "Ana Maria");
        const QString codigo = texto(d, "edUSU_Codigo");
        clica(d, "btnUSU_Grava");
        // The window stays, the fields as they were.
        aberta = d->isVisible();
        QCOMPARE(texto(d, "edUSU_Codigo"), codigo);
        clica(d, "btnDados_USU_Fecha");
    });
    QVERIFY(aberta);
    QCOMPARE(t.msgs.mensagens(), QList<MensagemGravada>({{f.tipo, f.mensagem}}));
    semSenha(t.msgs);
    QCOMPARE(t.banco.conta("Usuarios"), 1);
    QCOMPARE(coluna(t, "USU_Nome", "000001").toString(), QStringLiteral("Ana"));
    QCOMPARE(t.banco.conta("Permissoes"), 3);
    QCOMPARE(Cadastro::permissoesDe(t.banco, "000001"), permissoesAntes);
    QCOMPARE(t.banco.conta("Log"), 0);
}

void TstUsuarios::codeTakenMeanwhileIsRenumbered()
{
    TelaTeste t;
    Cadastro::usuario(t.banco, "000001", "Ana", "ana", "x");
    pelaManutencao(t, "btnUSU_Inclui", [&](QDialog* d) {
        QCOMPARE(texto(d, "edUSU_Codigo"), QStringLiteral("000002"));
        // Another workstation takes the code while this one types.
        Cadastro::usuario(t.banco, "000002", "Outro", "outro", "x");
        preenche(d, "Bruno", "bruno", "y", "y");
        clica(d, "btnUSU_Grava");
        clica(d, "btnDados_USU_Fecha");
    });
    QCOMPARE(t.msgs.mensagens(), QList<MensagemGravada>({{TipoMensagem::Informacao,
                                                          QStringLiteral("Novo Código:000003")}}));
    QCOMPARE(coluna(t, "USU_Nome", "000003").toString(), QStringLiteral("Bruno"));
    QCOMPARE(Cadastro::permissoesDe(t.banco, "000003").size(), 46);
    QCOMPARE(Cadastro::permissoesDe(t.banco, "000002").size(), 0);
}

void TstUsuarios::loginStaysPassable_data()
{
    QTest::addColumn<UltimoAtivo>("u");
    const QString exclui = QStringLiteral(
        "O Login está Ligado e este é o único Usuário Ativo, não é possível Excluí-lo !");
    const QString inativa = QStringLiteral(
        "O Login está Ligado e este é o único Usuário Ativo, não é possível Inativá-lo !");
    caso("delete the only active user", UltimoAtivo{"btnUSU_Exclui", "S", "I", exclui});
    caso("make the only active user inactive",
         UltimoAtivo{"btnUSU_Altera", "S", QString(), inativa});
    caso("delete with another active user", UltimoAtivo{"btnUSU_Exclui", "S", "A", QString()});
    caso("delete with login off", UltimoAtivo{"btnUSU_Exclui", "N", QString(), QString()});
}

void TstUsuarios::loginStaysPassable()
{
    QFETCH(UltimoAtivo, u);
    TelaTeste t;
    t.banco.executa("Update Configuracoes set LOGIN = :L", {{"L", u.login}});
    Cadastro::usuario(t.banco, "000001", "Ana", "ana", "x");
    if (!u.outro.isEmpty())
        Cadastro::usuario(t.banco, "000002", "Bruno", "bruno", "y", u.outro);
    pelaManutencao(t, qPrintable(u.botao), [&](QDialog* d) {
        QCOMPARE(texto(d, "edUSU_Codigo"), QStringLiteral("000001"));
        if (u.botao == QLatin1String("btnUSU_Altera"))
            escolhe(d, "cbUSU_Ativo", QStringLiteral("Inativo"));
        clica(d, "btnUSU_Grava");
        QCOMPARE(d->isVisible(), !u.recusa.isEmpty());
        if (d->isVisible())
            clica(d, "btnDados_USU_Fecha");
    });
    QCOMPARE(t.msgs.textos(), u.recusa.isEmpty() ? QStringList() : QStringList{u.recusa});
    QCOMPARE(coluna(t, "USU_Ativo", "000001").toString(),
             u.recusa.isEmpty() ? QString() : QStringLiteral("A"));
}

void TstUsuarios::emptyListRefusals_data()
{
    QTest::addColumn<QString>("botao");
    QTest::addColumn<QString>("mensagem");
    caso("Altera", "btnUSU_Altera", "Nenhum Usuário para Alterar !");
    caso("Exclui", "btnUSU_Exclui", "Nenhum Usuário para Excluir !");
    caso("Consulta", "btnUSU_Consulta", "Nenhum Usuário para Consulta !");
    caso("Inclui always opens", "btnUSU_Inclui", QString());
}

void TstUsuarios::emptyListRefusals()
{
    QFETCH(QString, botao);
    QFETCH(QString, mensagem);
    TelaTeste t;
    t.driver.aoAbrir([&](QDialog* lista) {
        clica(lista, qPrintable(botao));
        clica(lista, "btnUSU_Fecha");
    });
    if (mensagem.isEmpty())
        t.driver.aoAbrir([](QDialog* d) { d->reject(); });
    t.principal().aciona(menu);
    if (mensagem.isEmpty()) {
        QCOMPARE(t.driver.abertas(), QStringList({"TfManut_Usuarios", "TfDados_Usuarios"}));
        QCOMPARE(t.msgs.quantidade(), 0);
    } else {
        QCOMPARE(t.driver.abertas(), QStringList({"TfManut_Usuarios"}));
        QCOMPARE(t.msgs.mensagens(),
                 QList<MensagemGravada>({{TipoMensagem::Informacao, mensagem}}));
    }
}

void TstUsuarios::ordersAndQuickSearch()
{
    TelaTeste t;
    Cadastro::usuario(t.banco, "000001", "Carla", "zeca", "x");
    Cadastro::usuario(t.banco, "000002", "Bruno", "ana", "x");
    Cadastro::usuario(t.banco, "000003", "Ana", "mara", "x");
    const DataSet& lista = t.app.dmUsuarios().cds_Usuarios;
    t.abre(menu, [&](QDialog* j) {
        // Opens by name.
        QCOMPARE(colunaDaLista(lista, "USU_CODIGO"), QStringList({"000003", "000002", "000001"}));
        QCOMPARE(texto(j, "lbUSU_Busca"), QStringLiteral("Nome:"));
        marca(j, "rbUSU_Login");
        QCOMPARE(colunaDaLista(lista, "USU_CODIGO"), QStringList({"000002", "000003", "000001"}));
        QCOMPARE(texto(j, "lbUSU_Busca"), QStringLiteral("Login:"));
        digita(j, "edUSU_Busca", "ze");
        clica(j, "btnUSU_Busca");
        QCOMPARE(lista.valor("USU_CODIGO").toString(), QStringLiteral("000001"));
        marca(j, "rbUSU_Codigo");
        QCOMPARE(colunaDaLista(lista, "USU_CODIGO"), QStringList({"000001", "000002", "000003"}));
        QCOMPARE(texto(j, "lbUSU_Busca"), QStringLiteral("Código:"));
        digita(j, "edUSU_Busca", "2");
        clica(j, "btnUSU_Busca");
        QCOMPARE(texto(j, "edUSU_Busca"), QStringLiteral("000002"));
        QCOMPARE(lista.valor("USU_CODIGO").toString(), QStringLiteral("000002"));
        // Nothing matches: the current row stays, nothing is said.
        digita(j, "edUSU_Busca", "9");
        clica(j, "btnUSU_Busca");
        QCOMPARE(lista.valor("USU_CODIGO").toString(), QStringLiteral("000002"));
        clica(j, "btnUSU_Fecha");
    });
    QCOMPARE(t.msgs.quantidade(), 0);
    // The next opening goes back to the name order; the label keeps what the radio left.
    t.abre(menu, [&](QDialog* j) {
        QCOMPARE(colunaDaLista(lista, "USU_CODIGO"), QStringList({"000003", "000002", "000001"}));
        QVERIFY(acha<QRadioButton>(j, "rbUSU_Nome")->isChecked());
        QCOMPARE(texto(j, "lbUSU_Busca"), QStringLiteral("Código:"));
        // The grid shows the columns the stock room knows, never the password.
        QStringList titulos;
        QAbstractItemModel* m = acha<QTableView>(j, "dbgManut_Usuarios")->model();
        for (int c = 0; c < m->columnCount(); ++c)
            titulos << m->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(titulos, QStringList({"Código", "Nome", "Login", "Ativo", "D.Cadastramento"}));
        clica(j, "btnUSU_Fecha");
    });
}

QTEST_MAIN(TstUsuarios)
#include "tst_usuarios.moc"
