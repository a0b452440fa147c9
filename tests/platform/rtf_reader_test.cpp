#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <string>
#include <vector>

#include "platform/rtf_reader.h"
#include "support/file_bytes.h"

namespace kalven {
namespace {

// The text with each run's format in front of it: b bold, i italic, u underline, then a set size.
QString Marked(const QTextDocument& document)
{
    QString marked;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            marked += QLatin1Char('<') + QLatin1String(f.fontWeight() == QFont::Bold ? "b" : "") +
                      QLatin1String(f.fontItalic() ? "i" : "") + QLatin1String(f.fontUnderline() ? "u" : "") +
                      (f.fontPointSize() > 0 ? QString::number(f.fontPointSize()) : QString()) + QLatin1Char('>') +
                      it.fragment().text();
        }
    }
    return marked;
}

QString Read(const std::string& rtf)
{
    QTextDocument document;
    ReadRtf(rtf, document);
    return document.toPlainText();
}

TEST(RtfReader, BoldItalicAndUnderlineRunsWithTheirOffFormsAndGroups)
{
    QTextDocument document;
    ReadRtf("{\\rtf1\\ansi plain \\b bold\\b0 ,\\i italic\\i0 ,\\ul under\\ulnone ,{\\b\\fs32 big},"
            "\\ul again\\ul0 ,\\b\\i both\\plain reset}",
            document);
    EXPECT_EQ(Marked(document), QStringLiteral("<>plain <b>bold<>,<i>italic<>,<u>under<>,<b16>big<>,<u>again<>,"
                                               "<bi>both<>reset"));
}

TEST(RtfReader, ParagraphsLineBreaksTabsAndControlSymbols)
{
    QTextDocument document;
    ReadRtf("{\\rtf1 one\\par two\\line three\\tab four \\\\ \\{x\\}\r\nfive\\par\\pard\\qc centred}", document);
    ASSERT_EQ(document.blockCount(), 3);
    EXPECT_EQ(document.begin().text(), QStringLiteral("one"));
    EXPECT_EQ(document.begin().next().text(), QStringLiteral("two\u2028three\tfour \\ {x}five"));
    EXPECT_EQ(document.lastBlock().text(), QStringLiteral("centred"));
    EXPECT_EQ(document.lastBlock().blockFormat().alignment(), Qt::AlignHCenter);
    EXPECT_EQ(document.begin().blockFormat().alignment(), Qt::AlignLeft);
}

TEST(RtfReader, HexAndUnicodeEscapes)
{
    // \'hh is Windows-1252: 0x80 is the euro sign, 0xB0 the degree sign.
    EXPECT_EQ(Read("{\\rtf1 200\\'b0 \\'80 \\'e4}"), QStringLiteral("200\u00B0 \u20AC \u00E4"));
    // \uN is followed by one fallback character unless \ucN says otherwise; a fallback may be \'hh.
    EXPECT_EQ(Read("{\\rtf1 \\u945?=\\uc2\\u946\\'3f?b\\uc0\\u947 c}"), QStringLiteral("\u03B1=\u03B2b\u03B3c"));
    // Negative values stand for N + 65536; a surrogate pair becomes one character.
    EXPECT_EQ(Read("{\\rtf1 \\u-3937?}"), QString(QChar(0xF09F)));
    EXPECT_EQ(Read("{\\rtf1 \\u-10179?\\u-8704?}"), QString::fromUcs4(U"\U0001F600"));
    // Fallback skipping ends at a group's edge; a lone surrogate is replaced.
    EXPECT_EQ(Read("{\\rtf1 {\\u-10179}x}"), QStringLiteral("\uFFFDx"));
    // Bad hex digits show nothing but the text after them.
    EXPECT_EQ(Read("{\\rtf1 a\\'zzb\\'4}"), QStringLiteral("azzb4"));
}

TEST(RtfReader, SkipsDestinationsWithoutText)
{
    EXPECT_EQ(Read("{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
                   "{\\stylesheet{\\s1 Heading;}}{\\info{\\title T}{\\author A}}"
                   "{\\*\\generator Writer;}{\\*\\unknown {nested} text}"
                   "{\\pict\\wmetafile8 0123abcd}{\\pict\\bin4 }{}\\}kept}"),
              QStringLiteral("kept"));
    // A destination word that does not open its group is just an unknown word.
    EXPECT_EQ(Read("{\\rtf1 a {b\\info c}}"), QStringLiteral("a bc"));
}

TEST(RtfReader, UnbalancedTruncatedAndHostileInputNeverFails)
{
    EXPECT_EQ(Read("{\\rtf1 a}}} b {{c"), QStringLiteral("a b c"));
    EXPECT_EQ(Read("{\\rtf1 {\\b trunc"), QStringLiteral("trunc"));
    EXPECT_EQ(Read("{\\rtf1 end\\"), QStringLiteral("end"));
    EXPECT_EQ(Read("{\\rtf1 x\\u"), QStringLiteral("x"));
    // A minus without digits is text, not a parameter.
    EXPECT_EQ(Read("{\\rtf1 x\\fs99999999999999999999 y\\b-"), QStringLiteral("xy-"));
    EXPECT_EQ(Read("{\\rtf1 x\\bin999999999999 gone}"), QStringLiteral("x"));
    EXPECT_EQ(Read("not rich text \xB0"), QStringLiteral("not rich text \u00B0"));
    EXPECT_EQ(Read(""), QString());

    const std::string deep = "{\\rtf1 " + std::string(100000, '{') + "deep" + std::string(100000, '}') + " after}";
    EXPECT_EQ(Read(deep), QStringLiteral("deep after"));
    // Arbitrary bytes are the RTF fuzz target's part; its corpus is replayed with every test run.
}

void ExpectHeadingsBold(const QString& fileName, const std::vector<QString>& headings)
{
    QTextDocument document;
    ReadRtf(testing::FileBytes(QStringLiteral(KALVEN_SHARE_DIR "/") + fileName), document);
    EXPECT_GT(document.blockCount(), 20);
    EXPECT_FALSE(document.toPlainText().contains(QLatin1Char('\\')));
    EXPECT_FALSE(document.toPlainText().contains(QLatin1Char('{')));
    for (const QString& heading : headings) {
        const QTextCursor found = document.find(heading);
        ASSERT_FALSE(found.isNull()) << heading.toStdString();
        EXPECT_EQ(found.block().text(), heading);
        EXPECT_EQ(found.charFormat().fontWeight(), QFont::Bold) << heading.toStdString();
    }
}

TEST(RtfReader, ReadsBothHelpFilesWithBoldHeadings)
{
    ExpectHeadingsBold(QStringLiteral("force_theory.rtf"),
                       {QStringLiteral("KALVEN - the theory of the computation"),
                        QStringLiteral("1. The plane force system"), QStringLiteral("9. The worked example")});
    ExpectHeadingsBold(QStringLiteral("directory_content.rtf"),
                       {QStringLiteral("KALVEN - what the program's folder holds"), QStringLiteral("kalven1.cfg"),
                        QStringLiteral("Project files (.klv)")});
}

}  // namespace
}  // namespace kalven
