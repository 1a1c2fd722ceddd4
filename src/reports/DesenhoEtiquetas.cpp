#include "reports/DesenhoEtiquetas.h"

#include "data/DataModule_Produtos.h"
#include "reports/engine/Documento.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <zint.h>

#include <algorithm>
#include <memory>

namespace DesenhoEtiquetas {

namespace {

// Inside each label, clear of its edges: a sheet never lies on the printer exactly.
const double margemMm = 1.5;
// Code 128 wants ten modules of blank on each side for the scanner to find where it starts.
const int zonaLivre = 10;
// Bars wider than this only take room; narrower than the floor, a shelf scanner misses them.
const double moduloMaximoMm = 0.5;

QFont fonteEmPixels(const Motor::Fonte& f, double pxPorMm)
{
    QFont q = Motor::qfont(f);
    q.setPixelSize(std::max(1, int(f.pontos * 25.4 / 72.0 * pxPorMm + 0.5)));
    return q;
}

void pintaEtiqueta(QPainter& p, double pxPorMm, const QRectF& caixaMm, const Etiqueta& e)
{
    const auto px = [pxPorMm](const QRectF& r) {
        return QRectF(r.x() * pxPorMm, r.y() * pxPorMm, r.width() * pxPorMm, r.height() * pxPorMm);
    };
    const QRectF dentro = caixaMm.adjusted(margemMm, margemMm, -margemMm, -margemMm);

    const QRectF linhaDescricao(dentro.left(), dentro.top(), dentro.width(), 3.6);
    p.setFont(fonteEmPixels({.mono = false, .pontos = 8, .negrito = true}, pxPorMm));
    const QRectF descricaoPx = px(linhaDescricao);
    p.drawText(
        descricaoPx, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip,
        cortaNaPalavra(e.descricao.simplified(), QFontMetricsF(p.font()), descricaoPx.width()));

    const QRectF linhaCodigo(dentro.left(), linhaDescricao.bottom(), dentro.width(), 3.2);
    p.setFont(fonteEmPixels({.mono = false, .pontos = 7}, pxPorMm));
    p.drawText(px(linhaCodigo), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip,
               QStringLiteral("Código: %1").arg(e.codigo));

    const double alturaTexto = 3.0;
    const QRectF areaBarras(dentro.left(), linhaCodigo.bottom() + 0.8, dentro.width(),
                            dentro.bottom() - alturaTexto - linhaCodigo.bottom() - 0.8);
    const std::optional<Simbolo> s = code128(e.barras);
    if (!s || areaBarras.height() <= 0)
        return;
    const double modulo =
        std::min(moduloMaximoMm, areaBarras.width() / double(s->modulos + 2 * zonaLivre));
    const double inicio = areaBarras.center().x() - modulo * s->modulos / 2;
    for (const auto& [x, largura] : s->barras)
        p.fillRect(px(QRectF(inicio + x * modulo, areaBarras.top(), largura * modulo,
                             areaBarras.height())),
                   Qt::black);
    p.setFont(fonteEmPixels({.mono = true, .pontos = 7}, pxPorMm));
    p.drawText(px(QRectF(dentro.left(), areaBarras.bottom(), dentro.width(), alturaTexto)),
               Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextDontClip, e.barras);
}

} // namespace

QRectF Papel::caixa(int posicao) const
{
    const int linha = posicao / colunas;
    const int coluna = posicao % colunas;
    return QRectF(margemEsquerdaMm + coluna * (etiquetaLarguraMm + espacoHorizontalMm),
                  margemSuperiorMm + linha * (etiquetaAlturaMm + espacoVerticalMm),
                  etiquetaLarguraMm, etiquetaAlturaMm);
}

Papel folhaA4()
{
    Papel p{.nome = QStringLiteral("Folha A4 - 3 x 10 etiquetas de 66,7 x 25,4 mm"),
            .colunas = 3,
            .linhas = 10,
            .etiquetaLarguraMm = 66.7,
            .etiquetaAlturaMm = 25.4};
    // The labels touch one another and the block is centred on the sheet.
    p.margemEsquerdaMm = (p.larguraMm - p.colunas * p.etiquetaLarguraMm) / 2;
    p.margemSuperiorMm = (p.alturaMm - p.linhas * p.etiquetaAlturaMm) / 2;
    return p;
}

Papel rolo()
{
    return {.nome = QStringLiteral("Rolo - 1 etiqueta de 50 x 25 mm por página"),
            .larguraMm = 50,
            .alturaMm = 25,
            .etiquetaLarguraMm = 50,
            .etiquetaAlturaMm = 25};
}

Etiqueta deProduto(const Produto& p)
{
    Etiqueta e;
    e.descricao = p.descricao.trimmed();
    e.codigo = p.codigo.trimmed();
    const QString barras = p.codigoBarras.trimmed();
    e.barras = barras.isEmpty() ? e.codigo : barras;
    return e;
}

std::optional<Simbolo> code128(const QString& dados)
{
    if (dados.isEmpty())
        return std::nullopt;
    for (QChar c : dados)
        if (c.unicode() > 0xFF)
            return std::nullopt;
    const std::unique_ptr<zint_symbol, void (*)(zint_symbol*)> z(ZBarcode_Create(),
                                                                 ZBarcode_Delete);
    if (!z)
        return std::nullopt;
    z->symbology = BARCODE_CODE128;
    z->input_mode = UNICODE_MODE;
    z->show_hrt = 0; // the label writes the text itself, in the report's face
    const QByteArray utf8 = dados.toUtf8();
    const int r = ZBarcode_Encode_and_Buffer_Vector(
        z.get(), reinterpret_cast<const unsigned char*>(utf8.constData()), int(utf8.size()), 0);
    if (r >= ZINT_ERROR || !z->vector || z->width <= 0 || z->vector->width <= 0)
        return std::nullopt;
    Simbolo s;
    s.modulos = z->width;
    // The vector is drawn in its own units; the symbol's width in modules gives the scale.
    const double porModulo = z->vector->width / double(z->width);
    for (const zint_vector_rect* q = z->vector->rectangles; q; q = q->next)
        s.barras.append({q->x / porModulo, q->width / porModulo});
    return s;
}

QString cortaNaPalavra(const QString& texto, const QFontMetricsF& medida, double largura)
{
    if (medida.horizontalAdvance(texto) <= largura)
        return texto;
    QString cabe;
    for (const QString& palavra : texto.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString mais = cabe.isEmpty() ? palavra : cabe + QLatin1Char(' ') + palavra;
        if (medida.horizontalAdvance(mais) > largura)
            break;
        cabe = mais;
    }
    if (!cabe.isEmpty())
        return cabe;
    // One word wider than the label: as much of it as fits.
    QString parte;
    for (QChar c : texto) {
        if (medida.horizontalAdvance(parte + c) > largura)
            break;
        parte += c;
    }
    return parte;
}

int paginas(const Papel& papel, int quantas, int inicio)
{
    if (quantas <= 0)
        return 0;
    const int porPagina = papel.porPagina();
    inicio = std::clamp(inicio, 0, porPagina - 1);
    return (inicio + quantas + porPagina - 1) / porPagina;
}

void pintaPagina(QPainter& p, double pxPorMm, const Papel& papel,
                 const QVector<Etiqueta>& etiquetas, int inicio, int pagina)
{
    const int porPagina = papel.porPagina();
    inicio = std::clamp(inicio, 0, porPagina - 1);
    p.setPen(Qt::black);
    for (int posicao = 0; posicao < porPagina; ++posicao) {
        const int n = pagina * porPagina + posicao - inicio;
        if (n < 0)
            continue;
        if (n >= etiquetas.size())
            break;
        pintaEtiqueta(p, pxPorMm, papel.caixa(posicao), etiquetas[n]);
    }
}

void preparaDispositivo(QPagedPaintDevice& dispositivo, const Papel& papel)
{
    dispositivo.setPageLayout(
        QPageLayout(QPageSize(QSizeF(papel.larguraMm, papel.alturaMm), QPageSize::Millimeter),
                    QPageLayout::Portrait, QMarginsF()));
}

bool pintaTudo(QPagedPaintDevice& dispositivo, const Papel& papel,
               const QVector<Etiqueta>& etiquetas, int inicio)
{
    QPainter p;
    if (!p.begin(&dispositivo))
        return false;
    const double pxPorMm = dispositivo.logicalDpiX() / 25.4;
    const int total = paginas(papel, int(etiquetas.size()), inicio);
    for (int n = 0; n < total; ++n) {
        if (n > 0 && !dispositivo.newPage()) {
            p.end();
            return false;
        }
        pintaPagina(p, pxPorMm, papel, etiquetas, inicio, n);
    }
    return p.end();
}

bool gravaPdf(const QString& arquivo, const Papel& papel, const QVector<Etiqueta>& etiquetas,
              int inicio)
{
    QPdfWriter pdf(arquivo);
    pdf.setCreator(QStringLiteral("Zorvane Almoxarifado"));
    pdf.setTitle(QStringLiteral("Etiquetas de Produtos"));
    preparaDispositivo(pdf, papel);
    return pintaTudo(pdf, papel, etiquetas, inicio);
}

} // namespace DesenhoEtiquetas
