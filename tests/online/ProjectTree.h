#pragma once
// A temporary folder tree of small project files for the device-search and add-device
// tests, written through the real project writer.

#include "IniTestSupport.h"
#include "SampleProject.h"

#include "model/HeskProject.h"
#include "model/ProjectFile.h"

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>

namespace hesk::online::testing {

inline const model::HeskProject& smallProject()
{
    static const model::HeskProject project = testsupport::makeSampleProject({3, 7});
    return project;
}

inline QByteArray projectBytes(const QString& deviceType, const QString& version, uint16_t programId)
{
    model::HeskProject project = smallProject();
    project.header.deviceType = deviceType;
    project.header.deviceVersion = version;
    project.header.programId = programId;
    return model::serializeProject(project).value_or(QByteArray());
}

struct ProjectTree {
    QTemporaryDir dir;

    QString root() const { return dir.path(); }
    QString path(const QString& relative) const { return dir.filePath(relative); }

    void writeRaw(const QString& relative, const QByteArray& bytes) const
    {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path(relative)).absolutePath()));
        ASSERT_TRUE(writeBytes(path(relative), bytes));
    }

    void writeProject(const QString& relative, const QString& deviceType, const QString& version,
                      uint16_t programId) const
    {
        writeRaw(relative, projectBytes(deviceType, version, programId));
    }
};

}  // namespace hesk::online::testing
