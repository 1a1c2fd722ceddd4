#include "app/Sinais.h"

#include "app/Aplicacao.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QSet>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace {

// The pipe the handler writes the signal's number into; read by the event loop.
int g_tubo[2] = {-1, -1};

const int sinaisTratados[] = {SIGTERM, SIGINT};

extern "C" void aoSinal(int sinal)
{
    const int errnoAntes = errno;
    const unsigned char byte = static_cast<unsigned char>(sinal);
    // Nothing to do if the pipe is full: a signal is already waiting to be handled.
    [[maybe_unused]] const ssize_t n = ::write(g_tubo[1], &byte, 1);
    errno = errnoAntes;
}

void padrao()
{
    struct sigaction acao {};
    acao.sa_handler = SIG_DFL;
    sigemptyset(&acao.sa_mask);
    for (int sinal : sinaisTratados)
        sigaction(sinal, &acao, nullptr);
}

} // namespace

Sinais::Sinais(std::function<void()> aoTerminar, QObject* parent)
    : QObject(parent), m_aoTerminar(std::move(aoTerminar))
{
    if (g_tubo[0] >= 0)
        throw std::logic_error("Sinais: only one object at a time");
    if (::pipe2(g_tubo, O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::runtime_error("Sinais: no pipe for the signals");
    m_aviso = new QSocketNotifier(g_tubo[0], QSocketNotifier::Read, this);
    connect(m_aviso, &QSocketNotifier::activated, this, &Sinais::chegou);
    instala();
}

Sinais::~Sinais()
{
    padrao();
    delete m_aviso;
    ::close(g_tubo[0]);
    ::close(g_tubo[1]);
    g_tubo[0] = g_tubo[1] = -1;
}

void Sinais::instala()
{
    struct sigaction acao {};
    acao.sa_handler = aoSinal;
    sigemptyset(&acao.sa_mask);
    // A system call the signal interrupts goes on rather than failing with EINTR.
    acao.sa_flags = SA_RESTART;
    for (int sinal : sinaisTratados)
        sigaction(sinal, &acao, nullptr);
}

void Sinais::chegou()
{
    unsigned char byte = 0;
    bool algum = false;
    while (::read(g_tubo[0], &byte, 1) == 1) {
        m_recebido = byte;
        algum = true;
    }
    if (algum && m_aoTerminar)
        m_aoTerminar();
}

std::function<void()> Sinais::encerra(Aplicacao& app)
{
    return [&app] {
        // The end first: a window's closing work then knows the program is ending and asks
        // nothing (the login does not check its fields), and no new window waits for the user.
        app.encerraSemPerguntas();
        fechaModais();
    };
}

void Sinais::fechaModais()
{
    // A window that will not close (it refuses in its own handlers) ends the round rather than
    // being asked forever; the program ends all the same.
    QSet<QWidget*> tentadas;
    while (QWidget* janela = QApplication::activeModalWidget()) {
        if (tentadas.contains(janela))
            break;
        tentadas.insert(janela);
        if (auto* dialogo = qobject_cast<QDialog*>(janela))
            dialogo->reject();
        else
            janela->close();
    }
}
