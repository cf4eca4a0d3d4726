#include "runtime/paths.h"

#include <algorithm>

#include <cstdint>

namespace vemo {

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsAbsolute(std::string_view path) {
    const bool drive = path.size() >= 2 && path[1] == ':';
    return drive || (!path.empty() && IsSeparator(path.front()));
}

}  // namespace

std::string FolderOfModulePath(std::string_view module_path) {
    const auto last = module_path.rfind('\\');
    if (last == std::string_view::npos) return std::string(module_path);
    return std::string(module_path.substr(0, last + 1));
}

std::string TemporaryPathOf(std::string_view path, std::string_view owner) {
    std::string temporary(path);
    if (!owner.empty()) temporary += "." + std::string(owner);
    return temporary + ".saving";
}

std::string FolderKey(std::string_view folder) {
    while (!folder.empty() && IsSeparator(folder.back())) folder.remove_suffix(1);
    constexpr std::uint64_t kFnvOffsetBasis = 0xcbf29ce484222325u;
    constexpr std::uint64_t kFnvPrime = 0x100000001b3u;
    std::uint64_t hash = kFnvOffsetBasis;
    for (char c : folder) {
        c = c == '/' ? '\\' : LowerAscii(c);
        hash = (hash ^ static_cast<unsigned char>(c)) * kFnvPrime;
    }
    constexpr char kDigits[] = "0123456789abcdef";
    std::string key(16, '0');
    for (int i = 15; i >= 0; --i, hash >>= 4) key[static_cast<std::size_t>(i)] = kDigits[hash & 15];
    return key;
}

std::string PathRelativeTo(std::string_view path, std::string_view folder) {
    if (folder.empty() || !IsSeparator(folder.back()) || path.size() <= folder.size()) {
        return std::string(path);
    }
    for (std::size_t i = 0; i < folder.size(); ++i) {
        const bool same = IsSeparator(folder[i]) ? IsSeparator(path[i])
                                                 : LowerAscii(folder[i]) == LowerAscii(path[i]);
        if (!same) return std::string(path);
    }
    const std::string_view rest = path.substr(folder.size());
    // A rest that climbs out again, or one that reads as absolute, stays whole.
    if (IsAbsolute(rest) || rest.find("..") != std::string_view::npos) return std::string(path);
    return std::string(rest);
}

std::string PathInFolder(std::string_view path, std::string_view folder) {
    if (path.empty() || IsAbsolute(path)) return std::string(path);
    return std::string(folder) + std::string(path);
}

bool SameFileName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

}  // namespace vemo
