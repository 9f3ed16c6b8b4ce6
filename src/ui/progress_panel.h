// The progress display of a running command: a panel that takes the command button's place and size,
// shows the button's caption centred, and a bar that grows from the left as the command reports progress.
// Where the bar has passed, the caption is drawn in the bar's contrasting colour so it stays legible.
#pragma once

#include <QFrame>
#include <QString>

namespace zav {

// The bar's width on a panel of inner width `innerWidth` at `current` of `max`: innerWidth x current /
// max, with `current` held within 0..max; 0 when `max` is not positive.
int ProgressBarWidth(int innerWidth, long max, long current);

class ProgressPanel : public QFrame {
    Q_OBJECT
  public:
    explicit ProgressPanel(QWidget* parent);

    // Starts the display on `caption` with an empty bar.
    void Start(const QString& caption);
    void SetProgress(long max, long current);
    int BarWidth() const { return barWidth_; }
    const QString& Caption() const { return caption_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QString caption_;
    long max_ = 0;
    long current_ = 0;
    int barWidth_ = 0;
};

}  // namespace zav
