#include "cli/terminal_frontend.h"

#include <unistd.h>

#include <iostream>

#include "core/identity.h"
#include "core/text.h"
#include "exchange/prompts.h"

namespace zav {

namespace {
constexpr int kBarWidth = 40;
}

std::string TerminalText(const std::string& text) { return ReplaceAll(text, "\r\n", "\n"); }

TerminalFrontend::TerminalFrontend()
    : interactive_(::isatty(STDIN_FILENO) && ::isatty(STDERR_FILENO)), progressTerm_(::isatty(STDERR_FILENO)) {}

void TerminalFrontend::EndProgress() {
    if (progressShown_ < 0) return;
    std::fputs("\r\x1b[K", stderr);
    std::fflush(stderr);
    progressShown_ = -1;
}

void TerminalFrontend::AddLog(const std::string& line) {
    EndProgress();
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void TerminalFrontend::SetProgressButton(long max, long current) {
    if (!progressTerm_ || max <= 0) return;
    long clamped = current < 0 ? 0 : (current > max ? max : current);
    const int percent = static_cast<int>(clamped * 100 / max);
    if (percent == progressShown_) return;
    progressShown_ = percent;
    const int filled = percent * kBarWidth / 100;
    std::string bar = "\r[" + std::string(filled, '#') + std::string(kBarWidth - filled, ' ') + "] " +
                      std::to_string(percent) + "%";
    std::fputs(bar.c_str(), stderr);
    std::fflush(stderr);
}

bool TerminalFrontend::AskYesNo(const std::string& title, const std::string& text, bool) {
    if (answerMode_ != AnswerMode::Ask) return answerMode_ == AnswerMode::Yes;
    if (!interactive_) {
        AddLog("Question: " + ReplaceAll(text, "\r\n", " ") + " - answered No");
        return false;
    }
    EndProgress();
    while (true) {
        std::cerr << TerminalText(text) << " [y/n] " << std::flush;
        std::string answer;
        if (!std::getline(std::cin, answer)) return false;
        const std::string a = UCase(Trim(answer));
        if (a == "Y" || a == "YES") return true;
        if (a == "N" || a == "NO") return false;
    }
}

void TerminalFrontend::ShowMessage(const std::string& text, const std::string& title) {
    EndProgress();
    std::cerr << title << ": " << TerminalText(text) << '\n' << std::flush;
}

int TerminalFrontend::AbortRetryIgnore(const std::string& title, const std::string& text) {
    // A command-line run must never loop on Retry: it aborts, and says so.
    ShowMessage(text + " - Abort", title);
    return kAbort;
}

std::string TerminalFrontend::PromptVariables(const std::vector<PromptField>& fields,
                                              std::vector<std::pair<std::string, std::string>>& answers) {
    // Each field with a box (dates and times have none, so no value) takes its --prompt value, else is
    // asked on a terminal until the box would take the answer, else stays empty. The answers then pass
    // the window's OK check, or the answer is "CANCEL".
    answers.clear();
    bool asked = false;
    for (const PromptField& field : fields) {
        if (!HasPromptBox(field.dataType)) continue;
        if (const auto given = promptValues_.find(field.name); given != promptValues_.end()) {
            answers.emplace_back(field.name, given->second);
            continue;
        }
        if (!interactive_) {
            answers.emplace_back(field.name, "");
            continue;
        }
        EndProgress();
        if (!asked) std::cerr << "Runtime Variables\n";
        asked = true;
        while (true) {
            std::cerr << field.name << (field.required ? " (required)" : "") << ": " << std::flush;
            std::string text;
            if (!std::getline(std::cin, text)) {
                std::cerr << '\n';
                return "CANCEL";  // end of input: nothing more can be answered
            }
            const std::string refusal = PromptRefusal({field}, {{field.name, text}});
            if (refusal.empty()) {
                answers.emplace_back(field.name, std::move(text));
                break;
            }
            std::cerr << refusal << '\n';
        }
    }
    if (const std::string refusal = PromptRefusal(fields, answers); !refusal.empty()) {
        ShowMessage(refusal, kAppTitle);
        return "CANCEL";
    }
    return "OK";
}

std::string TerminalFrontend::PromptUnit(const std::vector<std::string>&) { return ""; }

}  // namespace zav
