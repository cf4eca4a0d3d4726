#include "app/task_history.h"

#include <utility>

namespace vemo {

std::size_t TaskStep::Bytes() const {
    std::size_t bytes = sizeof(TaskStep) + before.size() + order.size() * sizeof(int);
    for (const TaskField each : kTaskFields) bytes += FieldOf(ViewOf(task), each).size();
    // A packed row: its texts with their zeros, and where each starts.
    return bytes + rows.TextBytes() + static_cast<std::size_t>(rows.Count()) * 36;
}

void TaskHistory::Record(TaskStep step) {
    for (std::size_t k = done_; k < steps_.size(); ++k) bytes_ -= steps_[k].Bytes();
    steps_.resize(done_);
    bytes_ += step.Bytes();
    steps_.push_back(std::move(step));
    why_ = nullptr;
    ++generation_;
    std::size_t drop = 0;
    while (steps_.size() - drop > 1 && bytes_ > kHistoryBytes) bytes_ -= steps_[drop++].Bytes();
    steps_.erase(steps_.begin(), steps_.begin() + static_cast<std::ptrdiff_t>(drop));
    done_ = steps_.size();
}

const TaskStep* TaskHistory::ToUndo() const {
    return done_ > 0 ? &steps_[done_ - 1] : nullptr;
}

const TaskStep* TaskHistory::ToRedo() const {
    return done_ < steps_.size() ? &steps_[done_] : nullptr;
}

void TaskHistory::Undone() {
    if (done_ > 0) --done_;
    ++generation_;
}

void TaskHistory::Redone() {
    if (done_ < steps_.size()) ++done_;
    ++generation_;
}

bool TaskHistory::Restart(const char* why, bool keep_newest_task) {
    const bool keep =
        keep_newest_task && done_ == steps_.size() && done_ > 0 &&
        (steps_.back().kind == StepKind::Insert || steps_.back().kind == StepKind::Remove);
    const bool dropped = steps_.size() > (keep ? 1u : 0u);
    if (!dropped) {
        // A later start, with no step since, is the reason from then on.
        if (steps_.empty() && why_ != nullptr) why_ = why;
        return false;
    }
    if (!keep) why_ = why;
    ++generation_;
    std::vector<TaskStep> kept;
    if (keep) kept.push_back(std::move(steps_.back()));
    steps_ = std::move(kept);
    done_ = steps_.size();
    bytes_ = keep ? steps_.back().Bytes() : 0;
    return true;
}

TaskHistory& History() {
    static TaskHistory history;
    return history;
}

}  // namespace vemo
