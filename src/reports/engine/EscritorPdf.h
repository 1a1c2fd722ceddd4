#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>
#include <QVector>

namespace Motor {

struct Documento;
struct Pagina;

// A report's pages written as a PDF file of our own making: every text in one of the PDF
// standard faces (Courier for the fixed-pitch cells, Helvetica for captions, both metric twins
// of the faces the layouts name) with the Windows Latin alphabet, every rule a stroked path.
// A report page is a few hundred short texts; a general-purpose PDF painter spends most of its
// time embedding, shaping and compressing what this writer simply names.
//
// The file appears only when termina() succeeds: a report cancelled or failed half-way leaves
// no partial file behind, nor does it replace one that was there.
class EscritorPdf {
public:
    EscritorPdf();
    ~EscritorPdf();
    EscritorPdf(const EscritorPdf&) = delete;
    EscritorPdf& operator=(const EscritorPdf&) = delete;

    // False when the file cannot be written.
    bool abre(const QString& arquivo, const Documento& molde);
    // One page, with the fonts of `molde`; false once the file cannot take it.
    bool pinta(const Documento& molde, const Pagina& pagina);
    // Completes the file; a report with no page still gets one blank sheet.
    bool termina();

    // The text of a report in the PDF's Windows Latin alphabet, a `?` for what it lacks, with
    // the characters a PDF string reserves escaped. Exposed for the tests.
    static QByteArray textoPdf(const QString& texto);

private:
    void escreve(const QByteArray& dados);
    int novoObjeto();
    void gravaPagina(const QByteArray& conteudo, double larguraMm, double alturaMm);

    QSaveFile m_arquivo;
    QString m_titulo;
    double m_larguraMm = 210;
    double m_alturaMm = 297;
    bool m_aberto = false;
    bool m_falhou = false;
    bool m_encerrado = false;
    qint64 m_posicao = 0;
    QVector<qint64> m_inicios; // where each object starts, by its number - 1
    QVector<int> m_paginas;    // the page objects' numbers
};

} // namespace Motor
