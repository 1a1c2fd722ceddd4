#include "registers/DadosFornecedor.h"

#include "app/Aplicacao.h"
#include "common/Convencoes.h"
#include "common/Funcoes.h"
#include "common/Mensagens.h"
#include "common/Modal.h"
#include "data/firebird/ErroBanco.h"
#include "registers/BuscaGRU_For.h"
#include "registers/Familia.h"
#include "registers/Manut_Fornec.h"
#include "data/DataModule_Fornecedor.h"
#include "data/DataModule_GrupoFornecedor.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTimer>
#include <QVBoxLayout>
#include <QValidator>

namespace {

const QString tituloInclusao = QStringLiteral("Inclusão de Fornecedores");
const QString origemFornecedor = QStringLiteral("Cad_Fornecedor");
const QString sqlProximoCodigo = QStringLiteral("Select MAX(FOR_Codigo) From Fornecedor");
const QString pessoaJuridica = QStringLiteral("Pessoa Jurídica (J)");
const QString pessoaFisica = QStringLiteral("Pessoa Física (F)");

// Stops typing at the field's width, as a maximum length would, without cutting what the
// window itself writes: a proposed code that has outgrown ten digits must be seen whole and
// refused by the save, not shortened into some other supplier's code; and a name stored wider
// than the field (the column is wider) must come back whole when the supplier is changed. A
// text already over the width may still be shortened.
class Largura : public QValidator {
public:
    Largura(int largura, QLineEdit* campo) : QValidator(campo), m_largura(largura), m_campo(campo)
    {
        connect(campo, &QLineEdit::textChanged, this,
                [this](const QString& texto) { m_atual = int(texto.size()); });
    }
    State validate(QString& texto, int&) const override
    {
        // Text the window writes (setText leaves the field unmodified) is taken whole.
        if (!m_campo->isModified())
            return Acceptable;
        const int tamanho = int(texto.size());
        return tamanho <= m_largura || tamanho <= m_atual ? Acceptable : Invalid;
    }

private:
    int m_largura;
    QLineEdit* m_campo;
    int m_atual = 0;
};

// The same for the remarks, a multi-line field: typing stops at the column's width.
class LarguraDoMemo : public QObject {
public:
    LarguraDoMemo(int largura, QPlainTextEdit* campo)
        : QObject(campo), m_largura(largura), m_campo(campo)
    {
        connect(campo, &QPlainTextEdit::textChanged, this, &LarguraDoMemo::confere);
    }

private:
    void confere()
    {
        const QString texto = m_campo->toPlainText();
        if (texto.size() <= m_largura || texto.size() <= m_anterior.size()) {
            m_anterior = texto;
            return;
        }
        // Undo what went past the width and leave the cursor where the typing stopped.
        const int posicao =
            qMax(0, m_campo->textCursor().position() - int(texto.size() - m_anterior.size()));
        const QSignalBlocker bloqueio(m_campo);
        m_campo->setPlainText(m_anterior);
        QTextCursor cursor = m_campo->textCursor();
        cursor.setPosition(qMin(posicao, int(m_anterior.size())));
        m_campo->setTextCursor(cursor);
    }

    int m_largura;
    QPlainTextEdit* m_campo;
    QString m_anterior;
};

QLineEdit* campoTexto(QWidget* pai, const char* nome, int largura)
{
    auto* e = new QLineEdit(pai);
    e->setObjectName(QLatin1String(nome));
    if (largura > 0)
        e->setValidator(new Largura(largura, e));
    return e;
}

} // namespace

TfDadosFornecedor::TfDadosFornecedor(Aplicacao& app, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_app(app)
{
    setObjectName(QStringLiteral("TfDadosFornecedor"));
    // The caption stays the same in every mode; the title label tells the mode.
    setWindowTitle(tituloInclusao);

    m_lTitulo = new QLabel(tituloInclusao, this);
    m_lTitulo->setObjectName(QStringLiteral("lTitulo"));
    QFont f = m_lTitulo->font();
    f.setPointSize(f.pointSize() + 4);
    f.setBold(true);
    m_lTitulo->setFont(f);

    m_edCodigo = campoTexto(this, "edCodigo", 10);
    m_cbFJ = new QComboBox(this);
    m_cbFJ->setObjectName(QStringLiteral("cbFJ"));
    m_cbFJ->addItems({pessoaJuridica, pessoaFisica});
    m_dtpDCad = new QDateEdit(this);
    m_dtpDCad->setObjectName(QStringLiteral("dtpDCad"));
    m_dtpDCad->setCalendarPopup(true);
    m_dtpDCad->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    // A supplier stored without a date shows an empty picker (its lowest date) and keeps no
    // date when saved again, instead of taking some arbitrary one.
    m_dtpDCad->setSpecialValueText(QStringLiteral(" "));
    m_edCodGrupo = campoTexto(this, "edCodGrupo", 6);
    m_btnBuscaGrupo = new QPushButton(QStringLiteral("..."), this);
    m_btnBuscaGrupo->setObjectName(QStringLiteral("btnBuscaGrupo"));
    m_btnBuscaGrupo->setMaximumWidth(32);
    m_edDescGrupo = new QLineEdit(this);
    m_edDescGrupo->setObjectName(QStringLiteral("edDescGrupo"));
    m_edDescGrupo->setReadOnly(true);
    m_edDescGrupo->setFocusPolicy(Qt::NoFocus);

    auto* grade = new QGridLayout;
    int linha = 0;
    auto rotulo = [this](const QString& texto) { return new QLabel(texto, this); };
    grade->addWidget(rotulo(QStringLiteral("Código:")), linha, 0);
    grade->addWidget(m_edCodigo, linha, 1);
    grade->addWidget(rotulo(QStringLiteral("Tipo:")), linha, 2);
    grade->addWidget(m_cbFJ, linha, 3);
    ++linha;
    grade->addWidget(rotulo(QStringLiteral("Data do Cadastramento:")), linha, 0);
    grade->addWidget(m_dtpDCad, linha, 1);
    ++linha;
    auto* linhaGrupo = new QHBoxLayout;
    linhaGrupo->addWidget(m_edCodGrupo);
    linhaGrupo->addWidget(m_btnBuscaGrupo);
    grade->addWidget(rotulo(QStringLiteral("Código Grupo:")), linha, 0);
    grade->addLayout(linhaGrupo, linha, 1);
    grade->addWidget(rotulo(QStringLiteral("Descrição do Grupo de Fornecedores:")), linha, 2);
    grade->addWidget(m_edDescGrupo, linha, 3);
    ++linha;

    // Widths are the field's; a few columns are wider (the names, the district, the city),
    // and the second telephone has no width of its own, so a number too long for its column
    // is refused by the database at the save, with its own words in the message.
    struct Definicao {
        const char* nome;
        const char* rotulo;
        const char* coluna;
        const char* parametro;
        int largura;
    };
    const Definicao definicoes[] = {
        {"edRazao", "Nome/Razão Social:", "FOR_Razao", "RazaoC", 50},
        {"edFanta", "Apelido/Nome Fantasia:", "FOR_Fanta", "FantaC", 50},
        {"edCNPJ", "CPF/CNPJ:", "FOR_CNPJ", "CNPJC", 18},
        {"edInsc", "R.G/Inscrição Estadual:", "FOR_Insc", "InscC", 20},
        {"edEnder", "Endereço:", "FOR_Ender", "EnderC", 40},
        {"edNumero", "Numero:", "FOR_Numero", "NumeroC", 10},
        {"edComplemento", "Complemento:", "FOR_Complemento", "ComplementoC", 30},
        {"edBairro", "Bairro:", "FOR_Bairro", "BairroC", 25},
        {"edCidade", "Cidade:", "FOR_Cidade", "CidadeC", 25},
        {"edUF", "Estado:", "FOR_UF", "UFC", 2},
        {"edCep", "CEP:", "FOR_CEP", "CEPC", 10},
        {"edFone1", "Telefone:", "FOR_Fone1", "Fone1C", 15},
        {"edFone2", "Telefone 2:", "FOR_Fone2", "Fone2C", 0},
        {"edFax", "Fax:", "FOR_FAX", "FAXC", 15},
        {"edCelular", "Celular:", "FOR_Celular", "CelularC", 15},
        {"edContato", "Contato:", "FOR_Contato", "ContatoC", 20},
        {"edEmail", "Email:", "FOR_Email", "EmailC", 60},
        {"edHomeP", "Home Page:", "FOR_HomeP", "HomePC", 60},
        {"edBanco", "Banco:", "FOR_Banco", "BancoC", 15},
        {"edAgencia", "Agência:", "FOR_Agencia", "AgenciaC", 10},
        {"edConta", "Conta:", "FOR_Conta", "ContaC", 10},
    };
    int i = 0;
    for (const Definicao& d : definicoes) {
        QLineEdit* e = campoTexto(this, d.nome, d.largura);
        m_campos << Campo{e, QLatin1String(d.coluna), QLatin1String(d.parametro)};
        // Two columns of label and field, in the order Enter walks through them.
        const int coluna = i < 11 ? 0 : 2;
        const int l = linha + (i < 11 ? i : i - 11);
        grade->addWidget(rotulo(QString::fromUtf8(d.rotulo)), l, coluna);
        grade->addWidget(e, l, coluna + 1);
        ++i;
    }
    m_edRazao = m_campos.first().edit;
    linha += 11;
    m_edObs = new QPlainTextEdit(this);
    m_edObs->setObjectName(QStringLiteral("edObs"));
    m_edObs->setTabChangesFocus(true);
    m_edObs->setMaximumHeight(70);
    new LarguraDoMemo(200, m_edObs);
    grade->addWidget(rotulo(QStringLiteral("Observações:")), linha, 0);
    grade->addWidget(m_edObs, linha, 1, 1, 3);

    m_btnCadastra = new QPushButton(QStringLiteral("Inclui"), this);
    m_btnCadastra->setObjectName(QStringLiteral("btnCadastra"));
    m_btnLimpa = new QPushButton(QStringLiteral("Limpa os Campos"), this);
    m_btnLimpa->setObjectName(QStringLiteral("btnLimpa"));
    m_btnSaida = new QPushButton(QStringLiteral("Saída"), this);
    m_btnSaida->setObjectName(QStringLiteral("btnSaida"));
    auto* botoes = new QHBoxLayout;
    for (QPushButton* b : {m_btnBuscaGrupo, m_btnCadastra, m_btnLimpa, m_btnSaida})
        b->setAutoDefault(false);
    botoes->addWidget(m_btnCadastra);
    botoes->addWidget(m_btnLimpa);
    botoes->addStretch();
    botoes->addWidget(m_btnSaida);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lTitulo);
    layout->addLayout(grade);
    layout->addLayout(botoes);
    resize(820, 560);

    // The order in which Tab and Enter walk through the window.
    QList<QWidget*> ordem = {m_edCodigo, m_cbFJ, m_dtpDCad, m_edCodGrupo, m_btnBuscaGrupo};
    for (const Campo& c : std::as_const(m_campos))
        ordem << c.edit;
    ordem << m_edObs << m_btnCadastra << m_btnLimpa << m_btnSaida;
    for (int k = 1; k < ordem.size(); ++k)
        setTabOrder(ordem[k - 1], ordem[k]);

    connect(m_btnCadastra, &QPushButton::clicked, this, &TfDadosFornecedor::salva);
    connect(m_btnLimpa, &QPushButton::clicked, this, &TfDadosFornecedor::limpaCampos);
    connect(m_btnSaida, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_btnBuscaGrupo, &QPushButton::clicked, this, &TfDadosFornecedor::abreBuscaGrupo);
    Convencoes::teclaF5(m_edCodGrupo, [this] { abreBuscaGrupo(); });
    Convencoes::aoEntrar(m_edCodigo, this, [this] {
        if (!m_abrindo && modo() == ::Modo::Inclui)
            propoeCodigo();
    });
    Convencoes::aoSair(m_edCodigo, this, [this] { saiDoCodigo(); });
    Convencoes::aoSair(m_edCodGrupo, this, [this] { saiDoGrupo(); });
    Convencoes::coresDeFoco(this);
    Convencoes::enterComoTab(this);
    // Installed after Enter-as-Tab, so it sees Enter first: here Enter walks on past the
    // buttons too (Space presses them), so a person can go round the whole supplier and back
    // to the code without saving or leaving by accident.
    qApp->installEventFilter(this);

    m_app.janela<TfBuscaGRU_For>().registraDestino(origemFornecedor, m_edCodGrupo);
}

::Modo TfDadosFornecedor::modo() const
{
    return m_app.janela<TfManut_Fornec>().Modo;
}

bool TfDadosFornecedor::eventFilter(QObject* objeto, QEvent* evento)
{
    if (evento->type() != QEvent::KeyPress || !objeto->isWidgetType())
        return QDialog::eventFilter(objeto, evento);
    auto* tecla = static_cast<QKeyEvent*>(evento);
    auto* botao = qobject_cast<QAbstractButton*>(objeto);
    if (!botao || !isAncestorOf(botao) ||
        (tecla->key() != Qt::Key_Return && tecla->key() != Qt::Key_Enter) ||
        (tecla->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) ||
        QApplication::activePopupWidget())
        return QDialog::eventFilter(objeto, evento);
    focusNextChild();
    return true;
}

void TfDadosFornecedor::setVisible(bool visivel)
{
    // Showing a dialog hands its focus field a focus-in of its own; the opening has already
    // offered the code (or said why it could not).
    const QScopedValueRollback guarda(m_abrindo, true);
    QDialog::setVisible(visivel);
}

void TfDadosFornecedor::showEvent(QShowEvent* e)
{
    // The window system confirms the showing with a second, spontaneous event; the opening
    // runs once.
    if (e->spontaneous()) {
        QDialog::showEvent(e);
        return;
    }
    const ::Modo m = modo();
    const bool inclui = m == ::Modo::Inclui;
    const bool altera = m == ::Modo::Altera;
    const bool exclui = m == ::Modo::Exclui;
    // Deleting and looking show the supplier as stored: nothing there can be changed.
    const bool soLeitura = !inclui && !altera;
    limpaCampos();
    m_edCodigo->setReadOnly(!inclui);
    m_edCodGrupo->setReadOnly(soLeitura);
    for (const Campo& c : std::as_const(m_campos))
        c.edit->setReadOnly(soLeitura);
    m_edObs->setReadOnly(soLeitura);
    m_cbFJ->setEnabled(!soLeitura);
    m_dtpDCad->setEnabled(!soLeitura);
    m_btnBuscaGrupo->setEnabled(!soLeitura);

    if (inclui)
        m_lTitulo->setText(tituloInclusao);
    else if (altera)
        m_lTitulo->setText(QStringLiteral("Alteração de Fornecedores"));
    else if (exclui)
        m_lTitulo->setText(QStringLiteral("Exclusão de Fornecedores"));
    else
        m_lTitulo->setText(QStringLiteral("Consulta de Fornecedores"));
    m_btnCadastra->setText(inclui ? QStringLiteral("Inclui")
                                  : (altera ? QStringLiteral("Altera") : QStringLiteral("Exclui")));
    m_btnCadastra->setVisible(inclui || altera || exclui);
    m_btnLimpa->setVisible(inclui);

    if (inclui) {
        vaiParaCodigo();
    } else {
        carrega();
        if (altera)
            m_cbFJ->setFocus();
        else if (exclui)
            m_btnCadastra->setFocus();
        else
            m_btnSaida->setFocus();
    }
    QDialog::showEvent(e);
}

void TfDadosFornecedor::limpaCampos()
{
    m_edCodigo->clear();
    m_cbFJ->setCurrentIndex(0);
    m_dtpDCad->setDate(QDate::currentDate());
    m_edCodGrupo->clear();
    m_edDescGrupo->clear();
    for (const Campo& c : std::as_const(m_campos))
        c.edit->clear();
    m_edObs->clear();
}

void TfDadosFornecedor::carrega()
{
    CodSelecionado = Familia::codigoAtual(m_app.dmFornecedor().cdsFornecedor);
    Consulta& q = m_app.dmFornecedor().SQLQFornecedor;
    q.setSql(QStringLiteral("Select * From Fornecedor Where FOR_Codigo=:CodigoC"));
    q.setParametro(QStringLiteral("CodigoC"), CodSelecionado);
    try {
        const Resultado r = q.abre();
        if (r.vazio())
            return;
        m_edCodigo->setText(r.valor(0, QStringLiteral("FOR_Codigo")).toString());
        m_cbFJ->setCurrentIndex(
            r.valor(0, QStringLiteral("FOR_Tipo")).toString() == QLatin1String("J") ? 0 : 1);
        const QDate data = r.valor(0, QStringLiteral("FOR_DCad")).toDate();
        m_dtpDCad->setDate(data.isValid() ? data : m_dtpDCad->minimumDate());
        m_edCodGrupo->setText(r.valor(0, QStringLiteral("FOR_Grupo")).toString());
        for (const Campo& c : std::as_const(m_campos))
            c.edit->setText(r.valor(0, c.coluna).toString());
        m_edObs->setPlainText(r.valor(0, QStringLiteral("FOR_OBS")).toString());
    } catch (const ErroBanco& erro) {
        Mensagens::erro(erro.mensagem(), this);
        return;
    }
    mostraGrupo();
}

void TfDadosFornecedor::mostraGrupo()
{
    m_edDescGrupo->clear();
    if (m_edCodGrupo->text().trimmed().isEmpty())
        return;
    Consulta& q = m_app.dmGrupoFornecedor().SQLQGrupoFornecedor;
    q.setSql(QStringLiteral("Select GRU_Desc From GRU_Fornec Where GRU_Codigo=:CodGrupoC"));
    q.setParametro(QStringLiteral("CodGrupoC"), m_edCodGrupo->text());
    try {
        m_edDescGrupo->setText(q.primeiroValor().toString());
    } catch (const ErroBanco& erro) {
        Mensagens::erro(erro.mensagem(), this);
    }
}

bool TfDadosFornecedor::propoeCodigo()
{
    m_proposto = true;
    try {
        m_edCodigo->setText(Funcoes::proximoCodigo(m_app.conexao(), sqlProximoCodigo, 10));
        m_edCodigo->selectAll();
        return true;
    } catch (const ErroBanco& e) {
        // No proposal (the highest code is not a number, or the database is unreachable): the
        // field is left for the user to type a code.
        m_edCodigo->clear();
        Mensagens::erro(e.mensagem(), this);
        return false;
    }
}

void TfDadosFornecedor::vaiParaCodigo()
{
    // Gaining the focus proposes the code; a window not yet (or no longer) active gets no
    // focus event, so the proposal is then made here.
    m_proposto = false;
    m_edCodigo->setFocus(Qt::OtherFocusReason);
    if (!m_proposto)
        propoeCodigo();
}

std::optional<bool> TfDadosFornecedor::codigoExiste(const QString& codigo)
{
    Consulta& q = m_app.dmFornecedor().SQLQFornecedor;
    q.setSql(QStringLiteral("Select FOR_Codigo From Fornecedor Where FOR_Codigo=:CodigoC"));
    q.setParametro(QStringLiteral("CodigoC"), codigo);
    try {
        return !q.abre(nullptr, 1).vazio();
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
        return std::nullopt;
    }
}

void TfDadosFornecedor::saiDoCodigo()
{
    // Only a new supplier's code can be typed; a loaded one stays exactly as stored.
    if (modo() != ::Modo::Inclui)
        return;
    const QString codigo = Funcoes::codigoFornecedor(m_edCodigo->text().trimmed());
    m_edCodigo->setText(codigo);
    if (codigoExiste(codigo).value_or(false)) {
        Mensagens::aviso(QStringLiteral("Código já Cadastrado, tente outro Código"), this);
        m_edCodigo->selectAll();
        // Back in the field, a fresh proposal replaces the taken code.
        Convencoes::devolveFoco(m_edCodigo);
    }
}

void TfDadosFornecedor::saiDoGrupo()
{
    if (m_edCodGrupo->isReadOnly())
        return;
    const QString texto = m_edCodGrupo->text().trimmed();
    if (texto.isEmpty()) {
        m_edCodGrupo->clear();
        m_edDescGrupo->clear();
        return;
    }
    // Stored as the group's code is stored, zeros and all.
    const QString codigo = Funcoes::codigoSeis(texto);
    m_edCodGrupo->setText(codigo);
    Consulta& q = m_app.dmGrupoFornecedor().SQLQGrupoFornecedor;
    q.setSql(QStringLiteral("Select GRU_Desc From GRU_Fornec Where GRU_Codigo=:CodigoC"));
    q.setParametro(QStringLiteral("CodigoC"), codigo);
    Resultado r;
    try {
        r = q.abre(nullptr, 1);
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
        return;
    }
    if (r.vazio()) {
        Mensagens::aviso(QStringLiteral("Grupo de Fornecedor não Encontrado"), this);
        m_edDescGrupo->clear();
        Convencoes::devolveFoco(m_edCodGrupo);
        // Selected once the field has the focus back (leaving it clears the selection), so
        // the next code typed replaces the missing one.
        QTimer::singleShot(0, m_edCodGrupo, [this] { m_edCodGrupo->selectAll(); });
        return;
    }
    m_edDescGrupo->setText(r.valor(0, 0).toString());
    // A known group needs no search: moving on from it skips "..." for the name.
    if (QApplication::focusWidget() == m_btnBuscaGrupo)
        m_edRazao->setFocus(Qt::TabFocusReason);
}

void TfDadosFornecedor::abreBuscaGrupo()
{
    if (m_edCodGrupo->isReadOnly())
        return;
    TfBuscaGRU_For& busca = m_app.janela<TfBuscaGRU_For>();
    busca.Origem = origemFornecedor;
    Modal::exec(&busca);
}

bool TfDadosFornecedor::razaoVazia()
{
    if (!m_edRazao->text().trimmed().isEmpty())
        return false;
    Mensagens::aviso(QStringLiteral("Campo Razão Social/Nome Deve ser Preenchido"), this);
    m_edRazao->setFocus();
    return true;
}

void TfDadosFornecedor::ligaDados(Consulta& q)
{
    for (const Campo& c : std::as_const(m_campos))
        q.setParametro(c.parametro, c.edit->text());
    q.setParametro(QStringLiteral("OBSC"), m_edObs->toPlainText());
    q.setParametro(QStringLiteral("TipoC"),
                   m_cbFJ->currentIndex() == 0 ? QStringLiteral("J") : QStringLiteral("F"));
    const QDate data = m_dtpDCad->date();
    q.setParametro(QStringLiteral("DCadC"),
                   data == m_dtpDCad->minimumDate() ? QVariant() : QVariant(data));
    q.setParametro(QStringLiteral("GrupoC"), m_edCodGrupo->text());
}

void TfDadosFornecedor::salva()
{
    const ::Modo m = modo();
    if (m == ::Modo::Inclui)
        inclui();
    else if (m == ::Modo::Altera)
        altera();
    else if (m == ::Modo::Exclui)
        exclui();
}

void TfDadosFornecedor::inclui()
{
    if (razaoVazia())
        return;
    // "Limpa os Campos" leaves the code empty until the field is visited again; a supplier is
    // never stored without a code, so an empty one is treated like a code taken meanwhile.
    const QString digitado = m_edCodigo->text().trimmed();
    std::optional<bool> tomado = true;
    if (!digitado.isEmpty()) {
        m_edCodigo->setText(Funcoes::codigoFornecedor(digitado));
        // Another workstation may have taken the code since it was proposed or typed.
        tomado = codigoExiste(m_edCodigo->text());
    }
    if (!tomado)
        return;
    if (*tomado) {
        if (!propoeCodigo())
            return;
        Mensagens::informacao(QStringLiteral("Novo Código:") + m_edCodigo->text(), this);
    }

    const QString codigo = m_edCodigo->text();
    Consulta& q = m_app.dmFornecedor().SQLQFornecedor;
    const bool ok = Familia::grava(
        m_app, this,
        [&](Transacao& t) {
            q.limpa();
            q.adiciona(QStringLiteral("Insert into Fornecedor (FOR_Codigo,FOR_Fanta,For_Razao,"
                                      "FOR_Ender,FOR_Numero,FOR_Tipo,FOR_CEP,"));
            q.adiciona(QStringLiteral(
                "FOR_Cidade,FOR_UF,FOR_CNPJ,FOR_Insc,FOR_Fone1,FOR_Fone2,FOR_Contato,FOR_FAX,"
                "FOR_Conta,FOR_Banco,FOR_Agencia,FOR_Email,FOR_HomeP,"));
            q.adiciona(QStringLiteral(
                "FOR_Celular,FOR_Bairro,FOR_Complemento,FOR_OBS,FOR_DCad,FOR_Grupo)"));
            q.adiciona(QStringLiteral("Values (:CodigoC,:FantaC,:RazaoC,:EnderC,:NumeroC,:TipoC,"
                                      ":CEPC,:CidadeC,:UFC,:CNPJC,:InscC,:Fone1C,"));
            q.adiciona(QStringLiteral(
                ":Fone2C,:ContatoC,:FAXC,:ContaC,:BancoC,:AgenciaC,:EmailC,:HomePC,:CelularC,"
                ":BairroC,:ComplementoC,:OBSC,:DCadC,:GrupoC)"));
            q.setParametro(QStringLiteral("CodigoC"), codigo);
            ligaDados(q);
            q.executa(t);
        },
        QStringLiteral("Inclusão de Fornecedor:") + codigo,
        [](const ErroBanco& e) {
            return Familia::comErro(QStringLiteral("Não Consegui Incluir, Tente Novamente !"), e);
        });
    if (!ok)
        return;
    m_app.janela<TfManut_Fornec>().lista().rele();
    limpaCampos();
    vaiParaCodigo();
}

void TfDadosFornecedor::altera()
{
    if (razaoVazia())
        return;
    Consulta& q = m_app.dmFornecedor().SQLQFornecedor;
    const bool ok = Familia::grava(
        m_app, this,
        [&](Transacao& t) {
            q.limpa();
            q.adiciona(QStringLiteral(
                "Update Fornecedor SET FOR_Fanta=:FantaC,For_Razao=:RazaoC,FOR_Ender=:EnderC,"
                "FOR_Numero=:NumeroC,FOR_Tipo=:TipoC,FOR_CEP=:CEPC,"));
            q.adiciona(QStringLiteral(
                "FOR_Cidade=:CidadeC,FOR_UF=:UFC,FOR_CNPJ=:CNPJC,FOR_Insc=:InscC,"
                "FOR_Fone1=:Fone1C,FOR_Fone2=:Fone2C,FOR_Contato=:ContatoC,FOR_FAX=:FAXC,"
                "FOR_Conta=:ContaC"));
            q.adiciona(QStringLiteral(
                ",FOR_Banco=:BancoC,FOR_Agencia=:AgenciaC,FOR_Email=:EmailC,FOR_HomeP=:HomePC,"));
            q.adiciona(QStringLiteral(
                "FOR_Celular=:CelularC,FOR_Bairro=:BairroC,FOR_Complemento=:ComplementoC,"
                "FOR_OBS=:OBSC,FOR_DCad=:DCadC,FOR_Grupo=:GrupoC Where FOR_Codigo=:CodigoC"));
            ligaDados(q);
            q.setParametro(QStringLiteral("CodigoC"), CodSelecionado);
            q.executa(t);
        },
        QStringLiteral("Alteração de Fornecedor:") + m_edCodigo->text(),
        [](const ErroBanco& e) {
            return Familia::comErro(QStringLiteral("Não Consegui Alterar, Tente Novamente !"), e);
        });
    if (!ok)
        return;
    m_app.janela<TfManut_Fornec>().lista().rele();
    accept();
}

void TfDadosFornecedor::exclui()
{
    Consulta& q = m_app.dmFornecedor().SQLQFornecedor;
    const bool ok = Familia::grava(
        m_app, this,
        [&](Transacao& t) {
            q.setSql(QStringLiteral("Delete From Fornecedor Where FOR_Codigo=:CodigoC"));
            q.setParametro(QStringLiteral("CodigoC"), CodSelecionado);
            q.executa(t);
        },
        QStringLiteral("Exclusão de Fornecedor:") + m_edCodigo->text(),
        [](const ErroBanco& e) {
            return Familia::comErro(QStringLiteral("Não Consegui Excluir, Tente Novamente !"), e);
        });
    if (!ok)
        return;
    m_app.janela<TfManut_Fornec>().lista().rele();
    accept();
}
