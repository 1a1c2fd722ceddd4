#include "common/CamposCadastro.h"

#include "contexto/Contexto.h"
#include "data/DataModule_Fornecedor.h"
#include "data/DataModule_GrupoFornecedor.h"
#include "data/DataModule_Grupos.h"
#include "data/DataModule_Produtos.h"
#include "data/DataModule_Req.h"
#include "data/DataModule_Usuarios.h"
#include "registers/BuscaGRU_For.h"
#include "registers/Busca_Fornecedor.h"
#include "registers/Busca_Grupos.h"
#include "registers/Busca_Produtos.h"
#include "registers/Busca_REQ.h"

#include <QLineEdit>

#include <optional>

namespace {

// What every register's field shares: the padding, the search window and where it comes back.
CampoCodigo::Regras regras(int largura, QChar preenchimento, JanelaBusca* janela,
                           const BuscaDoCampo& busca)
{
    CampoCodigo::Regras r;
    r.largura = largura;
    r.preenchimento = preenchimento;
    r.busca = janela;
    r.origem = busca.origem;
    r.botaoBusca = busca.botao;
    return r;
}

// A look-up that shows the text a register gives for a code beside it.
template <typename Leitura>
std::function<bool(const QString&)> mostraEm(QLineEdit* destino, Leitura leitura)
{
    return [destino, leitura](const QString& codigo) {
        const std::optional<QString> texto = leitura(codigo);
        if (texto && destino)
            destino->setText(*texto);
        return texto.has_value();
    };
}

// The description of a record found, none when there is no record.
template <typename Registro> std::optional<QString> descricaoDe(const std::optional<Registro>& r)
{
    if (!r)
        return std::nullopt;
    return r->descricao;
}

} // namespace

CampoCodigo::Regras regrasDoUsuario(Contexto& app, QLineEdit* login, QLineEdit* nome,
                                    const QString& naoEncontrado)
{
    CampoCodigo::Regras regras;
    regras.largura = 6;
    regras.preenchimento = QLatin1Char('0');
    regras.procura = [&app, login, nome](const QString& codigo) {
        const std::optional<DadosUsuario> u = app.dmUsuarios().usuario(codigo);
        if (u) {
            login->setText(u->login);
            nome->setText(u->nome);
        }
        return u.has_value();
    };
    regras.naoEncontrado = naoEncontrado;
    regras.tipo = TipoMensagem::Erro;
    regras.esvaziaAoRecusar = true;
    regras.limpaAoRecusar = {login, nome};
    return regras;
}

CampoCodigo::Regras regrasDoRequisitante(Contexto& app, QLineEdit* descricao,
                                         const BuscaDoCampo& busca)
{
    CampoCodigo::Regras r = regras(6, QLatin1Char('0'), &app.janela<TfBusca_REQ>(), busca);
    r.procura = mostraEm(descricao, [&app](const QString& codigo) {
        return descricaoDe(app.dmReq().requisitante(codigo));
    });
    r.naoEncontrado = QStringLiteral("Requisitante não Encontrado !");
    r.esvaziaAoRecusar = true;
    return r;
}

CampoCodigo::Regras regrasDoGrupo(Contexto& app, QLineEdit* descricao, const BuscaDoCampo& busca)
{
    CampoCodigo::Regras r = regras(6, QLatin1Char('0'), &app.janela<TfBusca_Grupos>(), busca);
    r.procura = mostraEm(
        descricao, [&app](const QString& codigo) { return app.dmGrupos().descricaoGrupo(codigo); });
    r.naoEncontrado = QStringLiteral("Grupo não Encontrado !");
    return r;
}

CampoCodigo::Regras regrasDoGrupoFornecedor(Contexto& app, QLineEdit* descricao,
                                            const BuscaDoCampo& busca)
{
    CampoCodigo::Regras r = regras(6, QLatin1Char('0'), &app.janela<TfBuscaGRU_For>(), busca);
    r.procura = mostraEm(descricao, [&app](const QString& codigo) {
        return app.dmGrupoFornecedor().descricaoGrupo(codigo);
    });
    r.naoEncontrado = QStringLiteral("Grupo de Fornecedor não Encontrado");
    r.tipo = TipoMensagem::Aviso;
    r.limpaAoRecusar = {descricao};
    return r;
}

CampoCodigo::Regras regrasDoFornecedor(Contexto& app, QLineEdit* razao, const BuscaDoCampo& busca)
{
    CampoCodigo::Regras r = regras(10, QLatin1Char('0'), &app.janela<TfBusca_Fornecedor>(), busca);
    r.procura = mostraEm(razao, [&app](const QString& codigo) {
        return app.dmFornecedor().razaoFornecedor(codigo);
    });
    r.naoEncontrado = QStringLiteral("Fornecedor não Cadastrado");
    r.tipo = TipoMensagem::Erro;
    r.esvaziaAoRecusar = true;
    r.limpaAoRecusar = {razao};
    return r;
}

CampoCodigo::Regras regrasDoProduto(Contexto& app, QLineEdit* descricao, const BuscaDoCampo& busca)
{
    CampoCodigo::Regras r = regras(10, QLatin1Char(' '), &app.janela<TfBusca_Produtos>(), busca);
    r.procura = mostraEm(descricao, [&app](const QString& codigo) {
        return descricaoDe(app.dmProdutos().produtoPorCodigo(codigo));
    });
    r.naoEncontrado = QStringLiteral("Produto não Encontrado !");
    return r;
}

CamposProduto::Regras regrasDoProdutoEBarras(const BuscaDoCampo& busca)
{
    CamposProduto::Regras r;
    r.origem = busca.origem;
    r.botaoBusca = busca.botao;
    r.aparaAoEntrar = true;
    r.esvaziaAoRecusar = true;
    return r;
}
