#pragma once

#include "common/Formulario.h"

#include <QDialog>

class Aplicacao;
class QLineEdit;
namespace Familia {
class Lista;
}

// The list of supplier groups: ordering by code or description, quick search, and the buttons
// that open the record window to add, change or delete a group.
class TfManut_GrupoFornecedor : public QDialog {
    Q_OBJECT

public:
    explicit TfManut_GrupoFornecedor(Aplicacao& app, QWidget* parent = nullptr);

    // The mode in which the record window opens: "Inclui", "Altera" or "Exclui".
    ::Modo Modo = ::Modo::Nenhum;

    Familia::Lista& lista() { return *m_lista; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    void abreDados(const QString& codigoModulo, ::Modo modo);
    // A new order starts a new search: the field is emptied and ready for typing.
    void recomecaBusca();

    Aplicacao& m_app;
    Familia::Lista* m_lista;
    QLineEdit* m_edBusca;
    int m_porDescricao = -1;
};
