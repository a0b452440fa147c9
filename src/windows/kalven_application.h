#pragma once
// The application with the general error report: an error that leaves any event handler is shown
// in a message box with its text, and the program goes on with the next event.

#include <QApplication>
#include <functional>

namespace kalven {

class KalvenApplication : public QApplication {
public:
    using Reporter = std::function<void(const QString&)>;

    KalvenApplication(int& argc, char** argv);
    void setReporter(Reporter reporter) { reporter_ = std::move(reporter); }

    bool notify(QObject* receiver, QEvent* event) override;

private:
    Reporter reporter_;
};

}  // namespace kalven
