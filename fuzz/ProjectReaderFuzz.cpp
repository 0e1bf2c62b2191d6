// Feeds arbitrary bytes to the project file reader. Besides the sanitizers it checks:
// a project that parses agrees with the header-only read, writes back into bytes that
// parse to the same project, and those bytes are stable when written again. The record
// readers that project creation uses on the intermediate file get the bytes as well.

#include "model/ArchiveReader.h"
#include "model/ProjectFile.h"
#include "model/ProjectRecordCodec.h"

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
    using namespace hesk::model;
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));

    const std::optional<HeskProjectHeader> header = parseProjectHeader(bytes);
    if (const std::optional<HeskProject> project = parseProject(bytes)) {
        check(header.has_value());
        HeskProjectHeader expected = project->header;
        expected.cpuType.clear();
        check(*header == expected);

        const std::optional<QByteArray> written = serializeProject(*project);
        check(written.has_value());
        const std::optional<HeskProject> reread = parseProject(*written);
        check(reread.has_value() && *reread == *project);
        check(serializeProject(*reread) == written);
    }

    {
        ArchiveReader reader(bytes);
        HeskProgram program;
        readRecord(reader, program);
        check(reader.position() <= bytes.size());
    }
    {
        ArchiveReader reader(bytes);
        std::vector<TTemporaryElement> elements;
        readRecordArray(reader, elements, kMinTemporaryElementBytes);
        check(reader.failed() || static_cast<qsizetype>(elements.size()) * kMinTemporaryElementBytes <= bytes.size());
    }
    return 0;
}
