// The main window's resize rules. The command buttons keep their designed places in a column at the
// left; the run log takes the rest of the window, with the margin above it kept at its right and bottom.
#pragma once

#include <QRect>
#include <QSize>

namespace zav {

// The smallest inner size: twice the run log's left edge wide (the log is never narrower than the
// command column), and down to the lowest command ("Install to Unit(s)") plus half its height again.
QSize MainMinimumSize(int logLeft, const QRect& lowestCommand);

// The run log's place in an inner area of `inner`: from (logLeft, logTop), as wide as the area less
// its left edge and one top margin, as high as the area less two top margins.
QRect MainLogGeometry(const QSize& inner, int logLeft, int logTop);

}  // namespace zav
