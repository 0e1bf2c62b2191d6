#include "BitWordEditorDialog.h"

#include "dialogs/DialogButtons.h"

#include "editing/BitTexts.h"
#include "editing/BitWord.h"
#include "editing/EditorMessages.h"
#include "model/ParameterTypes.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace hesk::app {

BitWordEditorDialog::BitWordEditorDialog(editing::EditEnvironment& environment,
                                               const model::HeskParameterElement& parameter,
                                               const QString& currentText, QWidget* parent)
    : EditorDialog(environment, editing::valueCloseRefusal(), parent), m_parameter(parameter)
{
    setWindowTitle(tr("修改参数值 ") + model::keyText(parameter));
    m_word = editing::bitWordFromText(parameter, currentText).value_or(0);
    auto* layout = new QVBoxLayout(this);
    const int bits = editing::bitCount(parameter);
    const std::vector<QString> meanings = editing::bitTexts(parameter);
    m_list = new QTableWidget(bits, 2, this);
    m_list->setObjectName(QStringLiteral("bitList"));
    m_list->setHorizontalHeaderLabels({tr("比特位：值"), tr("比特位含义")});
    m_list->verticalHeader()->setVisible(false);
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int bit = 0; bit < bits; ++bit) {
        auto* value = new QTableWidgetItem;
        value->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        m_list->setItem(bit, 0, value);
        auto* meaning = new QTableWidgetItem(meanings[static_cast<std::size_t>(bit)]);
        meaning->setToolTip(meaning->text());
        meaning->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        m_list->setItem(bit, 1, meaning);
        showBit(bit);
    }
    connect(m_list, &QTableWidget::itemChanged, this, &BitWordEditorDialog::itemChanged);
    layout->addWidget(m_list);
    layout->addWidget(okCancelButtons(this));
    resize(360, 420);
}

void BitWordEditorDialog::showBit(int bit)
{
    QTableWidgetItem* item = m_list->item(bit, 0);
    const bool on = editing::bitSet(m_word, bit);
    const QSignalBlocker block(m_list);
    item->setText(tr("%1：%2").arg(bit).arg(on ? 1 : 0));
    item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

void BitWordEditorDialog::setBit(int bit, bool on)
{
    if (bit < 0 || bit >= m_list->rowCount())
        return;
    m_word = editing::withBit(m_word, bit, on);
    showBit(bit);
}

void BitWordEditorDialog::itemChanged(QTableWidgetItem* item)
{
    if (item->column() == 0)
        setBit(item->row(), item->checkState() == Qt::Checked);
}

void BitWordEditorDialog::accept()
{
    applyAndClose([this] { return editing::applyBitWord(m_env, m_parameter, m_word); });
}


}  // namespace hesk::app
