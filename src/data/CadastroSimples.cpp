#include "data/CadastroSimples.h"

#include "common/Funcoes.h"
#include "data/Leitura.h"

#include <algorithm>

namespace {

const QString codigoC = QStringLiteral("CodigoC");
const QString descricaoC = QStringLiteral("DescricaoC");

// Whether the database can hold every character of the text (it stores ISO 8859-1). No row
// holds a text it cannot: a look-up of one answers "none" instead of the refusal of the whole
// text that asking would bring.
bool gravavel(const QString& texto)
{
    return std::all_of(texto.cbegin(), texto.cend(), [](QChar c) { return c.unicode() <= 0xFF; });
}

} // namespace

CadastroSimples::CadastroSimples(Conexao& c, Textos textos)
    : m_textos(std::move(textos)), m_trabalho(c)
{}

std::optional<ItemCadastro> CadastroSimples::registro(const QString& codigo)
{
    if (!gravavel(codigo))
        return std::nullopt;
    m_trabalho.setSql(m_textos.registro);
    const std::optional<Resultado> r = Leitura::umaLinha(m_trabalho, codigoC, codigo);
    if (!r)
        return std::nullopt;
    return ItemCadastro{r->valor(0, 0).toString(), r->valor(0, 1).toString()};
}

std::optional<QString> CadastroSimples::descricao(const QString& codigo)
{
    if (!gravavel(codigo))
        return std::nullopt;
    m_trabalho.setSql(m_textos.descricao);
    return Leitura::umTexto(m_trabalho, codigoC, codigo);
}

namespace {

QStringList textosDas(const Ordenacoes& o)
{
    QStringList sqls{o.porCodigo, o.porDescricao};
    if (!o.naAbertura.isEmpty())
        sqls << o.naAbertura;
    return sqls;
}

} // namespace

ListaDoModulo CadastroSimples::listaDaManutencao(Consulta& consulta, DataSet& dados) const
{
    return listaDoModulo(consulta, dados, textosDas(m_textos.ordensDaManutencao));
}

ListaDoModulo CadastroSimples::listaDaBusca(Consulta& consulta, DataSet& dados) const
{
    return listaDoModulo(consulta, dados, textosDas(m_textos.ordensDaBusca));
}

QString CadastroSimples::proximoCodigo()
{
    return Funcoes::proximoCodigo(m_trabalho.conexao(), m_textos.maiorCodigo, largura);
}

bool CadastroSimples::codigoTomado(const QString& codigo)
{
    if (codigo.size() > largura || !gravavel(codigo))
        return false;
    m_trabalho.setSql(m_textos.codigoTomado);
    return Leitura::umaLinha(m_trabalho, codigoC, codigo).has_value();
}

bool CadastroSimples::descricaoTomada(const QString& descricao)
{
    if (!gravavel(descricao))
        return false;
    m_trabalho.setSql(m_textos.descricaoTomada);
    return Leitura::umaLinha(m_trabalho, descricaoC, descricao).has_value();
}

qint64 CadastroSimples::inclui(Transacao& t, const ItemCadastro& item)
{
    return executa(t, m_textos.inclui, {{codigoC, item.codigo}, {descricaoC, item.descricao}});
}

qint64 CadastroSimples::altera(Transacao& t, const QString& codigo, const QString& descricao)
{
    return executa(t, m_textos.altera, {{codigoC, codigo}, {descricaoC, descricao}});
}

qint64 CadastroSimples::exclui(Transacao& t, const QString& codigo)
{
    return executa(t, m_textos.exclui, {{codigoC, codigo}});
}

qint64 CadastroSimples::executa(Transacao& t, const QStringList& linhas,
                                const QVariantMap& parametros)
{
    // The lines go as the documents write them, joined by line breaks.
    m_trabalho.limpa();
    for (const QString& linha : linhas)
        m_trabalho.adiciona(linha);
    for (auto p = parametros.cbegin(); p != parametros.cend(); ++p)
        m_trabalho.setParametro(p.key(), p.value());
    return m_trabalho.executa(t);
}
