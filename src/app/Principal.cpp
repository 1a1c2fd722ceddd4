#include "app/Principal.h"

#include "app/Aplicacao.h"
#include "app/Login.h"
#include "app/Sobre.h"
#include "common/Funcoes.h"
#include "common/Mensagens.h"
#include "common/Modal.h"
#include "common/Versao.h"
#include "data/firebird/ErroBanco.h"
#include "data/firebird/Transacao.h"
#include "movements/Entrada_Estq.h"
#include "movements/Estorno_Estq.h"
#include "movements/Saida_Estq.h"
#include "registers/Empresa.h"
#include "registers/Manut_Fornec.h"
#include "registers/Manut_GrupoFornecedor.h"
#include "registers/Manut_Grupos.h"
#include "registers/Manut_Produtos.h"
#include "registers/Manut_REQ.h"
#include "data/DataModule_Configuracoes.h"
#include "data/DataModule_Empresa.h"
#include "data/DataModule_Versao.h"

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

const QString semPermissao = QStringLiteral("Usuário Sem Permissão para Entrar nesse Módulo");

QLabel* rotuloDeDado(QWidget* pai, const char* nome)
{
    auto* l = new QLabel(pai);
    l->setObjectName(QLatin1String(nome));
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

} // namespace

TfPrincipal::TfPrincipal(Aplicacao& app, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_app(app)
{
    setObjectName(QStringLiteral("TfPrincipal"));
    setWindowTitle(QStringLiteral("Zorvane Almoxarifado"));

    auto* centro = new QWidget(this);
    auto* layout = new QVBoxLayout(centro);
    layout->setContentsMargins(40, 30, 40, 30);
    auto* titulo = new QLabel(QStringLiteral("Programa Desenvolvido para:"), centro);
    QFont ft = titulo->font();
    ft.setPointSize(ft.pointSize() + 6);
    ft.setBold(true);
    titulo->setFont(ft);
    layout->addWidget(titulo);
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
    resize(900, 600);
    if (QScreen* tela = QGuiApplication::primaryScreen())
        move(tela->availableGeometry().center() - rect().center());
}

TfPrincipal::~TfPrincipal() = default;

QMenu* TfPrincipal::novoGrupo(QMenu* pai, const QString& titulo, const QString& nome,
                              const QString& codigo)
{
    QMenu* m = pai ? pai->addMenu(titulo) : menuBar()->addMenu(titulo);
    m->setObjectName(nome);
    m->menuAction()->setObjectName(nome + QStringLiteral("Acao"));
    if (!codigo.isEmpty())
        connect(m, &QMenu::aboutToShow, this, [this, m, codigo] { aoAbrirGrupo(m, codigo); });
    return m;
}

QAction* TfPrincipal::novoItem(QMenu* menu, const QString& titulo, const QString& nome,
                               const QString& codigo, char verificacao, const QString& estorno)
{
    QAction* a = menu->addAction(titulo);
    a->setObjectName(nome);
    a->setEnabled(false);
    m_itens.insert(nome, Item{codigo, verificacao, estorno, {}});
    connect(a, &QAction::triggered, this, [this, nome] { aciona(nome); });
    return a;
}

void TfPrincipal::montaMenu()
{
    menuBar()->setObjectName(QStringLiteral("MainMenu"));

    QMenu* cad = novoGrupo(nullptr, QStringLiteral("Cadastros"), QStringLiteral("Cadastros1"),
                           QStringLiteral("1"));
    novoItem(cad, QStringLiteral("Grupos de Produtos"), QStringLiteral("GruposdeProdutos1"),
             QStringLiteral("1.1"));
    novoItem(cad, QStringLiteral("Produtos"), QStringLiteral("Produtos1"), QStringLiteral("1.2"));
    novoItem(cad, QStringLiteral("Requisitantes"), QStringLiteral("ipodeSadas1"),
             QStringLiteral("1.3"));
    novoItem(cad, QStringLiteral("Grupo de Fornecedores"), QStringLiteral("GrupodeFornecedores1"),
             QStringLiteral("1.4"));
    novoItem(cad, QStringLiteral("Fornecedores"), QStringLiteral("Fornecedores1"),
             QStringLiteral("1.5"));

    QMenu* mov = novoGrupo(nullptr, QStringLiteral("Movimentação no Estoque"),
                           QStringLiteral("MovimentaonoEstoque1"), QStringLiteral("2"));
    novoItem(mov, QStringLiteral("Entrada no Estoque"), QStringLiteral("EntradanoEstoque1"),
             QStringLiteral("2.1"));
    novoItem(mov, QStringLiteral("Saída no Estoque"), QStringLiteral("SadanoEstoque1"),
             QStringLiteral("2.2"));
    novoItem(mov, QStringLiteral("Estorno de Entrada"), QStringLiteral("EstornodeEntrada1"),
             QStringLiteral("2.3"), 0, QStringLiteral("TE"));
    novoItem(mov, QStringLiteral("Estorno de Saída"), QStringLiteral("EstornodeSada1"),
             QStringLiteral("2.4"), 0, QStringLiteral("TS"));
    QMenu* consultas = novoGrupo(mov, QStringLiteral("Consultas"), QStringLiteral("Consultas1"),
                                 QStringLiteral("2.5"));
    novoItem(consultas, QStringLiteral("Consulta de Movimentação de Estoque"),
             QStringLiteral("ConsultadeMovimentaodeEstoque1"), QStringLiteral("2.5.1"));
    novoItem(consultas, QStringLiteral("Consulta de Fornecedores de um Produto"),
             QStringLiteral("ConsultadeFornecedoresdeumProduto1"), QStringLiteral("2.5.2"));
    novoItem(mov, QStringLiteral("Devolução de não Consumíveis"),
             QStringLiteral("DevoluodenoConsumveis1"), QStringLiteral("2.6"));
    novoItem(mov, QStringLiteral("Extravio/Saída Definitiva de não Consumíveis"),
             QStringLiteral("ExtravioSadaDefinitivadenoConsumveis1"), QStringLiteral("2.7"));

    // Report items carry no code of their own: the group's gate is theirs.
    QMenu* rel = novoGrupo(nullptr, QStringLiteral("Relatórios"), QStringLiteral("Relatrios1"),
                           QStringLiteral("3"));
    QMenu* listas = novoGrupo(rel, QStringLiteral("Listas de Itens no Estoque"),
                              QStringLiteral("ListasdeItensnoEstoque1"), QString());
    const QList<QPair<const char*, const char*>> itensListas = {
        {"Itens no Estoque I (Ordenado por Código)", "ItensnoEstoqueOrdenadoporCdigo1"},
        {"Itens No Estoque II (Ordenado por Código)", "ItensNo1"},
        {"Itens no Estoque I (Ordenado por Descrição)", "ItensnoEstoqueOrdenadoporDescrio1"},
        {"Itens No Estoque II (Ordenado por Descrição)", "ItensNoEstoqueIIOrdenadoporDescrio1"},
        {"Itens no Estoque de um Grupo I", "ItensnoEstoquedeumGrupo1"},
        {"Itens no Estoque  de um Grupo II", "ItensnoEstoquedeumGrupoII1"},
        {"Produtos em Estoque", "InvetriodoEstoque1"},
    };
    for (const auto& [titulo, nome] : itensListas)
        novoItem(listas, QString::fromUtf8(titulo), QLatin1String(nome));
    QMenu* relMov = novoGrupo(rel, QStringLiteral("Movimentação de Estoque"),
                              QStringLiteral("MovimentaodeEstoque1"), QString());
    const QList<QPair<const char*, const char*>> itensMov = {
        {"Geral por Data", "MovimentaodeEstoqueGeralporData1"},
        {"Somente Entradas por Data", "SomenteEntradasporData1"},
        {"Somente Saídas por Data", "SomenteSadasporData1"},
        {"Somente Estorno de Entrada por Data", "SomenteEstornosdeEntradaporData1"},
        {"Somente Estorno de Saídas por Data", "SomenteEstornosdeSadaporData1"},
        {"Geral por Produto", "GeralporProduto1"},
        {"Somente Entradas por Produto", "SomenteEntradasporProduto1"},
        {"Somente Saídas por Produto", "SomenteSadasporProduto1"},
        {"Geral por Grupo", "GeralporGrupo1"},
        {"Somente Entradas por Grupo", "SomenteEntradasporGrupo1"},
        {"Somente Saídas por Grupo", "SomenteSadasporGrupo1"},
        {"Saídas por Requitante ", "SadasporTipodeSadas1"},
        {"Estorno de Saídas por Requisitante", "EstornodeSadasporRequisitante1"},
    };
    for (const auto& [titulo, nome] : itensMov)
        novoItem(relMov, QString::fromUtf8(titulo), QLatin1String(nome));
    novoItem(rel, QStringLiteral("Itens Abaixo do Estoque Mínimo"),
             QStringLiteral("ItensAbaixodoEstoqueMnimo1"));
    novoItem(rel, QStringLiteral("Devoluções Atrasadas"), QStringLiteral("DevoluesAtrasadas1"));

    QMenu* uti = novoGrupo(nullptr, QStringLiteral("Utilitários"), QStringLiteral("Utilitrios1"),
                           QStringLiteral("4"));
    novoItem(uti, QStringLiteral("Backup"), QStringLiteral("Backup1"), QStringLiteral("4.1"));
    novoItem(uti, QStringLiteral("Restaura Backup"), QStringLiteral("RestauraBackup1"),
             QStringLiteral("4.2"));
    novoItem(uti, QStringLiteral("Dados da Empresa"), QStringLiteral("DadosdaEmpresa1"),
             QStringLiteral("4.3"));
    QMenu* usu = novoGrupo(uti, QStringLiteral("Usuários"), QStringLiteral("Usurios1"),
                           QStringLiteral("4.4"));
    novoItem(usu, QStringLiteral("Manutenção de Usuários"), QStringLiteral("ManutenodeUsurios1"),
             QStringLiteral("4.4.1"));
    novoItem(usu, QStringLiteral("Login de Usuários"), QStringLiteral("LogindeUsurios1"),
             QStringLiteral("4.4.2"));
    novoItem(usu, QStringLiteral("Permissão de Usuários"), QStringLiteral("PermissodeUsurios1"),
             QStringLiteral("4.4.3"), 'A');
    novoItem(usu, QStringLiteral("Dá/Retira Permissão de Usuários"),
             QStringLiteral("DRetiraPermissodeUsurios1"), QStringLiteral("4.4.4"), 'B');
    novoItem(usu, QStringLiteral("Log de Usuários"), QStringLiteral("LogdeUsurios1"),
             QStringLiteral("4.4.5"), 'C');
    novoItem(usu, QStringLiteral("Consulta Log de Usuários"),
             QStringLiteral("ConsultaLogdeUsurios1"), QStringLiteral("4.4.6"));
    novoItem(uti, QStringLiteral("Manutenção de Movimentação de Estoque"),
             QStringLiteral("ManutenodeMovimentaodeEstoque1"), QStringLiteral("4.5"));

    QMenu* ajuda = novoGrupo(nullptr, QStringLiteral("Ajuda"), QStringLiteral("Ajuda1"), QString());
    novoItem(ajuda, QStringLiteral("Sobre"), QStringLiteral("Sobre1"));
    ligaItem(QStringLiteral("Sobre1"), abre<TfSobre>());
    ligaItem(QStringLiteral("GruposdeProdutos1"), abre<TfManut_Grupos>());
    ligaItem(QStringLiteral("ipodeSadas1"), abre<TfManut_REQ>());
    ligaItem(QStringLiteral("Produtos1"), abre<TfManut_Produtos>());
    ligaItem(QStringLiteral("Fornecedores1"), abre<TfManut_Fornec>());
    ligaItem(QStringLiteral("DadosdaEmpresa1"), abre<TfEmpresa>());
    ligaItem(QStringLiteral("EntradanoEstoque1"), abre<TfEntrada_Estq>());
    ligaItem(QStringLiteral("SadanoEstoque1"), abre<TfSaida_Estq>());
    // Both reversals open the same window; the menu has set TipoEstorno just before.
    ligaItem(QStringLiteral("EstornodeEntrada1"), abre<TfEstorno_Estq>());
    ligaItem(QStringLiteral("EstornodeSada1"), abre<TfEstorno_Estq>());
    ligaItem(QStringLiteral("GrupodeFornecedores1"), abre<TfManut_GrupoFornecedor>());

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
    return FlagLog == QLatin1String("S") && FlagLogin == QLatin1String("S");
}

bool TfPrincipal::temAcesso(const QString& codigo)
{
    if (FlagPermissao != QLatin1String("S") || FlagLogin != QLatin1String("S"))
        return true;
    return Funcoes::TemPermissao(m_app.conexao(), CodUsuario, codigo);
}

bool TfPrincipal::permite(const QString& codigo)
{
    if (temAcesso(codigo))
        return true;
    Mensagens::aviso(semPermissao, this);
    return false;
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
        Mensagens::aviso(semPermissao, this);
    });
}

void TfPrincipal::aciona(const QString& nome)
{
    const auto it = m_itens.constFind(nome);
    if (it == m_itens.constEnd())
        return;
    const Item item = *it;
    try {
        if (!item.codigo.isEmpty() && !permite(item.codigo))
            return;
        if (item.verificacao && !verificaConfiguracao(item.verificacao))
            return;
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
        return;
    }
    if (!item.estorno.isEmpty())
        TipoEstorno = item.estorno;
    if (item.abre)
        item.abre();
}

bool TfPrincipal::verificaConfiguracao(char verificacao)
{
    Consulta& q = m_app.dmConfiguracoes().SQLQ_Configuracoes;
    q.setSql(QStringLiteral("Select * From Configuracoes"));
    const Resultado r = q.abre();
    const QString coluna =
        verificacao == 'B' ? QStringLiteral("Permissao") : QStringLiteral("Login");
    const QString valor = r.vazio() ? QString() : r.valor(0, coluna).toString();
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
    Consulta& q = m_app.dmVersao().SQLQ_Versao;
    q.setSql(QStringLiteral("Select * From Versao"));
    const Resultado r = q.abre();
    NumVersao = r.vazio() ? QString() : r.valor(0, QStringLiteral("Numero")).toString();
    if (NumVersao == versao)
        return;
    Mensagens::simples(QStringLiteral("Clique em Ok para Atualizar a Versão...."), this);
    try {
        Transacao t(m_app.conexao());
        q.setSql(QStringLiteral("Update Versao SET numero=:NumeroC"));
        q.setParametro(QStringLiteral("NumeroC"), versao);
        q.executa(t);
        t.commit();
    } catch (const ErroBanco&) {
        Mensagens::aviso(QStringLiteral("Não Consegui Alterar o Número da Versão, tente Novamente"),
                         this);
        return;
    }
    Mensagens::simples(QStringLiteral("Versão Atualizada com Sucesso...."), this);
    NumVersao = versao;
}

void TfPrincipal::passoDeExibicao()
{
    try {
        atualizaVersao();

        Consulta& cfg = m_app.dmConfiguracoes().SQLQ_Configuracoes;
        cfg.setSql(QStringLiteral("Select * From Configuracoes"));
        const Resultado flags = cfg.abre();
        auto flag = [&](const char* coluna) {
            return flags.vazio() ? QString() : flags.valor(0, QLatin1String(coluna)).toString();
        };
        FlagLogin = flag("LOGIN");
        FlagPermissao = flag("Permissao");
        FlagLog = flag("Log");

        if (FlagLogin == QLatin1String("S"))
            Modal::exec(&m_app.janela<TfLogin>());

        Consulta& emp = m_app.dmEmpresa().SQLQ_Empresa;
        emp.setSql(QStringLiteral("Select * From Empresa"));
        const Resultado e = emp.abre();
        auto campo = [&](const char* coluna) {
            return e.vazio() ? QString() : e.valor(0, QLatin1String(coluna)).toString();
        };
        m_lbNome->setText(campo("EMP_Nome"));
        m_lbEndereco->setText(campo("EMP_Ender"));
        m_lbTelefone->setText(campo("EMP_Fone"));
        m_lbEmail->setText(campo("EMP_Email"));
        m_lbHomePage->setText(campo("EMP_HomeP"));
        EmpNome = campo("EMP_Nome");
        EmpFone = campo("EMP_Fone");
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
    }
    m_paineis[2]->setText(QStringLiteral("Versão:") + NumVersao);
}

void TfPrincipal::closeEvent(QCloseEvent* e)
{
    // The program ends through "Saída" only; the system's close key does nothing here.
    if (m_app.fimSolicitado())
        e->accept();
    else
        e->ignore();
}
