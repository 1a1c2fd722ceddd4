#include "registers/Dados_REQ.h"

#include "common/CampoCodigo.h"
#include "common/Mensagens.h"
#include "contexto/Contexto.h"
#include "data/DataModule_Req.h"
#include "data/firebird/ErroBanco.h"
#include "registers/Manut_REQ.h"

#include <QLineEdit>
#include <QScopedValueRollback>

TfDados_REQ::TfDados_REQ(Contexto& app, QWidget* parent)
    : JanelaDados(
          app,
          {.nome = "TfDados_REQ",
           .registro = QStringLiteral("Requisitantes"),
           .titulo = "lbREQ_Titulo",
           .codigo = "edREQ_Codigo",
           .descricao = "edREQ_Descricao",
           .rotuloDescricao = QStringLiteral("Nome:"),
           // Typing stops at six; a proposed code that has outgrown six digits is shown whole
           // and refused by the save, not cut into another's code.
           .larguraCodigo = 6,
           .salva = "btnREQ_Salva",
           .limpa = "btnREQ_Limpa",
           .fechar = "btnREQ_Fechar",
           .log = QStringLiteral("Requisitante::"),
           .falhaInclui = QStringLiteral("Não Consegui Incluir, tente Novamente"),
           .falhaAltera = QStringLiteral("Não Consegui Alterar, Tente Novamente"),
           .falhaExclui = QStringLiteral("Não consegui Excluir, tente novamente"),
           .descricaoVazia = {TipoMensagem::Aviso,
                              QStringLiteral("O Campo Descrição Precisa ser Preenchido")},
           .descricaoVaziaAltera = {TipoMensagem::Aviso,
                                    QStringLiteral("O Campo Descrição Precisa ser Preenchido")},
           .descricaoRepetida = QStringLiteral(
               "Requisitante já Cadastrado, Deseja Cadastrar outro com a mesmo Nome ?")},
          app.dmReq(), [&app]() -> Familia::JanelaManutencao& { return app.janela<TfManut_REQ>(); },
          parent)
{
    // Every mode wants a code; the field is left empty for the user to type one when none can
    // be offered. A proposal that outgrew the column goes on to the save, which refuses it.
    CampoCodigo::Regras regras;
    regras.naoEncontrado = QStringLiteral("Requisitante já Cadastrado, tente outro");
    regras.tipo = TipoMensagem::Erro;
    regras.exigido = QStringLiteral("O Campo do Código Precisa ser Preenchido");
    regras.recusaLongo = false;
    CampoCodigo* codigo = codigoDigitado(regras);
    // Entering the field, and coming back to it refused, offers the next free code.
    connect(codigo, &CampoCodigo::entrou, this, [this] {
        if (!m_levandoAoCodigo)
            propoeCodigo();
    });
    connect(codigo, &CampoCodigo::recusou, this, &TfDados_REQ::propoeCodigo);
}

void TfDados_REQ::setVisible(bool visivel)
{
    // Showing a dialog hands its focus field a focus-in of its own; the opening has already
    // offered the code (or said why it could not).
    const QScopedValueRollback guarda(m_levandoAoCodigo, true);
    JanelaDados::setVisible(visivel);
}

void TfDados_REQ::abreInclusao()
{
    m_edCodigo->clear();
    propoeCodigo();
    const QScopedValueRollback guarda(m_levandoAoCodigo, true);
    m_edCodigo->setFocus();
}

void TfDados_REQ::limpa()
{
    m_edDescricao->clear();
    m_edDescricao->setFocus();
}

void TfDados_REQ::propoeCodigo()
{
    if (modo() != ::Modo::Inclui || !m_edCodigo->text().trimmed().isEmpty())
        return;
    std::optional<QString> proposta;
    try {
        proposta = m_app.dmReq().codigoProposto();
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
        return;
    }
    if (!proposta) {
        // The user then types the code.
        Mensagens::informacao(
            QStringLiteral("Não foi possível propor um código: o maior código gravado não é "
                           "um número. Digite o código."),
            this);
        return;
    }
    m_edCodigo->setText(*proposta);
    m_edCodigo->selectAll();
}
