#pragma once

#include "common/Exportacao.h"
#include "common/Formulario.h"
#include "reports/engine/Motor.h"

#include <functional>
#include <optional>

class QAction;
class QBoxLayout;
class QLabel;
class QProgressDialog;
class QScrollArea;
class FolhaNaTela;

// "Impressão na Tela": the prepared report on screen, a page at a time, with zoom, page
// navigation, printing, and saving or loading a prepared report. It shows the very pages the
// printer gets.
class TfVisualiza : public Dialogo {
    Q_OBJECT

public:
    explicit TfVisualiza(QWidget* parent = nullptr);
    ~TfVisualiza() override;

    enum class Zoom { Pagina, Cem, Largura };

    // The report to show, from its first page, the whole page in view.
    void mostra(Motor::Documento documento);
    // Lays a report out into `recebe`: whether it went to its end, none when it could not be
    // made (the person has been told why).
    using Producao = std::function<std::optional<bool>(const Motor::RecebePagina& recebe)>;
    // The report shown as it is laid out once the window opens: page 1 as soon as it is ready,
    // the rest while the person looks at it. Going past the pages ready, to the last page,
    // printing or saving waits for them with a progress bar that can be cancelled.
    void mostra(Producao producao);
    // What "Exportar para planilha…" (context menu and Ctrl+Shift+E) writes: the rows of the
    // report shown. Kept until another report is shown; a report loaded from a file has no
    // rows at hand, and then the item is off.
    void defineExportacao(Exportacao::Preparo preparo);
    // The item itself: waits for the pages still being laid out (the rows are read again from
    // the list the report came from), then asks for the file.
    void exportaPlanilha();
    // Whether pages are still being laid out.
    bool montando() const { return m_montando; }
    // The whole report shown, its pages read back from where they are kept.
    Motor::Documento documento() const;
    int numeroDePaginas() const { return m_guardadas.quantas(); }
    // The page painted, alone in a document with the report's title, paper and fonts. Only
    // this page is held in memory; the others wait on disk.
    const Motor::Documento& vista() const;
    int paginasEmMemoria() const { return int(m_vista.paginas.size()); }

    int paginaAtual() const { return m_pagina; } // from 0
    // A page not laid out yet is waited for (see mostra).
    void vaiParaPagina(int pagina);
    void vaiParaUltima();
    Zoom zoom() const { return m_zoom; }
    void setZoom(Zoom zoom);
    // Pixels per millimetre of the page as shown.
    double escala() const;

    // "Salvar Relatório": as PDF when the name ends in .pdf, otherwise in the engine's own
    // file (".zvr" added when the name has no extension). Answers whether it was written.
    bool salva(const QString& arquivo);
    // "Carregar Relatório": shows a saved report; false (and nothing changes) when the file is
    // not one.
    bool carregaArquivo(const QString& arquivo);

protected:
    void aoAbrir() override;
    bool eventFilter(QObject* objeto, QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void atualiza();
    void ajustaATela();
    void salvaComo();
    void carregaEscolhido();
    void imprime();
    void monta();
    // Waits for the pages still being laid out, then runs `acao` (none: only waits); the
    // progress bar's Cancelar drops the wait and the action.
    void espera(std::function<void()> acao = {});
    void fechaEspera();

    Motor::Documento m_molde; // title, paper and fonts; no pages
    Motor::PaginasGuardadas m_guardadas;
    mutable Motor::Documento m_vista;
    mutable int m_paginaDaVista = -1;
    int m_pagina = 0;
    Zoom m_zoom = Zoom::Pagina;
    QScrollArea* m_area;
    FolhaNaTela* m_folha;
    QLabel* m_lbPagina;
    QBoxLayout* m_barra;
    Producao m_producao; // to start when the window opens
    bool m_montando = false;
    int m_geracao = 0; // a new report stops the one being laid out
    int m_alvo = -1;   // the page asked for before it was ready
    std::function<void()> m_acao;
    QProgressDialog* m_espera = nullptr;
    Exportacao::Preparo m_exportacao;
    QAction* m_acExportar;
};
