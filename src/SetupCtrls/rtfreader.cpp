#include "rtfreader.h"
#include <QTextDocument>
void LoadRichText(QTextDocument *d, const QByteArray &r){ d->setPlainText(QString::fromLatin1(r)); }
QByteArray RtfEscape(const QString &t){ return t.toLatin1(); }
