#pragma once

#include "common/Formulario.h"
#include "reports/engine/Documento.h"

class QBoxLayout;
class QLabel;
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
    const Motor::Documento& documento() const { return m_documento; }

    int paginaAtual() const { return m_pagina; } // from 0
    void vaiParaPagina(int pagina);
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

    Motor::Documento m_documento;
    int m_pagina = 0;
    Zoom m_zoom = Zoom::Pagina;
    QScrollArea* m_area;
    FolhaNaTela* m_folha;
    QLabel* m_lbPagina;
    QBoxLayout* m_barra;
};
