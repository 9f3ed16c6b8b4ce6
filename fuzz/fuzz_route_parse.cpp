// Both route line parsers with a map taken from the input: the bytes before the first 0x01 are a map
// file, the rest are route lines. Parsing gives a record or a run-time error (overflow, duplicate
// field), never a crash.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "core/errors.h"
#include "core/file_io.h"
#include "exchange/exchange.h"
#include "exchange/prompts.h"

namespace {

zav::clsExchange& Exchange() {
    static zav::RegistryStore store(std::filesystem::temp_directory_path() /
                                    ("zav-fuzz-route-" + std::to_string(::getpid()) + ".sqlite3"));
    static zav::clsExchange exchange(store);
    return exchange;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\x01');
    const std::string_view mapText = input.substr(0, split);
    const std::string_view lines = split == std::string_view::npos ? std::string_view() : input.substr(split + 1);

    zav::clsExchange& ex = Exchange();
    ex.ExchMap.NewMap("Fuzz.zcm", zav::kMapRoute);
    ex.ExchMap.ApplyMapFileText(mapText);
    ex.AutoNumber = 32760;  // reach the counter's end quickly
    zav::Prompts().Clear();
    zav::Prompts().Add("Message", std::string(mapText.substr(0, 8)));
    zav::Prompts().Add("UtilityCode", "12");

    zav::LineSplitter splitter(lines);
    std::string_view line;
    while (splitter.Next(line)) {
        for (int type : {zav::kMapFixed, zav::kMapDelimited}) {
            ex.ExchMap.MapType(type);
            try {
                const auto record = ex.ParseRoute(line);
                if (!record || record->Count() != static_cast<std::size_t>(ex.ExchMap.FieldCount())) __builtin_trap();
            } catch (const zav::RuntimeError& e) {
                if (e.Number() != zav::kErrOverflow && e.Number() != zav::kErrDuplicateKey) __builtin_trap();
            }
        }
    }
    return 0;
}
