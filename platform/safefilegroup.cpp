#include "platform/safefilegroup.h"

SafeFileGroup::~SafeFileGroup() { Cancel(); }

SafeFile& SafeFileGroup::Add(const std::string& path, SafeFile::Durability durability,
                             SafeFile::Placement placement) {
    m_files.push_back(std::make_unique<SafeFile>(path, durability, placement));
    m_files.back()->Open();
    return *m_files.back();
}

bool SafeFileGroup::Commit(std::string& error) {
    for (const auto& file : m_files) {
        if (file->Failed() || !file->Finish()) {
            error = file->Error();
            Cancel();
            return false;
        }
    }
    for (std::size_t i = 0; i < m_files.size(); ++i) {
        if (!m_files[i]->Install(true)) {
            error = m_files[i]->Error();
            while (i-- > 0) m_files[i]->Uninstall();
            Cancel();
            return false;
        }
    }
    for (const auto& file : m_files) file->DropPrevious();
    m_files.clear();
    return true;
}

void SafeFileGroup::Cancel() { m_files.clear(); }
