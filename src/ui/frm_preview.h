// frmPreview: the report preview. A toolbar (First, Previous, Next, Last, Print, Save as PDF, Close) over a
// frame that holds the page picture, with scroll bars at its right and bottom edge. The arrow keys scroll
// (with Shift by a frame, with Ctrl to the end) and the page can be dragged with the left mouse button.
// Display shows the page the engine has drawn and waits for a toolbar command; while the engine draws the
// next page the window stays up, disabled.
#pragma once

#include <QDialog>
#include <QPoint>
#include <map>
#include <string>

#include "qtsurface/painter_surface.h"
#include "reports/rpt_engine.h"

class QAction;
class QFrame;
class QLabel;
class QScrollBar;
class QToolBar;

namespace zav {

class frmPreview final : public QDialog, public PreviewWindow {
    Q_OBJECT
  public:
    explicit frmPreview(QWidget* parent = nullptr);

    Surface& PagePicture() override { return page_; }
    void SetPageSize(double width, double length) override;
    // Sets the caption, shows the page and waits for a command: "FIRST", "PREV", "NEXT", "LAST", "PRINT",
    // "PDF" or "CLOSE" (closing the window).
    std::string Display(const std::string& caption) override;

    // Without a printer, "Print" says so and offers the PDF instead.
    bool printerAvailable = true;

    QAction* Action(const std::string& key) const { return actions_.at(key); }
    QToolBar* ToolBar() const { return tlbPreview_; }
    QScrollBar* VScroll() const { return vsbPage_; }
    QScrollBar* HScroll() const { return hsbPage_; }
    QLabel* Picture() const { return picPage_; }
    QFrame* Frame() const { return fraPage_; }
    // Stores a command as a toolbar button does.
    void Command(const std::string& key);

  public slots:
    // Escape and the window's close box: "CLOSE".
    void reject() override;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void LayOut();
    void MovePicture();

    ImageSurface page_;
    QToolBar* tlbPreview_;
    QFrame* fraPage_;
    QLabel* picPage_;
    QScrollBar* vsbPage_;
    QScrollBar* hsbPage_;
    std::map<std::string, QAction*> actions_;
    std::string command_;
    bool waiting_ = false;
    QPoint dragFrom_;
    bool dragging_ = false;
};

}  // namespace zav
