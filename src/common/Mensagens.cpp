#include "common/Mensagens.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

namespace {

Mensagens::FuncaoMensagem& funcaoInstalada()
{
    static Mensagens::FuncaoMensagem funcao;
    return funcao;
}

QString tituloDe(TipoMensagem tipo)
{
    switch (tipo) {
    case TipoMensagem::Aviso:
        return QStringLiteral("Aviso");
    case TipoMensagem::Erro:
        return QStringLiteral("Erro");
    case TipoMensagem::Informacao:
        return QStringLiteral("Informação");
    case TipoMensagem::Confirmacao:
        return QStringLiteral("Confirmação");
    case TipoMensagem::Simples:
        break;
    }
    return QGuiApplication::applicationDisplayName();
}

QMessageBox::Icon iconeDe(TipoMensagem tipo)
{
    switch (tipo) {
    case TipoMensagem::Aviso:
        return QMessageBox::Warning;
    case TipoMensagem::Erro:
        return QMessageBox::Critical;
    case TipoMensagem::Informacao:
        return QMessageBox::Information;
    case TipoMensagem::Confirmacao:
        return QMessageBox::Question;
    case TipoMensagem::Simples:
        break;
    }
    return QMessageBox::NoIcon;
}

bool mostraCaixa(TipoMensagem tipo, const QString& texto, QWidget* pai)
{
    // Neither platform re-activates the window under a box when it closes; without this the
    // window would get no more focus events, and its field handlers would stop running.
    const QPointer<QWidget> anterior = QApplication::activeWindow();

    // Heap-allocated and watched: a handler run during the box's event loop may destroy the
    // parent, which takes the box with it.
    const QPointer<QMessageBox> caixa = new QMessageBox(pai ? pai : anterior.data());
    caixa->setIcon(iconeDe(tipo));
    caixa->setWindowTitle(tituloDe(tipo));
    // The texts come from data and the program's own fixed texts; none of them is markup.
    caixa->setTextFormat(Qt::PlainText);
    caixa->setText(texto);

    // Button texts are set here rather than left to a translation that may not be loaded.
    QPushButton* sim = nullptr;
    if (tipo == TipoMensagem::Confirmacao) {
        sim = caixa->addButton(QStringLiteral("Sim"), QMessageBox::YesRole);
        QPushButton* nao = caixa->addButton(QStringLiteral("Não"), QMessageBox::NoRole);
        caixa->setDefaultButton(sim);
        // Escape or closing the box must never count as a yes.
        caixa->setEscapeButton(nao);
    } else {
        QPushButton* ok = caixa->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        caixa->setDefaultButton(ok);
        caixa->setEscapeButton(ok);
    }

    caixa->exec();

    bool resposta = false;
    if (caixa) {
        resposta = sim && caixa->clickedButton() == sim;
        delete caixa.data();
    }
    if (anterior)
        anterior->activateWindow();
    return resposta;
}

bool mostraMensagem(TipoMensagem tipo, const QString& texto, QWidget* pai)
{
    // A copy, so a function that installs another one while it runs does not destroy itself.
    const Mensagens::FuncaoMensagem funcao = funcaoInstalada();
    if (funcao)
        return funcao(tipo, texto, pai);
    return mostraCaixa(tipo, texto, pai);
}

} // namespace

namespace Mensagens {

bool mostra(TipoMensagem tipo, const QString& texto, QWidget* pai)
{
    return mostraMensagem(tipo, texto, pai);
}

void aviso(const QString& texto, QWidget* pai)
{
    mostraMensagem(TipoMensagem::Aviso, texto, pai);
}

void erro(const QString& texto, QWidget* pai)
{
    mostraMensagem(TipoMensagem::Erro, texto, pai);
}

void informacao(const QString& texto, QWidget* pai)
{
    mostraMensagem(TipoMensagem::Informacao, texto, pai);
}

bool confirma(const QString& texto, QWidget* pai)
{
    return mostraMensagem(TipoMensagem::Confirmacao, texto, pai);
}

void simples(const QString& texto, QWidget* pai)
{
    mostraMensagem(TipoMensagem::Simples, texto, pai);
}

void instala(FuncaoMensagem funcao)
{
    funcaoInstalada() = std::move(funcao);
}

void restauraPadrao()
{
    funcaoInstalada() = nullptr;
}

} // namespace Mensagens
