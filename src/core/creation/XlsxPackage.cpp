#include "XlsxPackage.h"

#include <zip.h>

namespace hesk::creation {

namespace {

constexpr qint64 kReadChunk = 64 * 1024;

QString zipErrorText(zip_error_t* error)
{
    return QString::fromLocal8Bit(zip_error_strerror(error));
}

}  // namespace

struct XlsxPackage::Archive {
    QByteArray bytes;  // libzip reads from these; they must outlive the archive
    zip_t* zip = nullptr;
    ~Archive()
    {
        if (zip)
            zip_discard(zip);
    }
};

XlsxPackage::XlsxPackage(std::unique_ptr<Archive> archive) : archive_(std::move(archive)) {}

XlsxPackage::~XlsxPackage() = default;

std::unique_ptr<XlsxPackage> XlsxPackage::open(const QByteArray& bytes, QString* detail)
{
    auto archive = std::make_unique<Archive>();
    archive->bytes = bytes;
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(archive->bytes.constData(),
                                                    static_cast<zip_uint64_t>(archive->bytes.size()), 0, &error);
    if (!source) {
        if (detail)
            *detail = QStringLiteral("cannot read the archive: %1").arg(zipErrorText(&error));
        zip_error_fini(&error);
        return nullptr;
    }
    archive->zip = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (!archive->zip) {
        zip_source_free(source);
        if (detail)
            *detail = QStringLiteral("not a zip archive: %1").arg(zipErrorText(&error));
        zip_error_fini(&error);
        return nullptr;
    }
    zip_error_fini(&error);
    return std::unique_ptr<XlsxPackage>(new XlsxPackage(std::move(archive)));
}

long long XlsxPackage::locate(const QString& partName) const
{
    const QByteArray name = partName.toUtf8();
    zip_int64_t index = zip_name_locate(archive_->zip, name.constData(), ZIP_FL_ENC_GUESS);
    if (index < 0)
        index = zip_name_locate(archive_->zip, name.constData(), ZIP_FL_NOCASE | ZIP_FL_ENC_GUESS);
    return index;
}

bool XlsxPackage::contains(const QString& partName) const
{
    return locate(partName) >= 0;
}

PartRead XlsxPackage::read(const QString& partName, qint64 maxBytes) const
{
    PartRead result;
    const zip_int64_t index = locate(partName);
    if (index < 0) {
        result.detail = QStringLiteral("part %1 is missing").arg(partName);
        return result;
    }
    zip_file_t* file = zip_fopen_index(archive_->zip, static_cast<zip_uint64_t>(index), 0);
    if (!file) {
        result.status = PartReadStatus::Damaged;
        result.detail = QStringLiteral("cannot open part %1: %2").arg(partName, zipErrorText(zip_get_error(archive_->zip)));
        return result;
    }

    // The directory's size claim only guides the first reservation; reading stops one
    // byte past the bound whatever the claim says.
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive_->zip, static_cast<zip_uint64_t>(index), 0, &stat) == 0
        && (stat.valid & ZIP_STAT_SIZE) && static_cast<qint64>(stat.size) <= maxBytes)
        result.bytes.reserve(static_cast<qsizetype>(stat.size));

    QByteArray chunk(kReadChunk, Qt::Uninitialized);
    for (;;) {
        const zip_int64_t n = zip_fread(file, chunk.data(), static_cast<zip_uint64_t>(chunk.size()));
        if (n < 0) {
            result.status = PartReadStatus::Damaged;
            result.detail = QStringLiteral("part %1 is damaged: %2").arg(partName, zipErrorText(zip_file_get_error(file)));
            result.bytes.clear();
            zip_fclose(file);
            return result;
        }
        if (n == 0)
            break;
        if (result.bytes.size() + n > maxBytes) {
            result.status = PartReadStatus::TooLarge;
            result.detail = QStringLiteral("part %1 inflates to more than %2 bytes").arg(partName).arg(maxBytes);
            result.bytes.clear();
            zip_fclose(file);
            return result;
        }
        result.bytes.append(chunk.constData(), static_cast<qsizetype>(n));
    }
    zip_fclose(file);
    result.status = PartReadStatus::Ok;
    return result;
}

}  // namespace hesk::creation
