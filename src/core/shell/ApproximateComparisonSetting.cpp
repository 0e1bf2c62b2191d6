#include "ApproximateComparisonSetting.h"

#include <QCoreApplication>

namespace hesk::shell {

QString approximateComparisonExplanation()
{
    return QCoreApplication::translate("ApproximateComparisonSetting", "设置此项后，功能会做以下调整：\n    在文件比较与参数列表刷新时，比较值会\n"
                          "根据参数类型作精度的近似值判断。\n\n例如：\n    G3类型的参数精度为1/8，进行比较时若\n"
                          "其差值小于1/8，则两值认定相等。");
}

bool toggleApproximateComparison(online::InterfaceSettings& settings, model::UserPrompt& prompt)
{
    const bool wasOn = settings.approximateComparison();
    if (!settings.setApproximateComparison(!wasOn).ok()) {
        prompt.show(model::MessageKind::Error, QCoreApplication::translate("ApproximateComparisonSetting", "错误"), QCoreApplication::translate("ApproximateComparisonSetting", "文件保存失败！"));
        return wasOn;
    }
    if (!wasOn)
        prompt.show(model::MessageKind::Warning, QCoreApplication::translate("ApproximateComparisonSetting", "提示"), approximateComparisonExplanation());
    return !wasOn;
}

}  // namespace hesk::shell
