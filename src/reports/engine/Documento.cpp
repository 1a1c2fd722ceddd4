#include "reports/engine/Documento.h"

#include <QDataStream>
#include <QFile>
#include <QMap>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

namespace Motor {

namespace {

// The first bytes of a saved report, and the version of its layout.
const char assinatura[] = "ZVRELATORIO";
const qint32 versaoArquivo = 1;

int flags(Alinhamento a)
{
    switch (a) {
    case Alinhamento::Direita:
        return Qt::AlignRight | Qt::AlignVCenter | Qt::TextDontClip | Qt::TextSingleLine;
    case Alinhamento::Centro:
        return Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextDontClip | Qt::TextSingleLine;
    case Alinhamento::Esquerda:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip | Qt::TextSingleLine;
}

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

void Documento::pinta(QPainter& p, int pagina, double pxPorMm) const
{
    if (pagina < 0 || pagina >= paginas.size())
        return;
    const Pagina& pg = paginas.at(pagina);
    // A point is 1/72 inch; the device's fonts are sized by its own logical resolution.
    const double dpiDispositivo = p.device()->logicalDpiY();
    const double escalaFonte = pxPorMm * 25.4 / dpiDispositivo;
    QVector<QFont> qfontes;
    qfontes.reserve(fontes.size());
    for (const Fonte& f : fontes) {
        Fonte escalada = f;
        escalada.pontos = f.pontos * escalaFonte;
        qfontes.push_back(qfont(escalada));
    }
    p.save();
    QPen pen(Qt::black);
    pen.setWidthF(std::max(1.0, 0.25 * pxPorMm));
    p.setPen(pen);
    for (const QLineF& r : pg.regras)
        p.drawLine(QLineF(r.p1() * pxPorMm, r.p2() * pxPorMm));
    int atual = -1;
    for (const Texto& t : pg.textos) {
        if (t.fonte != atual && t.fonte < qfontes.size()) {
            atual = t.fonte;
            p.setFont(qfontes.at(atual));
        }
        const QRectF caixa(t.caixa.topLeft() * pxPorMm, t.caixa.size() * pxPorMm);
        p.drawText(caixa, flags(t.alinhamento), t.texto);
    }
    p.restore();
}

bool Documento::pintaTudo(QPagedPaintDevice& dispositivo) const
{
    QPainter p;
    if (!p.begin(&dispositivo))
        return false;
    const double pxPorMm = dispositivo.logicalDpiX() / 25.4;
    for (int i = 0; i < paginas.size(); ++i) {
        if (i > 0 && !dispositivo.newPage())
            return false;
        pinta(p, i, pxPorMm);
    }
    return p.end();
}

bool Documento::gravaPdf(const QString& arquivo) const
{
    QFile teste(arquivo);
    // QPdfWriter says nothing when it cannot write; try the file first.
    if (!teste.open(QIODevice::WriteOnly))
        return false;
    teste.close();
    QPdfWriter pdf(arquivo);
    pdf.setTitle(titulo);
    pdf.setCreator(QStringLiteral("Zorvane Almoxarifado"));
    pdf.setResolution(600);
    pdf.setPageLayout(QPageLayout(QPageSize(QSizeF(larguraMm, alturaMm), QPageSize::Millimeter),
                                  QPageLayout::Portrait, QMarginsF()));
    return pintaTudo(pdf);
}

bool Documento::grava(QIODevice& saida) const
{
    QDataStream s(&saida);
    s.setVersion(QDataStream::Qt_6_0);
    s.writeRawData(assinatura, sizeof assinatura);
    s << versaoArquivo << titulo << larguraMm << alturaMm;
    s << qint32(fontes.size());
    for (const Fonte& f : fontes)
        s << f.mono << f.pontos << f.negrito;
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
    if (versao != versaoArquivo)
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

} // namespace Motor
