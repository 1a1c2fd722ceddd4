#pragma once

// What the windows say that several test files check, written once so that a reworded message
// is changed in one place.

#include <QString>

namespace Textos {

inline const QString produtoNaoEncontrado = QStringLiteral("Produto não Encontrado !");

} // namespace Textos
