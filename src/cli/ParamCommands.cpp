// heskmon param show | check | to-raw

#include "CliCommand.h"
#include "CliProject.h"

#include "model/InputValidation.h"
#include "model/ParameterTypes.h"
#include "model/ParameterValueText.h"
#include "model/TypedValue.h"
#include "pages/PageValueText.h"

#include <QJsonArray>

using namespace hesk::model;

namespace hesk::cli {

namespace {

// A raw word as typed: decimal (-32768 .. 65535) or hexadecimal with "0x".
std::optional<uint16_t> parseWord(const QString& text)
{
    bool ok = false;
    long long value = 0;
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        value = text.mid(2).toLongLong(&ok, 16);
    else
        value = text.toLongLong(&ok, 10);
    if (!ok || value < -32768 || value > 65535)
        return std::nullopt;
    return static_cast<uint16_t>(value & 0xFFFF);
}

QJsonObject baseValuesJson(const FormulaState& formulas)
{
    const BaseValues& b = formulas.baseValues();
    return {{QStringLiteral("Ubase"), b.value(BaseValueKind::Voltage)},
            {QStringLiteral("current"), b.value(BaseValueKind::Current)},
            {QStringLiteral("power"), b.value(BaseValueKind::Power)},
            {QStringLiteral("UbaseT"), b.value(BaseValueKind::Torque)},
            {QStringLiteral("UDCn"), b.value(BaseValueKind::DcVoltage)}};
}

// Opens the project, selects the base row when asked and finds the parameter.
struct ParamCall {
    std::unique_ptr<CliProject> cli;
    const HeskParameterElement* element = nullptr;
};

std::optional<ParamCall> openParam(const QStringList& args, const CliArguments& call, const CliOutput& out)
{
    ParamCall result;
    result.cli = CliProject::open(args[0], out);
    if (!result.cli)
        return std::nullopt;
    if (const auto row = call.option(QStringLiteral("--base-row")); row && !result.cli->selectBaseRow(*row, out))
        return std::nullopt;
    result.element = result.cli->parameter(args[1], out);
    if (!result.element)
        return std::nullopt;
    return result;
}

int runShow(const QStringList& args, const CliArguments& call, const CliOutput& out)
{
    auto param = openParam(args, call, out);
    if (!param)
        return ExitFailure;
    OpenedProject& opened = param->cli->opened();
    const HeskParameterElement& element = *param->element;
    QJsonObject result = definitionJson(opened, element);
    if (element.usesFormulas())
        result.insert(QStringLiteral("baseValues"), baseValuesJson(opened.formulas()));
    if (const auto rawText = call.option(QStringLiteral("--raw"))) {
        const auto raw = parseWord(*rawText);
        if (!raw)
            return out.usage(QStringLiteral("--raw takes a 16-bit word (decimal or 0x hexadecimal), not '%1'").arg(*rawText));
        const DisplayedValue shown = displayRawValue(element, *raw, opened.project().timeBases, opened.formulas());
        result.insert(QStringLiteral("raw"), *raw);
        // The page's text: its decimals for the real-valued types, not the raw format's six.
        result.insert(QStringLiteral("value"),
                      pages::displayValueText(element, *raw, opened.project().timeBases, opened.formulas()));
        result.insert(QStringLiteral("conversionFailed"), shown.conversionFailed);
        if (shown.conversionFailed)
            result.insert(QStringLiteral("conversionFailure"), shown.failure);
    }
    if (out.json()) {
        out.document(result);
        return ExitOk;
    }
    const QStringList order{QStringLiteral("displayNumber"), QStringLiteral("key"), QStringLiteral("name"),
                            QStringLiteral("type"), QStringLiteral("unit"), QStringLiteral("min"),
                            QStringLiteral("max"), QStringLiteral("factoryValue"), QStringLiteral("decimals"),
                            QStringLiteral("settable"), QStringLiteral("connection"), QStringLiteral("address"),
                            QStringLiteral("comment"), QStringLiteral("reverseFormula"),
                            QStringLiteral("forwardFormula"), QStringLiteral("raw"), QStringLiteral("value")};
    for (const QString& field : order) {
        if (!result.contains(field))
            continue;
        out.line(QStringLiteral("%1 %2").arg(field + QLatin1Char(':'), -16).arg(result[field].toVariant().toString()));
    }
    if (result.contains(QStringLiteral("baseValues"))) {
        const QJsonObject bases = result[QStringLiteral("baseValues")].toObject();
        out.line(QStringLiteral("%1 Ubase=%2 UbaseT=%3 UDCn=%4")
                     .arg(QStringLiteral("baseValues:"), -16)
                     .arg(bases[QStringLiteral("Ubase")].toString(), bases[QStringLiteral("UbaseT")].toString(),
                          bases[QStringLiteral("UDCn")].toString()));
    }
    if (result[QStringLiteral("conversionFailed")].toBool())
        out.line(QStringLiteral("(the formula could not be computed: %1)")
                     .arg(result[QStringLiteral("conversionFailure")].toString()));
    return ExitOk;
}

int runCheck(const QStringList& args, const CliArguments& call, const CliOutput& out)
{
    auto param = openParam(args, call, out);
    if (!param)
        return ExitFailure;
    const TypedValueCheck checked = checkTypedValue(param->cli->opened(), *param->element, args[2]);
    const ValidationResult& v = checked.validation;
    const auto& message = checked.message;
    if (out.json())
        out.document(QJsonObject{{QStringLiteral("key"), keyText(*param->element)},
                                 {QStringLiteral("input"), args[2]},
                                 {QStringLiteral("accepted"), v.accepted()},
                                 {QStringLiteral("result"), v.resultText()},
                                 {QStringLiteral("min"), checked.limits.lower},
                                 {QStringLiteral("max"), checked.limits.upper},
                                 {QStringLiteral("message"), message ? message->text : QString()}});
    else if (v.accepted())
        out.line(v.acceptedText);
    if (!v.accepted())
        return out.fail(QStringLiteral("%1: %2").arg(v.resultText(), message ? message->text : QString()));
    return ExitOk;
}

int runToRaw(const QStringList& args, const CliArguments& call, const CliOutput& out)
{
    auto param = openParam(args, call, out);
    if (!param)
        return ExitFailure;
    OpenedProject& opened = param->cli->opened();
    const HeskParameterElement& element = *param->element;
    const TypedValueConversion converted = convertTypedValue(opened, element, args[2]);
    if (!converted.ok())
        return out.fail(converted.failureText());
    const TypedValueCheck& checked = converted.check;
    const RawConversion& raw = converted.raw;
    const QString hex = QStringLiteral("0x%1").arg(*raw.raw, 4, 16, QLatin1Char('0')).toUpper().replace(QLatin1String("0X"), QLatin1String("0x"));
    if (out.json()) {
        QJsonObject result{{QStringLiteral("key"), keyText(element)},
                           {QStringLiteral("input"), args[2]},
                           {QStringLiteral("accepted"), checked.validation.acceptedText},
                           {QStringLiteral("raw"), *raw.raw},
                           {QStringLiteral("rawHex"), hex}};
        if (element.usesFormulas())
            result.insert(QStringLiteral("deviceValue"), raw.deviceValue);
        out.document(result);
    } else {
        out.line(QStringLiteral("%1 (%2)").arg(*raw.raw).arg(hex));
    }
    return ExitOk;
}

const QString kBaseRowHelp = QStringLiteral(
    "--base-row KEY  select the base-value row whose key (column 0) is KEY, as the drive's\n"
    "                P0070 would; without it the row of P0070's value in the project counts\n");

}  // namespace

void addParamCommands(std::vector<CliCommand>& table)
{
    table.push_back({
        {QStringLiteral("param"), QStringLiteral("show")},
        QStringLiteral("param show FILE KEY [--raw WORD] [--base-row KEY]"),
        QStringLiteral("one parameter definition, and the displayed value of a raw word"),
        QStringLiteral(R"(FILE        a project file (.tmprj)
KEY         key text ("P0107.1", "r0021") or display number ("P0100", "K0012", "U005")
--raw WORD  a raw 16-bit word (decimal, -32768 to 65535, or 0x hexadecimal): shows the
            value as the pages show it (the reverse formula for formula parameters)
)") + kBaseRowHelp + QStringLiteral(R"(
JSON: the fields of 'project params' rows, plus baseValues {Ubase, current, power,
UbaseT, UDCn} for formula parameters, and with --raw: raw, value, conversionFailed
(true when the formula gave "WrongParameter": value is then "WrongParameter" and conversionFailure says why))"),
        2, 2, {QStringLiteral("--raw"), QStringLiteral("--base-row")}, {}, runShow});
    table.push_back({
        {QStringLiteral("param"), QStringLiteral("check")},
        QStringLiteral("param check FILE KEY TEXT [--base-row KEY]"),
        QStringLiteral("validate a typed value as the value dialog does"),
        QStringLiteral(R"(Prints the accepted (normalised) text and exits 0, or prints the result code
("error1" .. "error9") with the dialog's message on standard error and exits 1.
)") + kBaseRowHelp + QStringLiteral(R"(
JSON: {key, input, accepted (bool), result (accepted text or result code), min, max,
message (empty when accepted)})"),
        3, 3, {QStringLiteral("--base-row")}, {}, runCheck});
    table.push_back({
        {QStringLiteral("param"), QStringLiteral("to-raw")},
        QStringLiteral("param to-raw FILE KEY TEXT [--base-row KEY]"),
        QStringLiteral("the raw 16-bit word that a display text is written as"),
        QStringLiteral(R"(The text is validated first (as 'param check'); formula parameters go through
the forward formula, the others undo their type's scaling.
)") + kBaseRowHelp + QStringLiteral(R"(
JSON: {key, input, accepted (normalised text), raw, rawHex, deviceValue (formula
parameters only)})"),
        3, 3, {QStringLiteral("--base-row")}, {}, runToRaw});
}

}  // namespace hesk::cli
