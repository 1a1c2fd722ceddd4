#pragma once

#include "common/Modal.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QDialog;

// Opens the program's modal windows without a blocking exec(): each window is shown and
// activated, the steps the test queued for it run synchronously, and the window underneath is
// activated again afterwards. File choosers are answered from a script. Installed for its
// lifetime; the real exec() and file dialogs come back after.
//
// A window or chooser nobody scripted, or steps and answers left over when the driver goes
// away, fail the running test (QEXPECT_FAIL applies to them like to a QVERIFY).
class DriverModal {
public:
    using Passos = std::function<void(QDialog* janela)>;

    DriverModal();
    ~DriverModal();
    DriverModal(const DriverModal&) = delete;
    DriverModal& operator=(const DriverModal&) = delete;

    // Queues the steps for the next window that opens. Windows take their steps in the order
    // they open, so a window opened from another one's steps takes the next entry. The steps
    // may type, click, accept(), reject(), done() or close() the window, or open further
    // windows; a window they leave open is rejected.
    void aoAbrir(Passos passos);
    int passosPendentes() const { return static_cast<int>(m_passos.size()); }

    // Queues the path the next file chooser returns; an empty text is a cancelled chooser.
    void respondeEscolha(const QString& caminho);
    int escolhasPendentes() const { return static_cast<int>(m_respostasEscolha.size()); }

    // objectName of each window opened, in order of opening.
    const QStringList& abertas() const { return m_abertas; }
    // Each file chooser asked for, in order.
    const QList<Modal::PedidoEscolha>& escolhas() const { return m_escolhas; }

    // What this driver reported as test failures.
    const QStringList& falhas() const { return m_falhas; }

private:
    int executa(QDialog* janela);
    QString escolhe(const Modal::PedidoEscolha& pedido);
    void falha(const QString& texto);

    QList<Passos> m_passos;
    QStringList m_respostasEscolha;
    QStringList m_abertas;
    QList<Modal::PedidoEscolha> m_escolhas;
    QStringList m_falhas;
};
