#include "support/Processo.h"

#include <QProcess>

namespace Processo {

Execucao roda(const QString& programa, const QStringList& args, const QStringList& ambiente,
              const QString& pastaDeTrabalho, int esperaMs)
{
    QProcess p;
    if (!pastaDeTrabalho.isEmpty())
        p.setWorkingDirectory(pastaDeTrabalho);
    p.setStandardInputFile(QProcess::nullDevice());
    p.start(QStringLiteral("/usr/bin/env"),
            QStringList{QStringLiteral("-i")} + ambiente + QStringList{programa} + args);
    Execucao e;
    if (!p.waitForFinished(esperaMs)) {
        p.kill();
        p.waitForFinished();
        e.erros = programa + QStringLiteral(" did not finish");
        return e;
    }
    e.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    e.saida = QString::fromUtf8(p.readAllStandardOutput());
    e.erros = QString::fromUtf8(p.readAllStandardError());
    return e;
}

QByteArray descreve(const Execucao& e)
{
    return QStringLiteral("status %1\nstdout: %2\nstderr: %3")
        .arg(e.status)
        .arg(e.saida, e.erros)
        .toUtf8();
}

} // namespace Processo
