#pragma once
// The site book in the window: search as you type over the sites (name, address, object
// number, notes, a device's model or label), a site's devices, a device's records newest
// first.  A record opens into the editor; a device can be chosen, so that the window's
// reads and writes are recorded under it.  New sites and devices, renaming, moving a device
// to another site, deleting and restoring a site; records are never removed.  Every list
// and field has an accessible name, and the lists move with the keyboard alone.

#include "app/SiteBook.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidget;

class TSiteBookDialog : public QDialog {
    Q_OBJECT
public:
    TSiteBookDialog(SiteBook::TSiteBook& book, QWidget* parent);

    // Fills the lists again from the book (after the window recorded something).
    void Reload();
    // The site and device selected, when one is.
    std::optional<SiteBook::Site> CurrentSite() const;
    std::optional<SiteBook::Device> CurrentDevice() const;

signals:
    void RecordOpened(const SiteBook::Site& site, const SiteBook::Device& device,
                      const SiteBook::Record& record);
    void DeviceChosen(const SiteBook::Site& site, const SiteBook::Device& device);
    // A step the book refused, in words.
    void Failed(const QString& error);

private:
    void Search();
    void SiteChanged();
    void DeviceChanged();
    void NewSite();
    void RenameSite();
    void DeleteOrRestoreSite();
    void NewDevice();
    void RenameDevice();
    void MoveDevice();
    void OpenRecord();
    void ChooseDevice();
    bool Check(const std::optional<QString>& error);
    QString Ask(const QString& title, const QString& label, const QString& text = {});

    SiteBook::TSiteBook& m_book;
    QList<SiteBook::Site> m_sites;
    QList<SiteBook::Device> m_devices;
    QList<SiteBook::Record> m_records;
    QLineEdit* m_search = nullptr;
    QCheckBox* m_withDeleted = nullptr;
    QListWidget* m_siteList = nullptr;
    QListWidget* m_deviceList = nullptr;
    QTreeWidget* m_recordList = nullptr;
    QLabel* m_state = nullptr;
    QPushButton* m_deleteSite = nullptr;
};
