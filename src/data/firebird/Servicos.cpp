#include "data/firebird/Servicos.h"

#include "data/firebird/Conexao.h"
#include "data/firebird/Status.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <QUuid>
#include <ibase.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

using namespace Firebird;

const char* const Servicos::backupIncompleto = "arquivo de backup incompleto ou corrompido";

namespace {

// The closing lines the server writes only when the work went to the end. A truncated backup
// file restores without any error, but never reaches the last of these.
const char* const fimBackup = "gbak:closing file, committing, and finishing";
const char* const fimRestauracao = "gbak:adjusting the ONLINE and FORCED WRITES flags";

// The server's answer to "next line?" may not be longer than this: with 65,536 bytes it answers
// only "truncated", forever.
constexpr unsigned tamanhoResposta = 65535;

int inteiro2(const unsigned char* p)
{
    return p[0] | (p[1] << 8);
}

int inteiro4(const unsigned char* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (p[3] << 24);
}

bool terminouCom(const QStringList& linhas, const char* fim)
{
    for (const QString& l : linhas)
        if (l.startsWith(QLatin1String(fim)))
            return true;
    return false;
}

// What a run of the server printed about its own failure (a half-read backup file is reported
// only in the output, never as an error).
QString errosDaSaida(const QStringList& linhas)
{
    QStringList erros;
    for (const QString& l : linhas)
        if (l.contains(QLatin1String("ERROR"), Qt::CaseSensitive))
            erros << l;
    return erros.join(QLatin1Char('\n'));
}

// A name beside `caminho` that nothing uses: the same folder, so that the rename onto it at the
// end is a single step of the file system.
QString nomeAoLado(const QString& caminho, const char* uso)
{
    const QFileInfo f(caminho);
    const QString base = f.fileName().isEmpty() ? QStringLiteral("zv") : f.fileName();
    for (;;) {
        const QString nome = f.dir().filePath(
            QStringLiteral(".%1.%2-%3")
                .arg(base, QLatin1String(uso), QUuid::createUuid().toString(QUuid::Id128).left(8)));
        if (!QFileInfo::exists(nome))
            return nome;
    }
}

// Replaces `destino` by `origem` in one step, whether or not `destino` exists.
bool substitui(const QString& origem, const QString& destino, QString* motivo)
{
    std::error_code erro;
    std::filesystem::rename(QFile::encodeName(origem).toStdString(),
                            QFile::encodeName(destino).toStdString(), erro);
    if (erro)
        *motivo = QString::fromLocal8Bit(erro.message().c_str());
    return !erro;
}

// The size of the file a service writes, as progress seen from outside; -1 while it is not there.
qint64 tamanhoDe(const QString& arquivo)
{
    if (arquivo.isEmpty())
        return -1;
    const QFileInfo f(arquivo);
    return f.exists() ? f.size() : -1;
}

QString semProgresso(std::chrono::milliseconds paciencia)
{
    const auto segundos = std::chrono::duration_cast<std::chrono::seconds>(paciencia).count();
    return QStringLiteral("o servidor ficou %1 segundo(s) sem nenhum progresso e o serviço foi "
                          "interrompido; nada foi alterado")
        .arg(std::max<long long>(segundos, 1));
}

class Servico {
public:
    explicit Servico(const QString& servidor)
    {
        // In-process, the server's code runs here and may ask our terminal for a file name.
        if (servidor.isEmpty())
            Servicos::fechaEntradaPadrao();
        chamaFb([&] {
            StatusFb st;
            IXpbBuilder* spb =
                Conexao::util()->getXpbBuilder(&st, IXpbBuilder::SPB_ATTACH, nullptr, 0);
            try {
                spb->insertString(&st, isc_spb_user_name, Conexao::usuario);
                spb->insertString(&st, isc_spb_password, Conexao::senha);
                const QByteArray nome =
                    servidor.isEmpty() ? QByteArray("service_mgr")
                                       : (servidor + QStringLiteral(":service_mgr")).toLocal8Bit();
                m_servico = Conexao::master()->getDispatcher()->attachServiceManager(
                    &st, nome.constData(), spb->getBufferLength(&st), spb->getBuffer(&st));
            } catch (...) {
                spb->dispose();
                throw;
            }
            spb->dispose();
        });
    }

    ~Servico()
    {
        if (!m_servico)
            return;
        try {
            StatusFb st;
            m_servico->detach(&st);
        } catch (const FbException&) {
            m_servico->release();
        }
    }

    Servico(const Servico&) = delete;
    Servico& operator=(const Servico&) = delete;

    // Starts the request the builder holds and reads the server's output until the service
    // has finished; throws the server's error. Output lines and growth of `vigiado` (the file
    // the service writes, when there is one) count as progress; `paciencia` without either
    // ends the wait as a failure.
    QStringList executa(const std::function<void(IXpbBuilder*, ThrowStatusWrapper*)>& monta,
                        const Servicos::Progresso& progresso, const QString& vigiado,
                        std::chrono::milliseconds paciencia)
    {
        QStringList linhas;
        chamaFb([&] {
            StatusFb st;
            IXpbBuilder* spb =
                Conexao::util()->getXpbBuilder(&st, IXpbBuilder::SPB_START, nullptr, 0);
            try {
                monta(spb, &st);
                m_servico->start(&st, spb->getBufferLength(&st), spb->getBuffer(&st));
            } catch (...) {
                spb->dispose();
                throw;
            }
            spb->dispose();

            // Wait at most a second per question, so a quiet server is asked again.
            const unsigned char envio[] = {isc_info_svc_timeout, 4, 0, 1, 0, 0, 0};
            const unsigned char pedido[] = {isc_info_svc_line};
            std::vector<unsigned char> resposta(tamanhoResposta);
            QElapsedTimer parado;
            parado.start();
            qint64 tamanho = tamanhoDe(vigiado);
            for (;;) {
                m_servico->query(&st, sizeof envio, envio, sizeof pedido, pedido,
                                 unsigned(resposta.size()), resposta.data());
                const unsigned char* p = resposta.data();
                const unsigned char* const fim = p + resposta.size();
                bool linha = false;
                bool aguarda = false;
                while (p < fim && *p != isc_info_end) {
                    const unsigned char item = *p++;
                    if (item == isc_info_svc_line && p + 2 <= fim) {
                        const int n = inteiro2(p);
                        p += 2;
                        if (n > 0 && p + n <= fim) {
                            linha = true;
                            QString texto =
                                QString::fromLocal8Bit(reinterpret_cast<const char*>(p), n);
                            while (!texto.isEmpty() && texto.back().isSpace())
                                texto.chop(1);
                            linhas << texto;
                            if (progresso)
                                progresso(texto);
                        }
                        p += n;
                    } else if (item == isc_info_truncated || item == isc_info_data_not_ready ||
                               item == isc_info_svc_timeout) {
                        aguarda = true;
                    } else {
                        break;
                    }
                }
                if (!linha && !aguarda)
                    break;
                const qint64 agora = tamanhoDe(vigiado);
                if (linha || agora != tamanho)
                    parado.restart();
                tamanho = agora;
                if (parado.elapsed() >= paciencia.count())
                    throw ErroBanco(semProgresso(paciencia));
            }
            // The output ends a moment before the service itself: wait for that too, so no
            // work of the server is still going on when the caller moves the files.
            // The answer is the item and a 4-byte count, with no length before it.
            const unsigned char rodando[] = {isc_info_svc_running};
            for (int i = 0; i < 600; ++i) {
                m_servico->query(&st, 0, nullptr, sizeof rodando, rodando,
                                 unsigned(resposta.size()), resposta.data());
                if (resposta[0] != isc_info_svc_running || inteiro4(&resposta[1]) == 0)
                    break;
                QThread::msleep(10);
            }
        });
        return linhas;
    }

private:
    IService* m_servico = nullptr;
};

// A backup and a restore are the same request the other way round: the database and the backup
// file, named as the server sees them; the progress follows the file the service writes.
QStringList copia(const QString& servidor, std::chrono::milliseconds paciencia, unsigned char acao,
                  const QString& banco, const QString& arquivo,
                  const Servicos::Progresso& progresso)
{
    const bool restaura = acao == isc_action_svc_restore;
    const QByteArray b = Servicos::caminhoNoServidor(banco).toLocal8Bit();
    const QByteArray a = Servicos::caminhoNoServidor(arquivo).toLocal8Bit();
    Servico s(servidor);
    return s.executa(
        [&](IXpbBuilder* spb, ThrowStatusWrapper* st) {
            spb->insertTag(st, acao);
            spb->insertString(st, isc_spb_dbname, b.constData());
            spb->insertString(st, isc_spb_bkp_file, a.constData());
            // Never over an existing file: the caller gives a new name.
            if (restaura)
                spb->insertInt(st, isc_spb_options, isc_spb_res_create);
            spb->insertTag(st, isc_spb_verbose);
        },
        progresso, Servicos::caminhoNoServidor(restaura ? banco : arquivo), paciencia);
}

// Takes the database `banco` off line or back on: `modo` says which, and how.
void mudaEstado(const QString& servidor, std::chrono::milliseconds paciencia, const QString& banco,
                const std::function<void(IXpbBuilder*, ThrowStatusWrapper*)>& modo)
{
    const QByteArray b = Servicos::caminhoNoServidor(banco).toLocal8Bit();
    Servico s(servidor);
    s.executa(
        [&](IXpbBuilder* spb, ThrowStatusWrapper* st) {
            spb->insertTag(st, isc_action_svc_properties);
            spb->insertString(st, isc_spb_dbname, b.constData());
            modo(spb, st);
        },
        {}, QString(), paciencia);
}

} // namespace

Servicos::Servicos(const QString& banco, std::chrono::milliseconds paciencia)
    : m_paciencia(paciencia)
{
    if (Conexao::ehRemoto(banco))
        m_servidor = banco.left(banco.indexOf(QLatin1Char(':')));
}

void Servicos::fechaEntradaPadrao()
{
    int vazia = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (vazia < 0) {
        // A pipe whose writing end is closed reads as an empty file just the same.
        int tubo[2];
        if (::pipe(tubo) != 0)
            return;
        ::close(tubo[1]);
        vazia = tubo[0];
    }
    if (vazia != STDIN_FILENO) {
        ::dup2(vazia, STDIN_FILENO);
        ::close(vazia);
    } else {
        // It took the free place of standard input: programs started from here keep it.
        ::fcntl(STDIN_FILENO, F_SETFD, 0);
    }
}

QString Servicos::caminhoNoServidor(const QString& caminho)
{
    return Conexao::ehRemoto(caminho) ? caminho.mid(caminho.indexOf(QLatin1Char(':')) + 1)
                                      : caminho;
}

QStringList Servicos::executaBackup(const QString& banco, const QString& arquivo,
                                    const Progresso& progresso) const
{
    return copia(m_servidor, m_paciencia, isc_action_svc_backup, banco, arquivo, progresso);
}

QStringList Servicos::executaRestauracao(const QString& arquivo, const QString& banco,
                                         const Progresso& progresso) const
{
    return copia(m_servidor, m_paciencia, isc_action_svc_restore, banco, arquivo, progresso);
}

void Servicos::desligaBanco(const QString& banco) const
{
    mudaEstado(m_servidor, m_paciencia, banco, [](IXpbBuilder* spb, ThrowStatusWrapper* st) {
        spb->insertBytes(st, isc_spb_prp_shutdown_mode, "\x03", 1); // full
        // Waits for nobody: fails at once when someone is attached.
        spb->insertInt(st, isc_spb_prp_attachments_shutdown, 0);
    });
}

void Servicos::religaBanco(const QString& banco) const
{
    mudaEstado(m_servidor, m_paciencia, banco, [](IXpbBuilder* spb, ThrowStatusWrapper* st) {
        spb->insertBytes(st, isc_spb_prp_online_mode, "\x00", 1); // normal
    });
}

void Servicos::backup(const QString& banco, const QString& arquivo,
                      const Progresso& progresso) const
{
    const QString destino = caminhoNoServidor(arquivo);
    if (destino.trimmed().isEmpty())
        throw ErroBanco(QStringLiteral("Nenhum arquivo de backup foi escolhido."));
    const QString parcial = nomeAoLado(destino, "backup");
    try {
        const QStringList linhas = executaBackup(banco, parcial, progresso);
        if (!terminouCom(linhas, fimBackup)) {
            const QString erros = errosDaSaida(linhas);
            throw ErroBanco(erros.isEmpty() ? QStringLiteral("o backup não foi concluído") : erros);
        }
        QString motivo;
        if (!substitui(parcial, destino, &motivo))
            throw ErroBanco(QStringLiteral("não foi possível gravar %1: %2").arg(destino, motivo));
    } catch (...) {
        QFile::remove(parcial);
        throw;
    }
}

void Servicos::restaura(const QString& arquivo, const QString& banco,
                        const Progresso& progresso) const
{
    const QString alvo = caminhoNoServidor(banco);
    if (caminhoNoServidor(arquivo).trimmed().isEmpty())
        throw ErroBanco(QStringLiteral("Nenhum arquivo de backup foi escolhido."));
    if (alvo.trimmed().isEmpty())
        throw ErroBanco(QStringLiteral("Nenhum banco de dados de destino foi escolhido."));
    const QString novo = nomeAoLado(alvo, "restaurando");
    try {
        const QStringList linhas = executaRestauracao(arquivo, novo, progresso);
        if (!terminouCom(linhas, fimRestauracao)) {
            const QString erros = errosDaSaida(linhas);
            throw ErroBanco(QLatin1String(backupIncompleto) +
                            (erros.isEmpty() ? QString() : QStringLiteral("\n") + erros));
        }
        const QFileInfo antigo(alvo);
        const bool existe = antigo.exists();
        if (existe) {
            // Refused while anyone works in it: replacing the file under an attached server or
            // workstation would lose what they write next.
            try {
                desligaBanco(banco);
            } catch (const ErroBanco& e) {
                throw ErroBanco(QStringLiteral("o banco de dados %1 está em uso ou não pode ser "
                                               "substituído; nada foi alterado.\n")
                                        .arg(alvo) +
                                    e.mensagem(),
                                e.codigos());
            }
            QFile::setPermissions(novo, antigo.permissions());
        }
        QString motivo;
        if (!substitui(novo, alvo, &motivo)) {
            if (existe) {
                try {
                    religaBanco(banco);
                } catch (const ErroBanco&) {
                    // The original error below is the one worth showing.
                }
            }
            throw ErroBanco(QStringLiteral("não foi possível substituir %1: %2").arg(alvo, motivo));
        }
    } catch (...) {
        QFile::remove(novo);
        throw;
    }
}
