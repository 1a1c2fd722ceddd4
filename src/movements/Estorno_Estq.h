#pragma once

#include <QDialog>

class Aplicacao;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class TEditH;

// The reversal of a stock entry ("TE") or of a stock exit ("TS"): a movement of its own that
// moves the product's quantity on hand back the other way, against the supplier of the entry or
// the requisitioner of the exit. The average cost is left alone, and lent-out items cannot be
// reversed. One window serves both; the main menu sets TipoEstorno before opening it, and the
// window asks the main window for the mode each time it needs it.
class TfEstorno_Estq : public QDialog {
    Q_OBJECT

public:
    explicit TfEstorno_Estq(Aplicacao& app, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* e) override;

private:
    // Whether this opening reverses an entry; otherwise it reverses an exit.
    bool deEntrada() const;
    // Every field back at its opening value, the focus in the product code.
    void limpa();

    void saiCodigo();
    void saiCodigoBarras();
    // Looks a product up and shows it when it may be reversed; a refusal says why, empties
    // what the user must give again and puts the focus back into `campoRecusado`.
    void mostraProduto(const QString& sql, const QString& parametro, const QString& valor,
                       QLineEdit* campoRecusado);
    void saiContraparte();
    void buscaProduto();
    void buscaContraparte();
    void grava();

    Aplicacao& m_app;
    QLabel* m_lbTitulo;
    QLabel* m_lbContraparte;
    QLineEdit* m_edCodPro;
    QLineEdit* m_edDescPro;
    QLineEdit* m_edCodBar;
    QLineEdit* m_edUnid;
    QLineEdit* m_edQuantAtual;
    QDateEdit* m_dtpData;
    QLineEdit* m_edQuant;
    QLineEdit* m_edValor;
    QLineEdit* m_edDoc;
    TEditH* m_edCodReq;
    TEditH* m_edNomeReq;
    // Set from a look-up's refusal until the refused field is left again: a click on "Grava"
    // that took the focus out of that field must not go on to save.
    bool m_recusou = false;
};
