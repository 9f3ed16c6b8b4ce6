#include "reports/report.h"

#include "core/clock.h"
#include "core/frontend.h"
#include "core/identity.h"
#include "zav/zav.h"

namespace zav {

namespace {

constexpr const char* kCrLf = "\r\n";

struct Column {
    double x;
    const char* heading;
    double wrapWidth;
};
constexpr Column kColumns[kReportColumns] = {
    {0, "Transponder", 0},  {1.0, "Tamper", 0},        {1.5, "Reading", 0},
    {2.2, "Previous", 0},   {2.9, "Min", 0},           {3.6, "Max", 0},
    {4.7, "Date/Time", 0},  {5.6, "Account/Meter", 0}, {7.1, "Billing/Address", 1.9},
    {9.4, "Exception", 1.1}};

// Unit block: the texts before the values, the values, the headings.
constexpr int kUnitValue = 2;
constexpr int kReaderValue = 3;

}  // namespace

clsReport::clsReport() : p(*this) {}
clsReport::~clsReport() = default;

bool clsReport::Begin(bool preview, const std::filesystem::path& filename, int filter, const std::string& reportTitle) {
    p.PageSetup(11, 8.5, 0.25, 0.5, 0.2, 0.75, 7.25);
    p.BaseFontName = "Courier New";
    p.BaseFontSize = 8;
    p.BaseFontStyle = kStylePlain;
    p.Company.clear();
    p.SubTitle.clear();
    p.Title = "Reading Report";
    if (const std::string kindTitle = ReportKindTitle(filter); !kindTitle.empty()) p.Title = kindTitle;
    if (!reportTitle.empty()) p.Title = reportTitle;
    filter_ = filter;

    db_ = std::make_unique<clsZAV>();
    if (db_->OpenZAVWithFileVersion(filename)) {
        db_.reset();
        AddLog("Error: Could not read ZAV file");
        return false;
    }
    const bool done = preview ? p.PreviewReport() : p.PrintReport(0, 0, Tray);
    db_.reset();
    return done;
}

void clsReport::BuildRows() {
    const double width = p.PrintWidth();
    titleRow_ = {p.MakeElement(0, 0, std::string(kAppTitle) + kCrLf + "%d", kAlignLeft),
                 p.MakeElement(width / 2, 0, std::string("%t") + kCrLf + "%s", kAlignCenter),
                 p.MakeElement(width - 0.5, 0, std::string("Page %p"), kAlignRight)};

    unitBlock_ = {p.MakeElement(0, 0, std::string("Unit ID:")), p.MakeElement(0, lh_, std::string("Reader:")),
                  p.MakeElement(1.0, 0, std::string(), kAlignLeft, kStyleItalic | kStyleBold),
                  p.MakeElement(1.0, lh_, std::string(), kAlignLeft, kStyleItalic | kStyleBold)};
    unitBlock_[kUnitValue].Literal = unitBlock_[kReaderValue].Literal = true;
    for (int i = 0; i < kReportColumns; ++i)
        unitBlock_.push_back(p.MakeElement(kColumns[i].x, lh_ + 0.4, std::string(kColumns[i].heading), kAlignLeft,
                                           i == 0 ? kStyleBold : 0));

    detailRow_.clear();
    for (const Column& column : kColumns) {
        detailRow_.push_back(p.MakeElement(column.x, 0, std::string(), kAlignLeft, 0, {}, 0, column.wrapWidth));
        detailRow_.back().Literal = true;  // values print exactly as the database holds them
    }

    const double y = p.PageLength() - p.MarginBottom();
    footerRow_ = {p.MakeLine(p.MarginLeft, y, width, 0),
                  p.MakeElement(p.MarginLeft, y, "Printed " + ShortDate(Now()), kAlignLeft),
                  p.MakeElement(p.PageWidth / 2, y, std::string("%c"), kAlignCenter),
                  p.MakeElement(p.PageWidth - p.MarginRight, y, std::string("Page %p"), kAlignRight)};
}

void clsReport::PrintEvent(int eventId, int level, double& sectionHeight) {
    switch (eventId) {
        case kEventReportStart:
            db_->Rewind();
            lh_ = p.LineHeight();
            unit_.clear();
            BuildRows();
            break;
        case kEventPageHeader:
            sectionHeight = p.PrintElements(titleRow_, false) + lh_;
            unitPending_ = true;
            break;
        case kEventPageFooter:
            p.PrintElements(footerRow_, true);
            sectionHeight = 0;
            break;
        case kEventReportEnd:
            titleRow_.clear();
            unitBlock_.clear();
            detailRow_.clear();
            footerRow_.clear();
            break;
        case kEventDetail:
            Detail(sectionHeight);
            break;
        default:
            break;
    }
}

void clsReport::Detail(double& sectionHeight) {
    if (!db_->ReadData()) {
        sectionHeight = -1;
        return;
    }
    const std::int32_t recType = db_->RecType();
    if (recType == kRecHeader) {
        unit_ = ValueText(db_->Item("ResponseText"));
        unitPending_ = true;
        return;
    }
    if (recType != kRecMeter && recType != kRecOrphan) return;
    if (unitPending_) {
        unitPending_ = false;
        unitBlock_[kUnitValue].Value = unit_;
        unitBlock_[kReaderValue].Value = ValueText(db_->Item("Initials"));
        p.AddSectionHeight(lh_ / 2 + p.PrintElements(unitBlock_, false));
    }
    const ReportRow row = MakeReportRow(*db_);
    if ((row.bits & filter_) == 0) {
        sectionHeight = 0;
        return;
    }
    for (int i = 0; i < kReportColumns; ++i) detailRow_[i].Value = row.cells[i];
    sectionHeight = lh_ / 2 + p.PrintElements(detailRow_, false);
}

}  // namespace zav
