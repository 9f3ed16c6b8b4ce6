// A Frontend for benchmarks and fuzz targets: it swallows the run log and progress, answers every
// Yes/No question with `yes`, Abort/Retry/Ignore with Abort, and the runtime prompt with
// `promptResult` and `promptAnswers`. Header-only, so the targets need no test library.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/frontend.h"

namespace zav::test {

struct QuietFrontend final : Frontend {
    explicit QuietFrontend(bool yes_ = true, std::string promptResult_ = "OK",
                           std::vector<std::pair<std::string, std::string>> promptAnswers_ = {})
        : yes(yes_), promptResult(std::move(promptResult_)), promptAnswers(std::move(promptAnswers_)) {}

    bool yes;
    std::string promptResult;
    std::vector<std::pair<std::string, std::string>> promptAnswers;

    void AddLog(const std::string&) override {}
    void SetProgressButton(long, long) override {}
    bool AskYesNo(const std::string&, const std::string&, bool) override { return yes; }
    void ShowMessage(const std::string&, const std::string&) override {}
    int AbortRetryIgnore(const std::string&, const std::string&) override { return kAbort; }
    std::string PromptVariables(const std::vector<PromptField>&,
                                std::vector<std::pair<std::string, std::string>>& answers) override {
        answers = promptAnswers;
        return promptResult;
    }
    std::string PromptUnit(const std::vector<std::string>&) override { return ""; }
};

}  // namespace zav::test
