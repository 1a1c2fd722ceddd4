#include "access/Manut_Usuarios.h"

#include "access/Dados_Usuarios.h"
#include "common/Convencoes.h"
#include "common/JanelasCadastro.h"
#include "common/Mensagens.h"
#include "common/Modal.h"
#include "contexto/Contexto.h"
#include "data/DataModule_Usuarios.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

TfManut_Usuarios::TfManut_Usuarios(Contexto& app, QWidget* parent) : Dialogo(parent), m_app(app)
{
    using namespace Formulario;
    using Ordem = TdmUsuarios::Ordem;
    setObjectName(QStringLiteral("TfManut_Usuarios"));
    setWindowTitle(QStringLiteral("Manutencao de Usuários"));

    QGroupBox* ordem = moldura(this, "", QStringLiteral("Ordenado por:"));
    const QList<QRadioButton*> ordens = radios(ordem,
                                               {{"rbUSU_Codigo", QStringLiteral("Código")},
                                                {"rbUSU_Nome", QStringLiteral("Nome")},
                                                {"rbUSU_Login", QStringLiteral("Login")}},
                                               1);
    QRadioButton* rbCodigo = ordens[0];
    m_rbNome = ordens[1];
    QRadioButton* rbLogin = ordens[2];

    QGroupBox* caixaBusca = moldura(this, "", QStringLiteral("Busca Rápida"));
    QLabel* lbBusca = rotulo(caixaBusca, "lbUSU_Busca", QStringLiteral("Nome:"));
    QLineEdit* edBusca = campo(caixaBusca, "edUSU_Busca", 50);
    QPushButton* btBusca = botao(caixaBusca, "btnUSU_Busca", QStringLiteral("Busca"));
    auto* lb = new QHBoxLayout(caixaBusca);
    lb->addWidget(lbBusca);
    lb->addWidget(edBusca, 1);
    lb->addWidget(btBusca);

    auto* topo = new QHBoxLayout;
    topo->addWidget(ordem);
    topo->addWidget(caixaBusca, 1);

    QTableView* grade = Formulario::grade(this, "dbgManut_Usuarios");
    m_grade = grade;
    QHBoxLayout* fileira = botoes(
        this,
        {{"btnUSU_Inclui", QStringLiteral("Inclui"), [this] { abreDados(::Modo::Inclui, {}); }},
         {"btnUSU_Altera", QStringLiteral("Altera"),
          [this] { abreDados(::Modo::Altera, QStringLiteral("Nenhum Usuário para Alterar !")); }},
         {"btnUSU_Exclui", QStringLiteral("Exclui"),
          [this] { abreDados(::Modo::Exclui, QStringLiteral("Nenhum Usuário para Excluir !")); }},
         {"btnUSU_Consulta", QStringLiteral("Consulta"),
          [this] {
              abreDados(::Modo::Consulta, QStringLiteral("Nenhum Usuário para Consulta !"));
          }}},
        {{"btnUSU_Fecha", QStringLiteral("Fecha"), [this] { accept(); }}});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(topo);
    layout->addWidget(grade, 1);
    layout->addLayout(fileira);
    resize(720, 480);

    TdmUsuarios& dm = m_app.dmUsuarios();
    colunasDaLista(grade, dm.cds_Usuarios, {0, 35, 12});
    grade->horizontalHeader()->setStretchLastSection(true);

    m_lista = new Familia::Lista(this, dm.lista(), grade, lbBusca, edBusca, 6, QLatin1Char('0'));
    m_lista->adicionaOrdem({rbCodigo, int(Ordem::PorCodigo), QStringLiteral("Código:"),
                            QStringLiteral("USU_CODIGO"), true});
    m_lista->adicionaOrdem({m_rbNome, int(Ordem::PorNome), QStringLiteral("Nome:"),
                            QStringLiteral("USU_NOME"), false});
    m_lista->adicionaOrdem({rbLogin, int(Ordem::PorLogin), QStringLiteral("Login:"),
                            QStringLiteral("USU_LOGIN"), false});
    m_lista->ligaRadios(true);
    // Every opening lists the users by name again but leaves the search label as the last
    // radio left it; having no radio of its own, it leaves "Nome" its own label.
    m_ordemAbertura = m_lista->adicionaOrdem(
        {nullptr, int(Ordem::PorNome), QString(), QStringLiteral("USU_NOME"), false});
    connect(btBusca, &QPushButton::clicked, m_lista, &Familia::Lista::busca);
    Convencoes::coresDeFoco(this);
}

void TfManut_Usuarios::aoAbrir()
{
    m_rbNome->setChecked(true);
    m_lista->ordena(m_ordemAbertura);
    // The list, not a radio: a radio given the focus would order the list its own way.
    m_grade->setFocus();
}

void TfManut_Usuarios::abreDados(::Modo modo, const QString& vazia)
{
    if (modo != ::Modo::Inclui && m_lista->dados().vazio()) {
        Mensagens::informacao(vazia, this);
        return;
    }
    Modo = modo;
    Modal::exec(&m_app.janela<TfDados_Usuarios>());
}
