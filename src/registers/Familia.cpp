#include "registers/Familia.h"

#include "app/Aplicacao.h"
#include "app/Principal.h"
#include "common/Funcoes.h"
#include "common/Mensagens.h"
#include "data/DataSet.h"
#include "data/firebird/Consulta.h"
#include "data/firebird/ErroBanco.h"
#include "data/firebird/Transacao.h"

#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>

#include <optional>

namespace Familia {

bool permiteBotao(Aplicacao& app, const QString& codigoModulo)
{
    try {
        return app.principal().permite(codigoModulo);
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem());
        return false;
    }
}

bool grava(Aplicacao& app, QWidget* janela, const std::function<void(Transacao&)>& escreve,
           const QString& textoLog, const std::function<QString(const ErroBanco&)>& falha)
{
    std::optional<ErroBanco> erro;
    try {
        Transacao t(app.conexao());
        escreve(t);
        TfPrincipal& p = app.principal();
        if (p.registraLog())
            Funcoes::GravaLog(t, p.CodUsuario, textoLog);
        t.commit();
    } catch (const ErroBanco& e) {
        // By now the transaction is gone: leaving its block rolled it back, before anyone is
        // told, so no row stays locked while the message is read. A rollback that fails too
        // (the database is gone) is swallowed there; what the user needs is what went wrong.
        erro = e;
    }
    if (!erro)
        return true;
    Mensagens::aviso(falha(*erro), janela);
    return false;
}

QString comErro(const QString& texto, const ErroBanco& erro)
{
    return texto + QStringLiteral("\nErro:  ") + erro.mensagem();
}

QString codigoAtual(const DataSet& lista)
{
    if (lista.linhaAtual() < 0 || lista.campos().isEmpty())
        return QString();
    return lista.valor(lista.linhaAtual(), lista.campoDaColuna(0)).toString();
}

Lista::Lista(QWidget* janela, ::Consulta& consulta, DataSet& dados, QTableView* grade,
             QLabel* rotulo, QLineEdit* campoBusca, int largura, QChar preenchimento)
    : QObject(janela), m_janela(janela), m_consulta(consulta), m_dados(dados), m_grade(grade),
      m_rotulo(rotulo), m_campoBusca(campoBusca), m_largura(largura), m_preenchimento(preenchimento)
{}

int Lista::adicionaOrdem(const Ordem& ordem)
{
    m_ordens << ordem;
    return int(m_ordens.size()) - 1;
}

void Lista::ligaRadios(bool tambemAoFocar)
{
    for (int i = 0; i < m_ordens.size(); ++i) {
        QRadioButton* r = m_ordens[i].radio;
        if (!r)
            continue;
        connect(r, &QRadioButton::clicked, this, [this, i] { ordena(i); });
        if (tambemAoFocar)
            r->installEventFilter(this);
    }
}

bool Lista::eventFilter(QObject* alvo, QEvent* evento)
{
    if (evento->type() == QEvent::FocusIn) {
        auto* f = static_cast<QFocusEvent*>(evento);
        if (f->reason() != Qt::ActiveWindowFocusReason && f->reason() != Qt::PopupFocusReason) {
            for (int i = 0; i < m_ordens.size(); ++i)
                if (m_ordens[i].radio == alvo)
                    ordena(i);
        }
    }
    return QObject::eventFilter(alvo, evento);
}

void Lista::ordena(int indice)
{
    const Ordem& o = m_ordens.at(indice);
    m_atual = indice;
    if (o.radio && !o.radio->isChecked())
        o.radio->setChecked(true);
    if (m_rotulo)
        m_rotulo->setText(o.rotulo);
    m_consulta.setSql(o.sql);
    try {
        m_dados.carrega(m_consulta);
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), m_janela);
    }
    if (m_grade)
        m_grade->viewport()->update();
}

void Lista::rele()
{
    const QString campoChave = m_dados.campoDaColuna(0);
    const QString atual = codigoAtual(m_dados);
    try {
        m_dados.carrega(m_consulta);
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), m_janela);
        return;
    }
    if (!atual.isEmpty()) {
        for (int i = 0; i < m_dados.tamanho(); ++i)
            if (m_dados.valor(i, campoChave).toString() == atual) {
                m_dados.setLinhaAtual(i);
                break;
            }
    }
    if (m_grade)
        m_grade->viewport()->update();
}

void Lista::busca()
{
    if (m_atual < 0 || !m_campoBusca)
        return;
    const Ordem& o = m_ordens.at(m_atual);
    QString texto = m_campoBusca->text();
    if (o.codigo) {
        texto = Funcoes::completaCodigo(texto, m_largura, m_preenchimento);
        m_campoBusca->setText(texto);
    }
    m_dados.localiza(o.campo, texto);
    rele();
}

} // namespace Familia
