#include "ListDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

TListDialog::TListDialog(QWidget* parent, const QString& objectName, const QString& title)
    : QDialog(parent) {
    setObjectName(objectName);
    setWindowTitle(title);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);
    setSizeGripEnabled(true);

    auto* layout = new QVBoxLayout(this);
    m_heading = new QLabel(this);
    m_heading->setObjectName(QStringLiteral("Heading"));
    m_heading->setTextFormat(Qt::PlainText); // names of files and values from a device
    m_heading->setWordWrap(true);
    layout->addWidget(m_heading);

    m_table = new QTreeWidget(this);
    m_table->setObjectName(QStringLiteral("Table"));
    m_table->setRootIsDecorated(false);
    m_table->setUniformRowHeights(true);
    m_table->setAlternatingRowColors(true);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    layout->addWidget(m_table);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->setObjectName(QStringLiteral("Buttons"));
    buttons->button(QDialogButtonBox::Close)->setText(tr("Закрыть"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(900, 460);
}

void TListDialog::SetContent(const QString& heading, const QStringList& columns,
                             const QList<QStringList>& rows) {
    m_heading->setText(heading);
    m_table->clear();
    m_table->setHeaderLabels(columns);
    m_table->setVisible(!rows.isEmpty());
    for (const QStringList& row : rows) {
        auto* item = new QTreeWidgetItem(m_table, row);
        for (int c = 0; c < row.size(); ++c)
            item->setToolTip(c, row[c]);
    }
    for (int c = 0; c < columns.size(); ++c)
        m_table->resizeColumnToContents(c);
    if (rows.isEmpty()) resize(width(), sizeHint().height());
}

QString TListDialog::Heading() const {
    return m_heading->text();
}

QList<QStringList> TListDialog::Rows() const {
    QList<QStringList> rows;
    for (int i = 0; i < m_table->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = m_table->topLevelItem(i);
        QStringList cells;
        for (int c = 0; c < m_table->columnCount(); ++c)
            cells << item->text(c);
        rows << cells;
    }
    return rows;
}
