// Surfaces drawn with QPainter (Qt Gui only, so the command line's PDF module needs no display and no
// widgets): the common drawing and font measurement over any paint device, the PDF file, and the page
// image of the preview window. Texts arrive as Windows-1252 bytes. Device failures throw
// std::runtime_error with a description for the user.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QRawFont>
#include <array>
#include <map>
#include <memory>
#include <string>

#include "reports/surface.h"

namespace zav {

class PainterSurface : public Surface {
  public:
    void SetFont(const FontSpec& font) override;
    const FontSpec& Font() const override { return spec_; }
    double TextWidth(const std::string& text) override;
    double TextHeight(const std::string& text) override;
    void DrawText(double x, double y, const std::string& text) override;
    void DrawLine(double x1, double y1, double x2, double y2) override;
    void FillRect(double x, double y, double width, double height) override;
    double PixelsPerInch() const override;

  protected:
    PainterSurface();
    // The device drawn on (set by the derived surface before anything is drawn or measured).
    void SetDevice(QPaintDevice* device);
    // The painter, started on the device when it is not active. THROWS std::runtime_error when the device
    // cannot be painted on.
    QPainter& Painter();
    void EndPainting();
    bool Painting() const { return painter_.isActive(); }

  private:
    // One font at the device's resolution: its glyph and advance (device pixels) for each of the 256 byte
    // values, so a text is measured and drawn without shaping it again (the reports' texts are one byte per
    // letter, left to right, without kerning).
    struct FontTables {
        QRawFont raw;
        std::array<quint32, 256> glyphs{};
        std::array<double, 256> advances{};
        double ascent = 0;
        double height = 0;
    };
    const FontTables& Tables();

    QPaintDevice* device_ = nullptr;
    QPainter painter_;
    FontSpec spec_;
    QFont font_;
    const FontTables* tables_ = nullptr;
    std::map<std::string, FontTables> fonts_;  // by font and style, for this device
};

// The Qt font for a report font: the family by name (fontconfig substitutes metric-compatible fonts), a
// fixed-pitch fallback for the typewriter families.
QFont ReportFont(const FontSpec& spec);
// Windows-1252 bytes as Qt text.
QString ReportText(const std::string& bytes);

// A PDF file of the report: one PDF page per sheet, 1200 dots per inch. The file is created when the
// document starts and complete when it ends.
class PdfSurface final : public PainterSurface {
  public:
    explicit PdfSurface(std::string path);
    ~PdfSurface() override;

    void SetPageSize(double width, double length) override;
    bool SetPaperBin(int) override { return false; }
    void StartDocument() override;
    void NewSheet() override;
    void EndDocument() override;

  private:
    std::string path_;
    std::unique_ptr<QPdfWriter> writer_;
};

// The preview window's page: a white image of the page at `dotsPerInch`.
class ImageSurface final : public PainterSurface {
  public:
    explicit ImageSurface(double dotsPerInch = 96);
    ~ImageSurface() override;

    bool IsPicture() const override { return true; }
    // The page becomes `width` x `length` inches, blank.
    void SetPageSize(double width, double length) override;
    void Clear() override;
    // The page as drawn so far.
    const QImage& Image();

  private:
    double dpi_;
    QImage image_;
};

}  // namespace zav
