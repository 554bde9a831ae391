#pragma once

// Whether an SQLite database in WAL mode has had a commit since a given moment, answered
// from the database's shared-memory index (the "-shm" file beside it) without a query.
//
// Every commit in WAL mode rewrites the index header at the start of that file (its change
// counter, last frame and checksums; format documented with SQLite's WAL mode). Two equal
// reads of the header mean no transaction committed between them. The server asks this
// before every kept answer: a query would take a read lock and check the file with three
// system calls, more than the rest of answering from memory.
//
// The file stays in place while the server holds a connection to the database (SQLite
// removes or truncates it only when the last connection of every process closes), and the
// server holds connections for its whole life; the watch is made after the first one.

#include <QString>

#include <array>
#include <cstddef>
#include <memory>

namespace Store {

class WalWatch final
{
public:
    using Header = std::array<unsigned char, 96>; // both copies of the index header

    // Null when the file is missing or too short (a database not in WAL mode).
    static std::unique_ptr<WalWatch> open(const QString &databasePath);
    ~WalWatch();
    WalWatch(const WalWatch &) = delete;
    WalWatch &operator=(const WalWatch &) = delete;

    Header read() const;

private:
    WalWatch() = default;
    void *m_map = nullptr;
    std::size_t m_size = 0;
};

} // namespace Store
