// The command line's Frontend: run log on standard output, messages and the progress bar on standard
// error, questions answered by --yes/--no, on a terminal, or else No (and logged).
#pragma once

#include <cstdio>
#include <map>
#include <string>

#include "core/frontend.h"

namespace zav {

enum class AnswerMode { Ask, Yes, No };

class TerminalFrontend final : public Frontend {
public:
    TerminalFrontend();

    void SetAnswerMode(AnswerMode mode) { answerMode_ = mode; }
    // Whether questions and prompted fields may be asked on the terminal (found out at construction).
    void SetInteractive(bool interactive) { interactive_ = interactive; }
    // Values for prompted fields, given with --prompt FIELD=VALUE.
    void SetPromptValues(std::map<std::string, std::string> values) { promptValues_ = std::move(values); }
    const std::map<std::string, std::string>& PromptValues() const { return promptValues_; }

    void AddLog(const std::string& line) override;
    void SetProgressButton(long max, long current) override;
    bool AskYesNo(const std::string& title, const std::string& text, bool questionIcon) override;
    void ShowMessage(const std::string& text, const std::string& title) override;
    int AbortRetryIgnore(const std::string& title, const std::string& text) override;
    std::string PromptVariables(const std::vector<PromptField>& fields,
                                std::vector<std::pair<std::string, std::string>>& answers) override;
    std::string PromptUnit(const std::vector<std::string>& units) override;

    // Removes the progress bar from the terminal (at the end of a command).
    void EndProgress();

private:
    bool interactive_;    // standard input and standard error are a terminal
    bool progressTerm_;   // standard error is a terminal
    int progressShown_ = -1;  // the percentage on screen, -1 when no bar is shown
    AnswerMode answerMode_ = AnswerMode::Ask;
    std::map<std::string, std::string> promptValues_;
};

// Message texts hold CR LF between their lines; on a terminal a line feed is enough.
std::string TerminalText(const std::string& text);

}  // namespace zav
