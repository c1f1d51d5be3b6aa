#include "share/pageheaders.h"

namespace {

QByteArray EmptyAnswer(const QByteArray& status) {
    QByteArray answer = "HTTP/1.1 " + status + "\r\nContent-Length: 0\r\nConnection: close\r\n";
    for (const auto& [name, value] : PageHeaders()) answer += name + ": " + value + "\r\n";
    return answer + "\r\n";
}

}  // namespace

std::vector<std::pair<QByteArray, QByteArray>> PageHeaders() {
    return {
        {"Content-Security-Policy",
         "default-src 'none'; script-src 'self'; style-src 'self'; img-src 'self' data:; "
         "connect-src 'self'; base-uri 'none'; form-action 'none'; frame-ancestors 'none'"},
        {"X-Content-Type-Options", "nosniff"},
        {"Cache-Control", "no-store"},
        {"Referrer-Policy", "no-referrer"},
    };
}

QByteArray NotFoundAnswer() { return EmptyAnswer("404 Not Found"); }
QByteArray BusyAnswer() { return EmptyAnswer("503 Service Unavailable"); }
