// Zorvane Almoxarifado: the stock-room program.

#include "app/Aplicacao.h"
#include "app/Sinais.h"
#include "common/Convencoes.h"
#include "data/firebird/Servicos.h"

#include <QApplication>

int main(int argc, char** argv)
{
    // The program never reads its terminal, and the database engine it carries must not either.
    Servicos::fechaEntradaPadrao();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zorvane Almoxarifado"));
    QApplication::setApplicationDisplayName(QStringLiteral("Zorvane Almoxarifado"));
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
