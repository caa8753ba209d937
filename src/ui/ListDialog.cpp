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
    heading_ = new QLabel(this);
    heading_->setObjectName(QStringLiteral("Heading"));
    heading_->setTextFormat(Qt::PlainText); // names of files and values from a device
    heading_->setWordWrap(true);
    layout->addWidget(heading_);

    table_ = new QTreeWidget(this);
    table_->setObjectName(QStringLiteral("Table"));
    table_->setRootIsDecorated(false);
    table_->setUniformRowHeights(true);
    table_->setAlternatingRowColors(true);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    layout->addWidget(table_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->setObjectName(QStringLiteral("Buttons"));
    buttons->button(QDialogButtonBox::Close)->setText(tr("Закрыть"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(900, 460);
}

void TListDialog::SetContent(const QString& heading, const QStringList& columns,
                             const QList<QStringList>& rows) {
    heading_->setText(heading);
    table_->clear();
    table_->setHeaderLabels(columns);
    table_->setVisible(!rows.isEmpty());
    for (const QStringList& row : rows) {
        auto* item = new QTreeWidgetItem(table_, row);
        for (int c = 0; c < row.size(); ++c)
            item->setToolTip(c, row[c]);
    }
    for (int c = 0; c < columns.size(); ++c)
        table_->resizeColumnToContents(c);
    if (rows.isEmpty()) resize(width(), sizeHint().height());
}

QString TListDialog::Heading() const {
    return heading_->text();
}

QList<QStringList> TListDialog::Rows() const {
    QList<QStringList> rows;
    for (int i = 0; i < table_->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = table_->topLevelItem(i);
        QStringList cells;
        for (int c = 0; c < table_->columnCount(); ++c)
            cells << item->text(c);
        rows << cells;
    }
    return rows;
}
