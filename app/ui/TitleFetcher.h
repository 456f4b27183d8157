// Fetches a page with Qt Network for its title: redirects followed (at most five), the
// whole fetch limited in time, at most the first megabyte read. Asynchronous, so the window
// stays responsive; what the bytes mean is app/PageTitle's business.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class QNetworkAccessManager;
class QNetworkReply;

namespace quillon {

class TTitleFetcher : public QObject {
  Q_OBJECT
public:
  explicit TTitleFetcher(QObject* parent = nullptr);
  ~TTitleFetcher() override;

  // The whole fetch, redirects included, must end within this.
  int TimeoutMs = 10000;
  static constexpr int MaxRedirects = 5;

  bool Busy() const { return !FReply.isNull(); }
  // Starts fetching Address (as the user typed it; "http://" is put in front of one without
  // a scheme). Ends in exactly one of TitleFetched or FetchFailed, also for an address that
  // cannot be fetched at all.
  void Fetch(const QString& address);

signals:
  void TitleFetched(const QString& address, const QString& title);
  void FetchFailed(const QString& address, const QString& message);

private:
  void OnMetaDataChanged();
  void OnReadyRead();
  void OnFinished();
  void OnTimeout();
  void Stop(const QString& failure);
  void Fail(const QString& reason);

  QNetworkAccessManager* FManager;
  QPointer<QNetworkReply> FReply;
  QTimer FTimer;
  QString FAddress;  // as the user typed it
  QByteArray FBytes; // at most the first megabyte
  bool FEnough = false;
  QString FFailure; // set before an abort of our own
};

} // namespace quillon
