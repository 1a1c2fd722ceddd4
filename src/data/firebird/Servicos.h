#pragma once

#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>

// Backup and restore of a database by the database server's own services, never by copying
// the file. A database opened by the embedded engine is served in-process (no server needed);
// one on a server ("host:/folder/zv.fdb") by that server's service manager, which reads and
// writes the files itself, so every path is a path on the server's machine. The files are
// renamed and removed here, which holds because the server runs on this same machine.
//
// Each call waits until the server has finished and throws ErroBanco with the server's
// message when it failed. The server does not complain about every bad backup file: a
// truncated one restores half the rows and reports success, a garbage one may end the same
// way. So both operations check the server's own closing line before they count as done, and
// neither ever puts a half-made file where a good one was:
// - a backup is written under a temporary name beside the chosen file and renamed onto it only
//   when complete, so an earlier backup of that name survives a failed one;
// - a restore goes into a new file beside the target; only when it is complete is the target,
//   if there is one, shut down (which fails while anyone uses it) and replaced by the new file.
//
// A service that stops making progress (no line of output and no growth of the file it writes
// for `paciencia`) is cut short and ends as a failure that says so: a stuck server, or an engine
// waiting for something nobody will give it, must not keep the program waiting forever.
class Servicos {
public:
    // Receives each progress line of the server as it comes.
    using Progresso = std::function<void(const QString& linha)>;

    // Text shown when the server reported nothing, yet did not finish the restore.
    static const char* const backupIncompleto;

    // How long a service may go without progress before it is taken for stuck. A working
    // backup or restore reports a line at least every few thousand records and keeps its
    // output file growing; even building the largest index leaves it quiet for seconds, not
    // minutes.
    static constexpr std::chrono::seconds semProgressoMaximo{120};

    // The services for a database path: the server named in it, or in-process.
    explicit Servicos(const QString& banco = QString(),
                      std::chrono::milliseconds paciencia = semProgressoMaximo);

    // Points the process's standard input at an empty source. The in-process engine runs the
    // server's backup and restore code inside this process, and on a bad backup file that code
    // asks the terminal for the next volume and waits for an answer; with nothing to read it
    // fails at once instead. Done at the start of every program and before each in-process
    // service.
    static void fechaEntradaPadrao();

    // The server's name, empty for in-process.
    QString servidor() const { return m_servidor; }
    // A path as the server sees it: without the "host:" prefix.
    static QString caminhoNoServidor(const QString& caminho);

    // Copies the database `banco` into the backup file `arquivo`. A `progresso` that throws
    // cuts the service short; the exception comes out here, and nothing was replaced.
    void backup(const QString& banco, const QString& arquivo,
                const Progresso& progresso = {}) const;
    // Brings the backup file `arquivo` back as the database `banco`, replacing it when it exists.
    void restaura(const QString& arquivo, const QString& banco,
                  const Progresso& progresso = {}) const;

    // The bare services, without the safeguards above, as the server runs them: the output
    // lines. For the benchmarks and for the safeguards themselves.
    QStringList executaBackup(const QString& banco, const QString& arquivo,
                              const Progresso& progresso = {}) const;
    QStringList executaRestauracao(const QString& arquivo, const QString& banco,
                                   const Progresso& progresso = {}) const;
    // Takes the database off line for everyone; fails while anyone is attached to it.
    void desligaBanco(const QString& banco) const;
    void religaBanco(const QString& banco) const;

private:
    QString m_servidor;
    std::chrono::milliseconds m_paciencia;
};
