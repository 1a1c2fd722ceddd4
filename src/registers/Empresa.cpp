#include "registers/Empresa.h"

#include "app/Aplicacao.h"
#include "app/Principal.h"
#include "common/Convencoes.h"
#include "common/Mensagens.h"
#include "data/firebird/Consulta.h"
#include "data/firebird/ErroBanco.h"
#include "data/firebird/Transacao.h"
#include "data/DataModule_Empresa.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QShowEvent>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

const QString falhaGravacao = QStringLiteral("Ocorreu um Erro, tente novamente !");

QLineEdit* novoCampo(QWidget* janela, const char* nome, int limite)
{
    auto* campo = new QLineEdit(janela);
    campo->setObjectName(QLatin1String(nome));
    campo->setMaxLength(limite);
    return campo;
}

} // namespace

// A multi-line field has no maximum length of its own. This one holds the remarks to what the
// column stores: whatever is typed or pasted beyond the limit is dropped as it arrives, so the
// save never fails over a long remark. Text the window itself writes is shown whole.
class TfEmpresa::LimiteDeTexto : public QObject {
public:
    LimiteDeTexto(QPlainTextEdit* campo, int limite)
        : QObject(campo), m_campo(campo), m_limite(limite)
    {
        connect(campo->document(), &QTextDocument::contentsChange, this,
                [this](int posicao, int, int inseridos) {
                    m_posicao = posicao;
                    m_inseridos = inseridos;
                });
        connect(campo, &QPlainTextEdit::textChanged, this, [this] { corta(); });
    }

    void escreve(const QString& texto)
    {
        const QScopedValueRollback guarda(m_escrevendo, true);
        m_campo->setPlainText(texto);
    }

private:
    void corta()
    {
        const int inseridos = m_inseridos;
        m_inseridos = 0;
        const int tamanho = int(m_campo->toPlainText().size());
        if (m_escrevendo || inseridos <= 0 || tamanho <= m_limite)
            return;
        // The document may count its closing paragraph in what was inserted.
        const int fim = qMin(m_posicao + inseridos, tamanho);
        const int inicio = qMax(m_posicao, fim - (tamanho - m_limite));
        if (inicio >= fim)
            return;
        QTextCursor cursor(m_campo->document());
        cursor.setPosition(inicio);
        cursor.setPosition(fim, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }

    QPlainTextEdit* m_campo;
    int m_limite;
    int m_posicao = 0;
    int m_inseridos = 0;
    bool m_escrevendo = false;
};

TfEmpresa::TfEmpresa(Aplicacao& app, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_app(app)
{
    setObjectName(QStringLiteral("TfEmpresa"));
    setWindowTitle(QStringLiteral("Dados da Empresa"));

    auto* titulo = new QLabel(QStringLiteral("Dados da Empresa"), this);
    titulo->setObjectName(QStringLiteral("lbTitulo"));
    QFont f = titulo->font();
    f.setPointSize(f.pointSize() + 4);
    f.setBold(true);
    titulo->setFont(f);

    m_edNome = novoCampo(this, "edEMP_Nome", 80);
    // The name is where the window opens; Tab goes round the other fields and the buttons.
    m_edNome->setFocusPolicy(Qt::ClickFocus);
    m_edCNPJ = novoCampo(this, "edEMP_CNPJ", 18);
    m_edCNPJ->setReadOnly(true);
    m_edInsc = novoCampo(this, "edEMP_Insc", 18);
    m_edEnder = novoCampo(this, "edEMP_Ender", 50);
    m_edBairro = novoCampo(this, "edEMP_Bairro", 30);
    m_edCidade = novoCampo(this, "edEMP_Cidade", 29);
    m_edUF = novoCampo(this, "edEMP_UF", 4);
    m_edFone = novoCampo(this, "edEMP_Fone", 15);
    m_edFax = novoCampo(this, "edEMP_FAX", 15);
    m_edHomeP = novoCampo(this, "edEMP_HomeP", 80);
    m_edEmail = novoCampo(this, "edEMP_Email", 80);
    m_edObs = new QPlainTextEdit(this);
    m_edObs->setObjectName(QStringLiteral("edEMP_Obs"));
    m_edObs->setTabChangesFocus(true);
    m_edObs->setFixedHeight(80);
    m_limiteObs = new LimiteDeTexto(m_edObs, 200);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Nome Fantasia/Nome:"), m_edNome);
    form->addRow(QStringLiteral("C.N.P.J/C.P.F:"), m_edCNPJ);
    form->addRow(QStringLiteral("I.Estadual/R.G.:"), m_edInsc);
    form->addRow(QStringLiteral("Endereço:"), m_edEnder);
    form->addRow(QStringLiteral("Bairro:"), m_edBairro);
    form->addRow(QStringLiteral("Cidade:"), m_edCidade);
    form->addRow(QStringLiteral("UF:"), m_edUF);
    form->addRow(QStringLiteral("Telefone:"), m_edFone);
    form->addRow(QStringLiteral("FAX:"), m_edFax);
    form->addRow(QStringLiteral("Home Page:"), m_edHomeP);
    form->addRow(QStringLiteral("Email:"), m_edEmail);
    form->addRow(QStringLiteral("Observações:"), m_edObs);

    m_btnGrava = new QPushButton(QStringLiteral("Grava"), this);
    m_btnGrava->setObjectName(QStringLiteral("Grava"));
    auto* fechar = new QPushButton(QStringLiteral("Fechar"), this);
    fechar->setObjectName(QStringLiteral("Fechar"));
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    for (QPushButton* b : {m_btnGrava, fechar}) {
        b->setAutoDefault(false);
        botoes->addWidget(b);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titulo);
    layout->addLayout(form);
    layout->addLayout(botoes);
    resize(620, 480);

    // The buttons come first, then the fields from top to bottom. The name sits just before
    // the tax number, so Tab or Enter from the name goes on to the tax number.
    const QList<QWidget*> ordem = {m_btnGrava, fechar,     m_edNome,   m_edCNPJ, m_edInsc,
                                   m_edEnder,  m_edBairro, m_edCidade, m_edUF,   m_edFone,
                                   m_edFax,    m_edHomeP,  m_edEmail,  m_edObs};
    for (qsizetype i = 1; i < ordem.size(); ++i)
        setTabOrder(ordem[i - 1], ordem[i]);

    connect(m_btnGrava, &QPushButton::clicked, this, &TfEmpresa::grava);
    connect(fechar, &QPushButton::clicked, this, &QDialog::accept);
    Convencoes::coresDeFoco(this);
    Convencoes::enterComoTab(this);
}

void TfEmpresa::showEvent(QShowEvent* e)
{
    // The window system confirms the showing with a second, spontaneous event; the opening
    // runs once.
    if (!e->spontaneous()) {
        carrega();
        m_edNome->setFocus();
    }
    QDialog::showEvent(e);
}

void TfEmpresa::carrega()
{
    const QList<QLineEdit*> campos = {m_edNome,   m_edCNPJ,   m_edInsc, m_edEnder,
                                      m_edBairro, m_edCidade, m_edUF,   m_edFone,
                                      m_edFax,    m_edHomeP,  m_edEmail};
    for (QLineEdit* c : campos)
        c->clear();
    m_limiteObs->escreve(QString());
    m_btnGrava->setEnabled(true);

    Consulta& q = m_app.dmEmpresa().SQLQ_Empresa;
    q.setSql(QStringLiteral("Select * From EMPRESA"));
    Resultado r;
    try {
        r = q.abre();
    } catch (const ErroBanco& e) {
        // Saving what is on screen now would write empty fields over the stored data.
        m_btnGrava->setEnabled(false);
        Mensagens::erro(e.mensagem(), this);
        return;
    }
    if (r.vazio())
        return;
    auto coluna = [&](const char* nome) {
        const int c = r.coluna(QLatin1String(nome));
        return c < 0 ? QString() : r.valor(0, c).toString();
    };
    m_edNome->setText(coluna("EMP_Nome"));
    m_edCNPJ->setText(coluna("EMP_CNPJ"));
    m_edInsc->setText(coluna("EMP_Insc"));
    m_edEnder->setText(coluna("EMP_Ender"));
    m_edBairro->setText(coluna("EMP_Bairro"));
    m_edCidade->setText(coluna("EMP_Cidade"));
    m_edUF->setText(coluna("EMP_UF"));
    m_edFone->setText(coluna("EMP_Fone"));
    m_edFax->setText(coluna("EMP_Fax"));
    m_edHomeP->setText(coluna("EMP_HomeP"));
    m_edEmail->setText(coluna("EMP_Email"));
    m_limiteObs->escreve(coluna("EMP_Obs"));
}

void TfEmpresa::grava()
{
    Consulta& q = m_app.dmEmpresa().SQLQ_Empresa;
    try {
        Transacao t(m_app.conexao());
        q.limpa();
        q.adiciona(QStringLiteral("Update Empresa SET EMP_Nome=:NomeC, EMP_INSC=:InscC,"));
        q.adiciona(QStringLiteral("EMP_Ender=:EnderC, EMP_Bairro=:BairroC,EMP_Cidade=:CidadeC,"));
        q.adiciona(
            QStringLiteral("EMP_UF=:UFC, EMP_Fone=:FoneC, EMP_Email=:EmailC,EMP_HomeP=:HomePC,"));
        q.adiciona(QStringLiteral("EMP_FAX=:FAXC, EMP_OBS=:OBSC Where EMP_Codigo=:CodigoC"));
        q.setParametro(QStringLiteral("NomeC"), m_edNome->text());
        q.setParametro(QStringLiteral("InscC"), m_edInsc->text());
        q.setParametro(QStringLiteral("EnderC"), m_edEnder->text());
        q.setParametro(QStringLiteral("BairroC"), m_edBairro->text());
        q.setParametro(QStringLiteral("CidadeC"), m_edCidade->text());
        q.setParametro(QStringLiteral("UFC"), m_edUF->text());
        q.setParametro(QStringLiteral("FoneC"), m_edFone->text());
        q.setParametro(QStringLiteral("EmailC"), m_edEmail->text());
        q.setParametro(QStringLiteral("HomePC"), m_edHomeP->text());
        q.setParametro(QStringLiteral("FAXC"), m_edFax->text());
        q.setParametro(QStringLiteral("OBSC"), m_edObs->toPlainText());
        q.setParametro(QStringLiteral("CodigoC"), QStringLiteral("001"));
        // A database without its company row stores nothing: saying the data were saved would
        // send the user away believing it.
        if (q.executa(t) == 0) {
            t.rollback();
            Mensagens::informacao(falhaGravacao, this);
            return;
        }
        t.commit();
    } catch (const ErroBanco&) {
        // The transaction has been rolled back on leaving the block.
        Mensagens::informacao(falhaGravacao, this);
        return;
    }
    Mensagens::informacao(QStringLiteral("Dados Gravados com Sucesso !"), this);
    // The header shows the new data at once; the reports keep the name and telephone read at
    // start until the program starts again.
    m_app.principal().atualizaEmpresa(m_edNome->text(), m_edFone->text(), m_edEmail->text(),
                                      m_edHomeP->text());
}
