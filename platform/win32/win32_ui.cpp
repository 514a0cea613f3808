#include "platform/win32/win32_ui.h"

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <memory>
#include <vector>

namespace {
const wchar_t kWindowClass[] = L"VantrelWindow";
const COLORREF kLinkColour = RGB(0, 0, 255);
constexpr int kProgramIcon = 1;

std::wstring wide(const std::string& text) {
    if (text.empty()) return std::wstring();
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::wstring result(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, result.data(), length);
    return result;
}

std::string narrow(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), size, result.data(), length, nullptr, nullptr);
    return result;
}

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(),
                                                        static_cast<int>(text.size()))));
    return text;
}

struct Control {
    ControlSpec spec;
    HWND handle = nullptr;
};

struct WindowRecord {
    HWND handle = nullptr;
    std::map<std::string, Control> controls;
    std::map<int, std::string> namesById;
    std::vector<Binding> bindings;
    std::vector<HFONT> fonts;
    HFONT defaultFont = nullptr;
};

std::map<WindowId, std::unique_ptr<WindowRecord>> windows;
WindowId nextWindow = 1;
int openWindows = 0;

WindowRecord* recordOf(HWND handle) {
    return reinterpret_cast<WindowRecord*>(GetWindowLongPtrW(handle, GWLP_USERDATA));
}

void fire(const WindowRecord& window, const std::string& control, Event event) {
    for (const Binding& binding : window.bindings) {
        if (binding.control == control && binding.event == event) binding.handler();
    }
}

// Hyperlinks answer the left button as soon as it goes down.
LRESULT CALLBACK hyperlinkProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam,
                               UINT_PTR, DWORD_PTR owner) {
    if (message == WM_LBUTTONDOWN) {
        const auto* window = reinterpret_cast<const WindowRecord*>(owner);
        const auto name = window->namesById.find(GetDlgCtrlID(handle));
        if (name != window->namesById.end()) fire(*window, name->second, Event::LeftButtonDown);
        return 0;
    }
    if (message == WM_SETCURSOR) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
    }
    return DefSubclassProc(handle, message, wParam, lParam);
}

LRESULT CALLBACK windowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowRecord* window = recordOf(handle);
    switch (message) {
        case WM_COMMAND:
            if (window && HIWORD(wParam) == BN_CLICKED) {
                const auto name = window->namesById.find(LOWORD(wParam));
                if (name != window->namesById.end()) fire(*window, name->second, Event::Clicked);
                return 0;
            }
            break;
        case WM_CTLCOLORSTATIC:
            if (window) {
                const auto name = window->namesById.find(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)));
                if (name != window->namesById.end() &&
                    window->controls.at(name->second).spec.kind == ControlKind::Hyperlink) {
                    const auto dc = reinterpret_cast<HDC>(wParam);
                    SetTextColor(dc, kLinkColour);
                    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
                    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
                }
            }
            break;
        case WM_DESTROY:
            if (window) {
                for (HFONT font : window->fonts) DeleteObject(font);
                window->fonts.clear();
                window->handle = nullptr;
                if (--openWindows == 0) PostQuitMessage(0);
            }
            return 0;
        default:
            break;
    }
    return DefWindowProcW(handle, message, wParam, lParam);
}

bool registerClass() {
    static bool registered = false;
    if (registered) return true;
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = LoadIconW(windowClass.hInstance, MAKEINTRESOURCEW(kProgramIcon));
    windowClass.hIconSm = windowClass.hIcon;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    registered = RegisterClassExW(&windowClass) != 0;
    return registered;
}

HFONT createFont(const FontSpec& spec) {
    return CreateFontW(-spec.height, 0, 0, 0, spec.weight, FALSE, spec.underline, FALSE,
                       static_cast<DWORD>(spec.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, wide(spec.face).c_str());
}

HFONT createMessageFont() {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        return nullptr;
    }
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

struct ControlClass {
    const wchar_t* name;
    DWORD style;
    DWORD extendedStyle;
};

ControlClass controlClass(ControlKind kind) {
    switch (kind) {
        case ControlKind::Button: return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
        case ControlKind::Edit: return {L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
        case ControlKind::GroupBox: return {L"BUTTON", BS_GROUPBOX, 0};
        case ControlKind::Hyperlink: return {L"STATIC", SS_LEFT | SS_NOTIFY | SS_NOPREFIX, 0};
        case ControlKind::ProgressBar: return {PROGRESS_CLASSW, 0, 0};
        case ControlKind::Label:
        case ControlKind::Timer: break;
    }
    return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
}

bool createControl(WindowRecord& window, const ControlSpec& spec, const FormSpec& form) {
    if (spec.kind == ControlKind::Timer) return true;
    Rect place = spec.place;
    for (const ControlSpec& parent : form.controls) {
        if (!spec.parent.empty() && parent.name == spec.parent) {
            place.left += parent.place.left;
            place.top += parent.place.top;
        }
    }
    ControlClass kind = controlClass(spec.kind);
    if (spec.kind == ControlKind::Label && !spec.multiline) {
        kind.style = (kind.style & ~DWORD(SS_TYPEMASK)) | SS_LEFTNOWORDWRAP;
    }
    const DWORD style = WS_CHILD | kind.style | (spec.visible ? WS_VISIBLE : 0);
    HWND handle = CreateWindowExW(kind.extendedStyle, kind.name, wide(spec.text).c_str(), style,
                                  place.left, place.top, place.width, place.height, window.handle,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)),
                                  GetModuleHandleW(nullptr), nullptr);
    if (!handle) return false;
    HFONT font = window.defaultFont;
    if (spec.font) {
        font = createFont(*spec.font);
        if (font) window.fonts.push_back(font);
    }
    if (font) SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (spec.kind == ControlKind::Hyperlink) {
        SetWindowSubclass(handle, hyperlinkProc, 1, reinterpret_cast<DWORD_PTR>(&window));
    }
    window.controls[spec.name] = {spec, handle};
    window.namesById[spec.id] = spec.name;
    return true;
}

WindowRecord* find(WindowId window) {
    const auto found = windows.find(window);
    return found == windows.end() || !found->second->handle ? nullptr : found->second.get();
}

bool isProgramWindow(HWND handle) {
    for (const auto& [id, record] : windows) {
        if (handle && record->handle == handle) return true;
    }
    return false;
}

HWND controlHandle(WindowId window, const std::string& name) {
    WindowRecord* record = find(window);
    if (!record) return nullptr;
    const auto control = record->controls.find(name);
    return control == record->controls.end() ? nullptr : control->second.handle;
}
}  // namespace

bool Win32Ui::createWindow(const FormSpec& form, const std::vector<Binding>& bindings,
                           WindowId& window) {
    if (!registerClass()) return false;
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    if (form.frame.minimizeBox) style |= WS_MINIMIZEBOX;
    if (form.frame.maximizeBox) style |= WS_MAXIMIZEBOX;
    if (form.frame.resizable) style |= WS_THICKFRAME;

    auto record = std::make_unique<WindowRecord>();
    record->bindings = bindings;
    HWND handle = CreateWindowExW(0, kWindowClass, wide(form.title).c_str(), style,
                                  form.place.left, form.place.top, form.place.width,
                                  form.place.height, nullptr, nullptr, GetModuleHandleW(nullptr),
                                  nullptr);
    if (!handle) return false;
    record->handle = handle;
    SetWindowLongPtrW(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record.get()));
    ++openWindows;
    record->defaultFont = createMessageFont();
    if (record->defaultFont) record->fonts.push_back(record->defaultFont);
    for (const ControlSpec& spec : form.controls) {
        if (!createControl(*record, spec, form)) {
            DestroyWindow(handle);
            return false;
        }
    }
    window = nextWindow++;
    WindowRecord& created = *record;
    windows[window] = std::move(record);
    fire(created, "", Event::Created);
    if (created.handle) {
        ShowWindow(handle, SW_SHOWNORMAL);
        UpdateWindow(handle);
    }
    return true;
}

std::string Win32Ui::title(WindowId window) {
    WindowRecord* record = find(window);
    return record ? narrow(windowText(record->handle)) : std::string();
}

void Win32Ui::setTitle(WindowId window, const std::string& title) {
    if (WindowRecord* record = find(window)) SetWindowTextW(record->handle, wide(title).c_str());
}

std::string Win32Ui::caption(WindowId window, const std::string& control) {
    HWND handle = controlHandle(window, control);
    return handle ? narrow(windowText(handle)) : std::string();
}

void Win32Ui::setCaption(WindowId window, const std::string& control, const std::string& text) {
    if (HWND handle = controlHandle(window, control)) SetWindowTextW(handle, wide(text).c_str());
}

Size Win32Ui::windowSize(WindowId window) {
    RECT rect = {};
    if (WindowRecord* record = find(window)) GetWindowRect(record->handle, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

void Win32Ui::moveWindow(WindowId window, int left, int top) {
    if (WindowRecord* record = find(window)) {
        SetWindowPos(record->handle, nullptr, left, top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

Size Win32Ui::primaryScreenSize() {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

MessageBoxAnswer Win32Ui::messageBox(const std::string& text, const std::string& caption,
                                     MessageBoxStyle style) {
    UINT type = MB_TASKMODAL | MB_SETFOREGROUND;
    switch (style) {
        case MessageBoxStyle::Error: type |= MB_OK | MB_ICONERROR; break;
        case MessageBoxStyle::Information: type |= MB_OK | MB_ICONINFORMATION; break;
        case MessageBoxStyle::Question: type |= MB_OKCANCEL | MB_ICONQUESTION; break;
    }
    switch (MessageBoxW(nullptr, wide(text).c_str(), wide(caption).c_str(), type)) {
        case IDYES: return MessageBoxAnswer::Yes;
        case IDNO: return MessageBoxAnswer::No;
        case IDCANCEL: return MessageBoxAnswer::Cancel;
        default: return MessageBoxAnswer::Ok;
    }
}

namespace {
void dispatch(MSG& message) {
    // Keyboard navigation between the controls, as in a dialog.
    HWND top = GetAncestor(message.hwnd, GA_ROOT);
    if (isProgramWindow(top) && IsDialogMessageW(top, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}
}  // namespace

void Win32Ui::processPendingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));  // the loop still has to see it
            return;
        }
        dispatch(message);
    }
}

void Win32Ui::runLoop() {
    if (openWindows == 0) return;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) dispatch(message);
}

int Win32Ui::openWindowCount() { return openWindows; }
