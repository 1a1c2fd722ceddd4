// zvdb: the administrator's command line for the stock-room database.
//
//   zvdb criar PASTA                                  creates PASTA/zv.fdb, empty
//   zvdb demo PASTA                                   fills it with a small demo data set
//   zvdb volume PASTA --produtos N --movimentos M     fills it with bulk data for benchmarks
//   zvdb backup PASTA ARQUIVO.gbk [--verbose]         backs PASTA/zv.fdb up into ARQUIVO.gbk
//   zvdb restaura ARQUIVO.gbk PASTA [--verbose]       restores it as PASTA/zv.fdb
//
// PASTA may also be "host:/folder" on a Firebird server.

#include "data/DadosDemo.h"

#include "data/BancoEntregue.h"
#include "data/firebird/Conexao.h"
#include "data/firebird/ErroBanco.h"
#include "data/firebird/Servicos.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>
#include <cstdlib>

namespace {

void escreve(FILE* saida, const QString& texto)
{
    std::fputs(texto.toLocal8Bit().constData(), saida);
    std::fputc('\n', saida);
}

int uso()
{
    escreve(stderr,
            QStringLiteral("Uso:\n"
                           "  zvdb criar PASTA\n"
                           "      cria PASTA/zv.fdb com as tabelas e os dados de referência\n"
                           "  zvdb demo PASTA\n"
                           "      preenche o banco de PASTA com dados de demonstração\n"
                           "  zvdb volume PASTA --produtos N --movimentos M\n"
                           "      preenche o banco de PASTA com N produtos e M movimentos\n"
                           "  zvdb backup PASTA ARQUIVO.gbk [--verbose]\n"
                           "      copia o banco de PASTA para o arquivo de backup\n"
                           "  zvdb restaura ARQUIVO.gbk PASTA [--verbose]\n"
                           "      restaura o arquivo de backup como o banco de PASTA; um banco\n"
                           "      em uso não é substituído\n"
                           "PASTA pode ser uma pasta local ou servidor:/pasta."));
    return 2;
}

bool numeroPositivo(const QString& texto, qint64* valor)
{
    bool ok = false;
    *valor = texto.toLongLong(&ok);
    return ok && *valor >= 0;
}

int criar(const QString& pasta)
{
    if (!Conexao::ehRemoto(pasta)) {
        if (!QFileInfo(pasta).isDir()) {
            escreve(stderr, QStringLiteral("A pasta %1 não existe.").arg(pasta));
            return 1;
        }
        if (QFileInfo::exists(Conexao::caminhoBanco(pasta))) {
            escreve(stderr, QStringLiteral("%1 já existe; nada foi alterado.")
                                .arg(Conexao::caminhoBanco(pasta)));
            return 1;
        }
    }
    Conexao c;
    BancoEntregue::cria(c, pasta);
    escreve(stdout, QStringLiteral("Banco criado: %1").arg(Conexao::caminhoBanco(pasta)));
    return 0;
}

Conexao* abre(Conexao& c, const QString& pasta)
{
    c.configuraEAbre(pasta);
    return &c;
}

// Backup and restore for scheduled runs (cron): the server's progress with --verbose, the
// server's message and a non-zero exit on any failure, and the same safeguards as the windows.
int servico(const QString& comando, QStringList args)
{
    const bool verboso = args.removeAll(QStringLiteral("--verbose")) > 0;
    if (args.size() != 2)
        return uso();
    Servicos::Progresso progresso;
    if (verboso)
        progresso = [](const QString& linha) { escreve(stdout, linha); };
    // The server needs whole paths: a relative one would be taken from its own folder.
    for (QString& a : args)
        if (!Conexao::ehRemoto(a))
            a = QFileInfo(a).absoluteFilePath();
    if (comando == QLatin1String("backup")) {
        const QString banco = Conexao::caminhoBanco(args[0]);
        Servicos(banco).backup(banco, args[1], progresso);
        escreve(stdout, QStringLiteral("Backup de %1 gravado em %2").arg(banco, args[1]));
    } else {
        const QString banco = Conexao::caminhoBanco(args[1]);
        Servicos(banco).restaura(args[0], banco, progresso);
        escreve(stdout, QStringLiteral("%1 restaurado em %2").arg(args[0], banco));
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2)
        return uso();
    const QString comando = args[0];
    const QString pasta = args[1];

    try {
        if (comando == QLatin1String("backup") || comando == QLatin1String("restaura")) {
            int resultado = 1;
            try {
                resultado = servico(comando, args.mid(1));
            } catch (const ErroBanco& e) {
                escreve(stderr, QStringLiteral("Erro do banco de dados:\n") + e.mensagem());
            }
            // The embedded engine's threads may still be tidying up after a service, and
            // unloading the engine under them can crash the process on its way out (the work
            // itself is done and on disk by now). End without unloading anything.
            std::fflush(stdout);
            std::fflush(stderr);
            std::_Exit(resultado);
        }

        if (comando == QLatin1String("criar") && args.size() == 2)
            return criar(pasta);

        if (comando == QLatin1String("demo") && args.size() == 2) {
            Conexao c;
            DadosDemo::preenche(*abre(c, pasta));
            escreve(stdout, QStringLiteral("Dados de demonstração gravados em %1")
                                .arg(Conexao::caminhoBanco(pasta)));
            return 0;
        }

        if (comando == QLatin1String("volume")) {
            qint64 produtos = -1, movimentos = -1;
            for (int i = 2; i < args.size(); ++i) {
                const QString opcao = args[i];
                if (i + 1 >= args.size())
                    return uso();
                const QString valor = args[++i];
                qint64* alvo = opcao == QLatin1String("--produtos")     ? &produtos
                               : opcao == QLatin1String("--movimentos") ? &movimentos
                                                                        : nullptr;
                if (!alvo)
                    return uso();
                if (!numeroPositivo(valor, alvo)) {
                    escreve(stderr, QStringLiteral("%1 espera um número inteiro, não \"%2\".")
                                        .arg(opcao, valor));
                    return 2;
                }
            }
            if (produtos < 0 || movimentos < 0)
                return uso();
            if (produtos == 0 && movimentos > 0) {
                escreve(stderr, QStringLiteral("Movimentos precisam de ao menos um produto."));
                return 2;
            }
            Conexao c;
            QElapsedTimer relogio;
            relogio.start();
            DadosDemo::preencheVolume(*abre(c, pasta), produtos, movimentos);
            escreve(stdout, QStringLiteral("%1 produtos e %2 movimentos gravados em %3 s")
                                .arg(produtos)
                                .arg(movimentos)
                                .arg(relogio.elapsed() / 1000.0, 0, 'f', 1));
            return 0;
        }
    } catch (const ErroBanco& e) {
        escreve(stderr, QStringLiteral("Erro do banco de dados:\n") + e.mensagem());
        return 1;
    } catch (const std::exception& e) {
        escreve(stderr, QStringLiteral("Erro: ") + QString::fromLocal8Bit(e.what()));
        return 1;
    }
    return uso();
}
