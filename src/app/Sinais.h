#pragma once

#include <QObject>

#include <functional>

class Aplicacao;
class QSocketNotifier;

// The system asks the program to end with a signal: SIGTERM at logout, at shutdown or from
// `kill`, SIGINT from Ctrl+C in the terminal that started it. The database engine takes both
// for itself when the first connection opens, and then leaves the program running with the
// database open. These handlers take them back: the signal is only noted (a byte written to a
// pipe, all a signal handler may safely do) and the work runs in the event loop, as if the user
// had chosen "Saída".
//
// One object at a time: the handlers are the process's.
class Sinais : public QObject {
    Q_OBJECT

public:
    explicit Sinais(std::function<void()> aoTerminar, QObject* parent = nullptr);
    // Gives SIGTERM and SIGINT their default action back.
    ~Sinais() override;

    // (Re)installs the handlers for SIGTERM and SIGINT. The engine installs its own when the
    // first connection opens, so this must run again after that.
    void instala();
    // The last signal received; 0 before any.
    int recebido() const { return m_recebido; }

    // What the program does on such a signal: it ends as "Saída" ends it, and every modal
    // window open at that moment is closed without saving (see fechaModais).
    static std::function<void()> encerra(Aplicacao& app);
    // Rejects every open modal window, the one on top first, as its "Fechar" or Escape would:
    // nothing it holds is saved.
    static void fechaModais();

private:
    void chegou();

    std::function<void()> m_aoTerminar;
    QSocketNotifier* m_aviso;
    int m_recebido = 0;
};
