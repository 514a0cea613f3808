// The real window port: Unicode windows and Common Controls 6.0. Every control of a form becomes
// a real child window, the dormant ones too, so automation and accessibility tools see the
// designed layout.
#pragma once

#include "platform/ui.h"

class Win32Ui : public Ui {
public:
    bool createWindow(const FormSpec& form, const std::vector<Binding>& bindings,
                      WindowId& window) override;
    std::string title(WindowId window) override;
    void setTitle(WindowId window, const std::string& title) override;
    std::string caption(WindowId window, const std::string& control) override;
    void setCaption(WindowId window, const std::string& control, const std::string& text) override;
    Size windowSize(WindowId window) override;
    void moveWindow(WindowId window, int left, int top) override;
    Size primaryScreenSize() override;
    MessageBoxAnswer messageBox(const std::string& text, const std::string& caption,
                                MessageBoxStyle style) override;
    void processPendingMessages() override;
    void runLoop() override;
    int openWindowCount() override;
};
