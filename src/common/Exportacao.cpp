#include "common/Exportacao.h"

#include "common/Decimal.h"
#include "common/Formatos.h"
#include "common/Mensagens.h"
#include "common/Modal.h"

#include "data/firebird/ErroBanco.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QHeaderView>
#include <QKeySequence>
#include <QProgressDialog>
#include <QSaveFile>
#include <QTableView>
#include <QTemporaryFile>
#include <QTime>

#include <xlsxwriter.h>

#include <optional>

namespace Exportacao {

namespace {

constexpr const char* nomeDaAcao = "acaoExportaPlanilha";
// The most rows one sheet of a workbook holds, the title row included.
constexpr int maximoDeLinhasXlsx = 1048576;
// The longest text one cell of a workbook holds.
constexpr int maximoDoTexto = 32767;
// Lists this long show a progress bar while they are written.
constexpr int linhasParaProgresso = 2000;
constexpr int passoDoProgresso = 500;

// One cell as it goes into the file.
struct Celula {
    enum class Tipo { Vazia, Texto, Numero, Moeda, Data, Hora, DataHora };
    Tipo tipo = Tipo::Vazia;
    QString texto;
    Decimal numero;
    int casas = 0;
    bool milhar = true;
    QDateTime quando;
};

std::optional<Decimal> comoDecimal(const QVariant& v)
{
    if (v.metaType() == QMetaType::fromType<Decimal>())
        return v.value<Decimal>();
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Short:
        return Decimal::deInteiro(v.toLongLong());
    case QMetaType::Double:
        try {
            return Decimal::deDouble(v.toDouble(), 6);
        } catch (const std::exception&) {
            return std::nullopt;
        }
    default:
        return std::nullopt;
    }
}

Celula numero(const Decimal& d, int casas, bool milhar = true)
{
    Celula c;
    c.tipo = Celula::Tipo::Numero;
    try {
        c.numero = d.arredondado(casas);
    } catch (const std::exception&) {
        c.numero = d;
    }
    c.casas = casas;
    c.milhar = milhar;
    return c;
}

Celula texto(QString t)
{
    // Codes are stored padded with blanks to their column; in a spreadsheet the blanks would
    // spoil look-ups and sorting.
    t = t.trimmed();
    Celula c;
    c.tipo = t.isEmpty() ? Celula::Tipo::Vazia : Celula::Tipo::Texto;
    c.texto = t;
    return c;
}

Celula celula(const QVariant& v, DataSet::Formato formato)
{
    if (v.isNull() || !v.isValid())
        return {};
    using F = DataSet::Formato;
    const std::optional<Decimal> d = comoDecimal(v);
    Celula c;
    switch (formato) {
    case F::Texto:
        return texto(DataSet::formata(v, F::Texto));
    case F::Quantidade:
    case F::QuantidadeSemMilhar:
        if (d)
            return numero(*d, 3, formato == F::Quantidade);
        break;
    case F::Moeda:
        if (d) {
            c = numero(*d, 2);
            c.tipo = Celula::Tipo::Moeda;
            return c;
        }
        break;
    case F::Inteiro:
        if (d)
            return numero(*d, 0, false);
        break;
    case F::Data:
        if (v.typeId() == QMetaType::QDate || v.typeId() == QMetaType::QDateTime) {
            c.tipo = Celula::Tipo::Data;
            c.quando = QDateTime(v.toDate(), QTime(0, 0));
            return c.quando.isValid() ? c : Celula{};
        }
        break;
    case F::Hora:
        if (v.typeId() == QMetaType::QTime) {
            c.tipo = Celula::Tipo::Hora;
            c.quando = QDateTime(QDate(1899, 12, 31), v.toTime());
            return c.quando.isValid() ? c : Celula{};
        }
        break;
    case F::Automatico:
        if (v.metaType() == QMetaType::fromType<Decimal>())
            return numero(*d, d->escala());
        if (v.typeId() == QMetaType::Double)
            return numero(*d, 2);
        if (d)
            return numero(*d, 0, false);
        if (v.typeId() == QMetaType::QDate)
            return celula(v, F::Data);
        if (v.typeId() == QMetaType::QTime)
            return celula(v, F::Hora);
        if (v.typeId() == QMetaType::QDateTime) {
            c.tipo = Celula::Tipo::DataHora;
            c.quando = v.toDateTime();
            return c.quando.isValid() ? c : Celula{};
        }
        break;
    }
    return texto(DataSet::formata(v, formato));
}

// The text of a cell in the .csv file: numbers with the decimal comma and no thousands dots,
// so the spreadsheet reads them back as numbers.
QString textoCsv(const Celula& c)
{
    switch (c.tipo) {
    case Celula::Tipo::Vazia:
        return QString();
    case Celula::Tipo::Numero:
    case Celula::Tipo::Moeda:
        return Formatos::numero(c.numero, c.casas, false);
    case Celula::Tipo::Data:
        return Formatos::data(c.quando.date());
    case Celula::Tipo::Hora:
        return Formatos::hora(c.quando.time());
    case Celula::Tipo::DataHora:
        return Formatos::dataHora(c.quando);
    case Celula::Tipo::Texto:
        break;
    }
    QString t = c.texto;
    // A text beginning like a formula would be run by the spreadsheet that opens the file (a
    // product description typed as "=HYPERLINK(...)"); the apostrophe keeps it a text.
    static const QString inicioDeFormula = QStringLiteral("=+-@");
    if (inicioDeFormula.contains(t.at(0)))
        t.prepend(QLatin1Char('\''));
    if (t.contains(QLatin1Char(';')) || t.contains(QLatin1Char('"')) ||
        t.contains(QLatin1Char('\n')) || t.contains(QLatin1Char('\r'))) {
        t.replace(QLatin1String("\""), QLatin1String("\"\""));
        t = QLatin1Char('"') + t + QLatin1Char('"');
    }
    return t;
}

QString falhaAoGravar(const QString& arquivo)
{
    return QStringLiteral("Não foi possível gravar a planilha em %1.\nVerifique se a pasta existe, "
                          "se há espaço livre e se o arquivo não está aberto em outro programa.")
        .arg(QDir::toNativeSeparators(arquivo));
}

const QString cancelada = QStringLiteral("cancelada");

QString gravaCsv(const Tabela& tabela, const QString& arquivo, const Progresso& progresso)
{
    QSaveFile saida(arquivo);
    if (!saida.open(QIODevice::WriteOnly))
        return falhaAoGravar(arquivo);
    QString linha;
    auto termina = [&] {
        linha += QLatin1String("\r\n");
        saida.write(linha.toUtf8());
        linha.clear();
    };
    saida.write("\xEF\xBB\xBF");
    for (int c = 0; c < tabela.colunas.size(); ++c) {
        if (c > 0)
            linha += QLatin1Char(';');
        linha += textoCsv(texto(tabela.colunas.at(c).titulo));
    }
    termina();
    for (int l = 0; l < tabela.linhas; ++l) {
        for (int c = 0; c < tabela.colunas.size(); ++c) {
            if (c > 0)
                linha += QLatin1Char(';');
            linha += textoCsv(celula(tabela.valor(l, c), tabela.colunas.at(c).formato));
        }
        termina();
        if (progresso && (l + 1) % passoDoProgresso == 0 && !progresso(l + 1, tabela.linhas)) {
            saida.cancelWriting();
            return cancelada;
        }
    }
    if (!saida.commit())
        return falhaAoGravar(arquivo);
    return QString();
}

// The workbook's cell formats, made once per kind and number of decimals.
class Formatos_ {
public:
    explicit Formatos_(lxw_workbook* livro) : m_livro(livro) {}

    lxw_format* de(const Celula& c)
    {
        QString mascara;
        switch (c.tipo) {
        case Celula::Tipo::Numero: {
            const QString decimais =
                c.casas > 0 ? QLatin1Char('.') + QString(c.casas, QLatin1Char('0')) : QString();
            mascara = (c.milhar ? QStringLiteral("#,##0") : QStringLiteral("0")) + decimais;
            break;
        }
        case Celula::Tipo::Moeda: {
            const QString n = QStringLiteral("#,##0.") + QString(c.casas, QLatin1Char('0'));
            mascara = QStringLiteral("\"R$ \"%1;-\"R$ \"%1").arg(n);
            break;
        }
        case Celula::Tipo::Data:
            mascara = QStringLiteral("dd/mm/yyyy");
            break;
        case Celula::Tipo::Hora:
            mascara = QStringLiteral("hh:mm:ss");
            break;
        case Celula::Tipo::DataHora:
            mascara = QStringLiteral("dd/mm/yyyy hh:mm:ss");
            break;
        default:
            return nullptr;
        }
        lxw_format*& f = m_formatos[mascara];
        if (!f) {
            f = workbook_add_format(m_livro);
            format_set_num_format(f, mascara.toUtf8().constData());
        }
        return f;
    }

private:
    lxw_workbook* m_livro;
    QHash<QString, lxw_format*> m_formatos;
};

lxw_datetime quando(const QDateTime& dt)
{
    const QDate d = dt.date();
    const QTime t = dt.time();
    return lxw_datetime{d.year(), d.month(), d.day(), t.hour(), t.minute(), double(t.second())};
}

QString gravaXlsx(const Tabela& tabela, const QString& arquivo, const Progresso& progresso)
{
    if (tabela.linhas + 1 > maximoDeLinhasXlsx)
        return QStringLiteral("A lista tem %1 linhas, mais do que uma planilha .xlsx comporta.\n"
                              "Exporte-a para um arquivo .csv.")
            .arg(tabela.linhas);
    // The workbook is written beside the chosen file and takes its place only when complete, so
    // a failed export never leaves half a spreadsheet under the chosen name.
    const QFileInfo destino(arquivo);
    QTemporaryFile temporario(
        destino.absoluteDir().filePath(destino.fileName() + QStringLiteral(".XXXXXX")));
    if (!temporario.open())
        return falhaAoGravar(arquivo);
    temporario.close();

    // Row by row, so a long list does not sit in memory twice.
    lxw_workbook_options opcoes{};
    opcoes.constant_memory = LXW_TRUE;
    const QByteArray nome = QFile::encodeName(temporario.fileName());
    lxw_workbook* livro = workbook_new_opt(nome.constData(), &opcoes);
    if (!livro)
        return falhaAoGravar(arquivo);
    lxw_worksheet* folha = workbook_add_worksheet(livro, nullptr);
    Formatos_ formatos(livro);
    lxw_format* negrito = workbook_add_format(livro);
    format_set_bold(negrito);

    auto escreveTexto = [&](int l, int c, const QString& t, lxw_format* f) {
        worksheet_write_string(folha, lxw_row_t(l), lxw_col_t(c),
                               t.left(maximoDoTexto).toUtf8().constData(), f);
    };
    for (int c = 0; c < tabela.colunas.size(); ++c) {
        const QString& titulo = tabela.colunas.at(c).titulo;
        worksheet_set_column(folha, lxw_col_t(c), lxw_col_t(c),
                             qMax(10.0, titulo.trimmed().size() + 2.0), nullptr);
        escreveTexto(0, c, titulo.trimmed(), negrito);
    }
    for (int l = 0; l < tabela.linhas; ++l) {
        for (int c = 0; c < tabela.colunas.size(); ++c) {
            const Celula cel = celula(tabela.valor(l, c), tabela.colunas.at(c).formato);
            const auto linha = lxw_row_t(l + 1);
            const auto coluna = lxw_col_t(c);
            switch (cel.tipo) {
            case Celula::Tipo::Vazia:
                break;
            case Celula::Tipo::Texto:
                escreveTexto(l + 1, c, cel.texto, nullptr);
                break;
            case Celula::Tipo::Numero:
            case Celula::Tipo::Moeda:
                worksheet_write_number(folha, linha, coluna, cel.numero.toDouble(),
                                       formatos.de(cel));
                break;
            case Celula::Tipo::Data:
            case Celula::Tipo::Hora:
            case Celula::Tipo::DataHora: {
                lxw_datetime dt = quando(cel.quando);
                worksheet_write_datetime(folha, linha, coluna, &dt, formatos.de(cel));
                break;
            }
            }
        }
        if (progresso && (l + 1) % passoDoProgresso == 0 && !progresso(l + 1, tabela.linhas)) {
            workbook_close(livro);
            return cancelada;
        }
    }
    if (workbook_close(livro) != LXW_NO_ERROR)
        return falhaAoGravar(arquivo);
    if (QFile::exists(arquivo) && !QFile::remove(arquivo))
        return falhaAoGravar(arquivo);
    if (!temporario.rename(arquivo))
        return falhaAoGravar(arquivo);
    temporario.setAutoRemove(false);
    // A temporary file is private to its owner; the spreadsheet is an ordinary file.
    QFile::setPermissions(arquivo, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                       QFileDevice::ReadGroup | QFileDevice::ReadOther);
    return QString();
}

} // namespace

Tipo tipoDoArquivo(const QString& arquivo)
{
    return QFileInfo(arquivo).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0
               ? Tipo::Csv
               : Tipo::Xlsx;
}

QString grava(const Tabela& tabela, const QString& arquivo, Tipo tipo, const Progresso& progresso)
{
    return tipo == Tipo::Csv ? gravaCsv(tabela, arquivo, progresso)
                             : gravaXlsx(tabela, arquivo, progresso);
}

Tabela tabelaDaGrade(const QTableView* grade)
{
    Tabela tabela;
    const QHeaderView* cabecalho = grade->horizontalHeader();
    QAbstractItemModel* modelo = grade->model();
    if (!modelo)
        return tabela;
    DataSet* dados = DataSet::daView(grade);
    QList<int> campos;
    QList<int> colunasDoModelo;
    for (int visual = 0; visual < cabecalho->count(); ++visual) {
        const int logica = cabecalho->logicalIndex(visual);
        if (logica < 0 || cabecalho->isSectionHidden(logica))
            continue;
        Coluna coluna;
        coluna.titulo = modelo->headerData(logica, Qt::Horizontal).toString();
        if (dados) {
            const QString campo = DataSet::campoDaView(grade, logica);
            coluna.formato = dados->formato(campo);
            campos.append(dados->campo(campo));
        } else {
            coluna.formato = DataSet::Formato::Texto;
        }
        colunasDoModelo.append(logica);
        tabela.colunas.append(coluna);
    }
    if (dados) {
        tabela.linhas = dados->tamanho();
        tabela.valor = [dados, campos](int linha, int coluna) {
            const int campo = campos.at(coluna);
            return campo < 0 ? QVariant() : dados->valor(linha, campo);
        };
    } else {
        tabela.linhas = modelo->rowCount();
        tabela.valor = [modelo, colunasDoModelo](int linha, int coluna) {
            return modelo->data(modelo->index(linha, colunasDoModelo.at(coluna)));
        };
    }
    return tabela;
}

Tabela tabelaDaLista(const DataSet& dados)
{
    Tabela tabela;
    QList<int> campos;
    for (int c = 0; c < dados.columnCount(); ++c) {
        const QString campo = dados.campoDaColuna(c);
        tabela.colunas.append(
            {dados.headerData(c, Qt::Horizontal).toString(), dados.formato(campo)});
        campos.append(dados.campo(campo));
    }
    tabela.linhas = dados.tamanho();
    tabela.valor = [&dados, campos](int linha, int coluna) {
        const int campo = campos.at(coluna);
        return campo < 0 ? QVariant() : dados.valor(linha, campo);
    };
    return tabela;
}

Tabela tabelaDaLista(const DataSet& dados, const QList<CampoTitulado>& colunas)
{
    Tabela tabela;
    QList<int> campos;
    for (const CampoTitulado& c : colunas) {
        tabela.colunas.append({c.titulo, dados.formato(c.campo)});
        campos.append(dados.campo(c.campo));
    }
    tabela.linhas = dados.tamanho();
    tabela.valor = [&dados, campos](int linha, int coluna) {
        const int campo = campos.at(coluna);
        return campo < 0 ? QVariant() : dados.valor(linha, campo);
    };
    return tabela;
}

void exporta(QWidget* janela, const QString& nome, const Preparo& preparo)
{
    QString inicial = nome.trimmed();
    static const QString proibidos = QStringLiteral("/\\:*?\"<>|");
    for (QChar& ch : inicial)
        if (proibidos.contains(ch))
            ch = QLatin1Char('_');
    if (inicial.isEmpty())
        inicial = QStringLiteral("planilha");
    const QString arquivo = Modal::escolheArquivo(
        janela, QStringLiteral("Exportar para planilha"), inicial + QStringLiteral(".xlsx"),
        QStringLiteral("Planilha do Excel (*.xlsx);;Texto separado por ponto e vírgula (*.csv)"),
        true, QStringLiteral("xlsx"));
    if (arquivo.isEmpty())
        return;

    const std::optional<Tabela> preparada = preparo();
    if (!preparada)
        return;
    const Tabela& tabela = *preparada;

    std::unique_ptr<QProgressDialog> barra;
    Progresso progresso;
    if (tabela.linhas >= linhasParaProgresso) {
        barra =
            std::make_unique<QProgressDialog>(QStringLiteral("Exportando a lista..."),
                                              QStringLiteral("Cancelar"), 0, tabela.linhas, janela);
        barra->setWindowTitle(QStringLiteral("Exportar para planilha"));
        barra->setWindowModality(Qt::WindowModal);
        barra->setMinimumDuration(300);
        barra->setValue(0);
        progresso = [&barra](int feitas, int) {
            barra->setValue(feitas);
            return !barra->wasCanceled();
        };
    }
    const QString falha = grava(tabela, arquivo, tipoDoArquivo(arquivo), progresso);
    barra.reset();
    if (falha == cancelada)
        return;
    if (!falha.isEmpty()) {
        Mensagens::erro(falha, janela);
        return;
    }
    Mensagens::informacao(QStringLiteral("Lista exportada: %1 linha(s) gravada(s) em %2.")
                              .arg(tabela.linhas)
                              .arg(QDir::toNativeSeparators(arquivo)),
                          janela);
}

void exportaGrade(QTableView* grade)
{
    QWidget* janela = grade->window();
    exporta(janela, janela->windowTitle(), [grade, janela]() -> std::optional<Tabela> {
        if (DataSet* dados = DataSet::daView(grade)) {
            try {
                QApplication::setOverrideCursor(Qt::WaitCursor);
                dados->completa();
                QApplication::restoreOverrideCursor();
            } catch (const ErroBanco&) {
                QApplication::restoreOverrideCursor();
                Mensagens::erro(QStringLiteral("Não foi possível ler a lista inteira do banco de "
                                               "dados. Nada foi exportado."),
                                janela);
                return std::nullopt;
            }
        }
        return tabelaDaGrade(grade);
    });
}

void anexaGrade(QTableView* grade)
{
    if (grade->findChild<QAction*>(QLatin1String(nomeDaAcao), Qt::FindDirectChildrenOnly))
        return;
    auto* acao = new QAction(QStringLiteral("Exportar para planilha…"), grade);
    acao->setObjectName(QLatin1String(nomeDaAcao));
    acao->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
    acao->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(acao, &QAction::triggered, grade, [grade] { exportaGrade(grade); });
    grade->addAction(acao);
    grade->setContextMenuPolicy(Qt::ActionsContextMenu);
}

} // namespace Exportacao
