#include "ui/frm_preview.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QScrollBar>
#include <QToolBar>
#include <algorithm>

#include "core/frontend.h"

namespace zav {

frmPreview::frmPreview(QWidget* parent) : QDialog(parent) {
    setObjectName("frmPreview");
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    tlbPreview_ = new QToolBar(this);
    tlbPreview_->setObjectName("tlbPreview");
    tlbPreview_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    struct Button {
        const char* key;
        const char* caption;
        QKeySequence shortcut;
    };
    const Button buttons[] = {
        {kPreviewFirst, "First", QKeySequence(Qt::Key_Home)},
        {kPreviewPrev, "Previous", QKeySequence(Qt::Key_PageUp)},
        {kPreviewNext, "Next", QKeySequence(Qt::Key_PageDown)},
        {kPreviewLast, "Last", QKeySequence(Qt::Key_End)},
        {kPreviewPrint, "Print", QKeySequence::Print},
        {kPreviewPdf, "Save as PDF", QKeySequence::Save},
        {kPreviewClose, "Close", QKeySequence(Qt::Key_Escape)},
    };
    for (const Button& b : buttons) {
        if (std::string(b.key) == kPreviewClose) tlbPreview_->addSeparator();
        QAction* action = tlbPreview_->addAction(b.caption);
        action->setObjectName(QString("tbr") + b.key);
        action->setShortcut(b.shortcut);
        action->setToolTip(QString("%1 (%2)").arg(b.caption, b.shortcut.toString(QKeySequence::NativeText)));
        const std::string key = b.key;
        connect(action, &QAction::triggered, this, [this, key] { Command(key); });
        actions_[key] = action;
    }
    fraPage_ = new QFrame(this);
    fraPage_->setObjectName("fraPage");
    fraPage_->setFrameShape(QFrame::NoFrame);
    fraPage_->setAutoFillBackground(true);
    QPalette grey = fraPage_->palette();
    grey.setColor(QPalette::Window, QColor(128, 128, 128));
    fraPage_->setPalette(grey);
    picPage_ = new QLabel(fraPage_);
    picPage_->setObjectName("picPage");
    picPage_->setAccessibleName("Page");
    picPage_->setCursor(Qt::OpenHandCursor);
    picPage_->installEventFilter(this);
    vsbPage_ = new QScrollBar(Qt::Vertical, this);
    vsbPage_->setObjectName("vsbPage");
    vsbPage_->setAccessibleName("Scroll the page up and down");
    hsbPage_ = new QScrollBar(Qt::Horizontal, this);
    hsbPage_->setObjectName("hsbPage");
    hsbPage_->setAccessibleName("Scroll the page left and right");
    vsbPage_->setFocusPolicy(Qt::NoFocus);
    hsbPage_->setFocusPolicy(Qt::NoFocus);
    connect(vsbPage_, &QScrollBar::valueChanged, this, &frmPreview::MovePicture);
    connect(hsbPage_, &QScrollBar::valueChanged, this, &frmPreview::MovePicture);
    setFocusPolicy(Qt::StrongFocus);
    resize(1000, 720);
}

void frmPreview::SetPageSize(double width, double length) {
    page_.SetPageSize(width, length);
    picPage_->resize(page_.Image().size());
    LayOut();
}

void frmPreview::Command(const std::string& key) {
    std::string command = key;
    if (command == kPreviewPrint && !printerAvailable) {
        if (!CurrentFrontend().AskYesNo("Print", "No printer is set up.\r\nSave the report as a PDF file instead?",
                                        true))
            return;
        command = kPreviewPdf;
    }
    command_ = command;
    if (waiting_) setEnabled(false);
}

std::string frmPreview::Display(const std::string& caption) {
    setWindowTitle(QString::fromStdString(caption));
    command_.clear();
    picPage_->setPixmap(QPixmap::fromImage(page_.Image()));
    picPage_->resize(page_.Image().size());
    setEnabled(true);
    setWindowModality(Qt::ApplicationModal);
    if (!isVisible()) show();
    raise();
    activateWindow();
    LayOut();
    waiting_ = true;
    while (command_.empty()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    waiting_ = false;
    // The engine draws the next page while the window waits, disabled and blank.
    setEnabled(false);
    picPage_->clear();
    return command_;
}

void frmPreview::LayOut() {
    if (isMinimized()) return;
    const int top = tlbPreview_->sizeHint().height();
    tlbPreview_->setGeometry(0, 0, width(), top);
    // A bar is needed when the page is larger than the frame; the frame gives up the room of the bars shown.
    const int barW = vsbPage_->sizeHint().width();
    const int barH = hsbPage_->sizeHint().height();
    const QSize page = picPage_->size();
    const int areaW = width();
    const int areaH = std::max(0, height() - top);
    bool needV = page.height() > areaH;
    bool needH = page.width() > areaW - (needV ? barW : 0);
    needV = page.height() > areaH - (needH ? barH : 0);
    const QSize frame(std::max(0, areaW - (needV ? barW : 0)), std::max(0, areaH - (needH ? barH : 0)));
    fraPage_->setGeometry(0, top, frame.width(), frame.height());
    vsbPage_->setGeometry(frame.width(), top, barW, frame.height());
    hsbPage_->setGeometry(0, top + frame.height(), frame.width(), barH);
    // Bar units are a hundredth of a pixel; a bar whose maximum would be negative is hidden.
    auto setUp = [](QScrollBar* sb, int picture, int frameSize) {
        const int max = (picture - frameSize) * 100;
        if (max <= 0) {
            sb->setMaximum(0);
            sb->setValue(0);
            sb->hide();
            return;
        }
        sb->setMaximum(max);
        sb->setPageStep(frameSize * 100);
        sb->setSingleStep(frameSize * 10);
        sb->show();
    };
    setUp(vsbPage_, page.height(), frame.height());
    setUp(hsbPage_, page.width(), frame.width());
    MovePicture();
}

void frmPreview::MovePicture() { picPage_->move(-hsbPage_->value() / 100, -vsbPage_->value() / 100); }

void frmPreview::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    LayOut();
}

void frmPreview::keyPressEvent(QKeyEvent* event) {
    QScrollBar* bar = nullptr;
    int direction = 0;
    switch (event->key()) {
        case Qt::Key_Up:
            bar = vsbPage_, direction = -1;
            break;
        case Qt::Key_Down:
            bar = vsbPage_, direction = 1;
            break;
        case Qt::Key_Left:
            bar = hsbPage_, direction = -1;
            break;
        case Qt::Key_Right:
            bar = hsbPage_, direction = 1;
            break;
        default:
            QDialog::keyPressEvent(event);
            return;
    }
    const int step = event->modifiers() & Qt::ControlModifier ? bar->maximum()
                     : event->modifiers() & Qt::ShiftModifier ? bar->pageStep()
                                                              : bar->singleStep();
    bar->setValue(std::clamp(bar->value() + direction * step, 0, bar->maximum()));
}

bool frmPreview::eventFilter(QObject* watched, QEvent* event) {
    if (watched == picPage_) {
        if (event->type() == QEvent::MouseButtonPress) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton) {
                dragging_ = true;
                dragFrom_ = mouse->globalPosition().toPoint();
                picPage_->setCursor(Qt::ClosedHandCursor);
                return true;
            }
        } else if (event->type() == QEvent::MouseMove && dragging_) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const QPoint now = mouse->globalPosition().toPoint();
            const QPoint moved = now - dragFrom_;
            dragFrom_ = now;
            // The page follows the mouse.
            hsbPage_->setValue(std::clamp(hsbPage_->value() - moved.x() * 100, 0, hsbPage_->maximum()));
            vsbPage_->setValue(std::clamp(vsbPage_->value() - moved.y() * 100, 0, vsbPage_->maximum()));
            return true;
        } else if (event->type() == QEvent::MouseButtonRelease && dragging_) {
            dragging_ = false;
            picPage_->setCursor(Qt::OpenHandCursor);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmPreview::reject() { Command(kPreviewClose); }

void frmPreview::closeEvent(QCloseEvent* event) {
    if (waiting_) {
        command_ = kPreviewClose;
        event->ignore();  // the engine ends the preview; its owner closes the window
        return;
    }
    QDialog::closeEvent(event);
}

}  // namespace zav
