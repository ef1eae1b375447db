#pragma once
#include <QByteArray>
#include <QString>
class QTextDocument;
void LoadRichText(QTextDocument *document, const QByteArray &rtf);
QByteArray RtfEscape(const QString &text);
