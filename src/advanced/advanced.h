// clsAdvanced: the advanced handheld options (logins, messages, index tokens, changeouts, favorites,
// skips, alerts, index control and the start-up login switch), kept in the settings store.
//
// Creating the store loads every section; saving writes only the sections that changed, and in them
// only the entries that changed. List operations return 16-bit results: positions or -1 for the get
// operations, true (-1) / false (0) for update and delete, 0 for add.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "advanced/advanced_list.h"
#include "setup/registry.h"

namespace zav {

class clsAdvanced {
public:
    // Loads every section from `store`. With `saveOnRelease` the changed sections are saved when the
    // object is destroyed (the program's shared instance); read-only users pass false.
    explicit clsAdvanced(RegistryStore& store, bool saveOnRelease = true);
    ~clsAdvanced();
    clsAdvanced(const clsAdvanced&) = delete;
    clsAdvanced& operator=(const clsAdvanced&) = delete;

    std::int16_t LoadValues();
    std::int16_t SaveValues();

    bool UseLoginSecurity() const { return useLogin_; }
    void UseLoginSecurity(bool on);

    std::int16_t GetLogin(const AdvIndex& Index, std::string& UserID, std::string& Password, std::string& Data) const;
    std::int16_t AddLogin(const std::string& UserID, const std::string& Password, const std::string& Data);
    std::int16_t UpdateLogin(const std::string& UserID, const std::string& Password, const std::string& Data);
    std::int16_t DeleteLogin(const std::string& UserID);

    // The message for one meter: the host's `PriorMessage` and the supervisor messages found for its
    // account, serial and tag numbers on its route (or on "ANY" route).
    std::string LookupMessage(std::string_view PriorMessage, std::string_view RouteNbr, std::string_view Account,
                              std::string_view SerialNbr, std::string_view TagNbr) const;
    // The same into `out` (its storage reused: one call per meter; no argument may be a view of it).
    void LookupMessage(std::string& out, std::string_view PriorMessage, std::string_view RouteNbr,
                       std::string_view Account, std::string_view SerialNbr, std::string_view TagNbr) const;
    // MessageType: "Account", "SerialNbr" or "TagNbr".
    std::int16_t GetMessage(const std::string& MessageType, const AdvIndex& Index, std::string& RouteNbr,
                            std::string& MeterID, std::string& Message) const;
    std::int16_t AddMessage(const std::string& MessageType, const std::string& RouteNbr, const std::string& MeterID,
                            const std::string& Message);
    std::int16_t UpdateMessage(const std::string& MessageType, const std::string& RouteNbr,
                               const std::string& MeterID, const std::string& Message);
    std::int16_t DeleteMessage(const std::string& MessageType, const std::string& RouteNbr,
                               const std::string& MeterID);
    // The position of the message of this route number and meter ID (not deleted), or -1.
    std::int16_t FindMessage(const std::string& MessageType, const std::string& RouteNbr,
                             const std::string& MeterID) const;

    // 0 = no indexes, 1 = always build indexes, 2 = ask during route creation.
    std::int16_t IndexControl() const { return indexControl_; }
    void IndexControl(std::int16_t value);

    // TokenType: "Address" or "Owner".
    std::int16_t GetToken(const std::string& TokenType, const AdvIndex& Index, std::string& Token) const;
    std::int16_t AddToken(const std::string& TokenType, const std::string& Token);
    std::int16_t DeleteToken(const std::string& TokenType, const std::string& Token);

    // ChangeoutType: "RC", "MT", "MFG" or "MS".
    std::int16_t GetChangeout(const std::string& ChangeoutType, const AdvIndex& Index, std::string& Code,
                              std::string& Description) const;
    std::int16_t AddChangeout(const std::string& ChangeoutType, const std::string& Code,
                              const std::string& Description);
    std::int16_t UpdateChangeout(const std::string& ChangeoutType, const std::string& Code,
                                 const std::string& Description);
    std::int16_t DeleteChangeout(const std::string& ChangeoutType, const std::string& Code);

    bool UseFavorite() const { return useFavorite_; }
    void UseFavorite(bool on);
    std::int16_t GetFavorite(const AdvIndex& Index, std::string& UnitID, std::string& PathName) const;
    std::int16_t AddFavorite(const std::string& UnitID, const std::string& PathName);
    // Adds the favorite when the unit has none (and then returns false).
    std::int16_t UpdateFavorite(const std::string& UnitID, const std::string& PathName);
    std::int16_t DeleteFavorite(const std::string& UnitID);

    std::int16_t GetSkip(const AdvIndex& Index, std::string& Code, std::string& Description) const;
    std::int16_t AddSkip(const std::string& Code, const std::string& Description);
    std::int16_t UpdateSkip(const std::string& Code, const std::string& Description);
    std::int16_t DeleteSkip(const std::string& Code);

    // 0 = no alert, 1 = beep, 2 = popup message.
    std::int16_t AlertOutOfBounds() const { return alertOutOfBounds_; }
    std::int16_t AlertRollover() const { return alertRollover_; }
    std::int16_t AlertTamper() const { return alertTamper_; }
    void AlertOutOfBounds(std::int16_t value);
    void AlertRollover(std::int16_t value);
    void AlertTamper(std::int16_t value);

    // The lists, for displays that walk them (one per list kind).
    enum ListId : int {
        kLogins, kMsgAccount, kMsgSerial, kMsgTag, kTokAddress, kTokOwner,
        kChangeRC, kChangeMT, kChangeMFG, kChangeMS, kFavorites, kSkips, kListCount
    };
    const AdvList& List(ListId id) const { return lists_[id]; }

private:
    enum Section : int { kSecLogins, kSecMessages, kSecTokens, kSecChangeouts, kSecFavorites, kSecSkips, kSecAlerts,
                         kSectionCount };

    AdvList* MessageList(const std::string& type);
    const AdvList* MessageList(const std::string& type) const;
    AdvList* TokenList(const std::string& type);
    const AdvList* TokenList(const std::string& type) const;
    AdvList* ChangeoutList(const std::string& type);
    const AdvList* ChangeoutList(const std::string& type) const;

    std::int16_t Add(AdvList* list, Section section, AdvEntry entry);
    std::int16_t Update(AdvList* list, Section section, const std::string& key, const std::string& a,
                        const std::string& b);
    std::int16_t Delete(AdvList* list, Section section, const std::string& key);
    void MarkChanged(Section section) { sectionChanged_[section] = true; }

    void LoadList(ListId id, Section section, const char* registryKey);
    void SaveList(ListId id);
    std::string Read(const char* section, const char* name, const std::string& defaultValue);
    void Write(const char* section, const std::string& name, const std::string& value);

    clsRegistry registry_;
    bool saveOnRelease_;
    bool loading_ = false;
    std::array<bool, kSectionCount> sectionChanged_{};
    std::array<AdvList, kListCount> lists_;
    bool useLogin_ = false;
    bool useFavorite_ = false;
    std::int16_t indexControl_ = 1;
    std::int16_t alertOutOfBounds_ = 0;
    std::int16_t alertRollover_ = 0;
    std::int16_t alertTamper_ = 0;
};

// The store keeps two texts in one value joined with "||" (a login's password and data, a message's route
// number and meter ID) and splits them at the first "||" when it loads: a text that holds "||" itself
// would come back cut. Editors refuse such texts.
bool HoldsSeparator(std::string_view text);

// A login's data text marks a supervisor with a capital "S".
bool HasSupervisorMark(std::string_view Data);

// The program's one shared store: created (and loaded) on first use from `store`.
clsAdvanced& SharedAdvanced(RegistryStore& store);
// Releases the shared store (saving its changed sections) and creates a freshly loaded one, as the
// main window does after the advanced options window closes.
clsAdvanced& ReloadSharedAdvanced(RegistryStore& store);
// Releases the shared store, saving its changed sections (at program end).
void ReleaseSharedAdvanced();

}  // namespace zav
