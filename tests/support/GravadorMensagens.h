#pragma once

#include "common/Mensagens.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

struct MensagemGravada {
    TipoMensagem tipo;
    QString texto;

    bool operator==(const MensagemGravada&) const = default;
};

// Keeps every message the code under test shows, in order, and answers its confirmations from
// the answers the test queued. Installed for its lifetime; the default boxes come back after.
//
// A confirmation nobody scripted, or scripted answers left over when the recorder goes away,
// fail the running test (QEXPECT_FAIL applies to them like to a QVERIFY).
class GravadorMensagens {
public:
    GravadorMensagens();
    ~GravadorMensagens();
    GravadorMensagens(const GravadorMensagens&) = delete;
    GravadorMensagens& operator=(const GravadorMensagens&) = delete;

    // Queues the answer to the next confirmation; call once per expected question.
    void responde(bool sim);
    int respostasPendentes() const { return static_cast<int>(m_respostas.size()); }

    // Runs as each message arrives, before a confirmation is answered: the place to check
    // what the user sees at that moment (the focus, the fields).
    void aoMostrar(std::function<void(const MensagemGravada&)> gancho);

    const QList<MensagemGravada>& mensagens() const { return m_mensagens; }
    QStringList textos() const;
    int quantidade() const { return static_cast<int>(m_mensagens.size()); }
    bool contem(TipoMensagem tipo, const QString& texto) const;
    QString ultimoTexto() const;
    // Forgets the recorded messages; queued answers stay.
    void limpa() { m_mensagens.clear(); }

    // What this recorder reported as test failures.
    const QStringList& falhas() const { return m_falhas; }

private:
    bool recebe(TipoMensagem tipo, const QString& texto);
    void falha(const QString& texto);

    QList<MensagemGravada> m_mensagens;
    QList<bool> m_respostas;
    std::function<void(const MensagemGravada&)> m_gancho;
    QStringList m_falhas;
};

char* toString(const MensagemGravada& mensagem);
