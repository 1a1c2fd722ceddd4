// What the registers of a code and a description share (product groups, requisitioners,
// supplier groups), run over a table of the three: the buttons and their permissions, the
// inclusions and their audit lines, the change and deletion of the list's current row, saves
// the database refuses, the quick search and the search window's contract. The save itself is
// shared by every record window (products, suppliers and users too): a change or deletion of a
// record another workstation deleted runs over all of them. What one register does differently
// is tested in its own file.

#include "app/Principal.h"
#include "common/JanelasCadastro.h"
#include "common/Modal.h"
#include "data/DataModule_GrupoFornecedor.h"
#include "data/DataModule_Grupos.h"
#include "data/DataModule_Req.h"
#include "data/DataSet.h"
#include "data/firebird/ErroBanco.h"
#include "registers/BuscaGRU_For.h"
#include "registers/Busca_Grupos.h"
#include "registers/Busca_REQ.h"
#include "support/AplicacaoTeste.h"
#include "support/Cadastro.h"
#include "support/DriverModal.h"
#include "support/GravadorMensagens.h"
#include "support/Tela.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using namespace Tela;

class TstFamilia : public QObject {
    Q_OBJECT

private slots:
    void buttonRefusedWithoutPermission_data();
    void buttonRefusedWithoutPermission();
    void twoInclusionsInARowAndTheirAuditLines_data();
    void twoInclusionsInARowAndTheirAuditLines();
    void codeTakenMeanwhile_data();
    void codeTakenMeanwhile();
    void descriptionTheDatabaseCannotHold_data();
    void descriptionTheDatabaseCannotHold();
    void changeAndDeleteTheCurrentRow_data();
    void changeAndDeleteTheCurrentRow();
    void refusedSaveRollsBackBeforeTheMessage_data();
    void refusedSaveRollsBackBeforeTheMessage();
    void rowFreeForOthersWhileTheFailureIsRead_data();
    void rowFreeForOthersWhileTheFailureIsRead();
    void failedRollbackKeepsTheOriginalMessage();
    void recordDeletedElsewhereIsNotSaved_data();
    void recordDeletedElsewhereIsNotSaved();
    void quickSearch_data();
    void quickSearch();
    void searchWindowHandsBackTheChosenCode_data();
    void searchWindowHandsBackTheChosenCode();
};

namespace {

// Where a register is stored, and how a test puts a row there.
struct Tabela {
    const char* nome;
    const char* colunaCodigo;
    const char* colunaDescricao;
    void (*insere)(BancoTeste&, const QString&, const QString&);
};

// What a record window says when the database refuses its save, one text for each mode.
struct Falhas {
    QString inclui;
    QString altera;
    QString exclui;
};

// One register: where it is stored, its three windows, and what its record window shows and
// writes.
struct Registro {
    Tabela tabela;
    ListaDeCadastro lista;
    DadosDeCadastro dados;
    BuscaDeCadastro busca;
    QString titulo; // the record window's titles: "Inclusão de " + titulo
    QString log;    // the audit lines: "Inclusão de " + log + code
    Falhas falhas;
    bool falhaComErro; // the database's own message follows the failure
    MensagemGravada descricaoVaziaAltera;
    const char* focoAposIncluir;
};

const QString semPermissao = QStringLiteral("Usuário Sem Permissão para Entrar nesse Módulo");

const QMap<QString, Registro>& registros()
{
    const Falhas tenteNovamente = {QStringLiteral("Não Consegui Incluir, Tente Novamente !"),
                                   QStringLiteral("Não Consegui Alterar, Tente Novamente !"),
                                   QStringLiteral("Não Consegui Excluir, Tente Novamente !")};
    static const QMap<QString, Registro> todos = {
        {QStringLiteral("grupos"),
         {.tabela = {"Grupos", "GRU_Codigo", "GRU_Descricao", Cadastro::grupo},
          .lista = listaDeGrupos,
          .dados = dadosDeGrupos,
          .busca = buscaDeGrupos,
          .titulo = QStringLiteral("Grupos"),
          .log = QStringLiteral("Grupo de Produtos:"),
          .falhas = tenteNovamente,
          .falhaComErro = false,
          .descricaoVaziaAltera = {TipoMensagem::Aviso,
                                   QStringLiteral(
                                       "O Campo da Descrição do Grupo deve ser Preenchido")},
          // The code takes no typing.
          .focoAposIncluir = dadosDeGrupos.descricao}},
        {QStringLiteral("requisitantes"),
         {.tabela = {"Requisitante", "REQ_Codigo", "REQ_Descricao", Cadastro::requisitante},
          .lista = listaDeRequisitantes,
          .dados = dadosDeRequisitantes,
          .busca = buscaDeRequisitantes,
          .titulo = QStringLiteral("Requisitantes"),
          .log = QStringLiteral("Requisitante::"),
          .falhas = {QStringLiteral("Não Consegui Incluir, tente Novamente"),
                     QStringLiteral("Não Consegui Alterar, Tente Novamente"),
                     QStringLiteral("Não consegui Excluir, tente novamente")},
          .falhaComErro = false,
          .descricaoVaziaAltera = {TipoMensagem::Aviso,
                                   QStringLiteral("O Campo Descrição Precisa ser Preenchido")},
          // Back on the code field, with the next code offered.
          .focoAposIncluir = dadosDeRequisitantes.codigo}},
        {QStringLiteral("grupos de fornecedores"),
         {.tabela = {"GRU_Fornec", "GRU_Codigo", "GRU_Desc", Cadastro::grupoFornecedor},
          .lista = listaDeGruposDeFornecedores,
          .dados = dadosDeGruposDeFornecedores,
          .busca = buscaDeGruposDeFornecedores,
          .titulo = QStringLiteral("Grupo de Fornecedores"),
          .log = QStringLiteral("Grupo de Fornecedor:"),
          .falhas = tenteNovamente,
          .falhaComErro = true,
          .descricaoVaziaAltera = {TipoMensagem::Informacao,
                                   QStringLiteral("O Campo da Descrição precisa ser Preenchido")},
          .focoAposIncluir = dadosDeGruposDeFornecedores.codigo}},
    };
    return todos;
}

// The table's one column: the register a row runs on.
void colunaRegistro()
{
    QTest::addColumn<QString>("registro");
}

// A row for each register, named after it, with that column only.
void umaLinhaPorRegistro()
{
    colunaRegistro();
    for (const QString& nome : registros().keys())
        caso(qPrintable(nome), nome);
}

const Registro& registroDaLinha()
{
    QFETCH(QString, registro);
    return *registros().constFind(registro);
}

// Opens the register's record window for an inclusion by user 000001, whose saves write their
// audit lines; the window takes `passos`.
void inclusaoComAuditoria(AplicacaoTeste& t, const Registro& r, DriverModal::Passos passos)
{
    t.comAuditoria("000001");
    DriverModal driver;
    inclusao(t.app, driver, r.lista, std::move(passos));
}

QString descricaoDe(const Registro& r, AplicacaoTeste& t, const QString& codigo)
{
    return t.banco
        .valor(QStringLiteral("Select %1 From %2 Where %3 = :C")
                   .arg(QLatin1String(r.tabela.colunaDescricao), QLatin1String(r.tabela.nome),
                        QLatin1String(r.tabela.colunaCodigo)),
               {{QStringLiteral("C"), codigo}})
        .toString();
}

// The transactions the program's connection has open, as the database itself counts them.
qint64 transacoesAbertas(AplicacaoTeste& t, const QVariant& conexao)
{
    return t.banco
        .valor(QStringLiteral("Select count(*) From MON$TRANSACTIONS Where MON$ATTACHMENT_ID = :A"),
               {{QStringLiteral("A"), conexao}})
        .toLongLong();
}

QVariant conexaoDoPrograma(AplicacaoTeste& t)
{
    Consulta c(t.app.conexao());
    c.setSql(QStringLiteral("Select CURRENT_CONNECTION From RDB$DATABASE"));
    return c.primeiroValor();
}

} // namespace

void TstFamilia::buttonRefusedWithoutPermission_data()
{
    colunaRegistro();
    QTest::addColumn<int>("recusado"); // 0 Novo, 1 Altera, 2 Exclui
    for (const QString& nome : registros().keys())
        for (int b = 0; b < 3; ++b)
            QTest::addRow("%s, %s", qPrintable(nome),
                          b == 0   ? "Novo"
                          : b == 1 ? "Altera"
                                   : "Exclui")
                << nome << b;
}

void TstFamilia::buttonRefusedWithoutPermission()
{
    QFETCH(int, recusado);
    const Registro& r = registroDaLinha();
    AplicacaoTeste t;
    r.tabela.insere(t.banco, "000001", "Tintas");
    const char* const botoes[] = {r.lista.novo, r.lista.altera, r.lista.exclui};
    const QString modulo = QString::fromLatin1(r.lista.modulo);
    const QString modulos[] = {modulo + ".1", modulo + ".2", modulo + ".3"};
    t.comPermissoes("000001", {"1", modulo, modulos[0], modulos[1], modulos[2]}, modulos[recusado]);
    GravadorMensagens msgs;
    DriverModal driver;
    driver.aoAbrir([&](QDialog* lista) {
        clica(lista, botoes[recusado]);
        QCOMPARE(msgs.textos(), QStringList({semPermissao}));
        QCOMPARE(msgs.mensagens()[0].tipo, TipoMensagem::Aviso);
        // The other two buttons are allowed and open the record window.
        msgs.limpa();
        for (int b = 0; b < 3; ++b)
            if (b != recusado)
                clica(lista, botoes[b]);
        QCOMPARE(msgs.quantidade(), 0);
        clica(lista, r.lista.fecha);
    });
    for (int i = 0; i < 2; ++i)
        driver.aoAbrir([&](QDialog* dados) { clica(dados, r.dados.fecha); });
    t.principal().aciona(QLatin1String(r.lista.menu));
    QCOMPARE(driver.abertas(), QStringList({r.lista.janela, r.dados.janela, r.dados.janela}));
    QCOMPARE(t.banco.conta(r.tabela.nome), 1);
}

void TstFamilia::twoInclusionsInARowAndTheirAuditLines_data()
{
    colunaRegistro();
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("log");
    QTest::addColumn<bool>("registra");
    QTest::addColumn<QStringList>("descricoes");
    QTest::addColumn<QStringList>("naLista"); // the list's codes, in its order
    const QStringList grupos = {"Ferramentas", "  Limpeza  "};
    // By name, as the list of requisitioners always opens.
    const QStringList requisitantes = {"Zélia", "  Almoxarifado  "};
    // Two supplier groups may share a description, without a question.
    const QStringList gruposFornecedor = {" Metais ", " Metais "};
    const struct {
        const char* nome;
        const char* login;
        const char* log;
        bool registra;
    } flags[] = {{"both on", "S", "S", true},
                 {"log without login", "N", "S", false},
                 {"login without log", "S", "N", false}};
    for (const auto& f : flags) {
        QTest::addRow("grupos, %s", f.nome) << "grupos" << f.login << f.log << f.registra << grupos
                                            << QStringList({"000001", "000002"});
        QTest::addRow("requisitantes, %s", f.nome)
            << "requisitantes" << f.login << f.log << f.registra << requisitantes
            << QStringList({"000002", "000001"});
        QTest::addRow("grupos de fornecedores, %s", f.nome)
            << "grupos de fornecedores" << f.login << f.log << f.registra << gruposFornecedor
            << QStringList();
    }
}

void TstFamilia::twoInclusionsInARowAndTheirAuditLines()
{
    QFETCH(bool, registra);
    QFETCH(QStringList, descricoes);
    QFETCH(QStringList, naLista);
    const Registro& r = registroDaLinha();
    AplicacaoTeste t;
    t.auditoriaDaLinha("000003");
    GravadorMensagens msgs;
    DriverModal driver;
    QStringList listaAoFim;
    inclusao(t.app, driver, r.lista, [&](QDialog* dados) {
        QCOMPARE(texto(dados, r.dados.codigo), QString("000001"));
        for (int i = 0; i < descricoes.size(); ++i) {
            if (focado(dados, r.dados.codigo)) {
                // Enter moves on, as Tab does.
                enter(dados, r.dados.codigo);
                QVERIFY(focado(dados, r.dados.descricao));
            }
            digita(dados, r.dados.descricao, descricoes[i]);
            clica(dados, r.dados.salva);
            // Stays open, emptied, with the next code proposed and the list up to date.
            QVERIFY(dados->isVisible());
            QCOMPARE(texto(dados, r.dados.descricao), QString());
            QCOMPARE(texto(dados, r.dados.codigo), QStringLiteral("00000%1").arg(i + 2));
            QVERIFY(focado(dados, r.focoAposIncluir));
        }
        listaAoFim = codigosDaLista(t.app, r.lista);
        clica(dados, r.dados.fecha);
    });
    if (naLista.isEmpty()) {
        // Equal descriptions: the list may show them either way.
        listaAoFim.sort();
        naLista = {"000001", "000002"};
    }
    QCOMPARE(listaAoFim, naLista);
    QCOMPARE(msgs.quantidade(), 0);
    QCOMPARE(descricaoDe(r, t, "000001"), descricoes[0]);
    QCOMPARE(descricaoDe(r, t, "000002"), descricoes[1]);
    QCOMPARE(t.banco.conta(r.tabela.nome), 2);
    QCOMPARE(Cadastro::linhasLog(t.banco),
             registra ? QStringList({"000003|Inclusão de " + r.log + "000001",
                                     "000003|Inclusão de " + r.log + "000002"})
                      : QStringList());
}

void TstFamilia::codeTakenMeanwhile_data()
{
    colunaRegistro();
    // Product groups and supplier groups look again at the save and take the next code;
    // requisitioners do not, and the insert fails.
    QTest::addColumn<bool>("renumera");
    caso("grupos", "grupos", true);
    caso("requisitantes", "requisitantes", false);
    caso("grupos de fornecedores", "grupos de fornecedores", true);
}

void TstFamilia::codeTakenMeanwhile()
{
    QFETCH(bool, renumera);
    const Registro& r = registroDaLinha();
    AplicacaoTeste t;
    GravadorMensagens msgs;
    inclusaoComAuditoria(t, r, [&](QDialog* dados) {
        QCOMPARE(texto(dados, r.dados.codigo), QString("000001"));
        // The proposed code is still free when the user moves on to the description.
        digita(dados, r.dados.descricao, "Parafusos");
        QCOMPARE(msgs.quantidade(), 0);
        // Another workstation takes the code while this one is typing.
        r.tabela.insere(t.banco, "000001", "Outra estação");
        clica(dados, r.dados.salva);
        if (renumera) {
            QCOMPARE(msgs.textos(), QStringList({"Novo Código:000002"}));
            QCOMPARE(msgs.mensagens()[0].tipo, TipoMensagem::Informacao);
        } else {
            QCOMPARE(msgs.textos(), QStringList({r.falhas.inclui}));
            QCOMPARE(msgs.mensagens()[0].tipo, TipoMensagem::Aviso);
            QVERIFY(dados->isVisible());
            QCOMPARE(texto(dados, r.dados.codigo), QString("000001"));
            QCOMPARE(texto(dados, r.dados.descricao), QString("Parafusos"));
        }
        clica(dados, r.dados.fecha);
    });
    QCOMPARE(descricaoDe(r, t, "000001"), QString("Outra estação"));
    if (renumera) {
        QCOMPARE(descricaoDe(r, t, "000002"), QString("Parafusos"));
        QCOMPARE(Cadastro::linhasLog(t.banco),
                 QStringList({"000001|Inclusão de " + r.log + "000002"}));
    } else {
        QCOMPARE(t.banco.conta(r.tabela.nome), 1);
        QCOMPARE(t.banco.conta("Log"), 0);
    }
}

void TstFamilia::descriptionTheDatabaseCannotHold_data()
{
    umaLinhaPorRegistro();
}

// No stored description holds a character outside ISO 8859-1: leaving the field asks nothing
// and says nothing, and the save fails with the window's own message, storing nothing.
void TstFamilia::descriptionTheDatabaseCannotHold()
{
    const Registro& r = registroDaLinha();
    AplicacaoTeste t;
    GravadorMensagens msgs;
    inclusaoComAuditoria(t, r, [&](QDialog* dados) {
        digita(dados, r.dados.descricao, "Tintas €");
        tab(dados, r.dados.descricao);
        QCOMPARE(msgs.quantidade(), 0);
        clica(dados, r.dados.salva);
        QCOMPARE(msgs.quantidade(), 1);
        QCOMPARE(msgs.mensagens()[0].tipo, TipoMensagem::Aviso);
        QVERIFY2(msgs.ultimoTexto().startsWith(r.falhas.inclui), qPrintable(msgs.ultimoTexto()));
        QVERIFY(dados->isVisible());
        QCOMPARE(texto(dados, r.dados.descricao), QString("Tintas €"));
        clica(dados, r.dados.fecha);
    });
    QCOMPARE(t.banco.conta(r.tabela.nome), 0);
    QCOMPARE(t.banco.conta("Log"), 0);
}

void TstFamilia::changeAndDeleteTheCurrentRow_data()
{
    colunaRegistro();
    QTest::addColumn<QStringList>("naLista"); // the list's codes afterwards, in its order
    caso("grupos", "grupos", QStringList({"000001", "000003"}));
    caso("requisitantes", "requisitantes", QStringList({"000003", "000001"}));
    caso("grupos de fornecedores", "grupos de fornecedores", QStringList({"000003", "000001"}));
}

void TstFamilia::changeAndDeleteTheCurrentRow()
{
    QFETCH(QStringList, naLista);
    const Registro& r = registroDaLinha();
    AplicacaoTeste t;
    t.comAuditoria("000002");
    r.tabela.insere(t.banco, "000001", "Tintas");
    r.tabela.insere(t.banco, "000002", "Abrasivos");
    r.tabela.insere(t.banco, "000003", "Madeiras");
    GravadorMensagens msgs;
    DriverModal driver;
    QPointer<Familia::JanelaDados> janelaDados;
    driver.aoAbrir([&](QDialog* lista) {
        selecionaCodigo(t.app, r.lista, lista, "000001");
        clica(lista, r.lista.altera);
        selecionaCodigo(t.app, r.lista, lista, "000002");
        clica(lista, r.lista.exclui);
        clica(lista, r.lista.fecha);
    });
    driver.aoAbrir([&](QDialog* dados) {
        janelaDados = qobject_cast<Familia::JanelaDados*>(dados);
        QCOMPARE(dados->windowTitle(), "Alteração de " + r.titulo);
        QCOMPARE(texto(dados, r.dados.titulo), "Alteração de " + r.titulo);
        QCOMPARE(botao(dados, r.dados.salva)->text(), QString("Altera"));
        QVERIFY(!botao(dados, r.dados.limpa)->isVisible());
        QCOMPARE(texto(dados, r.dados.codigo), QString("000001"));
        QCOMPARE(texto(dados, r.dados.descricao), QString("Tintas"));
        QVERIFY(focado(dados, r.dados.descricao));
        // Blanks are no description.
        digita(dados, r.dados.descricao, "  ");
        clica(dados, r.dados.salva);
        QCOMPARE(msgs.mensagens(), QList<MensagemGravada>({r.descricaoVaziaAltera}));
        QVERIFY(focado(dados, r.dados.descricao));
        QVERIFY(dados->isVisible());
        msgs.limpa();
        digita(dados, r.dados.descricao, "Tintas e Vernizes");
        clica(dados, r.dados.salva);
        QVERIFY(!dados->isVisible());
    });
    driver.aoAbrir([&](QDialog* dados) {
        QCOMPARE(dados->windowTitle(), "Exclusão de " + r.titulo);
        QCOMPARE(texto(dados, r.dados.titulo), "Exclusão de " + r.titulo);
        QCOMPARE(botao(dados, r.dados.salva)->text(), QString("Exclui"));
        QVERIFY(!botao(dados, r.dados.limpa)->isVisible());
        QCOMPARE(texto(dados, r.dados.codigo), QString("000002"));
        // No question is asked.
        clica(dados, r.dados.salva);
        QVERIFY(!dados->isVisible());
    });
    t.principal().aciona(QLatin1String(r.lista.menu));
    QCOMPARE(msgs.quantidade(), 0);
    QVERIFY(janelaDados);
    QCOMPARE(janelaDados->CodSelecionado, QString("000002"));
    QCOMPARE(t.banco.conta(r.tabela.nome), 2);
    QCOMPARE(descricaoDe(r, t, "000001"), QString("Tintas e Vernizes"));
    QCOMPARE(descricaoDe(r, t, "000003"), QString("Madeiras"));
    QCOMPARE(codigosDaLista(t.app, r.lista), naLista);
    QCOMPARE(Cadastro::linhasLog(t.banco), QStringList({"000002|Alteração de " + r.log + "000001",
                                                        "000002|Exclusão de " + r.log + "000002"}));
}

void TstFamilia::refusedSaveRollsBackBeforeTheMessage_data()
{
    colunaRegistro();
    QTest::addColumn<int>("modo"); // 0 Novo, 1 Altera, 2 Exclui
    for (const QString& nome : registros().keys())
        for (int m = 0; m < 3; ++m)
            QTest::addRow("%s, %s", qPrintable(nome),
                          m == 0   ? "insert"
                          : m == 1 ? "change"
                                   : "delete")
                << nome << m;
}

void TstFamilia::refusedSaveRollsBackBeforeTheMessage()
{
    QFETCH(int, modo);
    const Registro& r = registroDaLinha();
    AplicacaoTeste t;
    t.comAuditoria("000001");
    r.tabela.insere(t.banco, "000001", "Tintas");
    // The database refuses every change to the register from here on.
    t.banco.recusa(QLatin1String(r.tabela.nome), "INSERT OR UPDATE OR DELETE", "cadastro travado");
    const QVariant conexao = conexaoDoPrograma(t);
    GravadorMensagens msgs;
    // When the box shows, the save has already been undone: the program holds nothing open.
    int abertasAoMostrar = -1;
    msgs.aoMostrar(
        [&](const MensagemGravada&) { abertasAoMostrar = int(transacoesAbertas(t, conexao)); });
    const char* const botoes[] = {r.lista.novo, r.lista.altera, r.lista.exclui};
    const QString falhas[] = {r.falhas.inclui, r.falhas.altera, r.falhas.exclui};
    DriverModal driver;
    driver.aoAbrir([&](QDialog* lista) {
        clica(lista, botoes[modo]);
        clica(lista, r.lista.fecha);
    });
    driver.aoAbrir([&](QDialog* dados) {
        // What the user typed stays after the failure, where the mode lets them type.
        if (acha<QLineEdit>(dados, r.dados.descricao)->isEnabled())
            digita(dados, r.dados.descricao, "Limpeza");
        const QString codigo = texto(dados, r.dados.codigo);
        const QString descricao = texto(dados, r.dados.descricao);
        clica(dados, r.dados.salva);
        QCOMPARE(msgs.quantidade(), 1);
        QCOMPARE(msgs.mensagens()[0].tipo, TipoMensagem::Aviso);
        const QString mostrado = msgs.ultimoTexto();
        if (r.falhaComErro) {
            QVERIFY2(mostrado.startsWith(falhas[modo] + "\nErro:  "), qPrintable(mostrado));
            QVERIFY2(mostrado.contains("cadastro travado"), qPrintable(mostrado));
        } else {
            QCOMPARE(mostrado, falhas[modo]);
        }
        QCOMPARE(abertasAoMostrar, 0);
        // The window stays, with what the user typed.
        QVERIFY(dados->isVisible());
        QCOMPARE(texto(dados, r.dados.codigo), codigo);
        QCOMPARE(texto(dados, r.dados.descricao), descricao);
        clica(dados, r.dados.fecha);
    });
    t.principal().aciona(QLatin1String(r.lista.menu));
    QCOMPARE(t.banco.conta(r.tabela.nome), 1);
    QCOMPARE(descricaoDe(r, t, "000001"), QString("Tintas"));
    QCOMPARE(t.banco.conta("Log"), 0);
}

void TstFamilia::rowFreeForOthersWhileTheFailureIsRead_data()
{
    umaLinhaPorRegistro();
}

void TstFamilia::rowFreeForOthersWhileTheFailureIsRead()
{
    const Registro& r = registroDaLinha();
    AplicacaoTeste t;
    t.comAuditoria("000001");
    r.tabela.insere(t.banco, "000001", "Tintas");
    // The change goes through and locks the row; the audit line after it is refused.
    t.banco.recusa("Log", "INSERT", "log travado");
    const QVariant conexao = conexaoDoPrograma(t);
    GravadorMensagens msgs;
    qint64 alteradasPorOutra = -1;
    msgs.aoMostrar([&](const MensagemGravada&) {
        // Checked first: were the row still locked, the other workstation would wait for ever.
        QCOMPARE(transacoesAbertas(t, conexao), 0);
        // Another workstation changes the same row at once while the box is on screen.
        alteradasPorOutra = t.banco.executa(
            QStringLiteral("Update %1 Set %2 = 'Outra estação' Where %3 = '000001'")
                .arg(QLatin1String(r.tabela.nome), QLatin1String(r.tabela.colunaDescricao),
                     QLatin1String(r.tabela.colunaCodigo)));
    });
    DriverModal driver;
    driver.aoAbrir([&](QDialog* lista) {
        clica(lista, r.lista.altera);
        clica(lista, r.lista.fecha);
    });
    driver.aoAbrir([&](QDialog* dados) {
        digita(dados, r.dados.descricao, "Tintas e Vernizes");
        clica(dados, r.dados.salva);
        QCOMPARE(msgs.textos().size(), 1);
        QVERIFY(msgs.ultimoTexto().startsWith(r.falhas.altera));
        QVERIFY(dados->isVisible());
        clica(dados, r.dados.fecha);
    });
    t.principal().aciona(QLatin1String(r.lista.menu));
    QCOMPARE(alteradasPorOutra, 1);
    QCOMPARE(descricaoDe(r, t, "000001"), QString("Outra estação"));
    QCOMPARE(t.banco.conta("Log"), 0);
}

void TstFamilia::failedRollbackKeepsTheOriginalMessage()
{
    AplicacaoTeste t;
    const QVariant conexao = conexaoDoPrograma(t);
    GravadorMensagens msgs;
    QWidget janela;
    const bool gravou = Familia::grava(
        t.app, &janela,
        [&](Transacao&) -> qint64 {
            // The connection is cut in the middle of the save: the rollback that follows the
            // failure fails as well.
            t.banco.executa("Delete From MON$ATTACHMENTS Where MON$ATTACHMENT_ID = :A",
                            {{"A", conexao}});
            throw ErroBanco(QStringLiteral("a falha que o usuário precisa ver"));
        },
        QStringLiteral("Alteração de Grupo de Fornecedor:000001"),
        [](const ErroBanco& e) {
            return Familia::comErro(QStringLiteral("Não Consegui Alterar, Tente Novamente !"), e);
        });
    QVERIFY(!gravou);
    QCOMPARE(msgs.textos(), QStringList({"Não Consegui Alterar, Tente Novamente !\nErro:  "
                                         "a falha que o usuário precisa ver"}));
    QCOMPARE(msgs.mensagens()[0].tipo, TipoMensagem::Aviso);
}

namespace {

// Every record window whose save goes through the family's, with what it shows when a change
// or deletion finds its record gone.
struct Sumido {
    ListaDeCadastro lista;
    const char* tabela;
    const char* colunaCodigo;
    QString codigo; // as stored
    void (*insere)(BancoTeste&);
    // The record window: its code field, a field a change types in, its save and close buttons.
    const char* codigoDados;
    const char* campo;
    const char* salva;
    const char* fecharDados;
    QString falhaAltera;
    QString falhaExclui;
    TipoMensagem tipo;
    bool comErro; // the reason follows the failure text
};

const QMap<QString, Sumido>& sumidos()
{
    const QString alterar = QStringLiteral("Não Consegui Alterar, Tente Novamente !");
    const QString excluir = QStringLiteral("Não Consegui Excluir, Tente Novamente !");
    static const QMap<QString, Sumido> todos = {
        {QStringLiteral("grupos"),
         {listaDeGrupos, "Grupos", "GRU_Codigo", "000001",
          [](BancoTeste& b) { Cadastro::grupo(b, "000001", "Tintas"); }, "edGRU_Codigo",
          "edGRU_Descricao", "btnGRU_Salva", "btnGRU_Fecha", alterar, excluir, TipoMensagem::Aviso,
          false}},
        {QStringLiteral("produtos"),
         {listaDeProdutos, "Produtos", "PRO_Codigo", "         1",
          [](BancoTeste& b) {
              Cadastro::grupo(b, "000001", "Ferramentas");
              Cadastro::insere(b, "Produtos",
                               {{"PRO_Codigo", "         1"},
                                {"PRO_Descricao", "Alicate"},
                                {"PRO_CodGru", "000001"},
                                {"PRO_Quant", 0},
                                {"PRO_Min", 0},
                                {"PRO_EMax", 0},
                                {"PRO_Valor", 0},
                                {"PRO_Consumivel", "S"}});
          },
          "edPRO_Codigo", "edPRO_Descricao", "btnPRO_Salva", "btnPRO_Fecha",
          QStringLiteral("Deu Erro, tente novamente !"),
          QStringLiteral("Deu Erro, tente novamente !"), TipoMensagem::Aviso, false}},
        {QStringLiteral("requisitantes"),
         {listaDeRequisitantes, "Requisitante", "REQ_Codigo", "000001",
          [](BancoTeste& b) { Cadastro::requisitante(b, "000001", "Oficina"); }, "edREQ_Codigo",
          "edREQ_Descricao", "btnREQ_Salva", "btnREQ_Fechar",
          QStringLiteral("Não Consegui Alterar, Tente Novamente"),
          QStringLiteral("Não consegui Excluir, tente novamente"), TipoMensagem::Aviso, false}},
        {QStringLiteral("grupos de fornecedores"),
         {listaDeGruposDeFornecedores, "GRU_Fornec", "GRU_Codigo", "000003",
          [](BancoTeste& b) { Cadastro::grupoFornecedor(b, "000003", "Metais"); }, "edCodigo",
          "edDescricao", "btnGruFornec_Grava", "btnGruFornec_Fechar", alterar, excluir,
          TipoMensagem::Aviso, true}},
        {QStringLiteral("fornecedores"),
         {listaDeFornecedores, "Fornecedor", "FOR_Codigo", "0000000001",
          [](BancoTeste& b) { Cadastro::fornecedor(b, "0000000001", "Tintas Cor Ltda"); },
          "edCodigo", "edRazao", "btnCadastra", "btnSaida", alterar, excluir, TipoMensagem::Aviso,
          true}},
        {QStringLiteral("usuarios"),
         {listaDeUsuarios, "Usuarios", "USU_Codigo", "000001",
          [](BancoTeste& b) {
              Cadastro::usuario(b, "000001", "Ana", "ana", "segredo");
              Cadastro::permissoes(b, "000001", {"1", "4.4.1"}, QString());
          },
          "edUSU_Codigo", "edUSU_Nome", "btnUSU_Grava", "btnDados_USU_Fecha",
          QStringLiteral("Deu Erro, tente novamente"), QStringLiteral("Deu Erro, tente novamente"),
          TipoMensagem::Informacao, false}},
    };
    return todos;
}

} // namespace

void TstFamilia::recordDeletedElsewhereIsNotSaved_data()
{
    QTest::addColumn<QString>("registro");
    QTest::addColumn<bool>("altera"); // a change, or a deletion
    for (const QString& nome : sumidos().keys()) {
        QTest::addRow("%s, change", qPrintable(nome)) << nome << true;
        QTest::addRow("%s, delete", qPrintable(nome)) << nome << false;
    }
}

// The record window read its record; another workstation deletes it before the save. The
// save touches no row: it must say so with the window's failure, write no audit line, leave
// the database as the other workstation left it, and keep the window open as it was.
void TstFamilia::recordDeletedElsewhereIsNotSaved()
{
    QFETCH(QString, registro);
    QFETCH(bool, altera);
    const Sumido& r = *sumidos().constFind(registro);
    AplicacaoTeste t;
    t.comAuditoria("000009");
    r.insere(t.banco);
    GravadorMensagens msgs;
    DriverModal driver;
    bool aberta = false;
    driver.aoAbrir([&](QDialog* lista) {
        clica(lista, altera ? r.lista.altera : r.lista.exclui);
        clica(lista, r.lista.fecha);
    });
    driver.aoAbrir([&](QDialog* dados) {
        QCOMPARE(texto(dados, r.codigoDados), r.codigo);
        if (altera)
            digita(dados, r.campo, "Outro Nome");
        const QStringList naTela = textos(dados, {r.codigoDados, r.campo});
        QCOMPARE(t.banco.executa(QStringLiteral("Delete From %1 Where %2 = :C")
                                     .arg(QLatin1String(r.tabela), QLatin1String(r.colunaCodigo)),
                                 {{"C", r.codigo}}),
                 1);
        const QStringList noBanco = Cadastro::todasAsLinhas(t.banco.conexao());
        clica(dados, r.salva);
        const QString falha = altera ? r.falhaAltera : r.falhaExclui;
        QCOMPARE(
            msgs.mensagens(),
            QList<MensagemGravada>(
                {{r.tipo,
                  r.comErro
                      ? falha +
                            "\nErro:  Registro não encontrado, outra estação pode tê-lo excluído."
                      : falha}}));
        aberta = dados->isVisible();
        QCOMPARE(textos(dados, {r.codigoDados, r.campo}), naTela);
        QCOMPARE(Cadastro::todasAsLinhas(t.banco.conexao()), noBanco);
        clica(dados, r.fecharDados);
    });
    t.principal().aciona(QLatin1String(r.lista.menu));
    QVERIFY(aberta);
    QCOMPARE(t.banco.conta("Log"), 0);
    QCOMPARE(t.banco.conta(r.tabela), 0);
}

void TstFamilia::quickSearch_data()
{
    colunaRegistro();
    QTest::addColumn<bool>("naBusca"); // in the search window rather than the list window
    QTest::addColumn<bool>("porCodigo");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("escrito"); // the search field afterwards
    QTest::addColumn<QString>("atual");   // the current row afterwards
    const struct {
        const char* nome;
        bool naBusca;
        bool porCodigo;
        const char* texto;
        const char* escrito;
        const char* atual;
    } casos[] = {
        {"code 12 padded", false, true, "12", "000012", "000012"},
        {"code 7 padded", false, true, "7", "000007", "000007"},
        {"seven digits as typed", false, true, "1234567", "1234567", "000001"},
        {"no match stays put", false, true, "99", "000099", "000001"},
        {"name prefix", false, false, "Bru", "Bru", "000007"},
        {"ele finds nothing, case counts", false, false, "ele", "ele", "000001"},
        {"Elé finds Elétrica", false, false, "Elé", "Elé", "000012"},
        {"search window, code 12", true, true, "12", "000012", "000012"},
        {"search window, name", true, false, "Elé", "Elé", "000012"},
    };
    for (const QString& nome : registros().keys())
        for (const auto& c : casos)
            QTest::addRow("%s, %s", qPrintable(nome), c.nome)
                << nome << c.naBusca << c.porCodigo << QString::fromUtf8(c.texto)
                << QString::fromUtf8(c.escrito) << QString::fromUtf8(c.atual);
}

void TstFamilia::quickSearch()
{
    QFETCH(bool, naBusca);
    QFETCH(bool, porCodigo);
    QFETCH(QString, texto);
    QFETCH(QString, escrito);
    QFETCH(QString, atual);
    const Registro& r = registroDaLinha();
    AplicacaoTeste t;
    r.tabela.insere(t.banco, "000001", "Ferramentas");
    r.tabela.insere(t.banco, "000007", "Bruno");
    r.tabela.insere(t.banco, "000012", "Elétrica");
    r.tabela.insere(t.banco, "000020", "Limpeza");
    DataSet& lista = r.lista.dados(t.app);
    const CamposDeBusca& busca = naBusca ? r.busca.rapida : r.lista.rapida;
    DriverModal driver;
    driver.aoAbrir([&](QDialog* janela) {
        clica(janela, porCodigo ? busca.radioCodigo : busca.radioDescricao);
        // An order starts on its first row; the search then starts from the first code.
        QCOMPARE(Familia::codigoAtual(lista),
                 lista.valor(0, QLatin1String(r.lista.campoCodigo)).toString());
        lista.localiza(QLatin1String(r.lista.campoCodigo), "000001");
        digita(janela, busca.campo, texto);
        clica(janela, busca.botao);
        QCOMPARE(Tela::texto(janela, busca.campo), escrito);
        QCOMPARE(Familia::codigoAtual(lista), atual);
        QCOMPARE(codigoNaGrade(janela, naBusca ? r.busca.grade : r.lista.grade), atual);
        janela->reject();
    });
    if (naBusca)
        Modal::exec(&r.busca.janela(t.app));
    else
        t.principal().aciona(QLatin1String(r.lista.menu));
}

void TstFamilia::searchWindowHandsBackTheChosenCode_data()
{
    umaLinhaPorRegistro();
}

void TstFamilia::searchWindowHandsBackTheChosenCode()
{
    const Registro& r = registroDaLinha();
    AplicacaoTeste t;
    r.tabela.insere(t.banco, "000001", "Tintas");
    r.tabela.insere(t.banco, "000002", "Abrasivos");
    r.tabela.insere(t.banco, "000003", "Madeiras");
    QDialog chamador;
    auto* outroCampo = new QLineEdit(&chamador);
    auto* destino = new QLineEdit(&chamador);
    Familia::JanelaBusca& busca = r.busca.janela(t.app);
    busca.registraDestino(r.busca.chamador, destino);
    DriverModal driver;

    // The caller opens the search from its own window; "Seleciona" hands the chosen row's
    // code back into the caller's field, which takes the focus.
    driver.aoAbrir([&](QDialog*) {
        outroCampo->setFocus();
        busca.Origem = r.busca.chamador;
        Modal::exec(&busca);
        QCOMPARE(destino->text(), QString("000003"));
        QTRY_COMPARE(focado(), destino);
    });
    driver.aoAbrir([&](QDialog* janela) {
        QCOMPARE(janela->objectName(), busca.objectName());
        escolheNaBusca(janela, r.lista.dados(t.app), r.lista.campoCodigo, "000003");
    });
    Modal::exec(&chamador);

    // An unknown caller gets nothing, nor does "Fechar".
    destino->setText("x");
    driver.aoAbrir([&](QDialog* janela) { clica(janela, r.busca.seleciona); });
    busca.Origem = "Desconhecida";
    Modal::exec(&busca);
    driver.aoAbrir([&](QDialog* janela) { clica(janela, r.busca.fecha); });
    busca.Origem = r.busca.chamador;
    Modal::exec(&busca);
    QCOMPARE(destino->text(), QString("x"));

    // With an empty list "Seleciona" hands back an empty code.
    t.banco.executa(QStringLiteral("Delete From %1").arg(QLatin1String(r.tabela.nome)));
    driver.aoAbrir([&](QDialog* janela) { clica(janela, r.busca.seleciona); });
    Modal::exec(&busca);
    QCOMPARE(destino->text(), QString());
}

QTEST_MAIN(TstFamilia)
#include "tst_familia.moc"
