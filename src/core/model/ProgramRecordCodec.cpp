#include "ProgramRecordCodec.h"

namespace hesk::model {

namespace {

template <std::size_t N>
void readWords(ArchiveReader& reader, std::array<int32_t, N>& words)
{
    for (int32_t& word : words)
        word = reader.readInt32();
}

template <std::size_t N>
void writeWords(ArchiveWriter& writer, const std::array<int32_t, N>& words)
{
    for (int32_t word : words)
        writer.writeInt32(word);
}

}  // namespace

// ---- reading ----

void readRecord(ArchiveReader& reader, HeskPoint& point)
{
    point.x = reader.readInt32();
    point.y = reader.readInt32();
}

void readRecord(ArchiveReader& reader, HeskPort& port)
{
    port.version = reader.readInt32();
    port.text1 = reader.readText();
    port.text2 = reader.readText();
    port.word1 = reader.readInt32();
    port.text3 = reader.readText();
    port.word2 = reader.readInt32();
    port.text4 = reader.readText();
    port.text5 = reader.readText();
    port.text6 = reader.readText();
    port.word3 = reader.readInt32();
    port.text7 = reader.readText();
    port.text8 = reader.readText();
    port.word4 = reader.readInt32();
    port.text9 = reader.readText();
    port.text10 = reader.readText();
    port.word5 = reader.readInt32();
    port.text11 = reader.readText();
    port.text12 = reader.readText();
    port.word6 = reader.readInt32();
    port.word7 = reader.readInt32();
    port.shortWord = reader.readUInt16();
    if (port.hasLongForm()) {
        port.text13 = reader.readText();
        port.word8 = reader.readInt32();
        port.word9 = reader.readInt32();
    }
}

void readRecord(ArchiveReader& reader, HeskConnection& connection)
{
    connection.version = reader.readInt32();
    connection.text1 = reader.readText();
    readWords(reader, connection.words1to4);
    reader.readTexts(connection.texts2to9);
    readRecordArray(reader, connection.points, kMinPointBytes);
    connection.text10 = reader.readText();
    connection.text11 = reader.readText();
    connection.word5 = reader.readInt32();
    connection.word6 = reader.readInt32();
    if (connection.hasLongForm())
        connection.word7 = reader.readInt32();
}

void readRecord(ArchiveReader& reader, HeskExplain& explain)
{
    explain.word1 = reader.readInt32();
    explain.text1 = reader.readText();
    readWords(reader, explain.words2to5);
    explain.text2 = reader.readText();
}

void readRecord(ArchiveReader& reader, HeskBlock& block)
{
    block.word1 = reader.readInt32();
    reader.readTexts(block.texts1to6);
    readWords(reader, block.words2to7);
    reader.readTexts(block.texts7to9);
    readRecordArray(reader, block.firstPorts, kMinPortBytes);
    readRecordArray(reader, block.secondPorts, kMinPortBytes);
    block.text10 = reader.readText();
    block.word8 = reader.readInt32();
    block.word9 = reader.readInt32();
    block.text11 = reader.readText();
    block.text12 = reader.readText();
    block.word10 = reader.readInt32();
}

void readRecord(ArchiveReader& reader, HeskPage& page)
{
    page.word1 = reader.readInt32();
    page.text1 = reader.readText();
    page.word2 = reader.readInt32();
    page.text2 = reader.readText();
    readRecordArray(reader, page.blocks, kMinBlockBytes);
    readRecordArray(reader, page.connections, kMinConnectionBytes);
    readRecordArray(reader, page.explains, kMinExplainBytes);
    page.word3 = reader.readInt32();
}

void readRecord(ArchiveReader& reader, HeskPackage& package)
{
    package.word = reader.readInt32();
    package.text1 = reader.readText();
    package.text2 = reader.readText();
    readRecordArray(reader, package.pages, kMinPageBytes);
}

void readRecord(ArchiveReader& reader, HeskProgram& program)
{
    program.word1 = reader.readInt32();
    reader.readTexts(program.texts1to4);
    program.word2 = reader.readInt32();
    program.text5 = reader.readText();
    readRecordArray(reader, program.packages, kMinPackageBytes);
}

// ---- writing ----

void writeRecord(ArchiveWriter& writer, const HeskPoint& point)
{
    writer.writeInt32(point.x);
    writer.writeInt32(point.y);
}

void writeRecord(ArchiveWriter& writer, const HeskPort& port)
{
    writer.writeInt32(port.version);
    writer.writeText(port.text1);
    writer.writeText(port.text2);
    writer.writeInt32(port.word1);
    writer.writeText(port.text3);
    writer.writeInt32(port.word2);
    writer.writeText(port.text4);
    writer.writeText(port.text5);
    writer.writeText(port.text6);
    writer.writeInt32(port.word3);
    writer.writeText(port.text7);
    writer.writeText(port.text8);
    writer.writeInt32(port.word4);
    writer.writeText(port.text9);
    writer.writeText(port.text10);
    writer.writeInt32(port.word5);
    writer.writeText(port.text11);
    writer.writeText(port.text12);
    writer.writeInt32(port.word6);
    writer.writeInt32(port.word7);
    writer.writeUInt16(port.shortWord);
    if (port.hasLongForm()) {
        writer.writeText(port.text13);
        writer.writeInt32(port.word8);
        writer.writeInt32(port.word9);
    }
}

void writeRecord(ArchiveWriter& writer, const HeskConnection& connection)
{
    writer.writeInt32(connection.version);
    writer.writeText(connection.text1);
    writeWords(writer, connection.words1to4);
    writer.writeTexts(connection.texts2to9);
    writeRecordArray(writer, connection.points);
    writer.writeText(connection.text10);
    writer.writeText(connection.text11);
    writer.writeInt32(connection.word5);
    writer.writeInt32(connection.word6);
    if (connection.hasLongForm())
        writer.writeInt32(connection.word7);
}

void writeRecord(ArchiveWriter& writer, const HeskExplain& explain)
{
    writer.writeInt32(explain.word1);
    writer.writeText(explain.text1);
    writeWords(writer, explain.words2to5);
    writer.writeText(explain.text2);
}

void writeRecord(ArchiveWriter& writer, const HeskBlock& block)
{
    writer.writeInt32(block.word1);
    writer.writeTexts(block.texts1to6);
    writeWords(writer, block.words2to7);
    writer.writeTexts(block.texts7to9);
    writeRecordArray(writer, block.firstPorts);
    writeRecordArray(writer, block.secondPorts);
    writer.writeText(block.text10);
    writer.writeInt32(block.word8);
    writer.writeInt32(block.word9);
    writer.writeText(block.text11);
    writer.writeText(block.text12);
    writer.writeInt32(block.word10);
}

void writeRecord(ArchiveWriter& writer, const HeskPage& page)
{
    writer.writeInt32(page.word1);
    writer.writeText(page.text1);
    writer.writeInt32(page.word2);
    writer.writeText(page.text2);
    writeRecordArray(writer, page.blocks);
    writeRecordArray(writer, page.connections);
    writeRecordArray(writer, page.explains);
    writer.writeInt32(page.word3);
}

void writeRecord(ArchiveWriter& writer, const HeskPackage& package)
{
    writer.writeInt32(package.word);
    writer.writeText(package.text1);
    writer.writeText(package.text2);
    writeRecordArray(writer, package.pages);
}

void writeRecord(ArchiveWriter& writer, const HeskProgram& program)
{
    writer.writeInt32(program.word1);
    writer.writeTexts(program.texts1to4);
    writer.writeInt32(program.word2);
    writer.writeText(program.text5);
    writeRecordArray(writer, program.packages);
}

}  // namespace hesk::model
