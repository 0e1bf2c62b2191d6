#pragma once
// The BICO wiring pane ("BICO连线"): every connection input of the open project with the
// connector or binector output it takes its signal from, online from the drive's
// connection table (blank until read; "读取" reads every input once), offline from the
// offline values or else the factory values. The search field finds in any column, or
// exactly by input (what feeds it) or by source (what it feeds). A double-click asks for
// the input's page; "导出" writes the rows shown as CSV.
//
// The wiring itself is pages::BicoWiring; this pane only shows it. While the pane is
// visible its sources are taken again every second (only changed cells repaint).
//
// Thread: UI thread only.

#include "pages/BicoWiring.h"
#include "pages/OfflineValueSet.h"
#include "model/UserPrompt.h"
#include "shell/MonitorSession.h"

#include <QAbstractTableModel>
#include <QTimer>
#include <QWidget>

#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace hesk::app {

class BicoTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Same inputs as shown: only changed cells are signalled; else the rows are replaced.
    void setConnections(std::vector<pages::BicoConnection> connections);
    const std::vector<pages::BicoConnection>& connections() const { return m_rows; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<pages::BicoConnection> m_rows;
};

class BicoPane final : public QWidget {
    Q_OBJECT
public:
    enum class SearchBy { AnyColumn, Input, Source };

    // All three must outlive the pane.
    BicoPane(shell::MonitorSession& session, pages::OfflineValueSet& offline, model::UserPrompt& prompt,
             QWidget* parent = nullptr);

    // Takes the sources again (online table or offline values) and applies the search.
    void refresh();
    void setSearch(const QString& text, SearchBy by);
    // Reads every input's connection from the drive (online only); false when a read
    // did not answer (said in the status line).
    bool readFromDrive();
    // Writes the rows shown as CSV through the prompt's save dialog.
    void exportShown();

    BicoTableModel& model() { return m_model; }
    QTableView* view() const { return m_view; }
    QString statusText() const;

Q_SIGNALS:
    // A row was double-clicked: show this input on its page.
    void parameterRequested(std::size_t elementIndex);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    std::vector<pages::BicoConnection> shownConnections(const pages::BicoWiring& wiring) const;

    shell::MonitorSession& m_session;
    pages::OfflineValueSet& m_offline;
    model::UserPrompt& m_prompt;
    BicoTableModel m_model;
    QLineEdit* m_search = nullptr;
    QComboBox* m_searchBy = nullptr;
    QPushButton* m_read = nullptr;
    QPushButton* m_export = nullptr;
    QTableView* m_view = nullptr;
    QLabel* m_status = nullptr;
    QTimer m_refreshTimer;
    std::size_t m_inputCount = 0;
    QString m_readProblem;
};

}  // namespace hesk::app
