// zvdb: the administrator's command line for the stock-room database.
//
//   zvdb criar PASTA                                  creates PASTA/zv.fdb, empty
//   zvdb demo PASTA                                   fills it with a small demo data set
//   zvdb volume PASTA --produtos N --movimentos M     fills it with bulk data for benchmarks
//   zvdb backup PASTA ARQUIVO.gbk [--verbose]         backs PASTA/zv.fdb up into ARQUIVO.gbk
//   zvdb restaura ARQUIVO.gbk PASTA [--verbose]       restores it as PASTA/zv.fdb
//   zvdb relatorio PASTA CHAVE ARQUIVO.pdf [--grupo CODIGO] [--de DD/MM/AAAA --ate DD/MM/AAAA]
//                  [--produto CODIGO] [--requisitante CODIGO] [--verbose]
//                                                     writes the report of a key as PDF
//
// PASTA may also be "host:/folder" on a Firebird server.

#include "data/BancoEntregue.h"
#include "data/DadosDemo.h"
#include "data/DataModule_Empresa.h"
#include "data/DataModule_Grupos.h"
#include "data/DataModule_MovConsu.h"
#include "data/DataModule_MovEstq.h"
#include "data/DataModule_Produtos.h"
#include "data/DataModule_Req.h"
#include "data/firebird/Conexao.h"
#include "data/firebird/ErroBanco.h"
#include "data/firebird/Servicos.h"
#include "reports/Relatorios.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <memory>

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
                           "  zvdb relatorio PASTA CHAVE ARQUIVO.pdf [--verbose] [--grupo CODIGO]\n"
                           "        [--de DD/MM/AAAA --ate DD/MM/AAAA] [--produto CODIGO]\n"
                           "        [--requisitante CODIGO]\n"
                           "      grava em PDF o relatório da chave (\"Itens Estoque Codigo\", ...)\n"
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

// The report of a key that needs no window, written as PDF through the same layouts the
// program prints with, the company header read from the database.
int relatorio(QStringList args)
{
    const bool verboso = args.removeAll(QStringLiteral("--verbose")) > 0;
    if (args.size() < 4)
        return uso();
    const QString pasta = args[1];
    const QString chave = args[2];
    const QString arquivo = args[3];
    QHash<QString, QString> opcoes;
    for (int i = 4; i < args.size(); ++i) {
        static const QStringList conhecidas{"--grupo", "--de", "--ate", "--produto",
                                            "--requisitante"};
        if (!conhecidas.contains(args[i]) || i + 1 >= args.size())
            return uso();
        opcoes.insert(args[i], args[i + 1]);
        ++i;
    }
    const std::optional<Relatorios::Dialogo> dialogo = Relatorios::dialogoDaChave(chave);
    if (!Relatorios::semDialogo(chave) && !Relatorios::doGrupo(chave) && !dialogo) {
        escreve(stderr, QStringLiteral("Chave de relatório desconhecida: \"%1\". Chaves aceitas: %2")
                            .arg(chave, Relatorios::chaves().join(QStringLiteral(", "))));
        return 2;
    }
    // What each key needs, as its dialog would ask for it.
    const char* exigida = nullptr;
    if (Relatorios::doGrupo(chave) || dialogo == Relatorios::Dialogo::Grupo)
        exigida = "--grupo";
    else if (dialogo == Relatorios::Dialogo::Produto)
        exigida = "--produto";
    else if (dialogo == Relatorios::Dialogo::Requisitante)
        exigida = "--requisitante";
    if (exigida && !opcoes.contains(QLatin1String(exigida))) {
        escreve(stderr, QStringLiteral("O relatório \"%1\" precisa de %2 CODIGO.")
                            .arg(chave, QLatin1String(exigida)));
        return 2;
    }
    // A code wider than its column names nothing in the register; the database would only
    // refuse to compare it.
    if (exigida) {
        const int largura = exigida == QLatin1String("--produto") ? 10 : 6;
        QString dado = opcoes.value(QLatin1String(exigida));
        if (exigida == QLatin1String("--produto"))
            dado = dado.trimmed();
        if (dado.size() > largura) {
            escreve(stderr, QStringLiteral("%1 aceita um código de no máximo %2 caracteres; "
                                           "\"%3\" não existe.")
                                .arg(QLatin1String(exigida))
                                .arg(largura)
                                .arg(dado));
            return 2;
        }
    }
    QDate de, ate;
    if (dialogo) {
        de = QDate::fromString(opcoes.value(QStringLiteral("--de")), QStringLiteral("dd/MM/yyyy"));
        ate = QDate::fromString(opcoes.value(QStringLiteral("--ate")), QStringLiteral("dd/MM/yyyy"));
        if (!de.isValid() || !ate.isValid()) {
            escreve(stderr, QStringLiteral("O relatório \"%1\" precisa de --de DD/MM/AAAA e "
                                           "--ate DD/MM/AAAA.")
                                .arg(chave));
            return 2;
        }
    }
    if (!Conexao::ehRemoto(pasta) && !QFileInfo::exists(Conexao::caminhoBanco(pasta))) {
        escreve(stderr,
                QStringLiteral("O banco %1 não existe.").arg(Conexao::caminhoBanco(pasta)));
        return 1;
    }
    {
        QFile teste(arquivo);
        const bool existia = teste.exists();
        if (!teste.open(QIODevice::WriteOnly | QIODevice::Append)) {
            escreve(stderr, QStringLiteral("Não foi possível gravar o arquivo %1.").arg(arquivo));
            return 1;
        }
        teste.close();
        if (!existia)
            teste.remove();
    }
    Conexao c;
    c.configuraEAbre(pasta);
    TdmProdutos produtos(c);
    TdmMovEstq movimentos(c);
    TdmMovConsu emprestimos(c);
    TdmEmpresa empresa(c);
    Relatorios relatorios(produtos, movimentos, emprestimos);
    // The code filled as leaving the dialog's field fills it, and the name it looks up.
    QString codigo = exigida ? opcoes.value(QLatin1String(exigida)) : QString();
    QString nome;
    if (exigida == QLatin1String("--produto")) {
        codigo = codigo.trimmed().rightJustified(10, QLatin1Char(' '));
        if (const std::optional<Produto> p = produtos.produtoPorCodigo(codigo))
            nome = p->descricao;
    } else if (exigida == QLatin1String("--grupo")) {
        codigo = codigo.rightJustified(6, QLatin1Char('0'));
        TdmGrupos grupos(c);
        nome = grupos.descricaoGrupo(codigo).value_or(QString());
    } else if (exigida == QLatin1String("--requisitante")) {
        codigo = codigo.rightJustified(6, QLatin1Char('0'));
        TdmReq reqs(c);
        if (const std::optional<Requisitante> r = reqs.requisitante(codigo))
            nome = r->descricao;
    }
    if (dialogo) {
        relatorios.carregaMovimentos(chave, Relatorios::Parametros{de, ate, codigo, nome});
    } else if (Relatorios::doGrupo(chave)) {
        for (RelEstoque* r : {static_cast<RelEstoque*>(&relatorios.relItensEstoqueGrupo),
                              static_cast<RelEstoque*>(&relatorios.relItensEstoqueGrupo2)}) {
            r->lbCodGrupo = codigo;
            r->lbDescGrupo = nome;
        }
        relatorios.carregaGrupo(codigo);
    } else {
        relatorios.carregaSemDialogo(chave);
    }
    relatorios.aplicaVariantes(chave);
    const DadosEmpresa dados = empresa.dados().value_or(DadosEmpresa{});
    // Written a page at a time: a year of movements never waits whole in memory.
    std::function<void(int)> progresso;
    if (verboso)
        progresso = [](int pagina) {
            // The first page says the work has begun; then every hundredth, as a year has
            // thousands.
            if (pagina == 1 || pagina % 100 == 0)
                escreve(stdout, QStringLiteral("Página %1 gravada").arg(pagina));
        };
    const std::optional<int> paginas = relatorios.gravaPdf(
        chave, Cabecalho{dados.nome, dados.telefone, QDateTime::currentDateTime()}, arquivo,
        progresso);
    if (!paginas) {
        escreve(stderr, QStringLiteral("Não foi possível gravar o arquivo %1.").arg(arquivo));
        return 1;
    }
    escreve(stdout, QStringLiteral("%1: %2 página(s) gravada(s) em %3")
                        .arg(chave)
                        .arg(*paginas)
                        .arg(arquivo));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // Run from cron or a shell, nothing here reads the terminal: the engine's backup and restore
    // code, which asks for another volume on a bad file, then fails instead of waiting.
    Servicos::fechaEntradaPadrao();
    // Reports need fonts and PDF output, which only a GUI application has; no window opens.
    const bool comRelatorio = argc > 1 && qstrcmp(argv[1], "relatorio") == 0;
    if (comRelatorio && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> aplicacao;
    if (comRelatorio)
        aplicacao = std::make_unique<QGuiApplication>(argc, argv);
    else
        aplicacao = std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication& app = *aplicacao;
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
        if (comando == QLatin1String("relatorio"))
            return relatorio(args);

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
