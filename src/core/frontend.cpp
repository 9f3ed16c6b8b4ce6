#include "core/frontend.h"

#include <cstdio>

namespace zav {
namespace {

// Used until a real frontend is installed: log to stdout, messages to stderr, every question No.
struct PlainFrontend final : Frontend {
    void AddLog(const std::string& line) override {
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
    }
    void SetProgressButton(long, long) override {}
    bool AskYesNo(const std::string&, const std::string&, bool) override { return false; }
    void ShowMessage(const std::string& text, const std::string& title) override {
        std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
    }
    int AbortRetryIgnore(const std::string&, const std::string&) override { return kAbort; }
    std::string PromptVariables(const std::vector<PromptField>&,
                                std::vector<std::pair<std::string, std::string>>&) override {
        return "CANCEL";
    }
    std::string PromptUnit(const std::vector<std::string>&) override { return ""; }
};

PlainFrontend plainFrontend;
Frontend* current = &plainFrontend;

}  // namespace

Frontend& CurrentFrontend() { return *current; }

ScopedFrontend::ScopedFrontend(Frontend& frontend) : previous_(current) { current = &frontend; }
ScopedFrontend::~ScopedFrontend() { current = previous_; }

void AddLog(const std::string& message) { current->AddLog(message); }
void SetProgressButton(long max, long value) { current->SetProgressButton(max, value); }

}  // namespace zav
