#pragma once

#include <QByteArray>
#include <QString>

namespace Arquivos {

// A fingerprint of a file's bytes (SHA-256), to tell whether a file was left as it was; empty
// when the file cannot be read.
QByteArray impressao(const QString& arquivo);

} // namespace Arquivos
