#pragma once
// The dialog "自由参数" of the custom page: asks for the parameter number to insert or to
// put in place of the selected one ("请输入要插入的参数号", "参数号：").

#include <QDialog>

#include <optional>

class QLineEdit;

namespace hesk::app {

class ParameterNumberDialog final : public QDialog {
    Q_OBJECT
public:
    explicit ParameterNumberDialog(QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);

    // Runs the dialog modally: the typed text, nothing when cancelled.
    static std::optional<QString> ask(QWidget* parent);

private:
    QLineEdit* m_number = nullptr;
};

}  // namespace hesk::app
