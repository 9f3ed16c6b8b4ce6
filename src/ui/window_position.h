// Window positions remembered from one run to the next in the per-user settings store (organisation
// "Halvary, Inc.", application "Marquand"), one group per window named after it ("frmMain"):
// "Top", "Left" (the frame's position), "Height", "Width" (the inner size), in twips (15 per logical
// pixel), and "WindowState" ("0" normal, "2" maximized).
#pragma once

#include <QString>

class QWidget;

namespace zav {

inline constexpr int kTwipsPerPixel = 15;

// Applies the stored position to `window` (before it is shown): a stored state "2" maximizes it; "0"
// applies each usable coordinate ("Top" and "Left" at least 0, "Width" and "Height" at least 200
// twips); anything else (missing, minimized) leaves the window as designed.
void RestoreWindowPosition(QWidget& window, const QString& name);

// Stores the position of `window` (as it closes): maximized stores "WindowState" "2" only, so the
// normal coordinates keep their old values; normal stores all five; minimized stores nothing.
void SaveWindowPosition(const QWidget& window, const QString& name);

}  // namespace zav
