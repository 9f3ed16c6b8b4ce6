// A scripted Frontend for tests: answers from queues and records every call, so a test can assert the
// exact run log and the questions asked. Install it with zav::ScopedFrontend.
#pragma once

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "core/frontend.h"

namespace zav::test {

class FakeFrontend final : public Frontend {
public:
    // Scripted answers, taken in order. A question asked with an empty queue fails the test and
    // answers No / Abort / CANCEL / "".
    std::deque<bool> yesNoAnswers;
    std::deque<int> abortRetryIgnoreAnswers;
    struct PromptAnswer {
        std::string result;  // "OK" or "CANCEL"
        std::vector<std::pair<std::string, std::string>> answers;
    };
    std::deque<PromptAnswer> promptAnswers;
    std::deque<std::string> unitAnswers;

    // What was said: the run log lines, and every other call as one text each:
    // "AskYesNo(title|text)", "ShowMessage(title|text)", "AbortRetryIgnore(title|text)",
    // "PromptVariables(name,name...)", "PromptUnit(unit,unit...)".
    std::vector<std::string> log;
    std::vector<std::string> calls;
    std::vector<std::pair<long, long>> progress;

    void AddLog(const std::string& line) override;
    void SetProgressButton(long max, long current) override;
    bool AskYesNo(const std::string& title, const std::string& text, bool questionIcon) override;
    void ShowMessage(const std::string& text, const std::string& title) override;
    int AbortRetryIgnore(const std::string& title, const std::string& text) override;
    std::string PromptVariables(const std::vector<PromptField>& fields,
                                std::vector<std::pair<std::string, std::string>>& answers) override;
    std::string PromptUnit(const std::vector<std::string>& units) override;
};

}  // namespace zav::test
