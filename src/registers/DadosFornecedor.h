#pragma once

#include "common/Formulario.h"

#include <QDialog>
#include <QList>

#include <optional>

class Aplicacao;
class Consulta;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// One supplier, added, changed, deleted or only looked at, in the mode the list window chose.
// A new supplier is offered the highest code plus one, which the user may type over.
class TfDadosFornecedor : public QDialog {
    Q_OBJECT

public:
    explicit TfDadosFornecedor(Aplicacao& app, QWidget* parent = nullptr);

    // The code of the supplier being changed, deleted or looked at: the list's current row at
    // opening.
    QString CodSelecionado;

    void setVisible(bool visivel) override;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    // A plain text field of the supplier and the column and parameter it goes with.
    struct Campo {
        QLineEdit* edit;
        QString coluna;
        QString parametro;
    };

    ::Modo modo() const;
    void limpaCampos();
    void carrega();
    void mostraGrupo();
    // The next free code in the code field; on a database error the field is left empty and
    // the answer is false.
    bool propoeCodigo();
    // Puts the focus on the code field, which then holds a fresh proposal.
    void vaiParaCodigo();
    void saiDoCodigo();
    void saiDoGrupo();
    void abreBuscaGrupo();
    // Whether a supplier already has this code; nothing when the database could not say (the
    // error has been shown).
    std::optional<bool> codigoExiste(const QString& codigo);
    bool razaoVazia();
    void ligaDados(Consulta& q);
    void salva();
    void inclui();
    void altera();
    void exclui();

    Aplicacao& m_app;
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
    // Set while the window opens, so the focus-in a dialog hands its first field on showing
    // does not offer a code a second time.
    bool m_abrindo = false;
    bool m_proposto = false;
};
