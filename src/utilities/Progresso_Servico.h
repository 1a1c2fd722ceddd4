#pragma once

#include "data/firebird/Servicos.h"

#include <QDialog>

#include <functional>

class QPlainTextEdit;
class QProgressBar;

// What the server is doing during a backup or a restore: its own progress lines and a busy
// bar. The work runs on a thread of its own while this window keeps the program painting; the
// window is modal to the whole program, so nothing else can be started meanwhile.
class TfProgresso_Servico : public QDialog {
    Q_OBJECT

public:
    using Trabalho = std::function<void(const Servicos::Progresso& progresso)>;

    explicit TfProgresso_Servico(const QString& titulo, QWidget* parent = nullptr);

    // Runs `trabalho` with the window shown and returns when it has finished; an exception
    // it throws comes out here, in the caller's thread.
    static void executa(QWidget* pai, const QString& titulo, const Trabalho& trabalho);

    // The lines shown so far.
    QStringList linhas() const;
    // Runs with each window when its work has finished, before it closes: for looking at it.
    static void aoMostrar(std::function<void(TfProgresso_Servico*)> gancho);

private:
    void acrescenta(const QString& linha);

    QPlainTextEdit* m_memo;
    QProgressBar* m_barra;
};
