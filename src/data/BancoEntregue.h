#pragma once

#include <QString>

class Conexao;

// The database as it is delivered: fourteen empty tables with their keys and indexes, and the
// reference rows the program expects before its first start. Described once, in
// db/schema.sql, which is built into the program's resources.
namespace BancoEntregue {

QString esquema();

// Creates `pasta`/zv.fdb (the folder must exist; an existing file is never overwritten;
// a file that could not be completed is removed),
// builds the tables and reference rows, and leaves `conexao` attached to it. Forced writes
// stay on for a real database; tests may switch them off for speed.
void cria(Conexao& conexao, const QString& pasta, bool gravacaoForcada = true);

} // namespace BancoEntregue
