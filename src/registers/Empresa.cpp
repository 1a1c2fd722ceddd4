#include "registers/Empresa.h"

#include "common/Convencoes.h"
#include "common/Gravacao.h"
#include "common/Mensagens.h"
#include "contexto/Contexto.h"
#include "contexto/Sessao.h"
#include "data/DataModule_Empresa.h"
#include "data/firebird/ErroBanco.h"
#include "data/firebird/Transacao.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString falhaGravacao = QStringLiteral("Ocorreu um Erro, tente novamente !");

// The line fields from top to bottom: name, caption, the column's width and the datum shown.
struct Campo {
    const char* nome;
    const char* rotulo;
    int largura;
    QString DadosEmpresa::*dado;
};

const Campo campos[] = {
    {"edEMP_Nome", "Nome Fantasia/Nome:", 80, &DadosEmpresa::nome},
    {"edEMP_CNPJ", "C.N.P.J/C.P.F:", 18, &DadosEmpresa::cnpj},
    {"edEMP_Insc", "I.Estadual/R.G.:", 18, &DadosEmpresa::inscricao},
    {"edEMP_Ender", "Endereço:", 50, &DadosEmpresa::endereco},
    {"edEMP_Bairro", "Bairro:", 30, &DadosEmpresa::bairro},
    {"edEMP_Cidade", "Cidade:", 29, &DadosEmpresa::cidade},
    {"edEMP_UF", "UF:", 4, &DadosEmpresa::uf},
    {"edEMP_Fone", "Telefone:", 15, &DadosEmpresa::telefone},
    {"edEMP_FAX", "FAX:", 15, &DadosEmpresa::fax},
    {"edEMP_HomeP", "Home Page:", 80, &DadosEmpresa::homePage},
    {"edEMP_Email", "Email:", 80, &DadosEmpresa::email},
};

} // namespace

TfEmpresa::TfEmpresa(Contexto& app, QWidget* parent)
    : Dialogo(parent, "TfEmpresa", QStringLiteral("Dados da Empresa")), m_app(app)
{
    using namespace Formulario;

    auto* form = new QFormLayout;
    QList<QWidget*> ordem;
    for (const Campo& c : campos) {
        QLineEdit* e = campo(this, c.nome, c.largura);
        m_campos.append({e, c.dado});
        form->addRow(QString::fromUtf8(c.rotulo), e);
        ordem << e;
    }
    m_edNome = m_campos.first().first;
    // The name is where the window opens; Tab goes round the other fields and the buttons.
    m_edNome->setFocusPolicy(Qt::ClickFocus);
    m_campos[1].first->setReadOnly(true);
    m_edObs = memo(this, "edEMP_Obs", 200);
    m_edObs->setFixedHeight(80);
    form->addRow(QStringLiteral("Observações:"), m_edObs);

    m_btnGrava = botao(this, "Grava", QStringLiteral("Grava"));
    QPushButton* fechar = botao(this, "Fechar", QStringLiteral("Fechar"));
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(m_btnGrava);
    botoes->addWidget(fechar);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titulo(this, "lbTitulo", QStringLiteral("Dados da Empresa")));
    layout->addLayout(form);
    layout->addLayout(botoes);
    resize(620, 480);

    // The buttons come first, then the fields from top to bottom. The name sits just before
    // the tax number, so Tab or Enter from the name goes on to the tax number.
    ordemTab(QList<QWidget*>{m_btnGrava, fechar} + ordem + QList<QWidget*>{m_edObs});

    connect(m_btnGrava, &QPushButton::clicked, this, &TfEmpresa::grava);
    connect(fechar, &QPushButton::clicked, this, &QDialog::accept);
    Convencoes::coresDeFoco(this);
    Convencoes::enterComoTab(this);
}

void TfEmpresa::aoAbrir()
{
    carrega();
    m_edNome->setFocus();
}

void TfEmpresa::carrega()
{
    for (const auto& [campo, dado] : std::as_const(m_campos))
        campo->clear();
    m_edObs->clear();
    m_btnGrava->setEnabled(true);

    std::optional<DadosEmpresa> d;
    try {
        d = m_app.dmEmpresa().dados();
    } catch (const ErroBanco& e) {
        // Saving what is on screen now would write empty fields over the stored data.
        m_btnGrava->setEnabled(false);
        Mensagens::erro(e.mensagem(), this);
        return;
    }
    if (!d)
        return;
    for (const auto& [campo, dado] : std::as_const(m_campos))
        campo->setText((*d).*dado);
    m_edObs->setPlainText(d->observacoes);
}

void TfEmpresa::grava()
{
    DadosEmpresa d;
    for (const auto& [campo, dado] : std::as_const(m_campos))
        d.*dado = campo->text();
    d.observacoes = m_edObs->toPlainText();
    // A database without its company row stores nothing: saying the data were saved would
    // send the user away believing it.
    const bool ok = Gravacao::grava(
        m_app, this,
        {.escreve = [&](Transacao& t) { Gravacao::exigeRegistro(m_app.dmEmpresa().grava(t, d)); },
         .falha = [](const ErroBanco&) { return falhaGravacao; },
         .tipoFalha = TipoMensagem::Informacao});
    if (!ok)
        return;
    Mensagens::informacao(QStringLiteral("Dados Gravados com Sucesso !"), this);
    // The header shows the new data at once; the reports keep the name and telephone read at
    // start until the program starts again.
    emit m_app.sessao().empresaAlterada(d.nome, d.telefone, d.email, d.homePage);
}
