#include "reports/engine/EscritorPdf.h"

#include "reports/engine/Documento.h"

#include <QDateTime>
#include <QFontMetricsF>
#include <QImage>

#include <cmath>
#include <optional>

namespace Motor {

namespace {

constexpr double pontosPorMm = 72 / 25.4;
// The resolution the faces are measured at, as the layout measures them.
constexpr double dpiMedida = 1200;
// Rules as the printer draws them.
constexpr double espessuraRegraMm = 0.25;
// Fast compression: a report's pages are plain, repetitive text, and the fastest level
// already takes most of what the slowest would.
constexpr int nivelCompressao = 1;

// The four standard faces, by resource name: /F1 to /F4.
const char* const faces[] = {"Courier", "Courier-Bold", "Helvetica", "Helvetica-Bold"};

int faceDe(const Fonte& f)
{
    return (f.mono ? 0 : 2) + (f.negrito ? 1 : 0);
}

// What placing a text of one report font takes: where its baseline lies in a cell, and how
// wide its texts are.
struct Medidas {
    Fonte fonte;
    double ascendenteMm = 0;
    double alturaMm = 0;
    double passoMm = -1; // the fixed pitch, condensed; -1 for a proportional face
    double largura = 1;  // the condensed width, 1 for the normal one
    std::optional<QFontMetricsF> metricas;

    double larguraTexto(const QString& t) const
    {
        if (passoMm > 0)
            return passoMm * t.size();
        return metricas->horizontalAdvance(t) * 25.4 / dpiMedida * largura;
    }
};

const Medidas& medidas(const Fonte& f)
{
    static QVector<Medidas*> conhecidas;
    for (const Medidas* m : conhecidas)
        if (m->fonte == f)
            return *m;
    static QImage imagem = [] {
        QImage i(1, 1, QImage::Format_Mono);
        i.setDotsPerMeterX(qRound(dpiMedida / 0.0254));
        i.setDotsPerMeterY(qRound(dpiMedida / 0.0254));
        return i;
    }();
    auto* m = new Medidas;
    m->fonte = f;
    m->metricas.emplace(qfont(f), &imagem);
    m->ascendenteMm = m->metricas->ascent() * 25.4 / dpiMedida;
    m->alturaMm = (m->metricas->ascent() + m->metricas->descent()) * 25.4 / dpiMedida;
    m->largura = f.larguraPorCento / 100.0;
    if (f.mono)
        m->passoMm = passoMono(f) * m->largura;
    conhecidas.push_back(m);
    return *m;
}

// A number as a PDF writes it, to a hundredth: positions in points need no more.
void numero(QByteArray& saida, double valor)
{
    qint64 centesimos = std::llround(valor * 100);
    if (centesimos < 0) {
        saida += '-';
        centesimos = -centesimos;
    }
    char digitos[24];
    int n = 0;
    qint64 inteiro = centesimos / 100;
    do {
        digitos[n++] = char('0' + inteiro % 10);
        inteiro /= 10;
    } while (inteiro > 0);
    while (n > 0)
        saida += digitos[--n];
    const int fracao = int(centesimos % 100);
    if (fracao != 0) {
        saida += '.';
        saida += char('0' + fracao / 10);
        if (fracao % 10 != 0)
            saida += char('0' + fracao % 10);
    }
}

// The Windows Latin code of the characters it adds to ISO 8859-1, in its 0x80-0x9F row.
char winAnsiExtra(char16_t c)
{
    switch (c) {
    case u'€':
        return char(0x80);
    case u'‚':
        return char(0x82);
    case u'ƒ':
        return char(0x83);
    case u'„':
        return char(0x84);
    case u'…':
        return char(0x85);
    case u'†':
        return char(0x86);
    case u'‡':
        return char(0x87);
    case u'ˆ':
        return char(0x88);
    case u'‰':
        return char(0x89);
    case u'Š':
        return char(0x8A);
    case u'‹':
        return char(0x8B);
    case u'Œ':
        return char(0x8C);
    case u'Ž':
        return char(0x8E);
    case u'‘':
        return char(0x91);
    case u'’':
        return char(0x92);
    case u'“':
        return char(0x93);
    case u'”':
        return char(0x94);
    case u'•':
        return char(0x95);
    case u'–':
        return char(0x96);
    case u'—':
        return char(0x97);
    case u'˜':
        return char(0x98);
    case u'™':
        return char(0x99);
    case u'š':
        return char(0x9A);
    case u'›':
        return char(0x9B);
    case u'œ':
        return char(0x9C);
    case u'ž':
        return char(0x9E);
    case u'Ÿ':
        return char(0x9F);
    default:
        return '?';
    }
}

// A text for the document's information, in UTF-16 as a PDF reader expects for any alphabet.
QByteArray textoUnicode(const QString& texto)
{
    QByteArray saida("<FEFF");
    for (const QChar c : texto)
        saida += QByteArray::number(c.unicode() + 0x10000, 16).mid(1).toUpper();
    saida += '>';
    return saida;
}

} // namespace

QByteArray EscritorPdf::textoPdf(const QString& texto)
{
    QByteArray saida;
    saida.reserve(texto.size() + 8);
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const char16_t c = texto.at(i).unicode();
        if (c == u'(' || c == u')' || c == u'\\') {
            saida += '\\';
            saida += char(c);
        } else if (c < 0x20) {
            // A tab or line break inside a cell prints as the blank it stands for.
            saida += ' ';
        } else if (c < 0x7F || (c >= 0xA0 && c <= 0xFF)) {
            saida += char(c);
        } else if (QChar::isHighSurrogate(c) && i + 1 < texto.size() &&
                   texto.at(i + 1).isLowSurrogate()) {
            saida += '?';
            ++i;
        } else {
            saida += winAnsiExtra(c);
        }
    }
    return saida;
}

EscritorPdf::EscritorPdf() = default;

EscritorPdf::~EscritorPdf()
{
    if (m_aberto && !m_encerrado)
        m_arquivo.cancelWriting();
}

void EscritorPdf::escreve(const QByteArray& dados)
{
    if (m_falhou)
        return;
    if (m_arquivo.write(dados) != dados.size())
        m_falhou = true;
    m_posicao += dados.size();
}

int EscritorPdf::novoObjeto()
{
    m_inicios.push_back(m_posicao);
    return int(m_inicios.size());
}

bool EscritorPdf::abre(const QString& arquivo, const Documento& molde)
{
    m_arquivo.setFileName(arquivo);
    // A file the person may write in a folder where no new file may be made is still written,
    // in place.
    m_arquivo.setDirectWriteFallback(true);
    if (!m_arquivo.open(QIODevice::WriteOnly))
        return false;
    m_aberto = true;
    m_titulo = molde.titulo;
    m_larguraMm = molde.larguraMm;
    m_alturaMm = molde.alturaMm;
    // The second line's high bytes tell a file mover the file is binary.
    escreve(QByteArrayLiteral("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n"));
    novoObjeto();
    escreve(QByteArrayLiteral("1 0 obj\n<< /Type /Catalog /Pages 2 0 R >>\nendobj\n"));
    // The page tree is written last, when its pages are known.
    m_inicios.push_back(-1);
    novoObjeto();
    escreve(QByteArrayLiteral("3 0 obj\n<< /Font << /F1 4 0 R /F2 5 0 R /F3 6 0 R /F4 7 0 R >> "
                              ">>\nendobj\n"));
    for (const char* face : faces) {
        const int n = novoObjeto();
        escreve(QByteArray::number(n) + " 0 obj\n<< /Type /Font /Subtype /Type1 /BaseFont /" +
                face + " /Encoding /WinAnsiEncoding >>\nendobj\n");
    }
    return !m_falhou;
}

void EscritorPdf::gravaPagina(const QByteArray& conteudo, double larguraMm, double alturaMm)
{
    QByteArray comprimido = qCompress(conteudo, nivelCompressao);
    // qCompress puts the length in front of the zlib stream.
    comprimido.remove(0, 4);
    const int objConteudo = novoObjeto();
    QByteArray s = QByteArray::number(objConteudo) + " 0 obj\n<< /Length " +
                   QByteArray::number(comprimido.size()) + " /Filter /FlateDecode >>\nstream\n";
    escreve(s);
    escreve(comprimido);
    escreve(QByteArrayLiteral("\nendstream\nendobj\n"));
    const int objPagina = novoObjeto();
    s = QByteArray::number(objPagina) + " 0 obj\n<< /Type /Page /Parent 2 0 R /MediaBox [0 0 ";
    numero(s, larguraMm * pontosPorMm);
    s += ' ';
    numero(s, alturaMm * pontosPorMm);
    s += "] /Resources 3 0 R /Contents " + QByteArray::number(objConteudo) + " 0 R >>\nendobj\n";
    escreve(s);
    m_paginas.push_back(objPagina);
}

bool EscritorPdf::pinta(const Documento& molde, const Pagina& pagina)
{
    if (!m_aberto || m_encerrado || m_falhou)
        return false;
    const double altura = molde.alturaMm;
    const auto x = [](QByteArray& c, double mm) { numero(c, mm * pontosPorMm); };
    const auto y = [altura](QByteArray& c, double mm) { numero(c, (altura - mm) * pontosPorMm); };

    QByteArray c;
    c.reserve(8192);
    if (!pagina.regras.isEmpty()) {
        numero(c, espessuraRegraMm * pontosPorMm);
        c += " w\n";
        for (const QLineF& r : pagina.regras) {
            x(c, r.x1());
            c += ' ';
            y(c, r.y1());
            c += " m ";
            x(c, r.x2());
            c += ' ';
            y(c, r.y2());
            c += " l\n";
        }
        c += "S\n";
    }

    c += "BT\n";
    int faceAtual = -1;
    double pontosAtuais = -1;
    int larguraAtual = 100;
    // Cells of a fixed-pitch font that follow each other on one line go out as one text,
    // blanks between them, as the printer receives them.
    const Medidas* medidasRun = nullptr;
    QString run;
    double runX = 0;
    double runY = 0;
    const auto fechaRun = [&] {
        if (run.isEmpty())
            return;
        const Fonte& f = medidasRun->fonte;
        const int face = faceDe(f);
        if (face != faceAtual || f.pontos != pontosAtuais) {
            c += "/F" + QByteArray::number(face + 1) + ' ';
            numero(c, f.pontos);
            c += " Tf\n";
            faceAtual = face;
            pontosAtuais = f.pontos;
        }
        if (f.larguraPorCento != larguraAtual) {
            c += QByteArray::number(f.larguraPorCento) + " Tz\n";
            larguraAtual = f.larguraPorCento;
        }
        c += "1 0 0 1 ";
        x(c, runX);
        c += ' ';
        y(c, runY);
        c += " Tm(";
        c += textoPdf(run);
        c += ")Tj\n";
        run.clear();
    };
    for (const Texto& t : pagina.textos) {
        if (t.fonte >= molde.fontes.size() || t.texto.isEmpty())
            continue;
        const Medidas& m = medidas(molde.fontes.at(t.fonte));
        const QRectF& caixa = t.caixa;
        double posX = caixa.left();
        if (t.alinhamento == Alinhamento::Direita)
            posX = caixa.right() - m.larguraTexto(t.texto);
        else if (t.alinhamento == Alinhamento::Centro)
            posX = caixa.left() + (caixa.width() - m.larguraTexto(t.texto)) / 2;
        const double base = caixa.top() + (caixa.height() - m.alturaMm) / 2 + m.ascendenteMm;
        if (m.passoMm > 0 && &m == medidasRun && !run.isEmpty() && qAbs(base - runY) < 0.001 &&
            juntaAoRun(run, runX, m.passoMm, posX, t.texto))
            continue;
        fechaRun();
        medidasRun = &m;
        run = t.texto;
        runX = posX;
        runY = base;
    }
    fechaRun();
    c += "ET\n";
    gravaPagina(c, molde.larguraMm, molde.alturaMm);
    return !m_falhou;
}

bool EscritorPdf::termina()
{
    if (!m_aberto)
        return false;
    if (m_encerrado)
        return !m_falhou;
    m_encerrado = true;
    if (m_paginas.isEmpty())
        gravaPagina(QByteArray(), m_larguraMm, m_alturaMm);

    m_inicios[1] = m_posicao;
    QByteArray s("2 0 obj\n<< /Type /Pages /Count ");
    s += QByteArray::number(m_paginas.size()) + "\n/Kids [";
    for (qsizetype i = 0; i < m_paginas.size(); ++i) {
        s += QByteArray::number(m_paginas.at(i)) + " 0 R";
        s += (i % 16 == 15) ? '\n' : ' ';
    }
    s += "] >>\nendobj\n";
    escreve(s);

    const int info = novoObjeto();
    s = QByteArray::number(info) + " 0 obj\n<< /Title " + textoUnicode(m_titulo) +
        " /Creator (Zorvane Almoxarifado) /Producer (Zorvane Almoxarifado) /CreationDate (D:" +
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() +
        "Z) >>\nendobj\n";
    escreve(s);

    const qint64 xref = m_posicao;
    s = "xref\n0 " + QByteArray::number(m_inicios.size() + 1) + "\n0000000000 65535 f \n";
    char entrada[32];
    for (const qint64 inicio : m_inicios) {
        std::snprintf(entrada, sizeof entrada, "%010lld 00000 n \n", (long long)inicio);
        s += entrada;
    }
    s += "trailer\n<< /Size " + QByteArray::number(m_inicios.size() + 1) + " /Root 1 0 R /Info " +
         QByteArray::number(info) + " 0 R >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    escreve(s);
    if (m_falhou) {
        m_arquivo.cancelWriting();
        return false;
    }
    m_falhou = !m_arquivo.commit();
    return !m_falhou;
}

} // namespace Motor
