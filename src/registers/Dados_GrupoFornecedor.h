#pragma once

#include "common/Formulario.h"

#include <QDialog>

#include <optional>

class Aplicacao;
class QLabel;
class QLineEdit;
class QPushButton;

// One supplier group, added, changed or deleted in the mode the list window chose. A new group
// is offered the highest code plus one, which the user may type over with a free code.
class TfDados_GrupoFornecedor : public QDialog {
    Q_OBJECT

public:
    explicit TfDados_GrupoFornecedor(Aplicacao& app, QWidget* parent = nullptr);

    // The code of the group being changed or deleted: the list's current row at opening.
    QString CodSelecionado;

protected:
    void showEvent(QShowEvent* e) override;

private:
    ::Modo modo() const;
    // The next free code in the code field; on a database error the field is left empty and
    // the answer is false.
    bool propoeCodigo();
    // Puts the focus on the code field, which then holds a fresh proposal.
    void vaiParaCodigo();
    void saiDoCodigo();
    // Whether a group already has this code; nothing when the database could not say (the
    // error has been shown).
    std::optional<bool> codigoExiste(const QString& codigo);
    void salva();
    void inclui();
    void altera();
    void exclui();

    Aplicacao& m_app;
    QLabel* m_lbTitulo;
    QLineEdit* m_edCodigo;
    QLineEdit* m_edDescricao;
    QPushButton* m_btnGrava;
    QPushButton* m_btnLimpa;
    bool m_proposto = false;
};
