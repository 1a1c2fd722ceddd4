#include "registers/Manut_Grupos.h"

#include "app/Aplicacao.h"
#include "common/Convencoes.h"
#include "common/Modal.h"
#include "registers/Dados_Grupos.h"
#include "registers/Familia.h"
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

namespace {
QPushButton* botao(QWidget* pai, const char* nome, const QString& texto)
{
    auto* b = new QPushButton(texto, pai);
    b->setObjectName(QLatin1String(nome));
    b->setAutoDefault(false);
    return b;
}
} // namespace

TfManut_Grupos::TfManut_Grupos(Aplicacao& app, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_app(app)
{
    setObjectName(QStringLiteral("TfManut_Grupos"));
    setWindowTitle(QStringLiteral("Manutenção de Grupos"));

    auto* ordem = new QGroupBox(QStringLiteral("Ordenado por:"), this);
    auto* rbCodigo = new QRadioButton(QStringLiteral("Código"), ordem);
    rbCodigo->setObjectName(QStringLiteral("rbManut_Grupos_Codigo"));
    auto* rbDescricao = new QRadioButton(QStringLiteral("Descrição"), ordem);
    rbDescricao->setObjectName(QStringLiteral("rbManut_GRupos_Descricao"));
    rbCodigo->setChecked(true);
    auto* lo = new QHBoxLayout(ordem);
    lo->addWidget(rbCodigo);
    lo->addWidget(rbDescricao);

    auto* rapida = new QGroupBox(QStringLiteral("Busca Rápida"), this);
    auto* rotulo = new QLabel(QStringLiteral("Código:"), rapida);
    rotulo->setObjectName(QStringLiteral("lbManut_Grupos_Busca"));
    auto* edBusca = new QLineEdit(rapida);
    edBusca->setObjectName(QStringLiteral("edManut_Grupos_Busca"));
    edBusca->setMaxLength(50);
    QPushButton* btBusca = botao(rapida, "Button1", QStringLiteral("Busca"));
    auto* lr = new QHBoxLayout(rapida);
    lr->addWidget(rotulo);
    lr->addWidget(edBusca, 1);
    lr->addWidget(btBusca);

    auto* topo = new QHBoxLayout;
    topo->addWidget(ordem);
    topo->addWidget(rapida, 1);

    auto* grade = new QTableView(this);
    grade->setObjectName(QStringLiteral("dbg_ManutGrupos"));
    Convencoes::preparaGrade(grade);

    QPushButton* novo = botao(this, "btn_Manut_GRU_Novo", QStringLiteral("Novo"));
    QPushButton* altera = botao(this, "btnManut_GRU_Altera", QStringLiteral("Altera"));
    QPushButton* exclui = botao(this, "btnManut_GRU_Exclui", QStringLiteral("Exclui"));
    QPushButton* fechar = botao(this, "btnManut_GRU_Fechar", QStringLiteral("Fechar"));
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

    TdmGrupos& dm = m_app.dmGrupos();
    dm.cds_Grupos.setColunas({{QStringLiteral("GRU_CODIGO"), QStringLiteral("Código")},
                              {QStringLiteral("GRU_DESCRICAO"), QStringLiteral("Descrição")}});
    dm.cds_Grupos.acompanha(grade);
    grade->horizontalHeader()->setStretchLastSection(true);

    m_lista = new Familia::Lista(this, dm.SQLQ_Grupos2, dm.cds_Grupos, grade, rotulo, edBusca, 6,
                                 QLatin1Char('0'));
    m_lista->adicionaOrdem({rbCodigo, QStringLiteral("Select * From Grupos Order by GRU_Codigo"),
                            QStringLiteral("Código:"), QStringLiteral("GRU_CODIGO"), true});
    m_lista->adicionaOrdem({rbDescricao,
                            QStringLiteral("Select * From Grupos Order by GRU_DESCRICAO"),
                            QStringLiteral("Descrição:"), QStringLiteral("GRU_DESCRICAO"), false});
    m_lista->ligaRadios(true);
    // Made with "Código" chosen: the list starts in code order.
    m_lista->ordena(0);

    connect(btBusca, &QPushButton::clicked, m_lista, &Familia::Lista::busca);
    connect(novo, &QPushButton::clicked, this,
            [this] { abreDados(QStringLiteral("1.1.1"), ::Modo::Inclui); });
    connect(altera, &QPushButton::clicked, this,
            [this] { abreDados(QStringLiteral("1.1.2"), ::Modo::Altera); });
    connect(exclui, &QPushButton::clicked, this,
            [this] { abreDados(QStringLiteral("1.1.3"), ::Modo::Exclui); });
    connect(fechar, &QPushButton::clicked, this, &QDialog::accept);
    Convencoes::coresDeFoco(this);
}

void TfManut_Grupos::showEvent(QShowEvent* e)
{
    // The window system confirms a showing with a second, spontaneous event; the opening work
    // runs once per opening.
    if (e->spontaneous()) {
        QDialog::showEvent(e);
        return;
    }
    // Every opening shows the list as it is now, in the order last applied.
    m_lista->rele();
    QDialog::showEvent(e);
}

void TfManut_Grupos::abreDados(const QString& codigoModulo, ::Modo modo)
{
    if (!Familia::permiteBotao(m_app, codigoModulo))
        return;
    Modo = modo;
    Modal::exec(&m_app.janela<TfDados_Grupos>());
}
