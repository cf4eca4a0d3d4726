// Any bytes as a database file: no crash, no read outside the input, no text
// beyond its field, and what is loaded saves and loads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/task_record.h"
#include "runtime/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string file(reinterpret_cast<const char*>(data), size);
    vemo::RecordBuffer buffer{};
    const auto rows = vemo::DecodeDatabase(file, buffer);
    if (rows.size() > size / vemo::TaskRecordSize) std::abort();
    for (const vemo::TaskRow& row : rows) {
        if (row.text.size() > vemo::kTaskTextCapacity) std::abort();
        if (row.created.size() > vemo::kTextCapacity || row.time.size() > vemo::kTextCapacity ||
            row.remind_date.size() > vemo::kTextCapacity) {
            std::abort();
        }
    }
    const std::string saved = vemo::EncodeDatabase(rows, buffer);
    vemo::RecordBuffer again{};
    if (vemo::DecodeDatabase(saved, again).size() != rows.size()) std::abort();
    return 0;
}
