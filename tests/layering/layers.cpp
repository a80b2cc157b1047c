#include "layers.h"

#include <algorithm>
#include <cstdio>
#include <regex>
#include <sstream>
#include <stdexcept>

namespace ruvo::layering {

namespace {

namespace fs = std::filesystem;

bool holds(std::string_view folder, std::string_view path) {
    return path.size() > folder.size() && path.starts_with(folder) && path[folder.size()] == '/';
}

bool isSource(const fs::path& path) {
    const std::string extension = path.extension().string();
    return extension == ".cpp" || extension == ".h";
}

// A word for the shell: the path in single quotes, each quote of its own written '\''.
std::string shellWord(const std::string& text) {
    std::string word = "'";
    for (const char c : text)
        word += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return word + "'";
}

// What the command prints on its standard output, or std::nullopt when it cannot be run or
// fails; what it prints on its standard error is dropped.
std::optional<std::string> outputOf(const std::string& command) {
    FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    if (!pipe)
        return std::nullopt;
    std::string output;
    char buffer[4096];
    for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, read);
    if (pclose(pipe) != 0)
        return std::nullopt;
    return output;
}

} // namespace

std::optional<std::vector<std::string>> trackedSources(const fs::path& root) {
    const std::string git = "git -C " + shellWord(root.string());
    // In a folder below the top of a work tree (a tarball unpacked inside another checkout), git
    // would answer for that other repository.
    const auto prefix = outputOf(git + " rev-parse --show-prefix");
    if (!prefix || *prefix != "\n")
        return std::nullopt;
    const auto listing = outputOf(git + " ls-files -z");
    if (!listing)
        return std::nullopt;
    std::vector<std::string> paths;
    std::istringstream names(*listing);
    for (std::string name; std::getline(names, name, '\0');) {
        // A tracked file deleted from the work tree and not yet from the index is not a source.
        if (isSource(name) && fs::is_regular_file(root / name))
            paths.push_back(name);
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

std::vector<std::string> sourcesBelow(const fs::path& root,
                                      const std::vector<std::string>& folders) {
    std::vector<std::string> paths;
    for (const auto& entry : fs::directory_iterator(root)) {
        if (entry.is_regular_file() && isSource(entry.path()))
            paths.push_back(entry.path().filename().generic_string());
    }
    for (const std::string& folder : folders) {
        if (!fs::is_directory(root / folder))
            continue;
        for (auto entry = fs::recursive_directory_iterator(root / folder); entry != fs::end(entry);
             ++entry) {
            const std::string name = entry->path().filename().string();
            if (entry->is_directory() &&
                (name.starts_with(".") || name.starts_with("build") || name == "node_modules")) {
                entry.disable_recursion_pending();
                continue;
            }
            if (entry->is_regular_file() && isSource(entry->path()))
                paths.push_back(fs::relative(entry->path(), root).generic_string());
        }
    }
    // A folder and one inside it (control and control/core) both reach the inner one's files.
    std::sort(paths.begin(), paths.end());
    paths.erase(std::unique(paths.begin(), paths.end()), paths.end());
    return paths;
}

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
