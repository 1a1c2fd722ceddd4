#include "access/DaRetiraPermissoes.h"

#include "common/CampoCodigo.h"
#include "common/CamposCadastro.h"
#include "common/Convencoes.h"
#include "common/EditH.h"
#include "common/Gravacao.h"
#include "common/JanelasCadastro.h"
#include "common/Mensagens.h"
#include "contexto/Contexto.h"
#include "data/DataModule_PER.h"
#include "data/DataModule_Usuarios.h"
#include "data/firebird/ErroBanco.h"
#include "data/firebird/Transacao.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <optional>

TfDaRetiraPermissoes::TfDaRetiraPermissoes(Contexto& app, QWidget* parent)
    : Dialogo(parent, "TfDaRetiraPermissoes", QStringLiteral("Dá/Retira Permissão de Usuários")),
      m_app(app)
{
    using namespace Formulario;

    QGroupBox* caixa = moldura(this, "", QStringLiteral("Escolha um Usuário"));
    m_edCodigo = campoH(caixa, "edCodigo", 6);
    m_edCodigo->setMaximumWidth(90);
    m_edLogin = campoH(caixa, "edLogin");
    m_edLogin->setReadOnly(true);
    m_edLogin->setFocusPolicy(Qt::NoFocus);
    m_edLogin->setMaximumWidth(130);
    m_edNome = campoH(caixa, "edNome");
    m_edNome->setReadOnly(true);
    m_edNome->setFocusPolicy(Qt::NoFocus);
    QPushButton* btnMostrar = botao(caixa, "btnMostrar", QStringLiteral("Mostrar"));
    auto* lc = new QHBoxLayout(caixa);
    lc->addWidget(new QLabel(QStringLiteral("Usuário:"), caixa));
    lc->addWidget(m_edCodigo);
    lc->addWidget(m_edLogin);
    lc->addWidget(m_edNome, 1);
    lc->addWidget(btnMostrar);

    m_grade = grade(this, "dbgPer");
    QHBoxLayout* fileira =
        botoes(this, {{"btnAltera", QStringLiteral("Altera"), [this] { altera(); }}},
               {{"btnFechar", QStringLiteral("Fechar"), [this] { accept(); }}});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caixa);
    layout->addWidget(m_grade, 1);
    layout->addLayout(fileira);
    resize(640, 560);

    TdmPER& dm = m_app.dmPER();
    colunasDaLista(m_grade, dm.cdsPER, {0, 50});
    m_grade->horizontalHeader()->setStretchLastSection(true);

    CampoCodigo::Regras regras = regrasDoUsuario(
        m_app, m_edLogin, m_edNome, QStringLiteral("Usuário não Cadastrado, tente outro"));
    regras.aparaAoSair = true;
    m_codigo = new CampoCodigo(m_edCodigo, this, regras);
    connect(m_codigo, &CampoCodigo::entrou, this, [this] {
        m_edLogin->clear();
        m_edNome->clear();
    });
    connect(m_codigo, &CampoCodigo::achou, btnMostrar,
            [btnMostrar] { btnMostrar->setFocus(Qt::TabFocusReason); });
    connect(btnMostrar, &QPushButton::clicked, this, &TfDaRetiraPermissoes::mostra);
    Convencoes::coresDeFoco(this);
}

void TfDaRetiraPermissoes::aoAbrir()
{
    m_edCodigo->clear();
    m_edLogin->clear();
    m_edNome->clear();
    m_codigo->esquece();
    try {
        m_app.dmPER().listaVazia();
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
    }
    m_edCodigo->setFocus();
}

void TfDaRetiraPermissoes::mostra()
{
    // Pressed right after the code was refused: that has been said; the user is back there.
    if (!m_codigo->podeGravar()) {
        m_edCodigo->setFocus();
        return;
    }
    if (m_edCodigo->text().trimmed().isEmpty()) {
        Mensagens::erro(QStringLiteral("É preciso Escolher um Usuário"), this);
        m_edCodigo->setFocus();
        return;
    }
    try {
        m_app.dmPER().listaDoUsuario(m_edCodigo->text());
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
    }
}

void TfDaRetiraPermissoes::releLista()
{
    TdmPER& dm = m_app.dmPER();
    const int linha = dm.cdsPER.linhaAtual();
    try {
        dm.listaDoUsuario(dm.usuarioDaLista());
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
        return;
    }
    dm.cdsPER.setLinhaAtual(linha);
}

void TfDaRetiraPermissoes::altera()
{
    TdmPER& dm = m_app.dmPER();
    const std::optional<Permissao> atual = dm.permissaoAtual();
    if (!atual)
        return;
    const QString usuario = atual->usuario;
    const QString modulo = atual->modulo;
    const QString ativo =
        atual->ativo == QLatin1String("N") ? QStringLiteral("S") : QStringLiteral("N");
    // The row shown may have gone with its user, deleted at another workstation. The list is
    // read again either way before a failure is told.
    Gravacao::grava(
        m_app, this,
        {.escreve =
             [&](Transacao& t) {
                 Gravacao::exigeRegistro(dm.alteraPermissao(t, usuario, modulo, ativo));
             },
         .falha =
             [](const ErroBanco& e) {
                 return Familia::comErro(
                     QStringLiteral("Não Consegui Alterar a Permissão, Tente Novamente !"), e);
             },
         .depois = [this] { releLista(); }});
}
