#include "data/BancoEntregue.h"

#include "data/firebird/Conexao.h"
#include "data/firebird/ErroBanco.h"

#include <QFile>

namespace BancoEntregue {

QString esquema()
{
    QFile f(QStringLiteral(":/db/schema.sql"));
    if (!f.open(QIODevice::ReadOnly))
        throw ErroBanco(QStringLiteral("A descrição do banco de dados não foi encontrada."));
    return QString::fromUtf8(f.readAll());
}

void cria(Conexao& conexao, const QString& pasta, bool gravacaoForcada)
{
    const QString script = esquema();
    const QString caminho = Conexao::caminhoBanco(pasta);
    conexao.criaBanco(caminho, gravacaoForcada);
    try {
        conexao.executaScript(script);
    } catch (const ErroBanco&) {
        // A half-built database must not be mistaken for a good one.
        conexao.fecha();
        if (!Conexao::ehRemoto(caminho))
            QFile::remove(caminho);
        throw;
    }
}

} // namespace BancoEntregue
