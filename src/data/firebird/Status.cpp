#include "data/firebird/Status.h"

#include "data/firebird/Conexao.h"

using namespace Firebird;

StatusFb::StatusFb() : m_status(Conexao::master()->getStatus()), m_wrapper(m_status) {}

StatusFb::~StatusFb()
{
    m_status->dispose();
}

ErroBanco StatusFb::erroDe(const FbException& e)
{
    IStatus* status = e.getStatus();
    char texto[4096];
    Conexao::util()->formatStatus(texto, sizeof texto, status);

    QList<qint64> codigos;
    const intptr_t* v = status->getErrors();
    while (v && *v != isc_arg_end) {
        const intptr_t tipo = v[0];
        if (tipo == isc_arg_gds)
            codigos << qint64(v[1]);
        // Every argument kind takes one value, except the counted strings, which take two.
        v += (tipo == isc_arg_cstring) ? 3 : 2;
    }
    // The server's messages are plain ASCII or Latin-1 (a table or file name may carry
    // accents).
    return ErroBanco(QString::fromLatin1(texto).trimmed(), codigos);
}
