#pragma once
// Lets Qt's accessibility use the program's own interfaces: each factory is installed once,
// however often it is asked for, and before anything asks for the interfaces it makes.

#include <QAccessible>

namespace zivor {

void installiereZugang(QAccessible::InterfaceFactory fabrik);

} // namespace zivor
