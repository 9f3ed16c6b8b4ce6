// Readings databases for tests, built record by record as a handheld writes them back: a header
// naming the schema version, route records (kind 256), meter and orphan records. Header-only; the
// test executables that include it link the zav module.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "zav/zav.h"

namespace zav::test {

class ReadingsBuilder {
  public:
    using Fields = std::vector<std::pair<std::string, Value>>;

    explicit ReadingsBuilder(std::int32_t version = kZAVCurrentVersion) : version_(version) {}

    // The header record: MeterType = the version, RouteNbr = `routes`, PrvReading (the meters announced)
    // the number of meter records written unless `more` gives it.
    ReadingsBuilder& Header(std::int32_t routes, Fields more = {}) {
        more.insert(more.begin(), {{"RouteNbr", routes}, {"MeterType", static_cast<std::int16_t>(version_)}});
        return Record(kRecHeader, std::move(more));
    }
    ReadingsBuilder& Route(std::int32_t number, const std::string& id, std::int32_t recType = kRecRouteReturned) {
        return Record(recType, {{"RouteNbr", number}, {"Initials", id}, {"ResponseText", id}});
    }
    ReadingsBuilder& Meter(std::int32_t route, Fields fields) {
        fields.insert(fields.begin(), {"RouteNbr", route});
        return Record(kRecMeter, std::move(fields));
    }
    ReadingsBuilder& Orphan(Fields fields) { return Record(kRecOrphan, std::move(fields)); }
    ReadingsBuilder& Record(std::int32_t recType, Fields fields) {
        fields.insert(fields.begin(), {"RecType", static_cast<std::int16_t>(recType)});
        records_.push_back(std::move(fields));
        return *this;
    }

    // Writes the database (container 1 Palm database file, 2 VFS stream).
    void Write(const std::filesystem::path& path, int container = kContainerPDB) const {
        clsZAV db;
        db.SetVersion(version_);
        if (db.CreateZAV(path, container, static_cast<std::int32_t>(records_.size()) + 1) != 0)
            throw std::runtime_error("cannot create " + path.string());
        std::int32_t meters = 0;
        for (const Fields& record : records_)
            meters += ValueNumber(record.front().second) == static_cast<double>(kRecMeter);
        for (const Fields& record : records_) {
            db.AddNew();
            if (ValueNumber(record.front().second) == static_cast<double>(kRecHeader) && version_ > 0)
                db.SetItem("PrvReading", meters);
            for (const auto& [name, value] : record) db.SetItem(name, value);
            db.WriteData();
        }
        db.CloseZAV();
    }

  private:
    std::int32_t version_;
    std::vector<Fields> records_;
};

}  // namespace zav::test
