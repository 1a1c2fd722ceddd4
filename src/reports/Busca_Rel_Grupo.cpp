#include "reports/Busca_Rel_Grupo.h"

#include "common/CampoCodigo.h"
#include "common/CamposCadastro.h"
#include "common/Convencoes.h"
#include "common/Mensagens.h"
#include "common/Modal.h"
#include "contexto/Contexto.h"
#include "data/firebird/ErroBanco.h"
#include "reports/Tela_Impressora.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfBusca_Rel_Grupo::TfBusca_Rel_Grupo(Contexto& app, QWidget* parent)
    : Dialogo(parent, "TfBusca_Rel_Grupo", QStringLiteral("Escolha um Grupo")), m_app(app)
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Formulario::titulo(this, "Label3", QStringLiteral("Escolha um Grupo")));
    auto* grade = new QGridLayout;
    m_edCodGrupo = Formulario::campo(this, "edCodGrupo");
    m_edCodGrupo->setMaximumWidth(90);
    m_edDescGrupo = Formulario::campo(this, "edDescGrupo");
    m_edDescGrupo->setMinimumWidth(300);
    m_btnBusca = Formulario::botao(this, "btnBusca_Grupo", QStringLiteral("..."));
    m_btnBusca->setMaximumWidth(32);
    grade->addWidget(Formulario::rotulo(this, "Label1", QStringLiteral("Código:")), 0, 0);
    grade->addWidget(Formulario::rotulo(this, "Label2", QStringLiteral("Descrição:")), 0, 1);
    grade->addWidget(m_edCodGrupo, 1, 0);
    grade->addWidget(m_edDescGrupo, 1, 1);
    grade->addWidget(m_btnBusca, 1, 2);
    layout->addLayout(grade);
    layout->addSpacing(8);
    const Formulario::Botoes botoes =
        Formulario::botoes(this, {},
                           {{"btnImprimir", QStringLiteral("Imprimir"), [this] { imprime(); }},
                            {"btnCancelar", QStringLiteral("Cancelar"), [this] { reject(); }}});
    layout->addLayout(botoes);
    Formulario::ordemTab({m_edCodGrupo, m_edDescGrupo, m_btnBusca, botoes[0], botoes[1]});

    CampoCodigo::Regras regras =
        regrasDoGrupo(m_app, m_edDescGrupo, {QStringLiteral("Rel_Grupo"), m_btnBusca});
    m_grupo = new CampoCodigo(m_edCodGrupo, this, regras);

    // The description is filled by the look-up only: entering it passes on to the search.
    Convencoes::aoEntrar(m_edDescGrupo, this, [this] { m_btnBusca->setFocus(); });
    Convencoes::coresDeFoco(this);
    adjustSize();
}

QString TfBusca_Rel_Grupo::codigo() const
{
    return m_edCodGrupo->text();
}

QString TfBusca_Rel_Grupo::descricao() const
{
    return m_edDescGrupo->text();
}

void TfBusca_Rel_Grupo::aoAbrir()
{
    m_edCodGrupo->clear();
    m_edDescGrupo->clear();
    m_grupo->esquece();
    m_edCodGrupo->setFocus();
}

void TfBusca_Rel_Grupo::imprime()
{
    // An empty code becomes 000000: a group report without rows, not a refusal.
    QString codigo = m_edCodGrupo->text();
    while (codigo.size() < 6)
        codigo.prepend(QLatin1Char('0'));
    m_edCodGrupo->setText(codigo);
    // A code wider than its column is in no register, and the database would refuse to compare
    // it: it is not found, with the field's own message. Leaving the field for this button has
    // just said so when the button was clicked.
    if (codigo.size() > m_grupo->regras().largura) {
        if (m_grupo->podeGravar())
            m_grupo->confere();
        return;
    }
    try {
        m_app.janela<TfTela_Impressora>().relatorios().carregaGrupo(codigo);
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
        return;
    }
    TfTela_Impressora& tela = m_app.janela<TfTela_Impressora>();
    tela.Relatorio = Relatorio;
    Modal::exec(&tela);
    accept();
}
