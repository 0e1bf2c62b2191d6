#pragma once
// The bit editor: one row per bit of the parameter ("比特位：值", "比特位含义"), each
// checked when the bit is set. OK composes the word from the bits and stores or writes
// it as the value editor does (editing::applyBitWord). Closing is refused while the
// write runs.

#include "editing/ValueEdit.h"

#include <QDialog>

#include <cstdint>

class QTableWidget;
class QTableWidgetItem;

namespace hesk::app {

class CBinaryParameterDialog final : public QDialog {
    Q_OBJECT
public:
    // The environment and the parameter must outlive the dialog. A current text that is
    // no word of the type starts with every bit clear.
    CBinaryParameterDialog(editing::EditEnvironment& environment, const model::HeskParameterElement& parameter,
                           const QString& currentText, QWidget* parent = nullptr);

    QTableWidget* bitList() const { return m_list; }
    // The word the rows compose now.
    uint16_t word() const { return m_word; }
    void setBit(int bit, bool on);
    const QString& resultText() const { return m_result; }

public Q_SLOTS:
    void accept() override;
    void reject() override;

private:
    void itemChanged(QTableWidgetItem* item);
    void showBit(int bit);

    editing::EditEnvironment& m_env;
    const model::HeskParameterElement& m_parameter;
    QTableWidget* m_list = nullptr;
    uint16_t m_word = 0;
    QString m_result;
    bool m_writing = false;
};

}  // namespace hesk::app
