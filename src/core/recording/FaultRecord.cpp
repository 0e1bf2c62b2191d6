#include "FaultRecord.h"

#include <QCoreApplication>

#include <algorithm>

namespace hesk::recording {

QString FaultEntry::listText(bool newest) const
{
    QString text = QCoreApplication::translate("FaultRecord", "第%1次故障").arg(number);
    if (newest)
        text += QCoreApplication::translate("FaultRecord", "(最近的故障)");
    return text;
}

QString FaultRecord::stationText() const
{
    if (station == 0)
        return QCoreApplication::translate("FaultRecord", "主站故障");
    return QCoreApplication::translate("FaultRecord", "从站 %1 故障").arg(station);
}

size_t FaultRecord::faultWordCount() const
{
    if (driveBoard)
        return 0;
    return std::min(words.size(), faults.size() * static_cast<size_t>(faultWordKeys().size()));
}

QStringList FaultRecord::informationTexts() const
{
    if (!driveBoard || words.size() < 4)
        return {};
    QStringList texts;
    texts << QCoreApplication::translate("FaultRecord", "已运行%1天%2小时%3分钟%4秒")
                 .arg(words[0])
                 .arg(words[1])
                 .arg(words[2])
                 .arg(words[3]);
    if (words.size() > 4)
        texts << QCoreApplication::translate("FaultRecord", "共发生%1次故障").arg(words[4]);
    if (words.size() > 5)
        texts << QCoreApplication::translate("FaultRecord", "共上电%1次").arg(words[5]);
    return texts;
}

const QStringList& faultWordKeys()
{
    static const QStringList keys = [] {
        QStringList list;
        for (int word : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 19, 20})
            list << QStringLiteral("r0943.%1").arg(word);
        return list;
    }();
    return keys;
}

QString driveBoardChannelName(int channel)
{
    switch (channel) {
    case 2:
        return QStringLiteral("下管推挽脉冲");
    case 3:
        return QStringLiteral("下管电源");
    case 5:
        return QStringLiteral("上管推挽脉冲");
    case 6:
        return QStringLiteral("上管电源");
    case 7:
        return QStringLiteral("下管门级脉冲");
    case 8:
        return QStringLiteral("上管门级脉冲");
    default:
        return {};
    }
}

}  // namespace hesk::recording
