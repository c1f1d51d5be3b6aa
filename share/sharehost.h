#pragma once

#include <QHostAddress>
#include <QObject>
#include <QUrl>
#include <memory>
#include <vector>

#include "game/gamesession.h"
#include "game/scenariosnapshot.h"
#include "share/seatlist.h"
#include "share/sharedtable.h"

class PageServer;
class QWebSocketServer;
class ShareClient;
class ShareGate;

// Shares a game being played with the devices round the table: each seat's
// link opens the page of its cards, and every change, wherever it is made,
// reaches every device that may see it, once it is in the game file. The
// host listens only while it shares, and only on the address it was given.
class ShareHost : public QObject {
    Q_OBJECT
  public:
    static constexpr quint16 kDefaultPort = 8765;

    // The snapshot and session must outlive the host.
    ShareHost(const ScenarioSnapshot& snapshot, GameSession& session, QObject* parent = nullptr);
    ~ShareHost() override;

    // Listens on the port, 0 for any free one; with fallback, any free one
    // when that one is taken. Every start makes new links.
    bool Start(const QHostAddress& address, quint16 port, bool fallback, QString& error);
    // Ends every connection at once; the links lead nowhere after.
    void Stop();
    bool IsSharing() const { return m_gate != nullptr; }
    quint16 Port() const;
    const QHostAddress& Address() const { return m_address; }

    const std::vector<Seat>& Seats() const { return m_seats->Seats(); }
    QUrl Link(const Seat& seat) const;
    // The devices at a seat, by the names they gave.
    QStringList Devices(const Seat& seat) const;
    int Connections() const;

    // Tells the devices what changed since they last heard: after the
    // table window's own marks, Undo and Redo.
    void Tell();

  signals:
    // Devices changed the game: it is in the file, or could not be written
    // and is as it was.
    void gameChanged();
    void devicesChanged();
    void connectionRefused(const QString& why);

  private:
    void Join();
    void Receive(ShareClient* client, const QByteArray& text);
    // Does every request that came in since the last time, with one write.
    void PerformWaiting();
    void Leave(ShareClient* client);
    QByteArray CardFor(const QByteArray& token, int card) const;

    const ScenarioSnapshot& m_snapshot;
    SharedTable m_table;
    std::unique_ptr<SeatList> m_seats;
    QHostAddress m_address;
    ShareGate* m_gate = nullptr;
    PageServer* m_pages = nullptr;
    QWebSocketServer* m_sockets = nullptr;
    std::vector<ShareClient*> m_clients;
    struct Waiting {
        ShareClient* client;
        std::vector<GameAction> actions;
    };
    std::vector<Waiting> m_waiting;
};
