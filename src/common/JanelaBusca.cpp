#include "common/JanelaBusca.h"

#include <QLineEdit>

JanelaBusca::JanelaBusca(QWidget* parent) : Dialogo(parent) {}

void JanelaBusca::registraDestino(const QString& origem, QLineEdit* campo)
{
    m_destinos.insert(origem, campo);
}

QLineEdit* JanelaBusca::destino(const QString& origem) const
{
    return m_destinos.value(origem);
}

void JanelaBusca::seleciona(const QString& codigo)
{
    if (QLineEdit* campo = destino(Origem)) {
        campo->setText(codigo);
        // The caller's own leave handling (padding, look-up) runs when the user leaves it.
        campo->setFocus(Qt::OtherFocusReason);
    }
    accept();
}
