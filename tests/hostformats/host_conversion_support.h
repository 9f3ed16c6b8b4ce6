// A test office for the host-format conversions: an exchange object in a temporary home folder with the
// host converters registered, a scripted frontend, a fixed clock, download files written record by record
// with the download layouts, and the records of a database read back.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "advanced/advanced.h"
#include "core/clock.h"
#include "core/file_io.h"
#include "core/values.h"
#include "exchange/exchange.h"
#include "exchange/host_converters.h"
#include "exchange/prompts.h"
#include "exchange/user_fields.h"
#include "hostformats/host_file.h"
#include "hostformats/host_formats.h"
#include "support/fake_frontend.h"
#include "support/temp_dir.h"
#include "zav/zav.h"

namespace zav::test {

using Lines = std::vector<std::string>;
using HostFields = std::initializer_list<std::pair<const char*, Value>>;

// A download file written record by record.
class DownloadFile {
  public:
    DownloadFile(const std::vector<HostRecordLayout>& layouts, int padTo) : layouts_(&layouts), padTo_(padTo) {}
    DownloadFile& Add(std::string_view id, HostFields fields = {}) {
        records_.emplace_back(std::string(id), std::vector<std::pair<std::string, Value>>());
        for (const auto& [name, value] : fields) records_.back().second.emplace_back(name, value);
        return *this;
    }
    // A line as it stands (of no known record type, for instance).
    DownloadFile& Raw(std::string line) {
        records_.emplace_back("", std::vector<std::pair<std::string, Value>>{{"", std::move(line)}});
        return *this;
    }
    void Write(const std::filesystem::path& path) const {
        HostFileWriter writer(*layouts_, padTo_);
        std::string bytes;
        for (const auto& [id, fields] : records_) {
            if (id.empty()) {
                bytes += ValueText(fields.front().second) + "\r\n";
                continue;
            }
            clsRecType* rec = writer.SetupRecord(id);
            if (rec == nullptr) throw std::runtime_error("no record type " + id);
            for (const auto& [name, value] : fields) rec->Value(name, value);
            rec->Value("RecID", rec->RIValue);
            bytes += rec->Buffer(padTo_) + "\r\n";
        }
        WriteFileBytes(path, bytes);
    }

  private:
    const std::vector<HostRecordLayout>* layouts_;
    int padTo_;
    std::vector<std::pair<std::string, std::vector<std::pair<std::string, Value>>>> records_;
};

inline DownloadFile MVRSFile() { return DownloadFile(MVRSDownloadLayouts(), 0); }
inline DownloadFile E5KFile() { return DownloadFile(E5KDownloadLayouts(), 80); }

// One record of a database.
struct DbRecord {
    std::int32_t recType;
    Values values;
    double Num(const char* field) const { return ValueNumber(values.Item(field)); }
    std::string Text(const char* field) const { return ValueText(values.Item(field)); }
    std::vector<std::string> User(int n) const { return ExtractUser(Text(("User" + std::to_string(n)).c_str())); }
};

inline std::vector<DbRecord> ReadDatabase(const std::filesystem::path& file) {
    std::vector<DbRecord> out;
    clsZAV db;
    EXPECT_FALSE(db.OpenZAVWithFileVersion(file)) << file;
    while (db.ReadData()) out.push_back({db.RecType(), db.GetValues()});
    return out;
}

inline std::vector<DbRecord> OfType(const std::vector<DbRecord>& records, std::int32_t type) {
    std::vector<DbRecord> out;
    for (const auto& r : records)
        if (r.recType == type) out.push_back(r);
    return out;
}

// 15 March 2026, 09:30:15 local time.
inline std::time_t FixedTime() {
    std::tm t{};
    t.tm_year = 126;
    t.tm_mon = 2;
    t.tm_mday = 15;
    t.tm_hour = 9;
    t.tm_min = 30;
    t.tm_sec = 15;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

// The lines of a file that ends every line with CR LF.
inline Lines FileLines(const std::filesystem::path& path) {
    const std::string bytes = ReadFileBytes(path);
    Lines lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    EXPECT_EQ(start, bytes.size()) << "every line ends with CR LF";
    return lines;
}

class HostConversionTest : public testing::Test {
  protected:
    TempDir dir;
    RegistryStore store{dir / "registry.sqlite3"};
    FakeFrontend ui;
    ScopedFrontend scoped{ui};
    ScopedFixedClock clock{FixedTime()};
    clsExchange ex{store};

    void SetUp() override {
        RegisterHostFormats();
        Prompts().Clear();
        ex.HomeFolder = dir.Path();
        ex.RouteSource = "route.dat";
        ex.RouteDestination = "RouteZAV.pdb";
        ex.RouteZAVType = "PDB";
        ex.ReadingSource = "ReadingZAV.pdb";
        ex.ReadingDestination = "upload.dat";
        ex.OrphanConvert = 0;
        ex.AutoReRead = 0;
        Map("MVRS.zcm", 3, "1:Y");
        Map("Plain MVRS.zcm", 3, "");
        Map("MVRS.zrm", 3, "");
        Map("E5000.zcm", 4, "");
        Map("E5000.zrm", 4, "");
    }
    ~HostConversionTest() override {
        ReleaseSharedAdvanced();
        RegisterHostFormatConverters({});
    }

    void Map(const std::string& name, int type, const std::string& options) {
        std::string text = "ZAV=1.1\r\nMAPNAME=" + name + "\r\nMAPTYPE=" + std::to_string(type) +
                           "\r\nMAPFILTER=0\r\nMAPDELIMITER=\r\nMAPQUOTE=\r\n";
        if (!options.empty()) text += "MAPOPTIONS=" + options + "\r\n";
        WriteFileBytes(dir / name, text + "MAPTERMINATOR= 3 \r\nMAPLENGTH=0\r\n");
    }

    // Converts `file` (written as route.dat) with the route map `map`.
    bool ConvertRoute(const DownloadFile& file, const std::string& map) {
        file.Write(dir / "route.dat");
        ex.RouteMap = map;
        return ex.ConvertRoute();
    }
    std::vector<DbRecord> Route() { return ReadDatabase(dir / "RouteZAV.pdb"); }
    std::vector<DbRecord> Meters() { return OfType(Route(), kRecMeter); }
    // The log lines after "Route Conversion Starting".
    Lines ConversionLog() const {
        Lines out;
        bool on = false;
        for (const auto& line : ui.log) {
            if (on) out.push_back(line);
            if (line.rfind("Route Conversion Starting", 0) == 0) on = true;
        }
        return out;
    }
};

}  // namespace zav::test
