#include "support/GravadorMensagens.h"

#include <QTest>

namespace {

const char* nomeDe(TipoMensagem tipo)
{
    switch (tipo) {
    case TipoMensagem::Aviso:
        return "Aviso";
    case TipoMensagem::Erro:
        return "Erro";
    case TipoMensagem::Informacao:
        return "Informacao";
    case TipoMensagem::Confirmacao:
        return "Confirmacao";
    case TipoMensagem::Simples:
        return "Simples";
    }
    return "?";
}

} // namespace

GravadorMensagens::GravadorMensagens()
{
    Mensagens::instala(
        [this](TipoMensagem tipo, const QString& texto, QWidget*) { return recebe(tipo, texto); });
}

GravadorMensagens::~GravadorMensagens()
{
    Mensagens::restauraPadrao();
    // A question the test expected never came; only worth saying if nothing failed earlier,
    // since an early failure skips the rest of the flow anyway.
    if (!m_respostas.isEmpty() && QTest::currentTestFunction() && !QTest::currentTestFailed())
        falha(QStringLiteral("%1 scripted confirmation answer(s) never used")
                  .arg(m_respostas.size()));
}

void GravadorMensagens::responde(bool sim)
{
    m_respostas.append(sim);
}

void GravadorMensagens::aoMostrar(std::function<void(const MensagemGravada&)> gancho)
{
    m_gancho = std::move(gancho);
}

QStringList GravadorMensagens::textos() const
{
    QStringList lista;
    for (const MensagemGravada& mensagem : m_mensagens)
        lista.append(mensagem.texto);
    return lista;
}

bool GravadorMensagens::contem(TipoMensagem tipo, const QString& texto) const
{
    return m_mensagens.contains(MensagemGravada{tipo, texto});
}

QString GravadorMensagens::ultimoTexto() const
{
    return m_mensagens.isEmpty() ? QString() : m_mensagens.last().texto;
}

bool GravadorMensagens::recebe(TipoMensagem tipo, const QString& texto)
{
    // The hook gets its own copy: it may show further messages, which grows the list.
    const MensagemGravada mensagem{tipo, texto};
    m_mensagens.append(mensagem);
    if (m_gancho)
        m_gancho(mensagem);
    if (tipo != TipoMensagem::Confirmacao)
        return false;
    if (m_respostas.isEmpty()) {
        falha(QStringLiteral("Unscripted confirmation (answered \"Não\"): \"%1\"").arg(texto));
        return false;
    }
    return m_respostas.takeFirst();
}

void GravadorMensagens::falha(const QString& texto)
{
    m_falhas.append(texto);
    // Reported like a failed QVERIFY, so the test's own QEXPECT_FAIL applies to it.
    QTest::qVerify(false, "every message answered as scripted", texto.toUtf8().constData(),
                   __FILE__, __LINE__);
}

char* toString(const MensagemGravada& mensagem)
{
    const QByteArray texto =
        QByteArray(nomeDe(mensagem.tipo)) + ": \"" + mensagem.texto.toUtf8() + '"';
    return qstrdup(texto.constData());
}
