#include "link/Modules.h"

#include <QCoreApplication>
#include <QFile>

#include <elf.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace {

QString Translated(const char* text) {
    return QCoreApplication::translate("Modules", text);
}

bool ReadAt(int fd, void* to, std::size_t size, off_t at) {
    auto* p = static_cast<char*>(to);
    while (size > 0) {
        const ssize_t n = ::pread(fd, p, size, at);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        at += n;
        size -= std::size_t(n);
    }
    return true;
}

// How many bytes the file must hold for its load segments to be mapped: the system maps
// them whole, and touching a page past the end of the file kills the process (SIGBUS).
// 0 when the headers themselves are not whole.
template <class Ehdr, class Phdr>
quint64 BytesRequired(int fd, const unsigned char* ident, quint64 size) {
    Ehdr header{};
    std::memcpy(&header, ident, sizeof header);
    if (header.e_phentsize != sizeof(Phdr)) return 0;
    const quint64 tableEnd = quint64(header.e_phoff) + quint64(header.e_phnum) * sizeof(Phdr);
    if (tableEnd > size) return 0;
    std::vector<Phdr> table(header.e_phnum);
    if (!table.empty() &&
        !ReadAt(fd, table.data(), table.size() * sizeof(Phdr), off_t(header.e_phoff)))
        return 0;
    quint64 required = tableEnd;
    for (const Phdr& segment : table)
        if (segment.p_type == PT_LOAD)
            required = std::max<quint64>(required, quint64(segment.p_offset) + segment.p_filesz);
    return required;
}

} // namespace

namespace Modules {

QString CheckFile(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return QString::fromLocal8Bit(std::strerror(errno));
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0) return QString::fromLocal8Bit(std::strerror(errno));
    if (!S_ISREG(st.st_mode))
        return Translated(QT_TRANSLATE_NOOP("Modules", "это не обычный файл"));
    const auto size = quint64(st.st_size);
    unsigned char ident[sizeof(Elf64_Ehdr)] = {};
    const std::size_t headerSize =
        size >= sizeof(Elf64_Ehdr) ? sizeof(Elf64_Ehdr) : sizeof(Elf32_Ehdr);
    if (size < sizeof(Elf32_Ehdr) || !ReadAt(fd, ident, headerSize, 0) ||
        std::memcmp(ident, ELFMAG, SELFMAG) != 0)
        return Translated(QT_TRANSLATE_NOOP("Modules", "это не библиотека"));
    quint64 required = 0;
    if (ident[EI_CLASS] == ELFCLASS64 && headerSize == sizeof(Elf64_Ehdr))
        required = BytesRequired<Elf64_Ehdr, Elf64_Phdr>(fd, ident, size);
    else if (ident[EI_CLASS] == ELFCLASS32)
        required = BytesRequired<Elf32_Ehdr, Elf32_Phdr>(fd, ident, size);
    if (required == 0 || required > size)
        return Translated(QT_TRANSLATE_NOOP("Modules",
                                            "файл повреждён или записан не до конца (%1 байт, "
                                            "нужно не меньше %2)"))
            .arg(size)
            .arg(required == 0 ? QString(QStringLiteral("?")) : QString::number(required));
    return {};
}

} // namespace Modules
