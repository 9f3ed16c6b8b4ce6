// Runtime prompt values: fields a route map marks "Prompt" get their value from the operator once per
// conversion. DisplayPromptVariables asks the current Frontend and keeps the answers in the one
// program-wide clsPrompts list, from which the route parsers take them.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/frontend.h"

namespace zav {

class clsExchMap;

class clsPrompts {
  public:
    void Clear() { pairs_.clear(); }
    // Appends a pair; names may repeat.
    void Add(std::string fieldName, std::string value) { pairs_.emplace_back(std::move(fieldName), std::move(value)); }
    // The value of the first pair whose name equals `fieldName` exactly (letter case matters); "" if none.
    const std::string& Value(std::string_view fieldName) const;
    const std::vector<std::pair<std::string, std::string>>& Pairs() const { return pairs_; }

  private:
    std::vector<std::pair<std::string, std::string>> pairs_;
};

// The program-wide list, created on first use.
clsPrompts& Prompts();

// The fields of `map` mapped as "Prompt", in map order.
std::vector<PromptField> PromptFields(const clsExchMap& map);

// Whether a field gets an entry box: text and numbers do, dates and times do not (and so get no value).
bool HasPromptBox(int dataType);
bool IsNumericPrompt(int dataType);
// The longest entry a numeric box takes: 3 for integers, 5 for long integers, 10 for reals.
std::size_t NumericPromptMaxLength(int dataType);
// Whether a numeric box can hold `text`: only the digits, "." and "-", and not longer than its maximum.
bool NumericPromptAccepts(int dataType, std::string_view text);

// Checks the answers as the prompt window's OK button does: text boxes in field order, then numeric
// boxes in field order. Returns the message for the first refused box (a required one blank after
// trimming spaces: the field name followed by " Required"; a numeric entry the box cannot hold), or ""
// when every box is acceptable. `answers` holds (name, text) pairs; a box without a pair is empty.
std::string PromptRefusal(const std::vector<PromptField>& fields,
                          const std::vector<std::pair<std::string, std::string>>& answers);

// Shows the runtime prompt for `map` and returns "OK" or "CANCEL". Without prompted fields it returns
// "OK" at once and leaves the list as it is. Otherwise it asks the current Frontend, then empties the
// list; on "OK" it adds one pair per box, text fields first, then numeric ones, each in map order.
// Answers the frontend returns that the window would refuse are shown as a message and turn the answer
// into "CANCEL".
std::string DisplayPromptVariables(const clsExchMap& map);

}  // namespace zav
