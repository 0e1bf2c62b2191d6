// Feeds arbitrary bytes to the project file reader. Besides the sanitizers it checks:
// a project that parses agrees with the header-only read, writes back into bytes that
// parse to the same project, and those bytes are stable when written again. The same
// bytes go to the intermediate file's reader (.monitorary): a file that parses writes
// back into bytes that parse to the same file, and the project it starts writes and reads
// back unchanged.

#include "creation/IntermediateFile.h"
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

    if (const std::optional<hesk::creation::IntermediateFile> file = hesk::creation::parseIntermediateFile(bytes)) {
        const std::optional<QByteArray> written = hesk::creation::serializeIntermediateFile(*file);
        check(written.has_value());
        const std::optional<hesk::creation::IntermediateFile> reread = hesk::creation::parseIntermediateFile(*written);
        check(reread.has_value() && *reread == *file);
        check(hesk::creation::serializeIntermediateFile(*reread) == written);

        const HeskProject started = hesk::creation::projectFromIntermediate(*file);
        check(started.elements.size() == file->firstDefinitions.size() + file->secondDefinitions.size());
        const std::optional<QByteArray> projectBytes = serializeProject(started);
        check(projectBytes.has_value());
        const std::optional<HeskProject> project = parseProject(*projectBytes);
        check(project.has_value() && *project == started);
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
