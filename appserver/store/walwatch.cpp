#include "walwatch.h"

#include <QFile>

#include <atomic>
#include <cstring>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Store {

std::unique_ptr<WalWatch> WalWatch::open(const QString &databasePath)
{
    const QByteArray path = QFile::encodeName(databasePath + QStringLiteral("-shm"));
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat info = {};
    const std::size_t size = sizeof(Header);
    void *map = MAP_FAILED;
    if (::fstat(fd, &info) == 0 && std::size_t(info.st_size) >= size)
        map = ::mmap(nullptr, size, PROT_READ, MAP_SHARED, fd, 0);
    ::close(fd); // the mapping keeps the file
    if (map == MAP_FAILED)
        return nullptr;
    std::unique_ptr<WalWatch> watch(new WalWatch);
    watch->m_map = map;
    watch->m_size = size;
    return watch;
}

WalWatch::~WalWatch()
{
    if (m_map)
        ::munmap(m_map, m_size);
}

WalWatch::Header WalWatch::read() const
{
    // A read that overlaps a writer's update sees either old bytes, as if it came just
    // before the commit, or some new ones, which differ: never a wrong "unchanged".
    Header header;
    std::atomic_thread_fence(std::memory_order_acquire);
    std::memcpy(header.data(), m_map, header.size());
    std::atomic_thread_fence(std::memory_order_acquire);
    return header;
}

} // namespace Store
