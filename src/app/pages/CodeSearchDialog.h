#pragma once
// The dialog "查找" of the function-code search: a keyword of at most 50 characters
// ("关键字："), the direction "向上" / "向下" (down preset) and the button "查找下一个",
// which Enter presses too. The search itself belongs to whoever listens to
// findRequested.

#include "pages/CodeSearch.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace hesk::app {

class CodeSearchDialog final : public QDialog {
    Q_OBJECT
public:
    explicit CodeSearchDialog(QWidget* parent = nullptr);

    QLineEdit* keywordEdit() const { return m_keyword; }
    QPushButton* findButton() const { return m_find; }
    void setDirection(pages::SearchDirection direction);
    pages::SearchDirection direction() const;

Q_SIGNALS:
    void findRequested(const QString& keyword, pages::SearchDirection direction);

private:
    QLineEdit* m_keyword = nullptr;
    QRadioButton* m_up = nullptr;
    QRadioButton* m_down = nullptr;
    QPushButton* m_find = nullptr;
};

}  // namespace hesk::app
