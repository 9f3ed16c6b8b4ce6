// The record engine on arbitrary lines: the first bytes up to 0x00 declare the fields (pairs of a type
// selector and a width), the rest are lines. Every line is parsed; its numbers too large and its values
// read by position must be those each field's own reading gives; and the parsed values are assembled
// back into a line, which must never be shorter than the declared record nor crash.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/file_io.h"
#include "hostformats/rec_type.h"

namespace {
constexpr std::int16_t kTypes[] = {zav::kHostInteger,    zav::kHostLong, zav::kHostSingle, zav::kHostDouble,
                                   zav::kHostDate,       zav::kHostText, zav::kHostStamp,  zav::kHostMoney,
                                   zav::kHostZeroPadded, zav::kHostTime};
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\0');
    const std::string_view declaration = input.substr(0, split);
    const std::string_view lines = split == std::string_view::npos ? std::string_view() : input.substr(split + 1);

    const auto declare = [&](zav::clsRecType& rec) {
        rec.SetID(1, 1, std::string(lines.substr(0, 1)));
        rec.AddField("RecID", zav::kHostText, 0, 1);
        for (std::size_t i = 0; i + 1 < declaration.size() && i < 64; i += 2) {
            const auto type = kTypes[static_cast<unsigned char>(declaration[i]) % std::size(kTypes)];
            const auto width = static_cast<std::int16_t>(static_cast<unsigned char>(declaration[i + 1]) % 40);
            rec.AddField("F" + std::to_string(i), type, 0, width);
        }
    };
    zav::clsRecType rec, stored;
    declare(rec);
    declare(stored);
    zav::LineSplitter splitter(lines);
    std::string_view line;
    std::string scratch;
    while (splitter.Next(line)) {
        (void)rec.TestID(line);
        // The numbers too large are those each field's own reading finds; the values read by position
        // are those of a record that stored every value.
        std::vector<std::string> tooLarge;
        for (const zav::clsField& field : rec.Fields()) {
            bool large = false;
            field.Extract(line, &large);
            if (large) tooLarge.push_back(field.FieldName);
        }
        rec.Parse(line);
        if (rec.TooLargeFields() != tooLarge) __builtin_trap();
        rec.Parse(line);
        stored.Parse(line);
        for (int i = 0; i < static_cast<int>(rec.Fields().size()); ++i) {
            const std::string& name = rec.Fields()[static_cast<std::size_t>(i)].FieldName;
            const std::string text = zav::ValueText(stored.Value(name));
            if (rec.TextAt(i, scratch) != text) __builtin_trap();
            const double byName = stored.Number(name), byPosition = rec.NumberAt(i);
            if (byName != byPosition && !(std::isnan(byName) && std::isnan(byPosition))) __builtin_trap();
        }
        const std::string out = rec.Buffer(0);
        if (!out.empty() && out.size() < static_cast<std::size_t>(rec.RecLen())) __builtin_trap();
    }
    return 0;
}
