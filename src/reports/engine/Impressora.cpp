#include "reports/engine/Impressora.h"

#include "common/Modal.h"
#include "reports/engine/Documento.h"

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

bool imprimePadrao(const Motor::Documento& documento)
{
    if (!disponivel())
        return false;
    QPrinter& p = atual();
    p.setCopyCount(1);
    p.setPrintRange(QPrinter::AllPages);
    p.setDocName(documento.titulo);
    // The layout places every text on the paper itself; the printer adds no margins.
    p.setFullPage(true);
    p.setPageLayout(QPageLayout(
        QPageSize(QSizeF(documento.larguraMm, documento.alturaMm), QPageSize::Millimeter),
        QPageLayout::Portrait, QMarginsF()));
    return documento.pintaTudo(p);
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
