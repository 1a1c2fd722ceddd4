#include "registers/Manut_Produtos.h"

#include "app/Aplicacao.h"
#include "common/Convencoes.h"
#include "common/Funcoes.h"
#include "common/Modal.h"
#include "registers/Dados_Produtos.h"
#include "registers/Familia.h"
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

namespace ListaProdutos {

namespace {

struct ColunaDeBusca {
    const char* campo;
    const char* rotulo;
};

// In the order of the radios: code, description, reference, bar code, notes.
const ColunaDeBusca colunasDeBusca[] = {
    {"PRO_CODIGO", "Código:"},    {"PRO_DESCRICAO", "Descrição:"},
    {"PRO_REFER", "Referência:"}, {"PRO_CODBAR", "Código de Barras:"},
    {"PRO_OBS", "Observações:"},
};

} // namespace

QString sqlOrdenado(Ordem ordem)
{
    static const char* const ordens[] = {"Order By p.PRO_Codigo", "Order By p.PRO_Descricao",
                                         "Order By p.PRO_Refer", "Order By g.GRU_Descricao"};
    return QStringLiteral("Select p.*,g.GRU_Descricao From Produtos p join Grupos g "
                          "on(p.PRO_CodGRU =g.GRU_Codigo) ") +
           QLatin1String(ordens[ordem]);
}

QList<QPair<QString, QString>> colunasDaLista()
{
    return {
        {QStringLiteral("PRO_CODIGO"), QStringLiteral("Código")},
        {QStringLiteral("PRO_DESCRICAO"), QStringLiteral("Descrição")},
        {QStringLiteral("PRO_UNID"), QStringLiteral("Unidade")},
        {QStringLiteral("PRO_CODGRU"), QStringLiteral("Cód.Grupo")},
        {QStringLiteral("GRU_DESCRICAO"), QStringLiteral("Descrição Grupo")},
        {QStringLiteral("PRO_LOCAL"), QStringLiteral("Localização")},
        {QStringLiteral("PRO_QUANT"), QStringLiteral("Quantidade")},
        {QStringLiteral("PRO_MIN"), QStringLiteral("Est.Mínimo")},
        {QStringLiteral("PRO_UCOMP"), QStringLiteral("U.Compra")},
        {QStringLiteral("PRO_DCAD"), QStringLiteral("D.Cadastro")},
        {QStringLiteral("PRO_OBS"), QStringLiteral("Observações")},
        {QStringLiteral("PRO_REFER"), QStringLiteral("Referência")},
        {QStringLiteral("PRO_CODBAR"), QStringLiteral("Código de Barras")},
        {QStringLiteral("PRO_EMAX"), QStringLiteral("E.Máximo")},
    };
}

void ligaOrdens(Familia::Lista& lista, const QList<QRadioButton*>& radios, QWidget* janela,
                const bool& abrindo)
{
    static const char* const campos[] = {"PRO_CODIGO", "PRO_DESCRICAO", "PRO_REFER",
                                         "GRU_DESCRICAO"};
    for (int i = 0; i < radios.size(); ++i) {
        // The ordering leaves the quick-search label alone: the search has radios of its own.
        lista.adicionaOrdem({radios[i], sqlOrdenado(Ordem(i)), QString(), QLatin1String(campos[i]),
                             i == PorCodigo});
        Convencoes::aoEntrar(radios[i], janela, [&lista, &abrindo, i] {
            if (!abrindo)
                lista.ordena(i);
        });
    }
    lista.ligaRadios(false);
}

BuscaRapida::BuscaRapida(Familia::Lista& lista, QLabel* rotulo, QLineEdit* campo,
                         const QList<QRadioButton*>& radios, QObject* dono)
    : QObject(dono), m_lista(lista), m_rotulo(rotulo), m_campo(campo), m_radios(radios)
{
    for (int i = 0; i < m_radios.size(); ++i)
        connect(m_radios[i], &QRadioButton::toggled, this, [this, i](bool marcado) {
            if (!marcado)
                return;
            m_atual = i;
            m_rotulo->setText(QString::fromUtf8(colunasDeBusca[i].rotulo));
        });
}

QString BuscaRapida::campoAtual() const
{
    return QLatin1String(colunasDeBusca[m_atual].campo);
}

void BuscaRapida::busca()
{
    QString texto = m_campo->text();
    if (m_atual == 0) {
        texto = Funcoes::codigoProduto(texto);
        m_campo->setText(texto);
    }
    m_lista.dados().localiza(campoAtual(), texto);
    m_lista.rele();
}

void BuscaRapida::voltaParaDescricao(const QString& rotulo)
{
    m_radios[1]->setChecked(true);
    m_atual = 1;
    m_rotulo->setText(rotulo);
}

} // namespace ListaProdutos

namespace {

QPushButton* botao(QWidget* pai, const char* nome, const QString& texto)
{
    auto* b = new QPushButton(texto, pai);
    b->setObjectName(QLatin1String(nome));
    b->setAutoDefault(false);
    return b;
}

QRadioButton* radio(QWidget* pai, const char* nome, const char* texto)
{
    auto* r = new QRadioButton(QString::fromUtf8(texto), pai);
    r->setObjectName(QLatin1String(nome));
    return r;
}

} // namespace

TfManut_Produtos::TfManut_Produtos(Aplicacao& app, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_app(app)
{
    setObjectName(QStringLiteral("TfManut_Produtos"));
    setWindowTitle(QStringLiteral("Manutenção de Produtos"));

    auto* cabecalho = new QLabel(QStringLiteral("Manutenção de Produtos"), this);
    cabecalho->setObjectName(QStringLiteral("lbCabecalho"));
    QFont f = cabecalho->font();
    f.setPointSize(f.pointSize() + 4);
    f.setBold(true);
    cabecalho->setFont(f);

    auto* caixaOrdem = new QGroupBox(QStringLiteral("Ordenado por:"), this);
    const QList<QRadioButton*> ordens{
        radio(caixaOrdem, "rbManut_Pro_Codigo", "Código"),
        radio(caixaOrdem, "rbManut_PRO_Descricao", "Descrição"),
        radio(caixaOrdem, "rbManut_PRO_Refer", "Referência"),
        radio(caixaOrdem, "rbManut_PRO_Grupo", "Grupo"),
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
    auto* rotulo = new QLabel(QStringLiteral("Descrição:"), caixaBusca);
    rotulo->setObjectName(QStringLiteral("lbTitulo_Busca"));
    m_edBusca = new QLineEdit(caixaBusca);
    m_edBusca->setObjectName(QStringLiteral("edBusca_ManutPRO"));
    QPushButton* btBusca = botao(caixaBusca, "btnBusca_ManutPro", QStringLiteral("Busca"));
    auto* radiosBusca = new QHBoxLayout;
    for (QRadioButton* r : buscas)
        radiosBusca->addWidget(r);
    auto* linhaBusca = new QHBoxLayout;
    linhaBusca->addWidget(rotulo);
    linhaBusca->addWidget(m_edBusca, 1);
    linhaBusca->addWidget(btBusca);
    auto* lb = new QVBoxLayout(caixaBusca);
    lb->addLayout(radiosBusca);
    lb->addLayout(linhaBusca);

    auto* grade = new QTableView(this);
    grade->setObjectName(QStringLiteral("dbg_Manut_PRO"));
    Convencoes::preparaGrade(grade);

    QPushButton* novo = botao(this, "btnManut_PRO_Novo", QStringLiteral("Novo"));
    QPushButton* altera = botao(this, "btnManut_PRO_Altera", QStringLiteral("Altera"));
    QPushButton* exclui = botao(this, "btnManut_PRO_Exclui", QStringLiteral("Exclui"));
    QPushButton* consulta = botao(this, "btnManut_PRO_Consulta", QStringLiteral("Consulta"));
    QPushButton* fecha = botao(this, "btnManut_PRO_Fecha", QStringLiteral("Fecha"));
    auto* botoes = new QHBoxLayout;
    for (QPushButton* b : {novo, altera, exclui, consulta})
        botoes->addWidget(b);
    botoes->addStretch();
    botoes->addWidget(fecha);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(cabecalho);
    layout->addWidget(caixaOrdem);
    layout->addWidget(caixaBusca);
    layout->addWidget(grade, 1);
    layout->addLayout(botoes);
    resize(900, 560);

    TdmProdutos& dm = m_app.dmProdutos();
    const QList<QPair<QString, QString>> colunas = ListaProdutos::colunasDaLista();
    // The search window sets the same columns: whichever window is made first, the shared list
    // knows that its first column is the code the record window loads.
    dm.cds_Produtos.setColunas(colunas);
    dm.cds_Produtos.acompanha(grade, colunas);

    m_lista = new Familia::Lista(this, dm.SQLQ_Produtos2, dm.cds_Produtos, grade, nullptr,
                                 m_edBusca, 10, QLatin1Char(' '));
    ListaProdutos::ligaOrdens(*m_lista, ordens, this, m_abrindo);
    m_busca = new ListaProdutos::BuscaRapida(*m_lista, rotulo, m_edBusca, buscas, this);

    connect(btBusca, &QPushButton::clicked, m_busca, &ListaProdutos::BuscaRapida::busca);
    connect(novo, &QPushButton::clicked, this,
            [this] { abreDados(QStringLiteral("1.2.1"), ::Modo::Inclui); });
    connect(altera, &QPushButton::clicked, this,
            [this] { abreDados(QStringLiteral("1.2.2"), ::Modo::Altera); });
    connect(exclui, &QPushButton::clicked, this,
            [this] { abreDados(QStringLiteral("1.2.3"), ::Modo::Exclui); });
    connect(consulta, &QPushButton::clicked, this,
            [this] { abreDados(QStringLiteral("1.2.4"), ::Modo::Consulta); });
    connect(fecha, &QPushButton::clicked, this, &QDialog::accept);
    Convencoes::coresDeFoco(this);
}

void TfManut_Produtos::setVisible(bool visivel)
{
    const QScopedValueRollback guarda(m_abrindo, true);
    QDialog::setVisible(visivel);
}

void TfManut_Produtos::showEvent(QShowEvent* e)
{
    // The window system confirms the showing with a second, spontaneous event; the opening
    // runs once.
    if (e->spontaneous()) {
        QDialog::showEvent(e);
        return;
    }
    // The stock room looks products up by description: every opening starts there again, with
    // an empty search.
    m_edBusca->clear();
    m_busca->voltaParaDescricao(QStringLiteral("Descrição:"));
    m_lista->ordena(ListaProdutos::PorDescricao);
    QDialog::showEvent(e);
}

void TfManut_Produtos::abreDados(const QString& codigoModulo, ::Modo modo)
{
    if (!Familia::permiteBotao(m_app, codigoModulo))
        return;
    Modo = modo;
    Modal::exec(&m_app.janela<TfDados_Produtos>());
}
