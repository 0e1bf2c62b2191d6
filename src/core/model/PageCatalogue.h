#pragma once
// The fixed parameter pages: which pages a device class has and which definitions
// belong to each. A definition belongs to a group page when its number is in the page's
// list (all its sub-indices come with it); a few pages take only some sub-indices.

#include "DeviceCatalogue.h"
#include "HeskProject.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <vector>

namespace hesk::model {

namespace pages {
inline const QString kSettable = QStringLiteral("P参数");
inline const QString kReadOnly = QStringLiteral("r参数");
inline const QString kAll = QStringLiteral("所有参数");
inline const QString kCustom = QStringLiteral("自定义参数");
}  // namespace pages

// The caption shown for a page: its name in the language of the loaded translator. The
// names themselves stay as they are, since they are keys (compared, stored, given to the
// command line); only what the person reads goes through here. A name the translation
// does not know (a page added later) is shown as it is.
QString pageCaption(const QString& pageName);

class PageCatalogue {
public:
    explicit PageCatalogue(DeviceClass deviceClass);

    // The page names of this device class, in the fixed order of the page dialogs.
    QStringList pageNames() const;
    bool hasPage(const QString& pageName) const;

    // Indices into project.elements of the rows of a page: project order, except the
    // custom page, which follows the custom list (a number listed twice shows twice).
    // An unknown page name gives no rows.
    std::vector<std::size_t> rows(const HeskProject& project, const QString& pageName) const;

private:
    struct NumberRange {
        int first;
        int last;
        int firstSubIndex = -1;  // -1: every sub-index (and none)
        int lastSubIndex = -1;
    };
    struct GroupPage {
        QString name;
        std::vector<NumberRange> ranges;
    };

    bool groupContains(const GroupPage& page, const HeskParameterElement& element) const;

    std::vector<GroupPage> groups_;
};

}  // namespace hesk::model
