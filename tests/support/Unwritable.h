#pragma once
// Makes a file or a directory one that whoever runs the test cannot write, for the object's
// life.  Permission bits stop an ordinary user but not root; the immutable attribute
// (chattr +i) stops root but is refused to an ordinary user.  So: the bits for an ordinary
// user, the attribute for root.  An immutable directory takes no new names, while the files
// already in it can still be written.

#include <QFileDevice>
#include <QString>

class Unwritable {
public:
    explicit Unwritable(const QString& path);
    ~Unwritable(); // as it was
    Unwritable(const Unwritable&) = delete;
    Unwritable& operator=(const Unwritable&) = delete;

    bool ok() const { return m_ok; }
    QString errorString() const { return m_error; }

    // A QTemporaryDir template beside the test program, on the build's own file system:
    // a tmpfs /tmp has no immutable attribute.
    static QString temporaryBase();

private:
    QString m_path;
    bool m_asRoot = false;
    bool m_ok = false;
    QFileDevice::Permissions m_saved;
    QString m_error;
};
