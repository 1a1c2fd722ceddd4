#include "support/Cadastro.h"

#include "support/BancoTeste.h"

#include <QtTest>

namespace Cadastro {

namespace {

void codigoEDescricao(BancoTeste& b, const char* tabela, const char* colunaCodigo,
                      const char* colunaDescricao, const QString& codigo, const QString& descricao)
{
    b.executa(QStringLiteral("Insert into %1 (%2, %3) values (:C, :D)")
                  .arg(QLatin1String(tabela), QLatin1String(colunaCodigo),
                       QLatin1String(colunaDescricao)),
              {{QStringLiteral("C"), codigo}, {QStringLiteral("D"), descricao}});
}

} // namespace

void grupo(BancoTeste& b, const QString& codigo, const QString& descricao)
{
    codigoEDescricao(b, "Grupos", "GRU_Codigo", "GRU_Descricao", codigo, descricao);
}

void requisitante(BancoTeste& b, const QString& codigo, const QString& descricao)
{
    codigoEDescricao(b, "Requisitante", "REQ_Codigo", "REQ_Descricao", codigo, descricao);
}

void grupoFornecedor(BancoTeste& b, const QString& codigo, const QString& descricao)
{
    codigoEDescricao(b, "GRU_Fornec", "GRU_Codigo", "GRU_Desc", codigo, descricao);
}

void fornecedor(BancoTeste& b, const QString& codigo, const QString& razao)
{
    codigoEDescricao(b, "Fornecedor", "FOR_Codigo", "FOR_Razao", codigo, razao);
}

void insere(BancoTeste& b, const QString& tabela, const QVariantMap& colunas)
{
    const QStringList nomes = colunas.keys();
    b.executa(QStringLiteral("Insert into %1 (%2) values (:%3)")
                  .arg(tabela, nomes.join(QLatin1Char(',')), nomes.join(QStringLiteral(",:"))),
              colunas);
}

void produto(BancoTeste& b, const Produto& p)
{
    b.executa(
        QStringLiteral("Insert into Produtos (PRO_Codigo, PRO_Descricao, PRO_CodGru, "
                       "PRO_Quant, PRO_Valor, PRO_Consumivel, PRO_Unid, PRO_CodBar, PRO_Local, "
                       "PRO_Min, PRO_EMax, PRO_CodFor) values "
                       "(:C, :D, :G, %1, %2, :S, :U, :B, :L, :MI, :MA, :F)")
            .arg(p.quantidade, p.valor),
        {{QStringLiteral("C"), p.codigo},
         {QStringLiteral("D"), p.descricao},
         {QStringLiteral("G"), p.grupo},
         {QStringLiteral("S"), p.consumivel},
         {QStringLiteral("U"), p.unidade.isEmpty() ? QVariant() : QVariant(p.unidade)},
         {QStringLiteral("B"), p.codigoBarras.isEmpty() ? QVariant() : QVariant(p.codigoBarras)},
         {QStringLiteral("L"), p.local.isEmpty() ? QVariant() : QVariant(p.local)},
         {QStringLiteral("MI"), p.minimo},
         {QStringLiteral("MA"), p.maximo},
         {QStringLiteral("F"), p.fornecedor}});
}

Decimal estoque(BancoTeste& b, const QString& produto)
{
    return b
        .valor(QStringLiteral("Select PRO_Quant From Produtos Where PRO_Codigo = :C"),
               {{QStringLiteral("C"), produto}})
        .value<Decimal>();
}

void movimento(BancoTeste& b, const Movimento& m)
{
    QVariantMap colunas{{QStringLiteral("MOV_CodInt"), m.numero},
                        {QStringLiteral("MOV_Oper"), m.operacao}};
    const auto seDado = [&](const char* coluna, const QVariant& valor) {
        if (valor.isValid())
            colunas.insert(QLatin1String(coluna), valor);
    };
    if (!m.produto.isEmpty())
        colunas.insert(QStringLiteral("MOV_CodPro"), m.produto);
    seDado("MOV_Quant", m.quantidade);
    seDado("MOV_Valor", m.valor);
    seDado("MOV_Data", m.data);
    seDado("MOV_Tipo", m.requisitante);
    seDado("MOV_CodFor", m.fornecedor);
    seDado("MOV_Doc", m.documento);
    insere(b, QStringLiteral("Mov_Estq"), colunas);
}

void permissoes(BancoTeste& b, const QString& usuario, const QStringList& modulos,
                const QString& recusado)
{
    for (const QString& m : modulos)
        b.executa(
            QStringLiteral("Insert into Permissoes (PER_CodUser, PER_CodMod, PER_Ativo) "
                           "values (:U, :M, :A)"),
            {{QStringLiteral("U"), usuario},
             {QStringLiteral("M"), m},
             {QStringLiteral("A"), m == recusado ? QStringLiteral("N") : QStringLiteral("S")}});
}

void casosDoLog()
{
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("log");
    QTest::addColumn<bool>("registra");
    QTest::newRow("login and log on") << "S"
                                      << "S" << true;
    QTest::newRow("log without login") << "N"
                                       << "S" << false;
    QTest::newRow("login without log") << "S"
                                       << "N" << false;
}

Resultado movimentos(BancoTeste& b)
{
    return b.consulta(QStringLiteral("Select * From Mov_Estq Order By MOV_CodInt"));
}

QStringList linhasLog(BancoTeste& b)
{
    // The log has no key; the date and time order lines written in one second by their text,
    // which is what the tests compare.
    const Resultado r = b.consulta(QStringLiteral(
        "Select LOG_CodUser, LOG_Descricao From Log Order By LOG_Data, LOG_Hora, RDB$DB_KEY"));
    QStringList linhas;
    for (int i = 0; i < r.tamanho(); ++i)
        linhas << r.valor(i, 0).toString() + QLatin1Char('|') + r.valor(i, 1).toString();
    return linhas;
}

void usuario(BancoTeste& b, const QString& codigo, const QString& nome, const QString& login,
             const QString& senha, const QString& ativo)
{
    b.executa(QStringLiteral("Insert into Usuarios (USU_Codigo, USU_Nome, USU_Login, USU_Senha, "
                             "USU_Ativo, USU_DCad) values (:C, :N, :L, :S, :A, current_date)"),
              {{QStringLiteral("C"), codigo},
               {QStringLiteral("N"), nome},
               {QStringLiteral("L"), login},
               {QStringLiteral("S"), senha},
               {QStringLiteral("A"), ativo}});
}

QStringList permissoesDe(BancoTeste& b, const QString& usuario)
{
    const Resultado r = b.consulta(QStringLiteral("Select PER_CodMod, PER_Ativo From Permissoes "
                                                  "Where PER_CodUser = :U Order By RDB$DB_KEY"),
                                   {{QStringLiteral("U"), usuario}});
    QStringList linhas;
    for (int i = 0; i < r.tamanho(); ++i)
        linhas << r.valor(i, 0).toString().trimmed() + QLatin1Char('|') + r.valor(i, 1).toString();
    return linhas;
}

} // namespace Cadastro

QStringList Cadastro::todasAsLinhas(Conexao& conexao)
{
    static const char* const tabelas[] = {
        "Grupos",   "Produtos",  "Requisitante",  "GRU_Fornec", "Fornecedor",
        "Mov_Estq", "Mov_Consu", "CodMOV",        "Usuarios",   "Permissoes",
        "Log",      "Empresa",   "Configuracoes", "Versao"};
    QStringList linhas;
    for (const char* tabela : tabelas) {
        Consulta c(conexao);
        c.setSql(QStringLiteral("select * from %1").arg(QLatin1String(tabela)));
        const Resultado r = c.abre();
        QStringList daTabela;
        for (const auto& linha : r.linhas) {
            QStringList valores{QLatin1String(tabela)};
            for (const QVariant& v : linha)
                valores << (v.isNull() ? QStringLiteral("<null>") : v.toString());
            daTabela << valores.join(QLatin1Char('|'));
        }
        daTabela.sort();
        linhas << daTabela;
    }
    return linhas;
}
