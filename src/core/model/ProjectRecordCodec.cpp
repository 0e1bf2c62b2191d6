#include "ProjectRecordCodec.h"

namespace hesk::model {

namespace {

void readTextList(ArchiveReader& reader, QStringList& texts)
{
    texts.clear();
    const qsizetype count = reader.readCount(1);
    texts.reserve(reader.boundedReservation(count, sizeof(QString)));
    for (qsizetype i = 0; i < count && reader.ok(); ++i)
        texts.append(reader.readText());
}

void writeTextList(ArchiveWriter& writer, const QStringList& texts)
{
    writer.writeCount(static_cast<std::size_t>(texts.size()));
    for (const QString& text : texts)
        writer.writeText(text);
}

void readByteArray(ArchiveReader& reader, QByteArray& bytes)
{
    const qsizetype count = reader.readCount(1);
    bytes = reader.readBytes(count).toByteArray();
}

void writeByteArray(ArchiveWriter& writer, const QByteArray& bytes)
{
    writer.writeCount(static_cast<std::size_t>(bytes.size()));
    writer.writeBytes(bytes);
}

void readWordArray(ArchiveReader& reader, std::vector<uint16_t>& words)
{
    reader.readArray(words, 2, [](ArchiveReader& r, uint16_t& word) { word = r.readUInt16(); });
}

void writeWordArray(ArchiveWriter& writer, const std::vector<uint16_t>& words)
{
    writer.writeArray(words, [](ArchiveWriter& w, uint16_t word) { w.writeUInt16(word); });
}

}  // namespace

// ---- reading ----

void readHeaderBeforeCpuType(ArchiveReader& reader, HeskProjectHeader& header)
{
    header.headerWord = reader.readInt32();
    header.deviceType = reader.readText();
    header.deviceVersion = reader.readText();
    reader.readTexts(header.headerTexts3to7);
    header.creatorVersion = reader.readText();
    header.programId = reader.readUInt16();
    header.secondHeaderWord = reader.readUInt16();
}

void readRecord(ArchiveReader& reader, HeskParameterElement& element)
{
    element.version = reader.readInt32();
    element.number = reader.readUInt16();
    element.subIndex = reader.readUInt16();
    element.typeCode = reader.readUInt16();
    element.address = reader.readUInt16();
    element.word5 = reader.readUInt16();
    element.word6 = reader.readUInt16();
    element.settable = reader.readUInt16();
    element.connectionFlag = reader.readUInt16();
    element.word9 = reader.readUInt16();
    element.sourceText1 = reader.readText();
    element.currentValueText = reader.readText();
    element.rawMaxText = reader.readText();
    element.rawMinText = reader.readText();
    element.comment = reader.readText();
    element.name = reader.readText();
    reader.readTexts(element.sourceTexts7to11);
    element.factoryValue = reader.readText();
    element.text12 = reader.readText();
    element.word10 = reader.readInt32();
    element.decimals = reader.readInt32();
    element.reverseFormula = reader.readText();
    element.forwardFormula = reader.readText();
    element.maxText = reader.readText();
    element.minText = reader.readText();
    element.word11 = reader.readInt32();
    element.commandType = reader.readText();
    element.unit = reader.readText();
    element.importFlag = reader.readText();
    element.referenceKey = reader.readText();
    element.auxFlag = reader.readText();
    reader.readTexts(element.texts13to15);
}

void readRecord(ArchiveReader& reader, UbaseInfo& row)
{
    reader.readTexts(row.columns);
}

void readRecord(ArchiveReader& reader, TTemporaryElement& element)
{
    for (uint16_t& word : element.words)
        word = reader.readUInt16();
    reader.readTexts(element.texts);
}

void readRecord(ArchiveReader& reader, HeskProject& project)
{
    const bool headerOnly = project.header.cpuType == kHeaderOnlySentinel;
    readHeaderBeforeCpuType(reader, project.header);
    if (headerOnly)
        return;
    project.header.cpuType = reader.readText();
    readRecord(reader, project.program);
    for (int32_t& timeBase : project.timeBases)
        timeBase = reader.readInt32();
    readRecordArray(reader, project.elements, kMinElementBytes);
    readWordArray(reader, project.wordTableA);
    readWordArray(reader, project.wordTableB);
    readTextList(reader, project.textTable);
    readByteArray(reader, project.byteTable);
    readRecordArray(reader, project.ubaseTable, kMinUbaseBytes);
    reader.readArray(project.customParameters, 4,
                     [](ArchiveReader& r, uint32_t& number) { number = r.readUInt32(); });
}

// ---- writing ----

void writeHeaderBeforeCpuType(ArchiveWriter& writer, const HeskProjectHeader& header)
{
    writer.writeInt32(header.headerWord);
    writer.writeText(header.deviceType);
    writer.writeText(header.deviceVersion);
    writer.writeTexts(header.headerTexts3to7);
    writer.writeText(header.creatorVersion);
    writer.writeUInt16(header.programId);
    writer.writeUInt16(header.secondHeaderWord);
}

void writeRecord(ArchiveWriter& writer, const HeskParameterElement& element)
{
    writer.writeInt32(element.version);
    writer.writeUInt16(element.number);
    writer.writeUInt16(element.subIndex);
    writer.writeUInt16(element.typeCode);
    writer.writeUInt16(element.address);
    writer.writeUInt16(element.word5);
    writer.writeUInt16(element.word6);
    writer.writeUInt16(element.settable);
    writer.writeUInt16(element.connectionFlag);
    writer.writeUInt16(element.word9);
    writer.writeText(element.sourceText1);
    writer.writeText(element.currentValueText);
    writer.writeText(element.rawMaxText);
    writer.writeText(element.rawMinText);
    writer.writeText(element.comment);
    writer.writeText(element.name);
    writer.writeTexts(element.sourceTexts7to11);
    writer.writeText(element.factoryValue);
    writer.writeText(element.text12);
    writer.writeInt32(element.word10);
    writer.writeInt32(element.decimals);
    writer.writeText(element.reverseFormula);
    writer.writeText(element.forwardFormula);
    writer.writeText(element.maxText);
    writer.writeText(element.minText);
    writer.writeInt32(element.word11);
    writer.writeText(element.commandType);
    writer.writeText(element.unit);
    writer.writeText(element.importFlag);
    writer.writeText(element.referenceKey);
    writer.writeText(element.auxFlag);
    writer.writeTexts(element.texts13to15);
}

void writeRecord(ArchiveWriter& writer, const UbaseInfo& row)
{
    writer.writeTexts(row.columns);
}

void writeRecord(ArchiveWriter& writer, const TTemporaryElement& element)
{
    for (uint16_t word : element.words)
        writer.writeUInt16(word);
    writer.writeTexts(element.texts);
}

void writeRecord(ArchiveWriter& writer, const HeskProject& project)
{
    writeHeaderBeforeCpuType(writer, project.header);
    writer.writeText(project.header.cpuType);
    writeRecord(writer, project.program);
    for (int32_t timeBase : project.timeBases)
        writer.writeInt32(timeBase);
    writeRecordArray(writer, project.elements);
    writeWordArray(writer, project.wordTableA);
    writeWordArray(writer, project.wordTableB);
    writeTextList(writer, project.textTable);
    writeByteArray(writer, project.byteTable);
    writeRecordArray(writer, project.ubaseTable);
    writer.writeArray(project.customParameters, [](ArchiveWriter& w, uint32_t number) { w.writeUInt32(number); });
}

}  // namespace hesk::model
