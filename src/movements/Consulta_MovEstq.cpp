#include "movements/Consulta_MovEstq.h"

#include "common/CampoCodigo.h"
#include "common/CamposCadastro.h"
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

TfConsulta_MovEstq::TfConsulta_MovEstq(Contexto& app, QWidget* parent)
    : Dialogo(parent, "TfConsulta_MovEstq", QStringLiteral("Consulta de Movimentação de Estoque")),
      m_app(app)
{
    using namespace Formulario;

    QGroupBox* mostrar = moldura(this, "GroupBox1", QStringLiteral("Mostrar"));
    pilha(mostrar,
          {m_cbEntradas = marca(mostrar, "cbEntradas", QStringLiteral("Entradas")),
           m_cbSaidas = marca(mostrar, "cbSaidas", QStringLiteral("Saídas")),
           m_cbEst_Entrada = marca(mostrar, "cbEst_Entrada", QStringLiteral("Estorno de Entrada")),
           m_cbEst_Saida = marca(mostrar, "cbEst_Saida", QStringLiteral("Estorno de Saída"))});

    QGroupBox* datas = moldura(this, "GroupBox2", QStringLiteral("Datas"));
    QPushButton* btnDatas = botao(datas, "btnDatas_Filtrar", QStringLiteral("Filtrar"));
    Quadro quadroDatas(datas);
    quadroDatas.linha({{QStringLiteral("Data Inicial:"),
                        m_dtpData_Inicial = Formulario::data(datas, "dtpData_Inicial")}});
    quadroDatas.linha({{QStringLiteral("Data Final:"),
                        m_dtpData_Final = Formulario::data(datas, "dtpData_Final")}});
    quadroDatas.poe(2, 1, btnDatas);
    quadroDatas.instala();

    QGroupBox* prod = moldura(this, "GroupBox3", QStringLiteral("Produto"));
    m_cbTodosProdutos = radio(prod, "cbTodosProdutos", QStringLiteral("Todos os Produtos"));
    m_cbDeterminado_Produto =
        radio(prod, "cbDeterminado_Produto", QStringLiteral("Determinado Produto"));
    m_edCodPro = campo(prod, "edCodPro", 10);
    m_edCodPro->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_edCodBar = campo(prod, "edCodBar", 14);
    m_edDescricao = campoLeitura(prod, "edDescricao");
    QPushButton* btnProduto = botao(prod, "btnProduto_Filtrar", QStringLiteral("Filtrar"));
    m_btnBusca = botao(prod, "btnBusca_Produto", QStringLiteral("..."));
    m_btnBusca->setFixedWidth(28);
    Quadro quadroProduto(prod);
    quadroProduto.linha({{m_cbTodosProdutos, 2}, {m_cbDeterminado_Produto, 2}});
    quadroProduto.linha({{QStringLiteral("Código"), m_edCodPro},
                         {m_btnBusca},
                         {QStringLiteral("Código de Barras"), m_edCodBar}});
    quadroProduto.linha({{QStringLiteral("Descrição"), m_edDescricao, 4}});
    quadroProduto.linha({{fileira({}, {btnProduto}), 5}});
    quadroProduto.grade()->setColumnStretch(4, 1);
    quadroProduto.instala();

    QTableView* grade = Formulario::grade(this, "dbgConsulta_MovEstq");
    colunas(grade, m_app.dmMovEstq().cds_MovEstq,
            {{"MOV_CODPRO", QStringLiteral("Código "), 10},
             {"PRO_DESCRICAO", QStringLiteral("Descrição"), 30},
             {"MOV_TIPO", QStringLiteral("Cod.Requisitante")},
             {"MOV_OPER", QStringLiteral("Operacão")},
             {"MOV_DATA", QStringLiteral("Data")},
             {"MOV_VALOR", QStringLiteral("Valor")},
             {"MOV_QUANT", QStringLiteral("Quantidade")},
             {"MOV_DOC", QStringLiteral("Documento"), 15},
             {"DESCRICAO", QStringLiteral("Operação"), 20},
             {"REQ_DESCRICAO", QStringLiteral("Requisitante"), 25}});
    avisaFalhaDeLeitura(m_app.dmMovEstq().cds_MovEstq, this);

    QPushButton* fecha = botao(this, "btnConsulta_MovEstq_Fechar", QStringLiteral("Fechar"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        titulo(this, "Label1", QStringLiteral("Consulta de Movimentação de Estoque")));
    layout->addLayout(lado({mostrar, datas, prod}, 2));
    layout->addWidget(grade, 1);
    layout->addLayout(fileira({}, {fecha}));
    resize(1100, 600);
    connect(btnDatas, &QPushButton::clicked, this, &TfConsulta_MovEstq::filtraDatas);
    connect(btnProduto, &QPushButton::clicked, this, &TfConsulta_MovEstq::filtraProduto);
    connect(fecha, &QPushButton::clicked, this, &QDialog::accept);
    liga();
}

void TfConsulta_MovEstq::liga()
{
    for (QCheckBox* caixa : {m_cbEntradas, m_cbSaidas, m_cbEst_Entrada, m_cbEst_Saida})
        connect(caixa, &QCheckBox::clicked, this, [this, caixa] { filtraOperacao(caixa); });

    // A bar code that is not registered sends the person back to the product code, emptied:
    // the code is what they correct.
    CamposProduto::Regras produto =
        regrasDoProdutoEBarras({QStringLiteral("Consulta MovEstq"), m_btnBusca});
    produto.naoEncontrado = naoCadastrado;
    produto.tipoNaoEncontrado = TipoMensagem::Aviso;
    produto.barrasRecusadasNoCodigo = true;
    produto.mostra = [this](const Produto& p, CamposProduto::Via) {
        m_edDescricao->setText(p.descricao);
    };
    m_produto = new CamposProduto(m_app, m_edCodPro, m_edCodBar, this, produto);

    // Either radio filters as soon as it is chosen, by mouse or by keyboard. A click reaches
    // the radio's focus-in before the radio is checked, so the click itself must filter too.
    for (QRadioButton* r : {m_cbTodosProdutos, m_cbDeterminado_Produto}) {
        connect(r, &QRadioButton::clicked, this, &TfConsulta_MovEstq::filtraProduto);
        Convencoes::aoEntrar(r, this, [this] {
            if (!abrindo())
                filtraProduto();
        });
    }
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
