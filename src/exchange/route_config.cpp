// The configuration records a route database carries to the handheld: logins, skip reasons, meter
// changeout codes and alert modes, from the advanced options store.
#include "advanced/advanced.h"
#include "exchange/exchange.h"
#include "zav/zav.h"

namespace zav {

namespace {

struct CodeEntries {
    std::vector<std::string> codes, values, data;
    std::int16_t Count() const { return static_cast<std::int16_t>(codes.size()); }
    void Add(std::string code, std::string value, std::string extra) {
        codes.push_back(std::move(code));
        values.push_back(std::move(value));
        data.push_back(std::move(extra));
    }
};

// Reads a list from position 1 until "not found", keeping the entries whose code is not empty
// (deleted entries read with an empty code). `get` fills code, value, data for a position.
template <typename Get>
CodeEntries ReadEntries(Get get) {
    CodeEntries entries;
    for (std::int16_t i = 1;; ++i) {
        std::string code, value, extra;
        if (get(i, code, value, extra) < 0) break;
        if (!code.empty()) entries.Add(std::move(code), std::move(value), std::move(extra));
    }
    return entries;
}

void Write(clsZAV& db, std::int16_t recordType, std::int16_t codeType, std::int16_t flags, const CodeEntries& e) {
    db.AddCodeRecord(recordType, codeType, flags, e.Count(), e.codes, e.values, e.data);
}

}  // namespace

void clsExchange::WriteConfigurationRecords() {
    if (!RouteZAV) return;
    clsZAV& db = *RouteZAV;
    const clsAdvanced& adv = Advanced();

    if (adv.UseLoginSecurity()) {
        const auto logins = ReadEntries([&](std::int16_t i, std::string& id, std::string& pw, std::string& data) {
            return adv.GetLogin(i, id, pw, data);
        });
        if (logins.Count() > 0) Write(db, kRecLogins, 0, 1, logins);
    }

    const auto skips = ReadEntries([&](std::int16_t i, std::string& code, std::string& descr, std::string&) {
        return adv.GetSkip(i, code, descr);
    });
    if (skips.Count() > 0) Write(db, kRecCodes, 0, 0, skips);

    const char* changeoutTypes[] = {"RC", "MT", "MFG", "MS"};
    for (std::int16_t t = 0; t < 4; ++t) {
        const auto codes = ReadEntries([&](std::int16_t i, std::string& code, std::string& descr, std::string&) {
            return adv.GetChangeout(changeoutTypes[t], i, code, descr);
        });
        if (codes.Count() > 0) Write(db, kRecCodes, static_cast<std::int16_t>(t + 1), 0, codes);
    }

    CodeEntries alerts;
    alerts.Add("RANGE", std::to_string(adv.AlertOutOfBounds()), "");
    alerts.Add("ROLLOVER", std::to_string(adv.AlertRollover()), "");
    alerts.Add("TAMPER", std::to_string(adv.AlertTamper()), "");
    Write(db, kRecAlerts, 0, 1, alerts);
}

}  // namespace zav
