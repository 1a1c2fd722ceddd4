#include "support/Arquivos.h"

#include <QCryptographicHash>
#include <QFile>

namespace Arquivos {

QByteArray impressao(const QString& arquivo)
{
    QFile f(arquivo);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

} // namespace Arquivos
