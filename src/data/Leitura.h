#pragma once

#include "data/firebird/Consulta.h"

#include <optional>

// The look-ups of the data modules: one statement with one parameter, one row at most.
namespace Leitura {

// The first row `consulta` returns for `valor` in `parametro`, read in a short transaction of
// its own; none when there is no row. Database errors reach the caller as ErroBanco.
inline std::optional<Resultado> umaLinha(Consulta& consulta, const QString& parametro,
                                         const QVariant& valor)
{
    consulta.setParametro(parametro, valor);
    Resultado r = consulta.abre(nullptr, 1);
    if (r.vazio())
        return std::nullopt;
    return r;
}

// The first column of that row, as text.
inline std::optional<QString> umTexto(Consulta& consulta, const QString& parametro,
                                      const QVariant& valor)
{
    const std::optional<Resultado> r = umaLinha(consulta, parametro, valor);
    if (!r)
        return std::nullopt;
    return r->valor(0, 0).toString();
}

// A write whose key is one parameter (the record changed or deleted), run inside the caller's
// transaction; returns the rows it touched.
inline qint64 executa(Consulta& consulta, Transacao& transacao, const QString& parametro,
                      const QVariant& valor)
{
    consulta.setParametro(parametro, valor);
    return consulta.executa(transacao);
}

} // namespace Leitura
