// The only way core code reaches a person: the run log, progress, questions and prompts.
//
// Three implementations: the Qt windows (src/ui), the terminal (src/cli) and a scripted fake for tests.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace zav {

// One field of a conversion map that is asked for before a conversion.
struct PromptField {
    std::string name;
    int dataType = 0;  // the map's data type code of the field
    bool required = false;
};

// Buttons of an Abort/Retry/Ignore question.
enum AbortRetryIgnoreAnswer : int { kAbort = 3, kRetry = 4, kIgnore = 5 };

struct Frontend {
    virtual ~Frontend() = default;

    // Run log: one line (without its line break).
    virtual void AddLog(const std::string& line) = 0;
    // Progress of the running command: `current` out of `max`.
    virtual void SetProgressButton(long max, long current) = 0;
    // A Yes/No question; true for Yes.
    virtual bool AskYesNo(const std::string& title, const std::string& text, bool questionIcon) = 0;
    // A message box with an OK button.
    virtual void ShowMessage(const std::string& text, const std::string& title) = 0;
    // An Abort/Retry/Ignore question; returns kAbort, kRetry or kIgnore.
    virtual int AbortRetryIgnore(const std::string& title, const std::string& text) = 0;
    // Asks for the fields (in map order); fills `answers` with (name, text) pairs and returns "OK" or
    // "CANCEL".
    virtual std::string PromptVariables(const std::vector<PromptField>& fields,
                                        std::vector<std::pair<std::string, std::string>>& answers) = 0;
    // Asks which unit (HotSync user) to use; "" when cancelled.
    virtual std::string PromptUnit(const std::vector<std::string>& units) = 0;
};

// The program's current frontend. Before one is installed, a plain one writes the run log to
// standard output and messages to standard error and answers every question with No/Cancel.
Frontend& CurrentFrontend();

// Installs `frontend` as the current one for the lifetime of this object, then restores the previous.
class ScopedFrontend {
public:
    explicit ScopedFrontend(Frontend& frontend);
    ~ScopedFrontend();
    ScopedFrontend(const ScopedFrontend&) = delete;
    ScopedFrontend& operator=(const ScopedFrontend&) = delete;

private:
    Frontend* previous_;
};

// The module-level log routine: the one way drivers, converters, the installer and the distribution
// loader write to the run log.
void AddLog(const std::string& message);

// Progress of the running command, on the current frontend.
void SetProgressButton(long max, long current);

}  // namespace zav
