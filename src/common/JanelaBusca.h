#pragma once

#include "common/Formulario.h"

#include <QHash>
#include <QPointer>
#include <QString>

class QLineEdit;

// A search window: a caller sets `Origem` to its own tag and opens it; "Seleciona" writes the
// chosen code into the caller's field named for that tag, makes that field the caller's
// focused control and closes. Each caller adds its row to the contract when it is built.
class JanelaBusca : public Dialogo {
    Q_OBJECT

public:
    explicit JanelaBusca(QWidget* parent = nullptr);

    QString Origem;
    void registraDestino(const QString& origem, QLineEdit* campo);
    QLineEdit* destino(const QString& origem) const;

protected:
    // Writes `codigo` into the field of the current `Origem` (an unknown tag writes nothing)
    // and closes.
    void seleciona(const QString& codigo);

private:
    QHash<QString, QPointer<QLineEdit>> m_destinos;
};
