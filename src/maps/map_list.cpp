#include "maps/map_list.h"

#include <algorithm>

#include "core/text.h"
#include "maps/map_use.h"

namespace zav {

std::string RemoveExtensionEverywhere(const std::string& fileName, const std::string& extension) {
    if (extension.empty()) return fileName;
    const std::string upperName = UCase(fileName);
    const std::string upperExtension = UCase(extension);
    std::string out;
    std::size_t from = 0;
    for (std::size_t at = upperName.find(upperExtension); at != std::string::npos;
         at = upperName.find(upperExtension, from)) {
        out.append(fileName, from, at - from);
        from = at + extension.size();
    }
    out.append(fileName, from, std::string::npos);
    return out;
}

std::vector<std::string> ListMapNames(const std::filesystem::path& folder, int use) {
    const std::string extension = MapUseExtension(use);
    std::vector<std::string> names;
    if (extension.empty()) return names;
    const std::string upperExtension = UCase(extension);
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string file = it->path().filename().string();
        const std::string upper = UCase(file);
        if (upper.size() < upperExtension.size() ||
            upper.compare(upper.size() - upperExtension.size(), upperExtension.size(), upperExtension) != 0)
            continue;
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        std::string name = RemoveExtensionEverywhere(file, extension);
        if (!name.empty()) names.push_back(std::move(name));  // a file named by the extension alone names no map
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string ua = UCase(a), ub = UCase(b);
        return ua != ub ? ua < ub : a < b;
    });
    return names;
}

}  // namespace zav
