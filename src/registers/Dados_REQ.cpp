#include "registers/Dados_REQ.h"

#include "app/Aplicacao.h"
#include "common/Convencoes.h"
#include "common/Funcoes.h"
#include "common/Mensagens.h"
#include "data/firebird/ErroBanco.h"
#include "registers/Familia.h"
#include "registers/Manut_REQ.h"
#include "data/DataModule_Req.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QShowEvent>
#include <QVBoxLayout>
#include <QValidator>

namespace {

// Stops typing at six characters, as a maximum length would, without cutting what the window
// itself writes: a proposed code that has outgrown six digits must be seen whole and refused
// by the save, not silently shortened into some other requisitioner's code.
class SeisCaracteres : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& texto, int&) const override
    {
        return texto.size() <= 6 ? Acceptable : Invalid;
    }
};

} // namespace

TfDados_REQ::TfDados_REQ(Aplicacao& app, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_app(app)
{
    setObjectName(QStringLiteral("TfDados_REQ"));
    setWindowTitle(QStringLiteral("Inclusão de Requisitantes"));

    m_lbTitulo = new QLabel(QStringLiteral("Inclusão de Requisitantes"), this);
    m_lbTitulo->setObjectName(QStringLiteral("lbREQ_Titulo"));
    QFont f = m_lbTitulo->font();
    f.setPointSize(f.pointSize() + 4);
    f.setBold(true);
    m_lbTitulo->setFont(f);

    m_edCodigo = new QLineEdit(this);
    m_edCodigo->setObjectName(QStringLiteral("edREQ_Codigo"));
    m_edCodigo->setValidator(new SeisCaracteres(m_edCodigo));
    m_edDescricao = new QLineEdit(this);
    m_edDescricao->setObjectName(QStringLiteral("edREQ_Descricao"));
    m_edDescricao->setMaxLength(50);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Código:"), m_edCodigo);
    form->addRow(QStringLiteral("Nome:"), m_edDescricao);

    m_btnSalva = new QPushButton(QStringLiteral("Salva"), this);
    m_btnSalva->setObjectName(QStringLiteral("btnREQ_Salva"));
    m_btnLimpa = new QPushButton(QStringLiteral("Limpa"), this);
    m_btnLimpa->setObjectName(QStringLiteral("btnREQ_Limpa"));
    auto* fechar = new QPushButton(QStringLiteral("Fechar"), this);
    fechar->setObjectName(QStringLiteral("btnREQ_Fechar"));
    auto* botoes = new QHBoxLayout;
    for (QPushButton* b : {m_btnSalva, m_btnLimpa, fechar}) {
        b->setAutoDefault(false);
        botoes->addWidget(b);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lbTitulo);
    layout->addLayout(form);
    layout->addLayout(botoes);
    resize(520, 160);

    connect(m_btnSalva, &QPushButton::clicked, this, &TfDados_REQ::salva);
    connect(m_btnLimpa, &QPushButton::clicked, this, [this] {
        m_edDescricao->clear();
        m_edDescricao->setFocus();
    });
    connect(fechar, &QPushButton::clicked, this, &QDialog::accept);
    Convencoes::aoEntrar(m_edCodigo, this, [this] {
        if (!m_levandoAoCodigo)
            propoeCodigo();
    });
    Convencoes::aoSair(m_edCodigo, this, [this] { saiCodigo(); });
    Convencoes::aoSair(m_edDescricao, this, [this] { saiNome(); });
    Convencoes::coresDeFoco(this);
    Convencoes::enterComoTab(this);
}

::Modo TfDados_REQ::modo() const
{
    return m_app.janela<TfManut_REQ>().Modo;
}

void TfDados_REQ::setVisible(bool visivel)
{
    // Showing a dialog hands its focus field a focus-in of its own; the opening has already
    // offered the code (or said why it could not).
    const QScopedValueRollback guarda(m_levandoAoCodigo, true);
    QDialog::setVisible(visivel);
}

void TfDados_REQ::showEvent(QShowEvent* e)
{
    // The window system confirms the showing with a second, spontaneous event; the opening
    // runs once.
    if (e->spontaneous()) {
        QDialog::showEvent(e);
        return;
    }
    const ::Modo m = modo();
    m_edCodigo->clear();
    m_edDescricao->clear();
    if (m == ::Modo::Inclui) {
        setWindowTitle(QStringLiteral("Inclusão de Requisitantes"));
        m_btnSalva->setText(QStringLiteral("Salva"));
        m_btnLimpa->setVisible(true);
        recomecaCodigo();
    } else {
        setWindowTitle(m == ::Modo::Altera ? QStringLiteral("Alteração de Requisitantes")
                                            : QStringLiteral("Exclusão de Requisitantes"));
        m_btnSalva->setText(m == ::Modo::Altera ? QStringLiteral("Altera")
                                                 : QStringLiteral("Exclui"));
        m_btnLimpa->setVisible(false);
        CodSelecionado = Familia::codigoAtual(m_app.dmReq().cds_Req);
        Consulta& q = m_app.dmReq().SQLQ_Req;
        q.setSql(QStringLiteral(
            "Select * From Requisitante Where REQ_Codigo=:CodigoC order By REQ_Codigo"));
        q.setParametro(QStringLiteral("CodigoC"), CodSelecionado);
        try {
            const Resultado r = q.abre();
            if (!r.vazio()) {
                m_edCodigo->setText(r.valor(0, 0).toString());
                m_edDescricao->setText(r.valor(0, 1).toString());
            }
        } catch (const ErroBanco& erro) {
            Mensagens::erro(erro.mensagem(), this);
        }
        m_edDescricao->setFocus();
    }
    m_lbTitulo->setText(windowTitle());
    QDialog::showEvent(e);
}

void TfDados_REQ::propoeCodigo()
{
    if (modo() != ::Modo::Inclui || !m_edCodigo->text().trimmed().isEmpty())
        return;
    Consulta& q = m_app.dmReq().SQLQ_Req;
    q.setSql(QStringLiteral("Select REQ_Codigo From Requisitante order By REQ_Codigo Descending"));
    QVariant maior;
    try {
        maior = q.primeiroValor();
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
        return;
    }
    QString proposta = QStringLiteral("000001");
    if (!maior.isNull()) {
        // Codes are typed freely, so the highest one may be no number at all; the user then
        // types the code.
        const QString texto = maior.toString().trimmed();
        bool ok = !texto.isEmpty();
        for (QChar c : texto)
            ok = ok && c >= QLatin1Char('0') && c <= QLatin1Char('9');
        const qint64 numero = ok ? texto.toLongLong(&ok) : 0;
        if (!ok) {
            Mensagens::informacao(
                QStringLiteral("Não foi possível propor um código: o maior código gravado não é "
                               "um número. Digite o código."),
                this);
            return;
        }
        proposta = Funcoes::codigoSeis(QString::number(numero + 1));
    }
    m_edCodigo->setText(proposta);
    m_edCodigo->selectAll();
}

void TfDados_REQ::recomecaCodigo()
{
    m_edCodigo->clear();
    propoeCodigo();
    const QScopedValueRollback guarda(m_levandoAoCodigo, true);
    m_edCodigo->setFocus();
}

void TfDados_REQ::saiCodigo()
{
    const QString texto = m_edCodigo->text();
    if (texto.trimmed().isEmpty()) {
        Mensagens::erro(QStringLiteral("O Campo do Código Precisa ser Preenchido"), this);
        Convencoes::devolveFoco(m_edCodigo);
        return;
    }
    const QString codigo = Funcoes::codigoSeis(texto);
    if (codigo != texto)
        m_edCodigo->setText(codigo);
    // A code longer than the column cannot be stored, so it cannot be taken either; the save
    // will refuse it.
    if (modo() != ::Modo::Inclui || codigo.size() > 6)
        return;
    Consulta& q = m_app.dmReq().SQLQ_Req;
    q.setSql(QStringLiteral("Select REQ_Codigo From Requisitante Where REQ_Codigo=:CodigoC"));
    q.setParametro(QStringLiteral("CodigoC"), codigo);
    try {
        if (q.abre(nullptr, 1).vazio())
            return;
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
        return;
    }
    Mensagens::erro(QStringLiteral("Requisitante já Cadastrado, tente outro"), this);
    // Back in the empty field, its entry offers the next free code again.
    m_edCodigo->clear();
    Convencoes::devolveFoco(m_edCodigo);
}

void TfDados_REQ::saiNome()
{
    if (modo() != ::Modo::Inclui)
        return;
    Consulta& q = m_app.dmReq().SQLQ_Req;
    q.setSql(
        QStringLiteral("Select REQ_Descricao From REquisitante Where REQ_Descricao=:DescricaoC"));
    q.setParametro(QStringLiteral("DescricaoC"), m_edDescricao->text());
    try {
        if (q.abre(nullptr, 1).vazio())
            return;
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
        return;
    }
    if (!Mensagens::confirma(QStringLiteral("Requisitante já Cadastrado, Deseja Cadastrar outro "
                                            "com a mesmo Nome ?"),
                             this)) {
        m_edDescricao->clear();
        Convencoes::devolveFoco(m_edDescricao);
    }
}

void TfDados_REQ::salva()
{
    const ::Modo m = modo();
    if (m == ::Modo::Inclui)
        inclui();
    else if (m == ::Modo::Altera)
        altera();
    else if (m == ::Modo::Exclui)
        exclui();
}

bool TfDados_REQ::nomeVazio()
{
    if (!m_edDescricao->text().trimmed().isEmpty())
        return false;
    Mensagens::aviso(QStringLiteral("O Campo Descrição Precisa ser Preenchido"), this);
    m_edDescricao->setFocus();
    return true;
}

void TfDados_REQ::inclui()
{
    // A click on "Salva" can follow the code field's own refusal of an empty or taken code
    // (the field has just been emptied and has said why): a requisitioner without a code
    // must not be stored.
    if (m_edCodigo->text().trimmed().isEmpty()) {
        m_edCodigo->setFocus();
        return;
    }
    if (nomeVazio())
        return;
    const QString codigo = m_edCodigo->text();
    Consulta& q = m_app.dmReq().SQLQ_Req;
    const bool ok = Familia::grava(
        m_app, this,
        [&](Transacao& t) {
            q.limpa();
            q.adiciona(QStringLiteral("Insert into Requisitante (REQ_Codigo,REQ_Descricao)"));
            q.adiciona(QStringLiteral("Values (:CodigoC,:DescricaoC)"));
            q.setParametro(QStringLiteral("CodigoC"), codigo);
            q.setParametro(QStringLiteral("DescricaoC"), m_edDescricao->text());
            q.executa(t);
        },
        QStringLiteral("Inclusão de Requisitante::") + codigo,
        [](const ErroBanco&) { return QStringLiteral("Não Consegui Incluir, tente Novamente"); });
    if (!ok)
        return;
    m_app.janela<TfManut_REQ>().lista().rele();
    m_edDescricao->clear();
    recomecaCodigo();
}

void TfDados_REQ::altera()
{
    if (nomeVazio())
        return;
    Consulta& q = m_app.dmReq().SQLQ_Req;
    const bool ok = Familia::grava(
        m_app, this,
        [&](Transacao& t) {
            q.limpa();
            q.adiciona(QStringLiteral("Update Requisitante SET REQ_Descricao=:DescricaoC"));
            q.adiciona(QStringLiteral("Where REQ_Codigo=:CodigoC"));
            q.setParametro(QStringLiteral("DescricaoC"), m_edDescricao->text());
            q.setParametro(QStringLiteral("CodigoC"), CodSelecionado);
            q.executa(t);
        },
        QStringLiteral("Alteração de Requisitante::") + m_edCodigo->text(),
        [](const ErroBanco&) { return QStringLiteral("Não Consegui Alterar, Tente Novamente"); });
    if (!ok)
        return;
    m_app.janela<TfManut_REQ>().lista().rele();
    accept();
}

void TfDados_REQ::exclui()
{
    Consulta& q = m_app.dmReq().SQLQ_Req;
    const bool ok = Familia::grava(
        m_app, this,
        [&](Transacao& t) {
            q.limpa();
            q.adiciona(QStringLiteral("Delete FROM REQUISITANTE"));
            q.adiciona(QStringLiteral("Where REQ_Codigo=:CodigoC"));
            q.setParametro(QStringLiteral("CodigoC"), CodSelecionado);
            q.executa(t);
        },
        QStringLiteral("Exclusão de Requisitante::") + m_edCodigo->text(),
        [](const ErroBanco&) { return QStringLiteral("Não consegui Excluir, tente novamente"); });
    if (!ok)
        return;
    m_app.janela<TfManut_REQ>().lista().rele();
    accept();
}
