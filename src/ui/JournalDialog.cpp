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
    : QDialog(parent), m_entries(entries) {
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

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("JournalList"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAlternatingRowColors(true);
    m_list->setHeaderLabels({tr("Время"), tr("Запись"), tr("Модель"), tr("Порт"), tr("Версия"),
                            tr("Итог"), tr("Отпечаток")});
    for (const Journal::Entry& e : m_entries) {
        const DeviceRow* row = DeviceRowOf(e.Model);
        auto* item = new QTreeWidgetItem(
            m_list, {e.Time.toLocalTime().toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")),
                    Journal::KindText(e.What), e.Model, e.Port,
                    e.Version ? QString::number(*e.Version) : QString(), ShownOutcome(e.Outcome),
                    e.Fingerprint});
        if (row) item->setToolTip(2, QCoreApplication::translate("MyConst", row->Description));
    }
    for (int c = 0; c < m_list->columnCount(); ++c)
        m_list->resizeColumnToContents(c);
    layout->addWidget(m_list);

    auto* buttons = new QDialogButtonBox(this);
    m_open = buttons->addButton(tr("Открыть"), QDialogButtonBox::ActionRole);
    m_open->setObjectName(QStringLiteral("JournalOpen"));
    m_compare = buttons->addButton(tr("Сравнить"), QDialogButtonBox::ActionRole);
    m_compare->setObjectName(QStringLiteral("JournalCompare"));
    buttons->addButton(QDialogButtonBox::Close)->setText(tr("Закрыть"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(m_open, &QPushButton::clicked, this, [this] {
        if (const Journal::Entry* e = Selected()) {
            // Opened into the window: the journal has done its part.
            const Journal::Entry entry = *e;
            accept();
            emit OpenRequested(entry);
        }
    });
    connect(m_compare, &QPushButton::clicked, this, [this] {
        if (const Journal::Entry* e = Selected()) emit CompareRequested(*e);
    });
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &TJournalDialog::UpdateButtons);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { m_compare->click(); });
    if (!m_entries.isEmpty()) m_list->setCurrentItem(m_list->topLevelItem(0));
    UpdateButtons();
    resize(860, 460);
}

const Journal::Entry* TJournalDialog::Selected() const {
    QTreeWidgetItem* item = m_list->currentItem();
    if (!item || !item->isSelected()) return nullptr;
    const int row = m_list->indexOfTopLevelItem(item);
    return row >= 0 && row < m_entries.size() ? &m_entries[row] : nullptr;
}

bool TJournalDialog::SelectRow(int row) {
    QTreeWidgetItem* item = m_list->topLevelItem(row);
    if (!item) return false;
    m_list->setCurrentItem(item);
    return true;
}

void TJournalDialog::UpdateButtons() {
    const bool any = Selected() != nullptr;
    m_open->setEnabled(any);
    m_compare->setEnabled(any);
}
