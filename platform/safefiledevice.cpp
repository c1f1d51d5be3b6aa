#include "platform/safefiledevice.h"

bool SafeFileDevice::Commit() {
    close();
    return m_file.Commit();
}

qint64 SafeFileDevice::writeData(const char* data, qint64 size) {
    return m_file.Write(data, std::size_t(size)) ? size : -1;
}
