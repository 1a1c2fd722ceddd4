#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class QDialog;

// Every modal window and file chooser of the program opens through here. Tests replace the
// functions with a driver that shows the window, acts in it and closes it without a blocking
// exec().
namespace Modal {

// Opens the window modally and returns its result code.
using FuncaoModal = std::function<int(QDialog* janela)>;

int exec(QDialog* janela);

// An empty function is the same as restauraPadrao().
void instala(FuncaoModal funcao);
void restauraPadrao();

enum class TipoEscolha { Pasta, AbrirArquivo, SalvarArquivo };

struct PedidoEscolha {
    TipoEscolha tipo = TipoEscolha::Pasta;
    QPointer<QWidget> pai;
    QString titulo;
    QString inicial;
    QString filtro;
    // The extension a chosen file name without one receives, as the chooser adds it.
    QString sufixo;
};

// Returns the chosen path, or an empty text when the user cancelled.
using FuncaoEscolha = std::function<QString(const PedidoEscolha& pedido)>;

QString escolhePasta(QWidget* pai, const QString& titulo, const QString& inicial);
QString escolheArquivo(QWidget* pai, const QString& titulo, const QString& inicial,
                       const QString& filtro, bool salvar);

// A file chooser that gives a name typed without extension the extension `sufixo` (no dot).
// `inicial` may be a folder, a file in a folder, or a bare name in the working folder.
QString escolheArquivo(QWidget* pai, const QString& titulo, const QString& inicial,
                       const QString& filtro, bool salvar, const QString& sufixo);

// An empty function is the same as restauraEscolhaPadrao().
void instalaEscolha(FuncaoEscolha funcao);
void restauraEscolhaPadrao();

} // namespace Modal
