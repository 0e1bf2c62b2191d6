#include "IntermediateFile.h"

#include "model/ArchiveReader.h"
#include "model/ArchiveWriter.h"
#include "model/ProjectRecordCodec.h"
#include "model/RegularFile.h"

#include <QCoreApplication>
#include <QFileInfo>

using namespace hesk::model;

namespace hesk::creation {

namespace {

void readWords(ArchiveReader& reader, std::vector<uint16_t>& words)
{
    reader.readArray(words, 2, [](ArchiveReader& r, uint16_t& word) { word = r.readUInt16(); });
}

void readTextList(ArchiveReader& reader, QStringList& texts)
{
    texts.clear();
    const qsizetype count = reader.readCount(1);  // a text takes at least one byte
    texts.reserve(reader.boundedReservation(count, sizeof(QString)));
    for (qsizetype i = 0; i < count && reader.ok(); ++i)
        texts.append(reader.readText());
}

void readElements(ArchiveReader& reader, std::vector<TTemporaryElement>& elements)
{
    readRecordArray(reader, elements, kMinTemporaryElementBytes);
}

}  // namespace

std::optional<IntermediateFile> parseIntermediateFile(QByteArrayView bytes)
{
    ArchiveReader reader(bytes);
    IntermediateFile file;
    file.programId = reader.readUInt16();
    file.secondHeaderWord = reader.readUInt16();
    file.cpuType = reader.readText();
    readRecord(reader, file.program);
    for (int32_t& timeBase : file.timeBases)
        timeBase = reader.readInt32();
    readElements(reader, file.firstDefinitions);
    readElements(reader, file.secondDefinitions);
    readWords(reader, file.wordTableA);
    readWords(reader, file.wordTableB);
    readTextList(reader, file.textTable);
    file.byteTable = reader.readBytes(reader.readCount(1)).toByteArray();
    if (reader.failed() || !reader.atEnd())
        return std::nullopt;
    return file;
}

std::optional<QByteArray> serializeIntermediateFile(const IntermediateFile& file)
{
    ArchiveWriter writer;
    writer.writeUInt16(file.programId);
    writer.writeUInt16(file.secondHeaderWord);
    writer.writeText(file.cpuType);
    writeRecord(writer, file.program);
    for (int32_t timeBase : file.timeBases)
        writer.writeInt32(timeBase);
    writeRecordArray(writer, file.firstDefinitions);
    writeRecordArray(writer, file.secondDefinitions);
    writer.writeArray(file.wordTableA, [](ArchiveWriter& w, uint16_t word) { w.writeUInt16(word); });
    writer.writeArray(file.wordTableB, [](ArchiveWriter& w, uint16_t word) { w.writeUInt16(word); });
    writer.writeCount(static_cast<std::size_t>(file.textTable.size()));
    for (const QString& text : file.textTable)
        writer.writeText(text);
    writer.writeCount(static_cast<std::size_t>(file.byteTable.size()));
    writer.writeBytes(file.byteTable);
    if (writer.failed())
        return std::nullopt;
    return writer.takeData();
}

IntermediateLoad loadIntermediateFile(const QString& path)
{
    IntermediateLoad load;
    if (QFileInfo(path).suffix().compare(QLatin1String("monitorary"), Qt::CaseInsensitive) != 0) {
        load.failure = UserMessage::error(QCoreApplication::translate("IntermediateFile", "项目文件%1错误，打开失败！").arg(path));
        return load;
    }
    const UserMessage readError = UserMessage::error(
        QCoreApplication::translate("IntermediateFile", "CPU项目文件%1错误，装载失败！").arg(path));
    const FileRead file = readRegularFile(path, kMaxIntermediateFileBytes);
    switch (file.status) {
    case FileReadStatus::Read:
        break;
    case FileReadStatus::Missing:
        load.failure = UserMessage::error(QCoreApplication::translate("IntermediateFile", "文件%1不存在，装载失败！").arg(path));
        return load;
    case FileReadStatus::TooLarge:
        load.failure = UserMessage::error(
            QCoreApplication::translate("IntermediateFile", "CPU项目文件%1过大（超过%2 MB），不是有效的中间文件，装载失败！")
                                              .arg(path)
                                              .arg(capInMegabytes(kMaxIntermediateFileBytes)));
        return load;
    case FileReadStatus::NotAFile:
    case FileReadStatus::Unreadable:
        load.failure = readError;
        return load;
    }
    load.file = parseIntermediateFile(file.bytes);
    if (!load.file)
        load.failure = readError;
    return load;
}

HeskProject projectFromIntermediate(const IntermediateFile& file)
{
    HeskProject project;
    project.header.programId = file.programId;
    project.header.secondHeaderWord = file.secondHeaderWord;
    project.header.cpuType = file.cpuType;
    project.program = file.program;
    project.timeBases = file.timeBases;
    project.wordTableA = file.wordTableA;
    project.wordTableB = file.wordTableB;
    project.textTable = file.textTable;
    project.byteTable = file.byteTable;

    project.elements.reserve(file.firstDefinitions.size() + file.secondDefinitions.size());
    for (const auto* list : {&file.firstDefinitions, &file.secondDefinitions}) {
        for (const TTemporaryElement& source : *list) {
            HeskParameterElement& element = project.elements.emplace_back();
            element.number = source.words[0];
            element.subIndex = source.words[1];
            element.typeCode = source.words[2];
            element.address = source.words[3];
            element.word5 = source.words[4];
            element.word6 = source.words[5];
            element.settable = source.words[6];
            element.connectionFlag = source.words[7];
            element.word9 = source.words[8];
            element.sourceText1 = source.texts[0];
            element.currentValueText = source.texts[1];
            element.rawMaxText = source.texts[2];
            element.rawMinText = source.texts[3];
            element.comment = source.texts[4];
            element.name = source.texts[5];
            for (std::size_t i = 0; i < element.sourceTexts7to11.size(); ++i)
                element.sourceTexts7to11[i] = source.texts[6 + i];
        }
    }
    return project;
}

TTemporaryElement temporaryElementOf(const HeskParameterElement& element)
{
    TTemporaryElement source;
    source.words = {element.number, element.subIndex, element.typeCode, element.address, element.word5,
                    element.word6,  element.settable, element.connectionFlag, element.word9};
    source.texts[0] = element.sourceText1;
    source.texts[1] = element.currentValueText;
    source.texts[2] = element.rawMaxText;
    source.texts[3] = element.rawMinText;
    source.texts[4] = element.comment;
    source.texts[5] = element.name;
    for (std::size_t i = 0; i < element.sourceTexts7to11.size(); ++i)
        source.texts[6 + i] = element.sourceTexts7to11[i];
    return source;
}

}  // namespace hesk::creation
