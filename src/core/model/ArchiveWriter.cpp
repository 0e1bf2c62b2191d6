#include "ArchiveWriter.h"

#include "HeskStringCodec.h"

namespace hesk::model {

void ArchiveWriter::writeText(QStringView text)
{
    HeskStringCodec::write(buffer_, text);
}

void ArchiveWriter::writeCount(std::size_t count)
{
    if (count > static_cast<std::size_t>(std::numeric_limits<int32_t>::max())) {
        failed_ = true;
        count = 0;
    }
    writeInt32(static_cast<int32_t>(count));
}

}  // namespace hesk::model
