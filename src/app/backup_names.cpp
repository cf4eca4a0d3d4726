#include "app/backup_names.h"

#include <algorithm>

namespace vemo {

namespace {

constexpr std::string_view kBackupFolder = "backups";
constexpr std::string_view kExtension = ".dat";
constexpr std::string_view kDateShape = "dddd-dd-dd";

std::size_t NameStart(std::string_view path) {
    // "C:vemo.dat" names a file in drive C's current folder.
    const auto separator = path.find_last_of("\\/:");
    return separator == std::string_view::npos ? 0 : separator + 1;
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return Lower(x) == Lower(y); });
}

// The "yyyy-mm-dd" of a name of this stem that IsDatedBackupName accepted.
std::string_view DateOf(std::string_view name, std::string_view stem) {
    return name.substr(stem.size() + 1, kDateShape.size());
}

}  // namespace

std::string BackupFolderFor(std::string_view database_path) {
    return std::string(database_path.substr(0, NameStart(database_path))) +
           std::string(kBackupFolder);
}

std::string BackupStemOf(std::string_view database_path) {
    const std::string_view name = database_path.substr(NameStart(database_path));
    const auto dot = name.rfind('.');
    // A name that is all extension (".dat") keeps it.
    return std::string(dot == std::string_view::npos || dot == 0 ? name : name.substr(0, dot));
}

std::string DatedBackupName(std::string_view stem, std::string_view date,
                            std::string_view computer) {
    std::string name = std::string(stem) + "-" + std::string(date);
    if (!computer.empty()) name += "." + std::string(computer);
    return name + std::string(kExtension);
}

std::string ClearAllBackupName(std::string_view stem, std::string_view date, std::string_view time,
                               int attempt) {
    std::string name = std::string(stem) + "-" + std::string(date) + "-";
    for (char c : time) {
        if (c != ':') name += c;
    }
    if (attempt > 1) name += "-" + std::to_string(attempt);
    return name + std::string(kExtension);
}

bool IsDatedBackupName(std::string_view name, std::string_view stem, std::string_view computer) {
    const std::size_t dated = stem.size() + 1 + kDateShape.size();
    if (name.size() < dated + kExtension.size() || !SameName(name.substr(0, stem.size()), stem) ||
        name[stem.size()] != '-' ||
        !SameName(name.substr(name.size() - kExtension.size()), kExtension)) {
        return false;
    }
    const std::string_view date = DateOf(name, stem);
    for (std::size_t i = 0; i < kDateShape.size(); ++i) {
        const bool digit = date[i] >= '0' && date[i] <= '9';
        if (kDateShape[i] == 'd' ? !digit : date[i] != kDateShape[i]) return false;
    }
    // Between the date and the extension: nothing (an older copy), or this
    // computer's name after a dot.
    const std::string_view between = name.substr(dated, name.size() - dated - kExtension.size());
    return between.empty() || (!computer.empty() && between.size() == computer.size() + 1 &&
                               between.front() == '.' && SameName(between.substr(1), computer));
}

std::vector<std::string> DatedBackupsToDelete(std::vector<std::string> names, std::string_view stem,
                                              std::string_view computer, std::size_t keep) {
    std::erase_if(names, [stem, computer](const std::string& name) {
        return !IsDatedBackupName(name, stem, computer);
    });
    if (names.size() <= keep) return {};
    // Newest first; "yyyy-mm-dd" sorts as the dates do.
    std::sort(names.begin(), names.end(), [stem](const std::string& a, const std::string& b) {
        return DateOf(a, stem) > DateOf(b, stem);
    });
    names.erase(names.begin(), names.begin() + static_cast<std::ptrdiff_t>(keep));
    return names;
}

}  // namespace vemo
