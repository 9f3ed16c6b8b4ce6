// zavdepot view FILE [--json]
#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/command.h"
#include "core/frontend.h"
#include "zav/zav_json.h"
#include "zav/zav_listing.h"

namespace zav {

namespace {

// Unicode code points of Windows-1252 bytes 0x80..0x9F (0 where the code page has no character).
constexpr char32_t kCp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// A cell as the desktop shows it (Windows-1252), in UTF-8 for the terminal. Control characters and
// bytes the code page leaves undefined become "?" so every row stays one line of tab-separated cells.
std::string DisplayText(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7F)
            out += '?';
        else if (c >= 0x80 && c < 0xA0 && kCp1252High[c - 0x80] == 0)
            out += '?';
        else
            AppendUtf8(out, c >= 0x80 && c < 0xA0 ? kCp1252High[c - 0x80] : c);
    }
    return out;
}

template <typename Cells>
void PrintRow(std::ostream& out, const Cells& cells, bool indent) {
    if (indent) out << '\t';
    for (std::size_t i = 0; i < cells.size(); ++i) out << (i > 0 ? "\t" : "") << DisplayText(cells[i]);
    out << '\n';
}

class ViewCommand final : public Command {
  public:
    std::string Name() const override { return "view"; }
    std::string Description() const override {
        return "Routes and meters of a ZAV database; --json: every record, decoded";
    }

    void Configure(CLI::App& app) override {
        app.add_option("FILE", file_, "Route or readings database (.pdb or VFS stream)")->required();
        app.add_flag("--json", json_, "Print the container, header identity, version and every record as JSON");
    }

    int Run(CliContext& ctx) override {
        if (json_) {
            std::string text;
            if (!ZAVToJson(file_, text)) {
                AddLog("Error: Could not read ZAV file");
                return kExitFailed;
            }
            std::cout << text << '\n';
            return kExitOk;
        }
        ZAVListing listing;
        if (!LoadZAVListing(file_, listing)) return kExitFailed;
        for (std::size_t r = 0; r < listing.routes.size(); ++r) {
            if (r > 0) std::cout << '\n';
            PrintRow(std::cout, ZAVListing::RouteColumns(), false);
            PrintRow(std::cout, listing.routes[r].cells, false);
            PrintRow(std::cout, ZAVListing::MeterColumns(), true);
            for (const auto& meter : listing.Meters(listing.routes[r])) PrintRow(std::cout, meter, true);
        }
        return kExitOk;
    }

  private:
    std::string file_;
    bool json_ = false;
};

}  // namespace

std::unique_ptr<Command> MakeViewCommand() { return std::make_unique<ViewCommand>(); }

}  // namespace zav
