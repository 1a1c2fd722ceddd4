#pragma once

#include "common/Formulario.h"

class Contexto;
class CampoCodigo;
class CamposProduto;
class QDateEdit;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TEditH;
struct Produto;

// Goods received into the stock room. The person finds the product (by code, bar code or the
// search window), types the quantity and unit value of this delivery, its supplier and
// document, and may correct the product's unit, location, minimum, maximum, reference and notes
// on the way; "Grava" records the entry in the ledger, raises the stock, recomputes the
// average cost and rewrites those product columns, all at once. "Grava" only works once a
// product has been found, and the window empties itself for the next delivery after each save.
class TfEntrada_Estq : public Dialogo {
    Q_OBJECT

public:
    explicit TfEntrada_Estq(Contexto& app, QWidget* parent = nullptr);

protected:
    void aoAbrir() override { limpa(); }

private:
    // The look-ups, the buttons and the keys, wired once the form is laid out.
    void liga();
    // Every field back to what a fresh delivery starts with, "Grava" off, the code field first.
    void limpa();
    void mostraProduto(const Produto& p);
    // A click on "Grava" that took the focus from a field whose look-up has just said no must
    // not save what the user has just been told is wrong.
    bool podeGravar() const;
    void grava();

    Contexto& m_app;
    QLineEdit* m_edENT_CodPRO;
    QLineEdit* m_edEnt_DescPro;
    QPushButton* m_btnENT_Estoque_BuscaPRO;
    QLineEdit* m_edENT_CodBar;
    QLineEdit* m_edENT_Unid;
    QLineEdit* m_edEnt_QuantAtual;
    QLineEdit* m_edEnt_Quant;
    QDateEdit* m_dtpEnt_Data;
    QLineEdit* m_edEnt_Documento;
    QLineEdit* m_edEnt_Valor;
    TEditH* m_edENT_CodFor;
    TEditH* m_edENT_RazaoFor;
    QPushButton* m_btnBuscaFornecedor;
    QLineEdit* m_edENT_Local;
    QLineEdit* m_edENT_Min;
    QLineEdit* m_edENT_Max;
    QLineEdit* m_edEnt_Refer;
    QPlainTextEdit* m_edENT_Obs;
    QPushButton* m_btnEntrada_Grava;
    QPushButton* m_btnEntrada_Fechar;
    CamposProduto* m_produto;
    CampoCodigo* m_fornecedor;
};
