#include "layers.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
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

// The C++ sources of the repository: those git tracks, so that whatever else lies in the
// checkout (an IDE's cmake-build-debug/, an out/ folder) is not judged. A source tarball has no
// git to ask; there, those below the table's top folders and at the root.
std::vector<SourceFile> repositorySources() {
    std::optional<std::vector<std::string>> paths = trackedSources(root);
    if (!paths) {
        std::set<std::string> tops;
        for (const std::string& folder : repositoryTable().folders())
            tops.insert(folder.substr(0, folder.find('/')));
        paths = sourcesBelow(root, std::vector<std::string>(tops.begin(), tops.end()));
        std::cout << "git cannot list the files of " << root.string()
                  << ": the sources are those found below the layer table's folders\n";
    }
    std::vector<SourceFile> files;
    for (const std::string& path : *paths)
        files.push_back({path, includesOf(readFile(root / path))});
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

// A folder of its own under the system's temporary one, removed with everything in it.
class ScratchTree {
  public:
    ScratchTree()
        : m_root(fs::temp_directory_path() /
                 ("ruvo_layering_" + std::to_string(getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
        fs::remove_all(m_root);
        fs::create_directories(m_root);
    }
    ~ScratchTree() { fs::remove_all(m_root); }
    ScratchTree(const ScratchTree&) = delete;
    ScratchTree& operator=(const ScratchTree&) = delete;

    const fs::path& root() const { return m_root; }
    void write(const std::string& path, const std::string& text) const {
        fs::create_directories((m_root / path).parent_path());
        std::ofstream(m_root / path) << text;
    }
    // Runs git in the tree; true when it succeeds.
    bool git(const std::string& arguments) const {
        return std::system(("git -C '" + m_root.string() + "' " + arguments + " >/dev/null 2>&1")
                               .c_str()) == 0;
    }

  private:
    fs::path m_root;
};

// An IDE's build folder, an out/ folder and a file not yet added are not the repository's, even
// where they would break the table.
TEST(Layering, TheSourcesAreThoseGitTracks) {
    const ScratchTree tree;
    if (!tree.git("init -q"))
        GTEST_SKIP() << "git cannot make a repository here";
    tree.write("host/widget.h", "");
    tree.write("dating/date.cpp", "#include \"host/widget.h\"\n");
    ASSERT_TRUE(tree.git("add host/widget.h dating/date.cpp"));
    tree.write("host/scratch.cpp", "#include \"dating/date.cpp\"\n");
    tree.write("cmake-build-debug/CMakeFiles/probe.cpp", "");
    tree.write("out/generated.h", "#include \"dating/date.cpp\"\n");

    const auto paths = trackedSources(tree.root());
    ASSERT_TRUE(paths.has_value());
    EXPECT_EQ(*paths, (std::vector<std::string>{"dating/date.cpp", "host/widget.h"}));
    std::vector<SourceFile> files;
    for (const std::string& path : *paths)
        files.push_back({path, includesOf(readFile(tree.root() / path))});
    EXPECT_EQ(violations(LayerTable("host:\ndating: host\n"), files, pathsOf(files)),
              std::vector<std::string>{});
}

// Without git, as in a source tarball, the folders named are walked, leaving out hidden, build
// and node_modules folders; a file at the top is kept so that the table can judge it.
TEST(Layering, WithoutGitTheNamedFoldersAreWalked) {
    const ScratchTree tree;
    for (const char* path : {"stray.cpp", "host/widget.h", "host/.cache/clangd.h",
                             "host/build-arm/moc.cpp", "tests/web/node_modules/addon/addon.h",
                             "tests/a_test.cpp", "out/generated.h", "host/notes.txt"})
        tree.write(path, "");
    EXPECT_FALSE(trackedSources(tree.root()).has_value());
    EXPECT_EQ(sourcesBelow(tree.root(), {"host", "tests"}),
              (std::vector<std::string>{"host/widget.h", "stray.cpp", "tests/a_test.cpp"}));
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
