#include "registers/Busca_Grupos.h"

#include "app/Aplicacao.h"
#include "common/Convencoes.h"
#include "data/DataModule_Grupos.h"

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

TfBusca_Grupos::TfBusca_Grupos(Aplicacao& app, QWidget* parent) : JanelaBusca(parent), m_app(app)
{
    setObjectName(QStringLiteral("TfBusca_Grupos"));
    setWindowTitle(QStringLiteral("Consulta de Grupos de Produtos"));

    auto* ordem = new QGroupBox(QStringLiteral("Ordenado por:"), this);
    auto* rbCodigo = new QRadioButton(QStringLiteral("Código"), ordem);
    rbCodigo->setObjectName(QStringLiteral("rbBusca_Grupos_Codigo"));
    m_rbDescricao = new QRadioButton(QStringLiteral("Descrição"), ordem);
    m_rbDescricao->setObjectName(QStringLiteral("rbBusca_GRupos_Descricao"));
    m_rbDescricao->setChecked(true);
    auto* lo = new QHBoxLayout(ordem);
    lo->addWidget(rbCodigo);
    lo->addWidget(m_rbDescricao);

    auto* rapida = new QGroupBox(QStringLiteral("Busca Rápida"), this);
    auto* rotulo = new QLabel(QStringLiteral("Descrição:"), rapida);
    rotulo->setObjectName(QStringLiteral("lbBusca_Grupos_Busca"));
    auto* edBusca = new QLineEdit(rapida);
    edBusca->setObjectName(QStringLiteral("edBusca_Grupos_Busca"));
    edBusca->setMaxLength(50);
    auto* btBusca = new QPushButton(QStringLiteral("Busca"), rapida);
    btBusca->setObjectName(QStringLiteral("btnBusca_Grupos"));
    auto* lr = new QHBoxLayout(rapida);
    lr->addWidget(rotulo);
    lr->addWidget(edBusca, 1);
    lr->addWidget(btBusca);

    auto* topo = new QHBoxLayout;
    topo->addWidget(ordem);
    topo->addWidget(rapida, 1);

    auto* grade = new QTableView(this);
    grade->setObjectName(QStringLiteral("dbg_BuscaGrupos"));
    Convencoes::preparaGrade(grade);

    auto* btSeleciona = new QPushButton(QStringLiteral("Seleciona"), this);
    btSeleciona->setObjectName(QStringLiteral("btnBusca_Seleciona"));
    auto* fechar = new QPushButton(QStringLiteral("Fechar"), this);
    fechar->setObjectName(QStringLiteral("btnBusca_GRU_Fechar"));
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

    TdmGrupos& dm = m_app.dmGrupos();
    dm.cds_Grupos.acompanha(grade);
    grade->horizontalHeader()->setStretchLastSection(true);
    m_lista = new Familia::Lista(this, dm.SQLQ_Grupos2, dm.cds_Grupos, grade, rotulo, edBusca, 6,
                                 QLatin1Char('0'));
    m_lista->adicionaOrdem({rbCodigo, QStringLiteral("Select * From Grupos Order by GRU_Codigo"),
                            QStringLiteral("Código:"), QStringLiteral("GRU_CODIGO"), true});
    m_lista->adicionaOrdem({m_rbDescricao,
                            QStringLiteral("Select * From Grupos Order by GRU_Descricao"),
                            QStringLiteral("Descrição:"), QStringLiteral("GRU_DESCRICAO"), false});
    m_lista->ligaRadios(true);

    connect(btBusca, &QPushButton::clicked, m_lista, &Familia::Lista::busca);
    connect(btSeleciona, &QPushButton::clicked, this,
            [this] { seleciona(Familia::codigoAtual(m_app.dmGrupos().cds_Grupos)); });
    connect(fechar, &QPushButton::clicked, this, &QDialog::reject);
    Convencoes::coresDeFoco(this);
}

void TfBusca_Grupos::showEvent(QShowEvent* e)
{
    // The window system confirms a showing with a second, spontaneous event; the opening work
    // runs once per opening.
    if (e->spontaneous()) {
        QDialog::showEvent(e);
        return;
    }
    if (!m_jaAberta) {
        // The first time, the chosen radio takes the focus and applies its order.
        m_jaAberta = true;
        m_lista->ordena(m_rbDescricao->isChecked() ? 1 : 0);
        m_rbDescricao->setFocus();
    } else {
        // Later, the list shows in the order last applied by either window.
        m_lista->rele();
    }
    QDialog::showEvent(e);
}
