// Feeds arbitrary bytes to the trigger recorder's two file readers: the settings record
// (.tricfg) and the data table (.txt). Besides the sanitizers it checks the round trips
// the recorder relies on: a record that reads is written back to the same bytes, and a
// table that reads is written back to a table that reads as the same recording.

#include "recording/TricfgFile.h"
#include "recording/TriggerDataFile.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (const std::optional<hesk::recording::TriggerSettings> settings = hesk::recording::decodeTricfg(bytes)) {
        const QByteArray again = hesk::recording::encodeTricfg(*settings);
        const std::optional<hesk::recording::TriggerSettings> back = hesk::recording::decodeTricfg(again);
        check(back.has_value() && *back == *settings);
    }
    const auto table = hesk::recording::decodeTriggerData(bytes);
    if (const auto* recording = std::get_if<hesk::recording::TriggerRecording>(&table)) {
        const auto back = hesk::recording::decodeTriggerData(hesk::recording::encodeTriggerData(*recording));
        const auto* again = std::get_if<hesk::recording::TriggerRecording>(&back);
        check(again != nullptr);
        for (size_t c = 0; c < again->channels.size(); ++c)
            check(again->channels[c].words == recording->channels[c].words
                  && again->channels[c].triggerPosition == recording->channels[c].triggerPosition);
    }
    return 0;
}
