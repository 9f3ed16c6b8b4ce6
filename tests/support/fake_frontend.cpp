#include "support/fake_frontend.h"

#include <gtest/gtest.h>

namespace zav::test {

namespace {
template <typename T>
T Take(std::deque<T>& queue, const std::string& call, T fallback) {
    if (queue.empty()) {
        ADD_FAILURE() << "unscripted call: " << call;
        return fallback;
    }
    T v = std::move(queue.front());
    queue.pop_front();
    return v;
}

std::string Joined(const std::vector<std::string>& items) {
    std::string s;
    for (const auto& i : items) s += (s.empty() ? "" : ",") + i;
    return s;
}
}  // namespace

void FakeFrontend::AddLog(const std::string& line) { log.push_back(line); }

void FakeFrontend::SetProgressButton(long max, long current) { progress.emplace_back(max, current); }

bool FakeFrontend::AskYesNo(const std::string& title, const std::string& text, bool) {
    calls.push_back("AskYesNo(" + title + "|" + text + ")");
    return Take(yesNoAnswers, calls.back(), false);
}

void FakeFrontend::ShowMessage(const std::string& text, const std::string& title) {
    calls.push_back("ShowMessage(" + title + "|" + text + ")");
}

int FakeFrontend::AbortRetryIgnore(const std::string& title, const std::string& text) {
    calls.push_back("AbortRetryIgnore(" + title + "|" + text + ")");
    return Take(abortRetryIgnoreAnswers, calls.back(), static_cast<int>(kAbort));
}

std::string FakeFrontend::PromptVariables(const std::vector<PromptField>& fields,
                                          std::vector<std::pair<std::string, std::string>>& answers) {
    std::vector<std::string> names;
    for (const auto& f : fields) names.push_back(f.name);
    calls.push_back("PromptVariables(" + Joined(names) + ")");
    PromptAnswer a = Take(promptAnswers, calls.back(), PromptAnswer{"CANCEL", {}});
    answers = std::move(a.answers);
    return a.result;
}

std::string FakeFrontend::PromptUnit(const std::vector<std::string>& units) {
    calls.push_back("PromptUnit(" + Joined(units) + ")");
    return Take(unitAnswers, calls.back(), std::string());
}

}  // namespace zav::test
