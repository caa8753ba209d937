#pragma once
// "Журнал...": the journal's entries, newest first, with the commands that take one back
// into the window ("Открыть") or compare it with the configuration being edited
// ("Сравнить").  Window-modal without blocking; it deletes itself when closed.

#include "app/Journal.h"

#include <QDialog>
#include <QList>

class QPushButton;
class QTreeWidget;

class TJournalDialog : public QDialog {
    Q_OBJECT
public:
    TJournalDialog(QWidget* parent, const QList<Journal::Entry>& entries);

    // The entry of the selected row, or none.
    const Journal::Entry* Selected() const;
    // Selects row `row` (newest first); false when there is none.
    bool SelectRow(int row);

signals:
    void OpenRequested(const Journal::Entry& entry);
    void CompareRequested(const Journal::Entry& entry);

private:
    void UpdateButtons();

    QList<Journal::Entry> m_entries;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_open = nullptr;
    QPushButton* m_compare = nullptr;
};
