#include "registers/Dados_GrupoFornecedor.h"

#include "app/Aplicacao.h"
#include "common/CampoCodigo.h"
#include "data/DataModule_GrupoFornecedor.h"
#include "registers/Manut_GrupoFornecedor.h"

#include <QLineEdit>
#include <QPushButton>

TfDados_GrupoFornecedor::TfDados_GrupoFornecedor(Aplicacao& app, QWidget* parent)
    : JanelaDados(
          app,
          // No length limits on the fields: a description too long for the table is refused by
          // the database at the save, with its own words in the message.
          {.nome = "TfDados_GrupoFornecedor",
           .registro = QStringLiteral("Grupo de Fornecedores"),
           .titulo = "lbTitulo",
           .codigo = "edCodigo",
           .descricao = "edDescricao",
           .larguraDescricao = 0,
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
    // An emptied code is padded too (000000). A code longer than the column is refused like a
    // taken one, without asking the database.
    CampoCodigo::Regras regras;
    regras.naoEncontrado = QStringLiteral("Código já cadastrado, tente outro");
    regras.completaVazio = true;
    CampoCodigo* codigo = codigoDigitado(regras);
    // Every entry into the field, and every return to it refused, replaces what it holds with
    // a fresh proposal.
    const auto propoe = [this] {
        m_proposto = true;
        if (modo() == ::Modo::Inclui)
            propoeProximo();
    };
    connect(codigo, &CampoCodigo::entrou, this, propoe);
    connect(codigo, &CampoCodigo::recusou, this, propoe);
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
