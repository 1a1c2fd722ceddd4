#include "registers/BuscaGRU_For.h"

#include "app/Aplicacao.h"
#include "common/Convencoes.h"
#include "common/Funcoes.h"
#include "data/DataModule_GrupoFornecedor.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

TfBuscaGRU_For::TfBuscaGRU_For(Aplicacao& app, QWidget* parent) : JanelaBusca(parent), m_app(app)
{
    setObjectName(QStringLiteral("TfBuscaGRU_For"));
    setWindowTitle(QStringLiteral("Busca de Grupo de Fornecedores"));

    auto* titulo = new QLabel(QStringLiteral("Busca de Grupo de Fornecedor"), this);
    QFont f = titulo->font();
    f.setPointSize(f.pointSize() + 4);
    f.setBold(true);
    titulo->setFont(f);

    auto* ordem = new QGroupBox(QStringLiteral("Ordenado por:"), this);
    m_rbCodigo = new QRadioButton(QStringLiteral("Código"), ordem);
    m_rbCodigo->setObjectName(QStringLiteral("rbCodigo"));
    auto* rbDescricao = new QRadioButton(QStringLiteral("Descrição"), ordem);
    rbDescricao->setObjectName(QStringLiteral("rbDescricao"));
    rbDescricao->setChecked(true);
    auto* lo = new QHBoxLayout(ordem);
    lo->addWidget(m_rbCodigo);
    lo->addWidget(rbDescricao);

    auto* busca = new QGroupBox(QStringLiteral("Busca:"), this);
    auto* rotulo = new QLabel(QStringLiteral("Descrição:"), busca);
    rotulo->setObjectName(QStringLiteral("lbTitulo"));
    m_edBusca = new QLineEdit(busca);
    m_edBusca->setObjectName(QStringLiteral("edBusca"));
    auto* btBusca = new QPushButton(QStringLiteral("Busca"), busca);
    btBusca->setObjectName(QStringLiteral("btnBusca"));
    auto* lb = new QHBoxLayout(busca);
    lb->addWidget(rotulo);
    lb->addWidget(m_edBusca, 1);
    lb->addWidget(btBusca);

    auto* topo = new QHBoxLayout;
    topo->addWidget(ordem);
    topo->addWidget(busca, 1);

    auto* grade = new QTableView(this);
    grade->setObjectName(QStringLiteral("dbgBusca_GRUFor"));
    Convencoes::preparaGrade(grade);

    auto* btSeleciona = new QPushButton(QStringLiteral("Seleciona"), this);
    btSeleciona->setObjectName(QStringLiteral("btnSeleciona"));
    auto* fechar = new QPushButton(QStringLiteral("Fechar"), this);
    fechar->setObjectName(QStringLiteral("btnFechar"));
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    for (QPushButton* b : {btBusca, btSeleciona, fechar})
        b->setAutoDefault(false);
    botoes->addWidget(btSeleciona);
    botoes->addWidget(fechar);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titulo);
    layout->addLayout(topo);
    layout->addWidget(grade, 1);
    layout->addLayout(botoes);
    resize(640, 480);

    TdmGrupoFornecedor& dm = m_app.dmGrupoFornecedor();
    // The same captions as the list window's grid, which shows the same list.
    dm.cdsGrupoFornecedor.setColunas({{QStringLiteral("GRU_CODIGO"), QStringLiteral("Código")},
                                      {QStringLiteral("GRU_DESC"), QStringLiteral("Descrição")}});
    dm.cdsGrupoFornecedor.acompanha(grade);
    grade->horizontalHeader()->setStretchLastSection(true);

    // The search field is padded when the user leaves it (below), so "Busca" looks for the
    // text exactly as the field then shows it.
    m_lista = new Familia::Lista(this, dm.SQLQGrupoFornecedor2, dm.cdsGrupoFornecedor, grade,
                                 rotulo, m_edBusca, 6, QLatin1Char('0'));
    m_lista->adicionaOrdem({m_rbCodigo,
                            QStringLiteral("Select * From GRU_Fornec order By GRU_Codigo"),
                            QStringLiteral("Código:"), QStringLiteral("GRU_CODIGO"), false});
    m_porDescricao = m_lista->adicionaOrdem(
        {rbDescricao, QStringLiteral("Select * From GRU_Fornec order By GRU_Desc"),
         QStringLiteral("Descrição:"), QStringLiteral("GRU_DESC"), false});
    m_lista->ligaRadios(false);

    Convencoes::aoEntrar(m_edBusca, this, [this] {
        // Typing replaces the old search at once. A mouse click places the cursor after the
        // focus arrives, so the selection is made again once the click is through.
        m_edBusca->selectAll();
        QTimer::singleShot(0, m_edBusca, [this] { m_edBusca->selectAll(); });
    });
    Convencoes::aoSair(m_edBusca, this, [this] { saiDaBusca(); });

    connect(btBusca, &QPushButton::clicked, m_lista, &Familia::Lista::busca);
    connect(btSeleciona, &QPushButton::clicked, this, [this] {
        seleciona(Familia::codigoAtual(m_app.dmGrupoFornecedor().cdsGrupoFornecedor));
    });
    connect(fechar, &QPushButton::clicked, this, &QDialog::reject);
    Convencoes::coresDeFoco(this);
}

void TfBuscaGRU_For::showEvent(QShowEvent* e)
{
    // Every opening starts over: an empty search, by description.
    if (!e->spontaneous()) {
        m_edBusca->clear();
        m_lista->ordena(m_porDescricao);
        m_edBusca->setFocus(Qt::OtherFocusReason);
    }
    QDialog::showEvent(e);
}

void TfBuscaGRU_For::saiDaBusca()
{
    if (m_rbCodigo->isChecked() && !m_edBusca->text().trimmed().isEmpty())
        m_edBusca->setText(Funcoes::codigoSeis(m_edBusca->text()));
}
