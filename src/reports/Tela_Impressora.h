#pragma once

#include "common/Formulario.h"
#include "reports/Relatorios.h"

#include <memory>

class Contexto;
class TfVisualiza;

// "Escolha uma Opção": the last window of every report request. "Tela" shows the report named
// by `Relatorio` in the preview and closes when the preview closes; "Impressora" sends it to the
// current printer, one copy, no dialog; "Cancela" produces nothing. Either way it closes.
class TfTela_Impressora : public Dialogo {
    Q_OBJECT

public:
    explicit TfTela_Impressora(Contexto& app, QWidget* parent = nullptr);
    ~TfTela_Impressora() override;

    QString Relatorio;

    Relatorios& relatorios() { return *m_relatorios; }
    TfVisualiza& previa() { return *m_previa; }

    // The report of `Relatorio` as both buttons produce it: the request's texts set on its
    // layout, then its pages laid out from the rows loaded. None for an unknown key.
    std::optional<Motor::Documento> produz();

private:
    // The request's texts set on the layout of `Relatorio`, then its pages laid out into
    // `recebe`: whether it went to its end, none for an unknown key or a database failure
    // (already told).
    std::optional<bool> produz(const Motor::RecebePagina& recebe);
    // The same, showing `feito` (with the page number for %1) once it takes over a second, with
    // a button that stops it; `cancelado` tells whether the person pressed it.
    std::optional<bool> produzComProgresso(const QString& feito, const Motor::RecebePagina& recebe,
                                           bool& cancelado);
    void tela();
    void impressora();

    Contexto& m_app;
    std::unique_ptr<Relatorios> m_relatorios;
    TfVisualiza* m_previa;
};
