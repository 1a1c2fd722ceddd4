#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A program run as cron or a freshly started desktop runs it: an empty environment (only the
// variables given), standard input empty, what it wrote kept apart by stream. Without a working
// folder it runs in the test's own.
namespace Processo {

struct Execucao {
    int status = -1; // -1: it crashed or did not finish
    QString saida;
    QString erros;
};

Execucao roda(const QString& programa, const QStringList& args, const QStringList& ambiente = {},
              const QString& pastaDeTrabalho = QString(), int esperaMs = 300000);

// Status and both streams, for a failure message.
QByteArray descreve(const Execucao& e);

} // namespace Processo
