// The rich-text reader of the help texts: any bytes read to an end, the text is valid UTF-16,
// and reading the same bytes again gives the same text.
#include <QGuiApplication>
#include <QTextDocument>
#include <string_view>

#include "fuzz_target.h"
#include "platform/rtf_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The document needs fonts, and fonts need an application; the replay program has one.
    static int argc = 1;
    static char name[] = "rtf_reader_fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = QGuiApplication::instance() ? nullptr : new QGuiApplication(argc, argv);
    (void)app;

    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    QTextDocument first;
    kalven::ReadRtf(bytes, first);
    const QString text = first.toPlainText();
    FUZZ_CHECK(text.isValidUtf16());
    QTextDocument second;
    kalven::ReadRtf(bytes, second);
    FUZZ_CHECK(second.toPlainText() == text);
    return 0;
}
