#include "qtsurface/painter_surface.h"

#include <QFile>
#include <QGlyphRun>
#include <QPageLayout>
#include <QPageSize>
#include <QStringDecoder>
#include <cmath>
#include <stdexcept>

namespace zav {

QString ReportText(const std::string& bytes) {
    QStringDecoder decoder("windows-1252");
    return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

QFont ReportFont(const FontSpec& spec) {
    QFont font(QString::fromStdString(spec.name));
    const QString lower = font.family().toLower();
    if (lower.contains("courier") || lower.contains("mono"))
        font.setStyleHint(QFont::TypeWriter);
    else
        font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(spec.size > 0 ? spec.size : 10);
    font.setBold(spec.bold);
    font.setItalic(spec.italic);
    font.setUnderline(spec.underline);
    // Measure and draw at the font's own metrics, not snapped to the device's pixel grid.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

PainterSurface::PainterSurface() : spec_{"Arial", 10}, font_(ReportFont(spec_)) {}

void PainterSurface::SetDevice(QPaintDevice* device) {
    device_ = device;
    tables_ = nullptr;
    fonts_.clear();
}

QPainter& PainterSurface::Painter() {
    if (!painter_.isActive()) {
        if (!device_ || !painter_.begin(device_)) throw std::runtime_error("The report cannot be drawn on this device");
        painter_.setRenderHint(QPainter::Antialiasing, true);
        painter_.setRenderHint(QPainter::TextAntialiasing, true);
        painter_.setFont(font_);
        painter_.setPen(QPen(Qt::black, std::max(1.0, PixelsPerInch() / 100)));
    }
    return painter_;
}

void PainterSurface::EndPainting() {
    if (painter_.isActive()) painter_.end();
}

double PainterSurface::PixelsPerInch() const { return device_ ? device_->logicalDpiX() : 96; }

void PainterSurface::SetFont(const FontSpec& font) {
    if (font == spec_) return;
    spec_ = font;
    font_ = ReportFont(spec_);
    tables_ = nullptr;
    if (painter_.isActive()) painter_.setFont(font_);
}

const PainterSurface::FontTables& PainterSurface::Tables() {
    if (tables_) return *tables_;
    const std::string key = spec_.name + "|" + std::to_string(spec_.size) + "|" + (spec_.bold ? "b" : "") +
                            (spec_.italic ? "i" : "") + (spec_.underline ? "u" : "");
    auto [it, added] = fonts_.try_emplace(key);
    FontTables& t = it->second;
    if (added) {
        // The bytes as their Windows-1252 letters; each byte's glyph and advance at the device's size.
        static const QString letters = [] {
            std::string bytes(256, '\0');
            for (int b = 0; b < 256; ++b) bytes[b] = static_cast<char>(b);
            return ReportText(bytes);
        }();
        t.raw = QRawFont::fromFont(font_);
        t.raw.setPixelSize(font_.pointSizeF() * device_->logicalDpiY() / 72.0);
        const QList<quint32> glyphs = t.raw.glyphIndexesForString(letters.size() == 256 ? letters : QString(256, ' '));
        const QList<QPointF> advances = t.raw.advancesForGlyphIndexes(glyphs, QRawFont::UseDesignMetrics);
        for (int b = 0; b < 256 && b < glyphs.size() && b < advances.size(); ++b) {
            t.glyphs[b] = glyphs[b];
            t.advances[b] = advances[b].x();
        }
        t.ascent = t.raw.ascent();
        t.height = t.raw.ascent() + t.raw.descent();
    }
    tables_ = &t;
    return t;
}

double PainterSurface::TextWidth(const std::string& text) {
    const FontTables& t = Tables();
    double width = 0;
    for (const char c : text) width += t.advances[static_cast<unsigned char>(c)];
    return width / PixelsPerInch();
}

double PainterSurface::TextHeight(const std::string&) { return Tables().height / device_->logicalDpiY(); }

void PainterSurface::DrawText(double x, double y, const std::string& text) {
    if (text.empty()) return;
    const FontTables& t = Tables();
    QList<quint32> glyphs;
    QList<QPointF> positions;
    glyphs.reserve(static_cast<qsizetype>(text.size()));
    positions.reserve(static_cast<qsizetype>(text.size()));
    double at = 0;
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        glyphs.push_back(t.glyphs[b]);
        positions.push_back(QPointF(at, 0));
        at += t.advances[b];
    }
    QGlyphRun run;
    run.setRawFont(t.raw);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    run.setUnderline(spec_.underline);
    Painter().drawGlyphRun(QPointF(x * PixelsPerInch(), y * device_->logicalDpiY() + t.ascent), run);
}

void PainterSurface::DrawLine(double x1, double y1, double x2, double y2) {
    const double dx = PixelsPerInch();
    const double dy = device_->logicalDpiY();
    Painter().drawLine(QPointF(x1 * dx, y1 * dy), QPointF(x2 * dx, y2 * dy));
}

void PainterSurface::FillRect(double x, double y, double width, double height) {
    const double dx = PixelsPerInch();
    const double dy = device_->logicalDpiY();
    Painter().fillRect(QRectF(x * dx, y * dy, width * dx, height * dy), Qt::black);
}

PdfSurface::PdfSurface(std::string path) : path_(std::move(path)) {
    writer_ = std::make_unique<QPdfWriter>(QString::fromStdString(path_));
    writer_->setResolution(1200);
    writer_->setCreator("ZavDepot");
    SetDevice(writer_.get());
    SetPageSize(8.5, 11);
}

PdfSurface::~PdfSurface() { EndPainting(); }

void PdfSurface::SetPageSize(double width, double length) {
    const bool landscape = length < width;
    const QPageSize size(QSizeF(landscape ? length : width, landscape ? width : length), QPageSize::Inch);
    writer_->setPageLayout(
        QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
}

void PdfSurface::StartDocument() {
    // A clear error for a file that cannot be written, before the PDF writer starts.
    QFile file(QString::fromStdString(path_));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("Could not write PDF file " + path_ + ": " + file.errorString().toStdString());
    file.close();
    Painter();
}

void PdfSurface::NewSheet() {
    Painter();
    writer_->newPage();
}

void PdfSurface::EndDocument() { EndPainting(); }

ImageSurface::ImageSurface(double dotsPerInch) : dpi_(dotsPerInch) { SetPageSize(8.5, 11); }

ImageSurface::~ImageSurface() { EndPainting(); }

void ImageSurface::SetPageSize(double width, double length) {
    EndPainting();
    image_ = QImage(static_cast<int>(std::lround(width * dpi_)), static_cast<int>(std::lround(length * dpi_)),
                    QImage::Format_RGB32);
    const int dotsPerMeter = static_cast<int>(std::lround(dpi_ / 0.0254));
    image_.setDotsPerMeterX(dotsPerMeter);
    image_.setDotsPerMeterY(dotsPerMeter);
    SetDevice(&image_);
    Clear();
}

void ImageSurface::Clear() {
    EndPainting();
    image_.fill(Qt::white);
}

const QImage& ImageSurface::Image() {
    EndPainting();
    return image_;
}

}  // namespace zav
