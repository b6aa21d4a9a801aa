#pragma once
// The window icon: the program's symbol at the sizes a window asks for.

#include <QIcon>

namespace zivor {

QIcon fenstersymbol();

} // namespace zivor
