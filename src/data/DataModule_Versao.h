#pragma once

#include "data/firebird/Consulta.h"

class Transacao;

// The single row holding the version of the program that last opened the database.
class TdmVersao {
public:
    explicit TdmVersao(Conexao& c) : SQLQ_Versao(c) {}

    // The stored version number; empty when the row is missing. Database errors reach the
    // caller.
    QString numero();
    // Rewrites the number; returns the rows written.
    qint64 grava(Transacao& t, const QString& numero);

    Consulta SQLQ_Versao;
};
