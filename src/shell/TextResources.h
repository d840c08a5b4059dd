#pragma once

#include <QString>

namespace kelvane {

// The numbered UI string with this id. Every caller passes a fixed id of the table; an id that is
// not in it is a fault of the build and stops the program.
QString LoadResString(int id);

}  // namespace kelvane
