#include "app/browser/BrowserMessage.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

namespace quillon {

namespace {

struct TTypeName {
  TBrowserMessageType Type;
  const char* Name;
};
constexpr TTypeName kTypes[] = {{TBrowserMessageType::Ping, "ping"},
                                {TBrowserMessageType::Templates, "templates"},
                                {TBrowserMessageType::Tab, "tab"},
                                {TBrowserMessageType::Link, "link"},
                                {TBrowserMessageType::Selection, "selection"},
                                {TBrowserMessageType::Tabs, "tabs"}};

const char* TypeName(TBrowserMessageType type) {
  for (const TTypeName& entry : kTypes)
    if (entry.Type == type)
      return entry.Name;
  return "ping";
}

std::string Quoted(const QString& text) { return "\"" + text.toStdString() + "\""; }

std::u16string Field(const QJsonObject& object, const char* name, bool required,
                     std::size_t limit = MaxBrowserField) {
  const QJsonValue value = object.value(QLatin1String(name));
  if (value.isUndefined() || value.isNull()) {
    if (required)
      throw EBrowserMessage(std::string("The message has no \"") + name + "\"");
    return {};
  }
  if (!value.isString())
    throw EBrowserMessage(std::string("The message's \"") + name + "\" is not a string");
  const QString text = value.toString();
  if (static_cast<std::size_t>(text.size()) > limit)
    throw EBrowserMessage(std::string("The message's \"") + name + "\" is longer than " +
                          std::to_string(limit) + " characters");
  return text.toStdU16String();
}

// A title, trimmed of the blanks pages put around it; the address stands in for a missing
// one, as a link with no text shows its address.
TBrowserLink ReadLink(const QJsonObject& object, const char* titleName) {
  TBrowserLink link;
  link.Url = QString::fromStdU16String(Field(object, "url", true)).trimmed().toStdU16String();
  if (link.Url.empty())
    throw EBrowserMessage("The message's \"url\" is empty");
  link.Title = QString::fromStdU16String(Field(object, titleName, false))
                   .simplified()
                   .toStdU16String();
  if (link.Title.empty())
    link.Title = link.Url;
  return link;
}

QJsonObject LinkObject(const TBrowserLink& link, const char* titleName) {
  QJsonObject object;
  object.insert(QLatin1String(titleName), QString::fromStdU16String(link.Title));
  object.insert(QStringLiteral("url"), QString::fromStdU16String(link.Url));
  return object;
}

QJsonObject ParseObject(std::string_view json) {
  QJsonParseError error;
  const QJsonDocument document =
      QJsonDocument::fromJson(QByteArray(json.data(), static_cast<qsizetype>(json.size())), &error);
  if (error.error != QJsonParseError::NoError)
    throw EBrowserMessage("The message is not JSON: " + error.errorString().toStdString() +
                          " at byte " + std::to_string(error.offset));
  if (!document.isObject())
    throw EBrowserMessage("The message is not a JSON object");
  return document.object();
}

std::string Compact(const QJsonObject& object) {
  return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
}

} // namespace

TBrowserMessage ParseBrowserMessage(std::string_view json) {
  const QJsonObject object = ParseObject(json);
  const QJsonValue typeValue = object.value(QStringLiteral("type"));
  if (!typeValue.isString())
    throw EBrowserMessage("The message has no \"type\"");
  TBrowserMessage message;
  const QString type = typeValue.toString();
  bool known = false;
  for (const TTypeName& entry : kTypes)
    if (type == QLatin1String(entry.Name)) {
      message.Type = entry.Type;
      known = true;
    }
  if (!known)
    throw EBrowserMessage("Unknown message type " + Quoted(type));

  message.Template = Field(object, "template", false, 1000);
  switch (message.Type) {
  case TBrowserMessageType::Ping:
  case TBrowserMessageType::Templates:
    break;
  case TBrowserMessageType::Tab:
    message.Links.push_back(ReadLink(object, "title"));
    break;
  case TBrowserMessageType::Link:
    message.Links.push_back(ReadLink(object, "text"));
    break;
  case TBrowserMessageType::Selection:
    message.Links.push_back(ReadLink(object, "title"));
    message.Html = Field(object, "html", false, MaxBrowserSelection);
    message.Text = Field(object, "text", false, MaxBrowserSelection);
    if (message.Text.empty() && message.Html.empty())
      throw EBrowserMessage("The selection is empty");
    break;
  case TBrowserMessageType::Tabs: {
    const QJsonValue tabs = object.value(QStringLiteral("tabs"));
    if (!tabs.isArray())
      throw EBrowserMessage("The message's \"tabs\" is not a list");
    const QJsonArray list = tabs.toArray();
    if (list.isEmpty())
      throw EBrowserMessage("The message's \"tabs\" is empty");
    if (static_cast<std::size_t>(list.size()) > MaxBrowserTabs)
      throw EBrowserMessage("The message has more than " + std::to_string(MaxBrowserTabs) +
                            " tabs");
    for (const QJsonValue& tab : list) {
      if (!tab.isObject())
        throw EBrowserMessage("A tab of the message is not a JSON object");
      message.Links.push_back(ReadLink(tab.toObject(), "title"));
    }
    break;
  }
  }
  return message;
}

std::string SerializeBrowserMessage(const TBrowserMessage& message) {
  QJsonObject object;
  object.insert(QStringLiteral("type"), QLatin1String(TypeName(message.Type)));
  switch (message.Type) {
  case TBrowserMessageType::Ping:
  case TBrowserMessageType::Templates:
    break;
  case TBrowserMessageType::Tab:
    object = LinkObject(message.Links.at(0), "title");
    object.insert(QStringLiteral("type"), QStringLiteral("tab"));
    break;
  case TBrowserMessageType::Link:
    object = LinkObject(message.Links.at(0), "text");
    object.insert(QStringLiteral("type"), QStringLiteral("link"));
    break;
  case TBrowserMessageType::Selection:
    object = LinkObject(message.Links.at(0), "title");
    object.insert(QStringLiteral("type"), QStringLiteral("selection"));
    object.insert(QStringLiteral("html"), QString::fromStdU16String(message.Html));
    object.insert(QStringLiteral("text"), QString::fromStdU16String(message.Text));
    break;
  case TBrowserMessageType::Tabs: {
    QJsonArray tabs;
    for (const TBrowserLink& link : message.Links)
      tabs.append(LinkObject(link, "title"));
    object.insert(QStringLiteral("tabs"), tabs);
    break;
  }
  }
  if (!message.Template.empty())
    object.insert(QStringLiteral("template"), QString::fromStdU16String(message.Template));
  return Compact(object);
}

std::string BrowserReplyOk(const std::u16string& message) {
  QJsonObject object;
  object.insert(QStringLiteral("ok"), true);
  object.insert(QStringLiteral("message"), QString::fromStdU16String(message).left(1000));
  return Compact(object);
}

std::string BrowserReplyError(std::string_view error) {
  QJsonObject object;
  object.insert(QStringLiteral("ok"), false);
  // Kept short: a reply travels in one frame, and a person reads it in a tooltip.
  object.insert(QStringLiteral("error"),
                QString::fromUtf8(error.data(), static_cast<qsizetype>(error.size())).left(1000));
  return Compact(object);
}

std::string BrowserReplyTemplates(const std::vector<std::u16string>& names,
                                  const std::vector<std::string>& errors) {
  QJsonObject object;
  object.insert(QStringLiteral("ok"), true);
  QJsonArray nameList, errorList;
  for (const std::u16string& name : names)
    nameList.append(QString::fromStdU16String(name));
  for (const std::string& error : errors)
    errorList.append(QString::fromStdString(error).left(1000));
  object.insert(QStringLiteral("templates"), nameList);
  object.insert(QStringLiteral("errors"), errorList);
  object.insert(QStringLiteral("message"),
                QString::number(names.size()) + QStringLiteral(" link templates"));
  const std::string reply = Compact(object);
  if (reply.size() > (1u << 19))
    return BrowserReplyError("The link templates are too many to list");
  return reply;
}

TBrowserReply ParseBrowserReply(std::string_view json) {
  QJsonObject object;
  try {
    object = ParseObject(json);
  } catch (const EBrowserMessage&) {
    return {false, "Quillon gave a reply that is not JSON"};
  }
  const QJsonValue ok = object.value(QStringLiteral("ok"));
  if (!ok.isBool())
    return {false, "Quillon gave a reply without \"ok\""};
  const QString text = object.value(ok.toBool() ? QStringLiteral("message")
                                                : QStringLiteral("error"))
                           .toString();
  return {ok.toBool(), text.toStdString()};
}

} // namespace quillon
