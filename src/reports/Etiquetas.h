#pragma once

#include "common/Formulario.h"
#include "reports/DesenhoEtiquetas.h"

#include <optional>

class Contexto;
class CampoCodigo;
class QComboBox;
class QLineEdit;
class QRadioButton;

// "Etiquetas de Produtos": shelf labels with a bar code for the products of a code range, of a
// group or of one entry document, so many of each, on an A4 sheet of 3 x 10 labels or on a roll
// of one label a page; seen on screen, printed, or saved as PDF. On a sheet already partly used
// the labels start at a chosen position.
class TfEtiquetas : public Dialogo {
    Q_OBJECT

public:
    explicit TfEtiquetas(Contexto& app, QWidget* parent = nullptr);

    // The paper chosen, and the labels asked for; none when the request is incomplete or
    // finds no product (the person has been told why).
    DesenhoEtiquetas::Papel papel() const;
    std::optional<QVector<DesenhoEtiquetas::Etiqueta>> etiquetas();

protected:
    void aoAbrir() override;

private:
    void escolheOrigem();
    void escolhePapel();
    void visualiza();
    void imprime();
    void salvaPdf();
    // The position asked for, from 0; none when it is off the sheet (the person has been told).
    std::optional<int> posicaoInicial();
    // What is to be put on paper: the labels and the position the first one takes.
    struct Trabalho {
        int posicao;
        QVector<DesenhoEtiquetas::Etiqueta> lista;
    };
    // The position and the labels together, asked in that order; none when either is refused.
    std::optional<Trabalho> trabalho();

    Contexto& m_app;
    QRadioButton* m_porFaixa;
    QRadioButton* m_porGrupo;
    QRadioButton* m_porEntrada;
    QLineEdit* m_codIni;
    QLineEdit* m_codFim;
    QLineEdit* m_codGru;
    QLineEdit* m_descGru;
    QLineEdit* m_documento;
    QLineEdit* m_quantidade;
    QComboBox* m_papel;
    QLineEdit* m_inicio;
    CampoCodigo* m_grupo;
};
