#include "rtfreader.h"

#include <QColor>
#include <QHash>
#include <QTextCursor>
#include <QTextDocument>
#include <QVector>

#include <algorithm>
#include <iterator>

namespace {

// Groups nested deeper than this are skipped whole.
constexpr int MaxDepth = 128;
// Longer control words are read to their end but never match a known word.
constexpr int MaxWordLength = 32;
// Numeric parameters saturate here while their digits are read.
constexpr int MaxParameter = 1 << 20;
// 1638 points, the largest size a rich-edit control accepts.
constexpr int MaxHalfPoints = 3276;
// RTF's default size: 12 points.
constexpr int DefaultHalfPoints = 24;

// Windows-1252 bytes 0x80-0x9F; the five undefined bytes keep their Latin-1 value.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t FromCp1252(unsigned char byte)
{
    return byte >= 0x80 && byte < 0xA0 ? Cp1252High[byte - 0x80] : char16_t(byte);
}

// The Windows-1252 byte of c, or -1 when the code page has none.
int ToCp1252(char16_t c)
{
    if (c >= 0xA0 && c <= 0xFF)
        return c;
    const auto *it = std::find(std::begin(Cp1252High), std::end(Cp1252High), c);
    return it == std::end(Cp1252High) ? -1 : int(0x80 + (it - std::begin(Cp1252High)));
}

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int HexValue(char c)
{
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Characters that QTextCursor would turn into block or frame boundaries, and other controls:
// paragraphs come from \par alone.
bool IsAcceptedCharacter(char16_t c)
{
    return (c >= 0x20 || c == '\t') && c != QChar::ParagraphSeparator && c != 0xFDD0 && c != 0xFDD1;
}

void ReplaceLoneSurrogates(QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            text[i] = QChar::ReplacementCharacter;
    }
}

// Destinations without \* whose content is not part of the text.
bool IsSkippedDestination(const QByteArray &word)
{
    static const char *const Words[] = {
        "author", "buptim", "comment", "creatim", "doccomm", "fldinst", "footer", "footerf",
        "footerl", "footerr", "footnote", "ftncn", "ftnsep", "ftnsepc", "header", "headerf",
        "headerl", "headerr", "info", "keywords", "object", "operator", "pict", "printim",
        "revtim", "rxe", "stylesheet", "subject", "tc", "title", "txe", "xe",
    };
    return std::any_of(std::begin(Words), std::end(Words),
                       [&](const char *w) { return word == w; });
}

enum class Destination { Text, FontTable, ColorTable, Skipped };

// What a group saves and its closing brace restores.
struct GroupState
{
    Destination destination = Destination::Text;
    int font = -1; // -1: the default font
    int halfPoints = DefaultHalfPoints;
    int color = -1; // -1 or an "auto" entry: the view's text colour
    bool bold = false;
    int unicodeSkip = 1;
};

class RtfReader
{
public:
    RtfReader(QTextDocument *document, const QByteArray &rtf)
        : m_data(rtf.constData()), m_size(rtf.size()), m_cursor(document)
    {
    }

    void Read();

private:
    void OpenGroup();
    void CloseGroup();
    void SkipDeepGroups(char c);
    void ReadControl();
    void ReadWord();
    void ReadHexByte();
    bool SkipFallback();
    void Word(const QByteArray &word, bool hasParameter, int parameter);
    void TextWord(const QByteArray &word, bool hasParameter, int parameter);
    void Character(char c);
    void Append(char16_t c);
    void Unicode(int value);
    void NewParagraph();
    void Flush();
    QTextCharFormat CurrentFormat() const;
    GroupState &State() { return m_groups.back(); }

    const char *m_data;
    qsizetype m_size;
    qsizetype m_pos = 0;
    QTextCursor m_cursor;

    QVector<GroupState> m_groups;
    int m_deepGroups = 0; // open groups beyond MaxDepth
    bool m_done = false;
    int m_fallbackLeft = 0; // characters still to skip after \u

    // Text not yet inserted; it always has the current group's format.
    QString m_pending;

    int m_defaultFont = 0;
    QHash<int, QString> m_fonts;
    int m_fontNumber = 0;
    QString m_fontName;

    QVector<QColor> m_colors; // an invalid colour is an "auto" entry
    int m_rgb[3] = {0, 0, 0};
    bool m_rgbGiven = false;
};

void RtfReader::Read()
{
    m_cursor.beginEditBlock();
    while (m_pos < m_size && !m_done) {
        const char c = m_data[m_pos++];
        if (m_deepGroups > 0) {
            SkipDeepGroups(c);
            continue;
        }
        if (m_groups.isEmpty()) {
            // Nothing counts before the document's group.
            if (c == '{')
                OpenGroup();
            continue;
        }
        switch (c) {
        case '{':
            OpenGroup();
            break;
        case '}':
            CloseGroup();
            break;
        case '\\':
            ReadControl();
            break;
        case '\r':
        case '\n':
            break;
        default:
            Character(c);
            break;
        }
    }
    Flush();
    m_cursor.endEditBlock();
}

void RtfReader::OpenGroup()
{
    Flush();
    m_fallbackLeft = 0;
    if (m_groups.size() >= MaxDepth) {
        m_deepGroups = 1;
        return;
    }
    m_groups.append(m_groups.isEmpty() ? GroupState() : m_groups.back());
}

void RtfReader::CloseGroup()
{
    Flush();
    m_fallbackLeft = 0;
    m_groups.removeLast();
    m_done = m_groups.isEmpty();
}

void RtfReader::SkipDeepGroups(char c)
{
    if (c == '{')
        ++m_deepGroups;
    else if (c == '}')
        --m_deepGroups;
    else if (c == '\\' && m_pos < m_size)
        ++m_pos; // an escaped brace does not count
}

void RtfReader::ReadControl()
{
    if (m_pos >= m_size)
        return;
    const char c = m_data[m_pos];
    if (IsLetter(c)) {
        ReadWord();
        return;
    }
    ++m_pos;
    if (c == '\'') {
        ReadHexByte();
        return;
    }
    if (SkipFallback())
        return;
    if (c == '\\' || c == '{' || c == '}')
        Character(c);
    else if (c == '*')
        State().destination = Destination::Skipped; // no \* destination is read
}

void RtfReader::ReadWord()
{
    const qsizetype start = m_pos;
    while (m_pos < m_size && IsLetter(m_data[m_pos]))
        ++m_pos;
    const qsizetype length = m_pos - start;
    const QByteArray word = length <= MaxWordLength ? QByteArray(m_data + start, length) : QByteArray();

    bool negative = false;
    if (m_pos + 1 < m_size && m_data[m_pos] == '-' && IsDigit(m_data[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    bool hasParameter = false;
    int parameter = 0;
    while (m_pos < m_size && IsDigit(m_data[m_pos])) {
        hasParameter = true;
        parameter = std::min(parameter * 10 + (m_data[m_pos] - '0'), MaxParameter);
        ++m_pos;
    }
    if (negative)
        parameter = -parameter;
    if (m_pos < m_size && m_data[m_pos] == ' ')
        ++m_pos;

    if (!SkipFallback() && !word.isEmpty())
        Word(word, hasParameter, parameter);
}

// Reads up to two hex digits; an escape with fewer is dropped.
void RtfReader::ReadHexByte()
{
    int byte = 0;
    int digits = 0;
    for (; digits < 2 && m_pos < m_size; ++digits, ++m_pos) {
        const int value = HexValue(m_data[m_pos]);
        if (value < 0)
            break;
        byte = byte * 16 + value;
    }
    if (digits == 2 && !SkipFallback())
        Append(FromCp1252(static_cast<unsigned char>(byte)));
}

// Drops one fallback character of a \u: a byte, an escape or a control word.
bool RtfReader::SkipFallback()
{
    if (m_fallbackLeft == 0)
        return false;
    --m_fallbackLeft;
    return true;
}

void RtfReader::Word(const QByteArray &word, bool hasParameter, int parameter)
{
    GroupState &state = State();
    if (state.destination == Destination::Skipped)
        return;
    if (word == "fonttbl") {
        state.destination = Destination::FontTable;
    } else if (word == "colortbl") {
        state.destination = Destination::ColorTable;
    } else if (IsSkippedDestination(word)) {
        state.destination = Destination::Skipped;
    } else if (word == "u") {
        if (hasParameter) {
            Unicode(parameter);
            m_fallbackLeft = state.unicodeSkip;
        }
    } else if (word == "uc") {
        state.unicodeSkip = std::max(parameter, 0);
    } else if (state.destination == Destination::FontTable) {
        if (word == "f")
            m_fontNumber = parameter;
    } else if (state.destination == Destination::ColorTable) {
        const int index = word == "red" ? 0 : word == "green" ? 1 : word == "blue" ? 2 : -1;
        if (index >= 0) {
            m_rgb[index] = std::clamp(parameter, 0, 255);
            m_rgbGiven = true;
        }
    } else {
        TextWord(word, hasParameter, parameter);
    }
}

void RtfReader::TextWord(const QByteArray &word, bool hasParameter, int parameter)
{
    GroupState &state = State();
    if (word == "par") {
        NewParagraph();
    } else if (word == "emdash") {
        Append(0x2014);
    } else if (word == "deff") {
        Flush();
        m_defaultFont = parameter;
    } else if (word == "f") {
        Flush();
        state.font = parameter;
    } else if (word == "fs") {
        if (parameter > 0) {
            Flush();
            state.halfPoints = std::min(parameter, MaxHalfPoints);
        }
    } else if (word == "cf") {
        Flush();
        state.color = parameter;
    } else if (word == "b") {
        Flush();
        state.bold = !hasParameter || parameter != 0;
    }
}

void RtfReader::Character(char c)
{
    if (SkipFallback())
        return;
    switch (State().destination) {
    case Destination::Text:
        Append(FromCp1252(static_cast<unsigned char>(c)));
        break;
    case Destination::FontTable:
        if (c == ';') {
            ReplaceLoneSurrogates(m_fontName);
            m_fonts.insert(m_fontNumber, m_fontName.trimmed());
            m_fontName.clear();
        } else {
            Append(FromCp1252(static_cast<unsigned char>(c)));
        }
        break;
    case Destination::ColorTable:
        if (c == ';') {
            m_colors.append(m_rgbGiven ? QColor(m_rgb[0], m_rgb[1], m_rgb[2]) : QColor());
            m_rgb[0] = m_rgb[1] = m_rgb[2] = 0;
            m_rgbGiven = false;
        }
        break;
    case Destination::Skipped:
        break;
    }
}

void RtfReader::Append(char16_t c)
{
    if (!IsAcceptedCharacter(c))
        return;
    if (State().destination == Destination::Text)
        m_pending.append(QChar(c));
    else if (State().destination == Destination::FontTable)
        m_fontName.append(QChar(c));
}

// \u takes a signed 16-bit value; writers also use 32768-65535 directly.
void RtfReader::Unicode(int value)
{
    if (value < -32768 || value > 65535)
        Append(QChar::ReplacementCharacter);
    else
        Append(char16_t(value < 0 ? value + 65536 : value));
}

// A block's character format sizes it when empty: the format in effect at the \par that
// opens it, then at the one that ends it.
void RtfReader::NewParagraph()
{
    Flush();
    const QTextCharFormat format = CurrentFormat();
    m_cursor.setBlockCharFormat(format);
    m_cursor.insertBlock(QTextBlockFormat(), format);
}

void RtfReader::Flush()
{
    if (m_pending.isEmpty())
        return;
    ReplaceLoneSurrogates(m_pending);
    m_cursor.insertText(m_pending, CurrentFormat());
    m_pending.clear();
}

QTextCharFormat RtfReader::CurrentFormat() const
{
    const GroupState &state = m_groups.back();
    QTextCharFormat format;
    const auto font = m_fonts.constFind(state.font);
    const QString family = font != m_fonts.cend() ? *font : m_fonts.value(m_defaultFont);
    if (!family.isEmpty())
        format.setFontFamilies({family});
    format.setFontPointSize(state.halfPoints / 2.0);
    format.setFontWeight(state.bold ? QFont::Bold : QFont::Normal);
    if (state.color >= 0 && state.color < m_colors.size() && m_colors[state.color].isValid())
        format.setForeground(m_colors[state.color]);
    return format;
}

} // namespace

void LoadRichText(QTextDocument *document, const QByteArray &rtf)
{
    document->clear();
    RtfReader(document, rtf).Read();
}

QByteArray RtfEscape(const QString &text)
{
    static const char Hex[] = "0123456789abcdef";
    QByteArray escaped;
    escaped.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c == '\\' || c == '{' || c == '}') {
            escaped += '\\';
            escaped += char(c);
        } else if (c < 0x80) {
            escaped += char(c);
        } else if (const int byte = ToCp1252(c); byte >= 0) {
            escaped += "\\'";
            escaped += Hex[byte >> 4];
            escaped += Hex[byte & 0xF];
        } else {
            escaped += "\\u";
            escaped += QByteArray::number(c > 0x7FFF ? int(c) - 0x10000 : int(c));
            escaped += '?';
        }
    }
    return escaped;
}
