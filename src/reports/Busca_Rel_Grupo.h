#pragma once

#include "common/Formulario.h"

class Contexto;
class CampoCodigo;
class QLineEdit;
class QPushButton;

// "Escolha um Grupo": the group of the two group stock lists. Its print button loads the
// group's products, opens the output choice with the key in `Relatorio` and closes once the
// output choice has closed.
class TfBusca_Rel_Grupo : public Dialogo {
    Q_OBJECT

public:
    explicit TfBusca_Rel_Grupo(Contexto& app, QWidget* parent = nullptr);

    QString Relatorio;

    // What the group layouts print in their group line.
    QString codigo() const;
    QString descricao() const;

protected:
    void aoAbrir() override;

private:
    void imprime();

    Contexto& m_app;
    QLineEdit* m_edCodGrupo;
    QLineEdit* m_edDescGrupo;
    QPushButton* m_btnBusca;
    CampoCodigo* m_grupo;
};
