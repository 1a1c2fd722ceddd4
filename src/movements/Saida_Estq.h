#pragma once

#include <QDialog>
#include <QString>

class Aplicacao;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class Resultado;

// Goods issued from the stock room to a requisitioner. A save appends the exit to the ledger
// and lowers the quantity on hand; for an item that is lent out and comes back (a
// non-consumable) it also opens the loan, with the date it is due back. The window stays open
// for the next exit.
class TfSaida_Estq : public QDialog {
    Q_OBJECT

public:
    explicit TfSaida_Estq(Aplicacao& app, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* e) override;

private:
    // Every field back to its empty value, the cursor on the product code. Whether the value
    // can be typed and whether the due date shows stay as the last product made them.
    void limpa();
    void saiCodigo();
    void saiCodigoBarras();
    void saiRequisitante();
    // Runs a product look-up; false (the message shown, the focus put back into `campo`) when
    // no product answers.
    bool procuraProduto(const QString& sql, const QString& parametro, const QString& valor,
                        QLineEdit* campo, Resultado& produto);
    void mostraProduto(const Resultado& produto);
    void abreBuscaProduto();
    void abreBuscaRequisitante();
    void grava();

    Aplicacao& m_app;
    QLineEdit* m_edCodPro;
    QLineEdit* m_edDescPro;
    QPushButton* m_btnBuscaPro;
    QLineEdit* m_edCodBar;
    QLineEdit* m_edUnid;
    QLineEdit* m_edQuantAtual;
    QDateEdit* m_dtpData;
    QLineEdit* m_edCodReq;
    QLineEdit* m_edDescReq;
    QPushButton* m_btnBuscaReq;
    QLineEdit* m_edQuant;
    QLineEdit* m_edValor;
    QLineEdit* m_edDoc;
    QLineEdit* m_edConsumivel;
    QLabel* m_lbDataD;
    QDateEdit* m_dtpDataD;
    QPushButton* m_btnGrava;
    // The code of the product the last successful look-up showed: the fields describe that
    // product, and only it can be issued.
    QString m_produto;
};
