// The drawing surface a report is drawn on: a printer, a PDF file, the preview window's page picture,
// or a recording of the drawing calls (tests). Lengths are inches from the page's top-left corner;
// texts are byte strings (Windows-1252 letters) without line breaks.
#pragma once

#include <string>

namespace zav {

struct FontSpec {
    std::string name;
    double size = 10;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const FontSpec&) const = default;
};

class Surface {
  public:
    virtual ~Surface() = default;

    // True for a picture surface (the preview page): one page, no document to start or end.
    virtual bool IsPicture() const { return false; }

    // Document control of printer-like surfaces: the page size (portrait when the length is at least the
    // width, landscape otherwise), the paper bin (false when the device has no such bin), the first sheet,
    // each further sheet and the end of the document. THROW RuntimeError when the device fails.
    virtual void SetPageSize(double width, double length) {}
    virtual bool SetPaperBin(int tray) { return false; }
    virtual void StartDocument() {}
    virtual void NewSheet() {}
    virtual void EndDocument() {}
    // Clears a picture surface to a blank page.
    virtual void Clear() {}

    // Text: the font used by the next measurement and drawing; the width and height of a line of text.
    virtual void SetFont(const FontSpec& font) = 0;
    virtual const FontSpec& Font() const = 0;
    virtual double TextWidth(const std::string& text) = 0;
    virtual double TextHeight(const std::string& text) = 0;
    // Draws one line of text with its top-left corner at (x, y).
    virtual void DrawText(double x, double y, const std::string& text) = 0;

    virtual void DrawLine(double x1, double y1, double x2, double y2) = 0;
    // A filled black rectangle.
    virtual void FillRect(double x, double y, double width, double height) = 0;
    // Device pixels per inch (barcodes lay out their bars in whole pixels).
    virtual double PixelsPerInch() const = 0;
};

}  // namespace zav
