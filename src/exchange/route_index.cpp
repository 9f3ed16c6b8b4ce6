#include "exchange/route_index.h"

#include "advanced/advanced.h"
#include "core/text.h"
#include "exchange/exchange.h"
#include "zav/zav.h"

namespace zav {

namespace {

// The tokens of one kind as upper-cased words, for lookups without regard to case.
std::unordered_set<std::string> TokenSet(const clsAdvanced& advanced, const char* tokenType) {
    std::unordered_set<std::string> tokens;
    std::string token;
    for (std::int16_t i = 1; advanced.GetToken(tokenType, i, token) >= 0; ++i)
        if (!token.empty()) tokens.insert(UCase(token));
    return tokens;
}

bool Blank(const std::string& text) { return Trim(text).empty(); }

}  // namespace

std::int32_t RouteIndexBuilder::Step(clsZAV* database, bool createIndexes, const clsAdvanced& advanced,
                                     std::int16_t routeOrdinal, std::int16_t position, const std::string& tag,
                                     const std::string& serial, const std::string& billingName,
                                     const std::string& address, const std::string& account) {
    if (!active_ && routeOrdinal > 0) {
        active_ = true;
        ownerTokens_ = TokenSet(advanced, "Owner");
        addressTokens_ = TokenSet(advanced, "Address");
    }
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
        ownerTokens_.clear();
        addressTokens_.clear();
        return leftOut;
    }
    if (!Blank(billingName))
        for (auto& word : IndexWords(billingName, ownerTokens_)) collectors_[kIndexOwner].Insert(std::move(word), position);
    if (!Blank(address))
        for (auto& word : IndexWords(address, addressTokens_)) collectors_[kIndexAddress].Insert(std::move(word), position);
    if (!Blank(tag) && tag != "0") collectors_[kIndexTag].Insert(UCase(Trim(tag)), position);
    if (!Blank(serial)) collectors_[kIndexSerial].Insert(UCase(Trim(serial)), position);
    if (!Blank(account)) collectors_[kIndexAccount].Insert(UCase(Trim(account)), position);
    return leftOut;
}

void clsExchange::IndexStep(std::int16_t routeOrdinal, std::int16_t position, const std::string& tag,
                            const std::string& serial, const std::string& billingName, const std::string& address,
                            const std::string& account) {
    if (!indexBuilder_) indexBuilder_ = std::make_unique<RouteIndexBuilder>();
    // A key left out of the index is a warning of the conversion.
    if (indexBuilder_->Step(RouteZAV.get(), CreateIndexes, Advanced(), routeOrdinal, position, tag, serial, billingName,
                            address, account) > 0)
        State.Warnings = true;
}

}  // namespace zav
