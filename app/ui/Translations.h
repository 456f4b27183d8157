// The window's language: the first of the user's languages (most wanted first, as
// QLocale::uiLanguages gives them) that Quillon is translated into, else Chinese, the
// language of its own texts. Qt's own texts (the edit fields' menus, the boxes' buttons)
// follow in the same language when the system has Qt's translations.
#pragma once

#include <QString>
#include <QStringList>

namespace quillon {

// The name of the translation for the languages ("en", "zh_CN").
QString ChooseTranslation(const QStringList& uiLanguages);
// Every translation Quillon has, by name.
QStringList AvailableTranslations();
// Installs Quillon's and Qt's translations for the languages, replacing those installed
// before; answers the chosen name. Windows made afterwards speak that language.
QString InstallTranslations(const QStringList& uiLanguages);
// Takes out what InstallTranslations installed: windows speak the program's own texts.
void RemoveTranslations();

} // namespace quillon
