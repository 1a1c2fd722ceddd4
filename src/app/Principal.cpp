#include "app/Principal.h"

#include "access/Config_Log.h"
#include "access/Config_Login.h"
#include "access/Consulta_Log.h"
#include "access/DaRetiraPermissoes.h"
#include "access/Manut_Usuarios.h"
#include "access/Permissao_Usuarios.h"
#include "app/Aplicacao.h"
#include "app/Login.h"
#include "app/Sobre.h"
#include "common/Formulario.h"
#include "common/Gravacao.h"
#include "common/Mensagens.h"
#include "common/Modal.h"
#include "common/Versao.h"
#include "data/DataModule_Configuracoes.h"
#include "data/DataModule_Empresa.h"
#include "data/DataModule_Versao.h"
#include "data/firebird/ErroBanco.h"
#include "data/firebird/Transacao.h"
#include "movements/ConsultaProdutos.h"
#include "movements/Consulta_MovEstq.h"
#include "movements/Devolucao.h"
#include "movements/Entrada_Estq.h"
#include "movements/Estorno_Estq.h"
#include "movements/Extravio.h"
#include "movements/ManutMovEstq.h"
#include "movements/Saida_Estq.h"
#include "registers/Empresa.h"
#include "registers/Manut_Fornec.h"
#include "registers/Manut_GrupoFornecedor.h"
#include "registers/Manut_Grupos.h"
#include "registers/Manut_Produtos.h"
#include "registers/Manut_REQ.h"
#include "utilities/Avisos_Dia.h"
#include "utilities/Backup.h"
#include "utilities/Restaura_Backup.h"
#include "reports/Etiquetas.h"
#include "reports/MenuRelatorios.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include <stdexcept>

namespace {

QLabel* rotuloDeDado(QWidget* pai, const char* nome)
{
    QLabel* l = Formulario::rotulo(pai, nome, QString());
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

} // namespace

TfPrincipal::TfPrincipal(Aplicacao& app, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      FlagLogin(app.sessao().FlagLogin), FlagPermissao(app.sessao().FlagPermissao),
      FlagLog(app.sessao().FlagLog), CodUsuario(app.sessao().CodUsuario),
      LoginUsuario(app.sessao().LoginUsuario), EmpNome(app.sessao().EmpNome),
      EmpFone(app.sessao().EmpFone), NumVersao(app.sessao().NumVersao),
      TipoEstorno(app.sessao().TipoEstorno), m_app(app)
{
    setObjectName(QStringLiteral("TfPrincipal"));
    setWindowTitle(QStringLiteral("Zorvane Almoxarifado"));

    auto* centro = new QWidget(this);
    auto* layout = new QVBoxLayout(centro);
    layout->setContentsMargins(40, 30, 40, 30);
    layout->addWidget(Formulario::titulo(centro, "lbDesenvolvido",
                                         QStringLiteral("Programa Desenvolvido para:"), 6));
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    m_lbNome = rotuloDeDado(centro, "lbNome");
    m_lbEndereco = rotuloDeDado(centro, "lbEndereco");
    m_lbTelefone = rotuloDeDado(centro, "lbTelefone");
    m_lbEmail = rotuloDeDado(centro, "lbEmail");
    m_lbHomePage = rotuloDeDado(centro, "lbHomePage");
    form->addRow(QStringLiteral("Empresa:"), m_lbNome);
    form->addRow(QStringLiteral("Endereço:"), m_lbEndereco);
    form->addRow(QStringLiteral("Telefone:"), m_lbTelefone);
    form->addRow(QStringLiteral("Email:"), m_lbEmail);
    form->addRow(QStringLiteral("Home Page:"), m_lbHomePage);
    layout->addLayout(form);
    layout->addStretch();
    setCentralWidget(centro);

    QStatusBar* barra = statusBar();
    barra->setObjectName(QStringLiteral("sbPrincipal"));
    barra->setSizeGripEnabled(false);
    const int larguras[3] = {320, 200, 200};
    for (int i = 0; i < 3; ++i) {
        m_paineis[i] = new QLabel(barra);
        m_paineis[i]->setObjectName(QStringLiteral("sbPainel%1").arg(i));
        m_paineis[i]->setMinimumWidth(larguras[i]);
        m_paineis[i]->setFrameShape(QFrame::StyledPanel);
        m_paineis[i]->setFrameShadow(QFrame::Sunken);
        barra->addWidget(m_paineis[i], i == 0 ? 1 : 0);
    }
    m_paineis[0]->setText(QStringLiteral("Zorvane Sistemas - suporte@zorvane.com.br"));
    m_paineis[2]->setText(QStringLiteral("Versão:"));

    montaMenu();
    connect(&app.sessao(), &Sessao::empresaAlterada, this, &TfPrincipal::atualizaEmpresa);
    resize(900, 600);
    if (QScreen* tela = QGuiApplication::primaryScreen())
        move(tela->availableGeometry().center() - rect().center());
}

TfPrincipal::~TfPrincipal() = default;

QMenu* TfPrincipal::novoGrupo(QMenu* pai, const char* titulo, const char* nome, const char* codigo)
{
    const QString texto = QString::fromUtf8(titulo);
    QMenu* m = pai ? pai->addMenu(texto) : menuBar()->addMenu(texto);
    m->setObjectName(QLatin1String(nome));
    m->menuAction()->setObjectName(QLatin1String(nome) + QStringLiteral("Acao"));
    if (codigo)
        connect(m, &QMenu::aboutToShow, this,
                [this, m, c = QLatin1String(codigo)] { aoAbrirGrupo(m, c); });
    return m;
}

void TfPrincipal::itens(QMenu* menu, std::initializer_list<Linha> linhas)
{
    for (const Linha& l : linhas) {
        const QString nome = QLatin1String(l.nome);
        QAction* a = menu->addAction(QString::fromUtf8(l.titulo));
        a->setObjectName(nome);
        m_itens.insert(nome, l);
        a->setEnabled(bool(l.abre));
        connect(a, &QAction::triggered, this, [this, nome] { aciona(nome); });
    }
}

void TfPrincipal::montaMenu()
{
    menuBar()->setObjectName(QStringLiteral("MainMenu"));

    // Each row: the text, the item's name, the module code its gate checks, the window it
    // opens (none while that window is not part of the program), then the settings check and
    // the reversal mode where the item has them.
    QMenu* cad = novoGrupo(nullptr, "Cadastros", "Cadastros1", "1");
    itens(cad, {
                   {"Grupos de Produtos", "GruposdeProdutos1", "1.1", abre<TfManut_Grupos>()},
                   {"Produtos", "Produtos1", "1.2", abre<TfManut_Produtos>()},
                   {"Requisitantes", "ipodeSadas1", "1.3", abre<TfManut_REQ>()},
                   {"Grupo de Fornecedores", "GrupodeFornecedores1", "1.4",
                    abre<TfManut_GrupoFornecedor>()},
                   {"Fornecedores", "Fornecedores1", "1.5", abre<TfManut_Fornec>()},
               });

    QMenu* mov = novoGrupo(nullptr, "Movimentação no Estoque", "MovimentaonoEstoque1", "2");
    // Both reversals open the same window; the item sets TipoEstorno just before.
    itens(mov,
          {
              {"Entrada no Estoque", "EntradanoEstoque1", "2.1", abre<TfEntrada_Estq>()},
              {"Saída no Estoque", "SadanoEstoque1", "2.2", abre<TfSaida_Estq>()},
              {"Estorno de Entrada", "EstornodeEntrada1", "2.3", abre<TfEstorno_Estq>(), 0, "TE"},
              {"Estorno de Saída", "EstornodeSada1", "2.4", abre<TfEstorno_Estq>(), 0, "TS"},
          });
    QMenu* consultas = novoGrupo(mov, "Consultas", "Consultas1", "2.5");
    itens(consultas,
          {
              {"Consulta de Movimentação de Estoque", "ConsultadeMovimentaodeEstoque1", "2.5.1",
               abre<TfConsulta_MovEstq>()},
              {"Consulta de Fornecedores de um Produto", "ConsultadeFornecedoresdeumProduto1",
               "2.5.2", abre<TfConsultaProdutos>()},
          });
    itens(mov, {
                   {"Devolução de não Consumíveis", "DevoluodenoConsumveis1", "2.6",
                    abre<TfDevolucao>()},
                   {"Extravio/Saída Definitiva de não Consumíveis",
                    "ExtravioSadaDefinitivadenoConsumveis1", "2.7", abre<TfExtravio>()},
               });

    // Report items carry no code of their own: the group's gate is theirs.
    QMenu* rel = novoGrupo(nullptr, "Relatórios", "Relatrios1", "3");
    QMenu* listas = novoGrupo(rel, "Listas de Itens no Estoque", "ListasdeItensnoEstoque1");
    itens(
        listas,
        {
            {"Itens no Estoque I (Ordenado por Código)", "ItensnoEstoqueOrdenadoporCdigo1",
             nullptr, MenuRelatorios::semDialogo(m_app, "Itens Estoque Codigo")},
            {"Itens No Estoque II (Ordenado por Código)", "ItensNo1", nullptr,
             MenuRelatorios::semDialogo(m_app, "Itens Estoque Codigo 2")},
            {"Itens no Estoque I (Ordenado por Descrição)", "ItensnoEstoqueOrdenadoporDescrio1",
             nullptr, MenuRelatorios::semDialogo(m_app, "Itens Estoque Descricao")},
            {"Itens No Estoque II (Ordenado por Descrição)", "ItensNoEstoqueIIOrdenadoporDescrio1",
             nullptr, MenuRelatorios::semDialogo(m_app, "Itens Estoque Descricao 2")},
            {"Itens no Estoque de um Grupo I", "ItensnoEstoquedeumGrupo1", nullptr,
             MenuRelatorios::doGrupo(m_app, "Itens Estoque Grupo")},
            {"Itens no Estoque  de um Grupo II", "ItensnoEstoquedeumGrupoII1", nullptr,
             MenuRelatorios::doGrupo(m_app, "Itens Estoque Grupo 2")},
            {"Produtos em Estoque", "InvetriodoEstoque1", nullptr,
             MenuRelatorios::semDialogo(m_app, "Produtos em Estoque")},
        });
    QMenu* relMov = novoGrupo(rel, "Movimentação de Estoque", "MovimentaodeEstoque1");
    itens(relMov, {
                      {"Geral por Data", "MovimentaodeEstoqueGeralporData1", nullptr,
                       MenuRelatorios::comDialogo(m_app, "Mov_Estq Geral Datas")},
                      {"Somente Entradas por Data", "SomenteEntradasporData1", nullptr,
                       MenuRelatorios::comDialogo(m_app, "Rel MovEstq Entradas")},
                      {"Somente Saídas por Data", "SomenteSadasporData1", nullptr,
                       MenuRelatorios::comDialogo(m_app, "Rel MovEstq Saídas")},
                      {"Somente Estorno de Entrada por Data", "SomenteEstornosdeEntradaporData1", nullptr,
                       MenuRelatorios::comDialogo(m_app, "Rel MovEstq TE")},
                      {"Somente Estorno de Saídas por Data", "SomenteEstornosdeSadaporData1", nullptr,
                       MenuRelatorios::comDialogo(m_app, "Rel MovEstq TS")},
                      {"Geral por Produto", "GeralporProduto1", nullptr,
                       MenuRelatorios::comDialogo(m_app, "Rel MovEstq Produto Geral")},
                      {"Somente Entradas por Produto", "SomenteEntradasporProduto1", nullptr,
                       MenuRelatorios::comDialogo(m_app, "Mov Estq Produto Entrada")},
                      {"Somente Saídas por Produto", "SomenteSadasporProduto1", nullptr,
                       MenuRelatorios::comDialogo(m_app, "Mov Estq Produto Saida")},
                      {"Geral por Grupo", "GeralporGrupo1", nullptr,
                       MenuRelatorios::comDialogo(m_app, "Mov Estq Grupos")},
                      {"Somente Entradas por Grupo", "SomenteEntradasporGrupo1", nullptr,
                       MenuRelatorios::comDialogo(m_app, "Mov Estq Grupo Entrada")},
                      {"Somente Saídas por Grupo", "SomenteSadasporGrupo1", nullptr,
                       MenuRelatorios::comDialogo(m_app, "Mov Estq Grupo Saida")},
                      {"Saídas por Requitante ", "SadasporTipodeSadas1", nullptr,
                       MenuRelatorios::comDialogo(m_app, "Mov Estq Tipos")},
                      {"Estorno de Saídas por Requisitante", "EstornodeSadasporRequisitante1", nullptr,
                       MenuRelatorios::comDialogo(m_app, "Mov Estq Tipos TS")},
                  });
    itens(rel, {
                   {"Itens Abaixo do Estoque Mínimo", "ItensAbaixodoEstoqueMnimo1", nullptr,
                    MenuRelatorios::semDialogo(m_app, "Estoque Minimo")},
                   {"Devoluções Atrasadas", "DevoluesAtrasadas1", nullptr,
                    MenuRelatorios::semDialogo(m_app, "Devolução Atrasada")},
                   {"Sugestão de Compra", "SugestaodeCompra1", nullptr,
                    MenuRelatorios::semDialogo(m_app, "Sugestao de Compra")},
                   {"Etiquetas de Produtos", "EtiquetasdeProdutos1", nullptr,
                    abre<TfEtiquetas>()},
               });

    QMenu* uti = novoGrupo(nullptr, "Utilitários", "Utilitrios1", "4");
    itens(uti, {
                   {"Backup", "Backup1", "4.1", abre<TfBackup>()},
                   {"Restaura Backup", "RestauraBackup1", "4.2", abre<TfRestaura_Backup>()},
                   {"Dados da Empresa", "DadosdaEmpresa1", "4.3", abre<TfEmpresa>()},
               });
    QMenu* usu = novoGrupo(uti, "Usuários", "Usurios1", "4.4");
    itens(usu,
          {
              {"Manutenção de Usuários", "ManutenodeUsurios1", "4.4.1", abre<TfManut_Usuarios>()},
              {"Login de Usuários", "LogindeUsurios1", "4.4.2", abre<TfConfig_Login>()},
              {"Permissão de Usuários", "PermissodeUsurios1", "4.4.3",
               abre<TfPermissao_Usuarios>(), 'A'},
              {"Dá/Retira Permissão de Usuários", "DRetiraPermissodeUsurios1", "4.4.4",
               abre<TfDaRetiraPermissoes>(), 'B'},
              {"Log de Usuários", "LogdeUsurios1", "4.4.5", abre<TfConfig_Log>(), 'C'},
              {"Consulta Log de Usuários", "ConsultaLogdeUsurios1", "4.4.6",
               abre<TfConsulta_Log>()},
          });
    itens(uti,
          {
              {"Manutenção de Movimentação de Estoque", "ManutenodeMovimentaodeEstoque1", "4.5",
               abre<TfManutMovEstq>()},
              // Reads only: the group's gate is its own.
              {"Avisos do Dia", "AvisosdoDia1", nullptr, abre<TfAvisos_Dia>()},
          });

    QMenu* ajuda = novoGrupo(nullptr, "Ajuda", "Ajuda1");
    itens(ajuda, {{"Sobre", "Sobre1", nullptr, abre<TfSobre>()}});

    QAction* saida = menuBar()->addAction(QStringLiteral("Saída"));
    saida->setObjectName(QStringLiteral("Sada1"));
    connect(saida, &QAction::triggered, this, [this] { m_app.solicitaFim(); });
}

void TfPrincipal::ligaItem(const QString& nome, std::function<void()> abre)
{
    auto it = m_itens.find(nome);
    // A misspelt name would otherwise leave a menu item that never opens anything.
    if (it == m_itens.end())
        throw std::invalid_argument("menu item unknown: " + nome.toStdString());
    it->abre = std::move(abre);
    if (QAction* a = item(nome))
        a->setEnabled(true);
}

QAction* TfPrincipal::item(const QString& nome) const
{
    return findChild<QAction*>(nome);
}

QMenu* TfPrincipal::grupo(const QString& nome) const
{
    return findChild<QMenu*>(nome);
}

bool TfPrincipal::registraLog() const
{
    return m_app.sessao().registraLog();
}

bool TfPrincipal::temAcesso(const QString& codigo)
{
    return m_app.sessao().temAcesso(codigo);
}

bool TfPrincipal::permite(const QString& codigo)
{
    return m_app.sessao().permite(codigo, this);
}

void TfPrincipal::aoAbrirGrupo(QMenu* menu, const QString& codigo)
{
    bool aceito = false;
    try {
        aceito = temAcesso(codigo);
    } catch (const ErroBanco& e) {
        QTimer::singleShot(0, menu, [menu, texto = e.mensagem()] {
            menu->close();
            Mensagens::erro(texto);
        });
        return;
    }
    if (aceito)
        return;
    // The menu is already on its way up: close it first, then say why, so none of its items
    // can be chosen by a user who may not enter the group.
    QTimer::singleShot(0, menu, [this, menu] {
        menu->close();
        Mensagens::aviso(Sessao::semPermissao(), this);
    });
}

void TfPrincipal::aciona(const QString& nome)
{
    const auto it = m_itens.constFind(nome);
    if (it == m_itens.constEnd())
        return;
    // A copy: the table may change while the window it opens is up.
    const Linha item = *it;
    try {
        if (item.codigo && !permite(QLatin1String(item.codigo)))
            return;
        if (item.verificacao && !verificaConfiguracao(item.verificacao))
            return;
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
        return;
    }
    if (item.estorno)
        TipoEstorno = QLatin1String(item.estorno);
    if (item.abre)
        item.abre();
}

bool TfPrincipal::verificaConfiguracao(char verificacao)
{
    const Configuracoes c = m_app.dmConfiguracoes().configuracoes().value_or(Configuracoes{});
    const QString& valor = verificacao == 'B' ? c.permissao : c.login;
    if (valor != QLatin1String("N"))
        return true;
    switch (verificacao) {
    case 'A':
        Mensagens::erro(QStringLiteral("O Item Login de Usuários deve estar como Sim para Utilizar "
                                       "a Permissão de Usuários"),
                        this);
        break;
    case 'B':
        Mensagens::erro(QStringLiteral("O Item Permissão de Usuários deve estar como \"Sim\""),
                        this);
        break;
    default:
        Mensagens::erro(QStringLiteral("O Item Login de Usuários deve estar como Sim para Utilizar "
                                       "o Log de Usuários"),
                        this);
        break;
    }
    return false;
}

void TfPrincipal::setUsuarioNaBarra(const QString& login)
{
    m_paineis[1]->setText(QStringLiteral("Usuario:") + login);
}

QString TfPrincipal::painel(int indice) const
{
    return m_paineis[indice]->text();
}

void TfPrincipal::atualizaEmpresa(const QString& nome, const QString& telefone,
                                  const QString& email, const QString& homePage)
{
    m_lbNome->setText(nome);
    m_lbTelefone->setText(telefone);
    m_lbEmail->setText(email);
    m_lbHomePage->setText(homePage);
}

void TfPrincipal::atualizaVersao()
{
    const QString versao = QLatin1String(versaoPrograma);
    NumVersao = m_app.dmVersao().numero();
    if (NumVersao == versao)
        return;
    Mensagens::simples(QStringLiteral("Clique em Ok para Atualizar a Versão...."), this);
    // Told to end while the message was up: the database stays as it was found.
    if (m_app.fimSolicitado())
        return;
    // A database that has lost its version row stores nothing: saying the version was updated
    // would ask the same again at every start.
    const bool ok = Gravacao::grava(
        m_app, this,
        {.escreve =
             [&](Transacao& t) { Gravacao::exigeRegistro(m_app.dmVersao().grava(t, versao)); },
         .falha = [](const ErroBanco&) {
             return QStringLiteral("Não Consegui Alterar o Número da Versão, tente Novamente");
         }});
    if (!ok)
        return;
    Mensagens::simples(QStringLiteral("Versão Atualizada com Sucesso...."), this);
    NumVersao = versao;
}

void TfPrincipal::passoDeExibicao()
{
    try {
        atualizaVersao();

        const Configuracoes flags =
            m_app.dmConfiguracoes().configuracoes().value_or(Configuracoes{});
        FlagLogin = flags.login;
        FlagPermissao = flags.permissao;
        FlagLog = flags.log;

        // A program already ending asks nobody to log in.
        if (FlagLogin == QLatin1String("S") && !m_app.fimSolicitado())
            Modal::exec(&m_app.janela<TfLogin>());

        const DadosEmpresa e = m_app.dmEmpresa().dados().value_or(DadosEmpresa{});
        atualizaEmpresa(e.nome, e.telefone, e.email, e.homePage);
        m_lbEndereco->setText(e.endereco);
        EmpNome = e.nome;
        EmpFone = e.telefone;
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
    }
    m_paineis[2]->setText(QStringLiteral("Versão:") + NumVersao);
    // What needs doing today, over the main window and after the login.
    m_app.janela<TfAvisos_Dia>().abreAoIniciar();
}

void TfPrincipal::closeEvent(QCloseEvent* e)
{
    // The program ends through "Saída" only; the system's close key does nothing here.
    if (m_app.fimSolicitado())
        e->accept();
    else
        e->ignore();
}
