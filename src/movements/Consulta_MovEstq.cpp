#include "movements/Consulta_MovEstq.h"

#include "common/CampoCodigo.h"
#include "common/CamposProduto.h"
#include "common/Convencoes.h"
#include "common/Funcoes.h"
#include "common/Mensagens.h"
#include "contexto/Contexto.h"
#include "data/DataModule_MovEstq.h"
#include "data/DataModule_Produtos.h"
#include "data/firebird/ErroBanco.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString naoCadastrado = QStringLiteral("Produto não Cadastrado !, tente outro código");
const QString excluida = QStringLiteral("  "); // an operation code no row has

QString texto(const char* campoESinal, const QString& valor)
{
    return QLatin1String(campoESinal) + QLatin1Char('\'') +
           QString(valor).replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
}

} // namespace

TfConsulta_MovEstq::TfConsulta_MovEstq(Contexto& app, QWidget* parent) : Dialogo(parent), m_app(app)
{
    using namespace Formulario;
    setObjectName(QStringLiteral("TfConsulta_MovEstq"));
    setWindowTitle(QStringLiteral("Consulta de Movimentação de Estoque"));

    QGroupBox* mostrar = moldura(this, "GroupBox1", QStringLiteral("Mostrar"));
    m_cbEntradas = new QCheckBox(QStringLiteral("Entradas"), mostrar);
    m_cbSaidas = new QCheckBox(QStringLiteral("Saídas"), mostrar);
    m_cbEst_Entrada = new QCheckBox(QStringLiteral("Estorno de Entrada"), mostrar);
    m_cbEst_Saida = new QCheckBox(QStringLiteral("Estorno de Saída"), mostrar);
    auto* lm = new QVBoxLayout(mostrar);
    const std::pair<QCheckBox*, const char*> caixas[] = {{m_cbEntradas, "cbEntradas"},
                                                         {m_cbSaidas, "cbSaidas"},
                                                         {m_cbEst_Entrada, "cbEst_Entrada"},
                                                         {m_cbEst_Saida, "cbEst_Saida"}};
    for (const auto& [caixa, nome] : caixas) {
        caixa->setObjectName(QLatin1String(nome));
        lm->addWidget(caixa);
        connect(caixa, &QCheckBox::clicked, this, [this, c = caixa] { filtraOperacao(c); });
    }

    QGroupBox* datas = moldura(this, "GroupBox2", QStringLiteral("Datas"));
    m_dtpData_Inicial = Formulario::data(datas, "dtpData_Inicial");
    m_dtpData_Final = Formulario::data(datas, "dtpData_Final");
    QPushButton* btnDatas = botao(datas, "btnDatas_Filtrar", QStringLiteral("Filtrar"));
    auto* ld = new QGridLayout(datas);
    ld->addWidget(rotulo(datas, "", QStringLiteral("Data Inicial:")), 0, 0);
    ld->addWidget(m_dtpData_Inicial, 0, 1);
    ld->addWidget(rotulo(datas, "", QStringLiteral("Data Final:")), 1, 0);
    ld->addWidget(m_dtpData_Final, 1, 1);
    ld->addWidget(btnDatas, 2, 1);

    QGroupBox* prod = moldura(this, "GroupBox3", QStringLiteral("Produto"));
    m_cbTodosProdutos = radio(prod, "cbTodosProdutos", QStringLiteral("Todos os Produtos"));
    m_cbDeterminado_Produto =
        radio(prod, "cbDeterminado_Produto", QStringLiteral("Determinado Produto"));
    m_edCodPro = campo(prod, "edCodPro", 10);
    m_edCodPro->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_edCodBar = campo(prod, "edCodBar", 14);
    m_edDescricao = campoLeitura(prod, "edDescricao");
    QPushButton* btnProduto = botao(prod, "btnProduto_Filtrar", QStringLiteral("Filtrar"));
    QPushButton* btnBusca = botao(prod, "btnBusca_Produto", QStringLiteral("..."));
    btnBusca->setFixedWidth(28);
    auto* lp = new QGridLayout(prod);
    lp->addWidget(m_cbTodosProdutos, 0, 0, 1, 2);
    lp->addWidget(m_cbDeterminado_Produto, 0, 2, 1, 2);
    lp->addWidget(rotulo(prod, "", QStringLiteral("Código")), 1, 0);
    lp->addWidget(m_edCodPro, 1, 1);
    lp->addWidget(btnBusca, 1, 2);
    lp->addWidget(rotulo(prod, "", QStringLiteral("Código de Barras")), 1, 3);
    lp->addWidget(m_edCodBar, 1, 4);
    lp->addWidget(rotulo(prod, "", QStringLiteral("Descrição")), 2, 0);
    lp->addWidget(m_edDescricao, 2, 1, 1, 4);
    lp->addWidget(btnProduto, 3, 4, Qt::AlignRight);
    lp->setColumnStretch(4, 1);

    QTableView* grade = Formulario::grade(this, "dbgConsulta_MovEstq");
    m_app.dmMovEstq().cds_MovEstq.acompanha(grade,
                                            {{"MOV_CODPRO", QStringLiteral("Código ")},
                                             {"PRO_DESCRICAO", QStringLiteral("Descrição")},
                                             {"MOV_TIPO", QStringLiteral("Cod.Requisitante")},
                                             {"MOV_OPER", QStringLiteral("Operacão")},
                                             {"MOV_DATA", QStringLiteral("Data")},
                                             {"MOV_VALOR", QStringLiteral("Valor")},
                                             {"MOV_QUANT", QStringLiteral("Quantidade")},
                                             {"MOV_DOC", QStringLiteral("Documento")},
                                             {"DESCRICAO", QStringLiteral("Operação")},
                                             {"REQ_DESCRICAO", QStringLiteral("Requisitante")}});
    avisaFalhaDeLeitura(m_app.dmMovEstq().cds_MovEstq, this);
    QHeaderView* cabecalho = grade->horizontalHeader();
    for (const auto& [coluna, largura] : {std::pair{0, 90},
                                          {1, 220},
                                          {2, 125},
                                          {3, 70},
                                          {4, 85},
                                          {5, 100},
                                          {6, 95},
                                          {7, 110},
                                          {8, 150},
                                          {9, 170}})
        cabecalho->resizeSection(coluna, largura);

    QPushButton* fecha = botao(this, "btnConsulta_MovEstq_Fechar", QStringLiteral("Fechar"));
    auto* topo = new QHBoxLayout;
    topo->addWidget(mostrar);
    topo->addWidget(datas);
    topo->addWidget(prod, 1);
    auto* base = new QHBoxLayout;
    base->addStretch();
    base->addWidget(fecha);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        titulo(this, "Label1", QStringLiteral("Consulta de Movimentação de Estoque")));
    layout->addLayout(topo);
    layout->addWidget(grade, 1);
    layout->addLayout(base);
    resize(1100, 600);

    // A bar code that is not registered sends the person back to the product code, emptied:
    // the code is what they correct.
    CamposProduto::Regras produto;
    produto.origem = QStringLiteral("Consulta MovEstq");
    produto.botaoBusca = btnBusca;
    produto.aparaAoEntrar = true;
    produto.esvaziaAoRecusar = true;
    produto.naoEncontrado = naoCadastrado;
    produto.tipoNaoEncontrado = TipoMensagem::Aviso;
    produto.barrasRecusadasNoCodigo = true;
    produto.mostra = [this](const Produto& p, CamposProduto::Via) {
        m_edDescricao->setText(p.descricao);
    };
    m_produto = new CamposProduto(m_app, m_edCodPro, m_edCodBar, this, produto);

    connect(btnDatas, &QPushButton::clicked, this, &TfConsulta_MovEstq::filtraDatas);
    connect(btnProduto, &QPushButton::clicked, this, &TfConsulta_MovEstq::filtraProduto);
    // Either radio filters as soon as it is chosen, by mouse or by keyboard. A click reaches
    // the radio's focus-in before the radio is checked, so the click itself must filter too.
    for (QRadioButton* r : {m_cbTodosProdutos, m_cbDeterminado_Produto}) {
        connect(r, &QRadioButton::clicked, this, &TfConsulta_MovEstq::filtraProduto);
        Convencoes::aoEntrar(r, this, [this] {
            if (!abrindo())
                filtraProduto();
        });
    }
    connect(fecha, &QPushButton::clicked, this, &QDialog::accept);
    Convencoes::coresDeFoco(this);
}

QString TfConsulta_MovEstq::filtro() const
{
    const auto operacao = [this](int i, const char* campo) {
        return texto(campo, m_operacoes[i].isEmpty() ? excluida : m_operacoes[i]);
    };
    const QString produto = m_produtoFiltrado ? texto("MOV_CodPRo=", *m_produtoFiltrado)
                                              : texto("MOV_CodPRo<>", QStringLiteral("      "));
    return produto + QStringLiteral(" and (") + operacao(0, "MOV_Oper=") + QStringLiteral(" or ") +
           operacao(1, "MOV_OPER=") + QStringLiteral(" or ") + operacao(2, "MOV_OPER=") +
           QStringLiteral(" or ") + operacao(3, "MOV_OPER=") + QStringLiteral(")");
}

void TfConsulta_MovEstq::aoAbrir()
{
    m_operacoes = {QStringLiteral("EE"), QStringLiteral("SS"), QStringLiteral("TE"),
                   QStringLiteral("TS")};
    m_produtoFiltrado.reset();
    for (QCheckBox* c : {m_cbEntradas, m_cbSaidas, m_cbEst_Entrada, m_cbEst_Saida})
        c->setChecked(true);
    m_dtpData_Inicial->setDate(QDate::currentDate());
    m_dtpData_Final->setDate(QDate::currentDate());
    m_cbTodosProdutos->setChecked(true);
    for (QLineEdit* c : {m_edCodPro, m_edCodBar, m_edDescricao})
        c->clear();
    m_produto->codigo().esquece();
    m_produto->codigoBarras().esquece();
    TdmMovEstq& dm = m_app.dmMovEstq();
    try {
        dm.carregaDia(QDate::currentDate());
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
    }
    aplicaFiltro();
}

void TfConsulta_MovEstq::aoFechar()
{
    // A year of the ledger is a lot of memory to keep for a closed window; every window that
    // shows the list reads it again when it opens. The row filter goes with the next load of
    // the list, whoever makes it.
    m_app.dmMovEstq().cds_MovEstq.esvazia();
}

void TfConsulta_MovEstq::aplicaFiltro()
{
    TdmMovEstq::Filtro f;
    f.operacoes.clear();
    for (const QString& o : std::as_const(m_operacoes))
        if (!o.isEmpty())
            f.operacoes << o;
    f.produto = m_produtoFiltrado;
    m_app.dmMovEstq().filtra(f);
}

void TfConsulta_MovEstq::filtraDatas()
{
    TdmMovEstq& dm = m_app.dmMovEstq();
    try {
        dm.carregaPeriodo(m_dtpData_Inicial->date(), m_dtpData_Final->date());
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
    }
    // The kinds and the product chosen stay in force over the new rows.
    aplicaFiltro();
}

void TfConsulta_MovEstq::recalculaProduto()
{
    if (m_cbTodosProdutos->isChecked())
        m_produtoFiltrado.reset();
    else
        m_produtoFiltrado = m_edCodPro->text();
}

void TfConsulta_MovEstq::filtraOperacao(QCheckBox* caixa)
{
    if (!m_edCodPro->text().trimmed().isEmpty())
        m_edCodPro->setText(Funcoes::codigoProduto(m_edCodPro->text()));
    recalculaProduto();
    // Only the box clicked changes its part; the others keep what their last click left.
    const QCheckBox* caixas[] = {m_cbEntradas, m_cbSaidas, m_cbEst_Entrada, m_cbEst_Saida};
    const char* codigos[] = {"EE", "SS", "TE", "TS"};
    for (int i = 0; i < 4; ++i)
        if (caixas[i] == caixa)
            m_operacoes[i] = caixa->isChecked() ? QString::fromLatin1(codigos[i]) : QString();
    aplicaFiltro();
}

void TfConsulta_MovEstq::filtraProduto()
{
    m_edCodPro->setText(Funcoes::completaCodigo(m_edCodPro->text(), 10, QLatin1Char(' ')));
    recalculaProduto();
    aplicaFiltro();
}
