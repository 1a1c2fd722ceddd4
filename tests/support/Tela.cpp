#include "support/Tela.h"

#include "app/Aplicacao.h"
#include "app/Principal.h"
#include "common/Formulario.h"
#include "common/JanelasCadastro.h"
#include "data/DataModule_Fornecedor.h"
#include "data/DataModule_GrupoFornecedor.h"
#include "data/DataModule_Grupos.h"
#include "data/DataModule_Produtos.h"
#include "data/DataModule_Req.h"
#include "data/DataModule_Usuarios.h"
#include "data/DataSet.h"
#include "registers/BuscaGRU_For.h"
#include "registers/Busca_Grupos.h"
#include "registers/Busca_REQ.h"
#include "support/GravadorMensagens.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

#include <algorithm>

namespace Tela {

void ausente(const QObject* janela, const char* nome, const char* tipo)
{
    const QByteArray texto = QStringLiteral("no %1 named \"%2\" in %3")
                                 .arg(QLatin1String(tipo), QLatin1String(nome),
                                      janela ? janela->objectName() : QStringLiteral("(none)"))
                                 .toUtf8();
    QTest::qFail(texto.constData(), __FILE__, __LINE__);
    qFatal("%s", texto.constData());
}

QLineEdit* campo(QObject* janela, const char* nome)
{
    return acha<QLineEdit>(janela, nome);
}

QPushButton* botao(QObject* janela, const char* nome)
{
    return acha<QPushButton>(janela, nome);
}

QString texto(QObject* janela, const char* nome)
{
    QWidget* w = acha<QWidget>(janela, nome);
    if (auto* l = qobject_cast<QLineEdit*>(w))
        return l->text();
    if (auto* p = qobject_cast<QPlainTextEdit*>(w))
        return p->toPlainText();
    if (auto* r = qobject_cast<QLabel*>(w))
        return r->text();
    if (auto* c = qobject_cast<QComboBox*>(w))
        return c->currentText();
    ausente(janela, nome, "text field");
}

void clica(QObject* janela, const char* nome)
{
    QTest::mouseClick(acha<QWidget>(janela, nome), Qt::LeftButton);
}

void marca(QObject* janela, const char* nome)
{
    auto* b = acha<QAbstractButton>(janela, nome);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
}

void digitaTexto(QWidget* campo, const QString& texto)
{
    for (QChar c : texto) {
        if (c.unicode() < 0x80)
            QTest::keyClick(campo, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, campo, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void digita(QObject* janela, const char* nome, const QString& texto)
{
    QWidget* w = acha<QWidget>(janela, nome);
    w->setFocus();
    if (auto* l = qobject_cast<QLineEdit*>(w))
        l->selectAll();
    else if (auto* p = qobject_cast<QPlainTextEdit*>(w))
        p->selectAll();
    else if (auto* c = qobject_cast<QComboBox*>(w); c && c->lineEdit())
        c->lineEdit()->selectAll();
    if (texto.isEmpty())
        QTest::keyClick(w, Qt::Key_Backspace);
    else
        digitaTexto(w, texto);
}

void apaga(QObject* janela, const char* nome)
{
    digita(janela, nome, QString());
}

void tab(QObject* janela, const char* nome)
{
    QTest::keyClick(acha<QWidget>(janela, nome), Qt::Key_Tab);
}

void enter(QObject* janela, const char* nome)
{
    QTest::keyClick(acha<QWidget>(janela, nome), Qt::Key_Return);
}

void tab()
{
    QWidget* w = QApplication::focusWidget();
    QVERIFY2(w, "nothing has the focus to press Tab in");
    QTest::keyClick(w, Qt::Key_Tab);
}

void enter()
{
    QWidget* w = QApplication::focusWidget();
    QVERIFY2(w, "nothing has the focus to press Enter in");
    QTest::keyClick(w, Qt::Key_Return);
}

QWidget* focado()
{
    return QApplication::focusWidget();
}

bool focado(QObject* janela, const char* nome)
{
    return focado() == acha<QWidget>(janela, nome);
}

QStringList colunaDaLista(const DataSet& lista, const char* campo)
{
    QStringList valores;
    for (int i = 0; i < lista.tamanho(); ++i)
        valores << lista.valor(i, QLatin1String(campo)).toString();
    return valores;
}

QList<int> listados(const DataSet& lista)
{
    QList<int> numeros;
    for (int i = 0; i < lista.tamanho(); ++i)
        numeros << int(lista.valor(i, "MOV_CODINT").toLongLong());
    std::sort(numeros.begin(), numeros.end());
    return numeros;
}

const ListaDeCadastro listaDeGrupos{
    .menu = "GruposdeProdutos1",
    .novo = "btn_Manut_GRU_Novo",
    .fecha = "btnManut_GRU_Fechar",
    .grade = "dbg_ManutGrupos",
    .dados = [](Aplicacao& a) -> DataSet& { return a.dmGrupos().cds_Grupos; },
    .campoCodigo = "GRU_CODIGO",
    .janela = "TfManut_Grupos",
    .altera = "btnManut_GRU_Altera",
    .exclui = "btnManut_GRU_Exclui",
    .modulo = "1.1",
    .rapida = {"rbManut_Grupos_Codigo", "rbManut_GRupos_Descricao", "edManut_Grupos_Busca",
               "Button1"}};

const ListaDeCadastro listaDeRequisitantes{
    .menu = "ipodeSadas1",
    .novo = "btnREQ_Inclui",
    .fecha = "btnREQ_Fecha",
    .grade = "dbg_Manut_REQ",
    .dados = [](Aplicacao& a) -> DataSet& { return a.dmReq().cds_Req; },
    .campoCodigo = "REQ_CODIGO",
    .janela = "TfManut_REQ",
    .altera = "btnREQ_Altera",
    .exclui = "btnREQ_Exclui",
    .modulo = "1.3",
    .rapida = {"rbREQ_Codigo", "rbREQ_Descricao", "edManut_REQ_Busca", "btnREQ_Busca"}};

const ListaDeCadastro listaDeGruposDeFornecedores{
    .menu = "GrupodeFornecedores1",
    .novo = "btnGruFornec_Novo",
    .fecha = "btnGruFornec_Fechar",
    .grade = "dbgManut_GrupoFornecedor",
    .dados = [](Aplicacao& a) -> DataSet& { return a.dmGrupoFornecedor().cdsGrupoFornecedor; },
    .campoCodigo = "GRU_CODIGO",
    .janela = "TfManut_GrupoFornecedor",
    .altera = "btnGruFornec_Altera",
    .exclui = "btnGruFornec_Exclui",
    .modulo = "1.4",
    .rapida = {"rbCodigo", "rbDescricao", "edBusca_GruFornec", "btnBusca_GruFornec"}};

const ListaDeCadastro listaDeFornecedores{
    .menu = "Fornecedores1",
    .novo = "btnInclui",
    .fecha = "Button5",
    .grade = "dbManut_For",
    .dados = [](Aplicacao& a) -> DataSet& { return a.dmFornecedor().cdsFornecedor; },
    .campoCodigo = "FOR_CODIGO",
    .altera = "btnAltera",
    .exclui = "btnExclui"};

const ListaDeCadastro listaDeProdutos{
    .menu = "Produtos1",
    .novo = "btnManut_PRO_Novo",
    .fecha = "btnManut_PRO_Fecha",
    .grade = "dbg_Manut_PRO",
    .dados = [](Aplicacao& a) -> DataSet& { return a.dmProdutos().cds_Produtos; },
    .campoCodigo = "PRO_CODIGO",
    .altera = "btnManut_PRO_Altera",
    .exclui = "btnManut_PRO_Exclui"};

const ListaDeCadastro listaDeUsuarios{
    .menu = "ManutenodeUsurios1",
    .novo = "btnUSU_Inclui",
    .fecha = "btnUSU_Fecha",
    .grade = "dbgManut_Usuarios",
    .dados = [](Aplicacao& a) -> DataSet& { return a.dmUsuarios().cds_Usuarios; },
    .campoCodigo = "USU_CODIGO",
    .altera = "btnUSU_Altera",
    .exclui = "btnUSU_Exclui"};

const DadosDeCadastro dadosDeGrupos{.janela = "TfDados_Grupos",
                                    .titulo = "lb_Titulo_DadosGRU",
                                    .codigo = "edGRU_Codigo",
                                    .descricao = "edGRU_Descricao",
                                    .salva = "btnGRU_Salva",
                                    .limpa = "btnGRU_Limpa",
                                    .fecha = "btnGRU_Fecha"};

const DadosDeCadastro dadosDeRequisitantes{.janela = "TfDados_REQ",
                                           .titulo = "lbREQ_Titulo",
                                           .codigo = "edREQ_Codigo",
                                           .descricao = "edREQ_Descricao",
                                           .salva = "btnREQ_Salva",
                                           .limpa = "btnREQ_Limpa",
                                           .fecha = "btnREQ_Fechar"};

const DadosDeCadastro dadosDeGruposDeFornecedores{.janela = "TfDados_GrupoFornecedor",
                                                  .titulo = "lbTitulo",
                                                  .codigo = "edCodigo",
                                                  .descricao = "edDescricao",
                                                  .salva = "btnGruFornec_Grava",
                                                  .limpa = "btnGruFornec_Limpa",
                                                  .fecha = "btnGruFornec_Fechar"};

const BuscaDeCadastro buscaDeGrupos{
    .janela = [](Aplicacao& a) -> JanelaBusca& { return a.janela<TfBusca_Grupos>(); },
    .rapida = {"rbBusca_Grupos_Codigo", "rbBusca_GRupos_Descricao", "edBusca_Grupos_Busca",
               "btnBusca_Grupos"},
    .grade = "dbg_BuscaGrupos",
    .seleciona = "btnBusca_Seleciona",
    .fecha = "btnBusca_GRU_Fechar",
    .chamador = QStringLiteral("Dados_Produtos")};

const BuscaDeCadastro buscaDeRequisitantes{
    .janela = [](Aplicacao& a) -> JanelaBusca& { return a.janela<TfBusca_REQ>(); },
    .rapida = {"rbBusca_REQ_Codigo", "rbBusca_REQ_Descricao", "edBusca_REQ_Busca", "btnBusca_REQ"},
    .grade = "dbg_BuscaREQ",
    .seleciona = "btnBusca_Seleciona",
    .fecha = "btnBusca_TIP_Fechar",
    .chamador = QStringLiteral("Saida")};

const BuscaDeCadastro buscaDeGruposDeFornecedores{
    .janela = [](Aplicacao& a) -> JanelaBusca& { return a.janela<TfBuscaGRU_For>(); },
    .rapida = {"rbCodigo", "rbDescricao", "edBusca", "btnBusca"},
    .grade = "dbgBusca_GRUFor",
    .seleciona = "btnSeleciona",
    .fecha = "btnFechar",
    .chamador = QStringLiteral("Cad_Fornecedor")};

void colunasDaBuscaRapida()
{
    QTest::addColumn<QString>("radio");
    QTest::addColumn<QString>("rotulo");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("escrito"); // the field once left
    QTest::addColumn<QString>("atual");   // the row the search makes current
}

BuscaRapida buscaRapidaDaLinha()
{
    QFETCH(QString, radio);
    QFETCH(QString, rotulo);
    QFETCH(QString, texto);
    QFETCH(QString, escrito);
    QFETCH(QString, atual);
    return {radio, rotulo, texto, escrito, atual};
}

QStringList codigosDaLista(Aplicacao& app, const ListaDeCadastro& cadastro)
{
    return colunaDaLista(cadastro.dados(app), cadastro.campoCodigo);
}

QString codigoAtual(Aplicacao& app, const ListaDeCadastro& cadastro)
{
    return Familia::codigoAtual(cadastro.dados(app));
}

void abreLista(Aplicacao& app, const ListaDeCadastro& cadastro)
{
    app.principal().aciona(QLatin1String(cadastro.menu));
}

void abreDados(Aplicacao& app, DriverModal& driver, const ListaDeCadastro& cadastro,
               const char* botao, DriverModal::Passos passos)
{
    pelaLista(driver, botao, cadastro.fecha, std::move(passos));
    abreLista(app, cadastro);
}

void inclusao(Aplicacao& app, DriverModal& driver, const ListaDeCadastro& cadastro,
              DriverModal::Passos passos)
{
    abreDados(app, driver, cadastro, cadastro.novo, std::move(passos));
}

void selecionaCodigo(Aplicacao& app, const ListaDeCadastro& cadastro, QDialog* lista,
                     const QString& codigo)
{
    const int linha = int(codigosDaLista(app, cadastro).indexOf(codigo));
    QVERIFY2(linha >= 0, qPrintable(codigo));
    acha<QTableView>(lista, cadastro.grade)->selectRow(linha);
    QCOMPARE(codigoAtual(app, cadastro), codigo);
}

void escolheNaBusca(QDialog* busca, DataSet& lista, const char* campoCodigo, const QString& codigo)
{
    for (int i = 0; i < lista.tamanho(); ++i)
        if (lista.valor(i, QLatin1String(campoCodigo)).toString() == codigo)
            lista.setLinhaAtual(i);
    QCOMPARE(Familia::codigoAtual(lista), codigo);
    const auto botoes = busca->findChildren<QPushButton*>();
    for (QPushButton* b : botoes)
        if (b->text() == QLatin1String("Seleciona")) {
            QTest::mouseClick(b, Qt::LeftButton);
            return;
        }
    QFAIL("no Seleciona button");
}

void abreMenu(TfPrincipal& principal, DriverModal& driver, const char* item,
              DriverModal::Passos passos)
{
    driver.aoAbrir(std::move(passos));
    principal.aciona(QLatin1String(item));
}

QStringList textos(QObject* janela, std::initializer_list<const char*> nomes)
{
    QStringList r;
    for (const char* nome : nomes)
        r << texto(janela, nome);
    return r;
}

void informa(QObject* janela, const char* nome, const QString& texto)
{
    digita(janela, nome, texto);
    tab(janela, nome);
}

void pelaLista(DriverModal& driver, const char* botao, const char* fecha,
               DriverModal::Passos passos)
{
    driver.aoAbrir([botao, fecha](QDialog* lista) {
        clica(lista, botao);
        clica(lista, fecha);
    });
    driver.aoAbrir(std::move(passos));
}

void casosDaBusca()
{
    QTest::addColumn<bool>("porF5");
    QTest::newRow("F5 in the code") << true;
    QTest::newRow("the ... button") << false;
}

QLineEdit* f5(QObject* janela, const char* nome)
{
    QLineEdit* c = campo(janela, nome);
    c->setFocus();
    QTest::keyClick(c, Qt::Key_F5);
    return c;
}

void abreBusca(QObject* janela, const char* campo, const char* botao, bool porF5)
{
    if (!porF5) {
        clica(janela, botao);
        return;
    }
    QWidget* c = acha<QWidget>(janela, campo);
    c->setFocus();
    QTest::keyClick(c, Qt::Key_F5);
}

void linhasDosBotoes(const QStringList& rotulos, const QList<BotaoDeModulo>& botoes)
{
    QTest::addColumn<QString>("botao");
    QTest::addColumn<QString>("modulo");
    for (qsizetype i = 0; i < botoes.size(); ++i)
        QTest::newRow(qPrintable(rotulos.at(i)))
            << QString::fromLatin1(botoes[i].nome) << QString::fromLatin1(botoes[i].modulo);
}

void botaoRecusado(TfPrincipal& principal, DriverModal& driver, GravadorMensagens& msgs,
                   const char* menu, const QList<BotaoDeModulo>& botoes, const QString& recusado,
                   const char* fechaLista, const char* fechaDados)
{
    const QString semPermissao = QStringLiteral("Usuário Sem Permissão para Entrar nesse Módulo");
    driver.aoAbrir([&](QDialog* lista) {
        clica(lista, qPrintable(recusado));
        QCOMPARE(msgs.textos(), QStringList({semPermissao}));
        QCOMPARE(msgs.mensagens()[0].tipo, TipoMensagem::Aviso);
        // The other buttons are allowed and open the record window.
        for (const BotaoDeModulo& b : botoes)
            if (recusado != QLatin1String(b.nome))
                clica(lista, b.nome);
        clica(lista, fechaLista);
    });
    for (qsizetype i = 1; i < botoes.size(); ++i)
        driver.aoAbrir([fechaDados](QDialog* dados) { clica(dados, fechaDados); });
    principal.aciona(QLatin1String(menu));
}

void escolhe(QObject* janela, const char* nome, const QString& item)
{
    auto* lista = acha<QComboBox>(janela, nome);
    const int indice = lista->findText(item, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (indice < 0)
        ausente(lista, qPrintable(item), "QComboBox item");
    lista->setFocus(Qt::TabFocusReason);
    QTest::keyClick(lista, Qt::Key_Home);
    for (int i = 0; i < indice; ++i)
        QTest::keyClick(lista, Qt::Key_Down);
}

bool mostra(QWidget& janela)
{
    janela.show();
    janela.activateWindow();
    return QTest::qWaitForWindowActive(&janela);
}

QString codigoNaGrade(QObject* janela, const char* grade)
{
    auto* g = acha<QTableView>(janela, grade);
    return g->model()->index(g->currentIndex().row(), 0).data().toString();
}

QStringList linhaDaGrade(QTableView* grade, int linha)
{
    QStringList r;
    for (int c = 0; c < grade->model()->columnCount(); ++c)
        r << grade->model()->index(linha, c).data().toString().trimmed();
    return r;
}

} // namespace Tela
