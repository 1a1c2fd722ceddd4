#pragma once

#include "common/Decimal.h"

#include <QLineEdit>

// The one-line number field of the forms: quantities, prices, percentages. While the user types
// in it, it holds the bare number ("1234,56"), selected whole so typing replaces it; once they
// leave, it shows the number formatted ("R$ 1.234,56", "1.234,500", "12,50%"). A text that is not
// a number becomes zero and the focus stays in the field, so a mistyped quantity is seen at once
// instead of reaching the stock ledger.
//
// The properties keep the names the forms set them by.
class TEditH : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(Qt::Alignment Alignment READ alignment WRITE setAlignment)
    Q_PROPERTY(bool Numero READ numero WRITE setNumero)
    Q_PROPERTY(bool Moeda READ moeda WRITE setMoeda)
    Q_PROPERTY(bool Porcentagem READ porcentagem WRITE setPorcentagem)
    Q_PROPERTY(int CasaDecimal READ casaDecimal WRITE setCasaDecimal)

public:
    explicit TEditH(QWidget* parent = nullptr);

    // Only a number field filters the keys and formats on leaving; otherwise this is a plain
    // text field with the focus colours.
    bool numero() const { return m_numero; }
    void setNumero(bool numero);
    // Money ("R$ 1.234,56") takes precedence over a percentage ("12,50%").
    bool moeda() const { return m_moeda; }
    void setMoeda(bool moeda);
    bool porcentagem() const { return m_porcentagem; }
    void setPorcentagem(bool porcentagem);
    // Decimals shown; with none, the comma cannot be typed.
    int casaDecimal() const { return m_casaDecimal; }
    void setCasaDecimal(int casas);

    // The number the text holds, formatted or not; zero when it holds none.
    Decimal valor() const;
    // Writes `v` as leaving the field would show it.
    void setValor(const Decimal& v);

    // The text shown for `v`, and the zero that replaces a text that is not a number.
    QString formata(const Decimal& v) const;
    QString textoDeReserva() const;

protected:
    void focusInEvent(QFocusEvent* evento) override;
    void focusOutEvent(QFocusEvent* evento) override;
    void mouseReleaseEvent(QMouseEvent* evento) override;

private:
    void ajustaDigitacao();

    bool m_numero = false;
    bool m_moeda = false;
    bool m_porcentagem = false;
    int m_casaDecimal = 0;
    bool m_selecionaNoClique = false;
};
