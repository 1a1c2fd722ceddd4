// Zorvane Almoxarifado: the stock-room program.

#include "app/Aplicacao.h"
#include "app/Sinais.h"
#include "common/Convencoes.h"
#include "data/firebird/PastaDeTravas.h"
#include "data/firebird/Servicos.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    // The program never reads its terminal, and the database engine it carries must not either.
    Servicos::fechaEntradaPadrao();
    // Before the engine is loaded: a user outside the database server's group still opens a
    // database in a local folder.
    PastaDeTravas::prepara();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zorvane Almoxarifado"));
    QApplication::setApplicationDisplayName(QStringLiteral("Zorvane Almoxarifado"));
    // The installed icon of the desktop's theme, as the menu entry shows it; the desktop file's
    // name lets the desktop match the open windows to that entry.
    QApplication::setDesktopFileName(QStringLiteral("zorvane-almoxarifado"));
    QIcon proprio;
    proprio.addFile(QStringLiteral(":/icones/zorvane-almoxarifado-48.png"));
    proprio.addFile(QStringLiteral(":/icones/zorvane-almoxarifado-256.png"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("zorvane-almoxarifado"), proprio));
    Convencoes::instalaLocalizacao(&app);

    Aplicacao aplicacao;
    // Logout, shutdown or `kill` end the program as "Saída" does, closing the database.
    Sinais sinais(Sinais::encerra(aplicacao));
    if (!aplicacao.inicia())
        // Told to end during the start is an end asked for, not a failure.
        return sinais.recebido() ? 0 : 1;
    // The engine took the signals for itself when the connection opened.
    sinais.instala();
    aplicacao.mostraPrincipal();
    return QApplication::exec();
}
