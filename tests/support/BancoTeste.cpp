#include "support/BancoTeste.h"

#include "data/BancoEntregue.h"
#include "data/firebird/Transacao.h"

#include <QFile>
#include <QtTest>

namespace {

void aplica(Consulta& c, const QVariantMap& parametros)
{
    for (auto it = parametros.cbegin(); it != parametros.cend(); ++it)
        c.setParametro(it.key(), it.value());
}

// The database every test of this program starts from, built once.
QString modelo()
{
    static QTemporaryDir pasta;
    static bool pronto = false;
    if (!pronto) {
        Conexao c;
        BancoEntregue::cria(c, pasta.path(), false);
        c.fecha();
        pronto = true;
    }
    return Conexao::caminhoBanco(pasta.path());
}

} // namespace

BancoTeste::BancoTeste()
{
    if (!m_pasta.isValid())
        qFatal("no temporary folder for the test database");
    if (!QFile::copy(modelo(), arquivo()))
        qFatal("could not copy the test database");
    QFile::setPermissions(arquivo(), QFile::ReadOwner | QFile::WriteOwner);
    m_conexao.configuraEAbre(pasta());
}

BancoTeste::~BancoTeste()
{
    m_conexao.fecha();
}

QString BancoTeste::arquivo() const
{
    return Conexao::caminhoBanco(pasta());
}

qint64 BancoTeste::executa(const QString& sql, const QVariantMap& parametros)
{
    Transacao t(m_conexao);
    Consulta c(m_conexao);
    c.setSql(sql);
    aplica(c, parametros);
    const qint64 n = c.executa(t);
    t.commit();
    return n;
}

Resultado BancoTeste::consulta(const QString& sql, const QVariantMap& parametros)
{
    Consulta c(m_conexao);
    c.setSql(sql);
    aplica(c, parametros);
    return c.abre();
}

QVariant BancoTeste::valor(const QString& sql, const QVariantMap& parametros)
{
    Consulta c(m_conexao);
    c.setSql(sql);
    aplica(c, parametros);
    return c.primeiroValor();
}

int BancoTeste::conta(const QString& tabela)
{
    return int(valor(QStringLiteral("select count(*) from ") + tabela).toLongLong());
}

BancoServidor::BancoServidor()
{
    // The server runs as its own user and must be able to create and write the file.
    QFile::setPermissions(m_pasta.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                              QFileDevice::WriteOther | QFileDevice::ExeOther);
    BancoEntregue::cria(m_conexao, pastaRemota(), false);
}

BancoServidor::~BancoServidor()
{
    m_conexao.fecha();
    // The file belongs to the server's user; removing it needs only the folder's permission.
}

QString BancoServidor::pastaRemota() const
{
    return QStringLiteral("localhost:") + m_pasta.path();
}

void BancoTeste::recusa(const QString& tabela, const QString& operacoes, const QString& motivo)
{
    const QString nome = QStringLiteral("recusa_") + tabela;
    executa(QStringLiteral("CREATE EXCEPTION %1 '%2'").arg(nome, motivo));
    executa(QStringLiteral("CREATE TRIGGER %1 FOR %2 BEFORE %3 AS BEGIN EXCEPTION %1; END")
                .arg(nome, tabela, operacoes));
}
