// Case-insensitive path resolution and sorted listings over std::filesystem.
#include "platform/FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <system_error>

#include <signal.h>
#include <unistd.h>

#include "platform/GameFolders.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const char la = LowerAscii(a[i]);
        const char lb = LowerAscii(b[i]);
        if (la != lb) return static_cast<unsigned char>(la) < static_cast<unsigned char>(lb);
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;  // names equal but for case: a fixed order all the same
}

// Finds the entry of `dir` whose name equals `name` without regard to case;
// the first in sorted order when several do.
std::optional<std::string> FindEntryIgnoringCase(const fs::path& dir, const std::string& name) {
    std::error_code ec;
    fs::directory_iterator it(dir.empty() ? fs::path(".") : dir, ec);
    if (ec) return std::nullopt;
    std::optional<std::string> best;
    for (const auto& entry : it) {
        std::string candidate = entry.path().filename().string();
        if (EqualsIgnoringCase(candidate, name) && (!best || LessIgnoringCase(candidate, *best))) {
            best = std::move(candidate);
        }
    }
    return best;
}

// Matches each component of a real path without regard to case.
std::string ResolveCase(const std::string& normal) {
    std::error_code ec;
    if (normal.empty() || fs::exists(normal, ec)) return normal;

    fs::path resolved;
    size_t pos = 0;
    if (normal[0] == '/') {
        resolved = "/";
        pos = 1;
    }
    bool matching = true;  // stops once a component is missing
    while (pos <= normal.size()) {
        size_t slash = normal.find('/', pos);
        if (slash == std::string::npos) slash = normal.size();
        std::string part = normal.substr(pos, slash - pos);
        pos = slash + 1;
        if (part.empty()) continue;
        if (part == "." || part == "..") {
            resolved /= part;
            continue;
        }
        if (matching && !fs::exists(resolved / part, ec)) {
            if (auto found = FindEntryIgnoringCase(resolved, part)) {
                part = *found;
            } else {
                matching = false;
            }
        }
        resolved /= part;
    }
    return resolved.generic_string();
}

}  // namespace

std::string NormalizeSeparators(std::string_view path) {
    std::string out(path);
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    }
    return true;
}

namespace {

// Where a game path is written and first looked for, and where it is read
// from when not there (the data folder under the player's folder).
struct MappedPath {
    std::string primary;
    std::string fallback;
};

bool IsDataPath(std::string_view path) {
    return path.size() >= 4 && EqualsIgnoringCase(path.substr(0, 4), "data") &&
           (path.size() == 4 || path[4] == '/');
}

MappedPath MapGamePath(const std::string& normal) {
    if (!AreGameFoldersSet() || normal.empty() || normal[0] == '/') return {normal, {}};
    std::string_view rest = normal;
    while (rest.size() >= 2 && rest.substr(0, 2) == "./") rest.remove_prefix(2);
    const GameFolders& folders = CurrentGameFolders();
    const std::string user = folders.user.empty() ? "." : folders.user;
    if (!IsDataPath(rest)) return {user + "/" + std::string(rest), {}};
    std::string under(rest.substr(std::min<size_t>(rest.size(), 5)));
    while (!under.empty() && under.back() == '/') under.pop_back();
    const std::string tail = under.empty() ? std::string() : "/" + under;
    const std::string inData = (folders.data.empty() ? std::string("data") : folders.data) + tail;
    if (!folders.overlay && !IsPlayerOwnedDataPath(under)) return {inData, {}};
    const std::string inUser = user + "/data" + tail;
    return {inUser, inUser == inData ? std::string() : inData};
}

bool Exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(path, ec);
}

}  // namespace

std::string ResolvePath(std::string_view path) {
    const MappedPath mapped = MapGamePath(NormalizeSeparators(path));
    const std::string primary = ResolveCase(mapped.primary);
    if (mapped.fallback.empty() || Exists(primary)) return primary;
    const std::string fallback = ResolveCase(mapped.fallback);
    return Exists(fallback) ? fallback : primary;
}

std::string ResolvePathForWriting(std::string_view path) {
    return ResolveCase(MapGamePath(NormalizeSeparators(path)).primary);
}

bool FileExists(std::string_view path) {
    std::ifstream in(ResolvePath(path), std::ios::binary);
    return in.good() && !DirectoryExists(path);
}

bool DirectoryExists(std::string_view path) {
    std::error_code ec;
    return fs::is_directory(ResolvePath(path), ec);
}

std::optional<std::string> ReadFile(std::string_view path) {
    const std::string real = ResolvePath(path);
    std::error_code ec;
    if (fs::is_directory(real, ec)) return std::nullopt;
    std::ifstream in(real, std::ios::binary);
    if (!in) return std::nullopt;
    std::string data;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size > 0) {
        data.resize(static_cast<size_t>(size));
        in.seekg(0, std::ios::beg);
        in.read(data.data(), size);
        data.resize(static_cast<size_t>(in.gcount()));
    }
    return data;
}

std::optional<std::string> ReadRegularFile(std::string_view path, std::uintmax_t maxBytes,
                                           std::string* error) {
    const std::string real = ResolvePath(path);
    const auto fail = [&](const std::string& why) -> std::optional<std::string> {
        if (error) *error = why;
        return std::nullopt;
    };
    std::error_code ec;
    const fs::file_status status = fs::status(real, ec);
    if (!fs::exists(status)) return fail("the file does not exist");
    if (!fs::is_regular_file(status)) return fail("it is not a regular file");
    const std::uintmax_t size = fs::file_size(real, ec);
    if (ec) return fail("its size cannot be read: " + ec.message());
    if (size > maxBytes)
        return fail("it is " + std::to_string(size / (1024 * 1024)) +
                    " MB, more than the " + std::to_string(maxBytes / (1024 * 1024)) +
                    " MB such a file can be");
    auto text = ReadFile(path);
    if (!text) return fail("the file cannot be read");
    return text;
}

namespace {

// Where a write to `target` lands: through symbolic links to the file they
// name, so that replacing it keeps the player's link.
fs::path FollowLinks(fs::path target) {
    std::error_code ec;
    for (int depth = 0; depth < 16 && fs::is_symlink(fs::symlink_status(target, ec)); ++depth) {
        const fs::path linked = fs::read_symlink(target, ec);
        if (ec) break;
        target = linked.is_absolute() ? linked : target.parent_path() / linked;
    }
    return target;
}

}  // namespace

bool WriteFileAtomically(std::string_view path, std::string_view contents, std::string* error) {
    const fs::path named = ResolvePathForWriting(path);
    const fs::path target = FollowLinks(named);
    // A fresh player's folder lacks the game's folders ("data", "debugdata").
    if (AreGameFoldersSet() && !target.parent_path().empty()) {
        std::error_code ignored;
        fs::create_directories(target.parent_path(), ignored);
    }
    const fs::path temp = target.parent_path() /
                          ("." + target.filename().string() + ".tmp" + std::to_string(::getpid()));
    auto fail = [&](const std::string& why) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        if (error) *error = why;
        return false;
    };
    {
        std::error_code ec;
        const fs::file_status status = fs::symlink_status(target, ec);
        if (fs::exists(status) && !fs::is_regular_file(status))
            return fail((target == named ? std::string("it")
                                         : "the file it links to, " + target.generic_string() + ",") +
                        " is not a regular file and was left as it was");
    }
    {
        std::FILE* f = std::fopen(temp.c_str(), "wb");
        if (!f) return fail("cannot open " + temp.generic_string() + " for writing");
        const bool written = std::fwrite(contents.data(), 1, contents.size(), f) == contents.size();
        const bool flushed = std::fflush(f) == 0 && ::fsync(::fileno(f)) == 0;
        const bool closed = std::fclose(f) == 0;
        if (!written || !flushed || !closed) return fail("cannot write " + temp.generic_string());
    }
    std::error_code ec;
    fs::rename(temp, target, ec);
    if (ec) return fail("cannot replace " + target.generic_string() + ": " + ec.message());
    return true;
}

int RemoveStaleTemporaryFiles(std::string_view folder) {
    std::error_code ec;
    int removed = 0;
    for (const auto& entry : fs::directory_iterator(ResolvePathForWriting(folder), ec)) {
        if (!entry.is_regular_file(ec)) continue;
        // ".<name>.tmp<pid>", as WriteFileAtomically names them.
        const std::string name = entry.path().filename().string();
        const size_t tmp = name.rfind(".tmp");
        if (name.empty() || name[0] != '.' || tmp == std::string::npos || tmp + 4 >= name.size())
            continue;
        const std::string digits = name.substr(tmp + 4);
        if (digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 9)
            continue;
        const pid_t pid = static_cast<pid_t>(std::stol(digits));
        if (pid > 0 && (::kill(pid, 0) == 0 || errno != ESRCH)) continue;  // still writing
        if (fs::remove(entry.path(), ec)) ++removed;
    }
    return removed;
}

bool CreateDirectories(std::string_view path) {
    const std::string real = ResolvePathForWriting(path);
    std::error_code ec;
    fs::create_directories(real, ec);
    return fs::is_directory(real, ec);
}

bool RemoveFile(std::string_view path) {
    std::error_code ec;
    return fs::remove(ResolvePathForWriting(path), ec);
}

bool MatchesWildcard(std::string_view name, std::string_view pattern) {
    // Iterative matcher with one back-tracking point for the last "*".
    size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || LowerAscii(pattern[p]) == LowerAscii(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

std::vector<std::string> ListFiles(std::string_view pattern) {
    const std::string normal = NormalizeSeparators(pattern);
    const size_t slash = normal.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : normal.substr(0, slash);
    const std::string mask = slash == std::string::npos ? normal : normal.substr(slash + 1);

    std::vector<std::string> names;
    std::set<std::string> listed;  // lower case
    // The player's folder, then the data folder under it; a name found in
    // both is listed once.
    const MappedPath folders = MapGamePath(dir.empty() ? "/" : dir);
    for (const std::string& folder : {folders.primary, folders.fallback}) {
        if (folder.empty()) continue;
        std::error_code ec;
        fs::directory_iterator it(ResolveCase(folder), ec);
        if (ec) continue;
        for (const auto& entry : it) {
            if (!entry.is_regular_file(ec)) continue;
            std::string name = entry.path().filename().string();
            std::string lower = name;
            for (char& c : lower) c = LowerAscii(c);
            if (MatchesWildcard(name, mask) && listed.insert(lower).second) names.push_back(std::move(name));
        }
    }
    std::sort(names.begin(), names.end(), LessIgnoringCase);
    return names;
}

}  // namespace platform
