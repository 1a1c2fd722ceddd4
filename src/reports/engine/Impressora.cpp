#include "reports/engine/Impressora.h"

#include "common/Modal.h"
#include "reports/engine/Documento.h"
#include "reports/engine/Motor.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>

#include <memory>

namespace Impressora {

namespace {

FuncaoImpressao& funcaoImpressao()
{
    static FuncaoImpressao f;
    return f;
}

FuncaoConfiguracao& funcaoConfiguracao()
{
    static FuncaoConfiguracao f;
    return f;
}

// One copy, every page, the paper of the document and no margins of the printer's own: the
// layout places every text on the paper itself.
QPrinter& preparaImpressora(const Motor::Documento& documento)
{
    QPrinter& p = atual();
    p.setCopyCount(1);
    p.setPrintRange(QPrinter::AllPages);
    p.setDocName(documento.titulo);
    p.setFullPage(true);
    p.setPageLayout(QPageLayout(
        QPageSize(QSizeF(documento.larguraMm, documento.alturaMm), QPageSize::Millimeter),
        QPageLayout::Portrait, QMarginsF()));
    return p;
}

bool imprimePadrao(const Motor::Documento& documento)
{
    if (!disponivel())
        return false;
    return documento.pintaTudo(preparaImpressora(documento));
}

bool configuraPadrao(QWidget* pai)
{
    QPrintDialog dialogo(&atual(), pai);
    dialogo.setWindowTitle(QStringLiteral("Setup da Impressora"));
    return Modal::exec(&dialogo) == QDialog::Accepted;
}

} // namespace

QPrinter& atual()
{
    static std::unique_ptr<QPrinter> impressora =
        std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *impressora;
}

bool disponivel()
{
    const QPrinter& p = atual();
    return p.outputFormat() == QPrinter::NativeFormat || !p.outputFileName().isEmpty();
}

QString mensagemDeFalha()
{
    if (!disponivel())
        return QStringLiteral("Nenhuma impressora está instalada neste computador.\nInstale uma "
                              "impressora ou escolha \"Tela\" para ver o relatório.");
    return QStringLiteral("Não foi possível imprimir o relatório.");
}

bool imprime(const Motor::Documento& documento)
{
    const FuncaoImpressao f = funcaoImpressao();
    return f ? f(documento) : imprimePadrao(documento);
}

Trabalho::Trabalho()
{
    if (funcaoImpressao())
        m_guardado = std::make_unique<Motor::Documento>();
}

Trabalho::~Trabalho()
{
    if (!m_encerrado)
        cancela();
}

bool Trabalho::pinta(const Motor::Documento& molde, const Motor::Pagina& pagina)
{
    if (m_falhou || m_encerrado)
        return false;
    if (m_guardado) {
        Motor::guardaEm (*m_guardado)(molde, Motor::Pagina(pagina), m_paginas + 1);
    } else {
        if (!m_folhas) {
            if (!disponivel()) {
                m_falhou = true;
                return false;
            }
            m_folhas = std::make_unique<Motor::Folhas>(preparaImpressora(molde));
        }
        if (!m_folhas->pinta(molde, pagina)) {
            m_falhou = true;
            return false;
        }
    }
    ++m_paginas;
    return true;
}

bool Trabalho::termina()
{
    if (m_encerrado)
        return !m_falhou;
    m_encerrado = true;
    if (m_falhou) {
        if (m_folhas)
            atual().abort();
        m_folhas.reset();
        return false;
    }
    if (m_guardado) {
        const FuncaoImpressao f = funcaoImpressao();
        m_falhou = !(f && f(*m_guardado));
        m_guardado.reset();
        return !m_falhou;
    }
    if (!m_folhas) {
        // A report without pages still prints its one sheet, as the whole document would.
        if (!disponivel())
            return !(m_falhou = true);
        Motor::Documento vazio;
        m_falhou = !vazio.pintaTudo(preparaImpressora(vazio));
        return !m_falhou;
    }
    m_falhou = !m_folhas->termina();
    m_folhas.reset();
    return !m_falhou;
}

void Trabalho::cancela()
{
    m_encerrado = true;
    m_guardado.reset();
    if (m_folhas) {
        // The pages painted so far never reach the paper.
        atual().abort();
        m_folhas.reset();
    }
}

bool configura(QWidget* pai)
{
    const FuncaoConfiguracao f = funcaoConfiguracao();
    return f ? f(pai) : configuraPadrao(pai);
}

void instala(FuncaoImpressao impressao, FuncaoConfiguracao configuracao)
{
    funcaoImpressao() = std::move(impressao);
    funcaoConfiguracao() = std::move(configuracao);
}

void restauraPadrao()
{
    instala({}, {});
}

} // namespace Impressora
