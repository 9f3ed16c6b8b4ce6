#include "ui/progress_panel.h"

#include <QPainter>
#include <algorithm>

namespace zav {

int ProgressBarWidth(int innerWidth, long max, long current) {
    if (max <= 0 || innerWidth <= 0) return 0;
    const long long held = std::clamp<long long>(current, 0, max);
    return static_cast<int>(static_cast<long long>(innerWidth) * held / max);
}

ProgressPanel::ProgressPanel(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setAutoFillBackground(true);
    hide();
}

void ProgressPanel::Start(const QString& caption) {
    caption_ = caption;
    max_ = 0;
    current_ = 0;
    barWidth_ = 0;
    update();
}

void ProgressPanel::SetProgress(long max, long current) {
    max_ = max;
    current_ = current;
    barWidth_ = ProgressBarWidth(contentsRect().width(), max_, current_);
    update();
}

void ProgressPanel::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    barWidth_ = ProgressBarWidth(contentsRect().width(), max_, current_);
}

void ProgressPanel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect inner = contentsRect();
    // The caption on the panel, then the bar with the caption again in the bar's text colour, clipped
    // to the bar, so both captions line up exactly.
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(inner, Qt::AlignCenter, caption_);
    if (barWidth_ <= 0) return;
    const QRect bar(inner.left(), inner.top(), barWidth_, inner.height());
    painter.fillRect(bar, palette().color(QPalette::Highlight));
    painter.setClipRect(bar);
    painter.setPen(palette().color(QPalette::HighlightedText));
    painter.drawText(inner, Qt::AlignCenter, caption_);
}

}  // namespace zav
