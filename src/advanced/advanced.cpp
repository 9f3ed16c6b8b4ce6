#include "advanced/advanced.h"

#include <tuple>

#include "core/errors.h"
#include "core/identity.h"
#include "core/number.h"
#include "core/text.h"

namespace zav {

namespace {

// Where each list lives in the store, in saving order within its section.
constexpr const char* kListKeys[clsAdvanced::kListCount] = {
    "LoginIDs",    "MessagesAccount", "MessagesMeterSerialNbr", "MessagesMeterTagNbr",
    "TokenAddress", "TokenOwner",     "ChangeoutRC",            "ChangeoutMT",
    "ChangeoutMFG", "ChangeoutMS",    "Favorite",               "Skip",
};

constexpr const char* kDefaultAddressTokens[] = {"RD", "ST", "LN", "CT", "BLVD", "CIR", "AVE"};
constexpr const char* kDefaultOwnerTokens[] = {"CO", "INC", "OF", "THE", "LLP", "LLC", "AND"};

constexpr const char* kSeparator = "||";

std::string YesNo(bool on) { return on ? "Y" : "N"; }

// A stored number as a 16-bit value; text outside the range reads as `fallback`.
std::int16_t StoredNumber(const std::string& text, std::int16_t fallback) {
    try {
        return ValInt(text);
    } catch (const RuntimeError&) {
        return fallback;
    }
}

// The first two parts of `text` split at "||" (a missing part is empty).
std::pair<std::string, std::string> SplitPair(const std::string& text) {
    const auto p = text.find(kSeparator);
    if (p == std::string::npos) return {text, ""};
    const auto rest = text.substr(p + 2);
    return {text.substr(0, p), rest.substr(0, rest.find(kSeparator))};
}

}  // namespace

clsAdvanced::clsAdvanced(RegistryStore& store, bool saveOnRelease) : registry_(store), saveOnRelease_(saveOnRelease) {
    LoadValues();
}

clsAdvanced::~clsAdvanced() {
    if (!saveOnRelease_) return;
    try {
        SaveValues();
    } catch (...) {
        // A failed save at release is not reported, as no failed write of this store is.
    }
}

std::string clsAdvanced::Read(const char* section, const char* name, const std::string& defaultValue) {
    std::string value = RegValueText(registry_.GetValue({kLocalMachine, kSettingsKey, section, name}));
    return value.empty() ? defaultValue : value;
}

void clsAdvanced::Write(const char* section, const std::string& name, const std::string& value) {
    registry_.SaveValue(value, {kLocalMachine, "Software", kCompanyName, kProductName, section, name});
}

void clsAdvanced::LoadList(ListId id, Section section, const char* registryKey) {
    const HiveName key{kLocalMachine, kSettingsKey, registryKey};
    for (const auto& name : registry_.GetValues(key)) {
        const std::string data = RegValueText(registry_.GetValue({kLocalMachine, kSettingsKey, registryKey, name}));
        AdvEntry entry;
        if (id == kLogins) {
            auto [password, extra] = SplitPair(data);
            entry = {name, password, extra};
        } else if (id == kMsgAccount || id == kMsgSerial || id == kMsgTag) {
            auto [route, meter] = SplitPair(name);
            entry = {route + kSeparator + meter, data, ""};
        } else if (id == kTokAddress || id == kTokOwner) {
            entry = {name, "", ""};
        } else {
            entry = {name, data, ""};
        }
        Add(&lists_[id], section, std::move(entry));
    }
}

std::int16_t clsAdvanced::LoadValues() {
    const RegistryStore::ReadBatch batch(registry_.Store());
    loading_ = true;
    lists_ = {};
    sectionChanged_ = {};

    useLogin_ = Read("LoginSetup", "UseLogin", "N") == "Y";
    LoadList(kLogins, kSecLogins, kListKeys[kLogins]);
    for (ListId id : {kMsgAccount, kMsgSerial, kMsgTag}) LoadList(id, kSecMessages, kListKeys[id]);

    indexControl_ = StoredNumber(Read("Token", "IndexControl", "1"), 1);
    const std::pair<ListId, const char* const*> tokenLists[] = {{kTokAddress, kDefaultAddressTokens},
                                                                {kTokOwner, kDefaultOwnerTokens}};
    for (const auto& [id, defaults] : tokenLists) {
        LoadList(id, kSecTokens, kListKeys[id]);
        if (lists_[id].Count() == 0) {
            loading_ = false;  // the defaults are marked, so the next save stores them
            for (int i = 0; i < 7; ++i) Add(&lists_[id], kSecTokens, {defaults[i], "", ""});
            loading_ = true;
        }
    }
    for (ListId id : {kChangeRC, kChangeMT, kChangeMFG, kChangeMS}) LoadList(id, kSecChangeouts, kListKeys[id]);

    useFavorite_ = Read("FavoriteSetup", "UseFavorite", "N") == "Y";
    LoadList(kFavorites, kSecFavorites, kListKeys[kFavorites]);
    LoadList(kSkips, kSecSkips, kListKeys[kSkips]);

    alertOutOfBounds_ = StoredNumber(Read("OperPrefs", "AlertOutOfBounds", "0"), 0);
    alertRollover_ = StoredNumber(Read("OperPrefs", "AlertRollover", "0"), 0);
    alertTamper_ = StoredNumber(Read("OperPrefs", "AlertTamper", "0"), 0);
    loading_ = false;
    return 0;
}

void clsAdvanced::SaveList(ListId id) {
    for (AdvEntry& entry : lists_[id].Entries()) {
        if (!entry.changed) continue;
        if (entry.deleted) {
            registry_.DeleteValue({kLocalMachine, kSettingsKey, kListKeys[id], entry.key});
        } else {
            std::string data = entry.textA;
            if (id == kLogins) data += kSeparator + entry.textB;
            if (id == kTokAddress || id == kTokOwner) data.clear();
            Write(kListKeys[id], entry.key, data);
        }
        entry.changed = false;
    }
}

std::int16_t clsAdvanced::SaveValues() {
    // Each list with its section, in saving order.
    static constexpr Section kSectionOf[kListCount] = {
        kSecLogins, kSecMessages, kSecMessages, kSecMessages, kSecTokens, kSecTokens,
        kSecChangeouts, kSecChangeouts, kSecChangeouts, kSecChangeouts, kSecFavorites, kSecSkips,
    };
    for (int s = 0; s < kSectionCount; ++s) {
        const auto section = static_cast<Section>(s);
        if (!sectionChanged_[section]) continue;
        switch (section) {
            case kSecLogins: Write("LoginSetup", "UseLogin", YesNo(useLogin_)); break;
            case kSecTokens: Write("Token", "IndexControl", std::to_string(indexControl_)); break;
            case kSecFavorites: Write("FavoriteSetup", "UseFavorite", YesNo(useFavorite_)); break;
            case kSecAlerts:
                Write("OperPrefs", "AlertOutOfBounds", std::to_string(alertOutOfBounds_));
                Write("OperPrefs", "AlertRollover", std::to_string(alertRollover_));
                Write("OperPrefs", "AlertTamper", std::to_string(alertTamper_));
                break;
            default: break;
        }
        for (int id = 0; id < kListCount; ++id)
            if (kSectionOf[id] == section) SaveList(static_cast<ListId>(id));
        sectionChanged_[section] = false;
    }
    return 0;
}

// ---- list operations shared by every list kind ----

std::int16_t clsAdvanced::Add(AdvList* list, Section section, AdvEntry entry) {
    if (!loading_) MarkChanged(section);
    if (list == nullptr) return 0;
    entry.changed = !loading_;
    list->Append(std::move(entry));
    return 0;
}

std::int16_t clsAdvanced::Update(AdvList* list, Section section, const std::string& key, const std::string& a,
                                 const std::string& b) {
    if (list == nullptr) return 0;
    const std::int16_t position = list->FindKey(key);
    if (position < 0) return 0;
    AdvEntry& entry = list->At(position);
    entry.key = key;
    entry.textA = a;
    entry.textB = b;
    entry.changed = true;
    MarkChanged(section);
    return -1;
}

std::int16_t clsAdvanced::Delete(AdvList* list, Section section, const std::string& key) {
    if (list == nullptr) return 0;
    const std::int16_t position = list->FindKey(key);
    if (position < 0) return 0;
    AdvEntry& entry = list->At(position);
    entry.deleted = true;
    entry.changed = true;
    MarkChanged(section);
    return -1;
}

namespace {
// The get operations: the position found (or -1); outputs set from the entry, only the key for a
// deleted entry.
std::int16_t GetEntry(const AdvList* list, const AdvIndex& index, std::string& key, std::string* a,
                      std::string* b) {
    if (list == nullptr) return -1;
    const std::int16_t position = list->Resolve(index);
    if (position < 0) return -1;
    const AdvEntry& entry = list->At(position);
    if (entry.deleted) {
        key.clear();
        return position;
    }
    key = entry.key;
    if (a) *a = entry.textA;
    if (b) *b = entry.textB;
    return position;
}
}  // namespace

// ---- logins ----

void clsAdvanced::UseLoginSecurity(bool on) {
    useLogin_ = on;
    MarkChanged(kSecLogins);
}

std::int16_t clsAdvanced::GetLogin(const AdvIndex& Index, std::string& UserID, std::string& Password,
                                   std::string& Data) const {
    return GetEntry(&lists_[kLogins], Index, UserID, &Password, &Data);
}
std::int16_t clsAdvanced::AddLogin(const std::string& UserID, const std::string& Password, const std::string& Data) {
    return Add(&lists_[kLogins], kSecLogins, {UserID, Password, Data});
}
std::int16_t clsAdvanced::UpdateLogin(const std::string& UserID, const std::string& Password,
                                      const std::string& Data) {
    return Update(&lists_[kLogins], kSecLogins, UserID, Password, Data);
}
std::int16_t clsAdvanced::DeleteLogin(const std::string& UserID) {
    return Delete(&lists_[kLogins], kSecLogins, UserID);
}

// ---- messages ----

AdvList* clsAdvanced::MessageList(const std::string& type) {
    return const_cast<AdvList*>(static_cast<const clsAdvanced&>(*this).MessageList(type));
}
const AdvList* clsAdvanced::MessageList(const std::string& type) const {
    if (type == "Account") return &lists_[kMsgAccount];
    if (type == "SerialNbr") return &lists_[kMsgSerial];
    if (type == "TagNbr") return &lists_[kMsgTag];
    return nullptr;
}

std::string clsAdvanced::LookupMessage(std::string_view PriorMessage, std::string_view RouteNbr,
                                       std::string_view Account, std::string_view SerialNbr,
                                       std::string_view TagNbr) const {
    std::string message;
    LookupMessage(message, PriorMessage, RouteNbr, Account, SerialNbr, TagNbr);
    return message;
}

void clsAdvanced::LookupMessage(std::string& out, std::string_view PriorMessage, std::string_view RouteNbr,
                                std::string_view Account, std::string_view SerialNbr, std::string_view TagNbr) const {
    std::string supervisor;
    std::string rememberedType;
    const struct {
        const char* type;
        ListId list;
        std::string_view id;
    } lookups[] = {{"Account", kMsgAccount, Account}, {"SerialNbr", kMsgSerial, SerialNbr}, {"TagNbr", kMsgTag, TagNbr}};
    for (const auto& [type, listId, id] : lookups) {
        const AdvList& list = lists_[listId];
        if (list.Count() == 0) continue;  // nothing to find: no key to build
        if (Trim(id).empty()) continue;
        std::int16_t position = list.FindKey(std::string(RouteNbr) + kSeparator + std::string(id));
        if (position < 0) position = list.FindKey(std::string("ANY") + kSeparator + std::string(id));
        if (position < 0) continue;
        const std::string& message = list.At(position).textA;
        if (message.empty()) continue;
        if (supervisor.empty()) {
            supervisor = message;
            rememberedType = type;
        } else {
            if (!rememberedType.empty()) {
                supervisor = rememberedType + ": " + supervisor;
                rememberedType.clear();
            }
            supervisor += std::string("; ") + type + ": " + message;
        }
    }
    out.clear();
    if (!PriorMessage.empty()) out.append("Billing: ").append(PriorMessage);
    if (!PriorMessage.empty() && !supervisor.empty()) out += '\n';
    if (!supervisor.empty()) out.append("Supervisor: ").append(supervisor);
}

std::int16_t clsAdvanced::GetMessage(const std::string& MessageType, const AdvIndex& Index, std::string& RouteNbr,
                                     std::string& MeterID, std::string& Message) const {
    std::string key;
    const std::int16_t position = GetEntry(MessageList(MessageType), Index, key, &Message, nullptr);
    if (position >= 0) std::tie(RouteNbr, MeterID) = SplitPair(key);
    return position;
}
std::int16_t clsAdvanced::AddMessage(const std::string& MessageType, const std::string& RouteNbr,
                                     const std::string& MeterID, const std::string& Message) {
    return Add(MessageList(MessageType), kSecMessages, {RouteNbr + kSeparator + MeterID, Message, ""});
}
std::int16_t clsAdvanced::UpdateMessage(const std::string& MessageType, const std::string& RouteNbr,
                                        const std::string& MeterID, const std::string& Message) {
    return Update(MessageList(MessageType), kSecMessages, RouteNbr + kSeparator + MeterID, Message, "");
}
std::int16_t clsAdvanced::DeleteMessage(const std::string& MessageType, const std::string& RouteNbr,
                                        const std::string& MeterID) {
    return Delete(MessageList(MessageType), kSecMessages, RouteNbr + kSeparator + MeterID);
}

std::int16_t clsAdvanced::FindMessage(const std::string& MessageType, const std::string& RouteNbr,
                                      const std::string& MeterID) const {
    const AdvList* list = MessageList(MessageType);
    return list == nullptr ? std::int16_t{-1} : list->FindKey(RouteNbr + kSeparator + MeterID);
}

// ---- index control and tokens ----

void clsAdvanced::IndexControl(std::int16_t value) {
    indexControl_ = value;
    MarkChanged(kSecTokens);
}

AdvList* clsAdvanced::TokenList(const std::string& type) {
    return const_cast<AdvList*>(static_cast<const clsAdvanced&>(*this).TokenList(type));
}
const AdvList* clsAdvanced::TokenList(const std::string& type) const {
    if (type == "Address") return &lists_[kTokAddress];
    if (type == "Owner") return &lists_[kTokOwner];
    return nullptr;
}

std::int16_t clsAdvanced::GetToken(const std::string& TokenType, const AdvIndex& Index, std::string& Token) const {
    return GetEntry(TokenList(TokenType), Index, Token, nullptr, nullptr);
}
std::int16_t clsAdvanced::AddToken(const std::string& TokenType, const std::string& Token) {
    return Add(TokenList(TokenType), kSecTokens, {Token, "", ""});
}
std::int16_t clsAdvanced::DeleteToken(const std::string& TokenType, const std::string& Token) {
    return Delete(TokenList(TokenType), kSecTokens, Token);
}

// ---- changeouts ----

AdvList* clsAdvanced::ChangeoutList(const std::string& type) {
    return const_cast<AdvList*>(static_cast<const clsAdvanced&>(*this).ChangeoutList(type));
}
const AdvList* clsAdvanced::ChangeoutList(const std::string& type) const {
    if (type == "RC") return &lists_[kChangeRC];
    if (type == "MT") return &lists_[kChangeMT];
    if (type == "MFG") return &lists_[kChangeMFG];
    if (type == "MS") return &lists_[kChangeMS];
    return nullptr;
}

std::int16_t clsAdvanced::GetChangeout(const std::string& ChangeoutType, const AdvIndex& Index, std::string& Code,
                                       std::string& Description) const {
    return GetEntry(ChangeoutList(ChangeoutType), Index, Code, &Description, nullptr);
}
std::int16_t clsAdvanced::AddChangeout(const std::string& ChangeoutType, const std::string& Code,
                                       const std::string& Description) {
    return Add(ChangeoutList(ChangeoutType), kSecChangeouts, {Code, Description, ""});
}
std::int16_t clsAdvanced::UpdateChangeout(const std::string& ChangeoutType, const std::string& Code,
                                          const std::string& Description) {
    return Update(ChangeoutList(ChangeoutType), kSecChangeouts, Code, Description, "");
}
std::int16_t clsAdvanced::DeleteChangeout(const std::string& ChangeoutType, const std::string& Code) {
    return Delete(ChangeoutList(ChangeoutType), kSecChangeouts, Code);
}

// ---- favorites ----

void clsAdvanced::UseFavorite(bool on) {
    useFavorite_ = on;
    MarkChanged(kSecFavorites);
}

std::int16_t clsAdvanced::GetFavorite(const AdvIndex& Index, std::string& UnitID, std::string& PathName) const {
    return GetEntry(&lists_[kFavorites], Index, UnitID, &PathName, nullptr);
}
std::int16_t clsAdvanced::AddFavorite(const std::string& UnitID, const std::string& PathName) {
    return Add(&lists_[kFavorites], kSecFavorites, {UnitID, PathName, ""});
}
std::int16_t clsAdvanced::UpdateFavorite(const std::string& UnitID, const std::string& PathName) {
    if (Update(&lists_[kFavorites], kSecFavorites, UnitID, PathName, "")) return -1;
    AddFavorite(UnitID, PathName);
    return 0;
}
std::int16_t clsAdvanced::DeleteFavorite(const std::string& UnitID) {
    return Delete(&lists_[kFavorites], kSecFavorites, UnitID);
}

// ---- skips ----

std::int16_t clsAdvanced::GetSkip(const AdvIndex& Index, std::string& Code, std::string& Description) const {
    return GetEntry(&lists_[kSkips], Index, Code, &Description, nullptr);
}
std::int16_t clsAdvanced::AddSkip(const std::string& Code, const std::string& Description) {
    return Add(&lists_[kSkips], kSecSkips, {Code, Description, ""});
}
std::int16_t clsAdvanced::UpdateSkip(const std::string& Code, const std::string& Description) {
    return Update(&lists_[kSkips], kSecSkips, Code, Description, "");
}
std::int16_t clsAdvanced::DeleteSkip(const std::string& Code) { return Delete(&lists_[kSkips], kSecSkips, Code); }

// ---- alerts ----

void clsAdvanced::AlertOutOfBounds(std::int16_t value) {
    alertOutOfBounds_ = value;
    MarkChanged(kSecAlerts);
}
void clsAdvanced::AlertRollover(std::int16_t value) {
    alertRollover_ = value;
    MarkChanged(kSecAlerts);
}
void clsAdvanced::AlertTamper(std::int16_t value) {
    alertTamper_ = value;
    MarkChanged(kSecAlerts);
}

bool HoldsSeparator(std::string_view text) { return text.find(kSeparator) != std::string_view::npos; }

bool HasSupervisorMark(std::string_view Data) { return Data.find('S') != std::string_view::npos; }

// ---- the shared instance ----

namespace {
std::unique_ptr<clsAdvanced>& Shared() {
    static std::unique_ptr<clsAdvanced> instance;
    return instance;
}
}  // namespace

clsAdvanced& SharedAdvanced(RegistryStore& store) {
    if (!Shared()) Shared() = std::make_unique<clsAdvanced>(store);
    return *Shared();
}

clsAdvanced& ReloadSharedAdvanced(RegistryStore& store) {
    Shared().reset();
    return SharedAdvanced(store);
}

void ReleaseSharedAdvanced() { Shared().reset(); }

}  // namespace zav
