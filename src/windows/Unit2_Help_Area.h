#pragma once
// THelp_Load_area: the worked example of load areas, a retaining wall, as one picture drawn and
// computed by the program itself from the example project it holds.

#include <QDialog>
#include <QImage>

#include "core/project_data.h"

class QLabel;

namespace kalven {

class THelp_Load_area : public QDialog {
    Q_OBJECT
public:
    explicit THelp_Load_area(QWidget* parent = nullptr);

    const QImage& picture() const { return picture_; }
    // The example with its computed results.
    const ProjectData& example() const { return example_; }

    QLabel* Image1 = nullptr;

private:
    QImage picture_;
    ProjectData example_;
};

}  // namespace kalven
