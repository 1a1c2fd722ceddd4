#include "reports/engine/Documento.h"

#include "reports/engine/EscritorPdf.h"

#include <QDataStream>
#include <QFile>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QMap>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QRawFont>
#include <QSaveFile>
#include <QTemporaryFile>

#include <algorithm>
#include <cmath>
#include <memory>

namespace Motor {

namespace {

// The first bytes of a saved report, and the version of its layout.
const char assinatura[] = "ZVRELATORIO";
// Version 1 had no condensed fonts; it is still read.
const qint32 versaoArquivo = 2;

} // namespace

QFont qfont(const Fonte& f)
{
    QFont q(f.mono ? QStringLiteral("Liberation Mono") : QStringLiteral("Liberation Sans"));
    q.setStyleHint(f.mono ? QFont::TypeWriter : QFont::SansSerif);
    q.setPointSizeF(f.pontos);
    q.setBold(f.negrito);
    // Text is placed by the layout in millimetres; hinting would shift glyphs per device.
    q.setHintingPreference(QFont::PreferNoHinting);
    return q;
}

double passoMono(const Fonte& f)
{
    Fonte normal = f;
    normal.larguraPorCento = 100;
    static QHash<QString, double> conhecidos;
    const QString chave = QStringLiteral("%1/%2").arg(normal.pontos).arg(normal.negrito);
    const auto it = conhecidos.constFind(chave);
    if (it != conhecidos.cend())
        return it.value();
    // At a pixel size of one em in font units the advance is the designer's, free of the
    // rounding a device's resolution brings.
    QRawFont bruta = QRawFont::fromFont(qfont(normal));
    double emPorCaractere = 0.6; // the pitch of every Courier-like face
    if (bruta.isValid() && bruta.unitsPerEm() > 0) {
        bruta.setPixelSize(bruta.unitsPerEm());
        const QList<quint32> glifos = bruta.glyphIndexesForString(QStringLiteral("M"));
        if (glifos.size() == 1 && glifos.first() != 0) {
            const QList<QPointF> avancos =
                bruta.advancesForGlyphIndexes(glifos, QRawFont::UseDesignMetrics);
            if (avancos.size() == 1 && avancos.first().x() > 0)
                emPorCaractere = avancos.first().x() / bruta.unitsPerEm();
        }
    }
    const double passo = emPorCaractere * normal.pontos * 25.4 / 72;
    conhecidos.insert(chave, passo);
    return passo;
}

QStringList Pagina::linhas() const
{
    // Texts whose middles lie within half a millimetre share a line.
    QMap<qint64, QVector<const Texto*>> porLinha;
    for (const Texto& t : textos)
        porLinha[qRound64(t.caixa.center().y() * 2)].push_back(&t);
    QStringList saida;
    for (auto it = porLinha.begin(); it != porLinha.end(); ++it) {
        QVector<const Texto*> linha = it.value();
        std::stable_sort(linha.begin(), linha.end(), [](const Texto* a, const Texto* b) {
            return a->caixa.left() < b->caixa.left();
        });
        QStringList partes;
        for (const Texto* t : linha)
            if (!t->texto.trimmed().isEmpty())
                partes << t->texto.trimmed();
        saida << partes.join(QLatin1Char(' '));
    }
    return saida;
}

QStringList Pagina::todos() const
{
    QStringList saida;
    saida.reserve(textos.size());
    for (const Texto& t : textos)
        saida << t.texto;
    return saida;
}

quint8 Documento::fonte(const Fonte& f)
{
    const qsizetype i = fontes.indexOf(f);
    if (i >= 0)
        return quint8(i);
    fontes.push_back(f);
    return quint8(fontes.size() - 1);
}

// The fonts of a document made for one device and scale, with what placing text needs.
class Pincel {
public:
    Pincel(const Documento& d, QPainter& p, double pxPorMm) : m_pxPorMm(pxPorMm)
    {
        acompanha(d, p);
    }

    // Takes in the fonts a document added since: pages that arrive one at a time may bring
    // a condensed font the first pages did not need.
    void acompanha(const Documento& d, QPainter& p)
    {
        // A point is 1/72 inch; the device sizes fonts by its own logical resolution.
        const double escalaFonte = m_pxPorMm * 25.4 / p.device()->logicalDpiY();
        for (qsizetype i = m_fontes.size(); i < d.fontes.size(); ++i) {
            const Fonte& f = d.fontes.at(i);
            Fonte escalada = f;
            escalada.pontos = f.pontos * escalaFonte;
            const QFont q = qfont(escalada);
            const QFontMetricsF m(q, p.device());
            m_fontes.push_back(q);
            m_ascendente.push_back(m.ascent());
            m_altura.push_back(m.ascent() + m.descent());
            const double largura = f.larguraPorCento / 100.0;
            m_largura.push_back(largura);
            m_passo.push_back(f.mono ? passoMono(f) * m_pxPorMm * largura : -1);
            if (f.mono) {
                // The raw font at the device's pixel size. A run with a character the font
                // lacks, or one that is not a single glyph, goes out as ordinary text.
                QRawFont bruta = QRawFont::fromFont(q);
                if (bruta.isValid()) {
                    bruta.setPixelSize(escalada.pontos * p.device()->logicalDpiY() / 72.0);
                    m_brutas.insert(int(m_fontes.size() - 1), bruta);
                }
            }
            m_metricas.push_back(m);
        }
    }

    void pinta(QPainter& p, const Pagina& pg)
    {
        p.save();
        QPen pen(Qt::black);
        pen.setWidthF(std::max(1.0, 0.25 * m_pxPorMm));
        p.setPen(pen);
        for (const QLineF& r : pg.regras)
            p.drawLine(QLineF(r.p1() * m_pxPorMm, r.p2() * m_pxPorMm));
        int atual = -1;
        // Cells of a fixed-pitch font that follow each other on one line go out as one run of
        // text, blanks between them: a long list has a dozen thousand cells a hundred pages,
        // and the PDF writer spends its time per text drawn, not per character.
        QString run;
        QPointF inicioRun;
        const auto fechaRun = [&] {
            if (!run.isEmpty())
                desenhaRun(p, atual, inicioRun, run);
            run.clear();
        };
        for (const Texto& t : pg.textos) {
            if (t.fonte >= m_fontes.size())
                continue;
            if (t.fonte != atual) {
                fechaRun();
                atual = t.fonte;
                p.setFont(m_fontes.at(atual));
            }
            // Placed by hand on the baseline: a text drawn into a box is laid out line by
            // line, which costs several times more.
            const QRectF caixa(t.caixa.topLeft() * m_pxPorMm, t.caixa.size() * m_pxPorMm);
            const double passo = m_passo.at(atual);
            double largura = 0;
            if (t.alinhamento != Alinhamento::Esquerda)
                largura = passo > 0 ? passo * t.texto.size()
                                    : m_metricas.at(atual).horizontalAdvance(t.texto) *
                                          m_largura.at(atual);
            double x = caixa.left();
            if (t.alinhamento == Alinhamento::Direita)
                x = caixa.right() - largura;
            else if (t.alinhamento == Alinhamento::Centro)
                x = caixa.left() + (caixa.width() - largura) / 2;
            const double y =
                caixa.top() + (caixa.height() - m_altura.at(atual)) / 2 + m_ascendente.at(atual);
            if (passo > 0) {
                if (!run.isEmpty() && qAbs(y - inicioRun.y()) < 0.01 &&
                    juntaAoRun(run, inicioRun.x(), passo, x, t.texto))
                    continue;
                fechaRun();
                inicioRun = QPointF(x, y);
                run = t.texto;
                continue;
            }
            fechaRun();
            desenha(p, atual, QPointF(x, y), t.texto);
        }
        fechaRun();
        p.restore();
    }

private:
    // A run of a fixed-pitch font is placed glyph by glyph on its grid: no shaping to do, and
    // shaping is most of what a PDF writer spends on a line of text.
    void desenhaRun(QPainter& p, int fonte, const QPointF& inicio, const QString& texto)
    {
        QRawFont& bruta = m_brutas[fonte];
        if (!bruta.isValid()) {
            desenha(p, fonte, inicio, texto);
            return;
        }
        const QList<quint32> glifos = bruta.glyphIndexesForString(texto);
        if (glifos.size() != texto.size() || glifos.contains(0u)) {
            desenha(p, fonte, inicio, texto);
            return;
        }
        QList<QPointF> posicoes;
        posicoes.reserve(glifos.size());
        const double largura = m_largura.at(fonte);
        // Placed in the glyphs' own units; a condensed font is squeezed as a whole below.
        const double passo = m_passo.at(fonte) / largura;
        for (qsizetype i = 0; i < glifos.size(); ++i)
            posicoes.push_back(QPointF(i * passo, 0));
        QGlyphRun run;
        run.setRawFont(bruta);
        run.setGlyphIndexes(glifos);
        run.setPositions(posicoes);
        if (largura == 1) {
            p.drawGlyphRun(inicio, run);
            return;
        }
        p.save();
        p.translate(inicio);
        p.scale(largura, 1);
        p.drawGlyphRun(QPointF(), run);
        p.restore();
    }

    // Ordinary text, squeezed sideways for a condensed font.
    void desenha(QPainter& p, int fonte, const QPointF& inicio, const QString& texto)
    {
        const double largura = m_largura.at(fonte);
        if (largura == 1) {
            p.drawText(inicio, texto);
            return;
        }
        p.save();
        p.translate(inicio);
        p.scale(largura, 1);
        p.drawText(QPointF(), texto);
        p.restore();
    }

    double m_pxPorMm;
    QHash<int, QRawFont> m_brutas;
    QVector<QFont> m_fontes;
    QVector<QFontMetricsF> m_metricas;
    QVector<double> m_ascendente;
    QVector<double> m_altura;
    QVector<double> m_passo;
    QVector<double> m_largura; // 1 for the normal width
};

void Documento::pinta(QPainter& p, int pagina, double pxPorMm) const
{
    if (pagina < 0 || pagina >= paginas.size())
        return;
    Pincel(*this, p, pxPorMm).pinta(p, paginas.at(pagina));
}

struct Folhas::Pintura {
    QPainter painter;
    std::unique_ptr<Pincel> pincel;
};

Folhas::Folhas(QPagedPaintDevice& dispositivo) : m_dispositivo(dispositivo) {}

Folhas::~Folhas()
{
    termina();
}

bool Folhas::pinta(const Documento& molde, const Pagina& pagina)
{
    if (m_falhou)
        return false;
    if (!m_pintura) {
        m_pintura = std::make_unique<Pintura>();
        if (!m_pintura->painter.begin(&m_dispositivo)) {
            m_falhou = true;
            return false;
        }
        m_pintura->pincel =
            std::make_unique<Pincel>(molde, m_pintura->painter, m_dispositivo.logicalDpiX() / 25.4);
    } else if (!m_dispositivo.newPage()) {
        m_falhou = true;
        return false;
    }
    m_pintura->pincel->acompanha(molde, m_pintura->painter);
    m_pintura->pincel->pinta(m_pintura->painter, pagina);
    ++m_pintadas;
    return true;
}

bool Folhas::termina()
{
    if (!m_pintura && !m_falhou && m_pintadas == 0) {
        // Nothing to paint still gives the device its one blank sheet.
        QPainter p;
        m_falhou = !p.begin(&m_dispositivo) || !p.end();
        return !m_falhou;
    }
    if (m_pintura && m_pintura->painter.isActive() && !m_pintura->painter.end())
        m_falhou = true;
    m_pintura.reset();
    return !m_falhou;
}

bool Documento::pintaTudo(QPagedPaintDevice& dispositivo) const
{
    Folhas folhas(dispositivo);
    for (const Pagina& pg : paginas)
        if (!folhas.pinta(*this, pg))
            return false;
    return folhas.termina();
}

ArquivoPdf::ArquivoPdf() = default;
ArquivoPdf::~ArquivoPdf() = default;

bool ArquivoPdf::abre(const QString& arquivo, const Documento& molde)
{
    m_pdf = std::make_unique<EscritorPdf>();
    if (!m_pdf->abre(arquivo, molde)) {
        m_pdf.reset();
        return false;
    }
    return true;
}

bool ArquivoPdf::pinta(const Documento& molde, const Pagina& pagina)
{
    return m_pdf && m_pdf->pinta(molde, pagina);
}

bool ArquivoPdf::termina()
{
    return m_pdf && m_pdf->termina();
}

bool Documento::gravaPdf(const QString& arquivo) const
{
    ArquivoPdf pdf;
    if (!pdf.abre(arquivo, *this))
        return false;
    for (const Pagina& pg : paginas)
        if (!pdf.pinta(*this, pg))
            return false;
    return pdf.termina();
}

bool Documento::grava(QIODevice& saida) const
{
    QDataStream s(&saida);
    s.setVersion(QDataStream::Qt_6_0);
    s.writeRawData(assinatura, sizeof assinatura);
    // A report without condensed text is written as before, for workstations that still run
    // the earlier program.
    const bool condensado = std::any_of(fontes.begin(), fontes.end(),
                                        [](const Fonte& f) { return f.larguraPorCento != 100; });
    const qint32 versao = condensado ? versaoArquivo : 1;
    s << versao << titulo << larguraMm << alturaMm;
    s << qint32(fontes.size());
    for (const Fonte& f : fontes) {
        s << f.mono << f.pontos << f.negrito;
        if (versao >= 2)
            s << qint32(f.larguraPorCento);
    }
    s << qint32(paginas.size());
    for (const Pagina& pg : paginas) {
        s << qint32(pg.textos.size());
        for (const Texto& t : pg.textos)
            s << t.caixa << t.texto << t.fonte << quint8(t.alinhamento);
        s << qint32(pg.regras.size());
        for (const QLineF& r : pg.regras)
            s << r;
    }
    return s.status() == QDataStream::Ok;
}

bool Documento::grava(const QString& arquivo) const
{
    QSaveFile f(arquivo);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    if (!grava(f)) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

bool Documento::carrega(QIODevice& entrada)
{
    QDataStream s(&entrada);
    s.setVersion(QDataStream::Qt_6_0);
    char lida[sizeof assinatura] = {};
    if (s.readRawData(lida, sizeof lida) != int(sizeof lida) ||
        !std::equal(std::begin(lida), std::end(lida), std::begin(assinatura)))
        return false;
    qint32 versao = 0;
    s >> versao;
    if (versao < 1 || versao > versaoArquivo)
        return false;
    Documento d;
    s >> d.titulo >> d.larguraMm >> d.alturaMm;
    qint32 n = 0;
    s >> n;
    if (n < 0 || n > 255)
        return false;
    for (qint32 i = 0; i < n; ++i) {
        Fonte f;
        s >> f.mono >> f.pontos >> f.negrito;
        if (versao >= 2) {
            qint32 largura = 100;
            s >> largura;
            if (largura < 1 || largura > 100)
                return false;
            f.larguraPorCento = largura;
        }
        d.fontes.push_back(f);
    }
    s >> n;
    if (n < 0)
        return false;
    for (qint32 i = 0; i < n && s.status() == QDataStream::Ok; ++i) {
        Pagina pg;
        qint32 textos = 0;
        s >> textos;
        for (qint32 j = 0; j < textos && s.status() == QDataStream::Ok; ++j) {
            Texto t;
            quint8 alinhamento = 0;
            s >> t.caixa >> t.texto >> t.fonte >> alinhamento;
            if (t.fonte >= d.fontes.size() || alinhamento > quint8(Alinhamento::Centro))
                return false;
            t.alinhamento = Alinhamento(alinhamento);
            pg.textos.push_back(std::move(t));
        }
        qint32 regras = 0;
        s >> regras;
        for (qint32 j = 0; j < regras && s.status() == QDataStream::Ok; ++j) {
            QLineF r;
            s >> r;
            pg.regras.push_back(r);
        }
        d.paginas.push_back(std::move(pg));
    }
    if (s.status() != QDataStream::Ok)
        return false;
    *this = std::move(d);
    return true;
}

bool Documento::carrega(const QString& arquivo)
{
    QFile f(arquivo);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    return carrega(f);
}

bool operator==(const Documento& a, const Documento& b)
{
    return a.titulo == b.titulo && a.larguraMm == b.larguraMm && a.alturaMm == b.alturaMm &&
           a.fontes == b.fontes && a.paginas == b.paginas;
}

struct PaginasGuardadas::Arquivo {
    QTemporaryFile arquivo;
};

PaginasGuardadas::PaginasGuardadas() = default;
PaginasGuardadas::~PaginasGuardadas() = default;

void PaginasGuardadas::limpa()
{
    m_arquivo.reset();
    m_inicios.clear();
}

bool PaginasGuardadas::guarda(const Pagina& pagina)
{
    if (!m_arquivo) {
        m_arquivo = std::make_unique<Arquivo>();
        if (!m_arquivo->arquivo.open()) {
            m_arquivo.reset();
            return false;
        }
    }
    QFile& f = m_arquivo->arquivo;
    const qint64 inicio = f.size();
    if (!f.seek(inicio))
        return false;
    QDataStream s(&f);
    s.setVersion(QDataStream::Qt_6_0);
    s << qint32(pagina.textos.size());
    for (const Texto& t : pagina.textos)
        s << t.caixa << t.texto << t.fonte << quint8(t.alinhamento);
    s << qint32(pagina.regras.size());
    for (const QLineF& r : pagina.regras)
        s << r;
    if (s.status() != QDataStream::Ok || !f.flush()) {
        f.resize(inicio);
        return false;
    }
    m_inicios.push_back(inicio);
    return true;
}

Pagina PaginasGuardadas::pagina(int n) const
{
    Pagina pg;
    if (!m_arquivo || n < 0 || n >= m_inicios.size())
        return pg;
    QFile& f = m_arquivo->arquivo;
    if (!f.seek(m_inicios.at(n)))
        return pg;
    QDataStream s(&f);
    s.setVersion(QDataStream::Qt_6_0);
    qint32 quantos = 0;
    s >> quantos;
    for (qint32 i = 0; i < quantos && s.status() == QDataStream::Ok; ++i) {
        Texto t;
        quint8 alinhamento = 0;
        s >> t.caixa >> t.texto >> t.fonte >> alinhamento;
        t.alinhamento = Alinhamento(alinhamento);
        pg.textos.push_back(std::move(t));
    }
    s >> quantos;
    for (qint32 i = 0; i < quantos && s.status() == QDataStream::Ok; ++i) {
        QLineF r;
        s >> r;
        pg.regras.push_back(r);
    }
    if (s.status() != QDataStream::Ok)
        return Pagina{};
    return pg;
}

bool juntaAoRun(QString& run, double inicio, double passo, double x, const QString& texto)
{
    const double coluna = (x - inicio) / passo;
    const qsizetype n = qRound64(coluna);
    if (qAbs(coluna - n) >= 0.05 || n < run.size())
        return false;
    run += QString(n - run.size(), QLatin1Char(' '));
    run += texto;
    return true;
}

} // namespace Motor
