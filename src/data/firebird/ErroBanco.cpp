#include "data/firebird/ErroBanco.h"

#include <ibase.h>

ErroBanco::ErroBanco(const QString& mensagem, QList<qint64> codigos)
    : std::runtime_error(mensagem.toStdString()), m_mensagem(mensagem),
      m_codigos(std::move(codigos))
{}

bool ErroBanco::conflitoDeAtualizacao() const
{
    // A row deleted by another workstation while this one waited to change or delete it comes
    // back as the engine's generic error with this text and no code of its own.
    return temCodigo(isc_update_conflict) || temCodigo(isc_deadlock) ||
           temCodigo(isc_lock_conflict) ||
           (temCodigo(isc_random) &&
            m_mensagem.contains(QLatin1String("cannot update erased record")));
}

bool ErroBanco::chaveDuplicada() const
{
    return temCodigo(isc_unique_key_violation) || temCodigo(isc_no_dup);
}

bool ErroBanco::truncamento() const
{
    return temCodigo(isc_string_truncation) || temCodigo(isc_arith_except) ||
           temCodigo(isc_numeric_out_of_range);
}
