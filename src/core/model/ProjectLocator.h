#pragma once
// Finds the installed project file for a device type (short code) and firmware version:
// <installRoot>/<code>/<key>/<key>.tmprj with key = code + version without dots, and,
// when that file is missing, the fallback version of the device type. Only the path is
// decided here; loading the file is the project file reader's job.

#include "UserMessage.h"

#include <QString>

#include <optional>

namespace hesk::model {

enum class ProjectLocateStatus {
    Found,            // the project of the requested version exists
    FoundFallback,    // it was missing; the fallback version's project exists
    UnknownDeviceCode,// the short code is none of "VRA1", "SLM", "AIC", "BLM", "PTB"
    Missing,          // neither the requested nor the fallback project exists
};

struct ProjectLocateResult {
    ProjectLocateStatus status = ProjectLocateStatus::UnknownDeviceCode;
    // Found/FoundFallback: the file to load. Missing: the fallback path that was tried.
    QString path;
    // Missing only: "文件%s不存在，装载失败！" naming the fallback path (title "错误").
    // An unknown device code carries no message: the callers show their own.
    std::optional<UserMessage> message;

    bool found() const
    {
        return status == ProjectLocateStatus::Found || status == ProjectLocateStatus::FoundFallback;
    }
};

class ProjectLocator {
public:
    // installRoot is the folder that holds one folder per device short code.
    explicit ProjectLocator(QString installRoot);

    ProjectLocateResult locate(const QString& shortCode, const QString& version) const;

    // <installRoot>/<code>/<key>/<key>.tmprj
    QString projectPath(const QString& shortCode, const QString& key) const;

    // code followed by the version with every "." removed ("VRA1", "V1.14.18" -> "VRA1V11418").
    static QString projectKey(const QString& shortCode, const QString& version);

    // Version part of the fallback key for a short code ("V11418" for "VRA1"; for "AIC"
    // "V20207" when the version is old active-rectifier firmware, else "V21308").
    // Nothing for an unknown code.
    static std::optional<QString> fallbackVersionKey(const QString& shortCode, const QString& version);

    const QString& installRoot() const { return m_installRoot; }

private:
    QString m_installRoot;
};

}  // namespace hesk::model
