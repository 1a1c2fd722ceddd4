#include "registers/Dados_GrupoFornecedor.h"

#include "common/CampoCodigo.h"
#include "common/Mensagens.h"
#include "contexto/Contexto.h"
#include "data/DataModule_GrupoFornecedor.h"
#include "registers/Manut_GrupoFornecedor.h"

#include <QLineEdit>
#include <QPushButton>

TfDados_GrupoFornecedor::TfDados_GrupoFornecedor(Contexto& app, QWidget* parent)
    : JanelaDados(
          app,
          // Typing stops at the code's six digits and the description's thirty characters, as in
          // the other registers: a longer description would only come back from the save as the
          // database's refusal, in words meant for nobody at the counter.
          {.nome = "TfDados_GrupoFornecedor",
           .registro = QStringLiteral("Grupo de Fornecedores"),
           .titulo = "lbTitulo",
           .codigo = "edCodigo",
           .descricao = "edDescricao",
           .larguraCodigo = CadastroSimples::largura,
           .larguraDescricao = 30,
           .salva = "btnGruFornec_Grava",
           .limpa = "btnGruFornec_Limpa",
           .fechar = "btnGruFornec_Fechar",
           .textoSalva = QStringLiteral("Grava"),
           .fecharCancela = true,
           .log = QStringLiteral("Grupo de Fornecedor:"),
           .falhaInclui = QStringLiteral("Não Consegui Incluir, Tente Novamente !"),
           .falhaAltera = QStringLiteral("Não Consegui Alterar, Tente Novamente !"),
           .falhaExclui = QStringLiteral("Não Consegui Excluir, Tente Novamente !"),
           .falhaComErro = true,
           .descricaoVazia = {TipoMensagem::Informacao,
                              QStringLiteral("O Campo da Descrição Precisa ser Preenchido")},
           .descricaoVaziaAltera = {TipoMensagem::Informacao,
                                    QStringLiteral("O Campo da Descrição precisa ser Preenchido")},
           .renumera = true},
          app.dmGrupoFornecedor(),
          [&app]() -> Familia::JanelaManutencao& { return app.janela<TfManut_GrupoFornecedor>(); },
          parent)
{
    // An emptied code is padded too (000000). Only a taken code is refused here: the field
    // takes no more digits than the column holds, and no proposal outgrows it.
    CampoCodigo::Regras regras;
    regras.naoEncontrado = QStringLiteral("Código já cadastrado, tente outro");
    regras.completaVazio = true;
    CampoCodigo* codigo = codigoDigitado(regras);
    // Every entry into the field, and every return to it refused, replaces what it holds with
    // a fresh proposal. Showing the window hands the field a focus-in of its own: the opening
    // has made its proposal already (or said why there is none).
    const auto aoEntrar = [this] {
        if (abrindo())
            return;
        m_proposto = true;
        if (modo() == ::Modo::Inclui)
            propoeProximo();
    };
    connect(codigo, &CampoCodigo::entrou, this, aoEntrar);
    connect(codigo, &CampoCodigo::recusou, this, aoEntrar);
}

void TfDados_GrupoFornecedor::aoAbrir()
{
    const ::Modo m = modo();
    m_edCodigo->setEnabled(m == ::Modo::Inclui);
    m_edDescricao->setEnabled(m == ::Modo::Inclui || m == ::Modo::Altera);
    JanelaDados::aoAbrir();
}

void TfDados_GrupoFornecedor::abreInclusao()
{
    // Gaining the focus proposes the code; a window not yet (or no longer) active gets no
    // focus event, so the proposal is then made here.
    m_proposto = false;
    m_edCodigo->setFocus(Qt::OtherFocusReason);
    if (!m_proposto)
        propoeProximo();
}

void TfDados_GrupoFornecedor::abreRegistro()
{
    // The code of the row stays in view even when another workstation has deleted the group
    // meanwhile.
    if (m_edCodigo->text().isEmpty())
        m_edCodigo->setText(CodSelecionado);
    if (modo() == ::Modo::Altera)
        m_edDescricao->setFocus();
    else
        m_btnSalva->setFocus();
}
