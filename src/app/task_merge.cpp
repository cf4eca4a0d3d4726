#include "app/task_merge.h"

#include <algorithm>
#include <tuple>

#include "runtime/text.h"

namespace vemo {

namespace {

constexpr std::uint64_t kFnvStart = 0xCBF29CE484222325ull;

void HashByte(std::uint64_t& hash, unsigned char byte) {
    hash = (hash ^ byte) * 0x100000001B3ull;
}

void HashText(std::uint64_t& hash, std::string_view text) {
    for (const char c : text) HashByte(hash, static_cast<unsigned char>(c));
    HashByte(hash, 0);
}

// The text a record keeps of a field, borrowed.
std::string_view StoredView(std::string_view text, std::size_t width) {
    return text.substr(0, std::min(text.find('\0'), width - 1));
}

// The four texts that make a task, as the record keeps them.
struct Stored {
    std::string_view text, created, remind_date, time;
    explicit Stored(const TaskRowView& row)
        : text(StoredView(row.text, record_field::kTextWidth)),
          created(StoredView(row.created, record_field::kCreatedWidth)),
          remind_date(StoredView(row.remind_date, record_field::kRemindDateWidth)),
          time(StoredView(row.time, record_field::kTimeWidth)) {}
    bool operator==(const Stored&) const = default;
};

// A number as the columns hold them; the usual " 5" read at once, anything
// else as the program reads numbers everywhere.
std::int64_t NumberOf(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (negative) ++i;
    std::int64_t value = 0;
    const std::size_t digits = i;
    for (; i < text.size() && i - digits < 9 && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
    }
    if (i == text.size() && i > digits) return negative ? -value : value;
    return RoundHalfEven(TextToNumber(text));
}

std::int32_t PriorityOf(const TaskRowView& row) {
    return static_cast<std::int32_t>(NumberOf(row.priority));
}

bool Inactive(const TaskRowView& row) {
    return NumberOf(row.state) == 6;
}

bool SameAttributes(const TaskRowView& a, const TaskRowView& b) {
    return (a.priority == b.priority || PriorityOf(a) == PriorityOf(b)) &&
           (a.state == b.state || Inactive(a) == Inactive(b));
}

// Copy k of a task on both sides: the file's row, with the attributes
// changed here on this side's copy. The state code stays the file's (the
// tick rewrites it) unless the inactive mark is this side's and differs.
TaskRowView Resolve(const TaskRowView& here, const LocalFlags* flags, const TaskRowView& file) {
    TaskRowView row = file;
    if (flags == nullptr) return row;
    if (flags->priority_changed) row.priority = here.priority;
    if (flags->inactive_changed && Inactive(here) != Inactive(file)) {
        row.state = Inactive(here) ? " 6" : " 5";
    }
    return row;
}

// A row of either side, sorted so each task's rows lie together: this
// side's taking part, then the file's, then this side's left out (a PC
// away), each in their order.
enum Side : int { kHere = 0, kFile = 1, kLeftOut = 2 };
struct Entry {
    std::uint64_t hash;
    int task;  // its index in the tasks, once grouped
    int side;
    int row;
};

struct Task {
    int begin = 0;  // its entries
    int here = 0, file = 0, left_out = 0;
    std::size_t kept = 0;
};

}  // namespace

std::uint64_t IdentityHash(const TaskRowView& row) {
    const Stored task(row);
    std::uint64_t hash = kFnvStart;
    for (const std::string_view text : {task.text, task.created, task.remind_date, task.time}) {
        HashText(hash, text);
    }
    return hash;
}

std::uint64_t IdentityHash(const TaskIdentity& task) {
    return IdentityHash(TaskRowView{task.text, {}, task.created, task.remind_date, task.time, {}});
}

namespace {

// One row's task and attributes, into `hash`.
void HashRow(std::uint64_t& hash, const TaskRowView& row) {
    const Stored task(row);
    for (const std::string_view text : {task.text, task.created, task.remind_date, task.time}) {
        HashText(hash, text);
    }
    HashByte(hash, static_cast<unsigned char>(Inactive(row)));
    const auto priority = static_cast<std::uint32_t>(PriorityOf(row));
    for (int shift = 0; shift < 32; shift += 8) {
        HashByte(hash, static_cast<unsigned char>(priority >> shift));
    }
}

}  // namespace

std::uint64_t ListHash(const TaskRows& rows) {
    std::uint64_t hash = kFnvStart;
    for (int i = 0; i < rows.Count(); ++i) HashRow(hash, rows.View(i));
    return hash;
}

std::uint64_t TaskSetHash(const TaskRows& rows) {
    std::uint64_t sum = 0;
    for (int i = 0; i < rows.Count(); ++i) {
        std::uint64_t hash = kFnvStart;
        HashRow(hash, rows.View(i));
        // Mixed before summing, so that no two rows' hashes cancel out.
        hash ^= hash >> 33;
        hash *= 0xFF51AFD7ED558CCDull;
        hash ^= hash >> 33;
        sum += hash;
    }
    return sum;
}

TaskIdentity IdentityOf(const TaskRowView& row) {
    const Stored task(row);
    return {std::string(task.text), std::string(task.created), std::string(task.remind_date),
            std::string(task.time)};
}

TaskIdentity IdentityOf(const TaskRow& row) {
    return IdentityOf(
        TaskRowView{row.text, row.priority, row.created, row.remind_date, row.time, row.state});
}

bool SameTask(const TaskRowView& a, const TaskRowView& b) {
    return Stored(a) == Stored(b);
}

MergedList MergeTaskLists(const TaskRows& here, std::span<const LocalFlags> flags,
                          const TaskRows& file, std::span<const DeletionRecord> live_records,
                          bool edits_only) {
    const auto flagged = [&](int row) -> const LocalFlags* {
        return flags.empty() ? nullptr : &flags[static_cast<std::size_t>(row)];
    };
    const auto view = [&](const Entry& entry) {
        return entry.side == kFile ? file.View(entry.row) : here.View(entry.row);
    };
    std::vector<Entry> entries;
    entries.reserve(static_cast<std::size_t>(here.Count() + file.Count()));
    for (int row = 0; row < here.Count(); ++row) {
        const LocalFlags* f = flagged(row);
        const bool edited =
            f != nullptr && (f->created || f->priority_changed || f->inactive_changed);
        entries.push_back(
            {IdentityHash(here.View(row)), 0, edits_only && !edited ? kLeftOut : kHere, row});
    }
    for (int row = 0; row < file.Count(); ++row) {
        entries.push_back({IdentityHash(file.View(row)), 0, kFile, row});
    }
    const auto by_hash = [](const Entry& a, const Entry& b) {
        return std::tie(a.hash, a.side, a.row) < std::tie(b.hash, b.side, b.row);
    };
    std::sort(entries.begin(), entries.end(), by_hash);

    // Tasks: rows of one hash that are one task. Two tasks sharing a hash
    // are told apart by their texts, and their rows sorted apart.
    std::vector<Task> tasks;
    tasks.reserve(entries.size());
    bool shared_hash = false;
    for (std::size_t run = 0; run < entries.size();) {
        std::size_t end = run + 1;
        while (end < entries.size() && entries[end].hash == entries[run].hash) ++end;
        const int first_task = static_cast<int>(tasks.size());
        for (std::size_t i = run; i < end; ++i) {
            int task = first_task;
            while (task < static_cast<int>(tasks.size()) &&
                   !SameTask(view(entries[static_cast<std::size_t>(tasks[task].begin)]),
                             view(entries[i]))) {
                ++task;
            }
            if (task == static_cast<int>(tasks.size())) {
                tasks.push_back({static_cast<int>(i)});
                if (task > first_task) shared_hash = true;
            }
            entries[i].task = task;
        }
        run = end;
    }
    if (shared_hash) {
        std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
            return std::tie(a.task, a.side, a.row) < std::tie(b.task, b.side, b.row);
        });
        for (Task& task : tasks) task.begin = -1;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            Task& task = tasks[static_cast<std::size_t>(entries[i].task)];
            if (task.begin < 0) task.begin = static_cast<int>(i);
        }
    }
    // Where each row is: its task and which copy of it on its side.
    // One block for the four: a large list's fresh pages cost more than
    // the work.
    const auto here_rows = static_cast<std::size_t>(here.Count());
    const auto file_rows = static_cast<std::size_t>(file.Count());
    std::vector<int> places(2 * (here_rows + file_rows));
    int* const task_of_here = places.data();
    int* const copy_of_here = task_of_here + here_rows;
    int* const task_of_file = copy_of_here + here_rows;
    int* const copy_of_file = task_of_file + file_rows;
    for (const Entry& entry : entries) {
        Task& task = tasks[static_cast<std::size_t>(entry.task)];
        const auto row = static_cast<std::size_t>(entry.row);
        if (entry.side == kFile) {
            task_of_file[row] = entry.task;
            copy_of_file[row] = task.file++;
        } else if (entry.side == kHere) {
            task_of_here[row] = entry.task;
            copy_of_here[row] = task.here++;
        } else {
            task_of_here[row] = -1;
            ++task.left_out;
        }
    }
    for (Task& task : tasks) task.kept = static_cast<std::size_t>(std::max(task.here, task.file));
    for (const DeletionRecord& record : live_records) {
        const TaskRowView task{record.task.text, {}, record.task.created, record.task.remind_date,
                               record.task.time, {}};
        const std::uint64_t hash = IdentityHash(task);
        auto at = std::lower_bound(entries.begin(), entries.end(), hash,
                                   [](const Entry& e, std::uint64_t h) { return e.hash < h; });
        for (; at != entries.end() && at->hash == hash; ++at) {
            if (SameTask(view(*at), task)) {
                Task& found = tasks[static_cast<std::size_t>(at->task)];
                found.kept = std::min(found.kept, record.remaining);
                break;
            }
        }
    }

    MergedList merged;
    merged.equals_file = true;
    // The file's order first, then what only this side has, in its order.
    // When the merge removes none of the file's rows, it is the file's rows
    // copied whole, a few cells rewritten, this side's own rows after them.
    const bool keeps_file = std::all_of(tasks.begin(), tasks.end(), [](const Task& task) {
        return task.kept >= static_cast<std::size_t>(task.file);
    });
    if (keeps_file) {
        merged.rows = file;
    } else {
        const std::size_t room = std::max(here.TextBytes(), file.TextBytes());
        merged.rows.Reserve(static_cast<std::size_t>(std::max(here.Count(), file.Count())),
                            room + room / 8);
    }
    int out = 0;  // the merged row the file's next kept row becomes
    for (int row = 0; row < file.Count(); ++row) {
        const Task& task =
            tasks[static_cast<std::size_t>(task_of_file[static_cast<std::size_t>(row)])];
        const auto k = static_cast<std::size_t>(copy_of_file[static_cast<std::size_t>(row)]);
        if (k >= task.kept) continue;
        const TaskRowView theirs = file.View(row);
        TaskRowView resolved = theirs;
        if (static_cast<int>(k) < task.here) {
            const Entry& entry = entries[static_cast<std::size_t>(task.begin) + k];
            const TaskRowView mine = here.View(entry.row);
            resolved = Resolve(mine, flagged(entry.row), theirs);
            if (!SameAttributes(resolved, mine)) ++merged.changed;
            if (!SameAttributes(resolved, theirs)) merged.equals_file = false;
        }
        if (!keeps_file) {
            merged.rows.Append(resolved);
        } else {
            // Copied into the rows being rewritten first: they may move.
            if (resolved.priority.data() != theirs.priority.data()) {
                merged.rows.Set(out, TaskField::Priority, std::string(resolved.priority));
            }
            if (resolved.state.data() != theirs.state.data()) {
                merged.rows.Set(out, TaskField::State, std::string(resolved.state));
            }
        }
        ++out;
    }
    for (int row = 0; row < here.Count(); ++row) {
        const int t = task_of_here[static_cast<std::size_t>(row)];
        if (t < 0) continue;
        const Task& task = tasks[static_cast<std::size_t>(t)];
        const auto k = static_cast<std::size_t>(copy_of_here[static_cast<std::size_t>(row)]);
        if (static_cast<int>(k) >= task.file && k < task.kept) merged.rows.Append(here.View(row));
    }
    for (const Task& task : tasks) {
        // Against the whole list shown here, rows left out included.
        const auto shown = static_cast<std::size_t>(task.here + task.left_out);
        merged.changed += task.kept > shown ? task.kept - shown : shown - task.kept;
        if (task.kept != static_cast<std::size_t>(task.file)) merged.equals_file = false;
    }
    return merged;
}

}  // namespace vemo
