#include "reports/FonteDeLinhas.h"

#include "data/firebird/Consulta.h"

FonteDeLinhas::FonteDeLinhas(const DataSet& lista) : m_lista(lista) {}

FonteDeLinhas::FonteDeLinhas(std::unique_ptr<Cursor> cursor, const DataSet& formatos, int lote)
    : m_lista(formatos), m_cursor(std::move(cursor)), m_tamanhoDoLote(qMax(1, lote))
{
    m_campos = m_cursor->campos();
    for (const QString& c : m_campos)
        m_formatos << formatos.formato(c);
}

FonteDeLinhas::~FonteDeLinhas() = default;

int FonteDeLinhas::campo(const QString& nome) const
{
    if (!m_cursor)
        return m_lista.campo(nome);
    for (int i = 0; i < m_campos.size(); ++i)
        if (m_campos.at(i).compare(nome, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool FonteDeLinhas::existe(int linha)
{
    if (!m_cursor)
        return linha < m_lista.tamanho();
    while (linha >= m_inicio + m_lote.size()) {
        if (!m_cursor->aberto())
            return false;
        m_inicio += int(m_lote.size());
        // The batch laid out is let go before the next one is read.
        m_lote.clear();
        m_cursor->le(m_lote, m_tamanhoDoLote);
    }
    return linha >= m_inicio;
}

QVariant FonteDeLinhas::valor(int linha, int campo) const
{
    if (!m_cursor)
        return m_lista.valor(linha, campo);
    if (campo < 0)
        return QVariant();
    return m_lote.at(linha - m_inicio).value(campo);
}

QString FonteDeLinhas::texto(int linha, int campo) const
{
    if (!m_cursor)
        return m_lista.texto(linha, campo);
    if (campo < 0 || campo >= m_formatos.size())
        return QString();
    return DataSet::formata(m_lote.at(linha - m_inicio).at(campo), m_formatos.at(campo));
}

int FonteDeLinhas::emMemoria() const
{
    return m_cursor ? int(m_lote.size()) : m_lista.tamanho();
}
