#pragma once

#include "common/Formulario.h"

#include <array>
#include <optional>

class Contexto;
class CamposProduto;
class QCheckBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The ledger on screen: the movements of a date range, narrowed by the kinds of operation
// shown and by one product or all. The dates go to the database; the kinds and the product
// only filter the rows already read, so a click on a box answers at once. Writes nothing.
class TfConsulta_MovEstq : public Dialogo {
    Q_OBJECT

public:
    explicit TfConsulta_MovEstq(Contexto& app, QWidget* parent = nullptr);

    // The row filter in force, as its five parts compose it, e.g.
    // MOV_CodPRo<>'      ' and (MOV_Oper='EE' or MOV_OPER='SS' or MOV_OPER='  ' or MOV_OPER='  ')
    QString filtro() const;

protected:
    void aoAbrir() override;
    void aoFechar() override;

private:
    // The look-ups, the boxes and the radios, wired once the form is laid out.
    void liga();
    void filtraDatas();
    void filtraOperacao(QCheckBox* caixa);
    void filtraProduto();
    void recalculaProduto();
    void aplicaFiltro();

    Contexto& m_app;
    QCheckBox* m_cbEntradas;
    QCheckBox* m_cbSaidas;
    QCheckBox* m_cbEst_Entrada;
    QCheckBox* m_cbEst_Saida;
    QDateEdit* m_dtpData_Inicial;
    QDateEdit* m_dtpData_Final;
    QRadioButton* m_cbTodosProdutos;
    QRadioButton* m_cbDeterminado_Produto;
    QLineEdit* m_edCodPro;
    QLineEdit* m_edCodBar;
    QLineEdit* m_edDescricao;
    QPushButton* m_btnBusca;
    CamposProduto* m_produto;

    // What the boxes ask for: the operation of each kind's box, in the boxes' order (empty
    // while its box is unticked), and the one product shown (none: every product).
    std::array<QString, 4> m_operacoes;
    std::optional<QString> m_produtoFiltrado;
};
