#include "cli/task_request.h"

namespace vemo {

namespace {

// The longest text each field may hold: a task's text, "dd-MM-yyyy",
// "HH:MM", the digits of the largest 32-bit int.
constexpr std::size_t kTextField = kTaskTextCapacity;
constexpr std::size_t kDateField = 10;
constexpr std::size_t kTimeField = 5;
constexpr std::size_t kPriorityField = 10;

void PutField(std::string& out, std::string_view field, std::size_t capacity) {
    field = field.substr(0, capacity);
    out += static_cast<char>(field.size() & 0xFF);
    out += static_cast<char>(field.size() >> 8);
    out.append(field);
}

// Takes length-prefixed fields off the front of the bytes.
class FieldReader {
  public:
    explicit FieldReader(std::string_view bytes) : rest_(bytes) {}

    std::optional<std::string_view> Next(std::size_t capacity) {
        if (rest_.size() < 2) return std::nullopt;
        const std::size_t length =
            static_cast<unsigned char>(rest_[0]) |
            (static_cast<std::size_t>(static_cast<unsigned char>(rest_[1])) << 8);
        rest_.remove_prefix(2);
        if (length > capacity || length > rest_.size()) return std::nullopt;
        const std::string_view field = rest_.substr(0, length);
        rest_.remove_prefix(length);
        return field;
    }
    bool AtEnd() const { return rest_.empty(); }

  private:
    std::string_view rest_;
};

}  // namespace

std::string EncodeRequest(const Request& request) {
    std::string out(kRequestTag);
    out += static_cast<char>(request.kind);
    if (request.kind != RequestKind::AddTask) return out;
    const NewTask& task = request.task;
    PutField(out, task.text, kTextField);
    PutField(out, task.remind_date.value_or(""), kDateField);
    PutField(out, task.time.value_or(""), kTimeField);
    PutField(out, task.priority ? std::to_string(*task.priority) : "", kPriorityField);
    return out;
}

std::optional<Request> DecodeRequest(std::span<const std::byte> bytes) {
    return DecodeRequest(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::optional<Request> DecodeRequest(std::string_view bytes) {
    if (bytes.size() > kMaxRequestSize || bytes.size() <= kRequestTag.size()) return std::nullopt;
    if (bytes.substr(0, kRequestTag.size()) != kRequestTag) return std::nullopt;
    Request request;
    const auto kind = static_cast<unsigned char>(bytes[kRequestTag.size()]);
    const std::string_view fields = bytes.substr(kRequestTag.size() + 1);
    if (kind == static_cast<unsigned char>(RequestKind::SaveNow)) {
        if (!fields.empty()) return std::nullopt;
        request.kind = RequestKind::SaveNow;
        return request;
    }
    if (kind != static_cast<unsigned char>(RequestKind::AddTask)) return std::nullopt;

    FieldReader reader(fields);
    const auto text = reader.Next(kTextField);
    const auto date = reader.Next(kDateField);
    const auto time = reader.Next(kTimeField);
    const auto priority = reader.Next(kPriorityField);
    if (!text || !date || !time || !priority || !reader.AtEnd()) return std::nullopt;
    if (!IsTaskText(*text)) return std::nullopt;
    NewTask& task = request.task;
    task.text = std::string(*text);
    if (!date->empty()) {
        task.remind_date = CanonicalRemindDate(*date);
        if (!task.remind_date) return std::nullopt;
    }
    if (!time->empty()) {
        if (!IsReminderTime(*time)) return std::nullopt;
        task.time = std::string(*time);
    }
    if (!priority->empty()) {
        task.priority = ReadPriority(*priority);
        if (!task.priority) return std::nullopt;
    }
    return request;
}

}  // namespace vemo
