// Every window the main menu opens, and every window those open, given hostile texts in every
// field: the program must not crash, must not show the engine's own error texts or a typed
// password, and must leave the stock and the ledger in agreement.

#include "support/AplicacaoTeste.h"
#include "support/Cadastro.h"
#include "support/ImpressoraTeste.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <map>

namespace {

// What the engine says in its own words; a person must only ever read the window's texts.
const char* const textosDoMotor[] = {
    "SQLSTATE",         "Dynamic SQL Error", "string right truncation", "arithmetic exception",
    "conversion error", "violation of"};

// Captions of the buttons that close their window: pressed by nobody here, so every other
// button of the window gets its turn. The program's end ("Saída") is left alone too.
const QStringList fechamentos = {QStringLiteral("Fechar"),   QStringLiteral("Fecha"),
                                 QStringLiteral("Sair"),     QStringLiteral("Saída"),
                                 QStringLiteral("Cancelar"), QStringLiteral("Sair do Programa")};

// The one confirmation answered "Não": deleting a movement while keeping its effect on the
// stock sets ledger and stock apart on purpose. Every other question leads to a save and is let
// through, so the saves really run.
const QString excluiSemReverter =
    QStringLiteral("Tem certeza que deseja Excluir essa Movimentação ?");

// A password field gets its own text, so a message that quotes it is told apart from one that
// quotes the same hostile text typed into a code.
const QString marcaSenha = QStringLiteral("pw#");

// The seeded stock: products, their quantities before the ledger below, and the ledger.
const QString furadeira = QStringLiteral("         2");
const QString parafuso = QStringLiteral("         1");
const QString cola = QStringLiteral("       COL");

struct Movimento {
    int numero;
    QString produto;
    const char* operacao;
    const char* quantidade;
};

// One walk through the program with one hostile text.
class Passeio {
public:
    Passeio(TelaTeste& t, const QString& texto) : m_t(t), m_texto(texto)
    {
        m_t.msgs.aoMostrar([this](const MensagemGravada& m) { recebe(m); });
    }

    // Every item of the main menu, found in the menu itself, so a window added to the menu is
    // walked without a word here.
    void percorreMenu()
    {
        QStringList itens;
        for (QMenu* menu : m_t.principal().menuBar()->findChildren<QMenu*>())
            for (QAction* a : menu->actions())
                if (!a->menu() && !a->isSeparator() && !a->objectName().isEmpty())
                    itens << a->objectName();
        for (const QString& item : itens) {
            m_item = item;
            garantePasso();
            const qsizetype antes = m_t.driver.abertas().size();
            m_t.principal().aciona(item);
            if (m_t.driver.abertas().size() == antes)
                semJanela << item;
        }
        m_item.clear();
        // The step and the chooser answer offered for a window that never came go to a window
        // of no consequence, so the driver ends with nothing queued.
        if (m_t.driver.passosPendentes() > 0) {
            QDialog vazia;
            vazia.setObjectName(QStringLiteral("semConsequencia"));
            Modal::exec(&vazia);
        }
        if (m_t.driver.escolhasPendentes() > 0)
            Modal::escolheArquivo(nullptr, QString(), QString(), QString(), false);
    }

    // What each window showed, in order: "item > window > ... | field typed "text" => message".
    QStringList diario;
    // Messages in the engine's words, by the window that showed them, and messages that quote
    // a typed password.
    std::map<QString, QStringList> doMotor;
    QStringList comSenha;
    // Every window walked, by name, and the menu items that opened none.
    QStringList janelas;
    QStringList semJanela;

private:
    QString onde() const
    {
        QString linha = m_item + QStringLiteral(" > ") + m_caminho.join(QStringLiteral(" > ")) +
                        QStringLiteral(" | ") + m_campo;
        if (!m_digitado.isEmpty())
            linha += QStringLiteral(" typed \"%1\"").arg(m_digitado);
        return linha;
    }

    void recebe(const MensagemGravada& m)
    {
        if (m.tipo == TipoMensagem::Confirmacao)
            m_t.msgs.responde(m.texto != excluiSemReverter);
        const QString linha = onde() + QStringLiteral(" => ") + m.texto;
        diario << linha;
        for (const char* motor : textosDoMotor)
            if (m.texto.contains(QLatin1String(motor), Qt::CaseInsensitive)) {
                doMotor[m_caminho.isEmpty() ? QString() : m_caminho.last().section(u' ', 0, 0)]
                    << linha;
                break;
            }
        for (const QString& senha : std::as_const(m_senhas))
            if (m.texto.contains(senha))
                comSenha << linha + QStringLiteral("   [password: \"%1\"]").arg(senha);
    }

    // Whatever window an action opens is walked the same way; whatever file chooser it asks
    // for is cancelled.
    void garantePasso()
    {
        if (m_t.driver.passosPendentes() == 0)
            m_t.driver.aoAbrir(
                [this](QDialog* janela) { percorre(janela, std::exchange(m_soCampo, -1)); });
        if (m_t.driver.escolhasPendentes() == 0)
            m_t.driver.respondeEscolha(QString());
    }

    // The fields a person can type into, in the order Tab visits them.
    static QList<QWidget*> campos(QDialog* janela)
    {
        QList<QWidget*> lista;
        for (QWidget* w = janela->nextInFocusChain(); w && w != janela; w = w->nextInFocusChain()) {
            if (w->window() != janela || lista.contains(w))
                continue;
            if (auto* l = qobject_cast<QLineEdit*>(w)) {
                // The edit inside a date picker or a combo box belongs to that control.
                if (l->isReadOnly() || qobject_cast<QAbstractSpinBox*>(l->parentWidget()) ||
                    qobject_cast<QComboBox*>(l->parentWidget()))
                    continue;
            } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
                if (p->isReadOnly())
                    continue;
            } else {
                continue;
            }
            lista << w;
        }
        return lista;
    }

    static QList<QAbstractButton*> botoes(QDialog* janela)
    {
        QList<QAbstractButton*> lista;
        QList<QAbstractButton*> limpam;
        for (QAbstractButton* b : janela->findChildren<QAbstractButton*>()) {
            if (b->window() != janela || fechamentos.contains(b->text()))
                continue;
            // Clearing the fields goes last: the save before it gets the hostile texts.
            (b->text().startsWith(QLatin1String("Limpa")) ? limpam : lista) << b;
        }
        return lista + limpam;
    }

    static bool usavel(QWidget* w, QDialog* janela)
    {
        return w && janela->isVisible() && w->isVisibleTo(janela) && w->isEnabled();
    }

    QString textoPara(QWidget* campo) const
    {
        auto* l = qobject_cast<QLineEdit*>(campo);
        if (l && l->echoMode() != QLineEdit::Normal)
            return marcaSenha + m_texto;
        return m_texto;
    }

    // Types the hostile text into every field of the window, or into field `so` alone (by its
    // place in the Tab order), leaving each with Tab; then presses every button but those that
    // close the window.
    void percorre(QDialog* janela, int so = -1)
    {
        // A window already on screen further down this walk is not walked twice.
        if (m_abertas.contains(janela))
            return;
        m_abertas << janela;
        const QList<QWidget*> lista = campos(janela);
        m_caminho << (so >= 0 && so < lista.size()
                          ? QStringLiteral("%1 [%2 alone]")
                                .arg(janela->objectName(), lista.at(so)->objectName())
                          : janela->objectName());
        if (!janelas.contains(janela->objectName()))
            janelas << janela->objectName();

        const QPointer<QDialog> guarda = janela;
        // In a window that shows a list, the buttons act on its chosen row: pressed once on
        // the list as it opened, they reach the windows behind a row (a record to change, a
        // loan to return) ...
        if (so < 0 && !janela->findChildren<QTableView*>().isEmpty())
            aperta(janela, true);
        // ... then the hostile text, field by field, and the buttons again on what it left.
        for (qsizetype i = 0; i < lista.size(); ++i) {
            QWidget* campo = lista.at(i);
            if ((so >= 0 && i != so) || !guarda || !usavel(campo, janela))
                continue;
            m_campo = campo->objectName();
            m_digitado = textoPara(campo);
            garantePasso();
            campo->setFocus(Qt::TabFocusReason);
            if (auto* l = qobject_cast<QLineEdit*>(campo))
                l->selectAll();
            else if (auto* p = qobject_cast<QPlainTextEdit*>(campo))
                p->selectAll();
            Tela::digitaTexto(campo, m_digitado);
            if (auto* l = qobject_cast<QLineEdit*>(campo);
                l && l->echoMode() != QLineEdit::Normal && l->text().size() >= marcaSenha.size() &&
                !m_senhas.contains(l->text()))
                m_senhas << l->text();
            if (guarda && QApplication::focusWidget())
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        m_digitado.clear();
        if (guarda)
            aperta(janela, false);
        m_campo.clear();
        m_caminho.removeLast();
        m_abertas.removeAll(janela);
        // Set last, after any window this one opened: the caller reads this window's count.
        m_camposDoFilho = int(lista.size());
    }

    // Every button but those that close the window, until one of them closes it. On the first
    // round, a list window's "Altera" also opens the record window once per field, to change
    // that field alone.
    void aperta(QDialog* janela, bool primeira)
    {
        const QPointer<QDialog> guarda = janela;
        for (QAbstractButton* botao : botoes(janela)) {
            if (!guarda || !janela->isVisible())
                break;
            // Choosing the row would close the window before the hostile text is typed.
            if (!usavel(botao, janela) || (primeira && botao->text() == QLatin1String("Seleciona")))
                continue;
            m_campo = QStringLiteral("button \"%1\"").arg(botao->text());
            garantePasso();
            m_camposDoFilho = 0;
            clica(botao);
            // A record window opened to change a row shows that row's valid values: changed
            // one field at a time, each hostile text reaches the save on its own instead of
            // stopping at the first field the window checks.
            if (primeira && botao->text() == QLatin1String("Altera"))
                for (int k = 0;
                     k < m_camposDoFilho && guarda && janela->isVisible() && usavel(botao, janela);
                     ++k) {
                    m_campo = QStringLiteral("button \"Altera\", field %1 alone").arg(k);
                    m_soCampo = k;
                    garantePasso();
                    clica(botao);
                    m_soCampo = -1;
                }
        }
        m_campo.clear();
    }

    static void clica(QAbstractButton* botao)
    {
        // A radio or a check box answers a click on its indicator; a button anywhere.
        if (qobject_cast<QPushButton*>(botao))
            QTest::mouseClick(botao, Qt::LeftButton);
        else
            QTest::mouseClick(botao, Qt::LeftButton, {}, QPoint(8, botao->height() / 2));
    }

    TelaTeste& m_t;
    const QString m_texto;
    QString m_item;
    QStringList m_caminho;
    QString m_campo;
    QString m_digitado;
    QStringList m_senhas;
    QList<QDialog*> m_abertas;
    // The field the next window walked takes alone (-1: all of them), and how many fields the
    // last window walked had.
    int m_soCampo = -1;
    int m_camposDoFilho = 0;
};

} // namespace

class TstHostil : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void everyWindowTakesHostileText_data();
    void everyWindowTakesHostileText();
    void longDocumentStopsAtItsColumn_data();
    void longDocumentStopsAtItsColumn();

private:
    // Backups and reports a button writes go to a folder of the test's own.
    QTemporaryDir m_pasta;
};

void TstHostil::initTestCase()
{
    QVERIFY(m_pasta.isValid());
    QVERIFY(QDir::setCurrent(m_pasta.path()));
}

void TstHostil::everyWindowTakesHostileText_data()
{
    QTest::addColumn<QString>("texto");
    QTest::newRow("over-long") << QString(120, QLatin1Char('W'));
    QTest::newRow("only blanks") << QStringLiteral("      ");
    QTest::newRow("quotes") << QStringLiteral("O'Neil \"x\" ''");
    QTest::newRow("comment") << QStringLiteral("1;-- drop table Produtos");
    QTest::newRow("euro") << QStringLiteral("€ 10");
    QTest::newRow("japanese") << QStringLiteral("日本");
    QTest::newRow("letters") << QStringLiteral("abc");
    QTest::newRow("1e30") << QStringLiteral("1e30");
    QTest::newRow("thirty-one digits") << QStringLiteral("1") + QString(30, QLatin1Char('0'));
    QTest::newRow("two commas") << QStringLiteral("1,2,3");
}

void TstHostil::everyWindowTakesHostileText()
{
    QFETCH(QString, texto);
    TelaTeste t;
    ImpressoraTeste impressora;
    // The delivered state: no login, no permissions, no audit log; every item opens.
    t.flags("N", "N", "N");
    // The settings as a user would have saved them during this run: read at the next start,
    // they open the three windows that check them afresh here.
    t.banco.executa(
        QStringLiteral("Update Configuracoes set LOGIN = 'S', Permissao = 'S', Log = 'S'"));

    // A known start: what each product held before its movements, and the movements.
    Cadastro::grupo(t.banco, "000001", QStringLiteral("Ferramentas"));
    Cadastro::grupo(t.banco, "000002", QStringLiteral("Consumo"));
    // Groups no product names, first in the list: the list window's "Exclui" takes them, and the
    // products keep the groups that put them on the product list.
    Cadastro::grupo(t.banco, "000003", QStringLiteral("Avulsos"));
    Cadastro::grupo(t.banco, "000004", QStringLiteral("Brindes"));
    Cadastro::requisitante(t.banco, "000001", QStringLiteral("Manutenção"));
    Cadastro::grupoFornecedor(t.banco, "000001", QStringLiteral("Atacado"));
    Cadastro::fornecedor(t.banco, "0000000001", QStringLiteral("Casa do Parafuso"));
    Cadastro::usuario(t.banco, "000001", QStringLiteral("Ana"), QStringLiteral("ana"),
                      QStringLiteral("segredo"));
    const std::map<QString, QString> abertura = {
        {parafuso, QStringLiteral("100.000")},
        {furadeira, QStringLiteral("5.000")},
        {cola, QStringLiteral("7.500")},
    };
    const QList<Movimento> movimentos = {
        {1, parafuso, "EE", "10"}, {2, parafuso, "SS", "4"}, {3, furadeira, "SS", "2"},
        {4, parafuso, "TE", "1"},  {5, cola, "EE", "2.5"},   {6, cola, "TS", "1"},
    };
    Cadastro::produto(t.banco, {.codigo = parafuso,
                                .descricao = QStringLiteral("Parafuso"),
                                .grupo = QStringLiteral("000002"),
                                .quantidade = QStringLiteral("105"),
                                .valor = QStringLiteral("0.5"),
                                .codigoBarras = QStringLiteral("7891000000011")});
    Cadastro::produto(t.banco, {.codigo = furadeira,
                                .descricao = QStringLiteral("Furadeira"),
                                .quantidade = QStringLiteral("3"),
                                .valor = QStringLiteral("250"),
                                .consumivel = QStringLiteral("N"),
                                .codigoBarras = QStringLiteral("7891000000012")});
    Cadastro::produto(t.banco, {.codigo = cola,
                                .descricao = QStringLiteral("Cola"),
                                .grupo = QStringLiteral("000002"),
                                .quantidade = QStringLiteral("11"),
                                .valor = QStringLiteral("12.3")});
    const QDate hoje = QDate::currentDate();
    for (const Movimento& m : movimentos)
        Cadastro::movimento(
            t.banco, {.numero = m.numero,
                      .produto = m.produto,
                      .operacao = QLatin1String(m.operacao),
                      .quantidade = QLatin1String(m.quantidade),
                      .valor = QStringLiteral("1"),
                      .data = hoje,
                      .requisitante = m.operacao[0] == 'S' ? QStringLiteral("000001") : QString(),
                      .fornecedor = m.operacao[0] == 'E' ? QStringLiteral("0000000001") : QString(),
                      .documento = QStringLiteral("NF %1").arg(m.numero)});
    // The furadeira lent out by movement 3, not yet back.
    Cadastro::insere(t.banco, "Mov_Consu",
                     {{"MOV_CodInt", 1},
                      {"MOV_CodPro", furadeira},
                      {"MOV_Tipo", QStringLiteral("000001")},
                      {"MOV_Oper", QStringLiteral("SS")},
                      {"MOV_Quant", QStringLiteral("2")},
                      {"MOV_Data", hoje},
                      {"MOV_DataD", hoje.addDays(7)},
                      {"MOV_Doc", QStringLiteral("NF 3")},
                      {"MOV_Devolvido", QStringLiteral("N")}});

    // Spare rows first in their lists, for the list windows' "Exclui" to take: the movement
    // windows keep a requisitioner and a supplier to find.
    Cadastro::requisitante(t.banco, "000002", QStringLiteral("Avulso"));
    Cadastro::requisitante(t.banco, "000003", QStringLiteral("Balcão"));
    Cadastro::fornecedor(t.banco, "0000000002", QStringLiteral("Avulso"));
    Cadastro::fornecedor(t.banco, "0000000003", QStringLiteral("Balcão"));

    Passeio passeio(t, texto);
    passeio.percorreMenu();

    // A failure below is easier to place with everything the windows said around it.
    const auto diario = qScopeGuard([&] {
        if (QTest::currentTestFailed())
            qInfo().noquote() << "what the windows showed:\n"
                              << passeio.diario.join(QLatin1Char('\n'));
    });
    QVERIFY2(passeio.semJanela.isEmpty(),
             qPrintable(QStringLiteral("no window opened by: ") + passeio.semJanela.join(u' ')));
    // The walk reached the windows behind the list buttons and the search buttons too.
    for (const char* janela : {"TfManut_Produtos", "TfDados_Produtos", "TfBusca_Grupos",
                               "TfEntrada_Estq", "TfDados_Usuarios", "TfDevolve"})
        QVERIFY2(passeio.janelas.contains(QLatin1String(janela)),
                 qPrintable(QStringLiteral("%1 not reached; walked: %2")
                                .arg(QLatin1String(janela), passeio.janelas.join(u' '))));
    QStringList outras;
    for (const auto& [janela, linhas] : passeio.doMotor)
        outras << linhas;
    QVERIFY2(outras.isEmpty(),
             qPrintable(QStringLiteral("engine text shown:\n") + outras.join(u'\n')));
    QVERIFY2(passeio.comSenha.isEmpty(),
             qPrintable(QStringLiteral("password quoted:\n") + passeio.comSenha.join(u'\n')));

    // Every product's stock is what it held at the start plus what its ledger rows still say.
    const Resultado estoque = t.banco.consulta(
        QStringLiteral("Select p.PRO_Codigo, cast(cast(coalesce(p.PRO_Quant, 0) - coalesce((Select "
                       "sum(case m.MOV_Oper when 'EE' then m.MOV_Quant when 'TS' then m.MOV_Quant "
                       "when 'SS' then -m.MOV_Quant when 'TE' then -m.MOV_Quant end) "
                       "From Mov_Estq m Where m.MOV_CodPro = p.PRO_Codigo), 0) as numeric(15,3)) "
                       "as varchar(24)) From Produtos p"));
    QStringList desacordos;
    for (int i = 0; i < estoque.tamanho(); ++i) {
        const QString codigo = estoque.valor(i, 0).toString();
        const auto a = abertura.find(codigo);
        const QString esperado = a == abertura.end() ? QStringLiteral("0.000") : a->second;
        const QString achado = estoque.valor(i, 1).toString();
        if (achado != esperado)
            desacordos << QStringLiteral("\"%1\": stock less ledger %2, opening %3")
                              .arg(codigo, achado, esperado);
    }
    QVERIFY2(desacordos.isEmpty(), qPrintable(desacordos.join(u'\n')));
}

void TstHostil::longDocumentStopsAtItsColumn_data()
{
    // The window's menu item, the fields a valid movement needs (name, text), its document
    // field, and its save and close buttons.
    QTest::addColumn<QString>("item");
    QTest::addColumn<QStringList>("preenche");
    QTest::addColumn<QString>("documento");
    QTest::addColumn<QString>("grava");
    QTest::addColumn<QString>("fecha");
    QTest::newRow("entry") << "EntradanoEstoque1"
                           << QStringList{"edENT_CodPRO", "1", "edEnt_Quant",  "1",
                                          "edEnt_Valor",  "2", "edENT_CodFor", "1"}
                           << "edEnt_Documento"
                           << "btnEntrada_Grava"
                           << "btnEntrada_Fechar";
    QTest::newRow("exit") << "SadanoEstoque1"
                          << QStringList{"edSaida_CodPro", "1", "edSaida_CodREQ", "1",
                                         "EdSaida_Quant",  "1"}
                          << "edSaida_Doc"
                          << "btnSaida_Estq_Grava"
                          << "btnSaida_Estq_Fecha";
    QTest::newRow("entry reversal")
        << "EstornodeEntrada1"
        << QStringList{"edEST_CodPro", "1", "EdEst_Quant", "1", "edEST_CodReq", "1"} << "edEst_Doc"
        << "btnEst_Grava"
        << "btnEst_Fecha";
    QTest::newRow("exit reversal")
        << "EstornodeSada1"
        << QStringList{"edEST_CodPro", "1", "EdEst_Quant", "1", "edEST_CodReq", "1"} << "edEst_Doc"
        << "btnEst_Grava"
        << "btnEst_Fecha";
    QTest::newRow("write-off") << "ExtravioSadaDefinitivadenoConsumveis1"
                               << QStringList{"edCodPro", "2", "edQuant", "1"} << "edDoc"
                               << "btnGrava"
                               << "btnSair";
}

// A document typed longer than the ledger keeps stops at its 20 characters, as the person sees
// while typing, and the movement is saved with what the field shows; a field that took more
// would only make the save fail with no word of why.
void TstHostil::longDocumentStopsAtItsColumn()
{
    QFETCH(QString, item);
    QFETCH(QStringList, preenche);
    QFETCH(QString, documento);
    QFETCH(QString, grava);
    QFETCH(QString, fecha);
    TelaTeste t;
    t.flags("N", "N", "N");
    Cadastro::grupo(t.banco, "000001", QStringLiteral("Ferramentas"));
    Cadastro::requisitante(t.banco, "000001", QStringLiteral("Manutenção"));
    Cadastro::fornecedor(t.banco, "0000000001", QStringLiteral("Casa do Parafuso"));
    Cadastro::produto(t.banco, {.codigo = parafuso,
                                .descricao = QStringLiteral("Parafuso"),
                                .quantidade = QStringLiteral("100"),
                                .valor = QStringLiteral("0.5")});
    Cadastro::produto(t.banco, {.codigo = furadeira,
                                .descricao = QStringLiteral("Furadeira"),
                                .quantidade = QStringLiteral("5"),
                                .valor = QStringLiteral("250"),
                                .consumivel = QStringLiteral("N")});
    const QString longo = QStringLiteral("Nota fiscal 123456789 de 2004");
    t.abre(qPrintable(item), [&](QDialog* janela) {
        for (qsizetype i = 0; i + 1 < preenche.size(); i += 2)
            Tela::informa(janela, qPrintable(preenche.at(i)), preenche.at(i + 1));
        Tela::informa(janela, qPrintable(documento), longo);
        QCOMPARE(Tela::texto(janela, qPrintable(documento)), longo.left(20));
        Tela::clica(janela, qPrintable(grava));
        Tela::clica(janela, qPrintable(fecha));
    });
    QCOMPARE(t.msgs.textos(), QStringList());
    QCOMPARE(t.banco.valor(QStringLiteral("Select MOV_Doc From Mov_Estq")).toString().trimmed(),
             longo.left(20));
}

QTEST_MAIN(TstHostil)
#include "tst_hostil.moc"
