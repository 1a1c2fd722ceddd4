#include "registers/Manut_GrupoFornecedor.h"

#include "app/Aplicacao.h"
#include "common/Convencoes.h"
#include "common/Modal.h"
#include "registers/Dados_GrupoFornecedor.h"
#include "registers/Familia.h"
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
#include <QVBoxLayout>

namespace {
QPushButton* botao(QWidget* pai, const char* nome, const QString& texto)
{
    auto* b = new QPushButton(texto, pai);
    b->setObjectName(QLatin1String(nome));
    b->setAutoDefault(false);
    return b;
}
} // namespace

TfManut_GrupoFornecedor::TfManut_GrupoFornecedor(Aplicacao& app, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_app(app)
{
    setObjectName(QStringLiteral("TfManut_GrupoFornecedor"));
    setWindowTitle(QStringLiteral("Manutenção de Grupo de Fornecedores"));

    auto* ordem = new QGroupBox(QStringLiteral("Ordenado por:"), this);
    auto* rbCodigo = new QRadioButton(QStringLiteral("Código"), ordem);
    rbCodigo->setObjectName(QStringLiteral("rbCodigo"));
    auto* rbDescricao = new QRadioButton(QStringLiteral("Descrição"), ordem);
    rbDescricao->setObjectName(QStringLiteral("rbDescricao"));
    rbDescricao->setChecked(true);
    auto* lo = new QHBoxLayout(ordem);
    lo->addWidget(rbCodigo);
    lo->addWidget(rbDescricao);

    auto* rapida = new QGroupBox(QStringLiteral("Busca Rápida"), this);
    auto* rotulo = new QLabel(QStringLiteral("Descrição:"), rapida);
    rotulo->setObjectName(QStringLiteral("lbBusca_GruFornec"));
    m_edBusca = new QLineEdit(rapida);
    m_edBusca->setObjectName(QStringLiteral("edBusca_GruFornec"));
    QPushButton* btBusca = botao(rapida, "btnBusca_GruFornec", QStringLiteral("Busca"));
    auto* lr = new QHBoxLayout(rapida);
    lr->addWidget(rotulo);
    lr->addWidget(m_edBusca, 1);
    lr->addWidget(btBusca);

    auto* topo = new QHBoxLayout;
    topo->addWidget(ordem);
    topo->addWidget(rapida, 1);

    auto* grade = new QTableView(this);
    grade->setObjectName(QStringLiteral("dbgManut_GrupoFornecedor"));
    Convencoes::preparaGrade(grade);

    QPushButton* novo = botao(this, "btnGruFornec_Novo", QStringLiteral("Novo"));
    QPushButton* altera = botao(this, "btnGruFornec_Altera", QStringLiteral("Altera"));
    QPushButton* exclui = botao(this, "btnGruFornec_Exclui", QStringLiteral("Exclui"));
    QPushButton* fechar = botao(this, "btnGruFornec_Fechar", QStringLiteral("Fechar"));
    auto* botoes = new QHBoxLayout;
    botoes->addWidget(novo);
    botoes->addWidget(altera);
    botoes->addWidget(exclui);
    botoes->addStretch();
    botoes->addWidget(fechar);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(topo);
    layout->addWidget(grade, 1);
    layout->addLayout(botoes);
    resize(640, 480);

    TdmGrupoFornecedor& dm = m_app.dmGrupoFornecedor();
    dm.cdsGrupoFornecedor.setColunas({{QStringLiteral("GRU_CODIGO"), QStringLiteral("Código")},
                                      {QStringLiteral("GRU_DESC"), QStringLiteral("Descrição")}});
    dm.cdsGrupoFornecedor.acompanha(grade);
    grade->horizontalHeader()->setStretchLastSection(true);

    m_lista = new Familia::Lista(this, dm.SQLQGrupoFornecedor2, dm.cdsGrupoFornecedor, grade,
                                 rotulo, m_edBusca, 6, QLatin1Char('0'));
    m_lista->adicionaOrdem({rbCodigo,
                            QStringLiteral("Select * From GRU_Fornec Order By GRU_Codigo"),
                            QStringLiteral("Código:"), QStringLiteral("GRU_CODIGO"), true});
    m_porDescricao = m_lista->adicionaOrdem(
        {rbDescricao, QStringLiteral("Select * From GRU_Fornec Order By GRU_Desc"),
         QStringLiteral("Descrição:"), QStringLiteral("GRU_DESC"), false});
    // Only a click (or the arrow keys, which click) reorders: Tab and Enter walk through the
    // window here, and a radio that reordered on focus would throw the focus back to the
    // search field each time it was passed.
    m_lista->ligaRadios(false);
    for (QRadioButton* r : {rbCodigo, rbDescricao})
        connect(r, &QRadioButton::clicked, this, &TfManut_GrupoFornecedor::recomecaBusca);

    connect(btBusca, &QPushButton::clicked, m_lista, &Familia::Lista::busca);
    connect(novo, &QPushButton::clicked, this,
            [this] { abreDados(QStringLiteral("1.4.1"), ::Modo::Inclui); });
    connect(altera, &QPushButton::clicked, this,
            [this] { abreDados(QStringLiteral("1.4.2"), ::Modo::Altera); });
    connect(exclui, &QPushButton::clicked, this,
            [this] { abreDados(QStringLiteral("1.4.3"), ::Modo::Exclui); });
    connect(fechar, &QPushButton::clicked, this, &QDialog::accept);
    Convencoes::coresDeFoco(this);
    Convencoes::enterComoTab(this);
}

void TfManut_GrupoFornecedor::showEvent(QShowEvent* e)
{
    // Every opening starts over: by description, with an empty search ready for typing.
    if (!e->spontaneous()) {
        m_lista->ordena(m_porDescricao);
        recomecaBusca();
    }
    QDialog::showEvent(e);
}

void TfManut_GrupoFornecedor::recomecaBusca()
{
    m_edBusca->clear();
    m_edBusca->setFocus(Qt::OtherFocusReason);
}

void TfManut_GrupoFornecedor::abreDados(const QString& codigoModulo, ::Modo modo)
{
    if (!Familia::permiteBotao(m_app, codigoModulo))
        return;
    Modo = modo;
    Modal::exec(&m_app.janela<TfDados_GrupoFornecedor>());
}
