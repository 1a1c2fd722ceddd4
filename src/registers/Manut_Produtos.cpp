#include "registers/Manut_Produtos.h"

#include "common/FichaDoProduto.h"
#include "common/JanelasCadastro.h"
#include "common/Mensagens.h"
#include "common/Modal.h"
#include "common/PainelProdutos.h"
#include "contexto/Contexto.h"
#include "contexto/Sessao.h"
#include "data/DataModule_Produtos.h"
#include "data/firebird/ErroBanco.h"
#include "registers/Dados_Produtos.h"

#include <QHBoxLayout>

TfManut_Produtos::TfManut_Produtos(Contexto& app, QWidget* parent)
    : Dialogo(parent, "TfManut_Produtos", QStringLiteral("Manutenção de Produtos")), m_app(app)
{
    using namespace Formulario;

    m_painel = new ListaProdutos::Painel(
        this, m_app.dmProdutos(),
        {{"rbManut_Pro_Codigo", "rbManut_PRO_Descricao", "rbManut_PRO_Refer", "rbManut_PRO_Grupo"},
         "edBusca_ManutPRO",
         "btnBusca_ManutPro",
         "dbg_Manut_PRO",
         "Descrição:"},
        ListaProdutos::colunasDaLista());

    const auto abre = [this](const char* modulo, ::Modo modo) {
        return [this, modulo, modo] { abreDados(QLatin1String(modulo), modo); };
    };
    QHBoxLayout* fileira = botoes(
        this,
        {{"btnManut_PRO_Novo", QStringLiteral("Novo"), abre("1.2.1", ::Modo::Inclui)},
         {"btnManut_PRO_Altera", QStringLiteral("Altera"), abre("1.2.2", ::Modo::Altera)},
         {"btnManut_PRO_Exclui", QStringLiteral("Exclui"), abre("1.2.3", ::Modo::Exclui)},
         {"btnManut_PRO_Consulta", QStringLiteral("Consulta"), abre("1.2.4", ::Modo::Consulta)}},
        {{"btnManut_PRO_Fecha", QStringLiteral("Fecha"), [this] { accept(); }}});

    m_painel->monta(QStringLiteral("Manutenção de Produtos"), fileira);
}

Familia::Lista& TfManut_Produtos::lista()
{
    return m_painel->lista();
}

void TfManut_Produtos::aoAbrir()
{
    // The stock room looks products up by description: every opening starts there again, with
    // an empty search.
    m_painel->abre(true);
}

void TfManut_Produtos::abreDados(const QString& codigoModulo, ::Modo modo)
{
    if (!Familia::permiteBotao(m_app, codigoModulo))
        return;
    Modo = modo;
    Modal::exec(&m_app.janela<TfDados_Produtos>());
}

void consultaProduto(Contexto& app, const QString& codigo, QWidget* pai)
{
    Sessao& s = app.sessao();
    try {
        if (!s.permite(QStringLiteral("1")) || !s.permite(QStringLiteral("1.2")) ||
            !s.permite(QStringLiteral("1.2.4")))
            return;
        carregaProdutoNaLista(app.dmProdutos(), codigo);
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), pai);
        return;
    }
    app.janela<TfManut_Produtos>().Modo = ::Modo::Consulta;
    Modal::exec(&app.janela<TfDados_Produtos>());
}
