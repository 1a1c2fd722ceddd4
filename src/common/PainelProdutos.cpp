#include "common/PainelProdutos.h"

#include "common/CamposProduto.h"
#include "common/Convencoes.h"
#include "common/Funcoes.h"
#include "common/JanelasCadastro.h"
#include "data/DataModule_Produtos.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

namespace ListaProdutos {

namespace {

struct ColunaDeBusca {
    const char* radio;
    const char* texto;
    const char* campo;
    const char* rotulo;
};

// In the order of the radios: code, description, reference, bar code, notes.
const ColunaDeBusca colunasDeBusca[] = {
    {"rbPRO_Busca_Codigo", "Código:", "PRO_CODIGO", "Código:"},
    {"rbPRO_Busca_Descricao", "Descrição", "PRO_DESCRICAO", "Descrição:"},
    {"rbPRO_Busca_Refer", "Referência", "PRO_REFER", "Referência:"},
    {"rbPRO_Busca_CodBar", "Código de Barras", "PRO_CODBAR", "Código de Barras:"},
    {"rbPRO_Busca_OBS", "Observações", "PRO_OBS", "Observações:"},
};

const int colunaDasBarras = 3;

// The ordering radios' captions and the column each orders by.
const char* const textosDasOrdens[] = {"Código", "Descrição", "Referência", "Grupo"};
const char* const camposDasOrdens[] = {"PRO_CODIGO", "PRO_DESCRICAO", "PRO_REFER", "GRU_DESCRICAO"};

} // namespace

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

Painel::Painel(Dialogo* janela, TdmProdutos& dm, const Nomes& nomes,
               const QList<QPair<QString, QString>>& colunas)
    : QObject(janela), m_janela(janela), m_rotuloDescricao(QString::fromUtf8(nomes.rotuloDescricao))
{
    using namespace Formulario;
    m_caixaOrdem = moldura(janela, "", QStringLiteral("Ordenado por:"));
    auto* lo = new QHBoxLayout(m_caixaOrdem);
    QList<QRadioButton*> ordens;
    for (int i = 0; i < 4; ++i) {
        ordens << radio(m_caixaOrdem, nomes.ordens[i], QString::fromUtf8(textosDasOrdens[i]));
        lo->addWidget(ordens.last());
    }
    ordens[int(TdmProdutos::Ordem::PorDescricao)]->setChecked(true);

    m_caixaBusca = moldura(janela, "", QStringLiteral("Busca"));
    auto* radiosBusca = new QHBoxLayout;
    for (const ColunaDeBusca& c : colunasDeBusca) {
        m_radiosBusca << radio(m_caixaBusca, c.radio, QString::fromUtf8(c.texto));
        radiosBusca->addWidget(m_radiosBusca.last());
    }
    m_radiosBusca[m_coluna]->setChecked(true);
    m_rotulo = rotulo(m_caixaBusca, "lbTitulo_Busca", m_rotuloDescricao);
    m_campo = campo(m_caixaBusca, nomes.campoBusca);
    QPushButton* btBusca = botao(m_caixaBusca, nomes.botaoBusca, QStringLiteral("Busca"));
    auto* linhaBusca = new QHBoxLayout;
    linhaBusca->addWidget(m_rotulo);
    linhaBusca->addWidget(m_campo, 1);
    linhaBusca->addWidget(btBusca);
    auto* lb = new QVBoxLayout(m_caixaBusca);
    lb->addLayout(radiosBusca);
    lb->addLayout(linhaBusca);

    m_grade = Formulario::grade(janela, nomes.grade);
    // Both windows set the list's own columns: whichever is made first, the shared list knows
    // that its first column is the code the record window loads and "Seleciona" hands back.
    dm.cds_Produtos.setColunas(colunasDaLista());
    dm.cds_Produtos.acompanha(m_grade, colunas);

    m_lista =
        new Familia::Lista(janela, dm.lista(), m_grade, nullptr, m_campo, 10, QLatin1Char(' '));
    for (int i = 0; i < ordens.size(); ++i) {
        m_lista->adicionaOrdem(
            {ordens[i], i, QString(), QLatin1String(camposDasOrdens[i]), i == 0});
        Convencoes::aoEntrar(ordens[i], janela, [this, janela, i] {
            if (!janela->abrindo())
                m_lista->ordena(i);
        });
    }
    m_lista->ligaRadios(false);

    for (int i = 0; i < m_radiosBusca.size(); ++i)
        connect(m_radiosBusca[i], &QRadioButton::toggled, this, [this, i](bool marcado) {
            if (!marcado)
                return;
            m_coluna = i;
            m_rotulo->setText(QString::fromUtf8(colunasDeBusca[i].rotulo));
        });
    connect(btBusca, &QPushButton::clicked, this, &Painel::busca);
    // A scanned bar code ends with Enter: searching by bar code, it finds the product and moves
    // on to the grid, where the product found is the current row.
    LeitorDeBarras::aoEnter(m_campo, [this] {
        if (m_coluna != colunaDasBarras)
            return false;
        busca();
        m_grade->setFocus(Qt::TabFocusReason);
        return true;
    });
}

void Painel::monta(const QString& cabecalho, QHBoxLayout* botoes)
{
    auto* layout = new QVBoxLayout(m_janela);
    layout->addWidget(Formulario::titulo(m_janela, "lbCabecalho", cabecalho));
    layout->addWidget(m_caixaOrdem);
    layout->addWidget(m_caixaBusca);
    layout->addWidget(m_grade, 1);
    layout->addLayout(botoes);
    m_janela->resize(900, 560);
    Convencoes::coresDeFoco(m_janela);
}

void Painel::abre(bool limpaBusca)
{
    if (limpaBusca)
        m_campo->clear();
    m_radiosBusca[1]->setChecked(true);
    m_coluna = 1;
    m_rotulo->setText(m_rotuloDescricao);
    m_lista->ordena(int(TdmProdutos::Ordem::PorDescricao));
}

void Painel::busca()
{
    QString texto = m_campo->text();
    if (m_coluna == 0) {
        texto = Funcoes::codigoProduto(texto);
        m_campo->setText(texto);
    }
    m_lista->releLocalizando(QLatin1String(colunasDeBusca[m_coluna].campo), texto);
}

} // namespace ListaProdutos
