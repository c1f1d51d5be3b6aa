#pragma once

#include <QIODevice>
#include <string>

#include "platform/safefile.h"

// A SafeFile for Qt writers that want a device (PDF, images): the target
// changes only when Commit succeeds.
class SafeFileDevice : public QIODevice {
  public:
    explicit SafeFileDevice(const std::string& path) : m_file(path) {}

    bool Open() { return m_file.Open() && open(QIODevice::WriteOnly); }
    bool Commit();
    const std::string& Error() const { return m_file.Error(); }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

  private:
    SafeFile m_file;
};
