#include "reports/Tela_Impressora.h"

#include "common/Mensagens.h"
#include "common/Modal.h"
#include "contexto/Contexto.h"
#include "contexto/Sessao.h"
#include "data/firebird/ErroBanco.h"
#include "reports/Busca_Rel_Grupo.h"
#include "reports/Visualiza.h"
#include "reports/engine/Impressora.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

TfTela_Impressora::TfTela_Impressora(Contexto& app, QWidget* parent)
    : Dialogo(parent), m_app(app), m_relatorios(std::make_unique<Relatorios>(
                                       app.dmProdutos(), app.dmMovEstq(), app.dmMovConsu())),
      m_previa(new TfVisualiza(this))
{
    setObjectName(QStringLiteral("TfTela_Impressora"));
    setWindowTitle(QStringLiteral("Escolha uma Opção"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    QLabel* pergunta = Formulario::titulo(this, "Label1", QStringLiteral("Escolha uma Opção ?"), 8);
    pergunta->setAlignment(Qt::AlignCenter);
    layout->addWidget(pergunta);
    layout->addSpacing(12);
    layout->addLayout(Formulario::botoes(
        this, {
                  {"BitBtn1", QStringLiteral("Tela"), [this] { tela(); }},
                  {"BitBtn2", QStringLiteral("Impressora"), [this] { impressora(); }},
                  {"BitBtn3", QStringLiteral("Cancela"), [this] { reject(); }},
              }));
    setFixedSize(sizeHint().expandedTo(QSize(380, 140)));
}

TfTela_Impressora::~TfTela_Impressora() = default;

std::optional<Motor::Documento> TfTela_Impressora::produz()
{
    Motor::Documento d;
    const std::optional<bool> inteiro = produz(Motor::guardaEm(d));
    if (!inteiro || !*inteiro)
        return std::nullopt;
    return d;
}

std::optional<bool> TfTela_Impressora::produz(const Motor::RecebePagina& recebe)
{
    Sessao& p = m_app.sessao();
    const Cabecalho cabecalho{p.EmpNome, p.EmpFone, QDateTime::currentDateTime()};
    if (Relatorios::doGrupo(Relatorio)) {
        // The group layouts print the code and description the dialog still shows.
        TfBusca_Rel_Grupo& dialogo = m_app.janela<TfBusca_Rel_Grupo>();
        for (RelEstoque* r : {static_cast<RelEstoque*>(&m_relatorios->relItensEstoqueGrupo),
                              static_cast<RelEstoque*>(&m_relatorios->relItensEstoqueGrupo2)}) {
            r->lbCodGrupo = dialogo.codigo();
            r->lbDescGrupo = dialogo.descricao();
        }
    }
    m_relatorios->aplicaVariantes(Relatorio);
    try {
        return m_relatorios->produz(Relatorio, cabecalho, recebe);
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
        return std::nullopt;
    }
}

// A report that takes more than a second shows the pages done so far and may be cancelled.
std::optional<bool> TfTela_Impressora::produzComProgresso(const QString& feito,
                                                          const Motor::RecebePagina& recebe,
                                                          bool& cancelado)
{
    QProgressDialog progresso(QStringLiteral("Preparando o relatório..."),
                              QStringLiteral("Cancelar"), 0, 0, this);
    progresso.setObjectName(QStringLiteral("pdProgresso"));
    progresso.setWindowTitle(QStringLiteral("Relatório"));
    progresso.setWindowModality(Qt::WindowModal);
    progresso.setAutoClose(false);
    progresso.setAutoReset(false);
    progresso.setMinimumDuration(1000);
    progresso.setValue(0);
    const std::optional<bool> inteiro =
        produz([&](const Motor::Documento& molde, Motor::Pagina&& pagina, int numero) {
            if (!recebe(molde, std::move(pagina), numero))
                return false;
            progresso.setLabelText(feito.arg(numero));
            progresso.setValue(0);
            QCoreApplication::processEvents();
            return !progresso.wasCanceled();
        });
    cancelado = progresso.wasCanceled();
    return inteiro;
}

void TfTela_Impressora::tela()
{
    // The preview opens at once and shows page 1 as soon as it is laid out; the rest comes
    // while the person looks at it.
    m_previa->mostra([this](const Motor::RecebePagina& recebe) { return produz(recebe); });
    m_previa->defineExportacao([this, chave = Relatorio]() -> std::optional<Exportacao::Tabela> {
        try {
            return m_relatorios->tabela(chave);
        } catch (const ErroBanco&) {
            Mensagens::erro(QStringLiteral("Não foi possível ler as linhas do relatório do banco "
                                           "de dados. Nada foi exportado."),
                            m_previa);
            return std::nullopt;
        }
    });
    Modal::exec(m_previa);
    accept();
}

void TfTela_Impressora::impressora()
{
    // Each page goes to the printer as soon as it is laid out; cancelled, nothing is printed.
    Impressora::Trabalho trabalho;
    bool cancelado = false;
    const std::optional<bool> inteiro = produzComProgresso(
        QStringLiteral("Página %1 enviada para a impressora"),
        [&](const Motor::Documento& molde, Motor::Pagina&& pagina, int) {
            return trabalho.pinta(molde, pagina);
        },
        cancelado);
    if (cancelado || !inteiro) {
        // Cancelled, an unknown key, or the database already told why.
        trabalho.cancela();
    } else if (!*inteiro || !trabalho.termina()) {
        trabalho.cancela();
        Mensagens::erro(Impressora::mensagemDeFalha(), this);
    }
    accept();
}
