// The network module (see network_module.h): downloads with Qt Network.

#include "platform/network_module.h"
#include "platform/services.h"

#include <QNetworkAccessManager>
#include <QNetworkInformation>
#include <QNetworkReply>
#include <QSaveFile>
#include <QTimer>

#include <memory>

namespace briqo {

namespace {

// A web server answers with a status; only a success carries the file, anything else is a page
// about the failure. Local files have no status.
bool isFileBody(const QNetworkReply *reply)
{
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    return !status.isValid() || (status.toInt() >= 200 && status.toInt() <= 299);
}

class HttpNetwork : public Network {
public:
    bool isConnected() override;
    void download(const QString &url, const QString &file, int silenceMs, QObject *context,
        std::function<void(bool ok)> done) override;

private:
    QNetworkAccessManager m_manager;
};

bool HttpNetwork::isConnected()
{
    // A company update server may sit on the local network, so any route counts, not only one to
    // the internet. (On Linux the program reads the route table itself and never asks this.)
    if (QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability)) {
        if (const QNetworkInformation *info = QNetworkInformation::instance())
            return info->reachability() != QNetworkInformation::Reachability::Disconnected;
    }
    return true; // no way to tell: try, and let the download fail
}

void HttpNetwork::download(
    const QString &url, const QString &file, int silenceMs, QObject *context, std::function<void(bool ok)> done)
{
    QObject *receiver = context ? context : &m_manager;

    auto target = std::make_unique<QSaveFile>(file);
    if (!target->open(QIODevice::WriteOnly)) {
        QTimer::singleShot(0, receiver, [done] { done(false); });
        return;
    }

    QNetworkRequest request {QUrl(url)};
    request.setTransferTimeout(silenceMs);
    QNetworkReply *reply = m_manager.get(request);
    QSaveFile *out = target.release();
    out->setParent(reply); // an unfinished file is discarded with the reply

    // Written as it arrives: an installer need not fit in memory.
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply, out] {
        const QByteArray data = reply->readAll();
        if (isFileBody(reply) && out->write(data) != data.size())
            reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::finished, reply, &QObject::deleteLater);
    QObject::connect(reply, &QNetworkReply::finished, receiver, [reply, out, done] {
        bool ok = reply->error() == QNetworkReply::NoError && isFileBody(reply);
        if (ok) {
            const QByteArray rest = reply->readAll();
            // Flushed and checked before the commit: Qt 6.4 commits a file whose buffered write
            // failed (a full disk), which would leave a cut installer in place.
            ok = out->write(rest) == rest.size() && out->flush() && out->error() == QFileDevice::NoError
                && out->commit();
        } else {
            out->cancelWriting();
        }
        done(ok);
    });
}

} // namespace

} // namespace briqo

extern "C" Q_DECL_EXPORT briqo::Network *briqo_make_network() { return new briqo::HttpNetwork; }
