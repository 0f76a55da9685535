#include "platform/DataFolders.h"

#include <QCoreApplication>
#include <QDir>

#ifndef CORVELLAN_DATA_RELATIVE
#define CORVELLAN_DATA_RELATIVE "../share/corvellan"
#endif

namespace corvellan {

QString installedDataFolder() {
    if (!QCoreApplication::instance()) return {};
    return QDir::cleanPath(QDir(QCoreApplication::applicationDirPath())
                               .filePath(QStringLiteral(CORVELLAN_DATA_RELATIVE)));
}

} // namespace corvellan
