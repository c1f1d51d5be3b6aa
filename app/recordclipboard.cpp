#include "app/recordclipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

void PutRecordsOnClipboard(const std::string& json, const QString& text) {
    auto* data = new QMimeData;
    data->setData(kRecordsMimeType, QByteArray::fromStdString(json));
    data->setText(text);
    QGuiApplication::clipboard()->setMimeData(data);
}

std::string RecordsOnClipboard() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data) return {};
    if (data->hasFormat(kRecordsMimeType)) return data->data(kRecordsMimeType).toStdString();
    const QString text = data->text().trimmed();
    return text.startsWith('{') ? text.toStdString() : std::string();
}
