#pragma once

#include <QWidget>

class QLabel;

// The splash shown while the program starts, with a panel that tells what is being prepared.
class TfAbertura : public QWidget {
    Q_OBJECT

public:
    explicit TfAbertura(QWidget* parent = nullptr);

    void mostraProgresso(const QString& texto);
    QString progresso() const;

private:
    QLabel* m_pCriando;
};
