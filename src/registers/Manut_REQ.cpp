#include "registers/Manut_REQ.h"

#include "app/Aplicacao.h"
#include "common/Convencoes.h"
#include "common/Modal.h"
#include "registers/Dados_REQ.h"
#include "registers/Familia.h"
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

namespace {
QPushButton* botao(QWidget* pai, const char* nome, const QString& texto)
{
    auto* b = new QPushButton(texto, pai);
    b->setObjectName(QLatin1String(nome));
    b->setAutoDefault(false);
    return b;
}
} // namespace

TfManut_REQ::TfManut_REQ(Aplicacao& app, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_app(app)
{
    setObjectName(QStringLiteral("TfManut_REQ"));
    setWindowTitle(QStringLiteral("Manutenção de Requisitantes"));

    auto* ordem = new QGroupBox(QStringLiteral("Ordenado por"), this);
    auto* rbCodigo = new QRadioButton(QStringLiteral("Código"), ordem);
    rbCodigo->setObjectName(QStringLiteral("rbREQ_Codigo"));
    m_rbDescricao = new QRadioButton(QStringLiteral("Descrição"), ordem);
    m_rbDescricao->setObjectName(QStringLiteral("rbREQ_Descricao"));
    m_rbDescricao->setChecked(true);
    auto* lo = new QHBoxLayout(ordem);
    lo->addWidget(rbCodigo);
    lo->addWidget(m_rbDescricao);

    auto* rapida = new QGroupBox(QStringLiteral("Busca Rápida"), this);
    auto* rotulo = new QLabel(QStringLiteral("Descrição:"), rapida);
    rotulo->setObjectName(QStringLiteral("lbREQ_Busca"));
    auto* edBusca = new QLineEdit(rapida);
    edBusca->setObjectName(QStringLiteral("edManut_REQ_Busca"));
    edBusca->setMaxLength(50);
    QPushButton* btBusca = botao(rapida, "btnREQ_Busca", QStringLiteral("Busca"));
    auto* lr = new QHBoxLayout(rapida);
    lr->addWidget(rotulo);
    lr->addWidget(edBusca, 1);
    lr->addWidget(btBusca);

    auto* topo = new QHBoxLayout;
    topo->addWidget(ordem);
    topo->addWidget(rapida, 1);

    auto* grade = new QTableView(this);
    grade->setObjectName(QStringLiteral("dbg_Manut_REQ"));
    Convencoes::preparaGrade(grade);

    QPushButton* novo = botao(this, "btnREQ_Inclui", QStringLiteral("Novo"));
    QPushButton* altera = botao(this, "btnREQ_Altera", QStringLiteral("Altera"));
    QPushButton* exclui = botao(this, "btnREQ_Exclui", QStringLiteral("Exclui"));
    QPushButton* fechar = botao(this, "btnREQ_Fecha", QStringLiteral("Fechar"));
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

    TdmReq& dm = m_app.dmReq();
    // The search window sets the same columns: whichever window is made first, the shared
    // list shows the code and the name.
    dm.cds_Req.setColunas({{QStringLiteral("REQ_CODIGO"), QStringLiteral("Código")},
                           {QStringLiteral("REQ_DESCRICAO"), QStringLiteral("Descrição")}});
    dm.cds_Req.acompanha(grade);
    grade->horizontalHeader()->setStretchLastSection(true);

    m_lista = new Familia::Lista(this, dm.SQLQ_Req2, dm.cds_Req, grade, rotulo, edBusca, 6,
                                 QLatin1Char('0'));
    m_lista->adicionaOrdem({rbCodigo,
                            QStringLiteral("Select * From Requisitante Order by REQ_Codigo"),
                            QStringLiteral("Código:"), QStringLiteral("REQ_CODIGO"), true});
    m_lista->adicionaOrdem({m_rbDescricao,
                            QStringLiteral("Select * From Requisitante Order by REQ_Descricao"),
                            QStringLiteral("Nome:"), QStringLiteral("REQ_DESCRICAO"), false});
    m_lista->ligaRadios(false);
    // Every opening goes back to the name order. It has no radio of its own, so clicking
    // "Descrição" still applies the click's statement and label.
    m_ordemAbertura = m_lista->adicionaOrdem(
        {nullptr, QStringLiteral("Select * From REQUISITANTE order By REQ_Descricao"),
         QStringLiteral("Descrição:"), QStringLiteral("REQ_DESCRICAO"), false});

    connect(btBusca, &QPushButton::clicked, m_lista, &Familia::Lista::busca);
    connect(novo, &QPushButton::clicked, this,
            [this] { abreDados(QStringLiteral("1.3.1"), ::Modo::Inclui); });
    connect(altera, &QPushButton::clicked, this,
            [this] { abreDados(QStringLiteral("1.3.2"), ::Modo::Altera); });
    connect(exclui, &QPushButton::clicked, this,
            [this] { abreDados(QStringLiteral("1.3.3"), ::Modo::Exclui); });
    connect(fechar, &QPushButton::clicked, this, &QDialog::accept);
    Convencoes::coresDeFoco(this);
}

void TfManut_REQ::showEvent(QShowEvent* e)
{
    // The window system confirms the showing with a second, spontaneous event; the opening
    // runs once.
    if (e->spontaneous()) {
        QDialog::showEvent(e);
        return;
    }
    // People look requisitioners up by name: each opening shows the list by name again, and
    // the quick search label names the column it will search.
    m_rbDescricao->setChecked(true);
    m_lista->ordena(m_ordemAbertura);
    QDialog::showEvent(e);
}

void TfManut_REQ::abreDados(const QString& codigoModulo, ::Modo modo)
{
    if (!Familia::permiteBotao(m_app, codigoModulo))
        return;
    Modo = modo;
    Modal::exec(&m_app.janela<TfDados_REQ>());
}
