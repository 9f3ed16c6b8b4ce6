// Record files from a device in the field: the Palm database reader, the VFS reader, container
// detection, ZAV field decoding and the viewer's listing on arbitrary bytes. Damaged files are refused
// with an error number; nothing reads outside the file or a record.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "core/errors.h"
#include "core/file_io.h"
#include "palmdb/palm_file_pdb.h"
#include "palmdb/palm_file_vfs.h"
#include "support/quiet_frontend.h"
#include "zav/zav.h"
#include "zav/zav_json.h"
#include "zav/zav_listing.h"

namespace {

void ReadAll(zav::IPalmFile& file, std::size_t size) {
    std::string record;
    std::size_t total = 0;
    for (int i = 0; i < 70000 && file.ReadRecord(-1, record); ++i) {
        total += record.size();
        (void)file.Position255();
    }
    if (total > size) __builtin_trap();
    (void)file.AppInfo();
    (void)file.SortInfo();
    (void)file.Title();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    try {
        zav::clsPalmFilePDB pdb;
        pdb.LoadImage(bytes);
        ReadAll(pdb, size);
        std::string r;
        (void)pdb.ReadRecord(static_cast<std::int32_t>(size % 7), r);
    } catch (const zav::RuntimeError& e) {
        if (e.Number() != zav::kErrInputPastEnd) __builtin_trap();
    }
    try {
        zav::clsPalmFileVFS vfs;
        vfs.LoadImage(bytes);
        ReadAll(vfs, size);
    } catch (const zav::RuntimeError& e) {
        if (e.Number() != zav::kErrInputPastEnd) __builtin_trap();
    }

    // Any bytes as a record of every schema version.
    zav::clsZAV zav;
    for (std::int32_t version = 0; version <= 3; ++version) {
        zav.SetVersion(version);
        zav.SetRawData(bytes);
        const zav::Values values = zav.GetValues();
        for (int t = 1; t <= zav.DB().TextCount(); ++t)
            if (zav.DB().GetString(t).size() > size) __builtin_trap();
        (void)values;
        // Replacing a text keeps every other text of the record.
        const int texts = zav.DB().TextCount();
        if (texts > 0) {
            const std::string before = zav.DB().GetString(texts);
            try {
                zav.DB().SetString(1, std::string("x\0y", 3));
                if (texts > 1 && zav.DB().GetString(texts) != before) __builtin_trap();
                if (zav.DB().GetString(1) != "xy") __builtin_trap();
            } catch (const zav::RuntimeError& e) {
                if (e.Number() != zav::kErrSubscript) __builtin_trap();
            }
        }
    }

    // Through a file: detection, the versioned open, the JSON of every record.
    static const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("fuzz_palmdb_" + std::to_string(::getpid()) + ".bin");
    zav::WriteFileBytes(file, bytes);
    std::string json;
    (void)zav::ZAVToJson(file, json);
    // What the viewer lists: every meter row has every column, and only listed routes keep meters.
    zav::test::QuietFrontend ui;
    zav::ScopedFrontend scoped(ui);
    zav::ZAVListing listing;
    try {
        if (zav::LoadZAVListing(file, listing)) {
            if (listing.metersByIndex.size() > listing.routes.size()) __builtin_trap();
            for (const auto& route : listing.routes) {
                if (route.cells.size() != zav::ZAVListing::RouteColumns().size()) __builtin_trap();
                for (const auto& meter : listing.Meters(route))
                    if (meter.size() != zav::ZAVListing::MeterColumns().size()) __builtin_trap();
            }
        }
    } catch (const zav::RuntimeError&) {
        // a record that cannot be read: the viewer's caller reports it
    }
    return 0;
}
