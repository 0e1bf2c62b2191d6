#include "ThreeWayCompare.h"

#include "DnlFormat.h"

#include "pages/ValueComparison.h"

#include <QCoreApplication>

#include <map>

namespace hesk::files {

namespace {

int leadingNumber(const QString& text)
{
    int value = 0;
    for (const QChar c : text.trimmed()) {
        if (!c.isDigit())
            break;
        value = value * 10 + c.digitValue();
    }
    return value;
}

}  // namespace

QString threeWaySourceText(ThreeWaySource source)
{
    switch (source) {
    case ThreeWaySource::Drive: return QCoreApplication::translate("ThreeWayCompare", "设备");
    case ThreeWaySource::File: return QCoreApplication::translate("ThreeWayCompare", "文件");
    case ThreeWaySource::Factory: return QCoreApplication::translate("ThreeWayCompare", "出厂值");
    }
    return {};
}

std::vector<ThreeWayRow> compareThreeWays(const std::vector<CompareEntry>& drive, const std::vector<CompareEntry>& file,
                                          const std::vector<CompareEntry>& factory, const model::OpenedProject* project,
                                          bool approximateComparison)
{
    std::map<std::pair<int, int>, ThreeWayRow> merged;
    const std::array<const std::vector<CompareEntry>*, 3> sources{&drive, &file, &factory};
    for (std::size_t s = 0; s < sources.size(); ++s) {
        for (const CompareEntry& entry : *sources[s]) {
            ThreeWayRow& row = merged[{entry.mainNumber, entry.auxNumber}];
            if (row.main.isEmpty()) {
                row.main = entry.main;
                row.aux = entry.aux;
            }
            row.values[s] = entry.value;
            row.present[s] = true;
        }
    }
    const model::HeskProject* p = project && project->isOpen() ? &project->project() : nullptr;
    std::vector<ThreeWayRow> rows;
    rows.reserve(merged.size());
    for (auto& keyed : merged) {
        ThreeWayRow& row = keyed.second;  // a plain reference: lambdas below capture it
        const model::HeskParameterElement* element = nullptr;
        if (p) {
            DnlRow dnlKey;
            dnlKey.number = static_cast<uint16_t>(leadingNumber(row.main));
            dnlKey.subIndex = static_cast<uint16_t>(leadingNumber(row.aux));
            if (const std::optional<std::size_t> index = resolveDnlRow(*p, dnlKey))
                element = &p->elements[*index];
        }
        // Measured values have no factory state and change by themselves: not compared.
        if (element && !element->isSettable())
            continue;
        if (element) {
            row.name = element->name;
            row.comment = element->comment;
        }
        const auto same = [&](std::size_t a, std::size_t b) {
            if (!row.present[a] || !row.present[b])
                return false;
            if (pages::sameNumber(row.values[a], row.values[b]))
                return true;
            return element ? pages::valuesEqual(*element, row.values[a], row.values[b], approximateComparison)
                           : row.values[a] == row.values[b];
        };
        const bool driveFile = same(0, 1);
        const bool driveFactory = same(0, 2);
        const bool fileFactory = same(1, 2);
        row.equal = driveFile && driveFactory && fileFactory;
        if (!row.equal) {
            if (fileFactory && !driveFile && !driveFactory)
                row.odd = ThreeWaySource::Drive;
            else if (driveFactory && !driveFile && !fileFactory)
                row.odd = ThreeWaySource::File;
            else if (driveFile && !driveFactory && !fileFactory)
                row.odd = ThreeWaySource::Factory;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

bool passesFilter(const ThreeWayRow& row, CompareFilter filter)
{
    switch (filter) {
    case CompareFilter::All: return true;
    case CompareFilter::Equal: return row.equal;
    case CompareFilter::Different: return !row.equal;
    }
    return true;
}

}  // namespace hesk::files
