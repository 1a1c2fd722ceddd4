#include "utilities/Progresso_Servico.h"

#include "common/Formulario.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QThread>
#include <QVBoxLayout>

#include <exception>

namespace {

std::function<void(TfProgresso_Servico*)>& gancho()
{
    static std::function<void(TfProgresso_Servico*)> g;
    return g;
}

} // namespace

TfProgresso_Servico::TfProgresso_Servico(const QString& titulo, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("TfProgresso_Servico"));
    setWindowTitle(titulo);
    setWindowModality(Qt::ApplicationModal);

    m_barra = new QProgressBar(this);
    m_barra->setObjectName(QStringLiteral("pbProgresso"));
    // No end is known in advance: the bar only shows that the server is at work.
    m_barra->setRange(0, 0);
    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("memoProgresso"));
    m_memo->setReadOnly(true);
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo->setMaximumBlockCount(2000);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Formulario::rotulo(
        this, "lbAguarde", QStringLiteral("Aguarde, o servidor está trabalhando...")));
    layout->addWidget(m_barra);
    layout->addWidget(m_memo);
    resize(560, 320);
}

QStringList TfProgresso_Servico::linhas() const
{
    return m_memo->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void TfProgresso_Servico::aoMostrar(std::function<void(TfProgresso_Servico*)> g)
{
    gancho() = std::move(g);
}

void TfProgresso_Servico::acrescenta(const QString& linha)
{
    m_memo->appendPlainText(linha);
}

void TfProgresso_Servico::executa(QWidget* pai, const QString& titulo, const Trabalho& trabalho)
{
    TfProgresso_Servico janela(titulo, pai);
    const QPointer<TfProgresso_Servico> guarda = &janela;
    std::exception_ptr falha;
    QThread* linhaDeTrabalho = QThread::create([&] {
        try {
            trabalho([guarda](const QString& linha) {
                // From the work's thread into the window's: queued, painted by its loop.
                QMetaObject::invokeMethod(
                    guarda.data(),
                    [guarda, linha] {
                        if (guarda)
                            guarda->acrescenta(linha);
                    },
                    Qt::QueuedConnection);
            });
        } catch (...) {
            falha = std::current_exception();
        }
    });
    QEventLoop espera;
    QObject::connect(linhaDeTrabalho, &QThread::finished, &espera, &QEventLoop::quit);
    janela.show();
    linhaDeTrabalho->start();
    if (!linhaDeTrabalho->isFinished())
        espera.exec();
    linhaDeTrabalho->wait();
    delete linhaDeTrabalho;
    // The last lines, so the window ends showing all the server said.
    QCoreApplication::sendPostedEvents(&janela);
    if (gancho())
        gancho()(&janela);
    if (falha)
        std::rethrow_exception(falha);
}
