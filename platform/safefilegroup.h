#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/safefile.h"

// Files that appear together or not at all, such as a page and its pictures.
// Each is written beside its target first; Commit moves them into place in
// the order they were added once every one is whole, and a failure on the
// way puts back what it had moved: the files it replaced come back and the
// new ones go again.
class SafeFileGroup {
  public:
    SafeFileGroup() = default;
    SafeFileGroup(const SafeFileGroup&) = delete;
    SafeFileGroup& operator=(const SafeFileGroup&) = delete;
    ~SafeFileGroup();

    // A member, opened; it is finished (written out and closed) as soon as
    // its content is complete, so that a large group holds no descriptors.
    SafeFile& Add(const std::string& path, SafeFile::Durability durability,
                  SafeFile::Placement placement);
    // false with error set (the first member's that failed) when any member
    // could not be finished or moved into place; nothing has changed then.
    bool Commit(std::string& error);
    // Drops every member; no target changes.
    void Cancel();

  private:
    std::vector<std::unique_ptr<SafeFile>> m_files;
};
