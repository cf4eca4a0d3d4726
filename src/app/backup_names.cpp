#include "app/backup_names.h"

#include <algorithm>
#include <functional>

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

constexpr std::string_view kMomentShape = "dddd-dd-dd-dddddd";

bool HasShape(std::string_view text, std::string_view shape) {
    if (text.size() != shape.size()) return false;
    for (std::size_t i = 0; i < shape.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (shape[i] == 'd' ? !digit : text[i] != shape[i]) return false;
    }
    return true;
}

std::string Digits(std::string_view time) {
    std::string digits;
    for (char c : time) {
        if (c != ':') digits += c;
    }
    return digits;
}

// The "yyyy-mm-dd-hhmmss" of this computer's merge copy of this stem, or "".
std::string_view MergeMomentOf(std::string_view name, std::string_view stem,
                               std::string_view computer) {
    const std::size_t moment = stem.size() + 1;
    const std::size_t rest = moment + kMomentShape.size();
    if (computer.empty() || name.size() <= rest || !SameName(name.substr(0, stem.size()), stem) ||
        name[stem.size()] != '-' ||
        !HasShape(name.substr(moment, kMomentShape.size()), kMomentShape)) {
        return {};
    }
    const std::string_view tail = name.substr(rest);
    for (const std::string_view kind : {".found", ".here"}) {
        if (SameName(tail,
                     "." + std::string(computer) + std::string(kind) + std::string(kExtension))) {
            return name.substr(moment, kMomentShape.size());
        }
    }
    return {};
}

}  // namespace

std::string MergeBackupName(std::string_view stem, std::string_view date, std::string_view time,
                            std::string_view computer, bool found) {
    return std::string(stem) + "-" + std::string(date) + "-" + Digits(time) + "." +
           std::string(computer) + (found ? ".found" : ".here") + std::string(kExtension);
}

std::vector<std::string> MergeBackupsToDelete(std::vector<std::string> names, std::string_view stem,
                                              std::string_view computer, std::size_t keep) {
    std::erase_if(names, [&](const std::string& name) {
        return MergeMomentOf(name, stem, computer).empty();
    });
    std::vector<std::string_view> moments;
    for (const std::string& name : names) moments.push_back(MergeMomentOf(name, stem, computer));
    std::sort(moments.begin(), moments.end(), std::greater<>());
    moments.erase(std::unique(moments.begin(), moments.end()), moments.end());
    if (moments.size() <= keep) return {};
    const std::string newest_gone(moments[keep]);
    std::erase_if(names, [&](const std::string& name) {
        return MergeMomentOf(name, stem, computer) > newest_gone;
    });
    return names;
}

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
    std::string name = std::string(stem) + "-" + std::string(date) + "-" + Digits(time);
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
