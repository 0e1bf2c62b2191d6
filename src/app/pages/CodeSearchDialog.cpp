#include "CodeSearchDialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace hesk::app {

CodeSearchDialog::CodeSearchDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("查找"));
    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    auto* keywordRow = new QHBoxLayout;
    keywordRow->addWidget(new QLabel(tr("关键字："), this));
    m_keyword = new QLineEdit(this);
    m_keyword->setMaxLength(pages::kSearchKeywordMaxLength);
    keywordRow->addWidget(m_keyword);
    left->addLayout(keywordRow);

    auto* directionBox = new QGroupBox(this);
    auto* directionRow = new QHBoxLayout(directionBox);
    m_up = new QRadioButton(tr("向上"), directionBox);
    m_down = new QRadioButton(tr("向下"), directionBox);
    m_down->setChecked(true);
    directionRow->addWidget(m_up);
    directionRow->addWidget(m_down);
    left->addWidget(directionBox);
    layout->addLayout(left);

    m_find = new QPushButton(tr("查找下一个"), this);
    m_find->setDefault(true);  // Enter presses it
    layout->addWidget(m_find, 0, Qt::AlignTop);
    connect(m_find, &QPushButton::clicked, this,
            [this] { Q_EMIT findRequested(m_keyword->text(), direction()); });
}

void CodeSearchDialog::setDirection(pages::SearchDirection direction)
{
    (direction == pages::SearchDirection::Up ? m_up : m_down)->setChecked(true);
}

pages::SearchDirection CodeSearchDialog::direction() const
{
    return m_up->isChecked() ? pages::SearchDirection::Up : pages::SearchDirection::Down;
}

}  // namespace hesk::app
