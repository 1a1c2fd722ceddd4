#include "common/Funcoes.h"

#include "common/Decimal.h"
#include "data/firebird/Consulta.h"
#include "data/firebird/ErroBanco.h"
#include "data/firebird/Transacao.h"

#include <QDateTime>

namespace Funcoes {

QString LimpaNumero(const QString& texto)
{
    QString r;
    for (QChar c : texto)
        if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char(',') ||
            c == QLatin1Char('-'))
            r += c;
    return r;
}

QString completaCodigo(const QString& codigo, int largura, QChar preenchimento)
{
    QString r = codigo;
    while (r.size() < largura)
        r.prepend(preenchimento);
    return r;
}

QString codigoProduto(const QString& codigo)
{
    return completaCodigo(codigo, 10, QLatin1Char(' '));
}

QString codigoFornecedor(const QString& codigo)
{
    return completaCodigo(codigo, 10, QLatin1Char('0'));
}

QString codigoSeis(const QString& codigo)
{
    return completaCodigo(codigo, 6, QLatin1Char('0'));
}

qint64 proximoNumero(Conexao& conexao, const QString& sqlMaiorPrimeiro, Transacao* transacao)
{
    Consulta c(conexao);
    c.setSql(sqlMaiorPrimeiro);
    const QVariant maior = c.primeiroValor(transacao);
    if (maior.isNull())
        return 1;
    if (maior.metaType() == QMetaType::fromType<Decimal>())
        return maior.value<Decimal>().toInteiro() + 1;
    if (maior.typeId() == QMetaType::QString) {
        bool ok = false;
        const qint64 n = maior.toString().trimmed().toLongLong(&ok);
        if (!ok)
            throw ErroBanco(QStringLiteral("O maior código gravado, \"%1\", não é um número.")
                                .arg(maior.toString()));
        return n + 1;
    }
    return maior.toLongLong() + 1;
}

QString proximoCodigo(Conexao& conexao, const QString& sqlMaiorPrimeiro, int largura,
                      Transacao* transacao)
{
    const qint64 n = proximoNumero(conexao, sqlMaiorPrimeiro, transacao);
    return completaCodigo(QString::number(n), largura, QLatin1Char('0'));
}

bool TemPermissao(Conexao& conexao, const QString& codUsuario, const QString& codModulo)
{
    Consulta c(conexao);
    c.setSql(QStringLiteral("Select PER_Ativo From Permissoes Where PER_CodUser=:CodUserC and "
                            "PER_CodMod=:CodModC"));
    c.setParametro(QStringLiteral("CodUserC"), codUsuario);
    c.setParametro(QStringLiteral("CodModC"), codModulo.leftJustified(15, QLatin1Char(' ')));
    return c.primeiroValor().toString() == QLatin1String("S");
}

void GravaLog(Transacao& transacao, const QString& codUsuario, const QString& descricao)
{
    Consulta c(transacao.conexao());
    c.adiciona(QStringLiteral("Insert Into LOG (LOG_CodUser,LOG_Descricao, LOG_data, LOG_Hora)"));
    c.adiciona(QStringLiteral("Values (:CodUserC, :DescricaoC, :DataC, :HoraC)"));
    c.setParametro(QStringLiteral("CodUserC"), codUsuario);
    c.setParametro(QStringLiteral("DescricaoC"), descricao);
    // One reading of the clock for both: read separately, a line written at midnight could
    // take the date of one day and the time of the next.
    const QDateTime agora = QDateTime::currentDateTime();
    c.setParametro(QStringLiteral("DataC"), agora.date());
    c.setParametro(QStringLiteral("HoraC"), agora.time());
    c.executa(transacao);
}

} // namespace Funcoes
