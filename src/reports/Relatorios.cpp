#include "reports/Relatorios.h"

#include "data/DataModule_MovConsu.h"
#include "data/DataModule_MovEstq.h"
#include "data/DataModule_Produtos.h"

namespace {

using Lista = TdmProdutos::ListaEstoque;

struct ChaveEstoque {
    const char* chave;
    std::optional<Lista> lista; // none: the group dialog loads it
};

const ChaveEstoque chavesEstoque[] = {
    {"Itens Estoque Codigo", Lista::PorCodigo},
    {"Itens Estoque Codigo 2", Lista::PorCodigo},
    {"Itens Estoque Descricao", Lista::PorDescricao},
    {"Itens Estoque Descricao 2", Lista::PorDescricao},
    {"Itens Estoque Grupo", std::nullopt},
    {"Itens Estoque Grupo 2", std::nullopt},
    {"Produtos em Estoque", Lista::EmEstoque},
    {"Estoque Minimo", Lista::AbaixoDoMinimo},
};

const ChaveEstoque* chaveEstoque(const QString& chave)
{
    for (const ChaveEstoque& c : chavesEstoque)
        if (chave == QString::fromUtf8(c.chave))
            return &c;
    return nullptr;
}

} // namespace

Relatorios::Relatorios(TdmProdutos& produtos, TdmMovEstq& movimentos, TdmMovConsu& emprestimos)
    : m_produtos(produtos), m_movimentos(movimentos), m_emprestimos(emprestimos)
{}

QStringList Relatorios::chaves()
{
    QStringList saida;
    for (const ChaveEstoque& c : chavesEstoque)
        saida << QString::fromUtf8(c.chave);
    return saida;
}

bool Relatorios::semDialogo(const QString& chave)
{
    const ChaveEstoque* c = chaveEstoque(chave);
    return c && c->lista;
}

bool Relatorios::doGrupo(const QString& chave)
{
    const ChaveEstoque* c = chaveEstoque(chave);
    return c && !c->lista;
}

bool Relatorios::carregaSemDialogo(const QString& chave)
{
    const ChaveEstoque* c = chaveEstoque(chave);
    if (!c || !c->lista)
        return false;
    m_produtos.carregaListaEstoque(*c->lista);
    return true;
}

void Relatorios::carregaGrupo(const QString& grupo)
{
    m_produtos.carregaListaEstoque(Lista::DoGrupo, grupo);
}

RelEstoque* Relatorios::layoutEstoque(const QString& chave)
{
    if (chave == QLatin1String("Itens Estoque Codigo") ||
        chave == QLatin1String("Itens Estoque Descricao"))
        return &relItensEstoque;
    if (chave == QLatin1String("Itens Estoque Codigo 2") ||
        chave == QLatin1String("Itens Estoque Descricao 2"))
        return &relItensEstoque2;
    if (chave == QLatin1String("Itens Estoque Grupo"))
        return &relItensEstoqueGrupo;
    if (chave == QLatin1String("Itens Estoque Grupo 2"))
        return &relItensEstoqueGrupo2;
    if (chave == QLatin1String("Produtos em Estoque"))
        return &relProEstoque;
    if (chave == QLatin1String("Estoque Minimo"))
        return &relMin;
    return nullptr;
}

std::optional<Motor::Documento> Relatorios::prepara(const QString& chave,
                                                    const Cabecalho& cabecalho)
{
    if (RelEstoque* r = layoutEstoque(chave))
        return r->prepara(m_produtos.cds_Produtos, cabecalho);
    return std::nullopt;
}
