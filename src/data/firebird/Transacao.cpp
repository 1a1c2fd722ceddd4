#include "data/firebird/Transacao.h"

#include "data/firebird/Conexao.h"
#include "data/firebird/Status.h"

#include <ibase.h>

using namespace Firebird;

Transacao::Transacao(Conexao& conexao, Tipo tipo) : m_conexao(conexao)
{
    IAttachment* anexo = conexao.anexo();
    m_handle = chamaFb([&] {
        StatusFb st;
        IXpbBuilder* tpb = Conexao::util()->getXpbBuilder(&st, IXpbBuilder::TPB, nullptr, 0);
        try {
            if (tipo == Tipo::Instantaneo) {
                tpb->insertTag(&st, isc_tpb_concurrency);
            } else {
                tpb->insertTag(&st, isc_tpb_read_committed);
                tpb->insertTag(&st, isc_tpb_rec_version);
            }
            if (tipo == Tipo::Escrita) {
                tpb->insertTag(&st, isc_tpb_wait);
                tpb->insertTag(&st, isc_tpb_write);
            } else {
                tpb->insertTag(&st, isc_tpb_read);
            }
            ITransaction* t =
                anexo->startTransaction(&st, tpb->getBufferLength(&st), tpb->getBuffer(&st));
            tpb->dispose();
            return t;
        } catch (...) {
            tpb->dispose();
            throw;
        }
    });
}

Transacao::~Transacao()
{
    if (!m_handle)
        return;
    try {
        rollback();
    } catch (const ErroBanco&) {
        // Nothing more can be done for a transaction whose connection is gone.
    }
}

ITransaction* Transacao::handle() const
{
    if (!m_handle)
        throw ErroBanco(QStringLiteral("A transação já foi encerrada."));
    return m_handle;
}

void Transacao::commit()
{
    ITransaction* t = handle();
    chamaFb([&] {
        StatusFb st;
        t->commit(&st);
    });
    m_handle = nullptr;
}

void Transacao::rollback()
{
    ITransaction* t = handle();
    m_handle = nullptr;
    try {
        StatusFb st;
        t->rollback(&st);
    } catch (const FbException& e) {
        t->release();
        throw StatusFb::erroDe(e);
    }
}
