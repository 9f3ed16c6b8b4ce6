// --prompt FIELD=VALUE: values for the fields a route map prompts for.
#include "cli/command.h"
#include "exchange/prompts.h"
#include "maps/exch_map.h"

namespace zav {

std::map<std::string, std::string> ParsePromptOptions(const std::vector<std::string>& options) {
    std::map<std::string, std::string> values;
    for (const std::string& option : options) {
        const std::size_t eq = option.find('=');
        if (eq == std::string::npos || eq == 0) throw UsageError{"--prompt takes FIELD=VALUE, not \"" + option + "\""};
        if (!values.emplace(option.substr(0, eq), option.substr(eq + 1)).second)
            throw UsageError{"--prompt " + option.substr(0, eq) + " is given twice"};
    }
    return values;
}

void CheckPromptOptions(const clsExchMap& map, const std::map<std::string, std::string>& values) {
    const std::vector<PromptField> fields = PromptFields(map);
    for (const auto& [name, value] : values) {
        bool known = false;
        for (const PromptField& f : fields) known = known || f.name == name;
        if (!known) throw UsageError{"--prompt " + name + ": the map " + map.MapName() + " prompts for no such field"};
    }
}

}  // namespace zav
