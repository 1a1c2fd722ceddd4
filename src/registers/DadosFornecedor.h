#pragma once

#include "common/Formulario.h"

#include <QList>

#include <optional>

class Contexto;
class CampoCodigo;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
struct Fornecedor;

// One supplier, added, changed, deleted or only looked at, in the mode the list window chose.
// A new supplier is offered the highest code plus one, which the user may type over.
class TfDadosFornecedor : public Dialogo {
    Q_OBJECT

public:
    explicit TfDadosFornecedor(Contexto& app, QWidget* parent = nullptr);

    // The code of the supplier being changed, deleted or looked at: the list's current row at
    // opening.
    QString CodSelecionado;

protected:
    void aoAbrir() override;

private:
    // The look-ups, the buttons and the keys, wired once the form is laid out.
    void liga();
    // A plain text field of the supplier and the datum it holds.
    struct Campo {
        QLineEdit* edit;
        QString Fornecedor::*dado;
    };

    ::Modo modo() const;
    void limpaCampos();
    void carrega();
    // Whether a supplier already has this code; nothing when the database could not say (the
    // error has been shown).
    std::optional<bool> codigoExiste(const QString& codigo);
    bool razaoVazia();
    // The supplier as the fields show it; the code is the caller's.
    Fornecedor fornecedorDosCampos() const;
    void salva();
    void inclui();
    void altera();
    void exclui();
    // Re-reads the list window's list; `fecha` closes this window.
    void gravado(bool fecha);

    Contexto& m_app;
    QLabel* m_lTitulo;
    QLineEdit* m_edCodigo;
    QComboBox* m_cbFJ;
    QDateEdit* m_dtpDCad;
    QLineEdit* m_edCodGrupo;
    QPushButton* m_btnBuscaGrupo;
    QLineEdit* m_edDescGrupo;
    QLineEdit* m_edRazao;
    QList<Campo> m_campos;
    QPlainTextEdit* m_edObs;
    QPushButton* m_btnCadastra;
    QPushButton* m_btnLimpa;
    QPushButton* m_btnSaida;
    // A new supplier's code, refused when another supplier has it.
    CampoCodigo* m_codigo;
    CampoCodigo* m_grupo;
    // The group code of the supplier loaded, padded as a look-up pads it.
    QString m_grupoCarregado;
};
