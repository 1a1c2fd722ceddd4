#pragma once

#include "common/Formulario.h"

#include <QDialog>

class Aplicacao;
class QLabel;
class QLineEdit;
class QPushButton;

// One product group, added, changed or deleted in the mode the list window chose. The code is
// never typed: a new group gets the highest code plus one.
class TfDados_Grupos : public QDialog {
    Q_OBJECT

public:
    explicit TfDados_Grupos(Aplicacao& app, QWidget* parent = nullptr);

    // The code of the group being changed or deleted: the list's current row at opening.
    QString CodSelecionado;

protected:
    void showEvent(QShowEvent* e) override;

private:
    ::Modo modo() const;
    QString proximoCodigo();
    // The code field takes no typing: in "Inclui" it gets the next code, and the focus goes on
    // to the description.
    void vaiParaCodigo();
    void verificaDescricao();
    void salva();
    void inclui();
    void altera();
    void exclui();

    Aplicacao& m_app;
    QLabel* m_lbTitulo;
    QLineEdit* m_edCodigo;
    QLineEdit* m_edDescricao;
    QPushButton* m_btnSalva;
    QPushButton* m_btnLimpa;
};
