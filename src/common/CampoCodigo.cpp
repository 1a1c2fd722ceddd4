#include "common/CampoCodigo.h"

#include "common/Convencoes.h"
#include "common/Formulario.h"
#include "common/Funcoes.h"
#include "common/JanelaBusca.h"
#include "common/Modal.h"
#include "data/firebird/ErroBanco.h"

#include <QAbstractButton>
#include <QLineEdit>

CampoCodigo::CampoCodigo(QLineEdit* campo, QWidget* janela, Regras regras)
    : QObject(janela), m_campo(campo), m_janela(janela), m_regras(std::move(regras))
{
    Convencoes::aoEntrar(campo, this, [this] { entra(); });
    Convencoes::aoSair(campo, this, [this] { confere(); });
    Convencoes::teclaF5(campo, [this] { abreBusca(); });
    if (m_regras.botaoBusca)
        connect(m_regras.botaoBusca, &QAbstractButton::clicked, this, &CampoCodigo::abreBusca);
    registraNaBusca();
}

void CampoCodigo::setRegras(Regras regras)
{
    QAbstractButton* botaoAnterior = m_regras.botaoBusca;
    m_regras = std::move(regras);
    if (m_regras.botaoBusca != botaoAnterior) {
        if (botaoAnterior)
            disconnect(botaoAnterior, nullptr, this, nullptr);
        if (m_regras.botaoBusca)
            connect(m_regras.botaoBusca, &QAbstractButton::clicked, this, &CampoCodigo::abreBusca);
    }
    registraNaBusca();
}

void CampoCodigo::registraNaBusca()
{
    if (m_regras.busca)
        m_regras.busca->registraDestino(m_regras.origem, m_campo);
}

bool CampoCodigo::confirmado() const
{
    return !m_encontrado.isEmpty() && m_campo->text() == m_encontrado;
}

void CampoCodigo::esquece()
{
    m_encontrado.clear();
    m_recusado = false;
}

void CampoCodigo::entra()
{
    const bool deVolta = Convencoes::devolvendoFoco();
    m_recusado = false;
    if (m_regras.proposta && !m_campo->isReadOnly()) {
        auto* dialogo = qobject_cast<Dialogo*>(m_janela);
        if (!dialogo || !dialogo->abrindo())
            propoe();
    }
    if (deVolta) {
        // Back after a refusal: a refused code that stayed is selected, so the next one
        // replaces it.
        m_campo->selectAll();
        return;
    }
    if (m_regras.aparaAoEntrar) {
        // A stored code carries its padding; without it the person can retype it.
        const QString texto = m_campo->text();
        const QString aparado = texto.trimmed();
        if (aparado != texto)
            m_campo->setText(aparado);
    }
    emit entrou();
}

bool CampoCodigo::confere()
{
    m_motivo.reset();
    if (m_regras.ignoraSoLeitura && m_campo->isReadOnly())
        return false;
    QString texto = m_campo->text();
    if (m_regras.aparaAoSair && texto != texto.trimmed()) {
        texto = texto.trimmed();
        m_campo->setText(texto);
    }
    if (texto.trimmed().isEmpty() && !m_regras.completaVazio) {
        if (!m_regras.exigido.isEmpty())
            recusa(m_regras.exigido);
        else
            emit saiuVazio();
        return false;
    }
    QString codigo = texto;
    if (!m_regras.preenchimento.isNull())
        codigo = Funcoes::completaCodigo(texto, m_regras.largura, m_regras.preenchimento);
    if (codigo != texto)
        m_campo->setText(codigo);
    // A code wider than its column is in no register; the server would only refuse to compare it.
    bool achado = false;
    if (!m_regras.recusaLongo || m_regras.largura <= 0 || codigo.size() <= m_regras.largura) {
        try {
            achado = m_regras.procura && m_regras.procura(codigo);
        } catch (const ErroBanco& e) {
            Mensagens::erro(e.mensagem(), m_janela);
            return false;
        }
    }
    if (!achado) {
        recusa(m_regras.naoEncontrado);
        return false;
    }
    m_encontrado = m_campo->text();
    emit achou(m_encontrado);
    return true;
}

void CampoCodigo::recusa(const QString& mensagem)
{
    m_encontrado.clear();
    m_recusado = true;
    // A record the window turned down says why; otherwise the code is simply unknown.
    const Motivo motivo = m_motivo.value_or(Motivo{mensagem, m_regras.tipo, {}});
    m_motivo.reset();
    Mensagens::mostra(motivo.tipo, motivo.mensagem, m_janela);
    if (m_regras.esvaziaAoRecusar)
        m_campo->clear();
    for (QLineEdit* c : std::as_const(m_regras.limpaAoRecusar))
        c->clear();
    for (QLineEdit* c : motivo.limpa)
        c->clear();
    emit recusou();
    Convencoes::devolveFoco(m_regras.voltaAoRecusar ? m_regras.voltaAoRecusar : m_campo);
}

bool CampoCodigo::propoe()
{
    m_proposto = true;
    if (!Funcoes::propoeCodigo(m_campo, m_janela, m_regras.proposta))
        return false;
    m_campo->selectAll();
    return true;
}

void CampoCodigo::vaiParaOCampo()
{
    m_proposto = false;
    m_campo->setFocus(Qt::OtherFocusReason);
    if (!m_proposto && m_regras.proposta)
        propoe();
}

void CampoCodigo::abreBusca()
{
    if (!m_regras.busca || (m_regras.ignoraSoLeitura && m_campo->isReadOnly()))
        return;
    m_regras.busca->Origem = m_regras.origem;
    Modal::exec(m_regras.busca);
    emit buscaFechada();
}

void CampoCodigo::aceita(const QString& codigo)
{
    m_campo->setText(codigo);
    m_encontrado = codigo;
}

void CampoCodigo::recusaRegistro(const QString& mensagem, TipoMensagem tipo,
                                 const QList<QLineEdit*>& limpa)
{
    m_motivo = Motivo{mensagem, tipo, limpa};
}
