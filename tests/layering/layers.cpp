#include "layers.h"

#include <regex>
#include <sstream>
#include <stdexcept>

namespace ruvo::layering {

namespace {

bool holds(std::string_view folder, std::string_view path) {
    return path.size() > folder.size() && path.starts_with(folder) && path[folder.size()] == '/';
}

} // namespace

LayerTable::LayerTable(std::string_view text) {
    std::istringstream lines{std::string(text)};
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty() || line.front() == '#')
            continue;
        const auto colon = line.find(':');
        if (colon == std::string::npos)
            throw std::runtime_error("no colon in the layer line \"" + line + "\"");
        std::istringstream words(line.substr(colon + 1));
        auto& uses = m_uses[line.substr(0, colon)];
        for (std::string word; words >> word;)
            uses.push_back(word);
    }
    // Each folder may use what it names and, in turn, what those may use.
    for (const auto& [folder, uses] : m_uses) {
        std::set<std::string>& allowed = m_allowed[folder];
        std::vector<std::string> pending(uses.begin(), uses.end());
        while (!pending.empty()) {
            const std::string next = pending.back();
            pending.pop_back();
            if (next != "*" && !m_uses.contains(next))
                throw std::runtime_error(folder + " uses " + next +
                                         ", which the table does not name");
            if (!allowed.insert(next).second || next == "*")
                continue;
            for (const std::string& use : m_uses.at(next))
                pending.push_back(use);
        }
    }
}

std::string LayerTable::layerOf(std::string_view path) const {
    std::string layer;
    for (const auto& [folder, uses] : m_uses) {
        if (holds(folder, path) && folder.size() > layer.size())
            layer = folder;
    }
    return layer;
}

const std::vector<std::string>& LayerTable::directUses(const std::string& folder) const {
    return m_uses.at(folder);
}

bool LayerTable::mayInclude(const std::string& from, const std::string& to) const {
    if (from == to)
        return true;
    const auto found = m_allowed.find(from);
    return found != m_allowed.end() && (found->second.contains("*") || found->second.contains(to));
}

std::vector<std::string> LayerTable::folders() const {
    std::vector<std::string> names;
    for (const auto& entry : m_uses)
        names.push_back(entry.first);
    return names;
}

std::vector<std::string> includesOf(std::string_view text) {
    static const std::regex include(R"(^\s*#\s*include\s*["<]([^">]+/[^">]+)[">])");
    std::vector<std::string> found;
    std::istringstream lines{std::string(text)};
    std::smatch match;
    for (std::string line; std::getline(lines, line);) {
        if (std::regex_search(line, match, include))
            found.push_back(match[1]);
    }
    return found;
}

std::vector<std::string> violations(const LayerTable& table, const std::vector<SourceFile>& files,
                                    const std::set<std::string>& repositoryFiles) {
    std::vector<std::string> found;
    for (const SourceFile& file : files) {
        const std::string from = table.layerOf(file.path);
        if (from.empty()) {
            found.push_back(file.path + " lies in no folder of the layer table");
            continue;
        }
        for (const std::string& include : file.includes) {
            if (!repositoryFiles.contains(include))
                continue;
            const std::string to = table.layerOf(include);
            if (!table.mayInclude(from, to))
                found.push_back(file.path + " includes " + include + ", which " + from +
                                " may not use");
        }
    }
    return found;
}

} // namespace ruvo::layering
