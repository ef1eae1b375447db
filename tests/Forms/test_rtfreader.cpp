#include "rtfreader.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace {

// The help window's text for the given page values.
QByteArray HelpText(const QByteArray &company, const QByteArray &card, bool series, bool multiPort)
{
    QByteArray text =
        R"({\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fprq2\fcharset0 Verdana;}})"
        R"({\colortbl\red64\green64\blue64;\red255\green255\blue64;\red64\green64\blue255;\red255\green64\blue64;})"
        R"(\viewkind4\uc1\pard\f0\fs32\cf0)" "\r\n" R"({\b )";
    text += company + ' ' + card;
    if (series)
        text += " Series";
    text += R"( Settings Program}\par\par\fs24)" "\r\n";
    text += R"(This program will help you configure the option jumpers and settings associated with this product. You should have the product in-hand when first using this program.\par\par)" "\r\n";
    text += R"({\cf1\fs24\b Yellow circles} provide information on configuring jumpers and switches.\par\par)" "\r\n";
    text += R"({\cf2\fs24\b Blue circles} are informational only. They provide information on standard and optional features of the product family.\par\par)" "\r\n";
    text += R"({\cf3\fs24\b Red circles} handle calibration and types of configuration that require actually controlling the hardware device. Run this settings program again once the card is installed. )";
    text += R"(Repeat the {\cf1 setup circles} (using the same settings) to configure this program, then perform the {\cf3 calibration circles}.\par\par)" "\r\n";
    text += R"(Mouse over the highlight circles to see configuration or information popups for {\cf1 setup}, {\cf2 features}, and {\cf3 calibration}. Click a highlight circle to make its popup remain on-screen. )";
    text += R"(You can have all or as many of these popups onscreen at the same time as you desire.\par\par)" "\r\n";
    if (multiPort) {
        text += R"({\fs32\b Note:} Make sure to set the jumpers for each option group \emdash  the configuration options for each port are handled identically; )";
        text += R"(this program only shows the setup once, but you need to perform this setup for each group of options on your device.\par\par)" "\r\n";
    }
    return text + "}";
}

QStringList Blocks(const QTextDocument &document)
{
    QStringList blocks;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next())
        blocks << b.text();
    return blocks;
}

// The format of the first occurrence of text, which must be uniform across it.
QTextCharFormat FormatOf(const QTextDocument &document, const QString &text)
{
    const QTextCursor found = document.find(text, 0, QTextDocument::FindCaseSensitively);
    if (found.isNull()) {
        ADD_FAILURE() << "not found: " << text.toStdString();
        return {};
    }
    QTextCursor cursor(const_cast<QTextDocument *>(&document));
    cursor.setPosition(found.selectionStart() + 1);
    const QTextCharFormat format = cursor.charFormat();
    for (int pos = found.selectionStart() + 2; pos <= found.selectionEnd(); ++pos) {
        cursor.setPosition(pos);
        EXPECT_EQ(cursor.charFormat(), format) << "format changes inside " << text.toStdString();
    }
    return format;
}

QColor Colour(const QTextCharFormat &format)
{
    return format.hasProperty(QTextFormat::ForegroundBrush) ? format.foreground().color() : QColor();
}

QString PlainText(const QByteArray &rtf)
{
    QTextDocument document;
    LoadRichText(&document, rtf);
    return document.toPlainText();
}

const QColor Grey(64, 64, 64);
const QColor Yellow(255, 255, 64);
const QColor Blue(64, 64, 255);
const QColor Red(255, 64, 64);

class HelpTextTest : public ::testing::Test
{
protected:
    void SetUp() override { LoadRichText(&document, HelpText("ORVEL", "PX-3208A", true, false)); }
    QTextDocument document;
};

TEST_F(HelpTextTest, ParagraphsAreSeparatedByEmptyBlocks)
{
    const QStringList blocks = Blocks(document);
    ASSERT_EQ(blocks.size(), 13);
    EXPECT_EQ(blocks[0], "ORVEL PX-3208A Series Settings Program");
    EXPECT_TRUE(blocks[2].startsWith("This program will help you"));
    EXPECT_EQ(blocks[4], "Yellow circles provide information on configuring jumpers and switches.");
    EXPECT_TRUE(blocks[6].startsWith("Blue circles are informational only."));
    EXPECT_TRUE(blocks[8].contains("once the card is installed. Repeat the setup circles (using"));
    EXPECT_TRUE(blocks[8].endsWith("perform the calibration circles."));
    EXPECT_TRUE(blocks[10].contains("remain on-screen. You can have all"));
    for (int i : {1, 3, 5, 7, 9, 11, 12})
        EXPECT_EQ(blocks[i], "") << "block " << i;
    EXPECT_FALSE(document.toPlainText().contains('\r'));
}

TEST_F(HelpTextTest, TitleIsBoldVerdanaSixteenPointsInDarkGrey)
{
    const QTextCharFormat title = FormatOf(document, "ORVEL PX-3208A Series Settings Program");
    EXPECT_EQ(title.fontFamilies().toStringList(), QStringList{"Verdana"});
    EXPECT_EQ(title.fontPointSize(), 16.0);
    EXPECT_EQ(title.fontWeight(), QFont::Bold);
    EXPECT_EQ(Colour(title), Grey);
    // An empty block keeps the size of the paragraph marks around it.
    EXPECT_EQ(document.findBlockByNumber(1).charFormat().fontPointSize(), 16.0);
    EXPECT_EQ(document.findBlockByNumber(3).charFormat().fontPointSize(), 12.0);
}

TEST_F(HelpTextTest, BodyIsTwelvePointsAndCirclesHaveTheirColours)
{
    const QTextCharFormat body = FormatOf(document, "This program will help you configure");
    EXPECT_EQ(body.fontFamilies().toStringList(), QStringList{"Verdana"});
    EXPECT_EQ(body.fontPointSize(), 12.0);
    EXPECT_EQ(body.fontWeight(), QFont::Normal);
    EXPECT_EQ(Colour(body), Grey);

    const struct { const char *text; QColor colour; } circles[] = {
        {"Yellow circles", Yellow}, {"Blue circles", Blue}, {"Red circles", Red}};
    for (const auto &c : circles) {
        const QTextCharFormat format = FormatOf(document, c.text);
        EXPECT_EQ(format.fontWeight(), QFont::Bold) << c.text;
        EXPECT_EQ(format.fontPointSize(), 12.0) << c.text;
        EXPECT_EQ(Colour(format), c.colour) << c.text;
    }
    // The group's end restores colour 0 and plain weight.
    EXPECT_EQ(FormatOf(document, " provide information on configuring"), body);
    EXPECT_EQ(Colour(FormatOf(document, "setup circles")), Yellow);
    EXPECT_EQ(FormatOf(document, "setup circles").fontWeight(), QFont::Normal);
    EXPECT_EQ(FormatOf(document, " (using the same settings) to configure"), body);
    EXPECT_EQ(Colour(FormatOf(document, "calibration circles")), Red);
}

TEST(RtfReader, MultiPortNoteHasBoldHeadingAndEmDash)
{
    QTextDocument document;
    LoadRichText(&document, HelpText("ORVEL", "PX-3208A", false, true));
    const QStringList blocks = Blocks(document);
    ASSERT_EQ(blocks.size(), 15);
    EXPECT_EQ(blocks[0], "ORVEL PX-3208A Settings Program");
    EXPECT_TRUE(blocks[12].startsWith(QString("Note: Make sure to set the jumpers for each option "
                                              "group \u2014 the configuration options")));
    EXPECT_TRUE(blocks[12].endsWith("on your device."));
    const QTextCharFormat note = FormatOf(document, "Note:");
    EXPECT_EQ(note.fontPointSize(), 16.0);
    EXPECT_EQ(note.fontWeight(), QFont::Bold);
    EXPECT_EQ(FormatOf(document, " Make sure").fontPointSize(), 12.0);
}

TEST(RtfReader, DecodesEscapesAndControlWordDelimiters)
{
    EXPECT_EQ(PlainText(R"({\rtf1 \'80\'93\'b1\'E9\'81 \'9f})"), QString::fromUtf16(u"\u20AC\u201C\u00B1\u00E9\u0081 \u0178"));
    EXPECT_EQ(PlainText("{\\rtf1 caf\xe9 \x80}"), QString::fromUtf16(u"caf\u00E9 \u20AC"));
    EXPECT_EQ(PlainText(R"({\rtf1 a\\b\{c\}d})"), "a\\b{c}d");
    EXPECT_EQ(PlainText(R"({\rtf1 \b  two\b0 x\par\pard y})"), " twox\ny");
    EXPECT_EQ(PlainText("{\\rtf1 line\r\nbreak\\par\r\nnext}"), "linebreak\nnext");
    // \uN with the fallback characters of \ucN, a control word counting as one.
    EXPECT_EQ(PlainText(R"({\rtf1 \u8212?x\uc2\u937\'3f\par y\uc0\u177 z})"), QString::fromUtf16(u"\u2014x\u03A9y\u00B1z"));
    EXPECT_EQ(PlainText(R"({\rtf1 {\uc0 \u945}\u946?})"), QString::fromUtf16(u"\u03B1\u03B2"));
    EXPECT_EQ(PlainText(R"({\rtf1 \u-10179?\u-8704?|\u-10179?x})"), QString::fromUtf16(u"\U0001F600|\uFFFDx"));
}

TEST(RtfReader, TablesDestinationsAndUnknownWords)
{
    QTextDocument document;
    LoadRichText(&document, R"({\rtf1\deff1{\fonttbl{\f0 Arial;}{\f1\froman{\*\panose 0}Times New Roman;}})"
                            R"({\colortbl;\red300\green0\blue-5;}{\*\generator Riched20;}{\info{\title T}})"
                            R"(\qc\sa200\xyzzy42 a\cf1 b\f0\cf0 c\f7\cf9 d})");
    EXPECT_EQ(document.toPlainText(), "abcd");
    EXPECT_EQ(FormatOf(document, "a").fontFamilies().toStringList(), QStringList{"Times New Roman"});
    EXPECT_FALSE(FormatOf(document, "a").hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_EQ(Colour(FormatOf(document, "b")), QColor(255, 0, 0));
    EXPECT_EQ(FormatOf(document, "c").fontFamilies().toStringList(), QStringList{"Arial"});
    EXPECT_FALSE(FormatOf(document, "c").hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_EQ(FormatOf(document, "d").fontFamilies().toStringList(), QStringList{"Times New Roman"});
    EXPECT_FALSE(FormatOf(document, "d").hasProperty(QTextFormat::ForegroundBrush));
}

TEST(RtfReader, EscapedTextRoundTrips)
{
    for (const QString &text : {QString("C:\\path {x} \\par"), QString::fromUtf16(u"\u00B15 V, 1\u00B0C \u20AC"),
                                QString::fromUtf16(u"\u03A9 \U0001F600 end")}) {
        const QByteArray escaped = RtfEscape(text);
        EXPECT_TRUE(std::all_of(escaped.begin(), escaped.end(), [](char c) { return uchar(c) < 0x80; }));
        EXPECT_EQ(PlainText("{\\rtf1 " + escaped + "}"), text) << escaped.constData();
    }
    EXPECT_EQ(RtfEscape(QString::fromUtf16(u"\\{}\u00B1\u03A9")), R"(\\\{\}\'b1\u937?)");

    QTextDocument document;
    LoadRichText(&document, HelpText(RtfEscape("A{B}\\"), "PX-3208A", true, false));
    EXPECT_EQ(Blocks(document).value(0), "A{B}\\ PX-3208A Series Settings Program");
    EXPECT_EQ(FormatOf(document, "This program").fontWeight(), QFont::Normal);
}

TEST(RtfReader, MalformedInputEndsSafely)
{
    EXPECT_EQ(PlainText(R"(junk\b {\rtf1 a}}b{c})"), "a");
    EXPECT_EQ(PlainText(R"({\rtf1 {\b a)"), "a");
    EXPECT_EQ(PlainText("{\\rtf1 a\\"), "a");
    EXPECT_EQ(PlainText("{\\rtf1 a{\\fs"), "a");
    EXPECT_EQ(PlainText("{\\rtf1 a\\'4"), "a");
    EXPECT_EQ(PlainText("{\\rtf1 a\\'4g}"), "ag");
    EXPECT_EQ(PlainText("{\\rtf1 a\\u"), "a");
    EXPECT_EQ(PlainText("{\\rtf1 a\\u-"), "a-");
    EXPECT_EQ(PlainText(R"({\rtf1 \u99999999999999999999?x\'00\u0?y})"), QString::fromUtf16(u"\uFFFDxy"));
    EXPECT_EQ(PlainText(QByteArray("{\\rtf1 a\0b}", 11)), "ab");
    EXPECT_EQ(PlainText(""), "");

    QTextDocument document;
    LoadRichText(&document, R"({\rtf1 \fs99999999999999 big\fs0 same\fs-4 same})");
    EXPECT_EQ(FormatOf(document, "bigsamesame").fontPointSize(), 1638.0);

    // Deep nesting: groups beyond the cap are skipped, the rest keeps its structure.
    const QByteArray open(10000, '{');
    const QByteArray close(10000, '}');
    EXPECT_EQ(PlainText("{\\rtf1 a" + open + "\\}" + close + "b}"), "ab");
    EXPECT_EQ(PlainText("{\\rtf1 a" + open), "a");
    LoadRichText(&document, R"({\rtf1 {\b )" + open + close + "x}y}");
    EXPECT_EQ(FormatOf(document, "x").fontWeight(), QFont::Bold);
    EXPECT_EQ(FormatOf(document, "y").fontWeight(), QFont::Normal);
}

} // namespace
