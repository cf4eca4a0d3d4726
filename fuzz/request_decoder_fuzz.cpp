// Any bytes as a request sent to the running Vemo: no crash, no read outside
// the input, and what is taken is a checked task that encodes and decodes
// back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "cli/task_request.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::optional<vemo::Request> request = vemo::DecodeRequest(bytes);
    if (!request) return 0;
    if (size > vemo::kMaxRequestSize) std::abort();
    if (request->kind == vemo::RequestKind::AddTask) {
        const vemo::NewTask& task = request->task;
        if (!vemo::IsTaskText(task.text)) std::abort();
        if (task.remind_date && vemo::CanonicalRemindDate(*task.remind_date) != task.remind_date) {
            std::abort();
        }
        if (task.time && !vemo::IsReminderTime(*task.time)) std::abort();
        if (task.priority && *task.priority < 1) std::abort();
    }
    if (vemo::DecodeRequest(vemo::EncodeRequest(*request)) != request) std::abort();
    return 0;
}
