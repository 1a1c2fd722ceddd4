#include "reports/engine/Motor.h"

#include "common/Formatos.h"

#include <QFontMetricsF>
#include <QHash>
#include <QImage>

#include <cmath>

namespace Motor {

namespace {

// The frame, in millimetres.
constexpr double margem = 10;
constexpr double larguraPapel = 210;
constexpr double alturaPapel = 297;
constexpr double direita = larguraPapel - margem;
constexpr double larguraUtil = larguraPapel - 2 * margem;
constexpr double alturaCabecalhoPagina = 6;
constexpr double alturaTitulo = 9;
constexpr double alturaSubtitulo = 6;
constexpr double alturaTitulosColunas = 5.5;
constexpr double alturaLinha = 4.3;
constexpr double alturaLinhaResumo = 5.5;
constexpr double alturaRodape = 6;
constexpr double espacoEntreColunas = 2;
// The footer's rule; nothing else goes below it.
constexpr double reguaRodape = alturaPapel - margem - alturaRodape - 1;

const Fonte fonteEmpresa{false, 10, true};
const Fonte fonteTitulo{false, 14, true};
const Fonte fonteSubtitulo{false, 11, true};
const Fonte fonteTitulosColunas{false, 10, true};
const Fonte fonteCelula{true, 10, false};
const Fonte fonteCelulaTotal{true, 10, true};
const Fonte fonteGrupo{false, 10, true};
constexpr double alturaGrupo = 6;
const Fonte fonteRotuloResumo{false, 10, true};
const Fonte fonteValorResumo{false, 10, false};
const Fonte fonteRodape{false, 9, false};
const Fonte fonteLegenda{false, 8, false};

// Text is measured at a printer's resolution, whatever screen the program has.
class Medidor {
public:
    Medidor() : m_imagem(1, 1, QImage::Format_Mono)
    {
        m_imagem.setDotsPerMeterX(qRound(dpi / 0.0254));
        m_imagem.setDotsPerMeterY(qRound(dpi / 0.0254));
    }

    const QFontMetricsF& metricas(const Fonte& f)
    {
        const QString chave = QStringLiteral("%1/%2/%3").arg(f.mono).arg(f.pontos).arg(f.negrito);
        auto it = m_metricas.find(chave);
        if (it == m_metricas.end())
            it = m_metricas.insert(chave, QFontMetricsF(qfont(f), &m_imagem));
        return it.value();
    }

    double largura(const QString& texto, const Fonte& f)
    {
        return metricas(f).horizontalAdvance(texto) * 25.4 / dpi;
    }

private:
    static constexpr double dpi = 1200;
    QImage m_imagem;
    QHash<QString, QFontMetricsF> m_metricas;
};

Medidor& medidor()
{
    static Medidor m;
    return m;
}

class Montador {
public:
    Montador(const Layout& layout, const Linhas& linhas, const RecebePagina& recebe)
        : m_layout(layout), m_linhas(linhas), m_recebe(recebe)
    {
        m_doc.titulo = layout.titulo;
        m_doc.larguraMm = larguraPapel;
        m_doc.alturaMm = alturaPapel;
        m_celula = m_doc.fonte(fonteCelula);
        m_passoMono = passoMono(fonteCelula);
        // Columns start and end on the grid of the fixed-pitch cells, so the cells of a line
        // can be painted as one run of text (see Documento::pinta).
        double x = margem;
        for (const Coluna& c : layout.colunas) {
            const double inicio = margem + std::round((x - margem) / m_passoMono) * m_passoMono;
            const double largura = std::floor(c.largura / m_passoMono + 0.01) * m_passoMono;
            m_x.push_back(inicio);
            m_largura.push_back(largura);
            x += c.largura + espacoEntreColunas;
        }
        m_dataHora = Formatos::dataHora(layout.quando);
    }

    // Only the page being laid out is held; each finished page goes to `recebe` at once.
    bool monta()
    {
        novaPagina();
        for (int i = 0; !m_parou && existe(i); ++i) {
            const TipoLinha tipo = m_linhas.tipo ? m_linhas.tipo(i) : TipoLinha::Dados;
            // A group's heading goes to the next page with at least its first row.
            const double altura =
                tipo == TipoLinha::Grupo ? alturaGrupo + alturaLinha : alturaLinha;
            if (m_y + altura > reguaRodape)
                novaPagina();
            if (m_parou)
                break;
            if (m_linhas.antesDaLinha)
                m_linhas.antesDaLinha(i);
            if (tipo == TipoLinha::Grupo)
                linhaDeGrupo(i);
            else
                linhaDeDados(i, tipo == TipoLinha::Total ? fonteCelulaTotal : fonteCelula);
        }
        if (m_layout.temResumo && !m_parou)
            resumo();
        entrega();
        return !m_parou;
    }

private:
    bool existe(int linha) const
    {
        return m_linhas.existe ? m_linhas.existe(linha) : linha < m_linhas.quantas;
    }

    void entrega()
    {
        if (m_doc.paginas.isEmpty() || m_parou)
            return;
        Pagina pg = std::move(m_doc.paginas.last());
        m_doc.paginas.clear();
        m_parou = !m_recebe(m_doc, std::move(pg), m_numero);
    }

    Pagina& pagina() { return m_doc.paginas.last(); }

    void texto(double x, double y, double largura, double altura, const QString& t, const Fonte& f,
               Alinhamento a = Alinhamento::Esquerda)
    {
        pagina().textos.push_back(Texto{QRectF(x, y, largura, altura), t, m_doc.fonte(f), a});
    }

    void regua(double y) { pagina().regras.push_back(QLineF(margem, y, direita, y)); }

    void novaPagina()
    {
        entrega();
        if (m_parou)
            return;
        m_doc.paginas.push_back(Pagina{});
        ++m_numero;
        m_y = margem;
        texto(margem, m_y, larguraUtil / 2, alturaCabecalhoPagina, m_layout.empresa, fonteEmpresa);
        texto(margem + larguraUtil / 2, m_y, larguraUtil / 2, alturaCabecalhoPagina,
              m_layout.telefone, fonteEmpresa, Alinhamento::Direita);
        m_y += alturaCabecalhoPagina;
        if (m_numero == 1 || m_layout.cabecalhoEmTodaPagina)
            cabecalho();
        rodape();
    }

    void cabecalho()
    {
        texto(margem, m_y, larguraUtil, alturaTitulo, m_layout.titulo, fonteTitulo,
              Alinhamento::Centro);
        m_y += alturaTitulo;
        for (const QString& s : m_layout.subtitulos) {
            texto(margem, m_y, larguraUtil, alturaSubtitulo, s, fonteSubtitulo);
            m_y += alturaSubtitulo;
        }
        if (!m_layout.colunas.isEmpty()) {
            m_y += 1;
            for (int c = 0; c < m_layout.colunas.size(); ++c) {
                const Coluna& col = m_layout.colunas.at(c);
                if (col.titulo.isEmpty())
                    continue;
                if (col.tituloSobreDuas && c + 1 < m_layout.colunas.size())
                    texto(m_x.at(c), m_y, m_x.at(c + 1) + m_largura.at(c + 1) - m_x.at(c),
                          alturaTitulosColunas, col.titulo, fonteTitulosColunas);
                else
                    texto(m_x.at(c), m_y, m_largura.at(c), alturaTitulosColunas, col.titulo,
                          fonteTitulosColunas,
                          col.direita ? Alinhamento::Direita : Alinhamento::Esquerda);
            }
            m_y += alturaTitulosColunas;
        }
        m_y += 0.5;
        regua(m_y);
        m_y += 1;
    }

    void rodape()
    {
        const double y = reguaRodape + 1;
        regua(reguaRodape);
        const QString pagina = QStringLiteral("Página: ") + QString::number(m_numero);
        texto(margem, y, 40, alturaRodape, pagina, fonteRodape);
        if (!m_layout.legenda.isEmpty())
            texto(margem + 30, y, larguraUtil - 80, alturaRodape, m_layout.legenda, fonteLegenda,
                  Alinhamento::Centro);
        texto(direita - 60, y, 60, alturaRodape, QStringLiteral("Data/Hora: ") + m_dataHora,
              fonteRodape, Alinhamento::Direita);
    }

    void linhaDeGrupo(int linha)
    {
        m_y += 1;
        texto(margem, m_y, larguraUtil, alturaGrupo - 1, m_linhas.celula(linha, 0), fonteGrupo);
        m_y += alturaGrupo - 1;
    }

    void linhaDeDados(int linha, const Fonte& base)
    {
        Pagina& pg = pagina();
        const quint8 celula = base == fonteCelula ? m_celula : m_doc.fonte(base);
        for (int c = 0; c < m_layout.colunas.size(); ++c) {
            const Coluna& col = m_layout.colunas.at(c);
            QString t = m_linhas.celula(linha, c);
            if (t.isEmpty())
                continue;
            quint8 fonte = celula;
            const double largura = t.size() * m_passoMono;
            if (col.corta && largura > col.largura + 0.01)
                t = cortaMono(t, col.largura);
            else if (!col.corta && largura > m_largura.at(c) + 0.01)
                fonte = condensada(base, largura, m_largura.at(c));
            pg.textos.push_back(Texto{QRectF(m_x.at(c), m_y, m_largura.at(c), alturaLinha),
                                      std::move(t), fonte,
                                      col.direita ? Alinhamento::Direita : Alinhamento::Esquerda});
        }
        m_y += alturaLinha;
    }

    // The cell font narrowed, in whole percents rounded down, until `largura` fits `cabe`.
    quint8 condensada(const Fonte& base, double largura, double cabe)
    {
        Fonte f = base;
        f.larguraPorCento = qBound(1, int(std::floor(cabe / largura * 100)), 100);
        return m_doc.fonte(f);
    }

    QString cortaMono(const QString& t, double largura) const
    {
        const int cabem = int(std::floor((largura + 0.01) / m_passoMono));
        return corta(t, cabem);
    }

    void resumo()
    {
        const QVector<LinhaResumo> linhas =
            m_linhas.resumo ? m_linhas.resumo() : QVector<LinhaResumo>{};
        const double altura = 1.5 + linhas.size() * alturaLinhaResumo;
        if (m_y + altura > reguaRodape)
            novaPagina();
        if (m_parou)
            return;
        m_y += 0.5;
        regua(m_y);
        m_y += 1;
        const double metade = larguraUtil / 2;
        for (const LinhaResumo& l : linhas) {
            const auto par = [&](double x, const QString& rotulo, const QString& valor) {
                if (rotulo.isEmpty())
                    return;
                const double larguraRotulo = larguraTexto(rotulo, fonteRotuloResumo);
                texto(x, m_y, larguraRotulo, alturaLinhaResumo, rotulo, fonteRotuloResumo);
                texto(x + larguraRotulo + 2, m_y, metade - larguraRotulo - 4, alturaLinhaResumo,
                      valor, fonteValorResumo, Alinhamento::Direita);
            };
            par(margem, l.rotulo, l.valor);
            par(margem + metade, l.rotuloDireita, l.valorDireita);
            m_y += alturaLinhaResumo;
        }
    }

public:
    // The first `cabem` characters, cut back to the last blank within them when there is one.
    static QString corta(const QString& t, int cabem)
    {
        if (cabem <= 0)
            return QString();
        if (t.size() <= cabem)
            return t;
        if (t.at(cabem) == QLatin1Char(' '))
            return t.left(cabem);
        const qsizetype branco = t.lastIndexOf(QLatin1Char(' '), cabem - 1);
        if (branco > 0)
            return t.left(branco);
        return t.left(cabem);
    }

private:
    const Layout& m_layout;
    const Linhas& m_linhas;
    const RecebePagina& m_recebe;
    Documento m_doc;
    int m_numero = 0;
    bool m_parou = false;
    QVector<double> m_x;
    QVector<double> m_largura;
    quint8 m_celula = 0;
    double m_passoMono = 2;
    double m_y = margem;
    QString m_dataHora;
};

} // namespace

bool monta(const Layout& layout, const Linhas& linhas, const RecebePagina& recebe)
{
    return Montador(layout, linhas, recebe).monta();
}

RecebePagina guardaEm(Documento& documento)
{
    return [&documento](const Documento& molde, Pagina&& pagina, int) {
        documento.titulo = molde.titulo;
        documento.larguraMm = molde.larguraMm;
        documento.alturaMm = molde.alturaMm;
        documento.fontes = molde.fontes;
        documento.paginas.push_back(std::move(pagina));
        return true;
    };
}

Documento monta(const Layout& layout, const Linhas& linhas)
{
    Documento d;
    monta(layout, linhas, guardaEm(d));
    return d;
}

bool gravaPdf(const Layout& layout, const Linhas& linhas, const QString& arquivo)
{
    ArquivoPdf pdf;
    bool aberto = false;
    const bool inteiro = monta(layout, linhas, [&](const Documento& molde, Pagina&& pagina, int) {
        if (!aberto && !(aberto = pdf.abre(arquivo, molde)))
            return false;
        return pdf.pinta(molde, pagina);
    });
    return inteiro && pdf.termina();
}

double larguraTexto(const QString& texto, const Fonte& fonte)
{
    return medidor().largura(texto, fonte);
}

QString cortaNaPalavra(const QString& texto, const Fonte& fonte, double larguraMm)
{
    if (larguraTexto(texto, fonte) <= larguraMm + 0.01)
        return texto;
    int cabem = int(texto.size());
    while (cabem > 0 && larguraTexto(texto.left(cabem), fonte) > larguraMm + 0.01)
        --cabem;
    return Montador::corta(texto, cabem);
}

} // namespace Motor
