#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;

// Fills document with the rich text; unknown control words are skipped.
// Reads groups, the font and colour tables, \f \fs \cf \b \par \emdash, \'hh (Windows-1252),
// \u with \uc and the escaped symbols \\ \{ \}; any other destination is skipped.
// The document is the first top-level group; malformed input yields what could be read.
void LoadRichText(QTextDocument *document, const QByteArray &rtf);

// Escapes plain text for insertion into RTF: '\\', '{', '}' and non-ASCII characters.
// Windows-1252 characters become \'hh, the rest \uN followed by a '?' for readers
// that skip one fallback character (the default \uc1).
QByteArray RtfEscape(const QString &text);
