#pragma once
// The bit editor: one row per bit of the parameter ("比特位：值", "比特位含义"), each
// checked when the bit is set, with the bit's meaning where the parameter's comment names
// it (editing::bitTexts). OK composes the word from the bits and stores or writes
// it as the value editor does (editing::applyBitWord). Closing is refused while the
// write runs.

#include "editing/ValueEdit.h"

#include "EditorDialog.h"

#include <cstdint>

class QTableWidget;
class QTableWidgetItem;

namespace hesk::app {

class BitWordEditorDialog final : public EditorDialog {
    Q_OBJECT
public:
    // The environment and the parameter must outlive the dialog. A current text that is
    // no word of the type starts with every bit clear.
    BitWordEditorDialog(editing::EditEnvironment& environment, const model::HeskParameterElement& parameter,
                           const QString& currentText, QWidget* parent = nullptr);

    QTableWidget* bitList() const { return m_list; }
    // The word the rows compose now.
    uint16_t word() const { return m_word; }
    void setBit(int bit, bool on);

public Q_SLOTS:
    void accept() override;

private:
    void itemChanged(QTableWidgetItem* item);
    void showBit(int bit);

    const model::HeskParameterElement& m_parameter;
    QTableWidget* m_list = nullptr;
    uint16_t m_word = 0;
};

}  // namespace hesk::app
