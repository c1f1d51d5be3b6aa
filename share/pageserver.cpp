#include "share/pageserver.h"

#include <QFile>
#include <QHttpServerResponder>
#include <QTcpSocket>

#include "share/pageheaders.h"
#include "share/sharegate.h"

namespace {

struct PageFile {
    const char* name;
    const char* resource;
    const char* type;
};

constexpr PageFile kFiles[] = {
    {"", ":/share/page.html", "text/html; charset=utf-8"},
    {"page.js", ":/share/page.js", "text/javascript; charset=utf-8"},
    {"page.css", ":/share/page.css", "text/css; charset=utf-8"},
};

QByteArray Resource(const char* path) {
    QFile file(QString::fromLatin1(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

PageServer::PageServer(CardPicture cardPicture, QObject* parent)
    : QAbstractHttpServer(parent), m_cardPicture(std::move(cardPicture)) {}

bool PageServer::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) {
    const auto target = ShareGate::TargetOf(socket);
    if (target && target->Card() >= 0) {
        Answer(request, socket, "image/svg+xml", m_cardPicture(target->token, target->Card()));
        return true;
    }
    for (const PageFile& file : kFiles) {
        if (target && target->name == file.name) {
            Answer(request, socket, file.type, Resource(file.resource));
            return true;
        }
    }
    Answer(request, socket, {}, {});
    return true;
}

void PageServer::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) {
    Answer(request, socket, {}, {});
}

// An empty body is a file that is not there: 404, without content.
void PageServer::Answer(const QHttpServerRequest& request, QTcpSocket* socket,
                        const QByteArray& type, const QByteArray& body) {
    {
        QHttpServerResponder responder = makeResponder(request, socket);
        responder.writeStatusLine(body.isEmpty() ? QHttpServerResponder::StatusCode::NotFound
                                                 : QHttpServerResponder::StatusCode::Ok);
        for (const auto& [name, value] : PageHeaders()) responder.writeHeader(name, value);
        if (!body.isEmpty()) responder.writeHeader("Content-Type", type);
        responder.writeHeader("Content-Length", QByteArray::number(body.size()));
        responder.writeHeader("Connection", "close");
        responder.writeBody(body);
    }
    socket->disconnectFromHost();
}
