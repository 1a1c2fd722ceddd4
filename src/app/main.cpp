// Zorvane Almoxarifado: the stock-room program.

#include "app/Aplicacao.h"
#include "common/Convencoes.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zorvane Almoxarifado"));
    QApplication::setApplicationDisplayName(QStringLiteral("Zorvane Almoxarifado"));
    Convencoes::instalaLocalizacao(&app);

    Aplicacao aplicacao;
    if (!aplicacao.inicia())
        return 1;
    aplicacao.mostraPrincipal();
    return QApplication::exec();
}
