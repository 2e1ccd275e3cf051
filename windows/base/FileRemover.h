#pragma once

#include <QString>

#include <functional>

namespace amb {

// Deletes files for the windows (the options window's clearing of Log.txt and Trace.txt), so that a
// test can make a deletion fail even where the file system would allow it, as for root.
class FileRemover {
public:
    using Remover = std::function<bool(const QString& path)>;

    // Deletes the file at `path`, also when it is read-only. True when no file is left there
    // (also when there was none).
    static bool Remove(const QString& path);
    // Replaces the deletion (tests); an empty function brings the real one back.
    static void SetRemover(Remover remover);
};

} // namespace amb
