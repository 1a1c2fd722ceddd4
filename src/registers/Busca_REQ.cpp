#include "registers/Busca_REQ.h"

#include "app/Aplicacao.h"
#include "common/Convencoes.h"
#include "data/DataModule_Req.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTableView>
#include <QVBoxLayout>

TfBusca_REQ::TfBusca_REQ(Aplicacao& app, QWidget* parent) : JanelaBusca(parent), m_app(app)
{
    setObjectName(QStringLiteral("TfBusca_REQ"));
    setWindowTitle(QStringLiteral("Busca de Requisitantes"));

    auto* ordem = new QGroupBox(QStringLiteral("Ordenado por"), this);
    auto* rbCodigo = new QRadioButton(QStringLiteral("Código"), ordem);
    rbCodigo->setObjectName(QStringLiteral("rbBusca_REQ_Codigo"));
    m_rbDescricao = new QRadioButton(QStringLiteral("Descrição"), ordem);
    m_rbDescricao->setObjectName(QStringLiteral("rbBusca_REQ_Descricao"));
    m_rbDescricao->setChecked(true);
    auto* lo = new QHBoxLayout(ordem);
    lo->addWidget(rbCodigo);
    lo->addWidget(m_rbDescricao);

    auto* rapida = new QGroupBox(QStringLiteral("Busca Rápida"), this);
    auto* rotulo = new QLabel(QStringLiteral("Nome:"), rapida);
    rotulo->setObjectName(QStringLiteral("lbBusca_REQ_Busca"));
    m_edBusca = new QLineEdit(rapida);
    m_edBusca->setObjectName(QStringLiteral("edBusca_REQ_Busca"));
    m_edBusca->setMaxLength(50);
    auto* btBusca = new QPushButton(QStringLiteral("Busca"), rapida);
    btBusca->setObjectName(QStringLiteral("btnBusca_REQ"));
    auto* lr = new QHBoxLayout(rapida);
    lr->addWidget(rotulo);
    lr->addWidget(m_edBusca, 1);
    lr->addWidget(btBusca);

    auto* topo = new QHBoxLayout;
    topo->addWidget(ordem);
    topo->addWidget(rapida, 1);

    auto* grade = new QTableView(this);
    grade->setObjectName(QStringLiteral("dbg_BuscaREQ"));
    Convencoes::preparaGrade(grade);

    auto* btSeleciona = new QPushButton(QStringLiteral("Seleciona"), this);
    btSeleciona->setObjectName(QStringLiteral("btnBusca_Seleciona"));
    auto* fechar = new QPushButton(QStringLiteral("Fechar"), this);
    fechar->setObjectName(QStringLiteral("btnBusca_TIP_Fechar"));
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    for (QPushButton* b : {btBusca, btSeleciona, fechar})
        b->setAutoDefault(false);
    botoes->addWidget(btSeleciona);
    botoes->addWidget(fechar);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(topo);
    layout->addWidget(grade, 1);
    layout->addLayout(botoes);
    resize(640, 480);

    TdmReq& dm = m_app.dmReq();
    // The list window sets the same columns: whichever window is made first, the shared list
    // knows its code column. This grid heads the name "Nome", as everywhere outside the
    // register itself.
    dm.cds_Req.setColunas({{QStringLiteral("REQ_CODIGO"), QStringLiteral("Código")},
                           {QStringLiteral("REQ_DESCRICAO"), QStringLiteral("Descrição")}});
    dm.cds_Req.acompanha(grade, {{QStringLiteral("REQ_CODIGO"), QStringLiteral("Código")},
                                 {QStringLiteral("REQ_DESCRICAO"), QStringLiteral("Nome")}});
    grade->horizontalHeader()->setStretchLastSection(true);

    m_lista = new Familia::Lista(this, dm.SQLQ_Req2, dm.cds_Req, grade, rotulo, m_edBusca, 6,
                                 QLatin1Char('0'));
    m_lista->adicionaOrdem({rbCodigo,
                            QStringLiteral("Select * From Requisitante Order by REQ_Codigo"),
                            QStringLiteral("Código:"), QStringLiteral("REQ_CODIGO"), true});
    m_lista->adicionaOrdem({m_rbDescricao,
                            QStringLiteral("Select * From REQUISITANTE Order by REQ_Descricao"),
                            QStringLiteral("Nome:"), QStringLiteral("REQ_DESCRICAO"), false});
    m_lista->ligaRadios(false);
    // Every opening goes back to the name order. It has no radio of its own, so clicking
    // "Descrição" still applies the click's statement.
    m_ordemAbertura = m_lista->adicionaOrdem(
        {nullptr, QStringLiteral("Select * From REquisitante Order by REQ_Descricao"),
         QStringLiteral("Nome:"), QStringLiteral("REQ_DESCRICAO"), false});

    connect(btBusca, &QPushButton::clicked, m_lista, &Familia::Lista::busca);
    connect(btSeleciona, &QPushButton::clicked, this,
            [this] { seleciona(Familia::codigoAtual(m_app.dmReq().cds_Req)); });
    connect(fechar, &QPushButton::clicked, this, &QDialog::reject);
    Convencoes::coresDeFoco(this);
}

void TfBusca_REQ::showEvent(QShowEvent* e)
{
    // The window system confirms the showing with a second, spontaneous event; the opening
    // runs once.
    if (e->spontaneous()) {
        QDialog::showEvent(e);
        return;
    }
    // Whoever opens it starts from a clean search over the list by name.
    m_edBusca->clear();
    m_rbDescricao->setChecked(true);
    m_lista->ordena(m_ordemAbertura);
    QDialog::showEvent(e);
}
