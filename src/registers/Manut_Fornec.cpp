#include "registers/Manut_Fornec.h"

#include "app/Aplicacao.h"
#include "common/Convencoes.h"
#include "common/Funcoes.h"
#include "common/Modal.h"
#include "registers/Busca_Fornecedor.h"
#include "registers/DadosFornecedor.h"
#include "registers/Familia.h"
#include "data/DataModule_Fornecedor.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QPushButton* botao(QWidget* pai, const char* nome, const QString& texto)
{
    auto* b = new QPushButton(texto, pai);
    b->setObjectName(QLatin1String(nome));
    b->setAutoDefault(false);
    return b;
}

QRadioButton* radio(QWidget* pai, const char* nome, const QString& texto)
{
    auto* r = new QRadioButton(texto, pai);
    r->setObjectName(QLatin1String(nome));
    return r;
}

} // namespace

TfManut_Fornec::TfManut_Fornec(Aplicacao& app, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_app(app)
{
    setObjectName(QStringLiteral("TfManut_Fornec"));
    setWindowTitle(QStringLiteral("Manutenção de Fornecedores"));

    auto* cabecalho = new QLabel(QStringLiteral("Manutenção de Fornecedores"), this);
    QFont f = cabecalho->font();
    f.setPointSize(f.pointSize() + 4);
    f.setBold(true);
    cabecalho->setFont(f);

    auto* ordem = new QGroupBox(QStringLiteral("Ordenado por:"), this);
    auto* rbtnCodigo = radio(ordem, "rbtnCodigo", QStringLiteral("Por Código"));
    m_rbtnRazao = radio(ordem, "rbtnRazao", QStringLiteral("Por Razão Social / Nome"));
    auto* rbtnFatasia = radio(ordem, "rbtnFatasia", QStringLiteral("Por Nome Fantasia / Apelido"));
    m_rbtnRazao->setChecked(true);
    auto* lo = new QVBoxLayout(ordem);
    lo->addWidget(rbtnCodigo, 0, Qt::AlignLeft);
    lo->addWidget(m_rbtnRazao, 0, Qt::AlignLeft);
    lo->addWidget(rbtnFatasia, 0, Qt::AlignLeft);

    auto* buscaPor = new QGroupBox(QStringLiteral("Busca Por:"), this);
    auto* rbCodigo = radio(buscaPor, "rbCodigo", QStringLiteral("Código"));
    auto* rbRazao = radio(buscaPor, "rbRazao", QStringLiteral("Razão Social/Nome"));
    auto* rbFantasia = radio(buscaPor, "rbFantasia", QStringLiteral("Nome Fantasia/Apelido"));
    auto* rbCNPJ = radio(buscaPor, "rbCNPJ", QStringLiteral("CNPJ/CPF"));
    auto* rbTelefone = radio(buscaPor, "rbTelefone", QStringLiteral("Telefone"));
    auto* rbObs = radio(buscaPor, "rbObs", QStringLiteral("Observações"));
    rbRazao->setChecked(true);
    auto* lb = new QGridLayout(buscaPor);
    lb->addWidget(rbCodigo, 0, 0, Qt::AlignLeft);
    lb->addWidget(rbRazao, 0, 1, Qt::AlignLeft);
    lb->addWidget(rbFantasia, 0, 2, Qt::AlignLeft);
    lb->addWidget(rbCNPJ, 1, 0, Qt::AlignLeft);
    lb->addWidget(rbTelefone, 1, 1, Qt::AlignLeft);
    lb->addWidget(rbObs, 1, 2, Qt::AlignLeft);
    m_lbTitulo = new QLabel(QStringLiteral("R.Social/Nome:"), buscaPor);
    m_lbTitulo->setObjectName(QStringLiteral("lbTitulo"));
    m_edBusca = new QLineEdit(buscaPor);
    m_edBusca->setObjectName(QStringLiteral("edBuscaFornec"));
    QPushButton* btBusca = botao(buscaPor, "btnBusca_Fornec", QStringLiteral("Busca"));
    auto* linhaBusca = new QHBoxLayout;
    linhaBusca->addWidget(m_lbTitulo);
    linhaBusca->addWidget(m_edBusca, 1);
    linhaBusca->addWidget(btBusca);
    lb->addLayout(linhaBusca, 2, 0, 1, 3);

    auto* topo = new QHBoxLayout;
    topo->addWidget(ordem);
    topo->addWidget(buscaPor, 1);

    auto* grade = new QTableView(this);
    grade->setObjectName(QStringLiteral("dbManut_For"));
    Convencoes::preparaGrade(grade);

    QPushButton* novo = botao(this, "btnInclui", QStringLiteral("Novo"));
    QPushButton* altera = botao(this, "btnAltera", QStringLiteral("Altera"));
    QPushButton* exclui = botao(this, "btnExclui", QStringLiteral("Exclui"));
    QPushButton* consulta = botao(this, "btnConsulta", QStringLiteral("Consulta"));
    QPushButton* saida = botao(this, "Button5", QStringLiteral("Saída"));
    auto* botoes = new QHBoxLayout;
    for (QPushButton* b : {novo, altera, exclui, consulta})
        botoes->addWidget(b);
    botoes->addStretch();
    botoes->addWidget(saida);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(cabecalho);
    layout->addLayout(topo);
    layout->addWidget(grade, 1);
    layout->addLayout(botoes);
    resize(900, 560);

    TdmFornecedor& dm = m_app.dmFornecedor();
    dm.cdsFornecedor.setColunas(TfBusca_Fornecedor::colunasDaGrade());
    dm.cdsFornecedor.acompanha(grade);

    // The ordering box only orders: the quick search has its own box, so the list's label is
    // left to that box.
    m_lista = new Familia::Lista(this, dm.SQLQFornecedor2, dm.cdsFornecedor, grade, nullptr,
                                 m_edBusca, 10, QLatin1Char('0'));
    m_lista->adicionaOrdem(
        {rbtnCodigo, QStringLiteral("Select * From FORNECEDOR order by FOR_Codigo"), {}, {}});
    m_lista->adicionaOrdem(
        {m_rbtnRazao, QStringLiteral("Select * From FORNECEDOR order by FOR_Razao"), {}, {}});
    m_lista->adicionaOrdem(
        {rbtnFatasia, QStringLiteral("Select * From FORNECEDOR order by FOR_Fanta"), {}, {}});
    m_lista->ligaRadios(false);
    // Every opening goes back to the name order; it has no radio of its own, so clicking
    // "Por Razão Social / Nome" still applies that radio's own statement.
    m_ordemAbertura = m_lista->adicionaOrdem(
        {nullptr, QStringLiteral("Select * From Fornecedor Order by FOR_Razao"), {}, {}});

    m_colunas = {
        {rbCodigo, QStringLiteral("FOR_Codigo"), QStringLiteral("Código:")},
        {rbRazao, QStringLiteral("FOR_RAZAO"), QStringLiteral("R.Social/Nome:")},
        {rbFantasia, QStringLiteral("FOR_FANTA"), QStringLiteral("N.Fantasia/Apelido:")},
        {rbCNPJ, QStringLiteral("FOR_CNPJ"), QStringLiteral("CNPJ/CPF:")},
        {rbTelefone, QStringLiteral("FOR_FONE1"), QStringLiteral("Telefone:")},
        {rbObs, QStringLiteral("FOR_OBS"), QStringLiteral("Observações:")},
    };
    for (const ColunaBusca& c : std::as_const(m_colunas))
        connect(c.radio, &QRadioButton::clicked, this, [this, c] { escolheBusca(c); });

    Convencoes::aoEntrar(m_edBusca, this, [this] {
        // Typing replaces the old search at once. A mouse click places the cursor after the
        // focus arrives, so the selection is made again once the click is through.
        m_edBusca->selectAll();
        QTimer::singleShot(0, m_edBusca, [this] { m_edBusca->selectAll(); });
    });
    Convencoes::aoSair(m_edBusca, this, [this] { saiDaBusca(); });

    connect(btBusca, &QPushButton::clicked, this, &TfManut_Fornec::busca);
    connect(novo, &QPushButton::clicked, this,
            [this] { abreDados(QStringLiteral("1.5.1"), ::Modo::Inclui); });
    connect(altera, &QPushButton::clicked, this,
            [this] { abreDados(QStringLiteral("1.5.2"), ::Modo::Altera); });
    connect(exclui, &QPushButton::clicked, this,
            [this] { abreDados(QStringLiteral("1.5.3"), ::Modo::Exclui); });
    connect(consulta, &QPushButton::clicked, this,
            [this] { abreDados(QStringLiteral("1.5.4"), ::Modo::Consulta); });
    connect(saida, &QPushButton::clicked, this, [this] {
        Modo = ::Modo::Nenhum;
        accept();
    });
    Convencoes::coresDeFoco(this);
}

void TfManut_Fornec::showEvent(QShowEvent* e)
{
    // The window system confirms the showing with a second, spontaneous event; the opening
    // runs once.
    if (e->spontaneous()) {
        QDialog::showEvent(e);
        return;
    }
    // Suppliers are known by name: each opening lists and searches them by name again.
    m_rbtnRazao->setChecked(true);
    m_lista->ordena(m_ordemAbertura);
    escolheBusca(m_colunas.at(1));
    QDialog::showEvent(e);
}

void TfManut_Fornec::escolheBusca(const ColunaBusca& coluna)
{
    if (!coluna.radio->isChecked())
        coluna.radio->setChecked(true);
    m_lbTitulo->setText(coluna.rotulo);
}

bool TfManut_Fornec::buscaPorCodigo() const
{
    return m_colunas.at(0).radio->isChecked();
}

void TfManut_Fornec::saiDaBusca()
{
    const QString texto = m_edBusca->text().trimmed();
    if (buscaPorCodigo() && !texto.isEmpty())
        m_edBusca->setText(Funcoes::codigoFornecedor(texto));
}

void TfManut_Fornec::busca()
{
    for (const ColunaBusca& c : std::as_const(m_colunas)) {
        if (!c.radio->isChecked())
            continue;
        QString texto = m_edBusca->text();
        if (c.radio == m_colunas.at(0).radio) {
            texto = Funcoes::codigoFornecedor(texto);
            m_edBusca->setText(texto);
        }
        m_lista->dados().localiza(c.campo, texto);
        m_lista->rele();
        return;
    }
}

void TfManut_Fornec::abreDados(const QString& codigoModulo, ::Modo modo)
{
    if (!Familia::permiteBotao(m_app, codigoModulo))
        return;
    Modo = modo;
    Modal::exec(&m_app.janela<TfDadosFornecedor>());
}
