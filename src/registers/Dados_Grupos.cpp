#include "registers/Dados_Grupos.h"

#include "common/Convencoes.h"
#include "contexto/Contexto.h"
#include "data/DataModule_Grupos.h"
#include "registers/Manut_Grupos.h"

#include <QLineEdit>

TfDados_Grupos::TfDados_Grupos(Contexto& app, QWidget* parent)
    : JanelaDados(
          app,
          {.nome = "TfDados_Grupos",
           .registro = QStringLiteral("Grupos"),
           .titulo = "lb_Titulo_DadosGRU",
           .codigo = "edGRU_Codigo",
           .descricao = "edGRU_Descricao",
           .salva = "btnGRU_Salva",
           .limpa = "btnGRU_Limpa",
           .fechar = "btnGRU_Fecha",
           .textoFechar = QStringLiteral("Fecha"),
           .log = QStringLiteral("Grupo de Produtos:"),
           .falhaInclui = QStringLiteral("Não Consegui Incluir, Tente Novamente !"),
           .falhaAltera = QStringLiteral("Não Consegui Alterar, Tente Novamente !"),
           .falhaExclui = QStringLiteral("Não Consegui Excluir, Tente Novamente !"),
           .descricaoVazia = {TipoMensagem::Informacao,
                              QStringLiteral("O Campo da Descrição Precisa ser Preenchido")},
           .descricaoVaziaAltera = {TipoMensagem::Aviso,
                                    QStringLiteral(
                                        "O Campo da Descrição do Grupo deve ser Preenchido")},
           .descricaoRepetida = QStringLiteral(
               "Grupo já Cadastrado, deseja Cadastrar outro Grupo com a mesma Descrição ?"),
           .renumera = true},
          app.dmGrupos(),
          [&app]() -> Familia::JanelaManutencao& { return app.janela<TfManut_Grupos>(); }, parent)
{
    // No length limit on the code: it is never typed, and a proposal that outgrew six digits
    // must reach the database whole (and be refused there), not be cut to another code.
    m_edCodigo->setReadOnly(true);
    Convencoes::aoEntrar(m_edCodigo, this, [this] { abreInclusao(); });
}

void TfDados_Grupos::abreInclusao()
{
    if (modo() == ::Modo::Inclui)
        propoeProximo();
    m_edDescricao->setFocus(Qt::TabFocusReason);
}
