#include "bench/servedgame.h"

bool ServedGame::Start(const QString& cli, const QString& campaign, const QString& host) {
    if (QProcess::execute(cli, {"game", "new", campaign, "Dogger Bank", "-o", GamePath()}) != 0)
        return false;
    m_server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_server.start(host, {"game", "serve", GamePath(), "--listen", "127.0.0.1", "--port", "0"});
    while (m_links.size() < 3 && m_server.waitForReadyRead(10'000)) {
        while (m_server.canReadLine()) {
            const QStringList seat = QString::fromUtf8(m_server.readLine()).trimmed().split('\t');
            if (seat.size() == 2) m_links.insert(seat[0], QUrl(seat[1]));
        }
    }
    return m_links.size() == 3;
}

void ServedGame::Stop() {
    m_server.terminate();
    m_server.waitForFinished(10'000);
}

QUrl ServedGame::WebSocketUrl(const QString& seat) const {
    QUrl url = m_links.value(seat);
    url.setScheme(QStringLiteral("ws"));
    url.setPath(url.path() + QStringLiteral("ws"));
    return url;
}
