#include "app/task_merge.h"

#include <algorithm>
#include <map>

#include "runtime/text.h"

namespace vemo {

namespace {

// A text as a record field of `width` bytes keeps it.
std::string AsStored(const std::string& text, std::size_t width) {
    return text.substr(0, std::min(text.find('\0'), width - 1));
}

std::int32_t PriorityOf(const TaskRow& row) {
    return RoundTo<std::int32_t>(TextToNumber(row.priority));
}

bool Inactive(const TaskRow& row) {
    return RoundHalfEven(TextToNumber(row.state)) == 6;
}

// The text a record keeps of a field, borrowed.
std::string_view StoredView(std::string_view text, std::size_t width) {
    return text.substr(0, std::min(text.find('\0'), width - 1));
}

class ListHasher {
  public:
    void Add(const TaskRowView& row) {
        using namespace record_field;
        Text(StoredView(row.text, kTextWidth));
        Text(StoredView(row.created, kCreatedWidth));
        Text(StoredView(row.remind_date, kRemindDateWidth));
        Text(StoredView(row.time, kTimeWidth));
        const std::int32_t priority = RoundTo<std::int32_t>(TextToNumber(row.priority));
        const bool inactive = RoundHalfEven(TextToNumber(row.state)) == 6;
        Byte(static_cast<unsigned char>(inactive));
        for (int shift = 0; shift < 32; shift += 8) {
            Byte(static_cast<unsigned char>(static_cast<std::uint32_t>(priority) >> shift));
        }
    }
    std::uint64_t value() const { return hash_; }

  private:
    void Byte(unsigned char byte) { hash_ = (hash_ ^ byte) * 0x100000001B3ull; }
    void Text(std::string_view text) {
        for (const char c : text) Byte(static_cast<unsigned char>(c));
        Byte(0);
    }
    std::uint64_t hash_ = 0xCBF29CE484222325ull;
};

// Where one task stands on each side: its rows here and in the file, in
// their order, and how many copies the merge keeps.
struct Task {
    std::vector<std::size_t> here;
    std::vector<std::size_t> file;
    std::size_t kept = 0;
};

// Copy k of a task, from the rows both sides have of it.
TaskRow Resolve(const LocalRow* here, const TaskRow* file) {
    if (file == nullptr) return here->row;
    if (here == nullptr) return *file;
    TaskRow row = *file;
    if (here->priority_changed) row.priority = here->row.priority;
    const bool inactive = here->inactive_changed ? Inactive(here->row) : Inactive(*file);
    // The code is this PC's tick's; only the inactive mark is decided here.
    row.state = here->row.state;
    if (inactive) {
        row.state = " 6";
    } else if (Inactive(row)) {
        row.state = " 5";
    }
    return row;
}

bool SameAttributes(const TaskRow& a, const TaskRow& b) {
    return PriorityOf(a) == PriorityOf(b) && Inactive(a) == Inactive(b);
}

}  // namespace

std::uint64_t ListHash(std::span<const TaskRow> rows) {
    ListHasher hasher;
    for (const TaskRow& row : rows) {
        hasher.Add({row.text, row.priority, row.created, row.remind_date, row.time, row.state});
    }
    return hasher.value();
}

std::uint64_t ListHash(const TaskRows& rows) {
    ListHasher hasher;
    for (int row = 0; row < rows.Count(); ++row) hasher.Add(rows.View(row));
    return hasher.value();
}

TaskIdentity IdentityOf(const TaskRowView& row) {
    using namespace record_field;
    return {std::string(StoredView(row.text, kTextWidth)),
            std::string(StoredView(row.created, kCreatedWidth)),
            std::string(StoredView(row.remind_date, kRemindDateWidth)),
            std::string(StoredView(row.time, kTimeWidth))};
}

bool SameTask(const TaskRowView& a, const TaskRowView& b) {
    using namespace record_field;
    return StoredView(a.text, kTextWidth) == StoredView(b.text, kTextWidth) &&
           StoredView(a.created, kCreatedWidth) == StoredView(b.created, kCreatedWidth) &&
           StoredView(a.remind_date, kRemindDateWidth) ==
               StoredView(b.remind_date, kRemindDateWidth) &&
           StoredView(a.time, kTimeWidth) == StoredView(b.time, kTimeWidth);
}

TaskIdentity IdentityOf(const TaskRow& row) {
    using namespace record_field;
    return {AsStored(row.text, kTextWidth), AsStored(row.created, kCreatedWidth),
            AsStored(row.remind_date, kRemindDateWidth), AsStored(row.time, kTimeWidth)};
}

MergedList MergeTaskLists(std::span<const LocalRow> all_here, std::span<const TaskRow> file,
                          std::span<const DeletionRecord> live_records, bool edits_only) {
    std::vector<LocalRow> edits;
    if (edits_only) {
        for (const LocalRow& row : all_here) {
            if (row.created || row.priority_changed || row.inactive_changed) edits.push_back(row);
        }
    }
    const std::span<const LocalRow> here = edits_only ? std::span<const LocalRow>(edits) : all_here;
    // Each row's task, and which copy of it the row is on its side.
    std::map<TaskIdentity, Task> tasks;
    struct Place {
        Task* task;
        std::size_t copy;
    };
    std::vector<Place> of_here(here.size());
    std::vector<Place> of_file(file.size());
    for (std::size_t i = 0; i < here.size(); ++i) {
        Task& task = tasks[IdentityOf(here[i].row)];
        of_here[i] = {&task, task.here.size()};
        task.here.push_back(i);
    }
    for (std::size_t i = 0; i < file.size(); ++i) {
        Task& task = tasks[IdentityOf(file[i])];
        of_file[i] = {&task, task.file.size()};
        task.file.push_back(i);
    }
    for (auto& [identity, task] : tasks) task.kept = std::max(task.here.size(), task.file.size());
    for (const DeletionRecord& record : live_records) {
        const auto task = tasks.find(record.task);
        if (task != tasks.end()) task->second.kept = std::min(task->second.kept, record.remaining);
    }

    MergedList merged;
    merged.rows.reserve(std::max(here.size(), file.size()));
    merged.equals_file = true;
    const auto copy = [&](const Task& task, std::size_t k) {
        const LocalRow* mine = k < task.here.size() ? &here[task.here[k]] : nullptr;
        const TaskRow* theirs = k < task.file.size() ? &file[task.file[k]] : nullptr;
        TaskRow row = Resolve(mine, theirs);
        if (mine != nullptr && !SameAttributes(row, mine->row)) ++merged.changed;
        if (theirs == nullptr || !SameAttributes(row, *theirs)) merged.equals_file = false;
        merged.rows.push_back(std::move(row));
    };
    // The file's order first, then what only this side has, in its order.
    for (const auto& [task, k] : of_file) {
        if (k < task->kept) copy(*task, k);
    }
    for (const auto& [task, k] : of_here) {
        if (k >= task->file.size() && k < task->kept) copy(*task, k);
    }
    // Against the whole list shown here, rows left out included.
    std::map<TaskIdentity, std::size_t> shown;
    if (edits_only) {
        for (const LocalRow& row : all_here) {
            const TaskIdentity identity = IdentityOf(row.row);
            // A row left out whose task neither side keeps is gone from the list.
            if (!tasks.contains(identity)) ++merged.changed;
            ++shown[identity];
        }
    }
    for (const auto& [identity, task] : tasks) {
        std::size_t before = task.here.size();
        if (edits_only) {
            const auto found = shown.find(identity);
            before = found == shown.end() ? 0 : found->second;
        }
        merged.changed += task.kept > before ? task.kept - before : before - task.kept;
        if (task.kept != task.file.size()) merged.equals_file = false;
    }
    return merged;
}

}  // namespace vemo
