#include "reports/DialogoRelatorio.h"

#include "common/CampoCodigo.h"
#include "common/CamposCadastro.h"
#include "common/CamposProduto.h"
#include "common/Convencoes.h"
#include "common/Mensagens.h"
#include "common/Modal.h"
#include "contexto/Contexto.h"
#include "data/DataModule_Produtos.h"
#include "data/firebird/ErroBanco.h"
#include "reports/Tela_Impressora.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

DialogoRelatorio::DialogoRelatorio(Contexto& app, const Forma& forma, QWidget* parent)
    : Dialogo(parent), m_app(app), m_forma(forma)
{
    setObjectName(QLatin1String(forma.nome));
    setWindowTitle(forma.titulo);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Formulario::titulo(this, "lbCabecalho", forma.cabecalho));
    auto* grade = new QGridLayout;
    if (forma.registro != Registro::Nenhum) {
        m_codigo = Formulario::campo(this, forma.campoCodigo);
        m_codigo->setMaximumWidth(110);
        m_descricao = Formulario::campo(this, forma.campoDescricao);
        m_descricao->setMinimumWidth(320);
        m_busca = Formulario::botao(this, forma.botaoBusca, QStringLiteral("..."));
        m_busca->setMaximumWidth(32);
        grade->addWidget(Formulario::rotulo(this, "lbCodigo", forma.rotuloCodigo), 0, 0);
        grade->addWidget(m_codigo, 1, 0);
        int coluna = 1;
        if (forma.registro == Registro::Produto) {
            m_codigo->setAlignment(Qt::AlignRight);
            m_codBarras = Formulario::campo(this, "edCodBar");
            grade->addWidget(
                Formulario::rotulo(this, "lbCodBar", QStringLiteral("Código de Barras")), 0, 1);
            grade->addWidget(m_codBarras, 1, 1);
            coluna = 2;
        }
        grade->addWidget(Formulario::rotulo(this, "lbDescricao", forma.rotuloDescricao), 0, coluna);
        grade->addWidget(m_descricao, 1, coluna);
        grade->addWidget(m_busca, 1, coluna + 1);
    }
    m_inicio = Formulario::data(this, forma.dataInicial);
    m_fim = Formulario::data(this, forma.dataFinal);
    layout->addLayout(grade);
    // The dates keep their own size whatever the fields above them take.
    auto* datas = new QGridLayout;
    datas->addWidget(Formulario::rotulo(this, "lbDataInicial", forma.rotuloInicial), 0, 0);
    datas->addWidget(Formulario::rotulo(this, "lbDataFinal", forma.rotuloFinal), 0, 1);
    datas->addWidget(m_inicio, 1, 0);
    datas->addWidget(m_fim, 1, 1);
    datas->setColumnStretch(2, 1);
    layout->addLayout(datas);
    layout->addSpacing(8);
    const Formulario::Botoes botoes =
        Formulario::botoes(this, {},
                           {{forma.botaoImprime, forma.textoImprime, [this] { imprime(); }},
                            {forma.botaoFecha, forma.textoFecha, [this] { reject(); }}});
    layout->addLayout(botoes);
    m_imprime = botoes[0];
    m_fecha = botoes[1];

    const BuscaDoCampo busca{forma.origem, m_busca};
    switch (forma.registro) {
    case Registro::Nenhum:
        break;
    case Registro::Grupo:
        m_campo = new CampoCodigo(m_codigo, this, regrasDoGrupo(m_app, m_descricao, busca));
        break;
    case Registro::Requisitante: {
        // An unknown code stays, for the person to correct it.
        CampoCodigo::Regras regras = regrasDoRequisitante(m_app, m_descricao, busca);
        regras.esvaziaAoRecusar = false;
        m_campo = new CampoCodigo(m_codigo, this, regras);
        break;
    }
    case Registro::Produto: {
        // The product fields every movement window has: the code and the bar code look each
        // other's product up. An unknown bar code sends the person back to the bare code.
        CamposProduto::Regras produto;
        produto.origem = forma.origem;
        produto.botaoBusca = m_busca;
        produto.aparaAoEntrar = true;
        produto.barrasRecusadasNoCodigo = true;
        produto.mostra = [this](const Produto& p, CamposProduto::Via) {
            m_descricao->setText(p.descricao);
        };
        m_campo = &(new CamposProduto(m_app, m_codigo, m_codBarras, this, produto))->codigo();
        break;
    }
    }
    if (forma.enterComoTab)
        Convencoes::enterComoTab(this);
    Convencoes::coresDeFoco(this);
}

void DialogoRelatorio::aoAbrir()
{
    for (QLineEdit* c : {m_codigo, m_descricao, m_codBarras})
        if (c)
            c->clear();
    if (m_campo)
        m_campo->esquece();
    m_inicio->setDate(QDate::currentDate());
    m_fim->setDate(QDate::currentDate());
    if (m_codigo)
        m_codigo->setFocus();
    else
        m_inicio->setFocus();
}

void DialogoRelatorio::imprime()
{
    // A code wider than its column is in no register, and the database would refuse to compare
    // it: it is not found, with the field's own message. Leaving the field for this button has
    // just said so when the button was clicked.
    if (m_campo && m_codigo->text().size() > m_campo->regras().largura) {
        if (m_campo->podeGravar())
            m_campo->confere();
        return;
    }
    // No other check of the code or of the dates: an empty or unknown code, or a period that
    // ends before it starts, gives a report without rows.
    const Relatorios::Parametros p{m_inicio->date(), m_fim->date(),
                                   m_codigo ? m_codigo->text() : QString(),
                                   m_descricao ? m_descricao->text() : QString()};
    TfTela_Impressora& tela = m_app.janela<TfTela_Impressora>();
    try {
        tela.relatorios().carregaMovimentos(Relatorio, p);
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
        return;
    }
    tela.Relatorio = Relatorio;
    Modal::exec(&tela);
    accept();
}

TfDatas::TfDatas(Contexto& app, QWidget* parent)
    : DialogoRelatorio(app,
                       {.nome = "TfDatas",
                        .titulo = QStringLiteral("Escolha as Datas Inicial e Final"),
                        .cabecalho = QStringLiteral("Escolha o Período"),
                        .dataInicial = "dtpData_Ini",
                        .dataFinal = "dtpData_Fim",
                        .botaoImprime = "btnDIF_Imprimir",
                        .botaoFecha = "btnDIF_Sair",
                        .textoFecha = QStringLiteral("Fechar"),
                        .enterComoTab = false},
                       parent)
{
    Formulario::ordemTab({m_inicio, m_fim, m_imprime, m_fecha});
    adjustSize();
}

TfDatas_Produto::TfDatas_Produto(Contexto& app, QWidget* parent)
    : DialogoRelatorio(
          app,
          {.nome = "TfDatas_Produto",
           .titulo = QStringLiteral("Escolha um Produto e o Período"),
           .cabecalho = QStringLiteral("Escolha um Produto e a Data Inicial e Data Final"),
           .registro = Registro::Produto,
           .campoCodigo = "edCodPro",
           .rotuloCodigo = QStringLiteral("Código"),
           .campoDescricao = "EdDescPro",
           .botaoBusca = "btnBusca_Produto",
           .origem = QStringLiteral("Datas_Produto"),
           .botaoImprime = "btnImprime",
           .textoImprime = QStringLiteral("Imprime"),
           .botaoFecha = "btnFechar",
           .textoFecha = QStringLiteral("Fechar")},
          parent)
{
    Formulario::ordemTab(
        {m_codigo, m_codBarras, m_descricao, m_busca, m_inicio, m_fim, m_imprime, m_fecha});
    adjustSize();
}

TfDatas_Grupo::TfDatas_Grupo(Contexto& app, QWidget* parent)
    : DialogoRelatorio(
          app,
          {.nome = "TfDatas_Grupo",
           .titulo = QStringLiteral("Escolha um Grupo e um Período"),
           .cabecalho = QStringLiteral("Escolha um Grupo e uma Data Inicial e uma Data Final"),
           .registro = Registro::Grupo,
           .campoCodigo = "edCodGrupo",
           .campoDescricao = "edDescGrupo",
           .botaoBusca = "btnBusca_Grupo",
           .origem = QStringLiteral("Datas_Grupo"),
           .rotuloInicial = QStringLiteral("Data Inicial")},
          parent)
{
    Formulario::ordemTab({m_codigo, m_descricao, m_busca, m_inicio, m_fim, m_imprime, m_fecha});
    adjustSize();
}

TfDatas_REQ::TfDatas_REQ(Contexto& app, QWidget* parent)
    : DialogoRelatorio(
          app,
          {.nome = "TfDatas_REQ",
           .titulo = QStringLiteral("Escolha um Requisitante e uma Data Inicial e uma Data Final"),
           .cabecalho =
               QStringLiteral("Escolha um Requisitante e uma Data Inicial e uma Data Final"),
           .registro = Registro::Requisitante,
           .campoCodigo = "edCodREQ",
           .campoDescricao = "edDescREQ",
           .rotuloDescricao = QStringLiteral("Nome:"),
           .botaoBusca = "btnBusca_Tipo",
           .origem = QStringLiteral("Datas_Tipo"),
           .rotuloInicial = QStringLiteral("Data Inicial")},
          parent)
{
    // The order this window has always had: the buttons first, though it opens on the code.
    Formulario::ordemTab({m_imprime, m_fecha, m_busca, m_codigo, m_descricao, m_inicio, m_fim});
    adjustSize();
}
