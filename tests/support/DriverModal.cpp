#include "support/DriverModal.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTest>

namespace {

// Offscreen a shown window is active after one event-loop turn; the wait only guards against
// a platform that never activates it.
constexpr int esperaAtivacao = 1000;

// QWindow::isActive(), which qWaitForWindowActive() waits for, already holds for a dialog while
// its parent window is the active one; the window must really be QApplication's active window
// before focus events reach its fields.
bool ativa(QWidget* janela)
{
    janela->activateWindow();
    const QPointer<QWidget> guarda = janela;
    return QTest::qWaitFor([&] { return guarda && QApplication::activeWindow() == guarda; },
                           esperaAtivacao);
}

QString descreve(const QDialog* janela)
{
    return QStringLiteral("\"%1\" (title \"%2\")").arg(janela->objectName(), janela->windowTitle());
}

} // namespace

DriverModal::DriverModal()
{
    Modal::instala([this](QDialog* janela) { return executa(janela); });
    Modal::instalaEscolha([this](const Modal::PedidoEscolha& pedido) { return escolhe(pedido); });
}

DriverModal::~DriverModal()
{
    Modal::restauraPadrao();
    Modal::restauraEscolhaPadrao();
    // Steps or answers the test expected to use were never asked for; only worth saying if
    // nothing failed earlier, since an early failure skips the rest of the flow anyway.
    if (!QTest::currentTestFunction() || QTest::currentTestFailed())
        return;
    if (!m_passos.isEmpty())
        falha(QStringLiteral("%1 queued window step(s) never used: no window opened for them")
                  .arg(m_passos.size()));
    if (!m_respostasEscolha.isEmpty())
        falha(QStringLiteral("%1 queued file chooser answer(s) never used")
                  .arg(m_respostasEscolha.size()));
}

void DriverModal::aoAbrir(Passos passos)
{
    m_passos.append(std::move(passos));
}

void DriverModal::respondeEscolha(const QString& caminho)
{
    m_respostasEscolha.append(caminho);
}

int DriverModal::executa(QDialog* janela)
{
    m_abertas.append(janela->objectName());
    const QPointer<QWidget> anterior = QApplication::activeWindow();
    const QPointer<QDialog> guarda = janela;

    // As QDialog::exec() does: a window closed by the steps is not deleted before its result
    // is read, it is application modal unless it chose otherwise, and a window shown again
    // does not start with its previous result.
    const bool apagaAoFechar = janela->testAttribute(Qt::WA_DeleteOnClose);
    const bool eraModal = janela->testAttribute(Qt::WA_ShowModal);
    janela->setAttribute(Qt::WA_DeleteOnClose, false);
    janela->setAttribute(Qt::WA_ShowModal, true);
    janela->setResult(QDialog::Rejected);

    // The window and the one underneath must be left as exec() leaves them even when a step
    // throws, or every later test would run behind a modal window.
    const auto fecha = [&]() {
        int resultado = QDialog::Rejected;
        if (guarda) {
            if (guarda->isVisible())
                guarda->reject();
            resultado = guarda->result();
            guarda->setAttribute(Qt::WA_ShowModal, eraModal);
            if (apagaAoFechar)
                delete guarda.data();
        }
        if (anterior && anterior->isVisible())
            ativa(anterior);
        return resultado;
    };

    janela->show();
    if (!ativa(janela))
        falha(QStringLiteral("Window %1 did not become active").arg(descreve(janela)));

    if (m_passos.isEmpty()) {
        falha(QStringLiteral("Window %1 opened with no steps queued for it").arg(descreve(janela)));
        return fecha();
    }
    const Passos passos = m_passos.takeFirst();
    try {
        passos(janela);
    } catch (...) {
        fecha();
        throw;
    }
    return fecha();
}

QString DriverModal::escolhe(const Modal::PedidoEscolha& pedido)
{
    m_escolhas.append(pedido);
    if (m_respostasEscolha.isEmpty()) {
        falha(QStringLiteral("Unscripted file chooser \"%1\" (answered with no path)")
                  .arg(pedido.titulo));
        return {};
    }
    return m_respostasEscolha.takeFirst();
}

void DriverModal::falha(const QString& texto)
{
    m_falhas.append(texto);
    // Reported like a failed QVERIFY, so the test's own QEXPECT_FAIL applies to it.
    QTest::qVerify(false, "every window and chooser driven as scripted", texto.toUtf8().constData(),
                   __FILE__, __LINE__);
}
