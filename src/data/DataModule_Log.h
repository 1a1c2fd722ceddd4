#pragma once

#include "data/DataSet.h"
#include "data/firebird/Consulta.h"

#include <QDate>

class Transacao;

// The audit log: the lines of a period, for one user or for all, as the log query shows them.
class TdmLog {
public:
    explicit TdmLog(Conexao& c);

    // Loads the lines dated from `inicio` to `fim`, both included, of `codUsuario` (all users
    // when empty), by date and time. Lines of users no longer registered are left out. Database
    // errors reach the caller.
    void filtra(const QString& codUsuario, const QDate& inicio, const QDate& fim);

    // Writes one audit line (user, event text, the date and time now) inside the caller's
    // transaction, so the line goes away with the operation if the operation is rolled back. An
    // event text longer than the column makes the caller's save fail.
    static void registra(Transacao& transacao, const QString& codUsuario, const QString& descricao);

    Consulta SQLQLog;
    Consulta SQLQLog2;
    DataSet cdsLOG;
};
