#include "ui/main_layout.h"

#include <algorithm>

namespace zav {

QSize MainMinimumSize(int logLeft, const QRect& lowestCommand) {
    return {2 * logLeft, lowestCommand.top() + (3 * lowestCommand.height() + 1) / 2};
}

QRect MainLogGeometry(const QSize& inner, int logLeft, int logTop) {
    return {logLeft, logTop, std::max(0, inner.width() - logLeft - logTop), std::max(0, inner.height() - 2 * logTop)};
}

}  // namespace zav
