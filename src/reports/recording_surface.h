// A surface that records what is drawn on it, page by page, with fixed font metrics: each character is
// 0.6 of the font size wide and a line is 1.2 of it high (a monospaced font). Tests compare what a report
// draws with it; the benchmarks and fuzz targets lay reports out on it without a display.
#pragma once

#include <string>
#include <vector>

#include "reports/surface.h"

namespace zav {

struct DrawnItem {
    enum Kind { Text, Line, Rect } kind = Text;
    int page = 1;  // the sheet it is on, from 1
    double x = 0, y = 0;
    double x2 = 0, y2 = 0;  // line: the end point; rectangle: width and height
    std::string text;
    FontSpec font;
};

class RecordingSurface : public Surface {
  public:
    // `picture`: a picture surface (the preview page) instead of a printer-like one.
    explicit RecordingSurface(bool picture = false, double pixelsPerInch = 100)
        : picture_(picture), ppi_(pixelsPerInch) {}

    bool IsPicture() const override { return picture_; }
    void SetPageSize(double width, double length) override {
        pageWidth = width;
        pageLength = length;
    }
    bool SetPaperBin(int tray) override {
        paperBin = tray;
        return true;
    }
    void StartDocument() override;
    void NewSheet() override { ++sheet_; }
    void EndDocument() override { ++documentsEnded; }
    void Clear() override;

    void SetFont(const FontSpec& font) override { font_ = font; }
    const FontSpec& Font() const override { return font_; }
    double TextWidth(const std::string& text) override;
    double TextHeight(const std::string& text) override;
    void DrawText(double x, double y, const std::string& text) override;
    void DrawLine(double x1, double y1, double x2, double y2) override;
    void FillRect(double x, double y, double width, double height) override;
    double PixelsPerInch() const override { return ppi_; }

    // What was drawn since the document started (or the picture was cleared).
    const std::vector<DrawnItem>& Items() const { return items_; }
    // The texts drawn on `page`, in drawing order.
    std::vector<std::string> Texts(int page) const;
    // The first text item equal to `text` (nullptr when there is none).
    const DrawnItem* FindText(const std::string& text, int page = 0) const;
    int Sheets() const { return sheet_; }

    double pageWidth = 0;
    double pageLength = 0;
    int paperBin = -1;
    int documentsStarted = 0;
    int documentsEnded = 0;

  private:
    bool picture_;
    double ppi_;
    FontSpec font_{"", 10};
    int sheet_ = 1;
    std::vector<DrawnItem> items_;
};

}  // namespace zav
