#include "app/ui/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace quillon {

namespace {

const char kFolder[] = ":/translations";
const char kPrefix[] = "quillon_";
// The language of the program's own texts, and what a user whose languages Quillon does not
// have gets.
const char kOwnLanguage[] = "zh_CN";

std::unique_ptr<QTranslator>& Installed(int which) {
  static std::unique_ptr<QTranslator> translators[2];
  return translators[which];
}

void Replace(int which, std::unique_ptr<QTranslator> translator) {
  std::unique_ptr<QTranslator>& slot = Installed(which);
  if (slot)
    QCoreApplication::removeTranslator(slot.get());
  slot = std::move(translator);
  if (slot)
    QCoreApplication::installTranslator(slot.get());
}

} // namespace

QStringList AvailableTranslations() {
  QStringList names;
  const QDir folder(QString::fromLatin1(kFolder));
  for (const QString& file :
       folder.entryList({QString::fromLatin1(kPrefix) + QStringLiteral("*.qm")}, QDir::Files))
    names << file.mid(int(qstrlen(kPrefix))).chopped(3);
  return names;
}

QString ChooseTranslation(const QStringList& uiLanguages) {
  const QStringList available = AvailableTranslations();
  for (const QString& language : uiLanguages) {
    const QLocale locale(language);
    if (locale.language() == QLocale::C || locale.language() == QLocale::AnyLanguage)
      continue;
    const QString code = QLocale::languageToCode(locale.language());
    // The whole name first (zh_CN), then the language alone (en for en_GB); Chinese of any
    // region reads the Simplified Chinese texts.
    for (const QString& name : {locale.name(), code})
      if (available.contains(name))
        return name;
    if (code == QLatin1String("zh"))
      return QString::fromLatin1(kOwnLanguage);
  }
  return QString::fromLatin1(kOwnLanguage);
}

QString InstallTranslations(const QStringList& uiLanguages) {
  const QString name = ChooseTranslation(uiLanguages);
  auto own = std::make_unique<QTranslator>();
  Replace(0, own->load(QString::fromLatin1(kPrefix) + name, QString::fromLatin1(kFolder))
                 ? std::move(own)
                 : nullptr);
  auto qt = std::make_unique<QTranslator>();
  Replace(1, qt->load(QStringLiteral("qtbase_") + name,
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))
                 ? std::move(qt)
                 : nullptr);
  return name;
}

void RemoveTranslations() {
  Replace(0, nullptr);
  Replace(1, nullptr);
}

} // namespace quillon
