#include "JournalDialog.h"

#include "app/ExchangeJournal.h"
#include "model/MyConst.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

TJournalDialog::TJournalDialog(QWidget* parent, const QList<Journal::Entry>& entries)
    : QDialog(parent), entries_(entries) {
    setObjectName(QStringLiteral("JournalDialog"));
    setWindowTitle(tr("Журнал"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);
    setSizeGripEnabled(true);

    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(this);
    heading->setObjectName(QStringLiteral("Heading"));
    heading->setText(entries.isEmpty() ? tr("Журнал пуст: в нем появится каждая конфигурация, "
                                            "прочитанная из прибора или записанная в него.")
                                       : tr("Записей: %1, новые сверху.").arg(entries.size()));
    heading->setWordWrap(true);
    layout->addWidget(heading);

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("JournalList"));
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAlternatingRowColors(true);
    list_->setHeaderLabels({tr("Время"), tr("Запись"), tr("Модель"), tr("Порт"), tr("Версия"),
                            tr("Итог"), tr("Отпечаток")});
    for (const Journal::Entry& e : entries_) {
        const DeviceRow* row = DeviceRowOf(e.Model);
        auto* item = new QTreeWidgetItem(
            list_, {e.Time.toLocalTime().toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")),
                    ShownKind(e.What), e.Model, e.Port,
                    e.Version ? QString::number(*e.Version) : QString(), ShownOutcome(e.Outcome),
                    e.Fingerprint});
        if (row) item->setToolTip(2, QCoreApplication::translate("MyConst", row->Description));
    }
    for (int c = 0; c < list_->columnCount(); ++c)
        list_->resizeColumnToContents(c);
    layout->addWidget(list_);

    auto* buttons = new QDialogButtonBox(this);
    open_ = buttons->addButton(tr("Открыть"), QDialogButtonBox::ActionRole);
    open_->setObjectName(QStringLiteral("JournalOpen"));
    compare_ = buttons->addButton(tr("Сравнить"), QDialogButtonBox::ActionRole);
    compare_->setObjectName(QStringLiteral("JournalCompare"));
    buttons->addButton(QDialogButtonBox::Close)->setText(tr("Закрыть"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(open_, &QPushButton::clicked, this, [this] {
        if (const Journal::Entry* e = Selected()) {
            // Opened into the window: the journal has done its part.
            const Journal::Entry entry = *e;
            accept();
            emit OpenRequested(entry);
        }
    });
    connect(compare_, &QPushButton::clicked, this, [this] {
        if (const Journal::Entry* e = Selected()) emit CompareRequested(*e);
    });
    connect(list_, &QTreeWidget::itemSelectionChanged, this, &TJournalDialog::UpdateButtons);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { compare_->click(); });
    if (!entries_.isEmpty()) list_->setCurrentItem(list_->topLevelItem(0));
    UpdateButtons();
    resize(860, 460);
}

const Journal::Entry* TJournalDialog::Selected() const {
    QTreeWidgetItem* item = list_->currentItem();
    if (!item || !item->isSelected()) return nullptr;
    const int row = list_->indexOfTopLevelItem(item);
    return row >= 0 && row < entries_.size() ? &entries_[row] : nullptr;
}

bool TJournalDialog::SelectRow(int row) {
    QTreeWidgetItem* item = list_->topLevelItem(row);
    if (!item) return false;
    list_->setCurrentItem(item);
    return true;
}

void TJournalDialog::UpdateButtons() {
    const bool any = Selected() != nullptr;
    open_->setEnabled(any);
    compare_->setEnabled(any);
}
