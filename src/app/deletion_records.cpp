#include "app/deletion_records.h"

#include <algorithm>
#include <charconv>
#include <utility>

#include "app/dates.h"
#include "runtime/paths.h"
#include "runtime/text.h"

namespace vemo {

namespace {

// The first line names the format; a file without it is read all the same.
constexpr std::string_view kFirstLine = "Vemo deletion records 1";
constexpr char kHex[] = "0123456789ABCDEF";

// Tabs part the fields and lines the entries: those, the other control
// bytes and '%' are written as "%XX".
void AppendEscaped(std::string& out, std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '%') {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else {
            out += c;
        }
    }
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// A field's text, cut at `width` - 1 bytes and at a zero as the record keeps
// it; false on a broken escape.
bool Unescape(std::string_view text, std::size_t width, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '%') {
            if (i + 2 >= text.size()) return false;
            const int high = HexValue(text[i + 1]);
            const int low = HexValue(text[i + 2]);
            if (high < 0 || low < 0) return false;
            c = static_cast<char>(high * 16 + low);
            i += 2;
        }
        if (c == '\0') break;
        if (out.size() < width - 1) out += c;
    }
    return true;
}

template <typename Number>
bool ParseNumber(std::string_view text, Number& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

std::string DateOfDay(std::int64_t day) {
    const CivilDate date = CivilFromDays(day);
    // Four digits, as the reader takes them (a clock never stands outside the years a
    // file time can name).
    std::string text = std::to_string(std::clamp(date.year, 1601, 9999));
    text.insert(0, 4 - text.size(), '0');
    text += '-';
    text += TwoDigits(date.month);
    text += '-';
    text += TwoDigits(date.day);
    return text;
}

bool ParseDate(std::string_view text, std::int64_t& day) {
    int year = 0, month = 0, dd = 0;
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' ||
        !ParseNumber(text.substr(0, 4), year) || !ParseNumber(text.substr(5, 2), month) ||
        !ParseNumber(text.substr(8, 2), dd) || year < 1601 || month < 1 || month > 12 || dd < 1 ||
        dd > DaysInMonth(year, month)) {
        return false;
    }
    day = DaysFromCivil(year, month, dd);
    return true;
}

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string_view::npos) return fields;
        start = tab + 1;
    }
}

std::string Lowered(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lowered;
}

}  // namespace

std::string EncodeRecords(const RecordsFile& file) {
    std::string out(kFirstLine);
    out += "\r\nnext\t" + std::to_string(file.next) + "\r\n";
    for (const RecordEntry& record : file.records) {
        out += "D\t" + std::to_string(record.number) + '\t' + DateOfDay(record.day) + '\t' +
               std::to_string(record.remaining);
        for (const std::string* text : {&record.task.text, &record.task.created,
                                        &record.task.remind_date, &record.task.time}) {
            out += '\t';
            AppendEscaped(out, *text);
        }
        out += "\r\n";
    }
    for (const CancelEntry& cancel : file.cancels) {
        out += "C\t";
        AppendEscaped(out, cancel.owner);
        out += '\t' + std::to_string(cancel.number) + '\t' + DateOfDay(cancel.day) + "\r\n";
    }
    return out;
}

RecordsFile DecodeRecords(std::string_view bytes) {
    using namespace record_field;
    RecordsFile file;
    std::uint32_t highest = 0;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const std::vector<std::string_view> fields = Fields(line);
        if (fields[0] == "next" && fields.size() == 2) {
            std::uint32_t next = 0;
            if (ParseNumber(fields[1], next)) file.next = std::max(file.next, next);
        } else if (fields[0] == "D" && fields.size() == 8) {
            RecordEntry record;
            if (ParseNumber(fields[1], record.number) && ParseDate(fields[2], record.day) &&
                ParseNumber(fields[3], record.remaining) &&
                Unescape(fields[4], kTextWidth, record.task.text) &&
                Unescape(fields[5], kCreatedWidth, record.task.created) &&
                Unescape(fields[6], kRemindDateWidth, record.task.remind_date) &&
                Unescape(fields[7], kTimeWidth, record.task.time)) {
                highest = std::max(highest, record.number);
                file.records.push_back(std::move(record));
            }
        } else if (fields[0] == "C" && fields.size() == 4) {
            CancelEntry cancel;
            if (Unescape(fields[1], kTextWidth, cancel.owner) && !cancel.owner.empty() &&
                ParseNumber(fields[2], cancel.number) && ParseDate(fields[3], cancel.day)) {
                file.cancels.push_back(std::move(cancel));
            }
        }
    }
    // A number is never given twice, whatever the "next" line says.
    if (highest != UINT32_MAX) file.next = std::max(file.next, highest + 1);
    return file;
}

std::string RecordsOwnerOf(std::string_view file_name, std::string_view database_name) {
    constexpr std::string_view kEnd = ".del";
    if (file_name.size() <= database_name.size() + 1 + kEnd.size() ||
        !SameFileName(file_name.substr(0, database_name.size()), database_name) ||
        file_name[database_name.size()] != '.' ||
        !SameFileName(file_name.substr(file_name.size() - kEnd.size()), kEnd)) {
        return {};
    }
    return std::string(file_name.substr(database_name.size() + 1,
                                        file_name.size() - database_name.size() - 1 - kEnd.size()));
}

std::string RecordsFileName(std::string_view database_name, std::string_view owner) {
    return JoinText(database_name, ".", owner, ".del");
}

namespace {

// Calls `visit(owner, record)` for every record no file cancels.
template <typename Visit>
void ForEachLiveRecord(std::span<const OwnedRecords> files, Visit&& visit) {
    std::vector<std::pair<std::string, std::uint32_t>> cancelled;
    for (const OwnedRecords& file : files) {
        for (const CancelEntry& cancel : file.file.cancels) {
            cancelled.emplace_back(Lowered(cancel.owner), cancel.number);
        }
    }
    std::sort(cancelled.begin(), cancelled.end());
    for (const OwnedRecords& file : files) {
        const std::string owner = Lowered(file.owner);
        for (const RecordEntry& record : file.file.records) {
            if (!std::binary_search(cancelled.begin(), cancelled.end(),
                                    std::pair(owner, record.number))) {
                visit(file.owner, record);
            }
        }
    }
}

}  // namespace

std::vector<DeletionRecord> LiveRecords(std::span<const OwnedRecords> files) {
    std::vector<DeletionRecord> live;
    ForEachLiveRecord(files, [&](const std::string&, const RecordEntry& record) {
        live.push_back({record.task, record.remaining});
    });
    return live;
}

std::vector<CancelEntry> CancelsFor(const TaskIdentity& task, std::size_t copies,
                                    std::span<const OwnedRecords> files, std::int64_t today) {
    std::vector<CancelEntry> cancels;
    ForEachLiveRecord(files, [&](const std::string& owner, const RecordEntry& record) {
        if (record.remaining < copies && record.task == task) {
            cancels.push_back({owner, record.number, today});
        }
    });
    return cancels;
}

std::size_t CopiesIn(const CreatedCopies& created, std::uint64_t hash) {
    const auto found = std::lower_bound(created.begin(), created.end(), std::pair(hash, std::size_t{0}));
    return found != created.end() && found->first == hash ? found->second : 0;
}

std::vector<CancelEntry> CancelsFor(const CreatedCopies& created,
                                    std::span<const OwnedRecords> files, std::int64_t today) {
    std::vector<CancelEntry> cancels;
    ForEachLiveRecord(files, [&](const std::string& owner, const RecordEntry& record) {
        if (record.remaining < CopiesIn(created, IdentityHash(record.task))) {
            cancels.push_back({owner, record.number, today});
        }
    });
    return cancels;
}

void ApplyCancels(RecordsFile& own, std::string_view owner, std::span<const CancelEntry> cancels) {
    // A Clear All undone cancels thousands: the own ones go in one pass.
    std::vector<std::uint32_t> own_numbers;
    for (const CancelEntry& cancel : cancels) {
        if (SameFileName(cancel.owner, owner)) {
            own_numbers.push_back(cancel.number);
        } else {
            own.cancels.push_back(cancel);
        }
    }
    std::sort(own_numbers.begin(), own_numbers.end());
    std::erase_if(own.records, [&](const RecordEntry& record) {
        return std::binary_search(own_numbers.begin(), own_numbers.end(), record.number);
    });
}

void DropOldRecords(RecordsFile& file, std::int64_t today, std::span<const OwnedRecords> files) {
    std::erase_if(file.records,
                  [&](const RecordEntry& record) { return today - record.day > kRecordDays; });
    const auto still_there = [&](const CancelEntry& cancel) {
        return std::any_of(files.begin(), files.end(), [&](const OwnedRecords& owned) {
            return SameFileName(owned.owner, cancel.owner) &&
                   std::any_of(owned.file.records.begin(), owned.file.records.end(),
                               [&](const RecordEntry& r) { return r.number == cancel.number; });
        });
    };
    std::erase_if(file.cancels, [&](const CancelEntry& cancel) {
        return today - cancel.day > kRecordDays && !still_there(cancel);
    });
}

}  // namespace vemo
