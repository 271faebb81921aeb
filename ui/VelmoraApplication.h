#pragma once
// The application object: routes an error that escapes an event handler to the
// application-wide error hook instead of ending the program.

#include <QApplication>

namespace velmora {

class VelmoraApplication : public QApplication {
    Q_OBJECT
public:
    VelmoraApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace velmora
