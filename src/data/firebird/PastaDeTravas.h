#pragma once

#include <QString>

// Where the in-process database engine keeps the files through which the processes of this
// machine share a database (its lock tables, its start-up marker). By default every process
// uses one folder, /tmp/firebird. When the database server is installed, it makes that folder
// first and its files readable and writable only by itself and its group, so an ordinary user
// who opens a database in a local folder is refused with "Permission denied" before any
// database is touched: the program installed from its package would not start for the very
// person it is for.
//
// Such a process takes a folder of its own instead. Nothing is lost by that: the engine opens a
// database file for one process only whatever folder it uses (the second process is refused
// with "Database already opened..."), and a database that the server holds is still reached
// through the server.
namespace PastaDeTravas {

// The shared folder the engine uses when nothing else is said.
inline constexpr const char* comum = "/tmp/firebird";

// Chooses the folder for this process before the engine is first loaded: the shared one
// where this user may use it (or it does not exist yet: then the engine makes it), else
// a private one made for this user. A folder named in FIREBIRD_LOCK is left as it is. Returns
// the folder chosen, empty when the engine's default stays.
QString prepara();

// Whether this process may use `pasta` as the engine's shared folder: it may write there and
// may read and write every file the engine keeps there for all databases.
bool utilizavel(const QString& pasta);

} // namespace PastaDeTravas
