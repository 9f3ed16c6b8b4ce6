#include "ui/program_icon.h"

namespace zav {

QIcon ProgramIcon() { return QIcon(QStringLiteral(":/zavdepot.svg")); }

}  // namespace zav
