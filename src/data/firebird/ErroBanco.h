#pragma once

#include <QList>
#include <QString>
#include <stdexcept>

// The one error type of the database layer. It carries the server's own message, line by line
// as the server formats it, so a window can show it after its own fixed text; and the server's
// error codes, so a caller can tell a lock conflict or a duplicate key from other failures.
class ErroBanco : public std::runtime_error {
public:
    explicit ErroBanco(const QString& mensagem, QList<qint64> codigos = {});

    QString mensagem() const { return m_mensagem; }
    const QList<qint64>& codigos() const { return m_codigos; }
    bool temCodigo(qint64 codigo) const { return m_codigos.contains(codigo); }

    // Another workstation changed, deleted or locked the same row first.
    bool conflitoDeAtualizacao() const;
    // A primary or unique key already holds the value (a code or number taken meanwhile).
    bool chaveDuplicada() const;
    // A text longer than its column, or a number out of its column's range.
    bool truncamento() const;

private:
    QString m_mensagem;
    QList<qint64> m_codigos;
};
