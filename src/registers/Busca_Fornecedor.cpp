#include "registers/Busca_Fornecedor.h"

#include "app/Aplicacao.h"
#include "common/Convencoes.h"
#include "data/DataModule_Fornecedor.h"

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

QList<QPair<QString, QString>> TfBusca_Fornecedor::colunasDaGrade()
{
    return {
        {QStringLiteral("FOR_CODIGO"), QStringLiteral("Código")},
        {QStringLiteral("FOR_FANTA"), QStringLiteral("Nome Fantasia/Apelido")},
        {QStringLiteral("FOR_RAZAO"), QStringLiteral("Razão Social/Nome")},
        {QStringLiteral("FOR_ENDER"), QStringLiteral("Endereço")},
        {QStringLiteral("FOR_NUMERO"), QStringLiteral("Número")},
        {QStringLiteral("FOR_TIPO"), QStringLiteral("Tipo")},
        {QStringLiteral("FOR_CEP"), QStringLiteral("CEP")},
        {QStringLiteral("FOR_CIDADE"), QStringLiteral("Cidade")},
        {QStringLiteral("FOR_UF"), QStringLiteral("UF")},
        {QStringLiteral("FOR_CNPJ"), QStringLiteral("CNPJ/CPF")},
        {QStringLiteral("FOR_INSC"), QStringLiteral("I.Estadual/R.G.:")},
        {QStringLiteral("FOR_FONE1"), QStringLiteral("Telefone 1")},
        {QStringLiteral("FOR_FONE2"), QStringLiteral("Telefone 2")},
        {QStringLiteral("FOR_CONTATO"), QStringLiteral("Contato")},
        {QStringLiteral("FOR_FAX"), QStringLiteral("FAX")},
        {QStringLiteral("FOR_CONTA"), QStringLiteral("Conta")},
        {QStringLiteral("FOR_BANCO"), QStringLiteral("Banco")},
        {QStringLiteral("FOR_AGENCIA"), QStringLiteral("Agência")},
        {QStringLiteral("FOR_EMAIL"), QStringLiteral("Email")},
        {QStringLiteral("FOR_HOMEP"), QStringLiteral("Home Page")},
        {QStringLiteral("FOR_CELULAR"), QStringLiteral("Celular")},
        {QStringLiteral("FOR_BAIRRO"), QStringLiteral("Bairro")},
        {QStringLiteral("FOR_COMPLEMENTO"), QStringLiteral("Complemento")},
        {QStringLiteral("FOR_OBS"), QStringLiteral("Observações")},
        {QStringLiteral("FOR_DCAD"), QStringLiteral("D.Cadastramento")},
        {QStringLiteral("FOR_GRUPO"), QStringLiteral("Cód.Grupo")},
    };
}

TfBusca_Fornecedor::TfBusca_Fornecedor(Aplicacao& app, QWidget* parent)
    : JanelaBusca(parent), m_app(app)
{
    setObjectName(QStringLiteral("TfBusca_Fornecedor"));
    setWindowTitle(QStringLiteral("Busca de Fornecedores"));

    auto* ordem = new QGroupBox(QStringLiteral("Ordenado por:"), this);
    auto* rbCodigo = new QRadioButton(QStringLiteral("Código"), ordem);
    rbCodigo->setObjectName(QStringLiteral("rbCodigo"));
    auto* rbRazao = new QRadioButton(QStringLiteral("Nome/Razão Social"), ordem);
    rbRazao->setObjectName(QStringLiteral("rbRazao"));
    auto* rbFanta = new QRadioButton(QStringLiteral("Apelido/Nome Fantasia"), ordem);
    rbFanta->setObjectName(QStringLiteral("rbFanta"));
    rbRazao->setChecked(true);
    auto* lo = new QHBoxLayout(ordem);
    lo->addWidget(rbCodigo);
    lo->addWidget(rbRazao);
    lo->addWidget(rbFanta);

    auto* busca = new QGroupBox(QStringLiteral("Busca:"), this);
    auto* rotulo = new QLabel(QStringLiteral("R.Social/Nome:"), busca);
    rotulo->setObjectName(QStringLiteral("lbBusca"));
    m_edBusca = new QLineEdit(busca);
    m_edBusca->setObjectName(QStringLiteral("edBusca"));
    auto* btBusca = new QPushButton(QStringLiteral("Busca"), busca);
    btBusca->setObjectName(QStringLiteral("btnBusca_Grupos"));
    auto* lb = new QHBoxLayout(busca);
    lb->addWidget(rotulo);
    lb->addWidget(m_edBusca, 1);
    lb->addWidget(btBusca);

    auto* topo = new QHBoxLayout;
    topo->addWidget(ordem);
    topo->addWidget(busca, 1);

    auto* grade = new QTableView(this);
    grade->setObjectName(QStringLiteral("dbgFor"));
    Convencoes::preparaGrade(grade);

    auto* btSeleciona = new QPushButton(QStringLiteral("Seleciona"), this);
    btSeleciona->setObjectName(QStringLiteral("btnSeleciona"));
    auto* fechar = new QPushButton(QStringLiteral("Fechar"), this);
    fechar->setObjectName(QStringLiteral("btnFechar"));
    for (QPushButton* b : {btBusca, btSeleciona, fechar})
        b->setAutoDefault(false);
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(btSeleciona);
    botoes->addWidget(fechar);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(topo);
    layout->addWidget(grade, 1);
    layout->addLayout(botoes);
    resize(900, 520);

    TdmFornecedor& dm = m_app.dmFornecedor();
    // The list window sets the same columns: whichever window is made first, the shared list
    // knows its code column.
    dm.cdsFornecedor.setColunas(colunasDaGrade());
    dm.cdsFornecedor.acompanha(grade);

    m_lista = new Familia::Lista(this, dm.SQLQFornecedor2, dm.cdsFornecedor, grade, rotulo,
                                 m_edBusca, 10, QLatin1Char('0'));
    m_lista->adicionaOrdem({rbCodigo,
                            QStringLiteral("Select * From Fornecedor Order By FOR_Codigo"),
                            QStringLiteral("Código:"), QStringLiteral("FOR_CODIGO"), true});
    m_porRazao = m_lista->adicionaOrdem(
        {rbRazao, QStringLiteral("Select * From Fornecedor Order By FOR_Razao"),
         QStringLiteral("R.Social/Nome:"), QStringLiteral("FOR_RAZAO"), false});
    m_lista->adicionaOrdem({rbFanta, QStringLiteral("Select * From Fornecedor Order By FOR_Fanta"),
                            QStringLiteral("N.Fantasia/Apelido:"), QStringLiteral("FOR_FANTA"),
                            false});
    m_lista->ligaRadios(false);

    Convencoes::aoEntrar(m_edBusca, this, [this] {
        // Typing replaces the old search at once. A mouse click places the cursor after the
        // focus arrives, so the selection is made again once the click is through.
        m_edBusca->selectAll();
        QTimer::singleShot(0, m_edBusca, [this] { m_edBusca->selectAll(); });
    });

    connect(btBusca, &QPushButton::clicked, m_lista, &Familia::Lista::busca);
    connect(btSeleciona, &QPushButton::clicked, this,
            [this] { seleciona(Familia::codigoAtual(m_app.dmFornecedor().cdsFornecedor)); });
    connect(fechar, &QPushButton::clicked, this, &QDialog::reject);
    Convencoes::coresDeFoco(this);
}

void TfBusca_Fornecedor::showEvent(QShowEvent* e)
{
    // The window system confirms the showing with a second, spontaneous event; the opening
    // runs once.
    if (e->spontaneous()) {
        QDialog::showEvent(e);
        return;
    }
    // Whoever opens it starts from a clean search over the list by name.
    m_edBusca->clear();
    m_lista->ordena(m_porRazao);
    m_edBusca->setFocus(Qt::OtherFocusReason);
    QDialog::showEvent(e);
}
