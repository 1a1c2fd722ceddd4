#include "data/DataModule_PER.h"

#include "data/CatalogoModulos.h"
#include "data/firebird/Transacao.h"

#include <QColor>

TdmPER::TdmPER(Conexao& c) : SQLQPer(c), SQLQPer2(c)
{
    cdsPER.setColunas({{QStringLiteral("PER_CODMOD"), QStringLiteral("Cód.Módulo")},
                       {QStringLiteral("PER_DESCRICAO"), QStringLiteral("Descrição do Módulo")},
                       {QStringLiteral("PER_ATIVO"), QStringLiteral("Tem Permissão")}});
    // A refused module stands out in red, so the administrator sees at a glance what the user
    // may not do.
    cdsPER.setCorDoTexto([](const DataSet::Linha& l) {
        return l[QStringLiteral("PER_ATIVO")].toString() == QLatin1String("N")
                   ? QVariant(QColor(Qt::red))
                   : QVariant();
    });
}

void TdmPER::incluiPermissoes(Transacao& t, const QString& codUsuario)
{
    // Each module its own statement, its code and description written into the text as the
    // rows of the users already in the database were.
    for (const ModuloPermissao& m : CatalogoModulos::modulos()) {
        const auto literal = [](QString texto) {
            return QLatin1Char('\'') + texto.replace(QLatin1Char('\''), QStringLiteral("''")) +
                   QLatin1Char('\'');
        };
        SQLQPer.setSql(QStringLiteral("Insert Into Permissoes (PER_CODMOD, PER_Descricao, "
                                      "PER_CodUser, PER_Ativo) Values (") +
                       literal(m.codigoGravado()) + QLatin1Char(',') +
                       literal(m.descricaoGravada()) + QStringLiteral(", :CodUserC,'S')"));
        SQLQPer.setParametro(QStringLiteral("CodUserC"), codUsuario);
        SQLQPer.executa(t);
    }
}

qint64 TdmPER::excluiPermissoes(Transacao& t, const QString& codUsuario)
{
    SQLQPer.setSql(QStringLiteral("Delete From Permissoes Where PER_CodUser=:CodUserC"));
    SQLQPer.setParametro(QStringLiteral("CodUserC"), codUsuario);
    return SQLQPer.executa(t);
}

void TdmPER::listaVazia()
{
    SQLQPer2.setSql(QStringLiteral("Select * From Permissoes Where PER_CodUser='  '"));
    cdsPER.carrega(SQLQPer2);
    m_usuarioDaLista.clear();
}

void TdmPER::listaDoUsuario(const QString& codUsuario)
{
    SQLQPer2.setSql(
        QStringLiteral("Select * From Permissoes Where PER_CodUser=:CodUserC Order By PER_CodMod"));
    SQLQPer2.setParametro(QStringLiteral("CodUserC"), codUsuario);
    cdsPER.carrega(SQLQPer2);
    m_usuarioDaLista = codUsuario;
}

qint64 TdmPER::alteraPermissao(Transacao& t, const QString& codUsuario, const QString& codModulo,
                               const QString& ativo)
{
    SQLQPer.setSql(QStringLiteral("Update Permissoes set PER_Ativo=:AtivoC Where "
                                  "PER_CodUser=:CodUserC and PER_CodMod=:CodModC"));
    SQLQPer.setParametro(QStringLiteral("AtivoC"), ativo);
    SQLQPer.setParametro(QStringLiteral("CodUserC"), codUsuario);
    SQLQPer.setParametro(QStringLiteral("CodModC"), codModulo);
    return SQLQPer.executa(t);
}

std::optional<Permissao> TdmPER::permissaoAtual() const
{
    if (cdsPER.linhaAtual() < 0)
        return std::nullopt;
    return Permissao{cdsPER.valor(QStringLiteral("PER_CODUSER")).toString(),
                     cdsPER.valor(QStringLiteral("PER_CODMOD")).toString(),
                     cdsPER.valor(QStringLiteral("PER_ATIVO")).toString()};
}

bool TdmPER::temPermissao(const QString& codUsuario, const QString& codModulo)
{
    // A statement of its own: the menu asks while the permissions window may hold the others.
    Consulta c(SQLQPer.conexao());
    c.setSql(QStringLiteral("Select PER_Ativo From Permissoes Where PER_CodUser=:CodUserC and "
                            "PER_CodMod=:CodModC"));
    c.setParametro(QStringLiteral("CodUserC"), codUsuario);
    c.setParametro(QStringLiteral("CodModC"), codModulo.leftJustified(15, QLatin1Char(' ')));
    return c.primeiroValor().toString() == QLatin1String("S");
}
