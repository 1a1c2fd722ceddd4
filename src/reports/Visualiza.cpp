#include "reports/Visualiza.h"

#include "common/Mensagens.h"
#include "common/Modal.h"
#include "reports/engine/Impressora.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include <limits>

// The page as paper on the desk: white, with a thin shadow, at the chosen scale.
class FolhaNaTela : public QWidget {
public:
    explicit FolhaNaTela(TfVisualiza* janela) : QWidget(nullptr), m_janela(janela)
    {
        setObjectName(QStringLiteral("qrpPagina"));
        setAutoFillBackground(false);
    }

    void ajusta()
    {
        const double e = m_janela->escala();
        const auto& d = m_janela->vista();
        setFixedSize(int(d.larguraMm * e) + 2 * borda, int(d.alturaMm * e) + 2 * borda);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor(128, 128, 128));
        const double e = m_janela->escala();
        const auto& d = m_janela->vista();
        const QRectF folha(borda, borda, d.larguraMm * e, d.alturaMm * e);
        p.fillRect(folha.translated(3, 3), QColor(60, 60, 60));
        p.fillRect(folha, Qt::white);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.translate(folha.topLeft());
        d.pinta(p, 0, e);
    }

private:
    static constexpr int borda = 10;
    TfVisualiza* m_janela;
};

TfVisualiza::TfVisualiza(QWidget* parent)
    : Dialogo(parent, "TfVisualiza", QStringLiteral("Impressão na Tela"))
{
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);

    auto* layout = new QVBoxLayout(this);
    // Two groups of buttons side by side, one over the other on a screen too narrow for both.
    m_barra = new QBoxLayout(QBoxLayout::LeftToRight);
    auto* barra = new QHBoxLayout;
    const auto botao = [&](const char* nome, const QString& texto, auto faz) {
        QPushButton* b = Formulario::botao(this, nome, texto);
        connect(b, &QPushButton::clicked, this, faz);
        barra->addWidget(b);
        return b;
    };
    botao("btnZoomPagina", QStringLiteral("Página Inteira"), [this] { setZoom(Zoom::Pagina); });
    botao("btnZoom100", QStringLiteral("100 %"), [this] { setZoom(Zoom::Cem); });
    botao("btnZoomLargura", QStringLiteral("Largura da Página"),
          [this] { setZoom(Zoom::Largura); });
    barra->addSpacing(12);
    botao("btnPrimeira", QStringLiteral("|<"), [this] { vaiParaPagina(0); });
    botao("btnAnterior", QStringLiteral("<"), [this] { vaiParaPagina(m_pagina - 1); });
    m_lbPagina = Formulario::rotulo(this, "lbPagina", QString());
    m_lbPagina->setMinimumWidth(110);
    m_lbPagina->setAlignment(Qt::AlignCenter);
    barra->addWidget(m_lbPagina);
    botao("btnProxima", QStringLiteral(">"), [this] { vaiParaPagina(m_pagina + 1); });
    botao("btnUltima", QStringLiteral(">|"), [this] { vaiParaUltima(); });
    barra->addStretch();
    m_barra->addLayout(barra);
    barra = new QHBoxLayout;
    botao("btnSetup", QStringLiteral("Setup da Impressora"),
          [this] { Impressora::configura(this); });
    botao("btnImprimir", QStringLiteral("Imprimir"), [this] { imprime(); });
    botao("btnSalvar", QStringLiteral("Salvar Relatório"), [this] { salvaComo(); });
    botao("btnCarregar", QStringLiteral("Carregar Relatório"), [this] { carregaEscolhido(); });
    barra->addStretch();
    botao("btnFechar", QStringLiteral("&Fechar"), [this] { accept(); });
    m_barra->addLayout(barra);
    layout->addLayout(m_barra);

    m_folha = new FolhaNaTela(this);
    m_area = new QScrollArea(this);
    m_area->setObjectName(QStringLiteral("saPaginas"));
    m_area->setAlignment(Qt::AlignCenter);
    m_area->setBackgroundRole(QPalette::Dark);
    m_area->setWidget(m_folha);
    layout->addWidget(m_area, 1);
    // As every grid of the program: the rows to a spreadsheet from the context menu or the key.
    m_acExportar = new QAction(QStringLiteral("Exportar para planilha…"), this);
    m_acExportar->setObjectName(QStringLiteral("acExportarPlanilha"));
    m_acExportar->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
    m_acExportar->setShortcutContext(Qt::WindowShortcut);
    m_acExportar->setEnabled(false);
    connect(m_acExportar, &QAction::triggered, this, [this] { exportaPlanilha(); });
    addAction(m_acExportar);
    for (QWidget* w :
         {static_cast<QWidget*>(m_area), m_area->viewport(), static_cast<QWidget*>(m_folha)}) {
        w->addAction(m_acExportar);
        w->setContextMenuPolicy(Qt::ActionsContextMenu);
    }
    // The scale follows the area the page is shown in, which is laid out after the window.
    m_area->viewport()->installEventFilter(this);
    resize(1000, 760);
    atualiza();
}

TfVisualiza::~TfVisualiza() = default;

Motor::Documento TfVisualiza::documento() const
{
    Motor::Documento d = m_molde;
    for (int i = 0; i < numeroDePaginas(); ++i)
        d.paginas.push_back(m_guardadas.pagina(i));
    return d;
}

const Motor::Documento& TfVisualiza::vista() const
{
    if (m_paginaDaVista != m_pagina || m_vista.fontes.size() != m_molde.fontes.size()) {
        m_vista = m_molde;
        m_vista.paginas.clear();
        if (m_pagina < numeroDePaginas())
            m_vista.paginas.push_back(m_guardadas.pagina(m_pagina));
        m_paginaDaVista = m_vista.paginas.isEmpty() ? -1 : m_pagina;
    }
    return m_vista;
}

void TfVisualiza::mostra(Motor::Documento documento)
{
    ++m_geracao;
    m_producao = {};
    m_alvo = -1;
    m_acao = {};
    fechaEspera();
    m_guardadas.limpa();
    m_paginaDaVista = -1;
    m_molde = std::move(documento);
    defineExportacao({});
    for (const Motor::Pagina& pagina : std::as_const(m_molde.paginas))
        m_guardadas.guarda(pagina);
    m_molde.paginas.clear();
    m_pagina = 0;
    m_zoom = Zoom::Pagina;
    atualiza();
}

void TfVisualiza::mostra(Producao producao)
{
    Exportacao::Preparo exportacao = std::move(m_exportacao);
    mostra(Motor::Documento{});
    m_producao = std::move(producao);
    defineExportacao(std::move(exportacao));
}

void TfVisualiza::defineExportacao(Exportacao::Preparo preparo)
{
    m_exportacao = std::move(preparo);
    m_acExportar->setEnabled(bool(m_exportacao));
}

void TfVisualiza::exportaPlanilha()
{
    if (!m_exportacao)
        return;
    // The rows are read again while no page is being laid out from the same list.
    if (m_montando) {
        espera([this] { exportaPlanilha(); });
        return;
    }
    Exportacao::exporta(this, m_molde.titulo, m_exportacao);
}

void TfVisualiza::monta()
{
    if (!m_producao || m_montando || !isVisible())
        return;
    const Producao producao = std::exchange(m_producao, {});
    const int geracao = m_geracao;
    m_montando = true;
    atualiza();
    const std::optional<bool> inteiro = producao([&](const Motor::Documento& molde,
                                                     Motor::Pagina&& pagina, int numero) {
        if (geracao != m_geracao || !isVisible())
            return false;
        // Each page goes to disk as it comes: a preview of years of movements holds only the
        // page on screen.
        m_molde.titulo = molde.titulo;
        m_molde.larguraMm = molde.larguraMm;
        m_molde.alturaMm = molde.alturaMm;
        m_molde.fontes = molde.fontes;
        if (!m_guardadas.guarda(pagina)) {
            Mensagens::erro(QStringLiteral("Não há espaço em disco para as páginas do relatório."),
                            this);
            return false;
        }
        if (m_alvo >= 0 && m_alvo < numeroDePaginas()) {
            m_pagina = std::exchange(m_alvo, -1);
            if (!m_acao)
                fechaEspera();
        }
        if (m_espera)
            m_espera->setLabelText(QStringLiteral("Preparando o relatório: página %1").arg(numero));
        atualiza();
        // The person pages, zooms or closes the window while the rest is laid out.
        QCoreApplication::processEvents();
        return geracao == m_geracao && isVisible();
    });
    m_montando = false;
    if (geracao != m_geracao) {
        atualiza(); // another report took its place
        return;
    }
    if (!inteiro || !*inteiro) {
        // Closed while it was being laid out, or the rows could not be read (the person was
        // told): a part of a report is never printed or saved as if it were the whole.
        m_alvo = -1;
        m_acao = {};
        fechaEspera();
        if (isVisible())
            reject();
        return;
    }
    if (m_alvo >= 0)
        m_pagina = qMin(std::exchange(m_alvo, -1), numeroDePaginas() - 1);
    fechaEspera();
    atualiza();
    if (const std::function<void()> acao = std::exchange(m_acao, {}))
        acao();
}

void TfVisualiza::espera(std::function<void()> acao)
{
    m_acao = std::move(acao);
    if (!m_espera) {
        m_espera = new QProgressDialog(QStringLiteral("Preparando o relatório..."),
                                       QStringLiteral("Cancelar"), 0, 0, this);
        m_espera->setObjectName(QStringLiteral("pdEspera"));
        m_espera->setWindowTitle(QStringLiteral("Relatório"));
        m_espera->setWindowModality(Qt::WindowModal);
        m_espera->setAutoClose(false);
        m_espera->setAutoReset(false);
        m_espera->setMinimumDuration(0);
        auto* cancelar = new QPushButton(QStringLiteral("Cancelar"), m_espera);
        cancelar->setObjectName(QStringLiteral("btnCancelaEspera"));
        m_espera->setCancelButton(cancelar);
        connect(m_espera, &QProgressDialog::canceled, this, [this] {
            // The preview stays where it was; nothing is printed or saved.
            m_alvo = -1;
            m_acao = {};
            fechaEspera();
        });
    }
    m_espera->show();
}

void TfVisualiza::fechaEspera()
{
    if (!m_espera)
        return;
    m_espera->hide();
    m_espera->deleteLater();
    m_espera = nullptr;
    // No window system gives the activation back by itself once the bar is gone.
    if (isVisible())
        activateWindow();
}

void TfVisualiza::vaiParaUltima()
{
    if (m_montando) {
        m_alvo = std::numeric_limits<int>::max();
        espera();
        return;
    }
    vaiParaPagina(numeroDePaginas() - 1);
}

void TfVisualiza::vaiParaPagina(int pagina)
{
    if (m_montando && pagina >= numeroDePaginas()) {
        m_alvo = pagina;
        espera();
        return;
    }
    m_pagina = qBound(0, pagina, qMax(0, numeroDePaginas() - 1));
    atualiza();
    m_area->verticalScrollBar()->setValue(0);
}

void TfVisualiza::setZoom(Zoom zoom)
{
    m_zoom = zoom;
    atualiza();
}

double TfVisualiza::escala() const
{
    const QSize vista = m_area->viewport()->size() - QSize(24, 24);
    const double largura = m_molde.larguraMm;
    const double altura = m_molde.alturaMm;
    switch (m_zoom) {
    case Zoom::Cem:
        return logicalDpiX() / 25.4;
    case Zoom::Largura:
        return qMax(0.5, vista.width() / largura);
    case Zoom::Pagina:
        break;
    }
    return qMax(0.5, qMin(vista.width() / largura, vista.height() / altura));
}

void TfVisualiza::atualiza()
{
    const int total = numeroDePaginas();
    // The number of pages is known once the last one is laid out.
    m_lbPagina->setText(
        m_montando ? QStringLiteral("Página %1 de ...").arg(total ? m_pagina + 1 : 0)
                   : QStringLiteral("Página %1 de %2").arg(total ? m_pagina + 1 : 0).arg(total));
    m_folha->ajusta();
}

void TfVisualiza::aoAbrir()
{
    ajustaATela();
    // Laid out now, so the first paint already shows the whole page at the chosen zoom.
    layout()->activate();
    atualiza();
    if (m_producao)
        QTimer::singleShot(0, this, [this] { monta(); });
}

void TfVisualiza::ajustaATela()
{
    const QScreen* tela = screen();
    if (!tela)
        return;
    // The whole screen, less what the window system's frame takes, so no button is hidden.
    const QRect livre = tela->availableGeometry();
    const QSize moldura = frameGeometry().size() - geometry().size();
    const QSize cabe = livre.size() - moldura;
    m_barra->setDirection(QBoxLayout::LeftToRight);
    if (layout()->minimumSize().width() > cabe.width())
        m_barra->setDirection(QBoxLayout::TopToBottom);
    layout()->activate();
    resize(cabe);
    move(livre.topLeft());
}

bool TfVisualiza::eventFilter(QObject* objeto, QEvent* e)
{
    if (objeto == m_area->viewport() && e->type() == QEvent::Resize)
        m_folha->ajusta();
    return Dialogo::eventFilter(objeto, e);
}

void TfVisualiza::resizeEvent(QResizeEvent* e)
{
    Dialogo::resizeEvent(e);
    atualiza();
}

void TfVisualiza::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_PageDown:
        vaiParaPagina(m_pagina + 1);
        return;
    case Qt::Key_PageUp:
        vaiParaPagina(m_pagina - 1);
        return;
    case Qt::Key_Home:
        vaiParaPagina(0);
        return;
    case Qt::Key_End:
        vaiParaUltima();
        return;
    default:
        Dialogo::keyPressEvent(e);
    }
}

bool TfVisualiza::salva(const QString& arquivo)
{
    QString nome = arquivo;
    if (QFileInfo(nome).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0) {
        // Page by page from disk, so a long report is written without being held whole.
        Motor::ArquivoPdf pdf;
        if (!pdf.abre(nome, m_molde))
            return false;
        for (int i = 0; i < numeroDePaginas(); ++i)
            if (!pdf.pinta(m_molde, m_guardadas.pagina(i)))
                return false;
        return pdf.termina();
    }
    if (QFileInfo(nome).suffix().isEmpty())
        nome += QStringLiteral(".zvr");
    return documento().grava(nome);
}

bool TfVisualiza::carregaArquivo(const QString& arquivo)
{
    Motor::Documento lido;
    if (!lido.carrega(arquivo))
        return false;
    mostra(std::move(lido));
    return true;
}

void TfVisualiza::salvaComo()
{
    const QString arquivo = Modal::escolheArquivo(
        this, QStringLiteral("Salvar Relatório"), QString(),
        QStringLiteral("Arquivo PDF (*.pdf);;Relatório preparado (*.zvr)"), true);
    if (arquivo.isEmpty())
        return;
    const auto grava = [this, arquivo] {
        if (!salva(arquivo))
            Mensagens::erro(QStringLiteral("Não foi possível gravar o relatório em ") + arquivo,
                            this);
    };
    // Saved whole: the pages still being laid out are waited for.
    if (m_montando)
        espera(grava);
    else
        grava();
}

void TfVisualiza::carregaEscolhido()
{
    const QString arquivo =
        Modal::escolheArquivo(this, QStringLiteral("Carregar Relatório"), QString(),
                              QStringLiteral("Relatório preparado (*.zvr)"), false);
    if (arquivo.isEmpty())
        return;
    if (!carregaArquivo(arquivo))
        Mensagens::erro(arquivo + QStringLiteral(" não é um relatório salvo por este programa."),
                        this);
}

void TfVisualiza::imprime()
{
    if (m_montando) {
        espera([this] { imprime(); });
        return;
    }
    // Page by page from disk to the printer, so a long report is never held whole.
    Impressora::Trabalho trabalho;
    bool certo = true;
    for (int i = 0; certo && i < numeroDePaginas(); ++i)
        certo = trabalho.pinta(m_molde, m_guardadas.pagina(i));
    if (!certo)
        trabalho.cancela();
    if (!certo || !trabalho.termina())
        Mensagens::erro(Impressora::mensagemDeFalha(), this);
}
