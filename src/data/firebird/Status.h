#pragma once

#include "data/firebird/ErroBanco.h"

#include <firebird/Interface.h>

// A status object for one call sequence of the client library. Calls throw Firebird's own
// exception; erroDe() turns it into ErroBanco with the server's formatted message.
class StatusFb {
public:
    StatusFb();
    ~StatusFb();
    StatusFb(const StatusFb&) = delete;
    StatusFb& operator=(const StatusFb&) = delete;

    Firebird::ThrowStatusWrapper* operator&() { return &m_wrapper; }

    static ErroBanco erroDe(const Firebird::FbException& e);

private:
    Firebird::IStatus* m_status;
    Firebird::ThrowStatusWrapper m_wrapper;
};

// Runs `corpo`, translating the client library's exception into ErroBanco.
template <typename F> auto chamaFb(F&& corpo) -> decltype(corpo())
{
    try {
        return corpo();
    } catch (const Firebird::FbException& e) {
        throw StatusFb::erroDe(e);
    }
}
