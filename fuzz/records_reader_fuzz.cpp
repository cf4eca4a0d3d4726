// Any bytes as a PC's deletion records file: no crash, no read outside the
// input, texts within their record fields, and what is taken writes and
// reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/deletion_records.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const vemo::RecordsFile file = vemo::DecodeRecords(bytes);
    for (const vemo::RecordEntry& record : file.records) {
        if (record.number >= file.next || record.task.text.size() > 257 ||
            record.task.created.size() > 254 || record.task.time.size() > 255) {
            std::abort();
        }
    }
    if (vemo::DecodeRecords(vemo::EncodeRecords(file)) != file) std::abort();
    (void)vemo::RecordsOwnerOf(bytes, "vemo.dat");
    return 0;
}
