#pragma once

#include <memory>

class AppContext;
class MainWindow;

// The start of the program: splash window, connection (with recovery), main window, first login.
class Startup
{
public:
    explicit Startup(AppContext &context);
    ~Startup();

    // True when an operator has signed in: the main window is ready to be shown. Otherwise the
    // program ends with exitCode() and no main window.
    bool start();
    int exitCode() const { return m_exitCode; }
    MainWindow *mainWindow() const { return m_mainWindow.get(); }

private:
    AppContext &m_context;
    std::unique_ptr<MainWindow> m_mainWindow;
    int m_exitCode = 0;
};
