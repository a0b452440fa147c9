#pragma once
// A small reader of rich text (RTF) into a QTextDocument: the subset the help files use.
// Groups; bold, italic and underline with their off forms; \plain and \fsN; paragraphs, line
// breaks and tabs; \pard with the alignments and indents; \'hh in Windows-1252 and \uN with
// \ucN; the destinations that hold no text (font, colour and style tables, \info, pictures,
// every {\*...} group) are skipped. Anything else is ignored.
//
// Any bytes are safe: the group depth is bounded, every step consumes input, and a file that
// ends inside a group keeps what was read. Bytes that do not start with "{\rtf" are taken as
// plain Windows-1252 text.

#include <string_view>

class QTextDocument;

namespace kalven {

void ReadRtf(std::string_view bytes, QTextDocument& document);

}  // namespace kalven
