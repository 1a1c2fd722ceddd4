#pragma once

#include "common/Formulario.h"

#include <QDialog>

class Aplicacao;
class QRadioButton;
namespace Familia {
class Lista;
}

// The list of requisitioners, the people and departments goods are issued to: ordering, quick
// search, and the buttons that open the record window to add, change or delete one.
class TfManut_REQ : public QDialog {
    Q_OBJECT

public:
    explicit TfManut_REQ(Aplicacao& app, QWidget* parent = nullptr);

    // The mode in which the record window opens: "Inclui", "Altera" or "Exclui".
    ::Modo Modo = ::Modo::Nenhum;

    Familia::Lista& lista() { return *m_lista; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    void abreDados(const QString& codigoModulo, ::Modo modo);

    Aplicacao& m_app;
    Familia::Lista* m_lista;
    QRadioButton* m_rbDescricao;
    int m_ordemAbertura = -1;
};
