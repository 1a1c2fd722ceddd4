#include "common/EditH.h"

#include "common/Convencoes.h"
#include "common/Formatos.h"
#include "common/Funcoes.h"

#include <QFocusEvent>
#include <QFont>
#include <QMouseEvent>

#include <algorithm>

TEditH::TEditH(QWidget* parent) : QLineEdit(parent)
{
    // Fixed pitch, so the digits of a column of fields line up.
    QFont fonte(QStringLiteral("Courier New"), 10);
    fonte.setStyleHint(QFont::TypeWriter);
    setFont(fonte);
    setMinimumHeight(25);
    resize(width(), 25);
    Convencoes::pintaFundo(this, Convencoes::corNormal());
    Convencoes::filtroDeDigitacao(this, Convencoes::Digitacao::Livre, false);
}

void TEditH::setNumero(bool numero)
{
    m_numero = numero;
    ajustaDigitacao();
}

void TEditH::setMoeda(bool moeda)
{
    m_moeda = moeda;
}

void TEditH::setPorcentagem(bool porcentagem)
{
    m_porcentagem = porcentagem;
}

void TEditH::setCasaDecimal(int casas)
{
    m_casaDecimal = std::max(casas, 0);
    ajustaDigitacao();
}

void TEditH::ajustaDigitacao()
{
    using Convencoes::Digitacao;
    const Digitacao regra = !m_numero            ? Digitacao::Livre
                            : m_casaDecimal == 0 ? Digitacao::Digitos
                                                 : Digitacao::Decimal;
    Convencoes::filtroDeDigitacao(this, regra, false);
}

Decimal TEditH::valor() const
{
    return Formatos::converte(Funcoes::LimpaNumero(text())).value_or(Decimal());
}

void TEditH::setValor(const Decimal& v)
{
    setText(formata(v));
}

QString TEditH::formata(const Decimal& v) const
{
    if (m_moeda)
        return Formatos::moeda(v, m_casaDecimal);
    if (m_porcentagem)
        return Formatos::porcentagem(v, m_casaDecimal);
    return Formatos::numero(v, m_casaDecimal);
}

QString TEditH::textoDeReserva() const
{
    if (m_moeda)
        return QStringLiteral("0,00");
    QString zero = QStringLiteral("0");
    if (m_casaDecimal > 0)
        zero += QLatin1Char(',') + QString(m_casaDecimal, QLatin1Char('0'));
    return m_porcentagem ? zero + QLatin1Char('%') : zero;
}

void TEditH::focusInEvent(QFocusEvent* evento)
{
    const Qt::FocusReason motivo = evento->reason();
    if (motivo != Qt::PopupFocusReason)
        Convencoes::pintaFundo(this, Convencoes::corFoco());
    const bool real = Convencoes::mudancaDeFocoReal(motivo);
    if (real && m_numero) {
        const QString limpo = Funcoes::LimpaNumero(text());
        if (limpo != text())
            setText(limpo);
    }
    QLineEdit::focusInEvent(evento);
    if (real) {
        selectAll();
        m_selecionaNoClique = motivo == Qt::MouseFocusReason;
    }
}

void TEditH::focusOutEvent(QFocusEvent* evento)
{
    QLineEdit::focusOutEvent(evento);
    m_selecionaNoClique = false;
    if (!Convencoes::mudancaDeFocoReal(evento->reason()))
        return;
    Convencoes::pintaFundo(this, Convencoes::corNormal());
    if (!m_numero || Convencoes::devolvendoFoco())
        return;
    if (const auto v = Formatos::converte(text())) {
        setText(formata(*v));
    } else {
        setText(textoDeReserva());
        Convencoes::devolveFoco(this);
    }
}

void TEditH::mouseReleaseEvent(QMouseEvent* evento)
{
    QLineEdit::mouseReleaseEvent(evento);
    // The click that gave the focus placed the cursor; the user expects the whole number
    // selected, as with Tab. A drag that selected part of it stays.
    if (m_selecionaNoClique && !hasSelectedText())
        selectAll();
    m_selecionaNoClique = false;
}
