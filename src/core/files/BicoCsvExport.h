#pragma once
// The BICO wiring as a CSV file (the CSV form and code page of the compare export): a
// header line "输入参数, 名称, 信号源, 信号源名称" and one line per connection shown.
//
// The save dialog offers "BICO_<style>_<version>_%Y%m%d_%H%M%S.csv"; a cancelled dialog
// writes nothing and says nothing; a file that cannot be written:
// "导出失败，请您重新尝试！" (错误), success "文件导出成功！" (提示).
//
// Contract: the export on the prompt's thread.

#include "pages/BicoWiring.h"

#include "model/UserPrompt.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

namespace hesk::files {

QByteArray bicoCsvBytes(const std::vector<pages::BicoConnection>& connections);

QString defaultBicoCsvName(const QString& styleName, const QString& deviceVersion, const QDateTime& time);

// The path written; nothing when cancelled or failed (the message was shown).
std::optional<QString> exportBicoCsv(const std::vector<pages::BicoConnection>& connections,
                                     const QString& defaultName, model::UserPrompt& prompt);

}  // namespace hesk::files
