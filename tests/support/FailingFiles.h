#pragma once

#include <sqlite3.h>

#include <cstring>

namespace test {

// Files that cannot be written, as a read-only mount, an immutable file or a folder without write
// access make them, for a process that runs as root (which file modes do not stop). While an object
// lives, SQLite's default file layer is a thin one over the real one that fails as `Fault` says;
// connections opened meanwhile go through it. One at a time.
class FailingFiles {
public:
    enum class Fault {
        None,
        ReadOnlyFile, // the database opens read-only, as the real layer does when writing is refused
        NoJournal,    // the journal beside the database cannot be made: its folder cannot be written
        WriteError,   // every write to a file fails with an I/O error
        DiskFull,     // every write to a file finds the disk full
    };

    explicit FailingFiles(Fault fault) {
        s_real = sqlite3_vfs_find(nullptr);
        s_fault = fault;
        std::memcpy(&s_vfs, s_real, sizeof(sqlite3_vfs));
        s_vfs.zName = "ambrel-failing-files";
        s_vfs.szOsFile = static_cast<int>(sizeof(File)) + s_real->szOsFile;
        s_vfs.xOpen = &Open;
        s_vfs.pNext = nullptr;
        sqlite3_vfs_register(&s_vfs, 1);
    }
    // A connection opened meanwhile keeps the layer, which from now on passes everything through.
    ~FailingFiles() {
        s_fault = Fault::None;
        sqlite3_vfs_register(s_real, 1);
        sqlite3_vfs_unregister(&s_vfs);
    }
    // From now on the layer fails as `fault` says, also for the connections already opened through it.
    void Set(Fault fault) { s_fault = fault; }
    FailingFiles(const FailingFiles&) = delete;
    FailingFiles& operator=(const FailingFiles&) = delete;

private:
    struct File {
        sqlite3_file base;
        sqlite3_file* real;
    };
    static sqlite3_file* Real(sqlite3_file* file) { return reinterpret_cast<File*>(file)->real; }

    static int Open(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags) {
        auto* shim = reinterpret_cast<File*>(file);
        shim->base.pMethods = nullptr;
        shim->real = reinterpret_cast<sqlite3_file*>(shim + 1);
        if (s_fault == Fault::NoJournal && (flags & SQLITE_OPEN_MAIN_JOURNAL))
            return SQLITE_CANTOPEN;
        if (s_fault == Fault::ReadOnlyFile && (flags & SQLITE_OPEN_MAIN_DB) && (flags & SQLITE_OPEN_READWRITE))
            flags = (flags & ~(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)) | SQLITE_OPEN_READONLY;
        const int rc = s_real->xOpen(s_real, name, shim->real, flags, outFlags);
        if (shim->real->pMethods)
            shim->base.pMethods = Methods(shim->real->pMethods->iVersion);
        return rc;
    }

    static const sqlite3_io_methods* Methods(int version) {
        static sqlite3_io_methods methods[4];
        sqlite3_io_methods& m = methods[version];
        m.iVersion = version;
        m.xClose = [](sqlite3_file* f) {
            const int rc = Real(f)->pMethods->xClose(Real(f));
            f->pMethods = nullptr;
            return rc;
        };
        m.xRead = [](sqlite3_file* f, void* b, int n, sqlite3_int64 o) { return Real(f)->pMethods->xRead(Real(f), b, n, o); };
        m.xWrite = [](sqlite3_file* f, const void* b, int n, sqlite3_int64 o) {
            if (s_fault == Fault::WriteError)
                return SQLITE_IOERR_WRITE;
            if (s_fault == Fault::DiskFull)
                return SQLITE_FULL;
            return Real(f)->pMethods->xWrite(Real(f), b, n, o);
        };
        m.xTruncate = [](sqlite3_file* f, sqlite3_int64 s) { return Real(f)->pMethods->xTruncate(Real(f), s); };
        m.xSync = [](sqlite3_file* f, int flags) { return Real(f)->pMethods->xSync(Real(f), flags); };
        m.xFileSize = [](sqlite3_file* f, sqlite3_int64* s) { return Real(f)->pMethods->xFileSize(Real(f), s); };
        m.xLock = [](sqlite3_file* f, int l) { return Real(f)->pMethods->xLock(Real(f), l); };
        m.xUnlock = [](sqlite3_file* f, int l) { return Real(f)->pMethods->xUnlock(Real(f), l); };
        m.xCheckReservedLock = [](sqlite3_file* f, int* r) { return Real(f)->pMethods->xCheckReservedLock(Real(f), r); };
        m.xFileControl = [](sqlite3_file* f, int op, void* a) { return Real(f)->pMethods->xFileControl(Real(f), op, a); };
        m.xSectorSize = [](sqlite3_file* f) { return Real(f)->pMethods->xSectorSize(Real(f)); };
        m.xDeviceCharacteristics = [](sqlite3_file* f) { return Real(f)->pMethods->xDeviceCharacteristics(Real(f)); };
        if (version >= 2) {
            m.xShmMap = [](sqlite3_file* f, int p, int s, int e, void volatile** a) {
                return Real(f)->pMethods->xShmMap(Real(f), p, s, e, a);
            };
            m.xShmLock = [](sqlite3_file* f, int o, int n, int fl) { return Real(f)->pMethods->xShmLock(Real(f), o, n, fl); };
            m.xShmBarrier = [](sqlite3_file* f) { Real(f)->pMethods->xShmBarrier(Real(f)); };
            m.xShmUnmap = [](sqlite3_file* f, int d) { return Real(f)->pMethods->xShmUnmap(Real(f), d); };
        }
        if (version >= 3) {
            m.xFetch = [](sqlite3_file* f, sqlite3_int64 o, int n, void** p) {
                return Real(f)->pMethods->xFetch(Real(f), o, n, p);
            };
            m.xUnfetch = [](sqlite3_file* f, sqlite3_int64 o, void* p) { return Real(f)->pMethods->xUnfetch(Real(f), o, p); };
        }
        return &m;
    }

    static inline sqlite3_vfs* s_real = nullptr;
    static inline Fault s_fault = Fault::None;
    static inline sqlite3_vfs s_vfs{};
};

} // namespace test
