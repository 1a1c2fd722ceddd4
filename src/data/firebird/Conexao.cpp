#include "data/firebird/Conexao.h"
#include "data/firebird/Consulta.h"

#include "data/firebird/Status.h"

#include <QFileInfo>
#include <ibase.h>

using namespace Firebird;

const char* const Conexao::usuario = "SYSDBA";
const char* const Conexao::senha = "plumcrest";
const char* const Conexao::arquivo = "zv.fdb";

namespace {

// Prepared statements kept per connection. The program's statements are a few hundred fixed
// texts at most; the bound only guards against texts built with values inside.
constexpr int maxComandos = 512;

// The parameters every attachment and every new database gets.
IXpbBuilder* novoDpb(ThrowStatusWrapper* st)
{
    IXpbBuilder* dpb = Conexao::util()->getXpbBuilder(st, IXpbBuilder::DPB, nullptr, 0);
    dpb->insertString(st, isc_dpb_user_name, Conexao::usuario);
    dpb->insertString(st, isc_dpb_password, Conexao::senha);
    dpb->insertString(st, isc_dpb_lc_ctype, "ISO8859_1");
    dpb->insertInt(st, isc_dpb_sql_dialect, 3);
    return dpb;
}

} // namespace

Conexao::Conexao() = default;

Conexao::~Conexao()
{
    fecha();
}

QString Conexao::caminhoBanco(const QString& pasta)
{
    const QChar separador =
        pasta.contains(QLatin1Char('\\')) ? QLatin1Char('\\') : QLatin1Char('/');
    return pasta + separador + QLatin1String(arquivo);
}

bool Conexao::ehRemoto(const QString& caminho)
{
    return caminho.indexOf(QLatin1Char(':')) > 1;
}

void Conexao::configura(const QString& pasta, bool commitRetain)
{
    fecha();
    m_pasta = pasta;
    m_banco = caminhoBanco(pasta);
    m_commitRetain = commitRetain;
}

void Conexao::abre()
{
    fecha();
    chamaFb([&] {
        StatusFb st;
        IXpbBuilder* dpb = novoDpb(&st);
        const QByteArray caminho = m_banco.toLocal8Bit();
        try {
            m_anexo = master()->getDispatcher()->attachDatabase(
                &st, caminho.constData(), dpb->getBufferLength(&st), dpb->getBuffer(&st));
        } catch (...) {
            dpb->dispose();
            throw;
        }
        dpb->dispose();
    });
}

void Conexao::configuraEAbre(const QString& pasta, bool commitRetain)
{
    configura(pasta, commitRetain);
    abre();
}

void Conexao::fecha()
{
    for (Cursor* c : QSet<Cursor*>(m_cursores))
        c->fecha();
    m_cursores.clear();
    liberaComandos();
    if (!m_anexo)
        return;
    try {
        StatusFb st;
        m_anexo->detach(&st);
        m_anexo = nullptr;
    } catch (const FbException&) {
        // A connection whose server went away cannot be detached cleanly; drop it.
        m_anexo->release();
        m_anexo = nullptr;
    }
}

void Conexao::criaBanco(const QString& caminho, bool gravacaoForcada)
{
    fecha();
    if (!ehRemoto(caminho) && QFileInfo::exists(caminho))
        throw ErroBanco(QStringLiteral("O arquivo %1 já existe; nada foi alterado.").arg(caminho));
    m_banco = caminho;
    m_pasta = QFileInfo(caminho).path();
    chamaFb([&] {
        StatusFb st;
        IXpbBuilder* dpb = novoDpb(&st);
        try {
            dpb->insertString(&st, isc_dpb_set_db_charset, "ISO8859_1");
            dpb->insertInt(&st, isc_dpb_page_size, 8192);
            dpb->insertInt(&st, isc_dpb_force_write, gravacaoForcada ? 1 : 0);
            const QByteArray arq = caminho.toLocal8Bit();
            m_anexo = master()->getDispatcher()->createDatabase(
                &st, arq.constData(), dpb->getBufferLength(&st), dpb->getBuffer(&st));
        } catch (...) {
            dpb->dispose();
            throw;
        }
        dpb->dispose();
    });
}

QStringList Conexao::divideScript(const QString& script)
{
    QStringList comandos;
    QString atual;
    const int n = script.size();
    for (int i = 0; i < n; ++i) {
        const QChar c = script[i];
        const QChar prox = i + 1 < n ? script[i + 1] : QChar();
        if (c == QLatin1Char('-') && prox == QLatin1Char('-')) {
            while (i < n && script[i] != QLatin1Char('\n'))
                ++i;
            atual += QLatin1Char('\n');
        } else if (c == QLatin1Char('/') && prox == QLatin1Char('*')) {
            const int fim = script.indexOf(QLatin1String("*/"), i + 2);
            i = fim < 0 ? n : fim + 1;
            atual += QLatin1Char(' ');
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // Quoted text, with a doubled quote standing for itself.
            atual += c;
            for (++i; i < n; ++i) {
                atual += script[i];
                if (script[i] == c) {
                    if (i + 1 < n && script[i + 1] == c)
                        atual += script[++i];
                    else
                        break;
                }
            }
        } else if (c == QLatin1Char(';')) {
            if (!atual.trimmed().isEmpty())
                comandos << atual.trimmed();
            atual.clear();
        } else {
            atual += c;
        }
    }
    if (!atual.trimmed().isEmpty())
        comandos << atual.trimmed();
    return comandos;
}

void Conexao::executaScript(const QString& script)
{
    IAttachment* a = anexo();
    for (const QString& comando : divideScript(script)) {
        chamaFb([&] {
            StatusFb st;
            ITransaction* t = a->startTransaction(&st, 0, nullptr);
            try {
                const QByteArray sql = comando.toLatin1();
                a->execute(&st, t, 0, sql.constData(), 3, nullptr, nullptr, nullptr, nullptr);
                t->commit(&st);
            } catch (const FbException& e) {
                ErroBanco erro = StatusFb::erroDe(e);
                try {
                    StatusFb st2;
                    t->rollback(&st2);
                } catch (const FbException&) {
                    t->release();
                }
                throw ErroBanco(erro.mensagem() + QStringLiteral("\nNo comando:\n") + comando,
                                erro.codigos());
            }
        });
    }
}

IMaster* Conexao::master()
{
    static IMaster* m = fb_get_master_interface();
    return m;
}

IUtil* Conexao::util()
{
    static IUtil* u = master()->getUtilInterface();
    return u;
}

IAttachment* Conexao::anexo() const
{
    if (!m_anexo)
        throw ErroBanco(QStringLiteral("A conexão com o banco de dados não está aberta."));
    return m_anexo;
}

IStatement* Conexao::prepara(ITransaction* transacao, const QByteArray& sql)
{
    if (IStatement* pronto = m_comandos.value(sql))
        return pronto;
    IStatement* comando = chamaFb([&] {
        StatusFb st;
        return anexo()->prepare(&st, transacao, 0, sql.constData(), 3,
                                IStatement::PREPARE_PREFETCH_METADATA);
    });
    if (m_ordemComandos.size() >= maxComandos) {
        const QByteArray antigo = m_ordemComandos.takeFirst();
        if (IStatement* s = m_comandos.take(antigo)) {
            try {
                StatusFb st;
                s->free(&st);
            } catch (const FbException&) {
                s->release();
            }
        }
    }
    m_comandos.insert(sql, comando);
    m_ordemComandos << sql;
    return comando;
}

void Conexao::liberaComandos()
{
    for (IStatement* s : std::as_const(m_comandos)) {
        try {
            StatusFb st;
            s->free(&st);
        } catch (const FbException&) {
            s->release();
        }
    }
    m_comandos.clear();
    m_ordemComandos.clear();
}
