// Checks of a module file's ELF header and segment table. The fields are read byte by byte in the
// file's own byte order, so nothing depends on the alignment or the headers of the build system.

#include "host/modulefile.h"

#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstring>

namespace {

// ELF identification and header values used below.
constexpr int kIdentSize = 16;
constexpr uint8_t kClass32 = 1;
constexpr uint8_t kClass64 = 2;
constexpr uint8_t kLittleEndian = 1;
constexpr uint8_t kBigEndian = 2;
constexpr uint16_t kTypeSharedObject = 3;
constexpr uint32_t kSegmentLoad = 1;
constexpr uint32_t kSegmentDynamic = 2;
// A segment table larger than this is no table a linker would read.
constexpr uint32_t kMostSegments = 4096;

// The machine this host was built for: ELF class, byte order, machine number and a name for people.
struct Machine {
    uint8_t elfClass;
    uint8_t byteOrder;
    uint16_t number;
    const char* name;
};

constexpr Machine kThisMachine = {
    sizeof(void*) == 8 ? kClass64 : kClass32,
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    kBigEndian,
#else
    kLittleEndian,
#endif
#if defined(__x86_64__) || defined(_M_X64)
    62,
    "x86-64",
#elif defined(__i386__) || defined(_M_IX86)
    3,
    "x86 (32-bit)",
#elif defined(__aarch64__)
    183,
    "ARM64",
#elif defined(__arm__)
    40,
    "ARM",
#elif defined(__riscv)
    243,
    "RISC-V",
#else
    0,
    "this machine",
#endif
};

const char* machineName(uint16_t number) {
    switch (number) {
    case 3:
        return "x86 (32-bit)";
    case 62:
        return "x86-64";
    case 40:
        return "ARM";
    case 183:
        return "ARM64";
    case 243:
        return "RISC-V";
    case 8:
        return "MIPS";
    case 20:
        return "PowerPC";
    case 21:
        return "PowerPC 64";
    default:
        return nullptr;
    }
}

// Reads unsigned fields of `size` bytes from a buffer in the file's byte order.
class Fields {
public:
    Fields(const QByteArray& data, bool bigEndian) : m_data(data), m_bigEndian(bigEndian) {}
    uint64_t at(qint64 offset, int size) const {
        uint64_t value = 0;
        for (int i = 0; i < size; ++i) {
            const uint64_t byte = uint8_t(m_data[int(offset) + (m_bigEndian ? i : size - 1 - i)]);
            value = (value << 8) | byte;
        }
        return value;
    }

private:
    const QByteArray& m_data;
    bool m_bigEndian;
};

bool fail(QString* reason, const QString& text) {
    if (reason)
        *reason = text;
    return false;
}

QString damaged(qint64 fileSize, uint64_t needed) {
    return QStringLiteral("the file is damaged or incomplete: it is %1 bytes long, but its contents reach to "
                          "byte %2")
        .arg(fileSize)
        .arg(needed);
}

} // namespace

bool VelModuleFile::check(const QString& path, QString* reason) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(reason, QStringLiteral("the file cannot be read (%1)").arg(file.errorString()));
    const qint64 fileSize = file.size();

    const bool is64 = kThisMachine.elfClass == kClass64;
    const int headerSize = is64 ? 64 : 52;
    const QByteArray header = file.read(headerSize);
    if (header.size() < kIdentSize || std::memcmp(header.constData(),
                                                  "\x7f"
                                                  "ELF",
                                                  4) != 0)
        return fail(reason, QStringLiteral("the file is not a shared library (it has no ELF header)"));
    const uint8_t elfClass = uint8_t(header[4]);
    const uint8_t byteOrder = uint8_t(header[5]);
    if (elfClass != kClass32 && elfClass != kClass64)
        return fail(reason,
                    QStringLiteral("the file's ELF header is damaged (unknown class %1)").arg(int(elfClass)));
    if (byteOrder != kLittleEndian && byteOrder != kBigEndian)
        return fail(
            reason,
            QStringLiteral("the file's ELF header is damaged (unknown byte order %1)").arg(int(byteOrder)));
    if (header.size() < (elfClass == kClass64 ? 64 : 52))
        return fail(reason, damaged(fileSize, uint64_t(elfClass == kClass64 ? 64 : 52)));

    const Fields fields(header, byteOrder == kBigEndian);
    const uint16_t machine = uint16_t(fields.at(18, 2));
    if (elfClass != kThisMachine.elfClass || byteOrder != kThisMachine.byteOrder ||
        machine != kThisMachine.number) {
        const char* name = machineName(machine);
        const QString theirs =
            QStringLiteral("%1%2, %3")
                .arg(name ? QString::fromLatin1(name) : QStringLiteral("machine number %1").arg(int(machine)))
                .arg(elfClass == kClass64 ? QStringLiteral(" (64-bit)") : QStringLiteral(" (32-bit)"))
                .arg(byteOrder == kBigEndian ? QStringLiteral("big-endian")
                                             : QStringLiteral("little-endian"));
        return fail(reason,
                    QStringLiteral("the module is built for another machine (%1); this host runs on %2")
                        .arg(theirs, QString::fromLatin1(kThisMachine.name)));
    }
    if (fields.at(16, 2) != kTypeSharedObject)
        return fail(reason, QStringLiteral("the file is an ELF file but not a shared library"));

    // Where the segment table lies, and its entries' size.
    const uint64_t tableOffset = is64 ? fields.at(32, 8) : fields.at(28, 4);
    const uint64_t entrySize = is64 ? fields.at(54, 2) : fields.at(42, 2);
    const uint64_t entries = is64 ? fields.at(56, 2) : fields.at(44, 2);
    const uint64_t expectedEntrySize = is64 ? 56 : 32;
    if (entries == 0 || entries > kMostSegments || entrySize != expectedEntrySize)
        return fail(reason, QStringLiteral("the file's segment table is damaged"));
    const uint64_t tableEnd = tableOffset + entries * entrySize;
    if (tableOffset > uint64_t(fileSize) || tableEnd > uint64_t(fileSize))
        return fail(reason, damaged(fileSize, tableEnd));

    if (!file.seek(qint64(tableOffset)))
        return fail(reason, QStringLiteral("the file cannot be read (%1)").arg(file.errorString()));
    const QByteArray table = file.read(qint64(entries * entrySize));
    if (uint64_t(table.size()) != entries * entrySize)
        return fail(reason, damaged(fileSize, tableEnd));
    const Fields segments(table, byteOrder == kBigEndian);

    bool anyLoaded = false;
    for (uint64_t i = 0; i < entries; ++i) {
        const qint64 at = qint64(i * entrySize);
        const uint32_t type = uint32_t(segments.at(at, 4));
        if (type != kSegmentLoad && type != kSegmentDynamic)
            continue;
        const uint64_t offset = is64 ? segments.at(at + 8, 8) : segments.at(at + 4, 4);
        const uint64_t fileBytes = is64 ? segments.at(at + 32, 8) : segments.at(at + 16, 4);
        const uint64_t memoryBytes = is64 ? segments.at(at + 40, 8) : segments.at(at + 20, 4);
        if (type == kSegmentLoad) {
            anyLoaded = true;
            if (fileBytes > memoryBytes)
                return fail(reason, QStringLiteral("the file's segment table is damaged"));
        }
        if (offset > uint64_t(fileSize) || fileBytes > uint64_t(fileSize) - offset)
            return fail(reason, damaged(fileSize, offset + fileBytes));
    }
    if (!anyLoaded)
        return fail(reason, QStringLiteral("the file's segment table is damaged (nothing to load)"));
    return true;
}
