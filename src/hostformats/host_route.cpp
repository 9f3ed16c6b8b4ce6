#include "hostformats/host_route.h"

#include "core/frontend.h"
#include "exchange/exchange.h"
#include "hostformats/rec_type.h"

namespace zav::host {

bool CountFits(clsExchange& ex, std::int32_t count, const std::string& what, std::int32_t lineNo) {
    if (count <= kMaxCount) return true;
    AddLog("Error: The route file has more than 32767 " + what + " (line " + std::to_string(lineNo) + ")");
    ex.State.Problems = true;
    return false;
}

void WarnTooLarge(clsExchange& ex, const clsRecType& rec, std::int32_t lineNo) {
    for (const std::string& field : rec.TooLargeFields()) {
        AddLog("Warning: Number too large to read in " + field + " of " + rec.RIValue + " at line " +
               std::to_string(lineNo) + "; read as 0");
        ex.State.Warnings = true;
    }
}

void Progress::Show(long current) {
    if (current == last_) return;
    last_ = current;
    SetProgressButton(max_, current);
}

std::string Fixed(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

}  // namespace zav::host
