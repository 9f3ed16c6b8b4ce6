#include "reports/recording_surface.h"

namespace zav {

void RecordingSurface::StartDocument() {
    ++documentsStarted;
    Clear();
}

void RecordingSurface::Clear() {
    items_.clear();
    sheet_ = 1;
}

double RecordingSurface::TextWidth(const std::string& text) { return text.size() * font_.size * 0.6 / 72; }

double RecordingSurface::TextHeight(const std::string&) { return font_.size * 1.2 / 72; }

void RecordingSurface::DrawText(double x, double y, const std::string& text) {
    items_.push_back({DrawnItem::Text, sheet_, x, y, 0, 0, text, font_});
}

void RecordingSurface::DrawLine(double x1, double y1, double x2, double y2) {
    items_.push_back({DrawnItem::Line, sheet_, x1, y1, x2, y2, {}, font_});
}

void RecordingSurface::FillRect(double x, double y, double width, double height) {
    items_.push_back({DrawnItem::Rect, sheet_, x, y, width, height, {}, font_});
}

std::vector<std::string> RecordingSurface::Texts(int page) const {
    std::vector<std::string> out;
    for (const DrawnItem& item : items_)
        if (item.kind == DrawnItem::Text && (page == 0 || item.page == page)) out.push_back(item.text);
    return out;
}

const DrawnItem* RecordingSurface::FindText(const std::string& text, int page) const {
    for (const DrawnItem& item : items_)
        if (item.kind == DrawnItem::Text && item.text == text && (page == 0 || item.page == page)) return &item;
    return nullptr;
}

}  // namespace zav
