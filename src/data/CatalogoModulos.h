#pragma once

#include <QList>
#include <QString>

// The modules a user may be allowed or refused: the menu groups, the menu items and the
// buttons of the register lists, each known by a dotted code. A new user gets one permission
// row per module, in this order, all allowed; the permissions window shows them by code.
//
// The rows of users already in the stock room's databases were written with each code padded
// with blanks to 13 characters and each description to 50 (49 from "1.5.1" on); the widths are
// kept with each module so new users get rows written the same way.
struct ModuloPermissao {
    const char* codigo;
    const char* descricao; // UTF-8
    int larguraCodigo;
    int larguraDescricao;

    // The code and the description as the insert writes them: padded to their widths.
    QString codigoGravado() const;
    QString descricaoGravada() const;
};

namespace CatalogoModulos {

// Every module, in the order the rows are inserted for a new user.
const QList<ModuloPermissao>& modulos();

} // namespace CatalogoModulos
