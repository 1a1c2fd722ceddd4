#include "data/DataModule_Fornecedor.h"

#include "common/Funcoes.h"
#include "data/Leitura.h"
#include "data/firebird/Transacao.h"

namespace {

// The texts of a supplier: its column, the parameter the writes bind it to, and its place in
// the struct.
struct Texto {
    const char* coluna;
    const char* parametro;
    QString Fornecedor::*membro;
};

const Texto textos[] = {
    {"FOR_Razao", "RazaoC", &Fornecedor::razao},
    {"FOR_Fanta", "FantaC", &Fornecedor::fantasia},
    {"FOR_CNPJ", "CNPJC", &Fornecedor::cnpj},
    {"FOR_Insc", "InscC", &Fornecedor::inscricao},
    {"FOR_Ender", "EnderC", &Fornecedor::endereco},
    {"FOR_Numero", "NumeroC", &Fornecedor::numero},
    {"FOR_Complemento", "ComplementoC", &Fornecedor::complemento},
    {"FOR_Bairro", "BairroC", &Fornecedor::bairro},
    {"FOR_Cidade", "CidadeC", &Fornecedor::cidade},
    {"FOR_UF", "UFC", &Fornecedor::uf},
    {"FOR_CEP", "CEPC", &Fornecedor::cep},
    {"FOR_Fone1", "Fone1C", &Fornecedor::fone1},
    {"FOR_Fone2", "Fone2C", &Fornecedor::fone2},
    {"FOR_FAX", "FAXC", &Fornecedor::fax},
    {"FOR_Celular", "CelularC", &Fornecedor::celular},
    {"FOR_Contato", "ContatoC", &Fornecedor::contato},
    {"FOR_Email", "EmailC", &Fornecedor::email},
    {"FOR_HomeP", "HomePC", &Fornecedor::homePage},
    {"FOR_Banco", "BancoC", &Fornecedor::banco},
    {"FOR_Agencia", "AgenciaC", &Fornecedor::agencia},
    {"FOR_Conta", "ContaC", &Fornecedor::conta},
    {"FOR_OBS", "OBSC", &Fornecedor::observacoes},
};

Fornecedor deLinha(const Resultado& r)
{
    const auto texto = [&](const char* coluna) {
        return r.valor(0, QLatin1String(coluna)).toString();
    };
    Fornecedor f;
    f.codigo = texto("FOR_Codigo");
    f.tipo = texto("FOR_Tipo");
    f.cadastro = r.valor(0, QStringLiteral("FOR_DCad")).toDate();
    f.grupo = texto("FOR_Grupo");
    for (const Texto& t : textos)
        f.*t.membro = texto(t.coluna);
    return f;
}

// What both writes bind of a supplier; the code is the caller's.
void ligaDados(Consulta& q, const Fornecedor& f)
{
    for (const Texto& t : textos)
        q.setParametro(QLatin1String(t.parametro), f.*t.membro);
    q.setParametro(QStringLiteral("TipoC"), f.tipo);
    q.setParametro(QStringLiteral("DCadC"),
                   f.cadastro.isValid() ? QVariant(f.cadastro) : QVariant());
    q.setParametro(QStringLiteral("GrupoC"), f.grupo);
}

const char* const ordens[] = {"FOR_Codigo", "FOR_Razao", "FOR_Fanta"};

} // namespace

TdmFornecedor::TdmFornecedor(Conexao& c)
    : SQLQFornecedor2(c), m_conexao(c), m_razao(c), m_porCodigo(c), m_existe(c), m_inclui(c),
      m_altera(c), m_exclui(c)
{
    SQLQFornecedor2.setSql(QStringLiteral("Select * From Fornecedor"));
    m_razao.setSql(QStringLiteral("Select FOR_Razao From Fornecedor Where FOR_Codigo=:CodigoC"));
    m_porCodigo.setSql(QStringLiteral("Select * From Fornecedor Where FOR_Codigo=:CodigoC"));
    m_existe.setSql(QStringLiteral("Select FOR_Codigo From Fornecedor Where FOR_Codigo=:CodigoC"));
    m_inclui.adiciona(QStringLiteral("Insert into Fornecedor (FOR_Codigo,FOR_Fanta,For_Razao,"
                                     "FOR_Ender,FOR_Numero,FOR_Tipo,FOR_CEP,"));
    m_inclui.adiciona(QStringLiteral(
        "FOR_Cidade,FOR_UF,FOR_CNPJ,FOR_Insc,FOR_Fone1,FOR_Fone2,FOR_Contato,FOR_FAX,"
        "FOR_Conta,FOR_Banco,FOR_Agencia,FOR_Email,FOR_HomeP,"));
    m_inclui.adiciona(
        QStringLiteral("FOR_Celular,FOR_Bairro,FOR_Complemento,FOR_OBS,FOR_DCad,FOR_Grupo)"));
    m_inclui.adiciona(QStringLiteral("Values (:CodigoC,:FantaC,:RazaoC,:EnderC,:NumeroC,:TipoC,"
                                     ":CEPC,:CidadeC,:UFC,:CNPJC,:InscC,:Fone1C,"));
    m_inclui.adiciona(QStringLiteral(
        ":Fone2C,:ContatoC,:FAXC,:ContaC,:BancoC,:AgenciaC,:EmailC,:HomePC,:CelularC,"
        ":BairroC,:ComplementoC,:OBSC,:DCadC,:GrupoC)"));
    m_altera.adiciona(QStringLiteral(
        "Update Fornecedor SET FOR_Fanta=:FantaC,For_Razao=:RazaoC,FOR_Ender=:EnderC,"
        "FOR_Numero=:NumeroC,FOR_Tipo=:TipoC,FOR_CEP=:CEPC,"));
    m_altera.adiciona(
        QStringLiteral("FOR_Cidade=:CidadeC,FOR_UF=:UFC,FOR_CNPJ=:CNPJC,FOR_Insc=:InscC,"
                       "FOR_Fone1=:Fone1C,FOR_Fone2=:Fone2C,FOR_Contato=:ContatoC,FOR_FAX=:FAXC,"
                       "FOR_Conta=:ContaC"));
    m_altera.adiciona(QStringLiteral(
        ",FOR_Banco=:BancoC,FOR_Agencia=:AgenciaC,FOR_Email=:EmailC,FOR_HomeP=:HomePC,"));
    m_altera.adiciona(QStringLiteral(
        "FOR_Celular=:CelularC,FOR_Bairro=:BairroC,FOR_Complemento=:ComplementoC,"
        "FOR_OBS=:OBSC,FOR_DCad=:DCadC,FOR_Grupo=:GrupoC Where FOR_Codigo=:CodigoC"));
    m_exclui.setSql(QStringLiteral("Delete From Fornecedor Where FOR_Codigo=:CodigoC"));
}

QString TdmFornecedor::sqlManutencao(Ordem ordem)
{
    return QStringLiteral("Select * From FORNECEDOR order by ") + QLatin1String(ordens[int(ordem)]);
}

QString TdmFornecedor::sqlAbertura()
{
    return QStringLiteral("Select * From Fornecedor Order by FOR_Razao");
}

QString TdmFornecedor::sqlBusca(Ordem ordem)
{
    return QStringLiteral("Select * From Fornecedor Order By ") + QLatin1String(ordens[int(ordem)]);
}

ListaDoModulo TdmFornecedor::listaDaManutencao()
{
    return listaDoModulo(SQLQFornecedor2, cdsFornecedor,
                         {sqlManutencao(Ordem::PorCodigo), sqlManutencao(Ordem::PorRazao),
                          sqlManutencao(Ordem::PorFantasia), sqlAbertura()});
}

ListaDoModulo TdmFornecedor::listaDaBusca()
{
    return listaDoModulo(
        SQLQFornecedor2, cdsFornecedor,
        {sqlBusca(Ordem::PorCodigo), sqlBusca(Ordem::PorRazao), sqlBusca(Ordem::PorFantasia)});
}

std::optional<QString> TdmFornecedor::razaoFornecedor(const QString& codigo)
{
    return Leitura::umTexto(m_razao, QStringLiteral("CodigoC"), codigo);
}

std::optional<Fornecedor> TdmFornecedor::fornecedor(const QString& codigo)
{
    const std::optional<Resultado> r =
        Leitura::umaLinha(m_porCodigo, QStringLiteral("CodigoC"), codigo);
    if (!r)
        return std::nullopt;
    return deLinha(*r);
}

bool TdmFornecedor::codigoExiste(const QString& codigo)
{
    return Leitura::umaLinha(m_existe, QStringLiteral("CodigoC"), codigo).has_value();
}

QString TdmFornecedor::proximoCodigo()
{
    return Funcoes::proximoCodigo(m_conexao,
                                  QStringLiteral("Select MAX(FOR_Codigo) From Fornecedor"), 10);
}

qint64 TdmFornecedor::inclui(Transacao& t, const Fornecedor& f)
{
    ligaDados(m_inclui, f);
    return Leitura::executa(m_inclui, t, QStringLiteral("CodigoC"), f.codigo);
}

qint64 TdmFornecedor::altera(Transacao& t, const QString& codigo, const Fornecedor& f)
{
    ligaDados(m_altera, f);
    return Leitura::executa(m_altera, t, QStringLiteral("CodigoC"), codigo);
}

qint64 TdmFornecedor::exclui(Transacao& t, const QString& codigo)
{
    return Leitura::executa(m_exclui, t, QStringLiteral("CodigoC"), codigo);
}
