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

// The text with each run's format in front of it: b bold, i italic, u underline, then a set size;
// each paragraph after the first starts with "|", and with its alignment and left margin when set.
QString Marked(const std::string& rtf)
{
    QTextDocument document;
    ReadRtf(rtf, document);
    QString marked;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat paragraph = block.blockFormat();
        if (block != document.begin())
            marked += QLatin1Char('|');
        if (paragraph.alignment() != Qt::AlignLeft || paragraph.leftMargin() != 0)
            marked += QStringLiteral("[%1 %2]").arg(int(paragraph.alignment())).arg(paragraph.leftMargin());
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

TEST(RtfReader, FormatsTheirOffFormsGroupsAndParagraphs)
{
    EXPECT_EQ(Marked("{\\rtf1\\ansi plain \\b bold\\b0 ,\\i italic\\i0 ,\\ul under\\ulnone ,{\\b\\fs32 big},"
                     "\\ul again\\ul0 ,\\b\\i both\\plain reset}"),
              QStringLiteral("<>plain <b>bold<>,<i>italic<>,<u>under<>,<b16>big<>,<u>again<>,<bi>both<>reset"));
    // A margin of an inch of twips; \pard ends the paragraph's own format.
    EXPECT_EQ(
        Marked("{\\rtf1 one\\par two\\line three\\tab four \\\\ \\{x\\}\r\nfive\\par\\pard\\qc\\li1440 centred\\par"
               "\\pard next}"),
        QStringLiteral("<>one|<>two\u2028three\tfour \\ {x}five|[4 96]<>centred|<>next"));
}

TEST(RtfReader, EscapesDestinationsAndHostileInput)
{
    const std::pair<std::string, QString> cases[] = {
        // \'hh is Windows-1252: 0x80 is the euro sign, 0xB0 the degree sign.
        {"{\\rtf1 200\\'b0 \\'80 \\'e4}", QStringLiteral("200\u00B0 \u20AC \u00E4")},
        // \uN is followed by one fallback character unless \ucN says otherwise; a fallback may be \'hh.
        {"{\\rtf1 \\u945?=\\uc2\\u946\\'3f?b\\uc0\\u947 c}", QStringLiteral("\u03B1=\u03B2b\u03B3c")},
        // Negative values stand for N + 65536; a surrogate pair becomes one character.
        {"{\\rtf1 \\u-3937?}", QString(QChar(0xF09F))},
        {"{\\rtf1 \\u-10179?\\u-8704?}", QString::fromUcs4(U"\U0001F600")},
        // Fallback skipping ends at a group's edge; a lone surrogate is replaced.
        {"{\\rtf1 {\\u-10179}x}", QStringLiteral("\uFFFDx")},
        // Bad hex digits show nothing but the text after them.
        {"{\\rtf1 a\\'zzb\\'4}", QStringLiteral("azzb4")},
        {"{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl;\\red255\\green0\\blue0;}{\\stylesheet{\\s1 Heading;}}"
         "{\\info{\\title T}{\\author A}}{\\*\\generator Writer;}{\\*\\unknown {nested} text}"
         "{\\pict\\wmetafile8 0123abcd}{\\pict\\bin4 }{}\\}kept}",
         QStringLiteral("kept")},
        // A destination word that does not open its group is just an unknown word.
        {"{\\rtf1 a {b\\info c}}", QStringLiteral("a bc")},
        {"{\\rtf1 a}}} b {{c", QStringLiteral("a b c")},
        {"{\\rtf1 {\\b trunc", QStringLiteral("trunc")},
        {"{\\rtf1 end\\", QStringLiteral("end")},
        {"{\\rtf1 x\\u", QStringLiteral("x")},
        // A minus without digits is text, not a parameter.
        {"{\\rtf1 x\\fs99999999999999999999 y\\b-", QStringLiteral("xy-")},
        {"{\\rtf1 x\\bin999999999999 gone}", QStringLiteral("x")},
        {"not rich text \xB0", QStringLiteral("not rich text \u00B0")},
        {"", QString()},
        {"{\\rtf1 " + std::string(100000, '{') + "deep" + std::string(100000, '}') + " after}",
         QStringLiteral("deep after")},
    };
    for (const auto& [rtf, text] : cases)
        EXPECT_EQ(Read(rtf), text) << rtf.substr(0, 60);
    // Arbitrary bytes are the RTF fuzz target's part; its corpus is replayed with every test run.
}

TEST(RtfReader, ReadsBothHelpFilesWithBoldHeadings)
{
    const std::pair<const char*, std::vector<const char*>> files[] = {
        {"force_theory.rtf",
         {"KALVEN - the theory of the computation", "1. The plane force system", "9. The worked example",
          "10. The base joint"}},
        {"directory_content.rtf", {"KALVEN - what the program's folder holds", "kalven1.cfg", "Project files (.klv)"}},
    };
    for (const auto& [name, headings] : files) {
        QTextDocument document;
        ReadRtf(testing::FileBytes(QStringLiteral(KALVEN_SHARE_DIR "/") + QLatin1String(name)), document);
        const QString text = document.toPlainText();
        EXPECT_TRUE(document.blockCount() > 20 && !text.contains(QLatin1Char('\\')) &&
                    !text.contains(QLatin1Char('{')));
        for (const char* heading : headings) {
            const QTextCursor found = document.find(QLatin1String(heading));
            EXPECT_TRUE(!found.isNull() && found.block().text() == QLatin1String(heading) &&
                        found.charFormat().fontWeight() == QFont::Bold)
                << heading;
        }
    }
}

}  // namespace
}  // namespace kalven
