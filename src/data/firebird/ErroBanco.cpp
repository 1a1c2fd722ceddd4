#include "data/firebird/ErroBanco.h"

#include <ibase.h>

ErroBanco::ErroBanco(const QString& mensagem, QList<qint64> codigos)
    : std::runtime_error(mensagem.toStdString()), m_mensagem(mensagem),
      m_codigos(std::move(codigos))
{}

bool ErroBanco::conflitoDeAtualizacao() const
{
    return temCodigo(isc_update_conflict) || temCodigo(isc_deadlock) ||
           temCodigo(isc_lock_conflict);
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
