#include "BookDialog.h"

#include "model/MyConst.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

namespace {

QString SiteText(const SiteBook::Site& s) {
    QString text = s.Name;
    if (!s.ObjectNumber.isEmpty()) text += QStringLiteral(" [%1]").arg(s.ObjectNumber);
    if (!s.Address.isEmpty()) text += QStringLiteral(" — ") + s.Address;
    if (s.Deleted) text += TSiteBookDialog::tr(" (удалён)");
    return text;
}

} // namespace

TSiteBookDialog::TSiteBookDialog(SiteBook::TSiteBook& book, QWidget* parent)
    : QDialog(parent), m_book(book) {
    setObjectName(QStringLiteral("SiteBookDialog"));
    setWindowTitle(tr("Объекты"));
    setAttribute(Qt::WA_DeleteOnClose);

    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("BookSearch"));
    m_search->setPlaceholderText(tr("Поиск: название, адрес, номер объекта, заметки, модель"));
    m_search->setAccessibleName(tr("Поиск объектов"));
    m_withDeleted = new QCheckBox(tr("Показывать удалённые"), this);
    m_withDeleted->setObjectName(QStringLiteral("BookWithDeleted"));
    auto list = [this](const char* name, const QString& accessible) {
        auto* l = new QListWidget(this);
        l->setObjectName(QString::fromLatin1(name));
        l->setAccessibleName(accessible);
        return l;
    };
    m_siteList = list("BookSites", tr("Объекты"));
    m_deviceList = list("BookDevices", tr("Приборы объекта"));
    m_recordList = new QTreeWidget(this);
    m_recordList->setObjectName(QStringLiteral("BookRecords"));
    m_recordList->setAccessibleName(tr("Записи прибора"));
    m_recordList->setRootIsDecorated(false);
    m_recordList->setHeaderLabels({tr("Дата"), tr("Что"), tr("Итог"), tr("Кто"), tr("Порт")});
    m_recordList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_state = new QLabel(this);
    m_state->setObjectName(QStringLiteral("BookState"));

    auto button = [this](const char* name, const QString& text, void (TSiteBookDialog::*slot)()) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    auto* siteButtons = new QHBoxLayout;
    siteButtons->addWidget(button("BookNewSite", tr("Новый объект..."), &TSiteBookDialog::NewSite));
    siteButtons->addWidget(
        button("BookRenameSite", tr("Переименовать..."), &TSiteBookDialog::RenameSite));
    m_deleteSite = button("BookDeleteSite", tr("Удалить"), &TSiteBookDialog::DeleteOrRestoreSite);
    siteButtons->addWidget(m_deleteSite);
    auto* deviceButtons = new QHBoxLayout;
    deviceButtons->addWidget(
        button("BookNewDevice", tr("Новый прибор..."), &TSiteBookDialog::NewDevice));
    deviceButtons->addWidget(
        button("BookRenameDevice", tr("Переименовать..."), &TSiteBookDialog::RenameDevice));
    deviceButtons->addWidget(
        button("BookMoveDevice", tr("Перенести..."), &TSiteBookDialog::MoveDevice));
    deviceButtons->addWidget(
        button("BookChooseDevice", tr("Работать с прибором"), &TSiteBookDialog::ChooseDevice));
    auto* recordButtons = new QHBoxLayout;
    recordButtons->addWidget(
        button("BookOpenRecord", tr("Открыть запись"), &TSiteBookDialog::OpenRecord));
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_search, 0, 0, 1, 2);
    grid->addWidget(m_withDeleted, 0, 2);
    grid->addWidget(m_siteList, 1, 0);
    grid->addWidget(m_deviceList, 1, 1);
    grid->addWidget(m_recordList, 1, 2);
    grid->addLayout(siteButtons, 2, 0);
    grid->addLayout(deviceButtons, 2, 1);
    grid->addLayout(recordButtons, 2, 2);
    grid->addWidget(m_state, 3, 0, 1, 2);
    grid->addWidget(close, 3, 2);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(2, 3);
    resize(1180, 480);

    connect(m_search, &QLineEdit::textChanged, this, &TSiteBookDialog::Search);
    connect(m_withDeleted, &QCheckBox::toggled, this, &TSiteBookDialog::Search);
    connect(m_siteList, &QListWidget::currentRowChanged, this, &TSiteBookDialog::SiteChanged);
    connect(m_deviceList, &QListWidget::currentRowChanged, this, &TSiteBookDialog::DeviceChanged);
    connect(m_deviceList, &QListWidget::itemActivated, this, &TSiteBookDialog::ChooseDevice);
    connect(m_recordList, &QTreeWidget::itemActivated, this, &TSiteBookDialog::OpenRecord);
    Reload();
}

void TSiteBookDialog::Reload() {
    if (m_book.Offline())
        m_state->setText(tr("Сервер книги недоступен: работа с локальной копией, записей ждут "
                            "отправки: %1")
                             .arg(m_book.Pending()));
    else
        m_state->clear();
    Search();
}

bool TSiteBookDialog::Check(const std::optional<QString>& error) {
    if (!error) return true;
    emit Failed(*error);
    return false;
}

QString TSiteBookDialog::Ask(const QString& title, const QString& label, const QString& text) {
    bool ok = false;
    const QString answer =
        QInputDialog::getText(this, title, label, QLineEdit::Normal, text, &ok).trimmed();
    return ok ? answer : QString();
}

void TSiteBookDialog::Search() {
    const QString keep = CurrentSite() ? CurrentSite()->Id : QString();
    m_sites = m_book.Search(m_search->text(), m_withDeleted->isChecked());
    m_siteList->clear();
    int again = m_sites.isEmpty() ? -1 : 0;
    for (qsizetype i = 0; i < m_sites.size(); ++i) {
        m_siteList->addItem(SiteText(m_sites[i]));
        if (m_sites[i].Id == keep) again = int(i);
    }
    m_siteList->setCurrentRow(again);
    if (again < 0) SiteChanged();
}

std::optional<SiteBook::Site> TSiteBookDialog::CurrentSite() const {
    const int row = m_siteList ? m_siteList->currentRow() : -1;
    if (row < 0 || row >= m_sites.size()) return std::nullopt;
    return m_sites[row];
}

std::optional<SiteBook::Device> TSiteBookDialog::CurrentDevice() const {
    const int row = m_deviceList ? m_deviceList->currentRow() : -1;
    if (row < 0 || row >= m_devices.size()) return std::nullopt;
    return m_devices[row];
}

void TSiteBookDialog::SiteChanged() {
    const std::optional<SiteBook::Site> site = CurrentSite();
    m_devices = site ? m_book.Devices(site->Id) : QList<SiteBook::Device>();
    m_deviceList->clear();
    for (const SiteBook::Device& d : m_devices)
        m_deviceList->addItem(QStringLiteral("%1 (%2)").arg(d.Label, d.Model));
    m_deleteSite->setText(site && site->Deleted ? tr("Восстановить") : tr("Удалить"));
    m_deviceList->setCurrentRow(m_devices.isEmpty() ? -1 : 0);
    if (m_devices.isEmpty()) DeviceChanged();
}

void TSiteBookDialog::DeviceChanged() {
    const std::optional<SiteBook::Device> device = CurrentDevice();
    m_records = device ? m_book.Records(device->Id) : QList<SiteBook::Record>();
    m_recordList->clear();
    for (const SiteBook::Record& r : m_records) {
        auto* item = new QTreeWidgetItem(QStringList{
            QDateTime::fromMSecsSinceEpoch(r.AtMs).toLocalTime().toString(
                QStringLiteral("dd.MM.yyyy HH:mm")),
            r.Kind, QCoreApplication::translate("ExchangeJournal", r.Outcome.toUtf8().constData()),
            r.User + u'@' + r.Machine, r.Port});
        m_recordList->addTopLevelItem(item);
    }
    if (!m_records.isEmpty()) m_recordList->setCurrentItem(m_recordList->topLevelItem(0));
}

void TSiteBookDialog::NewSite() {
    const QString name = Ask(tr("Новый объект"), tr("Название объекта:"));
    if (name.isEmpty()) return;
    SiteBook::Site site;
    site.Name = name;
    site.ObjectNumber = Ask(tr("Новый объект"), tr("Номер объекта (можно оставить пустым):"));
    if (!Check(m_book.AddSite(site))) return;
    m_search->clear();
    Search();
    for (qsizetype i = 0; i < m_sites.size(); ++i)
        if (m_sites[i].Id == site.Id) m_siteList->setCurrentRow(int(i));
}

void TSiteBookDialog::RenameSite() {
    std::optional<SiteBook::Site> site = CurrentSite();
    if (!site) return;
    const QString name = Ask(tr("Переименовать объект"), tr("Название объекта:"), site->Name);
    if (name.isEmpty() || name == site->Name) return;
    site->Name = name;
    if (Check(m_book.UpdateSite(*site))) Search();
}

void TSiteBookDialog::DeleteOrRestoreSite() {
    const std::optional<SiteBook::Site> site = CurrentSite();
    if (site && Check(m_book.SetSiteDeleted(site->Id, !site->Deleted))) Search();
}

void TSiteBookDialog::NewDevice() {
    const std::optional<SiteBook::Site> site = CurrentSite();
    if (!site) return;
    QStringList models;
    for (int row = 0; row < DeviceCount; ++row)
        models << IdentifierOf(row);
    bool ok = false;
    const QString model = QInputDialog::getItem(this, tr("Новый прибор"), tr("Модель прибора:"),
                                                models, 0, false, &ok);
    if (!ok) return;
    SiteBook::Device device;
    device.SiteId = site->Id;
    device.Model = model;
    device.Label = Ask(tr("Новый прибор"), tr("Название прибора (например, «Панель, 1 этаж»):"));
    if (device.Label.isEmpty() || !Check(m_book.AddDevice(device))) return;
    SiteChanged();
}

void TSiteBookDialog::RenameDevice() {
    const std::optional<SiteBook::Device> device = CurrentDevice();
    if (!device) return;
    const QString label = Ask(tr("Переименовать прибор"), tr("Название прибора:"), device->Label);
    if (!label.isEmpty() && Check(m_book.RenameDevice(device->Id, label))) SiteChanged();
}

void TSiteBookDialog::MoveDevice() {
    const std::optional<SiteBook::Device> device = CurrentDevice();
    if (!device) return;
    const QList<SiteBook::Site> all = m_book.Search({});
    QStringList names;
    for (const SiteBook::Site& s : all)
        names << SiteText(s);
    bool ok = false;
    const QString to =
        QInputDialog::getItem(this, tr("Перенести прибор"), tr("На объект:"), names, 0, false, &ok);
    const qsizetype at = names.indexOf(to);
    if (!ok || at < 0) return;
    if (Check(m_book.MoveDevice(device->Id, all[at].Id))) SiteChanged();
}

void TSiteBookDialog::OpenRecord() {
    const std::optional<SiteBook::Site> site = CurrentSite();
    const std::optional<SiteBook::Device> device = CurrentDevice();
    const int row = m_recordList->indexOfTopLevelItem(m_recordList->currentItem());
    if (!site || !device || row < 0 || row >= m_records.size()) return;
    emit RecordOpened(*site, *device, m_records[row]);
}

void TSiteBookDialog::ChooseDevice() {
    const std::optional<SiteBook::Site> site = CurrentSite();
    const std::optional<SiteBook::Device> device = CurrentDevice();
    if (site && device) emit DeviceChosen(*site, *device);
}
