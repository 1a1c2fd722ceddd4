#include "registers/Busca_Fornecedor.h"

#include "common/Convencoes.h"
#include "contexto/Contexto.h"
#include "data/DataModule_Fornecedor.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
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

TfBusca_Fornecedor::TfBusca_Fornecedor(Contexto& app, QWidget* parent)
    : JanelaBusca(parent), m_app(app)
{
    using namespace Formulario;
    using Ordem = TdmFornecedor::Ordem;
    setObjectName(QStringLiteral("TfBusca_Fornecedor"));
    setWindowTitle(QStringLiteral("Busca de Fornecedores"));

    QGroupBox* ordem = moldura(this, "", QStringLiteral("Ordenado por:"));
    const QList<QRadioButton*> ordens =
        radios(ordem,
               {{"rbCodigo", QStringLiteral("Código")},
                {"rbRazao", QStringLiteral("Nome/Razão Social")},
                {"rbFanta", QStringLiteral("Apelido/Nome Fantasia")}},
               1);
    QRadioButton* rbCodigo = ordens[0];
    QRadioButton* rbRazao = ordens[1];
    QRadioButton* rbFanta = ordens[2];

    QGroupBox* busca = moldura(this, "", QStringLiteral("Busca:"));
    QLabel* rotulo = Formulario::rotulo(busca, "lbBusca", QStringLiteral("R.Social/Nome:"));
    m_edBusca = campo(busca, "edBusca");
    QPushButton* btBusca = botao(busca, "btnBusca_Grupos", QStringLiteral("Busca"));
    auto* lb = new QHBoxLayout(busca);
    lb->addWidget(rotulo);
    lb->addWidget(m_edBusca, 1);
    lb->addWidget(btBusca);

    auto* topo = new QHBoxLayout;
    topo->addWidget(ordem);
    topo->addWidget(busca, 1);

    QTableView* grade = Formulario::grade(this, "dbgFor");

    QHBoxLayout* fileira =
        botoes(this, {},
               {{"btnSeleciona", QStringLiteral("Seleciona"),
                 [this] { seleciona(Familia::codigoAtual(m_app.dmFornecedor().cdsFornecedor)); }},
                {"btnFechar", QStringLiteral("Fechar"), [this] { reject(); }}});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(topo);
    layout->addWidget(grade, 1);
    layout->addLayout(fileira);
    resize(900, 520);

    TdmFornecedor& dm = m_app.dmFornecedor();
    // The list window sets the same columns: whichever window is made first, the shared list
    // knows its code column.
    dm.cdsFornecedor.setColunas(colunasDaGrade());
    dm.cdsFornecedor.acompanha(grade);

    m_lista =
        new Familia::Lista(this, dm.listaDaBusca(), grade, rotulo, m_edBusca, 10, QLatin1Char('0'));
    m_lista->adicionaOrdem({rbCodigo, int(Ordem::PorCodigo), QStringLiteral("Código:"),
                            QStringLiteral("FOR_CODIGO"), true});
    m_porRazao =
        m_lista->adicionaOrdem({rbRazao, int(Ordem::PorRazao), QStringLiteral("R.Social/Nome:"),
                                QStringLiteral("FOR_RAZAO")});
    m_lista->adicionaOrdem({rbFanta, int(Ordem::PorFantasia), QStringLiteral("N.Fantasia/Apelido:"),
                            QStringLiteral("FOR_FANTA")});
    m_lista->ligaRadios(false);
    Convencoes::selecionaAoEntrar(m_edBusca);

    connect(btBusca, &QPushButton::clicked, m_lista, &Familia::Lista::busca);
    Convencoes::coresDeFoco(this);
}

void TfBusca_Fornecedor::aoAbrir()
{
    // Whoever opens it starts from a clean search over the list by name.
    m_edBusca->clear();
    m_lista->ordena(m_porRazao);
    m_edBusca->setFocus(Qt::OtherFocusReason);
}
