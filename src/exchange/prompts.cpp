#include "exchange/prompts.h"

#include "core/identity.h"
#include "core/text.h"
#include "maps/exch_map.h"

namespace zav {

namespace {

using Answers = std::vector<std::pair<std::string, std::string>>;

// The text given for `name`: the first answer with that exact name, or "".
const std::string& AnswerFor(const Answers& answers, const std::string& name) {
    static const std::string empty;
    for (const auto& [n, v] : answers)
        if (n == name) return v;
    return empty;
}

// Calls `f` for every field with a box: text boxes first, then numeric ones, each in field order.
template <typename F>
void ForEachBox(const std::vector<PromptField>& fields, F&& f) {
    for (const PromptField& field : fields)
        if (HasPromptBox(field.dataType) && !IsNumericPrompt(field.dataType)) f(field);
    for (const PromptField& field : fields)
        if (IsNumericPrompt(field.dataType)) f(field);
}

}  // namespace

const std::string& clsPrompts::Value(std::string_view fieldName) const {
    static const std::string empty;
    for (const auto& [name, value] : pairs_)
        if (name == fieldName) return value;
    return empty;
}

clsPrompts& Prompts() {
    static clsPrompts prompts;
    return prompts;
}

std::vector<PromptField> PromptFields(const clsExchMap& map) {
    std::vector<PromptField> fields;
    for (const MapField& f : map.Fields())
        if (f.MapOption == kMapPrompt) fields.push_back({f.FieldName, f.DataType, f.Required});
    return fields;
}

bool IsNumericPrompt(int dataType) { return dataType == kInteger || dataType == kLong || dataType == kReal; }
bool HasPromptBox(int dataType) { return dataType == kText || IsNumericPrompt(dataType); }

std::size_t NumericPromptMaxLength(int dataType) {
    switch (dataType) {
        case kInteger:
            return 3;
        case kLong:
            return 5;
        case kReal:
            return 10;
        default:
            return 0;
    }
}

bool NumericPromptAccepts(int dataType, std::string_view text) {
    if (text.size() > NumericPromptMaxLength(dataType)) return false;
    for (char c : text)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-')) return false;
    return true;
}

std::string PromptRefusal(const std::vector<PromptField>& fields, const Answers& answers) {
    std::string refusal;
    ForEachBox(fields, [&](const PromptField& field) {
        if (!refusal.empty()) return;
        const std::string& text = AnswerFor(answers, field.name);
        if (field.required && Trim(text).empty())
            refusal = field.name + " Required";
        else if (IsNumericPrompt(field.dataType) && !NumericPromptAccepts(field.dataType, text))
            refusal = field.name + " takes only digits, \".\" and \"-\", at most " +
                      std::to_string(NumericPromptMaxLength(field.dataType)) + " characters";
    });
    return refusal;
}

std::string DisplayPromptVariables(const clsExchMap& map) {
    const std::vector<PromptField> fields = PromptFields(map);
    if (fields.empty()) return "OK";  // no row: the window is not shown
    Answers answers;
    std::string result = CurrentFrontend().PromptVariables(fields, answers);
    Prompts().Clear();
    if (result != "OK") return "CANCEL";
    if (const std::string refusal = PromptRefusal(fields, answers); !refusal.empty()) {
        CurrentFrontend().ShowMessage(refusal, kAppTitle);
        return "CANCEL";
    }
    ForEachBox(fields, [&](const PromptField& field) { Prompts().Add(field.name, AnswerFor(answers, field.name)); });
    return "OK";
}

}  // namespace zav
