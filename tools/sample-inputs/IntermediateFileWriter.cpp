#include "IntermediateFileWriter.h"

#include "ProgramTreeBuilder.h"
#include "SampleRandom.h"

#include "model/ArchiveWriter.h"
#include "model/ParameterTypes.h"
#include "model/ProgramRecordCodec.h"
#include "model/ProjectRecordCodec.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace hesk::samples {

namespace {

// Parameter group of the drive program's parameter tree; 400 is the power section,
// the group that project creation gives its own fixed definitions as well.
uint16_t groupOf(uint16_t number)
{
    if ((number >= 70 && number <= 79) || number == 89 || number == 90 || number == 848 || number == 890 || number == 900)
        return 400;
    if (number < 100)
        return 100;
    if (number < 200)
        return 200;
    if (number < 400)
        return 300;
    if (number < 550)
        return 500;
    if (number < 700)
        return 600;
    if (number < 800)
        return 700;
    if (number < 1000)
        return 800;
    if (number < 3000)
        return 900;
    return 1000;
}

// 0 display only, 1 quick commissioning, 2 extended, 3 system.
uint16_t accessLevelOf(const SampleDefinition& d)
{
    if (!d.settable())
        return 0;
    switch (d.number) {
    case 435: case 436: case 942: case 955: case 957: return 3;
    case 53: case 60: case 70: case 100: case 101: case 102: case 105: case 107: case 108: case 109:
    case 115: case 368: case 452: case 453: case 462: case 464: case 970: return 1;
    default: return 2;
    }
}

QString symbolicName(const SampleDefinition& d)
{
    QString symbol = QStringLiteral("%1_%2").arg(d.settable() ? QStringLiteral("PAR") : QStringLiteral("SIG"))
                         .arg(d.number, 4, 10, QLatin1Char('0'));
    if (d.hasSubIndex())
        symbol += QStringLiteral("_%1").arg(d.subIndex);
    return symbol;
}

}  // namespace

model::TTemporaryElement toTemporaryElement(const SampleDefinition& d)
{
    model::TTemporaryElement t;
    t.words = {d.number, d.subIndex, d.typeCode, d.address, groupOf(d.number), accessLevelOf(d),
               static_cast<uint16_t>(d.settable() ? 1 : 0), static_cast<uint16_t>(d.isConnection() ? 1 : 0),
               static_cast<uint16_t>(d.family)};
    // The programming tool knows the parameters by symbol; the conversion workbook adds
    // the names a person reads. Definitions without a workbook row carry their own.
    t.texts[0] = d.keyText();
    t.texts[1] = d.deviceValueText;
    t.texts[2] = d.rawMaxText;
    t.texts[3] = d.rawMinText;
    t.texts[4] = d.inWorkbook ? QString() : d.comment;
    t.texts[5] = d.inWorkbook ? symbolicName(d) : d.name;
    t.texts[6] = QStringLiteral("%1.%2").arg(d.timeSlice, symbolicName(d));
    t.texts[7] = model::typeName(d.typeCode);
    t.texts[8] = d.unit;
    t.texts[9] = QString();
    t.texts[10] = d.timeSlice;
    return t;
}

IntermediateContent makeIntermediateContent(const SampleProfile& profile, const SampleDefinitions& definitions)
{
    IntermediateContent content;
    content.program = makeProgram(profile, definitions.definitions);
    content.wordTableA.assign(static_cast<std::size_t>(definitions.readOnlySlots), 0);
    content.wordTableB.assign(static_cast<std::size_t>(definitions.settableSlots), 0);
    for (const SampleDefinition& d : definitions.definitions) {
        if (!d.inIntermediateFile)
            continue;
        // Each slot of the device tables holds the number of the parameter it serves.
        if (d.settable()) {
            content.settableElements.push_back(toTemporaryElement(d));
            content.wordTableB[d.address] = d.number;
        } else {
            content.readOnlyElements.push_back(toTemporaryElement(d));
            content.wordTableA[d.address] = d.number;
        }
    }
    for (int i = 0; i < 6; ++i)
        content.textTable << QStringLiteral("T%1=%2us").arg(i + 1).arg(profile.timeBases[0] * (i == 0 ? 1 : profile.timeBases[i]));
    for (const auto& package : content.program.packages)
        content.textTable << package.text2;
    content.textTable << profile.deviceType << profile.version;
    SampleRandom random(profile.seed ^ 0xB17E);
    for (int i = 0; i < 128; ++i)
        content.byteTable.append(static_cast<char>(random.below(256)));
    return content;
}

QByteArray serializeIntermediateFile(const SampleProfile& profile, const IntermediateContent& content)
{
    model::ArchiveWriter writer(1 << 20);
    writer.writeUInt16(profile.programId);
    writer.writeUInt16(profile.secondHeaderWord);
    writer.writeText(profile.cpuType);
    model::writeRecord(writer, content.program);
    for (int32_t timeBase : profile.timeBases)
        writer.writeInt32(timeBase);
    model::writeRecordArray(writer, content.settableElements);
    model::writeRecordArray(writer, content.readOnlyElements);
    writer.writeArray(content.wordTableA, [](model::ArchiveWriter& w, uint16_t v) { w.writeUInt16(v); });
    writer.writeArray(content.wordTableB, [](model::ArchiveWriter& w, uint16_t v) { w.writeUInt16(v); });
    writer.writeCount(static_cast<std::size_t>(content.textTable.size()));
    for (const QString& text : content.textTable)
        writer.writeText(text);
    writer.writeCount(static_cast<std::size_t>(content.byteTable.size()));
    writer.writeBytes(content.byteTable);
    return writer.takeData();
}

std::optional<QString> writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return QStringLiteral("%1: %2").arg(path, file.errorString());
    return std::nullopt;
}

}  // namespace hesk::samples
