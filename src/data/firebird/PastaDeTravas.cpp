#include "data/firebird/PastaDeTravas.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The files every process of the engine opens in the shared folder, whichever database it
// uses; the files of one database (fb_lock_…) are the engine's concern when that database is
// opened, and one held by the server is reached through the server.
const char* const arquivosDeTodos[] = {"fb_init", "fb12_trace", "fb_user_mapping"};

// A folder in the temporary folder named for this user, made only readable by them. One that
// is already there must be a real folder of theirs, not a link or another user's folder set
// there in advance.
QString pastaPropria()
{
    const QString pasta =
        QDir(QDir::tempPath()).filePath(QStringLiteral("zorvane-firebird-%1").arg(::getuid()));
    const QByteArray caminho = QFile::encodeName(pasta);
    if (::mkdir(caminho.constData(), 0700) != 0 && errno != EEXIST)
        return {};
    struct stat info {};
    if (::lstat(caminho.constData(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        info.st_uid != ::getuid() || (info.st_mode & 0077) != 0)
        return {};
    return pasta;
}

} // namespace

bool PastaDeTravas::utilizavel(const QString& pasta)
{
    const QByteArray caminho = QFile::encodeName(pasta);
    if (::access(caminho.constData(), W_OK | X_OK) != 0)
        return false;
    for (const char* nome : arquivosDeTodos) {
        const QByteArray arquivo = QFile::encodeName(QDir(pasta).filePath(QLatin1String(nome)));
        if (::access(arquivo.constData(), F_OK) == 0 &&
            ::access(arquivo.constData(), R_OK | W_OK) != 0)
            return false;
    }
    return true;
}

QString PastaDeTravas::prepara()
{
    if (qEnvironmentVariableIsSet("FIREBIRD_LOCK"))
        return {};
    const QString pasta = QLatin1String(comum);
    if (!QFileInfo::exists(pasta) || utilizavel(pasta))
        return {};
    const QString propria = pastaPropria();
    if (propria.isEmpty())
        // The engine's own message ("Permission denied" on the shared folder) then says what
        // is wrong, as it did before.
        return {};
    qputenv("FIREBIRD_LOCK", QFile::encodeName(propria));
    return propria;
}
