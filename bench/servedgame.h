#pragma once

#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

// Dogger Bank from a campaign, as a new game file served on the loopback by
// brinnow-cli game serve or by a host that takes the same arguments; what
// the host says on stderr is passed on.
class ServedGame {
  public:
    // False, with nothing served, when the game or the host did not start.
    bool Start(const QString& cli, const QString& campaign, const QString& host);
    // Ends the host as SIGTERM does, so it finishes the game file.
    void Stop();

    QString GamePath() const { return m_dir.filePath(QStringLiteral("dogger.json")); }
    qint64 HostId() const { return m_server.processId(); }
    // "umpire", "force 1", "force 2" -> the seat's link; WebSocketUrl adds "ws".
    const QMap<QString, QUrl>& Links() const { return m_links; }
    QUrl WebSocketUrl(const QString& seat) const;

  private:
    QTemporaryDir m_dir;
    QProcess m_server;
    QMap<QString, QUrl> m_links;
};
