#include "movements/Devolve.h"

#include "common/Convencoes.h"
#include "common/Formatos.h"
#include "common/Mensagens.h"
#include "contexto/Contexto.h"
#include "data/DataModule_MovConsu.h"
#include "data/DataModule_Produtos.h"
#include "data/DataModule_Req.h"
#include "data/firebird/ErroBanco.h"
#include "movements/Lancamentos.h"
#include "movements/Movimento.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString falhaGravacao = QStringLiteral("Não Consegui Gravar, tente novamente !");
const QString jaDevolvido = QStringLiteral("Este Empréstimo já foi Devolvido !");

} // namespace

const QString TfDevolve::nenhumEmprestimo = QStringLiteral("Nenhum Empréstimo para Devolver !");

TfDevolve::TfDevolve(Contexto& app, QWidget* parent)
    : Dialogo(parent, "TfDevolve", QStringLiteral("Devolução de Produtos não Consumíveis")),
      m_app(app)
{
    using namespace Formulario;

    m_edCodPro = campoLeitura(this, "edCodPro");
    m_edCodPro->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_edDescPro = campoLeitura(this, "edDescPro");
    m_edCodReq = campoLeitura(this, "edCodReq");
    m_edDescREq = campoLeitura(this, "edDescREq");
    m_edQuant = campoLeitura(this, "edQuant");
    m_edQuant->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_edDoc = campoLeitura(this, "edDoc");
    m_edData = campoLeitura(this, "edData");
    m_edDataD = campoLeitura(this, "edDataD");
    m_dtpDataE = Formulario::data(this, "dtpDataE");
    QPushButton* btnDevolver = botao(this, "btnDevolver", QStringLiteral("Devolver"));
    QPushButton* btnFechar = botao(this, "btnFechar", QStringLiteral("Fechar"));

    auto* g = new QGridLayout;
    int linha = 0;
    g->addWidget(rotulo(this, "", QStringLiteral("Produto")), linha, 0);
    g->addWidget(m_edCodPro, linha, 1);
    g->addWidget(m_edDescPro, linha++, 2, 1, 3);
    g->addWidget(rotulo(this, "", QStringLiteral("Requisitante")), linha, 0);
    g->addWidget(m_edCodReq, linha, 1);
    g->addWidget(m_edDescREq, linha++, 2, 1, 3);
    g->addWidget(rotulo(this, "", QStringLiteral("Quantidade")), linha, 0);
    g->addWidget(m_edQuant, linha, 1);
    g->addWidget(rotulo(this, "", QStringLiteral("Documento:")), linha, 2);
    g->addWidget(m_edDoc, linha++, 3, 1, 2);
    g->addWidget(rotulo(this, "", QStringLiteral("D.Saída:")), linha, 0);
    g->addWidget(m_edData, linha, 1);
    g->addWidget(rotulo(this, "", QStringLiteral("D.Prevista Para Devolução:")), linha, 2);
    g->addWidget(m_edDataD, linha++, 3);
    g->addWidget(rotulo(this, "", QStringLiteral("Data da Devolução:")), linha, 0);
    g->addWidget(m_dtpDataE, linha++, 1);
    g->setColumnStretch(4, 1);

    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(btnDevolver);
    botoes->addWidget(btnFechar);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(g);
    layout->addStretch();
    layout->addLayout(botoes);
    resize(640, 240);

    ordemTab({m_dtpDataE, btnDevolver, btnFechar});
    for (QLineEdit* c : {m_edCodPro, m_edDescPro, m_edCodReq, m_edDescREq, m_edQuant, m_edDoc,
                         m_edData, m_edDataD})
        c->setFocusPolicy(Qt::NoFocus);

    connect(btnDevolver, &QPushButton::clicked, this, &TfDevolve::devolve);
    connect(btnFechar, &QPushButton::clicked, this, &QDialog::reject);
    Convencoes::coresDeFoco(this);
    Convencoes::enterComoTab(this);
}

void TfDevolve::aoAbrir()
{
    const Emprestimo e = m_app.dmMovConsu().emprestimoAtual().value_or(Emprestimo{});
    m_emprestimo = e.numero;
    const QString produto = e.produto;
    const QString requisitante = e.requisitante;
    m_edCodPro->setText(produto);
    m_edCodReq->setText(requisitante);
    m_edQuant->setText(e.quantidade ? Formatos::numero(*e.quantidade, 3) : QString());
    m_edDoc->setText(e.documento);
    m_edData->setText(Formatos::data(e.data));
    m_edDataD->setText(Formatos::data(e.devolucao));
    m_dtpDataE->setDate(QDate::currentDate());
    m_edDescREq->clear();
    m_edDescPro->clear();
    try {
        if (!requisitante.trimmed().isEmpty())
            if (const std::optional<Requisitante> r = m_app.dmReq().requisitante(requisitante))
                m_edDescREq->setText(r->descricao);
        if (!produto.isEmpty())
            if (const std::optional<Produto> p = m_app.dmProdutos().produtoPorCodigo(produto))
                m_edDescPro->setText(p->descricao);
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
    }
    m_dtpDataE->setFocus();
}

void TfDevolve::devolve()
{
    if (m_emprestimo == 0) {
        Mensagens::informacao(nenhumEmprestimo, this);
        reject();
        return;
    }
    try {
        Lancamentos::gravaDevolucao(m_app.conexao(), {m_emprestimo, m_dtpDataE->date()},
                                    Movimento::usuarioLog(m_app));
    } catch (const Lancamentos::EmprestimoDevolvido&) {
        // Returned meanwhile from another workstation (or from this list, shown before): the
        // stock already has it back.
        Mensagens::informacao(jaDevolvido, this);
    } catch (const std::exception&) {
        Mensagens::aviso(falhaGravacao, this);
    }
    // Whatever happened, the list shows the loans as they now stand, and this window closes.
    try {
        m_app.dmMovConsu().recarrega();
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
    }
    m_emprestimo = 0;
    accept();
}
