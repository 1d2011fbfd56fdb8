#include "model/transfer_csv.h"

#include "model/transfer_log.h"

#include <cstdio>
#include <ctime>
#include <string_view>

namespace vek {

namespace {

std::string WallTimeText(std::chrono::system_clock::time_point at) {
    const auto since = at.time_since_epoch();
    const std::time_t seconds =
        static_cast<std::time_t>(std::chrono::duration_cast<std::chrono::seconds>(since).count());
    const auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(since).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  static_cast<int>(millis));
    return text;
}

} // namespace

void AppendCsvField(std::string& line, std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        line += field;
        return;
    }
    line += '"';
    for (const char c : field) {
        if (c == '"')
            line += '"';
        line += c;
    }
    line += '"';
}

std::string TransferCsv(const TransferLog& log, const std::vector<std::uint64_t>& sequences,
                        int radix) {
    std::string text =
        "Time (ms),Wall time,Driver,Device,Register,Address,Direction,Value,Status\n";
    for (const std::uint64_t sequence : sequences) {
        const TransferRecord& record = log.At(sequence);
        const TransferSource& source = log.SourceOf(record);
        char millis[32];
        std::snprintf(millis, sizeof millis, "%.3f",
                      static_cast<double>(record.microseconds) / 1000.0);
        text += millis;
        text += ',';
        text += WallTimeText(log.WallTimeOf(record));
        for (const std::string_view field :
             {std::string_view(source.driver), std::string_view(source.device),
              std::string_view(source.reg), std::string_view(source.address)}) {
            text += ',';
            AppendCsvField(text, field);
        }
        text += record.write ? ",W," : ",R,";
        // A read that failed brought no value.
        if (record.write || record.failure == 0)
            text += TransferValueText(record.value, source.dataLength, radix);
        text += ',';
        AppendCsvField(text, record.failure == 0 ? std::string_view("ok") : log.FailureOf(record));
        text += '\n';
    }
    return text;
}

} // namespace vek
