#include "common/Funcoes.h"

#include "common/Decimal.h"
#include "common/Mensagens.h"
#include "data/firebird/Consulta.h"
#include "data/firebird/ErroBanco.h"
#include "data/firebird/Transacao.h"

#include <QLineEdit>

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

bool propoeCodigo(QLineEdit* campo, QWidget* janela, const std::function<QString()>& proximo,
                  int largura)
{
    try {
        const QString codigo = proximo();
        // Once 999999 is taken the next number has seven digits.
        if (largura > 0 && codigo.size() > largura) {
            campo->clear();
            Mensagens::informacao(
                QStringLiteral("Não há Código Livre depois de 999999, Digite um Código Livre"),
                janela);
            return false;
        }
        campo->setText(codigo);
        return true;
    } catch (const ErroBanco& e) {
        campo->clear();
        Mensagens::erro(e.mensagem(), janela);
        return false;
    }
}

} // namespace Funcoes
