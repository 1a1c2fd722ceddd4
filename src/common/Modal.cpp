#include "common/Modal.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>

namespace {

Modal::FuncaoModal& funcaoModal()
{
    static Modal::FuncaoModal funcao;
    return funcao;
}

Modal::FuncaoEscolha& funcaoEscolha()
{
    static Modal::FuncaoEscolha funcao;
    return funcao;
}

// Neither platform re-activates the window underneath when a modal window closes; until
// something does, that window gets no focus events and its field handlers stop running.
void reativa(const QPointer<QWidget>& anterior)
{
    if (anterior)
        anterior->activateWindow();
}

int execPadrao(QDialog* janela)
{
    const QPointer<QWidget> anterior = QApplication::activeWindow();
    const int resultado = janela->exec();
    reativa(anterior);
    return resultado;
}

// A chooser with a default extension: the static choosers cannot add one.
QString escolhaComSufixo(const Modal::PedidoEscolha& pedido)
{
    const bool salvar = pedido.tipo == Modal::TipoEscolha::SalvarArquivo;
    const QFileInfo inicial(pedido.inicial);
    QFileDialog d(pedido.pai, pedido.titulo,
                  inicial.isDir() ? inicial.absoluteFilePath() : inicial.absolutePath(),
                  pedido.filtro);
    d.setAcceptMode(salvar ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    d.setFileMode(salvar ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    d.setDefaultSuffix(pedido.sufixo);
    if (!inicial.isDir())
        d.selectFile(inicial.fileName());
    if (d.exec() != QDialog::Accepted)
        return {};
    return d.selectedFiles().value(0);
}

QString escolhaPadrao(const Modal::PedidoEscolha& pedido)
{
    const QPointer<QWidget> anterior = QApplication::activeWindow();
    QString caminho;
    if (!pedido.sufixo.isEmpty() && pedido.tipo != Modal::TipoEscolha::Pasta) {
        caminho = escolhaComSufixo(pedido);
        reativa(anterior);
        return caminho;
    }
    switch (pedido.tipo) {
    case Modal::TipoEscolha::Pasta:
        caminho = QFileDialog::getExistingDirectory(pedido.pai, pedido.titulo, pedido.inicial);
        break;
    case Modal::TipoEscolha::AbrirArquivo:
        caminho =
            QFileDialog::getOpenFileName(pedido.pai, pedido.titulo, pedido.inicial, pedido.filtro);
        break;
    case Modal::TipoEscolha::SalvarArquivo:
        caminho =
            QFileDialog::getSaveFileName(pedido.pai, pedido.titulo, pedido.inicial, pedido.filtro);
        break;
    }
    reativa(anterior);
    return caminho;
}

QString escolhe(const Modal::PedidoEscolha& pedido)
{
    // A copy, so a function that installs another one while it runs does not destroy itself.
    const Modal::FuncaoEscolha funcao = funcaoEscolha();
    QString caminho = funcao ? funcao(pedido) : escolhaPadrao(pedido);
    // Whoever answered, a name without extension gets the chooser's own.
    if (!caminho.isEmpty() && !pedido.sufixo.isEmpty() && pedido.tipo != Modal::TipoEscolha::Pasta &&
        QFileInfo(caminho).suffix().isEmpty())
        caminho += QLatin1Char('.') + pedido.sufixo;
    return caminho;
}

} // namespace

namespace Modal {

int exec(QDialog* janela)
{
    if (!janela)
        return QDialog::Rejected;
    const FuncaoModal funcao = funcaoModal();
    return funcao ? funcao(janela) : execPadrao(janela);
}

void instala(FuncaoModal funcao)
{
    funcaoModal() = std::move(funcao);
}

void restauraPadrao()
{
    funcaoModal() = nullptr;
}

QString escolhePasta(QWidget* pai, const QString& titulo, const QString& inicial)
{
    return escolhe({TipoEscolha::Pasta, pai, titulo, inicial, {}, {}});
}

QString escolheArquivo(QWidget* pai, const QString& titulo, const QString& inicial,
                       const QString& filtro, bool salvar)
{
    return escolhe({salvar ? TipoEscolha::SalvarArquivo : TipoEscolha::AbrirArquivo, pai, titulo,
                    inicial, filtro, {}});
}

QString escolheArquivo(QWidget* pai, const QString& titulo, const QString& inicial,
                       const QString& filtro, bool salvar, const QString& sufixo)
{
    return escolhe({salvar ? TipoEscolha::SalvarArquivo : TipoEscolha::AbrirArquivo, pai, titulo,
                    inicial, filtro, sufixo});
}

void instalaEscolha(FuncaoEscolha funcao)
{
    funcaoEscolha() = std::move(funcao);
}

void restauraEscolhaPadrao()
{
    funcaoEscolha() = nullptr;
}

} // namespace Modal
