#include "data/DataSet.h"

#include "common/Decimal.h"
#include "common/Formatos.h"

#include "data/firebird/ErroBanco.h"

#include <QAbstractItemView>
#include <QDate>
#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QTime>
#include <algorithm>
#include <limits>

QVariant DataSet::Linha::operator[](const QString& campo) const
{
    return em(m_dados.campo(campo));
}

namespace {

// The rows an opened list shows before abre() returns: a few screens' worth, read in a few
// milliseconds even from a year of the ledger.
constexpr int primeiroLote = 500;
// What a grid scrolling past the rows read asks for at a time.
constexpr int loteDaGrade = 2000;
// What a search reads at a time while it looks further down the list.
constexpr int loteDaProcura = 20000;
// How long one idle-time batch may keep the program from answering the user.
constexpr int msPorLote = 40;

} // namespace

DataSet::DataSet(QObject* parent) : QAbstractTableModel(parent)
{
    m_leitura.setInterval(0);
    m_leitura.setSingleShot(true);
    connect(&m_leitura, &QTimer::timeout, this, &DataSet::leEmSegundoPlano);
}

DataSet::~DataSet() = default;

void DataSet::carrega(const Resultado& resultado)
{
    fechaCursor();
    m_falha.clear();
    m_campos = resultado.campos;
    m_linhas.limpa(int(m_campos.size()));
    for (const QVector<QVariant>& linha : resultado.linhas)
        m_linhas.acrescenta(linha);
    m_linhas.compacta();
    m_atual = -1;
    aplicaFiltro();
}

void DataSet::carrega(Consulta& consulta, Transacao* transacao)
{
    carrega(consulta.abre(transacao));
}

void DataSet::abre(Consulta& consulta)
{
    std::unique_ptr<Cursor> cursor = consulta.abreCursor();
    QList<QVector<QVariant>> linhas;
    cursor->le(linhas, primeiroLote);
    Colunas novas;
    novas.limpa(int(cursor->campos().size()));
    for (const QVector<QVariant>& linha : std::as_const(linhas))
        novas.acrescenta(linha);
    fechaCursor();
    m_falha.clear();
    m_campos = cursor->campos();
    m_linhas = std::move(novas);
    m_atual = -1;
    if (cursor->aberto()) {
        m_cursor = std::move(cursor);
        m_leitura.start();
    }
    aplicaFiltro();
}

bool DataSet::lendo() const
{
    return m_cursor && m_cursor->aberto();
}

void DataSet::fechaCursor()
{
    m_leitura.stop();
    m_cursor.reset();
}

int DataSet::leMais(int maximo, int milissegundos)
{
    if (!lendo())
        return 0;
    // The rows of a batch reach the grids in one notice: each notice costs the grids work
    // that grows with the list.
    QElapsedTimer relogio;
    relogio.start();
    const int primeira = m_linhas.tamanho();
    // Each short read goes into the columns at once: only a few rows are ever held as values.
    QList<QVector<QVariant>> novas;
    bool falhou = false;
    try {
        while (lendo() && m_linhas.tamanho() - primeira < maximo &&
               (milissegundos < 0 || relogio.elapsed() < milissegundos)) {
            novas.clear();
            m_cursor->le(novas, qMin(256, maximo - (m_linhas.tamanho() - primeira)));
            for (const QVector<QVariant>& linha : std::as_const(novas))
                m_linhas.acrescenta(linha);
        }
    } catch (const ErroBanco& e) {
        for (const QVector<QVariant>& linha : std::as_const(novas))
            m_linhas.acrescenta(linha);
        m_falha = e.mensagem();
        falhou = true;
    }
    if (!lendo()) {
        fechaCursor();
        m_linhas.compacta();
    }
    const int lidas = m_linhas.tamanho() - primeira;
    mostraNovas(primeira);
    // Told only once the rows read before the failure are in: whoever hears it may open a
    // message box, and the list must be whole as far as it goes while the user reads it.
    if (falhou)
        emit leituraFalhou(m_falha);
    return lidas;
}

void DataSet::mostraNovas(int primeira)
{
    QVector<int> visiveis;
    for (int i = primeira; i < m_linhas.tamanho(); ++i)
        if (!m_filtro || m_filtro(Linha(*this, i)))
            visiveis << i;
    if (!visiveis.isEmpty()) {
        const int inicio = int(m_visiveis.size());
        beginInsertRows({}, inicio, inicio + int(visiveis.size()) - 1);
        m_visiveis.append(visiveis);
        endInsertRows();
        // The whole list read at once would have made its first row current.
        if (m_atual < 0)
            setLinhaAtual(0);
    }
}

void DataSet::leEmSegundoPlano()
{
    leMais(std::numeric_limits<int>::max(), msPorLote);
    if (lendo())
        m_leitura.start();
}

void DataSet::completa()
{
    while (lendo())
        leMais(loteDaProcura);
    if (!m_falha.isNull())
        throw ErroBanco(m_falha);
}

int DataSet::procura(const Filtro& criterio)
{
    for (int i = 0;; ++i) {
        while (i >= m_visiveis.size() && lendo())
            leMais(loteDaProcura);
        if (i >= m_visiveis.size())
            return -1;
        if (criterio(Linha(*this, m_visiveis.at(i))))
            return i;
    }
}

bool DataSet::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && lendo();
}

void DataSet::fetchMore(const QModelIndex& parent)
{
    if (!parent.isValid())
        leMais(loteDaGrade);
}

void DataSet::esvazia()
{
    carrega(Resultado{m_campos, {}});
}

int DataSet::campo(const QString& nome) const
{
    for (int i = 0; i < m_campos.size(); ++i)
        if (m_campos[i].compare(nome, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant DataSet::valorBruto(int linha, int campo) const
{
    if (linha < 0 || linha >= m_visiveis.size() || campo < 0)
        return QVariant();
    return m_linhas.valor(m_visiveis.at(linha), campo);
}

int DataSet::posicao(int linha) const
{
    const auto i = std::lower_bound(m_visiveis.cbegin(), m_visiveis.cend(), linha);
    return i != m_visiveis.cend() && *i == linha ? int(i - m_visiveis.cbegin()) : -1;
}

QVariant DataSet::valor(int linha, const QString& nome) const
{
    return valorBruto(linha, campo(nome));
}

QString DataSet::texto(int linha, const QString& nome) const
{
    return formata(valor(linha, nome), formato(nome));
}

QString DataSet::texto(int linha, int campo) const
{
    if (campo < 0 || campo >= m_campos.size())
        return QString();
    return formata(valorBruto(linha, campo), formato(m_campos.at(campo)));
}

QVariant DataSet::valor(const QString& nome) const
{
    return valor(m_atual, nome);
}

void DataSet::setLinhaAtual(int linha)
{
    if (m_visiveis.isEmpty())
        linha = -1;
    else
        linha = qBound(0, linha, int(m_visiveis.size()) - 1);
    if (linha == m_atual)
        return;
    m_atual = linha;
    emit linhaAtualMudou(m_atual);
}

int DataSet::localiza(const QString& nome, const QString& prefixo)
{
    const int c = campo(nome);
    if (c < 0)
        return -1;
    // The rows read so far through the column's index; then, while none matches, each further
    // batch as it comes, so a search reads only as far as it needs.
    const auto visivel = [this](int linha) { return posicao(linha) >= 0; };
    for (int de = 0;;) {
        const int achada = m_linhas.primeiroComPrefixo(c, prefixo, de, visivel);
        if (achada >= 0) {
            const int i = posicao(achada);
            setLinhaAtual(i);
            return i;
        }
        if (!lendo())
            return -1;
        de = m_linhas.tamanho();
        leMais(loteDaProcura);
    }
}

void DataSet::setFiltro(Filtro filtro)
{
    m_filtro = std::move(filtro);
    aplicaFiltro();
}

void DataSet::setCorDoTexto(CorDoTexto cor)
{
    m_corDoTexto = std::move(cor);
    if (!m_visiveis.isEmpty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                         {Qt::ForegroundRole});
}

QVariant DataSet::corDoTexto(int linha) const
{
    if (!m_corDoTexto || linha < 0 || linha >= m_visiveis.size())
        return QVariant();
    return m_corDoTexto(Linha(*this, m_visiveis.at(linha)));
}

void DataSet::aplicaFiltro()
{
    // The current row stays on the same record when the filter still shows it; otherwise the
    // first row becomes current.
    const int antiga = (m_atual >= 0 && m_atual < m_visiveis.size()) ? m_visiveis[m_atual] : -1;
    beginResetModel();
    m_visiveis.clear();
    for (int i = 0; i < m_linhas.tamanho(); ++i)
        if (!m_filtro || m_filtro(Linha(*this, i)))
            m_visiveis << i;
    const int nova = antiga < 0 ? -1 : int(m_visiveis.indexOf(antiga));
    m_atual = nova >= 0 ? nova : (m_visiveis.isEmpty() ? -1 : 0);
    endResetModel();
    emit linhaAtualMudou(m_atual);
}

void DataSet::setColunas(const QList<QPair<QString, QString>>& colunas)
{
    beginResetModel();
    m_colunas = colunas;
    endResetModel();
}

QString DataSet::campoDaColuna(int coluna) const
{
    if (!m_colunas.isEmpty())
        return coluna >= 0 && coluna < m_colunas.size() ? m_colunas[coluna].first : QString();
    return m_campos.value(coluna);
}

void DataSet::setFormato(const QString& nome, Formato f)
{
    m_formatos.insert(nome.toUpper(), f);
    if (!m_visiveis.isEmpty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void DataSet::setFormatos(const QList<QPair<QString, Formato>>& formatos)
{
    for (const auto& [campo, formato] : formatos)
        setFormato(campo, formato);
}

DataSet::Formato DataSet::formato(const QString& nome) const
{
    return m_formatos.value(nome.toUpper(), Formato::Automatico);
}

QString DataSet::formata(const QVariant& v, Formato f)
{
    if (v.isNull())
        return QString();
    const bool decimal = v.metaType() == QMetaType::fromType<Decimal>();
    auto comoDecimal = [&]() {
        if (decimal)
            return v.value<Decimal>();
        if (v.typeId() == QMetaType::Double)
            return Decimal::deDouble(v.toDouble(), 6);
        return Decimal::deInteiro(v.toLongLong());
    };
    switch (f) {
    case Formato::Texto:
        return decimal ? v.value<Decimal>().toString() : v.toString();
    case Formato::Quantidade:
        return Formatos::numero(comoDecimal(), 3);
    case Formato::QuantidadeSemMilhar:
        return Formatos::numero(comoDecimal(), 3, false);
    case Formato::Moeda:
        return Formatos::moeda(comoDecimal());
    case Formato::Inteiro:
        return Formatos::inteiro(comoDecimal().arredondado(0).unidades());
    case Formato::Data:
        return Formatos::data(v.toDate());
    case Formato::Hora:
        return Formatos::hora(v.toTime());
    case Formato::Automatico:
        break;
    }
    if (decimal)
        return Formatos::numero(v.value<Decimal>(), v.value<Decimal>().escala());
    switch (v.typeId()) {
    case QMetaType::QDate:
        return Formatos::data(v.toDate());
    case QMetaType::QTime:
        return Formatos::hora(v.toTime());
    case QMetaType::QDateTime:
        return Formatos::dataHora(v.toDateTime());
    case QMetaType::LongLong:
    case QMetaType::Int:
        return Formatos::inteiro(v.toLongLong());
    case QMetaType::Double:
        return Formatos::numero(v.toDouble(), 2);
    default:
        return v.toString();
    }
}

namespace {

// One view's choice of columns over a shared list: the same rows in the same order, other
// fields or captions.
class ColunasDoDataSet : public QAbstractTableModel {
public:
    ColunasDoDataSet(DataSet* dados, const QList<QPair<QString, QString>>& colunas, QObject* dono)
        : QAbstractTableModel(dono), m_dados(dados), m_colunas(colunas)
    {
        connect(dados, &QAbstractItemModel::modelAboutToBeReset, this,
                [this] { beginResetModel(); });
        connect(dados, &QAbstractItemModel::modelReset, this, [this] { endResetModel(); });
        connect(dados, &QAbstractItemModel::rowsAboutToBeInserted, this,
                [this](const QModelIndex&, int primeira, int ultima) {
                    beginInsertRows({}, primeira, ultima);
                });
        connect(dados, &QAbstractItemModel::rowsInserted, this, [this] { endInsertRows(); });
        connect(dados, &QAbstractItemModel::dataChanged, this, [this] {
            if (rowCount() > 0)
                emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        });
    }
    int rowCount(const QModelIndex& pai = {}) const override
    {
        return pai.isValid() ? 0 : m_dados->rowCount();
    }
    bool canFetchMore(const QModelIndex& pai) const override { return m_dados->canFetchMore(pai); }
    void fetchMore(const QModelIndex& pai) override { m_dados->fetchMore(pai); }
    int columnCount(const QModelIndex& pai = {}) const override
    {
        return pai.isValid() ? 0 : int(m_colunas.size());
    }
    QVariant data(const QModelIndex& i, int papel) const override
    {
        if (!i.isValid())
            return QVariant();
        const QString& campo = m_colunas.at(i.column()).first;
        if (papel == Qt::DisplayRole)
            return m_dados->texto(i.row(), campo);
        if (papel == Qt::TextAlignmentRole)
            return m_dados->alinhamento(i.row(), campo);
        if (papel == Qt::ForegroundRole)
            return m_dados->corDoTexto(i.row());
        return QVariant();
    }
    QVariant headerData(int secao, Qt::Orientation o, int papel) const override
    {
        if (o == Qt::Horizontal && papel == Qt::DisplayRole)
            return m_colunas.value(secao).second;
        return QAbstractTableModel::headerData(secao, o, papel);
    }

    DataSet* dados() const { return m_dados; }
    QString campo(int coluna) const { return m_colunas.value(coluna).first; }

private:
    DataSet* m_dados;
    QList<QPair<QString, QString>> m_colunas;
};

} // namespace

DataSet* DataSet::daView(const QAbstractItemView* view)
{
    QAbstractItemModel* modelo = view->model();
    if (auto* dados = qobject_cast<DataSet*>(modelo))
        return dados;
    if (auto* colunas = dynamic_cast<ColunasDoDataSet*>(modelo))
        return colunas->dados();
    return nullptr;
}

QString DataSet::campoDaView(const QAbstractItemView* view, int coluna)
{
    QAbstractItemModel* modelo = view->model();
    if (auto* dados = qobject_cast<DataSet*>(modelo))
        return dados->campoDaColuna(coluna);
    if (auto* colunas = dynamic_cast<ColunasDoDataSet*>(modelo))
        return colunas->campo(coluna);
    return QString();
}

void DataSet::acompanha(QAbstractItemView* view, const QList<QPair<QString, QString>>& colunas)
{
    view->setModel(colunas.isEmpty() ? static_cast<QAbstractItemModel*>(this)
                                     : new ColunasDoDataSet(this, colunas, view));
    QPointer<QAbstractItemView> v(view);
    auto mostraAtual = [v](int linha) {
        if (!v || !v->selectionModel())
            return;
        if (linha < 0) {
            v->selectionModel()->clearSelection();
            return;
        }
        const QModelIndex atual = v->currentIndex();
        if (atual.isValid() && atual.row() == linha && v->selectionModel()->isRowSelected(linha))
            return;
        const QModelIndex alvo = v->model()->index(linha, atual.isValid() ? atual.column() : 0);
        v->selectionModel()->setCurrentIndex(alvo, QItemSelectionModel::ClearAndSelect |
                                                       QItemSelectionModel::Rows);
        v->scrollTo(alvo);
    };
    connect(this, &DataSet::linhaAtualMudou, view, mostraAtual);
    connect(view->model(), &QAbstractItemModel::modelReset, view,
            [this, mostraAtual] { mostraAtual(m_atual); });
    connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& atual) {
                if (atual.isValid())
                    setLinhaAtual(atual.row());
            });
    mostraAtual(m_atual);
}

int DataSet::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_visiveis.size());
}

int DataSet::columnCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return int(m_colunas.isEmpty() ? m_campos.size() : m_colunas.size());
}

QVariant DataSet::alinhamento(int linha, const QString& nome) const
{
    const QVariant v = valor(linha, nome);
    const Formato f = formato(nome);
    const bool numero = f == Formato::Quantidade || f == Formato::QuantidadeSemMilhar ||
                        f == Formato::Moeda || f == Formato::Inteiro ||
                        (f == Formato::Automatico &&
                         (v.metaType() == QMetaType::fromType<Decimal>() ||
                          v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Double));
    return QVariant::fromValue(Qt::AlignVCenter | (numero ? Qt::AlignRight : Qt::AlignLeft));
}

QVariant DataSet::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const QString nome = campoDaColuna(index.column());
    if (role == Qt::DisplayRole)
        return texto(index.row(), nome);
    if (role == Qt::TextAlignmentRole)
        return alinhamento(index.row(), nome);
    if (role == Qt::ForegroundRole)
        return corDoTexto(index.row());
    return QVariant();
}

QVariant DataSet::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (!m_colunas.isEmpty())
        return section < m_colunas.size() ? m_colunas[section].second : QString();
    return m_campos.value(section);
}
