#include "layers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace ruvo::layering {
namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

const fs::path root = RUVO_SOURCE_DIR;

LayerTable repositoryTable() {
    return LayerTable(readFile(root / "layers.txt"));
}

// Every C++ source of the checkout, leaving out build folders and hidden ones.
std::vector<SourceFile> repositorySources() {
    std::vector<SourceFile> files;
    for (auto entry = fs::recursive_directory_iterator(root); entry != fs::end(entry); ++entry) {
        const std::string name = entry->path().filename().string();
        if (entry->is_directory() &&
            (name.starts_with(".") || name.starts_with("build") || name == "node_modules")) {
            entry.disable_recursion_pending();
            continue;
        }
        const std::string extension = entry->path().extension().string();
        if (entry->is_regular_file() && (extension == ".cpp" || extension == ".h"))
            files.push_back({fs::relative(entry->path(), root).generic_string(),
                             includesOf(readFile(entry->path()))});
    }
    return files;
}

std::set<std::string> pathsOf(const std::vector<SourceFile>& files) {
    std::set<std::string> paths;
    for (const SourceFile& file : files)
        paths.insert(file.path);
    return paths;
}

TEST(Layering, EveryIncludeOfTheRepositoryIsOneItsFolderMayUse) {
    const auto files = repositorySources();
    ASSERT_GT(files.size(), 100u);
    for (const std::string& violation : violations(repositoryTable(), files, pathsOf(files)))
        ADD_FAILURE() << violation;
}

// The checker itself, on a small tree: an include upward, one that skips a layer downward, a
// file outside every folder, a library's header.
TEST(Layering, ReportsAnIncludeItsFolderMayNotUse) {
    const LayerTable table("host:\ndating: host\ncontrol/core: dating\npickers: control/core\n"
                           "tests: *\n");
    const std::vector<SourceFile> files = {
        {"host/widget.h", {}},
        {"dating/date.cpp", {"host/widget.h", "control/core/surface.h"}},
        {"control/core/surface.h", {"host/widget.h", "gtest/gtest.h"}},
        {"pickers/date_pickers.cpp", {"host/widget.h", "control/core/surface.h"}},
        {"tests/any_test.cpp", {"pickers/date_pickers.cpp"}},
        {"elsewhere/stray.cpp", {}},
    };
    EXPECT_EQ(violations(table, files, pathsOf(files)),
              (std::vector<std::string>{
                  "dating/date.cpp includes control/core/surface.h, which dating may not use",
                  "elsewhere/stray.cpp lies in no folder of the layer table"}));
}

TEST(Layering, ASourceBelongsToTheLongestFolderThatHoldsIt) {
    const LayerTable table("control/core:\ncontrol: control/core\n");
    EXPECT_EQ(table.layerOf("control/core/surface.h"), "control/core");
    EXPECT_EQ(table.layerOf("control/moravine.h"), "control");
    EXPECT_EQ(table.layerOf("controls/x.h"), "");
    EXPECT_TRUE(table.mayInclude("control", "control/core"));
    EXPECT_FALSE(table.mayInclude("control/core", "control"));
}

TEST(Layering, ATableThatUsesAnUnnamedFolderIsRefused) {
    EXPECT_THROW(LayerTable("dating: host\n"), std::runtime_error);
    EXPECT_THROW(LayerTable("host\n"), std::runtime_error);
}

// The README's Layout table says, for each folder, the same uses as layers.txt.
TEST(Layering, TheReadmeNamesTheSameUses) {
    const LayerTable table = repositoryTable();
    const std::string readme = readFile(root / "README.md");
    const std::regex row(R"(^\| `([a-z/-]+)/` \|.*\| ([^|]*) \|\s*$)");
    const std::regex folder("`([a-z/*-]+?)/?`");
    std::set<std::string> described;
    std::istringstream lines(readme);
    for (std::string line; std::getline(lines, line);) {
        std::smatch match;
        if (!std::regex_match(line, match, row))
            continue;
        const std::string name = match[1];
        const std::string usesCell = match[2];
        const auto folders = table.folders();
        if (std::find(folders.begin(), folders.end(), name) == folders.end())
            continue; // a folder without sources, such as the pictures
        described.insert(name);
        std::set<std::string> uses;
        for (auto it = std::sregex_iterator(usesCell.begin(), usesCell.end(), folder);
             it != std::sregex_iterator(); ++it)
            uses.insert((*it)[1]);
        const auto& named = table.directUses(name);
        EXPECT_EQ(uses, std::set<std::string>(named.begin(), named.end())) << name;
    }
    for (const std::string& name : table.folders())
        EXPECT_TRUE(described.contains(name))
            << "the README's Layout table has no row for " << name;
}

} // namespace
} // namespace ruvo::layering
