#include "desktopidentity.h"

#include <QApplication>
#include <QIcon>

void SetDesktopIdentity()
{
    const QString id = QStringLiteral("com.orvel.Settings");
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1x%1/%2.png").arg(size).arg(id), QSize(size, size));
    QApplication::setWindowIcon(icon);
    QGuiApplication::setDesktopFileName(id);
}
