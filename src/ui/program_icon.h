// The program's icon (the same picture the desktop entry shows), for window icons and the splash.
#pragma once

#include <QIcon>

namespace zav {

QIcon ProgramIcon();

}  // namespace zav
