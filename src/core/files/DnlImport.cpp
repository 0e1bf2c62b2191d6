#include "DnlImport.h"

#include "DnlFormat.h"

#include "editing/ConnectionEdit.h"
#include "model/InputValidation.h"
#include "model/ParameterNumbering.h"
#include "model/ParameterTypes.h"
#include "model/ParameterValueText.h"
#include "model/ValueLimits.h"

#include <QCoreApplication>

namespace hesk::files {

namespace {

constexpr uint16_t kInverterSpeedInput = 222;
const QString kErrorMark = QStringLiteral("<错误>");

// Corrections of range and decimals may meet a second one (a cut value still above the
// limit); after this many the row is refused.
constexpr int kMaxCorrections = 3;

bool correctable(model::ValidationCode code)
{
    return code == model::ValidationCode::BelowMinimum || code == model::ValidationCode::AboveMaximum
           || code == model::ValidationCode::TooManyDecimals || code == model::ValidationCode::IntegerRequired;
}

}  // namespace

QString dnlImportEndText(const DnlImportSummary& summary)
{
    if (summary.allImported())
        return QCoreApplication::translate("DnlImport", "导入dnl数据成功！\ndnl文件中共有%1个参数，全部导入成功！")
            .arg(summary.rows);
    return QCoreApplication::translate(
               "DnlImport", "导入dnl数据成功！\ndnl文件中共有%1个参数，成功导入%2个参数！\n导入失败信息详见日志。")
        .arg(summary.rows)
        .arg(summary.imported);
}

std::optional<QStringList> readDnlRowsForImport(const QString& path, model::UserPrompt& prompt)
{
    const DnlRowsRead read = readDnlRows(path);
    if (!read.ok()) {
        prompt.show(model::MessageKind::Error, QCoreApplication::translate("DnlImport", "错误"),
                    QCoreApplication::translate("DnlImport", "文件打开失败！"));
        return std::nullopt;
    }
    if (read.rows.isEmpty()) {
        prompt.show(model::MessageKind::Error, QCoreApplication::translate("DnlImport", "错误"),
                    QCoreApplication::translate("DnlImport", "您所打开的文件没有有效项，请您重新尝试打开其它文件！"));
        return std::nullopt;
    }
    return read.rows;
}

DnlImporter::DnlImporter(model::OpenedProject& project, pages::OfflineValueSet& offline, model::LogSink& log,
                         QStringList rows)
    : m_project(project)
    , m_offline(offline)
    , m_log(log)
    , m_rows(std::move(rows))
    , m_allowed(editing::AllowedValueSource::of(project))
{
    m_summary.rows = static_cast<int>(m_rows.size());
    for (const model::HeskParameterElement& e : project.project().elements)
        if (!e.isSettable() && editing::isConnectorOrBinector(project.deviceClass(), e))
            m_connectionSources.insert(model::displayNumber(project.deviceClass(), e, false));
}

DnlImportRowOutcome DnlImporter::checkRow(const QString& line) const
{
    DnlImportRowOutcome out;
    out.line = line;
    const auto refuse = [&out, &line](const QString& prefix) {
        out.imported = false;
        out.logText = kErrorMark + prefix + line;
        out.logLevel = kImportErrorLevel;
        return out;
    };
    const DnlRow row = splitDnlRow(line);
    const std::optional<std::size_t> index = resolveDnlRow(m_project.project(), row);
    if (!index)
        return refuse(QStringLiteral("未找到对应参数："));
    out.element = index;
    const model::HeskParameterElement& e = m_project.project().elements[*index];
    const QString type = model::typeName(e.typeCode);
    const model::Radix radix = model::radixOf(type);
    QString value = row.value;

    if (e.isSettable() && e.isConnection()) {
        using model::ConnectionImportMessage;
        const QString current =
            m_offline.value(m_project.deviceClass(), e).value_or(e.factoryValue).trimmed();
        const QChar letter = current.isEmpty() ? QChar() : current.front();
        if (letter != QLatin1Char('K') && letter != QLatin1Char('B'))
            return refuse(model::connectionImportMessagePrefix(ConnectionImportMessage::ConnectionNotModifiable));
        if (value.isEmpty())
            return refuse(model::importMessagePrefix(model::ValidationCode::Empty, model::ImportValueKind::PValue));
        bool number = false;
        const int source = value.toInt(&number, 10);
        if (!number)
            return refuse(model::connectionImportMessagePrefix(ConnectionImportMessage::PValueFormat));
        if (source < 0 || source > 9999)
            return refuse(model::connectionImportMessagePrefix(ConnectionImportMessage::ConnectionValueWrong));
        QString text = letter + QStringLiteral("%1").arg(source, 4, 10, QLatin1Char('0'));
        if (m_project.deviceClass() == model::DeviceClass::Inverter && e.number == kInverterSpeedInput
            && text == QLatin1String("K0000"))
            text = QStringLiteral("K0091");
        if (!m_connectionSources.contains(text))
            return refuse(model::connectionImportMessagePrefix(ConnectionImportMessage::ConnectionValueWrong));
        out.imported = true;
        out.value = text;
        return out;
    }

    // The file holds the digits alone; a file written elsewhere with the prefix keeps it
    // once rather than getting "0X0X". Digits in the upper case the pages show.
    if (radix == model::Radix::Hexadecimal && !value.isEmpty()) {
        if (value.startsWith(QLatin1String("0X"), Qt::CaseInsensitive))
            value.remove(0, 2);
        value = QStringLiteral("0X") + value.toUpper();
    }

    if (e.isSettable() && editing::hasAllowedValues(m_allowed, e.number)) {
        QString allowedText = value.simplified().remove(QLatin1Char(' '));
        if (!editing::checkAllowedValue(m_allowed, e.number, allowedText))
            return refuse(editing::allowedValueRefusalLogPrefix());
        value = allowedText;
    }

    const model::ImportValueKind kind = e.isSettable() ? model::ImportValueKind::PValue : model::ImportValueKind::RValue;
    const model::EffectiveLimits limits = model::displayLimits(e, m_project.formulas());
    model::ValidationResult result = model::validateInput(value, limits.lower, limits.upper, e.decimals, radix, type);
    if (result.accepted()) {
        out.imported = true;
        out.value = result.acceptedText;
        return out;
    }
    if (!correctable(result.code))
        return refuse(model::importMessagePrefix(result.code, kind));
    // Out of range or too many decimals: the first finding is logged, the corrected
    // value is imported.
    out.logText = model::importMessagePrefix(result.code, kind) + line;
    out.logLevel = kImportInfoLevel;
    QString corrected = value.simplified().remove(QLatin1Char(' '));
    for (int i = 0; i < kMaxCorrections && correctable(result.code); ++i) {
        if (result.code == model::ValidationCode::BelowMinimum || result.code == model::ValidationCode::AboveMaximum)
            corrected = model::forceIntoRange(e, corrected, limits).value;
        else
            corrected = model::cutToDecimals(corrected, e.decimals);
        result = model::validateInput(corrected, limits.lower, limits.upper, e.decimals, radix, type);
    }
    if (!result.accepted())
        return refuse(model::importMessagePrefix(result.code, kind));
    out.imported = true;
    out.value = result.acceptedText;
    return out;
}

bool DnlImporter::importNext(int maxRows)
{
    const int end = std::min(total(), m_next + std::max(maxRows, 0));
    for (; m_next < end; ++m_next) {
        DnlImportRowOutcome outcome = checkRow(m_rows[m_next]);
        if (!outcome.logText.isEmpty())
            m_log.log(outcome.logText, outcome.logLevel);
        if (outcome.imported) {
            ++m_summary.imported;
            if (!outcome.value.isEmpty() && outcome.element) {
                const model::HeskParameterElement& e = m_project.project().elements[*outcome.element];
                if (m_offline.set(pages::offlineKey(m_project.deviceClass(), e), outcome.value))
                    ++m_summary.changed;
            }
        }
        if (!outcome.logText.isEmpty())
            m_summary.logged.push_back(std::move(outcome));
    }
    return m_next < total();
}

DnlImportRun::DnlImportRun(model::OpenedProject& project, pages::OfflineValueSet& offline, model::LogSink& log,
                           QStringList rows, QObject* parent)
    : QObject(parent)
    , m_importer(project, offline, log, std::move(rows))
{
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &DnlImportRun::step);
}

void DnlImportRun::start()
{
    Q_EMIT progress(0, m_importer.total());
    m_timer.start();
}

void DnlImportRun::step()
{
    const bool more = m_importer.importNext(kChunkRows);
    Q_EMIT progress(m_importer.done(), m_importer.total());
    if (!more) {
        m_timer.stop();
        Q_EMIT finished();
    }
}

}  // namespace hesk::files
