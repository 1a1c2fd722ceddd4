#pragma once

#include "data/Colunas.h"
#include "data/firebird/Consulta.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>

class QAbstractItemView;

// The in-memory list behind every grid: the rows of one statement, in the statement's order.
// A list is shared: the list window and the search window of a register (and the reports)
// show the same rows, the same order and the same current row.
//
// It knows how each field is shown (quantities "1.234,500", amounts "R$ 1.234,56", dates
// "10/10/2004"), which fields the grids show and under which captions, finds the first row
// whose value begins with a typed text, and can hide rows through a filter.
//
// A list opened for the screen (abre) shows its first rows at once and reads the rest while
// the user looks at them: in short batches whenever the program is idle, and straight away
// when a grid scrolls past the rows read or a search needs them. Once all are in, it holds
// exactly the rows a load of the whole statement would have given, in the same order, under
// the same filter and with the same current row.
class DataSet : public QAbstractTableModel {
    Q_OBJECT

public:
    enum class Formato {
        Automatico,          // by the value: numbers with their decimals, dates, text as stored
        Texto,               // as stored
        Quantidade,          // "#,##0.000": 1.234,500
        QuantidadeSemMilhar, // "#0.000": 1234,500
        Moeda,               // R$ 1.234,56
        Inteiro,             // 5
        Data,                // 10/10/2004
        Hora,                // 14:05:09
    };

    // One row as the filter sees it: its values by field name.
    class Linha {
    public:
        Linha(const DataSet& dados, int linha) : m_dados(dados), m_linha(linha) {}
        QVariant operator[](const QString& campo) const;
        // By the field's position (DataSet::campo), for filters run over many rows.
        QVariant em(int coluna) const { return m_dados.m_linhas.valor(m_linha, coluna); }

    private:
        const DataSet& m_dados;
        int m_linha; // among every row read, the filter's hidden ones too
    };
    using Filtro = std::function<bool(const Linha&)>;

    explicit DataSet(QObject* parent = nullptr);
    ~DataSet() override;

    // Replaces the rows; the current row becomes the first one (none when empty).
    void carrega(const Resultado& resultado);
    // Runs the query and loads all its rows before it returns.
    void carrega(Consulta& consulta, Transacao* transacao = nullptr);
    // Runs the query for the screen: the first rows before it returns, the rest as described
    // above. When the statement fails, ErroBanco reaches the caller and the list stays as it
    // was.
    void abre(Consulta& consulta);
    void esvazia();

    // Whether rows of the last statement are still to be read.
    bool lendo() const;
    // Reads every row still to come. When the list could not be read to its end (now or
    // earlier, while it was on screen), throws ErroBanco with the database's words; the rows
    // read stay.
    void completa();
    // The first row, in list order and through the filter, that `criterio` accepts, reading
    // further rows only as far as needed; -1 when none does.
    int procura(const Filtro& criterio);

    const QStringList& campos() const { return m_campos; }
    int campo(const QString& nome) const; // -1 when absent; without regard to case

    // Rows as the grids see them (the filter applied), counted from 0.
    int tamanho() const { return int(m_visiveis.size()); }
    bool vazio() const { return m_visiveis.isEmpty(); }
    QVariant valor(int linha, const QString& campo) const;
    QString texto(int linha, const QString& campo) const; // as the grid shows it
    // The same by the field's index (campo()), for code that reads every row of a long list.
    QVariant valor(int linha, int campo) const { return valorBruto(linha, campo); }
    QString texto(int linha, int campo) const;

    // The current row, shared by every view that shows this list; -1 when empty.
    int linhaAtual() const { return m_atual; }
    void setLinhaAtual(int linha);
    QVariant valor(const QString& campo) const; // of the current row; null when empty

    // Makes the first row, in list order, whose stored text in `campo` begins with `prefixo`
    // (case counts) the current row, and returns it. Returns -1 and leaves the current row
    // where it was when no row matches.
    int localiza(const QString& campo, const QString& prefixo);

    // The filter applies to the rows read so far and to every row read after them.
    void setFiltro(Filtro filtro);
    void limpaFiltro() { setFiltro({}); }

    // The colour of a row's text in every grid that shows the list (a row the user must notice,
    // such as a refused permission); a null answer keeps the grid's own colour. The grids draw
    // the selected row in their highlight colours whatever this says.
    using CorDoTexto = std::function<QVariant(const Linha&)>;
    void setCorDoTexto(CorDoTexto cor);
    QVariant corDoTexto(int linha) const;

    // The columns the grids show, with their captions, in order; by default every field under
    // its own name.
    void setColunas(const QList<QPair<QString, QString>>& colunas);
    QString campoDaColuna(int coluna) const;
    void setFormato(const QString& campo, Formato formato);
    // The formats of several fields at once, field by field.
    void setFormatos(const QList<QPair<QString, Formato>>& formatos);
    Formato formato(const QString& campo) const;
    static QString formata(const QVariant& valor, Formato formato);
    // Numbers to the right, text to the left.
    QVariant alinhamento(int linha, const QString& campo) const;

    // Keeps a view's selected row and this list's current row together, both ways. The view
    // shows the list's own columns, or, when `colunas` is given, those fields under those
    // captions (two windows may show one list with different columns; rows stay the same).
    void acompanha(QAbstractItemView* view, const QList<QPair<QString, QString>>& colunas = {});
    // The list a view was given through acompanha, and the field shown in the view's column
    // `coluna` (the model's column, before any moving on screen); null and empty for a view
    // that shows something else.
    static DataSet* daView(const QAbstractItemView* view);
    static QString campoDaView(const QAbstractItemView* view, int coluna);

    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

signals:
    void linhaAtualMudou(int linha);
    // Reading the rest of a list failed (the database went away): the rows read stay, no more
    // come. The windows that show the list tell the user.
    void leituraFalhou(const QString& mensagem);

private:
    void aplicaFiltro();
    void fechaCursor();
    // Reads up to `maximo` more rows, for at most `milissegundos` when that is not negative;
    // returns how many came.
    int leMais(int maximo, int milissegundos = -1);
    // Shows the rows read from `primeira` on that the filter lets through, in one notice.
    void mostraNovas(int primeira);
    void leEmSegundoPlano();
    QVariant valorBruto(int linha, int campo) const;
    // The row's place among the rows shown; -1 when the filter hides it.
    int posicao(int linha) const;

    QStringList m_campos;
    Colunas m_linhas;
    QVector<int> m_visiveis; // the rows of m_linhas the filter lets through, in order
    QList<QPair<QString, QString>> m_colunas;
    QHash<QString, Formato> m_formatos; // by upper-case field name
    Filtro m_filtro;
    CorDoTexto m_corDoTexto;
    int m_atual = -1;
    std::unique_ptr<Cursor> m_cursor;
    QTimer m_leitura;
    QString m_falha; // why the last statement's rows stopped short; null when they did not
};
