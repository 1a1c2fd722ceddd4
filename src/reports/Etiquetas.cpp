#include "reports/Etiquetas.h"

#include "common/CampoCodigo.h"
#include "common/CamposCadastro.h"
#include "common/Convencoes.h"
#include "common/Funcoes.h"
#include "common/Mensagens.h"
#include "common/Modal.h"
#include "contexto/Contexto.h"
#include "data/DataModule_Produtos.h"
#include "data/firebird/ErroBanco.h"
#include "reports/engine/Impressora.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <utility>

TfEtiquetas::TfEtiquetas(Contexto& app, QWidget* parent)
    : Dialogo(parent, "TfEtiquetas", QStringLiteral("Etiquetas de Produtos")), m_app(app)
{
    using namespace Formulario;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titulo(this, "lbCabecalho", windowTitle()));

    QGroupBox* produtos = moldura(this, "gbEtq_Produtos", QStringLiteral("Produtos"));
    auto* gp = new QGridLayout(produtos);
    m_porFaixa = radio(produtos, "rbEtq_Faixa", QStringLiteral("Faixa de Códigos"));
    m_codIni = campo(produtos, "edEtq_CodIni", 10);
    m_codFim = campo(produtos, "edEtq_CodFim", 10);
    m_porGrupo = radio(produtos, "rbEtq_Grupo", QStringLiteral("Grupo"));
    m_codGru = campo(produtos, "edEtq_CodGru", 6);
    m_descGru = campoLeitura(produtos, "edEtq_DescGru");
    QPushButton* buscaGrupo = botao(produtos, "btnEtq_BuscaGru", QStringLiteral("..."));
    buscaGrupo->setMaximumWidth(32);
    m_porEntrada = radio(produtos, "rbEtq_Entrada", QStringLiteral("Documento de Entrada"));
    m_documento = campo(produtos, "edEtq_Documento", 20);
    for (QLineEdit* c : {m_codIni, m_codFim, m_codGru})
        c->setMaximumWidth(110);
    m_descGru->setMinimumWidth(260);
    gp->addWidget(m_porFaixa, 0, 0);
    gp->addWidget(rotulo(produtos, "lbEtq_De", QStringLiteral("De:")), 0, 1);
    gp->addWidget(m_codIni, 0, 2);
    gp->addWidget(rotulo(produtos, "lbEtq_Ate", QStringLiteral("Até:")), 0, 3);
    gp->addWidget(m_codFim, 0, 4);
    gp->addWidget(m_porGrupo, 1, 0);
    gp->addWidget(m_codGru, 1, 2);
    gp->addWidget(m_descGru, 1, 3, 1, 3);
    gp->addWidget(buscaGrupo, 1, 6);
    gp->addWidget(m_porEntrada, 2, 0);
    gp->addWidget(m_documento, 2, 2, 1, 3);
    gp->setColumnStretch(5, 1);
    layout->addWidget(produtos);

    QGroupBox* impressao = moldura(this, "gbEtq_Impressao", QStringLiteral("Impressão"));
    m_quantidade = campo(impressao, "edEtq_Quant", 3);
    m_quantidade->setMaximumWidth(60);
    Convencoes::filtroDeDigitacao(m_quantidade, Convencoes::Digitacao::Digitos, false);
    m_papel = escolha(impressao, "cbEtq_Papel",
                      {DesenhoEtiquetas::folhaA4().nome, DesenhoEtiquetas::rolo().nome});
    m_inicio = campo(impressao, "edEtq_Inicio", 2);
    m_inicio->setMaximumWidth(60);
    Convencoes::filtroDeDigitacao(m_inicio, Convencoes::Digitacao::Digitos, false);
    Quadro qi(impressao);
    qi.linha({{rotulo(impressao, "lbEtq_Quant", QStringLiteral("Etiquetas de cada produto:")),
               m_quantidade}});
    qi.linha({{rotulo(impressao, "lbEtq_Papel", QStringLiteral("Papel:")), m_papel, 2}});
    qi.linha({{rotulo(impressao, "lbEtq_Inicio",
                      QStringLiteral("Começar na etiqueta (folha já usada):")),
               m_inicio}});
    qi.grade()->setColumnStretch(2, 1);
    qi.instala();
    layout->addWidget(impressao);

    layout->addSpacing(8);
    layout->addLayout(
        botoes(this,
               {{"btnEtq_Visualiza", QStringLiteral("Visualiza"), [this] { visualiza(); }},
                {"btnEtq_Imprime", QStringLiteral("Imprime"), [this] { imprime(); }},
                {"btnEtq_Pdf", QStringLiteral("Salva PDF"), [this] { salvaPdf(); }}},
               {{"btnEtq_Fecha", QStringLiteral("Fecha"), [this] { reject(); }}}));

    m_grupo = new CampoCodigo(
        m_codGru, this, regrasDoGrupo(m_app, m_descGru, {QStringLiteral("Etiquetas"), buscaGrupo}));
    m_porFaixa->setChecked(true);
    m_quantidade->setText(QStringLiteral("1"));
    m_inicio->setText(QStringLiteral("1"));
    for (QRadioButton* r : {m_porFaixa, m_porGrupo, m_porEntrada})
        connect(r, &QRadioButton::toggled, this, [this] { escolheOrigem(); });
    connect(m_papel, &QComboBox::currentIndexChanged, this, [this] { escolhePapel(); });
    escolheOrigem();
    ordemTab({m_porFaixa, m_codIni, m_codFim, m_porGrupo, m_codGru, buscaGrupo, m_porEntrada,
              m_documento, m_quantidade, m_papel, m_inicio});
    Convencoes::enterComoTab(this);
    Convencoes::coresDeFoco(this);
}

void TfEtiquetas::aoAbrir()
{
    m_grupo->esquece();
    QRadioButton* escolhido = m_porGrupo->isChecked()     ? m_porGrupo
                              : m_porEntrada->isChecked() ? m_porEntrada
                                                          : m_porFaixa;
    escolhido->setFocus();
}

void TfEtiquetas::escolheOrigem()
{
    // Only the fields of the way chosen take typing; the others keep what they had.
    m_codIni->setEnabled(m_porFaixa->isChecked());
    m_codFim->setEnabled(m_porFaixa->isChecked());
    m_codGru->setEnabled(m_porGrupo->isChecked());
    if (QWidget* busca = findChild<QWidget*>(QStringLiteral("btnEtq_BuscaGru")))
        busca->setEnabled(m_porGrupo->isChecked());
    m_documento->setEnabled(m_porEntrada->isChecked());
}

void TfEtiquetas::escolhePapel()
{
    // A roll has no used positions to skip.
    const bool folha = papel().porPagina() > 1;
    m_inicio->setEnabled(folha);
    if (!folha)
        m_inicio->setText(QStringLiteral("1"));
}

DesenhoEtiquetas::Papel TfEtiquetas::papel() const
{
    return m_papel->currentIndex() == 1 ? DesenhoEtiquetas::rolo() : DesenhoEtiquetas::folhaA4();
}

std::optional<int> TfEtiquetas::posicaoInicial()
{
    const int porPagina = papel().porPagina();
    const int n = m_inicio->text().toInt();
    if (n < 1 || n > porPagina) {
        Mensagens::aviso(
            QStringLiteral("A etiqueta inicial deve estar entre 1 e %1 !").arg(porPagina), this);
        m_inicio->setFocus();
        m_inicio->selectAll();
        return std::nullopt;
    }
    return n - 1;
}

std::optional<QVector<DesenhoEtiquetas::Etiqueta>> TfEtiquetas::etiquetas()
{
    QList<Produto> produtos;
    try {
        TdmProdutos& dm = m_app.dmProdutos();
        if (m_porGrupo->isChecked()) {
            if (m_codGru->text().trimmed().isEmpty()) {
                Mensagens::aviso(QStringLiteral("Informe o Grupo !"), this);
                m_codGru->setFocus();
                return std::nullopt;
            }
            // A group typed and not yet left is checked here, as leaving the field would.
            if (!m_grupo->confirmado() && !m_grupo->confere())
                return std::nullopt;
            produtos = dm.produtosDoGrupo(m_codGru->text());
        } else if (m_porEntrada->isChecked()) {
            const QString documento = m_documento->text().trimmed();
            if (documento.isEmpty()) {
                Mensagens::aviso(QStringLiteral("Informe o Documento de Entrada !"), this);
                m_documento->setFocus();
                return std::nullopt;
            }
            produtos = dm.produtosDaEntrada(documento);
        } else {
            // Codes are compared as the register keeps them: blanks in front, ten long.
            QString de = m_codIni->text().trimmed();
            QString ate = m_codFim->text().trimmed();
            if (!de.isEmpty())
                m_codIni->setText(de = Funcoes::codigoProduto(de));
            if (!ate.isEmpty())
                m_codFim->setText(ate = Funcoes::codigoProduto(ate));
            produtos = dm.produtosDaFaixa(de, ate);
        }
    } catch (const ErroBanco&) {
        Mensagens::erro(QStringLiteral("Não foi possível ler os produtos."), this);
        return std::nullopt;
    }
    const int cada = m_quantidade->text().toInt();
    if (cada < 1) {
        Mensagens::aviso(QStringLiteral("Informe a Quantidade de Etiquetas !"), this);
        m_quantidade->setFocus();
        m_quantidade->selectAll();
        return std::nullopt;
    }
    if (produtos.isEmpty()) {
        Mensagens::informacao(QStringLiteral("Nenhum Produto Encontrado !"), this);
        return std::nullopt;
    }
    QVector<DesenhoEtiquetas::Etiqueta> lista;
    lista.reserve(produtos.size() * cada);
    for (const Produto& p : std::as_const(produtos)) {
        const DesenhoEtiquetas::Etiqueta e = DesenhoEtiquetas::deProduto(p);
        for (int i = 0; i < cada; ++i)
            lista.append(e);
    }
    return lista;
}

std::optional<TfEtiquetas::Trabalho> TfEtiquetas::trabalho()
{
    const std::optional<int> posicao = posicaoInicial();
    if (!posicao)
        return std::nullopt;
    auto lista = etiquetas();
    if (!lista)
        return std::nullopt;
    return Trabalho{*posicao, std::move(*lista)};
}

void TfEtiquetas::visualiza()
{
    const std::optional<Trabalho> t = trabalho();
    if (!t)
        return;
    const DesenhoEtiquetas::Papel folha = papel();
    QPrinter& impressora = Impressora::atual();
    impressora.setFullPage(true);
    DesenhoEtiquetas::preparaDispositivo(impressora, folha);
    QPrintPreviewDialog previa(&impressora, this);
    previa.setObjectName(QStringLiteral("TfEtiquetas_Previa"));
    previa.setWindowTitle(windowTitle());
    connect(&previa, &QPrintPreviewDialog::paintRequested, this, [folha, &t](QPrinter* p) {
        DesenhoEtiquetas::pintaTudo(*p, folha, t->lista, t->posicao);
    });
    Modal::exec(&previa);
}

void TfEtiquetas::imprime()
{
    const std::optional<Trabalho> t = trabalho();
    if (!t)
        return;
    if (!Impressora::disponivel()) {
        Mensagens::erro(QStringLiteral("Nenhuma impressora está instalada neste computador.\n"
                                       "Instale uma impressora ou salve as etiquetas em PDF."),
                        this);
        return;
    }
    QPrinter& impressora = Impressora::atual();
    impressora.setCopyCount(1);
    impressora.setPrintRange(QPrinter::AllPages);
    impressora.setDocName(windowTitle());
    impressora.setFullPage(true);
    DesenhoEtiquetas::preparaDispositivo(impressora, papel());
    if (!DesenhoEtiquetas::pintaTudo(impressora, papel(), t->lista, t->posicao))
        Mensagens::erro(QStringLiteral("Não foi possível imprimir as etiquetas."), this);
}

void TfEtiquetas::salvaPdf()
{
    const std::optional<Trabalho> t = trabalho();
    if (!t)
        return;
    const QString arquivo = Modal::escolheArquivo(
        this, QStringLiteral("Salvar Etiquetas"), QStringLiteral("etiquetas.pdf"),
        QStringLiteral("Arquivos PDF (*.pdf)"), true, QStringLiteral("pdf"));
    if (arquivo.isEmpty())
        return;
    if (!DesenhoEtiquetas::gravaPdf(arquivo, papel(), t->lista, t->posicao))
        Mensagens::erro(QStringLiteral("Não foi possível gravar o arquivo %1.").arg(arquivo), this);
}
