// zvdb: the administrator's command line for the stock-room database.
//
//   zvdb criar PASTA                                  creates PASTA/zv.fdb, empty
//   zvdb demo PASTA                                   fills it with a small demo data set
//   zvdb volume PASTA --produtos N --movimentos M     fills it with bulk data for benchmarks
//   zvdb backup PASTA ARQUIVO.gbk                     backs PASTA/zv.fdb up into ARQUIVO.gbk
//   zvdb restaura ARQUIVO.gbk PASTA                   restores it as PASTA/zv.fdb
//   zvdb relatorio PASTA CHAVE ARQUIVO.pdf [--grupo CODIGO] [--de DD/MM/AAAA --ate DD/MM/AAAA]
//                  [--produto CODIGO] [--requisitante CODIGO] [--formato pdf|xlsx|csv]
//                                                     writes the report of a key as PDF, or its
//                                                     rows as a spreadsheet (by the extension)
//
// PASTA may also be "host:/folder" on a Firebird server. Every command takes --help, and
// --verbose to say what it did; without it a command that succeeds prints nothing (cron mails
// whatever a job prints). Exit status: 0 done, 1 failed, 2 malformed call.

#include "common/Exportacao.h"
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
#include "data/firebird/PastaDeTravas.h"
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
#include <utility>

namespace {

// Set by --verbose on any command: the success line (and a service's progress) on standard
// output. Without it a command that succeeds prints nothing, so cron mails nothing.
bool verboso = false;

void escreve(FILE* saida, const QString& texto)
{
    std::fputs(texto.toLocal8Bit().constData(), saida);
    std::fputc('\n', saida);
}

// What was done, for a person at the terminal who asked for it.
void informa(const QString& texto)
{
    if (verboso)
        escreve(stdout, texto);
}

// Qt's own notices (a runtime folder it had to pick, a font it stood in for) are not the
// administrator's business on a night that went well. They are kept, and shown after the error
// when the command fails, where they may explain it; with --verbose they are shown at once.
QStringList& avisosDoQt()
{
    static QStringList avisos;
    return avisos;
}

void recebeMensagemDoQt(QtMsgType tipo, const QMessageLogContext&, const QString& texto)
{
    if (verboso || tipo == QtCriticalMsg || tipo == QtFatalMsg) {
        for (const QString& aviso : std::as_const(avisosDoQt()))
            escreve(stderr, aviso);
        avisosDoQt().clear();
        escreve(stderr, texto);
        return;
    }
    avisosDoQt().append(texto);
}

// The exit status, with the held notices written out first when the command failed.
int termina(int status)
{
    if (status != 0)
        for (const QString& aviso : std::as_const(avisosDoQt()))
            escreve(stderr, aviso);
    avisosDoQt().clear();
    std::fflush(stdout);
    std::fflush(stderr);
    return status;
}

struct Comando {
    const char* nome;
    const char* sintaxe;
    const char* resumo;
    const char* detalhes;
};

const Comando comandos[] = {
    {"criar", "zvdb criar PASTA", "cria PASTA/zv.fdb com as tabelas e os dados de referência",
     "Cria o banco de dados vazio do almoxarifado, PASTA/zv.fdb: as tabelas, os índices e os\n"
     "dados de referência. Login, permissões e registro de operações começam desligados.\n"
     "A pasta precisa existir; um zv.fdb que já esteja nela nunca é substituído.\n"
     "Com servidor:/pasta, o servidor Firebird cria o arquivo na pasta dele."},
    {"demo", "zvdb demo PASTA", "preenche o banco de PASTA com dados de demonstração",
     "Grava no banco de PASTA (criado antes com zvdb criar) um pequeno conjunto de grupos,\n"
     "produtos, requisitantes, fornecedores e movimentos para uma primeira olhada."},
    {"volume", "zvdb volume PASTA --produtos N --movimentos M",
     "preenche o banco de PASTA com N produtos e M movimentos",
     "Grava no banco de PASTA N produtos e M movimentos gerados, para medir tempos com muitos\n"
     "dados. Movimentos precisam de ao menos um produto. Com --verbose, diz quanto levou."},
    {"backup", "zvdb backup PASTA ARQUIVO.gbk", "copia o banco de PASTA para o arquivo de backup",
     "Copia PASTA/zv.fdb para ARQUIVO.gbk pelo serviço de backup do próprio Firebird. Um\n"
     "backup anterior com o mesmo nome só é substituído quando o novo fica completo.\n"
     "Com servidor:/pasta, o servidor faz o trabalho: a pasta do backup precisa aceitar\n"
     "gravação pelo usuário do servidor. Com --verbose, mostra o andamento do servidor."},
    {"restaura", "zvdb restaura ARQUIVO.gbk PASTA",
     "restaura o arquivo de backup como o banco de PASTA",
     "Restaura ARQUIVO.gbk como PASTA/zv.fdb. A restauração vai primeiro para um arquivo novo\n"
     "e só substitui o banco quando está completa; um banco em uso não é substituído, e um\n"
     "backup cortado ou danificado é recusado. Com --verbose, mostra o andamento do servidor."},
    {"relatorio",
     "zvdb relatorio PASTA CHAVE ARQUIVO.pdf [--grupo CODIGO] [--de DD/MM/AAAA --ate DD/MM/AAAA]\n"
     "                [--produto CODIGO] [--requisitante CODIGO] [--formato pdf|xlsx|csv]",
     "grava em PDF o relatório da chave (\"Itens Estoque Codigo\", ...), ou suas linhas em "
     "planilha",
     "Grava em PDF o relatório da CHAVE, com o cabeçalho da empresa lido do banco, como o\n"
     "programa o imprimiria. Relatórios de um grupo pedem --grupo; os de movimentos pedem o\n"
     "período (--de e --ate) e, quando o relatório é de um só, --produto, --grupo ou\n"
     "--requisitante. Uma chave desconhecida lista as chaves aceitas. Com --formato xlsx ou\n"
     "csv (ou um ARQUIVO com essa extensão), grava as linhas do relatório em planilha."},
};

const Comando* comandoDe(const QString& nome)
{
    for (const Comando& c : comandos)
        if (nome == QLatin1String(c.nome))
            return &c;
    return nullptr;
}

QString visaoGeral()
{
    QString texto =
        QStringLiteral("Uso: zvdb COMANDO ... [--verbose]\n"
                       "Ferramenta do administrador do banco de dados do almoxarifado.\n"
                       "\nComandos:\n");
    for (const Comando& c : comandos)
        texto += QStringLiteral("  %1\n      %2\n")
                     .arg(QString::fromUtf8(c.sintaxe), QString::fromUtf8(c.resumo));
    texto += QStringLiteral(
        "\nPASTA pode ser uma pasta local ou servidor:/pasta.\n"
        "--verbose mostra o que foi feito; sem ele, um comando que dá certo não escreve nada.\n"
        "zvdb COMANDO --help mostra a ajuda de um comando.");
    return texto;
}

QString ajuda(const Comando& c)
{
    return QStringLiteral("Uso: %1 [--verbose]\n\n%2\n\n"
                          "PASTA pode ser uma pasta local ou servidor:/pasta.\n"
                          "Opções:\n"
                          "  --verbose   mostra o que foi feito\n"
                          "  --help      mostra esta ajuda\n"
                          "Saída: 0 quando deu certo, 1 quando falhou, 2 quando o comando foi\n"
                          "mal escrito. Os erros vão para a saída de erros.")
        .arg(QString::fromUtf8(c.sintaxe), QString::fromUtf8(c.detalhes));
}

// The command being run, whose usage a malformed call is shown.
const Comando* atual = nullptr;

int uso()
{
    if (atual)
        escreve(stderr,
                QStringLiteral("Uso: %1\nVeja zvdb %2 --help.")
                    .arg(QString::fromUtf8(atual->sintaxe), QString::fromUtf8(atual->nome)));
    else
        escreve(stderr, visaoGeral());
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
    informa(QStringLiteral("Banco criado: %1").arg(Conexao::caminhoBanco(pasta)));
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
        informa(QStringLiteral("Backup de %1 gravado em %2").arg(banco, args[1]));
    } else {
        const QString banco = Conexao::caminhoBanco(args[1]);
        Servicos(banco).restaura(args[0], banco, progresso);
        informa(QStringLiteral("%1 restaurado em %2").arg(args[0], banco));
    }
    return 0;
}

// The report of a key that needs no window, written as PDF through the same layouts the
// program prints with, the company header read from the database.
int relatorio(QStringList args)
{
    if (args.size() < 4)
        return uso();
    const QString pasta = args[1];
    const QString chave = args[2];
    const QString arquivo = args[3];
    QHash<QString, QString> opcoes;
    for (int i = 4; i < args.size(); ++i) {
        static const QStringList conhecidas{"--grupo",   "--de",           "--ate",
                                            "--produto", "--requisitante", "--formato"};
        if (!conhecidas.contains(args[i]) || i + 1 >= args.size())
            return uso();
        opcoes.insert(args[i], args[i + 1]);
        ++i;
    }
    // The report as printed pages (pdf) or its rows for a spreadsheet (xlsx, csv); by default
    // what the file's extension says.
    QString formato = opcoes.value(QStringLiteral("--formato")).toLower();
    if (formato.isEmpty()) {
        const QString extensao = QFileInfo(arquivo).suffix().toLower();
        formato = extensao == QLatin1String("xlsx") || extensao == QLatin1String("csv")
                      ? extensao
                      : QStringLiteral("pdf");
    }
    if (formato != QLatin1String("pdf") && formato != QLatin1String("xlsx") &&
        formato != QLatin1String("csv")) {
        escreve(stderr, QStringLiteral("--formato aceita pdf, xlsx ou csv; \"%1\" não.")
                            .arg(opcoes.value(QStringLiteral("--formato"))));
        return 2;
    }
    const std::optional<Relatorios::Dialogo> dialogo = Relatorios::dialogoDaChave(chave);
    if (!Relatorios::semDialogo(chave) && !Relatorios::doGrupo(chave) && !dialogo) {
        escreve(stderr,
                QStringLiteral("Chave de relatório desconhecida: \"%1\". Chaves aceitas: %2")
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
        ate =
            QDate::fromString(opcoes.value(QStringLiteral("--ate")), QStringLiteral("dd/MM/yyyy"));
        if (!de.isValid() || !ate.isValid()) {
            escreve(stderr, QStringLiteral("O relatório \"%1\" precisa de --de DD/MM/AAAA e "
                                           "--ate DD/MM/AAAA.")
                                .arg(chave));
            return 2;
        }
    }
    if (!Conexao::ehRemoto(pasta) && !QFileInfo::exists(Conexao::caminhoBanco(pasta))) {
        escreve(stderr, QStringLiteral("O banco %1 não existe.").arg(Conexao::caminhoBanco(pasta)));
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
    const Cabecalho cabecalho{dados.nome, dados.telefone, QDateTime::currentDateTime()};
    if (formato != QLatin1String("pdf")) {
        // The rows the report prints, read whole into the list they belong to, under the
        // headings the printed report gives them.
        const std::optional<Exportacao::Tabela> tabela = relatorios.tabela(chave);
        if (!tabela) {
            escreve(stderr, QStringLiteral("Não foi possível gravar o arquivo %1.").arg(arquivo));
            return 1;
        }
        const QString falha = Exportacao::grava(
            *tabela, arquivo,
            formato == QLatin1String("csv") ? Exportacao::Tipo::Csv : Exportacao::Tipo::Xlsx);
        if (!falha.isEmpty()) {
            escreve(stderr, falha);
            return 1;
        }
        informa(QStringLiteral("%1: %2 linha(s) gravada(s) em %3")
                    .arg(chave)
                    .arg(tabela->linhas)
                    .arg(arquivo));
        return 0;
    }
    // Written a page at a time: a year of movements never waits whole in memory.
    std::function<void(int)> progresso;
    if (verboso)
        progresso = [](int pagina) {
            // The first page says the work has begun; then every hundredth, as a year has
            // thousands.
            if (pagina == 1 || pagina % 100 == 0)
                escreve(stdout, QStringLiteral("Página %1 gravada").arg(pagina));
        };
    const std::optional<int> paginas = relatorios.gravaPdf(chave, cabecalho, arquivo, progresso);
    if (!paginas) {
        escreve(stderr, QStringLiteral("Não foi possível gravar o arquivo %1.").arg(arquivo));
        return 1;
    }
    informa(
        QStringLiteral("%1: %2 página(s) gravada(s) em %3").arg(chave).arg(*paginas).arg(arquivo));
    return 0;
}

// Runs one command; the exit status.
int executa(const QStringList& args)
{
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
            std::_Exit(termina(resultado));
        }
        if (comando == QLatin1String("relatorio"))
            return relatorio(args);

        if (comando == QLatin1String("criar") && args.size() == 2)
            return criar(pasta);

        if (comando == QLatin1String("demo") && args.size() == 2) {
            Conexao c;
            DadosDemo::preenche(*abre(c, pasta));
            informa(QStringLiteral("Dados de demonstração gravados em %1")
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
            informa(QStringLiteral("%1 produtos e %2 movimentos gravados em %3 s")
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

} // namespace

int main(int argc, char** argv)
{
    // Run from cron or a shell, nothing here reads the terminal: the engine's backup and restore
    // code, which asks for another volume on a bad file, then fails instead of waiting.
    Servicos::fechaEntradaPadrao();
    // Before the engine is loaded: run by an ordinary user (or by cron as one), a database in a
    // local folder opens even where the database server keeps its shared folder to itself.
    PastaDeTravas::prepara();
    for (int i = 1; i < argc; ++i)
        verboso = verboso || qstrcmp(argv[i], "--verbose") == 0;
    qInstallMessageHandler(recebeMensagemDoQt);
    // Reports need fonts and PDF output, which only a GUI application has; no window opens.
    const bool comRelatorio = argc > 1 && qstrcmp(argv[1], "relatorio") == 0;
    if (comRelatorio && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> aplicacao;
    if (comRelatorio)
        aplicacao = std::make_unique<QGuiApplication>(argc, argv);
    else
        aplicacao = std::make_unique<QCoreApplication>(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    args.removeAll(QStringLiteral("--verbose"));
    const bool pedeAjuda =
        args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"));
    if (args.isEmpty() || args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h")) {
        if (!pedeAjuda)
            return termina(uso());
        escreve(stdout, visaoGeral());
        return termina(0);
    }
    atual = comandoDe(args[0]);
    if (!atual) {
        escreve(stderr, QStringLiteral("Comando desconhecido: \"%1\".").arg(args[0]));
        return termina(uso());
    }
    if (pedeAjuda) {
        escreve(stdout, ajuda(*atual));
        return termina(0);
    }
    return termina(executa(args));
}
