#include "reports/Rel_Sugestao.h"

#include "common/Formatos.h"
#include "data/DataModule_Produtos.h"
#include "data/firebird/Consulta.h"

#include <QCollator>
#include <QHash>

#include <algorithm>
#include <numeric>

namespace {

// The fields of the list, in its order.
enum Campo {
    ForCodigo,
    ForRazao,
    ForFone,
    ForContato,
    ProCodigo,
    ProDescricao,
    ProUnid,
    ProQuant,
    ProMin,
    ProEMax,
    Comprar,
    UltCusto,
    ValorEstimado,
};
const QStringList campos = {
    QStringLiteral("FOR_CODIGO"),     QStringLiteral("FOR_RAZAO"),  QStringLiteral("FOR_FONE1"),
    QStringLiteral("FOR_CONTATO"),    QStringLiteral("PRO_CODIGO"), QStringLiteral("PRO_DESCRICAO"),
    QStringLiteral("PRO_UNID"),       QStringLiteral("PRO_QUANT"),  QStringLiteral("PRO_MIN"),
    QStringLiteral("PRO_EMAX"),       QStringLiteral("COMPRAR"),    QStringLiteral("ULT_CUSTO"),
    QStringLiteral("VALOR_ESTIMADO"),
};

// The report's columns and the field each prints.
struct ColunaDoCampo {
    Campo campo;
    Motor::Coluna coluna;
};
const ColunaDoCampo colunas[] = {
    {ProCodigo, {QStringLiteral("Código"), 22, true}},
    {ProDescricao, {QStringLiteral("Descrição"), 42, false, true}},
    {ProQuant, {QStringLiteral("Quantidade"), 20, true}},
    {ProMin, {QStringLiteral("Mín."), 11, true}},
    {ProEMax, {QStringLiteral("Máx."), 11, true}},
    {Comprar, {QStringLiteral("Comprar"), 20, true}},
    {UltCusto, {QStringLiteral("Últ.Custo"), 24, true}},
    {ValorEstimado, {QStringLiteral("Valor Est."), 26, true}},
};
constexpr int colunaValor = 7;
constexpr int colunaDescricao = 1;

const QString semFornecedor = QStringLiteral("Sem Fornecedor");

} // namespace

TfRel_SugestaoCompra::TfRel_SugestaoCompra()
{
    m_lista.setFormato(campos.at(ProQuant), DataSet::Formato::Quantidade);
    m_lista.setFormato(campos.at(ProMin), DataSet::Formato::Inteiro);
    m_lista.setFormato(campos.at(ProEMax), DataSet::Formato::Inteiro);
    m_lista.setFormato(campos.at(Comprar), DataSet::Formato::Quantidade);
    m_lista.setFormato(campos.at(UltCusto), DataSet::Formato::Moeda);
    m_lista.setFormato(campos.at(ValorEstimado), DataSet::Formato::Moeda);
}

Decimal TfRel_SugestaoCompra::quantidadeAComprar(const Decimal& quantidade, const Decimal& minimo,
                                                 const Decimal& maximo)
{
    return ((maximo > minimo ? maximo : minimo) - quantidade).arredondado(3);
}

void TfRel_SugestaoCompra::carrega(Conexao& conexao)
{
    Consulta q(conexao);
    preparaSugestaoCompra(q);
    const Resultado r = q.abre();
    const auto coluna = [&](const char* nome) { return r.coluna(QLatin1String(nome)); };
    const int cCodigo = coluna("PRO_CODIGO"), cDescricao = coluna("PRO_DESCRICAO"),
              cUnid = coluna("PRO_UNID"), cQuant = coluna("PRO_QUANT"), cMin = coluna("PRO_MIN"),
              cMax = coluna("PRO_EMAX"), cFor = coluna("PRO_CODFOR"), cRazao = coluna("FOR_RAZAO"),
              cFone = coluna("FOR_FONE1"), cContato = coluna("FOR_CONTATO"),
              cValor = coluna("ULT_VALOR"), cQuantEntrada = coluna("ULT_QUANT");

    // The suppliers by company name (then code), those no longer registered first, and the
    // products bought from no one last; each group's products by code, as read.
    struct Chave {
        bool semFornecedor;
        QString razao;
        QString codigo;
    };
    QCollator ordem(QLocale(QLocale::Portuguese, QLocale::Brazil));
    ordem.setCaseSensitivity(Qt::CaseInsensitive);
    QVector<Chave> chaves;
    QVector<QVector<int>> membros;
    QHash<QString, int> porCodigo;
    for (int i = 0; i < r.tamanho(); ++i) {
        const QString codigo = r.valor(i, cFor).toString().trimmed();
        auto it = porCodigo.find(codigo);
        if (it == porCodigo.end()) {
            it = porCodigo.insert(codigo, int(chaves.size()));
            chaves.push_back({codigo.isEmpty(), r.valor(i, cRazao).toString(), codigo});
            membros.push_back({});
        }
        membros[*it].push_back(i);
    }
    QVector<int> ordemDosGrupos(chaves.size());
    std::iota(ordemDosGrupos.begin(), ordemDosGrupos.end(), 0);
    std::stable_sort(ordemDosGrupos.begin(), ordemDosGrupos.end(), [&](int a, int b) {
        const Chave &x = chaves.at(a), &y = chaves.at(b);
        if (x.semFornecedor != y.semFornecedor)
            return y.semFornecedor;
        if (const int c = ordem.compare(x.razao, y.razao))
            return c < 0;
        return x.codigo < y.codigo;
    });

    Resultado linhas;
    linhas.campos = campos;
    QVector<Grupo> grupos;
    Decimal total;
    for (const int g : ordemDosGrupos) {
        Grupo grupo;
        const int primeira = membros.at(g).first();
        if (chaves.at(g).semFornecedor) {
            grupo.cabecalho = semFornecedor;
        } else {
            const QString razao = r.valor(primeira, cRazao).isNull()
                                      ? QStringLiteral("(não cadastrado)")
                                      : r.valor(primeira, cRazao).toString().trimmed();
            QStringList partes{QStringLiteral("Fornecedor: ") +
                               r.valor(primeira, cFor).toString().trimmed() +
                               QStringLiteral(" - ") + razao};
            const QString fone = r.valor(primeira, cFone).toString().trimmed();
            const QString contato = r.valor(primeira, cContato).toString().trimmed();
            if (!fone.isEmpty())
                partes << QStringLiteral("Fone: ") + fone;
            if (!contato.isEmpty())
                partes << QStringLiteral("Contato: ") + contato;
            grupo.cabecalho = partes.join(QLatin1String("   "));
        }
        for (const int i : membros.at(g)) {
            const Decimal comprar = quantidadeAComprar(Decimal::deVariant(r.valor(i, cQuant)),
                                                       Decimal::deVariant(r.valor(i, cMin)),
                                                       Decimal::deVariant(r.valor(i, cMax)));
            // The unit cost the last purchase paid, to the cent, as it was typed; a product
            // never bought has none, and its value is not guessed.
            QVariant custo, valor;
            if (!r.valor(i, cValor).isNull() && !r.valor(i, cQuantEntrada).isNull()) {
                const Decimal unitario =
                    Decimal::deVariant(r.valor(i, cValor))
                        .dividido(Decimal::deVariant(r.valor(i, cQuantEntrada)), 2);
                const Decimal estimado = (comprar * unitario).arredondado(5);
                custo = QVariant::fromValue(unitario);
                valor = QVariant::fromValue(estimado);
                grupo.total = grupo.total + estimado;
            }
            grupo.linhas.push_back(linhas.tamanho());
            linhas.linhas.push_back(
                {r.valor(i, cFor), r.valor(i, cRazao), r.valor(i, cFone), r.valor(i, cContato),
                 r.valor(i, cCodigo), r.valor(i, cDescricao), r.valor(i, cUnid), r.valor(i, cQuant),
                 r.valor(i, cMin), r.valor(i, cMax), QVariant::fromValue(comprar), custo, valor});
        }
        total = total + grupo.total;
        grupos.push_back(std::move(grupo));
    }

    m_lista.carrega(linhas);
    m_grupos = std::move(grupos);
    m_total = total;
    m_entradas.clear();
    for (int g = 0; g < m_grupos.size(); ++g) {
        m_entradas.push_back({Motor::TipoLinha::Grupo, g, -1});
        for (const int l : m_grupos.at(g).linhas)
            m_entradas.push_back({Motor::TipoLinha::Dados, g, l});
        m_entradas.push_back({Motor::TipoLinha::Total, g, -1});
    }
}

QString TfRel_SugestaoCompra::celula(const Entrada& e, int coluna) const
{
    switch (e.tipo) {
    case Motor::TipoLinha::Grupo:
        return coluna == 0 ? m_grupos.at(e.grupo).cabecalho : QString();
    case Motor::TipoLinha::Total:
        if (coluna == colunaDescricao)
            return QStringLiteral("Total:");
        return coluna == colunaValor ? Formatos::moeda(m_grupos.at(e.grupo).total, 2) : QString();
    case Motor::TipoLinha::Dados:
        break;
    }
    return m_lista.texto(e.linha, int(colunas[coluna].campo));
}

bool TfRel_SugestaoCompra::prepara(const Cabecalho& cabecalho, const Motor::RecebePagina& recebe)
{
    Motor::Layout layout;
    layout.empresa = cabecalho.empresa;
    layout.telefone = cabecalho.telefone;
    layout.quando = cabecalho.quando;
    layout.titulo = QStringLiteral("Sugestão de Compra");
    layout.cabecalhoEmTodaPagina = true;
    layout.temResumo = true;
    for (const ColunaDoCampo& c : colunas)
        layout.colunas << c.coluna;

    Motor::Linhas linhas;
    linhas.quantas = int(m_entradas.size());
    linhas.tipo = [this](int linha) { return m_entradas.at(linha).tipo; };
    linhas.celula = [this](int linha, int coluna) { return celula(m_entradas.at(linha), coluna); };
    linhas.resumo = [this] {
        return QVector<Motor::LinhaResumo>{
            {QStringLiteral("Produtos:"), QString::number(m_lista.tamanho()),
             QStringLiteral("Total Geral:"), Formatos::moeda(m_total, 2)}};
    };
    return Motor::monta(layout, linhas, recebe);
}

Motor::Documento TfRel_SugestaoCompra::prepara(const Cabecalho& cabecalho)
{
    Motor::Documento d;
    prepara(cabecalho, Motor::guardaEm(d));
    return d;
}
