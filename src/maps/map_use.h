// Map-use codes: what a conversion map converts, and the file extension of its map file.
#pragma once

#include <string>

namespace zav {

enum MapUse : int { kMapRoute = 1, kMapReRead = 2, kMapReading = 3, kMapOrphan = 99 };

// ".zcm" for route and re-read maps, ".zrm" for reading maps, ".zom" for orphan maps; empty for any
// other code.
inline std::string MapUseExtension(int use) {
    switch (use) {
        case kMapRoute:
        case kMapReRead:
            return ".zcm";
        case kMapReading:
            return ".zrm";
        case kMapOrphan:
            return ".zom";
        default:
            return "";
    }
}

// The use's title: "Route", "ReRead", "Reading", "Orphan"; empty for any other code.
inline std::string MapUseTitle(int use) {
    switch (use) {
        case kMapRoute:
            return "Route";
        case kMapReRead:
            return "ReRead";
        case kMapReading:
            return "Reading";
        case kMapOrphan:
            return "Orphan";
        default:
            return "";
    }
}

}  // namespace zav
