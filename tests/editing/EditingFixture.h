#pragma once
// An inverter project for the editing tests and a drive that records the write frames
// and answers each with the outcome the test scripted (confirmed unless told otherwise).

#include "ScriptedPrompt.h"

#include "editing/ValueEdit.h"
#include "model/FaultTableLibrary.h"
#include "model/ProjectFile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <vector>

namespace hesk::editing::test {

inline model::HeskParameterElement definition(uint16_t number, uint16_t typeCode, bool settable, uint16_t address,
                                              uint16_t sub = model::kNoSubIndex, bool connection = false)
{
    model::HeskParameterElement e;
    e.number = number;
    e.subIndex = sub;
    e.typeCode = typeCode;
    e.address = address;
    e.settable = settable ? 1 : 0;
    e.connectionFlag = connection ? 1 : 0;
    e.name = QStringLiteral("参数%1").arg(number);
    e.rawMinText = QStringLiteral("-32768");
    e.rawMaxText = QStringLiteral("65535");
    e.minText = e.rawMinText;
    e.maxText = e.rawMaxText;
    e.commandType = QStringLiteral("1");
    return e;
}

// Settable addresses: P0053 0 (V2), P0060 1 (I2, 0..10), P0310 4 (N2, 2 decimals),
// P0554 5 and P0568 6 (connections), P0749 7, P0941.1 20 (connection), P0942.1 21
// (connection), P0941.2 22, P0942.2 23 (value), P7030 9 (formula).
// Read-only: K0000 at 0, r0002 1, K0091 12, B0106 8.
inline std::vector<model::HeskParameterElement> editingElements()
{
    using model::HeskParameterElement;
    std::vector<HeskParameterElement> e;
    HeskParameterElement access = definition(53, 0, true, 0);
    access.minText = access.rawMinText = QStringLiteral("0x0000");
    access.maxText = access.rawMaxText = QStringLiteral("0xFFFF");
    e.push_back(access);
    HeskParameterElement menu = definition(60, 3, true, 1);
    menu.minText = menu.rawMinText = QStringLiteral("0");
    menu.maxText = menu.rawMaxText = QStringLiteral("10");
    e.push_back(menu);
    HeskParameterElement percent = definition(310, 1, true, 4);
    percent.decimals = 2;
    percent.minText = percent.rawMinText = QStringLiteral("-200.00");
    percent.maxText = percent.rawMaxText = QStringLiteral("199.99");
    e.push_back(percent);
    e.push_back(definition(554, 8, true, 5, model::kNoSubIndex, true));
    e.push_back(definition(568, 8, true, 6, model::kNoSubIndex, true));
    HeskParameterElement option = definition(749, 3, true, 7);
    option.decimals = 1;
    option.minText = option.rawMinText = QStringLiteral("0.0");
    option.maxText = option.rawMaxText = QStringLiteral("5.3");
    e.push_back(option);
    e.push_back(definition(941, 8, true, 20, 1, true));
    e.push_back(definition(942, 8, true, 21, 1, true));
    e.push_back(definition(941, 8, true, 22, 2, true));
    e.push_back(definition(942, 3, true, 23, 2));
    HeskParameterElement frequency = definition(7030, 3, true, 9);
    frequency.decimals = 2;
    frequency.commandType = QStringLiteral("3");
    frequency.reverseFormula = QStringLiteral("P7030*50/16384");
    frequency.forwardFormula = QStringLiteral("P7030*16384/50");
    e.push_back(frequency);
    e.push_back(definition(8000, 3, false, 0));
    e.push_back(definition(2, 3, false, 1));
    e.push_back(definition(8091, 3, false, 12));
    e.push_back(definition(9106, 2, false, 8));
    return e;
}

// Records the frames; answers from the script, true once it is used up. A single read
// answers from readAnswers the same way and, when it answers, puts the words of
// deviceWords (by address) into the tables.
struct RecordingDrive {
    std::vector<link::CommandFrame> frames;
    std::deque<bool> answers;
    int recomputed = 0;
    std::map<uint16_t, uint16_t> deviceWords;
    std::deque<bool> readAnswers;
    std::vector<std::vector<uint16_t>> reads;  // the addresses of each read

    DriveAccess access(link::OnlineValueTables& tables)
    {
        DriveAccess a;
        a.tables = &tables;
        a.write = [this](const link::CommandFrame& frame) {
            frames.push_back(frame);
            if (answers.empty())
                return true;
            const bool answer = answers.front();
            answers.pop_front();
            return answer;
        };
        a.valuesWritten = [this] { ++recomputed; };
        a.read = [this, &tables](const std::vector<const model::HeskParameterElement*>& elements) {
            std::vector<uint16_t> addresses;
            for (const model::HeskParameterElement* e : elements)
                addresses.push_back(e->address);
            reads.push_back(addresses);
            const bool answer = readAnswers.empty() || readAnswers.front();
            if (!readAnswers.empty())
                readAnswers.pop_front();
            if (answer)
                for (uint16_t address : addresses)
                    if (const auto it = deviceWords.find(address); it != deviceWords.end())
                        tables.parameters.store(address, it->second);
            return answer;
        };
        return a;
    }
};

// "03 0004 1000": code, address and value of a recorded frame.
inline std::string frameText(const link::CommandFrame& f)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02X %02X%02X %02X%02X", f[1], f[2], f[3], f[4], f[5]);
    return text;
}

class EditingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        model::HeskProject project;
        project.header.deviceType = QStringLiteral("VRA1");
        project.header.deviceVersion = QStringLiteral("V1.14.18");
        project.header.cpuType = QStringLiteral("HESK6500");
        project.elements = elements();
        project.sortElements();
        ASSERT_TRUE(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("editing.tmprj"));
        ASSERT_FALSE(model::saveProject(path, project).has_value());
        ASSERT_FALSE(opened.open(path).has_value());
    }

    // The project's definitions; fixtures of other behaviours add their own.
    virtual std::vector<model::HeskParameterElement> elements() const { return editingElements(); }

    const model::HeskParameterElement& element(const char* key) const
    {
        const model::HeskParameterElement* e = opened.find(QString::fromLatin1(key));
        EXPECT_NE(e, nullptr) << key;
        return *e;
    }
    EditEnvironment offlineEnvironment() { return {opened, offline, prompt, {}}; }
    EditEnvironment onlineEnvironment() { return {opened, offline, prompt, drive.access(tables)}; }
    std::vector<std::string> frames() const
    {
        std::vector<std::string> texts;
        for (const link::CommandFrame& f : drive.frames)
            texts.push_back(frameText(f));
        return texts;
    }
    // "title:text" of the messages shown since the first `from`.
    QStringList messageTexts(std::size_t from = 0) const
    {
        QStringList texts;
        for (std::size_t i = from; i < prompt.messages().size(); ++i)
            texts << prompt.messages()[i].title + QLatin1Char(':') + prompt.messages()[i].text;
        return texts;
    }

    QTemporaryDir dir;
    model::FaultTableLibrary faultTables;
    model::OpenedProject opened{faultTables};
    pages::OfflineValueSet offline;
    testsupport::ScriptedPrompt prompt;
    link::OnlineValueTables tables;
    RecordingDrive drive;
};

}  // namespace hesk::editing::test
