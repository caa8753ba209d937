#pragma once
// A dialog that tells something as a sentence and a table beneath it: the differences of
// a comparison, the warnings of the checks.  Shown window-modal without blocking, so the
// window goes on with its timers; it deletes itself when closed.

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

class QLabel;
class QTreeWidget;

class TListDialog : public QDialog {
    Q_OBJECT
public:
    TListDialog(QWidget* parent, const QString& objectName, const QString& title);

    // The sentence above the table, and the table (one row a list of cell texts); a dialog
    // without rows shows the sentence alone.
    void SetContent(const QString& heading, const QStringList& columns,
                    const QList<QStringList>& rows);

    QString Heading() const;
    // The cells, row by row, as shown.
    QList<QStringList> Rows() const;

private:
    QLabel* m_heading = nullptr;
    QTreeWidget* m_table = nullptr;
};
