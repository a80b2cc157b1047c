#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace ruvo::layering {

// Which folder may include which, as layers.txt writes it.
class LayerTable {
  public:
    // Reads the table's text; throws std::runtime_error on a line it cannot read or a use of a
    // folder it does not name.
    explicit LayerTable(std::string_view text);

    // The longest folder of the table that holds the path ("control/core/surface.h" is in
    // control/core), or "" when none does.
    std::string layerOf(std::string_view path) const;
    // The folders the table names for a folder, as written.
    const std::vector<std::string>& directUses(const std::string& folder) const;
    // Whether sources of one folder may include headers of the other.
    bool mayInclude(const std::string& from, const std::string& to) const;
    std::vector<std::string> folders() const;

  private:
    std::map<std::string, std::vector<std::string>> m_uses;
    std::map<std::string, std::set<std::string>> m_allowed; // the uses with all they use
};

// A source file and the project headers it includes, by their paths from the repository root.
struct SourceFile {
    std::string path;
    std::vector<std::string> includes;
};

// The quoted and angled includes of a source text that name a path with a folder
// ("host/widget.h"), in order.
std::vector<std::string> includesOf(std::string_view text);

// The C++ sources (.cpp and .h) that git tracks in the work tree whose top is root, as paths
// from root ("host/widget.h"), sorted; std::nullopt when git cannot say: no git program, or root
// not the top of a work tree, as in a source tarball. Whatever else lies in the tree, such as an
// IDE's build folder, is not the repository's.
std::optional<std::vector<std::string>> trackedSources(const std::filesystem::path& root);

// For a tree without git: the C++ sources at root and below the named folders, as paths from root,
// sorted, leaving out hidden folders, build folders (build*) and node_modules.
std::vector<std::string> sourcesBelow(const std::filesystem::path& root,
                                      const std::vector<std::string>& folders);

// One line for each file outside every folder of the table and for each include that its folder
// may not use, as "dating/x.cpp includes control/core/surface.h, which dating may not use".
// Includes of files that are not in the repository (a library's) are not judged.
std::vector<std::string> violations(const LayerTable&, const std::vector<SourceFile>&,
                                    const std::set<std::string>& repositoryFiles);

} // namespace ruvo::layering
