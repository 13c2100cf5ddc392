#pragma once

#include <QLocale>

class QCoreApplication;

// Qt's own translations (file and folder dialogs, standard buttons) for the
// given locale, from the folder Qt was installed with. Returns whether a
// translation was installed; an English locale needs none.
bool installQtTranslations(QCoreApplication &app, const QLocale &locale = QLocale());
