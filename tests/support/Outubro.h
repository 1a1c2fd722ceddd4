#pragma once

// The month the movement query and its export are tried on: long past, so that no row written
// today falls in it, and ending on the 31st, so that the last day of a month is covered.

#include <QDate>

namespace Outubro {

inline const QDate dia1(2004, 10, 1);
inline const QDate dia31(2004, 10, 31);
inline const QDate novembro2(2004, 11, 2);

} // namespace Outubro
