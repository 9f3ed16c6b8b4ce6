#include "ui/number_box.h"

#include <QStyle>
#include <QToolTip>

namespace zav {

NumberBox::NumberBox(QWidget* parent, std::int16_t minimum, std::int16_t maximum)
    : QLineEdit(parent), minimum_(minimum), maximum_(maximum) {
    SetValue(0);
    // Wide enough for the longest number of the range, and no wider.
    const QString widest = QString::number(minimum_ < 0 ? minimum_ : maximum_) + "0";
    setMaximumWidth(fontMetrics().horizontalAdvance(widest) + 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth) +
                    12);
    connect(this, &QLineEdit::textEdited, this, &NumberBox::OnEdited);
}

void NumberBox::SetValue(std::int16_t value) {
    value_ = value;
    accepted_ = QString::number(value);
    refusal_.clear();
    setText(accepted_);
}

std::optional<std::int16_t> NumberBox::Parse(const QString& text, std::int16_t minimum, std::int16_t maximum) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return minimum <= 0 && 0 <= maximum ? std::optional<std::int16_t>(0) : std::nullopt;
    qsizetype start = t.startsWith('-') && minimum < 0 ? 1 : 0;
    if (start == t.size() || t.size() - start > 6) return std::nullopt;
    for (qsizetype i = start; i < t.size(); ++i)
        if (t[i] < '0' || t[i] > '9') return std::nullopt;
    const long n = t.toLong();
    if (n < minimum || n > maximum) return std::nullopt;
    return static_cast<std::int16_t>(n);
}

void NumberBox::OnEdited(const QString& text) {
    if (const std::optional<std::int16_t> n = Parse(text, minimum_, maximum_)) {
        value_ = *n;
        accepted_ = text;
        refusal_.clear();
        QToolTip::hideText();
        emit edited(value_);
        return;
    }
    const QString name = accessibleName().isEmpty() ? QStringLiteral("This box") : accessibleName();
    refusal_ = QStringLiteral("%1 takes a whole number from %2 to %3; \"%4\" was not taken.")
                   .arg(name)
                   .arg(minimum_)
                   .arg(maximum_)
                   .arg(text.trimmed());
    const int cursor = std::max(0, cursorPosition() - static_cast<int>(text.size() - accepted_.size()));
    setText(accepted_);
    setCursorPosition(std::min(cursor, static_cast<int>(accepted_.size())));
    QToolTip::showText(mapToGlobal(QPoint(0, height())), refusal_, this);
    emit refused(refusal_);
}

}  // namespace zav
