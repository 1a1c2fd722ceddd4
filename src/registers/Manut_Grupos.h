#pragma once

#include "common/Formulario.h"

#include <QDialog>

class Aplicacao;
namespace Familia {
class Lista;
}

// The list of product groups: ordering, quick search, and the buttons that open the record
// window to add, change or delete a group.
class TfManut_Grupos : public QDialog {
    Q_OBJECT

public:
    explicit TfManut_Grupos(Aplicacao& app, QWidget* parent = nullptr);

    // The mode in which the record window opens: "Inclui", "Altera" or "Exclui".
    ::Modo Modo = ::Modo::Nenhum;

    Familia::Lista& lista() { return *m_lista; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    void abreDados(const QString& codigoModulo, ::Modo modo);

    Aplicacao& m_app;
    Familia::Lista* m_lista;
};
