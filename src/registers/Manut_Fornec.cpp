#include "registers/Manut_Fornec.h"

#include "common/Convencoes.h"
#include "common/Funcoes.h"
#include "common/JanelasCadastro.h"
#include "common/Modal.h"
#include "contexto/Contexto.h"
#include "data/DataModule_Fornecedor.h"
#include "registers/Busca_Fornecedor.h"
#include "registers/DadosFornecedor.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

TfManut_Fornec::TfManut_Fornec(Contexto& app, QWidget* parent)
    : Dialogo(parent, "TfManut_Fornec", QStringLiteral("Manutenção de Fornecedores")), m_app(app)
{
    using namespace Formulario;

    QGroupBox* ordem = moldura(this, "", QStringLiteral("Ordenado por:"));
    const QList<QRadioButton*> ordens =
        radios(ordem,
               {{"rbtnCodigo", QStringLiteral("Por Código")},
                {"rbtnRazao", QStringLiteral("Por Razão Social / Nome")},
                {"rbtnFatasia", QStringLiteral("Por Nome Fantasia / Apelido")}},
               1, Qt::Vertical);
    m_rbtnRazao = ordens[1];

    QGroupBox* buscaPor = moldura(this, "", QStringLiteral("Busca Por:"));
    const struct {
        const char* nome;
        const char* texto;
        const char* campo;
        const char* rotulo;
    } colunas[] = {
        {"rbCodigo", "Código", "FOR_Codigo", "Código:"},
        {"rbRazao", "Razão Social/Nome", "FOR_RAZAO", "R.Social/Nome:"},
        {"rbFantasia", "Nome Fantasia/Apelido", "FOR_FANTA", "N.Fantasia/Apelido:"},
        {"rbCNPJ", "CNPJ/CPF", "FOR_CNPJ", "CNPJ/CPF:"},
        {"rbTelefone", "Telefone", "FOR_FONE1", "Telefone:"},
        {"rbObs", "Observações", "FOR_OBS", "Observações:"},
    };
    auto* lb = new QGridLayout(buscaPor);
    for (const auto& c : colunas) {
        QRadioButton* r = radio(buscaPor, c.nome, QString::fromUtf8(c.texto));
        const int i = int(m_colunas.size());
        lb->addWidget(r, i / 3, i % 3, Qt::AlignLeft);
        m_colunas << ColunaBusca{r, QLatin1String(c.campo), QString::fromUtf8(c.rotulo)};
    }
    m_colunas.at(1).radio->setChecked(true);
    m_lbTitulo = rotulo(buscaPor, "lbTitulo", QStringLiteral("R.Social/Nome:"));
    m_edBusca = campo(buscaPor, "edBuscaFornec");
    QPushButton* btBusca = botao(buscaPor, "btnBusca_Fornec", QStringLiteral("Busca"));
    lb->addLayout(lado({m_lbTitulo, m_edBusca, btBusca}, 1), 2, 0, 1, 3);

    QTableView* grade = Formulario::grade(this, "dbManut_For");

    const auto abre = [this](const char* modulo, ::Modo modo) {
        return [this, modulo, modo] { abreDados(QLatin1String(modulo), modo); };
    };
    // "Saída" also forgets the mode: nothing is open from this list any more.
    QHBoxLayout* linhaDeBotoes =
        botoes(this,
               {{"btnInclui", QStringLiteral("Novo"), abre("1.5.1", ::Modo::Inclui)},
                {"btnAltera", QStringLiteral("Altera"), abre("1.5.2", ::Modo::Altera)},
                {"btnExclui", QStringLiteral("Exclui"), abre("1.5.3", ::Modo::Exclui)},
                {"btnConsulta", QStringLiteral("Consulta"), abre("1.5.4", ::Modo::Consulta)}},
               {{"Button5", QStringLiteral("Saída"), [this] {
                     Modo = ::Modo::Nenhum;
                     accept();
                 }}});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titulo(this, "", QStringLiteral("Manutenção de Fornecedores")));
    layout->addLayout(lado({ordem, buscaPor}, 1));
    layout->addWidget(grade, 1);
    layout->addLayout(linhaDeBotoes);
    resize(900, 560);

    connect(btBusca, &QPushButton::clicked, this, &TfManut_Fornec::busca);
    liga(ordens, grade);
}

void TfManut_Fornec::liga(const QList<QRadioButton*>& ordens, QTableView* grade)
{
    using Ordem = TdmFornecedor::Ordem;
    TdmFornecedor& dm = m_app.dmFornecedor();
    dm.cdsFornecedor.setColunas(TfBusca_Fornecedor::colunasDaGrade());
    dm.cdsFornecedor.acompanha(grade);

    // The ordering box only orders: the quick search has its own box, so the list's label is
    // left to that box.
    m_lista = new Familia::Lista(this, dm.listaDaManutencao(), grade, nullptr, m_edBusca, 10,
                                 QLatin1Char('0'));
    m_lista->adicionaOrdem({ordens[0], int(Ordem::PorCodigo), {}, {}});
    m_lista->adicionaOrdem({ordens[1], int(Ordem::PorRazao), {}, {}});
    m_lista->adicionaOrdem({ordens[2], int(Ordem::PorFantasia), {}, {}});
    m_lista->ligaRadios(false);
    // Every opening goes back to the name order; it has no radio of its own, so clicking
    // "Por Razão Social / Nome" still applies that radio's own statement.
    m_ordemAbertura = m_lista->adicionaOrdem({nullptr, TdmFornecedor::ordemDeAbertura, {}, {}});

    for (const ColunaBusca& c : std::as_const(m_colunas))
        connect(c.radio, &QRadioButton::clicked, this, [this, c] { escolheBusca(c); });
    Convencoes::selecionaAoEntrar(m_edBusca);
    Convencoes::aoSair(m_edBusca, this, [this] { saiDaBusca(); });

    Convencoes::coresDeFoco(this);
}

void TfManut_Fornec::aoAbrir()
{
    // Suppliers are known by name: each opening lists and searches them by name again.
    m_rbtnRazao->setChecked(true);
    m_lista->ordena(m_ordemAbertura);
    escolheBusca(m_colunas.at(1));
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
        m_lista->releLocalizando(c.campo, texto);
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
