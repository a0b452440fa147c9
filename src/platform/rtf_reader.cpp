#include "platform/rtf_reader.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <string>
#include <vector>

#include "core/win1252.h"

namespace kalven {

namespace {

constexpr std::size_t kMaxDepth = 256;      // deeper groups are counted but share their parent's state
constexpr std::size_t kMaxWordLength = 32;  // longer control words are read to their end and ignored
constexpr int kMaxParamDigits = 10;
constexpr long long kMaxParam = 2147483647LL;
constexpr int kMaxFontHalfPoints = 2000;
constexpr int kMaxIndentTwips = 31680;  // 22 inches
constexpr double kPixelsPerTwip = 96.0 / 1440.0;

// Destinations whose text is not part of the document.
constexpr std::string_view kSkippedDestinations[] = {
    "fonttbl",           "colortbl", "stylesheet", "info",    "pict",     "header",   "headerl", "headerr",
    "headerf",           "footer",   "footerl",    "footerr", "footerf",  "fldinst",  "object",  "listtable",
    "listoverridetable", "revtbl",   "rsidtbl",    "filetbl", "pgdsctbl", "xmlnstbl",
};

struct Paragraph {
    Qt::Alignment alignment = Qt::AlignLeft;
    int leftTwips = 0;
    int firstTwips = 0;
    int beforeTwips = 0;
    int afterTwips = 0;
};

struct Character {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 0;  // 0: the document's own size

    bool operator==(const Character&) const = default;
};

struct GroupState {
    Character character;
    Paragraph paragraph;
    int fallbackCount = 1;  // \ucN: characters that follow a \uN for readers without Unicode
    bool skipped = false;   // inside a destination without text
};

int Clamp(long long v, int low, int high)
{
    return static_cast<int>(std::clamp<long long>(v, low, high));
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

QChar FromWin1252Byte(unsigned char byte)
{
    return FromWin1252(std::string(1, static_cast<char>(byte))).at(0);
}

class RtfParser {
public:
    RtfParser(std::string_view bytes, QTextDocument& document) : in_(bytes), cursor_(&document) {}

    void run()
    {
        cursor_.beginEditBlock();
        while (pos_ < in_.size()) {
            const char c = in_[pos_++];
            if (c == '{') {
                openGroup();
            } else if (c == '}') {
                closeGroup();
            } else if (c == '\\') {
                controlSequence();
            } else if (c == '\r' || c == '\n') {
                // line breaks of the file carry no meaning
            } else {
                groupStart_ = false;
                if (!consumeFallback())
                    emit(FromWin1252Byte(static_cast<unsigned char>(c)));
            }
        }
        flush();
        // The last paragraph has no \par: it keeps the properties its text was written with,
        // even when the closing braces have restored others.
        cursor_.setBlockFormat(blockFormat(blockHasText_ ? textParagraph_ : state_.paragraph));
        cursor_.endEditBlock();
    }

private:
    void openGroup()
    {
        fallbackLeft_ = 0;
        groupStart_ = true;
        if (stack_.size() < kMaxDepth)
            stack_.push_back(state_);
        else
            ++overflow_;
    }

    void closeGroup()
    {
        fallbackLeft_ = 0;
        groupStart_ = false;
        if (overflow_ > 0) {
            --overflow_;
        } else if (!stack_.empty()) {
            state_ = stack_.back();
            stack_.pop_back();
        }
        // A closing brace without its opening one is ignored.
    }

    void controlSequence()
    {
        if (pos_ >= in_.size())
            return;
        const bool first = groupStart_;
        groupStart_ = false;
        if (!IsLetter(in_[pos_])) {
            controlSymbol(in_[pos_++], first);
            return;
        }
        std::string word;
        while (pos_ < in_.size() && IsLetter(in_[pos_])) {
            if (word.size() < kMaxWordLength)
                word.push_back(in_[pos_]);
            ++pos_;
        }
        bool hasParam = false;
        long long param = 0;
        bool negative = false;
        if (pos_ + 1 < in_.size() && in_[pos_] == '-' && IsDigit(in_[pos_ + 1])) {
            negative = true;
            ++pos_;
        }
        int digits = 0;
        while (pos_ < in_.size() && IsDigit(in_[pos_])) {
            hasParam = true;
            if (digits < kMaxParamDigits)
                param = param * 10 + (in_[pos_] - '0');
            ++digits;
            ++pos_;
        }
        param = std::min(param, kMaxParam);
        if (negative)
            param = -param;
        if (pos_ < in_.size() && in_[pos_] == ' ')
            ++pos_;
        if (word == "bin") {
            // Binary data: its bytes may hold braces and backslashes of no meaning.
            pos_ +=
                static_cast<std::size_t>(std::clamp<long long>(param, 0, static_cast<long long>(in_.size() - pos_)));
            return;
        }
        if (consumeFallback())
            return;
        controlWord(word, hasParam, param, first);
    }

    void controlSymbol(char c, bool first)
    {
        switch (c) {
        case '\\':
        case '{':
        case '}':
            if (!consumeFallback())
                emit(QChar(c));
            return;
        case '\'':
            hexCharacter();
            return;
        case '*':
            if (first)
                state_.skipped = true;
            return;
        case '\r':
        case '\n':
            if (!consumeFallback())
                newParagraph();
            return;
        case '~':
            if (!consumeFallback())
                emit(QChar(0x00A0));
            return;
        case '_':
            if (!consumeFallback())
                emit(QChar(0x2011));
            return;
        default:
            consumeFallback();  // \- and the other symbols show nothing
            return;
        }
    }

    void hexCharacter()
    {
        if (pos_ + 1 >= in_.size())
            return;
        const int high = HexValue(in_[pos_]);
        const int low = HexValue(in_[pos_ + 1]);
        if (high < 0 || low < 0)
            return;
        pos_ += 2;
        if (!consumeFallback())
            emit(FromWin1252Byte(static_cast<unsigned char>(high * 16 + low)));
    }

    void controlWord(const std::string& word, bool hasParam, long long param, bool first)
    {
        const bool on = !hasParam || param != 0;
        Character& ch = state_.character;
        Paragraph& para = state_.paragraph;
        if (word == "par") {
            newParagraph();
        } else if (word == "line") {
            emit(QChar(QChar::LineSeparator));
        } else if (word == "tab") {
            emit(QChar('\t'));
        } else if (word == "b") {
            ch.bold = on;
        } else if (word == "i") {
            ch.italic = on;
        } else if (word == "ul" || word == "uld" || word == "uldb" || word == "ulw" || word == "uldash") {
            ch.underline = on;
        } else if (word == "ulnone") {
            ch.underline = false;
        } else if (word == "plain") {
            ch = Character{};
        } else if (word == "fs") {
            if (hasParam && param > 0)
                ch.halfPoints = Clamp(param, 1, kMaxFontHalfPoints);
        } else if (word == "pard") {
            para = Paragraph{};
        } else if (word == "ql") {
            para.alignment = Qt::AlignLeft;
        } else if (word == "qc") {
            para.alignment = Qt::AlignHCenter;
        } else if (word == "qr") {
            para.alignment = Qt::AlignRight;
        } else if (word == "qj") {
            para.alignment = Qt::AlignJustify;
        } else if (word == "li") {
            para.leftTwips = Clamp(param, -kMaxIndentTwips, kMaxIndentTwips);
        } else if (word == "fi") {
            para.firstTwips = Clamp(param, -kMaxIndentTwips, kMaxIndentTwips);
        } else if (word == "sb") {
            para.beforeTwips = Clamp(param, 0, kMaxIndentTwips);
        } else if (word == "sa") {
            para.afterTwips = Clamp(param, 0, kMaxIndentTwips);
        } else if (word == "u") {
            unicodeCharacter(param);
        } else if (word == "uc") {
            state_.fallbackCount = Clamp(param, 0, 16);
        } else if (word == "emdash") {
            emit(QChar(0x2014));
        } else if (word == "endash") {
            emit(QChar(0x2013));
        } else if (word == "bullet") {
            emit(QChar(0x2022));
        } else if (word == "lquote") {
            emit(QChar(0x2018));
        } else if (word == "rquote") {
            emit(QChar(0x2019));
        } else if (word == "ldblquote") {
            emit(QChar(0x201C));
        } else if (word == "rdblquote") {
            emit(QChar(0x201D));
        } else if (first && IsSkippedDestination(word)) {
            state_.skipped = true;
        }
    }

    static bool IsSkippedDestination(const std::string& word)
    {
        return std::find(std::begin(kSkippedDestinations), std::end(kSkippedDestinations), word) !=
               std::end(kSkippedDestinations);
    }

    void unicodeCharacter(long long value)
    {
        if (value < 0)
            value += 65536;
        if (value >= 0 && value <= 0xFFFF && (value >= 0x20 || value == '\t'))
            emit(QChar(static_cast<char16_t>(value)));
        fallbackLeft_ = state_.fallbackCount;
    }

    // True when the character just read stands in for the preceding \uN and is dropped.
    bool consumeFallback()
    {
        if (fallbackLeft_ <= 0)
            return false;
        --fallbackLeft_;
        return true;
    }

    void emit(QChar c)
    {
        if (state_.skipped)
            return;
        if (!pending_.isEmpty() && !(pendingCharacter_ == state_.character))
            flush();
        pendingCharacter_ = state_.character;
        pending_.append(c);
        textParagraph_ = state_.paragraph;
        blockHasText_ = true;
    }

    void newParagraph()
    {
        if (state_.skipped)
            return;
        flush();
        cursor_.setBlockFormat(blockFormat(state_.paragraph));
        cursor_.insertBlock();
        blockHasText_ = false;
    }

    void flush()
    {
        if (pending_.isEmpty())
            return;
        // A surrogate without its partner would make an invalid string.
        for (qsizetype k = 0; k < pending_.size(); ++k) {
            const QChar c = pending_.at(k);
            const bool pairedHigh =
                c.isHighSurrogate() && k + 1 < pending_.size() && pending_.at(k + 1).isLowSurrogate();
            if (pairedHigh) {
                ++k;
                continue;
            }
            if (c.isSurrogate())
                pending_[k] = QChar(QChar::ReplacementCharacter);
        }
        cursor_.insertText(pending_, charFormat(pendingCharacter_));
        pending_.clear();
    }

    static QTextCharFormat charFormat(const Character& ch)
    {
        QTextCharFormat format;
        format.setFontWeight(ch.bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(ch.italic);
        format.setFontUnderline(ch.underline);
        if (ch.halfPoints > 0)
            format.setFontPointSize(ch.halfPoints / 2.0);
        return format;
    }

    static QTextBlockFormat blockFormat(const Paragraph& para)
    {
        QTextBlockFormat format;
        format.setAlignment(para.alignment);
        format.setLeftMargin(para.leftTwips * kPixelsPerTwip);
        format.setTextIndent(para.firstTwips * kPixelsPerTwip);
        format.setTopMargin(para.beforeTwips * kPixelsPerTwip);
        format.setBottomMargin(para.afterTwips * kPixelsPerTwip);
        return format;
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    QTextCursor cursor_;
    GroupState state_;
    std::vector<GroupState> stack_;
    std::size_t overflow_ = 0;
    bool groupStart_ = false;
    int fallbackLeft_ = 0;
    QString pending_;
    Character pendingCharacter_;
    Paragraph textParagraph_;
    bool blockHasText_ = false;
};

bool LooksLikeRtf(std::string_view bytes)
{
    const std::size_t start = bytes.find_first_not_of(" \t\r\n");
    return start != std::string_view::npos && bytes.substr(start, 5) == "{\\rtf";
}

}  // namespace

void ReadRtf(std::string_view bytes, QTextDocument& document)
{
    document.clear();
    if (!LooksLikeRtf(bytes)) {
        document.setPlainText(FromWin1252(std::string(bytes)));
        return;
    }
    // Every insertion would otherwise relayout the paragraph it lands in and record an undo
    // step, so a paragraph of many formatting runs took time by the square of their number.
    // One edit block lays the document out once; the undo history of a loaded file is of no use.
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    {
        RtfParser parser(bytes, document);
        parser.run();
    }
    document.setUndoRedoEnabled(undo);
}

}  // namespace kalven
