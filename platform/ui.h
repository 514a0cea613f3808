// The window port. Windows are created from forms, which are plain data: every control with its
// designed name, kind, place, text, visibility and font. Controls are addressed by their designed
// names; events are bound to plain procedures by control name. Every text that crosses this
// interface is a program text in the ANSI code page; control names are identifiers and stay in
// the encoding of the source.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
};

struct Size {
    int width = 0, height = 0;
};

enum class ControlKind { Label, Button, Edit, GroupBox, Hyperlink, ProgressBar, Timer };

struct FontSpec {
    std::string face;     // ANSI text
    int height = 0;       // character height in pixels
    int weight = 400;     // normal
    bool underline = false;
    int charset = 134;    // GB2312
};

struct ControlSpec {
    std::string name;
    ControlKind kind = ControlKind::Label;
    int id = 0;                  // the control's Win32 identifier, unique within its form
    Rect place;                  // relative to the parent group box when there is one
    std::string text;            // designed caption
    bool visible = true;
    bool multiline = false;      // labels: wrap the text over several lines instead of clipping it
    std::optional<FontSpec> font;  // none: the window's default font
    std::string parent;          // name of the enclosing group box, or empty
    std::string address;         // hyperlinks only: the stored address
};

struct WindowFrame {
    bool minimizeBox = false;
    bool maximizeBox = false;
    bool resizable = false;
};

struct FormSpec {
    std::string title;
    Rect place;  // outer window rectangle as designed
    WindowFrame frame;
    std::vector<ControlSpec> controls;
};

enum class Event { Created, Clicked, LeftButtonDown };

struct Binding {
    std::string control;  // empty: the window itself
    Event event = Event::Clicked;
    void (*handler)() = nullptr;
};

using WindowId = int;  // 0 is no window

enum class MessageBoxStyle { Error, Information, Question };

// The program's own answer codes for message boxes.
enum class MessageBoxAnswer { Ok = 0, Cancel = 2, Yes = 5, No = 6 };

class Ui {
public:
    virtual ~Ui() = default;

    // Creates the window with every control of the form and stores its id in `window` before the
    // Created event runs (inside this call). False when the window cannot be created.
    virtual bool createWindow(const FormSpec& form, const std::vector<Binding>& bindings,
                              WindowId& window) = 0;

    virtual std::string title(WindowId window) = 0;
    virtual void setTitle(WindowId window, const std::string& title) = 0;
    virtual std::string caption(WindowId window, const std::string& control) = 0;
    virtual void setCaption(WindowId window, const std::string& control, const std::string& text) = 0;
    virtual Size windowSize(WindowId window) = 0;
    virtual void moveWindow(WindowId window, int left, int top) = 0;
    virtual Size primaryScreenSize() = 0;

    // Modal to every window of the program, without an owner window.
    virtual MessageBoxAnswer messageBox(const std::string& text, const std::string& caption,
                                        MessageBoxStyle style) = 0;

    // Handles the window messages that are pending, then returns.
    virtual void processPendingMessages() = 0;

    // Serves events until no window of the program is open.
    virtual void runLoop() = 0;
    virtual int openWindowCount() = 0;
};

// The one installed window port.
Ui& ui();
void installUi(Ui* port);
