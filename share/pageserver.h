#pragma once

#include <QAbstractHttpServer>
#include <functional>

#include "share/requesttarget.h"

// Answers the requests the gate let in, each with the page's file it names:
// the page, its script and style from the program's resources, or a card's
// picture. Nothing else is ever read, and no folder is ever listed.
class PageServer : public QAbstractHttpServer {
    Q_OBJECT
  public:
    // A card's picture for the seat of the token, empty when it may not see it.
    using CardPicture = std::function<QByteArray(const QByteArray& token, int card)>;
    explicit PageServer(CardPicture cardPicture, QObject* parent = nullptr);

  protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

  private:
    void Answer(const QHttpServerRequest& request, QTcpSocket* socket, const QByteArray& type,
                const QByteArray& body);

    CardPicture m_cardPicture;
};
