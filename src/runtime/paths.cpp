#include "runtime/paths.h"

#include <cstdint>

namespace vemo {

std::string FolderOfModulePath(std::string_view module_path) {
    const auto last = module_path.rfind('\\');
    if (last == std::string_view::npos) return std::string(module_path);
    return std::string(module_path.substr(0, last + 1));
}

std::string TemporaryPathFor(std::string_view path) {
    return std::string(path) + ".saving";
}

std::string FolderKey(std::string_view folder) {
    auto is_separator = [](char c) { return c == '\\' || c == '/'; };
    while (!folder.empty() && is_separator(folder.back())) folder.remove_suffix(1);
    constexpr std::uint64_t kFnvOffsetBasis = 0xcbf29ce484222325u;
    constexpr std::uint64_t kFnvPrime = 0x100000001b3u;
    std::uint64_t hash = kFnvOffsetBasis;
    for (char c : folder) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c == '/') c = '\\';
        hash = (hash ^ static_cast<unsigned char>(c)) * kFnvPrime;
    }
    constexpr char kDigits[] = "0123456789abcdef";
    std::string key(16, '0');
    for (int i = 15; i >= 0; --i, hash >>= 4) key[static_cast<std::size_t>(i)] = kDigits[hash & 15];
    return key;
}

}  // namespace vemo
