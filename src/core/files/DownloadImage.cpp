#include "DownloadImage.h"

#include "editing/AllowedValues.h"
#include "editing/ConnectionEdit.h"
#include "model/InputValidation.h"
#include "model/ParameterTypes.h"
#include "model/ParameterValueText.h"
#include "model/TypedValue.h"

#include <QCoreApplication>

#include <span>

namespace hesk::files {

namespace {

constexpr int kErrorLevel = 3;

QString fourDigits(int number)
{
    return QStringLiteral("%1").arg(number, 4, 10, QLatin1Char('0'));
}

const model::HeskParameterElement* findElement(const model::HeskProject& project, uint16_t number,
                                               std::optional<uint16_t> subIndex)
{
    for (const model::HeskParameterElement& e : project.elements) {
        if (e.number != number || !e.isSettable())
            continue;
        if (subIndex ? (e.hasSubIndex() && e.subIndex == *subIndex) : !e.hasSubIndex())
            return &e;
    }
    return nullptr;
}

// A value computed by the tool itself (the serial number's dependents), in display units.
struct ComputedValue {
    uint16_t number;
    std::optional<uint16_t> subIndex;
    QString text;
};

// The rated data of an active rectifier supply that follow from the serial number: the
// base-value row's column for each.
struct RowColumn {
    uint16_t number;
    std::optional<uint16_t> subIndex;
    int column;
};
constexpr RowColumn kActiveRectifierColumns[] = {
    {75, std::nullopt, 4},    // 额定功率
    {890, 1, 7},              // 交流电流标定系数
    {890, 2, 8},              // 交流电压标定系数
    {890, 3, 10},             // 直流电压标定系数
    {80, std::nullopt, 15},   // 网侧交流电压
    {81, std::nullopt, 16},   // 网侧交流电流
    {84, std::nullopt, 11},   // 单机网侧电感值
    {900, 2, 9},              // 直流电压过压门槛
};

// The inverter's base-value columns behind the serial number's dependents.
constexpr RowColumn kInverterColumns[] = {
    {890, 1, 7},              // 电流标定系数
    {890, 2, 8},              // 电压标定系数
    {900, 2, 9},              // 过压门槛
    {340, 1, 10}, {340, 2, 10}, {340, 3, 10}, {340, 4, 10},  // 开关频率, every data set
    {89, std::nullopt, 13},   // 从站实际数目
    {848, std::nullopt, 14},  // 从站使能
};

std::vector<ComputedValue> inverterLiterals()
{
    std::vector<ComputedValue> values;
    auto perDataSet = [&](uint16_t number, const char* text) {
        for (uint16_t set = 1; set <= 4; ++set)
            values.push_back({number, set, QString::fromLatin1(text)});
    };
    perDataSet(107, "100");
    perDataSet(109, "2");
    for (uint16_t number : {350, 351, 352, 354})
        values.push_back({number, std::nullopt, QStringLiteral("100")});
    for (uint16_t number : {101, 102, 105, 113, 293})
        perDataSet(number, "100");
    perDataSet(128, "135");
    perDataSet(215, "1");
    perDataSet(313, "10");
    perDataSet(319, "50");
    perDataSet(322, "0");
    perDataSet(326, "20");
    // The motor overload factor refers to the motor's rated current, which the values
    // above set back to the power unit's own: 100 %.
    perDataSet(325, "100");
    return values;
}

std::vector<ComputedValue> serialDependents(model::DeviceClass deviceClass, const model::UbaseInfo& row)
{
    std::vector<ComputedValue> values;
    auto fromColumns = [&](std::span<const RowColumn> columns) {
        for (const RowColumn& c : columns)
            values.push_back({c.number, c.subIndex, row.columns[static_cast<std::size_t>(c.column)].trimmed()});
    };
    if (deviceClass == model::DeviceClass::Inverter) {
        values = inverterLiterals();
        fromColumns(kInverterColumns);
    } else {
        fromColumns(kActiveRectifierColumns);
    }
    return values;
}

class ImageBuilder {
public:
    ImageBuilder(model::OpenedProject& project, model::UserPrompt& prompt, model::LogSink& log)
        : m_opened(project), m_project(project.project()), m_prompt(prompt), m_log(log),
          m_keys(buildDownloadRowKeys(project.project())), m_allowed(editing::AllowedValueSource::of(project))
    {
    }

    DownloadBuild build(const QStringList& rows, SerialNumberAnswer serialAnswer);

private:
    void row(const DnlRow& row);
    void valueRow(const model::HeskParameterElement& element, const DnlRow& row, const QString& key);
    void connectionRow(const model::HeskParameterElement& element, const DnlRow& row, const QString& key);
    bool serialNumber(const QStringList& rows, SerialNumberAnswer answer);
    bool addComputed(const ComputedValue& value);
    void reject(const QString& key, const QString& prefix, const QString& line)
    {
        m_log.log(prefix + line, kErrorLevel);
        m_result.rowResults.insert(key, false);
    }
    bool fail(const QString& text)
    {
        m_result.failure = model::UserMessage::error(text);
        m_prompt.showMessage(*m_result.failure);
        return false;
    }

    model::OpenedProject& m_opened;
    const model::HeskProject& m_project;
    model::UserPrompt& m_prompt;
    model::LogSink& m_log;
    DownloadRowKeys m_keys;
    editing::AllowedValueSource m_allowed;
    DownloadBuild m_result;
    bool m_serialRowHandled = false;
};

DownloadBuild ImageBuilder::build(const QStringList& rows, SerialNumberAnswer serialAnswer)
{
    if (rows.isEmpty()) {
        fail(downloadMessage(downloadText::kNoValidRows));
        return m_result;
    }
    if (!serialNumber(rows, serialAnswer))
        return m_result;
    for (const QString& line : rows) {
        const DnlRow split = splitDnlRow(line);
        if (split.number == 70 && split.subIndex == 0 && m_serialRowHandled)
            continue;
        row(split);
    }
    if (m_result.values.size() > kMaxDownloadEntries || m_result.connections.size() > kMaxDownloadEntries) {
        // The drive takes at most this many entries per list: a longer image would be cut
        // or overrun its buffer, so it is not sent at all.
        fail(downloadMessage(downloadText::kTooManyEntries).arg(kMaxDownloadEntries));
        return m_result;
    }
    if (m_result.values.empty() && m_result.connections.empty())
        fail(downloadMessage(downloadText::kNoValidRows));
    return m_result;
}

void ImageBuilder::row(const DnlRow& row)
{
    const auto entry = m_keys.constFind(row.rowKey);
    if (entry == m_keys.constEnd()) {
        m_log.log(QStringLiteral("不允许导入项：") + row.line, 1);
        return;
    }
    const QString key = downloadDisplayKey(row.rowKey, *entry);
    if (entry->readOnly) {
        if (!resolveDnlRow(m_project, row))
            m_log.log(QStringLiteral("要修改的r参数不存在：") + row.line, kErrorLevel);
        return;  // read-only values are never written
    }
    // The settable parameter of the row (an r parameter may share its number).
    const model::HeskParameterElement* found =
        findElement(m_project, row.number, entry->hasSubIndex ? std::optional<uint16_t>(row.subIndex) : std::nullopt);
    if (!found && row.subIndex == 0)
        found = findElement(m_project, row.number, entry->hasSubIndex ? std::nullopt : std::optional<uint16_t>(0));
    if (!found) {
        reject(key, QStringLiteral("不允许导入项："), row.line);
        return;
    }
    const model::HeskParameterElement& element = *found;
    if (!isDownloadable(element)) {
        m_log.log(QStringLiteral("不允许导入项：") + row.line, 1);
        return;
    }
    if (element.isConnection())
        connectionRow(element, row, key);
    else
        valueRow(element, row, key);
}

void ImageBuilder::valueRow(const model::HeskParameterElement& element, const DnlRow& row, const QString& key)
{
    QString text = row.value;
    if (editing::hasAllowedValues(m_allowed, element.number)) {
        if (!editing::checkAllowedValue(m_allowed, element.number, text)) {
            reject(key, editing::allowedValueRefusalLogPrefix(), row.line);
            return;
        }
    }
    if (model::radixOfType(element.typeCode) == model::Radix::Hexadecimal && !text.isEmpty()
        && !text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        text.prepend(QLatin1String("0x"));
    const model::TypedValueConversion conversion = model::convertTypedValue(m_opened, element, text);
    if (!conversion.check.validation.accepted()) {
        const model::ValidationCode code = conversion.check.validation.code;
        const bool range = code == model::ValidationCode::BelowMinimum || code == model::ValidationCode::AboveMaximum;
        reject(key,
               range ? QStringLiteral("修改值项值不在范围内：")
                     : model::importMessagePrefix(code, model::ImportValueKind::PValue),
               row.line);
        return;
    }
    if (!conversion.raw.raw) {
        reject(key, QStringLiteral("数据计算出错："), row.line);
        return;
    }
    m_result.values.push_back({element.address, *conversion.raw.raw});
    m_result.rowResults.insert(key, true);
}

void ImageBuilder::connectionRow(const model::HeskParameterElement& element, const DnlRow& row, const QString& key)
{
    bool ok = false;
    const int number = row.value.toInt(&ok, 10);
    if (!ok || number < 0 || number > 9999) {
        reject(key, model::connectionImportMessagePrefix(model::ConnectionImportMessage::PValueFormat), row.line);
        return;
    }
    // The input's kind (connector or binector) is the letter of its factory connection.
    const QString factory = element.factoryValue.trimmed();
    const QChar kind = factory.startsWith(QLatin1Char('B')) ? QLatin1Char('B') : QLatin1Char('K');
    QString text = kind + fourDigits(number);
    if (m_opened.deviceClass() == model::DeviceClass::Inverter && element.number == 222
        && text == QLatin1String("K0000"))
        text = QStringLiteral("K0091");
    editing::SourceLookup source = editing::findConnectionSource(m_opened, text);
    if (!source.source)  // a file of another kind of input: the plain number decides
        source = editing::findConnectionSource(m_opened, QString::number(text.right(4).toInt()));
    if (!source.source) {
        reject(key, model::connectionImportMessagePrefix(model::ConnectionImportMessage::ConnectionValueWrong),
               row.line);
        return;
    }
    m_result.connections.push_back({element.address, editing::connectionWord(*source.source)});
    m_result.rowResults.insert(key, true);
}

bool ImageBuilder::serialNumber(const QStringList& rows, SerialNumberAnswer answer)
{
    const model::DeviceClass deviceClass = m_opened.deviceClass();
    if (deviceClass != model::DeviceClass::Inverter && deviceClass != model::DeviceClass::ActiveRectifier)
        return true;
    std::optional<DnlRow> serial;
    for (const QString& line : rows) {
        const DnlRow row = splitDnlRow(line);
        if (row.number > 70)
            break;  // the file is ordered by number
        if (row.number == 70 && row.subIndex == 0) {
            serial = row;
            break;
        }
    }
    if (!serial || !m_keys.contains(serial->rowKey))
        return true;
    const model::HeskParameterElement* element = findElement(m_project, 70, std::nullopt);
    if (!element)
        return true;
    m_serialRowHandled = true;
    const QString key = downloadDisplayKey(*element);
    bool yes = answer == SerialNumberAnswer::Yes;
    if (answer == SerialNumberAnswer::Ask)
        yes = m_prompt.ask(QCoreApplication::translate("DownloadImage", "提示"),
                           downloadMessage(downloadText::kSerialQuestion), model::PromptButtons::YesNo)
            == model::PromptAnswer::Yes;
    if (!yes) {
        m_result.leftOut.insert(key);
        m_log.log(QStringLiteral("不下载装置序列号"), 1);
        return true;
    }
    const model::UbaseInfo* baseRow = nullptr;
    for (const model::UbaseInfo& info : m_project.ubaseTable) {
        if (!info.columns[0].trimmed().isEmpty() && info.columns[0].trimmed() == serial->value) {
            baseRow = &info;
            break;
        }
    }
    if (!baseRow)
        return fail(downloadMessage(deviceClass == model::DeviceClass::Inverter ? downloadText::kSerialWrongInverter
                                                                                : downloadText::kSerialWrong));
    valueRow(*element, *serial, key);
    for (const ComputedValue& value : serialDependents(deviceClass, *baseRow)) {
        if (!addComputed(value))
            return false;
    }
    return true;
}

bool ImageBuilder::addComputed(const ComputedValue& value)
{
    const model::HeskParameterElement* element = findElement(m_project, value.number, value.subIndex);
    if (!element)
        return true;  // the project does not have it
    const model::RawConversion raw =
        model::rawFromDisplayText(*element, value.text, m_project.timeBases, m_opened.formulas());
    if (raw.error == model::RawConversionError::WrongParameter)
        return fail(downloadMessage(downloadText::kComputedConversion));
    if (!raw.raw) {
        m_log.log(QStringLiteral("数据计算出错：%1=%2").arg(downloadDisplayKey(*element), value.text), kErrorLevel);
        return true;
    }
    m_result.values.push_back({element->address, *raw.raw});
    return true;
}

void appendWord(QByteArray& bytes, uint16_t word)
{
    bytes.append(static_cast<char>(word >> 8));
    bytes.append(static_cast<char>(word & 0xFF));
}

}  // namespace

DownloadRowKeys buildDownloadRowKeys(const model::HeskProject& project)
{
    DownloadRowKeys keys;
    for (const model::HeskParameterElement& e : project.elements) {
        if (e.importFlag != QLatin1String("1") || e.referenceKey.size() != kDnlLabelLength)
            continue;
        keys.insert(e.referenceKey.left(kDnlRowKeyLength),
                    {e.auxFlag == QLatin1String("1"), !e.isSettable()});
    }
    return keys;
}

QString downloadDisplayKey(const QString& rowKey, const DownloadRowKey& entry)
{
    QString key = (entry.readOnly ? QLatin1Char('r') : QLatin1Char('P')) + rowKey.left(4);
    if (entry.hasSubIndex)
        key += QLatin1Char('.') + QString::number(rowKey.mid(5, 3).toInt());
    return key;
}

QString downloadDisplayKey(const model::HeskParameterElement& element)
{
    QString key = (element.isSettable() ? QLatin1Char('P') : QLatin1Char('r')) + fourDigits(element.number);
    if (element.hasSubIndex())
        key += QLatin1Char('.') + QString::number(element.subIndex);
    return key;
}

bool isDownloadable(const model::HeskParameterElement& element)
{
    return element.isSettable() && element.importFlag != QLatin1String("0");
}

QByteArray DownloadBuild::image() const
{
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(4 + 4 * (values.size() + connections.size())));
    appendWord(bytes, static_cast<uint16_t>(values.size()));
    appendWord(bytes, static_cast<uint16_t>(connections.size()));
    for (const DownloadEntry& e : values) {
        appendWord(bytes, e.address);
        appendWord(bytes, e.word);
    }
    for (const DownloadEntry& e : connections) {
        appendWord(bytes, e.address);
        appendWord(bytes, e.word);
    }
    return bytes;
}

DownloadBuild buildDownloadImage(model::OpenedProject& project, const QStringList& acceptedRows,
                                 model::UserPrompt& prompt, model::LogSink& log, SerialNumberAnswer serialNumber)
{
    ImageBuilder builder(project, prompt, log);
    return builder.build(acceptedRows, serialNumber);
}

DownloadCounts countDownloadResult(const model::HeskProject& project, const DownloadBuild& build,
                                   model::LogSink& log)
{
    DownloadCounts counts;
    for (const model::HeskParameterElement& e : project.elements) {
        if (!isDownloadable(e))
            continue;
        const QString key = downloadDisplayKey(e);
        if (build.leftOut.contains(key))
            continue;
        ++counts.downloadable;
        const auto result = build.rowResults.constFind(key);
        if (result == build.rowResults.constEnd()) {
            ++counts.missing;
            log.log(QStringLiteral("当前工程中含有此参数，但dnl文件中无此参数：") + key, kErrorLevel);
        } else if (*result) {
            ++counts.succeeded;
        } else {
            ++counts.failed;
            counts.failedKeys << key;
        }
    }
    return counts;
}

QString downloadMessage(const char* text) { return QCoreApplication::translate("DownloadImage", text); }

QString downloadResultText(const DownloadCounts& counts)
{
    return QCoreApplication::translate(
               "DownloadImage",
               "参数下载完成！\n当前工程中可下载的参数共有%1个，\n从dnl文件中下载成功的参数有%2个，失败的有%3个！\n"
               "dnl文件未包含的可下载参数共有%4个！\n详见日志。")
        .arg(counts.downloadable)
        .arg(counts.succeeded)
        .arg(counts.failed)
        .arg(counts.missing);
}

}  // namespace hesk::files
