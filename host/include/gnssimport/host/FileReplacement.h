// Replaces a file as a whole: the new content goes to a temporary file
// beside it, which commit() renames over it, so that a full disk or a crash
// leaves either the old file or the new one, never a truncated one.
#pragma once

#include <string>

namespace host {

class FileReplacement {
public:
    // Creates the empty temporary file with the permissions the file at
    // path has, or those a new file gets. A symbolic link is followed, so
    // that the link stays and its target is replaced. Throws
    // std::runtime_error naming path when the folder is not writable.
    explicit FileReplacement(const std::string& path);
    // Removes the temporary file unless committed.
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Where to write the new content.
    const std::string& temporaryPath() const { return m_temporary; }
    // Syncs the temporary file to disk and renames it over the file;
    // throws std::runtime_error naming the file when that fails.
    void commit();

private:
    std::string m_path;
    std::string m_temporary;
    int m_fd = -1;
};

} // namespace host
