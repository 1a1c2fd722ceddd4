#include "support/Numeros.h"

#include "common/Formatos.h"

#include <QString>
#include <QtGlobal>

Decimal d(const char* texto)
{
    const auto valor = Formatos::converte(QString::fromLatin1(texto));
    if (!valor)
        qFatal("not a number: \"%s\"", texto);
    return *valor;
}
