#pragma once

#include "common/Formulario.h"

#include <optional>

class Contexto;
class CampoCodigo;
class Decimal;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
struct Produto;

// One product, added, changed, deleted or only looked at in the mode the list window chose.
// Its code is typed by the user. Quantity on hand, last purchase and last supplier belong to
// the stock movements: they are shown here and never written.
class TfDados_Produtos : public Dialogo {
    Q_OBJECT

public:
    explicit TfDados_Produtos(Contexto& app, QWidget* parent = nullptr);

    // The code of the product being changed, deleted or looked at: the list's current row at
    // opening. The change and the deletion address this product whatever the fields show.
    QString CodSelecionado;

protected:
    void aoAbrir() override;

private:
    // The look-ups, the buttons and the keys, wired once the form is laid out.
    void liga();
    ::Modo modo() const;
    // Every field back to what an opening shows.
    void valoresDeAbertura();
    void carrega();

    void entraNumero(QLineEdit* campo);
    void saiMinimo();
    void saiMaximo();
    void saiValor();

    void salva();
    // What the fields say of the product, the code as typed.
    Produto produtoDosCampos(const Decimal& minimo, const Decimal& maximo,
                             const Decimal& valor) const;
    void inclui(Produto p);
    void altera(const Produto& p);
    void exclui();
    // Re-reads the list window's list; `fecha` closes this window.
    void gravado(bool fecha);
    // The number a field holds, read past the currency sign and the thousands dots.
    static std::optional<Decimal> numero(const QLineEdit* campo);
    bool recusaSeNaoNumero(QLineEdit* campo, const std::optional<Decimal>& valor,
                           const QString& nome);
    bool recusaSeVazio(QLineEdit* campo, const QString& texto);

    Contexto& m_app;
    QLabel* m_lbDados_Pro_Titulo;
    QLineEdit* m_edPRO_Codigo;
    QLineEdit* m_edPRO_Descricao;
    QLineEdit* m_edPRO_CodGru;
    QPushButton* m_btnDados_Pro_Busca;
    QLineEdit* m_edPRO_NomeGru;
    QLineEdit* m_edPRO_Quant;
    QLineEdit* m_edPRO_Unid;
    QLineEdit* m_edPRO_Min;
    QLineEdit* m_edPRO_EMax;
    QLineEdit* m_edPRO_Valor;
    QLineEdit* m_edPRO_Local;
    QLineEdit* m_edPRO_CodBar;
    QLineEdit* m_edPRO_Refer;
    QComboBox* m_cbPRO_Consumivel;
    QDateEdit* m_dtpPRO_DCad;
    QLineEdit* m_edPRO_UComp;
    QLineEdit* m_edPRO_Obs;
    QLineEdit* m_edPRO_CodFor;
    QLineEdit* m_edPRO_RazaoFor;
    QPushButton* m_btnPRO_Salva;
    QPushButton* m_btnPRO_Limpa;
    // A new product's code, refused when another product has it.
    CampoCodigo* m_codigo;
    CampoCodigo* m_grupo;
};
