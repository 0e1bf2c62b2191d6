#pragma once
// The "近似值比较优化" menu toggle: the setting lives in the settings file ("SETTING",
// "APPROX"); switching it on explains what it does.

#include "model/UserPrompt.h"
#include "online/InterfaceSettings.h"

namespace hesk::shell {

// The text shown when the setting is switched on (title "提示", exclamation icon).
QString approximateComparisonExplanation();

// Flips the setting: on -> writes "0"; off -> writes "1" and shows the explanation. When
// the file cannot be written the setting stays as it was and the person is told
// ("文件保存失败！"). Returns the setting as it is afterwards.
bool toggleApproximateComparison(online::InterfaceSettings& settings, model::UserPrompt& prompt);

}  // namespace hesk::shell
