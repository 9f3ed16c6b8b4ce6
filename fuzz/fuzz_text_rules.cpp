// The number reader and the line splitter on arbitrary bytes: never crash, only RuntimeError(6).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/errors.h"
#include "core/file_io.h"
#include "core/number.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const double v = zav::Val(text);
        try {
            (void)zav::CInt(v);
            (void)zav::CLng(v);
        } catch (const zav::RuntimeError&) {
        }
    } catch (const zav::RuntimeError& e) {
        if (e.Number() != zav::kErrOverflow) __builtin_trap();
    }
    zav::LineSplitter lines(text);
    std::string_view line;
    std::size_t total = 0;
    while (lines.Next(line)) total += line.size() + 1;
    if (total > size + 1 && size > 0) __builtin_trap();
    return 0;
}
