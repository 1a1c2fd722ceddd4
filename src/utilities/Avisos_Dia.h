#pragma once

#include "common/Formulario.h"
#include "data/DataSet.h"

#include <QDate>

class Contexto;
class QCheckBox;
class QLabel;
class QTabWidget;
class QTableView;

// What needs doing today, at a glance: the products at or below their minimum stock, the loans
// whose return is overdue and those due back in the next days, one tab each with its count in
// the tab's title. It opens by itself after the main window (and the login) when there is
// something to show and this workstation has not turned it off, and from the "Utilitários"
// menu at any time. It only reads. A double-click on a loan takes it to its return; on a
// product, to its record.
class TfAvisos_Dia : public Dialogo {
    Q_OBJECT

public:
    explicit TfAvisos_Dia(Contexto& app, QWidget* parent = nullptr);

    // The loans due from today to this many days ahead are "due soon".
    static constexpr int diasAVencer = 3;

    // The start of the program: opens the window when this workstation shows the alerts at
    // start and at least one tab has something in it. Returns whether it opened.
    bool abreAoIniciar();

    // The three lists as last read, for whoever wants their rows.
    const DataSet& abaixoDoMinimo() const { return m_minimo; }
    const DataSet& atrasadas() const { return m_atrasadas; }
    const DataSet& aVencer() const { return m_aVencer; }

    // Reads the three lists again, as of `hoje`; false (the user told) when the database could
    // not be read.
    bool le(const QDate& hoje = QDate::currentDate());

protected:
    void aoAbrir() override;

private:
    struct Aba {
        DataSet* dados;
        QTableView* grade;
        QLabel* vazio;
        QString titulo;
    };
    QWidget* novaAba(DataSet& dados, const char* grade, const char* vazio, const QString& texto,
                     const QList<Formulario::Coluna>& colunas, const QString& titulo);
    void mostraAbas();
    void abreProduto(int linha);
    void abreDevolucao(const DataSet& lista, int linha);

    Contexto& m_app;
    DataSet m_minimo;
    DataSet m_atrasadas;
    DataSet m_aVencer;
    QList<Aba> m_abas;
    QTabWidget* m_tabAvisos;
    QLabel* m_lbTitulo;
    QCheckBox* m_cbMostrar;
    // Read just before the start opened the window: its opening need not read them again.
    bool m_lido = false;
};
