#pragma once
// The installed inverter project, an offline value set, a recording log and prompt, and a
// folder for the files a test writes.

#include "RecordingLog.h"
#include "ScriptedPrompt.h"

#include "files/DnlFormat.h"
#include "model/FaultTableLibrary.h"
#include "model/OpenedProject.h"
#include "pages/OfflineValueSet.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace hesk::files::test {

inline QString installedProjects() { return QStringLiteral(HESK_SOURCE_DIR "/data/projects"); }
inline QString inverterProject()
{
    return installedProjects() + QStringLiteral("/VRA1/VRA1V11418/VRA1V11418.tmprj");
}

class DnlProjectTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_FALSE(opened.open(inverterProject()).has_value());
    }
    const model::HeskParameterElement& element(const char* key) const
    {
        const model::HeskParameterElement* e = opened.find(QString::fromLatin1(key));
        EXPECT_NE(e, nullptr) << key;
        return *e;
    }
    // The parameter's row with a value, as a file holds it.
    QString row(const char* key, const QString& value) const
    {
        return QString::fromLatin1(dnlRowBytes(element(key).referenceKey, value)).trimmed();
    }
    QString write(const QString& name, const QByteArray& bytes) const
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    static QByteArray header(const char* style = "VRA1", const char* version = "V1.14.18")
    {
        return QByteArray(";Data:  2026-12-05   Time:  12:15:00\r\n;Device Style:    ") + style +
               "\r\n;Device Version:    " + version + "\r\n";
    }

    QTemporaryDir dir;
    model::FaultTableLibrary faults;
    model::OpenedProject opened{faults};
    pages::OfflineValueSet offline;
    testsupport::RecordingLog log;
    testsupport::ScriptedPrompt prompt;
};

}  // namespace hesk::files::test
