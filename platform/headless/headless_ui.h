// A headless model of the window port for tests: windows built from their forms with captions,
// titles, places and visibility, the open-window count, recorded message boxes with scripted
// answers, and a message loop that runs the test's scripted user actions.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/ui.h"

class HeadlessUi : public Ui {
public:
    struct Control {
        ControlSpec spec;
        std::string caption;
    };
    struct Window {
        FormSpec form;
        std::string title;
        Rect place;
        std::map<std::string, Control> controls;
        std::vector<Binding> bindings;
        bool open = true;
    };
    struct ShownBox {
        std::string text, caption;
        MessageBoxStyle style;
    };

    // Scenario.
    void setPrimaryScreen(Size size) { screen_ = size; }
    void failWindowCreation() { failCreation_ = true; }
    void answerNextBox(MessageBoxAnswer answer) { answers_.push_back(answer); }
    // A user action for the message loop to perform, in order.
    void script(std::function<void()> action) { actions_.push_back(std::move(action)); }

    // User actions and inspection.
    void click(WindowId window, const std::string& control);
    void pressLeftButton(WindowId window, const std::string& control);
    void close(WindowId window);
    const Window& window(WindowId window) const { return windows_.at(window); }
    const std::vector<ShownBox>& shownBoxes() const { return boxes_; }
    // How often the program let pending messages be handled.
    int pendingMessagesProcessed() const { return pumps_; }
    // True when the loop ran out of scripted actions while a window was still open.
    bool loopStalled() const { return stalled_; }

    // Ui
    bool createWindow(const FormSpec& form, const std::vector<Binding>& bindings,
                      WindowId& window) override;
    std::string title(WindowId window) override;
    void setTitle(WindowId window, const std::string& title) override;
    std::string caption(WindowId window, const std::string& control) override;
    void setCaption(WindowId window, const std::string& control, const std::string& text) override;
    Size windowSize(WindowId window) override;
    void moveWindow(WindowId window, int left, int top) override;
    Size primaryScreenSize() override { return screen_; }
    MessageBoxAnswer messageBox(const std::string& text, const std::string& caption,
                                MessageBoxStyle style) override;
    void processPendingMessages() override { ++pumps_; }
    void runLoop() override;
    int openWindowCount() override;

private:
    void fire(WindowId window, const std::string& control, Event event);
    Control& control(WindowId window, const std::string& name);

    Size screen_{1920, 1080};
    bool failCreation_ = false;
    bool stalled_ = false;
    int pumps_ = 0;
    std::map<WindowId, Window> windows_;
    WindowId nextWindow_ = 1;
    std::deque<MessageBoxAnswer> answers_;
    std::vector<ShownBox> boxes_;
    std::deque<std::function<void()>> actions_;
};
