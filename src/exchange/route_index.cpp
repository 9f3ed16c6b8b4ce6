#include "exchange/route_index.h"

#include "advanced/advanced.h"
#include "core/text.h"
#include "exchange/exchange.h"
#include "exchange/write_behind.h"
#include "zav/zav.h"

namespace zav {

namespace {

// The tokens of one kind as upper-cased words, for lookups without regard to case.
IndexTokens TokenSet(const clsAdvanced& advanced, const char* tokenType) {
    IndexTokens tokens;
    std::string token;
    for (std::int16_t i = 1; advanced.GetToken(tokenType, i, token) >= 0; ++i)
        if (!token.empty()) tokens.Add(UCase(token));
    return tokens;
}

bool Blank(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

}  // namespace

void RouteIndexBuilder::Activate(const clsAdvanced& advanced) {
    if (active_) return;
    active_ = true;
    ownerTokens_ = TokenSet(advanced, "Owner");
    addressTokens_ = TokenSet(advanced, "Address");
}

std::int32_t RouteIndexBuilder::Step(clsZAV* database, bool createIndexes, const clsAdvanced& advanced,
                                     std::int16_t routeOrdinal, std::int16_t position, std::string_view tag,
                                     std::string_view serial, std::string_view billingName, std::string_view address,
                                     std::string_view account) {
    if (routeOrdinal > 0) Activate(advanced);
    std::int32_t leftOut = 0;
    if (previousRoute_ >= 1 && previousRoute_ != routeOrdinal && active_) {
        for (int kind = 0; kind < kIndexKindCount; ++kind) {
            clsIndex& index = collectors_[kind];
            if (createIndexes && database != nullptr) {
                index.RouteIndex = previousRoute_;
                index.IndexType = static_cast<std::int16_t>(kind);
                leftOut += index.WriteRecord(*database);
            } else {
                index.Clear();  // collected but never written
            }
        }
    }
    previousRoute_ = routeOrdinal;
    if (routeOrdinal == 0) {
        active_ = false;
        for (auto& index : collectors_) index.Clear();
        ownerTokens_.Clear();
        addressTokens_.Clear();
        return leftOut;
    }
    // A blank text has no words: the collectors are asked only for texts with something in them.
    if (!Blank(billingName)) collectors_[kIndexOwner].InsertWords(billingName, ownerTokens_, position);
    if (!Blank(address)) collectors_[kIndexAddress].InsertWords(address, addressTokens_, position);
    if (!Blank(tag) && tag != "0") collectors_[kIndexTag].InsertUpper(Trim(tag), position);
    if (!Blank(serial)) collectors_[kIndexSerial].InsertUpper(Trim(serial), position);
    if (!Blank(account)) collectors_[kIndexAccount].InsertUpper(Trim(account), position);
    return leftOut;
}

void clsExchange::IndexStep(std::int16_t routeOrdinal, std::int16_t position, std::string_view tag,
                            std::string_view serial, std::string_view billingName, std::string_view address,
                            std::string_view account) {
    if (writeBehind_ != nullptr)
        return writeBehind_->Index(routeOrdinal, position, tag, serial, billingName, address, account);
    if (!indexBuilder_) indexBuilder_ = std::make_unique<RouteIndexBuilder>();
    // A key left out of the index is a warning of the conversion.
    if (indexBuilder_->Step(RouteZAV.get(), CreateIndexes, Advanced(), routeOrdinal, position, tag, serial, billingName,
                            address, account) > 0)
        State.Warnings = true;
}

}  // namespace zav
