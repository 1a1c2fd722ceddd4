#include "common/CamposProduto.h"

#include "common/CampoCodigo.h"
#include "common/CamposCadastro.h"
#include "common/Convencoes.h"
#include "common/Formatos.h"
#include "common/Funcoes.h"
#include "contexto/Contexto.h"
#include "contexto/Sessao.h"
#include "data/DataModule_Produtos.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

namespace {

// The product whose shelf label carries `lido`: its code, when it has no bar code of its own.
std::optional<Produto> produtoDaEtiqueta(TdmProdutos& produtos, const QString& lido)
{
    // The label carries the code without its blanks; a text wider than a code is no code.
    const QString codigo = lido.trimmed();
    if (codigo.isEmpty() || codigo.size() > 10)
        return std::nullopt;
    std::optional<Produto> p = produtos.produtoPorCodigo(Funcoes::codigoProduto(codigo));
    // A product with a bar code of its own is labelled with that: its code read here was typed,
    // not scanned from its label, and stays unknown as a bar code.
    if (!p || !p->codigoBarras.trimmed().isEmpty())
        return std::nullopt;
    return p;
}

} // namespace

namespace LeitorDeBarras {

void aoEnter(QLineEdit* campo, std::function<bool()> acao)
{
    // Seen before the window's own Enter handling: the application's Enter-as-Tab filter comes
    // first and moves on by itself, so this answers only where the window gives Enter no
    // meaning.
    Convencoes::aoTeclar(campo, [acao = std::move(acao)](QKeyEvent* tecla) {
        if (tecla->type() != QEvent::KeyPress)
            return false;
        if (tecla->key() != Qt::Key_Return && tecla->key() != Qt::Key_Enter)
            return false;
        if (tecla->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        if (QApplication::activePopupWidget())
            return false;
        return acao();
    });
}

void enterAvanca(QLineEdit* campo)
{
    aoEnter(campo, [campo] {
        // The key Tab itself, so the focus follows the window's own tab order and the field's
        // leave work runs as on any Tab.
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(campo, &tab);
        return true;
    });
}

} // namespace LeitorDeBarras

CamposProduto::CamposProduto(Contexto& app, QLineEdit* codigo, QLineEdit* codigoBarras,
                             QWidget* janela, Regras regras)
    : QObject(janela), m_app(app), m_regras(std::move(regras))
{
    CampoCodigo::Regras porCodigo =
        regrasDoProduto(app, nullptr, {m_regras.origem, m_regras.botaoBusca});
    porCodigo.aparaAoEntrar = m_regras.aparaAoEntrar;
    porCodigo.procura = [this](const QString& c) { return procura(c, Via::Codigo); };
    porCodigo.naoEncontrado = m_regras.naoEncontrado;
    porCodigo.tipo = m_regras.tipoNaoEncontrado;
    porCodigo.esvaziaAoRecusar = m_regras.esvaziaAoRecusar;
    m_codigo = new CampoCodigo(codigo, janela, porCodigo);

    // A bar code is looked up as typed: it is not a number the stock room pads.
    CampoCodigo::Regras porBarras;
    porBarras.largura = 14;
    porBarras.procura = [this](const QString& c) { return procura(c, Via::CodigoBarras); };
    porBarras.naoEncontrado = m_regras.naoEncontrado;
    porBarras.tipo = m_regras.tipoNaoEncontrado;
    porBarras.esvaziaAoRecusar = m_regras.esvaziaAoRecusar && !m_regras.barrasRecusadasNoCodigo;
    if (m_regras.barrasRecusadasNoCodigo)
        porBarras.voltaAoRecusar = codigo;
    m_codigoBarras = new CampoCodigo(codigoBarras, janela, porBarras);
    if (m_regras.barrasRecusadasNoCodigo)
        connect(m_codigoBarras, &CampoCodigo::recusou, this, [this] {
            QLineEdit* c = m_codigo->campo();
            if (m_regras.esvaziaAoRecusar) {
                c->clear();
                m_codigo->esquece();
            } else {
                c->setText(c->text().trimmed());
            }
        });
    LeitorDeBarras::enterAvanca(codigoBarras);
    // Installed after the bar code's own F5, so it is the one that answers the key.
    if (m_regras.buscaNoCodigoBarras)
        Convencoes::teclaF5(codigoBarras, [this] { m_codigo->abreBusca(); });
}

bool CamposProduto::podeGravar() const
{
    return m_codigo->podeGravar() && m_codigoBarras->podeGravar();
}

void CamposProduto::esquece()
{
    m_codigo->esquece();
    m_codigoBarras->esquece();
}

bool CamposProduto::barrasDoCodigo(const QString& barras) const
{
    // The code field, not what it last confirmed: a window that moves the focus as it shows the
    // product makes the person leave the bar code before the code's look-up has ended.
    return !m_barrasMostradas.isEmpty() && barras == m_barrasMostradas &&
           m_codigo->campo()->text() == m_codigoMostrado;
}

bool CamposProduto::procura(const QString& valor, Via via)
{
    // Looked up again, the bar code the code's look-up has just shown would bring the first
    // product that shares it in place of the one the person named, ready to be moved.
    if (via == Via::CodigoBarras && barrasDoCodigo(valor))
        return true;
    m_codigoMostrado.clear();
    m_barrasMostradas.clear();
    TdmProdutos& produtos = m_app.dmProdutos();
    std::optional<Produto> p = via == Via::Codigo ? produtos.produtoPorCodigo(valor)
                                                  : produtos.produtoPorCodigoBarras(valor);
    if (!p && via == Via::CodigoBarras)
        p = produtoDaEtiqueta(produtos, valor);
    if (!p)
        return false;
    CampoCodigo& campo = via == Via::Codigo ? *m_codigo : *m_codigoBarras;
    if (m_regras.recusa) {
        const QString porque = m_regras.recusa(*p);
        if (!porque.isEmpty()) {
            QList<QLineEdit*> limpa = {campo.campo()};
            if (!m_regras.recusaSoNoCampo)
                limpa << (via == Via::Codigo ? m_codigoBarras : m_codigo)->campo();
            campo.recusaRegistro(porque, TipoMensagem::Erro, limpa);
            return false;
        }
    }
    if (via == Via::Codigo)
        m_codigo->campo()->setText(p->codigo);
    else
        m_codigo->aceita(p->codigo);
    m_codigoBarras->campo()->setText(p->codigoBarras);
    if (via == Via::Codigo) {
        m_codigoMostrado = m_codigo->campo()->text();
        m_barrasMostradas = m_codigoBarras->campo()->text();
    }
    m_regras.mostra(*p, via);
    return true;
}
