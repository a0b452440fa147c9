#pragma once
// The two print jobs of the program: the text report as a paginated document and the graphic
// page. A job the printing service refuses throws std::runtime_error, so it reaches the general
// error report.

#include <QString>

class QPalette;
class QPrinter;
class QTextDocument;

namespace kalven {

struct ProjectData;

// Prints the document on as many pages as it needs, over the whole printable area of each page,
// without header, footer or page numbers; lines wider than the page go on in the next line.
// The document is laid out for the printer on the way.
void PrintDocument(QPrinter& printer, QTextDocument& document, const QString& jobTitle);

// The graphic printout on one page the size of the printer's printable area, laid out at
// kGraphicPageResolution; the printer keeps its own resolution for the next printout.
void PrintGraphicPage(QPrinter& printer, const ProjectData& data, const QPalette& palette);

}  // namespace kalven
