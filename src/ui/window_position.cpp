#include "ui/window_position.h"

#include <QSettings>
#include <QWidget>

#include "core/identity.h"

namespace zav {

namespace {

QSettings UserSettings() { return QSettings(kCompanyName, kAppTitle); }

// A stored whole number, or -1 when it is missing or not a number.
int StoredNumber(const QSettings& settings, const QString& key) {
    bool ok = false;
    const int value = settings.value(key).toString().trimmed().toInt(&ok);
    return ok ? value : -1;
}

}  // namespace

void RestoreWindowPosition(QWidget& window, const QString& name) {
    QSettings settings = UserSettings();
    settings.beginGroup(name);
    const int state = StoredNumber(settings, "WindowState");
    if (state == 2) {
        window.setWindowState(Qt::WindowMaximized);
        return;
    }
    if (state != 0) return;
    window.setWindowState(Qt::WindowNoState);
    const int top = StoredNumber(settings, "Top");
    const int left = StoredNumber(settings, "Left");
    const int width = StoredNumber(settings, "Width");
    const int height = StoredNumber(settings, "Height");
    QPoint position = window.pos();
    if (left >= 0) position.setX(left / kTwipsPerPixel);
    if (top >= 0) position.setY(top / kTwipsPerPixel);
    window.move(position);
    QSize size = window.size();
    if (width >= 200) size.setWidth(width / kTwipsPerPixel);
    if (height >= 200) size.setHeight(height / kTwipsPerPixel);
    window.resize(size);
}

void SaveWindowPosition(const QWidget& window, const QString& name) {
    if (window.isMinimized()) return;
    QSettings settings = UserSettings();
    settings.beginGroup(name);
    if (window.isMaximized()) {
        settings.setValue("WindowState", "2");
        return;
    }
    settings.setValue("Top", QString::number(window.y() * kTwipsPerPixel));
    settings.setValue("Left", QString::number(window.x() * kTwipsPerPixel));
    settings.setValue("Height", QString::number(window.height() * kTwipsPerPixel));
    settings.setValue("Width", QString::number(window.width() * kTwipsPerPixel));
    settings.setValue("WindowState", "0");
}

}  // namespace zav
