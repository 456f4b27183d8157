#include "app/ui/TitleFetcher.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

#include "app/PageTitle.h"

namespace quillon {

namespace {

std::string_view View(const QByteArray& bytes) {
  return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

} // namespace

TTitleFetcher::TTitleFetcher(QObject* parent)
    : QObject(parent), FManager(new QNetworkAccessManager(this)) {
  FTimer.setSingleShot(true);
  connect(&FTimer, &QTimer::timeout, this, &TTitleFetcher::OnTimeout);
}

TTitleFetcher::~TTitleFetcher() {
  if (FReply) {
    FReply->disconnect(this);
    FReply->abort();
  }
}

void TTitleFetcher::Fetch(const QString& address) {
  if (Busy())
    return;
  FAddress = address;
  FBytes.clear();
  FEnough = false;
  FFailure.clear();
  QUrl url;
  try {
    url = QUrl(QString::fromStdString(PageAddress(address.toStdU16String())), QUrl::TolerantMode);
  } catch (const EPageTitleError& e) {
    Fail(QString::fromUtf8(e.what()));
    return;
  }
  if (!url.isValid() || url.host().isEmpty()) {
    Fail(tr("the address is not valid"));
    return;
  }
  QNetworkRequest request(url);
  // A redirect from https to http would hand the page to anyone on the way.
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                       QNetworkRequest::NoLessSafeRedirectPolicy);
  request.setMaximumRedirectsAllowed(MaxRedirects);
  request.setRawHeader("Accept", "text/html,application/xhtml+xml;q=0.9,*/*;q=0.1");
  FReply = FManager->get(request);
  // Qt would otherwise take in the whole page before anyone reads it.
  FReply->setReadBufferSize(static_cast<qint64>(kPageTitleReadLimit));
  connect(FReply, &QNetworkReply::metaDataChanged, this, &TTitleFetcher::OnMetaDataChanged);
  connect(FReply, &QNetworkReply::readyRead, this, &TTitleFetcher::OnReadyRead);
  connect(FReply, &QNetworkReply::finished, this, &TTitleFetcher::OnFinished);
  FTimer.start(TimeoutMs);
}

void TTitleFetcher::OnMetaDataChanged() {
  const QVariant status = FReply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
  // Redirects pass through here too; they are followed, not judged.
  if (status.isValid() && status.toInt() >= 300 && status.toInt() < 400)
    return;
  const QByteArray type = FReply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
  if (status.isValid() && status.toInt() < 300 && !IsHtmlContentType(View(type)))
    Stop(tr("the page is not HTML (%1)").arg(QString::fromLatin1(type)));
}

void TTitleFetcher::OnReadyRead() {
  if (!FReply || FEnough)
    return;
  const qint64 room = static_cast<qint64>(kPageTitleReadLimit) - FBytes.size();
  FBytes += FReply->read(room);
  if (FBytes.size() >= static_cast<qint64>(kPageTitleReadLimit)) {
    FEnough = true; // the rest is never read
    FReply->abort();
  }
}

void TTitleFetcher::Stop(const QString& failure) {
  FFailure = failure;
  FReply->abort();
}

void TTitleFetcher::OnTimeout() {
  if (FReply)
    Stop(tr("no answer within %1 seconds").arg(TimeoutMs / 1000.0));
}

void TTitleFetcher::Fail(const QString& reason) {
  emit FetchFailed(
      FAddress,
      tr("Cannot fetch the title of \"%1\": %2").arg(FAddress.trimmed(), reason));
}

void TTitleFetcher::OnFinished() {
  QNetworkReply* reply = FReply;
  if (!reply)
    return;
  FTimer.stop();
  FReply = nullptr;
  reply->deleteLater();
  if (!FFailure.isEmpty()) {
    Fail(FFailure);
    return;
  }
  if (!FEnough) {
    FBytes += reply->read(static_cast<qint64>(kPageTitleReadLimit) - FBytes.size());
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 400) {
      const QString phrase =
          reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
      Fail(tr("the server answered %1 %2").arg(status).arg(phrase).trimmed());
      return;
    }
    if (reply->error() != QNetworkReply::NoError) {
      Fail(reply->errorString());
      return;
    }
  }
  const QByteArray type = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
  try {
    const std::u16string title = PageTitle(View(FBytes), View(type));
    emit TitleFetched(FAddress, QString::fromStdU16String(title));
  } catch (const EPageTitleError& e) {
    Fail(QString::fromUtf8(e.what()));
  }
}

} // namespace quillon
