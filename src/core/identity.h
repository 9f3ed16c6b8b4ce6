// The program's identity: product, title, company, version and settings key.
#pragma once

namespace zav {

inline constexpr const char* kProductName = "ZavDepot";
inline constexpr const char* kAppTitle = "Marquand";
inline constexpr const char* kCompanyName = "Halvary, Inc.";
inline constexpr int kVersionMajor = 3;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionRevision = 0;
inline constexpr const char* kVersionText = "3.0.0";
// The version record's legal notice and file description, as written there ("(c)" and "(r)" are
// shown as the copyright and registered signs).
inline constexpr const char* kLegalCopyright = "Copyright (c) Halvary, Inc. All rights reserved.";
inline constexpr const char* kFileDescription = "ZavDepot(r) route and reading exchange for handheld meter reading";

// The machine-wide settings key of the program, below HKEY_LOCAL_MACHINE.
inline constexpr const char* kSettingsKey = "Software\\Halvary, Inc.\\ZavDepot\\";
inline constexpr const char* kLocalMachine = "HKEY_LOCAL_MACHINE";

}  // namespace zav
