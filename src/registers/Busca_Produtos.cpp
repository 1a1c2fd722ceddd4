#include "registers/Busca_Produtos.h"

#include "app/Aplicacao.h"
#include "common/Convencoes.h"
#include "registers/Manut_Produtos.h"
#include "data/DataModule_Produtos.h"

#include <QFont>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QShowEvent>
#include <QTableView>
#include <QVBoxLayout>

namespace {

QRadioButton* radio(QWidget* pai, const char* nome, const char* texto)
{
    auto* r = new QRadioButton(QString::fromUtf8(texto), pai);
    r->setObjectName(QLatin1String(nome));
    return r;
}

} // namespace

TfBusca_Produtos::TfBusca_Produtos(Aplicacao& app, QWidget* parent)
    : JanelaBusca(parent), m_app(app)
{
    setObjectName(QStringLiteral("TfBusca_Produtos"));
    setWindowTitle(QStringLiteral("Busca de Produtos"));

    auto* cabecalho = new QLabel(QStringLiteral("Consulta de Produtos"), this);
    cabecalho->setObjectName(QStringLiteral("lbCabecalho"));
    QFont f = cabecalho->font();
    f.setPointSize(f.pointSize() + 4);
    f.setBold(true);
    cabecalho->setFont(f);

    auto* caixaOrdem = new QGroupBox(QStringLiteral("Ordenado por:"), this);
    const QList<QRadioButton*> ordens{
        radio(caixaOrdem, "rbCon_Pro_Codigo", "Código"),
        radio(caixaOrdem, "rbCon_PRO_Descricao", "Descrição"),
        radio(caixaOrdem, "rbCon_PRO_Refer", "Referência"),
        radio(caixaOrdem, "rbManut_Con_Grupo", "Grupo"),
    };
    ordens[ListaProdutos::PorDescricao]->setChecked(true);
    auto* lo = new QHBoxLayout(caixaOrdem);
    for (QRadioButton* r : ordens)
        lo->addWidget(r);

    auto* caixaBusca = new QGroupBox(QStringLiteral("Busca"), this);
    const QList<QRadioButton*> buscas{
        radio(caixaBusca, "rbPRO_Busca_Codigo", "Código:"),
        radio(caixaBusca, "rbPRO_Busca_Descricao", "Descrição"),
        radio(caixaBusca, "rbPRO_Busca_Refer", "Referência"),
        radio(caixaBusca, "rbPRO_Busca_CodBar", "Código de Barras"),
        radio(caixaBusca, "rbPRO_Busca_OBS", "Observações"),
    };
    buscas[1]->setChecked(true);
    auto* rotulo = new QLabel(QStringLiteral("Descriçao:"), caixaBusca);
    rotulo->setObjectName(QStringLiteral("lbTitulo_Busca"));
    auto* edBusca = new QLineEdit(caixaBusca);
    edBusca->setObjectName(QStringLiteral("edBusca_ConPRO"));
    auto* btBusca = new QPushButton(QStringLiteral("Busca"), caixaBusca);
    btBusca->setObjectName(QStringLiteral("btnBusca_ConPro"));
    auto* radiosBusca = new QHBoxLayout;
    for (QRadioButton* r : buscas)
        radiosBusca->addWidget(r);
    auto* linhaBusca = new QHBoxLayout;
    linhaBusca->addWidget(rotulo);
    linhaBusca->addWidget(edBusca, 1);
    linhaBusca->addWidget(btBusca);
    auto* lb = new QVBoxLayout(caixaBusca);
    lb->addLayout(radiosBusca);
    lb->addLayout(linhaBusca);

    auto* grade = new QTableView(this);
    grade->setObjectName(QStringLiteral("dbg_Con_PRO"));
    Convencoes::preparaGrade(grade);

    auto* seleciona = new QPushButton(QStringLiteral("Seleciona"), this);
    seleciona->setObjectName(QStringLiteral("btnCon_PRO_Seleciona"));
    auto* fecha = new QPushButton(QStringLiteral("Fecha"), this);
    fecha->setObjectName(QStringLiteral("btnCon_PRO_Fecha"));
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    for (QPushButton* b : {btBusca, seleciona, fecha})
        b->setAutoDefault(false);
    botoes->addWidget(seleciona);
    botoes->addWidget(fecha);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(cabecalho);
    layout->addWidget(caixaOrdem);
    layout->addWidget(caixaBusca);
    layout->addWidget(grade, 1);
    layout->addLayout(botoes);
    resize(900, 560);

    TdmProdutos& dm = m_app.dmProdutos();
    // The list window sets the same columns: whichever window is made first, the shared list
    // knows that its first column is the code.
    QList<QPair<QString, QString>> colunas = ListaProdutos::colunasDaLista();
    dm.cds_Produtos.setColunas(colunas);
    // Whoever picks a product also sees its unit value and whether it is lent out and returned.
    colunas.insert(8, {QStringLiteral("PRO_VALOR"), QStringLiteral("Valor")});
    colunas.append({QStringLiteral("PRO_CONSUMIVEL"), QStringLiteral("Consumível")});
    dm.cds_Produtos.acompanha(grade, colunas);

    m_lista = new Familia::Lista(this, dm.SQLQ_Produtos2, dm.cds_Produtos, grade, nullptr, edBusca,
                                 10, QLatin1Char(' '));
    ListaProdutos::ligaOrdens(*m_lista, ordens, this, m_abrindo);
    m_busca = new ListaProdutos::BuscaRapida(*m_lista, rotulo, edBusca, buscas, this);

    connect(btBusca, &QPushButton::clicked, m_busca, &ListaProdutos::BuscaRapida::busca);
    connect(seleciona, &QPushButton::clicked, this, [this] {
        JanelaBusca::seleciona(Familia::codigoAtual(m_app.dmProdutos().cds_Produtos));
    });
    connect(fecha, &QPushButton::clicked, this, &QDialog::reject);
    Convencoes::coresDeFoco(this);
}

void TfBusca_Produtos::setVisible(bool visivel)
{
    const QScopedValueRollback guarda(m_abrindo, true);
    JanelaBusca::setVisible(visivel);
}

void TfBusca_Produtos::showEvent(QShowEvent* e)
{
    // The window system confirms the showing with a second, spontaneous event; the opening
    // runs once.
    if (e->spontaneous()) {
        JanelaBusca::showEvent(e);
        return;
    }
    // Every opening shows the products by description again; what was typed in the search
    // stays, ready to be searched once more.
    m_busca->voltaParaDescricao(QStringLiteral("Descriçao:"));
    m_lista->ordena(ListaProdutos::PorDescricao);
    JanelaBusca::showEvent(e);
}
