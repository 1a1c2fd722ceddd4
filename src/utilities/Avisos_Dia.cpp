#include "utilities/Avisos_Dia.h"

#include "common/Convencoes.h"
#include "common/FichaDoProduto.h"
#include "common/Formatos.h"
#include "common/Mensagens.h"
#include "common/Modal.h"
#include "contexto/ConfigIni.h"
#include "contexto/Contexto.h"
#include "contexto/Sessao.h"
#include "data/DataModule_MovConsu.h"
#include "data/DataModule_Produtos.h"
#include "data/firebird/ErroBanco.h"
#include "movements/Devolucao.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString falhaLeitura = QStringLiteral("Não Consegui ler os Avisos do Dia, tente novamente !");
const QString falhaConfig =
    QStringLiteral("Não Consegui gravar a opção \"Mostrar ao iniciar\" no Config.ini");

// The loans of both tabs, under the columns the return window shows them with.
const QList<Formulario::Coluna> colunasEmprestimo = {
    {"MOV_CODPRO", QStringLiteral("Cód.Produto"), 10},
    {"PRO_DESCRICAO", QStringLiteral("Descrição do Produto"), 30},
    {"MOV_TIPO", QStringLiteral("Cód Req.")},
    {"REQ_DESCRICAO", QStringLiteral("Nome do Requisitante"), 25},
    {"MOV_DATA", QStringLiteral("Data da Saída")},
    {"MOV_DATAD", QStringLiteral("D. Prevista para Devolução")},
    {"MOV_QUANT", QStringLiteral("Quantidade")},
    {"MOV_DOC", QStringLiteral("Documento"), 15},
};

} // namespace

TfAvisos_Dia::TfAvisos_Dia(Contexto& app, QWidget* parent)
    : Dialogo(parent, "TfAvisos_Dia", QStringLiteral("Avisos do Dia")), m_app(app)
{
    using namespace Formulario;

    formataProdutos(m_minimo);
    formataEmprestimos(m_atrasadas);
    formataEmprestimos(m_aVencer);

    m_lbTitulo = titulo(this, "lbTitulo", QStringLiteral("Avisos do Dia"));
    m_tabAvisos = new QTabWidget(this);
    m_tabAvisos->setObjectName(QStringLiteral("tabAvisos"));
    m_tabAvisos->addTab(
        novaAba(m_minimo, "dbgMinimo", "lbMinimoVazio",
                QStringLiteral("Nenhum produto está no estoque mínimo ou abaixo dele."),
                {{"PRO_CODIGO", QStringLiteral("Código"), 10},
                 {"PRO_DESCRICAO", QStringLiteral("Descrição"), 40},
                 {"PRO_QUANT", QStringLiteral("Quantidade")},
                 {"PRO_MIN", QStringLiteral("Est.Mínimo")},
                 {"PRO_EMAX", QStringLiteral("E.Máximo")},
                 {"ULT_FORNECEDOR", QStringLiteral("Último Fornecedor"), 30}},
                QStringLiteral("Abaixo do Mínimo")),
        QString());
    m_tabAvisos->addTab(novaAba(m_atrasadas, "dbgAtrasadas", "lbAtrasadasVazio",
                                QStringLiteral("Nenhuma devolução atrasada."), colunasEmprestimo,
                                QStringLiteral("Devoluções Atrasadas")),
                        QString());
    m_tabAvisos->addTab(
        novaAba(
            m_aVencer, "dbgAVencer", "lbAVencerVazio",
            QStringLiteral("Nenhuma devolução prevista para os próximos %1 dias.").arg(diasAVencer),
            colunasEmprestimo, QStringLiteral("Devoluções em %1 Dias").arg(diasAVencer)),
        QString());

    QLabel* dica = rotulo(this, "lbDica",
                          QStringLiteral("Duplo clique num produto abre a sua consulta; num "
                                         "empréstimo, a sua devolução."));
    m_cbMostrar = new QCheckBox(QStringLiteral("Mostrar ao iniciar"), this);
    m_cbMostrar->setObjectName(QStringLiteral("cbMostrar"));
    connect(m_cbMostrar, &QCheckBox::toggled, this, [this](bool mostra) {
        if (!ConfigIni::gravaMostraAvisos(mostra))
            Mensagens::aviso(falhaConfig, this);
    });
    QPushButton* btnFechar = botao(this, "btnFechar", QStringLiteral("Fechar"));
    connect(btnFechar, &QPushButton::clicked, this, &QDialog::accept);
    auto* rodape = new QHBoxLayout;
    rodape->addWidget(m_cbMostrar);
    rodape->addStretch();
    rodape->addWidget(btnFechar);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lbTitulo);
    layout->addWidget(m_tabAvisos, 1);
    layout->addWidget(dica);
    layout->addLayout(rodape);
    resize(1060, 480);

    QList<QWidget*> ordem{m_tabAvisos};
    for (const Aba& a : m_abas)
        ordem << a.grade;
    ordem << m_cbMostrar << btnFechar;
    ordemTab(ordem);
    Convencoes::coresDeFoco(this);
}

QWidget* TfAvisos_Dia::novaAba(DataSet& dados, const char* grade, const char* vazio,
                               const QString& texto, const QList<Formulario::Coluna>& colunas,
                               const QString& titulo)
{
    auto* pagina = new QWidget(this);
    auto* layout = new QVBoxLayout(pagina);
    QTableView* g = Formulario::grade(pagina, grade);
    Formulario::colunas(g, dados, colunas);
    QLabel* l = Formulario::rotulo(pagina, vazio, texto);
    l->setAlignment(Qt::AlignCenter);
    layout->addWidget(l);
    layout->addWidget(g, 1);
    connect(g, &QTableView::doubleClicked, this, [this, &dados](const QModelIndex& i) {
        if (!i.isValid())
            return;
        if (&dados == &m_minimo)
            abreProduto(i.row());
        else
            abreDevolucao(dados, i.row());
    });
    m_abas.append({&dados, g, l, titulo});
    return pagina;
}

bool TfAvisos_Dia::le(const QDate& hoje)
{
    try {
        Consulta q(m_app.conexao());
        preparaAbaixoDoMinimo(q);
        m_minimo.carrega(q);
        // Due yesterday or before is overdue; due today is still on time.
        preparaEmprestimosVencendo(q, QDate(), hoje.addDays(-1));
        m_atrasadas.carrega(q);
        preparaEmprestimosVencendo(q, hoje, hoje.addDays(diasAVencer));
        m_aVencer.carrega(q);
    } catch (const ErroBanco&) {
        for (DataSet* d : {&m_minimo, &m_atrasadas, &m_aVencer})
            d->esvazia();
        mostraAbas();
        Mensagens::erro(falhaLeitura, isVisible() ? this : nullptr);
        return false;
    }
    m_lbTitulo->setText(QStringLiteral("Avisos do Dia ") + Formatos::data(hoje));
    mostraAbas();
    return true;
}

void TfAvisos_Dia::mostraAbas()
{
    for (int i = 0; i < m_abas.size(); ++i) {
        const Aba& a = m_abas.at(i);
        const bool vazia = a.dados->vazio();
        a.grade->setVisible(!vazia);
        a.vazio->setVisible(vazia);
        m_tabAvisos->setTabText(i, QStringLiteral("%1 (%2)").arg(a.titulo).arg(a.dados->tamanho()));
    }
}

bool TfAvisos_Dia::abreAoIniciar()
{
    if (m_app.fimSolicitado() || !ConfigIni::mostraAvisos())
        return false;
    if (!le())
        return false;
    if (m_minimo.vazio() && m_atrasadas.vazio() && m_aVencer.vazio())
        return false;
    // The first tab with something in it.
    for (int i = 0; i < m_abas.size(); ++i)
        if (!m_abas.at(i).dados->vazio()) {
            m_tabAvisos->setCurrentIndex(i);
            break;
        }
    m_lido = true;
    Modal::exec(this);
    return true;
}

void TfAvisos_Dia::aoAbrir()
{
    {
        const QSignalBlocker semGravar(m_cbMostrar);
        m_cbMostrar->setChecked(ConfigIni::mostraAvisos());
    }
    if (!m_lido)
        le();
    m_lido = false;
    m_tabAvisos->setFocus();
}

void TfAvisos_Dia::abreProduto(int linha)
{
    consultaProduto(m_app, codigoAbaixoDoMinimo(m_minimo, linha), this);
}

void TfAvisos_Dia::abreDevolucao(const DataSet& lista, int linha)
{
    Sessao& p = m_app.sessao();
    try {
        if (!p.permite(QStringLiteral("2")) || !p.permite(QStringLiteral("2.6")))
            return;
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
        return;
    }
    const Emprestimo emprestimo = emprestimoDaLinha(lista, linha);
    TfDevolucao& devolucao = m_app.janela<TfDevolucao>();
    devolucao.filtraNaAbertura(emprestimo.produto, emprestimo.requisitante);
    Modal::exec(&devolucao);
    // A loan returned there leaves the lists here.
    le();
}
