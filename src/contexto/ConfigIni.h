#pragma once

#include <QString>

// Config.ini in the working directory: section PASTA, key PATH, the folder that holds zv.fdb;
// section AVISOS, whether this workstation shows the day's alerts at start.
//
// The file is read and written by hand rather than through QSettings, because other programs
// write it too: "PATH=C:\Dados" must be read as it stands (QSettings would take the
// backslashes as escapes), and the file written here must stay readable by them (plain
// "KEY=value" lines, CRLF line ends, Latin-1 text). Names are matched without regard to case,
// as on the systems where the file was born; the first file in the folder whose name is
// config.ini in any case is the one used.
namespace ConfigIni {

// The file's path in `pasta` (the working directory by default), or an empty text when there
// is none.
QString arquivo(const QString& pasta = QString());
bool existe(const QString& pasta = QString());

// The value of PATH in section PASTA; empty when the key or the file is missing.
QString lePasta(const QString& pasta = QString());
// Writes PATH of section PASTA, keeping every other line of an existing file. Returns false
// when the file cannot be written.
bool gravaPasta(const QString& valor, const QString& pasta = QString());
// Whether this workstation shows the day's alerts at start: key MOSTRAR of section AVISOS,
// "N" to keep them closed; shown when the key or the file is missing.
bool mostraAvisos(const QString& pasta = QString());
// Writes that choice ("S" or "N"), keeping every other line. False when the file cannot be
// written.
bool gravaMostraAvisos(bool mostra, const QString& pasta = QString());
// Deletes the file; true when there is no file afterwards.
bool apaga(const QString& pasta = QString());

} // namespace ConfigIni
